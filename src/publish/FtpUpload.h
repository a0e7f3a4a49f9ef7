#pragma once

#include "codegen/CompanionMailer.h"
#include "publish/FtpClient.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class Prompter;

// The log lines of a server's refusal, from texts taken beforehand: an
// empty line, txtMainFrmFTP7, an empty line, txtMainFrmFTP8 (with the hint
// txtMainFrmFTP9/10 that the folder may be wrong), an empty line,
// txtMainFrmFTP11 and the server's own reply.
QStringList ReplyErrorLines(const QHash<QString, QString>& texts, const QString& reply, bool withFolderHint);
class TFormProject;
class TLanguageTexts;

// Puts one local file on the server of the project's FTP settings, into its
// upload folder under its file name, and the calendar picture beside it
// when the form has a calendar field. Progress goes to the log line by
// line; what the log cannot say (a setting that is missing, a general
// failure) goes to the prompter.
//
// CheckFtpSettings takes what the transfer needs from the project and the
// language file on the thread that owns them; Transfer then touches neither,
// so it may run on a thread of its own.
class TFtpUpload
{
public:
    using Log = std::function<void(const QString& line)>;

    TFtpUpload(TFormProject& project, const TLanguageTexts& texts, Prompter& prompter, QString dataDir,
               Log log);

    // Seconds of the client's time-outs (tests make them short).
    void SetTimeouts(int connect, int reply, int stall);
    // Bytes sent and to send; false cancels the transfer.
    void SetProgress(TFtpClient::Progress progress) { m_progress = std::move(progress); }
    // Also every line the client sends and hears.
    void SetProtocol(TFtpClient::LineHook hook) { m_protocol = std::move(hook); }

    // Whether the file is the HTML form (the project's upload format when
    // not set): only the HTML form takes the form mailer along, when the
    // project asks for it.
    void SetHtmlForm(bool html) { m_htmlForm = html; }

    // CheckFtpSettings and Transfer; false when a setting was refused or a
    // step failed (already said).
    bool UploadFile(const QString& localPath);

    // The project's FTP settings as the client takes them; false (and a
    // message) when one cannot be used. A port that is not a whole number
    // from 1 to 65535 is reset to "21".
    bool CheckFtpSettings();
    // The connection of the project's FTP settings, unchecked.
    static TFtpSettings SettingsOf(const TFormProject& project);
    // The upload with the settings CheckFtpSettings took.
    bool Transfer(const QString& localPath);

private:
    bool Fail(TFtpClient& client, bool withFolderHint);
    void GeneralError(const QString& text);
    QString Text(const char* key) const { return m_text.value(QLatin1String(key)); }

    TFormProject& m_project;
    const TLanguageTexts& m_texts;
    Prompter& m_prompter;
    QString m_dataDir;
    Log m_log;
    TFtpClient::Progress m_progress;
    TFtpClient::LineHook m_protocol;
    int m_timeouts[3] = {15, 20, 20};
    // Taken by CheckFtpSettings.
    TFtpSettings m_settings;
    QString m_folder;
    QString m_fileName;
    bool m_calendar = false;
    std::optional<bool> m_htmlForm;
    QList<TCompanionMailer::TFile> m_mailerFiles;
    QHash<QString, QString> m_text;
};
