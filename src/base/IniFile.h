#pragma once

#include <QString>
#include <QStringList>

// A small INI file: "[Section]" lines open sections, "key=text" lines hold
// values. Section names and keys are compared without regard to letter case;
// the first of two equal sections or keys wins. Values lose the blanks at
// both ends and one pair of enclosing quotation marks, and are cut to 2047
// characters. Writing keeps every other line of the file as it was.
class TIniFile
{
public:
    static constexpr int MaxValueLength = 2047;

    TIniFile() = default;
    explicit TIniFile(const QString& fileName);

    // Reads the file; a missing or unreadable file gives an empty INI.
    bool Load(const QString& fileName);
    // Writes atomically to the file it was loaded from (or the given one).
    bool Save(const QString& fileName = QString()) const;

    const QString& FileName() const { return m_fileName; }

    QStringList SectionNames() const;
    bool HasSection(const QString& section) const;
    bool HasKey(const QString& section, const QString& key) const;
    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const;
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);

    static QString CleanValue(QStringView raw);
    // How a line is read: a section header gives its name, a "key=text"
    // line its key (trimmed) and its raw text (not yet cleaned).
    static bool ParseSectionHeader(QStringView line, QStringView* name = nullptr);
    static bool ParseKeyLine(QStringView line, QStringView* key, QStringView* value);
    // The lines as loaded (line ends removed).
    const QStringList& Lines() const { return m_lines; }

private:
    int FindSection(const QString& section) const; // line of the header, or -1
    int FindKey(int sectionLine, const QString& key) const;
    int SectionEnd(int sectionLine) const;

    QString m_fileName;
    QStringList m_lines;
};
