// The defence against spam robots on a real PHP server, for the PHP page and
// for the companion form mailer: a filled hidden field, a post sent too
// soon, a forged, expired or replayed token and a post over the limit per
// address are each refused with the same answer and no mail; a person in
// the browser engine, taking the time a person takes, gets through.
#include "CapturedMails.h"
#include "PhpPost.h"
#include "PhpServer.h"
#include "RunJavaScript.h"
#include "base/LanguageTexts.h"
#include "codegen/BotGuard.h"
#include "codegen/CompanionMailer.h"
#include "codegen/GenHTML.h"
#include "codegen/GenPHP.h"
#include "codegen/PageFiles.h"
#include "model/FormProject.h"
#include "projectfile/ProjectFile.h"

#include <QDateTime>
#include <QDir>
#include <QMessageAuthenticationCode>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QtTest>

namespace
{
const QString Data = QStringLiteral(QUORVEL_TEST_DATA_DIR);
const char* const Neutral = "Die Nachricht konnte nicht angenommen werden.";

using PhpPost::Post;
using PhpPost::Response;
using PhpPost::Set;

// A token as the server signs it, for a time of the test's choosing.
QString Token(const QString& secret, qint64 time, const QString& formId = QStringLiteral("4711"))
{
    const QByteArray message = formId.toLatin1() + '|' + QByteArray::number(time);
    return QString::number(time) + QLatin1Char('.') +
           QString::fromLatin1(
               QMessageAuthenticationCode::hash(message, secret.toLatin1(), QCryptographicHash::Sha256)
                   .toHex());
}
} // namespace

class TestBotGuardE2E : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    PhpServer server;
    int port = 0;
    QNetworkAccessManager net;
    TLanguageTexts texts{Data + QStringLiteral("/lang.ini"), nullptr};
    QString secret;
    QString firstRefusal[2]; // the answer to the first refused post, PHP page and mailer

    QString Site() const { return dir.path() + QStringLiteral("/site"); }
    QString Mails() const { return dir.path() + QStringLiteral("/mails"); }
    QString Url(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(port).arg(path);
    }
    int MailCount() const { return CapturedMails(Mails()).Count(); }

    // Both forms of the default project with the defence on, a new secret
    // each time (so what one test remembers never reaches the next).
    void PublishBoth(const QString& perHour = QString())
    {
        TFormProject project;
        if (!TProjectFile(texts).LoadProject(project, Data + QStringLiteral("/default_Deutsch.qvf")))
            qFatal("default project does not load");
        project.edtEMail = QStringLiteral("owner@example.com");
        project.edtEMail1.clear();
        project.edtEMail2.clear();
        project.edtDanke = QStringLiteral("https://www.example.com/danke.htm");
        project.cboFormMailer = QStringLiteral("formmailer.php");
        project.ExtSettings.encoding = QStringLiteral("utf-8");
        project.chkCaptcha = false;
        project.chkBotDefence = true;
        project.edtPostsPerHour = perHour;
        secret = BotGuard::NewSecret();
        if (!TCompanionMailer::WriteInto(Site(), project, Data, secret))
            qFatal("mailer not written");
        TGenHTML html(project, texts, Data);
        html.SetFixedFormID(4711);
        TGenPHP php(project, texts, Data);
        php.SetFixedFormID(4711);
        php.SetFixedSecret(secret);
        const auto htmlPage = html.GenCode();
        const auto phpPage = php.GenCode();
        if (!htmlPage || !phpPage ||
            !PageFiles::WritePage(Site() + QStringLiteral("/form.htm"), *htmlPage, QStringLiteral("utf-8")) ||
            !PageFiles::WritePage(Site() + QStringLiteral("/form.php"), *phpPage, QStringLiteral("utf-8")))
            qFatal("pages not written");
    }

    Response Request(const QString& path, const Post& post = {})
    {
        return PhpPost::Request(net, QUrl(Url(path)), post);
    }

    // What a browser posts from the form (its hidden values and the
    // visitor's input); the PHP page's as it serves it now.
    Post FormPost(bool phpPage)
    {
        QString page;
        if (phpPage) {
            page = QString::fromUtf8(Request(QStringLiteral("form.php")).body);
        } else {
            QFile file(Site() + QStringLiteral("/form.htm"));
            file.open(QIODevice::ReadOnly);
            page = QString::fromUtf8(file.readAll());
        }
        Post post{{QStringLiteral("name"), QStringLiteral("Eva Muster")},
                  {QStringLiteral("email"), QStringLiteral("eva@example.org")},
                  {QStringLiteral("nachricht"), QStringLiteral("Guten Tag.")},
                  {QStringLiteral("zustimmung"), QStringLiteral("ja")},
                  {QLatin1String(BotGuard::Honeypot), QString()}};
        return PhpPost::WithHiddenValues(post, page);
    }

    Response Send(bool phpPage, const Post& post)
    {
        return Request(phpPage ? QStringLiteral("form.php?action=send") : QStringLiteral("formmailer.php"),
                       post);
    }

    // A refusal: no mail, the neutral answer, the same as every other
    // refusal of that form (apart from the new token), the layer in the log.
    void VerifyRefused(bool phpPage, const Response& r, const char* layer, int mailsBefore)
    {
        QCOMPARE(MailCount(), mailsBefore);
        QVERIFY2(r.body.contains(Neutral), r.body.constData());
        const QString answer = QString::fromUtf8(r.body).replace(
            QRegularExpression(QStringLiteral("name=\"qv_token\" value=\"[^\"]*\"")),
            QStringLiteral("qv_token"));
        QString& first = firstRefusal[phpPage ? 0 : 1];
        if (first.isEmpty())
            first = answer;
        QCOMPARE(answer, first);
        QTest::qWait(100);
        const QByteArray log = server.TakeOutput();
        QVERIFY2(log.contains(QByteArray(QByteArray("(") + layer + ")")), log.constData());
        for (const char* message : {"Warning", "Notice", "Deprecated", "Fatal error"})
            QVERIFY2(!log.contains(message) && !r.body.contains(message), log.constData());
    }

    static bool Load(QWebEnginePage& page, const QUrl& url) { return LoadPage(page, url); }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir().mkpath(Site()) && QDir().mkpath(Mails()) && QDir().mkpath(dir.path() + "/tmp"));
        QVERIFY2(server.Start(Site(),
                              {QStringLiteral("sendmail_path=") +
                                   QStringLiteral(QUORVEL_MAILCAPTURE_PATH " ") + Mails(),
                               QStringLiteral("sys_temp_dir=") + dir.path() + QStringLiteral("/tmp"),
                               QStringLiteral("error_reporting=E_ALL"), QStringLiteral("display_errors=1")}),
                 "php -S did not start");
        port = server.Port();
    }

    void refused_data()
    {
        QTest::addColumn<bool>("phpPage");
        QTest::addColumn<QString>("layer");
        for (const bool php : {true, false})
            for (const char* layer : {"honeypot", "time trap", "token", "expired", "replay", "rate limit"})
                QTest::newRow(
                    qPrintable(QString::fromLatin1(php ? "php page: " : "mailer: ") + QLatin1String(layer)))
                    << php << QString::fromLatin1(layer);
    }

    void refused()
    {
        QFETCH(bool, phpPage);
        QFETCH(QString, layer);
        PublishBoth(layer == QLatin1String("rate limit") ? QStringLiteral("2") : QString());
        server.TakeOutput();
        Post post = FormPost(phpPage);
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        // A token served a minute ago, as a person's would be.
        const QString fine = Token(secret, now - 60);
        int mails = MailCount();
        if (layer == QLatin1String("honeypot")) {
            Set(post, QStringLiteral("qv_token"), fine);
            Set(post, QLatin1String(BotGuard::Honeypot), QStringLiteral("http://spam.example"));
        } else if (layer == QLatin1String("time trap")) {
            if (!phpPage) // the HTML form takes its token from the mailer when it loads
                Set(post, QStringLiteral("qv_token"),
                    QString::fromLatin1(Request(QStringLiteral("formmailer.php?action=token&id=4711")).body));
            QVERIFY(!post.isEmpty());
        } else if (layer == QLatin1String("token")) {
            Set(post, QStringLiteral("qv_token"), Token(BotGuard::NewSecret(), now - 60));
        } else if (layer == QLatin1String("expired")) {
            Set(post, QStringLiteral("qv_token"), Token(secret, now - 2 * 3600 - 5));
        } else {
            Set(post, QStringLiteral("qv_token"), fine);
            const int passes = layer == QLatin1String("replay") ? 1 : 2;
            for (int n = 0; n < passes; ++n) {
                if (n > 0)
                    Set(post, QStringLiteral("qv_token"), Token(secret, now - 30));
                const Response passed = Send(phpPage, post);
                QVERIFY2(passed.status == 303, passed.body.constData());
            }
            mails = MailCount();
            QCOMPARE(mails, passes);
            if (layer == QLatin1String("rate limit"))
                Set(post, QStringLiteral("qv_token"), Token(secret, now - 20));
            server.TakeOutput();
        }
        const Response r = Send(phpPage, post);
        QCOMPARE(r.status, phpPage ? 200 : 403);
        VerifyRefused(phpPage, r, qPrintable(layer), mails);
        QDir(Mails()).removeRecursively();
        QDir().mkpath(Mails());
    }

    // Sent back by the mailer to fill in a field, a person sends the same
    // form again: the token is used up only by a post that passes.
    void mailerTokenSurvivesFieldError()
    {
        PublishBoth();
        Post post = FormPost(false);
        Set(post, QStringLiteral("qv_token"), Token(secret, QDateTime::currentSecsSinceEpoch() - 60));
        Set(post, QStringLiteral("nachricht"), QString());
        const Response missing = Send(false, post);
        QCOMPARE(missing.status, 400);
        QVERIFY(!missing.body.contains(Neutral));
        QCOMPARE(MailCount(), 0);
        Set(post, QStringLiteral("nachricht"), QStringLiteral("Guten Tag."));
        const Response sent = Send(false, post);
        QVERIFY2(sent.status == 303, sent.body.constData());
        QCOMPARE(MailCount(), 1);
        QDir(Mails()).removeRecursively();
        QDir().mkpath(Mails());
        server.TakeOutput();
    }

    // A person in the browser: the page loads, the fields are filled, a
    // few seconds pass, the send button is clicked, and the mail goes out.
    void personPasses_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("php page") << QStringLiteral("form.php");
        QTest::newRow("html form and mailer") << QStringLiteral("form.htm");
    }

    void personPasses()
    {
        QFETCH(QString, page);
        PublishBoth(QStringLiteral("5"));
        QWebEnginePage browser;
        QVERIFY(Load(browser, QUrl(Url(page))));
        RunJavaScript(browser,
                      QStringLiteral("var f = document.forms['QVFORM'];"
                                     "f.elements['name'].value = 'Eva Muster';"
                                     "f.elements['email'].value = 'eva@example.org';"
                                     "f.elements['nachricht'].value = 'Guten Tag.';"
                                     "var z = f.elements['zustimmung']; if (z) z.checked = true; true"));
        QTest::qWait(3500);
        QCOMPARE(
            RunJavaScript(browser, QStringLiteral("/^[0-9]+\\.[0-9a-f]{64}$/.test("
                                                  "document.forms['QVFORM'].elements['qv_token'].value)"))
                .toBool(),
            true);
        QSignalSpy loaded(&browser, &QWebEnginePage::loadFinished);
        RunJavaScript(
            browser, QStringLiteral("document.forms['QVFORM'].querySelector('[type=submit]').click(); true"));
        QElapsedTimer waited;
        waited.start();
        while (MailCount() == 0 && waited.elapsed() < 15000)
            QTest::qWait(50);
        QCOMPARE(MailCount(), 1);
        QDir(Mails()).removeRecursively();
        QDir().mkpath(Mails());
    }
};

QTEST_MAIN(TestBotGuardE2E)
#include "tst_botguard_e2e.moc"
