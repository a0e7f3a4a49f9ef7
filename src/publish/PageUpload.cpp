#include "publish/PageUpload.h"

#include "base/AtomicFile.h"
#include "base/LanguageTexts.h"
#include "base/Prompter.h"
#include "codegen/GenHTML.h"
#include "codegen/GenPHP.h"
#include "codegen/PageFiles.h"
#include "model/FormProject.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

TPageUpload::TPageUpload(TFormProject& project, const TLanguageTexts& texts, Prompter& prompter,
                         QString dataDir, QString tempFolder)
    : m_project(project), m_texts(texts), m_prompter(prompter), m_dataDir(std::move(dataDir)),
      m_tempFolder(std::move(tempFolder))
{
}

std::optional<QString> TPageUpload::WritePage(std::optional<bool> php, std::optional<int> formId)
{
    const bool asPhp = php.value_or(m_project.cboUploadFormat == 1);
    TResult<QString> page = [&]() -> TResult<QString> {
        if (asPhp) {
            TGenPHP gen(m_project, m_texts, m_dataDir);
            gen.SetFixedFormID(formId);
            return gen.GenCode();
        }
        TGenHTML gen(m_project, m_texts, m_dataDir);
        gen.SetFixedFormID(formId);
        return gen.GenCode();
    }();
    const QString errorCaption = m_texts.Text(QStringLiteral("MsgError"));
    if (!page) {
        m_prompter.Message(page.Error(), errorCaption, Prompter::Icon::Error);
        return std::nullopt;
    }
    const TResult<QString> file = WritePrivateFile(
        m_tempFolder,
        asPhp ? QStringLiteral("quorvel_temp-XXXXXX.php") : QStringLiteral("quorvel_temp-XXXXXX.htm"),
        PageFiles::PageBytes(*page, m_project.ExtSettings.encoding,
                             asPhp ? PageFiles::PageKind::Php : PageFiles::PageKind::Html));
    if (!file) {
        m_prompter.Message(file.Error(), errorCaption, Prompter::Icon::Error);
        return std::nullopt;
    }
    return *file;
}

TResult<QString> TPageUpload::WritePrivateFile(const QString& tempFolder, const QString& pattern,
                                               const QByteArray& bytes)
{
    if (tempFolder.isEmpty())
        return TFailure{QStringLiteral("no private temporary folder"), QString()};
    // A name of its own in the private folder.
    QTemporaryFile name(QDir(tempFolder).filePath(pattern));
    name.setAutoRemove(false);
    if (!name.open())
        return TFailure{name.errorString(), QString()};
    const QString file = name.fileName();
    name.close();
    const TStatus written = WriteFileAtomically(file, bytes);
    if (!written) {
        QFile::remove(file);
        return written.Failure();
    }
    return file;
}

bool TPageUpload::Run(TFtpUpload& upload, std::optional<bool> php, std::optional<int> formId)
{
    const std::optional<QString> file = WritePage(php, formId);
    if (!file)
        return false;
    upload.SetHtmlForm(!php.value_or(m_project.cboUploadFormat == 1));
    const bool uploaded = upload.UploadFile(*file);
    QFile::remove(*file);
    return uploaded;
}
