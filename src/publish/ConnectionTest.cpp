#include "publish/ConnectionTest.h"

#include "base/LanguageTexts.h"
#include "publish/FtpUpload.h"

TConnectionTest::TConnectionTest(const TLanguageTexts& texts, Log log) : m_log(std::move(log))
{
    for (const char* key :
         {"txtMainFrmFTP0", "txtMainFrmFTP1", "txtMainFrmFTP2", "txtMainFrmFTP3", "txtMainFrmFTP6",
          "txtMainFrmFTP7", "txtMainFrmFTP8", "txtMainFrmFTP11", "txtMainFrmFTP12", "txtFTPEdit6"})
        m_text.insert(QLatin1String(key), texts.Text(QLatin1String(key)));
}

void TConnectionTest::SetTimeouts(int connect, int reply, int stall)
{
    m_timeouts[0] = connect;
    m_timeouts[1] = reply;
    m_timeouts[2] = stall;
}

TConnectionTest::TOutcome TConnectionTest::Run(const TFtpProfile& values) const
{
    using Kind = TOutcome::Kind;
    const auto refused = [](const QString& message) { return TOutcome{Kind::Refused, message, {}}; };
    m_log(Text("txtMainFrmFTP0"));
    // A line end in a value would end its command early and send the rest
    // as a command of its own: nothing goes out then.
    if (TFtpClient::HasControlCharacter(values.benutzername) ||
        TFtpClient::HasControlCharacter(values.passwort))
        return refused(Text("txtFTPEdit6"));
    m_log(Text("txtMainFrmFTP1") + QLatin1Char(' ') + values.benutzername);
    m_log(Text("txtMainFrmFTP2"));
    const int port = TFtpSettings::PortOf(values.port);
    if (port == 0)
        return refused(Text("txtMainFrmFTP6"));
    if (values.server.trimmed().isEmpty())
        return refused(Text("txtMainFrmFTP12"));
    if (TFtpClient::HasControlCharacter(values.server))
        return refused(Text("txtFTPEdit6"));

    TFtpSettings settings;
    settings.host = values.server.trimmed();
    settings.port = port;
    settings.user = values.benutzername;
    settings.password = values.passwort;
    settings.passive = values.passiv;
    settings.tls = values.tls;
    settings.pinnedKey = values.tls ? values.tlsKey.trimmed() : QString();
    settings.connectTimeout = m_timeouts[0];
    settings.replyTimeout = m_timeouts[1];
    settings.stallTimeout = m_timeouts[2];
    TFtpClient client(settings, m_protocol);
    client.SetBinary(false);
    if (client.Connect()) {
        m_log(Text("txtMainFrmFTP3"));
        client.Quit();
        return {Kind::Connected, {}, {}};
    }
    const TFtpClient::TError error = client.Error();
    client.Quit();
    if (error.serverReply) {
        for (const QString& line : ReplyErrorLines(m_text, error.text, false))
            m_log(line);
        return {Kind::ServerReply, error.text, {}};
    }
    TOutcome failed{Kind::Failed, error.text, {}};
    if (error.untrusted)
        failed.serverKey = TFtpClient::ServerKey(settings);
    return failed;
}
