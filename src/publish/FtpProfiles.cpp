#include "publish/FtpProfiles.h"

#include "base/AtomicFile.h"
#include "base/XmlValues.h"

#include <QDomDocument>
#include <QFile>

namespace
{
using Child = XmlValues::TChild<TFtpProfile>;
// A profile missing an element reads it as empty.
const Child Children[] = {
    Child::Text("profilename", &TFtpProfile::profilname, false),
    Child::Text("server", &TFtpProfile::server, false),
    Child::Text("port", &TFtpProfile::port, false),
    Child::Text("benutzername", &TFtpProfile::benutzername, false),
    Child::Text("passwort", &TFtpProfile::passwort, false),
    Child::Flag("passiv", &TFtpProfile::passiv, false),
};
// Written only when the profile uses them.
const Child TlsFlag[] = {Child::Flag("tls", &TFtpProfile::tls, false)};
const Child TlsKey[] = {Child::Text("tlskey", &TFtpProfile::tlsKey, false)};
} // namespace

TFtpProfiles::TFtpProfiles(QString fileName) : m_fileName(std::move(fileName)) {}

TStatus TFtpProfiles::Load()
{
    m_list.clear();
    m_unreadable = false;
    m_changed = false;
    QFile file(m_fileName);
    if (!file.exists())
        return {};
    QDomDocument doc;
    if (!file.open(QIODevice::ReadOnly)) {
        m_unreadable = true;
        return TFailure{file.errorString(), m_fileName};
    }
    const auto parsed = doc.setContent(&file);
    if (!parsed) {
        m_unreadable = true;
        return TFailure{QStringLiteral("not an XML file"), m_fileName};
    }
    const QDomElement profiles = XmlValues::Child(doc.documentElement(), QStringLiteral("profiles"));
    for (QDomElement p = profiles.firstChildElement(); !p.isNull(); p = p.nextSiblingElement()) {
        TFtpProfile profile;
        profile.port.clear();
        // Every child is optional: the read cannot fail.
        (void)XmlValues::ReadChildren(p, profile, Children);
        (void)XmlValues::ReadChildren(p, profile, TlsFlag);
        (void)XmlValues::ReadChildren(p, profile, TlsKey);
        m_list << profile;
    }
    return {};
}

QList<TFtpProfile>& TFtpProfiles::Change()
{
    m_changed = true;
    return m_list;
}

TStatus TFtpProfiles::Save() const
{
    if (m_unreadable && !m_changed)
        return {};
    QDomDocument doc;
    doc.appendChild(doc.createProcessingInstruction(QStringLiteral("xml"),
                                                    QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")));
    QDomElement root = doc.createElement(QStringLiteral("xml"));
    doc.appendChild(root);
    QDomElement profiles = doc.createElement(QStringLiteral("profiles"));
    root.appendChild(profiles);
    for (const TFtpProfile& profile : m_list) {
        QDomElement node = doc.createElement(QStringLiteral("profile"));
        profiles.appendChild(node);
        XmlValues::WriteChildren(node, profile, Children);
        if (profile.tls)
            XmlValues::WriteChildren(node, profile, TlsFlag);
        if (!profile.tlsKey.isEmpty())
            XmlValues::WriteChildren(node, profile, TlsKey);
    }
    return WriteFileAtomically(m_fileName, doc.toByteArray(2), true);
}
