#include "ui/HelpPage.h"

#include "app/AppServices.h"
#include "app/ProgramSettings.h"
#include "base/LanguageTexts.h"
#include "base/Prompter.h"

#include <QDesktopServices>
#include <QFileInfo>

TUrlOpener DesktopUrlOpener()
{
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

bool OpenInBrowser(const QUrl& url, const TLanguageTexts& texts, Prompter& prompter, const TUrlOpener& opener)
{
    const bool opened = opener ? opener(url) : DesktopUrlOpener()(url);
    if (!opened)
        prompter.Message(
            texts.Text(QStringLiteral("txtNoBrowser")).arg(url.toDisplayString(QUrl::PreferLocalFile)),
            texts.Text(QStringLiteral("MsgError")), Prompter::Icon::Error);
    return opened;
}

QString HelpPagePath(const QString& dataDir, const QString& language, const QString& name)
{
    const QString folder = dataDir + QStringLiteral("/help/");
    const QString own = folder + TProgramSettings::HelpPageName(language, name);
    if (QFileInfo(own).isFile())
        return own;
    // The English pages stand in for a language that has none of its own.
    const QString english = folder + TProgramSettings::HelpPageName(QStringLiteral("Englisch"), name);
    return QFileInfo(english).isFile() ? english : QString();
}

bool OpenHelpPage(const QString& name, const TLanguageTexts& texts, const QString& dataDir,
                  Prompter& prompter, const TUrlOpener& opener)
{
    const QString path = HelpPagePath(dataDir, texts.CurrentLanguage(), name);
    if (path.isEmpty()) {
        prompter.Message(texts.Text(QStringLiteral("txtHelpPageMissing"))
                             .arg(QString(dataDir + QStringLiteral("/help/") +
                                          TProgramSettings::HelpPageName(texts.CurrentLanguage(), name))),
                         texts.Text(QStringLiteral("MsgError")), Prompter::Icon::Error);
        return false;
    }
    return OpenInBrowser(QUrl::fromLocalFile(path), texts, prompter, opener);
}

bool OpenHelpPage(const QString& name, const TAppServices& services, const TUrlOpener& opener)
{
    return OpenHelpPage(name, services.Texts(), services.DataDir(), services.Prompt(), opener);
}
