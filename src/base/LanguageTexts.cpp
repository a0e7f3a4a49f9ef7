#include "base/LanguageTexts.h"

#include "base/IniFile.h"
#include "base/Prompter.h"

#include <QFileInfo>

const QString TLanguageTexts::MissingFileMessage = QStringLiteral("Language-file doesnt exist!");

struct TLanguageFile
{
    QStringList sectionNames; // in file order, as written
    // by the case-folded section name, then by the case-folded key
    QHash<QString, QHash<QString, QString>> sections;
};

namespace
{
// The form under which names and keys are compared: what compare() with
// Qt::CaseInsensitive does, code point by code point (simple case folding).
QString Folded(QStringView text)
{
    QString out = text.toString();
    bool ascii = true;
    for (QChar& c : out) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(static_cast<char16_t>(c.unicode() + 0x20));
    }
    if (ascii)
        return out;
    out.clear();
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            const char32_t folded = QChar::toCaseFolded(QChar::surrogateToUcs4(c, text.at(i + 1)));
            if (QChar::requiresSurrogates(folded)) {
                out += QChar(QChar::highSurrogate(folded));
                out += QChar(QChar::lowSurrogate(folded));
            } else {
                out += QChar(static_cast<char16_t>(folded));
            }
            ++i;
        } else {
            out += c.toCaseFolded();
        }
    }
    return out;
}

// The rules of TIniFile::ReadString: the first of equal sections and the
// first of equal keys within it win; lines before the first section belong
// to none.
std::shared_ptr<const TLanguageFile> Parse(const QString& path)
{
    const TIniFile ini(path);
    auto file = std::make_shared<TLanguageFile>();
    QHash<QString, QString>* section = nullptr;
    QStringView name, key, value;
    for (const QString& line : ini.Lines()) {
        if (TIniFile::ParseSectionHeader(line, &name)) {
            file->sectionNames << name.toString();
            const QString folded = Folded(name);
            section = file->sections.contains(folded) ? nullptr : &file->sections[folded];
            continue;
        }
        if (!section || !TIniFile::ParseKeyLine(line, &key, &value))
            continue;
        const QString keyText = key.toString();
        const QString folded = Folded(keyText);
        if (section->contains(folded))
            continue;
        const QString text = TIniFile::CleanValue(value);
        section->insert(
            folded, TLanguageTexts::IsWindowTextKey(keyText) ? TLanguageTexts::DecodeWindowText(text) : text);
    }
    return file;
}
} // namespace

QString TTextSection::Text(const QString& key) const
{
    if (m_fileMissing) {
        if (m_missingFilePrompter)
            m_missingFilePrompter->Message(TLanguageTexts::MissingFileMessage);
        return QString();
    }
    if (!m_texts)
        return QString();
    const auto found = m_texts->constFind(Folded(key));
    return found == m_texts->constEnd() ? QString() : *found;
}

TLanguageTexts::TLanguageTexts(QString langIniPath, Prompter* prompter, LanguageSource currentLanguage)
    : m_path(std::move(langIniPath)), m_prompter(prompter), m_language(std::move(currentLanguage))
{
}

TLanguageTexts::~TLanguageTexts() = default;

QString TLanguageTexts::CurrentLanguage() const
{
    return m_language ? m_language() : QStringLiteral("Deutsch");
}

std::shared_ptr<const TLanguageFile> TLanguageTexts::Current() const
{
    const QFileInfo info(m_path);
    if (!info.isFile()) {
        m_cache.reset();
        return nullptr;
    }
    const QDateTime time = info.lastModified();
    if (!m_cache || time != m_cacheTime || info.size() != m_cacheSize) {
        m_cache = Parse(m_path);
        m_cacheTime = time;
        m_cacheSize = info.size();
    }
    return m_cache;
}

TTextSection TLanguageTexts::Section(const QString& language) const
{
    TTextSection section;
    section.m_file = Current();
    if (!section.m_file) {
        section.m_fileMissing = true;
        section.m_missingFilePrompter = m_prompter;
        return section;
    }
    const TLanguageFile& file = *section.m_file;
    if (file.sectionNames.isEmpty())
        return section;
    // An unknown language takes the second section, the one the file
    // is meant to fall back to; a file of one section has only that.
    auto found = file.sections.constFind(Folded(language));
    if (found == file.sections.constEnd())
        found = file.sections.constFind(Folded(file.sectionNames.at(file.sectionNames.size() >= 2 ? 1 : 0)));
    if (found != file.sections.constEnd())
        section.m_texts = &*found;
    return section;
}

TTextSection TLanguageTexts::Snapshot() const
{
    return Section(CurrentLanguage());
}

QString TLanguageTexts::GetLanguageText(const QString& language, const QString& key) const
{
    return Section(language).Text(key);
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
    const std::shared_ptr<const TLanguageFile> file = Current();
    return file ? file->sectionNames : QStringList();
}
