#pragma once

// PHP's built-in web server on a free port of 127.0.0.1, for the end-to-end
// tests. Another process may take the port between choosing and binding it;
// then the server exits at once and another port is tried.
#include <QProcess>
#include <QStringList>
#include <QTcpServer>
#include <QTest>

class PhpServer
{
public:
    ~PhpServer() { Stop(); }

    // Serves root with the given -d settings (and further options before
    // them, such as "-n" for PHP without its extensions); false when no port
    // worked.
    bool Start(const QString& root, const QStringList& settings = {}, const QStringList& options = {})
    {
        for (int attempt = 0; attempt < 5; ++attempt) {
            QTcpServer probe;
            if (!probe.listen(QHostAddress::LocalHost, 0))
                return false;
            const int candidate = probe.serverPort();
            probe.close();
            QStringList args = options;
            args << QStringLiteral("-S") << QStringLiteral("127.0.0.1:%1").arg(candidate)
                 << QStringLiteral("-t") << root;
            for (const QString& s : settings)
                args << QStringLiteral("-d") << s;
            m_process.setProcessChannelMode(QProcess::MergedChannels);
            m_process.start(QStringLiteral("php"), args);
            if (!m_process.waitForStarted(10000))
                return false;
            if (Listening(candidate)) {
                m_port = candidate;
                return true;
            }
            Stop();
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
    // The server says it listens on the port (it exits when the port is taken).
    bool Listening(int candidate)
    {
        const QByteArray started = "127.0.0.1:" + QByteArray::number(candidate) + ") started";
        QByteArray output;
        for (int waited = 0; waited < 10000; waited += 50) {
            output += m_process.readAll();
            if (output.contains(started))
                return true;
            if (m_process.state() != QProcess::Running)
                return false;
            m_process.waitForReadyRead(50);
        }
        return false;
    }

    QProcess m_process;
    int m_port = 0;
};
