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
    const int count =
        TIniFile(m_iniFileName).ReadInteger(SectionLastUsed, KeyShownNumber, DefaultNumLastUsed);
    return qBound(MinNumLastUsed, count, MaxNumLastUsed);
}

void TProgramSettings::SetNumLastUsed(int count)
{
    if (!QFileInfo::exists(m_iniFileName))
        return;
    TIniFile ini(m_iniFileName);
    ini.WriteInteger(SectionLastUsed, KeyShownNumber, count);
    ini.Save();
}

TStatus TProgramSettings::Store(const std::optional<QString>& language, int numLastUsed)
{
    // A missing file starts from the defaults, so that a language not
    // chosen stays what it was.
    TIniFile ini;
    if (!ini.Load(m_iniFileName) && QFileInfo::exists(m_iniFileName))
        return TFailure{QStringLiteral("cannot be read"), m_iniFileName};
    if (!ini.HasKey(SectionLanguage, KeyLang))
        ini.WriteString(SectionLanguage, KeyLang, DefaultLanguage);
    if (language)
        ini.WriteString(SectionLanguage, KeyLang, language->isEmpty() ? DefaultLanguage : *language);
    ini.WriteInteger(SectionLastUsed, KeyShownNumber, qBound(MinNumLastUsed, numLastUsed, MaxNumLastUsed));
    QDir().mkpath(QFileInfo(m_iniFileName).absolutePath());
    if (!ini.Save(m_iniFileName))
        return TFailure{QStringLiteral("cannot be written"), m_iniFileName};
    return {};
}

QString TProgramSettings::HelpFormmailHTMFile() const
{
    return HelpPageName(Language(), QStringLiteral("formmailer.htm"));
}

QString TProgramSettings::HelpPageName(const QString& language, const QString& page)
{
    return (language == DefaultLanguage ? QStringLiteral("de_") : QStringLiteral("en_")) + page;
}
