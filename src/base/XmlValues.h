#pragma once

#include "base/Result.h"

#include <QDomElement>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

class QXmlStreamReader;

// How values are written to and read from Quorvel's XML files.
namespace XmlValues
{
// "-1" or "0".
QString FlagText(bool on);

// "0" is off, any other whole number on; "True" and "False" in any letter
// case are accepted too. Anything else has no value.
std::optional<bool> ParseFlag(const QString& text);

// A whole decimal number, optionally signed.
std::optional<int> ParseInt(const QString& text);

// Line ends as they are held in memory: CR LF, whatever the file had
// (LF, CR LF or a lone CR).
QString NormalizeLineEnds(const QString& text);

// Appends <name>value</name> to parent. Characters XML cannot carry are left
// out, and a value of blanks only is written so that a reader keeps it.
QDomElement AppendText(QDomElement& parent, const QString& name, const QString& value);

// The first child element of that name, or a null element.
QDomElement Child(const QDomElement& parent, const QString& name);

// The text of the first child element of that name, line ends normalised;
// no value when there is no such child.
std::optional<QString> ChildText(const QDomElement& parent, const QString& name);

// A small element tree, read straight from a stream: what the readers of a
// record need and nothing more (attributes, comments and processing
// instructions are dropped). Its text follows the DOM's rules: a stretch of
// white space only between tags does not count, one in a CDATA section does.
struct TElement
{
    QString name;
    QString text;     // the text directly inside, without the children's
    qsizetype at = 0; // where in the parent's text this element stood
    std::vector<TElement> children;

    // The first child element of that name, or null.
    const TElement* Child(QStringView childName) const;
    // All text inside, the children's included, in file order.
    QString Text() const;

    // Reads the element the reader stands on (at its start tag) up to and
    // including its end tag. Child elements are kept down to `levels` levels
    // below it; deeper ones add only their text to their kept ancestor, so a
    // deeply nested file costs no more than a flat one. On a parse error the
    // tree holds what was read; the reader has the error.
    static TElement Read(QXmlStreamReader& reader, int levels);
    // The same tree made from a DOM element.
    static TElement FromDom(const QDomElement& element, int levels);
};

// The text of the first child element of that name, line ends normalised;
// no value when there is no such child.
std::optional<QString> ChildText(const TElement& parent, const QString& name);
// The first child element of that name, or null.
const TElement* Child(const TElement& parent, const QString& name);

// One child element of a record: its name, the member it holds and whether
// a file must have it. A needed child fails the read when it is missing or
// its text does not convert; an optional one then takes the member's empty
// value ("", off, 0).
template <typename Owner> struct TChild
{
    const char* name = nullptr;
    QString Owner::*text = nullptr;
    bool Owner::*flag = nullptr;
    int Owner::*number = nullptr;
    bool needed = true;

    static TChild Text(const char* n, QString Owner::*m, bool need = true)
    {
        return {n, m, nullptr, nullptr, need};
    }
    static TChild Flag(const char* n, bool Owner::*m, bool need = true)
    {
        return {n, nullptr, m, nullptr, need};
    }
    static TChild Int(const char* n, int Owner::*m, bool need = true)
    {
        return {n, nullptr, nullptr, m, need};
    }
};

// Why a child could not be read.
TFailure MissingChild(const char* name);
TFailure UnreadableChild(const char* name, const QString& text, const char* expected);

// Appends one element per child, in the table's order.
template <typename Owner, size_t N>
void WriteChildren(QDomElement& node, const Owner& owner, const TChild<Owner> (&table)[N])
{
    for (const TChild<Owner>& c : table) {
        const QString name = QLatin1String(c.name);
        if (c.text)
            AppendText(node, name, owner.*c.text);
        else if (c.flag)
            AppendText(node, name, FlagText(owner.*c.flag));
        else
            AppendText(node, name, QString::number(owner.*c.number));
    }
}

// Reads every child of the table; the first needed child that is missing or
// unreadable is the failure (the others are still read).
template <typename Node, typename Owner, size_t N>
TStatus ReadChildren(const Node& node, Owner& owner, const TChild<Owner> (&table)[N])
{
    std::optional<TFailure> failure;
    for (const TChild<Owner>& c : table) {
        const std::optional<QString> text = ChildText(node, QLatin1String(c.name));
        bool read = text.has_value();
        if (c.text) {
            owner.*c.text = text.value_or(QString());
        } else if (c.flag) {
            const auto flag = text ? ParseFlag(*text) : std::nullopt;
            read = flag.has_value();
            owner.*c.flag = flag.value_or(false);
        } else {
            const auto number = text ? ParseInt(*text) : std::nullopt;
            read = number.has_value();
            owner.*c.number = number.value_or(0);
        }
        if (!read && c.needed && !failure)
            failure = !text ? MissingChild(c.name)
                            : UnreadableChild(c.name, *text, c.flag ? "a flag" : "a whole number");
    }
    if (failure)
        return *failure;
    return {};
}
} // namespace XmlValues
