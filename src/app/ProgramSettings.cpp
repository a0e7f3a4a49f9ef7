#include "app/ProgramSettings.h"

#include "base/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace
{
const QString SectionLanguage = QStringLiteral("Language");
const QString KeyLang = QStringLiteral("lang");
const QString SectionLastUsed = QStringLiteral("LastUsed");
const QString KeyShownNumber = QStringLiteral("ShownNumber");
} // namespace

const QString TProgramSettings::DefaultLanguage = QStringLiteral("Deutsch");

QString GetAppDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Quorvel");
}

TProgramSettings::TProgramSettings(const QString& langIniPath)
    : TProgramSettings(langIniPath, GetAppDataFolder())
{
}

TProgramSettings::TProgramSettings(const QString& langIniPath, const QString& appDataFolder)
    : m_iniFileName(appDataFolder + QStringLiteral("/ProgramSettings.ini"))
{
    if (!QFileInfo::exists(m_iniFileName)) {
        QDir().mkpath(appDataFolder);
        TIniFile ini;
        ini.WriteString(SectionLanguage, KeyLang, DefaultLanguage);
        ini.WriteInteger(SectionLastUsed, KeyShownNumber, DefaultNumLastUsed);
        ini.Save(m_iniFileName);
    }
    if (QFileInfo::exists(langIniPath))
        m_languageList = TIniFile(langIniPath).SectionNames();
}

QString TProgramSettings::Language() const
{
    if (!QFileInfo::exists(m_iniFileName))
        return DefaultLanguage;
    return TIniFile(m_iniFileName).ReadString(SectionLanguage, KeyLang, DefaultLanguage);
}

void TProgramSettings::SetLanguage(const QString& language)
{
    if (!QFileInfo::exists(m_iniFileName))
        return;
    TIniFile ini(m_iniFileName);
    ini.WriteString(SectionLanguage, KeyLang, language.isEmpty() ? DefaultLanguage : language);
    ini.Save();
}

int TProgramSettings::NumLastUsed() const
{
    if (!QFileInfo::exists(m_iniFileName))
        return DefaultNumLastUsed;
    return TIniFile(m_iniFileName).ReadInteger(SectionLastUsed, KeyShownNumber, DefaultNumLastUsed);
}

void TProgramSettings::SetNumLastUsed(int count)
{
    if (!QFileInfo::exists(m_iniFileName))
        return;
    TIniFile ini(m_iniFileName);
    ini.WriteInteger(SectionLastUsed, KeyShownNumber, count);
    ini.Save();
}

QString TProgramSettings::HelpFormmailHTMFile() const
{
    return Language() == DefaultLanguage ? QStringLiteral("de_formmailer.htm")
                                         : QStringLiteral("en_formmailer.htm");
}
