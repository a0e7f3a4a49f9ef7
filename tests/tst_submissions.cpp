// The stored submissions as the program reads them from a fetched copy of
// the store (made here by the PHP page's own functions): SQLite and CSV,
// both at once, damaged and foreign files; the table's columns; the CSV
// export a spreadsheet opens without running a visitor's formula; and the
// store files without deleted entries.
#include "StoreFill.h"
#include "base/LanguageTexts.h"
#include "fields/FileField.h"
#include "model/FormProject.h"
#include "projectfile/ProjectFile.h"
#include "publish/SubmissionStore.h"
#include "publish/SubmissionTable.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace
{
const QString Data = QStringLiteral(QUORVEL_TEST_DATA_DIR);

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QString Tricky = QStringLiteral("Zeile 1\r\n\"Zitat\", =HYPERLINK(\"x\") äöü €");

QList<StoreFill::Entry> ThreeEntries()
{
    return {{{{"name", "Eva Muster"}, {"nachricht", Tricky}},
             {{"anhang", "bericht.pdf", QByteArray("PDF\x00\x01", 5)}},
             "1"},
            {{{"name", "Max"}, {"alt", "aus der alten Form"}}, {}, "0"},
            {{{"nachricht", "ohne Mail"}, {"name", "Ida"}}, {}, ""}};
}
} // namespace

class TestSubmissions : public QObject
{
    Q_OBJECT

    TLanguageTexts texts{Data + QStringLiteral("/lang.ini"), nullptr,
                         [] { return QStringLiteral("Englisch"); }};

private slots:
    // What the page stored comes back whole, in order, with the mail's
    // result (a later mail line of the CSV sets it), from either file.
    void readsWhatThePageStored_data()
    {
        QTest::addColumn<bool>("csv");
        QTest::newRow("sqlite") << false;
        QTest::newRow("csv") << true;
    }

    void readsWhatThePageStored()
    {
        QFETCH(bool, csv);
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("store"));
        QByteArray out;
        const QStringList ids = StoreFill::Add(Data, store, csv, ThreeEntries(), &out);
        QVERIFY2(ids.size() == 3, out.constData());
        QCOMPARE(QFile::exists(store + QStringLiteral("/submissions.csv")), csv);

        const TResult<TSubmissionRead> read = SubmissionStore::ReadFolder(store);
        QVERIFY2(read, qPrintable(read.Error()));
        QVERIFY(read->notes.isEmpty());
        QCOMPARE(read->entries.size(), 3);
        QStringList got;
        for (const TSubmission& e : read->entries)
            got << e.id;
        QCOMPARE(got, ids);
        const TSubmission& first = read->entries.at(0);
        QCOMPARE(first.Value(QStringLiteral("nachricht")), Tricky);
        QCOMPARE(first.fields.at(0).name, QStringLiteral("name"));
        QVERIFY(first.time.isValid());
        QVERIFY(qAbs(first.time.secsTo(QDateTime::currentDateTimeUtc())) < 120);
        QCOMPARE(first.mailSent, std::optional<bool>(true));
        QCOMPARE(read->entries.at(1).mailSent, std::optional<bool>(false));
        QCOMPARE(read->entries.at(2).mailSent, std::optional<bool>());
        QCOMPARE(first.attachments.size(), 1);
        const TSubmissionFile& file = first.attachments.first();
        QCOMPARE(file.field, QStringLiteral("anhang"));
        QCOMPARE(file.name, QStringLiteral("bericht.pdf"));
        QCOMPARE(file.size, 5);
        QCOMPARE(file.file, QStringLiteral("files/") + ids.first() + QStringLiteral("-1"));
        QVERIFY(SubmissionStore::IsStoredFileName(file.file));
    }

    // A host that lost its SQLite driver wrote on in CSV: both are read.
    void bothFilesAreMerged()
    {
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("store"));
        const QStringList before = StoreFill::Add(Data, store, false, {ThreeEntries().at(0)});
        const QStringList after = StoreFill::Add(Data, store, true, {ThreeEntries().at(1)});
        QVERIFY(before.size() == 1 && after.size() == 1);
        const TResult<TSubmissionRead> read = SubmissionStore::ReadFolder(store);
        QVERIFY2(read, qPrintable(read.Error()));
        QCOMPARE(read->entries.size(), 2);
        QCOMPARE(read->entries.at(0).id, before.first());
        QCOMPARE(read->entries.at(1).id, after.first());
    }

    // What is whole is read; an incomplete last line and a line that is
    // none of the store's are passed over with a note.
    void damagedCsvKeepsTheWholeLines()
    {
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("store"));
        const QStringList ids = StoreFill::Add(Data, store, true, ThreeEntries().mid(0, 2));
        QVERIFY(ids.size() == 2);
        const QString csv = store + QStringLiteral("/submissions.csv");
        QByteArray bytes = Read(csv);
        // A foreign line between them, and a tail cut off inside a value.
        const qsizetype second = bytes.indexOf(QByteArray("\"entry\",\"" + ids.at(1).toLatin1()));
        bytes.insert(second, "garbage, not quoted\r\n");
        bytes += "\"entry\",\"0123456789abcdef\",\"2026-01-01T00:00:00Z\",\"\",\"[{\"\"name";
        Write(csv, bytes);
        const TResult<TSubmissionRead> read = SubmissionStore::ReadCsv(csv);
        QVERIFY2(read, qPrintable(read.Error()));
        QCOMPARE(read->entries.size(), 2);
        QCOMPARE(read->entries.at(1).id, ids.at(1));
        QCOMPARE(read->notes.size(), 2);
        QVERIFY2(read->notes.at(0).contains(QLatin1String("line 3")), qPrintable(read->notes.join('\n')));
        QVERIFY(read->notes.at(1).contains(QLatin1String("incomplete")));
    }

    // A file that is no store fails with a reason, never crashes.
    void foreignFilesFail_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("csv of something else")
            << "submissions.csv" << QByteArray("Name;Mail\nEva;eva@example.org\n") << "no line of a store";
        QTest::newRow("binary csv") << "submissions.csv" << QByteArray("\x00\xff\x10\"", 4)
                                    << "no line of a store";
        QTest::newRow("not a database")
            << "submissions.sqlite" << QByteArray(5000, 'x') << "no SQLite database";
        QTest::newRow("empty database file") << "submissions.sqlite" << QByteArray() << "no store";
    }

    void foreignFilesFail()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        Write(dir.filePath(name), bytes);
        const TResult<TSubmissionRead> read = SubmissionStore::ReadFolder(dir.path());
        QVERIFY(!read);
        QVERIFY2(read.Error().contains(reason), qPrintable(read.Error()));
        QVERIFY(read.Error().contains(name));
    }

    // A database of another table is no store either.
    void databaseOfAnotherKind()
    {
        QTemporaryDir dir;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
            db.setDatabaseName(dir.filePath(QStringLiteral("submissions.sqlite")));
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("CREATE TABLE people (name TEXT)")));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
        const TResult<TSubmissionRead> read = SubmissionStore::ReadFolder(dir.path());
        QVERIFY(!read);
        QVERIFY2(read.Error().contains(QLatin1String("no store of submissions")), qPrintable(read.Error()));
    }

    // Time and mail first, the form's fields in its order, names only older
    // entries have, the attachments last.
    void tableColumns()
    {
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("store"));
        QVERIFY(StoreFill::Add(Data, store, false, ThreeEntries()).size() == 3);
        const TResult<TSubmissionRead> read = SubmissionStore::ReadFolder(store);
        QVERIFY(read);
        const TSubmissionTable table(read->entries, {"nachricht", "name", "email"});
        QCOMPARE(table.Header(texts),
                 (QStringList{"Time", "Mail", "nachricht", "name", "email", "alt", "Attachments"}));
        QCOMPARE(table.Row(0, texts).mid(1),
                 (QStringList{"sent", Tricky, "Eva Muster", "", "", "bericht.pdf (5 B)"}));
        QCOMPARE(table.Cell(1, 1, texts), QStringLiteral("failed"));
        QCOMPARE(table.Cell(2, 1, texts), QStringLiteral("not tried"));
        QCOMPARE(table.Cell(1, 5, texts), QStringLiteral("aus der alten Form"));
        QCOMPARE(QDateTime::fromString(table.Cell(0, 0, texts), QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                 read->entries.at(0).time.toLocalTime());

        // The project's fields a visitor answers, without its uploads.
        TFormProject project;
        QVERIFY(TProjectFile(texts).LoadProject(project, Data + QStringLiteral("/default_Deutsch.qvf")));
        auto upload = std::make_unique<TFileField>();
        upload->Name = QStringLiteral("anhang");
        project.ListField.Add(std::move(upload));
        const QStringList names = TSubmissionTable::FormFieldNames(project);
        QVERIFY(names.contains(QStringLiteral("name")) && names.contains(QStringLiteral("nachricht")));
        QVERIFY(!names.contains(QStringLiteral("anhang")));
    }

    void csvCellsAreNeutralised_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("written");
        QTest::newRow("formula") << "=HYPERLINK(\"http://x\",\"y\")"
                                 << "'=HYPERLINK(\"http://x\",\"y\")";
        QTest::newRow("plus") << "+1"
                              << "'+1";
        QTest::newRow("minus") << "-1"
                               << "'-1";
        QTest::newRow("at") << "@SUM(A1)"
                            << "'@SUM(A1)";
        QTest::newRow("tab") << "\t=1"
                             << "'\t=1";
        QTest::newRow("cr") << "\r=1"
                            << "'\r=1";
        QTest::newRow("inside is harmless") << "a=b-c"
                                            << "a=b-c";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("non-ascii") << "Grüße €"
                                   << "Grüße €";
    }

    void csvCellsAreNeutralised()
    {
        QFETCH(QString, cell);
        QFETCH(QString, written);
        QCOMPARE(SubmissionsCsv::Neutralised(cell), written);
    }

    // UTF-8 with a byte-order mark, every cell quoted (quotes doubled),
    // CR LF between lines and kept inside a value.
    void csvExportFile()
    {
        TSubmission entry;
        entry.id = QStringLiteral("00ff");
        entry.timeText = QStringLiteral("2026-05-04T03:02:01Z");
        entry.time = QDateTime::fromString(entry.timeText, Qt::ISODate);
        entry.mailSent = true;
        entry.fields = {{"nachricht", "=HYPERLINK(\"x\")"}, {"name", "Zeile 1\r\n\"Jörg\""}};
        const TSubmissionTable table({entry}, {"name", "nachricht"});
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.csv"));
        QVERIFY(SubmissionsCsv::Write(path, table, texts));
        const QByteArray bytes = Read(path);
        const QByteArray time =
            entry.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
        QCOMPARE(bytes,
                 QByteArray("\xEF\xBB\xBF\"Time\",\"Mail\",\"name\",\"nachricht\",\"Attachments\"\r\n\"") +
                     time +
                     QString("\",\"sent\",\"Zeile 1\r\n\"\"Jörg\"\"\",\"'=HYPERLINK(\"\"x\"\")\",\"\"\r\n")
                         .toUtf8());
    }

    // Deleting from the files: exactly the chosen entries go (entry and
    // mail lines), every other byte stays, the damaged tail included; their
    // attachments are named.
    void storeFilesWithoutEntries_data()
    {
        QTest::addColumn<bool>("csv");
        QTest::newRow("sqlite") << false;
        QTest::newRow("csv") << true;
    }

    void storeFilesWithoutEntries()
    {
        QFETCH(bool, csv);
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("store"));
        QList<StoreFill::Entry> entries = ThreeEntries();
        entries[2].files = {{"anhang", "b.txt", "b"}, {"anhang", "c.txt", "c"}};
        const QStringList ids = StoreFill::Add(Data, store, csv, entries);
        QVERIFY(ids.size() == 3);
        QStringList files;
        const QSet<QString> chosen{ids.at(0), ids.at(2)};
        if (csv) {
            const QByteArray tail = "\"entry\",\"0123";
            const QByteArray bytes = Read(store + QStringLiteral("/submissions.csv")) + tail;
            const QByteArray kept = SubmissionStore::CsvWithout(bytes, chosen, &files);
            QVERIFY(kept.endsWith(tail));
            QCOMPARE(kept.count("\r\n"), 2); // the second entry's entry and mail lines
            Write(store + QStringLiteral("/submissions.csv"), kept);
        } else {
            QVERIFY(SubmissionStore::DeleteFromDatabase(store + QStringLiteral("/submissions.sqlite"), chosen,
                                                        &files));
            QVERIFY(!Read(store + QStringLiteral("/submissions.sqlite")).contains("Eva Muster"));
        }
        files.sort();
        QStringList expected{"files/" + ids.at(0) + "-1", "files/" + ids.at(2) + "-1",
                             "files/" + ids.at(2) + "-2"};
        expected.sort();
        QCOMPARE(files, expected);
        const TResult<TSubmissionRead> read = SubmissionStore::ReadFolder(store);
        QVERIFY2(read, qPrintable(read.Error()));
        QCOMPARE(read->entries.size(), 1);
        QCOMPARE(read->entries.first().id, ids.at(1));
        QCOMPARE(read->entries.first().mailSent, std::optional<bool>(false));
    }

    // Only the store's own attachment names reach the file system.
    void storedFileNames()
    {
        QVERIFY(SubmissionStore::IsStoredFileName(QStringLiteral("files/0a1b2c3d4e5f6789-12")));
        for (const char* foreign : {"../submissions.sqlite", "files/../../etc/passwd", "/etc/passwd",
                                    "files/abc-1/../x", "files/ABC-1", "files/abc", ""})
            QVERIFY2(!SubmissionStore::IsStoredFileName(QString::fromLatin1(foreign)), foreign);
    }
};

QTEST_GUILESS_MAIN(TestSubmissions)
#include "tst_submissions.moc"
