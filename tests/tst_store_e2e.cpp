// The PHP page's store of submissions on a real PHP server: every accepted
// post is kept outside the web folder before its mail goes out, so a failed
// mail loses nothing and a store that cannot be kept sends nothing; posts
// at the same moment all land; the store is never served; without PDO's
// SQLite driver a CSV file takes its place.
#include "CapturedMails.h"
#include "PhpPost.h"
#include "PhpServer.h"
#include "base/LanguageTexts.h"
#include "codegen/GenPHP.h"
#include "codegen/PageFiles.h"
#include "fields/FileField.h"
#include "model/FormProject.h"
#include "projectfile/ProjectFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHttpMultiPart>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include <sys/stat.h>

namespace
{
const QString Data = QStringLiteral(QUORVEL_TEST_DATA_DIR);
const char* const NotSent = "Die Nachricht konnte nicht gesendet werden.";

PhpPost::Post Visitor(const QString& message = QStringLiteral("Guten Tag"))
{
    return {{QStringLiteral("name"), QStringLiteral("Eva Muster")},
            {QStringLiteral("email"), QStringLiteral("eva@example.org")},
            {QStringLiteral("nachricht"), message},
            {QStringLiteral("zustimmung"), QStringLiteral("ja")}};
}

// What php prints for a script, run without a server.
QByteArray RunPhp(const QStringList& options, const QString& script, const QStringList& args)
{
    QProcess php;
    php.start(QStringLiteral("php"),
              options + QStringList{QStringLiteral("-r"), script, QStringLiteral("--")} + args);
    if (!php.waitForFinished(20000))
        return "php did not finish";
    return php.readAllStandardOutput() + php.readAllStandardError();
}
} // namespace

class TestStoreE2E : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QNetworkAccessManager net;
    TLanguageTexts texts{Data + QStringLiteral("/lang.ini"), nullptr};

    QString Site() const { return dir->path() + QStringLiteral("/site"); }
    QString Mails() const { return dir->path() + QStringLiteral("/mails"); }
    // The default store: "quorvel-data" beside the web folder.
    QString Store() const { return dir->path() + QStringLiteral("/quorvel-data"); }

    TFormProject Project()
    {
        TFormProject project;
        if (!TProjectFile(texts).LoadProject(project, Data + QStringLiteral("/default_Deutsch.qvf")))
            qFatal("default project does not load");
        project.edtEMail = QStringLiteral("owner@example.com");
        project.edtEMail1.clear();
        project.edtEMail2.clear();
        project.edtDanke = QStringLiteral("https://www.example.com/danke.htm");
        project.ExtSettings.encoding = QStringLiteral("utf-8");
        project.chkCaptcha = false;
        project.chkStoreEntries = true;
        auto upload = std::make_unique<TFileField>();
        upload->Name = QStringLiteral("anhang");
        upload->Beschriftung = QStringLiteral("Anhang");
        project.ListField.Add(std::move(upload));
        return project;
    }

    void Publish(const TFormProject& project)
    {
        TGenPHP gen(project, texts, Data);
        gen.SetFixedFormID(4711);
        const TResult<QString> page = gen.GenCode();
        QVERIFY2(page, qPrintable(page.Error()));
        QVERIFY(PageFiles::WritePage(Site() + QStringLiteral("/form.php"), *page, QStringLiteral("utf-8"),
                                     PageFiles::PageKind::Php));
    }

    // A server on the site; mail goes to the capture, or to a sendmail that
    // fails.
    TStatus Serve(PhpServer& server, bool mailWorks = true, const QStringList& options = {})
    {
        return server.Start(Site(),
                            {QStringLiteral("sendmail_path=") +
                                 (mailWorks ? QStringLiteral(QUORVEL_MAILCAPTURE_PATH " ") + Mails()
                                            : QStringLiteral("/bin/false")),
                             QStringLiteral("error_reporting=E_ALL"), QStringLiteral("display_errors=0"),
                             QStringLiteral("log_errors=1")},
                            options);
    }

    PhpPost::Response Send(const PhpServer& server, const PhpPost::Post& post,
                           const PhpPost::Files& files = {})
    {
        return PhpPost::Request(
            net, QUrl(QStringLiteral("http://127.0.0.1:%1/form.php?action=send").arg(server.Port())), post,
            files);
    }

    // The entries of the SQLite store, oldest first, as PHP reads them.
    QJsonArray Entries() const
    {
        const QByteArray out =
            RunPhp({},
                   QStringLiteral("$p = new PDO('sqlite:' . $argv[1]);"
                                  "echo json_encode($p->query('SELECT * FROM entries ORDER BY time, rowid')"
                                  "->fetchAll(PDO::FETCH_ASSOC));"),
                   {Store() + QStringLiteral("/submissions.sqlite")});
        return QJsonDocument::fromJson(out).array();
    }

    static QString FieldValue(const QJsonObject& entry, const QString& name)
    {
        for (const QJsonValue& field :
             QJsonDocument::fromJson(entry.value("fields").toString().toUtf8()).array())
            if (field.toObject().value("name").toString() == name)
                return field.toObject().value("value").toString();
        return QStringLiteral("(missing)");
    }

    static int Mode(const QString& path)
    {
        struct stat info;
        return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
    }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(Site()) && QDir().mkpath(Mails()));
    }

    // The entry is kept whether the mail goes out or not, with the mail's
    // result; the visitor learns of a failed mail; the attachment is kept
    // owner-only under a generated name.
    void keptBeforeTheMail_data()
    {
        QTest::addColumn<bool>("mailWorks");
        QTest::newRow("mail works") << true;
        QTest::newRow("mail fails") << false;
    }

    void keptBeforeTheMail()
    {
        QFETCH(bool, mailWorks);
        Publish(Project());
        PhpServer server;
        QVERIFY(Serve(server, mailWorks));
        const QByteArray attachment = "PDF-1.4 \x00\x01 payload";
        const PhpPost::Response r =
            Send(server, Visitor(QStringLiteral("Zeile 1\r\n\"Zitat\", =HYPERLINK(\"x\")")),
                 {{QStringLiteral("anhang"), attachment}});
        if (mailWorks) {
            QCOMPARE(r.status, 303);
            QCOMPARE(CapturedMails(Mails()).Count(), 1);
        } else {
            QCOMPARE(r.status, 200);
            QVERIFY2(r.body.contains(NotSent), r.body.left(2000).constData());
        }
        const QJsonArray entries = Entries();
        QCOMPARE(entries.size(), 1);
        const QJsonObject entry = entries.first().toObject();
        QCOMPARE(entry.value("mail").toInt(), mailWorks ? 1 : 0);
        QCOMPARE(FieldValue(entry, QStringLiteral("name")), QStringLiteral("Eva Muster"));
        QCOMPARE(FieldValue(entry, QStringLiteral("nachricht")),
                 QStringLiteral("Zeile 1\r\n\"Zitat\", =HYPERLINK(\"x\")"));
        QVERIFY(QDateTime::fromString(entry.value("time").toString(), Qt::ISODate).isValid());

        const QJsonArray files =
            QJsonDocument::fromJson(entry.value("attachments").toString().toUtf8()).array();
        QCOMPARE(files.size(), 1);
        const QJsonObject file = files.first().toObject();
        QCOMPARE(file.value("field").toString(), QStringLiteral("anhang"));
        QCOMPARE(file.value("name").toString(), QStringLiteral("evil_name.txt"));
        QCOMPARE(file.value("size").toInt(), attachment.size());
        QVERIFY(QRegularExpression(QStringLiteral("^files/[0-9a-f]{16}-1$"))
                    .match(file.value("file").toString())
                    .hasMatch());
        QFile kept(Store() + QLatin1Char('/') + file.value("file").toString());
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), attachment);

        // Owner only, with the second line of defence.
        QCOMPARE(Mode(Store()), 0700);
        QCOMPARE(Mode(Store() + QStringLiteral("/submissions.sqlite")), 0600);
        QCOMPARE(Mode(kept.fileName()), 0600);
        for (const QString& guard : {QStringLiteral("/.htaccess"), QStringLiteral("/files/.htaccess")}) {
            QFile f(Store() + guard);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QVERIFY(f.readAll().contains("Require all denied"));
        }
        QVERIFY(QFileInfo::exists(Store() + QStringLiteral("/index.html")));
        // Nothing of the store reaches the visitor.
        QVERIFY(!r.body.contains("quorvel-data") && !r.body.contains("sqlite"));
        QVERIFY(server.TakeOutput().contains("stored in the SQLite database"));
    }

    // Posts at the same moment, to two servers on the same site, all land.
    void simultaneousPostsAllLand()
    {
        Publish(Project());
        PhpServer first, second;
        QVERIFY(Serve(first));
        QVERIFY(Serve(second));
        // The store exists before the rush, as after the first visitor.
        QCOMPARE(Send(first, Visitor(QStringLiteral("vorab"))).status, 303);
        constexpr int Posts = 12;
        QList<QNetworkReply*> replies;
        for (int n = 0; n < Posts; ++n) {
            auto* multi = new QHttpMultiPart(QHttpMultiPart::FormDataType);
            for (const auto& [key, value] : Visitor(QStringLiteral("Nummer %1").arg(n))) {
                QHttpPart part;
                part.setHeader(QNetworkRequest::ContentDispositionHeader,
                               QStringLiteral("form-data; name=\"%1\"").arg(key));
                part.setBody(value.toUtf8());
                multi->append(part);
            }
            const int port = (n % 2 ? second : first).Port();
            QNetworkRequest request(
                QUrl(QStringLiteral("http://127.0.0.1:%1/form.php?action=send").arg(port)));
            QNetworkReply* reply = net.post(request, multi);
            multi->setParent(reply);
            replies << reply;
        }
        QTRY_VERIFY_WITH_TIMEOUT(std::all_of(replies.begin(), replies.end(),
                                             [](const QNetworkReply* r) { return r->isFinished(); }),
                                 60000);
        for (QNetworkReply* reply : replies) {
            QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 303);
            reply->deleteLater();
        }
        const QJsonArray entries = Entries();
        QCOMPARE(entries.size(), Posts + 1);
        QSet<QString> messages, ids;
        for (const QJsonValue& e : entries) {
            messages << FieldValue(e.toObject(), QStringLiteral("nachricht"));
            ids << e.toObject().value("id").toString();
        }
        QCOMPARE(messages.size(), Posts + 1);
        QCOMPARE(ids.size(), Posts + 1);
    }

    // A store that cannot be kept safely sends no mail and keeps nothing;
    // the visitor reads a neutral message, the log says why.
    void refusedStore_data()
    {
        QTest::addColumn<QString>("folder"); // {site} and {dir} stand for the paths
        QTest::addColumn<QByteArray>("why");
        QTest::newRow("relative, in the web folder")
            << "daten" << QByteArray("its folder lies inside the web folder");
        QTest::newRow("the web folder itself")
            << "{site}" << QByteArray("its folder lies inside the web folder");
        QTest::newRow("absolute, below it")
            << "{site}/x/../daten" << QByteArray("its folder lies inside the web folder");
        QTest::newRow("out and back in")
            << "../site/daten" << QByteArray("its folder lies inside the web folder");
        QTest::newRow("through a link")
            << "{dir}/link/daten" << QByteArray("its folder lies inside the web folder");
        QTest::newRow("a file, not a folder") << "{dir}/afile" << QByteArray("its folder cannot be written");
    }

    void refusedStore()
    {
        QFETCH(QString, folder);
        QFETCH(QByteArray, why);
        QVERIFY(QFile::link(Site(), dir->path() + QStringLiteral("/link")));
        QFile afile(dir->path() + QStringLiteral("/afile"));
        QVERIFY(afile.open(QIODevice::WriteOnly));
        afile.close();
        TFormProject project = Project();
        project.edtStoreFolder =
            folder.replace(QLatin1String("{site}"), Site()).replace(QLatin1String("{dir}"), dir->path());
        Publish(project);
        PhpServer server;
        QVERIFY(Serve(server));
        const PhpPost::Response r = Send(server, Visitor());
        QCOMPARE(r.status, 200);
        QVERIFY2(r.body.contains(NotSent), r.body.left(2000).constData());
        QVERIFY(!r.body.contains(Site().toUtf8()) && !r.body.contains("daten"));
        QCOMPARE(CapturedMails(Mails()).Count(), 0);
        QVERIFY(!QFileInfo::exists(Site() + QStringLiteral("/daten")));
        QTest::qWait(100);
        const QByteArray log = server.TakeOutput();
        QVERIFY2(log.contains(QByteArray("the submission was not stored, " + why)), log.constData());
    }

    // The web server never hands out the store, however the path is put.
    void storeIsNotServed()
    {
        Publish(Project());
        PhpServer server;
        QVERIFY(Serve(server));
        QCOMPARE(Send(server, Visitor()).status, 303);
        QVERIFY(QFileInfo::exists(Store() + QStringLiteral("/submissions.sqlite")));
        for (const char* path :
             {"../quorvel-data/submissions.sqlite", "%2e%2e/quorvel-data/submissions.sqlite",
              "..%2fquorvel-data%2fsubmissions.sqlite", "quorvel-data/submissions.sqlite",
              "form.php/../../quorvel-data/submissions.sqlite"}) {
            // Sent as typed: a client library would tidy the path first.
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, quint16(server.Port()));
            QVERIFY(socket.waitForConnected(5000));
            socket.write(QByteArray("GET /") + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
            QByteArray answer;
            while (socket.waitForReadyRead(5000))
                answer += socket.readAll();
            QVERIFY2(answer.startsWith("HTTP/1."), path);
            QVERIFY2(!answer.contains("SQLite format 3"), path);
        }
    }

    // Without PDO's SQLite driver the entries go to a CSV file, under a
    // lock, every cell quoted; the mail's result follows as a line of its own.
    void csvWithoutSqlite()
    {
        Publish(Project());
        PhpServer server;
        // PHP without the extensions of its configuration: no PDO at all.
        QVERIFY(Serve(server, true, {QStringLiteral("-n")}));
        const QString tricky = QStringLiteral("a \"b\", c\r\nd \\\" e");
        QCOMPARE(Send(server, Visitor(tricky)).status, 303);
        QCOMPARE(Send(server, Visitor(QStringLiteral("zwei"))).status, 303);
        QVERIFY(!QFileInfo::exists(Store() + QStringLiteral("/submissions.sqlite")));
        const QString csv = Store() + QStringLiteral("/submissions.csv");
        QCOMPARE(Mode(csv), 0600);
        const QByteArray rows = RunPhp({QStringLiteral("-n")},
                                       QStringLiteral("$h = fopen($argv[1], 'r'); $rows = array();"
                                                      "while (($r = fgetcsv($h, 0, ',', '\"', '')) !== false)"
                                                      " $rows[] = $r; echo json_encode($rows);"),
                                       {csv});
        const QJsonArray table = QJsonDocument::fromJson(rows).array();
        QCOMPARE(table.size(), 4);
        QStringList kinds;
        for (const QJsonValue& row : table)
            kinds << row.toArray().first().toString() + QLatin1Char(':') +
                         QString::number(row.toArray().size());
        QCOMPARE(kinds, (QStringList{"entry:6", "mail:6", "entry:6", "mail:6"}));
        const QJsonArray entry = table.at(0).toArray();
        QCOMPARE(table.at(1).toArray().at(1), entry.at(1)); // the mail line names its entry
        QCOMPARE(table.at(1).toArray().at(3).toString(), QStringLiteral("1"));
        QJsonObject asEntry;
        asEntry.insert("fields", entry.at(4));
        QCOMPARE(FieldValue(asEntry, QStringLiteral("nachricht")), tricky);
        QTest::qWait(100);
        QVERIFY(server.TakeOutput().contains("stored in the CSV file"));
    }
};

QTEST_GUILESS_MAIN(TestStoreE2E)
#include "tst_store_e2e.moc"
