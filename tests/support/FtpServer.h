#pragma once

// The test FTP server (ftpserver.py on pyftpdlib) on a free port of
// 127.0.0.1, with a root folder, one user and optional TLS or faults.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTest>

// A self-signed certificate for 127.0.0.1 (cert.pem, key.pem in folder),
// and the key it shows as "sha256//<base64>"; an empty path when openssl
// failed.
inline QString MakeTestCertificate(const QString& folder, QString* pin)
{
    const QString cert = folder + QStringLiteral("/cert.pem");
    const QString key = folder + QStringLiteral("/key.pem");
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-keyout"), key,
                   QStringLiteral("-out"), cert, QStringLiteral("-days"), QStringLiteral("2"),
                   QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1")});
    if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0)
        return QString();
    QProcess digest;
    digest.start(QStringLiteral("sh"),
                 {QStringLiteral("-c"),
                  QStringLiteral("openssl x509 -in '%1' -pubkey -noout | openssl pkey -pubin -outform der | "
                                 "openssl dgst -sha256 -binary | base64")
                      .arg(cert)});
    digest.waitForFinished(20000);
    *pin = QStringLiteral("sha256//") + QString::fromLatin1(digest.readAllStandardOutput().trimmed());
    return cert;
}

class FtpServer
{
public:
    ~FtpServer() { Stop(); }

    bool Start(const QString& root, const QString& user, const QString& password,
               const QStringList& extra = {})
    {
        QStringList args{QStringLiteral(QUORVEL_TEST_SUPPORT "/ftpserver.py"),
                         QStringLiteral("--root"),
                         root,
                         QStringLiteral("--user"),
                         user,
                         QStringLiteral("--password"),
                         password};
        args << extra;
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        // Debian's own Python, which has pyftpdlib, even where another one
        // comes first on the PATH.
        const QString python = QFileInfo::exists(QStringLiteral("/usr/bin/python3"))
                                   ? QStringLiteral("/usr/bin/python3")
                                   : QStringLiteral("python3");
        m_process.start(python, args);
        if (!m_process.waitForStarted(10000))
            return false;
        QElapsedTimer waited;
        waited.start();
        QByteArray out;
        while (waited.elapsed() < 15000 && m_process.state() == QProcess::Running) {
            m_process.waitForReadyRead(100);
            out += m_process.readAllStandardOutput();
            const qsizetype at = out.indexOf("PORT ");
            if (at >= 0 && out.indexOf('\n', at) > at) {
                m_port = out.mid(at + 5, out.indexOf('\n', at) - at - 5).trimmed().toInt();
                return m_port > 0;
            }
        }
        return false;
    }

    void Stop()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    int Port() const { return m_port; }

private:
    QProcess m_process;
    int m_port = 0;
};
