// Reading the mails a generated page sends: headers with encoded words,
// bodies in their transfer encodings, attachments, and mails that cannot be
// read.
#include "preview/MailMessage.h"

#include <QtTest>

class TestMailMessage : public QObject
{
    Q_OBJECT

private slots:
    // A mail as the PHP page writes it: multipart with a quoted-printable
    // HTML body and a base64 attachment, the subject in encoded words.
    void pageMail()
    {
        const QByteArray picture("\x89PNG\r\n\x1a\n\x00\x01", 10);
        const QByteArray raw =
            "To: info@example.com, office@example.com\r\n"
            "Subject: =?UTF-8?B?" +
            QByteArray("Anfrage über das Formular").toBase64() +
            "?=\r\n"
            "From: Quorvel <info@example.com>\r\n"
            "Reply-To: visitor@example.org\r\n"
            "MIME-Version: 1.0\r\n"
            "Content-Type: multipart/mixed; boundary=\"qv-0123\"\r\n"
            "\r\n"
            "--qv-0123\r\n"
            "Content-Type: text/html; charset=UTF-8\r\n"
            "Content-Transfer-Encoding: quoted-printable\r\n"
            "\r\n"
            "<p>Gr=C3=BC=C3=9Fe von einer sehr langen Zeile, die umbrochen wurde, weil sie=\r\n"
            " l=C3=A4nger ist</p>\r\n"
            "--qv-0123\r\n"
            "Content-Type: application/octet-stream; name=\"bild.png\"\r\n"
            "Content-Transfer-Encoding: base64\r\n"
            "Content-Disposition: attachment; filename=\"bild.png\"\r\n"
            "\r\n" +
            picture.toBase64() +
            "\r\n"
            "--qv-0123--\r\n";
        const TMailMessage mail = TMailMessage::Parse(raw);
        QVERIFY2(mail.error.isEmpty(), qPrintable(mail.error));
        QCOMPARE(mail.Recipients(), (QStringList{"info@example.com", "office@example.com"}));
        QCOMPARE(mail.Subject(), QString::fromUtf8("Anfrage über das Formular"));
        QCOMPARE(mail.Header("reply-to"), QStringLiteral("visitor@example.org"));
        QVERIFY(mail.Body());
        QCOMPARE(mail.Body()->contentType, QStringLiteral("text/html"));
        QCOMPARE(mail.Body()->Text(),
                 QString::fromUtf8(
                     "<p>Grüße von einer sehr langen Zeile, die umbrochen wurde, weil sie länger ist</p>"));
        const QList<TMailPart> attachments = mail.Attachments();
        QCOMPARE(attachments.size(), 1);
        QCOMPARE(attachments[0].fileName, QStringLiteral("bild.png"));
        QCOMPARE(attachments[0].data, picture);
    }

    void headerText_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QByteArray("Kontakt") << "Kontakt";
        QTest::newRow("base64") << ("=?UTF-8?B?" + QByteArray("Grüße").toBase64() + "?=") << "Grüße";
        QTest::newRow("q, underscore is a blank")
            << QByteArray("=?utf-8?q?Gr=C3=BC=C3=9Fe_an_alle?=") << "Grüße an alle";
        QTest::newRow("two words, the blank between dropped")
            << QByteArray("=?UTF-8?Q?Anfr?= =?UTF-8?Q?age?=") << "Anfrage";
        QTest::newRow("text around a word")
            << QByteArray("Re: =?ISO-8859-1?Q?K=F6ln?= heute") << "Re: Köln heute";
        QTest::newRow("unknown charset read as UTF-8") << QByteArray("=?x-none?Q?ok?=") << "ok";
    }

    void headerText()
    {
        QFETCH(QByteArray, value);
        QFETCH(QString, text);
        QCOMPARE(DecodeHeaderText(value), text);
    }

    // A single part without MIME headers is plain text; LF line ends do as
    // well as CR LF, and folded headers are joined.
    void plainMail()
    {
        const TMailMessage mail =
            TMailMessage::Parse("To: a@example.com\nSubject: a long\n subject\n\nHallo\n");
        QVERIFY(mail.error.isEmpty());
        QCOMPARE(mail.Subject(), QStringLiteral("a long subject"));
        QCOMPARE(mail.Body()->contentType, QStringLiteral("text/plain"));
        QCOMPARE(mail.Body()->Text(), QStringLiteral("Hallo\n"));
        QVERIFY(mail.Attachments().isEmpty());
    }

    // A mail that cannot be read keeps its bytes and says why.
    void unreadable_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << QByteArray("\r\n") << "empty";
        QTest::newRow("header without name")
            << QByteArray("To: a@example.com\r\nno colon here\r\n\r\nx") << "without a name";
        QTest::newRow("no boundary") << QByteArray("Content-Type: multipart/mixed\r\n\r\nx") << "boundary";
        QTest::newRow("boundary never used")
            << QByteArray("Content-Type: multipart/mixed; boundary=b\r\n\r\nno parts") << "missing";
        QTest::newRow("not closed") << QByteArray("Content-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\n"
                                                  "Content-Type: text/plain\r\n\r\nx\r\n")
                                    << "closing";
    }

    void unreadable()
    {
        QFETCH(QByteArray, raw);
        QFETCH(QString, reason);
        const TMailMessage mail = TMailMessage::Parse(raw);
        QVERIFY2(mail.error.contains(reason), qPrintable(mail.error));
        QCOMPARE(mail.raw, raw);
    }
};

QTEST_GUILESS_MAIN(TestMailMessage)
#include "tst_mailmessage.moc"
