// Uploads to a real FTP server on 127.0.0.1 (pyftpdlib, started here): the
// files that arrive, byte for byte, the log lines in their order, the
// server's own refusals, faults that must end within their time-outs, and
// encrypted connections.
#include "FtpServer.h"
#include "RecordingPrompter.h"
#include "codegen/CompanionMailer.h"

#include "base/LanguageTexts.h"
#include "codegen/GenHTML.h"
#include "codegen/GenPHP.h"
#include "codegen/PageFiles.h"
#include "fields/CalField.h"
#include "model/FormProject.h"
#include "projectfile/ProjectFile.h"
#include "publish/FtpClient.h"
#include "publish/FtpUpload.h"
#include "publish/PageUpload.h"

#include <algorithm>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

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

QByteArray Lf(QByteArray bytes)
{
    return bytes.replace("\r\n", "\n");
}
} // namespace

class TestFtp : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    FtpServer server;
    RecordingPrompter prompter;
    TLanguageTexts texts{Data + QStringLiteral("/lang.ini"), nullptr};
    QStringList log;

    QString Root() const { return dir.filePath(QStringLiteral("root")); }
    QString Text(const char* key) const { return texts.Text(QLatin1String(key)); }

    TFormProject Project(int port)
    {
        TFormProject project;
        if (!TProjectFile(texts).LoadProject(project, Data + QStringLiteral("/default_Deutsch.qvf")))
            qFatal("default project does not load");
        project.edtFtpServer = QStringLiteral("127.0.0.1");
        project.edtPort = QString::number(port);
        project.edtUsername = User;
        project.edtPasswort = Password;
        project.chkPassiv = true;
        project.edtDateiname = QStringLiteral("kontakt.htm");
        return project;
    }

    // An upload with short time-outs that logs into log.
    std::unique_ptr<TFtpUpload> Upload(TFormProject& project)
    {
        auto upload = std::make_unique<TFtpUpload>(project, texts, prompter, Data,
                                                   [this](const QString& line) { log << line; });
        upload->SetTimeouts(3, 3, 3);
        return upload;
    }

    QStringList ReplyError() const
    {
        return {QString(),
                Text("txtMainFrmFTP7"),
                QString(),
                Text("txtMainFrmFTP8"),
                Text("txtMainFrmFTP9"),
                Text("txtMainFrmFTP10"),
                QString(),
                Text("txtMainFrmFTP11")};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir().mkpath(Root() + QStringLiteral("/a/b")));
        QVERIFY(QDir().mkpath(Root() + QStringLiteral("/abs")));
        QVERIFY2(server.Start(Root(), User, Password), "the FTP server did not start (python3-pyftpdlib?)");
    }

    void init()
    {
        log.clear();
        prompter.Clear();
    }

    // Both formats, with and without a calendar field, passive and active:
    // exactly the page (and the picture) arrive, the page in the bytes of
    // the save rule, the picture unchanged.
    void upload_data()
    {
        QTest::addColumn<bool>("php");
        QTest::addColumn<bool>("calendar");
        QTest::addColumn<bool>("passive");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("encoding");
        QTest::newRow("html, login folder") << false << false << true << ""
                                            << "utf-8";
        QTest::newRow("html, nested, calendar") << false << true << true << "a/b"
                                                << "iso-8859-1";
        QTest::newRow("php, absolute, active") << true << false << false << "/abs"
                                               << "utf-8";
        QTest::newRow("php, calendar, active") << true << true << false << "a"
                                               << "iso-8859-1";
    }

    void upload()
    {
        QFETCH(bool, php);
        QFETCH(bool, calendar);
        QFETCH(bool, passive);
        QFETCH(QString, folder);
        QFETCH(QString, encoding);
        TFormProject project = Project(server.Port());
        project.chkPassiv = passive;
        project.edtFolder = folder;
        project.ExtSettings.encoding = encoding;
        project.ListField[0]->Beschriftung = QStringLiteral("Name (Größe)");
        if (calendar) {
            auto date = std::make_unique<TCalField>();
            date->Name = QStringLiteral("datum");
            date->StartYear = 2020;
            date->EndYear = 2030;
            project.ListField.Add(std::move(date));
        }
        const QString target = QDir(Root() + QLatin1Char('/') + folder).absolutePath();
        for (const QString& name : QDir(target).entryList(QDir::Files))
            QFile::remove(target + QLatin1Char('/') + name);

        auto upload = Upload(project);
        QVERIFY(TPageUpload(project, texts, prompter, Data, dir.path()).Run(*upload, php, 4711));
        QVERIFY2(prompter.entries.isEmpty(), qPrintable(prompter.Texts().join(QLatin1Char('\n'))));
        QCOMPARE(log,
                 (QStringList{Text("txtMainFrmFTP0"), Text("txtMainFrmFTP1") + QLatin1Char(' ') + User,
                              Text("txtMainFrmFTP2"), Text("txtMainFrmFTP3"),
                              Text("txtMainFrmFTP4") + QLatin1Char(' ') + folder, Text("txtMainFrmFTP5")}));

        QStringList expected{QStringLiteral("kontakt.htm")};
        if (calendar)
            expected.prepend(QStringLiteral("cal.png"));
        QCOMPARE(QDir(target).entryList(QDir::Files, QDir::Name), expected);
        const auto generate = [&]() -> TResult<QString> {
            if (php) {
                TGenPHP gen(project, texts, Data);
                gen.SetFixedFormID(4711);
                return gen.GenCode();
            }
            TGenHTML gen(project, texts, Data);
            gen.SetFixedFormID(4711);
            return gen.GenCode();
        };
        const TResult<QString> page = generate();
        QVERIFY(page);
        const QByteArray bytes =
            PageFiles::PageBytes(*page, encoding, php ? PageFiles::PageKind::Php : PageFiles::PageKind::Html);
        const QByteArray arrived = Read(target + QStringLiteral("/kontakt.htm"));
        // ASCII mode lets the server store its own line ends, never more CRs.
        QVERIFY(!arrived.contains("\r\r"));
        QCOMPARE(Lf(arrived), Lf(bytes));
        if (calendar)
            QCOMPARE(Read(target + QStringLiteral("/cal.png")), Read(Data + QStringLiteral("/cal/cal.png")));
        // The private temporary page is gone again.
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("quorvel_temp*")}, QDir::Files), QStringList());
    }

    // With the option on, the HTML form takes Quorvel's form mailer and the
    // project's configuration along into its folder; the PHP page never
    // does, nor does the form without the option.
    void mailerGoesAlong_data()
    {
        QTest::addColumn<bool>("option");
        QTest::addColumn<bool>("php");
        QTest::addColumn<bool>("mailer");
        QTest::newRow("html with the mailer") << true << false << true;
        QTest::newRow("php page with the option") << true << true << false;
        QTest::newRow("html without the option") << false << false << false;
    }

    void mailerGoesAlong()
    {
        QFETCH(bool, option);
        QFETCH(bool, php);
        QFETCH(bool, mailer);
        TFormProject project = Project(server.Port());
        project.edtEMail = QStringLiteral("owner@example.com");
        project.cboFormMailer = QStringLiteral("formmailer.php");
        project.chkUploadMailer = option;
        project.edtFolder = QStringLiteral("mailer");
        const QString target = Root() + QStringLiteral("/mailer");
        QDir(target).removeRecursively();
        QVERIFY(QDir().mkpath(target));

        QVERIFY(TPageUpload(project, texts, prompter, Data, dir.path()).Run(*Upload(project), php, 4711));
        QVERIFY2(prompter.entries.isEmpty(), qPrintable(prompter.Texts().join(QLatin1Char('\n'))));
        const QStringList expected = mailer ? QStringList{"formmailer.php", "formmailer_config.php",
                                                          "kontakt.htm",    "qvguard.php",
                                                          "qvmail.php",     "refresh.png"}
                                            : QStringList{"kontakt.htm"};
        QCOMPARE(QDir(target).entryList(QDir::Files, QDir::Name), expected);
        QCOMPARE(log.last(), Text("txtMainFrmFTP5"));
        if (!mailer)
            return;
        QVERIFY(log.contains(Text("txtMailerUpload") + QStringLiteral(" formmailer_config.php")));
        QCOMPARE(Read(target + QStringLiteral("/formmailer.php")),
                 Read(Data + QStringLiteral("/formmailer/formmailer.php")));
        QCOMPARE(Read(target + QStringLiteral("/qvmail.php")),
                 Read(Data + QStringLiteral("/formmailer/qvmail.php")));
        QCOMPARE(Read(target + QStringLiteral("/formmailer_config.php")),
                 TCompanionMailer::ConfigText(project).toUtf8());
    }

    // Without a valid recipient the mailer would take nothing: the upload
    // does not start and says why.
    void mailerNeedsARecipient()
    {
        TFormProject project = Project(server.Port());
        project.edtEMail = QStringLiteral("keine Adresse");
        project.edtEMail1.clear();
        project.edtEMail2.clear();
        project.chkUploadMailer = true;
        project.edtFolder = QStringLiteral("nomailer");
        QVERIFY(QDir().mkpath(Root() + QStringLiteral("/nomailer")));
        QVERIFY(!TPageUpload(project, texts, prompter, Data, dir.path()).Run(*Upload(project), false, 4711));
        QCOMPARE(prompter.Texts(), QStringList{Text("txtMailerNoRecipient")});
        QVERIFY(log.isEmpty());
        QVERIFY(QDir(Root() + QStringLiteral("/nomailer")).entryList(QDir::Files).isEmpty());
    }

    // The server's refusals end the log with the reply-error lines and the
    // server's own reply.
    void serverRefuses_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("code");
        QTest::newRow("wrong password") << "falsch"
                                        << ""
                                        << "530";
        QTest::newRow("unknown folder") << Password << "gibtsnicht"
                                        << "550";
    }

    void serverRefuses()
    {
        QFETCH(QString, password);
        QFETCH(QString, folder);
        QFETCH(QString, code);
        TFormProject project = Project(server.Port());
        project.edtPasswort = password;
        project.edtFolder = folder;
        QTemporaryDir local;
        const QString file = local.filePath(QStringLiteral("page.htm"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<p>x</p>");
        f.close();
        QVERIFY(!Upload(project)->UploadFile(file));
        QVERIFY(prompter.entries.isEmpty());
        QVERIFY2(log.size() > 8, qPrintable(log.join(QLatin1Char('\n'))));
        QCOMPARE(log.mid(log.size() - 9, 8), ReplyError());
        QVERIFY2(log.last().startsWith(code), qPrintable(log.last()));
        QVERIFY(
            !log.join(QLatin1Char(' ')).contains(password == Password ? QStringLiteral("\x01") : password));
    }

    // Settings refused before anything is sent: a line end in the user name
    // would send the rest as a command of its own; ports outside 1 to 65535.
    void settingsRefused_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("message");
        QTest::newRow("user with CR LF") << "quorvel\r\nDELE kontakt.htm"
                                         << ""
                                         << ""
                                         << "txtMainFrmFTP16";
        QTest::newRow("folder with LF") << "quorvel"
                                        << ""
                                        << "a\nb"
                                        << "txtMainFrmFTP16";
        QTest::newRow("port 0") << "quorvel"
                                << "0"
                                << ""
                                << "txtMainFrmFTP15";
        QTest::newRow("port 70000") << "quorvel"
                                    << "70000"
                                    << ""
                                    << "txtMainFrmFTP15";
        QTest::newRow("port -1") << "quorvel"
                                 << "-1"
                                 << ""
                                 << "txtMainFrmFTP15";
    }

    void settingsRefused()
    {
        QFETCH(QString, user);
        QFETCH(QString, port);
        QFETCH(QString, folder);
        QFETCH(QString, message);
        TFormProject project = Project(server.Port());
        project.edtUsername = user;
        project.edtFolder = folder;
        if (!port.isEmpty())
            project.edtPort = port;
        QVERIFY(!Upload(project)->UploadFile(Data + QStringLiteral("/lang.ini")));
        QCOMPARE(prompter.Texts(), QStringList{texts.Text(message)});
        QVERIFY(log.isEmpty());
        if (!port.isEmpty())
            QCOMPARE(project.edtPort, QStringLiteral("21"));
    }

    // Faults end with the general error within their time-outs.
    void faultsEnd_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("refused") << "refused";
        QTest::newRow("never answers") << "silent";
        QTest::newRow("dropped during STOR") << "drop";
    }

    void faultsEnd()
    {
        QFETCH(QString, fault);
        QTcpServer silent;
        FtpServer dropping;
        int port = 0;
        if (fault == QLatin1String("refused")) {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            port = probe.serverPort();
        } else if (fault == QLatin1String("silent")) {
            QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
            port = silent.serverPort();
        } else {
            QVERIFY(dropping.Start(Root(), User, Password, {QStringLiteral("--drop-stor")}));
            port = dropping.Port();
        }
        TFormProject project = Project(port);
        QElapsedTimer took;
        took.start();
        QVERIFY(!Upload(project)->UploadFile(Data + QStringLiteral("/lang.ini")));
        QVERIFY2(took.elapsed() < 15000, qPrintable(QString::number(took.elapsed())));
        QCOMPARE(prompter.entries.size(), 1);
        QCOMPARE(prompter.entries.first().caption, Text("MsgError"));
        QVERIFY(!prompter.entries.first().text.isEmpty());
    }

    void cancelLargeUpload()
    {
        TFormProject project = Project(server.Port());
        project.edtDateiname = QStringLiteral("gross.bin");
        QTemporaryDir local;
        const QString file = local.filePath(QStringLiteral("gross.bin"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(64 * 1024 * 1024, 'x'));
        f.close();
        auto upload = Upload(project);
        bool asked = false;
        upload->SetProgress([&](qint64 done, qint64) {
            asked = true;
            return done < 1024 * 1024;
        });
        QVERIFY(!upload->UploadFile(file));
        QVERIFY(asked);
        QCOMPARE(prompter.entries.size(), 1);
        QVERIFY(Read(Root() + QStringLiteral("/gross.bin")).size() < 64 * 1024 * 1024);
    }

    // The client on its own: folders step by step as the server resolves
    // them, the listing parsed, and the password never in a line.
    void clientFoldersAndListing()
    {
        QVERIFY(QDir().mkpath(Root() + QStringLiteral("/l/b")));
        QFile f(Root() + QStringLiteral("/l/liste.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("12345");
        f.close();
        QStringList lines;
        TFtpSettings settings;
        settings.host = QStringLiteral("127.0.0.1");
        settings.port = server.Port();
        settings.user = User;
        settings.password = Password;
        TFtpClient client(settings, [&](TFtpClient::LineKind, const QString& line) { lines << line; });
        QVERIFY(client.Connect());
        QString folder;
        QVERIFY(client.PrintDir(&folder));
        QCOMPARE(folder, QStringLiteral("/"));
        QVERIFY(client.ChangeDir(QStringLiteral("l")));
        QVERIFY(client.ChangeDir(QStringLiteral("b")));
        QVERIFY(client.PrintDir(&folder));
        QCOMPARE(folder, QStringLiteral("/l/b"));
        QVERIFY(client.ChangeDir(QStringLiteral("..")));
        QVERIFY(client.PrintDir(&folder));
        QCOMPARE(folder, QStringLiteral("/l"));
        QList<TFtpEntry> entries;
        QVERIFY(client.List(&entries));
        QStringList seen;
        for (const TFtpEntry& e : entries)
            seen << e.name +
                        (e.kind == TFtpEntry::Kind::Folder ? QStringLiteral("/") : QString::number(e.size));
        seen.sort();
        QCOMPARE(seen, (QStringList{QStringLiteral("b/"), QStringLiteral("liste.txt5")}));
        QVERIFY(!client.ChangeDir(QStringLiteral("fehlt")));
        QVERIFY(client.Error().serverReply);
        QCOMPARE(client.Error().replyCode, 550);
        client.Quit();
        QVERIFY(lines.contains(QStringLiteral("PASS *********")));
        QVERIFY(!lines.join(QLatin1Char('\n')).contains(Password));
    }

    // Explicit FTPS with the test's own certificate: accepted by its key,
    // refused without.
    void encrypted()
    {
        QString pin;
        const QString cert = MakeTestCertificate(dir.path(), &pin);
        QVERIFY2(!cert.isEmpty(), "openssl could not make a certificate");
        FtpServer tls;
        QVERIFY(tls.Start(Root(), User, Password,
                          {QStringLiteral("--certfile"), cert, QStringLiteral("--keyfile"),
                           dir.filePath(QStringLiteral("key.pem"))}));
        TFtpSettings settings;
        settings.host = QStringLiteral("127.0.0.1");
        settings.port = tls.Port();
        settings.user = User;
        settings.password = Password;
        settings.tls = true;
        settings.connectTimeout = settings.replyTimeout = settings.stallTimeout = 5;
        {
            TFtpClient unknown(settings);
            QVERIFY(!unknown.Connect());
            QVERIFY(!unknown.Error().serverReply);
            QVERIFY(unknown.Error().untrusted);
        }
        // The key is read from the handshake alone: nothing of the login goes
        // out before it is accepted.
        {
            QStringList probe;
            TFtpSettings wrong = settings;
            wrong.pinnedKey = QStringLiteral("sha256//AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA=");
            TFtpClient client(wrong, [&](TFtpClient::LineKind, const QString& line) { probe << line; });
            QVERIFY(!client.Connect());
            QVERIFY(client.Error().untrusted);
            QVERIFY(!probe.join(QLatin1Char('\n')).contains(QStringLiteral("USER")));
        }
        QCOMPARE(TFtpClient::ServerKey(settings), pin);
        settings.pinnedKey = pin;
        QStringList lines;
        TFtpClient client(settings, [&](TFtpClient::LineKind, const QString& line) { lines << line; });
        QVERIFY2(client.Connect(), qPrintable(client.Error().text));
        QVERIFY(lines.contains(QStringLiteral("AUTH TLS")));
        QString folder;
        QVERIFY(client.ChangeDir(QStringLiteral("abs")));
        QVERIFY(client.PrintDir(&folder));
        QCOMPARE(folder, QStringLiteral("/abs"));
        // Transfers go over encrypted data connections too.
        const QByteArray bytes("Gr\xc3\xbc\xc3\x9f\x65\r\n\x00\xff", 11);
        client.SetBinary(true);
        QVERIFY2(client.Store(QStringLiteral("tls.bin"), bytes), qPrintable(client.Error().text));
        QList<TFtpEntry> entries;
        QVERIFY(client.List(&entries));
        QVERIFY(std::any_of(entries.cbegin(), entries.cend(), [](const TFtpEntry& e) {
            return e.name == QLatin1String("tls.bin") && e.size == 11;
        }));
        client.Quit();
        QCOMPARE(Read(Root() + QStringLiteral("/abs/tls.bin")), bytes);
        // The project's own switch and accepted key: the page goes up
        // encrypted, and without the key it is refused.
        TFormProject project = Project(tls.Port());
        project.chkFtpTls = true;
        project.edtFolder = QStringLiteral("abs");
        project.edtDateiname = QStringLiteral("tls.htm");
        prompter.Clear();
        QVERIFY(!TPageUpload(project, texts, prompter, Data, dir.path()).Run(*Upload(project), false, 4711));
        QCOMPARE(prompter.entries.size(), 1);
        QVERIFY(!QFile::exists(Root() + QStringLiteral("/abs/tls.htm")));
        project.edtFtpTlsKey = pin;
        prompter.Clear();
        QVERIFY(TPageUpload(project, texts, prompter, Data, dir.path()).Run(*Upload(project), false, 4711));
        QVERIFY(Read(Root() + QStringLiteral("/abs/tls.htm")).contains("<form"));
        // Plain FTP to a server that requires TLS is refused by the server.
        TFtpSettings plain = settings;
        plain.tls = false;
        TFtpClient refused(plain);
        QVERIFY(!refused.Connect());
    }

    void commandLineUpload()
    {
        TFormProject project = Project(server.Port());
        project.edtDateiname = QStringLiteral("cli.php");
        const QString file = dir.filePath(QStringLiteral("cli.qvf"));
        QVERIFY(TProjectFile(texts).SaveProject(project, file));
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QUORVEL_DATA_DIR"), Data);
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("home")));
        cli.setProcessEnvironment(env);
        cli.start(QStringLiteral(QUORVEL_CLI_PATH),
                  {QStringLiteral("upload"), file, QStringLiteral("--php")});
        QVERIFY(cli.waitForFinished(60000));
        const QString out = QString::fromLocal8Bit(cli.readAllStandardOutput());
        QCOMPARE(cli.exitCode(), 0);
        QVERIFY2(out.contains(Text("txtMainFrmFTP5")), qPrintable(out));
        QVERIFY(Read(Root() + QStringLiteral("/cli.php")).contains("<?php"));
    }
};

QTEST_GUILESS_MAIN(TestFtp)
#include "tst_ftp.moc"
