#pragma once

#include "publish/HtmlExport.h"
#include "ui/HelpPage.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QAction;
class QStatusBar;
class QVariant;
class QWebEngineView;
class TAppServices;
class TGuardedPage;
class TProjectSession;
class TUploadCommand;

// "Export in bestehende HTML-Seite": a page of the user's shown in the
// browser, where the form is put at the caret, renewed from the project or
// taken out again; then saved back into its file or uploaded. The browser
// shows a working copy beside the page; the user's file changes only on
// saving. Made for one opening of the command.
//
// The browser answers asynchronously: every command reads the document's
// markup, works on it, writes it into the working copy and loads that; the
// commands are disabled until the load has finished (Loaded).
class TfrmExportHTML : public QDialog
{
    Q_OBJECT
public:
    // Everything given must outlive the window. On closing, the page's path
    // is stored as the project's HTMLExportFileName; a remembered page that
    // exists is opened at once.
    TfrmExportHTML(TAppServices& services, TProjectSession& session, TUploadCommand& upload,
                   QWidget* parent = nullptr);
    ~TfrmExportHTML() override;

    // The user's page; empty while none is open.
    QString FileName() const { return m_fileName; }
    QString WorkingCopy() const { return m_workingCopy; }
    bool IsBusy() const { return m_busy; }
    QWebEngineView* Browser() const { return m_web; }

    // Opens a page; asks first whether to save the open one when it changed.
    void OpenFile(const QString& path);
    // Writes the page into its file; done(true) when it was written (or no
    // page is open).
    void Save(std::function<void(bool)> done = {});
    // The document's markup (the root element), when the browser answers.
    void ReadPageText(std::function<void(std::optional<QString>)> done);
    // Where the help page goes (the desktop's browser when not set).
    void SetUrlOpener(TUrlOpener opener) { m_urlOpener = std::move(opener); }

public slots:
    // Every way of closing ends here.
    void reject() override;

signals:
    // A document has finished loading and the commands follow its markers.
    void Loaded();
    void Saved(bool written);

private:
    TUrlOpener m_urlOpener;
    QAction* Action(const char* name, int key, const QString& caption, int icon);
    void BuildWindow();
    void Run(const QString& script, std::function<void(const QVariant&)> done);
    void SetBusy(bool busy);
    void ShowState();
    void Message(const char* key, const QString& detail = QString(), bool warning = false);

    void ChooseFile();
    void OpenNow(const QString& path);
    void LoadBlank();
    void LoadWorkingCopy();
    void LoadFinished();
    // Puts markup into the document, which makes it the engine's own, and
    // that into the working copy, which is then loaded.
    void LoadText(const QString& markup);
    std::optional<HtmlExport::TBlocks> FreshBlocks();
    void AddForm();
    void RefreshForm();
    void DeleteForm();
    void Upload();
    void ShowHelp();
    void Finish();

    TAppServices& m_services;
    TProjectSession& m_session;
    TUploadCommand& m_upload;
    QWebEngineView* m_web;
    TGuardedPage* m_page;
    QStatusBar* m_status;

    QString m_fileName;
    QString m_workingCopy;
    HtmlExport::TUserPage m_userPage;
    QString m_baseline; // the markup as it is in the user's file
    bool m_takeBaseline = false;
    bool m_hasForm = false;
    bool m_busy = false;
    bool m_expectLoad = false;
    bool m_closing = false;
    bool m_closeWhenIdle = false;
};
