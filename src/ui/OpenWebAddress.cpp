#include "ui/OpenWebAddress.h"

#include "app/LinkTest.h"

#include <QDesktopServices>

bool OpenWebAddress(const QString& text, const TLanguageTexts& texts, Prompter& prompter)
{
    return TLinkTest(texts, prompter, [](const QUrl& url) { return QDesktopServices::openUrl(url); })
        .Open(text);
}
