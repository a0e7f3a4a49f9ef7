#include "texts/ui/TestFormMailer.h"

#include "base/LanguageTexts.h"
#include "base/Prompter.h"
#include "texts/FormMailerList.h"

bool TestFormMailer(const QString& address, const TLanguageTexts& texts, Prompter& prompter,
                    const TUrlOpener& opener)
{
    const std::optional<QUrl> url = TFormMailerList::CheckAddress(address);
    if (!url) {
        prompter.Message(texts.Text(QStringLiteral("txtFormMailerNoWebAddress")).arg(address),
                         texts.Text(QStringLiteral("MsgWarnung")), Prompter::Icon::Warning);
        return false;
    }
    return OpenInBrowser(*url, texts, prompter, opener);
}
