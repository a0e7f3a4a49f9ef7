#include "preview/MailMessage.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace
{
struct TRawPart
{
    QList<std::pair<QByteArray, QByteArray>> headers; // names as written, values unfolded
    QByteArray body;
};

QByteArray RawHeader(const TRawPart& part, const char* name)
{
    for (const auto& [key, value] : part.headers)
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    return {};
}

// Splits at the first empty line; folded header lines are joined.
bool SplitPart(const QByteArray& text, TRawPart& part, QString& error)
{
    qsizetype end = text.indexOf("\r\n\r\n");
    qsizetype bodyStart = end + 4;
    const qsizetype lf = text.indexOf("\n\n");
    if (lf >= 0 && (end < 0 || lf < end)) {
        end = lf;
        bodyStart = lf + 2;
    }
    if (end < 0) {
        // Headers alone: a part without a body.
        end = text.size();
        bodyStart = text.size();
    }
    const QList<QByteArray> lines = text.left(end).split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        if ((line.startsWith(' ') || line.startsWith('\t')) && !part.headers.isEmpty()) {
            part.headers.last().second += ' ' + line.trimmed();
            continue;
        }
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0) {
            error = QStringLiteral("a header line without a name: ") + QString::fromLatin1(line.left(80));
            return false;
        }
        part.headers.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
    }
    part.body = text.mid(bodyStart);
    return true;
}

// A parameter of a structured header: boundary="x"; charset=utf-8
QByteArray Parameter(const QByteArray& value, const char* name)
{
    const QRegularExpression pattern(
        QStringLiteral("(?:^|;)\\s*%1\\s*=\\s*(\"([^\"]*)\"|[^;\\s]+)").arg(QLatin1String(name)),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(value));
    if (!match.hasMatch())
        return {};
    return (match.capturedLength(2) > 0 || match.captured(1).startsWith(QLatin1Char('"')) ? match.captured(2)
                                                                                          : match.captured(1))
        .toLatin1();
}

QByteArray DecodeQuotedPrintable(const QByteArray& data, bool header)
{
    QByteArray out;
    out.reserve(data.size());
    for (qsizetype i = 0; i < data.size(); ++i) {
        const char c = data[i];
        if (header && c == '_') {
            out += ' ';
        } else if (c == '=' && i + 2 < data.size() + 1) {
            if (i + 1 < data.size() && (data[i + 1] == '\r' || data[i + 1] == '\n')) {
                // A soft line break.
                i += data[i + 1] == '\r' && i + 2 < data.size() && data[i + 2] == '\n' ? 2 : 1;
                continue;
            }
            bool ok = false;
            const int value = i + 2 < data.size() ? data.mid(i + 1, 2).toInt(&ok, 16) : 0;
            if (ok) {
                out += char(value);
                i += 2;
            } else {
                out += c;
            }
        } else {
            out += c;
        }
    }
    return out;
}

QByteArray DecodeTransfer(const QByteArray& data, const QByteArray& encoding)
{
    const QByteArray how = encoding.trimmed().toLower();
    if (how == "base64")
        return QByteArray::fromBase64(data);
    if (how == "quoted-printable")
        return DecodeQuotedPrintable(data, false);
    return data;
}

QString InCharset(const QByteArray& data, const QString& charset)
{
    QStringDecoder decoder(charset.isEmpty() ? "UTF-8" : charset.toLatin1().constData());
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    return decoder.decode(data);
}

void CollectParts(const TRawPart& raw, QList<TMailPart>& parts, int depth, QString& error)
{
    const QByteArray type = RawHeader(raw, "Content-Type");
    const qsizetype semicolon = type.indexOf(';');
    const QString mime = QString::fromLatin1(semicolon < 0 ? type : type.left(semicolon)).trimmed().toLower();
    if (mime.startsWith(QLatin1String("multipart/"))) {
        const QByteArray boundary = Parameter(type, "boundary");
        if (boundary.isEmpty()) {
            error = QStringLiteral("a multipart part without a boundary");
            return;
        }
        if (depth > 20) {
            error = QStringLiteral("parts nested deeper than 20");
            return;
        }
        const QByteArray delimiter = "--" + boundary;
        qsizetype at = raw.body.indexOf(delimiter);
        if (at < 0) {
            error = QStringLiteral("the boundary %1 is missing").arg(QString::fromLatin1(boundary));
            return;
        }
        while (at >= 0) {
            qsizetype start = at + delimiter.size();
            if (raw.body.mid(start, 2) == "--")
                return; // the closing delimiter
            start = raw.body.indexOf('\n', start);
            if (start < 0)
                break;
            ++start;
            const qsizetype next = raw.body.indexOf(QByteArray("\n" + delimiter), start);
            QByteArray content = raw.body.mid(start, next < 0 ? -1 : next - start);
            if (content.endsWith('\r'))
                content.chop(1);
            TRawPart part;
            if (!SplitPart(content, part, error))
                return;
            CollectParts(part, parts, depth + 1, error);
            if (!error.isEmpty() || next < 0)
                break;
            at = next + 1;
        }
        if (error.isEmpty())
            error = QStringLiteral("the closing boundary is missing");
        return;
    }
    TMailPart part;
    part.contentType = mime.isEmpty() ? QStringLiteral("text/plain") : mime;
    part.charset = QString::fromLatin1(Parameter(type, "charset"));
    const QByteArray disposition = RawHeader(raw, "Content-Disposition");
    QByteArray name = Parameter(disposition, "filename");
    if (name.isEmpty())
        name = Parameter(type, "name");
    part.fileName = DecodeHeaderText(name);
    part.attachment = disposition.trimmed().toLower().startsWith("attachment") ||
                      (!part.fileName.isEmpty() && !part.contentType.startsWith(QLatin1String("text/")));
    part.data = DecodeTransfer(raw.body, RawHeader(raw, "Content-Transfer-Encoding"));
    parts.append(part);
}
} // namespace

QString DecodeHeaderText(const QByteArray& value)
{
    static const QRegularExpression word(QStringLiteral("=\\?([^?]+)\\?([bBqQ])\\?([^?]*)\\?="));
    const QString text = QString::fromLatin1(value);
    QString out;
    qsizetype last = 0;
    bool afterWord = false;
    for (QRegularExpressionMatchIterator it = word.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString between = text.mid(last, m.capturedStart() - last);
        // Blanks between two encoded words belong to neither.
        if (!(afterWord && between.trimmed().isEmpty()))
            out += between;
        const QByteArray data = m.captured(3).toLatin1();
        const QByteArray bytes = m.captured(2).compare(QLatin1String("b"), Qt::CaseInsensitive) == 0
                                     ? QByteArray::fromBase64(data)
                                     : DecodeQuotedPrintable(data, true);
        out += InCharset(bytes, m.captured(1));
        last = m.capturedEnd();
        afterWord = true;
    }
    out += text.mid(last);
    return out;
}

QString TMailPart::Text() const
{
    return InCharset(data, charset);
}

TMailMessage TMailMessage::Parse(const QByteArray& raw)
{
    TMailMessage mail;
    mail.raw = raw;
    TRawPart top;
    if (raw.trimmed().isEmpty()) {
        mail.error = QStringLiteral("the mail is empty");
        return mail;
    }
    if (!SplitPart(raw, top, mail.error))
        return mail;
    for (const auto& [name, value] : top.headers)
        mail.headers.append({QString::fromLatin1(name), DecodeHeaderText(value)});
    CollectParts(top, mail.parts, 0, mail.error);
    return mail;
}

QString TMailMessage::Header(const QString& name) const
{
    for (const auto& [key, value] : headers)
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    return {};
}

QStringList TMailMessage::Recipients() const
{
    QStringList addresses;
    for (const auto& [key, value] : headers) {
        if (key.compare(QLatin1String("To"), Qt::CaseInsensitive) != 0 &&
            key.compare(QLatin1String("Cc"), Qt::CaseInsensitive) != 0 &&
            key.compare(QLatin1String("Bcc"), Qt::CaseInsensitive) != 0)
            continue;
        for (const QString& address : value.split(QLatin1Char(','), Qt::SkipEmptyParts))
            if (!address.trimmed().isEmpty())
                addresses << address.trimmed();
    }
    return addresses;
}

const TMailPart* TMailMessage::Body() const
{
    const TMailPart* plain = nullptr;
    for (const TMailPart& part : parts) {
        if (part.attachment)
            continue;
        if (part.contentType == QLatin1String("text/html"))
            return &part;
        if (!plain && part.contentType.startsWith(QLatin1String("text/")))
            plain = &part;
    }
    return plain;
}

QList<TMailPart> TMailMessage::Attachments() const
{
    QList<TMailPart> found;
    for (const TMailPart& part : parts)
        if (part.attachment)
            found << part;
    return found;
}
