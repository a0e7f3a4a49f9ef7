#include "base/IniFile.h"

#include "base/AtomicFile.h"
#include "base/Crlf.h"

#include <QFile>

bool TIniFile::ParseSectionHeader(QStringView line, QStringView* name)
{
    const QStringView t = line.trimmed();
    if (t.size() < 2 || t.front() != QLatin1Char('['))
        return false;
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return false;
    if (name)
        *name = t.mid(1, close - 1).trimmed();
    return true;
}

bool TIniFile::ParseKeyLine(QStringView line, QStringView* key, QStringView* value)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    *key = line.left(eq).trimmed();
    *value = line.mid(eq + 1);
    return true;
}

namespace
{
bool IsSectionHeader(QStringView line, QStringView* name = nullptr)
{
    return TIniFile::ParseSectionHeader(line, name);
}

bool SplitKey(QStringView line, QStringView* key, QStringView* value)
{
    return TIniFile::ParseKeyLine(line, key, value);
}
} // namespace

TIniFile::TIniFile(const QString& fileName)
{
    Load(fileName);
}

bool TIniFile::Load(const QString& fileName)
{
    m_fileName = fileName;
    m_lines.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(CRLF, QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_lines = text.split(QLatin1Char('\n'));
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
    return true;
}

bool TIniFile::Save(const QString& fileName) const
{
    QString text;
    for (const QString& line : m_lines) {
        text += line;
        text += CRLF;
    }
    return WriteFileAtomically(fileName.isEmpty() ? m_fileName : fileName, text.toUtf8()).Ok();
}

QStringList TIniFile::SectionNames() const
{
    QStringList names;
    QStringView name;
    for (const QString& line : m_lines)
        if (IsSectionHeader(line, &name))
            names << name.toString();
    return names;
}

int TIniFile::FindSection(const QString& section) const
{
    QStringView name;
    for (int i = 0; i < m_lines.size(); ++i)
        if (IsSectionHeader(m_lines[i], &name) && name.compare(section, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int TIniFile::SectionEnd(int sectionLine) const
{
    int i = sectionLine + 1;
    while (i < m_lines.size() && !IsSectionHeader(m_lines[i]))
        ++i;
    return i;
}

int TIniFile::FindKey(int sectionLine, const QString& key) const
{
    const int end = SectionEnd(sectionLine);
    QStringView k, v;
    for (int i = sectionLine + 1; i < end; ++i)
        if (SplitKey(m_lines[i], &k, &v) && k.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool TIniFile::HasSection(const QString& section) const
{
    return FindSection(section) >= 0;
}

bool TIniFile::HasKey(const QString& section, const QString& key) const
{
    const int s = FindSection(section);
    return s >= 0 && FindKey(s, key) >= 0;
}

QString TIniFile::CleanValue(QStringView raw)
{
    QStringView v = raw.trimmed();
    if (v.size() >= 2) {
        const QChar q = v.front();
        if ((q == QLatin1Char('"') || q == QLatin1Char('\'')) && v.back() == q)
            v = v.mid(1, v.size() - 2);
    }
    return v.left(MaxValueLength).toString();
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const int s = FindSection(section);
    if (s < 0)
        return defaultValue;
    const int line = FindKey(s, key);
    if (line < 0)
        return defaultValue;
    QStringView k, v;
    SplitKey(m_lines[line], &k, &v);
    return CleanValue(v);
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    bool ok = false;
    const int value = ReadString(section, key).toInt(&ok);
    return ok ? value : defaultValue;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    const QString line = key + QLatin1Char('=') + value;
    int s = FindSection(section);
    if (s < 0) {
        m_lines << QLatin1Char('[') + section + QLatin1Char(']') << line;
        return;
    }
    const int k = FindKey(s, key);
    if (k >= 0) {
        m_lines[k] = line;
        return;
    }
    // after the section's last non-empty line
    int at = SectionEnd(s);
    while (at > s + 1 && m_lines[at - 1].trimmed().isEmpty())
        --at;
    m_lines.insert(at, line);
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}
