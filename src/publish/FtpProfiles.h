#pragma once

#include "base/Result.h"

#include <QList>
#include <QString>

// One stored FTP server.
struct TFtpProfile
{
    QString profilname;
    QString server;
    QString port = QStringLiteral("21"); // as typed
    QString benutzername;
    QString passwort; // as typed, stored in plain text
    bool passiv = false;
    // Explicit FTPS, and the one server key accepted although its
    // certificate is not signed by a known authority ("sha256//...").
    // Stored only when set, so files without them read as before.
    bool tls = false;
    QString tlsKey;
};

// The FTP profiles of all projects, in "profiles.xml" of the
// application-data folder: read once, written back whole. The file holds
// passwords, so only the user may read it. A file that exists but could not
// be read is never replaced by what the program has (nothing, or less)
// unless the user changed the list.
class TFtpProfiles
{
public:
    explicit TFtpProfiles(QString fileName);

    // A missing file is an empty list; an unreadable one fails (and is kept).
    TStatus Load();
    TStatus Save() const;

    const QList<TFtpProfile>& ServerList() const { return m_list; }
    // Every change goes through here, so that Save knows the user changed
    // the list.
    QList<TFtpProfile>& Change();
    const QString& FileName() const { return m_fileName; }

private:
    QString m_fileName;
    QList<TFtpProfile> m_list;
    bool m_unreadable = false;
    bool m_changed = false;
};
