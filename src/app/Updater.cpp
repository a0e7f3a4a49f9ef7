#include "app/Updater.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace Updater
{
QString PathIn(const QString& folder)
{
    const QString dir = folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
    return QDir(dir).filePath(QStringLiteral("updater"));
}

TStart Start(const QString& folder)
{
    const QFileInfo updater(PathIn(folder));
    if (!updater.isFile() || !updater.isExecutable())
        return TStart::Missing;
    return QProcess::startDetached(updater.absoluteFilePath(), {}, updater.absolutePath()) ? TStart::Started
                                                                                           : TStart::Failed;
}
} // namespace Updater
