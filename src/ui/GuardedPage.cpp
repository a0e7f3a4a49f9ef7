#include "ui/GuardedPage.h"

#include "base/Literals.h"

TGuardedPage::TGuardedPage(QObject* parent) : QWebEnginePage(parent) {}

TGuardedPage::TGuardedPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {}

bool TGuardedPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    if (isMainFrame && type == NavigationTypeTyped && !m_permitted.isEmpty() && url == m_permitted) {
        m_permitted.clear();
        return true;
    }
    emit NavigationRefused(url);
    return false;
}

QString JsLiteral(const QString& text)
{
    return QLatin1Char('"') + Literals::JsString(text) + QLatin1Char('"');
}
