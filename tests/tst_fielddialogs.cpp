// The field dialogs driven as a user drives them (typed keys, clicks), with a
// scripted prompter: what each keeps of a field, the name rules, the checks
// on OK, the check-box list's working copies and the calendar design.
#include "ModalDriver.h"
#include "RecordingPrompter.h"

#include "base/LanguageTexts.h"
#include "dialogs/FieldNames.h"
#include "dialogs/ui/frmCalender.h"
#include "dialogs/ui/frmCheckBox.h"
#include "dialogs/ui/frmCheckBoxList.h"
#include "dialogs/ui/frmEinzField.h"
#include "dialogs/ui/frmFileUpload.h"
#include "dialogs/ui/frmListBox.h"
#include "dialogs/ui/frmMehrzField.h"
#include "dialogs/ui/frmPassField.h"
#include "dialogs/ui/frmRadioButtons.h"
#include "dialogs/ui/frmZwText.h"
#include "fields/CalField.h"
#include "fields/CheckBoxList.h"
#include "fields/DropDownField.h"
#include "fields/EinzField.h"
#include "fields/FileField.h"
#include "fields/MehrzField.h"
#include "fields/PassField.h"
#include "fields/RadioField.h"
#include "fields/ZwField.h"
#include "model/FormProject.h"
#include "projectfile/FieldFactory.h"
#include "projectfile/ProjectFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDomDocument>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace
{
const QString Data = QStringLiteral(QUORVEL_TEST_DATA_DIR);

// A field as its project-file element: every property in one text.
QString Xml(const TFormField& field)
{
    QDomDocument doc;
    QDomElement node = doc.createElement(QStringLiteral("forms"));
    doc.appendChild(node);
    field.SetXMLNode(node);
    return doc.toString();
}

std::unique_ptr<TCheckBoxFieldSimple> Box(const QString& name)
{
    auto box = std::make_unique<TCheckBoxFieldSimple>();
    box->Name = name;
    return box;
}

template <typename T> T* Child(QWidget* dialog, const char* name)
{
    T* child = dialog->findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qFatal("no control %s", name);
    return child;
}

void ClickOk(QWidget* dialog)
{
    QPushButton* ok = dialog->findChild<QPushButton*>(QStringLiteral("btOk"));
    if (!ok)
        ok = Child<QPushButton>(dialog, "btOK");
    ok->click();
}
} // namespace

using Setup = std::function<void(TFormProject&)>;
Q_DECLARE_METATYPE(Setup)

class TestFieldDialogs : public QObject
{
    Q_OBJECT

    RecordingPrompter prompter;
    TLanguageTexts texts{Data + QStringLiteral("/lang.ini"), nullptr};
    TFormProject project;
    QTemporaryDir temp;

    TFieldDialogContext Context() { return {project.ListField, texts, prompter, {}}; }
    QString Text(const char* key) const { return texts.Text(QString::fromLatin1(key)); }

    // anrede (radio), ohne (radio without options), datei (upload, no
    // test), liste (boxes news, agb), plz, the edited field "neu" at 5, land
    // (a list after it).
    void ConditionProject()
    {
        auto radio = std::make_unique<TRadioField>();
        radio->Name = QStringLiteral("anrede");
        radio->Felder = QStringLiteral("Frau#Herr#Firma");
        project.ListField.Add(std::move(radio));
        auto empty = std::make_unique<TRadioField>(); // no option to compare with
        empty->Name = QStringLiteral("ohne");
        project.ListField.Add(std::move(empty));
        auto upload = std::make_unique<TFileField>();
        upload->Name = QStringLiteral("datei");
        project.ListField.Add(std::move(upload));
        auto list = std::make_unique<TCheckBoxList>();
        list->Name = QStringLiteral("liste");
        list->ListCheckboxes.push_back(Box(QStringLiteral("news")));
        list->ListCheckboxes.push_back(Box(QStringLiteral("agb")));
        project.ListField.Add(std::move(list));
        auto text = std::make_unique<TEinzField>();
        text->Name = QStringLiteral("plz");
        project.ListField.Add(std::move(text));
        auto edited = std::make_unique<TEinzField>();
        edited->Name = QStringLiteral("neu");
        project.ListField.Add(std::move(edited));
        auto later = std::make_unique<TDropDownField>();
        later->Name = QStringLiteral("land");
        later->Felder = QStringLiteral("DE#AT");
        project.ListField.Add(std::move(later));
    }

    // The field written by the dialog of its kind after loading it, into a
    // fresh field of the same kind; act works the loaded dialog, which edits
    // the field at feldNr.
    std::unique_ptr<TFormField> ThroughDialog(const TFormField& field,
                                              const std::function<void(QDialog*)>& act = {}, int feldNr = -1)
    {
        std::unique_ptr<TFormField> copy = CreateField(field.ClassName());
        const TFieldDialogContext context = Context();
        const auto pass = [&copy, &act, feldNr](auto& dialog, const auto& from) {
            using Field = std::remove_cvref_t<decltype(from)>;
            dialog.feldNr = feldNr;
            dialog.LoadFromObject(from);
            if (act)
                act(&dialog);
            dialog.SaveToObject(*dynamic_cast<Field*>(copy.get()));
        };
        if (auto* f = dynamic_cast<const TEinzField*>(&field)) {
            TfrmEinzField d(context);
            pass(d, *f);
        } else if (auto* m = dynamic_cast<const TMehrzField*>(&field)) {
            TfrmMehrzField d(context);
            pass(d, *m);
        } else if (auto* p = dynamic_cast<const TPassField*>(&field)) {
            TfrmPassField d(context);
            pass(d, *p);
        } else if (auto* l = dynamic_cast<const TCheckBoxList*>(&field)) {
            TfrmCheckBox item(context);
            TfrmCheckBoxList d(context, item);
            pass(d, *l);
        } else if (auto* c = dynamic_cast<const TCheckBoxField*>(&field)) {
            TfrmCheckBox d(context);
            pass(d, *c);
        } else if (auto* r = dynamic_cast<const TRadioField*>(&field)) {
            TfrmRadioButtons d(context);
            pass(d, *r);
        } else if (auto* s = dynamic_cast<const TDropDownField*>(&field)) {
            TfrmListBox d(context);
            pass(d, *s);
        } else if (auto* u = dynamic_cast<const TFileField*>(&field)) {
            TfrmFileUpload d(context);
            pass(d, *u);
        } else if (auto* z = dynamic_cast<const TZwField*>(&field)) {
            TfrmZwText d(context);
            pass(d, *z);
        } else if (auto* k = dynamic_cast<const TCalField*>(&field)) {
            TfrmCalender d(context, project, Data, QString());
            pass(d, *k);
        }
        return copy;
    }

private slots:
    void init()
    {
        prompter.Clear();
        prompter.answers.clear();
        project.ListField.Clear();
    }

    // Every property of every kind survives loading into its dialog and
    // saving back, line ends, markup and quotes included.
    void everyPropertyRoundTrips()
    {
        TFormProject every;
        TProjectFile file(texts);
        QVERIFY(file.LoadProject(every, QStringLiteral(QUORVEL_TEST_FIXTURES "/every_kind.qvf")));
        QVERIFY(every.ListField.Count() >= 10);
        for (const auto& field : every.ListField) {
            // Radio groups and lists keep a stored default no control shows;
            // editing in place keeps it (fieldListCommands).
            if (auto* r = dynamic_cast<TRadioField*>(field.get()))
                r->Vorgabewert.clear();
            if (auto* s = dynamic_cast<TDropDownField*>(field.get()))
                s->Vorgabewert.clear();
            if (auto* k = dynamic_cast<TCalField*>(field.get()))
                k->Groesse.clear(); // a new calendar field has none; an edited one keeps its own
            QCOMPARE(Xml(*ThroughDialog(*field)), Xml(*field));
        }
        // Values the controls cannot show come back unchanged too.
        TEinzField odd;
        odd.Name = QStringLiteral("x");
        odd.PflichtFeldTyp = 7;
        odd.MinPflichtLaenge = 12;
        QCOMPARE(Xml(*ThroughDialog(odd)), Xml(odd));
        TCalField years;
        years.Name = QStringLiteral("d");
        years.StartYear = 1850;
        years.EndYear = 2150;
        QCOMPARE(Xml(*ThroughDialog(years)), Xml(years));
    }

    void startValues()
    {
        TfrmEinzField einz(Context());
        QCOMPARE(einz.feldNr, -1);
        QCOMPARE(Child<QComboBox>(&einz, "cboCheckType")->currentIndex(), -1);
        TEinzField fresh;
        einz.SaveToObject(fresh);
        QCOMPARE(fresh.Groesse, QStringLiteral("15"));
        QCOMPARE(fresh.maxLaenge, QStringLiteral("100"));
        QCOMPARE(fresh.PflichtFeldTyp, -1);

        TfrmMehrzField mehrz(Context());
        TMehrzField m;
        mehrz.SaveToObject(m);
        QCOMPARE(m.Hoehe + QLatin1Char('/') + m.Breite + QLatin1Char('/') + m.maxLaenge,
                 QStringLiteral("5/40/"));
        QCOMPARE(m.zeichenAnzeigeText, Text("txtMultiline0"));
        TfrmCheckBox box(Context());
        TCheckBoxField b;
        box.SaveToObject(b);
        QCOMPARE(b.Vorgabewert, Text("txtCheckbox3"));
        TfrmListBox list(Context());
        TDropDownField l;
        list.SaveToObject(l);
        QCOMPARE(l.Groesse, QStringLiteral("5"));
    }

    // The check kind and its length stay for the next new field; the text
    // after an upload field too. An emptied length counts as none.
    void valuesKeptForTheNextField()
    {
        TfrmEinzField einz(Context());
        TEinzField field;
        field.PflichtFeldTyp = 3;
        field.MinPflichtLaenge = 8;
        einz.LoadFromObject(field);
        QVERIFY(!Child<QLineEdit>(&einz, "edtMindestLaenge")->isHidden());
        einz.ClearAll();
        TEinzField next;
        einz.SaveToObject(next);
        QCOMPARE(next.PflichtFeldTyp, 3);
        QCOMPARE(next.MinPflichtLaenge, 8);

        auto* length = Child<QLineEdit>(&einz, "edtMindestLaenge");
        length->setFocus();
        length->end(false);
        QTest::keyClick(length, Qt::Key_Backspace);
        QTest::keyClicks(length, QStringLiteral("x5"));
        QCOMPARE(length->text(), QStringLiteral("5"));
        length->clear();
        einz.SaveToObject(next);
        QCOMPARE(next.MinPflichtLaenge, 0);
        Child<QComboBox>(&einz, "cboCheckType")->setCurrentIndex(1);
        QVERIFY(length->isHidden());

        TfrmFileUpload upload(Context());
        TFileField withText;
        withText.BeschriftungNach = QStringLiteral("(PDF)");
        upload.LoadFromObject(withText);
        upload.ClearAll();
        TFileField second;
        upload.SaveToObject(second);
        QCOMPARE(second.BeschriftungNach, QStringLiteral("(PDF)"));
        QCOMPARE(second.Groesse, QStringLiteral("15"));
    }

    void nameFilter_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::newRow("digit first dropped") << "" << 0 << "1abc"
                                             << "abc";
        QTest::newRow("digits after a letter") << "" << 0 << "a1_b2"
                                               << "a1_b2";
        QTest::newRow("underscore first") << "" << 0 << "_9"
                                          << "_9";
        QTest::newRow("other characters dropped") << "" << 0 << QString::fromUtf8("ä-b c.d") << "bcd";
        QTest::newRow("digit moved to the front") << "ab" << 0 << "1"
                                                  << "ab";
        QTest::newRow("digit inside") << "ab" << 1 << "1"
                                      << "a1b";
        QTest::newRow("letter at the front") << "b1" << 0 << "a"
                                             << "ab1";
    }

    void nameFilter()
    {
        QFETCH(QString, before);
        QFETCH(int, caret);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        TfrmPassField dialog(Context());
        auto* name = Child<QLineEdit>(&dialog, "edtName");
        name->setText(before);
        name->setCursorPosition(caret);
        // Key by key with its text, as a keyboard layout delivers "ä" too.
        for (const QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(name->text(), after);
        // Backspace always works.
        name->end(false);
        QTest::keyClick(name, Qt::Key_Backspace);
        QCOMPARE(name->text(), after.chopped(1));
    }

    void okChecks_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<int>("feldNr");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("messages");

        const Setup none = [](TFormProject&) {};
        const Setup fields = [](TFormProject& p) {
            auto name = std::make_unique<TEinzField>();
            name->Name = QStringLiteral("name");
            p.ListField.Add(std::move(name));
            p.ListField.Add(std::make_unique<TZwField>());
            auto list = std::make_unique<TCheckBoxList>();
            list->Name = QStringLiteral("liste");
            list->ListCheckboxes.push_back(Box(QStringLiteral("agb")));
            p.ListField.Add(std::move(list));
            auto again = std::make_unique<TEinzField>();
            again->Name = QStringLiteral("name"); // two of one name, from a file
            p.ListField.Add(std::move(again));
        };
        QTest::newRow("empty") << none << -1 << "" << QStringList{"txtCalender0"};
        QTest::newRow("empty beside an intermediate text")
            << fields << -1 << "" << QStringList{"txtCalender0", "txtCalender1"};
        QTest::newRow("pasted digit first") << none << -1 << "1name" << QStringList{"txtCheckFieldName"};
        QTest::newRow("pasted blank") << none << -1 << "a b" << QStringList{"txtCheckFieldName"};
        QTest::newRow("new, taken") << fields << -1 << "name" << QStringList{"txtCalender1"};
        QTest::newRow("new, a list's box") << fields << -1 << "agb" << QStringList{"txtCalender1"};
        QTest::newRow("new, a list's name") << fields << -1 << "liste" << QStringList{"txtCalender1"};
        QTest::newRow("edited, own name") << fields << 0 << "name" << QStringList{"txtCalender1"};
        QTest::newRow("edited, last of two") << fields << 3 << "name" << QStringList{"txtCalender1"};
        QTest::newRow("new, free") << fields << -1 << "vorname" << QStringList{};
        QTest::newRow("case counts") << fields << -1 << "Name" << QStringList{};
    }

    // Both messages can show; a name another field holds anywhere else is
    // taken, even when the edited field holds it too.
    void okChecks()
    {
        QFETCH(Setup, setup);
        QFETCH(int, feldNr);
        QFETCH(QString, name);
        QFETCH(QStringList, messages);
        setup(project);
        QStringList expected;
        for (const QString& key : messages)
            expected << (key == QLatin1String("txtCheckFieldName") ? texts.Text(key).arg(name)
                                                                   : texts.Text(key));
        TfrmEinzField dialog(Context());
        dialog.feldNr = feldNr;
        Child<QLineEdit>(&dialog, "edtName")->setText(name);
        dialog.show();
        Child<QTabWidget>(&dialog, "PageControl1")->setCurrentIndex(1);
        ClickOk(&dialog);
        QCOMPARE(prompter.Texts(), expected);
        QCOMPARE(dialog.isVisible(), !messages.isEmpty());
        QCOMPARE(Child<QTabWidget>(&dialog, "PageControl1")->currentIndex(), 0);
        dialog.reject();
    }

    void getFieldNr()
    {
        auto list = std::make_unique<TCheckBoxList>();
        list->ListCheckboxes.push_back(Box(QStringLiteral("agb")));
        project.ListField.Add(std::make_unique<TZwField>());
        project.ListField.Add(std::make_unique<TZwField>());
        project.ListField.Add(std::move(list));
        QCOMPARE(FieldNames::GetFieldNr(project.ListField, QStringLiteral("agb")), 2);
        project.ListField.Add(std::make_unique<TZwField>());
        project.ListField.Add(std::make_unique<TZwField>());
        auto single = std::make_unique<TEinzField>();
        single->Name = QStringLiteral("agb");
        project.ListField.Add(std::move(single));
        QCOMPARE(FieldNames::GetFieldNr(project.ListField, QStringLiteral("agb")), 5);
        QCOMPARE(FieldNames::GetFieldNr(project.ListField, QStringLiteral("AGB")), -1);
        QVERIFY(FieldNames::TakenElsewhere(project.ListField, QStringLiteral("agb"), 5));
    }

    void calendarChecksAndDesign()
    {
        auto first = std::make_unique<TEinzField>();
        first->Name = QStringLiteral("name");
        project.ListField.Add(std::move(first));
        project.ExtSettings.CalendarDesign.cboFont = QStringLiteral("Verdana");
        TfrmCalender dialog(Context(), project, Data, temp.path());
        dialog.SetColorChooser(
            [](const QColor&, QWidget*) { return std::optional<QColor>(QColor(0x12, 0xAB, 0xEF)); });
        QSignalSpy shown(&dialog, &TfrmCalender::PreviewShown);
        dialog.show();
        QCOMPARE(Child<QComboBox>(&dialog, "cboFont")->currentText(), QStringLiteral("Verdana"));

        // Start after end: refused, and the preview shows the five years before the end.
        Child<QLineEdit>(&dialog, "edtName")->setText(QStringLiteral("name"));
        Child<QSpinBox>(&dialog, "edtStartYear")->setValue(2020);
        Child<QSpinBox>(&dialog, "edtEndYear")->setValue(2019);
        Child<QComboBox>(&dialog, "cboFont")->setCurrentText(QStringLiteral("Courier"));
        Child<QToolButton>(&dialog, "shapeBorderColor")->click();
        QCOMPARE(Child<QLineEdit>(&dialog, "edtBorderColor")->text(), QStringLiteral("12ABEF"));
        ClickOk(&dialog);
        QCOMPARE(prompter.Texts(), QStringList({Text("txtCalender1"), Text("txtCalender2")}));
        QVERIFY(dialog.isVisible());
        QFile page(temp.filePath(QStringLiteral("cal_preview.html")));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QByteArray preview = page.readAll();
        QVERIFY2(preview.contains("2014, 2019"), preview.right(400).constData());
        QVERIFY(preview.contains("Courier") && preview.contains("12ABEF"));
        QVERIFY(shown.wait(10000));

        // A refused OK and then Cancel leave the project's design as it was.
        dialog.reject();
        QCOMPARE(project.ExtSettings.CalendarDesign.cboFont, QStringLiteral("Verdana"));

        prompter.Clear();
        dialog.show();
        Child<QComboBox>(&dialog, "cboFont")->setCurrentText(QStringLiteral("Courier"));
        Child<QLineEdit>(&dialog, "edtName")->setText(QStringLiteral("datum"));
        Child<QSpinBox>(&dialog, "edtEndYear")->setValue(2030);
        ClickOk(&dialog);
        QVERIFY(prompter.Texts().isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(project.ExtSettings.CalendarDesign.cboFont, QStringLiteral("Courier"));
    }

    void countNameUses()
    {
        // Project: "name"; a list "liste" (edited, at 1) with "a"; another list with "b".
        auto name = std::make_unique<TEinzField>();
        name->Name = QStringLiteral("name");
        project.ListField.Add(std::move(name));
        auto edited = std::make_unique<TCheckBoxList>();
        edited->Name = QStringLiteral("liste");
        edited->ListCheckboxes.push_back(Box(QStringLiteral("a")));
        project.ListField.Add(std::move(edited));
        auto other = std::make_unique<TCheckBoxList>();
        other->Name = QStringLiteral("andere");
        other->ListCheckboxes.push_back(Box(QStringLiteral("b")));
        project.ListField.Add(std::move(other));
        TfrmCheckBox item(Context());
        TfrmCheckBoxList dialog(Context(), item);
        dialog.feldNr = 1;
        dialog.LoadFromObject(*dynamic_cast<TCheckBoxList*>(project.ListField[1]));
        dialog.ListField.push_back(Box(QStringLiteral("c")));
        QCOMPARE(dialog.CountNameUses(QStringLiteral("a"), -1), 1); // the working copy
        QCOMPARE(dialog.CountNameUses(QStringLiteral("a"), 0), 0);  // renamed to its own name
        QCOMPARE(dialog.CountNameUses(QStringLiteral("b"), -1), 1); // another list's box
        QCOMPARE(dialog.CountNameUses(QStringLiteral("name"), -1), 1);
        QCOMPARE(dialog.CountNameUses(QStringLiteral("liste"), -1), 2); // stored and typed list name
        Child<QLineEdit>(&dialog, "edtName")->setText(QStringLiteral("neu"));
        QCOMPARE(dialog.CountNameUses(QStringLiteral("neu"), -1), 1);
        QCOMPARE(dialog.CountNameUses(QStringLiteral("frei"), -1), 0);
    }

    // The box commands through the check box dialog, as a user clicks them.
    void checkBoxListItems()
    {
        TfrmCheckBox item(Context());
        TfrmCheckBoxList dialog(Context(), item);
        dialog.show();
        auto* items = Child<QTreeWidget>(&dialog, "ListItems");
        const auto type = [](QWidget* d, const QString& name) {
            auto* edit = Child<QLineEdit>(d, "edtName");
            edit->clear();
            QTest::keyClicks(edit, name);
        };

        // A new box proposes an empty value and hides the text after the field.
        WhenModal<TfrmCheckBox>([&](TfrmCheckBox* d) {
            QVERIFY(Child<QLineEdit>(d, "edtVorgabewert")->text().isEmpty());
            QVERIFY(Child<QLineEdit>(d, "edtTextNach")->isHidden());
            type(d, QStringLiteral("sport"));
            Child<QLineEdit>(d, "edtBeschriftung")->setText(QStringLiteral("<b>Sport</b>"));
            ClickOk(d);
        });
        Child<QPushButton>(&dialog, "sbNew")->click();
        QCOMPARE(items->topLevelItemCount(), 1);
        QCOMPARE(items->topLevelItem(0)->text(1), QStringLiteral("<b>Sport</b>"));
        QVERIFY(!Child<QLineEdit>(&item, "edtTextNach")->isHidden());

        // A second box of the same name: refused, the editor shows again with the typed values.
        int shownTimes = 0;
        WhenModal<TfrmCheckBox>([&](TfrmCheckBox* d) {
            ++shownTimes;
            type(d, QStringLiteral("sport"));
            WhenModal<TfrmCheckBox>([&](TfrmCheckBox* again) {
                ++shownTimes;
                QCOMPARE(Child<QLineEdit>(again, "edtName")->text(), QStringLiteral("sport"));
                again->reject();
            });
            ClickOk(d);
        });
        Child<QPushButton>(&dialog, "sbNew")->click();
        QCOMPARE(shownTimes, 2);
        QCOMPARE(prompter.Texts(), QStringList{Text("txtCalender1")});
        QCOMPARE(items->topLevelItemCount(), 1);

        WhenModal<TfrmCheckBox>([&](TfrmCheckBox* d) {
            type(d, QStringLiteral("musik"));
            Child<QCheckBox>(d, "chkPflicht")->setChecked(true);
            ClickOk(d);
        });
        Child<QPushButton>(&dialog, "sbNew")->click();
        QCOMPARE(items->topLevelItem(1)->text(3), QStringLiteral("x"));

        // Renaming a box to its own name is accepted.
        items->topLevelItem(0)->setSelected(true);
        WhenModal<TfrmCheckBox>([&](TfrmCheckBox* d) { ClickOk(d); });
        Child<QPushButton>(&dialog, "sbEditField")->click();
        QCOMPARE(items->topLevelItem(0)->text(0), QStringLiteral("sport"));

        // Moving: the selection follows; the last row does not move down.
        items->topLevelItem(0)->setSelected(true);
        Child<QPushButton>(&dialog, "sbDown")->click();
        QCOMPARE(items->topLevelItem(1)->text(0), QStringLiteral("sport"));
        QVERIFY(items->topLevelItem(1)->isSelected());
        Child<QPushButton>(&dialog, "sbDown")->click();
        QCOMPARE(items->topLevelItem(1)->text(0), QStringLiteral("sport"));

        // Deleting answered with No keeps the box.
        prompter.Clear();
        prompter.answers = {Prompter::Answer::No};
        Child<QPushButton>(&dialog, "sbDelField")->click();
        QCOMPARE(items->topLevelItemCount(), 2);
        QCOMPARE(prompter.entries.at(0).preselected, Prompter::Answer::No);

        // The list may not take a box's name.
        prompter.Clear();
        Child<QLineEdit>(&dialog, "edtName")->setText(QStringLiteral("musik"));
        ClickOk(&dialog);
        QCOMPARE(prompter.Texts(), QStringList{Text("txtCalender1")});
        Child<QLineEdit>(&dialog, "edtName")->setText(QStringLiteral("hobbys"));
        Child<QCheckBox>(&dialog, "chkCheck")->setChecked(true);
        ClickOk(&dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        TCheckBoxList saved;
        dialog.SaveToObject(saved);
        QCOMPARE(saved.Name, QStringLiteral("hobbys"));
        QVERIFY(saved.Pflicht);
        QCOMPARE(saved.ListCheckboxes.size(), size_t(2));
        QCOMPARE(saved.ListCheckboxes[0]->Name, QStringLiteral("musik"));
        QVERIFY(saved.ListCheckboxes[0]->Pflicht);
    }

    // The condition row of every dialog: only fields before the edited one
    // that a test can check (a list's boxes by name), the tests and values
    // following the chosen field, and OK storing what the row shows.
    void conditionRow_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind :
             {"TEinzField", "TPassField", "TMehrzField", "TDropDownField", "TCheckBoxField", "TZwField",
              "TRadioField", "TFileField", "TCheckBoxList", "TCalField"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }

    void conditionRow()
    {
        QFETCH(QString, kind);
        ConditionProject();
        std::unique_ptr<TFormField> edited = CreateField(kind);
        edited->Name = QStringLiteral("neu");
        const auto combo = [](QDialog* d, const char* name) { return Child<QComboBox>(d, name); };
        const auto entries = [](QComboBox* box) {
            QStringList out;
            for (int i = 0; i < box->count(); ++i)
                out << box->itemText(i);
            return out;
        };
        const auto pick = [](QComboBox* box, const QString& text) {
            const int index = box->findText(text);
            QVERIFY2(index >= 0, qPrintable(text));
            box->setCurrentIndex(index);
        };

        // Set: a radio group's test and one of its options.
        std::unique_ptr<TFormField> saved = ThroughDialog(
            *edited,
            [&](QDialog* d) {
                d->show();
                auto* field = combo(d, "cboConditionField");
                QCOMPARE(entries(field),
                         (QStringList{Text("txtConditionAlways"), "anrede", "news", "agb", "plz"}));
                QCOMPARE(field->currentIndex(), 0);
                QVERIFY(!combo(d, "cboConditionTest")->isEnabled());
                QVERIFY(!combo(d, "cboConditionValue")->isEnabled());
                pick(field, QStringLiteral("anrede"));
                QCOMPARE(entries(combo(d, "cboConditionTest")),
                         (QStringList{Text("txtConditionIs"), Text("txtConditionIsNot")}));
                QCOMPARE(entries(combo(d, "cboConditionValue")), (QStringList{"Frau", "Herr", "Firma"}));
                pick(combo(d, "cboConditionTest"), Text("txtConditionIsNot"));
                pick(combo(d, "cboConditionValue"), QStringLiteral("Herr"));
                d->hide();
            },
            5);
        QCOMPARE(saved->Condition,
                 (TFieldCondition{QStringLiteral("anrede"), TConditionTest::IsNot, QStringLiteral("Herr")}));

        // Change: loading shows it; a box of the list takes the tick tests
        // and no value, a text field the fill tests.
        saved = ThroughDialog(
            *saved,
            [&](QDialog* d) {
                d->show();
                QCOMPARE(combo(d, "cboConditionField")->currentText(), QStringLiteral("anrede"));
                QCOMPARE(combo(d, "cboConditionTest")->currentText(), Text("txtConditionIsNot"));
                QCOMPARE(combo(d, "cboConditionValue")->currentText(), QStringLiteral("Herr"));
                pick(combo(d, "cboConditionField"), QStringLiteral("plz"));
                QCOMPARE(entries(combo(d, "cboConditionTest")),
                         (QStringList{Text("txtConditionIsFilled"), Text("txtConditionIsEmpty")}));
                pick(combo(d, "cboConditionField"), QStringLiteral("agb"));
                QCOMPARE(entries(combo(d, "cboConditionTest")),
                         (QStringList{Text("txtConditionIsTicked"), Text("txtConditionIsNotTicked")}));
                QVERIFY(!combo(d, "cboConditionValue")->isEnabled());
                pick(combo(d, "cboConditionTest"), Text("txtConditionIsNotTicked"));
                d->hide();
            },
            5);
        QCOMPARE(saved->Condition,
                 (TFieldCondition{QStringLiteral("agb"), TConditionTest::IsNotTicked, QString()}));

        // Clear: "(always)" stores none.
        saved = ThroughDialog(
            *saved,
            [&](QDialog* d) {
                d->show();
                combo(d, "cboConditionField")->setCurrentIndex(0);
                d->hide();
            },
            5);
        QVERIFY(!saved->Condition.IsSet());
    }

    // A new field is appended: every field may be named. A condition the row
    // cannot offer is kept and shown as such until another is chosen.
    void conditionNewAndKept()
    {
        ConditionProject();
        TfrmEinzField dialog(Context());
        dialog.show();
        auto* field = Child<QComboBox>(&dialog, "cboConditionField");
        QCOMPARE(field->count(), 7);
        QCOMPARE(field->itemText(6), QStringLiteral("land"));
        dialog.hide();

        TEinzField later;
        later.Name = QStringLiteral("neu");
        later.Condition = {QStringLiteral("land"), TConditionTest::Is, QStringLiteral("DE")};
        dialog.feldNr = 5;
        dialog.LoadFromObject(later);
        dialog.show();
        QCOMPARE(field->currentText(), QStringLiteral("land"));
        QCOMPARE(field->count(), 6); // the five offered ones and the kept one
        auto* note = Child<QLabel>(&dialog, "lblConditionKept");
        QVERIFY(note->isVisible());
        QVERIFY(
            note->text().contains(QStringLiteral("land ") + Text("txtConditionIs") + QStringLiteral(" DE")));
        TEinzField out;
        dialog.SaveToObject(out);
        QCOMPARE(out.Condition, later.Condition);
        field->setCurrentIndex(1);
        QVERIFY(!note->isVisible());
        dialog.SaveToObject(out);
        QCOMPARE(out.Condition,
                 (TFieldCondition{QStringLiteral("anrede"), TConditionTest::Is, QStringLiteral("Frau")}));
        // A new field after this one starts without a condition.
        dialog.hide();
        dialog.ClearAll();
        dialog.show();
        QCOMPARE(field->currentIndex(), 0);
        dialog.SaveToObject(out);
        QVERIFY(!out.Condition.IsSet());

        // A box edited inside a list has no condition of its own.
        TfrmCheckBox box(Context());
        box.ShowTextAfterField(false);
        box.show();
        QVERIFY(Child<QWidget>(&box, "GroupBoxAnzeige")->isHidden());
        TCheckBoxFieldSimple simple;
        simple.Condition = later.Condition; // as a damaged file might hold it
        box.SaveToObject(simple);
        QCOMPARE(simple.Condition, later.Condition);
    }

    void intermediateTextLineEnds()
    {
        TfrmZwText dialog(Context());
        TZwField field;
        field.Beschriftung = QStringLiteral("<p>eins</p>\r\nzwei\r\n");
        for (int round = 0; round < 2; ++round) {
            dialog.LoadFromObject(field);
            dialog.SaveToObject(field);
        }
        QCOMPARE(field.Beschriftung, QStringLiteral("<p>eins</p>\r\nzwei\r\n"));
        dialog.show();
        ClickOk(&dialog); // nothing to check: OK always closes
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(prompter.entries.isEmpty());
    }
};

QTEST_MAIN(TestFieldDialogs)
#include "tst_fielddialogs.moc"
