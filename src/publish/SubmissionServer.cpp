#include "publish/SubmissionServer.h"

#include "base/AtomicFile.h"
#include "model/FormProject.h"
#include "publish/FtpUpload.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>

namespace
{
// How often a deletion starts over when the store changes under it.
constexpr int Attempts = 3;

QByteArray ReadLocal(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The ids of the entries among those the bytes of a store file hold.
int CountOf(const TSubmissionRead& read, const QSet<QString>& ids)
{
    int count = 0;
    for (const TSubmission& entry : read.entries)
        if (ids.contains(entry.id))
            ++count;
    return count;
}
} // namespace

TSubmissionServer::TSubmissionServer(TFtpSettings settings, QString ftpFolder)
    : m_settings(std::move(settings)), m_folder(std::move(ftpFolder))
{
    if (m_folder.trimmed().isEmpty())
        m_folder = QStringLiteral("quorvel-data");
}

QString TSubmissionServer::FtpFolderOf(const TFormProject& project)
{
    const QString folder = project.edtStoreFtpFolder.trimmed();
    return folder.isEmpty() ? QStringLiteral("quorvel-data") : folder;
}

TSubmissionServer TSubmissionServer::Of(const TFormProject& project)
{
    return TSubmissionServer(TFtpUpload::SettingsOf(project), FtpFolderOf(project));
}

bool TSubmissionServer::Report(const QString& file, int done, int total) const
{
    return !m_progress || m_progress(file, done, total);
}

TFailure TSubmissionServer::FailureOf(const TFtpClient& client, const QString& name) const
{
    const TFtpClient::TError& error = client.Error();
    QString what = error.text;
    if (error.serverReply)
        what = QStringLiteral("the server refused: ") + error.text;
    return TFailure{what, name.isEmpty() ? m_folder : m_folder + QLatin1Char('/') + name};
}

bool TSubmissionServer::Open(TFtpClient& client, TFailure* failure, bool* missing)
{
    *missing = false;
    if (!client.Connect()) {
        *failure = FailureOf(client, QString());
        failure->Where = m_settings.host;
        return false;
    }
    client.SetBinary(true);
    if (!client.ChangeDir(m_folder)) {
        // The page makes the folder with its first entry.
        *missing = client.Error().serverReply && client.Error().replyCode == 550;
        *failure = FailureOf(client, QString());
        return false;
    }
    return true;
}

TResult<TSubmissionFetch> TSubmissionServer::Fetch(const QString& localFolder)
{
    if (!QDir().mkpath(localFolder) ||
        !QDir().mkpath(localFolder + QLatin1Char('/') + SubmissionStore::FilesFolder))
        return TFailure{QStringLiteral("the folder cannot be made"), localFolder};
    const auto ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    QFile::setPermissions(localFolder, ownerOnly);
    QFile::setPermissions(localFolder + QLatin1Char('/') + SubmissionStore::FilesFolder, ownerOnly);

    TSubmissionFetch fetch;
    TFtpClient client(m_settings, m_protocol);
    TFailure failure;
    bool missing = false;
    const QStringList storeFiles{SubmissionStore::DatabaseName, SubmissionStore::CsvName};
    const auto forgetLocal = [&localFolder, &storeFiles](const QStringList& keep) {
        for (const QString& name : storeFiles)
            if (!keep.contains(name))
                QFile::remove(localFolder + QLatin1Char('/') + name);
    };
    if (!Open(client, &failure, &missing)) {
        if (!missing)
            return failure;
        forgetLocal({});
        fetch.noStore = true;
        return fetch;
    }
    QList<TFtpEntry> listing;
    if (!client.List(&listing))
        return FailureOf(client, QString());
    QStringList present;
    for (const TFtpEntry& entry : listing)
        if (entry.kind == TFtpEntry::Kind::File && storeFiles.contains(entry.name))
            present << entry.name;
    forgetLocal(present);
    if (present.isEmpty()) {
        fetch.noStore = true;
        client.Quit();
        return fetch;
    }

    int done = 0;
    int total = static_cast<int>(present.size());
    for (const QString& name : present) {
        if (!Report(name, done, total))
            return TFailure{QStringLiteral("cancelled"), m_folder};
        QByteArray bytes;
        if (!client.Retrieve(name, &bytes))
            return FailureOf(client, name);
        if (const TStatus written = WriteFileAtomically(localFolder + QLatin1Char('/') + name, bytes, true);
            !written)
            return written.Failure();
        ++done;
    }
    TResult<TSubmissionRead> read = SubmissionStore::ReadFolder(localFolder);
    if (!read)
        return read.Failure();
    fetch.read = std::move(read).Value();

    // The attachments not here yet; a stored file is never changed.
    QList<TSubmissionFile> wanted;
    for (const TSubmission& entry : fetch.read.entries)
        for (const TSubmissionFile& file : entry.attachments) {
            if (!SubmissionStore::IsStoredFileName(file.file)) {
                fetch.read.notes << QStringLiteral("entry %1 names the attachment \"%2\", which is no file "
                                                   "of the store; it was not fetched")
                                        .arg(entry.id, file.file);
                continue;
            }
            const QFileInfo local(localFolder + QLatin1Char('/') + file.file);
            if (!local.isFile() || local.size() != file.size)
                wanted << file;
        }
    total += static_cast<int>(wanted.size());
    for (const TSubmissionFile& file : wanted) {
        if (!Report(file.file, done, total))
            return TFailure{QStringLiteral("cancelled"), m_folder};
        QByteArray bytes;
        if (!client.Retrieve(file.file, &bytes)) {
            if (!client.Error().serverReply)
                return FailureOf(client, file.file);
            fetch.read.notes << QStringLiteral("the attachment %1 (\"%2\") could not be fetched: %3")
                                    .arg(file.file, file.name, client.Error().text);
        } else if (const TStatus written =
                       WriteFileAtomically(localFolder + QLatin1Char('/') + file.file, bytes, true);
                   !written) {
            return written.Failure();
        }
        ++done;
    }
    Report(QString(), done, total);
    client.Quit();
    return fetch;
}

bool TSubmissionServer::Replace(TFtpClient& client, const QString& name, const QSet<QString>& ids,
                                QStringList* files, int* removed, TFailure* failure)
{
    const bool database = name == SubmissionStore::DatabaseName;
    const QString temporary = QStringLiteral(".%1.%2.tmp")
                                  .arg(name)
                                  .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
    const auto fail = [&](const QString& step) {
        *failure = FailureOf(client, step);
        return false;
    };
    for (int attempt = 1; attempt <= Attempts; ++attempt) {
        qint64 size = 0;
        QDateTime time;
        if (!client.FileInfo(name, &size, &time))
            return fail(name);
        QByteArray original;
        if (!client.Retrieve(name, &original))
            return fail(name);
        if (original.size() != size)
            continue; // written to while it came down

        QStringList gone;
        QByteArray changed;
        if (database) {
            QTemporaryDir work;
            const QString path = work.filePath(name);
            if (const TStatus written = WriteFileAtomically(path, original, true); !written) {
                *failure = written.Failure();
                return false;
            }
            TResult<TSubmissionRead> read = SubmissionStore::ReadDatabase(path);
            if (!read) {
                *failure = read.Failure();
                return false;
            }
            *removed = CountOf(*read, ids);
            if (*removed == 0)
                return true;
            if (const TStatus deleted = SubmissionStore::DeleteFromDatabase(path, ids, &gone); !deleted) {
                *failure = deleted.Failure();
                return false;
            }
            changed = ReadLocal(path);
        } else {
            TResult<TSubmissionRead> read = SubmissionStore::ParseCsv(original);
            if (!read) {
                *failure = read.Failure();
                return false;
            }
            *removed = CountOf(*read, ids);
            if (*removed == 0)
                return true;
            changed = SubmissionStore::CsvWithout(original, ids, &gone);
        }

        if (m_beforeReplace)
            m_beforeReplace();
        if (!client.Store(temporary, changed))
            return fail(temporary);
        // The page keeps its files owner-only; not every server can be told.
        if (!client.Site(QStringLiteral("CHMOD 600 ") + temporary) && !client.Error().serverReply)
            return fail(temporary);
        // Unchanged since it came down: the same size and time, and the same
        // bytes (a small entry may fit the database's pages within a second).
        qint64 sizeNow = 0;
        QDateTime timeNow;
        QByteArray now;
        if (!client.FileInfo(name, &sizeNow, &timeNow) || !client.Retrieve(name, &now)) {
            const TFailure why = FailureOf(client, name);
            client.Delete(temporary);
            *failure = why;
            return false;
        }
        if (sizeNow != size || timeNow != time || now != original) {
            if (!client.Delete(temporary) && !client.Error().serverReply)
                return fail(temporary);
            continue;
        }
        if (!client.Rename(temporary, name)) {
            const TFailure why = FailureOf(client, name);
            client.Delete(temporary);
            *failure = why;
            return false;
        }
        *files << gone;
        return true;
    }
    *failure = TFailure{QStringLiteral("the store changed on the server each of %1 times the entries were to "
                                       "be deleted (new submissions arriving); nothing was deleted from it")
                            .arg(Attempts),
                        m_folder + QLatin1Char('/') + name};
    return false;
}

TResult<int> TSubmissionServer::Delete(const QSet<QString>& ids, QStringList* notes)
{
    if (ids.isEmpty())
        return 0;
    TFtpClient client(m_settings, m_protocol);
    TFailure failure;
    bool missing = false;
    if (!Open(client, &failure, &missing))
        return failure;
    QList<TFtpEntry> listing;
    if (!client.List(&listing))
        return FailureOf(client, QString());
    int removed = 0;
    QStringList files;
    for (const QString& name : {SubmissionStore::DatabaseName, SubmissionStore::CsvName}) {
        const bool present = std::any_of(listing.begin(), listing.end(), [&name](const TFtpEntry& entry) {
            return entry.kind == TFtpEntry::Kind::File && entry.name == name;
        });
        if (!present)
            continue;
        int here = 0;
        if (!Report(name, removed, static_cast<int>(ids.size())))
            return TFailure{QStringLiteral("cancelled"), m_folder};
        if (!Replace(client, name, ids, &files, &here, &failure))
            return failure;
        removed += here;
    }
    // The entries are gone; now their files.
    for (const QString& file : files) {
        if (!client.Delete(file)) {
            if (!client.Error().serverReply)
                return FailureOf(client, file);
            if (notes)
                *notes << QStringLiteral("the attachment %1 could not be deleted: %2")
                              .arg(file, client.Error().text);
        }
    }
    client.Quit();
    return removed;
}
