#include "app/DefaultPages.h"

#include "app/AppPaths.h"
#include "app/GenerationCommands.h"
#include "app/ProgramSettings.h"
#include "app/ProjectCommands.h"
#include "base/LanguageTexts.h"
#include "base/Prompter.h"
#include "model/FormProject.h"

#include <QDir>

namespace DefaultPages
{
QStringList Generate(const QString& folder, Prompter& prompter)
{
    if (!QDir().mkpath(folder)) {
        prompter.Message(QStringLiteral("Cannot make the folder ") + folder);
        return {};
    }
    const QString langIni = AppPaths::DataFile(QStringLiteral("lang.ini"));
    const TProgramSettings settings(langIni);
    const TLanguageTexts texts(langIni, &prompter, settings.LanguageSource());
    TFormProject project;
    TProjectCommands commands(project, texts, prompter, nullptr, AppPaths::DataDir());
    if (!commands.LoadDefaultProject())
        return {};
    TGenerationCommands generation(project, texts, prompter, AppPaths::DataDir());
    const QDir dir(folder);
    const QString html = dir.filePath(QStringLiteral("formular.htm"));
    const QString php = dir.filePath(QStringLiteral("formular.php"));
    if (!generation.WritePage(TGenerationCommands::Page::Html, html) ||
        !generation.WritePage(TGenerationCommands::Page::Php, php))
        return {};
    return {html, php};
}
} // namespace DefaultPages
