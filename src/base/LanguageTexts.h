#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class Prompter;

// The language file as parsed once: every section's texts by key, ready to
// hand out (cleaned as TIniFile cleans values, window texts decoded).
struct TLanguageFile;

// The texts of one language as the language file held them when the section
// was taken: a look-up reads neither the file nor the program settings. A
// generation takes one at its start, so ten thousand fields cost ten
// thousand hash look-ups. Cheap to copy; it keeps the parsed file alive.
class TTextSection
{
public:
    TTextSection() = default; // no file: every text is empty

    // The text of key (case-insensitive), empty when the section lacks it.
    // Taken while the language file was missing, every look-up shows the
    // missing-file message (when there was a prompter) and gives "".
    QString Text(const QString& key) const;

private:
    friend class TLanguageTexts;
    std::shared_ptr<const TLanguageFile> m_file;
    const QHash<QString, QString>* m_texts = nullptr; // within m_file; null: no such section
    Prompter* m_missingFilePrompter = nullptr;
    bool m_fileMissing = false;
};

// Texts from the language file "lang.ini" in the data folder. Every look-up
// through this class sees the file as it is on disk now: an edited file takes
// effect at once. (The parsed file is kept while its size and modification
// time stay the same.) Many look-ups in a row go through a TTextSection.
class TLanguageTexts
{
public:
    using LanguageSource = std::function<QString()>;

    // currentLanguage is asked before every look-up of Text() and at every
    // Snapshot(); without one the language is "Deutsch". The prompter shows
    // the missing-file message; it may be null (nothing is shown then).
    TLanguageTexts(QString langIniPath, Prompter* prompter, LanguageSource currentLanguage = {});
    ~TLanguageTexts();

    // The text of key in the section of language (case-insensitive); a
    // language without a section takes the second section of the file.
    QString GetLanguageText(const QString& language, const QString& key) const;
    // The same for the current language.
    QString Text(const QString& key) const;
    QString CurrentLanguage() const;

    // The texts of language (the same section GetLanguageText would take), or
    // of the current language, as the file is on disk now.
    TTextSection Section(const QString& language) const;
    TTextSection Snapshot() const;

    // Window texts (numeric keys) may span lines: the file keeps one text per
    // line, so a line break is written as the two characters "\n" and a
    // backslash before an "n" or another backslash as "\\". Named texts are
    // taken as they stand, since they go into generated pages verbatim.
    static QString DecodeWindowText(const QString& raw);
    static bool IsWindowTextKey(const QString& key);

    // The section names in file order (empty without a file).
    QStringList SectionNames() const;
    const QString& FileName() const { return m_path; }

    static const QString MissingFileMessage;

private:
    // null when the file does not exist
    std::shared_ptr<const TLanguageFile> Current() const;

    QString m_path;
    Prompter* m_prompter;
    LanguageSource m_language;
    mutable std::shared_ptr<const TLanguageFile> m_cache;
    mutable QDateTime m_cacheTime;
    mutable qint64 m_cacheSize = -1;
};
