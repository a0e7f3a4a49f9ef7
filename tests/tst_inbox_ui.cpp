// The inbox of the local test with a real browser engine: each body in its
// format (HTML inert: no scripts, nothing loaded from elsewhere, links lead
// nowhere), unreadable mails raw with the reason, the copy to the sender
// marked, attachments opened as files of their own, and PHP's messages
// beside the mails however its output is cut.
#include "RecordingPrompter.h"
#include "RunJavaScript.h"
#include "app/TempFolder.h"
#include "base/LanguageTexts.h"
#include "preview/MailMessage.h"
#include "preview/ui/InboxPanel.h"
#include "ui/TranslateInterface.h"

#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <QtTest>

namespace
{
const QString Data = QStringLiteral(QUORVEL_TEST_DATA_DIR);

// A mail as the PHP page writes it, with the body in the given type and,
// when given, one base64 attachment.
QByteArray RawMail(const QByteArray& type, const QByteArray& body, const QByteArray& attachmentName = {},
                   const QByteArray& attachment = {})
{
    QByteArray raw = "To: info@example.com\r\n"
                     "Subject: =?UTF-8?B?" +
                     QByteArray("Anfrage über das Formular").toBase64() +
                     "?=\r\n"
                     "From: info@example.com\r\n"
                     "Reply-To: besucher@example.org\r\n"
                     "X-Mailer: PHP/8.2\r\n"
                     "MIME-Version: 1.0\r\n";
    if (attachmentName.isEmpty())
        return raw + "Content-Type: " + type + "; charset=UTF-8\r\n\r\n" + body;
    return raw +
           "Content-Type: multipart/mixed; boundary=\"qv-1\"\r\n\r\n"
           "--qv-1\r\nContent-Type: " +
           type + "; charset=UTF-8\r\n\r\n" + body +
           "\r\n--qv-1\r\n"
           "Content-Type: application/octet-stream; name=\"" +
           attachmentName +
           "\"\r\n"
           "Content-Transfer-Encoding: base64\r\n"
           "Content-Disposition: attachment; filename=\"" +
           attachmentName + "\"\r\n\r\n" + attachment.toBase64() + "\r\n--qv-1--\r\n";
}

QVariant Run(QWebEngineView* view, const QString& js)
{
    return RunJavaScript(*view->page(), js, QWebEngineScript::ApplicationWorld);
}
} // namespace

class TestInboxUi : public QObject
{
    Q_OBJECT

    struct Rig
    {
        QTemporaryDir folder;
        TLanguageTexts texts{Data + QStringLiteral("/lang.ini"), nullptr};
        TTempFolder temp{folder.path()};
        RecordingPrompter prompter;
        TInboxPanel panel{texts, temp, prompter};
        QList<QUrl> opened;
        bool openerWorks = true;

        Rig()
        {
            panel.SetUrlOpener([this](const QUrl& url) {
                opened << url;
                return openerWorks;
            });
            panel.resize(1000, 640);
            panel.show();
        }
        template <typename T> T* Find(const char* name) { return panel.findChild<T*>(QLatin1String(name)); }
    };

private slots:
    // Text bodies show as text (XML in a fixed font), a mail without a text
    // part or one that cannot be read says so; the unreadable one shows its
    // raw bytes.
    void textBodies_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("monospace");
        QTest::addColumn<QString>("note");
        QTest::newRow("plain") << RawMail("text/plain", "Name: Erika\r\nNachricht: Grüße")
                               << "Name: Erika\r\nNachricht: Grüße" << false << QString();
        QTest::newRow("xml") << RawMail("text/xml", "<mail><name>Erika</name></mail>")
                             << "<mail><name>Erika</name></mail>" << true << QString();
        const QByteArray unreadable = "To: info@example.com\r\nContent-Type: multipart/mixed\r\n\r\nbody";
        QTest::newRow("unreadable") << unreadable << QString::fromLatin1(unreadable) << true
                                    << "Diese Mail konnte nicht gelesen werden: "
                                       "a multipart part without a boundary";
        QByteArray large;
        while (large.size() < 1700 * 1024)
            large += "<p>Eine Zeile des Formulars, wie sie in einer langen Mail steht.</p>\r\n";
        QTest::newRow("html too large for the view, as its source")
            << RawMail("text/html", large) << QString::fromLatin1(large) << true << QString();
        QTest::newRow("no text part") << RawMail("application/pdf", "%PDF-1.4", "a.bin", "x") << QString()
                                      << false << "Diese Mail hat keinen Textteil.";
    }

    void textBodies()
    {
        QFETCH(QByteArray, raw);
        QFETCH(QString, shown);
        QFETCH(bool, monospace);
        QFETCH(QString, note);
        Rig rig;
        rig.panel.AddMail(TMailMessage::Parse(raw), false, QDateTime::currentDateTime());
        auto* memo = rig.Find<QPlainTextEdit>("memoBody");
        QCOMPARE(rig.Find<QStackedWidget>("stkBody")->currentWidget(), memo);
        QCOMPARE(memo->toPlainText(), QString(shown).replace("\r\n", "\n"));
        QCOMPARE(memo->font().family() == QFontDatabase::systemFont(QFontDatabase::FixedFont).family(),
                 monospace);
        auto* error = rig.Find<QLabel>("lblMailError");
        QCOMPARE(error->isVisible(), !note.isEmpty());
        if (!note.isEmpty())
            QCOMPARE(error->text(), note);
        QCOMPARE(rig.Find<QPlainTextEdit>("memoSource")->toPlainText(),
                 QString::fromUtf8(raw).replace("\r\n", "\n"));
    }

    // HTML is rendered, but its script does not run, its picture from a
    // server is not fetched and a click on its link goes nowhere.
    void htmlIsInert()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const QByteArray remote = "http://127.0.0.1:" + QByteArray::number(server.serverPort());
        const QByteArray html = "<html><body><p id=\"t\">Hallo <b>Welt</b></p>"
                                "<img src=\"" +
                                remote + "/pixel.png\"><link rel=\"stylesheet\" href=\"" + remote +
                                "/style.css\">"
                                "<script>document.body.setAttribute('data-ran', 'yes');</script>"
                                "<a id=\"l\" href=\"" +
                                remote + "/elsewhere\">weiter</a></body></html>";
        Rig rig;
        QSignalSpy shown(&rig.panel, &TInboxPanel::HtmlShown);
        rig.panel.AddMail(TMailMessage::Parse(RawMail("text/html", html)), false,
                          QDateTime::currentDateTime());
        // A request to the server would keep the page loading.
        QTRY_VERIFY_WITH_TIMEOUT(shown.count() > 0 || server.hasPendingConnections(), 15000);
        QVERIFY2(!server.hasPendingConnections(), "the mail's page asked the server for its picture");
        QCOMPARE(shown.count(), 1);
        QWebEngineView* view = rig.panel.HtmlView();
        QCOMPARE(rig.Find<QStackedWidget>("stkBody")->currentWidget(), view);
        QCOMPARE(Run(view, "document.getElementById('t').innerText").toString(),
                 QStringLiteral("Hallo Welt"));
        QCOMPARE(Run(view, "document.body.getAttribute('data-ran')"), QVariant());
        const QUrl before = view->url();
        Run(view, "document.getElementById('l').click(); true");
        QTest::qWait(500);
        QCOMPARE(view->url(), before);
        QCOMPARE(Run(view, "document.getElementById('t') !== null").toBool(), true);
        QVERIFY(!server.hasPendingConnections());
        QVERIFY(!server.waitForNewConnection(200));
    }

    // The list: newest selected, the copy to the sender marked, in the
    // language the window is translated to; details of the selected mail.
    void listAndDetails()
    {
        Rig rig;
        const QByteArray picture(1260, 'p');
        const TMailMessage mail = TMailMessage::Parse(RawMail("text/plain", "Hallo", "bild.png", picture));
        rig.panel.AddMail(mail, false, QDateTime(QDate(2026, 12, 11), QTime(10, 15, 30)));
        rig.panel.AddMail(TMailMessage::Parse(RawMail("text/plain", "Kopie")), true,
                          QDateTime(QDate(2026, 12, 11), QTime(10, 15, 31)));
        QCOMPARE(rig.panel.MailCount(), 2);
        QCOMPARE(rig.panel.SelectedMail(), 1);
        auto* list = rig.Find<QTreeWidget>("lstMails");
        const QStringList first{"10:15:30", "info@example.com",
                                QString::fromUtf8("Anfrage über das Formular"), "1", ""};
        for (int column = 0; column < first.size(); ++column)
            QCOMPARE(list->topLevelItem(0)->text(column), first[column]);
        QCOMPARE(list->topLevelItem(1)->text(4), QStringLiteral("Kopie an Absender"));
        QVERIFY(rig.Find<QLabel>("lblCopyToSender")->isVisible());
        QCOMPARE(rig.Find<QLabel>("lblMailCount")->text(), QStringLiteral("(2)"));

        // Up to the first mail by keyboard.
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(rig.panel.SelectedMail(), 0);
        QVERIFY(!rig.Find<QLabel>("lblCopyToSender")->isVisible());
        QCOMPARE(rig.Find<QLabel>("lblMailTo")->text(), QStringLiteral("info@example.com"));
        QCOMPARE(rig.Find<QLabel>("lblMailSubject")->text(), QString::fromUtf8("Anfrage über das Formular"));
        const QString headers = rig.Find<QPlainTextEdit>("memoHeaders")->toPlainText();
        for (const auto& [name, value] : mail.headers)
            QVERIFY2(headers.contains(name + QStringLiteral(": ") + value), qPrintable(name));
        QVERIFY(headers.contains(QString::fromUtf8("Subject: Anfrage über das Formular")));
        auto* attachments = rig.Find<QTreeWidget>("lstAttachments");
        QCOMPARE(attachments->topLevelItemCount(), 1);
        QCOMPARE(attachments->topLevelItem(0)->text(0), QStringLiteral("bild.png"));
        QCOMPARE(attachments->topLevelItem(0)->text(1), QStringLiteral("1,2 KB"));

        TranslateWindow(&rig.panel, rig.texts, QStringLiteral("Englisch"));
        QCOMPARE(list->topLevelItem(1)->text(4), QStringLiteral("Copy to sender"));
        QCOMPARE(attachments->topLevelItem(0)->text(1), QStringLiteral("1.2 KB"));
        QCOMPARE(list->headerItem()->text(2), QStringLiteral("Subject"));

        rig.panel.Clear();
        QCOMPARE(rig.panel.MailCount(), 0);
        QCOMPARE(list->topLevelItemCount(), 0);
        QCOMPARE(rig.Find<QLabel>("lblMailTo")->text(), QString());
    }

    // Enter on an attachment hands a file of its own to the opener: the same
    // bytes, a clean name, below the private temporary folder, for the owner
    // only. An opener that fails is reported.
    void openAttachment()
    {
        Rig rig;
        const QByteArray data("\x89PNG\r\n\x1a\n\x00\xff", 10);
        rig.panel.AddMail(
            TMailMessage::Parse(RawMail("text/plain", "x", "../../.config/autostart.png", data)), false,
            QDateTime::currentDateTime());
        auto* attachments = rig.Find<QTreeWidget>("lstAttachments");
        attachments->setFocus();
        QTest::keyClick(attachments, Qt::Key_Return);
        QCOMPARE(rig.opened.size(), 1);
        QVERIFY(rig.opened[0].isLocalFile());
        const QString path = rig.opened[0].toLocalFile();
        QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("autostart.png"));
        QVERIFY2(path.startsWith(rig.temp.Path() + QStringLiteral("/")), qPrintable(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), data);
        QCOMPARE(file.permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
        QVERIFY(rig.prompter.entries.isEmpty());

        rig.openerWorks = false;
        rig.Find<QPushButton>("btOpenAttachment")->click();
        QCOMPARE(rig.opened.size(), 2);
        QVERIFY(rig.opened[1] != rig.opened[0]);
        QCOMPARE(rig.prompter.entries.size(), 1);
        QVERIFY(rig.prompter.entries[0].text.contains(QStringLiteral("autostart.png")));
    }

    // Messages beside the mails, one row each, however the output is cut.
    void serverOutput()
    {
        Rig rig;
        const QByteArray output =
            "[Fri Dec 11 01:16:03 2026] 127.0.0.1:47708 Accepted\n"
            "[Fri Dec 11 01:16:03 2026] PHP Warning:  Undefined variable $x in /tmp/t/form.php on line 2\n"
            "[Fri Dec 11 01:16:03 2026] 127.0.0.1:47708 [200]: POST /form.php\n"
            "[Fri Dec 11 01:16:04 2026] PHP Fatal error:  Uncaught Error: boom in /tmp/t/form.php:9\n"
            "Stack trace:\n#0 {main}\n  thrown in /tmp/t/form.php on line 9\n";
        for (qsizetype at = 0; at < output.size(); at += 7)
            rig.panel.AddServerOutput(output.mid(at, 7));
        auto* list = rig.Find<QTreeWidget>("lstMessages");
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("01:16:03"));
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("Warning"));
        QCOMPARE(list->topLevelItem(0)->text(2),
                 QStringLiteral("Undefined variable $x in /tmp/t/form.php on line 2"));
        QCOMPARE(list->topLevelItem(1)->text(1), QStringLiteral("Fatal error"));
        QVERIFY(list->topLevelItem(1)->toolTip(2).endsWith(
            QStringLiteral("thrown in /tmp/t/form.php on line 9")));
        QCOMPARE(rig.panel.Messages()[1].line, 9);
        QCOMPARE(rig.Find<QLabel>("lblMessageCount")->text(), QStringLiteral("(2)"));
    }
};

QTEST_MAIN(TestInboxUi)
#include "tst_inbox_ui.moc"
