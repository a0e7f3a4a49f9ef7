#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

// The submissions the PHP page keeps on the server, as the program reads
// them from a fetched copy of the store's folder: an SQLite database
// (submissions.sqlite) and/or, where the host had no SQLite driver, a CSV
// file (submissions.csv), attachments in files/.

// One value of a submission, under the field's name.
struct TSubmissionValue
{
    QString name;
    QString value;
};

// One attachment: the field it came in, the visitor's file name, its size
// and where the store keeps it ("files/<id>-<n>").
struct TSubmissionFile
{
    QString field;
    QString name;
    qint64 size = 0;
    QString file;
};

struct TSubmission
{
    QString id;
    QDateTime time;   // UTC; invalid when the stored text was none
    QString timeText; // as stored
    // Whether the mail went out; none while it was not tried yet.
    std::optional<bool> mailSent;
    QList<TSubmissionValue> fields; // in the order of the form that took it
    QList<TSubmissionFile> attachments;

    // The value of the field of that name, or an empty text.
    QString Value(const QString& name) const;
};

// What a read found: the entries, oldest first, and what it passed over
// (a damaged line, say), a sentence each.
struct TSubmissionRead
{
    QList<TSubmission> entries;
    QStringList notes;
};

namespace SubmissionStore
{
inline const QString DatabaseName = QStringLiteral("submissions.sqlite");
inline const QString CsvName = QStringLiteral("submissions.csv");
inline const QString FilesFolder = QStringLiteral("files");

// Whether the text is a name the store gives an attachment:
// "files/<hex id>-<n>". Nothing else is fetched, opened or deleted, so that
// a foreign entry cannot reach another file.
bool IsStoredFileName(const QString& file);

// The entries of the database (opened read-only); a failure says why
// (not a database, no table of submissions).
TResult<TSubmissionRead> ReadDatabase(const QString& path);
// The entries of the CSV file's bytes. What is whole is read; a damaged
// line or an incomplete last line is passed over with a note. Bytes that
// hold no line of the store at all fail.
TResult<TSubmissionRead> ParseCsv(const QByteArray& bytes);
TResult<TSubmissionRead> ReadCsv(const QString& path);
// The entries of a folder holding either file or both (merged by id, the
// database's entry first); none when it holds neither.
TResult<TSubmissionRead> ReadFolder(const QString& folder);

// The CSV file's bytes without the lines of those entries (their entry and
// mail lines); every other byte stays as it was. files receives the stored
// attachment names of the removed entries.
QByteArray CsvWithout(const QByteArray& bytes, const QSet<QString>& ids, QStringList* files);
// Deletes the entries from the database file in place (their data
// overwritten, not left in free pages); files receives their attachments.
TStatus DeleteFromDatabase(const QString& path, const QSet<QString>& ids, QStringList* files);
} // namespace SubmissionStore
