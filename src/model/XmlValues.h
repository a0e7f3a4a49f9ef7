#pragma once

#include <QDomElement>
#include <QString>
#include <optional>

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

// Reading a field's element: the needed children fail the read when missing
// or unparsable, the optional ones fall back to a default.
class TNodeReader
{
public:
    explicit TNodeReader(const QDomElement& node) : m_node(node) {}

    bool Ok() const { return m_ok; }
    void Fail() { m_ok = false; }

    QString Text(const char* name);                          // needed
    QString Text(const char* name, const QString& fallback); // optional
    bool Flag(const char* name);                             // needed
    bool Flag(const char* name, bool fallback);              // optional
    int Int(const char* name);                               // needed
    int Int(const char* name, int fallback);                 // optional
    bool Has(const char* name) const;

private:
    QDomElement m_node;
    bool m_ok = true;
};
} // namespace XmlValues
