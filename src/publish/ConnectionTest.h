#pragma once

#include "publish/FtpClient.h"
#include "publish/FtpProfiles.h"

#include <QHash>
#include <functional>

class TLanguageTexts;

// "Verbindung testen" of a profile: connects and logs in with the values as
// typed, whether saved or not, writing each step into the log, and ends the
// connection again. The language texts are taken when the test is made, so
// Run may go on a thread of its own.
class TConnectionTest
{
public:
    using Log = std::function<void(const QString& line)>;

    struct TOutcome
    {
        enum class Kind {
            Connected,
            Refused,     // a value cannot be used; message says why
            ServerReply, // the server refused (the log has its reply)
            Failed       // no connection; message is the failure's own text
        };
        Kind kind = Kind::Failed;
        QString message;
        // A TLS server that could not be trusted: the key it showed
        // ("sha256//..."), which the user may choose to accept.
        QString serverKey;
    };

    TConnectionTest(const TLanguageTexts& texts, Log log);

    // Seconds of the client's time-outs (tests make them short).
    void SetTimeouts(int connect, int reply, int stall);
    // Also every line the client sends and hears.
    void SetProtocol(TFtpClient::LineHook hook) { m_protocol = std::move(hook); }

    TOutcome Run(const TFtpProfile& values) const;

private:
    QString Text(const char* key) const { return m_text.value(QLatin1String(key)); }

    Log m_log;
    TFtpClient::LineHook m_protocol;
    int m_timeouts[3] = {15, 20, 20};
    QHash<QString, QString> m_text;
};
