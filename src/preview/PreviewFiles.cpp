#include "preview/PreviewFiles.h"

#include "codegen/PageFiles.h"
#include "model/FormProject.h"

#include <QFile>

namespace PreviewFiles
{
QString TabPageFile(const QString& tempFolder)
{
    // Without a private folder there is no place for the page: never fall
    // back to a name at the root or in a shared folder.
    if (tempFolder.isEmpty())
        return QString();
    return tempFolder + QStringLiteral("/tempquorvel.htm");
}

QString WindowPageFile(const QString& appDataFolder)
{
    return appDataFolder + QStringLiteral("/temp.htm");
}

TStatus WritePreview(const TFormProject& project, const QString& page, const QString& fileName,
                     bool withCalendarPicture, const QString& dataDir)
{
    if (fileName.isEmpty())
        return TFailure{QStringLiteral("no private temporary folder for the preview"), QString()};
    // The old page goes first: when the new one cannot be written, the
    // browser shows that the file is missing rather than an outdated form.
    QFile::remove(fileName);
    TStatus written = PageFiles::WritePage(fileName, page, project.ExtSettings.encoding);
    // Without the picture the preview still shows the form; only the
    // calendar button lacks its image.
    if (withCalendarPicture)
        (void)PageFiles::CopyAdditionalFiles(project, dataDir, fileName, true);
    return written;
}
} // namespace PreviewFiles
