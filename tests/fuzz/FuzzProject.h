#pragma once

// One input of the fuzz target, shared with the test that replays the seeds
// and every input that ever crashed: the bytes as a project file, read by
// the loader and, when they load, turned into both pages.
#include "base/LanguageTexts.h"
#include "codegen/GenHTML.h"
#include "codegen/GenPHP.h"
#include "model/FormProject.h"
#include "projectfile/ProjectFile.h"

#include <QByteArray>
#include <QString>

namespace FuzzProject
{
// What became of one input.
enum class Outcome { Refused, Generated };

inline Outcome Run(const QByteArray& bytes, const TLanguageTexts& texts, const QString& dataDir)
{
    TFormProject project;
    const TProjectFile file(texts, [] { return QStringLiteral("https://forms.example.com/formmail.php"); });
    if (!file.ReadProject(project, bytes))
        return Outcome::Refused;
    TGenHTML html(project, texts, dataDir);
    html.SetFixedFormID(4711);
    TGenPHP php(project, texts, dataDir);
    php.SetFixedFormID(4711);
    // A page that cannot be made (a template missing) is a failure of the
    // setup, not of the input: the caller sees it in the outcome.
    return html.GenCode() && php.GenCode() ? Outcome::Generated : Outcome::Refused;
}
} // namespace FuzzProject
