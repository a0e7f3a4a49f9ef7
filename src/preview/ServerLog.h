#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One message PHP printed while it served the local test: a warning, a
// notice, an error with the file and line PHP named, or an answer of the
// server that failed without PHP saying why.
struct TServerMessage
{
    enum class Kind { Warning, Notice, Deprecated, Error, FailedAnswer, Other };

    Kind kind = Kind::Other;
    QString time;  // "01:16:03" as PHP stamped the line; empty when it did not
    QString level; // PHP's word for it ("Warning", "Fatal error"), or the status code
    QString text;  // as PHP gave it; the lines of a stack trace below the first
    QString file;  // where PHP placed it, when it said so
    int line = 0;
};

// What a user wants to see of the built-in server's output: its request log
// ("Accepted", "Closing", "[200]: GET /form.php") is left out, the messages
// stay, one entry each. The output comes in pieces as the server prints it;
// a line that a piece cuts off waits for the rest of it.
class TServerLog
{
public:
    // Reads the next piece. Returns the index of the first message that is
    // new or got more lines (a stack trace), -1 when none did.
    qsizetype Add(const QByteArray& chunk);
    const QList<TServerMessage>& Messages() const { return m_messages; }
    // Forgets the messages; a line begun before is still completed.
    void Clear();

private:
    void ReadLine(QString line, qsizetype& changed);
    void Append(TServerMessage message, qsizetype& changed);

    QByteArray m_rest;
    QList<TServerMessage> m_messages;
    bool m_lastOpen = false;  // the last message may still get lines of a trace
    bool m_skipTrace = false; // the trace after a failed answer repeats the error
    bool m_errorInRequest = false;
};
