#pragma once

#include "ui/HelpPage.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QRadioButton;
class QSplitter;
class QWebEngineView;
class TAppServices;
class TFormProject;
class TInboxPanel;
class TLocalTest;

// The content of the main window's page "Vorschau / Test": the HTML form as a
// browser shows it, rebuilt every time the page is shown. The browser is made
// on the first showing only, since starting the web engine takes a while.
//
// "Auf diesem Computer testen" runs the page on this computer instead (the
// PHP page, or the HTML form with the companion form mailer): the browser
// shows it from the local server, where sending works, and the inbox beside
// it shows every mail the page sent.
class TPreviewTab : public QWidget
{
    Q_OBJECT
public:
    // Runs the HTML generation (so the code view shows the page too) and
    // reports its failure itself; the page, or nothing when it failed.
    using HtmlGenerator = std::function<std::optional<QString>()>;

    // The services and the project must outlive the widget.
    TPreviewTab(TAppServices& services, TFormProject& project, HtmlGenerator generateHtml,
                QWidget* parent = nullptr);
    ~TPreviewTab() override;

    // Generates the form, writes it into the user's private temporary folder
    // (with the calendar picture beside it when a calendar field needs it)
    // and loads it. The browser stays hidden until the page is complete, so
    // nobody sees a half-drawn form.
    void Refresh();

    // The local test: started for the chosen page (a failure is reported),
    // and stopped (nothing of it stays running). A running test restarts.
    bool StartLocalTest();
    void StopLocalTest();
    bool LocalTestRunning() const;
    // Another project came: a running test ends, the page kind follows the
    // project's upload format again.
    void ProjectReplaced();
    TLocalTest& LocalTest() { return *m_localTest; }
    // Null until the first test started.
    TInboxPanel* Inbox() const { return m_inbox; }
    // How the inbox opens an attachment (the desktop's unless set).
    void SetUrlOpener(TUrlOpener opener);

    // Null until the page was first shown.
    QWebEngineView* Browser() const { return m_browser; }
    // The file the last refresh wrote (empty before).
    const QString& PageFile() const { return m_pageFile; }

signals:
    // The browser has finished loading the page of a refresh.
    void PageShown(bool ok);
    void LocalTestChanged(bool running);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void EnsureBrowser();
    void ShowTestState();
    void EnsureInbox();

    TAppServices& m_services;
    TFormProject& m_project;
    HtmlGenerator m_generateHtml;
    TLocalTest* m_localTest;
    QPushButton* m_testButton;
    QRadioButton* m_phpKind;
    QRadioButton* m_htmlKind;
    QLabel* m_testAddress;
    QSplitter* m_splitter;
    TInboxPanel* m_inbox = nullptr;
    TUrlOpener m_urlOpener;
    QWebEngineView* m_browser = nullptr;
    QString m_pageFile;
};
