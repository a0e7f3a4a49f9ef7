// The main window, offscreen, with a scripted prompter: every control carries
// its setting through save and load, the file commands with their save
// question, opening files that fail, colour boxes and buttons, the design
// switches, the copy-to-sender rule, the language switch, the field list,
// and the generation commands with the files they write.
#include "MainWindowRig.h"
#include "ModalDriver.h"
#include "PhpPost.h"
#include "PhpServer.h"
#include "RecordingPrompter.h"
#include "app/AppPaths.h"
#include "app/FileHistory.h"
#include "app/FileVersionInfo.h"
#include "app/ProgramSettings.h"
#include "app/ui/AboutBox.h"
#include "app/ui/FieldEditing.h"
#include "app/ui/SettingBinder.h"
#include "app/ui/frmMain.h"
#include "base/IniFile.h"
#include "base/LanguageTexts.h"
#include "codegen/GenHTML.h"
#include "codegen/GenPHP.h"
#include "codegen/PageFiles.h"
#include "dialogs/ui/frmCheckBox.h"
#include "dialogs/ui/frmCheckBoxList.h"
#include "dialogs/ui/frmEinzField.h"
#include "dialogs/ui/frmMehrzField.h"
#include "dialogs/ui/frmRadioButtons.h"
#include "fields/CalField.h"
#include "fields/CheckBoxList.h"
#include "fields/EinzField.h"
#include "fields/FileField.h"
#include "fields/RadioField.h"
#include "fields/ZwField.h"
#include "model/FormProject.h"
#include "model/SettingKeys.h"
#include "projectfile/ProjectFile.h"
#include "texts/ui/frmHtmlEdit.h"
#include "ui/ColorButton.h"
#include "ui/LazyPage.h"
#include "ui/TranslateInterface.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QToolButton>
#include <QTreeWidget>
#include <QWebEngineView>
#include <QtTest>
#include <memory>
#include <type_traits>

using Answer = Prompter::Answer;

namespace
{
const QString BuildData = QStringLiteral(QUORVEL_TEST_DATA_DIR);

// The settings edited through dialogs rather than on the main window's pages.
const QStringList DialogKeys = {
    QStringLiteral("ip_informationen"),
    QStringLiteral("kopie_absender"),
    QStringLiteral("HTMLExportFileName"),
    QStringLiteral("hide_empty_fields"),
    QStringLiteral("IPErrorPage"),
    QStringLiteral("FileErrorPage"),
    QStringLiteral("CaptchaErrorPage"),
    QStringLiteral("encoding"),
    QStringLiteral("CaptchaErrorMessage"),
    QStringLiteral("ProjectSettings_author"),
    QStringLiteral("ProjectSettings_comment"),
    QStringLiteral("ProjectSettings_title"),
    QStringLiteral("ProjectSettings_company"),
    QStringLiteral("ProjectSettings_url"),
    QStringLiteral("CalendarDesign_cboFont"),
    QStringLiteral("CalendarDesign_edtFontSize"),
    QStringLiteral("CalendarDesign_edtTextColor"),
    QStringLiteral("CalendarDesign_edtBGColorDay"),
    QStringLiteral("CalendarDesign_edtBGColorHeader"),
    QStringLiteral("CalendarDesign_edtTextColorHeader"),
    QStringLiteral("CalendarDesign_edtBGColorCal"),
    QStringLiteral("CalendarDesign_edtBorderSize"),
    QStringLiteral("CalendarDesign_edtBorderType"),
    QStringLiteral("CalendarDesign_edtBorderColor"),
    QStringLiteral("CalendarDesign_cboDateFormat"),
};

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// The setting's text in a project file.
QString FileSetting(const QString& path, const QString& key)
{
    QDomDocument doc;
    doc.setContent(ReadAll(path));
    return doc.documentElement()
        .firstChildElement(QStringLiteral("FileContent"))
        .firstChildElement(key)
        .text();
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_home; // the application-data folder lies below
    std::unique_ptr<QTemporaryDir> m_files;
    RecordingPrompter prompter;

    QString File(const QString& name) const { return m_files->filePath(name); }

    MainWindowRig Window(const QString& startupFile = QString())
    {
        return MainWindowRig(prompter, startupFile);
    }

    // A control of the window by its object name; the pages not shown yet
    // are made for it. A missing control fails the running test and yields a
    // stand-in owned by the window, so the test ends in failures, not the
    // whole program in a crash.
    template <typename T = QWidget> static T* Find(TfrmMain& w, const QString& name)
    {
        if (T* found = w.findChild<T*>(name))
            return found;
        w.BuildAllPages();
        if (T* found = w.findChild<T*>(name))
            return found;
        QTest::qFail(qPrintable(QStringLiteral("no control ") + name), __FILE__, __LINE__);
        T* standIn = nullptr;
        if constexpr (std::is_default_constructible_v<T>)
            standIn = new T;
        else
            standIn = new T(QStringLiteral("missing ") + name);
        standIn->setParent(&w);
        return standIn;
    }
    template <typename T = QWidget> static T* Find(TfrmMain& w, const char* name)
    {
        return Find<T>(w, QString::fromLatin1(name));
    }

    static void Trigger(TfrmMain& w, const char* command) { Find<QAction>(w, command)->trigger(); }

    // Files dropped from a file manager: the drag enters, then drops.
    static void Drop(TfrmMain& w, const QStringList& files)
    {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& file : files)
            urls << QUrl::fromLocalFile(file);
        mime.setUrls(urls);
        const QPoint at = w.rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &drop);
    }

    // A project file of its own: the default project with another title and,
    // when given, these fields instead of its own.
    QString ProjectFile(const QString& name, const QString& title,
                        std::vector<std::unique_ptr<TFormField>> fields = {})
    {
        TLanguageTexts texts(BuildData + QStringLiteral("/lang.ini"), nullptr);
        TFormProject project;
        TProjectFile file(texts);
        if (!file.LoadProject(project, BuildData + QStringLiteral("/default_Deutsch.qvf")))
            qFatal("the default project does not load");
        project.edtTitel = title;
        if (!fields.empty())
            project.ListField.Clear();
        for (auto& f : fields)
            project.ListField.Add(std::move(f));
        const QString path = File(name);
        if (!file.SaveProject(project, path))
            qFatal("cannot save %s", qPrintable(path));
        return path;
    }

    QStringList History() const
    {
        return TFileHistory(GetAppDataFolder(), [] { return 5; }).MenuEntries();
    }

    QString Text(const TfrmMain& w, const char* key) const
    {
        return w.Texts().Text(QString::fromLatin1(key));
    }

private slots:
    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        m_files = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", m_home->path().toLocal8Bit());
        AppPaths::SetDataDirOverride(QString());
        prompter = RecordingPrompter();
    }

    void everySettingOfThePagesHasItsControl()
    {
        auto w = Window();
        w->BuildAllPages();
        const auto* binder = w->findChild<TSettingBinder*>();
        QVERIFY(binder);
        const QStringList bound = binder->BoundKeys();
        for (const TSettingKey& key : SettingKeys()) {
            const bool onPage = !DialogKeys.contains(key.Key());
            QVERIFY2(bound.contains(key.Key()) == onPage, key.key);
        }
    }

    // A value typed into each control is in the project at once, is written
    // by Save As, and comes back into the control when the file is opened
    // after New put the default project in its place.
    void controlRoundTrip_data()
    {
        QTest::addColumn<QString>("key");
        for (const TSettingKey& key : SettingKeys())
            if (!DialogKeys.contains(key.Key()))
                QTest::newRow(key.key) << key.Key();
    }

    void controlRoundTrip()
    {
        QFETCH(QString, key);
        auto w = Window();
        QWidget* control = Find(*w, key);
        const TSettingKey* setting = FindSettingKey(key);
        const auto projectValue = [&]() -> QString {
            if (setting->text)
                return *setting->text(w->Project());
            if (setting->flag)
                return *setting->flag(w->Project()) ? QStringLiteral("-1") : QStringLiteral("0");
            return QString::number(*setting->number(w->Project()));
        };
        const auto shown = [&]() -> QString {
            if (auto* edit = qobject_cast<QLineEdit*>(control))
                return edit->text();
            if (auto* memo = qobject_cast<QPlainTextEdit*>(control))
                return memo->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
            if (auto* check = qobject_cast<QCheckBox*>(control))
                return check->isChecked() ? QStringLiteral("-1") : QStringLiteral("0");
            auto* combo = qobject_cast<QComboBox*>(control);
            return setting->number ? QString::number(combo->currentIndex()) : combo->currentText();
        };

        QString value;
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            value = edit->maxLength() == 6 ? QStringLiteral("12AB34") : QStringLiteral("v ") + key;
            edit->setText(value);
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
            memo->setPlainText(QStringLiteral("first <b>line</b>\nsecond line"));
            value = QStringLiteral("first <b>line</b>\r\nsecond line");
        } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
            check->setChecked(!check->isChecked());
            value = check->isChecked() ? QStringLiteral("-1") : QStringLiteral("0");
        } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
            if (combo->isEditable()) {
                value = QStringLiteral("typed ") + key;
                combo->setEditText(value);
            } else {
                combo->setCurrentIndex(combo->count() - 1);
                value = setting->number ? QString::number(combo->count() - 1) : combo->currentText();
            }
        }
        QCOMPARE(projectValue(), value);
        prompter.fileNames << File(QStringLiteral("round.qvf"));
        Trigger(*w, "actSaveAs");
        // A flag stored only when set is left out of the file when off.
        QCOMPARE(FileSetting(File(QStringLiteral("round.qvf")), key),
                 setting->onlyWhenSet && value == QLatin1String("0") ? QString() : value);

        prompter.answers << Answer::No;
        Trigger(*w, "actNew");
        QVERIFY(shown() != value);
        QVERIFY(w->OpenProjectFile(File(QStringLiteral("round.qvf"))));
        QCOMPARE(shown(), value);
        QCOMPARE(projectValue(), value);
    }

    // Commands that replace or close the project ask first. Cancel keeps
    // everything; No goes on; Yes saves first and goes on only when the
    // project really was saved.
    void saveQuestion_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("withFile"); // the project has a file before
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveAs"); // name given in the Save dialog: "", "new.qvf", "bad"
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<bool>("savedBefore"); // the edit reached a file

        for (const char* command : {"new", "open", "drop", "close", "recent"}) {
            const QByteArray c(command);
            const QString name = QString::fromLatin1(command);
            QTest::newRow(QByteArray(c + " cancel").constData())
                << name << true << int(Answer::Cancel) << QString() << false << false;
            QTest::newRow(QByteArray(c + " no").constData())
                << name << true << int(Answer::No) << QString() << true << false;
            QTest::newRow(QByteArray(c + " yes, has file").constData())
                << name << true << int(Answer::Yes) << QString() << true << true;
            QTest::newRow(QByteArray(c + " yes, dialog").constData())
                << name << false << int(Answer::Yes) << "new.qvf" << true << true;
            QTest::newRow(QByteArray(c + " yes, dialog cancelled").constData())
                << name << false << int(Answer::Yes) << QString() << false << false;
            QTest::newRow(QByteArray(c + " yes, save fails").constData())
                << name << false << int(Answer::Yes) << "bad" << false << false;
        }
    }

    void saveQuestion()
    {
        QFETCH(QString, command);
        QFETCH(bool, withFile);
        QFETCH(int, answer);
        QFETCH(QString, saveAs);
        QFETCH(bool, goesOn);
        QFETCH(bool, savedBefore);

        const QString own = ProjectFile(QStringLiteral("own.qvf"), QStringLiteral("own"));
        const QString other = ProjectFile(QStringLiteral("other.qvf"), QStringLiteral("other"));
        auto w = Window(withFile ? own : QString());
        if (command == QLatin1String("recent")) {
            QVERIFY(TFileHistory(GetAppDataFolder(), [] { return 5; }).WriteFileToHistory(other));
            Find<QMenu>(*w, "Datei1")->aboutToShow();
        }
        const QString statusBefore = w->StatusText();
        Find<QLineEdit>(*w, "edtTitel")->setText(QStringLiteral("edited"));
        prompter.answers << Answer(answer);
        const QString target = saveAs == QLatin1String("bad") ? File(QStringLiteral("missing/x.qvf"))
                               : saveAs.isEmpty()             ? QString()
                                                              : File(saveAs);
        if (!withFile)
            prompter.fileNames << target; // the Save dialog
        prompter.fileNames << other;      // the Open dialog

        bool closed = false;
        if (command == QLatin1String("new")) {
            Trigger(*w, "actNew");
        } else if (command == QLatin1String("open")) {
            Trigger(*w, "actOpen");
        } else if (command == QLatin1String("drop")) {
            Drop(*w, {other});
        } else if (command == QLatin1String("close")) {
            closed = w->close();
        } else {
            QMenu* recent = Find<QMenu>(*w, "mnLastUsed");
            QCOMPARE(recent->actions().size(), 1);
            recent->actions().constFirst()->trigger();
        }

        const RecordingPrompter::Entry& question = prompter.entries.constFirst();
        QVERIFY(question.question);
        if (command == QLatin1String("drop")) {
            QCOMPARE(question.text, QStringLiteral("Soll die aktuelle Datei gespeichert werden?"));
            QCOMPARE(question.caption, QStringLiteral("Speichern?"));
        } else {
            QCOMPARE(question.text, Text(*w, "txtMainFrmSave1"));
            QCOMPARE(question.caption, Text(*w, "txtMainFrmSave2"));
        }
        if (saveAs == QLatin1String("bad"))
            QCOMPARE(prompter.entries.last().icon, Prompter::Icon::Error);

        const QString savedTo = withFile ? own : target;
        if (savedBefore)
            QCOMPARE(FileSetting(savedTo, QStringLiteral("edtTitel")), QStringLiteral("edited"));
        else
            QCOMPARE(FileSetting(own, QStringLiteral("edtTitel")), QStringLiteral("own"));

        if (!goesOn) {
            QVERIFY(!closed);
            QCOMPARE(w->Project().edtTitel, QStringLiteral("edited"));
            QCOMPARE(Find<QLineEdit>(*w, "edtTitel")->text(), QStringLiteral("edited"));
            QCOMPARE(w->Project().strSavePath, withFile ? own : QString());
            QCOMPARE(w->StatusText(), statusBefore);
            return;
        }
        if (command == QLatin1String("close")) {
            QVERIFY(closed);
        } else if (command == QLatin1String("new")) {
            QCOMPARE(w->Project().edtTitel, QStringLiteral("Kontaktformular"));
            QVERIFY(!w->Project().bSaved);
            QCOMPARE(w->Project().strSavePath, QString());
            QCOMPARE(w->StatusText(), QString());
        } else {
            QCOMPARE(w->Project().edtTitel, QStringLiteral("other"));
            QCOMPARE(Find<QLineEdit>(*w, "edtTitel")->text(), QStringLiteral("other"));
            QCOMPARE(w->Project().strSavePath, other);
            QCOMPARE(w->StatusText(), other);
        }
    }

    // After New the project has no file: the next Save asks for one. A
    // project opened from the command line is saved to its file without
    // asking.
    void saveTargets()
    {
        const QString own = ProjectFile(QStringLiteral("own.qvf"), QStringLiteral("own"));
        auto w = Window(own);
        QCOMPARE(w->StatusText(), own);
        Find<QLineEdit>(*w, "edtTitel")->setText(QStringLiteral("saved in place"));
        Trigger(*w, "actSave");
        QVERIFY(prompter.fileRequests.isEmpty());
        QCOMPARE(FileSetting(own, QStringLiteral("edtTitel")), QStringLiteral("saved in place"));
        // A start argument is not entered in the recent files; a save is.
        QCOMPARE(History(), QStringList{own});

        prompter.answers << Answer::No;
        Trigger(*w, "actNew");
        prompter.fileNames << File(QStringLiteral("second"));
        Trigger(*w, "actSave");
        QCOMPARE(prompter.fileRequests.size(), 1);
        const Prompter::FileRequest& request = prompter.fileRequests.constFirst().request;
        QVERIFY(prompter.fileRequests.constFirst().save);
        QCOMPARE(request.fileName, QStringLiteral("formular.qvf"));
        QVERIFY(request.filter.contains(QStringLiteral("*.qvf")));
        QCOMPARE(request.defaultSuffix, QStringLiteral("qvf"));
        QCOMPARE(w->StatusText(), File(QStringLiteral("second")));
    }

    // Open checks the file before it loads it; a file that fails in any way
    // leaves the project, its file, the status bar and the recent files as
    // they were.
    void openFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content"); // empty: no file
        QTest::addColumn<QString>("message");    // the text's key; empty: it opens

        const QByteArray project = ReadAll(BuildData + QStringLiteral("/default_Englisch.qvf"));
        QTest::newRow("missing") << "gone.qvf" << QByteArray() << "txtMainFrmFileNotFound";
        QTest::newRow("wrong extension") << "form.xml" << project << "txtMainFrmExtUnknown";
        QTest::newRow("no extension") << "qvf" << project << "txtMainFrmExtUnknown";
        QTest::newRow("broken") << "broken.qvf" << QByteArray("<xml><FileInfo>") << "txtMainFrmNoQVFile";
        QTest::newRow("another program's file")
            << "alien.qvf" << QByteArray("<xml><FileInfo><Prog>X</Prog></FileInfo><FileContent/></xml>")
            << "txtMainFrmNoQVFile";
        QTest::newRow("upper-case extension") << "FORM.QVF" << project << QString();
        QTest::newRow("mixed-case extension") << "Form.Qvf" << project << QString();
    }

    void openFile()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);

        const QString own = ProjectFile(QStringLiteral("own.qvf"), QStringLiteral("own"));
        auto w = Window();
        QVERIFY(w->OpenProjectFile(own));
        const QString path = File(name);
        if (!content.isEmpty())
            WriteAll(path, content);
        prompter.Clear();
        prompter.answers << Answer::No;
        prompter.fileNames << path;
        Trigger(*w, "actOpen");

        if (message.isEmpty()) {
            QCOMPARE(prompter.entries.size(), 1); // only the save question
            QCOMPARE(w->Project().strSavePath, path);
            QCOMPARE(w->StatusText(), path);
            QCOMPARE(History(), (QStringList{path, own}));
            QCOMPARE(w->Project().edtTitel, QStringLiteral("Contact form"));
            return;
        }
        QCOMPARE(prompter.entries.size(), 2);
        QCOMPARE(prompter.entries.last().text, Text(*w, message.toLatin1().constData()));
        QCOMPARE(w->Project().edtTitel, QStringLiteral("own"));
        QCOMPARE(Find<QLineEdit>(*w, "edtTitel")->text(), QStringLiteral("own"));
        QVERIFY(w->Project().bSaved);
        QCOMPARE(w->Project().strSavePath, own);
        QCOMPARE(w->StatusText(), own);
        QCOMPARE(History(), QStringList{own});
    }

    // A start argument that does not load leaves no trace of itself: the
    // default project stands in, without a file.
    void brokenStartArgument()
    {
        const QString broken = File(QStringLiteral("broken.qvf"));
        WriteAll(broken, "not a project");
        auto w = Window(broken);
        QCOMPARE(prompter.Texts(), QStringList{Text(*w, "txtMainFrmNoQVFile")});
        QCOMPARE(w->Project().edtTitel, QStringLiteral("Kontaktformular"));
        QVERIFY(!w->Project().bSaved);
        QCOMPARE(w->StatusText(), QStringLiteral("unbenannt.qvf"));
    }

    // Dropped files open one after the other, each after its own question;
    // one that fails to load is reported and leaves the project as it was;
    // Cancel ends the drop. They are not entered in the recent files.
    void dropFiles()
    {
        const QString broken = File(QStringLiteral("broken.qvf"));
        WriteAll(broken, "not a project");
        const QString first = ProjectFile(QStringLiteral("first.qvf"), QStringLiteral("first"));
        const QString second = ProjectFile(QStringLiteral("second.qvf"), QStringLiteral("second"));
        auto w = Window();
        prompter.answers << Answer::No << Answer::No << Answer::Cancel;
        Drop(*w, {first, broken, second});
        QCOMPARE(prompter.entries.size(), 4);
        QCOMPARE(prompter.entries[2].text, Text(*w, "txtMainFrmNoQVFile"));
        QCOMPARE(w->Project().edtTitel, QStringLiteral("first"));
        QCOMPARE(w->Project().strSavePath, first);
        QCOMPARE(w->StatusText(), first);
        QVERIFY(History().isEmpty());
    }

    // The recent files, newest first; the open project's own entry does
    // nothing, not even ask.
    void recentFiles()
    {
        const QString a = ProjectFile(QStringLiteral("a.qvf"), QStringLiteral("a"));
        const QString b = ProjectFile(QStringLiteral("b.qvf"), QStringLiteral("b"));
        auto w = Window();
        QVERIFY(w->OpenProjectFile(a));
        QVERIFY(w->OpenProjectFile(b));
        Find<QMenu>(*w, "Datei1")->aboutToShow();
        const QList<QAction*> entries = Find<QMenu>(*w, "mnLastUsed")->actions();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0]->text(), QStringLiteral("b.qvf"));
        QCOMPARE(entries[0]->toolTip(), b);
        QCOMPARE(entries[1]->toolTip(), a);
        prompter.Clear();
        entries[0]->trigger();
        QVERIFY(prompter.entries.isEmpty());
        prompter.answers << Answer::No;
        entries[1]->trigger();
        QCOMPARE(w->Project().edtTitel, QStringLiteral("a"));
    }

    // Leaving a colour box shows its colour on the button when the text is
    // six hexadecimal digits; anything else leaves the button as it was.
    void colourBoxToButton_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QColor>("shown");
        QTest::newRow("error colour") << "edtErrorColor"
                                      << "cboColorError"
                                      << "ff0000" << QColor(255, 0, 0);
        QTest::newRow("background, mixed case") << "edtHGColor"
                                                << "cboBGColor"
                                                << "12aB9f" << QColor(0x12, 0xAB, 0x9F);
        QTest::newRow("five digits") << "edtTextColor"
                                     << "cboTextColor"
                                     << "12345" << QColor(0x1F, 0x29, 0x37);
        QTest::newRow("not hexadecimal") << "edtTabColor"
                                         << "cboTabColor"
                                         << "GG0000" << QColor(0xFF, 0xFF, 0xFF);
        QTest::newRow("field font colour") << "edtFontColorFormField"
                                           << "colorButtonFormField"
                                           << "00ff00" << QColor(0, 255, 0);
    }

    void colourBoxToButton()
    {
        QFETCH(QString, box);
        QFETCH(QString, button);
        QFETCH(QString, typed);
        QFETCH(QColor, shown);
        auto w = Window();
        auto* edit = Find<QLineEdit>(*w, box);
        auto* swatch = Find<TColorButton>(*w, button);
        edit->clear();
        QTest::keyClicks(edit, typed);
        QFocusEvent leave(QEvent::FocusOut);
        QApplication::sendEvent(edit, &leave);
        QCOMPARE(swatch->Color(), shown);
        if (box == QLatin1String("edtHGColor"))
            QCOMPARE(TColorButton::FromColorValue(w->Project().cboBGColor), shown);
    }

    // Picking a colour writes it into the box in upper case; a cancelled
    // dialog changes nothing.
    void colourButtonToBox()
    {
        auto w = Window();
        std::optional<QColor> answer = QColor(Qt::white);
        QColor offered;
        w->SetColorChooser([&](const QColor& initial, QWidget*) {
            offered = initial;
            return answer;
        });
        auto* swatch = Find<TColorButton>(*w, "cboBGColor");
        auto* box = Find<QLineEdit>(*w, "edtHGColor");
        box->setText(QStringLiteral("ff0000"));
        QFocusEvent leave(QEvent::FocusOut);
        QApplication::sendEvent(box, &leave);
        swatch->click();
        QCOMPARE(offered, QColor(Qt::red));
        QCOMPARE(box->text(), QStringLiteral("FFFFFF"));
        QCOMPARE(w->Project().edtHGColor, QStringLiteral("FFFFFF"));
        QCOMPARE(w->Project().cboBGColor, 0xFFFFFFu);
        QCOMPARE(swatch->Color(), QColor(Qt::white));

        answer = QColor(0x12, 0x34, 0x56);
        Find<TColorButton>(*w, "cboButtonColor")->click();
        QCOMPARE(Find<QLineEdit>(*w, "edtFarbeButton")->text(), QStringLiteral("123456"));

        answer.reset();
        swatch->click();
        QCOMPARE(box->text(), QStringLiteral("FFFFFF"));
    }

    // After a load every button shows the colour of its box.
    void coloursFollowLoad()
    {
        const QString path = ProjectFile(QStringLiteral("c.qvf"), QStringLiteral("c"));
        auto w = Window();
        QVERIFY(w->OpenProjectFile(path));
        for (const TColorLinks::Pair& pair : TColorLinks::Pairs) {
            const QString text = Find<QLineEdit>(*w, pair.box)->text();
            QColor expected(QStringLiteral("#") + text);
            QCOMPARE(Find<TColorButton>(*w, pair.button)->Color(), expected);
        }
    }

    // The style panels follow their switches, when the user clicks them and
    // when a load sets them; the reset caption stays visible.
    void designSwitches_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<bool>("shownWhenOn");
        QTest::newRow("standard buttons") << "cboStandardButton"
                                          << "pButtonDesign" << false;
        QTest::newRow("standard fields") << "cboStandardFeld"
                                         << "pCSSFormularfeld" << false;
        QTest::newRow("print button") << "chkPrintButton"
                                      << "edtPrint" << true;
        QTest::newRow("reset button") << "chkResetButton"
                                      << "edtCancelButton" << true;
    }

    void designSwitches()
    {
        QFETCH(QString, flag);
        QFETCH(QString, panel);
        QFETCH(bool, shownWhenOn);
        auto w = Window();
        w->Pages()->setCurrentWidget(Find(*w, "TabSheet1"));
        auto* check = Find<QCheckBox>(*w, flag);
        QWidget* shown = Find(*w, panel);
        const bool alwaysShown = flag == QLatin1String("chkResetButton");
        for (bool on : {true, false, true}) {
            check->setChecked(on);
            QCOMPARE(shown->isVisible(), alwaysShown || on == shownWhenOn);
        }
        // Saved with the switch off, loaded over a project that has it on.
        check->setChecked(false);
        prompter.fileNames << File(QStringLiteral("off.qvf"));
        Trigger(*w, "actSaveAs");
        check->setChecked(true);
        QVERIFY(w->OpenProjectFile(File(QStringLiteral("off.qvf"))));
        QVERIFY(!check->isChecked());
        QCOMPARE(shown->isVisible(), alwaysShown || !shownWhenOn);
    }

    // A copy to the sender needs a field named exactly "email"; without the
    // picture code the user learns that the PHP page sends no copy.
    void copyToSender_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("wasOn");
        QTest::addColumn<bool>("captcha");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("email field") << "email" << false << true << true;
        QTest::newRow("email field, no picture code") << "email" << false << false << true;
        QTest::newRow("Email field") << "Email" << false << true << false;
        QTest::newRow("no such field") << "name" << false << true << false;
        QTest::newRow("loaded on without the field") << "name" << true << true << false;
    }

    void copyToSender()
    {
        QFETCH(QString, field);
        QFETCH(bool, wasOn);
        QFETCH(bool, captcha);
        QFETCH(bool, allowed);
        auto f = std::make_unique<TEinzField>();
        f->Name = field;
        std::vector<std::unique_ptr<TFormField>> fields;
        fields.push_back(std::move(f));
        const QString path = ProjectFile(QStringLiteral("p.qvf"), QStringLiteral("p"), std::move(fields));
        auto w = Window(path);
        w->Project().chkAbsender = wasOn;
        w->Project().chkCaptcha = captcha;
        w->ShowProject();
        w->Pages()->setCurrentWidget(Find(*w, "TabSheet3"));
        auto* check = Find<QCheckBox>(*w, "chkAbsender");
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
        if (allowed) {
            if (captcha) {
                QVERIFY(prompter.entries.isEmpty());
            } else {
                QCOMPARE(prompter.entries.size(), 1);
                QCOMPARE(prompter.entries[0].text, Text(*w, "txtMainFrmCopyNeedsCaptcha"));
                QCOMPARE(prompter.entries[0].icon, Prompter::Icon::Warning);
            }
            QVERIFY(check->isChecked());
            QVERIFY(w->Project().chkAbsender);
            return;
        }
        QCOMPARE(prompter.entries.size(), 1);
        QCOMPARE(prompter.entries[0].text, Text(*w, "txtMainFrmEmailField"));
        QCOMPARE(prompter.entries[0].caption, Text(*w, "MsgInformation"));
        QCOMPARE(prompter.entries[0].icon, Prompter::Icon::Information);
        QVERIFY(!check->isChecked());
        QVERIFY(!w->Project().chkAbsender);
    }

    // "Info" shows the program's own version information and the word on
    // the program in the language of the moment.
    void aboutBox()
    {
        auto w = Window();
        const TFileVersionInfo version = TFileVersionInfo::OfProgram();
        QMap<QString, QString> shown; // what the window showed, by control
        const auto read = [&shown](TAboutBox* about) {
            shown.clear();
            shown[QStringLiteral("title")] = about->windowTitle();
            for (const char* name : {"lbProductName", "lbVersion", "lbCopyright", "lbComments"})
                shown[QLatin1String(name)] = about->findChild<QLabel*>(QLatin1String(name))->text();
            about->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
        };
        WhenModal<TAboutBox>(read);
        Trigger(*w, "actInfo");
        QCOMPARE(shown.value(QStringLiteral("lbProductName")), QStringLiteral("Quorvel"));
        QCOMPARE(shown.value(QStringLiteral("lbVersion")), version.DisplayedVersion());
        QCOMPARE(shown.value(QStringLiteral("lbCopyright")), version.LegalCopyRight);
        QCOMPARE(shown.value(QStringLiteral("lbComments")), Text(*w, "txtAbout0"));

        w->Settings().SetLanguage(QStringLiteral("Englisch"));
        w->TranslateInterface();
        WhenModal<TAboutBox>(read);
        Trigger(*w, "actInfo");
        QCOMPARE(shown.value(QStringLiteral("title")),
                 Find<QAction>(*w, "Info1")->text().remove(QLatin1Char('&')));
        QCOMPARE(shown.value(QStringLiteral("lbComments")), Text(*w, "txtAbout0"));
        QVERIFY(Text(*w, "txtAbout0").contains(QLatin1String("without")));
    }

    // The splash closes by itself, showing the version and the copyright.
    void splashClosesByItself()
    {
        TfrmSplash splash;
        const TFileVersionInfo version = TFileVersionInfo::OfProgram();
        QCOMPARE(splash.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
                 QStringLiteral("Version ") + version.DisplayedVersion());
        QCOMPARE(splash.findChild<QLabel*>(QStringLiteral("lblCopyright"))->text(), version.LegalCopyRight);
        QElapsedTimer shown;
        shown.start();
        // Shown without a modal loop of its own, so that nothing waiting
        // for a modal dialog takes it for its own.
        splash.show();
        QTRY_VERIFY_WITH_TIMEOUT(!splash.isVisible(), 10000);
        QCOMPARE(splash.result(), int(QDialog::Accepted));
        QVERIFY(shown.elapsed() >= TfrmSplash::ShownMs - 50);
        QVERIFY(shown.elapsed() < TfrmSplash::ShownMs + 3000);
    }

    // The version command starts the updater beside the program, or says
    // that none is installed.
    void versionCheck()
    {
        auto w = Window();
        QTemporaryDir folder;
        prompter.Clear();
        w->CheckForNewVersion(folder.path());
        QCOMPARE(prompter.Texts(), QStringList{Text(*w, "txtMainFrmNoUpdater")});

        const QString ran = folder.filePath(QStringLiteral("ran"));
        WriteAll(folder.filePath(QStringLiteral("updater")), "#!/bin/sh\ntouch \"$(dirname \"$0\")/ran\"\n");
        QFile::setPermissions(folder.filePath(QStringLiteral("updater")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        prompter.Clear();
        w->CheckForNewVersion(folder.path());
        QVERIFY(prompter.Texts().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(ran), 5000);
    }

    // Switching the language re-translates every kind of control at once;
    // the table alignment keeps its choice.
    void languageSwitch()
    {
        auto w = Window();
        auto* align = Find<QComboBox>(*w, "cboTabAusrichtung");
        align->setCurrentIndex(2);
        TIniFile lang(BuildData + QStringLiteral("/lang.ini"));
        const auto english = [&](const char* key) {
            return TLanguageTexts::DecodeWindowText(
                lang.ReadString(QStringLiteral("Englisch"), QString::fromLatin1(key)));
        };
        QVERIFY(english("27") != lang.ReadString(QStringLiteral("Deutsch"), QStringLiteral("27")));

        w->Settings().SetLanguage(QStringLiteral("Englisch"));
        w->TranslateInterface();
        QCOMPARE(w->Pages()->tabText(0), english("27"));
        QCOMPARE(Find<QLabel>(*w, "Label3")->text(), english("61"));
        QCOMPARE(Find<QGroupBox>(*w, "GroupBox2")->title(), english("58"));
        QCOMPARE(Find<QCheckBox>(*w, "chkAbsender")->text(), english("76"));
        QCOMPARE(Find<QPushButton>(*w, "sbDelField")->text(), english("35"));
        QCOMPARE(Find<QPushButton>(*w, "sbDelField")->toolTip(), english("35"));
        QCOMPARE(Find<QToolButton>(*w, "ToolButton1")->toolTip(), english("2"));
        QCOMPARE(Find<QAction>(*w, "Speichernunter1")->text(), english("5"));
        QCOMPARE(Find<QMenu>(*w, "Datei1")->title(), english("1"));
        QCOMPARE(Find<QTreeWidget>(*w, "itemList")->headerItem()->text(5), english("56"));
        QCOMPARE(Find<QLabel>(*w, "Label18")->text(), english("73"));
        QCOMPARE(align->itemText(0),
                 lang.ReadString(QStringLiteral("Englisch"), QStringLiteral("cboTabAusrichtung0")));
        QCOMPARE(align->currentIndex(), 2);
        QCOMPARE(w->Project().cboTabAusrichtung, 2);
        QCOMPARE(w->windowTitle(), QStringLiteral("Quorvel"));
        // Edit boxes keep their text whatever key they might carry.
        QCOMPARE(Find<QLineEdit>(*w, "edtTitel")->text(), w->Project().edtTitel);
    }

    // The window opens with its first page only. Another page is made when
    // it is first shown: in the language of that moment, with the values of
    // the project loaded before, its colour buttons showing their boxes, its
    // controls writing into the project and its buttons working.
    void pagesAreMadeWhenFirstShown()
    {
        auto w = Window();
        QTabWidget* pages = w->Pages();
        for (int i = 1; i < pages->count(); ++i) {
            auto* page = qobject_cast<TLazyPage*>(pages->widget(i));
            QVERIFY2(page && !page->IsBuilt(), qPrintable(pages->widget(i)->objectName()));
        }
        QVERIFY(!w->findChild<QLineEdit*>(QStringLiteral("edtEMail")));

        w->Project().edtEMail = QStringLiteral("early@example.org");
        w->Project().edtHGColor = QStringLiteral("12AB34");
        w->Project().cboStandardButton = false;
        w->ShowProject();
        w->Settings().SetLanguage(QStringLiteral("Englisch"));
        w->TranslateInterface();
        TIniFile lang(BuildData + QStringLiteral("/lang.ini"));
        const auto english = [&](const char* key) {
            return TLanguageTexts::DecodeWindowText(
                lang.ReadString(QStringLiteral("Englisch"), QString::fromLatin1(key)));
        };

        pages->setCurrentWidget(w->findChild<QWidget*>(QStringLiteral("TabSheet3")));
        auto* mail = w->findChild<QLineEdit*>(QStringLiteral("edtEMail"));
        QVERIFY(mail && mail->isVisible());
        QCOMPARE(mail->text(), QStringLiteral("early@example.org"));
        QCOMPARE(w->findChild<QLabel*>(QStringLiteral("Label3"))->text(), english("61"));
        mail->setText(QStringLiteral("typed@example.org"));
        QCOMPARE(w->Project().edtEMail, QStringLiteral("typed@example.org"));
        // The copy to the sender still asks for a field named email.
        prompter.Clear();
        auto* copy = w->findChild<QCheckBox*>(QStringLiteral("chkAbsender"));
        QTest::mouseClick(copy, Qt::LeftButton, {}, QPoint(6, copy->height() / 2));
        QCOMPARE(prompter.entries.size(), 1);

        pages->setCurrentWidget(w->findChild<QWidget*>(QStringLiteral("ts1")));
        QCOMPARE(w->findChild<TColorButton*>(QStringLiteral("cboBGColor"))->Color(),
                 QColor(0x12, 0xAB, 0x34));
        pages->setCurrentWidget(w->findChild<QWidget*>(QStringLiteral("TabSheet1")));
        QVERIFY(w->findChild<QWidget*>(QStringLiteral("pButtonDesign"))->isVisible());
        // The other pages stay unmade.
        QVERIFY(!qobject_cast<TLazyPage*>(w->findChild<QWidget*>(QStringLiteral("FTP")))->IsBuilt());
    }

    // A section without a key empties the texts under it: no fallback.
    void missingKeyEmptiesText()
    {
        auto w = Window();
        const QString lang = File(QStringLiteral("lang.ini"));
        WriteAll(lang, "[Deutsch]\n28=Aussehen\n");
        TranslateInterface(TLanguageTexts(lang, nullptr), QStringLiteral("Deutsch"));
        QCOMPARE(w->Pages()->tabText(0), QString());
        QCOMPARE(w->Pages()->tabText(2), QStringLiteral("Aussehen"));
        // A missing file leaves every text alone.
        TranslateInterface(TLanguageTexts(File(QStringLiteral("none.ini")), nullptr),
                           QStringLiteral("Deutsch"));
        QCOMPARE(w->Pages()->tabText(2), QStringLiteral("Aussehen"));
    }

    // The field list: one row per field with its label stripped of markup,
    // the kind's name, the marks and the message of required fields; the
    // placeholders list the kinds whose value a mail can show.
    void fieldList()
    {
        std::vector<std::unique_ptr<TFormField>> fields;
        auto text = std::make_unique<TEinzField>();
        text->Name = QStringLiteral("name");
        text->Beschriftung = QStringLiteral("<b>Name</b>&nbsp;*");
        text->Pflicht = true;
        text->Cookie = true;
        fields.push_back(std::move(text));
        auto cal = std::make_unique<TCalField>();
        cal->Name = QStringLiteral("datum");
        cal->Meldung = QStringLiteral("not required, not shown");
        cal->StartYear = 2020;
        cal->EndYear = 2021;
        fields.push_back(std::move(cal));
        auto between = std::make_unique<TZwField>();
        between->Name = QStringLiteral("zw");
        fields.push_back(std::move(between));
        auto file = std::make_unique<TFileField>();
        file->Name = QStringLiteral("upload");
        file->Pflicht = true;
        file->Meldung = QStringLiteral("Bitte Datei");
        fields.push_back(std::move(file));
        const QString path = ProjectFile(QStringLiteral("f.qvf"), QStringLiteral("f"), std::move(fields));

        auto w = Window(path);
        QTreeWidget* list = Find<QTreeWidget>(*w, "itemList");
        QCOMPARE(list->topLevelItemCount(), 4);
        const auto row = [&](int r) {
            QStringList cells;
            for (int c = 0; c < 6; ++c)
                cells << list->topLevelItem(r)->text(c);
            return cells;
        };
        QCOMPARE(row(0), (QStringList{"name", "Name *", Text(*w, "39"), "X", "X", ""}));
        QCOMPARE(row(1), (QStringList{"datum", "", Text(*w, "48"), "", "", ""}));
        QCOMPARE(row(3), (QStringList{"upload", "", Text(*w, "46"), "X", "", "Bitte Datei"}));
        QVERIFY(list->selectedItems().isEmpty());
        auto* placeholders = Find<QComboBox>(*w, "cboPlatzhalter");
        QStringList names;
        for (int i = 0; i < placeholders->count(); ++i)
            names << placeholders->itemText(i);
        QCOMPARE(names, (QStringList{"name", "datum"}));
        // a placeholder goes into the mail text at the caret
        auto* memo = Find<QPlainTextEdit>(*w, "memoMailtext");
        memo->setPlainText(QStringLiteral("Hallo , danke"));
        QTextCursor caret = memo->textCursor();
        caret.setPosition(6);
        memo->setTextCursor(caret);
        placeholders->setCurrentIndex(1);
        Find<QPushButton>(*w, "btPlatzhalter")->click();
        QCOMPARE(w->Project().memoMailtext, QStringLiteral("Hallo {#datum#}, danke"));

        // Delete, up and down do nothing without a selected row.
        Find<QPushButton>(*w, "sbDelField")->click();
        Find<QPushButton>(*w, "sbUp")->click();
        QVERIFY(prompter.entries.isEmpty());
        QCOMPARE(row(0).first(), QStringLiteral("name"));

        list->topLevelItem(1)->setSelected(true);
        Find<QPushButton>(*w, "sbUp")->click();
        QCOMPARE(row(0).first(), QStringLiteral("datum"));
        QCOMPARE(list->selectedItems().constFirst()->text(0), QStringLiteral("datum"));
        Find<QPushButton>(*w, "sbUp")->click(); // already the first
        QCOMPARE(row(0).first(), QStringLiteral("datum"));

        prompter.answers << Answer::No;
        Find<QPushButton>(*w, "sbDelField")->click();
        QCOMPARE(prompter.entries.constFirst().text, Text(*w, "txtMainFrmDelete"));
        QCOMPARE(prompter.entries.constFirst().preselected, Answer::No);
        QCOMPARE(w->Project().ListField.Count(), 4);
        QVERIFY(list->selectedItems().isEmpty());
        list->topLevelItem(3)->setSelected(true);
        prompter.answers << Answer::Yes;
        Find<QPushButton>(*w, "sbDelField")->click();
        QCOMPARE(w->Project().ListField.Count(), 3);
        QCOMPARE(list->topLevelItemCount(), 3);
    }

    // Adding and editing through the kind menu, the buttons and a double
    // click; Cancel changes nothing, and values without a control survive.
    void addAndEditFields()
    {
        auto radio = std::make_unique<TRadioField>();
        radio->Name = QStringLiteral("anrede");
        radio->Felder = QStringLiteral("Frau#Herr");
        radio->Vorgabewert = QStringLiteral("kept");
        std::vector<std::unique_ptr<TFormField>> fields;
        fields.push_back(std::move(radio));
        auto w = Window(ProjectFile(QStringLiteral("r.qvf"), QStringLiteral("r"), std::move(fields)));
        QTreeWidget* list = Find<QTreeWidget>(*w, "itemList");

        // Edit without a selected row does nothing.
        Find<QPushButton>(*w, "sbEditField")->click();
        QVERIFY(prompter.entries.isEmpty());

        WhenModal<TfrmEinzField>([](TfrmEinzField* d) {
            QCOMPARE(d->feldNr, -1);
            TypeText(d->findChild<QLineEdit*>(QStringLiteral("edtName")), QStringLiteral("telefon"));
            d->findChild<QPushButton*>(QStringLiteral("btOk"))->click();
        });
        Find<QAction>(*w, "EinzeiligesTextfeld1")->trigger();
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(1)->text(0), QStringLiteral("telefon"));
        QVERIFY(list->selectedItems().isEmpty());

        WhenModal<TfrmEinzField>([](TfrmEinzField* d) {
            TypeText(d->findChild<QLineEdit*>(QStringLiteral("edtName")), QStringLiteral("fax"));
            d->reject();
        });
        Find<QAction>(*w, "EinzeiligesTextfeld1")->trigger();
        QCOMPARE(w->Project().ListField.Count(), 2);

        // Double click edits; the group's stored default has no control and stays.
        WhenModal<TfrmRadioButtons>([](TfrmRadioButtons* d) {
            QCOMPARE(d->feldNr, 0);
            Retype(d->findChild<QLineEdit*>(QStringLiteral("edtBeschriftung")), QStringLiteral("Anrede"));
            d->findChild<QPushButton*>(QStringLiteral("btOk"))->click();
        });
        emit list->itemDoubleClicked(list->topLevelItem(0), 0);
        auto* edited = dynamic_cast<TRadioField*>(w->Project().ListField[0]);
        QVERIFY(edited);
        QCOMPARE(edited->Beschriftung, QStringLiteral("Anrede"));
        QCOMPARE(edited->Vorgabewert, QStringLiteral("kept"));
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("Anrede"));

        // Cancel after changes leaves the field as it was.
        list->topLevelItem(1)->setSelected(true);
        WhenModal<TfrmEinzField>([](TfrmEinzField* d) {
            Retype(d->findChild<QLineEdit*>(QStringLiteral("edtName")), QStringLiteral("mobil"));
            d->reject();
        });
        Find<QPushButton>(*w, "sbEditField")->click();
        QCOMPARE(w->Project().ListField[1]->Name, QStringLiteral("telefon"));

        // A name the other field holds is refused; the dialog stays open.
        list->topLevelItem(1)->setSelected(true);
        WhenModal<TfrmEinzField>([&](TfrmEinzField* d) {
            Retype(d->findChild<QLineEdit*>(QStringLiteral("edtName")), QStringLiteral("anrede"));
            d->findChild<QPushButton*>(QStringLiteral("btOk"))->click();
            QVERIFY(d->isVisible());
            d->reject();
        });
        Find<QPushButton>(*w, "sbEditField")->click();
        QCOMPARE(prompter.Texts(), QStringList{Text(*w, "txtCalender1")});
        QCOMPARE(w->Project().ListField[1]->Name, QStringLiteral("telefon"));

        // The keys of the list: Enter edits, Alt+Up moves, Delete deletes.
        QApplication::setActiveWindow(w.get());
        list->setFocus();
        QVERIFY(list->hasFocus());
        list->topLevelItem(1)->setSelected(true);
        bool opened = false;
        WhenModal<TfrmEinzField>([&](TfrmEinzField* d) {
            opened = true;
            d->reject();
        });
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(opened);
        QApplication::setActiveWindow(w.get());
        list->setFocus();
        list->topLevelItem(1)->setSelected(true);
        QTest::keyClick(list, Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(w->Project().ListField[0]->Name, QStringLiteral("telefon"));
        prompter.answers << Answer::Yes;
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(w->Project().ListField.Count(), 1);
        QCOMPARE(w->Project().ListField[0]->Name, QStringLiteral("anrede"));
    }

    // Conditions in the field list: the column, a rename in a dialog, and a
    // delete or a move that would leave a condition naming nothing or a
    // field after it asks first.
    void conditionsFollowTheFields()
    {
        const auto text = [](const char* name, const TFieldCondition& condition) {
            auto field = std::make_unique<TEinzField>();
            field->Name = QString::fromLatin1(name);
            field->Condition = condition;
            return field;
        };
        const TFieldCondition company{QStringLiteral("anrede"), TConditionTest::Is, QStringLiteral("Firma")};
        auto radio = std::make_unique<TRadioField>();
        radio->Name = QStringLiteral("anrede");
        radio->Felder = QStringLiteral("Frau#Herr#Firma");
        auto list = std::make_unique<TCheckBoxList>();
        list->Name = QStringLiteral("liste");
        auto box = std::make_unique<TCheckBoxFieldSimple>();
        box->Name = QStringLiteral("news");
        list->ListCheckboxes.push_back(std::move(box));
        std::vector<std::unique_ptr<TFormField>> fields;
        fields.push_back(std::move(radio));
        fields.push_back(text("firma", company));
        fields.push_back(text("abteilung", company));
        fields.push_back(std::move(list));
        fields.push_back(text("notiz", {QStringLiteral("news"), TConditionTest::IsTicked, QString()}));
        auto w = Window(ProjectFile(QStringLiteral("c.qvf"), QStringLiteral("c"), std::move(fields)));
        TFieldList& project = w->Project().ListField;
        QTreeWidget* rows = Find<QTreeWidget>(*w, "itemList");
        const auto select = [rows](int row) {
            rows->clearSelection();
            rows->topLevelItem(row)->setSelected(true);
        };
        QCOMPARE(rows->headerItem()->text(6), Text(*w, "442"));
        QCOMPARE(rows->topLevelItem(0)->text(6), QString());
        QCOMPARE(rows->topLevelItem(1)->text(6), "anrede " + Text(*w, "txtConditionIs") + " Firma");
        QCOMPARE(rows->topLevelItem(4)->text(6), "news " + Text(*w, "txtConditionIsTicked"));

        // Renaming the radio group, and a box inside its list, renames the conditions.
        select(0);
        WhenModal<TfrmRadioButtons>([](TfrmRadioButtons* d) {
            Retype(d->findChild<QLineEdit*>(QStringLiteral("edtName")), QStringLiteral("gruss"));
            d->findChild<QPushButton*>(QStringLiteral("btOk"))->click();
        });
        Find<QPushButton>(*w, "sbEditField")->click();
        QCOMPARE(project[1]->Condition.Field, QStringLiteral("gruss"));
        QCOMPARE(project[2]->Condition.Field, QStringLiteral("gruss"));
        QCOMPARE(rows->topLevelItem(2)->text(6), "gruss " + Text(*w, "txtConditionIs") + " Firma");
        select(3);
        WhenModal<TfrmCheckBoxList>([](TfrmCheckBoxList* d) {
            auto* items = d->findChild<QTreeWidget*>(QStringLiteral("ListItems"));
            items->topLevelItem(0)->setSelected(true);
            WhenModal<TfrmCheckBox>([](TfrmCheckBox* item) {
                QVERIFY(item->findChild<QWidget*>(QStringLiteral("GroupBoxAnzeige"))->isHidden());
                Retype(item->findChild<QLineEdit*>(QStringLiteral("edtName")), QStringLiteral("infos"));
                item->findChild<QPushButton*>(QStringLiteral("btOk"))->click();
            });
            d->findChild<QPushButton*>(QStringLiteral("sbEditField"))->click();
            d->findChild<QPushButton*>(QStringLiteral("btOK"))->click();
        });
        Find<QPushButton>(*w, "sbEditField")->click();
        QCOMPARE(project[4]->Condition.Field, QStringLiteral("infos"));
        QVERIFY(prompter.entries.isEmpty());

        // Deleting the group asks once, naming the fields that depend on it; No keeps all.
        select(0);
        prompter.answers << Answer::No;
        Find<QPushButton>(*w, "sbDelField")->click();
        QCOMPARE(prompter.Texts(),
                 QStringList{Text(*w, "txtMainFrmDelete") + "\n\n" +
                             Text(*w, "txtConditionLost").arg(QStringLiteral("firma, abteilung"))});
        QCOMPARE(project.Count(), 5);
        QVERIFY(project[1]->Condition.IsSet() && project[2]->Condition.IsSet());

        // Moving a dependent above its field asks likewise; No leaves the order.
        prompter.Clear();
        select(1);
        prompter.answers << Answer::No;
        Find<QPushButton>(*w, "sbUp")->click();
        QCOMPARE(prompter.Texts(), QStringList{Text(*w, "txtConditionLost").arg(QStringLiteral("firma"))});
        QCOMPARE(project[0]->Name, QStringLiteral("gruss"));
        QVERIFY(project[1]->Condition.IsSet());

        // Moves that keep every field after the one it names do not ask.
        prompter.Clear();
        QVERIFY(rows->topLevelItem(1)->isSelected()); // a refused move keeps the selection
        select(2);
        Find<QPushButton>(*w, "sbUp")->click();
        QCOMPARE(project[1]->Name, QStringLiteral("abteilung"));
        QVERIFY(prompter.entries.isEmpty());

        // Yes: the group moves below "abteilung", whose condition goes.
        select(0);
        prompter.answers << Answer::Yes;
        Find<QPushButton>(*w, "sbDown")->click();
        QCOMPARE(prompter.Texts(),
                 QStringList{Text(*w, "txtConditionLost").arg(QStringLiteral("abteilung"))});
        QCOMPARE(project[0]->Name, QStringLiteral("abteilung"));
        QVERIFY(!project[0]->Condition.IsSet());
        QCOMPARE(rows->topLevelItem(0)->text(6), QString());
        QCOMPARE(project[2]->Condition,
                 (TFieldCondition{QStringLiteral("gruss"), TConditionTest::Is, QStringLiteral("Firma")}));

        // Yes on the delete: the field and the conditions naming it go.
        prompter.Clear();
        select(1);
        prompter.answers << Answer::Yes;
        Find<QPushButton>(*w, "sbDelField")->click();
        QCOMPARE(project.Count(), 4);
        QCOMPARE(project[1]->Name, QStringLiteral("firma"));
        QVERIFY(!project[1]->Condition.IsSet());
        QCOMPARE(project[3]->Condition.Field, QStringLiteral("infos"));

        // Deleting a box that a condition names asks inside the list's
        // dialog; the condition goes when the list is stored.
        prompter.Clear();
        select(2);
        WhenModal<TfrmCheckBoxList>([this](TfrmCheckBoxList* d) {
            d->findChild<QTreeWidget*>(QStringLiteral("ListItems"))->topLevelItem(0)->setSelected(true);
            prompter.answers << Answer::Yes;
            d->findChild<QPushButton*>(QStringLiteral("sbDelField"))->click();
            d->findChild<QPushButton*>(QStringLiteral("btOK"))->click();
        });
        Find<QPushButton>(*w, "sbEditField")->click();
        QCOMPARE(prompter.Texts(), QStringList{Text(*w, "txtMainFrmDelete") + "\n\n" +
                                               Text(*w, "txtConditionLost").arg(QStringLiteral("notiz"))});
        QVERIFY(!project[3]->Condition.IsSet());

        // Without dependents only the usual question.
        prompter.Clear();
        select(3);
        prompter.answers << Answer::Yes;
        Find<QPushButton>(*w, "sbDelField")->click();
        QCOMPARE(prompter.Texts(), QStringList{Text(*w, "txtMainFrmDelete")});
        QCOMPARE(project.Count(), 3);
    }

    // Every "..." button opens the HTML editor on its text: the main
    // window's memos and the dialogs' boxes take the engine's markup over.
    void htmlEditorButtons()
    {
        auto w = Window();
        const auto takeOver = [this] {
            WhenModal<TfrmHtmlEdit>([this](TfrmHtmlEdit* editor) {
                QSignalSpy ready(editor, &TfrmHtmlEdit::Ready);
                QVERIFY(editor->IsReady() || ready.wait(10000));
                prompter.answers << Answer::Yes;
                editor->reject();
            });
        };
        Find<QPlainTextEdit>(*w, "memoEinleitung")->setPlainText(QStringLiteral("<B>Hallo</B>"));
        takeOver();
        Find<QPushButton>(*w, "btEditEinleitungText")->click();
        QCOMPARE(w->Project().memoEinleitung, QStringLiteral("<b>Hallo</b>"));

        QString label;
        WhenModal<TfrmEinzField>([&](TfrmEinzField* d) {
            d->findChild<QLineEdit*>(QStringLiteral("edtBeschriftung"))
                ->setText(QStringLiteral("<I>Name</I>"));
            takeOver();
            d->findChild<QPushButton*>(QStringLiteral("btOpenBeschriftung"))->click();
            label = d->findChild<QLineEdit*>(QStringLiteral("edtBeschriftung"))->text();
            d->reject();
        });
        Find<QAction>(*w, "EinzeiligesTextfeld1")->trigger();
        QCOMPARE(label, QStringLiteral("<i>Name</i>"));
        QCOMPARE(prompter.Texts(), QStringList(2, Text(*w, "txtHTMLEdit2")));
    }

    // The default form built again through the dialogs alone, key by key,
    // gives the same pages as the shipped default project, and its PHP page
    // takes a valid post on a real PHP server.
    void rebuildDefaultProject()
    {
        auto w = Window();
        QTreeWidget* list = Find<QTreeWidget>(*w, "itemList");
        QCOMPARE(list->topLevelItemCount(), 4);
        while (list->topLevelItemCount() > 0) {
            list->topLevelItem(0)->setSelected(true);
            prompter.answers << Answer::Yes;
            Find<QPushButton>(*w, "sbDelField")->click();
        }
        QVERIFY(w->Project().ListField.IsEmpty());

        const auto edit = [](QWidget* d, const char* name) {
            return d->findChild<QLineEdit*>(QString::fromLatin1(name));
        };
        const auto click = [](QWidget* d, const char* name) {
            QAbstractButton* b = d->findChild<QAbstractButton*>(QString::fromLatin1(name));
            b->setFocus();
            QTest::keyClick(b, Qt::Key_Space);
        };
        const auto textField = [&](const QString& name, const QString& label, int check,
                                   const QString& message) {
            WhenModal<TfrmEinzField>([=](TfrmEinzField* d) {
                TypeText(edit(d, "edtName"), name);
                TypeText(edit(d, "edtBeschriftung"), label);
                Retype(edit(d, "edtGroesse"), QStringLiteral("30"));
                click(d, "chkPflicht");
                auto* kind = d->findChild<QComboBox*>(QStringLiteral("cboCheckType"));
                kind->setFocus();
                for (int i = kind->currentIndex(); i < check; ++i)
                    QTest::keyClick(kind, Qt::Key_Down);
                for (int i = kind->currentIndex(); i > check; --i)
                    QTest::keyClick(kind, Qt::Key_Up);
                TypeText(edit(d, "edtMeldung"), message);
                click(d, "btOk");
            });
            Find<QAction>(*w, "EinzeiligesTextfeld1")->trigger();
        };
        textField(QStringLiteral("name"), QStringLiteral("Name"), 0, QString());
        textField(QStringLiteral("email"), QStringLiteral("E-Mail"), 1,
                  QStringLiteral("Bitte geben Sie eine gültige E-Mail-Adresse ein."));

        WhenModal<TfrmMehrzField>([&](TfrmMehrzField* d) {
            TypeText(edit(d, "edtName"), QStringLiteral("nachricht"));
            TypeText(edit(d, "edtBeschriftung"), QStringLiteral("Nachricht"));
            Retype(edit(d, "edtHoehe"), QStringLiteral("6"));
            click(d, "chkPflicht");
            d->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
            TypeText(edit(d, "edtMaxZeichen"), QStringLiteral("2000"));
            click(d, "chkZeichenUebrig");
            click(d, "btOk");
        });
        Find<QAction>(*w, "MehrzeiligesTextfeld1")->trigger();

        WhenModal<TfrmCheckBox>([&](TfrmCheckBox* d) {
            TypeText(edit(d, "edtName"), QStringLiteral("zustimmung"));
            TypeText(edit(d, "edtBeschriftung"), QStringLiteral("Einwilligung"));
            TypeText(edit(d, "edtTextNach"),
                     QStringLiteral("Ich bin damit einverstanden, dass meine Angaben zur Bearbeitung meiner "
                                    "Anfrage verarbeitet und gespeichert werden."));
            click(d, "chkPflicht");
            TypeText(edit(d, "edtMeldung"),
                     QStringLiteral("Bitte stimmen Sie der Verarbeitung Ihrer Angaben zu."));
            click(d, "btOk");
        });
        Find<QAction>(*w, "CheckBox1")->trigger();
        QCOMPARE(list->topLevelItemCount(), 4);

        const QString saved = File(QStringLiteral("rebuilt.qvf"));
        prompter.fileNames << saved;
        Trigger(*w, "actSaveAs");
        QVERIFY(QFileInfo::exists(saved));

        TLanguageTexts texts(BuildData + QStringLiteral("/lang.ini"), nullptr);
        TProjectFile file(texts);
        TFormProject rebuilt;
        TFormProject shipped;
        QVERIFY(file.LoadProject(rebuilt, saved));
        QVERIFY(file.LoadProject(shipped, BuildData + QStringLiteral("/default_Deutsch.qvf")));
        const auto pages = [&](const TFormProject& p) {
            TGenHTML html(p, texts, BuildData);
            html.SetFixedFormID(4711);
            TGenPHP php(p, texts, BuildData);
            php.SetFixedFormID(4711);
            return std::make_pair(*html.GenCode(), *php.GenCode());
        };
        const auto [rebuiltHtml, rebuiltPhp] = pages(rebuilt);
        const auto [shippedHtml, shippedPhp] = pages(shipped);
        QCOMPARE(rebuiltHtml, shippedHtml);
        QCOMPARE(rebuiltPhp, shippedPhp);

        // The PHP page of the saved project on a real server.
        QTemporaryDir site;
        const QString capture = site.filePath(QStringLiteral("sendmail.sh"));
        QFile script(capture);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\ncat > \"" + site.path().toUtf8() + "/mail.eml\"\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        rebuilt.edtEMail = QStringLiteral("owner@example.com");
        rebuilt.edtDanke = QStringLiteral("https://www.example.com/danke.htm");
        TGenPHP php(rebuilt, texts, BuildData);
        QVERIFY(PageFiles::WritePage(site.filePath(QStringLiteral("kontakt.php")), *php.GenCode(),
                                     rebuilt.ExtSettings.encoding, PageFiles::PageKind::Php));
        PhpServer server;
        QVERIFY2(server.Start(site.path(), {QStringLiteral("sendmail_path=") + capture,
                                            QStringLiteral("session.save_path=") + site.path()}),
                 "php -S did not start");
        QNetworkAccessManager net;
        const PhpPost::Response sent = PhpPost::Request(
            net, QUrl(QStringLiteral("http://127.0.0.1:%1/kontakt.php?action=send").arg(server.Port())),
            {{QStringLiteral("name"), QStringLiteral("Eva")},
             {QStringLiteral("email"), QStringLiteral("eva@example.org")},
             {QStringLiteral("nachricht"), QStringLiteral("x")},
             {QStringLiteral("zustimmung"), QStringLiteral("ja")}});
        QCOMPARE(sent.status, 303);
        QVERIFY(QFileInfo::exists(site.filePath(QStringLiteral("mail.eml"))));
    }

    // Saving a page writes the text the view just received by the encoding
    // rule (UTF-8 with a byte-order mark for an HTML page of exactly
    // "utf-8"), and puts the calendar picture beside it only when a calendar
    // field needs one and none is there yet.
    void exportPage_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<bool>("calendar");
        QTest::addColumn<bool>("pictureThere");
        QTest::addColumn<bool>("bom");
        QTest::newRow("html utf-8") << "actHTML"
                                    << "utf-8" << false << false << true;
        QTest::newRow("html UTF-8") << "actHTML"
                                    << "UTF-8" << false << false << true;
        QTest::newRow("html iso") << "actHTML"
                                  << "iso-8859-1" << true << false << false;
        QTest::newRow("html, picture there") << "actHTML"
                                             << "utf-8" << true << true << true;
        QTest::newRow("php utf-8") << "actPHP"
                                   << "utf-8" << true << false << false;
        QTest::newRow("php iso, picture there") << "actPHP"
                                                << "iso-8859-1" << true << true << false;
    }

    // Before a page is saved the user learns what would fail on the server
    // and chooses whether to go on.
    void exportAsksAboutServerFailures_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("answer");
        QTest::newRow("html, go on") << "actHTML" << int(Answer::Yes);
        QTest::newRow("html, stop") << "actHTML" << int(Answer::No);
        QTest::newRow("php, go on") << "actPHP" << int(Answer::Yes);
        QTest::newRow("php, stop") << "actPHP" << int(Answer::No);
    }

    void exportAsksAboutServerFailures()
    {
        QFETCH(QString, command);
        QFETCH(int, answer);
        auto w = Window();
        w->Project().edtEMail = QStringLiteral("Firma <info@example.com>");
        const QString page = File(QStringLiteral("page.out"));
        prompter.answers << Answer(answer);
        prompter.fileNames << page;
        Trigger(*w, command.toLatin1().constData());
        QCOMPARE(prompter.entries.size(), 1);
        QVERIFY(prompter.entries[0].question);
        QCOMPARE(prompter.entries[0].icon, Prompter::Icon::Warning);
        QVERIFY2(prompter.entries[0].text.contains(QStringLiteral("edtEMail: ")),
                 qPrintable(prompter.entries[0].text));
        QVERIFY(prompter.entries[0].text.startsWith(Text(*w, "txtCheckGoOn")));
        QCOMPARE(QFileInfo::exists(page), answer == int(Answer::Yes));
        QCOMPARE(prompter.fileRequests.size(), answer == int(Answer::Yes) ? 1 : 0);
    }

    void exportPage()
    {
        QFETCH(QString, command);
        QFETCH(QString, encoding);
        QFETCH(bool, calendar);
        QFETCH(bool, pictureThere);
        QFETCH(bool, bom);
        std::vector<std::unique_ptr<TFormField>> fields;
        auto text = std::make_unique<TEinzField>();
        text->Name = QStringLiteral("stadt");
        text->Beschriftung = QStringLiteral("Straße €");
        fields.push_back(std::move(text));
        if (calendar) {
            auto cal = std::make_unique<TCalField>();
            cal->Name = QStringLiteral("datum");
            cal->StartYear = 2020;
            cal->EndYear = 2021;
            fields.push_back(std::move(cal));
        }
        const QString path = ProjectFile(QStringLiteral("e.qvf"), QStringLiteral("e"), std::move(fields));
        auto w = Window(path);
        w->Project().ExtSettings.encoding = encoding;
        const QString picture = File(QStringLiteral("cal.png"));
        if (pictureThere)
            WriteAll(picture, "mine");
        const bool php = command == QLatin1String("actPHP");
        const QString page = File(php ? QStringLiteral("page.php") : QStringLiteral("page.htm"));
        Find<QPlainTextEdit>(*w, php ? "phpCode" : "memoHtml")->setPlainText(QStringLiteral("typed by hand"));
        prompter.fileNames << page;
        Trigger(*w, command.toLatin1().constData());

        QVERIFY(prompter.entries.isEmpty());
        const Prompter::FileRequest& request = prompter.fileRequests.constFirst().request;
        QCOMPARE(request.fileName, php ? QStringLiteral("formular.php") : QStringLiteral("formular.htm"));
        QVERIFY(!request.confirmOverwrite);
        const QString shown = Find<QPlainTextEdit>(*w, php ? "phpCode" : "memoHtml")
                                  ->toPlainText()
                                  .replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        QVERIFY(!shown.contains(QStringLiteral("typed by hand")));
        const QByteArray bytes = ReadAll(page);
        QCOMPARE(bytes.startsWith("\xEF\xBB\xBF"), bom);
        QCOMPARE(bytes, PageFiles::PageBytes(shown, encoding,
                                             php ? PageFiles::PageKind::Php : PageFiles::PageKind::Html));
        QVERIFY(bytes.contains("\r\n"));
        if (pictureThere)
            QCOMPARE(ReadAll(picture), QByteArray("mine"));
        else if (calendar)
            QCOMPARE(ReadAll(picture), ReadAll(BuildData + QStringLiteral("/cal/cal.png")));
        else
            QVERIFY(!QFileInfo::exists(picture));

        // The dialog offers the name chosen last time.
        Trigger(*w, command.toLatin1().constData());
        QCOMPARE(prompter.fileRequests.last().request.fileName, page);
    }

    // A file-upload field makes the PHP export warn first, also when the
    // dialog is then cancelled.
    void phpUploadWarning()
    {
        std::vector<std::unique_ptr<TFormField>> fields;
        auto file = std::make_unique<TFileField>();
        file->Name = QStringLiteral("upload");
        fields.push_back(std::move(file));
        auto w = Window(ProjectFile(QStringLiteral("u.qvf"), QStringLiteral("u"), std::move(fields)));
        Trigger(*w, "actPHP");
        QCOMPARE(prompter.entries.size(), 1);
        QCOMPARE(prompter.entries[0].text,
                 Text(*w, "txtMainFrmPHPHint1") + QStringLiteral("\r\n") + Text(*w, "txtMainFrmPHPHint2"));
        QCOMPARE(prompter.entries[0].caption, Text(*w, "MsgWarnung"));
        QCOMPARE(prompter.entries[0].icon, Prompter::Icon::Warning);
        QCOMPARE(prompter.fileRequests.size(), 1);
        QVERIFY(!QFileInfo::exists(File(QStringLiteral("formular.php"))));
    }

    // Copying generates afresh, puts the page on the clipboard and says so.
    void copyToClipboard_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("view");
        QTest::newRow("html") << "actCopyHtml"
                              << "memoHtml";
        QTest::newRow("php") << "actCopyPHP"
                             << "phpCode";
    }

    void copyToClipboard()
    {
        QFETCH(QString, command);
        QFETCH(QString, view);
        auto w = Window();
        auto* code = Find<QPlainTextEdit>(*w, view);
        code->setPlainText(QStringLiteral("typed by hand"));
        Trigger(*w, command.toLatin1().constData());
        const QString clip = QApplication::clipboard()->text();
        QVERIFY(clip.contains(QStringLiteral("QVFORM")));
        QCOMPARE(clip, code->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
        QCOMPARE(prompter.entries.size(), 1);
        QCOMPARE(prompter.entries[0].text, Text(*w, "txtMainFrmCopyToClipboard1"));
        QCOMPARE(prompter.entries[0].caption, Text(*w, "txtMainFrmCopyToClipboard2"));
        QCOMPARE(prompter.entries[0].icon, Prompter::Icon::Information);
    }

    // Showing a code page generates it; a generation that fails says why,
    // keeps the view's text and writes nothing.
    void codePagesAndFailures()
    {
        QTemporaryDir data;
        for (const QString& name : {QStringLiteral("lang.ini"), QStringLiteral("default_Deutsch.qvf"),
                                    QStringLiteral("template.htm")})
            QFile::copy(BuildData + QLatin1Char('/') + name, data.filePath(name));
        AppPaths::SetDataDirOverride(data.path());
        auto w = Window();
        auto* html = Find<QPlainTextEdit>(*w, "memoHtml");
        w->Pages()->setCurrentWidget(Find(*w, "tsHTML"));
        QVERIFY(html->toPlainText().contains(QStringLiteral("QVFORM")));

        QFile::remove(data.filePath(QStringLiteral("template.htm")));
        html->setPlainText(QStringLiteral("last page"));
        prompter.fileNames << File(QStringLiteral("x.htm"));
        Trigger(*w, "actHTML");
        QCOMPARE(prompter.entries.size(), 1);
        QCOMPARE(prompter.entries[0].icon, Prompter::Icon::Error);
        QVERIFY(prompter.fileRequests.isEmpty());
        QCOMPARE(html->toPlainText(), QStringLiteral("last page"));

        w->Pages()->setCurrentWidget(Find(*w, "tsPHPCode")); // no PHP template either
        QCOMPARE(prompter.entries.size(), 2);
        QCOMPARE(Find<QPlainTextEdit>(*w, "phpCode")->toPlainText(), QString());
        AppPaths::SetDataDirOverride(QString());
    }

    // A page that cannot be written is reported, not claimed as saved.
    void exportWriteFails()
    {
        auto w = Window();
        prompter.fileNames << File(QStringLiteral("no/such/folder/page.htm"));
        Trigger(*w, "actHTML");
        QCOMPARE(prompter.entries.size(), 1);
        QCOMPARE(prompter.entries[0].icon, Prompter::Icon::Error);
        QVERIFY(prompter.entries[0].text.contains(File(QStringLiteral("no/such/folder/page.htm"))));
    }

    // Ctrl+A in a code view selects the whole text.
    void selectAllInCodeView()
    {
        auto w = Window();
        w->Pages()->setCurrentWidget(Find(*w, "tsPHPCode"));
        auto* php = Find<QPlainTextEdit>(*w, "phpCode");
        QTest::keyClick(php, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(php->textCursor().selectedText().size(), php->toPlainText().size());
        QVERIFY(php->toPlainText().size() > 100);
    }

    // The file commands answer their keys.
    void shortcuts_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("asks");       // the save question comes first
        QTest::addColumn<bool>("saveDialog"); // else the Save dialog
        QTest::newRow("Ctrl+N new") << int(Qt::Key_N) << true << false;
        QTest::newRow("Ctrl+O open") << int(Qt::Key_O) << true << false;
        QTest::newRow("Ctrl+S save") << int(Qt::Key_S) << false << true;
    }

    void shortcuts()
    {
        QFETCH(int, key);
        QFETCH(bool, asks);
        QFETCH(bool, saveDialog);
        auto w = Window();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTest::keyClick(w.get(), Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(!prompter.entries.isEmpty() && prompter.entries.constFirst().question, asks);
        QCOMPARE(!prompter.fileRequests.isEmpty() && prompter.fileRequests.constFirst().save, saveDialog);
    }

    // The browser starts only when the preview page is first shown.
    void webEngineOnlyWithPreviewPage()
    {
        auto w = Window();
        for (int i = 0; i < w->Pages()->count() - 1; ++i)
            w->Pages()->setCurrentIndex(i);
        QVERIFY(w->findChildren<QWebEngineView*>().isEmpty());
        w->Pages()->setCurrentWidget(Find(*w, "tsVorschau"));
        QCOMPARE(w->findChildren<QWebEngineView*>().size(), 1);

        // "Vorschau" on the tool bar opens the preview window.
        Find<QToolButton>(*w, "ToolButton10")->click();
        QVERIFY(Find(*w, "frmPreview")->isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
