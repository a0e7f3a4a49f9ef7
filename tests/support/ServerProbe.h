#pragma once

// Whether what a test started is still there: a process, a listener.
#include <QFileInfo>
#include <QHostAddress>
#include <QTcpSocket>

inline bool PortAnswers(int port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    return socket.waitForConnected(2000);
}

inline bool ProcessAlive(qint64 pid)
{
    return pid > 0 && QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid));
}
