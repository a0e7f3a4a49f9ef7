#include "base/AtomicFile.h"

#include <QSaveFile>

TStatus WriteFileAtomically(const QString& path, const QByteArray& bytes, bool ownerOnly)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return TFailure{file.errorString(), path};
    // Set on the new file before it takes the old one's place, so that no
    // moment exists in which others could read it.
    if (ownerOnly && !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return TFailure{file.errorString(), path};
    if (file.write(bytes) != bytes.size() || !file.commit())
        return TFailure{file.errorString(), path};
    return {};
}
