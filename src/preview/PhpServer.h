#pragma once

#include "base/Result.h"

#include <QProcess>
#include <QStringList>

// PHP's built-in web server on a free port of 127.0.0.1, serving one folder:
// the local test of a generated page runs on it. Another program may take
// the port between choosing and binding it; then the server exits at once
// and another port is tried. The server stops with this object.
class TPhpServer
{
public:
    TPhpServer() = default;
    TPhpServer(const TPhpServer&) = delete;
    TPhpServer& operator=(const TPhpServer&) = delete;
    ~TPhpServer() { Stop(); }

    // Serves root with the given "-d" settings (and further options before
    // them, such as "-n" for PHP without its extensions), on port when it is
    // not 0. Fails with the reason, naming the package to install when there
    // is no PHP.
    TStatus Start(const QString& root, const QStringList& settings = {}, const QStringList& options = {},
                  int port = 0);
    void Stop();

    bool IsRunning() const { return m_process.state() == QProcess::Running; }
    int Port() const { return m_port; }
    qint64 ProcessId() const { return m_process.processId(); }
    // What PHP printed since the last call: its request log, warnings and
    // notices.
    QByteArray TakeOutput();

    // The program that is started; "php" from the PATH unless set (tests).
    static QString Program();

private:
    bool Listening(int port);

    QProcess m_process;
    QByteArray m_output;
    int m_port = 0;
};

// A port of 127.0.0.1 that was free a moment ago; 0 when none could be had.
int FreeLocalPort();
