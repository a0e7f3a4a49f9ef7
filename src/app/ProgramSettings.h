#pragma once

#include <QString>
#include <QStringList>
#include <functional>

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
    int NumLastUsed() const;
    void SetNumLastUsed(int count);
    QString HelpFormmailHTMFile() const;

    const QString& IniFileName() const { return m_iniFileName; }
    const QStringList& LanguageList() const { return m_languageList; }

    static const QString DefaultLanguage;
    static constexpr int DefaultNumLastUsed = 5;

private:
    QString m_iniFileName;
    QStringList m_languageList;
};
