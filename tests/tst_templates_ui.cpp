// The field templates in the main window: the list on the page "Felder"
// filled at start-up (from the shipped file, or empty from a damaged one),
// "Einfügen" with a name the project uses already, "Feld als Vorlage" from
// the field list's pop-up menu, and the template manager, which reads the
// file afresh whenever it is shown.
#include "MainWindowRig.h"
#include "ModalDriver.h"
#include "RecordingPrompter.h"

#include "app/TemplateStore.h"
#include "app/ui/FieldsPage.h"
#include "app/ui/TemplateCommands.h"
#include "app/ui/frmVorlagen.h"
#include "base/LanguageTexts.h"
#include "model/FormProject.h"

#include <QAction>
#include <QComboBox>
#include <QDomDocument>
#include <QFile>
#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using Answer = Prompter::Answer;

namespace
{
QString Written(const TFormField& field)
{
    QDomDocument doc;
    QDomElement node = doc.createElement(QStringLiteral("feld"));
    doc.appendChild(node);
    field.SetXMLNode(node);
    return doc.toString(1);
}

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList Entries(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

QStringList Entries(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QStringList FieldNames(const TFormProject& project)
{
    QStringList out;
    for (const auto& field : project.ListField)
        out << field->Name;
    return out;
}

const QStringList Shipped{"E-Mail", "Telefon", "Einwilligung", "Anrede", "Nachricht", "Geburtsdatum"};
const QStringList DefaultFields{"name", "email", "nachricht", "zustimmung"};
} // namespace

class TestTemplatesUi : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    RecordingPrompter prompter;
    std::unique_ptr<MainWindowRig> window;

    static QString UserFile() { return GetAppDataFolder() + QStringLiteral("/vorlagen.xml"); }
    QComboBox* Templates() const
    {
        return window->get()->findChild<QComboBox*>(QStringLiteral("cboVorlagen"));
    }
    QPushButton* InsertButton() const
    {
        return window->get()->findChild<QPushButton*>(QStringLiteral("sbVorlage"));
    }
    QAction* StoreEntry() const
    {
        return window->get()->findChild<TFieldsPage*>()->ListMenu()->findChild<QAction*>(
            QStringLiteral("mnuVorlage"));
    }
    void SelectRow(int row)
    {
        auto* list = window->get()->findChild<QTreeWidget*>(QStringLiteral("itemList"));
        list->clearSelection();
        if (row >= 0)
            list->topLevelItem(row)->setSelected(true);
    }
    QString Text(const char* key) const { return (*window)->Texts().Text(QLatin1String(key)); }

    void Open()
    {
        window.reset();
        window = std::make_unique<MainWindowRig>(prompter, QString());
        QVERIFY(QTest::qWaitForWindowExposed(window->get()));
    }

private slots:
    void initTestCase() { qputenv("XDG_DATA_HOME", home.path().toLocal8Bit()); }

    void init()
    {
        QFile::remove(UserFile());
        prompter.Clear();
        prompter.answers.clear();
        Open();
    }

    void cleanup() { window.reset(); }

    // At start-up the shipped templates are copied and listed; a damaged
    // file lists none, keeps the window opening, and is left as it is.
    void startUp()
    {
        QCOMPARE(Bytes(UserFile()), Bytes(QStringLiteral(QUORVEL_TEST_DATA_DIR "/vorlagen.xml")));
        QCOMPARE(Entries(Templates()), Shipped);
        QCOMPARE(Templates()->currentIndex(), 0);
        QVERIFY(Templates()->isEnabled() && InsertButton()->isEnabled());
        QVERIFY((*window)->findChild<QAction*>(QStringLiteral("Vorlagenverwalten1"))->isEnabled());
        QVERIFY(StoreEntry()->isEnabled());

        window.reset();
        QFile damaged(UserFile());
        QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write("<vorlagen><feld>");
        damaged.close();
        Open();
        QVERIFY((*window)->isVisible());
        QCOMPARE(Templates()->count(), 0);
        QCOMPARE(prompter.entries.size(), 0);
        QCOMPARE(Bytes(UserFile()), QByteArray("<vorlagen><feld>"));

        // Using the list then says why it is empty; nothing is inserted.
        InsertButton()->click(); // nothing chosen
        QCOMPARE(prompter.entries.size(), 0);
        (*window)->Templates().InsertTemplate(0);
        QCOMPARE(prompter.entries.size(), 1);
        QCOMPARE(prompter.entries.at(0).caption, Text("MsgError"));
        QVERIFY(prompter.entries.at(0).text.contains(UserFile()));
        QCOMPARE(FieldNames((*window)->Project()), DefaultFields);
    }

    // "Einfügen" appends the chosen template with its name when that is
    // free, and asks for another name when the project uses it: a refused
    // answer is said and asked again, Cancel inserts nothing.
    void insert_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QStringList>("answers");  // typed into the name question; "" cancels
        QTest::addColumn<QString>("inserted");     // empty: nothing inserted
        QTest::addColumn<QStringList>("messages"); // keys of the refusals
        QTest::newRow("free name") << 1 << QStringList() << "telefon" << QStringList();
        QTest::newRow("nothing chosen") << -1 << QStringList() << "" << QStringList();
        QTest::newRow("taken, renamed") << 0 << QStringList{"email2"} << "email2" << QStringList();
        QTest::newRow("taken, cancelled") << 0 << QStringList{""} << "" << QStringList();
        QTest::newRow("taken again, then free") << 4 << QStringList{"nachricht", "name", "frage"} << "frage"
                                                << QStringList{"txtCalender1", "txtCalender1"};
        QTest::newRow("not a name, then cancelled")
            << 0 << QStringList{"2mail", ""} << "" << QStringList{"txtCheckFieldName"};
    }

    void insert()
    {
        QFETCH(int, position);
        QFETCH(QStringList, answers);
        QFETCH(QString, inserted);
        QFETCH(QStringList, messages);
        // Each name question is answered, the next one registered inside.
        std::function<void()> answerNext;
        QStringList asked;
        answerNext = [&] {
            WhenModal<QInputDialog>([&](QInputDialog* dialog) {
                asked << dialog->labelText();
                const QString answer = answers.takeFirst();
                if (answer.isEmpty()) {
                    dialog->reject();
                    return;
                }
                if (!answers.isEmpty())
                    answerNext();
                dialog->setTextValue(answer);
                dialog->accept();
            });
        };
        const int questions = static_cast<int>(answers.size());
        if (questions > 0)
            answerNext();
        Templates()->setCurrentIndex(position);
        InsertButton()->click();

        QCOMPARE(answers.size(), 0);
        QCOMPARE(asked.size(), questions);
        if (questions > 0)
            QVERIFY(asked.at(0).contains(
                QStringLiteral("\"%1\"").arg(QLatin1String(position == 4 ? "nachricht" : "email"))));
        QStringList shown;
        for (const QString& key : messages)
            shown << Text(qPrintable(key)).replace(QStringLiteral("%1"), QStringLiteral("2mail"));
        QCOMPARE(prompter.Texts(), shown);
        const QStringList names = FieldNames((*window)->Project());
        QCOMPARE(names, inserted.isEmpty() ? DefaultFields : DefaultFields + QStringList{inserted});
        if (!inserted.isEmpty()) {
            // At the end of the list view, and selected.
            auto* list = (*window)->findChild<QTreeWidget*>(QStringLiteral("itemList"));
            QCOMPARE(list->topLevelItemCount(), 5);
            QCOMPARE(list->topLevelItem(4)->text(0), inserted);
            QVERIFY(list->topLevelItem(4)->isSelected());
        }
    }

    // "Feld als Vorlage" stores the selected field at the end of the file and
    // the list; inserted again it is the same field.
    void fieldAsTemplate()
    {
        const QByteArray before = Bytes(UserFile());
        SelectRow(-1);
        StoreEntry()->trigger();
        QCOMPARE(Bytes(UserFile()), before);

        TFormProject& project = (*window)->Project();
        const QString original = Written(*project.ListField[3]);
        SelectRow(3);
        StoreEntry()->trigger();
        QCOMPARE(prompter.entries.size(), 0);
        QCOMPARE(Entries(Templates()), Shipped + QStringList{"Einwilligung"});
        QCOMPARE(Templates()->currentIndex(), 6);

        project.ListField.Delete(3);
        (*window)->RefreshFieldList();
        InsertButton()->click();
        QCOMPARE(project.ListField.Count(), 4);
        QCOMPARE(Written(*project.ListField[3]), original);
    }

    // The manager lists the file as it is when shown, asks before deleting,
    // and deletes only the chosen template; the page's list follows.
    void manager()
    {
        QAction* menu = (*window)->findChild<QAction*>(QStringLiteral("Vorlagenverwalten1"));
        QStringList listed;
        WhenModal<TfrmVorlagen>([&](TfrmVorlagen* dialog) {
            auto* list = dialog->findChild<QListWidget*>(QStringLiteral("listVorlagen"));
            listed = Entries(list);
            list->setCurrentRow(1);
            prompter.answers = {Answer::No};
            dialog->findChild<QPushButton*>(QStringLiteral("btDel"))->click();
            prompter.answers = {Answer::Yes};
            dialog->findChild<QPushButton*>(QStringLiteral("btDel"))->click();
            listed << QStringLiteral("|") << Entries(list);
            dialog->findChild<QPushButton*>(QStringLiteral("btClose"))->click();
        });
        menu->trigger();
        QStringList without = Shipped;
        without.removeAt(1);
        QCOMPARE(listed, Shipped + QStringList{"|"} + without);
        QCOMPARE(prompter.entries.size(), 2);
        const RecordingPrompter::Entry question = prompter.entries.at(0);
        QCOMPARE(question.text, Text("txtVorlagenDelete1"));
        QCOMPARE(question.caption, Text("txtVorlagenDelete2"));
        QCOMPARE(question.icon, Prompter::Icon::Question);
        QVERIFY(question.question);
        QCOMPARE(Entries(Templates()), without);

        // A template stored after the manager was first shown is in its list
        // the next time, and a deletion keeps it.
        SelectRow(0);
        StoreEntry()->trigger();
        WhenModal<TfrmVorlagen>([&](TfrmVorlagen* dialog) {
            auto* list = dialog->findChild<QListWidget*>(QStringLiteral("listVorlagen"));
            listed = Entries(list);
            list->setCurrentRow(0);
            prompter.answers = {Answer::Yes};
            dialog->findChild<QPushButton*>(QStringLiteral("btDel"))->click();
            dialog->reject();
        });
        menu->trigger();
        QCOMPARE(listed, without + QStringList{"Name"});
        without.removeAt(0);
        QCOMPARE(Entries(Templates()), without + QStringList{"Name"});
        TTemplateStore file(UserFile());
        QVERIFY(file.Load());
        QCOMPARE(file.Names(), without + QStringList{"Name"});
    }

    // A file that does not read is reported when the manager is shown, and
    // the manager deletes nothing from it.
    void managerOnADamagedFile()
    {
        QFile damaged(UserFile());
        QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write("kaputt");
        damaged.close();
        int rows = -1;
        WhenModal<TfrmVorlagen>([&](TfrmVorlagen* dialog) {
            rows = dialog->findChild<QListWidget*>(QStringLiteral("listVorlagen"))->count();
            dialog->findChild<QPushButton*>(QStringLiteral("btDel"))->click();
            dialog->reject();
        });
        (*window)->Templates().ManageTemplates();
        QCOMPARE(rows, 0);
        QCOMPARE(prompter.entries.size(), 1);
        QCOMPARE(prompter.entries.at(0).caption, Text("MsgError"));
        QCOMPARE(Bytes(UserFile()), QByteArray("kaputt"));
        QCOMPARE(Templates()->count(), 0);
    }
};

QTEST_MAIN(TestTemplatesUi)
#include "tst_templates_ui.moc"
