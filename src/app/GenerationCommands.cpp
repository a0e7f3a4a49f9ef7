#include "app/GenerationCommands.h"

#include "base/Crlf.h"
#include "base/LanguageTexts.h"
#include "codegen/GenHTML.h"
#include "codegen/GenPHP.h"
#include "codegen/PageFiles.h"
#include "codegen/ProjectCheck.h"
#include "model/FormProject.h"

#include <memory>

TGenerationCommands::TGenerationCommands(const TFormProject& project, const TLanguageTexts& texts,
                                         Prompter& prompter, QString dataDir)
    : m_project(project), m_texts(texts), m_prompter(prompter), m_dataDir(std::move(dataDir))
{
}

void TGenerationCommands::SetView(Page page, TextSink view)
{
    (page == Page::Html ? m_htmlView : m_phpView) = std::move(view);
}

void TGenerationCommands::Fail(const QString& text)
{
    m_prompter.Message(text, m_texts.Text(QStringLiteral("MsgError")), Prompter::Icon::Error);
}

std::optional<QString> TGenerationCommands::Generate(Page page)
{
    QString error;
    std::optional<QString> text = Run(page, &error);
    if (!text)
        Fail(error);
    return text;
}

std::optional<QString> TGenerationCommands::GenerateQuietly(Page page)
{
    return Run(page, nullptr);
}

std::optional<QString> TGenerationCommands::Run(Page page, QString* error)
{
    std::unique_ptr<TCodeExport> generator;
    if (page == Page::Html)
        generator = std::make_unique<TGenHTML>(m_project, m_texts, m_dataDir);
    else
        generator = std::make_unique<TGenPHP>(m_project, m_texts, m_dataDir);
    generator->SetFixedFormID(m_formId);
    TResult<QString> text = generator->GenCode();
    if (!text) {
        if (error)
            *error = text.Error();
        return std::nullopt;
    }
    const TextSink& view = page == Page::Html ? m_htmlView : m_phpView;
    if (view)
        view(*text);
    return std::move(text).Value();
}

bool TGenerationCommands::Write(Page page, const QString& text, const QString& fileName)
{
    const TStatus written = PageFiles::WritePage(fileName, text, m_project.ExtSettings.encoding, page);
    if (!written) {
        Fail(fileName + QStringLiteral("\n") + written.Failure().What);
        return false;
    }
    // The page is saved; a missing calendar picture beside it only leaves the
    // calendar button without its image, which the user sees at once.
    (void)PageFiles::CopyAdditionalFiles(m_project, m_dataDir, fileName, false);
    return true;
}

bool TGenerationCommands::WritePage(Page page, const QString& fileName)
{
    const std::optional<QString> text = Generate(page);
    return text && Write(page, *text, fileName);
}

// The save dialog keeps the last chosen name for its next use and, like the
// program always did, does not ask before replacing a file.
QString TGenerationCommands::AskFileName(QString& lastName, const QString& filter, const QString& suffix)
{
    Prompter::FileRequest request;
    request.fileName = lastName;
    request.filter = filter;
    request.defaultSuffix = suffix;
    request.confirmOverwrite = false;
    const QString fileName = m_prompter.SaveFileName(request);
    if (!fileName.isEmpty())
        lastName = fileName;
    return fileName;
}

bool TGenerationCommands::ExportHTML()
{
    const std::optional<QString> text = GenerateHTML();
    if (!text || !ConfirmWarnings(Page::Html))
        return false;
    const QString fileName =
        AskFileName(m_htmlName, QStringLiteral("HTML Datei (*.htm)"), QStringLiteral("htm"));
    return !fileName.isEmpty() && Write(Page::Html, *text, fileName);
}

bool TGenerationCommands::ConfirmWarnings(Page page)
{
    // The values generation refuses are named by the generation itself.
    const QList<ProjectCheck::TWarning> warnings = ProjectCheck::Check(
        m_project, m_texts, page == Page::Php ? ProjectCheck::TTarget::Php : ProjectCheck::TTarget::Html,
        false);
    if (warnings.isEmpty())
        return true;
    QString text = m_texts.Text(QStringLiteral("txtCheckGoOn")) + CRLF;
    for (const ProjectCheck::TWarning& warning : warnings)
        text += CRLF + QStringLiteral("- ") + warning.Line();
    text += CRLF + CRLF + m_texts.Text(QStringLiteral("txtCheckGoOn2"));
    return m_prompter.Question(text, m_texts.Text(QStringLiteral("MsgWarnung")), Prompter::Icon::Warning,
                               false) == Prompter::Answer::Yes;
}

bool TGenerationCommands::ExportPHP()
{
    for (const auto& field : m_project.ListField) {
        if (field->IsUpload()) {
            m_prompter.Message(m_texts.Text(QStringLiteral("txtMainFrmPHPHint1")) + CRLF +
                                   m_texts.Text(QStringLiteral("txtMainFrmPHPHint2")),
                               m_texts.Text(QStringLiteral("MsgWarnung")), Prompter::Icon::Warning);
            break;
        }
    }
    if (!ConfirmWarnings(Page::Php))
        return false;
    const QString fileName =
        AskFileName(m_phpName, QStringLiteral("PHP Datei (*.php)"), QStringLiteral("php"));
    return !fileName.isEmpty() && WritePage(Page::Php, fileName);
}

bool TGenerationCommands::Copy(Page page)
{
    const QString message = m_texts.Text(QStringLiteral("txtMainFrmCopyToClipboard1"));
    const QString caption = m_texts.Text(QStringLiteral("txtMainFrmCopyToClipboard2"));
    const std::optional<QString> text = Generate(page);
    if (!text)
        return false;
    if (m_clipboard)
        m_clipboard(*text);
    m_prompter.Message(message, caption, Prompter::Icon::Information);
    return true;
}
