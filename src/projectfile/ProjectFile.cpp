#include "projectfile/ProjectFile.h"

#include "base/AtomicFile.h"
#include "base/LanguageTexts.h"
#include "base/XmlValues.h"
#include "model/FormProject.h"
#include "model/SettingKeys.h"
#include "projectfile/FieldFactory.h"

#include <QFile>
#include <QXmlStreamReader>

using namespace XmlValues;

namespace
{
const QString ProgName = QStringLiteral("Quorvel");

QString SettingText(const TSettingKey& key, TFormSettings& settings)
{
    if (key.text)
        return *key.text(settings);
    if (key.flag)
        return FlagText(*key.flag(settings));
    return QString::number(*key.number(settings));
}

// Reads one setting into settings; fails when the load must fail.
TStatus ReadSetting(const TSettingKey& key, const std::optional<QString>& found, TFormSettings& settings,
                    const QString& captchaDefault, const std::function<QString()>& firstFormMailer)
{
    const QString text = found.value_or(QString());
    const auto unreadable = [&](const char* expected) {
        return UnreadableChild(key.Key().toLatin1().constData(), text, expected)
            .Within(QStringLiteral("settings"));
    };
    switch (key.reader) {
    case TSettingReader::Text: *key.text(settings) = text; return {};
    case TSettingReader::TextDefault:
        *key.text(settings) = found ? text : QString::fromUtf8(key.defaultText);
        return {};
    case TSettingReader::CaptchaMessage: *key.text(settings) = found ? text : captchaDefault; return {};
    case TSettingReader::FormMailer:
        *key.text(settings) = text.isEmpty() ? firstFormMailer() : text;
        return {};
    case TSettingReader::MailFormat:
        if (text == QLatin1String("html") || text == QLatin1String("plain") || text == QLatin1String("xml"))
            *key.text(settings) = text;
        return {};
    case TSettingReader::Flag: {
        const auto flag = ParseFlag(found ? text : QStringLiteral("0"));
        if (!flag)
            return unreadable("a flag");
        *key.flag(settings) = *flag;
        return {};
    }
    case TSettingReader::FlagTolerant:
    case TSettingReader::KeptFlag: {
        if (!found && key.reader == TSettingReader::KeptFlag)
            return {};
        const auto flag = ParseFlag(found ? text : QStringLiteral("0"));
        if (flag)
            *key.flag(settings) = *flag;
        return {};
    }
    case TSettingReader::IndexTolerant:
        *key.number(settings) = ParseInt(found ? text : QStringLiteral("0")).value_or(0);
        return {};
    case TSettingReader::IntStrict: {
        const auto value = ParseInt(found ? text : QStringLiteral("0"));
        if (!value)
            return unreadable("a whole number");
        *key.number(settings) = *value;
        return {};
    }
    }
    return TFailure{QStringLiteral("no reader for ") + key.Key(), QStringLiteral("settings")};
}
} // namespace

TProjectFile::TProjectFile(const TLanguageTexts& texts, FormMailerSource firstFormMailer)
    : m_texts(texts), m_firstFormMailer(std::move(firstFormMailer))
{
    if (!m_firstFormMailer)
        m_firstFormMailer = [this] { return m_texts.Text(QStringLiteral("constFormMailPath")); };
}

QDomDocument TProjectFile::ProjectDocument(const TFormProject& project)
{
    QDomDocument doc;
    doc.appendChild(doc.createProcessingInstruction(QStringLiteral("xml"),
                                                    QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")));
    QDomElement root = doc.createElement(QStringLiteral("xml"));
    doc.appendChild(root);
    QDomElement info = doc.createElement(QStringLiteral("FileInfo"));
    root.appendChild(info);
    AppendText(info, QStringLiteral("Prog"), ProgName);
    AppendText(info, QStringLiteral("Version"), QStringLiteral("1"));

    QDomElement content = doc.createElement(QStringLiteral("FileContent"));
    root.appendChild(content);
    // The accessors hand out pointers into the settings; saving only reads them.
    auto& settings = const_cast<TFormProject&>(project);
    for (const TSettingKey& key : SettingKeys()) {
        const QString text = SettingText(key, settings);
        if (key.onlyWhenSet && (key.flag ? !*key.flag(settings) : text.isEmpty()))
            continue;
        AppendText(content, key.Key(), text);
    }

    QDomElement items = doc.createElement(QStringLiteral("ItemList"));
    content.appendChild(items);
    for (const auto& field : project.ListField) {
        QDomElement node = doc.createElement(QStringLiteral("forms"));
        items.appendChild(node);
        field->SetXMLNode(node);
        WriteCondition(node, field->Condition);
    }
    return doc;
}

TStatus TProjectFile::SaveProject(const TFormProject& project, const QString& path) const
{
    return WriteFileAtomically(path, ProjectDocument(project).toByteArray(2));
}

TStatus TProjectFile::LoadProject(TFormProject& project, const QString& path, QStringList* notes) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TFailure{file.errorString(), path};
    // Read from the file as it goes: the whole file need never be in memory.
    QXmlStreamReader reader(&file);
    return ReadProject(project, reader, notes);
}

TStatus TProjectFile::ReadProject(TFormProject& project, const QByteArray& data, QStringList* notes) const
{
    QXmlStreamReader reader(data);
    return ReadProject(project, reader, notes);
}

namespace
{
// What a pass over the file found, in the parts the load needs: the first
// element of each name counts, as everywhere in the file. The fields are made
// one at a time as their elements go by, and each element's tree is dropped
// as soon as its field is made.
struct TFileParts
{
    std::optional<TElement> info;
    bool content = false;
    bool items = false;
    std::vector<std::optional<QString>> settings = std::vector<std::optional<QString>>(SettingKeys().size());
    TFieldList fields;
    std::optional<TFailure> fieldFailure;
    QStringList notes;
};

void ReadItems(QXmlStreamReader& reader, TFileParts& parts)
{
    int position = 0;
    while (reader.readNextStartElement()) {
        if (parts.fieldFailure) {
            // The load fails already; the rest is only checked to be XML.
            reader.skipCurrentElement();
            continue;
        }
        ++position;
        const TElement node = TElement::Read(reader, TFormField::ElementLevels);
        if (reader.hasError())
            return;
        auto field = CreateFieldFromNode(node);
        if (!field) {
            parts.fieldFailure = field.Failure().Within(QStringLiteral("field %1").arg(position));
            continue;
        }
        // A condition that cannot be read costs only itself: the field is
        // shown always, as before the condition was set.
        if (const auto condition = ReadCondition(node))
            (*field)->Condition = *condition;
        else
            parts.notes << condition.Failure()
                               .Within(QStringLiteral("field %1 \"%2\"").arg(position).arg((*field)->Name))
                               .Text();
        parts.fields.Add(std::move(*field));
    }
}

void ReadContent(QXmlStreamReader& reader, TFileParts& parts)
{
    const std::vector<TSettingKey>& keys = SettingKeys();
    while (reader.readNextStartElement()) {
        const QStringView name = reader.qualifiedName();
        if (!parts.items && name == QLatin1String("ItemList")) {
            parts.items = true;
            ReadItems(reader, parts);
            continue;
        }
        const TSettingKey* key = FindSettingKey(name.toString());
        const size_t index = key ? size_t(key - keys.data()) : keys.size();
        if (index < keys.size() && !parts.settings[index])
            parts.settings[index] = NormalizeLineEnds(TElement::Read(reader, 0).text);
        else
            reader.skipCurrentElement();
    }
}

void ReadParts(QXmlStreamReader& reader, TFileParts& parts)
{
    reader.setNamespaceProcessing(false);
    if (!reader.readNextStartElement())
        return;
    while (reader.readNextStartElement()) {
        const QStringView name = reader.qualifiedName();
        if (!parts.info && name == QLatin1String("FileInfo")) {
            parts.info = TElement::Read(reader, 1);
        } else if (!parts.content && name == QLatin1String("FileContent")) {
            parts.content = true;
            ReadContent(reader, parts);
        } else {
            reader.skipCurrentElement();
        }
    }
    // A file that is not XML to its very end does not load.
    while (!reader.atEnd())
        reader.readNext();
}
} // namespace

TStatus TProjectFile::ReadProject(TFormProject& project, QXmlStreamReader& reader, QStringList* notes) const
{
    TFileParts parts;
    ReadParts(reader, parts);
    if (reader.hasError())
        return TFailure{
            reader.errorString(),
            QStringLiteral("line %1, column %2").arg(reader.lineNumber()).arg(reader.columnNumber())};
    if (!parts.info)
        return MissingChild("FileInfo");
    const TElement* prog = parts.info->Child(u"Prog");
    if (!prog)
        return MissingChild("Prog").Within(QStringLiteral("FileInfo"));
    if (const QString progText = prog->Text(); progText != ProgName)
        return UnreadableChild("Prog", progText, "\"Quorvel\"").Within(QStringLiteral("FileInfo"));
    if (!parts.content)
        return MissingChild("FileContent");

    const QString captchaDefault = m_texts.Text(QStringLiteral("txtMainFrmSpamProt"));
    TFormSettings settings = project;
    const std::vector<TSettingKey>& keys = SettingKeys();
    for (size_t i = 0; i < keys.size(); ++i)
        if (TStatus read =
                ReadSetting(keys[i], parts.settings[i], settings, captchaDefault, m_firstFormMailer);
            !read)
            return read;
    settings.SyncColorValues();

    if (!parts.items)
        return MissingChild("ItemList").Within(QStringLiteral("FileContent"));
    if (parts.fieldFailure)
        return *parts.fieldFailure;

    static_cast<TFormSettings&>(project) = std::move(settings);
    project.ListField = std::move(parts.fields);
    if (notes)
        *notes = std::move(parts.notes);
    return {};
}
