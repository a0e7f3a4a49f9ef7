#pragma once

#include "base/Result.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

// The known form-mailer addresses, kept in "formmailers.xml" in the
// application-data folder: an "xml" root with one "formmailers" element
// whose children are the addresses in list order (their names are not
// looked at when reading). Duplicates are allowed.
//
// A file that exists but cannot be read is never replaced by what the
// program has (nothing, or a few rows typed since) unless the user changed
// the list.
class TFormMailerList
{
public:
    explicit TFormMailerList(QString fileName);

    // The user's list file in the application-data folder.
    static QString UserFile(const QString& appDataFolder);

    // A missing file is an empty list; an unreadable one, one that is no
    // XML or lacks the "formmailers" element, fails and is kept.
    TStatus Load();
    // Writes the whole list (indented, UTF-8, atomically), except over a
    // file that could not be read when the list was not changed since.
    TStatus Save() const;

    const QStringList& Links() const { return m_links; }
    // Every change goes through here, so that Save knows the user changed
    // the list.
    QStringList& Change();
    bool Unreadable() const { return m_unreadable; }
    const QString& FileName() const { return m_fileName; }

    // The delivered list is copied to the user's file when that is missing
    // (never over it). No delivered list leaves the user's file missing.
    static TStatus InstallDelivered(const QString& deliveredFile, const QString& userFile);

    // What the form-mailer combo box offers: the addresses of the file, in
    // file order. When none equals the default address (exactly), the
    // default is appended to the file, not to the result: it is offered
    // from the next load on. An empty default is never appended. A missing
    // file gives nothing and no failure; an unreadable one gives nothing and
    // fails; a failed write gives the addresses and fails.
    static TStatus LoadFormmailers(const QString& userFile, const QString& defaultAddress,
                                   QStringList* links);

    // The address that tests a form mailer: its address with
    // "?action=checkurl" appended as it stands, when that is an http or
    // https address with a host; nothing else is handed to a browser.
    static std::optional<QUrl> CheckAddress(const QString& address);

private:
    QString m_fileName;
    QStringList m_links;
    bool m_unreadable = false;
    bool m_changed = false;
};
