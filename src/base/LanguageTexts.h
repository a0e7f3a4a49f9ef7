#pragma once

#include "base/IniFile.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>

class Prompter;

// Texts from the language file "lang.ini" in the data folder. Every look-up
// sees the file as it is on disk now: an edited file takes effect at once.
// (The parsed file is kept while its size and modification time stay the
// same, so generating a page of ten thousand fields does not read it ten
// thousand times.)
class TLanguageTexts
{
public:
    using LanguageSource = std::function<QString()>;

    // currentLanguage is asked before every look-up of Text(); without one the
    // language is "Deutsch". The prompter shows the missing-file message; it
    // may be null (nothing is shown then).
    TLanguageTexts(QString langIniPath, Prompter* prompter, LanguageSource currentLanguage = {});

    // The text of key in the section of language (case-insensitive); a
    // language without a section takes the second section of the file.
    QString GetLanguageText(const QString& language, const QString& key) const;
    // The same for the current language.
    QString Text(const QString& key) const;
    QString CurrentLanguage() const;

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
    const TIniFile* Current() const; // null when the file does not exist

    QString m_path;
    Prompter* m_prompter;
    LanguageSource m_language;
    mutable std::unique_ptr<TIniFile> m_cache;
    mutable QDateTime m_cacheTime;
    mutable qint64 m_cacheSize = -1;
};
