#pragma once

#include <QByteArray>
#include <QString>

class TFormProject;

// Writing generated pages to disk, and the one extra file a page may need.
namespace PageFiles
{
// True when the project holds at least one calendar field.
bool ContainsCalendarField(const TFormProject& project);

// The bytes of a page: UTF-8 with a byte-order mark when the encoding is
// exactly "utf-8", otherwise Windows-1252 (a superset of ISO-8859-1).
// Characters Windows-1252 lacks are written as HTML character references
// ("&#8364;"), which a browser shows as the character in markup.
QByteArray PageBytes(const QString& page, const QString& encoding);

// Writes the page atomically; false and the reason on failure.
bool WritePage(const QString& fileName, const QString& page, const QString& encoding,
               QString* error = nullptr);

// Copies the calendar picture "cal/cal.png" of the data folder beside the
// page, when the project has a calendar field and the target is missing
// (or overwrite is set). Failures are not reported.
void CopyAdditionalFiles(const TFormProject& project, const QString& dataDir, const QString& fileName,
                         bool overwrite);
} // namespace PageFiles
