#include "app/ui/Screenshots.h"

#include "app/AdvancedSettings.h"
#include "app/AppPaths.h"
#include "app/ProgramSettings.h"
#include "app/TempFolder.h"
#include "app/ui/AboutBox.h"
#include "app/ui/FieldEditing.h"
#include "app/ui/TemplateCommands.h"
#include "app/ui/frmErwEinstellungen.h"
#include "app/ui/frmMain.h"
#include "app/ui/frmProjectSettings.h"
#include "base/LanguageTexts.h"
#include "codegen/GenHTML.h"
#include "dialogs/ui/frmCalender.h"
#include "dialogs/ui/frmEinzField.h"
#include "fields/EinzField.h"
#include "fields/MehrzField.h"
#include "fields/RadioField.h"
#include "model/FormProject.h"
#include "preview/MailMessage.h"
#include "preview/ui/InboxPanel.h"
#include "preview/ui/PreviewTab.h"
#include "preview/ui/frmPreview.h"
#include "projectfile/ProjectFile.h"
#include "publish/FtpProfiles.h"
#include "publish/SubmissionTable.h"
#include "publish/ui/frmExportHTML.h"
#include "publish/ui/frmFTPBrowser.h"
#include "publish/ui/frmFTPEdit.h"
#include "publish/ui/frmSubmissions.h"
#include "publish/ui/ftpProfiles.h"
#include "texts/FormMailerList.h"
#include "texts/ui/frmFormMailLinkEdit.h"
#include "texts/ui/frmFormMailerTemplates.h"
#include "texts/ui/frmHtmlEdit.h"
#include "texts/ui/frmLinkEdit.h"
#include "texts/ui/frmPopUpLink.h"
#include "ui/TranslateInterface.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QPixmap>
#include <QSaveFile>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTimer>
#include <QWebEngineScript>
#include <QWebEngineView>

namespace
{
// Lets pending layouts and paints happen.
void Settle(int milliseconds = 50)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Waits until a preview reports its page (or gives up after a while: the
// screenshot then shows what there is).
template <typename Preview> void WaitForPage(Preview* preview)
{
    QEventLoop loop;
    QObject::connect(preview, &Preview::PageShown, &loop, &QEventLoop::quit);
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);
    loop.exec();
    Settle(300);
}

// A connection cannot be shown without a server: the browser is shown
// disconnected, with the lines a login leaves in its protocol.
void ShowSampleProtocol(TfrmFTPBrowser* browser)
{
    auto* protocol = browser->findChild<QListWidget*>(QStringLiteral("lstStatus"));
    if (!protocol || protocol->count() > 0)
        return;
    using Kind = TFtpClient::LineKind;
    const std::pair<Kind, const char*> lines[] = {
        {Kind::Status, "Connected to ftp.example.com (192.0.2.10) port 21"},
        {Kind::Received, "220 FTP server ready."},
        {Kind::Sent, "USER web123"},
        {Kind::Received, "331 Username ok, send password."},
        {Kind::Sent, "PASS *********"},
        {Kind::Received, "230 Login successful."},
        {Kind::Sent, "PWD"},
        {Kind::Received, "257 \"/htdocs\" is the current directory."},
        {Kind::Sent, "EPSV"},
        {Kind::Received, "229 Entering extended passive mode (|||50123|)."},
        {Kind::Sent, "TYPE A"},
        {Kind::Received, "200 Type set to: ASCII."},
        {Kind::Sent, "LIST"},
        {Kind::Received, "226 Transfer complete."},
    };
    for (const auto& [kind, line] : lines)
        browser->AddProtocolLine(kind, QString::fromUtf8(line));
}

// Waits for the export window's next finished load (or gives up).
void WaitForLoad(TfrmExportHTML* window)
{
    QEventLoop loop;
    QObject::connect(window, &TfrmExportHTML::Loaded, &loop, &QEventLoop::quit);
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);
    loop.exec();
}
} // namespace

bool TScreenshots::Save(QWidget* widget, const QString& name, QString* error)
{
    const QString file =
        QDir(m_folder).filePath(m_language + QLatin1Char('/') + name + QStringLiteral(".png"));
    if (!widget->grab().save(file)) {
        if (error)
            *error = QStringLiteral("cannot write ") + file;
        return false;
    }
    m_written << file;
    return true;
}

QStringList TScreenshots::Render(TfrmMain& window, QString* error)
{
    m_written.clear();
    // The windows made on first use are made now, so that they are shown.
    window.FieldEditing().ResidentDialogs();
    window.FtpBrowser();
    // The advanced settings with sample error pages (each use shows the
    // project's own values again).
    TAdvancedSettings advanced = TAdvancedSettings::Of(window.Project().ExtSettings);
    advanced.IPErrorPage = QStringLiteral("https://www.example.com/fehler/ip-sperre.htm");
    advanced.FileErrorPage = QStringLiteral("https://www.example.com/fehler/upload.htm");
    advanced.CaptchaError = TAdvancedSettings::CaptchaStartText();
    window.AdvancedSettings().SetValues(advanced);
    window.Templates().EnsureManager();
    window.BuildAllPages();
    window.AboutBox();
    window.show();
    Settle();
    // Every language of the language file, each into a folder of its name;
    // the windows end in the current language again.
    QStringList languages = window.Settings().LanguageList();
    if (languages.isEmpty())
        languages << window.Settings().Language();
    bool ok = true;
    for (const QString& language : languages) {
        m_language = language;
        if (!QDir().mkpath(QDir(m_folder).filePath(language))) {
            if (error)
                *error = QStringLiteral("cannot make the folder ") + QDir(m_folder).filePath(language);
            ok = false;
            break;
        }
        ::TranslateInterface(window.Texts(), language);
        if (!RenderLanguage(window, error)) {
            ok = false;
            break;
        }
    }
    window.TranslateInterface();
    return ok ? m_written : QStringList();
}

bool TScreenshots::RenderLanguage(TfrmMain& window, QString* error)
{
    QTabWidget* pages = window.Pages();
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        if (auto* preview = pages->widget(i)->findChild<TPreviewTab*>())
            WaitForPage(preview);
        Settle();
        const QString name = QStringLiteral("main-%1-%2").arg(i + 1).arg(pages->widget(i)->objectName());
        if (!Save(&window, name, error))
            return false;
    }
    pages->setCurrentIndex(0);

    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (QWidget* other : windows) {
        if (other == &window || qobject_cast<QMenu*>(other) || other->objectName().isEmpty() ||
            other->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (auto* preview = qobject_cast<TfrmPreview*>(other)) {
            preview->ShowPreview();
            preview->RefreshPage();
            WaitForPage(preview);
        } else {
            if (auto* browser = qobject_cast<TfrmFTPBrowser*>(other))
                ShowSampleProtocol(browser);
            other->show();
            Settle();
        }
        const bool saved = SavePages(other, error);
        other->close();
        if (!saved)
            return false;
    }

    // The dialogs made for one command, each page of those with pages.
    const QList<QDialog*> dialogs = window.FieldEditing().MakeCommandDialogs();
    bool saved = true;
    for (QDialog* dialog : dialogs) {
        TranslateWindow(dialog, window.Texts(), m_language);
        dialog->show();
        Settle();
        saved = saved && SavePages(dialog, error);
        dialog->close();
    }
    qDeleteAll(dialogs);
    if (saved) {
        TfrmSplash splash;
        splash.show();
        Settle();
        saved = SavePages(&splash, error);
    }
    // The question for a new name when an inserted template's is taken.
    const std::unique_ptr<QInputDialog> question =
        window.Templates().MakeNameQuestion(QStringLiteral("email"), m_language);
    question->show();
    Settle();
    saved = saved && Save(question.get(), question->objectName(), error);
    question->hide();
    return saved && RenderTextEditors(window, error) && RenderPublishing(window, error) &&
           RenderExportWindow(window, error) && RenderProjectSettings(window, error) &&
           RenderFormMailers(window, error) && RenderInbox(window, error) &&
           RenderSubmissions(window, error) && RenderConditionDialog(window, error) &&
           RenderDefaultDesign(error) && RenderConditionalForm(error);
}

bool TScreenshots::RenderConditionDialog(TfrmMain& window, QString* error)
{
    // The text field dialog with a condition on a radio group before it.
    TFieldList fields;
    auto salutation = std::make_unique<TRadioField>();
    salutation->Name = QStringLiteral("Anrede");
    salutation->Felder = QStringLiteral("Frau#Herr#Firma");
    fields.Add(std::move(salutation));
    TEinzField company;
    company.Name = QStringLiteral("Firmenname");
    company.Beschriftung = QStringLiteral("Firma");
    company.Groesse = QStringLiteral("30");
    company.maxLaenge = QStringLiteral("100");
    company.Condition =
        TFieldCondition{QStringLiteral("Anrede"), TConditionTest::Is, QStringLiteral("Firma")};
    fields.Add(std::make_unique<TEinzField>());
    TfrmEinzField dialog({fields, window.Texts(), window.Prompt(), {}}, &window);
    TranslateWindow(&dialog, window.Texts(), m_language);
    dialog.feldNr = 1;
    dialog.LoadFromObject(company);
    dialog.show();
    Settle();
    const bool saved = Save(&dialog, QStringLiteral("frmEinzField-condition"), error);
    dialog.close();
    return saved;
}

bool TScreenshots::RenderProjectSettings(TfrmMain& window, QString* error)
{
    std::unique_ptr<TfrmProjectSettings> dialog = window.MakeProjectSettingsDialog();
    TranslateWindow(dialog.get(), window.Texts(), m_language);
    TProjectSettings sample;
    sample.title = QStringLiteral("Kontaktformular");
    sample.author = QStringLiteral("Erika Mustermann");
    sample.company = QStringLiteral("Beispiel GmbH");
    sample.url = QStringLiteral("https://www.example.com/kontakt.htm");
    sample.comment = QStringLiteral("Formular der Kontaktseite\r\nmit Rückruf-Wunsch");
    dialog->SetValues(sample);
    dialog->show();
    Settle();
    const bool saved = Save(dialog.get(), dialog->objectName(), error);
    dialog->hide();
    return saved;
}

bool TScreenshots::RenderFormMailers(TfrmMain& window, QString* error)
{
    // A sample list of its own: the user's stays unread.
    QTemporaryDir folder;
    TFormMailerList sample(TFormMailerList::UserFile(folder.path()));
    sample.Change() << window.Texts().Text(QStringLiteral("constFormMailPath"))
                    << QStringLiteral("https://www.example.com/cgi-bin/formmail.php")
                    << QStringLiteral("https://shop.example.org/kontakt/formmail.php");
    if (TStatus written = sample.Save(); !written) {
        if (error)
            *error = written.Error();
        return false;
    }
    // Hidden, not closed: closing asks whether to save the list.
    TfrmFormMailerTemplates list(sample.FileName(), window.Texts(), window.Prompt(), {}, &window);
    TranslateWindow(&list, window.Texts(), m_language);
    list.show();
    Settle();
    bool saved = Save(&list, list.objectName(), error);
    list.hide();
    TfrmFormMailLinkEdit link(window.Texts(), window.Prompt(), {}, &window);
    TranslateWindow(&link, window.Texts(), m_language);
    link.SetLink(sample.Links().at(1));
    link.show();
    Settle();
    saved = saved && Save(&link, link.objectName(), error);
    link.hide();
    return saved;
}

// The default project's HTML form as a visitor sees it, on a wide screen and
// on a phone, in the language of the screenshots.
bool TScreenshots::RenderDefaultDesign(QString* error)
{
    const QString dataDir = AppPaths::DataDir();
    const QString language = m_language;
    TLanguageTexts texts(dataDir + QStringLiteral("/lang.ini"), nullptr, [language] { return language; });
    TFormProject project;
    bool missing = false;
    if (!LoadDefaultProject(texts, project, &missing, error))
        return missing; // a language without a default project of its own
    const TResult<QString> page = TGenHTML(project, texts, dataDir).GenCode();
    if (!page) {
        if (error)
            *error = page.Error();
        return false;
    }
    for (const int width : {1280, 390}) {
        QWebEngineView view;
        view.resize(width, width > 600 ? 900 : 844);
        ShowPage(view, *page);
        if (!Save(&view, QStringLiteral("form-default-%1px").arg(width), error))
            return false;
    }
    return true;
}

bool TScreenshots::RenderSubmissions(TfrmMain& window, QString* error)
{
    // Made-up entries of the default form; no server is asked.
    const auto entry = [](const char* id, QDate day, QTime time, std::optional<bool> mail,
                          const QList<std::pair<const char*, const char*>>& values) {
        TSubmission e;
        e.id = QString::fromLatin1(id);
        e.time = QDateTime(day, time, Qt::UTC);
        e.timeText = e.time.toString(Qt::ISODate);
        e.mailSent = mail;
        for (const auto& [name, value] : values)
            e.fields << TSubmissionValue{QString::fromUtf8(name), QString::fromUtf8(value)};
        return e;
    };
    const QStringList names = TSubmissionTable::FormFieldNames(window.Project());
    const auto field = [&names](int i, const char* fallback) {
        return i < names.size() ? names.at(i).toUtf8() : QByteArray(fallback);
    };
    const QByteArray a = field(0, "Name"), b = field(1, "E-Mail"), c = field(2, "Nachricht");
    QList<TSubmission> entries{
        entry("5f3a9c01d2e4b871", QDate(2026, 12, 9), QTime(8, 12, 4), true,
              {{a.constData(), "Erika Mustermann"},
               {b.constData(), "erika@example.org"},
               {c.constData(), "Bitte rufen Sie mich zurück."}}),
        entry("5f3a9c01d2e4b872", QDate(2026, 12, 10), QTime(14, 40, 51), false,
              {{a.constData(), "Max Muster"},
               {b.constData(), "max@example.com"},
               {c.constData(), "Wann ist das Büro am Samstag geöffnet? Ich würde gern vorbeikommen und die "
                               "Unterlagen selbst abgeben."}}),
        entry("5f3a9c01d2e4b873", QDate(2026, 12, 11), QTime(9, 3, 17), true,
              {{a.constData(), "Jana Beispiel"},
               {b.constData(), "jana@example.net"},
               {c.constData(), "Anbei mein Lebenslauf."}}),
    };
    entries[2].attachments << TSubmissionFile{QStringLiteral("anhang"), QStringLiteral("lebenslauf.pdf"),
                                              12595, QStringLiteral("files/5f3a9c01d2e4b873-1")};
    QTemporaryDir folder;
    TTempFolder temp(folder.path());
    const TLanguageTexts texts(window.Texts().FileName(), nullptr,
                               [language = m_language] { return language; });
    TfrmSubmissions submissions(texts, window.Prompt(), temp, window.Project(), &window);
    TranslateWindow(&submissions, texts, m_language);
    submissions.ShowEntries(entries, QDateTime(QDate(2026, 12, 11), QTime(9, 30, 0)));
    submissions.show();
    submissions.Table()->selectRow(0);
    Settle(100);
    const bool saved = Save(&submissions, submissions.objectName(), error);
    submissions.hide();
    return saved;
}

// A field that applies only to companies, with the choice that hides it
// and the one that shows it.
bool TScreenshots::RenderConditionalForm(QString* error)
{
    const QString dataDir = AppPaths::DataDir();
    const QString language = m_language;
    TLanguageTexts texts(dataDir + QStringLiteral("/lang.ini"), nullptr, [language] { return language; });
    // The default project's design and texts, with fields of its own.
    TFormProject project;
    bool missing = false;
    if (!LoadDefaultProject(texts, project, &missing, error))
        return missing; // a language without a default project of its own
    while (project.ListField.Count() > 0)
        project.ListField.Delete(0);
    const bool german = language == QLatin1String("Deutsch");
    auto kind = std::make_unique<TRadioField>();
    kind->Name = QStringLiteral("anfrage");
    kind->Beschriftung = german ? QStringLiteral("Sie schreiben als") : QStringLiteral("You write as");
    kind->Felder = german ? QStringLiteral("Privatperson#Firma") : QStringLiteral("Private person#Company");
    project.ListField.Add(std::move(kind));
    auto company = std::make_unique<TEinzField>();
    company->Name = QStringLiteral("firmenname");
    company->Beschriftung = german ? QStringLiteral("Name der Firma") : QStringLiteral("Company name");
    company->Pflicht = true;
    company->Condition = TFieldCondition{QStringLiteral("anfrage"), TConditionTest::Is,
                                         german ? QStringLiteral("Firma") : QStringLiteral("Company")};
    project.ListField.Add(std::move(company));
    auto message = std::make_unique<TMehrzField>();
    message->Name = QStringLiteral("nachricht");
    message->Beschriftung = german ? QStringLiteral("Ihre Nachricht") : QStringLiteral("Your message");
    project.ListField.Add(std::move(message));
    const TResult<QString> page = TGenHTML(project, texts, dataDir).GenCode();
    if (!page) {
        if (error)
            *error = page.Error();
        return false;
    }
    QWebEngineView view;
    view.resize(640, 480);
    ShowPage(view, *page);
    if (!Save(&view, QStringLiteral("form-condition-hidden"), error))
        return false;
    view.page()->runJavaScript(
        QStringLiteral("document.querySelectorAll('input[name=\"anfrage\"]')[1].click();"));
    Settle(500);
    return Save(&view, QStringLiteral("form-condition-shown"), error);
}

void TScreenshots::ShowPage(QWebEngineView& view, const QString& html)
{
    view.show();
    QEventLoop loop;
    QObject::connect(&view, &QWebEngineView::loadFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);
    view.setHtml(html, QUrl(QStringLiteral("file:///quorvel-form/")));
    loop.exec();
    Settle(500);
}

bool TScreenshots::LoadDefaultProject(const TLanguageTexts& texts, TFormProject& project, bool* missing,
                                      QString* error) const
{
    const QString path =
        AppPaths::DataDir() + QStringLiteral("/default_") + m_language + QStringLiteral(".qvf");
    *missing = !QFile::exists(path);
    if (*missing)
        return false;
    if (TStatus loaded = TProjectFile(texts).LoadProject(project, path); !loaded) {
        if (error)
            *error = loaded.Error();
        return false;
    }
    return true;
}

// The inbox of the local test after one sent form: the mail to the owner in
// HTML with an upload attached, the copy to the sender, and a warning PHP
// printed meanwhile.
bool TScreenshots::RenderInbox(TfrmMain& window, QString* error)
{
    const QByteArray html =
        "<html><body style=\"font-family: Arial, sans-serif\"><h3>Kontaktformular</h3>"
        "<table cellpadding=\"4\"><tr><td><b>Name:</b></td><td>Erika Mustermann</td></tr>"
        "<tr><td><b>E-Mail:</b></td><td>erika@example.org</td></tr>"
        "<tr><td><b>Nachricht:</b></td><td>Bitte rufen Sie mich zur&uuml;ck.</td></tr></table>"
        "</body></html>";
    const QByteArray upload = QByteArray("%PDF-1.4\n").leftJustified(12595, '.');
    const QByteArray mail = "To: info@example.com\r\n"
                            "Subject: =?UTF-8?B?" +
                            QByteArray("Anfrage über das Kontaktformular").toBase64() +
                            "?=\r\n"
                            "From: info@example.com\r\n"
                            "Reply-To: erika@example.org\r\n"
                            "MIME-Version: 1.0\r\n"
                            "Content-Type: multipart/mixed; boundary=\"qv-5f3a\"\r\n\r\n"
                            "--qv-5f3a\r\n"
                            "Content-Type: text/html; charset=UTF-8\r\n"
                            "Content-Transfer-Encoding: base64\r\n\r\n" +
                            html.toBase64() +
                            "\r\n--qv-5f3a\r\n"
                            "Content-Type: application/pdf; name=\"lebenslauf.pdf\"\r\n"
                            "Content-Transfer-Encoding: base64\r\n"
                            "Content-Disposition: attachment; filename=\"lebenslauf.pdf\"\r\n\r\n" +
                            upload.toBase64() + "\r\n--qv-5f3a--\r\n";
    const QByteArray copy = "To: erika@example.org\r\n"
                            "Subject: =?UTF-8?B?" +
                            QByteArray("Ihre Anfrage über das Kontaktformular").toBase64() +
                            "?=\r\n"
                            "From: info@example.com\r\n"
                            "MIME-Version: 1.0\r\n"
                            "Content-Type: text/plain; charset=UTF-8\r\n\r\n"
                            "Name: Erika Mustermann\r\n";
    QTemporaryDir folder;
    TTempFolder temp(folder.path());
    TInboxPanel inbox(window.Texts(), temp, window.Prompt());
    TranslateWindow(&inbox, window.Texts(), m_language);
    inbox.resize(1000, 620);
    const QDateTime sent(QDate(2026, 12, 11), QTime(10, 15, 30));
    inbox.AddServerOutput("[Fri Dec 11 10:15:30 2026] 127.0.0.1:51320 Accepted\n"
                          "[Fri Dec 11 10:15:30 2026] PHP Warning:  Undefined array key \"telefon\" in "
                          "/tmp/quorvel-1000/test/kontakt.php on line 57\n");
    inbox.AddMail(TMailMessage::Parse(mail), false, sent);
    inbox.AddMail(TMailMessage::Parse(copy), true, sent.addSecs(1));
    inbox.AddServerOutput("[Fri Dec 11 10:15:31 2026] 127.0.0.1:51320 [200]: POST /kontakt.php\n");
    inbox.show();
    // The first mail's page was left for the copy's text: that load ends
    // first.
    Settle(300);
    {
        QEventLoop loop;
        QObject::connect(&inbox, &TInboxPanel::HtmlShown, &loop, &QEventLoop::quit);
        QTimer::singleShot(15000, &loop, &QEventLoop::quit);
        inbox.SelectMail(0);
        loop.exec();
    }
    Settle(300);
    const bool saved = Save(&inbox, inbox.objectName(), error);
    inbox.hide();
    return saved;
}

bool TScreenshots::RenderPublishing(TfrmMain& window, QString* error)
{
    // Sample profiles in a list of their own: the user's stay unread.
    QTemporaryDir folder;
    TFtpProfiles store(folder.filePath(QStringLiteral("profiles.xml")));
    TFtpProfile office{QStringLiteral("Büro"),
                       QStringLiteral("ftp.example.com"),
                       QStringLiteral("21"),
                       QStringLiteral("webmaster"),
                       QStringLiteral("geheim"),
                       true,
                       false,
                       QString()};
    TFtpProfile shop{QStringLiteral("Shop"),
                     QStringLiteral("shop.example.org"),
                     QStringLiteral("2121"),
                     QStringLiteral("forms"),
                     QString(),
                     false,
                     false,
                     QString()};
    shop.tls = true;
    store.Change() << office << shop;
    TftpProfiles profiles(store, window.Texts(), window.Prompt(), window.FtpLog(), &window);
    TranslateWindow(&profiles, window.Texts(), m_language);
    profiles.show();
    Settle();
    bool saved = Save(&profiles, profiles.objectName(), error);
    profiles.hide();
    TfrmFTPEdit edit(window.Texts(), window.Prompt(), window.FtpLog(), &window);
    TranslateWindow(&edit, window.Texts(), m_language);
    edit.SetValues(shop);
    edit.show();
    Settle();
    saved = saved && Save(&edit, edit.objectName(), error);
    edit.hide();
    return saved;
}

// The export window with a small page of the user's, the form inserted.
bool TScreenshots::RenderExportWindow(TfrmMain& window, QString* error)
{
    QTemporaryDir folder;
    const QString page = folder.filePath(QStringLiteral("beispiel.htm"));
    QSaveFile file(page);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Beispiel</title></head>"
                   "<body style=\"font-family: sans-serif\"><h1>Kontakt</h1><p>Schreiben Sie uns:</p>"
                   "<p id=\"form\">FORM</p><p><small>Impressum</small></p></body></html>\n") < 0 ||
        !file.commit()) {
        if (error)
            *error = QStringLiteral("cannot write ") + page;
        return false;
    }
    // Deleted, not closed: closing asks whether to save the page.
    std::unique_ptr<TfrmExportHTML> exporter = window.MakeExportWindow();
    TranslateWindow(exporter.get(), window.Texts(), m_language);
    exporter->resize(900, 640);
    exporter->show();
    if (exporter->IsBusy())
        WaitForLoad(exporter.get());
    exporter->OpenFile(page);
    if (exporter->IsBusy())
        WaitForLoad(exporter.get());
    {
        QEventLoop loop;
        exporter->Browser()->page()->runJavaScript(
            QStringLiteral(
                "(function() { var p = document.getElementById('form'), r = document.createRange();"
                " r.selectNodeContents(p); getSelection().removeAllRanges(); getSelection().addRange(r);"
                " })()"),
            QWebEngineScript::ApplicationWorld, [&loop](const QVariant&) { loop.quit(); });
        QTimer::singleShot(15000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    exporter->findChild<QAction*>(QStringLiteral("actAddForm"))->trigger();
    if (exporter->IsBusy())
        WaitForLoad(exporter.get());
    Settle(300);
    const bool saved = Save(exporter.get(), exporter->objectName(), error);
    exporter->hide();
    return saved;
}

bool TScreenshots::RenderTextEditors(TfrmMain& window, QString* error)
{
    // Deleted, not closed: closing the editor asks whether to take over.
    auto editor = std::make_unique<TfrmHtmlEdit>(window.Texts(), window.Prompt(), &window);
    TranslateWindow(editor.get(), window.Texts(), m_language);
    editor->SetSource(QStringLiteral("<p><b>Quorvel</b> &ndash; <i>Kontaktformular</i></p><ul><li>Name</li>"
                                     "<li>E-Mail</li></ul><p style=\"text-align: center\"><font "
                                     "color=\"#336699\">Vielen Dank!</font></p>"));
    editor->show();
    if (!editor->IsReady()) {
        QEventLoop loop;
        QObject::connect(editor.get(), &TfrmHtmlEdit::Ready, &loop, &QEventLoop::quit);
        QTimer::singleShot(15000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    Settle(300);
    if (!Save(editor.get(), editor->objectName(), error))
        return false;
    editor->hide();
    editor.reset();

    std::unique_ptr<QDialog> links[] = {std::make_unique<TfrmLinkEdit>(window.Texts(), &window),
                                        std::make_unique<TfrmPopUpLink>(window.Texts(), &window)};
    for (auto& dialog : links) {
        TranslateWindow(dialog.get(), window.Texts(), m_language);
        dialog->show();
        Settle();
        const bool saved = Save(dialog.get(), dialog->objectName(), error);
        dialog->hide();
        if (!saved)
            return false;
    }
    return true;
}

bool TScreenshots::SavePages(QWidget* dialog, QString* error)
{
    auto* tabs = dialog->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    const int count = tabs ? tabs->count() : 1;
    for (int i = 0; i < count; ++i) {
        if (tabs)
            tabs->setCurrentIndex(i);
        auto* calendar = qobject_cast<TfrmCalender*>(dialog);
        if (calendar && tabs && tabs->widget(i)->objectName() == QLatin1String("TabSheet3")) {
            QEventLoop loop;
            QObject::connect(calendar, &TfrmCalender::PreviewShown, &loop, &QEventLoop::quit);
            QTimer::singleShot(15000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        Settle(calendar ? 300 : 50);
        if (!Save(dialog, dialog->objectName() + (i > 0 ? QStringLiteral("-%1").arg(i + 1) : QString()),
                  error))
            return false;
    }
    return true;
}
