#pragma once

#include "base/Result.h"

#include <QString>

class TFormProject;

// The files the two previews show. Both are written anew on every refresh,
// by the same encoding rule as a saved page, and are left behind when the
// program ends.
namespace PreviewFiles
{
// The tab page's preview: "tempquorvel.htm" in the user's private temporary
// folder (TTempFolder); empty when there is no such folder.
QString TabPageFile(const QString& tempFolder);

// The preview window's page: "temp.htm" in the application-data folder.
QString WindowPageFile(const QString& appDataFolder);

// Replaces fileName with the page. When the project has a calendar field and
// withCalendarPicture is set, "cal/cal.png" of the data folder is copied
// beside it, replacing the one there. Fails when the page could not be
// written (or fileName is empty); the calendar picture's copy is not reported.
TStatus WritePreview(const TFormProject& project, const QString& page, const QString& fileName,
                     bool withCalendarPicture, const QString& dataDir);
} // namespace PreviewFiles
