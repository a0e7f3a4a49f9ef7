// Quorvel's form mailer on a real PHP server: an HTML form made by the
// program posts to it and the mail arrives through a captured sendmail; no
// post, however forged, makes it mail anyone off its configuration's list.
#include "CapturedMails.h"
#include "PhpPost.h"
#include "PhpServer.h"
#include "RecordingPrompter.h"
#include "base/LanguageTexts.h"
#include "codegen/CodeExport.h"
#include "codegen/CompanionMailer.h"
#include "codegen/GenHTML.h"
#include "fields/FileField.h"
#include "model/FormProject.h"
#include "preview/MailMessage.h"
#include "projectfile/ProjectFile.h"

#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace
{
const QString Data = QStringLiteral(QUORVEL_TEST_DATA_DIR);

using PhpPost::Files;
using PhpPost::Post;
using PhpPost::Response;
using PhpPost::Set;
using PhpPost::Value;
using Forge = std::function<void(Post&)>;
} // namespace
Q_DECLARE_METATYPE(Forge)

class TestFormMailerE2E : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    PhpServer server;
    int port = 0;
    QNetworkAccessManager net;
    RecordingPrompter prompter;
    TLanguageTexts texts{Data + QStringLiteral("/lang.ini"), &prompter};

    QString page; // the HTML form Publish made last

    QString Site() const { return dir.path() + QStringLiteral("/site"); }
    QString Mails() const { return dir.path() + QStringLiteral("/mails"); }
    QString Sessions() const { return dir.path() + QStringLiteral("/sessions"); }

    TFormProject DefaultProject()
    {
        TFormProject project;
        if (!TProjectFile(texts).LoadProject(project, Data + QStringLiteral("/default_Deutsch.qvf")))
            qFatal("default project does not load");
        project.edtEMail = QStringLiteral("owner@example.com");
        project.edtEMail1 = QStringLiteral("Sales@Example.com");
        project.edtEMail2.clear();
        project.edtDanke = QStringLiteral("https://www.example.com/danke.htm");
        project.cboFormMailer = QStringLiteral("formmailer.php");
        project.chkCaptcha = false;
        project.chkAbsender = false;
        return project;
    }

    // The mailer beside the project's HTML form; the post a browser sends
    // from that form with the visitor's values: its hidden values first.
    Post Publish(const TFormProject& project, const Post& visitor)
    {
        const TStatus written = TCompanionMailer::WriteInto(Site(), project, Data);
        if (!written)
            qFatal("%s", qPrintable(written.Error()));
        TGenHTML gen(project, texts, Data);
        gen.SetFixedFormID(4711);
        const TResult<QString> made = gen.GenCode();
        if (!made)
            qFatal("%s", qPrintable(made.Error()));
        page = *made;
        if (!page.contains(QLatin1String("action=\"formmailer.php\"")))
            qFatal("the form does not post to the mailer");
        return PhpPost::WithHiddenValues(visitor, page);
    }

    static Post Visitor()
    {
        return {{QStringLiteral("name"), QStringLiteral("Eva Muster")},
                {QStringLiteral("email"), QStringLiteral("eva@example.org")},
                {QStringLiteral("nachricht"), QStringLiteral("Guten Tag, ich hätte gern Post.")},
                {QStringLiteral("zustimmung"), QStringLiteral("ja")}};
    }

    Response Request(const QString& path, const Post& post = {}, const Files& files = {})
    {
        PhpPost::Options options;
        options.fileName = QStringLiteral("../../etc/bild 1.png");
        options.fileType = QStringLiteral("image/png");
        return PhpPost::Request(net, QUrl(QStringLiteral("http://127.0.0.1:%1/%2").arg(port).arg(path)), post,
                                files, options);
    }

    Response Send(const Post& post, const Files& files = {})
    {
        return Request(QStringLiteral("formmailer.php"), post, files);
    }

    // Draws the form's picture code and reads it from the form's session.
    QString PictureCode(const QString& formId)
    {
        const Response picture = Request(QStringLiteral("formmailer.php?action=captcha&id=") + formId);
        if (picture.status != 200 || !picture.body.startsWith("\x89PNG"))
            return QStringLiteral("no picture: ") + QString::number(picture.status);
        QTest::qWait(250);
        const QString session =
            PhpPost::SessionFile(net, QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port)), Sessions(),
                                 "qvmail" + formId.toLatin1());
        return session.isEmpty() ? QStringLiteral("no session cookie") : PhpPost::SessionCaptcha(session);
    }

    QStringList MailFiles() const { return CapturedMails(Mails()).Files(); }
    QList<QByteArray> AllMails() const { return CapturedMails(Mails()).All(); }
    static QByteArray Headers(const QByteArray& mail) { return CapturedMails::Headers(mail); }

    // Every address a mail's headers could send it to, as written.
    static QStringList Addressed(const QByteArray& mail)
    {
        QStringList found;
        const QRegularExpression address(QStringLiteral("[^\\s,;<>\"]+@[^\\s,;<>\"]+"));
        QString field;
        for (const QByteArray& raw : Headers(mail).split('\n')) {
            const QString line = QString::fromLatin1(raw).trimmed();
            if (!raw.startsWith(' ') && !raw.startsWith('\t'))
                field = line.section(QLatin1Char(':'), 0, 0).toLower();
            if (field == QLatin1String("to") || field == QLatin1String("cc") || field == QLatin1String("bcc"))
                for (auto it = address.globalMatch(line.section(QLatin1Char(':'), 1)); it.hasNext();)
                    found << it.next().captured();
        }
        return found;
    }

    void ClearMails()
    {
        for (const QString& f : MailFiles())
            QFile::remove(Mails() + QLatin1Char('/') + f);
    }

    static QByteArray Lint(const QString& file)
    {
        QProcess lint;
        lint.setProcessChannelMode(QProcess::MergedChannels);
        lint.start(QStringLiteral("php"), {QStringLiteral("-l"), file});
        if (!lint.waitForFinished(20000))
            return "php -l did not finish";
        return lint.exitCode() == 0 ? QByteArray() : lint.readAll();
    }

    static bool NoPhpMessages(const QByteArray& body)
    {
        return !body.contains("Warning") && !body.contains("Notice") && !body.contains("Deprecated") &&
               !body.contains("Fatal error");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir().mkpath(Site()) && QDir().mkpath(Mails()) && QDir().mkpath(Sessions()));
        const QString capture = QStringLiteral(QUORVEL_MAILCAPTURE_PATH " ") + Mails();
        net.setCookieJar(new QNetworkCookieJar(&net));
        QVERIFY2(server.Start(Site(),
                              {QStringLiteral("sendmail_path=") + capture,
                               QStringLiteral("session.save_path=") + Sessions(),
                               QStringLiteral("error_reporting=E_ALL"), QStringLiteral("display_errors=1")}),
                 "php -S did not start");
        port = server.Port();
    }

    void init()
    {
        ClearMails();
        server.TakeOutput();
    }

    void cleanup()
    {
        const QByteArray output = server.TakeOutput();
        QVERIFY2(NoPhpMessages(output), output.constData());
    }

    void shippedScriptsPassLint()
    {
        Publish(DefaultProject(), Visitor());
        for (const QString& name :
             QDir(Data + QStringLiteral("/formmailer")).entryList({"*.php"}, QDir::Files))
            QVERIFY2(Lint(Data + QStringLiteral("/formmailer/") + name).isEmpty(), qPrintable(name));
        QVERIFY(Lint(Site() + QStringLiteral("/formmailer_config.php")).isEmpty());
    }

    // The check answers who it is, nothing about where mails go; the
    // configuration itself gives nothing away.
    void checkAndConfigOverHttp()
    {
        Publish(DefaultProject(), Visitor());
        Response r = Request(QStringLiteral("formmailer.php?action=checkurl"));
        QCOMPARE(r.status, 200);
        QVERIFY2(r.body.startsWith("Quorvel form mailer "), r.body.constData());
        QVERIFY(!r.body.contains("example.com"));
        for (const char* path : {"formmailer_config.php", "qvmail.php"}) {
            r = Request(QLatin1String(path));
            QVERIFY2(r.body.trimmed().isEmpty(), r.body.constData());
        }
        r = Request(QStringLiteral("formmailer.php"));
        QCOMPARE(r.status, 405);
        QVERIFY(MailFiles().isEmpty());
    }

    void formPostSendsOneMail()
    {
        const Post post = Publish(DefaultProject(), Visitor());
        QVERIFY(!Value(post, QStringLiteral("qvfields")).isEmpty());
        const Response r = Send(post);
        QVERIFY2(r.status == 303, r.body.constData());
        QCOMPARE(r.location, QStringLiteral("https://www.example.com/danke.htm"));
        const QList<QByteArray> mails = AllMails();
        QCOMPARE(mails.size(), 1);
        const TMailMessage mail = TMailMessage::Parse(mails.first());
        QVERIFY2(mail.error.isEmpty(), qPrintable(mail.error));
        QCOMPARE(mail.Recipients(), (QStringList{"owner@example.com", "Sales@Example.com"}));
        QCOMPARE(mail.Header(QStringLiteral("From")), QStringLiteral("owner@example.com"));
        QCOMPARE(mail.Header(QStringLiteral("Reply-To")), QStringLiteral("eva@example.org"));
        QCOMPARE(mail.Subject(), DefaultProject().edtBetreff);
        QVERIFY(mail.Body());
        const QString body = mail.Body()->Text();
        QVERIFY2(body.contains(QString::fromUtf8("ich hätte gern Post")), qPrintable(body));
        QVERIFY(body.contains(QLatin1String("Eva Muster")));
        // The form's own settings never reach the mail as values.
        for (const char* hidden :
             {"cryptmail", "qvfields", "formid", "typemail", "settings", "ReturnToSender"})
            QVERIFY2(!body.contains(QLatin1String(hidden)), hidden);
    }

    // Whatever the post names, the mail goes to the list only: to the
    // entries it names (in the list's spelling), else to the first.
    void noRelay_data()
    {
        QTest::addColumn<bool>("scrambled");
        QTest::addColumn<Forge>("forge");
        QTest::addColumn<QStringList>("to");
        // The form names the owner (recipient) and sales (admin1), both on
        // the list.
        const QString foreign = QStringLiteral("victim@evil.example");
        const QString owner = QStringLiteral("owner@example.com");
        const QStringList both{owner, QStringLiteral("Sales@Example.com")};
        const QStringList sales{QStringLiteral("Sales@Example.com")};
        const auto set = [](const QString& key, const QString& value) -> Forge {
            return [key, value](Post& p) { Set(p, key, value); };
        };
        const QString scrambledForeign = TCodeExport::ScrambledBase64(foreign);
        for (bool scrambled : {false, true}) {
            const char* how = scrambled ? "scrambled" : "plain";
            const auto named = [scrambled](const QString& address) {
                return scrambled ? TCodeExport::ScrambledBase64(address) : address;
            };
            QTest::addRow("%s: untouched", how) << scrambled << Forge([](Post&) {}) << both;
            QTest::addRow("%s: foreign recipient", how)
                << scrambled << set("recipient", named(foreign)) << sales;
            QTest::addRow("%s: foreign admin1", how)
                << scrambled << set("admin1", named(foreign)) << QStringList{owner};
            QTest::addRow("%s: list entry in other case", how) << scrambled << Forge([named](Post& p) {
                Set(p, QStringLiteral("recipient"), named(QStringLiteral("SALES@example.COM")));
                Set(p, QStringLiteral("admin1"), QString());
            }) << sales;
            QTest::addRow("%s: two addresses in one", how)
                << scrambled << set("recipient", named(owner + QStringLiteral(", ") + foreign)) << sales;
            QTest::addRow("%s: header line", how)
                << scrambled << set("recipient", named(owner + QStringLiteral("\r\nBcc: ") + foreign))
                << sales;
            QTest::addRow("%s: only foreign", how) << scrambled << Forge([named, foreign](Post& p) {
                Set(p, QStringLiteral("recipient"), named(foreign));
                Set(p, QStringLiteral("admin1"), named(foreign));
                Set(p, QStringLiteral("admin2"), named(foreign));
            }) << QStringList{owner};
        }
        QTest::newRow("scrambled foreign, cryptmail 0")
            << false << set("recipient", scrambledForeign) << sales;
        QTest::newRow("plain foreign, cryptmail 1") << true << set("recipient", foreign) << sales;
        for (const char* key : {"to", "cc", "bcc", "Bcc", "recipient1", "admin3"})
            QTest::addRow("extra key %s", key) << false << set(QLatin1String(key), foreign) << both;
        QTest::newRow("header line in the subject")
            << false << set("subject", QStringLiteral("Hallo\r\nBcc: ") + foreign) << both;
        QTest::newRow("header line in the sender")
            << false << set("email", QStringLiteral("eva@example.org\r\nBcc: ") + foreign) << both;
        QTest::newRow("copy asked without picture code") << false << Forge([foreign](Post& p) {
            Set(p, QStringLiteral("ReturnToSender"), QStringLiteral("-1"));
            Set(p, QStringLiteral("email"), foreign);
        }) << both;
        QTest::newRow("field list naming the settings") << false << Forge([foreign](Post& p) {
            Set(p, QStringLiteral("qvfields"),
                QString::fromLatin1(QByteArray("recipient,text,0,0\nto,text,0,0").toBase64()));
            Set(p, QStringLiteral("to"), foreign);
        }) << both;
    }

    void noRelay()
    {
        QFETCH(bool, scrambled);
        QFETCH(Forge, forge);
        QFETCH(QStringList, to);
        TFormProject project = DefaultProject();
        project.cbCryptAddr = scrambled;
        Post post = Publish(project, Visitor());
        QCOMPARE(Value(post, QStringLiteral("cryptmail")), QLatin1String(scrambled ? "1" : "0"));
        forge(post);
        const Response r = Send(post);
        QVERIFY2(r.status == 303, r.body.constData());
        const QList<QByteArray> mails = AllMails();
        QCOMPARE(mails.size(), 1);
        QCOMPARE(Addressed(mails.first()), to);
        // A visitor's text may stand in the subject or Reply-To, never in a
        // header of its own.
        const QByteArray headers = Headers(mails.first());
        QVERIFY2(!QRegularExpression(QStringLiteral("(^|\\n)(bcc|cc|to):.*evil"),
                                     QRegularExpression::CaseInsensitiveOption)
                      .match(QString::fromLatin1(headers))
                      .hasMatch(),
                 headers.constData());
    }

    // One try per code, kept per form; a solved code also lets the copy go
    // to the visitor, with the fields when the form says so.
    void pictureCode()
    {
        TFormProject project = DefaultProject();
        project.chkCaptcha = true;
        project.chkAbsender = true;
        project.ExtSettings.kopie_absender = true;
        Post post = Publish(project, Visitor());
        QCOMPARE(Value(post, QStringLiteral("formid")), QStringLiteral("4711"));
        // The form's pictures come from beside it: the code from the mailer,
        // the picture of the link that draws a new one lies beside it.
        QVERIFY(page.contains(QLatin1String("src=\"formmailer.php?action=captcha&amp;id=4711\"")));
        QVERIFY(page.contains(QLatin1String("src=\"refresh.png\"")));
        QVERIFY(Request(QStringLiteral("refresh.png")).body.startsWith("\x89PNG"));

        Response r = Send(post); // no code drawn, none typed
        QCOMPARE(r.status, 403);
        QString code = PictureCode(QStringLiteral("4711"));
        QCOMPARE(code.size(), 5);
        Set(post, QStringLiteral("captcha_input"),
            QStringLiteral("ZZZZZ") == code ? QStringLiteral("YYYYY") : QStringLiteral("ZZZZZ"));
        QCOMPARE(Send(post).status, 403);
        Set(post, QStringLiteral("captcha_input"), code); // the code of the failed try is gone
        QCOMPARE(Send(post).status, 403);
        QVERIFY(MailFiles().isEmpty());
        // Another form's code does not count.
        code = PictureCode(QStringLiteral("815"));
        Set(post, QStringLiteral("captcha_input"), code);
        QCOMPARE(Send(post).status, 403);
        QVERIFY(MailFiles().isEmpty());

        code = PictureCode(QStringLiteral("4711"));
        Set(post, QStringLiteral("captcha_input"), code.toLower());
        r = Send(post);
        QVERIFY2(r.status == 303, r.body.constData());
        QList<QByteArray> mails = AllMails();
        QCOMPARE(mails.size(), 2);
        QCOMPARE(Addressed(mails[0]), (QStringList{"owner@example.com", "Sales@Example.com"}));
        QCOMPARE(Addressed(mails[1]), QStringList{QStringLiteral("eva@example.org")});
        QVERIFY(TMailMessage::Parse(mails[1]).Body()->Text().contains(QLatin1String("Eva Muster")));
        QVERIFY2(!mails[0].contains("captcha_input") && !mails[0].contains(code.toLower().toLatin1()),
                 mails[0].constData());

        ClearMails();
        QCOMPARE(Send(post).status, 403); // reused
        QVERIFY(MailFiles().isEmpty());
    }

    // What the program wrote into the configuration (subject, mail text,
    // thank-you page, whether a copy goes out) wins over a forged post: a
    // solved code never sends the visitor a copy with a text of their own
    // when the project sends no copy.
    void configurationWinsOverThePost()
    {
        TFormProject project = DefaultProject();
        project.chkCaptcha = true;
        project.memoMailtext = QStringLiteral("Neue Anfrage von {#name#}");
        Post post = Publish(project, Visitor());
        Set(post, QStringLiteral("subject"), QStringLiteral("Sie haben gewonnen"));
        Set(post, QStringLiteral("einleittext"),
            TCodeExport::ScrambledBase64(QStringLiteral("Klicken Sie hier")));
        Set(post, QStringLiteral("danke"), QStringLiteral("https://elsewhere.example.net/"));
        Set(post, QStringLiteral("ReturnToSender"), QStringLiteral("-1"));
        Set(post, QStringLiteral("copyfields"), QStringLiteral("-1"));
        Set(post, QStringLiteral("captcha_input"), PictureCode(QStringLiteral("4711")));
        const Response r = Send(post);
        QVERIFY2(r.status == 303, r.body.constData());
        QCOMPARE(r.location, project.edtDanke);
        const QList<QByteArray> mails = AllMails();
        QCOMPARE(mails.size(), 1);
        const TMailMessage mail = TMailMessage::Parse(mails.first());
        QCOMPARE(mail.Subject(), project.edtBetreff);
        QVERIFY(mail.Body()->Text().contains(QStringLiteral("Neue Anfrage von Eva Muster")));
        QVERIFY(!mail.Body()->Text().contains(QStringLiteral("Klicken")));
    }

    // Checks the form makes in the browser are made again; the answer never
    // shows posted text as markup.
    void requiredFieldsCheckedAgain()
    {
        const TFormProject project = DefaultProject();
        const Post valid = Publish(project, Visitor());
        const QString field = QStringLiteral("nachricht");
        bool required = false;
        for (const auto& f : project.ListField)
            required = required || (f->Name == field && f->Pflicht);
        QVERIFY(required);
        for (const QString& empty : {QString(), QStringLiteral("  \r\n ")}) {
            Post post = valid;
            Set(post, field, empty);
            Set(post, QStringLiteral("name"), QStringLiteral("<script>alert(1)</script>"));
            const Response r = Send(post);
            QCOMPARE(r.status, 400);
            QVERIFY2(r.body.contains("nachricht") && !r.body.contains("<script>"), r.body.constData());
        }
        Post post = valid;
        post.removeIf([&field](const auto& pair) { return pair.first == field; });
        QCOMPARE(Send(post).status, 400);
        QVERIFY(MailFiles().isEmpty());
    }

    // A file of the form's own upload field is attached under a safe name;
    // one too large, or sent under another name, is not.
    void uploads()
    {
        TFormProject project = DefaultProject();
        auto file = std::make_unique<TFileField>();
        file->Name = QStringLiteral("anhang");
        file->Beschriftung = QStringLiteral("Anhang");
        project.ListField.Add(std::move(file));
        const Post post = Publish(project, Visitor());
        const QByteArray picture = QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(2000, 'p');

        Response r = Send(post, {{QStringLiteral("anhang"), picture}, {QStringLiteral("fremd"), "other"}});
        QVERIFY2(r.status == 303, r.body.constData());
        QList<QByteArray> mails = AllMails();
        QCOMPARE(mails.size(), 1);
        const TMailMessage mail = TMailMessage::Parse(mails.first());
        QVERIFY2(mail.error.isEmpty(), qPrintable(mail.error));
        const QList<TMailPart> attached = mail.Attachments();
        QCOMPARE(attached.size(), 1);
        QCOMPARE(attached.first().fileName, QStringLiteral("bild_1.png"));
        QCOMPARE(attached.first().data, picture);

        ClearMails();
        r = Send(post, {{QStringLiteral("anhang"), QByteArray(1048577, 'x')}});
        QCOMPARE(r.status, 400);
        QVERIFY(r.body.contains("anhang"));
        QVERIFY(MailFiles().isEmpty());
    }

    // The form's own error pages take a wrong code and a file too large,
    // when they are addresses that may stand in a redirect.
    void errorPages()
    {
        TFormProject project = DefaultProject();
        project.chkCaptcha = true;
        project.ExtSettings.ErrorPages.CaptchaErrorPage = QStringLiteral("https://www.example.com/code.htm");
        project.ExtSettings.ErrorPages.FileErrorPage = QStringLiteral("javascript:alert(1)");
        auto file = std::make_unique<TFileField>();
        file->Name = QStringLiteral("anhang");
        project.ListField.Add(std::move(file));
        Post post = Publish(project, Visitor());
        Set(post, QStringLiteral("captcha_input"), QStringLiteral("ZZZZZ"));
        Response r = Send(post);
        QCOMPARE(r.status, 303);
        QCOMPARE(r.location, QStringLiteral("https://www.example.com/code.htm"));
        Set(post, QStringLiteral("captcha_input"), PictureCode(QStringLiteral("4711")));
        r = Send(post, {{QStringLiteral("anhang"), QByteArray(1048577, 'x')}});
        QCOMPARE(r.status, 400);
        QVERIFY(r.location.isEmpty() && !r.body.contains("alert"));
        QVERIFY(MailFiles().isEmpty());
    }

    // Without a configuration, or with one naming no valid address, the
    // mailer takes nothing.
    void refusesWithoutConfiguration()
    {
        const Post post = Publish(DefaultProject(), Visitor());
        const QString config = Site() + QStringLiteral("/formmailer_config.php");
        QVERIFY(QFile::remove(config));
        QCOMPARE(Request(QStringLiteral("formmailer.php?action=checkurl")).status, 503);
        QCOMPARE(Send(post).status, 503);
        QFile shipped(Data + QStringLiteral("/formmailer/formmailer_config.php"));
        QVERIFY(shipped.copy(config)); // the sample names no recipient
        QCOMPARE(Send(post).status, 503);
        QVERIFY(MailFiles().isEmpty());
        QVERIFY(server.TakeOutput().contains("formmailer_config.php is missing or names no valid recipient"));
    }
};

QTEST_GUILESS_MAIN(TestFormMailerE2E)
#include "tst_formmailer_e2e.moc"
