#include "preview/PhpServer.h"

#include <QElapsedTimer>
#include <QStandardPaths>

#include <csignal>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

int FreeLocalPort()
{
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(s);
    return port;
}

QString TPhpServer::Program()
{
    return QStandardPaths::findExecutable(QStringLiteral("php"));
}

TStatus TPhpServer::Start(const QString& root, const QStringList& settings, const QStringList& options,
                          int port)
{
    Stop();
    const QString php = Program();
    if (php.isEmpty())
        return TFailure{QStringLiteral("PHP is not installed (the package php-cli provides it)"), root};
    // A port of the user's choice is tried once.
    for (int attempt = 0; attempt < (port ? 1 : 5); ++attempt) {
        const int candidate = port ? port : FreeLocalPort();
        if (candidate == 0)
            return TFailure{QStringLiteral("no free port on 127.0.0.1"), root};
        QStringList args = options;
        args << QStringLiteral("-S") << QStringLiteral("127.0.0.1:%1").arg(candidate) << QStringLiteral("-t")
             << root;
        for (const QString& s : settings)
            args << QStringLiteral("-d") << s;
        m_output.clear();
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        // The server goes with this program even when it is killed or
        // crashes: nothing of a test stays running.
        m_process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_process.start(php, args);
        if (!m_process.waitForStarted(10000))
            return TFailure{m_process.errorString(), php};
        if (Listening(candidate)) {
            m_port = candidate;
            return {};
        }
        Stop();
    }
    const QString said = QString::fromLocal8Bit(m_output.trimmed());
    if (port && said.contains(QLatin1String("in use"), Qt::CaseInsensitive))
        return TFailure{QStringLiteral("port %1 of 127.0.0.1 is in use").arg(port), php};
    return TFailure{QStringLiteral("PHP's server did not start: ") + said, php};
}

void TPhpServer::Stop()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished();
    }
    m_port = 0;
}

QByteArray TPhpServer::TakeOutput()
{
    m_output += m_process.readAll();
    return std::exchange(m_output, QByteArray());
}

// The server says it listens on the port (it exits when the port is taken).
bool TPhpServer::Listening(int candidate)
{
    const QByteArray started = "127.0.0.1:" + QByteArray::number(candidate) + ") started";
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 10000) {
        m_output += m_process.readAll();
        if (m_output.contains(started))
            return true;
        if (m_process.state() != QProcess::Running)
            return false;
        m_process.waitForReadyRead(50);
    }
    return false;
}
