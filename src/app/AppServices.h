#pragma once

#include "app/FileHistory.h"
#include "app/ProgramSettings.h"
#include "app/TempFolder.h"
#include "base/LanguageTexts.h"

#include <QString>

class Prompter;

// What the windows use and do not make themselves: the folders, the program
// settings, the language texts, the recent files and the private temporary
// folder, with the prompter every message goes through. The desktop program's
// main and the tests make one and keep it while any window lives.
class TAppServices
{
public:
    // dataDir: the shipped files (lang.ini, templates, default projects);
    // appDataFolder: Quorvel's per-user folder; tempBase: where the private
    // temporary folder lies below (empty: the system's temporary folder).
    TAppServices(Prompter& prompter, QString dataDir, QString appDataFolder, QString tempBase = QString());
    TAppServices(const TAppServices&) = delete;
    TAppServices& operator=(const TAppServices&) = delete;

    Prompter& Prompt() const { return m_prompter; }
    const QString& DataDir() const { return m_dataDir; }
    QString DataFile(const QString& relativePath) const;
    const QString& AppDataFolder() const { return m_appDataFolder; }
    TProgramSettings& Settings() { return m_settings; }
    const TLanguageTexts& Texts() const { return m_texts; }
    TFileHistory& History() { return m_history; }
    TTempFolder& TempFolder() { return m_tempFolder; }

private:
    Prompter& m_prompter;
    QString m_dataDir;
    QString m_appDataFolder;
    TProgramSettings m_settings;
    TLanguageTexts m_texts;
    TFileHistory m_history;
    TTempFolder m_tempFolder;
};
