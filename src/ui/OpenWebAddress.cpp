#include "ui/OpenWebAddress.h"

#include "app/LinkTest.h"
#include "ui/HelpPage.h"

bool OpenWebAddress(const QString& text, const TLanguageTexts& texts, Prompter& prompter)
{
    return TLinkTest(texts, prompter, DesktopUrlOpener()).Open(text);
}
