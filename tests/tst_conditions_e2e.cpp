// Fields with a condition on the PHP page, on a real PHP server: the server
// works every condition out from the post itself, checks and mails only the
// fields that apply (a forged value for another reaches no mail, nor the copy
// to the sender), and the page shown again after an error shows and hides
// the same rows in the browser.
#include "CapturedMails.h"
#include "PhpPost.h"
#include "PhpServer.h"
#include "RecordingPrompter.h"
#include "RunJavaScript.h"
#include "base/LanguageTexts.h"
#include "codegen/GenPHP.h"
#include "codegen/PageFiles.h"
#include "fields/EinzField.h"
#include "fields/FileField.h"
#include "fields/RadioField.h"
#include "model/FormProject.h"

#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QProcess>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QtTest>

namespace
{
const QString Data = QStringLiteral(QUORVEL_TEST_DATA_DIR);
using PhpPost::Post;
using PhpPost::Response;

template <class T> std::unique_ptr<T> Make(const char* name, bool required)
{
    auto f = std::make_unique<T>();
    f->Name = QString::fromLatin1(name);
    f->Beschriftung = f->Name;
    f->Pflicht = required;
    f->Meldung = QStringLiteral("ERR-") + f->Name;
    return f;
}

TFieldCondition When(const char* field, TConditionTest test, const char* value = "")
{
    return {QString::fromLatin1(field), test, QString::fromLatin1(value)};
}
} // namespace

class TestConditionsE2E : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    PhpServer server;
    int port = 0;
    QNetworkAccessManager net;
    RecordingPrompter prompter;
    TLanguageTexts texts{Data + QStringLiteral("/lang.ini"), &prompter};
    CapturedMails mails{dir.path() + QStringLiteral("/mails")};

    QString Site() const { return dir.path() + QStringLiteral("/site"); }
    QUrl Url(const QString& path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/%2").arg(port).arg(path));
    }

    // "Firma" or "Privat"; a company gives its name, and a reason when it
    // gives none (a condition on a field that has one itself); only a
    // company attaches its register extract.
    static TFormProject Project()
    {
        TFormProject project;
        auto art = Make<TRadioField>("Art", false);
        art->Felder = QStringLiteral("Firma#Privat");
        project.ListField.Add(std::move(art));
        auto firm = Make<TEinzField>("Firmenname", true);
        firm->Condition = When("Art", TConditionTest::Is, "Firma");
        project.ListField.Add(std::move(firm));
        auto reason = Make<TEinzField>("Begruendung", true);
        reason->Condition = When("Firmenname", TConditionTest::IsEmpty);
        project.ListField.Add(std::move(reason));
        auto extract = Make<TFileField>("Auszug", false);
        extract->Condition = When("Art", TConditionTest::Is, "Firma");
        project.ListField.Add(std::move(extract));
        project.ListField.Add(Make<TEinzField>("name", true));
        project.ListField.Add(Make<TEinzField>("email", false));
        project.edtEMail = QStringLiteral("owner@example.com");
        project.edtDanke = QStringLiteral("https://www.example.com/danke.htm");
        project.cboMailFormat = QStringLiteral("plain");
        project.ExtSettings.encoding = QStringLiteral("utf-8");
        project.chkCaptcha = false;
        return project;
    }

    void Publish(const TFormProject& project, const QString& name)
    {
        TGenPHP gen(project, texts, Data);
        const auto page = gen.GenCode();
        QVERIFY2(page, qPrintable(page.Error()));
        QVERIFY(PageFiles::WritePage(Site() + QLatin1Char('/') + name, *page, project.ExtSettings.encoding,
                                     PageFiles::PageKind::Php));
    }

    Response Send(const QString& page, const Post& post, const PhpPost::Files& files = {})
    {
        return PhpPost::Request(net, Url(page + QStringLiteral("?action=send")), post, files);
    }

    // The page's picture code, drawn into this client's session.
    QString PictureCode(const QString& page)
    {
        PhpPost::Request(net, Url(page + QStringLiteral("?action=captcha")));
        QTest::qWait(250);
        return PhpPost::SessionCaptcha(
            PhpPost::SessionFile(net, Url(QString()), dir.path() + QStringLiteral("/sessions")));
    }

    static bool NoPhpMessages(const QByteArray& body)
    {
        return !body.contains("Warning") && !body.contains("Notice") && !body.contains("Deprecated") &&
               !body.contains("Fatal error");
    }

    void ClearMails()
    {
        for (const QString& f : mails.Files())
            QFile::remove(dir.path() + QStringLiteral("/mails/") + f);
    }

private slots:
    void initTestCase()
    {
        for (const char* sub : {"/site", "/mails", "/sessions"})
            QVERIFY(QDir().mkpath(dir.path() + QLatin1String(sub)));
        net.setCookieJar(new QNetworkCookieJar(&net));
        const QString capture =
            QStringLiteral(QUORVEL_MAILCAPTURE_PATH " ") + dir.path() + QStringLiteral("/mails");
        QVERIFY2(server.Start(
                     Site(), {QStringLiteral("sendmail_path=") + capture,
                              QStringLiteral("session.save_path=") + dir.path() + QStringLiteral("/sessions"),
                              QStringLiteral("error_reporting=E_ALL"), QStringLiteral("display_errors=1")}),
                 "php -S did not start");
        port = server.Port();
        Publish(Project(), QStringLiteral("cond.php"));
        QProcess lint;
        lint.setProcessChannelMode(QProcess::MergedChannels);
        lint.start(QStringLiteral("php"), {QStringLiteral("-l"), Site() + QStringLiteral("/cond.php")});
        QVERIFY(lint.waitForFinished(20000));
        QVERIFY2(lint.exitCode() == 0, lint.readAll().constData());
    }

    void init() { ClearMails(); }

    // What the server checks and mails follows the post alone.
    void serverAppliesTheConditions_data()
    {
        QTest::addColumn<Post>("post");
        QTest::addColumn<QStringList>("errors"); // none: the mail goes out
        QTest::addColumn<QStringList>("mailed");
        QTest::addColumn<QStringList>("notMailed");
        const auto p = [](const QString& key, const QString& value) { return std::pair{key, value}; };
        QTest::newRow("company without its name")
            << Post{p("Art", "Firma"), p("Firmenname", ""), p("Begruendung", ""), p("name", "Eva")}
            << QStringList{"ERR-Firmenname", "ERR-Begruendung"} << QStringList() << QStringList();
        QTest::newRow("company with its name")
            << Post{p("Art", "Firma"), p("Firmenname", "ACME GmbH"), p("Begruendung", "forged"),
                    p("name", "Eva")}
            << QStringList() << QStringList{"Art: Firma", "Firmenname: ACME GmbH", "name: Eva"}
            << QStringList{"Begruendung", "forged"};
        QTest::newRow("private, nothing posted for the company")
            << Post{p("Art", "Privat"), p("name", "Eva")} << QStringList() << QStringList{"Art: Privat"}
            << QStringList{"Firmenname", "Begruendung"};
        // The browser would have sent neither; a forged post cannot have them
        // checked or mailed, nor the reason that depends on the hidden name.
        QTest::newRow("private, company fields forged")
            << Post{p("Art", "Privat"), p("Firmenname", ""), p("Begruendung", "forged"), p("name", "Eva")}
            << QStringList() << QStringList{"name: Eva"}
            << QStringList{"Firmenname", "Begruendung", "forged"};
        QTest::newRow("nothing chosen") << Post{p("Firmenname", "ACME"), p("name", "")}
                                        << QStringList{"ERR-name"} << QStringList() << QStringList();
    }

    void serverAppliesTheConditions()
    {
        QFETCH(Post, post);
        QFETCH(QStringList, errors);
        QFETCH(QStringList, mailed);
        QFETCH(QStringList, notMailed);
        const Response r = Send(QStringLiteral("cond.php"), post);
        QVERIFY2(NoPhpMessages(r.body), r.body.left(3000).constData());
        const QString body = QString::fromUtf8(r.body);
        for (const char* error : {"ERR-Firmenname", "ERR-Begruendung", "ERR-name"})
            QVERIFY2(body.contains(QLatin1String(error)) == errors.contains(QLatin1String(error)), error);
        if (!errors.isEmpty()) {
            QCOMPARE(r.status, 200);
            QCOMPARE(mails.Count(), 0);
            return;
        }
        QCOMPARE(r.status, 303);
        const QString mail = CapturedMails::Body(mails.Only());
        for (const QString& text : mailed)
            QVERIFY2(mail.contains(text), qPrintable(mail));
        for (const QString& text : notMailed)
            QVERIFY2(!mail.contains(text), qPrintable(mail));
    }

    // The copy to the sender and the attachments obey the same conditions.
    void copyAndAttachmentLeaveOutWhatDoesNotApply()
    {
        TFormProject project = Project();
        project.chkCaptcha = true;
        project.chkAbsender = true;
        project.ExtSettings.kopie_absender = true;
        Publish(project, QStringLiteral("copy.php"));
        const Response r = Send(QStringLiteral("copy.php"),
                                {{"Art", "Privat"},
                                 {"Firmenname", "Geheim AG"},
                                 {"name", "Eva"},
                                 {"email", "eva@example.org"},
                                 {"captcha_input", PictureCode(QStringLiteral("copy.php"))}},
                                {{"Auszug", QByteArray("forged extract")}});
        QCOMPARE(r.status, 303);
        const QList<QByteArray> all = mails.All();
        QCOMPARE(all.size(), 2); // the owner's and the copy
        for (const QByteArray& mail : all) {
            QVERIFY(!mail.contains("Geheim AG"));
            QVERIFY(!mail.contains("Content-Disposition: attachment"));
            QVERIFY(CapturedMails::Body(mail).contains(QStringLiteral("name: Eva")));
        }

        ClearMails(); // a company sends both
        const Response company = Send(QStringLiteral("copy.php"),
                                      {{"Art", "Firma"},
                                       {"Firmenname", "Offen AG"},
                                       {"name", "Eva"},
                                       {"email", "eva@example.org"},
                                       {"captcha_input", PictureCode(QStringLiteral("copy.php"))}},
                                      {{"Auszug", QByteArray("extract")}});
        QCOMPARE(company.status, 303);
        QCOMPARE(mails.Count(), 2);
        int attached = 0;
        for (const QByteArray& mail : mails.All()) {
            QVERIFY(mail.contains("Offen AG"));
            attached += mail.contains("Content-Disposition: attachment") ? 1 : 0;
        }
        QCOMPARE(attached, 1); // the copy carries none
    }

    // In the browser: the page shown again after an error keeps the choice
    // and shows the rows that apply; a row that does not apply stays hidden
    // and shows no error.
    void pageShownAgainKeepsTheRows()
    {
        QWebEngineProfile profile;
        QWebEnginePage page(&profile);
        QVERIFY(LoadPage(page, Url(QStringLiteral("cond.php"))));
        const auto run = [&](const QString& js) { return RunJavaScript(page, js); };
        const auto hidden = [&](const char* field) {
            return run(QStringLiteral("document.getElementById('qvcond_%1').hidden")
                           .arg(QLatin1String(field)))
                .toBool();
        };
        const auto submit = [&] {
            QSignalSpy loaded(&page, &QWebEnginePage::loadFinished);
            run(QStringLiteral("document.QVFORM.querySelector('[type=submit]').click(); true"));
            return loaded.wait(20000);
        };
        QVERIFY(hidden("Firmenname"));
        run(QStringLiteral("var c = document.QVFORM.Art[0]; c.checked = true; "
                           "c.dispatchEvent(new Event('change', {bubbles: true})); true"));
        QVERIFY(!hidden("Firmenname"));
        QVERIFY(submit()); // no name, no company name
        QVERIFY(run(QStringLiteral("document.QVFORM.Art[0].checked")).toBool());
        QVERIFY(!hidden("Firmenname"));
        QVERIFY(!hidden("Begruendung"));
        QVERIFY(run(QStringLiteral("document.body.innerHTML.indexOf('ERR-Firmenname') >= 0")).toBool());

        run(QStringLiteral("var c = document.QVFORM.Art[1]; c.checked = true; "
                           "c.dispatchEvent(new Event('change', {bubbles: true})); true"));
        QVERIFY(submit()); // still no name
        QVERIFY(run(QStringLiteral("document.QVFORM.Art[1].checked")).toBool());
        QVERIFY(hidden("Firmenname"));
        QVERIFY(hidden("Begruendung"));
        QVERIFY(hidden("Auszug"));
        QVERIFY(run(QStringLiteral("document.body.innerHTML.indexOf('ERR-name') >= 0")).toBool());
        QVERIFY(!run(QStringLiteral("document.body.innerHTML.indexOf('ERR-Firmenname') >= 0")).toBool());
        QVERIFY(!run(QStringLiteral("document.body.innerHTML.indexOf('ERR-Begruendung') >= 0")).toBool());
        QCOMPARE(mails.Count(), 0);
    }
};

QTEST_MAIN(TestConditionsE2E)
#include "tst_conditions_e2e.moc"
