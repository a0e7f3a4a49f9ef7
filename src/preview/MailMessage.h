#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

// One part of a mail: a text body or an attachment, its content decoded
// from its transfer encoding.
struct TMailPart
{
    QString contentType; // lower case, without parameters: "text/html"
    QString charset;     // of a text part, as the mail names it
    QString fileName;    // of an attachment
    bool attachment = false;
    QByteArray data;
    // A text part's content as text, in its charset (UTF-8 when it names
    // none or one this program does not know).
    QString Text() const;
};

// A mail as the local test's capture program received it from PHP: the
// headers with their encoded words decoded, the body and the attachments.
// A mail that cannot be read keeps its raw bytes and says why in error.
struct TMailMessage
{
    QByteArray raw;
    QString error;                              // empty when the mail was read
    QList<std::pair<QString, QString>> headers; // in the order of the mail, decoded
    QList<TMailPart> parts;                     // every leaf part, in order

    static TMailMessage Parse(const QByteArray& raw);

    // The first header of this name (case ignored), decoded; empty if none.
    QString Header(const QString& name) const;
    QString Subject() const { return Header(QStringLiteral("Subject")); }
    // The addresses of To, Cc and Bcc, each on its own.
    QStringList Recipients() const;
    // The first text part that is no attachment (html before plain when the
    // mail offers both); null when the mail has none.
    const TMailPart* Body() const;
    QList<TMailPart> Attachments() const;
};

// A header's value with its encoded words ("=?UTF-8?B?...?=") decoded.
QString DecodeHeaderText(const QByteArray& value);
