#include "preview/ServerLog.h"

#include <QRegularExpression>

namespace
{
// A line longer than this without a line end is taken as it is: a server
// that never ends its line must not fill the memory.
constexpr qsizetype LongestLine = 64 * 1024;

// "[Fri Dec 11 01:16:03 2026] " before every line the server prints itself.
const QRegularExpression& Stamp()
{
    static const QRegularExpression pattern(QStringLiteral("^\\[([^\\]]*)\\] "));
    return pattern;
}

// "PHP Warning:  Undefined variable $x in /srv/form.php on line 2"
const QRegularExpression& PhpMessage()
{
    static const QRegularExpression pattern(
        QStringLiteral("^PHP ([A-Z][A-Za-z]*(?: [A-Za-z]+){0,2}):\\s+(.*)$"));
    return pattern;
}

// "127.0.0.1:47708 Accepted", "[::1]:47708 Closing"
const QRegularExpression& Connection()
{
    static const QRegularExpression pattern(QStringLiteral("^\\S+:\\d+ (?:Accepted|Closing)$"));
    return pattern;
}

// "127.0.0.1:47716 [500]: GET /fatal.php - Uncaught Error: ..."
const QRegularExpression& Answer()
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\S+:\\d+ \\[(\\d{3})\\]: (\\S+ \\S+)(?: - (.*))?$"));
    return pattern;
}

// The lines below a fatal error's first: "Stack trace:", "#0 {main}",
// "  thrown in ... on line 2".
bool IsTraceLine(const QString& line)
{
    static const QRegularExpression pattern(QStringLiteral("^(?:Stack trace:|#\\d+ |\\s)"));
    return pattern.match(line).hasMatch();
}

TServerMessage::Kind KindOf(const QString& level)
{
    if (level.contains(QLatin1String("Warning"), Qt::CaseInsensitive))
        return TServerMessage::Kind::Warning;
    if (level.contains(QLatin1String("Notice"), Qt::CaseInsensitive))
        return TServerMessage::Kind::Notice;
    if (level.contains(QLatin1String("Deprecated"), Qt::CaseInsensitive))
        return TServerMessage::Kind::Deprecated;
    if (level.contains(QLatin1String("error"), Qt::CaseInsensitive))
        return TServerMessage::Kind::Error;
    return TServerMessage::Kind::Other;
}

// The file and line PHP named ("in /srv/form.php on line 2"); for an
// uncaught exception that is in the "thrown in" line of its trace.
void FindPlace(TServerMessage& message)
{
    static const QRegularExpression place(QStringLiteral(" in (\\S.*?) on line (\\d+)"));
    const QRegularExpressionMatch match = place.match(message.text);
    if (match.hasMatch()) {
        message.file = match.captured(1);
        message.line = match.captured(2).toInt();
    }
}

QString TimeOf(const QString& stamp)
{
    static const QRegularExpression clock(QStringLiteral("\\d{2}:\\d{2}:\\d{2}"));
    return clock.match(stamp).captured(0);
}
} // namespace

qsizetype TServerLog::Add(const QByteArray& chunk)
{
    m_rest += chunk;
    qsizetype changed = -1;
    qsizetype start = 0;
    while (true) {
        const qsizetype end = m_rest.indexOf('\n', start);
        if (end < 0) {
            if (m_rest.size() - start < LongestLine)
                break;
            ReadLine(QString::fromUtf8(m_rest.mid(start)), changed);
            start = m_rest.size();
            break;
        }
        QByteArray line = m_rest.mid(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        ReadLine(QString::fromUtf8(line), changed);
        start = end + 1;
    }
    m_rest.remove(0, start);
    return changed;
}

void TServerLog::Clear()
{
    m_messages.clear();
    m_lastOpen = false;
}

void TServerLog::Append(TServerMessage message, qsizetype& changed)
{
    FindPlace(message);
    m_messages.append(std::move(message));
    if (changed < 0)
        changed = m_messages.size() - 1;
}

void TServerLog::ReadLine(QString line, qsizetype& changed)
{
    QString time;
    const QRegularExpressionMatch stamp = Stamp().match(line);
    if (stamp.hasMatch()) {
        time = TimeOf(stamp.captured(1));
        line = line.mid(stamp.capturedLength(0));
    } else if (line.trimmed().isEmpty()) {
        return;
    } else if (IsTraceLine(line)) {
        if (m_skipTrace)
            return;
        if (m_lastOpen && !m_messages.isEmpty()) {
            TServerMessage& last = m_messages.last();
            last.text += QLatin1Char('\n') + line;
            if (last.file.isEmpty())
                FindPlace(last);
            const qsizetype index = m_messages.size() - 1;
            if (changed < 0 || changed > index)
                changed = index;
            return;
        }
    }
    m_lastOpen = false;
    m_skipTrace = false;

    if (const QRegularExpressionMatch php = PhpMessage().match(line); php.hasMatch()) {
        TServerMessage message;
        message.time = time;
        message.level = php.captured(1);
        message.kind = KindOf(message.level);
        message.text = php.captured(2);
        if (message.kind == TServerMessage::Kind::Error)
            m_errorInRequest = true;
        Append(std::move(message), changed);
        m_lastOpen = true;
        return;
    }
    if (stamp.hasMatch()) {
        if (Connection().match(line).hasMatch()) {
            if (line.endsWith(QLatin1String("Accepted")))
                m_errorInRequest = false;
            return;
        }
        if (const QRegularExpressionMatch answer = Answer().match(line); answer.hasMatch()) {
            // A failed answer is worth a message when PHP did not already
            // say why (a page that set the status itself, a crash); its
            // detail and trace repeat what PHP said.
            const int status = answer.captured(1).toInt();
            m_skipTrace = !answer.captured(3).isEmpty();
            if (status >= 500 && !m_errorInRequest) {
                TServerMessage message;
                message.kind = TServerMessage::Kind::FailedAnswer;
                message.time = time;
                message.level = answer.captured(1);
                message.text = answer.captured(2);
                if (!answer.captured(3).isEmpty())
                    message.text += QStringLiteral(" - ") + answer.captured(3);
                Append(std::move(message), changed);
                m_lastOpen = true;
                m_skipTrace = false;
            }
            m_errorInRequest = false;
            return;
        }
        if (line.contains(QLatin1String("Development Server")) && line.endsWith(QLatin1String("started")))
            return;
    }
    // Anything else is shown as it stands: a program the page started may
    // have printed it ("sh: 1: sendmail: not found").
    TServerMessage message;
    message.time = time;
    message.text = line;
    Append(std::move(message), changed);
}
