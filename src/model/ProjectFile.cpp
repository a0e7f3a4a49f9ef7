#include "ProjectFile.h"

#include "app/Prompter.h"
#include "codegen/LanguageTexts.h"
#include "model/FieldFactory.h"
#include "model/FormProject.h"
#include "model/SettingKeys.h"
#include "model/XmlValues.h"

#include <QFile>
#include <QSaveFile>

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

// Reads one setting into settings; false when the load must fail.
bool ReadSetting(const TSettingKey& key, const QDomElement& content, TFormSettings& settings,
                 const QString& captchaDefault, const std::function<QString()>& firstFormMailer)
{
    const std::optional<QString> found = ChildText(content, key.Key());
    const QString text = found.value_or(QString());
    switch (key.reader) {
    case TSettingReader::Text: *key.text(settings) = text; return true;
    case TSettingReader::TextDefault:
        *key.text(settings) = found ? text : QString::fromUtf8(key.defaultText);
        return true;
    case TSettingReader::CaptchaMessage: *key.text(settings) = found ? text : captchaDefault; return true;
    case TSettingReader::FormMailer:
        *key.text(settings) = text.isEmpty() ? firstFormMailer() : text;
        return true;
    case TSettingReader::MailFormat:
        if (text == QLatin1String("html") || text == QLatin1String("plain") || text == QLatin1String("xml"))
            *key.text(settings) = text;
        return true;
    case TSettingReader::Flag: {
        const auto flag = ParseFlag(found ? text : QStringLiteral("0"));
        if (!flag)
            return false;
        *key.flag(settings) = *flag;
        return true;
    }
    case TSettingReader::FlagTolerant:
    case TSettingReader::KeptFlag: {
        if (!found && key.reader == TSettingReader::KeptFlag)
            return true;
        const auto flag = ParseFlag(found ? text : QStringLiteral("0"));
        if (flag)
            *key.flag(settings) = *flag;
        return true;
    }
    case TSettingReader::IndexTolerant:
        *key.number(settings) = ParseInt(found ? text : QStringLiteral("0")).value_or(0);
        return true;
    case TSettingReader::IntStrict: {
        const auto value = ParseInt(found ? text : QStringLiteral("0"));
        if (!value)
            return false;
        *key.number(settings) = *value;
        return true;
    }
    }
    return false;
}
} // namespace

TProjectFile::TProjectFile(const TLanguageTexts& texts, Prompter* prompter, FormMailerSource firstFormMailer)
    : m_texts(texts), m_prompter(prompter), m_firstFormMailer(std::move(firstFormMailer))
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
    for (const TSettingKey& key : SettingKeys())
        AppendText(content, key.Key(), SettingText(key, settings));

    QDomElement items = doc.createElement(QStringLiteral("ItemList"));
    content.appendChild(items);
    for (const auto& field : project.ListField) {
        QDomElement node = doc.createElement(QStringLiteral("forms"));
        items.appendChild(node);
        field->SetXMLNode(node);
    }
    return doc;
}

bool TProjectFile::SaveProject(const TFormProject& project, const QString& path, QString* error) const
{
    const QByteArray bytes = ProjectDocument(project).toByteArray(2);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool TProjectFile::LoadProject(TFormProject& project, const QString& path) const
{
    const QString captchaDefault = m_texts.Text(QStringLiteral("txtMainFrmSpamProt"));
    const QString failure = m_texts.Text(QStringLiteral("txtMainFrmNoQVFile"));
    const auto fail = [&] {
        if (m_prompter)
            m_prompter->Message(failure);
        return false;
    };

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail();
    QDomDocument doc;
    if (!doc.setContent(&file))
        return fail();
    const QDomElement root = doc.documentElement();
    const QDomElement info = root.firstChildElement(QStringLiteral("FileInfo"));
    const QDomElement content = root.firstChildElement(QStringLiteral("FileContent"));
    const QDomElement items = content.firstChildElement(QStringLiteral("ItemList"));
    const QDomElement prog = info.firstChildElement(QStringLiteral("Prog"));
    if (info.isNull() || content.isNull() || prog.isNull() || prog.text() != ProgName)
        return fail();

    TFormSettings settings = project;
    for (const TSettingKey& key : SettingKeys())
        if (!ReadSetting(key, content, settings, captchaDefault, m_firstFormMailer))
            return fail();
    settings.SyncColorValues();

    if (items.isNull())
        return fail();
    TFieldList fields;
    for (QDomElement node = items.firstChildElement(); !node.isNull(); node = node.nextSiblingElement()) {
        auto field = CreateFieldFromNode(node);
        if (!field)
            return fail();
        fields.Add(std::move(field));
    }

    static_cast<TFormSettings&>(project) = std::move(settings);
    project.ListField = std::move(fields);
    return true;
}
