// The program's own windows around the project, offscreen with a scripted
// prompter: the program-settings dialog re-translating the windows, the
// recent-files menu with a damaged file, the form-mailer box with its list,
// its dialogs and its test button, and the help pages in the browser.
#include "MainWindowRig.h"
#include "ModalDriver.h"
#include "RecordingPrompter.h"
#include "app/AppPaths.h"
#include "app/FileHistory.h"
#include "app/ProgramSettings.h"
#include "app/ui/frmMain.h"
#include "app/ui/frmProgramSet.h"
#include "base/IniFile.h"
#include "base/LanguageTexts.h"
#include "model/FormField.h"
#include "model/FormProject.h"
#include "texts/FormMailerList.h"
#include "texts/ui/frmFormMailLinkEdit.h"
#include "texts/ui/frmFormMailerTemplates.h"
#include "ui/HelpPage.h"
#include "ui/LazyPage.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

using Answer = Prompter::Answer;

namespace
{
const QString BuildData = QStringLiteral(QUORVEL_TEST_DATA_DIR);
const QString Default = QStringLiteral("https://forms.example.com/form/v28/formmail.php");
const QString Other = QStringLiteral("https://www.example.com/cgi/formmail.php");

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray ListFile(const QStringList& links)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xml>\n  <formmailers>\n";
    for (const QString& link : links)
        xml += "    <formmail>" + link.toUtf8() + "</formmail>\n";
    return xml + "  </formmailers>\n</xml>\n";
}

QStringList Entries(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

QStringList Rows(const QTreeWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(0);
    return out;
}

QString English(const char* key)
{
    return TLanguageTexts::DecodeWindowText(TIniFile(BuildData + QStringLiteral("/lang.ini"))
                                                .ReadString(QStringLiteral("Englisch"), QLatin1String(key)));
}

QString German(const char* key)
{
    return TLanguageTexts::DecodeWindowText(TIniFile(BuildData + QStringLiteral("/lang.ini"))
                                                .ReadString(QStringLiteral("Deutsch"), QLatin1String(key)));
}
} // namespace

class TestAppWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<QTemporaryDir> m_files;
    RecordingPrompter prompter;
    QList<QUrl> opened;

    MainWindowRig Window() { return MainWindowRig(prompter, QString()); }

    // The window with its URLs recorded instead of opened; browserStarts:
    // what the desktop answers.
    void Record(TfrmMain& w, bool browserStarts = true)
    {
        w.SetUrlOpener([this, browserStarts](const QUrl& url) {
            opened << url;
            return browserStarts;
        });
    }

    QString AppData() const { return GetAppDataFolder(); }
    QString UserList() const { return TFormMailerList::UserFile(AppData()); }

    template <typename T> static T* Find(QWidget& w, const char* name)
    {
        T* found = w.findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    static QComboBox* MailerBox(TfrmMain& w)
    {
        qobject_cast<TLazyPage*>(w.Pages()->widget(1))->EnsureBuilt();
        return Find<QComboBox>(w, "cboFormMailer");
    }

    QString Text(const char* key) const
    {
        return TLanguageTexts(BuildData + QStringLiteral("/lang.ini"), nullptr).Text(QLatin1String(key));
    }

private slots:
    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        m_files = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", m_home->path().toLocal8Bit());
        AppPaths::SetDataDirOverride(QString());
        prompter = RecordingPrompter();
        opened.clear();
    }

    // OK stores the length in every case and the language only when one is
    // chosen; every window takes the language at once, the field list too;
    // Cancel changes nothing. The stored language is found whatever its
    // letter case.
    void programSettings_data()
    {
        QTest::addColumn<QString>("stored");  // the language before
        QTest::addColumn<int>("shownIndex");  // the entry the dialog chose
        QTest::addColumn<int>("chooseIndex"); // the entry the user leaves chosen; -1: none
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("languageAfter");
        QTest::addColumn<int>("lengthAfter");
        QTest::newRow("choose English") << "Deutsch" << 0 << 1 << true << "Englisch" << 2;
        QTest::newRow("letter case ignored") << "englisch" << 1 << 0 << true << "Deutsch" << 2;
        QTest::newRow("none chosen") << "Englisch" << 1 << -1 << true << "Englisch" << 2;
        QTest::newRow("unknown language stays") << "Klingonisch" << -1 << -1 << true << "Klingonisch" << 2;
        QTest::newRow("cancel") << "Deutsch" << 0 << 1 << false << "Deutsch" << 5;
    }

    void programSettings()
    {
        QFETCH(QString, stored);
        QFETCH(int, shownIndex);
        QFETCH(int, chooseIndex);
        QFETCH(bool, ok);
        QFETCH(QString, languageAfter);
        QFETCH(int, lengthAfter);
        MainWindowRig w = Window();
        // Five recent files, so that a shorter list shows in the menu.
        QStringList paths;
        for (int i = 0; i < 5; ++i) {
            paths << m_files->filePath(QStringLiteral("p%1.qvf").arg(i));
            WriteAll(paths.last(), "x");
            QVERIFY(w.services.History().WriteFileToHistory(paths.last()));
        }
        w->Settings().SetLanguage(stored);
        w->TranslateInterface();

        bool checked = false;
        WhenModal<TfrmProgramSet>([&](TfrmProgramSet* dialog) {
            auto* languages = Find<QComboBox>(*dialog, "CmbLanguage");
            auto* length = Find<QSpinBox>(*dialog, "edtNumLastUsed");
            QCOMPARE(Entries(languages), w->Settings().LanguageList());
            QCOMPARE(languages->currentIndex(), shownIndex);
            QCOMPARE(length->value(), 5);
            QCOMPARE(length->minimum(), 1);
            QCOMPARE(length->maximum(), 99);
            languages->setCurrentIndex(chooseIndex);
            length->setValue(2);
            checked = true;
            if (ok)
                QTest::mouseClick(Find<QPushButton>(*dialog, "btOK"), Qt::LeftButton);
            else
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
        w->findChild<QAction*>(QStringLiteral("mnProgramSettings"))->trigger();
        QVERIFY(checked);
        QCOMPARE(w->Settings().Language(), languageAfter);
        QCOMPARE(w->Settings().NumLastUsed(), lengthAfter);
        QVERIFY(prompter.entries.isEmpty());

        const bool english = w.services.Texts().CurrentLanguage() != QLatin1String("Deutsch");
        QCOMPARE(w->Pages()->tabText(0), english ? English("27") : German("27"));
        QCOMPARE(w->findChild<QMenu*>(QStringLiteral("Datei1"))->title(),
                 english ? English("1") : German("1"));
        QCOMPARE(w->ProgramSettingsDialog().windowTitle(), english ? English("269") : German("269"));
        // The kinds in the field list follow the language too.
        auto* fields = Find<QTreeWidget>(*w, "itemList");
        QVERIFY(fields->topLevelItemCount() > 0);
        QCOMPARE(fields->topLevelItem(0)->text(2),
                 w.services.Texts().Text(w->Project().ListField.At(0)->DisplayKey()));

        w->findChild<QMenu*>(QStringLiteral("Datei1"))->aboutToShow();
        QCOMPARE(w->findChild<QMenu*>(QStringLiteral("mnLastUsed"))->actions().size(), lengthAfter);
    }

    // A damaged history costs the menu's entries, once and silently.
    void damagedHistory()
    {
        QDir().mkpath(AppData());
        WriteAll(AppData() + QStringLiteral("/history.xml"), "<History><HistoryFile>/a.qvf</Hist");
        MainWindowRig w = Window();
        QVERIFY(w->isVisible());
        for (int i = 0; i < 2; ++i) {
            w->findChild<QMenu*>(QStringLiteral("Datei1"))->aboutToShow();
            QVERIFY(w->findChild<QMenu*>(QStringLiteral("mnLastUsed"))->actions().isEmpty());
        }
        QVERIFY(prompter.entries.isEmpty());
        const QString project = m_files->filePath(QStringLiteral("a.qvf"));
        QVERIFY(w->SaveProjectFile(project));
        w->findChild<QMenu*>(QStringLiteral("Datei1"))->aboutToShow();
        QCOMPARE(w->findChild<QMenu*>(QStringLiteral("mnLastUsed"))->actions().size(), 1);
    }

    // The first start copies the delivered list; the box offers it and
    // keeps the project's address as its text. A list without the default
    // address gets it in the file at one load and in the box at the next.
    void mailerBox()
    {
        MainWindowRig w = Window();
        QCOMPARE(ReadAll(UserList()), ReadAll(BuildData + QStringLiteral("/formmailers.xml")));
        QComboBox* box = MailerBox(*w);
        // The delivered list also offers Quorvel's own mailer, beside the form.
        QCOMPARE(Entries(box), (QStringList{Default, QStringLiteral("formmailer.php")}));
        const QString address = w->Project().cboFormMailer;
        QCOMPARE(box->currentText(), address);

        WriteAll(UserList(), ListFile({Other}));
        w->LoadFormmailers();
        QCOMPARE(Entries(box), QStringList{Other});
        w->LoadFormmailers();
        QCOMPARE(Entries(box), (QStringList{Other, Default}));
        QCOMPARE(box->currentText(), address);
        QCOMPARE(w->Project().cboFormMailer, address);
        QVERIFY(prompter.entries.isEmpty());
    }

    // A list that cannot be read is reported at the start, which goes on;
    // the file stays as it is through the dialog's "Yes" unless the list
    // was changed there.
    void unreadableList()
    {
        QDir().mkpath(AppData());
        const QByteArray broken = "<xml><formmailers><formmail>https://a.example/f.php</formm";
        WriteAll(UserList(), broken);
        MainWindowRig w = Window();
        QVERIFY(w->isVisible());
        QCOMPARE(prompter.entries.size(), 1);
        QCOMPARE(prompter.entries[0].icon, Prompter::Icon::Error);
        QVERIFY(prompter.entries[0].text.contains(UserList()));
        QVERIFY(Entries(MailerBox(*w)).isEmpty());
        QCOMPARE(ReadAll(UserList()), broken);

        prompter.Clear();
        WhenModal<TfrmFormMailerTemplates>([this](TfrmFormMailerTemplates* dialog) {
            QVERIFY(Rows(Find<QTreeWidget>(*dialog, "lstLinks")).isEmpty());
            prompter.answers << Answer::Yes;
            dialog->reject();
        });
        w->findChild<QAction*>(QStringLiteral("mnuEditFormmailTemplates"))->trigger();
        QCOMPARE(prompter.entries.size(), 2); // the report, then the question
        QVERIFY(prompter.entries[0].text.contains(UserList()));
        QCOMPARE(ReadAll(UserList()), broken);

        WhenModal<TfrmFormMailerTemplates>([this](TfrmFormMailerTemplates* dialog) {
            WhenModal<TfrmFormMailLinkEdit>([](TfrmFormMailLinkEdit* link) {
                link->SetLink(Other);
                link->accept();
            });
            dialog->findChild<QAction*>(QStringLiteral("actNew"))->trigger();
            prompter.answers << Answer::Yes;
            dialog->reject();
        });
        w->findChild<QAction*>(QStringLiteral("mnuEditFormmailTemplates"))->trigger();
        TFormMailerList list(UserList());
        QVERIFY(list.Load());
        QCOMPARE(list.Links(), (QStringList{Other, Default}));
        QCOMPARE(Entries(MailerBox(*w)), QStringList{Other});
    }

    // New (the link dialog keeps the last text), edit (a fresh link dialog
    // with the row's text), delete, and closing: Cancel stays, Yes writes
    // the rows, No leaves the file; the box is reloaded from the file.
    void mailerDialog_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QStringList>("fileAfter");
        QTest::addColumn<QStringList>("boxAfter");
        const QString added = QStringLiteral("https://new.example/formmail.php");
        const QString edited = QStringLiteral("https://edited.example/formmail.php");
        QTest::newRow("yes") << Answer::Yes << QStringList{edited, added, Default}
                             << QStringList{edited, added};
        QTest::newRow("no") << Answer::No << QStringList{Other, Default} << QStringList{Other, Default};
    }

    void mailerDialog()
    {
        QFETCH(Answer, answer);
        QFETCH(QStringList, fileAfter);
        QFETCH(QStringList, boxAfter);
        QDir().mkpath(AppData());
        WriteAll(UserList(), ListFile({Other, Default}));
        MainWindowRig w = Window();
        QComboBox* box = MailerBox(*w);
        const QString added = QStringLiteral("https://new.example/formmail.php");
        const QString edited = QStringLiteral("https://edited.example/formmail.php");
        bool done = false;
        WhenModal<TfrmFormMailerTemplates>([&](TfrmFormMailerTemplates* dialog) {
            auto* list = Find<QTreeWidget>(*dialog, "lstLinks");
            QCOMPARE(Rows(list), (QStringList{Other, Default}));
            QCOMPARE(list->headerItem()->text(0), German("162"));
            WhenModal<TfrmFormMailLinkEdit>([&](TfrmFormMailLinkEdit* link) {
                QCOMPARE(link->Link(), QStringLiteral("http://"));
                auto* edit = Find<QLineEdit>(*link, "edtFormmailLink");
                Retype(edit, added);
                QTest::keyClick(edit, Qt::Key_Return);
            });
            dialog->findChild<QAction*>(QStringLiteral("actNew"))->trigger();
            QCOMPARE(Rows(list), (QStringList{Other, Default, added}));
            QCOMPARE(dialog->NewLinkDialog()->Link(), added);

            list->setCurrentItem(list->topLevelItem(0));
            WhenModal<TfrmFormMailLinkEdit>([&](TfrmFormMailLinkEdit* link) {
                QVERIFY(link != dialog->NewLinkDialog());
                QCOMPARE(link->Link(), Other);
                link->SetLink(edited);
                link->accept();
            });
            dialog->findChild<QAction*>(QStringLiteral("actEdit"))->trigger();
            QCOMPARE(Rows(list), (QStringList{edited, Default, added}));

            list->setCurrentItem(list->topLevelItem(1));
            dialog->findChild<QAction*>(QStringLiteral("actDelete"))->trigger();
            QCOMPARE(Rows(list), (QStringList{edited, added}));
            // Without a selection, edit and delete do nothing.
            list->clearSelection();
            dialog->findChild<QAction*>(QStringLiteral("actDelete"))->trigger();
            QCOMPARE(Rows(list), (QStringList{edited, added}));

            prompter.answers << Answer::Cancel;
            dialog->findChild<QAction*>(QStringLiteral("actExit"))->trigger();
            QVERIFY(dialog->isVisible());
            QCOMPARE(prompter.entries.last().text, Text("txtSaveChanges"));
            QCOMPARE(prompter.entries.last().caption, Text("MsgConfirmation"));
            prompter.answers << answer;
            dialog->findChild<QAction*>(QStringLiteral("actExit"))->trigger();
            done = true;
        });
        w->findChild<QAction*>(QStringLiteral("mnuEditFormmailTemplates"))->trigger();
        QVERIFY(done);
        TFormMailerList list(UserList());
        QVERIFY(list.Load());
        QCOMPARE(list.Links(), fileAfter);
        QCOMPARE(Entries(box), boxAfter);
    }

    // The test buttons open http(s) addresses with the check appended and
    // refuse the rest; a browser that does not start is reported.
    void testButton_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("browserStarts");
        QTest::addColumn<QString>("openedUrl"); // empty: nothing opened
        QTest::addColumn<QString>("message");   // the named text shown, if any
        QTest::newRow("https") << Default << true << Default + QStringLiteral("?action=checkurl") << "";
        QTest::newRow("query as is") << "http://a.example/f.php?x=1" << true
                                     << "http://a.example/f.php?x=1?action=checkurl"
                                     << "";
        QTest::newRow("local file") << "file:///etc/passwd" << true << ""
                                    << "txtFormMailerNoWebAddress";
        QTest::newRow("no scheme") << "forms.example.com/formmail.php" << true << ""
                                   << "txtFormMailerNoWebAddress";
        QTest::newRow("no browser") << Default << false << Default + QStringLiteral("?action=checkurl")
                                    << "txtNoBrowser";
    }

    void testButton()
    {
        QFETCH(QString, address);
        QFETCH(bool, browserStarts);
        QFETCH(QString, openedUrl);
        QFETCH(QString, message);
        MainWindowRig w = Window();
        Record(*w, browserStarts);
        QComboBox* box = MailerBox(*w);
        box->setEditText(address);
        QTest::mouseClick(Find<QPushButton>(*w, "btCheckFormmail"), Qt::LeftButton);
        // The link dialog's button does the same with its own text.
        TfrmFormMailLinkEdit link(w.services.Texts(), prompter, [this, browserStarts](const QUrl& url) {
            opened << url;
            return browserStarts;
        });
        link.SetLink(address);
        QTest::mouseClick(Find<QPushButton>(link, "btCheckFormmail"), Qt::LeftButton);

        QStringList urls;
        for (const QUrl& url : opened)
            urls << url.toString();
        const QStringList expected = openedUrl.isEmpty() ? QStringList() : QStringList{openedUrl, openedUrl};
        QCOMPARE(urls, expected);
        QCOMPARE(prompter.entries.size(), message.isEmpty() ? 0 : 2);
        if (!message.isEmpty())
            QVERIFY(prompter.entries[0].text.startsWith(
                Text(message.toLatin1().constData()).section(u'%', 0, 0)));
    }

    // The help button opens the shipped page of the interface language.
    void helpButton_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("page");
        QTest::newRow("Deutsch") << "Deutsch"
                                 << "de_formmailer.htm";
        QTest::newRow("Englisch") << "Englisch"
                                  << "en_formmailer.htm";
    }

    void helpButton()
    {
        QFETCH(QString, language);
        QFETCH(QString, page);
        MainWindowRig w = Window();
        Record(*w);
        w->Settings().SetLanguage(language);
        MailerBox(*w);
        QTest::mouseClick(Find<QPushButton>(*w, "btHelpFormmail"), Qt::LeftButton);
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened[0].isLocalFile());
        QCOMPARE(QFileInfo(opened[0].toLocalFile()).fileName(), page);
        QVERIFY(QFileInfo(opened[0].toLocalFile()).isFile());
        QVERIFY(ReadAll(opened[0].toLocalFile()).contains("action=checkurl"));
        QVERIFY(prompter.entries.isEmpty());
    }

    // Help (F1, the menu and the tool bar) opens the program's page of the
    // interface language.
    void programHelp_data() { helpButton_data(); }

    void programHelp()
    {
        QFETCH(QString, language);
        MainWindowRig w = Window();
        Record(*w);
        w->Settings().SetLanguage(language);
        QAction* entry = Find<QAction>(*w, "Hilfe2");
        QCOMPARE(entry->shortcut(), QKeySequence(QKeySequence::HelpContents));
        entry->trigger();
        Find<QToolButton>(*w, "ToolButton7")->click();
        QCOMPARE(opened.size(), 2);
        const QString page = language == QLatin1String("Deutsch") ? "de_quorvel.htm" : "en_quorvel.htm";
        for (const QUrl& url : opened) {
            QCOMPARE(QFileInfo(url.toLocalFile()).fileName(), page);
            QVERIFY(ReadAll(url.toLocalFile()).contains("quorvel-cli"));
        }
        QVERIFY(prompter.entries.isEmpty());
    }

    // A language without its own page takes the English one; without any
    // page the user is told which one is missing.
    void helpPageFallback()
    {
        QTemporaryDir data;
        QDir().mkpath(data.filePath(QStringLiteral("help")));
        TLanguageTexts texts(BuildData + QStringLiteral("/lang.ini"), nullptr,
                             [] { return QStringLiteral("Deutsch"); });
        const auto open = [this](const QUrl& url) {
            opened << url;
            return true;
        };
        QVERIFY(!OpenHelpPage(QStringLiteral("formmailer.htm"), texts, data.path(), prompter, open));
        QVERIFY(opened.isEmpty());
        QCOMPARE(prompter.entries.size(), 1);
        QVERIFY(prompter.entries[0].text.contains(QStringLiteral("de_formmailer.htm")));

        WriteAll(data.filePath(QStringLiteral("help/en_formmailer.htm")), "<p>help</p>");
        QVERIFY(OpenHelpPage(QStringLiteral("formmailer.htm"), texts, data.path(), prompter, open));
        QCOMPARE(opened,
                 QList<QUrl>{QUrl::fromLocalFile(data.filePath(QStringLiteral("help/en_formmailer.htm")))});
    }
};

QTEST_MAIN(TestAppWindows)
#include "tst_appwindows.moc"
