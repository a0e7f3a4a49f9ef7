#include "app/TemplateStore.h"

#include "base/AtomicFile.h"
#include "base/HtmlTools.h"
#include "model/FormField.h"
#include "projectfile/FieldFactory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace
{
QString DisplayName(const QDomElement& node)
{
    const QString label =
        HtmlTools::StripHTML(node.firstChildElement(QStringLiteral("beschriftung")).text()).simplified();
    if (!label.isEmpty())
        return label;
    // A template without a label (an empty intermediate text, say) still
    // needs something to be picked by.
    return node.firstChildElement(QStringLiteral("name")).text();
}

QString Serialized(const QDomElement& node)
{
    QString text;
    QTextStream stream(&text);
    node.save(stream, -1);
    stream.flush();
    return text;
}
} // namespace

TTemplateStore::TTemplateStore(QString fileName, QString shippedFile)
    : m_fileName(std::move(fileName)), m_shippedFile(std::move(shippedFile))
{
}

TStatus TTemplateStore::InstallDefault() const
{
    // Without a shipped file there is nothing to copy: reading the user's
    // file then says what is missing.
    if (QFileInfo::exists(m_fileName) || m_shippedFile.isEmpty() || !QFileInfo::exists(m_shippedFile))
        return {};
    QFile shipped(m_shippedFile);
    if (!shipped.open(QIODevice::ReadOnly))
        return TFailure{shipped.errorString(), m_shippedFile};
    const QByteArray bytes = shipped.readAll();
    if (shipped.error() != QFileDevice::NoError)
        return TFailure{shipped.errorString(), m_shippedFile};
    QDir().mkpath(QFileInfo(m_fileName).absolutePath());
    return WriteFileAtomically(m_fileName, bytes);
}

TStatus TTemplateStore::Load()
{
    m_doc = QDomDocument();
    m_names.clear();
    if (TStatus installed = InstallDefault(); !installed)
        return installed;
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly))
        return TFailure{file.errorString(), m_fileName};
    QDomDocument doc;
    QString message;
    int line = 0;
    int column = 0;
    if (!doc.setContent(&file, &message, &line, &column))
        return TFailure{QStringLiteral("line %1, column %2: %3").arg(line).arg(column).arg(message),
                        m_fileName};
    if (doc.documentElement().isNull())
        return TFailure{QStringLiteral("the file holds no root element"), m_fileName};
    for (QDomElement node = doc.documentElement().firstChildElement(); !node.isNull();
         node = node.nextSiblingElement())
        m_names << DisplayName(node);
    m_doc = doc;
    return {};
}

QDomElement TTemplateStore::TemplateAt(int position) const
{
    if (position < 0 || m_doc.isNull())
        return QDomElement();
    QDomElement node = m_doc.documentElement().firstChildElement();
    for (int i = 0; i < position && !node.isNull(); ++i)
        node = node.nextSiblingElement();
    return node;
}

TResult<std::unique_ptr<TFormField>> TTemplateStore::Field(int position) const
{
    const QDomElement node = TemplateAt(position);
    if (node.isNull())
        return TFailure{QStringLiteral("there is no template %1").arg(position + 1), m_fileName};
    auto field = CreateFieldFromNode(node);
    if (!field)
        return field.Failure().Within(
            QStringLiteral("%1, template %2").arg(QDir::toNativeSeparators(m_fileName)).arg(position + 1));
    return field;
}

TStatus TTemplateStore::Append(const TFormField& field)
{
    if (TStatus loaded = Load(); !loaded)
        return loaded;
    QDomElement node = m_doc.createElement(QStringLiteral("feld"));
    field.SetXMLNode(node);
    m_doc.documentElement().appendChild(node);
    if (TStatus written = Write(); !written) {
        // What the store shows is what the file holds.
        (void)Load();
        return written;
    }
    m_names << DisplayName(node);
    return {};
}

TStatus TTemplateStore::Delete(int position)
{
    const QDomElement shown = TemplateAt(position);
    if (shown.isNull())
        return TFailure{QStringLiteral("there is no template %1").arg(position + 1), m_fileName};
    // The file may have changed since it was read (another Quorvel stored a
    // template): the chosen template is removed from the file as it is now,
    // and nothing else.
    const QString chosen = Serialized(shown);
    if (TStatus loaded = Load(); !loaded)
        return loaded;
    int found = -1;
    if (Serialized(TemplateAt(position)) == chosen)
        found = position;
    for (int i = 0; found < 0 && i < Count(); ++i)
        if (Serialized(TemplateAt(i)) == chosen)
            found = i;
    if (found < 0)
        return TFailure{QStringLiteral("the template is no longer in the file"), m_fileName};
    m_doc.documentElement().removeChild(TemplateAt(found));
    if (TStatus written = Write(); !written) {
        (void)Load();
        return written;
    }
    m_names.removeAt(found);
    return {};
}

TStatus TTemplateStore::Write() const
{
    return WriteFileAtomically(m_fileName, m_doc.toByteArray(2));
}
