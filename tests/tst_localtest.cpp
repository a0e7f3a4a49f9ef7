// The local test on real PHP: the page is served from a private folder, the
// mails it sends arrive as signals, and nothing stays running or on disk
// after the test ends, also when it runs from quorvel-cli until a signal.
#include "PhpPost.h"
#include "RecordingPrompter.h"
#include "ServerProbe.h"
#include "base/LanguageTexts.h"
#include "model/FormProject.h"
#include "preview/LocalTest.h"
#include "projectfile/ProjectFile.h"

#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace
{
const QString Data = QStringLiteral(QUORVEL_TEST_DATA_DIR);

using PhpPost::Post;

const Post DefaultFormPost{{QStringLiteral("name"), QStringLiteral("Erika Muster")},
                           {QStringLiteral("email"), QStringLiteral("erika@example.org")},
                           {QStringLiteral("nachricht"), QStringLiteral("Grüße aus dem Test")},
                           {QStringLiteral("zustimmung"), QStringLiteral("ja")}};

// The status of a multipart POST as the form sends it (with the cookies of
// net when given).
int PostForm(const QUrl& url, const Post& post, QNetworkAccessManager* session = nullptr)
{
    QNetworkAccessManager own;
    return PhpPost::Request(session ? *session : own, url, post).status;
}
} // namespace

class TestLocalTest : public QObject
{
    Q_OBJECT

    RecordingPrompter prompter;
    TLanguageTexts texts{Data + QStringLiteral("/lang.ini"), &prompter};
    QTemporaryDir temp;

    TFormProject DefaultProject()
    {
        TFormProject project;
        if (!TProjectFile(texts).LoadProject(project, Data + QStringLiteral("/default_Deutsch.qvf")))
            qFatal("default project does not load");
        return project;
    }

private slots:
    void initTestCase()
    {
        TLocalTest::SetCaptureProgram(QStringLiteral(QUORVEL_MAILCAPTURE_PATH));
        if (TPhpServer::Program().isEmpty())
            QSKIP("php is not installed");
    }

    // The PHP page answers on its address, a post arrives as one mail to the
    // owner, and stopping leaves neither a process, nor a listener, nor the
    // folder with the mails.
    void phpPageMailsAndStopsCompletely()
    {
        TFormProject project = DefaultProject();
        project.edtDanke.clear();
        TLocalTest test(texts, Data, temp.path());
        const TStatus started = test.Start(project, TLocalTest::TKind::Php);
        QVERIFY2(started, qPrintable(started.Error()));
        QCOMPARE(test.PageUrl().host(), QStringLiteral("127.0.0.1"));
        const QString folder = test.Folder();
        QVERIFY(folder.startsWith(temp.path()));
        QCOMPARE(QFileInfo(folder).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
                 QFileDevice::Permissions());

        QSignalSpy mails(&test, &TLocalTest::MailReceived);
        QSignalSpy output(&test, &TLocalTest::ServerOutput);
        QUrl send = test.PageUrl();
        send.setQuery(QStringLiteral("action=send"));
        QCOMPARE(PostForm(send, DefaultFormPost), 303);
        QTRY_COMPARE_WITH_TIMEOUT(mails.size(), 1, 10000);
        const auto mail = mails.first().at(0).value<TMailMessage>();
        QVERIFY2(mail.error.isEmpty(), qPrintable(mail.error));
        QCOMPARE(mail.Recipients(), QStringList{QStringLiteral("info@example.com")});
        QVERIFY(mail.Body()->Text().contains(QStringLiteral("Grüße aus dem Test")));
        QCOMPARE(mails.first().at(1).toBool(), false); // to the owner, no copy
        QTRY_VERIFY(!output.isEmpty());                // the request log

        // A post with the required fields empty is refused on the server and
        // sends nothing.
        QCOMPARE(PostForm(send, {{QStringLiteral("name"), QString()}}), 200);
        test.Poll();
        QCOMPARE(mails.size(), 1);

        const qint64 pid = test.ProcessId();
        const int port = test.Port();
        QVERIFY(ProcessAlive(pid));
        test.Stop();
        QVERIFY(!ProcessAlive(pid));
        QVERIFY(!PortAnswers(port));
        QVERIFY(!QFileInfo::exists(folder));
        QVERIFY(test.PageUrl().isEmpty());
    }

    // The copy PHP sends the visitor is told apart from the owner's mail.
    void copyToSenderIsMarked()
    {
        TFormProject project = DefaultProject();
        project.edtDanke.clear();
        project.chkAbsender = true;
        project.chkCaptcha = true;
        TLocalTest test(texts, Data, temp.path());
        QVERIFY(test.Start(project, TLocalTest::TKind::Php));
        QSignalSpy mails(&test, &TLocalTest::MailReceived);
        // The picture code, as the visitor would read it: from the session.
        QNetworkAccessManager net;
        QUrl picture = test.PageUrl();
        picture.setQuery(QStringLiteral("action=captcha"));
        QNetworkReply* reply = net.get(QNetworkRequest(picture));
        QTRY_VERIFY_WITH_TIMEOUT(reply->isFinished(), 10000);
        const QByteArray cookie = reply->rawHeader("Set-Cookie");
        delete reply;
        const QByteArray session = cookie.mid(10, cookie.indexOf(';') - 10);
        QFile file(test.Folder() + QStringLiteral("/sessions/sess_") + QString::fromLatin1(session));
        QTRY_VERIFY(file.exists() && file.size() > 0);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString code = QRegularExpression(QStringLiteral("captcha\\|s:5:\"([A-Z]{5})\""))
                                 .match(QString::fromLatin1(file.readAll()))
                                 .captured(1);
        QCOMPARE(code.size(), 5);
        QUrl send = test.PageUrl();
        send.setQuery(QStringLiteral("action=send"));
        Post post = DefaultFormPost;
        post << std::pair{QStringLiteral("captcha_input"), code};
        QCOMPARE(PostForm(send, post, &net), 303);
        QTRY_COMPARE_WITH_TIMEOUT(mails.size(), 2, 10000);
        QMap<QString, bool> copyOf;
        for (const QList<QVariant>& arguments : mails)
            copyOf[arguments.at(0).value<TMailMessage>().Recipients().join(QLatin1Char(','))] =
                arguments.at(1).toBool();
        QCOMPARE(copyOf.value(QStringLiteral("info@example.com"), true), false);
        QCOMPARE(copyOf.value(QStringLiteral("erika@example.org"), false), true);
    }

    // Failures the user is told about: no PHP (naming the package) and a
    // port that is taken.
    void startFailures()
    {
        TFormProject project = DefaultProject();
        TLocalTest test(texts, Data, temp.path());
        QTcpServer taken;
        QVERIFY(taken.listen(QHostAddress::LocalHost));
        const TStatus busy = test.Start(project, TLocalTest::TKind::Php, taken.serverPort());
        QVERIFY(!busy);
        QVERIFY2(busy.Error().contains(QString::number(taken.serverPort())), qPrintable(busy.Error()));
        QVERIFY(test.Folder().isEmpty());

        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", temp.path().toLocal8Bit());
        const TStatus noPhp = test.Start(project, TLocalTest::TKind::Php);
        qputenv("PATH", path);
        QVERIFY(!noPhp);
        QVERIFY2(noPhp.Error().contains(QStringLiteral("php-cli")), qPrintable(noPhp.Error()));
    }

    // quorvel-cli serve prints the address and each mail, and ends the test
    // on a signal, leaving nothing running.
    void cliServeEndsOnSignal_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGTERM") << SIGTERM;
        // Killed, the program cannot stop the server; it goes with it all
        // the same.
        QTest::newRow("SIGKILL") << SIGKILL;
    }

    void cliServeEndsOnSignal()
    {
        QFETCH(int, signal);
        QTemporaryDir home;
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("TMPDIR"), temp.path());
        cli.setProcessEnvironment(env);
        cli.start(QStringLiteral(QUORVEL_CLI_PATH),
                  {QStringLiteral("serve"), Data + QStringLiteral("/default_Englisch.qvf"),
                   QStringLiteral("--php"), QStringLiteral("--language"), QStringLiteral("Englisch")});
        QVERIFY(cli.waitForStarted());
        QByteArray out;
        QTRY_VERIFY_WITH_TIMEOUT((out += cli.readAllStandardOutput()).contains('\n'), 15000);
        const QRegularExpressionMatch address =
            QRegularExpression(QStringLiteral("http://127\\.0\\.0\\.1:(\\d+)/\\S+"))
                .match(QString::fromLocal8Bit(out));
        QVERIFY2(address.hasMatch(), out.constData());
        const int port = address.captured(1).toInt();
        QUrl send(address.captured());
        send.setQuery(QStringLiteral("action=send"));
        Post post{{QStringLiteral("name"), QStringLiteral("John Doe")},
                  {QStringLiteral("email"), QStringLiteral("john@example.org")},
                  {QStringLiteral("nachricht"), QStringLiteral("Hello")},
                  {QStringLiteral("message"), QStringLiteral("Hello")},
                  {QStringLiteral("zustimmung"), QStringLiteral("yes")},
                  {QStringLiteral("consent"), QStringLiteral("yes")}};
        const int status = PostForm(send, post);
        QVERIFY2(status == 303,
                 qPrintable(QString::number(status) + QString::fromLocal8Bit(cli.readAllStandardError())));
        QTRY_VERIFY_WITH_TIMEOUT((out += cli.readAllStandardOutput()).contains("mail to "), 10000);
        QVERIFY2(out.contains("mail to info@example.com"), out.constData());

        const qint64 pid = cli.processId();
        QVERIFY(::kill(static_cast<pid_t>(pid), signal) == 0);
        QVERIFY(cli.waitForFinished(10000));
        if (signal == SIGKILL) {
            QTRY_VERIFY_WITH_TIMEOUT(!PortAnswers(port), 10000);
            return; // its folder stays for the next temp cleaner
        }
        QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
        QCOMPARE(cli.exitCode(), 0);
        out += cli.readAllStandardOutput();
        QVERIFY2(out.contains("test ended"), out.constData());
        QVERIFY(!PortAnswers(port));
        // Nothing of the test stays in the temporary folder.
        const QStringList left = QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        for (const QString& name : left)
            QVERIFY2(QDir(temp.path() + QLatin1Char('/') + name)
                         .entryList({QStringLiteral("localtest-*")}, QDir::Dirs)
                         .isEmpty(),
                     qPrintable(name));
    }
};

QTEST_GUILESS_MAIN(TestLocalTest)
#include "tst_localtest.moc"
