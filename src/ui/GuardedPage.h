#pragma once

#include <QString>
#include <QUrl>
#include <QWebEnginePage>

// A browser page for documents the program shows and edits, not for
// browsing: it goes only where the program itself sends it (Permit before
// each load), a click on a link, a form being sent or a script setting the
// location leave it where it is, it opens no windows, and the documents'
// script messages stay unseen.
class TGuardedPage : public QWebEnginePage
{
    Q_OBJECT
public:
    explicit TGuardedPage(QObject* parent = nullptr);
    // In a profile of its own (which must outlive the page).
    TGuardedPage(QWebEngineProfile* profile, QObject* parent);

    // The program's next load of url is let through, once.
    void Permit(const QUrl& url) { m_permitted = url; }

signals:
    // The document tried to go elsewhere and stayed.
    void NavigationRefused(const QUrl& url);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int, const QString&) override
    {
    }

private:
    QUrl m_permitted;
};

// A text as a JavaScript string literal, for scripts run in a page.
QString JsLiteral(const QString& text);
