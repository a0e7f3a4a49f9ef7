#include "texts/FormMailerList.h"

#include "app/LinkTest.h"
#include "base/AtomicFile.h"
#include "base/XmlValues.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>

namespace
{
const QString ListName = QStringLiteral("formmailers");
const QString EntryName = QStringLiteral("formmail");

// The parsed file and its list element; a failure when the file cannot be
// read as a form-mailer list. A missing file is no failure: empty document.
TStatus Parse(const QString& fileName, QDomDocument* doc, QDomElement* list)
{
    QFile file(fileName);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return TFailure{file.errorString(), fileName};
    if (!doc->setContent(&file))
        return TFailure{QStringLiteral("not an XML file"), fileName};
    *list = XmlValues::Child(doc->documentElement(), ListName);
    if (list->isNull())
        return TFailure{QStringLiteral("element <formmailers> is missing"), fileName};
    return {};
}

QStringList Addresses(const QDomElement& list)
{
    QStringList links;
    for (QDomElement e = list.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        links << e.text();
    return links;
}
} // namespace

TFormMailerList::TFormMailerList(QString fileName) : m_fileName(std::move(fileName)) {}

QString TFormMailerList::UserFile(const QString& appDataFolder)
{
    return appDataFolder + QStringLiteral("/formmailers.xml");
}

TStatus TFormMailerList::Load()
{
    m_links.clear();
    m_unreadable = false;
    m_changed = false;
    QDomDocument doc;
    QDomElement list;
    if (TStatus parsed = Parse(m_fileName, &doc, &list); !parsed) {
        m_unreadable = true;
        return parsed;
    }
    m_links = Addresses(list);
    return {};
}

QStringList& TFormMailerList::Change()
{
    m_changed = true;
    return m_links;
}

TStatus TFormMailerList::Save() const
{
    if (m_unreadable && !m_changed)
        return {};
    QDomDocument doc;
    doc.appendChild(doc.createProcessingInstruction(QStringLiteral("xml"),
                                                    QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")));
    QDomElement root = doc.createElement(QStringLiteral("xml"));
    doc.appendChild(root);
    QDomElement list = doc.createElement(ListName);
    root.appendChild(list);
    for (const QString& link : m_links)
        XmlValues::AppendText(list, EntryName, link);
    return WriteFileAtomically(m_fileName, doc.toByteArray(2));
}

TStatus TFormMailerList::InstallDelivered(const QString& deliveredFile, const QString& userFile)
{
    if (QFileInfo::exists(userFile) || !QFileInfo::exists(deliveredFile))
        return {};
    QFile delivered(deliveredFile);
    if (!delivered.open(QIODevice::ReadOnly))
        return TFailure{delivered.errorString(), deliveredFile};
    QDir().mkpath(QFileInfo(userFile).absolutePath());
    return WriteFileAtomically(userFile, delivered.readAll());
}

TStatus TFormMailerList::LoadFormmailers(const QString& userFile, const QString& defaultAddress,
                                         QStringList* links)
{
    links->clear();
    QDomDocument doc;
    QDomElement list;
    if (TStatus parsed = Parse(userFile, &doc, &list); !parsed || list.isNull())
        return parsed;
    *links = Addresses(list);
    if (defaultAddress.isEmpty() || links->contains(defaultAddress))
        return {};
    XmlValues::AppendText(list, EntryName, defaultAddress);
    return WriteFileAtomically(userFile, doc.toByteArray(2));
}

std::optional<QUrl> TFormMailerList::CheckAddress(const QString& address)
{
    // Only a web address goes to the browser, as for every test button.
    return TLinkTest::WebAddress(address.trimmed() + QStringLiteral("?action=checkurl"));
}
