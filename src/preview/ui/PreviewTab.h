#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

class QWebEngineView;
class TAppServices;
class TFormProject;

// The content of the main window's page "Vorschau / Test": the HTML form as a
// browser shows it, rebuilt every time the page is shown. The browser is made
// on the first showing only, since starting the web engine takes a while.
class TPreviewTab : public QWidget
{
    Q_OBJECT
public:
    // Runs the HTML generation (so the code view shows the page too) and
    // reports its failure itself; the page, or nothing when it failed.
    using HtmlGenerator = std::function<std::optional<QString>()>;

    // The services and the project must outlive the widget.
    TPreviewTab(TAppServices& services, const TFormProject& project, HtmlGenerator generateHtml,
                QWidget* parent = nullptr);

    // Generates the form, writes it into the user's private temporary folder
    // (with the calendar picture beside it when a calendar field needs it)
    // and loads it. The browser stays hidden until the page is complete, so
    // nobody sees a half-drawn form.
    void Refresh();

    // Null until the page was first shown.
    QWebEngineView* Browser() const { return m_browser; }
    // The file the last refresh wrote (empty before).
    const QString& PageFile() const { return m_pageFile; }

signals:
    // The browser has finished loading the page of a refresh.
    void PageShown(bool ok);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void EnsureBrowser();

    TAppServices& m_services;
    const TFormProject& m_project;
    HtmlGenerator m_generateHtml;
    QWebEngineView* m_browser = nullptr;
    QString m_pageFile;
};
