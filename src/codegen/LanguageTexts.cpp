#include "LanguageTexts.h"

#include "app/ProgramSettings.h"
#include "app/Prompter.h"

#include <QFileInfo>

const QString TLanguageTexts::MissingFileMessage = QStringLiteral("Language-file doesnt exist!");

TLanguageTexts::TLanguageTexts(QString langIniPath, Prompter* prompter, LanguageSource currentLanguage)
    : m_path(std::move(langIniPath)), m_prompter(prompter), m_language(std::move(currentLanguage))
{
}

TLanguageTexts::TLanguageTexts(QString langIniPath, Prompter* prompter, const TProgramSettings* settings)
    : TLanguageTexts(std::move(langIniPath), prompter,
                     settings ? LanguageSource([settings] { return settings->Language(); })
                              : LanguageSource())
{
}

QString TLanguageTexts::CurrentLanguage() const
{
    return m_language ? m_language() : QStringLiteral("Deutsch");
}

const TIniFile* TLanguageTexts::Current() const
{
    const QFileInfo info(m_path);
    if (!info.isFile()) {
        m_cache.reset();
        return nullptr;
    }
    const QDateTime time = info.lastModified();
    if (!m_cache || time != m_cacheTime || info.size() != m_cacheSize) {
        m_cache = std::make_unique<TIniFile>(m_path);
        m_cacheTime = time;
        m_cacheSize = info.size();
    }
    return m_cache.get();
}

QString TLanguageTexts::GetLanguageText(const QString& language, const QString& key) const
{
    const TIniFile* ini = Current();
    if (!ini) {
        if (m_prompter)
            m_prompter->Message(MissingFileMessage);
        return QString();
    }
    const QStringList sections = ini->SectionNames();
    for (const QString& section : sections)
        if (section.compare(language, Qt::CaseInsensitive) == 0)
            return ini->ReadString(section, key);
    // An unknown language takes the second section, the one the file
    // is meant to fall back to; a file of one section has only that.
    if (sections.size() >= 2)
        return ini->ReadString(sections.at(1), key);
    if (sections.size() == 1)
        return ini->ReadString(sections.at(0), key);
    return QString();
}

QString TLanguageTexts::Text(const QString& key) const
{
    return GetLanguageText(CurrentLanguage(), key);
}

QStringList TLanguageTexts::SectionNames() const
{
    const TIniFile* ini = Current();
    return ini ? ini->SectionNames() : QStringList();
}
