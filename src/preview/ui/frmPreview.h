#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

class QPushButton;
class QTimer;
class QWebEngineView;
class TAppServices;
class TFormProject;

// The separate preview window "Vorschau": while its automatic refresh is on,
// it generates the HTML form every two seconds and reloads it. Made once at
// start-up and kept; closing only hides it and pauses the refresh.
class TfrmPreview : public QWidget
{
    Q_OBJECT
public:
    // Runs the HTML generation without showing anything: a failure during a
    // refresh is swallowed and the next tick tries again.
    using HtmlGenerator = std::function<std::optional<QString>()>;

    // The services and the project must outlive the window.
    TfrmPreview(TAppServices& services, const TFormProject& project, HtmlGenerator generateHtml,
                QWidget* parent = nullptr);

    // The command "Vorschau Fenster": shows the window (or brings it
    // forward) and switches the refresh on. The first refresh comes with the
    // first tick; until then the window shows its last page.
    void ShowPreview();

    // One refresh, as a tick of Timer1 does it.
    void RefreshPage();

    bool IsRefreshing() const;
    // Null until the window was first shown or refreshed.
    QWebEngineView* Browser() const { return m_browser; }

signals:
    // The browser has finished loading the page of a refresh.
    void PageShown(bool ok);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void EnsureBrowser();
    void ToggleRefresh();
    void ShowState();

    TAppServices& m_services;
    const TFormProject& m_project;
    HtmlGenerator m_generateHtml;
    QPushButton* m_sbActive;
    QTimer* m_timer;
    QWebEngineView* m_browser = nullptr;
};
