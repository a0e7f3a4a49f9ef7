#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QChar>
#include <QString>

// What the inbox of the local test does with a mail's attachments: a name
// that is safe to write, the file to open it from, its size as the user
// reads it.

// The attachment's name without folders, drive letters, control characters
// and the characters file systems refuse; "attachment" when nothing is left.
// The sender chose the name, so "../../.bashrc" becomes ".bashrc" and never
// leaves the folder it is written into.
QString CleanAttachmentName(const QString& name);

// Writes the bytes under the cleaned name into a fresh folder of its own
// below folder (so that two attachments of the same name do not meet), the
// file readable by its owner only. Gives the file's path.
TResult<QString> SaveAttachment(const QString& folder, const QString& name, const QByteArray& data);

// "512 Bytes", "12,3 KB", "4,0 MB": bytesPattern holds "%1" for the number of
// bytes; kilo- and megabytes have one decimal after the separator.
QString FormatSize(qint64 bytes, const QString& bytesPattern, QChar decimalSeparator);
