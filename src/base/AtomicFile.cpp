#include "base/AtomicFile.h"

#include <QSaveFile>

TStatus WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return TFailure{file.errorString(), path};
    return {};
}
