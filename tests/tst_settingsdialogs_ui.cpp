// The project properties and the advanced settings in the main window: the
// commands that open them, their values taken from the project and put back
// only on OK (and into the project file), the advanced dialog kept from one
// project to the next without the previous project's encoding, its texts in
// the current language, and the link test buttons, which hand only http and
// https addresses to the browser.
#include "MainWindowRig.h"
#include "ModalDriver.h"
#include "RecordingPrompter.h"
#include "app/ui/frmErwEinstellungen.h"
#include "app/ui/frmMain.h"
#include "app/ui/frmProjectSettings.h"
#include "base/LanguageTexts.h"
#include "model/FormProject.h"
#include "projectfile/ProjectFile.h"
#include "ui/LazyPage.h"
#include "ui/TranslateInterface.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDomDocument>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using Answer = Prompter::Answer;

namespace
{
const QString BuildData = QStringLiteral(QUORVEL_TEST_DATA_DIR);

// The setting's text in a project file.
QString FileSetting(const QString& path, const QString& key)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    QDomDocument doc;
    doc.setContent(f.readAll());
    return doc.documentElement()
        .firstChildElement(QStringLiteral("FileContent"))
        .firstChildElement(key)
        .text();
}

template <typename T> T* Child(QWidget* parent, const char* name)
{
    return parent->findChild<T*>(QLatin1String(name));
}
} // namespace

// Stands in for the desktop's browser: records what would be opened.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls << url; }
};

class TestSettingsDialogsUi : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<QTemporaryDir> m_files;
    RecordingPrompter prompter;
    UrlRecorder browser;
    const QStringList schemes = {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("file"),
                                 QStringLiteral("javascript"), QStringLiteral("mailto")};

    MainWindowRig Window() { return MainWindowRig(prompter, QString()); }

    QString Text(TfrmMain& w, const char* key) const { return w.Texts().Text(QLatin1String(key)); }

    // The default project with these advanced settings, as a file.
    QString ProjectFile(const QString& name, const QString& encoding, const QString& ipPage,
                        const QString& captchaMessage)
    {
        TLanguageTexts texts(BuildData + QStringLiteral("/lang.ini"), nullptr);
        TFormProject project;
        TProjectFile file(texts);
        if (!file.LoadProject(project, BuildData + QStringLiteral("/default_Deutsch.qvf")))
            qFatal("the default project does not load");
        project.ExtSettings.encoding = encoding;
        project.ExtSettings.ErrorPages.IPErrorPage = ipPage;
        project.ExtSettings.ErrorMessages.CaptchaError = captchaMessage;
        const QString path = m_files->filePath(name);
        if (!file.SaveProject(project, path))
            qFatal("cannot save %s", qPrintable(path));
        return path;
    }

    // Starts a command and runs act on the modal dialog it shows; act must
    // close it. False when no such dialog came.
    template <typename Dialog>
    static bool RunDialog(const std::function<void()>& start, const std::function<void(Dialog*)>& act)
    {
        bool shown = false;
        WhenModal<Dialog>([&shown, &act](Dialog* dialog) {
            shown = true;
            act(dialog);
            if (dialog->isVisible())
                dialog->reject(); // a failed check must not leave the test waiting
        });
        start();
        return shown;
    }

    // The page "Einstellungen", made and shown.
    static QWidget* SettingsPage(TfrmMain& w)
    {
        w.Pages()->setCurrentIndex(1);
        auto* page = qobject_cast<TLazyPage*>(w.Pages()->currentWidget());
        page->EnsureBuilt();
        return page;
    }

    static void Close(QDialog* dialog, const QString& how)
    {
        if (how == QLatin1String("Return"))
            QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, Qt::Key_Return);
        else if (how == QLatin1String("Escape"))
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            Child<QPushButton>(dialog, how.toLatin1().constData())->click();
    }

private slots:
    void initTestCase()
    {
        for (const QString& scheme : schemes)
            QDesktopServices::setUrlHandler(scheme, &browser, "Open");
    }

    void cleanupTestCase()
    {
        for (const QString& scheme : schemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }

    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        m_files = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", m_home->path().toLocal8Bit());
        prompter = RecordingPrompter();
        browser.urls.clear();
    }

    void projectProperties_data()
    {
        QTest::addColumn<QString>("close");
        QTest::addColumn<bool>("stored");
        QTest::newRow("OK") << "btOK" << true;
        QTest::newRow("Ctrl+I, Enter") << "Return" << true;
        QTest::newRow("Abbrechen") << "btCancel" << false;
        QTest::newRow("Escape") << "Escape" << false;
    }

    // "Eigenschaften" shows the project's descriptive data; what is typed
    // reaches the project (and its file) only with OK.
    void projectProperties()
    {
        QFETCH(QString, close);
        QFETCH(bool, stored);
        auto w = Window();
        TProjectSettings& properties = w->Project().ExtSettings.ProjectSettings;
        properties.title = QStringLiteral("Kontakt");
        properties.author = QStringLiteral("Eva");
        properties.company = QStringLiteral("Beispiel GmbH");
        properties.url = QString();
        properties.comment = QStringLiteral("Zeile 1\r\nZeile 2");
        const TProjectSettings before = properties;

        QStringList shown;
        QVERIFY(RunDialog<TfrmProjectSettings>(
            [&w, &close] {
                // Once by its key, else by the menu entry.
                if (close == QLatin1String("Return")) {
                    w->activateWindow();
                    QVERIFY(QTest::qWaitForWindowActive(w.get()));
                    QTest::keyClick(w.get(), Qt::Key_I, Qt::ControlModifier);
                } else {
                    w->findChild<QAction*>(QStringLiteral("Eigenschaften1"))->trigger();
                }
            },
            [&](TfrmProjectSettings* dialog) {
                for (const char* name : {"edtTitle", "edtAuthor", "edtCompany", "edtURL"})
                    shown << Child<QLineEdit>(dialog, name)->text();
                shown << Child<QPlainTextEdit>(dialog, "edtComment")->toPlainText();
                Retype(Child<QLineEdit>(dialog, "edtAuthor"), QStringLiteral("Max Müller"));
                Retype(Child<QLineEdit>(dialog, "edtURL"), QStringLiteral("https://www.example.com/"));
                QPlainTextEdit* comment = Child<QPlainTextEdit>(dialog, "edtComment");
                comment->moveCursor(QTextCursor::End);
                QTest::keyClick(comment, Qt::Key_Return);
                TypeText(comment, QStringLiteral("Zeile 3"));
                Child<QLineEdit>(dialog, "edtCompany")->setFocus();
                Close(dialog, close);
            }));
        QCOMPARE(shown, QStringList({"Kontakt", "Eva", "Beispiel GmbH", "", "Zeile 1\nZeile 2"}));
        // Made for the one command.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(w->findChildren<TfrmProjectSettings*>().isEmpty());
        if (!stored) {
            QCOMPARE(properties.author, before.author);
            QCOMPARE(properties.url, before.url);
            QCOMPARE(properties.comment, before.comment);
            return;
        }
        QCOMPARE(properties.title, QStringLiteral("Kontakt"));
        QCOMPARE(properties.author, QStringLiteral("Max Müller"));
        QCOMPARE(properties.company, QStringLiteral("Beispiel GmbH"));
        QCOMPARE(properties.url, QStringLiteral("https://www.example.com/"));
        QCOMPARE(properties.comment, QStringLiteral("Zeile 1\r\nZeile 2\r\nZeile 3"));
        const QString path = m_files->filePath(QStringLiteral("p.qvf"));
        QVERIFY(w->SaveProjectFile(path));
        QCOMPARE(FileSetting(path, QStringLiteral("ProjectSettings_author")), QStringLiteral("Max Müller"));
        QCOMPARE(FileSetting(path, QStringLiteral("ProjectSettings_url")),
                 QStringLiteral("https://www.example.com/"));
    }

    void advancedSettings_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("close");
        QTest::addColumn<bool>("stored");
        QTest::newRow("menu, OK") << "menu"
                                  << "btOK" << true;
        QTest::newRow("page button, OK") << "button"
                                         << "btOK" << true;
        QTest::newRow("menu, Abbrechen") << "menu"
                                         << "btCancel" << false;
        QTest::newRow("page button, Escape") << "button"
                                             << "Escape" << false;
    }

    // "Erweiterte Einstellungen" (menu and the button on "Einstellungen")
    // shows the project's values on the first page; OK stores every one,
    // Cancel none.
    void advancedSettings()
    {
        QFETCH(QString, start);
        QFETCH(QString, close);
        QFETCH(bool, stored);
        auto w = Window();
        TExtSettings& ext = w->Project().ExtSettings;
        ext.kopie_absender = true;
        ext.ip_informationen = false;
        ext.hide_empty_fields = false;
        ext.encoding = QStringLiteral("utf-8");
        ext.ErrorPages = {QStringLiteral("https://a.example/ip.htm"), QString(),
                          QStringLiteral("https://a.example/captcha.htm")};
        ext.ErrorMessages.CaptchaError = QStringLiteral("Code falsch");
        const TExtSettings before = ext;

        QStringList shown;
        int page = -1;
        const auto starter = [&w, &start] {
            if (start == QLatin1String("menu")) {
                w->findChild<QAction*>(QStringLiteral("ErweiterteFormulareinstellungen1"))->trigger();
            } else {
                QPushButton* button = Child<QPushButton>(SettingsPage(*w), "btErwEinstellungen");
                QVERIFY(button->isEnabled());
                button->click();
            }
        };
        QVERIFY(RunDialog<TfrmErwEinstellungen>(starter, [&](TfrmErwEinstellungen* dialog) {
            page = Child<QTabWidget>(dialog, "PageControl1")->currentIndex();
            for (const char* name : {"chkMailFelder", "chkIP", "chkEmptyFields"})
                shown << (Child<QCheckBox>(dialog, name)->isChecked() ? QStringLiteral("on")
                                                                      : QStringLiteral("off"));
            shown << Child<QComboBox>(dialog, "cboEncoding")->currentText();
            for (const char* name : {"edtIPSperre", "edtDateiUpload", "edtCaptcha", "edtMeldungCaptcha"})
                shown << Child<QLineEdit>(dialog, name)->text();
            for (const char* name : {"chkMailFelder", "chkIP", "chkEmptyFields"}) {
                // On the box itself: the control is wider than its text.
                QCheckBox* box = Child<QCheckBox>(dialog, name);
                QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
            }
            Child<QComboBox>(dialog, "cboEncoding")->setCurrentIndex(0);
            Child<QTabWidget>(dialog, "PageControl1")->setCurrentIndex(1);
            Retype(Child<QLineEdit>(dialog, "edtIPSperre"), QString());
            Retype(Child<QLineEdit>(dialog, "edtDateiUpload"),
                   QStringLiteral("https://b.example/upload.htm"));
            Retype(Child<QLineEdit>(dialog, "edtMeldungCaptcha"), QStringLiteral("Bitte den Code prüfen"));
            Close(dialog, close);
        }));
        QCOMPARE(page, 0);
        QCOMPARE(shown, QStringList({"on", "off", "off", "utf-8", "https://a.example/ip.htm", "",
                                     "https://a.example/captcha.htm", "Code falsch"}));
        if (!stored) {
            QCOMPARE(ext.kopie_absender, before.kopie_absender);
            QCOMPARE(ext.ip_informationen, before.ip_informationen);
            QCOMPARE(ext.hide_empty_fields, before.hide_empty_fields);
            QCOMPARE(ext.encoding, before.encoding);
            QCOMPARE(ext.ErrorPages.IPErrorPage, before.ErrorPages.IPErrorPage);
            QCOMPARE(ext.ErrorPages.FileErrorPage, before.ErrorPages.FileErrorPage);
            QCOMPARE(ext.ErrorMessages.CaptchaError, before.ErrorMessages.CaptchaError);
            return;
        }
        QCOMPARE(ext.kopie_absender, false);
        QCOMPARE(ext.ip_informationen, true);
        QCOMPARE(ext.hide_empty_fields, true);
        QCOMPARE(ext.encoding, QStringLiteral("iso-8859-1"));
        QCOMPARE(ext.ErrorPages.IPErrorPage, QString());
        QCOMPARE(ext.ErrorPages.FileErrorPage, QStringLiteral("https://b.example/upload.htm"));
        QCOMPARE(ext.ErrorPages.CaptchaErrorPage, QStringLiteral("https://a.example/captcha.htm"));
        QCOMPARE(ext.ErrorMessages.CaptchaError, QStringLiteral("Bitte den Code prüfen"));
        const QString path = m_files->filePath(QStringLiteral("p.qvf"));
        QVERIFY(w->SaveProjectFile(path));
        QCOMPARE(FileSetting(path, QStringLiteral("encoding")), QStringLiteral("iso-8859-1"));
        QCOMPARE(FileSetting(path, QStringLiteral("hide_empty_fields")), QStringLiteral("-1"));
        QCOMPARE(FileSetting(path, QStringLiteral("CaptchaErrorMessage")),
                 QStringLiteral("Bitte den Code prüfen"));
    }

    void residentAcrossProjects_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("shown");
        QTest::newRow("unknown after utf-8") << "utf-8"
                                             << "latin9"
                                             << "iso-8859-1";
        QTest::newRow("empty after utf-8") << "utf-8"
                                           << ""
                                           << "iso-8859-1";
        QTest::newRow("UTF-8 after iso-8859-1") << "iso-8859-1"
                                                << "UTF-8"
                                                << "utf-8";
    }

    // One dialog serves the whole run. The second project's values replace
    // the first one's, the encoding too: an encoding that matches no entry
    // shows the first entry, not the first project's choice. The page last
    // shown stays.
    void residentAcrossProjects()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, shown);
        auto w = Window();
        const QString a =
            ProjectFile(QStringLiteral("a.qvf"), first, QStringLiteral("https://a.example/ip.htm"),
                        QStringLiteral("Meldung A"));
        const QString b =
            ProjectFile(QStringLiteral("b.qvf"), second, QString(), QStringLiteral("Meldung B"));
        prompter.answers << Answer::No << Answer::No; // no saving before each opening
        QVERIFY(w->OpenProjectFile(a));
        QAction* command = w->findChild<QAction*>(QStringLiteral("ErweiterteFormulareinstellungen1"));

        TfrmErwEinstellungen* firstDialog = nullptr;
        QString firstEncoding;
        QVERIFY(RunDialog<TfrmErwEinstellungen>(
            [command] { command->trigger(); },
            [&](TfrmErwEinstellungen* dialog) {
                firstDialog = dialog;
                firstEncoding = Child<QComboBox>(dialog, "cboEncoding")->currentText();
                Child<QTabWidget>(dialog, "PageControl1")->setCurrentIndex(1);
                Close(dialog, QStringLiteral("btOK"));
            }));
        QCOMPARE(firstEncoding, first);

        QVERIFY(w->OpenProjectFile(b));
        QCOMPARE(w->Project().ExtSettings.encoding, second);
        QStringList values;
        int page = -1;
        TfrmErwEinstellungen* secondDialog = nullptr;
        QVERIFY(RunDialog<TfrmErwEinstellungen>(
            [command] { command->trigger(); },
            [&](TfrmErwEinstellungen* dialog) {
                secondDialog = dialog;
                page = Child<QTabWidget>(dialog, "PageControl1")->currentIndex();
                values << Child<QComboBox>(dialog, "cboEncoding")->currentText()
                       << Child<QLineEdit>(dialog, "edtIPSperre")->text()
                       << Child<QLineEdit>(dialog, "edtMeldungCaptcha")->text();
                Close(dialog, QStringLiteral("btOK"));
            }));
        QCOMPARE(secondDialog, firstDialog);
        QCOMPARE(page, 1);
        QCOMPARE(values, QStringList({shown, QString(), QStringLiteral("Meldung B")}));
        QCOMPARE(w->Project().ExtSettings.encoding, shown);
        QCOMPARE(w->Project().ExtSettings.ErrorPages.IPErrorPage, QString());
    }

    // The dialog kept for the run takes a language switch like every window.
    void residentDialogFollowsTheLanguage()
    {
        auto w = Window();
        TfrmErwEinstellungen& dialog = w->AdvancedSettings();
        auto* tabs = Child<QTabWidget>(&dialog, "PageControl1");
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Erweiterte Formulareinstellungen"));
        ::TranslateInterface(w->Texts(), QStringLiteral("Englisch"));
        QCOMPARE(dialog.windowTitle(),
                 w->Texts().GetLanguageText(QStringLiteral("Englisch"), QStringLiteral("140")));
        QCOMPARE(tabs->tabText(1),
                 w->Texts().GetLanguageText(QStringLiteral("Englisch"), QStringLiteral("146")));
        QCOMPARE(Child<QPushButton>(&dialog, "btCancel")->text(),
                 w->Texts().GetLanguageText(QStringLiteral("Englisch"), QStringLiteral("156")));
        w->TranslateInterface();
        QCOMPARE(tabs->tabText(1), QStringLiteral("Fehlerseiten/Fehlermeldungen"));
    }

    void linkTest_data()
    {
        QTest::addColumn<QString>("where"); // the box and its button
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("opened");
        QTest::newRow("thank-you page, https") << "edtDanke btGOIP"
                                               << "https://www.example.com/danke.htm" << true;
        QTest::newRow("thank-you page, file") << "edtDanke btGOIP"
                                              << "file:///etc/passwd" << false;
        QTest::newRow("web address, http") << "edtURL btGOIP"
                                           << "http://www.example.com/" << true;
        QTest::newRow("web address, scheme only") << "edtURL btGOIP"
                                                  << "http://" << false;
        QTest::newRow("IP block page, script") << "edtIPSperre btGOIP"
                                               << "javascript:alert(1)" << false;
        QTest::newRow("upload page, https") << "edtDateiUpload btGOUpload"
                                            << "https://example.com/up.htm" << true;
        QTest::newRow("captcha page, program") << "edtCaptcha btGOCaptcha"
                                               << "/usr/bin/xterm" << false;
        QTest::newRow("captcha page, mail") << "edtCaptcha btGOCaptcha"
                                            << "mailto:a@example.com" << false;
    }

    // A test button hands its box's address to the browser only when it is
    // an http or https address; else it says so, and the dialog stays open.
    void linkTest()
    {
        QFETCH(QString, where);
        QFETCH(QString, text);
        QFETCH(bool, opened);
        const QStringList names = where.split(QLatin1Char(' '));
        auto w = Window();
        const auto test = [&](QWidget* window) {
            window->findChild<QLineEdit*>(names.at(0))->setText(text);
            window->findChild<QPushButton*>(names.at(1))->click();
        };
        bool stillOpen = true;
        const auto inDialog = [&](QDialog* dialog) {
            test(dialog);
            stillOpen = dialog->isVisible();
            Close(dialog, QStringLiteral("btCancel"));
        };
        if (names.at(0) == QLatin1String("edtDanke")) {
            test(SettingsPage(*w));
        } else if (names.at(0) == QLatin1String("edtURL")) {
            QVERIFY(RunDialog<TfrmProjectSettings>(
                [&w] { w->findChild<QAction*>(QStringLiteral("Eigenschaften1"))->trigger(); }, inDialog));
        } else {
            QVERIFY(RunDialog<TfrmErwEinstellungen>(
                [&w] {
                    w->findChild<QAction*>(QStringLiteral("ErweiterteFormulareinstellungen1"))->trigger();
                },
                [&](TfrmErwEinstellungen* dialog) {
                    Child<QTabWidget>(dialog, "PageControl1")->setCurrentIndex(1);
                    inDialog(dialog);
                }));
        }
        QVERIFY(stillOpen);
        if (opened) {
            QCOMPARE(browser.urls, QList<QUrl>({QUrl(text)}));
            QVERIFY(prompter.entries.isEmpty());
        } else {
            QVERIFY(browser.urls.isEmpty());
            QCOMPARE(prompter.Texts(), QStringList(Text(*w, "txtLinkTestNoWebAddress").replace("%1", text)));
        }
    }
};

QTEST_MAIN(TestSettingsDialogsUi)
#include "tst_settingsdialogs_ui.moc"
