#include "base/LanguageTexts.h"

#include "base/Prompter.h"

#include <QFileInfo>

const QString TLanguageTexts::MissingFileMessage = QStringLiteral("Language-file doesnt exist!");

TLanguageTexts::TLanguageTexts(QString langIniPath, Prompter* prompter, LanguageSource currentLanguage)
    : m_path(std::move(langIniPath)), m_prompter(prompter), m_language(std::move(currentLanguage))
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
    if (sections.isEmpty())
        return QString();
    // An unknown language takes the second section, the one the file
    // is meant to fall back to; a file of one section has only that.
    const QString* section = sections.size() >= 2 ? &sections.at(1) : &sections.at(0);
    for (const QString& name : sections)
        if (name.compare(language, Qt::CaseInsensitive) == 0) {
            section = &name;
            break;
        }
    const QString text = ini->ReadString(*section, key);
    return IsWindowTextKey(key) ? DecodeWindowText(text) : text;
}

bool TLanguageTexts::IsWindowTextKey(const QString& key)
{
    if (key.isEmpty())
        return false;
    for (const QChar c : key)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QString TLanguageTexts::DecodeWindowText(const QString& raw)
{
    if (!raw.contains(QLatin1Char('\\')))
        return raw;
    QString text;
    text.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        const QChar next = i + 1 < raw.size() ? raw.at(i + 1) : QChar();
        if (c == QLatin1Char('\\') && next == QLatin1Char('n')) {
            text += QLatin1Char('\n');
            ++i;
        } else if (c == QLatin1Char('\\') && next == QLatin1Char('\\')) {
            text += c;
            ++i;
        } else {
            text += c; // any other backslash stands for itself
        }
    }
    return text;
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
