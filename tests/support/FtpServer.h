#pragma once

// The test FTP server (ftpserver.py on pyftpdlib) on a free port of
// 127.0.0.1, with a root folder, one user and optional TLS or faults.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTest>

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
