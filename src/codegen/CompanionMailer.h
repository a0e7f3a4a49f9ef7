#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class TFormProject;

// Quorvel's own form mailer (data/formmailer/): the PHP script an HTML form
// can post to, the mail helpers it shares with the PHP page, and its
// configuration, which alone says where mails go.
class TCompanionMailer
{
public:
    static constexpr const char* ScriptName = "formmailer.php";
    static constexpr const char* HelpersName = "qvmail.php";
    static constexpr const char* GuardName = "qvguard.php";
    static constexpr const char* ConfigName = "formmailer_config.php";
    // The picture of the form's "new picture code" link, beside the mailer.
    static constexpr const char* RefreshPicture = "refresh.png";

    // One file of the mailer as it goes beside the form.
    struct TFile
    {
        QString name;
        QByteArray bytes;
        bool ownerOnly = false; // the configuration: only the owner reads it
    };

    // Whether a form-mailer address names the companion mailer: its file
    // name is "formmailer.php", letter case ignored, with or without a
    // folder or server before it.
    static bool IsMailerAddress(const QString& address);
    // Whether the project's HTML form posts to the companion mailer.
    static bool IsUsedBy(const TFormProject& project);

    // The project's recipient addresses (edtEMail, edtEMail1, edtEMail2)
    // that are one valid mail address each, without repeats (letter case
    // ignored), in that order.
    static QStringList Recipients(const TFormProject& project);
    // Whether a text is one mail address that may stand in a header.
    static bool IsValidAddress(const QString& address);

    // The configuration for the project: its recipients as the allow-list,
    // the first as the sender. Every address is decoded from base64 when
    // the script runs, so no address can end its string or hold code.
    // With the defence against robots, the secret of the form tokens
    // (hex; empty: a new random one) and the most posts per address and hour.
    static QString ConfigText(const TFormProject& project, const QString& secret = QString());

    // The shipped files of dataDir and the project's configuration; fails
    // when a script cannot be read or the project has no valid recipient.
    static TResult<QList<TFile>> Files(const TFormProject& project, const QString& dataDir,
                                       const QString& secret = QString());
    // Writes the mailer's files into folder (the configuration readable by
    // the owner only); the same failures, or why a file could not be written.
    static TStatus WriteInto(const QString& folder, const TFormProject& project, const QString& dataDir,
                             const QString& secret = QString());

    // What the HTML form tells the mailer about its fields: one line
    // "name,kind,required,max" per value it sends, in form order, base64.
    static QString FieldList(const TFormProject& project);
};
