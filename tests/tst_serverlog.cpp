// What the inbox makes of PHP's built-in server output (lines as PHP 8.2's
// server printed them for pages that raise a warning, a notice, a fatal and
// a parse error), and of the attachments it opens.
#include "preview/InboxFiles.h"
#include "preview/ServerLog.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
using Kind = TServerMessage::Kind;

// The output of one run: a page with warnings, a notice and a deprecation, a
// fatal error with its trace, a parse error, a page answering 500 itself,
// and a missing page.
const QByteArray Output =
    "[Fri Dec 11 01:16:02 2026] PHP 8.2.36 Development Server (http://127.0.0.1:18765) started\n"
    "[Fri Dec 11 01:16:03 2026] 127.0.0.1:47708 Accepted\n"
    "[Fri Dec 11 01:16:03 2026] PHP Warning:  Undefined variable $undefinedVar in /tmp/t/warn.php on line 2\n"
    "[Fri Dec 11 01:16:03 2026] PHP Notice:  custom notice in /tmp/t/warn.php on line 6\n"
    "[Fri Dec 11 01:16:03 2026] PHP Deprecated:  custom deprecated in /tmp/t/warn.php on line 7\n"
    "[Fri Dec 11 01:16:03 2026] 127.0.0.1:47708 [200]: GET /warn.php\n"
    "[Fri Dec 11 01:16:03 2026] 127.0.0.1:47708 Closing\n"
    "[Fri Dec 11 01:16:04 2026] 127.0.0.1:47716 Accepted\n"
    "[Fri Dec 11 01:16:04 2026] PHP Fatal error:  Uncaught Error: Call to undefined function "
    "undefined_function_xyz() in /tmp/t/fatal.php:2\n"
    "Stack trace:\n"
    "#0 {main}\n"
    "  thrown in /tmp/t/fatal.php on line 2\n"
    "[Fri Dec 11 01:16:04 2026] 127.0.0.1:47716 [500]: GET /fatal.php - Uncaught Error: Call to undefined "
    "function undefined_function_xyz() in /tmp/t/fatal.php:2\n"
    "Stack trace:\n"
    "#0 {main}\n"
    "  thrown in /tmp/t/fatal.php on line 2\n"
    "[Fri Dec 11 01:16:04 2026] 127.0.0.1:47716 Closing\n"
    "[Fri Dec 11 01:16:04 2026] 127.0.0.1:47718 Accepted\n"
    "[Fri Dec 11 01:16:04 2026] PHP Parse error:  syntax error, unexpected token \"echo\", expecting \",\" "
    "or "
    "\";\" in /tmp/t/parse.php on line 3\n"
    "[Fri Dec 11 01:16:04 2026] 127.0.0.1:47718 [500]: GET /parse.php - syntax error, unexpected token "
    "\"echo\", expecting \",\" or \";\" in /tmp/t/parse.php on line 3\n"
    "[Fri Dec 11 01:16:04 2026] 127.0.0.1:47718 Closing\n"
    "[Fri Dec 11 01:16:04 2026] 127.0.0.1:47726 Accepted\n"
    "[Fri Dec 11 01:16:04 2026] 127.0.0.1:47726 [500]: POST /err500.php\n"
    "[Fri Dec 11 01:16:04 2026] 127.0.0.1:47726 Closing\n"
    "[Fri Dec 11 01:16:04 2026] 127.0.0.1:47730 Accepted\n"
    "[Fri Dec 11 01:16:04 2026] 127.0.0.1:47730 [404]: GET /missing.php - No such file or directory\n"
    "[Fri Dec 11 01:16:04 2026] 127.0.0.1:47730 Closing\n"
    "sh: 1: /usr/sbin/sendmail: not found\n";

struct TExpected
{
    Kind kind;
    QString level;
    QString firstLine;
    QString file;
    int line;
};

const QList<TExpected> Expected = {
    {Kind::Warning, "Warning", "Undefined variable $undefinedVar in /tmp/t/warn.php on line 2",
     "/tmp/t/warn.php", 2},
    {Kind::Notice, "Notice", "custom notice in /tmp/t/warn.php on line 6", "/tmp/t/warn.php", 6},
    {Kind::Deprecated, "Deprecated", "custom deprecated in /tmp/t/warn.php on line 7", "/tmp/t/warn.php", 7},
    {Kind::Error, "Fatal error",
     "Uncaught Error: Call to undefined function undefined_function_xyz() in /tmp/t/fatal.php:2",
     "/tmp/t/fatal.php", 2},
    {Kind::Error, "Parse error",
     "syntax error, unexpected token \"echo\", expecting \",\" or \";\" in /tmp/t/parse.php on line 3",
     "/tmp/t/parse.php", 3},
    {Kind::FailedAnswer, "500", "POST /err500.php", QString(), 0},
    {Kind::Other, QString(), "sh: 1: /usr/sbin/sendmail: not found", QString(), 0},
};

QList<TServerMessage> Read(const QList<QByteArray>& chunks)
{
    TServerLog log;
    for (const QByteArray& chunk : chunks)
        log.Add(chunk);
    return log.Messages();
}

void Compare(const QList<TServerMessage>& messages)
{
    QCOMPARE(messages.size(), Expected.size());
    for (qsizetype i = 0; i < messages.size(); ++i) {
        const TServerMessage& got = messages[i];
        const TExpected& want = Expected[i];
        QCOMPARE(got.kind, want.kind);
        QCOMPARE(got.level, want.level);
        QCOMPARE(got.text.section(QLatin1Char('\n'), 0, 0), want.firstLine);
        QCOMPARE(got.file, want.file);
        QCOMPARE(got.line, want.line);
    }
}
} // namespace

class TestServerLog : public QObject
{
    Q_OBJECT

private slots:
    // The request log stays out; each message is one entry with its place,
    // the fatal error with its trace, and the answer that repeats it is
    // not a second entry.
    void messagesOfOneRun()
    {
        const QList<TServerMessage> messages = Read({Output});
        Compare(messages);
        QCOMPARE(messages[0].time, QStringLiteral("01:16:03"));
        QCOMPARE(messages[3].text,
                 QStringLiteral("Uncaught Error: Call to undefined function "
                                "undefined_function_xyz() in /tmp/t/fatal.php:2\n"
                                "Stack trace:\n#0 {main}\n  thrown in /tmp/t/fatal.php on line 2"));
        QVERIFY(messages.last().time.isEmpty());
    }

    // However the output is cut, the same messages come out whole.
    void pieces_data()
    {
        QTest::addColumn<QList<QByteArray>>("chunks");
        QList<QByteArray> bytes;
        for (const char c : Output)
            bytes << QByteArray(1, c);
        QTest::newRow("byte by byte") << bytes;
        const qsizetype inWarning = Output.indexOf("Undefined variable") + 5;
        QTest::newRow("inside a warning") << QList<QByteArray>{Output.left(inWarning), Output.mid(inWarning)};
        const qsizetype inStamp = Output.indexOf("[Fri Dec 11 01:16:04 2026] PHP Fatal") + 3;
        QTest::newRow("inside a time stamp") << QList<QByteArray>{Output.left(inStamp), Output.mid(inStamp)};
        const qsizetype inTrace = Output.indexOf("Stack trace:") + 4;
        QTest::newRow("inside the trace") << QList<QByteArray>{Output.left(inTrace), Output.mid(inTrace)};
        QByteArray crlf = Output;
        crlf.replace("\n", "\r\n");
        const qsizetype betweenCrLf = crlf.indexOf("\r\n") + 1;
        QTest::newRow("CR LF, cut between them")
            << QList<QByteArray>{crlf.left(betweenCrLf), crlf.mid(betweenCrLf)};
    }

    void pieces()
    {
        QFETCH(QList<QByteArray>, chunks);
        Compare(Read(chunks));
    }

    // Add tells which message to show anew: a new one, or the last one when
    // its trace came in a later piece; a line without its end waits.
    void changedMessages()
    {
        TServerLog log;
        QCOMPARE(log.Add("[Fri Dec 11 01:16:03 2026] 127.0.0.1:47708 Accepted\n"), qsizetype(-1));
        QCOMPARE(log.Add("[Fri Dec 11 01:16:04 2026] PHP Fatal error:  Uncaught Exception: x in /a.php:3\n"),
                 qsizetype(0));
        QCOMPARE(log.Add("Stack trace:\n#0 {main}\n  thrown in /a.php"), qsizetype(0));
        QCOMPARE(log.Messages()[0].file, QString());
        QCOMPARE(log.Add(" on line 3\n[Fri Dec 11 01:16:04 2026] PHP Warning:  w\n"), qsizetype(0));
        QCOMPARE(log.Messages().size(), qsizetype(2));
        QCOMPARE(log.Messages()[0].file, QStringLiteral("/a.php"));
        QCOMPARE(log.Messages()[0].line, 3);
        QCOMPARE(log.Add("[Fri Dec 11 01:16:05 2026] PHP Notice:  half"), qsizetype(-1));
        log.Clear();
        QCOMPARE(log.Add(" done\n"), qsizetype(0));
        QCOMPARE(log.Messages()[0].text, QStringLiteral("half done"));
    }

    // A server that prints without ever ending the line does not keep it all.
    void endlessLine()
    {
        TServerLog log;
        const QByteArray piece(4096, 'x');
        for (int i = 0; i < 40; ++i)
            log.Add(piece);
        QCOMPARE(log.Messages().size(), qsizetype(2));
        QCOMPARE(log.Messages()[0].text.size(), qsizetype(64 * 1024));
    }

    void attachmentNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("clean");
        QTest::newRow("plain") << "Lebenslauf.pdf"
                               << "Lebenslauf.pdf";
        QTest::newRow("up and out") << "../../.bashrc"
                                    << ".bashrc";
        QTest::newRow("absolute") << "/etc/passwd"
                                  << "passwd";
        QTest::newRow("windows path") << "C:\\Users\\x\\bild.png"
                                      << "bild.png";
        QTest::newRow("drive only") << "C:bild.png"
                                    << "bild.png";
        QTest::newRow("control characters and wildcards") << "a\tb\n*c?.txt"
                                                          << "abc.txt";
        QTest::newRow("dots only") << ".."
                                   << "attachment";
        QTest::newRow("empty") << ""
                               << "attachment";
        QTest::newRow("trailing dots and blanks") << "bericht.pdf. . "
                                                  << "bericht.pdf";
        QTest::newRow("long, extension kept")
            << QString(QString(300, u'a') + ".pdf") << QString(QString(116, u'a') + ".pdf");
    }

    void attachmentNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, clean);
        QCOMPARE(CleanAttachmentName(name), clean);
    }

    // Each attachment in a fresh folder, with its own bytes, for its owner
    // only.
    void savedAttachment()
    {
        QTemporaryDir folder;
        const QByteArray data("\x89PNG\r\n\x1a\n\x00\x01", 10);
        const TResult<QString> first = SaveAttachment(folder.filePath("inbox"), "../bild.png", data);
        const TResult<QString> second = SaveAttachment(folder.filePath("inbox"), "bild.png", "other");
        QVERIFY2(first.Ok(), qPrintable(first.Error()));
        QVERIFY2(second.Ok(), qPrintable(second.Error()));
        QCOMPARE(QFileInfo(*first).fileName(), QStringLiteral("bild.png"));
        QVERIFY(QFileInfo(*first).path() != QFileInfo(*second).path());
        QVERIFY(QFileInfo(*first).canonicalFilePath().startsWith(QDir(folder.path()).canonicalPath() +
                                                                 "/inbox/"));
        QFile file(*first);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), data);
        QCOMPARE(file.permissions() &
                     (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
                 QFile::Permissions());
        QVERIFY(!SaveAttachment(QString(), "x", "y").Ok());
    }

    void sizes_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("german");
        QTest::addColumn<QString>("english");
        QTest::newRow("bytes") << qint64(512) << "512 Bytes"
                               << "512 bytes";
        QTest::newRow("just a kilobyte") << qint64(1024) << "1,0 KB"
                                         << "1.0 KB";
        QTest::newRow("kilobytes, rounded") << qint64(12595) << "12,3 KB"
                                            << "12.3 KB";
        QTest::newRow("megabytes") << qint64(4 * 1024 * 1024 + 60000) << "4,1 MB"
                                   << "4.1 MB";
    }

    void sizes()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, german);
        QFETCH(QString, english);
        QCOMPARE(FormatSize(bytes, "%1 Bytes", u','), german);
        QCOMPARE(FormatSize(bytes, "%1 bytes", u'.'), english);
    }
};

QTEST_GUILESS_MAIN(TestServerLog)
#include "tst_serverlog.moc"
