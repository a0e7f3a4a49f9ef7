#include "base/Literals.h"

namespace Literals
{
QString JsString(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        switch (c.unicode()) {
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u'"': out += QStringLiteral("\\\""); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case 0x2028: out += QStringLiteral("\\u2028"); break;
        case 0x2029: out += QStringLiteral("\\u2029"); break;
        case u'<':
            if (QStringView(text).mid(i, 8).compare(QLatin1String("</script"), Qt::CaseInsensitive) == 0) {
                out += QStringLiteral("<\\/");
                ++i;
                break;
            }
            out += c;
            break;
        default: out += c;
        }
    }
    return out;
}

QString JsSingleQuoted(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u'\'': out += QStringLiteral("\\'"); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case 0x2028: out += QStringLiteral("\\u2028"); break;
        case 0x2029: out += QStringLiteral("\\u2029"); break;
        default: out += c;
        }
    }
    return out;
}

QString PhpString(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"') || c == QLatin1Char('$'))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

QString NoPhpOpen(const QString& text)
{
    return QString(text).replace(QLatin1String("<?"), QLatin1String("<<?php ?>?"));
}

QString CssText(const QString& text)
{
    return QString(text).replace(QLatin1Char('<'), QLatin1String("\\3c "));
}

QString Escape(const QString& text, TContext context, bool phpPage)
{
    switch (context) {
    case TContext::Markup: return phpPage ? NoPhpOpen(text) : text;
    case TContext::Attribute: return phpPage ? NoPhpOpen(AttrValue(text)) : AttrValue(text);
    case TContext::JsString: {
        QString out = JsString(text);
        // In a script "<\?" is "<?" all the same.
        return phpPage ? out.replace(QLatin1String("<?"), QLatin1String("<\\?")) : out;
    }
    case TContext::PhpString: return PhpString(text);
    case TContext::Css: return phpPage ? NoPhpOpen(CssText(text)) : CssText(text);
    case TContext::Generated: return text;
    }
    return text;
}

QString AttrValue(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('"'), QStringLiteral("&quot;"));
    return out;
}

QString PhpEcho(const QString& variable, const QString& encoding)
{
    const QString charset = encoding.isEmpty() ? QStringLiteral("iso-8859-1") : encoding;
    return QStringLiteral("<?php echo htmlspecialchars(") + variable + QStringLiteral(", ENT_QUOTES, \"") +
           PhpString(charset) + QStringLiteral("\");?>");
}
} // namespace Literals
