#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QString>

class TFormProject;

// Writing generated pages to disk, and the one extra file a page may need.
namespace PageFiles
{
// True when the project holds at least one calendar field.
bool ContainsCalendarField(const TFormProject& project);

// What a page is: a PHP page must not start with a byte-order mark, since
// the server would send it before the script's own headers (session cookie,
// redirect) and so break them.
enum class PageKind { Html, Php };

// The bytes of a page: UTF-8 (with a byte-order mark for HTML pages) when the
// encoding is "utf-8" in any letter case, otherwise Windows-1252 (a superset of
// ISO-8859-1). Characters Windows-1252 lacks are written as HTML character
// references ("&#8364;"), which a browser shows as the character in markup.
QByteArray PageBytes(const QString& page, const QString& encoding, PageKind kind = PageKind::Html);

// Writes the page atomically (a failed write leaves the old file).
TStatus WritePage(const QString& fileName, const QString& page, const QString& encoding,
                  PageKind kind = PageKind::Html);

// Copies the calendar picture "cal/cal.png" of the data folder beside the
// page, when the project has a calendar field and the target is missing
// (or overwrite is set). The callers decide whether a failure matters.
TStatus CopyAdditionalFiles(const TFormProject& project, const QString& dataDir, const QString& fileName,
                            bool overwrite);
} // namespace PageFiles
