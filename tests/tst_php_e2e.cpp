// The generated PHP page on a real PHP server: it shows the form, checks
// the post on the server, sends one mail through a captured sendmail, and
// keeps hostile input out of the page and the mail headers.
#include "CapturedMails.h"
#include "PhpPost.h"
#include "PhpServer.h"
#include "RecordingPrompter.h"
#include "base/LanguageTexts.h"
#include "codegen/GenPHP.h"
#include "codegen/PageFiles.h"
#include "fields/CheckBoxField.h"
#include "fields/CheckBoxList.h"
#include "fields/DropDownField.h"
#include "fields/EinzField.h"
#include "fields/FileField.h"
#include "fields/MehrzField.h"
#include "model/FormProject.h"
#include "preview/MailMessage.h"
#include "projectfile/FieldFactory.h"
#include "projectfile/ProjectFile.h"

#include <QDir>
#include <QDomDocument>
#include <QNetworkAccessManager>
#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <QtTest>
#include <functional>

// A change to a project, for tables of cases.
using Edit = std::function<void(TFormProject&)>;
Q_DECLARE_METATYPE(Edit)

namespace
{
const QString Data = QStringLiteral(QUORVEL_TEST_DATA_DIR);
using PhpPost::Response;
} // namespace

class TestPhpE2E : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    PhpServer server;
    int port = 0;
    QNetworkAccessManager net;
    RecordingPrompter prompter;
    TLanguageTexts texts{Data + QStringLiteral("/lang.ini"), &prompter};

    QString Site() const { return dir.path() + QStringLiteral("/site"); }
    QString Mails() const { return dir.path() + QStringLiteral("/mails"); }
    QString Sessions() const { return dir.path() + QStringLiteral("/sessions"); }

    // Generates the project's PHP page into the served folder.
    void Publish(const TFormProject& project, const QString& name)
    {
        TGenPHP gen(project, texts, Data);
        const auto page = gen.GenCode();
        QVERIFY2(page, qPrintable(page.Error()));
        QVERIFY(PageFiles::WritePage(Site() + QLatin1Char('/') + name, *page, project.ExtSettings.encoding,
                                     PageFiles::PageKind::Php));
    }

    TFormProject DefaultProject()
    {
        TFormProject project;
        TProjectFile file(texts);
        if (!file.LoadProject(project, Data + QStringLiteral("/default_Deutsch.qvf")))
            qFatal("default project does not load");
        project.edtEMail = QStringLiteral("owner@example.com");
        project.edtDanke = QStringLiteral("https://www.example.com/danke.htm");
        return project;
    }

    using Post = PhpPost::Post;
    bool latin1Post = false; // as a browser posts a single-byte page

    // A GET, or a POST as the form sends it (multipart), with optional files
    // given as field name and contents.
    Response Request(const QString& path, const Post& post = {},
                     const QList<std::pair<QString, QByteArray>>& files = {})
    {
        PhpPost::Options options;
        options.latin1 = latin1Post;
        return PhpPost::Request(net, QUrl(QStringLiteral("http://127.0.0.1:%1/%2").arg(port).arg(path)), post,
                                files, options);
    }

    // What PHP keeps as the picture code of this client's session.
    QString SessionCaptcha()
    {
        return PhpPost::SessionCaptcha(
            PhpPost::SessionFile(net, QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port)), Sessions()));
    }

    // The complaints a page shows, for failure messages.
    static QByteArray Complaints(const QByteArray& body)
    {
        QByteArray out;
        const QRegularExpression re(QStringLiteral("ERR-[A-Za-z_]+|qv-error\">[^<]*|Code falsch"));
        for (auto it = re.globalMatch(QString::fromUtf8(body)); it.hasNext();)
            out += it.next().captured().toUtf8() + ' ';
        return out.isEmpty() ? body.left(2000) : out;
    }

    // PHP's own syntax check of a published page: empty when it passes.
    QByteArray LintErrors(const QString& name) const
    {
        QProcess lint;
        lint.setProcessChannelMode(QProcess::MergedChannels);
        lint.start(QStringLiteral("php"), {QStringLiteral("-l"), Site() + QLatin1Char('/') + name});
        if (!lint.waitForFinished(20000))
            return "php -l did not finish";
        return lint.exitCode() == 0 ? QByteArray() : lint.readAll();
    }

    static bool NoPhpMessages(const QByteArray& body)
    {
        return !body.contains("Warning") && !body.contains("Notice") && !body.contains("Deprecated") &&
               !body.contains("Fatal error");
    }

    CapturedMails Captured() const { return CapturedMails(Mails()); }
    QStringList MailFiles() const { return Captured().Files(); }
    QByteArray OnlyMail() const { return Captured().Only(); }
    QList<QByteArray> AllMails() const { return Captured().All(); }
    static QByteArray Headers(const QByteArray& mail) { return CapturedMails::Headers(mail); }
    static QString Body(const QByteArray& mail) { return CapturedMails::Body(mail); }

    // Every field kind, each required and with a message naming it; the
    // e-mail field checks the address, "menge" is a required number.
    TFormProject EveryKind()
    {
        TFormProject project;
        TProjectFile file(texts);
        if (!file.LoadProject(project, QStringLiteral(QUORVEL_TEST_FIXTURES "/every_kind.qvf")))
            qFatal("every_kind.qvf does not load");
        auto menge = std::make_unique<TEinzField>();
        menge->Name = QStringLiteral("menge");
        menge->Beschriftung = QStringLiteral("Menge");
        menge->Pflicht = true;
        menge->PflichtFeldTyp = 2;
        project.ListField.Add(std::move(menge));
        for (const auto& f : project.ListField) {
            f->Pflicht = f->Pflicht || f->Name == QLatin1String("anhang");
            f->Meldung = QStringLiteral("ERR-") + f->Name;
            if (auto* e = dynamic_cast<TEinzField*>(f.get()); e && e->Name == QLatin1String("email"))
                e->PflichtFeldTyp = 1;
            if (auto* list = dynamic_cast<TCheckBoxList*>(f.get()))
                for (const auto& item : list->ListCheckboxes)
                    item->Meldung = QStringLiteral("ERR-") + item->Name;
        }
        project.edtEMail = QStringLiteral("owner@example.com");
        project.edtDanke = QStringLiteral("https://www.example.com/danke.htm");
        project.ExtSettings.encoding = QStringLiteral("utf-8");
        project.chkCaptcha = false;
        project.chkAbsender = false;
        return project;
    }

    // A valid post to the default project's form.
    static Post ValidDefault()
    {
        return {{QStringLiteral("name"), QStringLiteral("Eva")},
                {QStringLiteral("email"), QStringLiteral("eva@example.org")},
                {QStringLiteral("nachricht"), QStringLiteral("x")},
                {QStringLiteral("zustimmung"), QStringLiteral("ja")}};
    }

    static Post ValidEveryKind()
    {
        return {{QStringLiteral("vorname"), QStringLiteral("Eva Müller")},
                {QStringLiteral("email"), QStringLiteral("eva@example.org")},
                {QStringLiteral("kennwort"), QStringLiteral("geheim")},
                {QStringLiteral("nachricht"), QStringLiteral("Zeile 1\r\nZeile 2")},
                {QStringLiteral("agb"), QStringLiteral("on")},
                {QStringLiteral("land"), QStringLiteral("Österreich")},
                {QStringLiteral("versand"), QStringLiteral("Post")},
                {QStringLiteral("i_sport"), QStringLiteral("Sport")},
                {QStringLiteral("i_musik"), QStringLiteral("Musik")},
                {QStringLiteral("datum"), QStringLiteral("01.02.2027")},
                {QStringLiteral("menge"), QStringLiteral("3,5")}};
    }

    // Shows the page's picture code in this client's session and returns it.
    // Fetches a picture and returns its code from the session. The network
    // access manager now and then sends the request a second time on a
    // connection of its own, which draws a new code: the code is read once
    // that would have arrived.
    QString PictureCode(const QString& page, Response* picture = nullptr)
    {
        const Response answer = Request(page + QStringLiteral("?action=captcha"));
        if (picture)
            *picture = answer;
        QTest::qWait(250);
        return SessionCaptcha();
    }

    // The recipients of a captured mail (its "To:" line).
    static QByteArray To(const QByteArray& mail)
    {
        for (const QByteArray& line : Headers(mail).split('\n'))
            if (line.startsWith("To: "))
                return line.mid(4).trimmed();
        return QByteArray();
    }

    void ClearMails()
    {
        for (const QString& f : MailFiles())
            QFile::remove(Mails() + QLatin1Char('/') + f);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir().mkpath(Site()) && QDir().mkpath(Mails()) && QDir().mkpath(Sessions()));
        // The local test's own mail program keeps each mail as a file.
        // (PHP takes a quoted -d value only up to its closing quote: the paths
        // go unquoted, and have no blanks here.)
        const QString capture = QStringLiteral(QUORVEL_MAILCAPTURE_PATH " ") + Mails();
        net.setCookieJar(new QNetworkCookieJar(&net));

        QVERIFY2(server.Start(Site(),
                              {QStringLiteral("sendmail_path=") + capture,
                               QStringLiteral("session.save_path=") + Sessions(),
                               QStringLiteral("error_reporting=E_ALL"), QStringLiteral("display_errors=1")}),
                 "php -S did not start");
        port = server.Port();
    }

    void init() { ClearMails(); }

    void pageShowsTheForm()
    {
        Publish(DefaultProject(), QStringLiteral("kontakt.php"));
        const Response r = Request(QStringLiteral("kontakt.php"));
        QCOMPARE(r.status, 200);
        QVERIFY(r.body.contains("name=\"QVFORM\""));
        QVERIFY(r.body.contains("name=\"nachricht\""));
        QVERIFY2(!r.body.contains("Warning") && !r.body.contains("Notice") && !r.body.contains("Deprecated"),
                 r.body.constData());
        QVERIFY(MailFiles().isEmpty());
    }

    void validPostSendsOneMail()
    {
        Publish(DefaultProject(), QStringLiteral("kontakt.php"));
        Request(QStringLiteral("kontakt.php"));
        const Response r =
            Request(QStringLiteral("kontakt.php?action=send"),
                    {{QStringLiteral("name"), QStringLiteral("Eva Muster")},
                     {QStringLiteral("email"), QStringLiteral("eva@example.org")},
                     {QStringLiteral("nachricht"), QStringLiteral("Guten Tag, ich hätte gern Post.")},
                     {QStringLiteral("zustimmung"), QStringLiteral("ja")}});
        QVERIFY2(r.status == 303 || r.status == 302, r.body.constData());
        QCOMPARE(r.location, QStringLiteral("https://www.example.com/danke.htm"));
        const QByteArray mail = OnlyMail();
        QVERIFY2(Headers(mail).startsWith("To: owner@example.com"), mail.constData());
        QVERIFY2(mail.contains("Reply-To: eva@example.org"), mail.constData());
        QVERIFY2(mail.contains("Eva Muster"), mail.constData());
        // The inbox reads it as a mail program would.
        const TMailMessage read = TMailMessage::Parse(mail);
        QVERIFY2(read.error.isEmpty(), qPrintable(read.error));
        QCOMPARE(read.Recipients(), QStringList{QStringLiteral("owner@example.com")});
        QCOMPARE(read.Header(QStringLiteral("Reply-To")), QStringLiteral("eva@example.org"));
        QVERIFY(!read.Subject().isEmpty() && !read.Subject().contains(QLatin1String("=?")));
        QVERIFY(read.Body());
        QVERIFY2(read.Body()->Text().contains(QString::fromUtf8("ich hätte gern Post")),
                 qPrintable(read.Body()->Text()));
    }

    void missingRequiredFieldIsRefused()
    {
        Publish(DefaultProject(), QStringLiteral("kontakt.php"));
        Request(QStringLiteral("kontakt.php"));
        const Response r = Request(QStringLiteral("kontakt.php?action=send"),
                                   {{QStringLiteral("name"), QStringLiteral("Eva")},
                                    {QStringLiteral("email"), QStringLiteral("keine-adresse")},
                                    {QStringLiteral("nachricht"), QString()}});
        QCOMPARE(r.status, 200);
        QVERIFY(r.body.contains("color:#B91C1C")); // the default project's error colour
        QVERIFY(MailFiles().isEmpty());
        QVERIFY(r.body.contains("value=\"Eva\"")); // the post is shown again
    }

    void hostileInputStaysInert()
    {
        Publish(DefaultProject(), QStringLiteral("kontakt.php"));
        Request(QStringLiteral("kontakt.php"));
        const QString script = QStringLiteral("\"><script>alert(1)</script>{$x}");
        Response r = Request(QStringLiteral("kontakt.php?action=send"),
                             {{QStringLiteral("name"), script}, {QStringLiteral("email"), QString()}});
        QCOMPARE(r.status, 200);
        QVERIFY2(!r.body.contains("<script>alert(1)"), r.body.constData());
        QVERIFY(r.body.contains("&quot;&gt;&lt;script&gt;alert(1)&lt;/script&gt;{$x}"));

        // A header line in a value that reaches the mail stays in the body.
        r = Request(QStringLiteral("kontakt.php?action=send"),
                    {{QStringLiteral("name"), QStringLiteral("Eva\r\nBcc: victim@example.net")},
                     {QStringLiteral("email"), QStringLiteral("eva@example.org")},
                     {QStringLiteral("nachricht"), QStringLiteral("x\r\nBcc: victim@example.net\r\n\r\n")},
                     {QStringLiteral("zustimmung"), QStringLiteral("ja")}});
        QCOMPARE(r.status, 303);
        const QByteArray mail = OnlyMail();
        QVERIFY2(!Headers(mail).contains("victim@example.net"), mail.constData());
        QVERIFY2(Body(mail).contains(QStringLiteral("victim@example.net")), mail.constData());
        // An address with a header line in it is no address.
        ClearMails();
        r = Request(QStringLiteral("kontakt.php?action=send"),
                    {{QStringLiteral("name"), QStringLiteral("Eva")},
                     {QStringLiteral("email"), QStringLiteral("eva@example.org\r\nBcc: victim@example.net")},
                     {QStringLiteral("nachricht"), QStringLiteral("x")},
                     {QStringLiteral("zustimmung"), QStringLiteral("ja")}});
        QCOMPARE(r.status, 200);
        QVERIFY(MailFiles().isEmpty());
    }

    void phpLintIsClean()
    {
        // a project of every kind, with quotes, backslashes, dollars and umlauts
        TFormProject project;
        TProjectFile file(texts);
        QVERIFY(file.LoadProject(project, QStringLiteral(QUORVEL_TEST_FIXTURES "/every_kind.qvf")));
        project.chkCaptcha = true;
        for (const auto& f : project.ListField) {
            f->Meldung = QStringLiteral("Fehler: \"$x\" \\ {$y} </script> ä");
            if (auto* e = dynamic_cast<TEinzField*>(f.get()))
                e->Vorgabewert = QStringLiteral("\"'\\$z");
        }
        project.ExtSettings.ErrorMessages.CaptchaError = QStringLiteral("Code \"$falsch\"");
        Publish(project, QStringLiteral("all.php"));
        const QByteArray lint = LintErrors(QStringLiteral("all.php"));
        QVERIFY2(lint.isEmpty(), lint.constData());
        const Response r = Request(QStringLiteral("all.php"));
        QCOMPARE(r.status, 200);
        QVERIFY2(!r.body.contains("Warning") && !r.body.contains("Notice"), r.body.constData());
    }
    // Each kind's server check, one change at a time to an otherwise valid post.
    void serverChecks_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value"); // "-" leaves the field out of the post
        QTest::addColumn<bool>("withFile");
        QTest::addColumn<QString>("error"); // empty: the post is accepted
        QTest::newRow("all valid") << ""
                                   << "" << true << "";
        QTest::newRow("text too short") << "vorname"
                                        << "E" << true << "ERR-vorname";
        QTest::newRow("text of minimum length") << "vorname"
                                                << "Ev" << true << "";
        QTest::newRow("text sent as an array") << "vorname[]"
                                               << "x" << true << "";
        QTest::newRow("e-mail malformed") << "email"
                                          << "eva@" << true << "ERR-email";
        QTest::newRow("e-mail missing") << "email"
                                        << "-" << true << "ERR-email";
        QTest::newRow("number with comma") << "menge"
                                           << "2,75" << true << "";
        QTest::newRow("not a number") << "menge"
                                      << "drei" << true << "ERR-menge";
        QTest::newRow("password empty") << "kennwort"
                                        << "" << true << "ERR-kennwort";
        QTest::newRow("multi-line empty") << "nachricht"
                                          << "" << true << "ERR-nachricht";
        QTest::newRow("check box not ticked") << "agb"
                                              << "-" << true << "ERR-agb";
        QTest::newRow("list on its first entry") << "land"
                                                 << "Bitte wählen" << true << "ERR-land";
        QTest::newRow("radio not chosen") << "versand"
                                          << "-" << true << "ERR-versand";
        QTest::newRow("radio chosen otherwise") << "versand"
                                                << "Bote " << true << "";
        QTest::newRow("required box of a list missing") << "i_musik"
                                                        << "-" << true << "ERR-i_musik";
        QTest::newRow("calendar empty") << "datum"
                                        << "" << true << "ERR-datum";
        QTest::newRow("upload missing") << ""
                                        << "" << false << "ERR-anhang";
    }

    void serverChecks()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(bool, withFile);
        QFETCH(QString, error);
        Publish(EveryKind(), QStringLiteral("every.php"));
        Post post = ValidEveryKind();
        if (!field.isEmpty()) {
            const QString name = field.endsWith(QLatin1String("[]")) ? field.chopped(2) : field;
            post.removeIf([&](const auto& p) { return p.first == name; });
            if (field.endsWith(QLatin1String("[]"))) // a forged array must not break the page
                post.append({field, value});
            else if (value != QLatin1String("-"))
                post.append({field, value});
        }
        QList<std::pair<QString, QByteArray>> files;
        if (withFile)
            files.append({QStringLiteral("anhang"), QByteArray("<?php echo 'never run'; ?>")});
        const Response r = Request(QStringLiteral("every.php?action=send"), post, files);
        QVERIFY2(NoPhpMessages(r.body), r.body.constData());
        if (field.endsWith(QLatin1String("[]"))) { // reads as missing
            QCOMPARE(r.status, 200);
            QVERIFY(r.body.contains("ERR-vorname"));
            return;
        }
        if (error.isEmpty()) {
            QVERIFY2(r.status == 303, Complaints(r.body).constData());
            QCOMPARE(AllMails().size(), 1);
        } else {
            QCOMPARE(r.status, 200);
            QVERIFY2(r.body.contains(error.toUtf8()), r.body.constData());
            QCOMPARE(r.body.count("ERR-"), 1); // only the one field complains
            QVERIFY(MailFiles().isEmpty());
        }
    }

    // One mail per valid post in each format, with the values, the extra
    // text with its placeholder filled, the attachment under a safe name,
    // and scrambled recipients decoded by the page.
    void mailFormats_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("encoding");
        QTest::newRow("html") << "html" << QByteArray("text/html; charset=UTF-8") << "<td>Eva Müller</td>"
                              << "utf-8";
        QTest::newRow("plain, single-byte page")
            << "plain" << QByteArray("text/plain; charset=UTF-8") << "vorname: Eva Müller"
            << "iso-8859-1";
        QTest::newRow("xml") << "xml" << QByteArray("text/xml; charset=UTF-8")
                             << "<field name=\"vorname\">Eva Müller</field>"
                             << "utf-8";
    }

    void mailFormats()
    {
        QFETCH(QString, format);
        QFETCH(QByteArray, contentType);
        QFETCH(QString, value);
        QFETCH(QString, encoding);
        TFormProject project = EveryKind();
        project.ExtSettings.encoding = encoding;
        latin1Post = encoding != QLatin1String("utf-8");
        const auto restore = qScopeGuard([this] { latin1Post = false; });
        for (const auto& f : project.ListField)
            if (f->Name == QLatin1String("anhang"))
                f->Pflicht = false;
        project.cboMailFormat = format;
        project.cbCryptAddr = true;
        project.edtEMail1 = QStringLiteral("second@example.com");
        project.edtBetreff = QStringLiteral("Anfrage für Größen");
        project.memoMailtext = QStringLiteral("Hallo {#vorname#},\r\ndanke für \"{#menge#}\".");
        Publish(project, QStringLiteral("formats.php"));
        const Response r = Request(QStringLiteral("formats.php?action=send"), ValidEveryKind());
        QVERIFY2(r.status == 303, Complaints(r.body).constData());
        const QByteArray mail = OnlyMail();
        const QByteArray headers = Headers(mail);
        QVERIFY2(headers.contains("To: owner@example.com, second@example.com"), mail.constData());
        QVERIFY(headers.contains("From: owner@example.com"));
        QVERIFY(headers.contains("Reply-To: eva@example.org"));
        QVERIFY(headers.contains(QByteArray("Content-Type: " + contentType)));
        QVERIFY(headers.contains("Subject: =?UTF-8?B?")); // non-ASCII subject encoded
        const QString body = Body(mail);
        QVERIFY2(body.contains(value), qPrintable(body));
        QVERIFY2(body.contains(QStringLiteral("Hallo Eva Müller,")), qPrintable(body));
        QVERIFY(body.contains(format == QLatin1String("plain")
                                  ? QStringLiteral("danke für \"3,5\".")
                                  : QStringLiteral("danke für &quot;3,5&quot;.")));
        QVERIFY(!body.contains(QStringLiteral("kennwort")) || body.contains(QStringLiteral("geheim")));
    }

    void attachmentAndSize()
    {
        Publish(EveryKind(), QStringLiteral("upload.php"));
        Response r = Request(QStringLiteral("upload.php?action=send"), ValidEveryKind(),
                             {{QStringLiteral("anhang"), QByteArray(1536 * 1024, 'x')}});
        QCOMPARE(r.status, 200);
        QVERIFY2(r.body.contains("Maximale Dateigröße überschritten!"), r.body.constData());
        QVERIFY(MailFiles().isEmpty());

        r = Request(QStringLiteral("upload.php?action=send"), ValidEveryKind(),
                    {{QStringLiteral("anhang"), QByteArray("Hallo Anhang")}});
        QCOMPARE(r.status, 303);
        const QByteArray mail = OnlyMail();
        QVERIFY2(mail.contains("filename=\"evil_name.txt\""), mail.constData()); // no path, no blanks
        QVERIFY(mail.contains(QByteArray("Hallo Anhang").toBase64()));
        QVERIFY(QDir(Site()).entryList(QDir::Files).filter(QStringLiteral("evil")).isEmpty());
    }

    // The copy goes to the visitor's address only after every check,
    // the picture code among them, and holds the visitor's values only when
    // the project says so.
    void copyToSender_data()
    {
        QTest::addColumn<bool>("withFields");
        QTest::addColumn<bool>("hideEmpty");
        QTest::newRow("text only") << false << false;
        QTest::newRow("text and fields, empty ones hidden") << true << true;
    }

    void copyToSender()
    {
        QFETCH(bool, withFields);
        QFETCH(bool, hideEmpty);
        TFormProject project = DefaultProject();
        auto phone = std::make_unique<TEinzField>();
        phone->Name = QStringLiteral("telefon");
        phone->Beschriftung = QStringLiteral("Telefon");
        project.ListField.Add(std::move(phone));
        project.chkCaptcha = true;
        project.ExtSettings.hide_empty_fields = hideEmpty;
        project.chkAbsender = true;
        project.ExtSettings.kopie_absender = withFields;
        project.ExtSettings.ip_informationen = true;
        project.memoMailtext = QStringLiteral("Wir melden uns.");
        Publish(project, QStringLiteral("copy.php"));
        Response r = Request(QStringLiteral("copy.php?action=send"),
                             {{QStringLiteral("name"), QStringLiteral("Eva")},
                              {QStringLiteral("email"), QStringLiteral("eva@example.org")},
                              {QStringLiteral("captcha_input"), PictureCode(QStringLiteral("copy.php"))}});
        QCOMPARE(r.status, 200); // checks failed: nothing goes out, no copy either
        QVERIFY(MailFiles().isEmpty());

        r = Request(QStringLiteral("copy.php?action=send"),
                    {{QStringLiteral("name"), QStringLiteral("Eva")},
                     {QStringLiteral("email"), QStringLiteral("eva@example.org")},
                     {QStringLiteral("nachricht"), QStringLiteral("Meine Frage")},
                     {QStringLiteral("telefon"), QString()},
                     {QStringLiteral("zustimmung"), QStringLiteral("ja")},
                     {QStringLiteral("captcha_input"), PictureCode(QStringLiteral("copy.php"))}});
        QCOMPARE(r.status, 303);
        const QList<QByteArray> mails = AllMails();
        QCOMPARE(mails.size(), 2);
        const QByteArray copy = To(mails[0]) == "eva@example.org" ? mails[0] : mails[1];
        const QByteArray owner = copy == mails[0] ? mails[1] : mails[0];
        QCOMPARE(To(copy), QByteArray("eva@example.org"));
        QCOMPARE(To(owner), QByteArray("owner@example.com"));
        QVERIFY(Headers(copy).contains("From: owner@example.com"));
        QVERIFY(Body(copy).contains(QStringLiteral("Wir melden uns.")));
        QCOMPARE(Body(copy).contains(QStringLiteral("Meine Frage")), withFields);
        QVERIFY(!Body(copy).contains(QStringLiteral("IP: "))); // the owner's only
        QVERIFY(Body(owner).contains(QStringLiteral("IP: 127.0.0.1")));
        QVERIFY(Body(owner).contains(QStringLiteral("Meine Frage")));
        QCOMPARE(Body(owner).contains(QStringLiteral(">telefon<")), !hideEmpty);
    }

    // A stranger's address in the post: without a solved picture code the
    // page mails nobody but its owner, whatever the post holds.
    void noRelayToStrangers_data()
    {
        QTest::addColumn<bool>("captcha");
        QTest::newRow("without the picture code") << false;
        QTest::newRow("with the picture code, not solved") << true;
    }

    void noRelayToStrangers()
    {
        QFETCH(bool, captcha);
        TFormProject project = DefaultProject();
        project.chkCaptcha = captcha;
        project.chkAbsender = true;
        project.ExtSettings.kopie_absender = true;
        project.memoMailtext = QStringLiteral("Danke, {#nachricht#} {#spam#}");
        Publish(project, QStringLiteral("relay.php"));
        for (int i = 0; i < 3; ++i)
            Request(QStringLiteral("relay.php?action=send"),
                    {{QStringLiteral("name"), QStringLiteral("Kauf jetzt")},
                     {QStringLiteral("email"), QStringLiteral("victim@example.net")},
                     {QStringLiteral("nachricht"), QStringLiteral("Billig!")},
                     {QStringLiteral("spam"), QStringLiteral("https://spam.example.net")},
                     {QStringLiteral("zustimmung"), QStringLiteral("ja")},
                     {QStringLiteral("captcha_input"), QStringLiteral("ABCDE")}});
        const QList<QByteArray> mails = AllMails();
        QCOMPARE(mails.size(), captcha ? 0 : 3);
        for (const QByteArray& mail : mails) {
            QCOMPARE(To(mail), QByteArray("owner@example.com"));
            QVERIFY2(!Body(mail).contains(QStringLiteral("spam.example.net")), mail.constData());
        }
    }

    // Only the form's own fields reach the mail: an invented key, a file
    // under a name that is no upload field and a value over its field's
    // limit never do.
    void onlyTheFormsOwnFields()
    {
        TFormProject project = EveryKind();
        project.cboMailFormat = QStringLiteral("plain");
        project.ExtSettings.ip_informationen = false;
        Publish(project, QStringLiteral("own.php"));
        Post post = ValidEveryKind();
        post.append({QStringLiteral("IP"), QStringLiteral("6.6.6.6 (forged)")});
        post.append({QStringLiteral("extra"), QStringLiteral("not a field")});
        Response r = Request(QStringLiteral("own.php?action=send"), post,
                             {{QStringLiteral("anhang"), QByteArray("mine")},
                              {QStringLiteral("fremd"), QByteArray("smuggled")}});
        QVERIFY2(r.status == 303, Complaints(r.body).constData());
        const QByteArray mail = OnlyMail();
        QVERIFY(!mail.contains("forged") && !mail.contains("not a field"));
        QVERIFY(!mail.contains(QByteArray("smuggled").toBase64()));
        QCOMPARE(mail.count("Content-Disposition: attachment"), 1);
        QVERIFY(Body(mail.mid(mail.indexOf("Content-Type: text/plain")))
                    .contains(QStringLiteral("vorname: Eva Müller")));

        // "vorname" takes 50 characters.
        ClearMails();
        post = ValidEveryKind();
        post.removeIf([](const auto& p) { return p.first == QLatin1String("vorname"); });
        r = Request(QStringLiteral("own.php?action=send"),
                    post + Post{{QStringLiteral("vorname"), QString(51, u'ü')}},
                    {{QStringLiteral("anhang"), QByteArray("mine")}});
        QCOMPARE(r.status, 200);
        QVERIFY(r.body.contains("ERR-vorname"));
        QVERIFY(MailFiles().isEmpty());
        r = Request(QStringLiteral("own.php?action=send"),
                    post + Post{{QStringLiteral("vorname"), QString(50, u'ü')}},
                    {{QStringLiteral("anhang"), QByteArray("mine")}});
        QCOMPARE(r.status, 303);
    }

    // Several upload fields: each file within its limit, all of them within
    // the total.
    void attachmentsTogetherHaveALimit()
    {
        TFormProject project = DefaultProject();
        QList<std::pair<QString, QByteArray>> files;
        for (int i = 1; i <= 5; ++i) {
            auto upload = std::make_unique<TFileField>();
            upload->Name = QStringLiteral("datei%1").arg(i);
            upload->Beschriftung = upload->Name;
            project.ListField.Add(std::move(upload));
            files.append({QStringLiteral("datei%1").arg(i), QByteArray(1000 * 1000, 'a' + i)});
        }
        Publish(project, QStringLiteral("files.php"));
        const Post valid = ValidDefault();
        Response r = Request(QStringLiteral("files.php?action=send"), valid, files);
        QCOMPARE(r.status, 200);
        QVERIFY(r.body.contains("Maximale Dateigröße überschritten!"));
        QVERIFY(MailFiles().isEmpty());
        files.removeLast();
        r = Request(QStringLiteral("files.php?action=send"), valid, files);
        QCOMPARE(r.status, 303);
        QCOMPARE(OnlyMail().count("Content-Disposition: attachment"), 4);
    }

    // A lone CR in a value cannot start a row of its own in the plain mail,
    // and characters XML cannot carry do not break the XML mail.
    void mailBodiesCannotBeForged()
    {
        TFormProject project = DefaultProject();
        project.ExtSettings.ip_informationen = false;
        const Post post = {{QStringLiteral("name"), QStringLiteral("Eva\rIP: 6.6.6.6\x01\x1b")},
                           {QStringLiteral("email"), QStringLiteral("eva@example.org")},
                           {QStringLiteral("nachricht"), QStringLiteral("a\uffffb\ufffe\x02"
                                                                        "c")},
                           {QStringLiteral("zustimmung"), QStringLiteral("ja")}};
        project.cboMailFormat = QStringLiteral("plain");
        Publish(project, QStringLiteral("plain.php"));
        QCOMPARE(Request(QStringLiteral("plain.php?action=send"), post).status, 303);
        const QString plain = Body(OnlyMail());
        QVERIFY2(plain.contains(QStringLiteral("name: Eva\r\n  IP: 6.6.6.6\r\n")), qPrintable(plain));
        for (const QString& line : plain.split(QStringLiteral("\r\n")))
            QVERIFY2(!line.startsWith(QLatin1String("IP:")), qPrintable(plain));

        ClearMails();
        project.cboMailFormat = QStringLiteral("xml");
        Publish(project, QStringLiteral("xml.php"));
        QCOMPARE(Request(QStringLiteral("xml.php?action=send"), post).status, 303);
        const QString xml = Body(OnlyMail());
        QDomDocument doc;
        QString error;
        QVERIFY2(doc.setContent(xml, &error), qPrintable(error + QStringLiteral("\n") + xml));
        QVERIFY2(xml.contains(QStringLiteral("<field name=\"nachricht\">abc</field>")), qPrintable(xml));
    }

    // Every header line of a long subject stays within the limits: 78
    // characters where it can be folded, 998 ever.
    void longSubjectsFold_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::newRow("words") << QStringLiteral("Anfrage zum Angebot ").repeated(60);
        QTest::newRow("one long word") << QString(1200, u'x');
        QTest::newRow("umlauts") << QStringLiteral("Größenänderung ").repeated(80);
    }

    void longSubjectsFold()
    {
        QFETCH(QString, subject);
        TFormProject project = DefaultProject();
        project.edtBetreff = subject;
        Publish(project, QStringLiteral("subject.php"));
        const Response r = Request(QStringLiteral("subject.php?action=send"), ValidDefault());
        QCOMPARE(r.status, 303);
        const QByteArray headers = Headers(OnlyMail());
        QByteArray unfolded; // the folds undone: the line ends go, the blanks stay
        bool inSubject = false;
        for (QByteArray line : headers.split('\n')) {
            if (line.endsWith('\r'))
                line.chop(1);
            QVERIFY2(line.size() <= 78, line.constData());
            if (line.startsWith("Subject: "))
                inSubject = true;
            else if (!line.startsWith(' '))
                inSubject = false;
            if (inSubject)
                unfolded += line.startsWith("Subject: ") ? line.mid(9) : line;
        }
        // What a mail program shows is the subject as it was.
        QByteArray decoded;
        const QRegularExpression word(QStringLiteral("=\\?UTF-8\\?B\\?([^?]*)\\?="));
        if (unfolded.startsWith("=?")) {
            for (auto it = word.globalMatch(QString::fromLatin1(unfolded)); it.hasNext();)
                decoded += QByteArray::fromBase64(it.next().captured(1).toLatin1());
        } else {
            decoded = unfolded;
        }
        const QString shown = QString::fromUtf8(decoded);
        QCOMPARE(shown.simplified(), subject.simplified());
    }

    // Without a picture code the page starts no session: it leaves no
    // session file and no cookie, and may be cached.
    void sessionsOnlyWithThePictureCode()
    {
        Publish(DefaultProject(), QStringLiteral("plain-form.php"));
        const qsizetype before = QDir(Sessions()).entryList(QDir::Files).size();
        Response r = Request(QStringLiteral("plain-form.php"));
        QCOMPARE(r.status, 200);
        QVERIFY(r.Header("Set-Cookie").isEmpty());
        QVERIFY(!r.Header("Cache-Control").contains("no-store"));
        QCOMPARE(Request(QStringLiteral("plain-form.php?action=captcha")).status, 404);
        QCOMPARE(QDir(Sessions()).entryList(QDir::Files).size(), before);

        TFormProject project = DefaultProject();
        project.chkCaptcha = true;
        Publish(project, QStringLiteral("code-form.php"));
        net.setCookieJar(new QNetworkCookieJar(&net));
        r = Request(QStringLiteral("code-form.php"));
        QVERIFY(r.Header("Set-Cookie").startsWith("PHPSESSID="));
    }

    void pictureCodeIsRequired()
    {
        TFormProject project = DefaultProject();
        project.chkCaptcha = true;
        project.ExtSettings.ErrorMessages.CaptchaError = QStringLiteral("Code falsch");
        Publish(project, QStringLiteral("captcha.php"));
        const Post valid = ValidDefault();
        const Response page = Request(QStringLiteral("captcha.php"));
        QVERIFY(page.body.contains("name=\"captcha_input\""));

        // no picture fetched in this session: even an empty code fails
        Response r = Request(QStringLiteral("captcha.php?action=send"),
                             valid + Post{{QStringLiteral("captcha_input"), QString()}});
        QVERIFY(r.body.contains("Code falsch"));

        Response picture;
        const QString code = PictureCode(QStringLiteral("captcha.php"), &picture);
        QCOMPARE(picture.status, 200);
        QVERIFY(picture.body.startsWith("\x89PNG"));
        QCOMPARE(code.size(), 5);

        r = Request(QStringLiteral("captcha.php?action=send"),
                    valid + Post{{QStringLiteral("captcha_input"), QStringLiteral("XXXXX")}});
        QCOMPARE(r.status, 200);
        QVERIFY(r.body.contains("Code falsch"));
        QVERIFY(MailFiles().isEmpty());

        const QString fresh = PictureCode(QStringLiteral("captcha.php"));
        r = Request(QStringLiteral("captcha.php?action=send"),
                    valid + Post{{QStringLiteral("captcha_input"), fresh.toLower()}});
        QVERIFY2(r.status == 303, QByteArray(Complaints(r.body) + " code " + fresh.toUtf8()).constData());
        QCOMPARE(AllMails().size(), 1);

        // a solved code is good for one post only
        r = Request(QStringLiteral("captcha.php?action=send"),
                    valid + Post{{QStringLiteral("captcha_input"), fresh}});
        QCOMPARE(r.status, 200);
        QCOMPARE(AllMails().size(), 1);
    }

    // Without GD no picture can be drawn that a script could not read: the
    // picture fails and every post is refused with the picture-code message.
    void pictureCodeFailsClosedWithoutGd()
    {
        PhpServer bare;
        QVERIFY2(bare.Start(Site(),
                            {QStringLiteral("sendmail_path=") + dir.path() + QStringLiteral("/sendmail.sh"),
                             QStringLiteral("session.save_path=") + Sessions(),
                             QStringLiteral("error_reporting=E_ALL"), QStringLiteral("display_errors=1")},
                            {QStringLiteral("-n")}),
                 "php -n -S did not start");
        const int own = port;
        port = bare.Port();
        TFormProject project = DefaultProject();
        project.chkCaptcha = true;
        project.ExtSettings.ErrorMessages.CaptchaError = QStringLiteral("Code falsch");
        Publish(project, QStringLiteral("nogd.php"));
        QVERIFY(Request(QStringLiteral("nogd.php")).body.contains("name=\"captcha_input\""));
        const Response picture = Request(QStringLiteral("nogd.php?action=captcha"));
        const QString code = SessionCaptcha();
        const Post valid = ValidDefault();
        const Response empty = Request(QStringLiteral("nogd.php?action=send"),
                                       valid + Post{{QStringLiteral("captcha_input"), QString()}});
        const Response guessed =
            Request(QStringLiteral("nogd.php?action=send"),
                    valid + Post{{QStringLiteral("captcha_input"), QStringLiteral("ABCDE")}});
        port = own;
        QCOMPARE(picture.status, 503);
        QVERIFY(!picture.body.contains("<text"));
        QVERIFY(code.isEmpty());
        QVERIFY2(empty.body.contains("Code falsch"), empty.body.constData());
        QVERIFY(guessed.body.contains("Code falsch"));
        QVERIFY(MailFiles().isEmpty());
    }

    // A required check-box list stored without its message (and so without
    // its name) loads, and its page checks it.
    void requiredListWithoutName()
    {
        TFormProject project = DefaultProject();
        QDomDocument doc;
        QVERIFY(doc.setContent(QByteArray(
            "<forms><typ>TCheckBoxList</typ><beschriftung>Themen</beschriftung><pflicht>-1</"
            "pflicht><ItemList>"
            "<forms><typ>TCheckBoxField</typ><name>t_a</name><beschriftung>A</beschriftung>"
            "<vorgabewert>A</vorgabewert><pflicht>0</pflicht><meldung/></forms></ItemList></forms>")));
        auto read = CreateFieldFromNode(doc.documentElement());
        QVERIFY2(read, qPrintable(read.Error()));
        QVERIFY((*read)->Pflicht && (*read)->Name.isEmpty());
        project.ListField.Add(std::move(*read));
        Publish(project, QStringLiteral("list.php"));
        const QByteArray lint = LintErrors(QStringLiteral("list.php"));
        QVERIFY2(lint.isEmpty(), lint.constData());
        const Post valid = ValidDefault();
        Response r = Request(QStringLiteral("list.php?action=send"), valid);
        QCOMPARE(r.status, 200);
        QVERIFY2(NoPhpMessages(r.body), r.body.constData());
        QVERIFY(r.body.contains("\"Themen\""));
        r = Request(QStringLiteral("list.php?action=send"),
                    valid + Post{{QStringLiteral("t_a"), QStringLiteral("A")}});
        QCOMPARE(r.status, 303);
    }

    // The required drop-down compares what a browser really posts for its
    // first option: the text with its references decoded and its blanks
    // collapsed.
    void dropDownFirstOptionAsPosted_data()
    {
        QTest::addColumn<QString>("felder");
        QTest::addColumn<QString>("posted");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("entity, first option") << "Bitte w&auml;hlen#A#B"
                                              << "Bitte wählen" << false;
        QTest::newRow("entity, another option") << "Bitte w&auml;hlen#A#B"
                                                << "B" << true;
        QTest::newRow("blanks, first option") << "  Bitte   wählen #A"
                                              << "Bitte wählen" << false;
        QTest::newRow("plain, first option") << "Bitte wählen#A"
                                             << "Bitte wählen" << false;
        QTest::newRow("plain, another option") << "Bitte wählen#A"
                                               << "A" << true;
    }

    void dropDownFirstOptionAsPosted()
    {
        QFETCH(QString, felder);
        QFETCH(QString, posted);
        QFETCH(bool, accepted);
        TFormProject project = DefaultProject();
        auto list = std::make_unique<TDropDownField>();
        list->Name = QStringLiteral("auswahl");
        list->Beschriftung = QStringLiteral("Auswahl");
        list->Felder = felder;
        list->Groesse = QStringLiteral("1");
        list->Pflicht = true;
        list->Meldung = QStringLiteral("ERR-auswahl");
        project.ListField.Add(std::move(list));
        Publish(project, QStringLiteral("select.php"));
        const Response r = Request(QStringLiteral("select.php?action=send"),
                                   {{QStringLiteral("name"), QStringLiteral("Eva")},
                                    {QStringLiteral("email"), QStringLiteral("eva@example.org")},
                                    {QStringLiteral("nachricht"), QStringLiteral("x")},
                                    {QStringLiteral("zustimmung"), QStringLiteral("ja")},
                                    {QStringLiteral("auswahl"), posted}});
        QVERIFY2(NoPhpMessages(r.body), r.body.constData());
        QCOMPARE(r.status, accepted ? 303 : 200);
        QCOMPARE(r.body.contains("ERR-auswahl"), !accepted);
    }

    // The page's settings are data: a subject that tries to end its string
    // or its literal runs nothing, and the extra mail text keeps every
    // character of a UTF-8 project.
    void settingsStayData()
    {
        TFormProject project = DefaultProject();
        project.edtBetreff =
            QStringLiteral("Anfrage\"; print(\"INJECTED\"); $x = \"\r\nQVEND1;\r\n' . print('INJECTED') . '");
        project.memoMailtext = QStringLiteral("Preis: 5 € – danke");
        Publish(project, QStringLiteral("settings.php"));
        const QByteArray lint = LintErrors(QStringLiteral("settings.php"));
        QVERIFY2(lint.isEmpty(), lint.constData());
        const Response page = Request(QStringLiteral("settings.php"));
        QVERIFY(!page.body.contains("INJECTED"));
        const Response r = Request(QStringLiteral("settings.php?action=send"), ValidDefault());
        QCOMPARE(r.status, 303);
        QVERIFY(!r.body.contains("INJECTED"));
        const QByteArray mail = OnlyMail();
        QVERIFY2(Body(mail).contains(QStringLiteral("Preis: 5 € – danke")), qPrintable(Body(mail)));
    }

    // Owner texts stay data: a text that would open PHP code is shown as it
    // stands, and a value that would break the page is refused by name.
    void ownerTextsNeverRun_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QByteArray>("shown"); // what the page shows, as it stands
        QTest::addColumn<QString>("refusal");  // or the name a refusal gives
        const auto field = [](TFormProject& p, const char* name) {
            for (const auto& f : p.ListField)
                if (f->Name == QLatin1String(name))
                    return f.get();
            return static_cast<TFormField*>(nullptr);
        };
        QTest::newRow("label") << Edit([=](TFormProject& p) {
            field(p, "name")->Beschriftung = QStringLiteral("<?php echo \"R\" . \"AN\"; ?>");
        }) << QByteArray("<?php echo \"R\" . \"AN\"; ?>")
                               << QString();
        QTest::newRow("title, short tag")
            << Edit([](TFormProject& p) { p.edtTitel = QStringLiteral("<?= 6 * 7 ?> Kontakt"); })
            << QByteArray("<title><?= 6 * 7 ?> Kontakt</title>") << QString();
        QTest::newRow("send button") << Edit([](TFormProject& p) {
            p.edtSendenButton = QStringLiteral("<?php exit; ?>Senden");
        }) << QByteArray("value=\"<?php exit; ?>Senden\"")
                                     << QString();
        QTest::newRow("box value") << Edit([=](TFormProject& p) {
            static_cast<TCheckBoxField*>(field(p, "zustimmung"))->Vorgabewert =
                QStringLiteral("<?php phpinfo(); ?>");
        }) << QByteArray("value=\"<?php phpinfo(); ?>\"")
                                   << QString();
        QTest::newRow("font") << Edit([](TFormProject& p) {
            p.cboFontForm = QStringLiteral("Arial</style><script>alert(1)</script><?php echo 1; ?>");
        }) << QByteArray("Arial\\3c /style>\\3c script>alert(1)\\3c /script>\\3c ?php echo 1; ?>")
                              << QString();
        QTest::newRow("error colour")
            << Edit([](TFormProject& p) { p.edtErrorColor = QStringLiteral("FF0000${print(\"X\")}"); })
            << QByteArray() << "edtErrorColor";
        QTest::newRow("counter limit") << Edit([=](TFormProject& p) {
            static_cast<TMehrzField*>(field(p, "nachricht"))->maxLaenge = QStringLiteral("2.000");
        }) << QByteArray() << "nachricht (maxLaenge)";
        QTest::newRow("heading size")
            << Edit([](TFormProject& p) { p.edtSizeHeader = QStringLiteral("12pt; } body { display: none"); })
            << QByteArray() << "edtSizeHeader";
        QTest::newRow("button colour") << Edit([](TFormProject& p) {
            p.cboStandardButton = false;
            p.edtFarbeButton = QStringLiteral("000;} body{display:none");
        }) << QByteArray() << "edtFarbeButton";
    }

    void ownerTextsNeverRun()
    {
        QFETCH(Edit, edit);
        QFETCH(QByteArray, shown);
        QFETCH(QString, refusal);
        TFormProject project = DefaultProject();
        edit(project);
        TGenPHP gen(project, texts, Data);
        const TResult<QString> page = gen.GenCode();
        if (!refusal.isEmpty()) {
            QVERIFY(!page);
            QVERIFY2(page.Error().startsWith(refusal + QStringLiteral(": ")), qPrintable(page.Error()));
            return;
        }
        QVERIFY2(page, qPrintable(page.Error()));
        Publish(project, QStringLiteral("owner.php"));
        const QByteArray lint = LintErrors(QStringLiteral("owner.php"));
        QVERIFY2(lint.isEmpty(), lint.constData());
        const Response r = Request(QStringLiteral("owner.php"));
        QCOMPARE(r.status, 200);
        QVERIFY2(r.body.contains(shown), r.body.constData());
        QVERIFY(!r.body.contains("RAN") && !r.body.contains("<title>42") && !r.body.contains("PHP Version"));
        QVERIFY(r.body.contains("</html>"));
        QVERIFY(NoPhpMessages(r.body));
    }

    void pagePathCannotInjectMarkup()
    {
        Publish(DefaultProject(), QStringLiteral("self.php"));
        const Response r = Request(QStringLiteral("self.php/%22%3E%3Cscript%3Ealert(1)%3C/script%3E"));
        QCOMPARE(r.status, 200);
        QVERIFY(!r.body.contains("<script>alert(1)"));
        QVERIFY(r.body.contains("action=\"/self.php?action=send"));
    }
};

QTEST_GUILESS_MAIN(TestPhpE2E)
#include "tst_php_e2e.moc"
