#pragma once

#include "app/ui/ColorLinks.h"
#include "publish/FtpClient.h"
#include "ui/HelpPage.h"

#include <QMainWindow>
#include <memory>

class Prompter;
class QLabel;
class QTabWidget;
class TAboutBox;
class TAppServices;
class TCodePage;
class TCssPage;
class TFieldEditing;
class TFieldsPage;
class TFtpPage;
class TLazyPage;
class TSettingsPage;
class TFormProject;
class TLanguageTexts;
class TMailTextPage;
class TMainMenu;
class TProgramSettings;
class TProjectSession;
class TSettingBinder;
class TTemplateCommands;
class TFtpProfiles;
class TfrmFTPBrowser;
class TfrmExportHTML;
class TfrmFTPLog;
class TftpProfiles;
class TfrmPreview;
class TPreviewTab;
class TfrmErwEinstellungen;
class TfrmProjectSettings;
class TfrmProgramSet;
class TUploadCommand;
class TfrmSubmissions;

// The main window: it shows the open project's settings on its pages (each
// control bound to the setting of its own name), the field list, the
// generated code and the preview, and starts every command.
class TfrmMain : public QMainWindow
{
    Q_OBJECT
public:
    // The services and the session (the open project and its commands) must
    // outlive the window; everything the user is asked goes through the
    // services' prompter.
    TfrmMain(TAppServices& services, TProjectSession& session, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The project file named on the command line, loaded when the window is
    // first shown instead of the default project.
    void SetStartupFile(const QString& path) { m_startupFile = path; }
    // The desktop program shows its splash window when the window is first
    // shown, before the project is loaded.
    void SetShowSplash(bool show) { m_showSplash = show; }
    void SetColorChooser(TColorLinks::Chooser chooser);
    // How web addresses and help pages reach a browser (the desktop's when
    // none is set).
    void SetUrlOpener(TUrlOpener opener);

    TFormProject& Project();
    TFieldEditing& FieldEditing() { return *m_fieldEditing; }
    // The field templates: the list on the page "Felder" and the manager.
    TTemplateCommands& Templates() { return *m_templates; }
    TUploadCommand& Upload() { return *m_upload; }
    TfrmFTPLog& FtpLog() { return *m_ftpLog; }
    // The FTP profiles dialog, made and read on first use; null before.
    TftpProfiles* FtpProfilesDialog() const { return m_ftpProfiles; }
    // The FTP browser, made on first use and kept.
    TfrmFTPBrowser& FtpBrowser();
    // "Einsendungen", made on first use and kept (its local copy goes
    // whenever it is closed).
    TfrmSubmissions& SubmissionsWindow();
    // "Info", made on first use and kept.
    TAboutBox& AboutBox();
    // "Auf neue Version prüfen": starts the updater in folder (by default
    // the program's own), or says that none is installed.
    void CheckForNewVersion(const QString& folder = QString());
    // The advanced settings dialog, made on first use and kept.
    TfrmErwEinstellungen& AdvancedSettings();
    const TLanguageTexts& Texts() const;
    Prompter& Prompt() const;
    TProgramSettings& Settings();
    QTabWidget* Pages() const { return m_pages; }
    // Every page is made when first shown; this makes the rest now (for
    // screenshots, say, or a test that reaches into every page).
    void BuildAllPages();
    QString StatusText() const;
    // The page "Vorschau / Test" (made now if it was not yet).
    TPreviewTab* PreviewTab();
    // "Auf diesem Computer testen": starts the local test on the preview
    // page, or ends the one running.
    void ToggleLocalTest();

    bool OpenProjectFile(const QString& path);
    bool SaveProjectFile(const QString& path);
    // Shows the project's values, fields and file after it was replaced.
    void ShowProject();
    void RefreshFieldList();
    // Sets the texts of every window from the current language.
    void TranslateInterface();
    // The program-settings dialog (resident) and its command: on OK the
    // settings are stored and every window takes the language at once.
    TfrmProgramSet& ProgramSettingsDialog() { return *m_programSet; }
    void EditProgramSettings();
    // Refills the drop-down list of the form-mailer box from the user's list
    // (its text stays); a list file that cannot be read is reported when
    // report is set.
    void LoadFormmailers(bool report = false);
    // "Formmailer-Links verwalten": the list in its dialog, then reloaded.
    void EditFormmailTemplates();
    bool GenerateHTML();
    bool GeneratePHP();

    // "Export in bestehende HTML-Datei": a new export window for the open
    // project; the command shows it modally.
    std::unique_ptr<TfrmExportHTML> MakeExportWindow();
    // "Eigenschaften": a new dialog showing the project's descriptive data.
    std::unique_ptr<TfrmProjectSettings> MakeProjectSettingsDialog();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildPages();
    void PageBuilt(QWidget* page);
    void EditHtml(QWidget* edit);
    void ConnectCommands();
    void PageShown(int index);
    void FillRecentMenu();
    void EditField();
    void DeleteField();
    void MoveField(int step);
    // Shows the project when a file command replaced it, else the status.
    void AfterFileCommand(bool replaced);
    // Shows the FTP profiles and takes the chosen one over into the
    // project's FTP settings.
    void ManageFtpProfiles();
    // The server of the page "FTP + Spamschutz" as the FTP client takes it.
    TFtpSettings FtpSettingsFromPage() const;
    void BrowseFtpFolder();
    void ExportIntoPage();
    // The project properties and the advanced settings: each dialog shows
    // the project's values and puts them back only on OK.
    void EditProjectSettings();
    void EditAdvancedSettings();

    TAppServices& m_services;
    TProjectSession& m_session;

    TMainMenu* m_menu = nullptr;
    QTabWidget* m_pages = nullptr;
    TFieldsPage* m_fieldsPage = nullptr;
    TSettingsPage* m_settingsPage = nullptr;
    TFtpPage* m_ftpPage = nullptr;
    TCssPage* m_cssPage = nullptr;
    TMailTextPage* m_mailTextPage = nullptr;
    TCodePage* m_htmlPage = nullptr;
    TCodePage* m_phpPage = nullptr;
    TLazyPage* m_previewPage = nullptr;
    TPreviewTab* m_previewTab = nullptr;
    TfrmPreview* m_preview = nullptr;
    TfrmProgramSet* m_programSet = nullptr;
    TUrlOpener m_urlOpener;
    QLabel* m_status = nullptr;
    TSettingBinder* m_binder = nullptr;
    TColorLinks* m_colors = nullptr;
    TFieldEditing* m_fieldEditing = nullptr;
    TTemplateCommands* m_templates = nullptr;
    TfrmFTPLog* m_ftpLog = nullptr;
    TfrmFTPBrowser* m_ftpBrowser = nullptr;
    TfrmSubmissions* m_submissions = nullptr;
    TAboutBox* m_aboutBox = nullptr;
    TUploadCommand* m_upload = nullptr;
    std::unique_ptr<TFtpProfiles> m_ftpProfileStore;
    TftpProfiles* m_ftpProfiles = nullptr;
    TfrmErwEinstellungen* m_erwEinstellungen = nullptr;

    QString m_startupFile;
    bool m_started = false;
    bool m_showSplash = false;
};
