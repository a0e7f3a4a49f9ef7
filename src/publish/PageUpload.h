#pragma once

#include "base/Result.h"
#include "publish/FtpUpload.h"

#include <QByteArray>

#include <optional>

// The command "FTP-Upload": generates the page in the upload format, writes
// it by the save rule into a private temporary file, uploads it with the
// project's FTP settings and removes the file again. A page that could not
// be generated or written is never replaced by an older one: the upload
// then does not start.
class TPageUpload
{
public:
    TPageUpload(TFormProject& project, const TLanguageTexts& texts, Prompter& prompter, QString dataDir,
                QString tempFolder);

    // php: the PHP page instead of the HTML form (the project's upload
    // format when not given). formId fixes the form number.
    bool Run(TFtpUpload& upload, std::optional<bool> php = std::nullopt,
             std::optional<int> formId = std::nullopt);

    // The page in a new private temporary file (its path), or nothing when
    // it could not be generated or written (already said). The caller
    // removes the file.
    std::optional<QString> WritePage(std::optional<bool> php = std::nullopt,
                                     std::optional<int> formId = std::nullopt);

    // Bytes in a new private temporary file of tempFolder, named after
    // pattern ("quorvel_temp-XXXXXX.htm"): its path, or why it failed.
    static TResult<QString> WritePrivateFile(const QString& tempFolder, const QString& pattern,
                                             const QByteArray& bytes);

private:
    TFormProject& m_project;
    const TLanguageTexts& m_texts;
    Prompter& m_prompter;
    QString m_dataDir;
    QString m_tempFolder;
};
