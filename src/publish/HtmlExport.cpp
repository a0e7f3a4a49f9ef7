#include "publish/HtmlExport.h"

#include "base/Crlf.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace HtmlExport
{
namespace
{
const QByteArray Utf8Bom("\xEF\xBB\xBF");
const QString Utf8 = QStringLiteral("UTF-8");
const QString Windows1252 = QStringLiteral("windows-1252");

// Where a line break ends that starts at pos ("\r\n" or "\n"); pos itself
// when none starts there. The engine writes the CR LF of a block as LF.
qsizetype AfterLineBreak(const QString& text, qsizetype pos)
{
    if (text.mid(pos, 2) == CRLF)
        return pos + 2;
    if (pos < text.size() && text.at(pos) == QLatin1Char('\n'))
        return pos + 1;
    return pos;
}

// The span [begin, end) from the start marker through the end marker after
// it; nothing when one of them is missing.
std::optional<std::pair<qsizetype, qsizetype>> Span(const QString& markup, const QString& begin,
                                                    const QString& end)
{
    const qsizetype from = markup.indexOf(begin);
    if (from < 0)
        return std::nullopt;
    const qsizetype to = markup.indexOf(end, from + begin.size());
    if (to < 0)
        return std::nullopt;
    return std::make_pair(from, to + end.size());
}

qsizetype SkipBlanks(const QString& text, qsizetype pos)
{
    while (pos < text.size() && text.at(pos).isSpace())
        ++pos;
    return pos;
}

// Where the root element's markup starts: after the document type
// declaration, processing instructions and comments before it (the blanks
// after them belong to the prolog; the engine drops blanks there).
qsizetype PrologEnd(const QString& text)
{
    qsizetype pos = SkipBlanks(text, 0);
    for (;;) {
        qsizetype end = -1;
        if (text.mid(pos, 4) == QLatin1String("<!--")) {
            end = text.indexOf(QLatin1String("-->"), pos + 4);
            if (end >= 0)
                end += 3;
        } else if (text.mid(pos, 2) == QLatin1String("<!") || text.mid(pos, 2) == QLatin1String("<?")) {
            end = text.indexOf(QLatin1Char('>'), pos);
            if (end >= 0)
                end += 1;
        }
        if (end < 0)
            return pos;
        pos = SkipBlanks(text, end);
    }
}

// The comments that follow the root element's end tag directly. The engine
// puts blanks there into the body, and with them every comment after a
// blank: those are the root's own then, and written out again they would
// stand there twice.
QString Epilog(const QString& text)
{
    const QLatin1String endTag("</html");
    for (qsizetype at = text.indexOf(endTag, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(endTag, at + 1, Qt::CaseInsensitive)) {
        const qsizetype close = text.indexOf(QLatin1Char('>'), at);
        if (close < 0)
            return QString();
        QString comments;
        bool adjacent = true;
        qsizetype pos = close + 1;
        for (;;) {
            const qsizetype next = SkipBlanks(text, pos);
            adjacent = adjacent && next == pos;
            pos = next;
            if (text.mid(pos, 4) != QLatin1String("<!--"))
                break;
            const qsizetype end = text.indexOf(QLatin1String("-->"), pos + 4);
            if (end < 0)
                break;
            if (adjacent)
                comments += text.mid(pos, end + 3 - pos);
            pos = end + 3;
        }
        // Anything else after it is read into the body: this was not the end.
        if (pos == text.size())
            return comments;
    }
    return QString();
}

// The attributes of a tag, by lower-case name.
QHash<QString, QString> Attributes(const QString& tag)
{
    static const QRegularExpression attribute(
        QStringLiteral("([^\\s\"'>/=]+)(?:\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s\"'>]+)))?"));
    QHash<QString, QString> values;
    for (const QRegularExpressionMatch& m : attribute.globalMatch(tag)) {
        const QString name = m.captured(1).toLower();
        if (!values.contains(name))
            values.insert(name, m.captured(2) + m.captured(3) + m.captured(4));
    }
    return values;
}

// The character set a <meta> element near the page's start declares, by
// its "charset" attribute or an http-equiv "Content-Type" content; empty
// when none does. Meta elements inside comments do not count.
QString DeclaredCharset(const QByteArray& start)
{
    static const QRegularExpression comment(QStringLiteral("<!--.*?(-->|$)"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression meta(QStringLiteral("<meta(\\s[^>]*)>"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression inContent(QStringLiteral("charset\\s*=\\s*[\"']?([^\\s\"';]+)"),
                                              QRegularExpression::CaseInsensitiveOption);
    QString head = QString::fromLatin1(start);
    head.replace(comment, QStringLiteral(" "));
    for (const QRegularExpressionMatch& m : meta.globalMatch(head)) {
        const QHash<QString, QString> attributes = Attributes(m.captured(1));
        if (const QString charset = attributes.value(QStringLiteral("charset")).trimmed(); !charset.isEmpty())
            return charset;
        if (attributes.value(QStringLiteral("http-equiv"))
                .trimmed()
                .compare(QLatin1String("content-type"), Qt::CaseInsensitive) == 0) {
            const QRegularExpressionMatch c = inContent.match(attributes.value(QStringLiteral("content")));
            if (c.hasMatch())
                return c.captured(1);
        }
    }
    return QString();
}

// A declared name as browsers read it: the Latin-1 and ASCII names mean
// Windows-1252, and a page cannot be UTF-16 by its own declaration (the
// declaration could not have been read so), so those mean UTF-8.
QString CharsetOfLabel(const QString& label)
{
    const QString name = label.trimmed().toLower();
    static const QStringList utf8 = {
        QStringLiteral("utf-8"),        QStringLiteral("utf8"),     QStringLiteral("unicode-1-1-utf-8"),
        QStringLiteral("utf-16"),       QStringLiteral("utf-16le"), QStringLiteral("utf-16be"),
        QStringLiteral("unicode"),      QStringLiteral("ucs-2"),    QStringLiteral("x-unicode20utf8"),
        QStringLiteral("unicode20utf8")};
    static const QStringList latin = {
        QStringLiteral("iso-8859-1"), QStringLiteral("iso8859-1"),      QStringLiteral("iso_8859-1"),
        QStringLiteral("iso88591"),   QStringLiteral("latin1"),         QStringLiteral("l1"),
        QStringLiteral("us-ascii"),   QStringLiteral("ascii"),          QStringLiteral("ansi_x3.4-1968"),
        QStringLiteral("cp1252"),     QStringLiteral("windows-1252"),   QStringLiteral("x-cp1252"),
        QStringLiteral("cp819"),      QStringLiteral("ibm819"),         QStringLiteral("csisolatin1"),
        QStringLiteral("iso-ir-100"), QStringLiteral("iso_8859-1:1987")};
    if (utf8.contains(name))
        return Utf8;
    if (latin.contains(name))
        return Windows1252;
    return label.trimmed();
}

bool IsUtf8(const QString& charset)
{
    return charset == Utf8;
}

QByteArray Encode(const QString& text, const QString& charset)
{
    if (IsUtf8(charset))
        return text.toUtf8();
    const QByteArray name = charset.toLatin1();
    QStringEncoder whole(name.constData());
    const QByteArray bytes = whole.encode(text);
    if (!whole.hasError())
        return bytes;
    // Only pages with characters the set lacks come here: character by
    // character, those as references.
    QByteArray out;
    for (const char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        QStringEncoder single(name.constData());
        const QByteArray b = single.encode(one);
        if (single.hasError())
            out += "&#" + QByteArray::number(static_cast<uint>(c)) + ';';
        else
            out += b;
    }
    return out;
}

QByteArray BomOf(const QString& charset)
{
    if (IsUtf8(charset))
        return Utf8Bom;
    if (charset == QLatin1String("UTF-16LE"))
        return QByteArray("\xFF\xFE", 2);
    if (charset == QLatin1String("UTF-16BE"))
        return QByteArray("\xFE\xFF", 2);
    return QByteArray();
}
} // namespace

std::optional<TBlocks> BlocksOf(const QString& generated)
{
    const qsizetype form = generated.indexOf(QLatin1String("<form"));
    const qsizetype formEnd = form < 0 ? -1 : generated.indexOf(QLatin1String("</form>"), form);
    const auto script = Span(generated, ScriptBegin, ScriptEnd);
    if (formEnd < 0 || !script)
        return std::nullopt;
    TBlocks blocks;
    blocks.form = FormBegin + CRLF + generated.mid(form, formEnd + 7 - form) + FormEnd + CRLF;
    blocks.script = generated.mid(script->first, script->second - script->first);
    // Quorvel's template has the markers inside its first script element,
    // and the form's check and the calendar's script follow in script
    // elements of their own: cut as they stand, the block would be bare
    // script text in the page's head and miss what the form calls. The
    // block is then every script element of the head, within the markers.
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
    const qsizetype open = generated.lastIndexOf(QLatin1String("<script"), script->first, cs);
    const qsizetype closed = open < 0 ? -1 : generated.indexOf(QLatin1String("</script"), open, cs);
    if (open >= 0 && closed > script->first) {
        const qsizetype head = generated.indexOf(QLatin1String("</head"), script->second, cs);
        const qsizetype last = head < 0 ? -1 : generated.lastIndexOf(QLatin1String("</script>"), head, cs);
        const qsizetype end =
            std::max(last, generated.indexOf(QLatin1String("</script>"), script->second, cs));
        QString scripts = generated.mid(open, end + 9 - open);
        for (const QString& marker : {ScriptBegin, ScriptEnd}) {
            const qsizetype at = scripts.indexOf(marker);
            scripts.remove(at, AfterLineBreak(scripts, at + marker.size()) - at);
        }
        blocks.script = ScriptBegin + CRLF + scripts + CRLF + ScriptEnd;
    }
    return blocks;
}

bool HasForm(const QString& markup)
{
    return markup.contains(FormBegin);
}

QString InsertScript(const QString& markup, const QString& script)
{
    const qsizetype head = markup.indexOf(QLatin1String("<head>"), 0, Qt::CaseInsensitive);
    if (head < 0)
        return markup;
    QString out = markup;
    out.insert(head + 6, CRLF + script);
    return out;
}

std::optional<QString> InsertForm(const QString& markup, const TBlocks& blocks)
{
    if (markup.count(Placeholder, Qt::CaseInsensitive) != 1)
        return std::nullopt;
    QString out = markup;
    out.replace(Placeholder, blocks.form, Qt::CaseInsensitive);
    return InsertScript(out, blocks.script);
}

QString Refresh(const QString& markup, const TBlocks& blocks)
{
    QString out = markup;
    if (const auto script = Span(out, ScriptBegin, ScriptEnd)) {
        // With the line break InsertScript put before it, which the new
        // block brings again.
        qsizetype from = script->first;
        const QString before = out.left(from);
        for (const QString& lead : {QStringLiteral("<head>\r\n"), QStringLiteral("<head>\n")})
            if (before.endsWith(lead, Qt::CaseInsensitive))
                from -= lead.size() - 6;
        out.remove(from, script->second - from);
    }
    out = InsertScript(out, blocks.script);
    if (const auto form = Span(out, FormBegin, FormEnd)) {
        // The new block ends in its own line break.
        const qsizetype to = AfterLineBreak(out, form->second);
        out.replace(form->first, to - form->first, blocks.form);
    }
    return out;
}

QString Remove(const QString& markup)
{
    QString out = markup;
    if (const auto script = Span(out, ScriptBegin, ScriptEnd))
        out.remove(script->first, script->second - script->first);
    if (const auto form = Span(out, FormBegin, FormEnd))
        out.remove(form->first, form->second - form->first);
    return out;
}

TResult<TUserPage> ReadPage(const QString& fileName, const QString& projectEncoding)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return TFailure{file.errorString(), fileName};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return TFailure{file.errorString(), fileName};
    TResult<TUserPage> page = DecodePage(bytes, projectEncoding);
    if (!page)
        return page.Failure().Within(fileName);
    return page;
}

TResult<TUserPage> DecodePage(const QByteArray& bytes, const QString& projectEncoding)
{
    TUserPage page;
    QByteArray body = bytes;
    if (bytes.startsWith(Utf8Bom)) {
        page.charset = Utf8;
        page.bom = true;
        body = bytes.mid(3);
    } else if (bytes.startsWith(QByteArray("\xFF\xFE", 2)) || bytes.startsWith(QByteArray("\xFE\xFF", 2))) {
        page.charset = bytes.at(0) == '\xFF' ? QStringLiteral("UTF-16LE") : QStringLiteral("UTF-16BE");
        page.bom = true;
        body = bytes.mid(2);
    } else if (const QString declared = DeclaredCharset(bytes.left(4096)); !declared.isEmpty()) {
        page.charset = CharsetOfLabel(declared);
    } else {
        // The rule of generated pages, byte-order mark included: without it
        // a browser would not know the page is UTF-8.
        const bool utf8 = projectEncoding.compare(QLatin1String("utf-8"), Qt::CaseInsensitive) == 0;
        page.charset = utf8 ? Utf8 : Windows1252;
        page.bom = utf8;
    }
    if (IsUtf8(page.charset)) {
        page.text = QString::fromUtf8(body);
    } else {
        const QByteArray name = page.charset.toLatin1();
        QStringDecoder decoder(name.constData());
        if (!decoder.isValid())
            return TFailure{QStringLiteral("unknown character set \"%1\"").arg(page.charset), QString()};
        page.text = decoder.decode(body);
    }
    page.prolog = page.text.left(PrologEnd(page.text));
    page.epilog = Epilog(page.text);
    return page;
}

QByteArray PageBytes(const TUserPage& page, const QString& root)
{
    const QByteArray bom = page.bom ? BomOf(page.charset) : QByteArray();
    return bom + Encode(page.prolog + root + page.epilog, page.charset);
}

QByteArray WorkingCopyBytes(const TUserPage& page, const QString& root)
{
    return Utf8Bom + (page.prolog + root + page.epilog).toUtf8();
}

QByteArray WorkingCopyBytes(const TUserPage& page)
{
    return Utf8Bom + page.text.toUtf8();
}

QString WorkingCopyName(const QString& fileName, int attempt)
{
    if (attempt <= 1)
        return fileName + QStringLiteral(".copy.html");
    return fileName + QStringLiteral(".copy-%1.html").arg(attempt);
}

TResult<QString> CreateWorkingCopy(const QString& fileName, const QByteArray& bytes)
{
    for (int attempt = 1; attempt <= 100; ++attempt) {
        const QString name = WorkingCopyName(fileName, attempt);
        QFile file(name);
        // Made new or not at all: an existing file (or a link) of that name
        // is left as it is.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(name) || QFile::symLinkTarget(name) != QString())
                continue;
            return TFailure{file.errorString(), name};
        }
        if (file.write(bytes) != bytes.size() || !file.flush()) {
            const QString error = file.errorString();
            file.close();
            file.remove();
            return TFailure{error, name};
        }
        file.close();
        return name;
    }
    return TFailure{QStringLiteral("no free name for the working copy"), WorkingCopyName(fileName)};
}
} // namespace HtmlExport
