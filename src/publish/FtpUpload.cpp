#include "publish/FtpUpload.h"

#include "base/LanguageTexts.h"
#include "base/Prompter.h"
#include "codegen/PageFiles.h"
#include "model/FormProject.h"

#include <QDir>
#include <QFile>

namespace
{
QByteArray ReadAll(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + QStringLiteral(": ") + file.errorString();
        return QByteArray();
    }
    return file.readAll();
}
} // namespace

TFtpUpload::TFtpUpload(TFormProject& project, const TLanguageTexts& texts, Prompter& prompter,
                       QString dataDir, Log log)
    : m_project(project), m_texts(texts), m_prompter(prompter), m_dataDir(std::move(dataDir)),
      m_log(std::move(log))
{
}

void TFtpUpload::SetTimeouts(int connect, int reply, int stall)
{
    m_timeouts[0] = connect;
    m_timeouts[1] = reply;
    m_timeouts[2] = stall;
}

bool TFtpUpload::CheckFtpSettings()
{
    const auto refuse = [this](const char* key) {
        m_prompter.Message(m_texts.Text(QLatin1String(key)));
        return false;
    };
    // A line end inside a setting would end the FTP command early and send
    // the rest as a command of its own.
    if (m_project.edtFtpServer.isEmpty() || TFtpClient::HasControlCharacter(m_project.edtFtpServer))
        return refuse("txtMainFrmFTP13");
    if (m_project.edtDateiname.isEmpty() || TFtpClient::HasControlCharacter(m_project.edtDateiname))
        return refuse("txtMainFrmFTP14");
    if (TFtpSettings::PortOf(m_project.edtPort) == 0) {
        m_project.edtPort = QStringLiteral("21");
        return refuse("txtMainFrmFTP15");
    }
    for (const QString* value : {&m_project.edtUsername, &m_project.edtPasswort, &m_project.edtFolder})
        if (TFtpClient::HasControlCharacter(*value))
            return refuse("txtMainFrmFTP16");

    m_settings = SettingsOf(m_project);
    m_settings.connectTimeout = m_timeouts[0];
    m_settings.replyTimeout = m_timeouts[1];
    m_settings.stallTimeout = m_timeouts[2];
    m_folder = m_project.edtFolder;
    m_fileName = m_project.edtDateiname;
    m_calendar = PageFiles::ContainsCalendarField(m_project);
    m_text.clear();
    for (const char* key :
         {"txtMainFrmFTP0", "txtMainFrmFTP1", "txtMainFrmFTP2", "txtMainFrmFTP3", "txtMainFrmFTP4",
          "txtMainFrmFTP5", "txtMainFrmFTP7", "txtMainFrmFTP8", "txtMainFrmFTP9", "txtMainFrmFTP10",
          "txtMainFrmFTP11", "MsgError", "txtMailerUpload"})
        m_text.insert(QLatin1String(key), m_texts.Text(QLatin1String(key)));
    // The form mailer goes along only with the HTML form, which posts to it.
    m_mailerFiles.clear();
    if (m_project.chkUploadMailer && m_htmlForm.value_or(m_project.cboUploadFormat != 1)) {
        if (TCompanionMailer::Recipients(m_project).isEmpty())
            return refuse("txtMailerNoRecipient");
        TResult<QList<TCompanionMailer::TFile>> files = TCompanionMailer::Files(m_project, m_dataDir);
        if (!files) {
            GeneralError(files.Error());
            return false;
        }
        m_mailerFiles = std::move(files).Value();
    }
    return true;
}

TFtpSettings TFtpUpload::SettingsOf(const TFormProject& project)
{
    TFtpSettings settings;
    settings.host = project.edtFtpServer.trimmed();
    settings.port = TFtpSettings::PortOf(project.edtPort);
    settings.user = project.edtUsername;
    settings.password = project.edtPasswort;
    settings.passive = project.chkPassiv;
    settings.tls = project.chkFtpTls;
    settings.pinnedKey = project.chkFtpTls ? project.edtFtpTlsKey.trimmed() : QString();
    return settings;
}

void TFtpUpload::GeneralError(const QString& text)
{
    m_prompter.Message(text, Text("MsgError"), Prompter::Icon::Error);
}

bool TFtpUpload::Fail(TFtpClient& client, bool withFolderHint)
{
    const TFtpClient::TError error = client.Error();
    client.Quit();
    if (!error.serverReply) {
        GeneralError(error.text);
        return false;
    }
    for (const QString& line : ReplyErrorLines(m_text, error.text, withFolderHint))
        m_log(line);
    return false;
}

QStringList ReplyErrorLines(const QHash<QString, QString>& texts, const QString& reply, bool withFolderHint)
{
    const auto text = [&texts](const char* key) { return texts.value(QLatin1String(key)); };
    QStringList lines{QString(), text("txtMainFrmFTP7"), QString(), text("txtMainFrmFTP8")};
    if (withFolderHint)
        lines << text("txtMainFrmFTP9") << text("txtMainFrmFTP10");
    lines << QString() << text("txtMainFrmFTP11") << reply;
    return lines;
}

bool TFtpUpload::UploadFile(const QString& localPath)
{
    return CheckFtpSettings() && Transfer(localPath);
}

bool TFtpUpload::Transfer(const QString& localPath)
{
    QString readError;
    const QByteArray page = ReadAll(localPath, &readError);
    if (!readError.isEmpty()) {
        GeneralError(readError);
        return false;
    }

    TFtpClient client(m_settings, m_protocol);
    m_log(Text("txtMainFrmFTP0"));
    client.SetBinary(false);
    m_log(Text("txtMainFrmFTP1") + QLatin1Char(' ') + m_settings.user);
    m_log(Text("txtMainFrmFTP2"));
    if (!client.Connect())
        return Fail(client, true);
    m_log(Text("txtMainFrmFTP3"));
    if (!m_folder.isEmpty() && !client.ChangeDir(m_folder))
        return Fail(client, true);
    m_log(Text("txtMainFrmFTP4") + QLatin1Char(' ') + m_folder);
    if (!client.Store(m_fileName, page, m_progress))
        return Fail(client, true);

    if (m_calendar) {
        client.Quit();
        const QByteArray picture =
            ReadAll(QDir(m_dataDir).filePath(QStringLiteral("cal/cal.png")), &readError);
        if (!readError.isEmpty()) {
            GeneralError(readError);
            return false;
        }
        TFtpClient binary(m_settings, m_protocol);
        binary.SetBinary(true);
        if (!binary.Connect() || (!m_folder.isEmpty() && !binary.ChangeDir(m_folder)) ||
            !binary.Store(QStringLiteral("cal.png"), picture, m_progress))
            return Fail(binary, true);
        binary.Quit();
    }
    if (!m_mailerFiles.isEmpty()) {
        client.Quit();
        TFtpClient binary(m_settings, m_protocol);
        binary.SetBinary(true);
        if (!binary.Connect() || (!m_folder.isEmpty() && !binary.ChangeDir(m_folder)))
            return Fail(binary, true);
        for (const TCompanionMailer::TFile& file : m_mailerFiles) {
            m_log(Text("txtMailerUpload") + QLatin1Char(' ') + file.name);
            if (!binary.Store(file.name, file.bytes, m_progress))
                return Fail(binary, true);
        }
        binary.Quit();
    }
    m_log(Text("txtMainFrmFTP5"));
    client.Quit();
    return true;
}
