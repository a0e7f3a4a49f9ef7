#include "app/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace
{
QString& Override()
{
    static QString dir;
    return dir;
}
} // namespace

namespace AppPaths
{
QString DataDir()
{
    if (!Override().isEmpty())
        return QDir::cleanPath(Override());
    const QString env = qEnvironmentVariable("QUORVEL_DATA_DIR");
    if (!env.isEmpty())
        return QDir::cleanPath(env);
    const QString exeDir =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    const QString shared = QDir::cleanPath(exeDir + QStringLiteral("/../share/quorvel"));
    if (QFileInfo(shared).isDir())
        return shared;
    return QDir::cleanPath(exeDir);
}

void SetDataDirOverride(const QString& dir)
{
    Override() = dir;
}

QString DataFile(const QString& relativePath)
{
    return DataDir() + QLatin1Char('/') + relativePath;
}
} // namespace AppPaths
