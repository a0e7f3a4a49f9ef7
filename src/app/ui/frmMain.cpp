#include "app/ui/frmMain.h"

#include "app/AppServices.h"
#include "app/ProjectSession.h"
#include "app/Updater.h"
#include "app/ui/AboutBox.h"
#include "app/ui/CodePage.h"
#include "app/ui/CopyToSenderRule.h"
#include "app/ui/CssPage.h"
#include "app/ui/DesignPage.h"
#include "app/ui/FieldEditing.h"
#include "app/ui/FieldsPage.h"
#include "app/ui/FtpPage.h"
#include "app/ui/MailTextPage.h"
#include "app/ui/MainMenu.h"
#include "app/ui/SettingBinder.h"
#include "app/ui/SettingsPage.h"
#include "app/ui/TemplateCommands.h"
#include "app/ui/frmErwEinstellungen.h"
#include "app/ui/frmProgramSet.h"
#include "app/ui/frmProjectSettings.h"
#include "base/LanguageTexts.h"
#include "base/Prompter.h"
#include "dialogs/ConditionTexts.h"
#include "model/FormProject.h"
#include "preview/ui/PreviewTab.h"
#include "preview/ui/frmPreview.h"
#include "publish/FtpProfiles.h"
#include "publish/FtpUpload.h"
#include "publish/ui/UploadCommand.h"
#include "publish/ui/frmExportHTML.h"
#include "publish/ui/frmFTPBrowser.h"
#include "publish/ui/frmFTPLog.h"
#include "publish/ui/frmSubmissions.h"
#include "publish/ui/ftpProfiles.h"
#include "texts/FormMailerList.h"
#include "texts/ui/OpenHtmlEditor.h"
#include "texts/ui/TestFormMailer.h"
#include "texts/ui/frmFormMailerTemplates.h"
#include "ui/LazyPage.h"
#include "ui/OpenWebAddress.h"
#include "ui/TranslateInterface.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDebug>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace
{
QStringList LocalFiles(const QMimeData* mime)
{
    QStringList files;
    if (!mime || !mime->hasUrls())
        return files;
    const QList<QUrl> urls = mime->urls();
    for (const QUrl& url : urls)
        if (url.isLocalFile())
            files << url.toLocalFile();
    return files;
}
} // namespace

TfrmMain::TfrmMain(TAppServices& services, TProjectSession& session, QWidget* parent)
    : QMainWindow(parent), m_services(services), m_session(session)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quorvel"));
    setAcceptDrops(true);

    m_menu = new TMainMenu(this);
    BuildPages();
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("StatusText"));
    statusBar()->addWidget(m_status, 1);

    TFormProject& project = m_session.Project();
    m_binder = new TSettingBinder(m_pages, project, this);
    m_colors = new TColorLinks(m_pages, project, this);
    m_fieldEditing = new TFieldEditing(
        m_services, project, [this](QWidget* edit) { EditHtml(edit); }, this);
    m_templates = new TTemplateCommands(
        m_services, project, *m_fieldsPage, [this] { RefreshFieldList(); }, this);
    ConnectCommands();

    TranslateInterface();
    m_pages->setCurrentWidget(m_fieldsPage);
    // The user's templates start as a copy of the shipped ones. Neither a
    // failed copy nor a damaged file keeps the window from opening.
    m_templates->InstallDefault();
    m_templates->LoadTemplateList();
    resize(960, 700);

    // The resident windows.
    TGenerationCommands& generation = m_session.Generation();
    m_preview = new TfrmPreview(
        m_services, project,
        [&generation] { return generation.GenerateQuietly(TGenerationCommands::Page::Html); }, this);
    connect(m_menu->Command("actPreviewWindows"), &QAction::triggered, m_preview, &TfrmPreview::ShowPreview);
    m_ftpLog = new TfrmFTPLog(m_services.Texts(), this);
    m_upload = new TUploadCommand(m_services, project, *m_ftpLog, this);
    // While one upload runs, another cannot start.
    QAction* upload = m_menu->Command("actUpload");
    connect(upload, &QAction::triggered, this, [this, upload] {
        if (m_upload->Start())
            upload->setEnabled(false);
    });
    connect(m_upload, &TUploadCommand::Finished, upload, [upload] { upload->setEnabled(true); });
    connect(m_menu->Command("actFtpProfiles"), &QAction::triggered, this, &TfrmMain::ManageFtpProfiles);
    connect(m_menu->Command("actLocalTest"), &QAction::triggered, this, &TfrmMain::ToggleLocalTest);
    m_programSet = new TfrmProgramSet(m_services.Settings(), m_services.Texts(), m_services.Prompt(), this);
}

void TfrmMain::EditHtml(QWidget* edit)
{
    HtmlTools::OpenHtmlEditor(edit, m_services.Texts(), m_services.Prompt());
}

// A page other than the first is made when it is first shown (or needed):
// its controls get their texts, the project's values and their commands
// then.
void TfrmMain::PageBuilt(QWidget* page)
{
    TranslateWindow(page, m_services.Texts());
    m_binder->Attach(page);
    m_colors->Attach(page);
    TFormProject& project = m_session.Project();
    if (page == m_cssPage)
        m_cssPage->UpdateSwitches();
    if (auto* option = page->findChild<QCheckBox*>(QStringLiteral("chkAbsender")))
        new TCopyToSenderRule(option, project, m_services.Texts(), m_services.Prompt());
    // The memos of the introduction, the closing text and the mail text.
    const std::pair<const char*, const char*> memoEditors[] = {{"btEditEinleitungText", "memoEinleitung"},
                                                               {"btEditTextFormEnde", "memoTextEnde"},
                                                               {"sbMailTextEdit", "memoMailtext"}};
    for (const auto& [button, memo] : memoEditors) {
        auto* edit = page->findChild<QPlainTextEdit*>(QLatin1String(memo));
        auto* open = page->findChild<QPushButton*>(QLatin1String(button));
        if (edit && open)
            connect(open, &QPushButton::clicked, this, [this, edit] { EditHtml(edit); });
    }
    if (auto* browse = page->findChild<QPushButton*>(QStringLiteral("btBrowseFTP")))
        connect(browse, &QPushButton::clicked, this, &TfrmMain::BrowseFtpFolder);
    if (auto* profiles = page->findChild<QPushButton*>(QStringLiteral("btFtpProfiles")))
        connect(profiles, &QPushButton::clicked, this, &TfrmMain::ManageFtpProfiles);
    if (auto* advanced = page->findChild<QPushButton*>(QStringLiteral("btErwEinstellungen")))
        connect(advanced, &QPushButton::clicked, m_menu->Command("actErwEinstellungen"), &QAction::trigger);
    if (page == m_settingsPage) {
        LoadFormmailers();
        auto* mailer = page->findChild<QComboBox*>(QStringLiteral("cboFormMailer"));
        connect(page->findChild<QPushButton*>(QStringLiteral("btCheckFormmail")), &QPushButton::clicked, this,
                [this, mailer] { TestFormMailer(mailer->currentText(), Texts(), Prompt(), m_urlOpener); });
        connect(page->findChild<QPushButton*>(QStringLiteral("btHelpFormmail")), &QPushButton::clicked, this,
                [this] { OpenHelpPage(QStringLiteral("formmailer.htm"), m_services, m_urlOpener); });
    }
}

void TfrmMain::BuildAllPages()
{
    for (int i = 0; i < m_pages->count(); ++i)
        if (auto* page = qobject_cast<TLazyPage*>(m_pages->widget(i)))
            page->EnsureBuilt();
}

TfrmMain::~TfrmMain() = default;

TAboutBox& TfrmMain::AboutBox()
{
    if (!m_aboutBox)
        m_aboutBox = new TAboutBox(m_services.Texts(), this);
    return *m_aboutBox;
}

void TfrmMain::CheckForNewVersion(const QString& folder)
{
    switch (Updater::Start(folder)) {
    case Updater::TStart::Started: return;
    case Updater::TStart::Missing:
        Prompt().Message(Texts().Text(QStringLiteral("txtMainFrmNoUpdater")),
                         Texts().Text(QStringLiteral("MsgInformation")), Prompter::Icon::Information);
        return;
    case Updater::TStart::Failed:
        Prompt().Message(Texts().Text(QStringLiteral("txtMainFrmUpdaterFailed")).arg(Updater::PathIn(folder)),
                         Texts().Text(QStringLiteral("MsgError")), Prompter::Icon::Error);
        return;
    }
}

void TfrmMain::SetUrlOpener(TUrlOpener opener)
{
    m_urlOpener = std::move(opener);
    if (m_submissions)
        m_submissions->SetUrlOpener(m_urlOpener);
}

TfrmSubmissions& TfrmMain::SubmissionsWindow()
{
    if (!m_submissions) {
        m_submissions = new TfrmSubmissions(m_services.Texts(), m_services.Prompt(), m_services.TempFolder(),
                                            m_session.Project(), this);
        if (m_urlOpener)
            m_submissions->SetUrlOpener(m_urlOpener);
    }
    return *m_submissions;
}

TfrmFTPBrowser& TfrmMain::FtpBrowser()
{
    // Made when first opened; then it keeps its protocol for the whole run.
    if (!m_ftpBrowser)
        m_ftpBrowser = new TfrmFTPBrowser(m_services.Texts(), m_services.Prompt(), this);
    return *m_ftpBrowser;
}

void TfrmMain::ManageFtpProfiles()
{
    if (!m_ftpProfiles) {
        m_ftpProfileStore =
            std::make_unique<TFtpProfiles>(m_services.AppDataFolder() + QStringLiteral("/profiles.xml"));
        // An unreadable file stays as it is; the list starts empty.
        if (TStatus loaded = m_ftpProfileStore->Load(); !loaded)
            Prompt().Message(loaded.Failure().Text(), Texts().Text(QStringLiteral("MsgError")),
                             Prompter::Icon::Error);
        m_ftpProfiles = new TftpProfiles(*m_ftpProfileStore, Texts(), Prompt(), *m_ftpLog, this);
    }
    if (m_ftpProfiles->exec() != QDialog::Accepted)
        return;
    const std::optional<TFtpProfile> chosen = m_ftpProfiles->Selected();
    if (!chosen)
        return;
    m_ftpPage->EnsureBuilt();
    // Through the controls, so that the project takes the values as typed
    // ones; the folder and the file name stay.
    const auto set = [this](const char* name, const QString& text) {
        if (auto* edit = m_pages->findChild<QLineEdit*>(QLatin1String(name)))
            edit->setText(text);
    };
    const auto check = [this](const char* name, bool on) {
        if (auto* box = m_pages->findChild<QCheckBox*>(QLatin1String(name)))
            box->setChecked(on);
    };
    set("edtFtpServer", chosen->server);
    set("edtPort", chosen->port);
    set("edtUsername", chosen->benutzername);
    set("edtPasswort", chosen->passwort);
    check("chkPassiv", chosen->passiv);
    check("chkFtpTls", chosen->tls);
    set("edtFtpTlsKey", chosen->tlsKey);
}

TFormProject& TfrmMain::Project()
{
    return m_session.Project();
}

const TLanguageTexts& TfrmMain::Texts() const
{
    return m_services.Texts();
}

Prompter& TfrmMain::Prompt() const
{
    return m_services.Prompt();
}

TProgramSettings& TfrmMain::Settings()
{
    return m_services.Settings();
}

void TfrmMain::BuildPages()
{
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    setCentralWidget(m_pages);

    m_fieldsPage = new TFieldsPage(m_pages);
    m_settingsPage = new TSettingsPage(m_pages);
    m_ftpPage = new TFtpPage(m_pages);
    m_cssPage = new TCssPage(m_pages);
    m_mailTextPage = new TMailTextPage(m_pages);
    m_htmlPage = new TCodePage("tsHTML", "Panel6", 134, QStringLiteral("HTML-Quelltext Formular"), "memoHtml",
                               m_pages);
    m_phpPage = new TCodePage("tsPHPCode", "Panel2", 135, QStringLiteral("PHP-Quelltext Formular"), "phpCode",
                              m_pages);
    TGenerationCommands& generation = m_session.Generation();
    // The web engine starts with the preview, not with the window.
    m_previewPage = new TLazyPage(
        [this, &generation](QWidget* page) {
            auto* previewLayout = new QVBoxLayout(page);
            previewLayout->setContentsMargins(0, 0, 0, 0);
            auto* previewTab = new TPreviewTab(
                m_services, m_session.Project(), [&generation] { return generation.GenerateHTML(); }, page);
            previewTab->setObjectName(QStringLiteral("WebBrowser1"));
            previewLayout->addWidget(previewTab);
            m_previewTab = previewTab;
            if (m_urlOpener)
                previewTab->SetUrlOpener(m_urlOpener);
            QAction* localTest = m_menu->Command("actLocalTest");
            connect(previewTab, &TPreviewTab::LocalTestChanged, localTest, &QAction::setChecked);
        },
        m_pages);
    m_previewPage->setObjectName(QStringLiteral("tsVorschau"));

    struct Page
    {
        QWidget* widget;
        int key;
        const char* caption;
    };
    const Page pages[] = {
        {m_fieldsPage, 27, "Felder"},
        {m_settingsPage, 16, "Einstellungen"},
        {new TDesignPage(m_pages), 28, "Design"},
        {m_cssPage, 29, "CSS"},
        {m_ftpPage, 30, "FTP + Spamschutz"},
        {m_mailTextPage, 31, "Mailtext"},
        {m_htmlPage, 32, "HTML-Code"},
        {m_phpPage, 33, "PHP-Code"},
        {m_previewPage, 34, "Vorschau / Test"},
    };
    for (const Page& page : pages) {
        SetLangKey(page.widget, page.key);
        m_pages->addTab(page.widget, QString::fromUtf8(page.caption));
        if (auto* lazy = qobject_cast<TLazyPage*>(page.widget))
            connect(lazy, &TLazyPage::Built, this, [this, lazy] { PageBuilt(lazy); });
    }

    // The session outlives the window: its views hold on to the pages only
    // while they exist.
    generation.SetView(TGenerationCommands::Page::Html,
                       [view = QPointer<TCodePage>(m_htmlPage)](const QString& text) {
                           if (view)
                               view->SetCode(text);
                       });
    generation.SetView(TGenerationCommands::Page::Php,
                       [view = QPointer<TCodePage>(m_phpPage)](const QString& text) {
                           if (view)
                               view->SetCode(text);
                       });
    generation.SetClipboard([](const QString& text) { QApplication::clipboard()->setText(text); });
}

void TfrmMain::ConnectCommands()
{
    const auto on = [this](const char* name, auto slot) {
        connect(m_menu->Command(name), &QAction::triggered, this, slot);
    };
    on("actNew", [this] { AfterFileCommand(m_session.Files().New()); });
    on("actOpen", [this] { AfterFileCommand(m_session.Files().Open()); });
    on("actSave", [this] { AfterFileCommand(m_session.Files().Save()); });
    on("actSaveAs", [this] { AfterFileCommand(m_session.Files().SaveAs()); });
    on("actExit", [this] { close(); });
    on("actHTML", [this] { m_session.Generation().ExportHTML(); });
    on("actPHP", [this] { m_session.Generation().ExportPHP(); });
    on("actCopyHtml", [this] { m_session.Generation().CopyHTML(); });
    on("actCopyPHP", [this] { m_session.Generation().CopyPHP(); });
    on("actHtmlExportFile", [this] { ExportIntoPage(); });
    on("actHelp", [this] { OpenHelpPage(QStringLiteral("quorvel.htm"), m_services, m_urlOpener); });
    on("actInfo", [this] { AboutBox().exec(); });
    on("actVersionCheck", [this] { CheckForNewVersion(); });
    on("actProjectSettings", [this] { EditProjectSettings(); });
    on("actErwEinstellungen", [this] { EditAdvancedSettings(); });
    on("actProgramSettings", [this] { EditProgramSettings(); });
    on("actFormmailTemplates", [this] { EditFormmailTemplates(); });
    on("actTemplates", [this] { m_templates->ManageTemplates(); });
    on("actSubmissions", [this] { SubmissionsWindow().Open(); });

    connect(m_pages, &QTabWidget::currentChanged, this, &TfrmMain::PageShown);
    connect(m_menu->FileMenu(), &QMenu::aboutToShow, this, &TfrmMain::FillRecentMenu);
    connect(m_fieldsPage, &TFieldsPage::AddRequested, this, [this](TFieldKind kind) {
        m_fieldEditing->AddField(kind);
        RefreshFieldList();
    });
    connect(m_fieldsPage, &TFieldsPage::EditRequested, this, &TfrmMain::EditField);
    connect(m_fieldsPage, &TFieldsPage::DeleteRequested, this, &TfrmMain::DeleteField);
    connect(m_fieldsPage, &TFieldsPage::MoveRequested, this, &TfrmMain::MoveField);
    connect(m_settingsPage, &TSettingsPage::TestThanksPage, this,
            [this](const QString& address) { OpenWebAddress(address, Texts(), Prompt()); });
}

void TfrmMain::SetColorChooser(TColorLinks::Chooser chooser)
{
    m_colors->SetChooser(std::move(chooser));
}

QString TfrmMain::StatusText() const
{
    return m_status->text();
}

void TfrmMain::ToggleLocalTest()
{
    // The test runs on the preview page; showing it makes it.
    m_pages->setCurrentWidget(m_previewPage);
    m_previewPage->EnsureBuilt();
    if (m_previewTab->LocalTestRunning())
        m_previewTab->StopLocalTest();
    else
        m_previewTab->StartLocalTest();
}

TPreviewTab* TfrmMain::PreviewTab()
{
    m_previewPage->EnsureBuilt();
    return m_previewTab;
}

void TfrmMain::AfterFileCommand(bool replaced)
{
    // A local test shows the project it started with: it ends with it.
    if (replaced && m_previewTab)
        m_previewTab->ProjectReplaced();
    if (replaced)
        ShowProject();
    else
        m_status->setText(m_session.Files().StatusText());
}

TFtpSettings TfrmMain::FtpSettingsFromPage() const
{
    return TFtpUpload::SettingsOf(m_session.Project());
}

// The button beside the upload folder: the server's folders in the browser,
// starting in the upload folder; the folder taken over becomes the upload
// folder (and so the project's, through its control).
void TfrmMain::BrowseFtpFolder()
{
    m_ftpPage->EnsureBuilt();
    auto* port = m_pages->findChild<QLineEdit*>(QStringLiteral("edtPort"));
    auto* folder = m_pages->findChild<QLineEdit*>(QStringLiteral("edtFolder"));
    if (TFtpSettings::PortOf(port->text()) == 0) {
        m_services.Prompt().Message(m_services.Texts().Text(QStringLiteral("txtMainFrmPort21")));
        port->setText(QStringLiteral("21"));
        return;
    }
    TfrmFTPBrowser& browser = FtpBrowser();
    browser.SetConnection(FtpSettingsFromPage(), folder->text());
    if (browser.exec() == QDialog::Accepted)
        folder->setText(browser.SelectedPath());
}

void TfrmMain::ShowProject()
{
    m_binder->ProjectToControls();
    m_colors->BoxesToButtons();
    m_cssPage->UpdateSwitches();
    RefreshFieldList();
    m_status->setText(m_session.Files().StatusText());
}

void TfrmMain::RefreshFieldList()
{
    m_fieldsPage->ShowFields(m_session.Project().ListField, m_services.Texts());
    m_mailTextPage->SetPlaceholders(TMailTextPage::PlaceholderNames(m_session.Project().ListField));
}

bool TfrmMain::OpenProjectFile(const QString& path)
{
    const bool opened = m_session.Files().OpenProjectFile(path);
    AfterFileCommand(opened);
    return opened;
}

bool TfrmMain::SaveProjectFile(const QString& path)
{
    const bool saved = m_session.Files().SaveProjectFile(path);
    AfterFileCommand(false);
    return saved;
}

void TfrmMain::TranslateInterface()
{
    ::TranslateInterface(m_services.Texts());
    if (m_submissions)
        m_submissions->ShowTexts();
}

void TfrmMain::EditProgramSettings()
{
    if (m_programSet->exec() != QDialog::Accepted)
        return;
    TranslateInterface();
    // The kinds in the field list are texts of the language too.
    const int row = m_fieldsPage->SelectedRow();
    RefreshFieldList();
    m_fieldsPage->SelectRow(row);
}

void TfrmMain::LoadFormmailers(bool report)
{
    QStringList links;
    const TStatus loaded =
        TFormMailerList::LoadFormmailers(TFormMailerList::UserFile(m_services.AppDataFolder()),
                                         Texts().Text(QStringLiteral("constFormMailPath")), &links);
    if (!loaded && report)
        Prompt().Message(Texts().Text(QStringLiteral("txtFormMailerUnreadable")).arg(loaded.Failure().Text()),
                         Texts().Text(QStringLiteral("MsgError")), Prompter::Icon::Error);
    // The page is filled when it is made.
    if (!m_settingsPage->IsBuilt())
        return;
    auto* mailer = m_settingsPage->findChild<QComboBox*>(QStringLiteral("cboFormMailer"));
    const QString text = mailer->currentText();
    // The project's address is the box's text: it must not pass through
    // the empty box on the way.
    const QSignalBlocker block(mailer);
    mailer->clear();
    mailer->addItems(links);
    mailer->setEditText(text);
}

void TfrmMain::EditFormmailTemplates()
{
    {
        TfrmFormMailerTemplates dialog(TFormMailerList::UserFile(m_services.AppDataFolder()), Texts(),
                                       Prompt(), m_urlOpener, this);
        dialog.exec();
    }
    LoadFormmailers();
}

bool TfrmMain::GenerateHTML()
{
    return m_session.Generation().GenerateHTML().has_value();
}

bool TfrmMain::GeneratePHP()
{
    return m_session.Generation().GeneratePHP().has_value();
}

void TfrmMain::PageShown(int index)
{
    QWidget* page = m_pages->widget(index);
    if (page == m_htmlPage)
        GenerateHTML();
    else if (page == m_phpPage)
        GeneratePHP();
}

void TfrmMain::FillRecentMenu()
{
    QMenu* recent = m_menu->RecentMenu();
    recent->clear();
    recent->setToolTipsVisible(true);
    const QStringList paths = m_services.History().MenuEntries();
    for (const QString& path : paths) {
        QAction* entry = recent->addAction(QFileInfo(path).fileName());
        entry->setToolTip(path);
        entry->setData(path);
        connect(entry, &QAction::triggered, this,
                [this, path] { AfterFileCommand(m_session.Files().OpenRecent(path)); });
    }
}

void TfrmMain::EditField()
{
    const int row = m_fieldsPage->SelectedRow();
    if (row < 0)
        return;
    m_fieldEditing->EditField(row);
    RefreshFieldList();
}

void TfrmMain::DeleteField()
{
    const int row = m_fieldsPage->SelectedRow();
    if (row < 0)
        return;
    TFieldList& fields = m_session.Project().ListField;
    // Fields whose conditions name this one would name nothing: the one
    // question says which.
    const QList<int> dependents = fields.DependentsOf(row);
    QString question = Texts().Text(QStringLiteral("txtMainFrmDelete"));
    if (!dependents.isEmpty())
        question += QStringLiteral("\n\n") + ConditionTexts::LossQuestion(Texts(), fields, dependents);
    if (Prompt().Question(question, Texts().Text(QStringLiteral("MsgInformation")),
                          dependents.isEmpty() ? Prompter::Icon::Information : Prompter::Icon::Warning, false,
                          Prompter::Answer::No) == Prompter::Answer::Yes) {
        fields.RemoveConditions(dependents);
        fields.Delete(row);
    }
    RefreshFieldList();
}

void TfrmMain::MoveField(int step)
{
    const int row = m_fieldsPage->SelectedRow();
    const int target = row + step;
    TFieldList& fields = m_session.Project().ListField;
    if (row < 0 || target < 0 || target >= fields.Count())
        return;
    // A field may only depend on one before it: a move that breaks this
    // asks before it clears those conditions.
    const QList<int> dependents = fields.DependentsOnExchange(row, target);
    if (!dependents.isEmpty() &&
        Prompt().Question(ConditionTexts::LossQuestion(Texts(), fields, dependents),
                          Texts().Text(QStringLiteral("MsgInformation")), Prompter::Icon::Warning, false,
                          Prompter::Answer::No) != Prompter::Answer::Yes)
        return;
    fields.RemoveConditions(dependents);
    fields.Exchange(row, target);
    RefreshFieldList();
    m_fieldsPage->SelectRow(target);
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    if (m_showSplash) {
        TfrmSplash splash;
        splash.exec();
    }
    // A list that cannot be set up costs the suggestions, never the start.
    const QString mailers = TFormMailerList::UserFile(m_services.AppDataFolder());
    if (TStatus installed = TFormMailerList::InstallDelivered(
            m_services.DataFile(QStringLiteral("formmailers.xml")), mailers);
        !installed)
        qWarning().noquote() << installed.Error();
    LoadFormmailers(true);
    m_session.Files().StartUp(m_startupFile);
    ShowProject();
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (!m_session.Files().ConfirmClose()) {
        event->ignore();
        return;
    }
    m_upload->CancelAndWait();
    if (m_previewTab)
        m_previewTab->StopLocalTest();
    event->accept();
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event)
{
    const QStringList files = LocalFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    AfterFileCommand(m_session.Files().DropFiles(files));
}

// Export into an existing page. The window stores the page it showed as the
// project's HTMLExportFileName when it closes.
std::unique_ptr<TfrmExportHTML> TfrmMain::MakeExportWindow()
{
    auto window = std::make_unique<TfrmExportHTML>(m_services, m_session, *m_upload, this);
    window->SetUrlOpener(m_urlOpener);
    return window;
}

void TfrmMain::ExportIntoPage()
{
    const std::unique_ptr<TfrmExportHTML> window = MakeExportWindow();
    window->exec();
}

std::unique_ptr<TfrmProjectSettings> TfrmMain::MakeProjectSettingsDialog()
{
    auto dialog = std::make_unique<TfrmProjectSettings>(Texts(), Prompt(), this);
    dialog->SetValues(m_session.Project().ExtSettings.ProjectSettings);
    return dialog;
}

void TfrmMain::EditProjectSettings()
{
    const std::unique_ptr<TfrmProjectSettings> dialog = MakeProjectSettingsDialog();
    if (dialog->exec() == QDialog::Accepted)
        m_session.Project().ExtSettings.ProjectSettings = dialog->Values();
}

TfrmErwEinstellungen& TfrmMain::AdvancedSettings()
{
    if (!m_erwEinstellungen)
        m_erwEinstellungen = new TfrmErwEinstellungen(Texts(), Prompt(), this);
    return *m_erwEinstellungen;
}

void TfrmMain::EditAdvancedSettings()
{
    TfrmErwEinstellungen& dialog = AdvancedSettings();
    // Every value is shown anew, the encoding too: nothing of the project
    // shown before stays in the dialog.
    dialog.SetValues(TAdvancedSettings::Of(m_session.Project().ExtSettings));
    if (dialog.exec() == QDialog::Accepted)
        dialog.Values().StoreInto(m_session.Project().ExtSettings);
}
