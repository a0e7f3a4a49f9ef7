#include "app/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// True when path is a real folder (not a symlink to one) of ours that
// nobody else can enter or write into.
bool IsPrivateFolder(const QByteArray& path)
{
    struct stat st;
    if (lstat(path.constData(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & 07777) == 0700;
}

// Makes the folder when it is missing. mkdir never follows a symlink planted
// at the name: it fails with EEXIST, and the check refuses the link.
bool MakePrivateFolder(const QByteArray& path)
{
    if (mkdir(path.constData(), 0700) == 0) {
        // The umask may have taken bits away; the folder is ours, so give
        // them back. (No one else can swap a folder of ours in a sticky
        // temporary folder between the two calls.)
        chmod(path.constData(), 0700);
    } else if (errno != EEXIST) {
        return false;
    }
    return IsPrivateFolder(path);
}
} // namespace

TTempFolder::TTempFolder(QString base) : m_base(std::move(base)) {}

TTempFolder::~TTempFolder() = default;

QString TTempFolder::PrivateFolderName()
{
    return QStringLiteral("quorvel-") + QString::number(geteuid());
}

QString TTempFolder::Base() const
{
    return QDir::cleanPath(m_base.isEmpty() ? QDir::tempPath() : m_base);
}

QString TTempFolder::Path()
{
    const QString base = Base();
    if (m_fallback) {
        // Once refused, the usual name stays refused for this run: pages
        // already shown from the fallback keep working.
        if (IsPrivateFolder(QFile::encodeName(m_fallback->path())))
            return m_fallback->path();
        m_fallback.reset();
    }
    const QString usual = base + QLatin1Char('/') + PrivateFolderName();
    if (MakePrivateFolder(QFile::encodeName(usual)))
        return usual;
    return Fallback(base);
}

QString TTempFolder::Fallback(const QString& base)
{
    // QTemporaryDir makes its folder with mode 0700 and a random name, and
    // removes it with everything in it when the program ends.
    auto dir = std::make_unique<QTemporaryDir>(base + QStringLiteral("/quorvel-XXXXXX"));
    if (!dir->isValid() || !IsPrivateFolder(QFile::encodeName(dir->path())))
        return QString();
    m_fallback = std::move(dir);
    return m_fallback->path();
}
