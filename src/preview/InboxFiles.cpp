#include "preview/InboxFiles.h"

#include "base/AtomicFile.h"

#include <QDir>
#include <QTemporaryDir>

namespace
{
// Longer names are cut, keeping the extension the opener goes by.
constexpr qsizetype LongestName = 120;
} // namespace

QString CleanAttachmentName(const QString& name)
{
    QString base = name;
    base.replace(QLatin1Char('\\'), QLatin1Char('/'));
    base = base.mid(base.lastIndexOf(QLatin1Char('/')) + 1);
    // "C:name" is a name on a drive of its own.
    base = base.mid(base.lastIndexOf(QLatin1Char(':')) + 1);
    QString clean;
    clean.reserve(base.size());
    for (const QChar c : std::as_const(base)) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
            QStringLiteral("<>\"|?*").contains(c))
            continue;
        clean += c;
    }
    clean = clean.trimmed();
    // "." and ".." are folders, and trailing dots and blanks vanish on some
    // systems.
    if (clean.count(QLatin1Char('.')) == clean.size())
        clean.clear();
    while (clean.endsWith(QLatin1Char('.')) || clean.endsWith(QLatin1Char(' ')))
        clean.chop(1);
    if (clean.size() > LongestName) {
        const qsizetype dot = clean.lastIndexOf(QLatin1Char('.'));
        const QString extension = dot > 0 && clean.size() - dot <= 16 ? clean.mid(dot) : QString();
        clean = clean.left(LongestName - extension.size()) + extension;
    }
    return clean.isEmpty() ? QStringLiteral("attachment") : clean;
}

TResult<QString> SaveAttachment(const QString& folder, const QString& name, const QByteArray& data)
{
    if (folder.isEmpty())
        return TFailure{QStringLiteral("there is no private temporary folder"), QString()};
    if (!QDir().mkpath(folder))
        return TFailure{QStringLiteral("the folder cannot be made"), folder};
    // A folder of its own (mode 0700), kept: the program that opens the file
    // may read it long after this returns.
    QTemporaryDir place(QDir(folder).filePath(QStringLiteral("mail-XXXXXX")));
    if (!place.isValid())
        return TFailure{place.errorString(), folder};
    place.setAutoRemove(false);
    const QString path = place.filePath(CleanAttachmentName(name));
    if (const TStatus written = WriteFileAtomically(path, data, true); !written) {
        QDir(place.path()).removeRecursively();
        return written.Failure();
    }
    return path;
}

QString FormatSize(qint64 bytes, const QString& bytesPattern, QChar decimalSeparator)
{
    if (bytes < 1024)
        return QString(bytesPattern).replace(QLatin1String("%1"), QString::number(bytes));
    const bool mega = bytes >= 1024 * 1024;
    // Tenths, rounded: 12595 bytes are 12.3 KB.
    const qint64 unit = mega ? 1024 * 1024 : 1024;
    const qint64 tenths = (bytes * 10 + unit / 2) / unit;
    return QString::number(tenths / 10) + decimalSeparator + QString::number(tenths % 10) +
           (mega ? QStringLiteral(" MB") : QStringLiteral(" KB"));
}
