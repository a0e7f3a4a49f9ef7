#include "app/LinkTest.h"

#include "base/LanguageTexts.h"
#include "base/Prompter.h"

TLinkTest::TLinkTest(const TLanguageTexts& texts, Prompter& prompter, Opener opener)
    : m_texts(texts), m_prompter(prompter), m_opener(std::move(opener))
{
}

std::optional<QUrl> TLinkTest::WebAddress(const QString& text)
{
    const QString address = text.trimmed();
    // The scheme is asked for as typed: QUrl would take "www.example.com" as
    // a relative path and "localhost:80" as the scheme "localhost".
    if (!address.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) &&
        !address.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        return std::nullopt;
    const QUrl url(address);
    if (!url.isValid() || url.host().isEmpty())
        return std::nullopt;
    return url;
}

bool TLinkTest::Open(const QString& text) const
{
    const std::optional<QUrl> url = WebAddress(text);
    if (!url) {
        const QString message = text.trimmed().isEmpty()
                                    ? m_texts.Text(QStringLiteral("txtLinkTestEmpty"))
                                    : m_texts.Text(QStringLiteral("txtLinkTestNoWebAddress"))
                                          .replace(QLatin1String("%1"), text.trimmed());
        m_prompter.Message(message, m_texts.Text(QStringLiteral("MsgWarnung")), Prompter::Icon::Warning);
        return false;
    }
    if (!m_opener || !m_opener(*url)) {
        m_prompter.Message(m_texts.Text(QStringLiteral("txtLinkTestNoBrowser"))
                               .replace(QLatin1String("%1"), url->toDisplayString()),
                           m_texts.Text(QStringLiteral("MsgError")), Prompter::Icon::Error);
        return false;
    }
    return true;
}
