// The store of submissions on a real FTP server (pyftpdlib, started here),
// filled by the PHP page's own functions: fetching it with attachments,
// "quorvel-cli submissions" printing and exporting it, and deleting chosen
// entries, which never overwrites a store that changed meanwhile.
#include "FtpServer.h"
#include "StoreFill.h"
#include "base/LanguageTexts.h"
#include "model/FormProject.h"
#include "projectfile/ProjectFile.h"
#include "publish/SubmissionServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace
{
const QString Data = QStringLiteral(QUORVEL_TEST_DATA_DIR);
const QString User = QStringLiteral("quorvel");
const QString Password = QStringLiteral("geheim");

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

int Mode(const QString& path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 0777) : -1;
}

StoreFill::Entry Entry(const QString& name, const QString& message, const QByteArray& file = {})
{
    StoreFill::Entry entry{{{"name", name}, {"nachricht", message}}, {}, "1"};
    if (!file.isEmpty())
        entry.files = {{"anhang", name + QStringLiteral(".txt"), file}};
    return entry;
}
} // namespace

class TestSubmissionsFtp : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    FtpServer server;
    TLanguageTexts texts{Data + QStringLiteral("/lang.ini"), nullptr};

    QString Root() const { return dir->filePath(QStringLiteral("root")); }
    // The store as the page keeps it, in the FTP login folder.
    QString Store() const { return Root() + QStringLiteral("/quorvel-data"); }

    TFormProject Project()
    {
        TFormProject project;
        if (!TProjectFile(texts).LoadProject(project, Data + QStringLiteral("/default_Deutsch.qvf")))
            qFatal("default project does not load");
        project.edtFtpServer = QStringLiteral("127.0.0.1");
        project.edtPort = QString::number(server.Port());
        project.edtUsername = User;
        project.edtPasswort = Password;
        project.chkPassiv = true;
        project.chkStoreEntries = true;
        return project;
    }

    TSubmissionServer Server()
    {
        TSubmissionServer store = TSubmissionServer::Of(Project());
        return store;
    }

    QStringList Fill(bool csv, const QList<StoreFill::Entry>& entries)
    {
        QByteArray out;
        const QStringList ids = StoreFill::Add(Data, Store(), csv, entries, &out);
        if (ids.size() != entries.size())
            qWarning("php: %s", out.constData());
        return ids;
    }

    QStringList IdsOnServer()
    {
        QTemporaryDir local;
        const TResult<TSubmissionFetch> fetched = Server().Fetch(local.path());
        if (!fetched)
            return {fetched.Error()};
        QStringList ids;
        for (const TSubmission& e : fetched->read.entries)
            ids << e.id;
        return ids;
    }

    // quorvel-cli with the project saved beside the root; its output and
    // exit code.
    int Cli(const QStringList& args, QString* out, QString* err = nullptr)
    {
        const QString file = dir->filePath(QStringLiteral("store.qvf"));
        if (!TProjectFile(texts).SaveProject(Project(), file))
            return -1;
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QUORVEL_DATA_DIR"), Data);
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir->filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("TMPDIR"), dir->filePath(QStringLiteral("tmp")));
        QDir().mkpath(dir->filePath(QStringLiteral("tmp")));
        cli.setProcessEnvironment(env);
        cli.start(QStringLiteral(QUORVEL_CLI_PATH),
                  QStringList{QStringLiteral("submissions"), file, QStringLiteral("--language"),
                              QStringLiteral("Englisch")} +
                      args);
        if (!cli.waitForFinished(60000))
            return -1;
        *out = QString::fromLocal8Bit(cli.readAllStandardOutput());
        const QString errors = QString::fromLocal8Bit(cli.readAllStandardError());
        if (err)
            *err = errors;
        return cli.exitCode();
    }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(Root()));
        server.Stop();
        QVERIFY(server.Start(Root(), User, Password));
    }

    // The entries and their attachments come down into an owner-only
    // folder; a second fetch brings what is new.
    void fetchesTheStore()
    {
        const QStringList ids = Fill(false, {Entry("Eva", "Hallo", QByteArray("PDF\x00\x01 eins", 10))});
        QCOMPARE(ids.size(), 1);
        QTemporaryDir local;
        const QString folder = local.filePath(QStringLiteral("fetched"));
        QList<QString> progress;
        TSubmissionServer store = Server();
        store.SetProgress([&progress](const QString& file, int done, int total) {
            progress << QStringLiteral("%1 %2/%3").arg(file).arg(done).arg(total);
            return true;
        });
        TResult<TSubmissionFetch> fetched = store.Fetch(folder);
        QVERIFY2(fetched, qPrintable(fetched.Error()));
        QVERIFY(!fetched->noStore);
        QCOMPARE(fetched->read.entries.size(), 1);
        const TSubmissionFile& file = fetched->read.entries.first().attachments.first();
        QCOMPARE(Read(folder + QLatin1Char('/') + file.file), QByteArray("PDF\x00\x01 eins", 10));
        QCOMPARE(Read(folder + QStringLiteral("/submissions.sqlite")),
                 Read(Store() + QStringLiteral("/submissions.sqlite")));
        QCOMPARE(Mode(folder), 0700);
        QCOMPARE(Mode(folder + QLatin1Char('/') + file.file), 0600);
        QCOMPARE(progress, (QStringList{"submissions.sqlite 0/1", file.file + " 1/2", " 2/2"}));

        // The host lost its driver: the CSV file is fetched beside it.
        const QStringList more = Fill(true, {Entry("Max", "=HYPERLINK(\"x\")")});
        QCOMPARE(more.size(), 1);
        fetched = store.Fetch(folder);
        QVERIFY2(fetched, qPrintable(fetched.Error()));
        QCOMPARE(fetched->read.entries.size(), 2);
        QCOMPARE(fetched->read.entries.at(1).Value(QStringLiteral("nachricht")),
                 QStringLiteral("=HYPERLINK(\"x\")"));
    }

    // No folder yet, or a folder without store files: no submissions so
    // far, which is no error; a wrong password is one.
    void nothingStoredYet()
    {
        QTemporaryDir local;
        TResult<TSubmissionFetch> fetched = Server().Fetch(local.path());
        QVERIFY2(fetched, qPrintable(fetched.Error()));
        QVERIFY(fetched->noStore);
        QVERIFY(QDir().mkpath(Store()));
        fetched = Server().Fetch(local.path());
        QVERIFY2(fetched, qPrintable(fetched.Error()));
        QVERIFY(fetched->noStore && fetched->read.entries.isEmpty());

        TFormProject project = Project();
        project.edtPasswort = QStringLiteral("falsch");
        const TResult<TSubmissionFetch> refused = TSubmissionServer::Of(project).Fetch(local.path());
        QVERIFY(!refused);
        QVERIFY2(refused.Error().contains(QLatin1String("530")), qPrintable(refused.Error()));

        QString out;
        QCOMPARE(Cli({}, &out), 0);
        QVERIFY2(out.contains(QLatin1String("There are no submissions on the server yet")), qPrintable(out));
    }

    // The command line prints the entries, writes them as CSV with a
    // visitor's formula neutralised, and deletes by id.
    void commandLine()
    {
        const QStringList ids = Fill(
            false, {Entry("Eva Muster", "=HYPERLINK(\"http://evil\")"), Entry("Max", "Zeile 1\r\nZeile 2")});
        QCOMPARE(ids.size(), 2);
        QString out, err;
        QCOMPARE(Cli({}, &out, &err), 0);
        QVERIFY2(out.contains(QLatin1String("Eva Muster")) && out.contains(ids.at(1)), qPrintable(out + err));
        QVERIFY(out.contains(QStringLiteral("Zeile 1\u21b5Zeile 2")));
        QVERIFY(out.contains(QLatin1String("Submissions: 2")));
        const QStringList lines = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(lines.first().startsWith(QLatin1String("ID")) &&
                lines.first().contains(QLatin1String("Time")));

        const QString csv = dir->filePath(QStringLiteral("export.csv"));
        QCOMPARE(Cli({QStringLiteral("--csv"), csv}, &out), 0);
        const QByteArray bytes = Read(csv);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF\"Time\",\"Mail\","));
        QVERIFY2(bytes.contains("\"'=HYPERLINK(\"\"http://evil\"\")\""), bytes.constData());
        QVERIFY(bytes.contains("\"Zeile 1\r\nZeile 2\""));

        // An unknown id deletes nothing; a known one goes.
        QCOMPARE(Cli({QStringLiteral("--delete"), ids.at(0), QStringLiteral("ffffffffffffffff")}, &out, &err),
                 1);
        QVERIFY2(err.contains(QLatin1String("ffffffffffffffff")), qPrintable(err));
        QCOMPARE(IdsOnServer(), ids);
        QCOMPARE(Cli({QStringLiteral("--delete"), ids.at(0)}, &out, &err), 0);
        QVERIFY2(out.contains(QLatin1String("deleted on the server: 1")), qPrintable(out + err));
        QCOMPARE(IdsOnServer(), QStringList{ids.at(1)});
    }

    // Exactly the chosen entries and their files go; the others stay.
    void deletesChosenEntries_data()
    {
        QTest::addColumn<bool>("csv");
        QTest::newRow("sqlite") << false;
        QTest::newRow("csv") << true;
    }

    void deletesChosenEntries()
    {
        QFETCH(bool, csv);
        const QStringList ids =
            Fill(csv, {Entry("A", "eins", "a"), Entry("B", "zwei", "b"), Entry("C", "drei", "c")});
        QCOMPARE(ids.size(), 3);
        const QString storeFile =
            Store() + (csv ? QStringLiteral("/submissions.csv") : QStringLiteral("/submissions.sqlite"));
        QStringList notes;
        const TResult<int> deleted = Server().Delete({ids.at(0), ids.at(2)}, &notes);
        QVERIFY2(deleted, qPrintable(deleted.Error()));
        QCOMPARE(*deleted, 2);
        QVERIFY2(notes.isEmpty(), qPrintable(notes.join('\n')));
        QCOMPARE(IdsOnServer(), QStringList{ids.at(1)});
        QVERIFY(!QFileInfo::exists(Store() + "/files/" + ids.at(0) + "-1"));
        QVERIFY(!QFileInfo::exists(Store() + "/files/" + ids.at(2) + "-1"));
        QCOMPARE(Read(Store() + "/files/" + ids.at(1) + "-1"), QByteArray("b"));
        // No temporary copy stays behind; the page can write on.
        const QStringList left = QDir(Store()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left, (QStringList{".htaccess", "index.html", QFileInfo(storeFile).fileName()}));
        QVERIFY(!Read(storeFile).contains("drei"));
        QCOMPARE(Fill(csv, {Entry("D", "vier")}).size(), 1);
        QCOMPARE(IdsOnServer().size(), 2);
    }

    // A post that arrives between the download and the rename is not
    // overwritten: the step starts over and keeps it; a store that keeps
    // changing is left as it is, with the reason.
    void changedStoreIsNotOverwritten_data()
    {
        QTest::addColumn<bool>("csv");
        QTest::newRow("sqlite") << false;
        QTest::newRow("csv") << true;
    }

    void changedStoreIsNotOverwritten()
    {
        QFETCH(bool, csv);
        const QStringList ids = Fill(csv, {Entry("A", "eins"), Entry("B", "zwei")});
        QCOMPARE(ids.size(), 2);
        TSubmissionServer store = Server();
        QStringList arrived;
        store.SetBeforeReplace([&] {
            if (arrived.isEmpty())
                arrived << Fill(csv, {Entry("Neu", "kam dazwischen")});
        });
        TResult<int> deleted = store.Delete({ids.at(0)});
        QVERIFY2(deleted, qPrintable(deleted.Error()));
        QCOMPARE(arrived.size(), 1);
        QCOMPARE(IdsOnServer(), (QStringList{ids.at(1), arrived.first()}));

        // A post before every replacement: nothing is replaced.
        store.SetBeforeReplace([&] { arrived << Fill(csv, {Entry("Noch", "einer")}); });
        deleted = store.Delete({ids.at(1)});
        QVERIFY(!deleted);
        QVERIFY2(deleted.Error().contains(QLatin1String("changed")), qPrintable(deleted.Error()));
        QCOMPARE(arrived.size(), 4);
        QCOMPARE(IdsOnServer(), QStringList{ids.at(1)} + arrived);
        const QStringList left = QDir(Store()).entryList(QDir::Files | QDir::Hidden);
        QVERIFY2(!left.join(' ').contains(QLatin1String(".tmp")), qPrintable(left.join(' ')));
    }
};

QTEST_GUILESS_MAIN(TestSubmissionsFtp)
#include "tst_submissions_ftp.moc"
