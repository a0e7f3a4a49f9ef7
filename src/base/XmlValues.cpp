#include "base/XmlValues.h"

#include "base/Crlf.h"

#include <QDomDocument>
#include <QList>
#include <QXmlStreamReader>

namespace XmlValues
{
QString FlagText(bool on)
{
    return on ? QStringLiteral("-1") : QStringLiteral("0");
}

std::optional<int> ParseInt(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<bool> ParseFlag(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const qlonglong value = t.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value != 0;
}

QString NormalizeLineEnds(const QString& text)
{
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out += CRLF;
        } else if (c == QLatin1Char('\n')) {
            out += CRLF;
        } else {
            out += c;
        }
    }
    return out;
}

namespace
{
bool IsXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// XML 1.0 cannot carry control characters or lone surrogates; a file that
// held them could not be read back, so they are dropped on writing.
QString XmlSafe(const QString& value)
{
    bool clean = true;
    for (QChar c : value)
        if (c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n') &&
            c != QLatin1Char('\r')) {
            clean = false;
            break;
        } else if (c.isSurrogate() || c.unicode() >= 0xFFFE) {
            clean = false;
            break;
        }
    if (clean)
        return value;
    QString out;
    out.reserve(value.size());
    const auto ucs4 = value.toUcs4();
    for (char32_t c : ucs4)
        if (IsXmlChar(c))
            out += QString::fromUcs4(&c, 1);
    return out;
}
} // namespace

QDomElement AppendText(QDomElement& parent, const QString& name, const QString& value)
{
    QDomDocument doc = parent.ownerDocument();
    QDomElement element = doc.createElement(name);
    const QString text = XmlSafe(value);
    if (!text.isEmpty()) {
        // A reader drops text nodes of white space only; a CDATA section
        // keeps such a value (a label of one blank, say) intact.
        if (text.trimmed().isEmpty())
            element.appendChild(doc.createCDATASection(text));
        else
            element.appendChild(doc.createTextNode(text));
    }
    parent.appendChild(element);
    return element;
}

QDomElement Child(const QDomElement& parent, const QString& name)
{
    return parent.firstChildElement(name);
}

std::optional<QString> ChildText(const QDomElement& parent, const QString& name)
{
    const QDomElement child = parent.firstChildElement(name);
    if (child.isNull())
        return std::nullopt;
    return NormalizeLineEnds(child.text());
}

const TElement* TElement::Child(QStringView childName) const
{
    for (const TElement& child : children)
        if (child.name == childName)
            return &child;
    return nullptr;
}

QString TElement::Text() const
{
    if (children.empty())
        return text;
    QString out;
    qsizetype from = 0;
    for (const TElement& child : children) {
        out += QStringView(text).mid(from, child.at - from);
        out += child.Text();
        from = child.at;
    }
    out += QStringView(text).mid(from);
    return out;
}

TElement TElement::Read(QXmlStreamReader& reader, int levels)
{
    TElement root;
    root.name = reader.qualifiedName().toString();
    // The kept elements that are open; an element lives in its parent's
    // list, which grows only while that parent is the innermost kept one.
    std::vector<TElement*> open{&root};
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (depth <= levels) {
                TElement& parent = *open.back();
                TElement child;
                child.name = reader.qualifiedName().toString();
                child.at = parent.text.size();
                parent.children.push_back(std::move(child));
                open.push_back(&parent.children.back());
            }
            break;
        case QXmlStreamReader::EndElement:
            if (depth == 0)
                return root;
            if (depth <= levels)
                open.pop_back();
            --depth;
            break;
        case QXmlStreamReader::Characters:
            // The DOM drops text of white space only, unless it came in CDATA.
            if (reader.isCDATA() || !reader.text().trimmed().isEmpty())
                open.back()->text += reader.text();
            break;
        default: break;
        }
    }
    return root;
}

TElement TElement::FromDom(const QDomElement& element, int levels)
{
    TElement tree;
    tree.name = element.tagName();
    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        if (node.isText() || node.isCDATASection()) {
            tree.text += node.nodeValue();
        } else if (node.isElement()) {
            if (levels > 0) {
                TElement child = FromDom(node.toElement(), levels - 1);
                child.at = tree.text.size();
                tree.children.push_back(std::move(child));
            } else {
                tree.text += node.toElement().text();
            }
        }
    }
    return tree;
}

std::optional<QString> ChildText(const TElement& parent, const QString& name)
{
    const TElement* child = parent.Child(name);
    if (!child)
        return std::nullopt;
    return NormalizeLineEnds(child->Text());
}

const TElement* Child(const TElement& parent, const QString& name)
{
    return parent.Child(name);
}

TFailure MissingChild(const char* name)
{
    return {QStringLiteral("element <") + QLatin1String(name) + QStringLiteral("> is missing"), QString()};
}

TFailure UnreadableChild(const char* name, const QString& text, const char* expected)
{
    // A long value is cut: the reason names it, it need not repeat it all.
    const QString shown = text.size() > 40 ? text.left(40) + QStringLiteral("...") : text;
    return {QStringLiteral("element <") + QLatin1String(name) + QStringLiteral("> holds \"") + shown +
                QStringLiteral("\", not ") + QLatin1String(expected),
            QString()};
}
} // namespace XmlValues
