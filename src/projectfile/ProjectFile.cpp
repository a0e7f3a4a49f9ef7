#include "projectfile/ProjectFile.h"

#include "base/AtomicFile.h"
#include "base/LanguageTexts.h"
#include "base/XmlValues.h"
#include "model/FormProject.h"
#include "model/SettingKeys.h"
#include "projectfile/FieldFactory.h"

#include <QFile>

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
TStatus ReadSetting(const TSettingKey& key, const QDomElement& content, TFormSettings& settings,
                    const QString& captchaDefault, const std::function<QString()>& firstFormMailer)
{
    const std::optional<QString> found = ChildText(content, key.Key());
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
    }
    return doc;
}

TStatus TProjectFile::SaveProject(const TFormProject& project, const QString& path) const
{
    return WriteFileAtomically(path, ProjectDocument(project).toByteArray(2));
}

TStatus TProjectFile::LoadProject(TFormProject& project, const QString& path) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TFailure{file.errorString(), path};
    return ReadProject(project, file.readAll());
}

TStatus TProjectFile::ReadProject(TFormProject& project, const QByteArray& data) const
{
    QDomDocument doc;
    QString parserError;
    int line = 0;
    int column = 0;
    if (!doc.setContent(data, &parserError, &line, &column))
        return TFailure{parserError, QStringLiteral("line %1, column %2").arg(line).arg(column)};
    const QDomElement root = doc.documentElement();
    const QDomElement info = root.firstChildElement(QStringLiteral("FileInfo"));
    const QDomElement content = root.firstChildElement(QStringLiteral("FileContent"));
    const QDomElement items = content.firstChildElement(QStringLiteral("ItemList"));
    const QDomElement prog = info.firstChildElement(QStringLiteral("Prog"));
    if (info.isNull())
        return MissingChild("FileInfo");
    if (prog.isNull())
        return MissingChild("Prog").Within(QStringLiteral("FileInfo"));
    if (prog.text() != ProgName)
        return UnreadableChild("Prog", prog.text(), "\"Quorvel\"").Within(QStringLiteral("FileInfo"));
    if (content.isNull())
        return MissingChild("FileContent");

    const QString captchaDefault = m_texts.Text(QStringLiteral("txtMainFrmSpamProt"));
    TFormSettings settings = project;
    for (const TSettingKey& key : SettingKeys())
        if (TStatus read = ReadSetting(key, content, settings, captchaDefault, m_firstFormMailer); !read)
            return read;
    settings.SyncColorValues();

    if (items.isNull())
        return MissingChild("ItemList").Within(QStringLiteral("FileContent"));
    TFieldList fields;
    int position = 0;
    for (QDomElement node = items.firstChildElement(); !node.isNull(); node = node.nextSiblingElement()) {
        ++position;
        auto field = CreateFieldFromNode(node);
        if (!field)
            return field.Failure().Within(QStringLiteral("field %1").arg(position));
        fields.Add(std::move(*field));
    }

    static_cast<TFormSettings&>(project) = std::move(settings);
    project.ListField = std::move(fields);
    return {};
}
