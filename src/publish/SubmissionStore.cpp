#include "publish/SubmissionStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <algorithm>
#include <atomic>

namespace
{
// One SQLite connection of its own per use (Qt's connections are named and
// shared per thread), closed and removed when it goes.
class TConnection
{
public:
    TConnection(const QString& path, bool readOnly)
    {
        static std::atomic<int> counter{0};
        m_name = QStringLiteral("quorvel-submissions-%1-%2")
                     .arg(++counter)
                     .arg(QUuid::createUuid().toString(QUuid::WithoutBraces));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        if (readOnly)
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    }
    ~TConnection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            if (db.isOpen())
                db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    TConnection(const TConnection&) = delete;
    TConnection& operator=(const TConnection&) = delete;

    QSqlDatabase Db() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
};

QDateTime TimeOf(const QString& text)
{
    QDateTime time = QDateTime::fromString(text, Qt::ISODate);
    if (time.isValid())
        time = time.toUTC();
    return time;
}

// Fills the entry's values and attachments from the stored JSON texts;
// false when either is no list as the page writes it.
bool FillFromJson(TSubmission& entry, const QByteArray& fields, const QByteArray& attachments)
{
    QJsonParseError error{};
    const QJsonDocument values = QJsonDocument::fromJson(fields, &error);
    if (error.error != QJsonParseError::NoError || !values.isArray())
        return false;
    for (const QJsonValue& v : values.array()) {
        const QJsonObject o = v.toObject();
        if (!o.value(QLatin1String("name")).isString())
            return false;
        entry.fields.append(
            {o.value(QLatin1String("name")).toString(), o.value(QLatin1String("value")).toString()});
    }
    const QJsonDocument files = QJsonDocument::fromJson(attachments, &error);
    if (error.error != QJsonParseError::NoError || !files.isArray())
        return false;
    for (const QJsonValue& v : files.array()) {
        const QJsonObject o = v.toObject();
        TSubmissionFile file;
        file.field = o.value(QLatin1String("field")).toString();
        file.name = o.value(QLatin1String("name")).toString();
        file.size = static_cast<qint64>(o.value(QLatin1String("size")).toDouble());
        file.file = o.value(QLatin1String("file")).toString();
        entry.attachments.append(file);
    }
    return true;
}

// One record of the store's CSV file: cells, each quoted, separated by
// commas, ended by CR LF; at moves past a whole one.
enum class TRecord { Whole, Damaged, Incomplete };

TRecord NextRecord(const QByteArray& bytes, qsizetype& at, QList<QByteArray>& cells)
{
    cells.clear();
    qsizetype i = at;
    const qsizetype n = bytes.size();
    while (true) {
        if (i >= n)
            return TRecord::Incomplete;
        if (bytes.at(i) != '"')
            return TRecord::Damaged;
        ++i;
        QByteArray cell;
        while (true) {
            if (i >= n)
                return TRecord::Incomplete;
            const char c = bytes.at(i++);
            if (c != '"') {
                cell += c;
                continue;
            }
            if (i < n && bytes.at(i) == '"') {
                cell += '"';
                ++i;
                continue;
            }
            break;
        }
        cells.append(cell);
        if (i >= n)
            return TRecord::Incomplete;
        if (bytes.at(i) == ',') {
            ++i;
            continue;
        }
        if (bytes.at(i) == '\r') {
            if (i + 1 >= n)
                return TRecord::Incomplete;
            if (bytes.at(i + 1) != '\n')
                return TRecord::Damaged;
            at = i + 2;
            return TRecord::Whole;
        }
        return TRecord::Damaged;
    }
}

// Where the line after a damaged one starts: past the next CR LF.
qsizetype SkipLine(const QByteArray& bytes, qsizetype at)
{
    const qsizetype end = bytes.indexOf("\r\n", at);
    return end < 0 ? bytes.size() : end + 2;
}

// The store's line kinds: an entry with its six cells, or the mail's result.
bool IsEntryLine(const QList<QByteArray>& cells)
{
    return cells.size() == 6 && cells.at(0) == "entry" && !cells.at(1).isEmpty();
}

bool IsMailLine(const QList<QByteArray>& cells)
{
    return cells.size() == 6 && cells.at(0) == "mail" && !cells.at(1).isEmpty() &&
           (cells.at(3) == "1" || cells.at(3) == "0");
}

void SortByTime(QList<TSubmission>& entries)
{
    // Stable: entries of the same second keep the order they were stored in.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const TSubmission& a, const TSubmission& b) { return a.timeText < b.timeText; });
}

QStringList FilesOf(const TSubmission& entry)
{
    QStringList files;
    for (const TSubmissionFile& file : entry.attachments)
        if (SubmissionStore::IsStoredFileName(file.file))
            files << file.file;
    return files;
}
} // namespace

QString TSubmission::Value(const QString& name) const
{
    for (const TSubmissionValue& field : fields)
        if (field.name == name)
            return field.value;
    return QString();
}

bool SubmissionStore::IsStoredFileName(const QString& file)
{
    static const QRegularExpression stored(QStringLiteral("^files/[0-9a-f]{1,64}-[0-9]{1,6}$"));
    return stored.match(file).hasMatch();
}

TResult<TSubmissionRead> SubmissionStore::ReadDatabase(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return TFailure{QStringLiteral("the file does not exist"), path};
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return TFailure{QStringLiteral("Qt's SQLite driver (QSQLITE) is not installed"), path};
    {
        // SQLite itself would say so only at the first query, in its words.
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return TFailure{
                QStringLiteral("the file cannot be read (") + file.errorString() + QLatin1Char(')'), path};
        const QByteArray head = file.read(16);
        if (!head.isEmpty() && head != QByteArray("SQLite format 3\0", 16))
            return TFailure{QStringLiteral("it is no SQLite database"), path};
    }
    TConnection connection(path, true);
    QSqlDatabase db = connection.Db();
    if (!db.open())
        return TFailure{QStringLiteral("the database cannot be opened (") + db.lastError().text() +
                            QLatin1Char(')'),
                        path};
    TSubmissionRead read;
    {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral(
                "SELECT id, time, fields, attachments, mail FROM entries ORDER BY time, rowid")))
            return TFailure{QStringLiteral("it holds no store of submissions (") +
                                query.lastError().databaseText() + QLatin1Char(')'),
                            path};
        while (query.next()) {
            TSubmission entry;
            entry.id = query.value(0).toString();
            entry.timeText = query.value(1).toString();
            entry.time = TimeOf(entry.timeText);
            if (!query.value(4).isNull())
                entry.mailSent = query.value(4).toInt() == 1;
            if (!FillFromJson(entry, query.value(2).toString().toUtf8(), query.value(3).toString().toUtf8()))
                read.notes << QStringLiteral("%1: the values of entry %2 are damaged; it is shown with "
                                             "what could be read")
                                  .arg(DatabaseName, entry.id);
            read.entries.append(entry);
        }
        if (query.lastError().isValid())
            return TFailure{QStringLiteral("the database cannot be read (") + query.lastError().text() +
                                QLatin1Char(')'),
                            path};
    }
    return read;
}

TResult<TSubmissionRead> SubmissionStore::ParseCsv(const QByteArray& bytes)
{
    TSubmissionRead read;
    QHash<QString, qsizetype> byId;
    QList<std::pair<QString, bool>> results; // mail lines, applied once all entries are known
    qsizetype at = 0;
    int line = 0;
    int whole = 0;
    int foreign = 0;
    QList<QByteArray> cells;
    while (at < bytes.size()) {
        ++line;
        const qsizetype start = at;
        const TRecord record = NextRecord(bytes, at, cells);
        if (record == TRecord::Incomplete) {
            read.notes << QStringLiteral("%1: the last line is incomplete (%2 bytes passed over)")
                              .arg(CsvName)
                              .arg(bytes.size() - start);
            break;
        }
        if (record == TRecord::Damaged || (!IsEntryLine(cells) && !IsMailLine(cells))) {
            if (record == TRecord::Damaged)
                at = SkipLine(bytes, start);
            ++foreign;
            read.notes << QStringLiteral("%1: line %2 is no line of the store and was passed over")
                              .arg(CsvName)
                              .arg(line);
            continue;
        }
        ++whole;
        const QString id = QString::fromUtf8(cells.at(1));
        if (IsMailLine(cells)) {
            results.append({id, cells.at(3) == "1"});
            continue;
        }
        TSubmission entry;
        entry.id = id;
        entry.timeText = QString::fromUtf8(cells.at(2));
        entry.time = TimeOf(entry.timeText);
        if (!FillFromJson(entry, cells.at(4), cells.at(5)))
            read.notes << QStringLiteral("%1: the values of entry %2 are damaged; it is shown with what "
                                         "could be read")
                              .arg(CsvName, id);
        if (byId.contains(id))
            continue; // an id comes once; a second line of it adds nothing
        byId.insert(id, read.entries.size());
        read.entries.append(entry);
    }
    // An incomplete first line alone is a store whose first entry was cut.
    if (whole == 0 && foreign > 0)
        return TFailure{QStringLiteral("it holds no line of a store of submissions"), CsvName};
    // A later mail line sets the entry's result.
    for (const auto& [id, sent] : results)
        if (byId.contains(id))
            read.entries[byId.value(id)].mailSent = sent;
    SortByTime(read.entries);
    return read;
}

TResult<TSubmissionRead> SubmissionStore::ReadCsv(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TFailure{QStringLiteral("the file cannot be read (") + file.errorString() + QLatin1Char(')'),
                        path};
    TResult<TSubmissionRead> read = ParseCsv(file.readAll());
    if (!read)
        return TFailure{read.Failure().What, path};
    return read;
}

TResult<TSubmissionRead> SubmissionStore::ReadFolder(const QString& folder)
{
    const QDir dir(folder);
    TSubmissionRead read;
    QSet<QString> ids;
    if (QFileInfo::exists(dir.filePath(DatabaseName))) {
        TResult<TSubmissionRead> db = ReadDatabase(dir.filePath(DatabaseName));
        if (!db)
            return db.Failure();
        read = std::move(db).Value();
        for (const TSubmission& entry : read.entries)
            ids.insert(entry.id);
    }
    if (QFileInfo::exists(dir.filePath(CsvName))) {
        TResult<TSubmissionRead> csv = ReadCsv(dir.filePath(CsvName));
        if (!csv)
            return csv.Failure();
        read.notes << csv->notes;
        for (const TSubmission& entry : csv->entries)
            if (!ids.contains(entry.id))
                read.entries.append(entry);
        SortByTime(read.entries);
    }
    return read;
}

QByteArray SubmissionStore::CsvWithout(const QByteArray& bytes, const QSet<QString>& ids, QStringList* files)
{
    QByteArray kept;
    qsizetype at = 0;
    QList<QByteArray> cells;
    while (at < bytes.size()) {
        const qsizetype start = at;
        const TRecord record = NextRecord(bytes, at, cells);
        if (record == TRecord::Incomplete) {
            kept += bytes.mid(start);
            break;
        }
        if (record == TRecord::Damaged)
            at = SkipLine(bytes, start);
        const bool chosen = record == TRecord::Whole && (IsEntryLine(cells) || IsMailLine(cells)) &&
                            ids.contains(QString::fromUtf8(cells.at(1)));
        if (!chosen) {
            kept += bytes.mid(start, at - start);
            continue;
        }
        if (files && IsEntryLine(cells)) {
            TSubmission entry;
            FillFromJson(entry, cells.at(4), cells.at(5));
            *files << FilesOf(entry);
        }
    }
    return kept;
}

TStatus SubmissionStore::DeleteFromDatabase(const QString& path, const QSet<QString>& ids, QStringList* files)
{
    TResult<TSubmissionRead> read = ReadDatabase(path);
    if (!read)
        return read.Failure();
    TConnection connection(path, false);
    QSqlDatabase db = connection.Db();
    if (!db.open())
        return TFailure{QStringLiteral("the database cannot be opened (") + db.lastError().text() +
                            QLatin1Char(')'),
                        path};
    QSqlQuery query(db);
    // What is deleted is overwritten, not left behind in free pages.
    if (!query.exec(QStringLiteral("PRAGMA secure_delete = ON")) || !db.transaction())
        return TFailure{QStringLiteral("the database cannot be changed (") + db.lastError().text() +
                            QLatin1Char(')'),
                        path};
    query.prepare(QStringLiteral("DELETE FROM entries WHERE id = ?"));
    for (const QString& id : ids) {
        query.bindValue(0, id);
        if (!query.exec()) {
            const QString why = query.lastError().text();
            db.rollback();
            return TFailure{QStringLiteral("the entry %1 cannot be deleted (%2)").arg(id, why), path};
        }
    }
    if (!db.commit())
        return TFailure{
            QStringLiteral("the deletion cannot be kept (") + db.lastError().text() + QLatin1Char(')'), path};
    if (files)
        for (const TSubmission& entry : read->entries)
            if (ids.contains(entry.id))
                *files << FilesOf(entry);
    return {};
}
