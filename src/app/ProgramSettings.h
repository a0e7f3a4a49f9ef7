#pragma once

#include "base/Result.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The per-user folder of Quorvel's own files (settings, history, templates,
// FTP profiles, form-mailer list). Not created here.
QString GetAppDataFolder();

// What outlives a project: the interface language and the length of the
// recent-files list, kept in "ProgramSettings.ini" in the application-data
// folder. The file is read anew at every access.
class TProgramSettings
{
public:
    // Creates the folder and the file (Deutsch, 5) when the file is missing,
    // and reads the languages of the language file once.
    explicit TProgramSettings(const QString& langIniPath);
    TProgramSettings(const QString& langIniPath, const QString& appDataFolder);

    QString Language() const;
    // The interface language as a source that asks the file at every call.
    std::function<QString()> LanguageSource() const
    {
        return [this] { return Language(); };
    }
    void SetLanguage(const QString& language);
    // Always within MinNumLastUsed..MaxNumLastUsed: a hand-edited "0" must
    // not empty the recent-files list.
    int NumLastUsed() const;
    void SetNumLastUsed(int count);
    // What the program-settings dialog stores, in one write: the list length
    // and, when one was chosen, the language. Unlike the single setters it
    // makes the file when it is missing, and it says when the file cannot
    // be written.
    TStatus Store(const std::optional<QString>& language, int numLastUsed);
    QString HelpFormmailHTMFile() const;
    // The file name of a help page shipped in both languages: "de_" + page
    // for Deutsch, "en_" + page for every other language.
    static QString HelpPageName(const QString& language, const QString& page);

    const QString& IniFileName() const { return m_iniFileName; }
    const QStringList& LanguageList() const { return m_languageList; }

    static const QString DefaultLanguage;
    static constexpr int DefaultNumLastUsed = 5;
    static constexpr int MinNumLastUsed = 1;
    static constexpr int MaxNumLastUsed = 99;

private:
    QString m_iniFileName;
    QStringList m_languageList;
};
