// The default projects' pages with accessible markup in the browser engine:
// axe-core (run inside the page) finds no violation of WCAG 2.2 A and AA in
// the HTML form, the PHP page and the PHP page showing its errors; a refused
// check is announced and its field focused; and a visitor with nothing but a
// keyboard fills the form and sends it, the mail reaching the capture.
#include "CapturedMails.h"
#include "PhpServer.h"
#include "RunJavaScript.h"
#include "base/LanguageTexts.h"
#include "codegen/GenHTML.h"
#include "codegen/GenPHP.h"
#include "codegen/PageFiles.h"
#include "model/FormProject.h"
#include "preview/MailMessage.h"
#include "projectfile/ProjectFile.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

namespace
{
const QString Data = QStringLiteral(QUORVEL_TEST_DATA_DIR);
const QString Tags = QStringLiteral("['wcag2a','wcag2aa','wcag21a','wcag21aa','wcag22aa']");

class Page : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;
    QStringList alerts;

protected:
    void javaScriptAlert(const QUrl&, const QString& msg) override { alerts << msg; }
    // The HTML form's mailer is on the web: a post to it goes nowhere.
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override
    {
        return url.host() == QLatin1String("127.0.0.1") || url.scheme() == QLatin1String("about");
    }
};
} // namespace

class TestAccessibleE2E : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    PhpServer server;
    int port = 0;
    QString language = QStringLiteral("Deutsch");
    TLanguageTexts texts{Data + QStringLiteral("/lang.ini"), nullptr, [this] { return language; }};
    QString axe;

    QString Site() const { return dir.path() + QStringLiteral("/site"); }
    QString Mails() const { return dir.path() + QStringLiteral("/mails"); }

    TFormProject DefaultProject()
    {
        TFormProject project;
        const TStatus loaded = TProjectFile(texts).LoadProject(
            project, Data + QStringLiteral("/default_") + language + QStringLiteral(".qvf"));
        if (!loaded)
            qFatal("default project: %s", qPrintable(loaded.Error()));
        return project;
    }

    QUrl Publish(const QString& name, bool php, bool accessible = true)
    {
        TFormProject project = DefaultProject();
        project.chkAccessible = accessible;
        const TResult<QString> page =
            php ? TGenPHP(project, texts, Data).GenCode() : TGenHTML(project, texts, Data).GenCode();
        if (!page ||
            !PageFiles::WritePage(Site() + QLatin1Char('/') + name, *page, project.ExtSettings.encoding,
                                  php ? PageFiles::PageKind::Php : PageFiles::PageKind::Html))
            qFatal("could not publish %s", qPrintable(name));
        return QUrl(QStringLiteral("http://127.0.0.1:%1/%2").arg(port).arg(name));
    }

    static bool Load(QWebEnginePage& page, const QUrl& url) { return LoadPage(page, url); }

    static QVariant Run(QWebEnginePage& page, const QString& js) { return RunJavaScript(page, js); }

    // Waits until the script yields true (it is asked every 50 ms).
    static bool WaitFor(QWebEnginePage& page, const QString& js, int ms = 5000)
    {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < ms) {
            if (Run(page, js).toBool())
                return true;
            QTest::qWait(50);
        }
        return false;
    }

    // The violations axe-core finds in the page as it stands, one line each
    // (rule and elements); "" when there are none.
    QString AxeViolations(QWebEnginePage& page)
    {
        Run(page, axe + QStringLiteral("; true"));
        Run(page, QStringLiteral("window.qvAxe = null; axe.run(document, {runOnly: {type: 'tag', values: ") +
                      Tags +
                      QStringLiteral(
                          "}}).then(function (r) { window.qvAxe = JSON.stringify(r.violations.map("
                          "function (v) { return v.id + ': ' + v.nodes.map(function (n) {"
                          " return n.target.join(' '); }).join(', '); })); },"
                          " function (e) { window.qvAxe = JSON.stringify(['axe failed: ' + e]); }); true"));
        if (!WaitFor(page, QStringLiteral("window.qvAxe !== null"), 30000))
            return QStringLiteral("axe gave no result");
        const QJsonArray found =
            QJsonDocument::fromJson(Run(page, QStringLiteral("window.qvAxe")).toString().toUtf8()).array();
        QStringList lines;
        for (const QJsonValue& v : found)
            lines << v.toString();
        return lines.join(QLatin1Char('\n'));
    }

    QStringList MailFiles() const { return CapturedMails(Mails()).Files(); }

private slots:
    void initTestCase()
    {
        // axe-core comes from npm, into the cache folder, the first time.
        QProcess fetch;
        fetch.start(QStringLiteral("bash"),
                    {QStringLiteral(QUORVEL_SOURCE_DIR "/tests/support/fetch-axe.sh")});
        QVERIFY(fetch.waitForFinished(300000));
        QVERIFY2(fetch.exitCode() == 0, fetch.readAllStandardError().constData());
        QFile script(QString::fromLocal8Bit(fetch.readAllStandardOutput()).trimmed());
        QVERIFY2(script.open(QIODevice::ReadOnly), qPrintable(script.fileName()));
        axe = QString::fromUtf8(script.readAll());
        QVERIFY(axe.contains(QLatin1String("axe")));

        QVERIFY(QDir().mkpath(Site()) && QDir().mkpath(Mails()));
        const QString capture = QStringLiteral(QUORVEL_MAILCAPTURE_PATH " ") + Mails();
        QVERIFY2(server.Start(Site(), {QStringLiteral("sendmail_path=") + capture,
                                       QStringLiteral("session.save_path=") + dir.path()}),
                 "php -S did not start");
        port = server.Port();
    }

    void noViolations_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("kind"); // html, php, php with its errors
        for (const char* lang : {"Deutsch", "Englisch"})
            for (const char* kind : {"html", "php", "php errors"})
                QTest::addRow("%s %s", lang, kind) << QString::fromLatin1(lang) << QString::fromLatin1(kind);
    }

    void noViolations()
    {
        QFETCH(QString, lang);
        QFETCH(QString, kind);
        language = lang;
        const bool php = kind.startsWith(QLatin1String("php"));
        const QUrl url = Publish(php ? QStringLiteral("form.php") : QStringLiteral("form.htm"), php);
        Page page;
        QVERIFY(Load(page, url));
        QCOMPARE(Run(page, QStringLiteral("document.documentElement.lang")).toString(),
                 lang == QLatin1String("Deutsch") ? QStringLiteral("de") : QStringLiteral("en"));
        if (kind == QLatin1String("php errors")) {
            // Sent empty (past the page's own checks): the server refuses it.
            QSignalSpy loaded(&page, &QWebEnginePage::loadFinished);
            Run(page, QStringLiteral("HTMLFormElement.prototype.submit.call(document.QVFORM); true"));
            QVERIFY(loaded.wait(20000));
            QVERIFY(WaitFor(page, QStringLiteral("document.getElementById('qvstatus').textContent != ''")));
            QCOMPARE(Run(page, QStringLiteral("document.activeElement.id")).toString(),
                     QStringLiteral("qv_name"));
            QCOMPARE(
                Run(page, QStringLiteral("document.activeElement.getAttribute('aria-invalid')")).toString(),
                QStringLiteral("true"));
            // The field's error is its description.
            QVERIFY(Run(page, QStringLiteral("document.getElementById(document.activeElement.getAttribute("
                                             "'aria-describedby')).textContent.length > 0"))
                        .toBool());
            QVERIFY(MailFiles().isEmpty());
        }
        const QString violations = AxeViolations(page);
        QVERIFY2(violations.isEmpty(), qPrintable(violations));
    }

    // A page of every field kind with the accessible markup: PHP reads it,
    // shows it and its errors without a warning, and axe finds nothing.
    void everyKind_data()
    {
        QTest::addColumn<bool>("php");
        QTest::addColumn<bool>("errors");
        QTest::newRow("html") << false << false;
        QTest::newRow("php") << true << false;
        QTest::newRow("php errors") << true << true;
    }

    void everyKind()
    {
        QFETCH(bool, php);
        QFETCH(bool, errors);
        language = QStringLiteral("Englisch");
        TFormProject project;
        QVERIFY(TProjectFile(texts).LoadProject(project,
                                                QStringLiteral(QUORVEL_TEST_FIXTURES "/every_kind.qvf")));
        project.chkAccessible = true;
        const TResult<QString> code =
            php ? TGenPHP(project, texts, Data).GenCode() : TGenHTML(project, texts, Data).GenCode();
        QVERIFY2(code, qPrintable(code.Error()));
        const QString name = php ? QStringLiteral("every.php") : QStringLiteral("every.htm");
        QVERIFY(PageFiles::WritePage(Site() + QLatin1Char('/') + name, *code, project.ExtSettings.encoding,
                                     php ? PageFiles::PageKind::Php : PageFiles::PageKind::Html));
        if (php) {
            QProcess lint;
            lint.start(QStringLiteral("php"), {QStringLiteral("-l"), Site() + QLatin1Char('/') + name});
            QVERIFY(lint.waitForFinished(20000));
            QVERIFY2(lint.exitCode() == 0, lint.readAllStandardOutput().constData());
        }
        Page page;
        QVERIFY(Load(page, QUrl(QStringLiteral("http://127.0.0.1:%1/%2").arg(port).arg(name))));
        if (errors) {
            QSignalSpy loaded(&page, &QWebEnginePage::loadFinished);
            Run(page, QStringLiteral("HTMLFormElement.prototype.submit.call(document.QVFORM); true"));
            QVERIFY(loaded.wait(20000));
            QVERIFY(WaitFor(page, QStringLiteral("document.getElementById('qvstatus').textContent != ''")));
            QVERIFY(Run(page, QStringLiteral("document.activeElement.tagName != 'BODY'")).toBool());
        }
        const QString body = Run(page, QStringLiteral("document.body.innerText")).toString();
        QVERIFY2(!body.contains(QLatin1String("Warning")) && !body.contains(QLatin1String("Notice")),
                 qPrintable(body));
        const QString violations = AxeViolations(page);
        QVERIFY2(violations.isEmpty(), qPrintable(violations));
    }

    // The same page without the accessible markup: axe finds the inputs
    // without a label (so a run that finds nothing above means something).
    void violationsWithoutTheOption()
    {
        language = QStringLiteral("Deutsch");
        Page page;
        QVERIFY(Load(page, Publish(QStringLiteral("plain.htm"), false, false)));
        const QString violations = AxeViolations(page);
        QVERIFY2(violations.contains(QLatin1String("label: ")), qPrintable(violations));
        QVERIFY2(violations.contains(QLatin1String("html-has-lang")), qPrintable(violations));
    }

    // The HTML form's check announces its message in the status region and
    // focuses the field, with no alert.
    void htmlCheckIsAnnounced()
    {
        language = QStringLiteral("Englisch");
        Page page;
        QVERIFY(Load(page, Publish(QStringLiteral("form.htm"), false)));
        Run(page,
            QStringLiteral("document.QVFORM.name.value = 'Eva'; document.QVFORM.email.value = 'no-address';"
                           " document.QVFORM.querySelector('[type=submit]').click(); true"));
        QVERIFY(WaitFor(page, QStringLiteral("document.getElementById('qvstatus').textContent != ''")));
        QVERIFY(page.alerts.isEmpty());
        QCOMPARE(Run(page, QStringLiteral("document.activeElement.name")).toString(),
                 QStringLiteral("email"));
        QCOMPARE(Run(page, QStringLiteral("document.QVFORM.email.getAttribute('aria-invalid')")).toString(),
                 QStringLiteral("true"));
        QCOMPARE(
            Run(page, QStringLiteral("document.getElementById('qvstatus').getAttribute('role')")).toString(),
            QStringLiteral("alert"));
        const QString message =
            Run(page, QStringLiteral("document.getElementById('qvstatus').textContent")).toString();
        QVERIFY2(message.contains(QLatin1String("e-mail")), qPrintable(message));
        // Put right, the next check moves on to the next faulty field.
        Run(page, QStringLiteral("document.QVFORM.email.value = 'eva@example.org';"
                                 " document.QVFORM.querySelector('[type=submit]').click(); true"));
        QVERIFY(WaitFor(page, QStringLiteral("document.activeElement.name == 'message'")));
        QVERIFY(Run(page, QStringLiteral("!document.QVFORM.email.hasAttribute('aria-invalid')")).toBool());
    }

    // Tab, typed text, Space and Enter alone fill and send the PHP page.
    void keyboardOnly()
    {
        language = QStringLiteral("Englisch");
        for (const QString& f : MailFiles())
            QFile::remove(Mails() + QLatin1Char('/') + f);
        QWebEngineView view;
        auto* page = new Page(&view);
        view.setPage(page);
        view.resize(1000, 800);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(Load(*page, Publish(QStringLiteral("keys.php"), true)));
        view.setFocus();
        QWidget* keys = view.focusProxy() ? view.focusProxy() : &view;
        const auto focused = [&] {
            return Run(*page, QStringLiteral("document.activeElement.name || ''")).toString();
        };
        const auto tabTo = [&](const QString& name) {
            for (int n = 0; n < 5 && focused() != name; ++n) {
                QTest::keyClick(keys, Qt::Key_Tab);
                QTest::qWait(100);
            }
            return focused() == name;
        };
        QVERIFY(tabTo(QStringLiteral("name")));
        QTest::keyClicks(keys, QStringLiteral("Eva Keys"));
        QTest::keyClick(keys, Qt::Key_Tab);
        QTest::qWait(100);
        QCOMPARE(focused(), QStringLiteral("email"));
        QTest::keyClicks(keys, QStringLiteral("eva@example.org"));
        QTest::keyClick(keys, Qt::Key_Tab);
        QTest::qWait(100);
        QCOMPARE(focused(), QStringLiteral("message"));
        QTest::keyClicks(keys, QStringLiteral("Typed without a mouse"));
        // The read-only counter is no tab stop: the next is the consent.
        QTest::keyClick(keys, Qt::Key_Tab);
        QTest::qWait(100);
        QCOMPARE(focused(), QStringLiteral("consent"));
        QTest::keyClick(keys, Qt::Key_Space);
        QVERIFY(WaitFor(*page, QStringLiteral("document.QVFORM.consent.checked")));
        QCOMPARE(Run(*page, QStringLiteral("document.QVFORM.message.value")).toString(),
                 QStringLiteral("Typed without a mouse"));
        QTest::keyClick(keys, Qt::Key_Tab);
        QTest::qWait(100);
        QCOMPARE(Run(*page, QStringLiteral("document.activeElement.type")).toString(),
                 QStringLiteral("submit"));
        QSignalSpy loaded(page, &QWebEnginePage::loadFinished);
        QTest::keyClick(keys, Qt::Key_Return);
        QVERIFY(loaded.wait(20000));
        QElapsedTimer waited;
        waited.start();
        while (MailFiles().isEmpty() && waited.elapsed() < 10000)
            QTest::qWait(50);
        QCOMPARE(MailFiles().size(), 1);
        QFile mail(Mails() + QLatin1Char('/') + MailFiles().first());
        QVERIFY(mail.open(QIODevice::ReadOnly));
        const TMailMessage read = TMailMessage::Parse(mail.readAll());
        QVERIFY2(read.error.isEmpty() && read.Body(), qPrintable(read.error));
        const QString text = read.Body()->Text();
        QVERIFY2(text.contains(QLatin1String("Eva Keys")) &&
                     text.contains(QLatin1String("Typed without a mouse")),
                 qPrintable(text));
    }
};

QTEST_MAIN(TestAccessibleE2E)
#include "tst_accessible_e2e.moc"
