#pragma once

#include <QString>
#include <QUrl>
#include <functional>
#include <optional>

class Prompter;
class TLanguageTexts;

// The test buttons beside address boxes (thank-you page, error pages, the
// project's web address) hand the address to the user's browser. Only web
// addresses go there: a file path, a "file:" or "javascript:" address or a
// program would otherwise be opened by whatever the desktop associates with
// it. Everything else gets a message, and so does a browser that could not
// be started.
class TLinkTest
{
public:
    // Hands an address to the desktop; false when nothing could open it.
    using Opener = std::function<bool(const QUrl&)>;

    TLinkTest(const TLanguageTexts& texts, Prompter& prompter, Opener opener);

    // True when the address was handed over and taken.
    bool Open(const QString& text) const;

    // The address to open: the text (blanks around it ignored) when it is an
    // http or https address with a server name, else nothing.
    static std::optional<QUrl> WebAddress(const QString& text);

private:
    const TLanguageTexts& m_texts;
    Prompter& m_prompter;
    Opener m_opener;
};
