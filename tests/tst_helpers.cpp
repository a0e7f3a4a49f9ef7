// Colour conversion and markup stripping.
#include "app/FileVersionInfo.h"
#include "base/HtmlTools.h"
#include "base/Literals.h"
#include "base/QVRGBToHTML.h"

#include <QtTest>

class TestHelpers : public QObject
{
    Q_OBJECT

private slots:
    void colorToText_data()
    {
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("red") << quint32(0xFF) << "FF0000";
        QTest::newRow("mixed") << quint32(0x123456) << "563412";
        QTest::newRow("black") << quint32(0) << "000000";
        QTest::newRow("white") << quint32(0xFFFFFF) << "FFFFFF";
        QTest::newRow("top byte ignored") << quint32(0x80123456) << "563412";
    }

    void colorToText()
    {
        QFETCH(quint32, value);
        QFETCH(QString, text);
        QCOMPARE(ColorToHtmlText(value), text);
    }

    void textToColor_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("value");
        QTest::newRow("lower case") << "ff8000" << quint32(0x80FF);
        QTest::newRow("upper case") << "C0C0C0" << quint32(0xC0C0C0);
        QTest::newRow("hash") << "#ff8000" << quint32(0);
        QTest::newRow("not hex") << "12345G" << quint32(0);
        QTest::newRow("too short") << "fff" << quint32(0);
        QTest::newRow("blank inside") << "12 456" << quint32(0);
        QTest::newRow("sign inside") << "+1+2+3" << quint32(0);
        QTest::newRow("non-latin digit") << QStringLiteral("12345٣") << quint32(0);
    }

    void textToColor()
    {
        QFETCH(QString, text);
        QFETCH(quint32, value);
        QCOMPARE(HtmlTextToColor(text), value);
    }

    void invalidTextKeepsPreviousColour()
    {
        TQVRGBToHTML c;
        QCOMPARE(c.HTMLColor(), QStringLiteral("000000"));
        c.SetHTMLColor(QStringLiteral("a0B0c0"));
        QCOMPARE(c.HTMLColor(), QStringLiteral("a0B0c0")); // case kept
        QCOMPARE(c.RGBColor(), quint32(0xC0B0A0));
        c.SetHTMLColor(QStringLiteral("#a0b0c0"));
        c.SetHTMLColor(QStringLiteral("zzzzzz"));
        QCOMPARE(c.HTMLColor(), QStringLiteral("a0B0c0"));
        QCOMPARE(c.RGBColor(), quint32(0xC0B0A0));
        c.SetRGBColor(0x0a0b0c);
        QCOMPARE(c.HTMLColor(), QStringLiteral("0C0B0A"));
    }

    void stripHtml_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("bold and nbsp") << "<b>Name</b>&nbsp;*"
                                       << "Name *";
        QTest::newRow("no markup") << "Name &amp; Vorname&NBSP;"
                                   << "Name &amp; Vorname ";
        QTest::newRow("attributes") << "<font color=\"red\">rot</font>"
                                    << "rot";
        QTest::newRow("several tags") << "<p>a<br>b</p><i>c</i>"
                                      << "abc";
        QTest::newRow("nested brackets") << "<<b>>x"
                                         << ">x";
        QTest::newRow("unclosed tag kept") << "a < b"
                                           << "a < b";
        QTest::newRow("closed then unclosed") << "<b>x</b> 1<2"
                                              << "x 1<2";
        QTest::newRow("empty") << ""
                               << "";
    }

    void literals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("js");
        QTest::addColumn<QString>("php");
        QTest::addColumn<QString>("attr");
        QTest::newRow("plain, markup and umlauts stay") << "<b>Grüße</b> & 'so'"
                                                        << "<b>Grüße</b> & 'so'"
                                                        << "<b>Grüße</b> & 'so'"
                                                        << "<b>Grüße</b> & 'so'";
        QTest::newRow("double quote") << "a\"b"
                                      << "a\\\"b"
                                      << "a\\\"b"
                                      << "a&quot;b";
        QTest::newRow("backslash") << "a\\b"
                                   << "a\\\\b"
                                   << "a\\\\b"
                                   << "a\\b";
        QTest::newRow("dollar and braces") << "{$x}"
                                           << "{$x}"
                                           << "{\\$x}"
                                           << "{$x}";
        QTest::newRow("line ends") << "a\r\nb"
                                   << "a\\r\\nb"
                                   << "a\r\nb"
                                   << "a\r\nb";
        QTest::newRow("script end") << "x</SCRIPT>"
                                    << "x<\\/SCRIPT>"
                                    << "x</SCRIPT>"
                                    << "x</SCRIPT>";
        QTest::newRow("other end tag") << "</b>"
                                       << "</b>"
                                       << "</b>"
                                       << "</b>";
    }

    void literals()
    {
        QFETCH(QString, text);
        QFETCH(QString, js);
        QFETCH(QString, php);
        QFETCH(QString, attr);
        QCOMPARE(Literals::JsString(text), js);
        QCOMPARE(Literals::PhpString(text), php);
        QCOMPARE(Literals::AttrValue(text), attr);
    }

    void stripHtml()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(HtmlTools::StripHTML(in), out);
    }

    void displayedVersion_data()
    {
        QTest::addColumn<QString>("fileVersion");
        QTest::addColumn<QString>("shown");
        QTest::newRow("four parts") << "2.9.0.1"
                                    << "2.9.0";
        QTest::newRow("three parts") << "1.2.3"
                                     << "1.2";
        QTest::newRow("no dot shows as it is") << "3"
                                               << "3";
        QTest::newRow("none") << ""
                              << "";
    }

    void displayedVersion()
    {
        QFETCH(QString, fileVersion);
        QFETCH(QString, shown);
        TFileVersionInfo info;
        info.FileVersion = fileVersion;
        QCOMPARE(info.DisplayedVersion(), shown);
    }

    void fileFunction_data()
    {
        QTest::addColumn<uint>("type");
        QTest::addColumn<uint>("subtype");
        QTest::addColumn<QString>("text");
        QTest::newRow("application") << 1u << 0u << "Application";
        QTest::newRow("sound driver") << 3u << 9u << "Sound Driver";
        QTest::newRow("driver beyond the list") << 3u << 11u << "";
        QTest::newRow("truetype font") << 4u << 3u << "Truetype Font";
        QTest::newRow("font beyond the list") << 4u << 4u << "";
        QTest::newRow("virtual device") << 5u << 255u << "Virtual Defice Identifier = 000000FF";
        QTest::newRow("static library") << 7u << 0u << "Static-link Library";
        QTest::newRow("unknown") << 0u << 0u << "Unknown";
        QTest::newRow("other") << 6u << 0u << "";
    }

    void fileFunction()
    {
        QFETCH(uint, type);
        QFETCH(uint, subtype);
        QFETCH(QString, text);
        QCOMPARE(FileFunctionText(type, subtype), text);
    }

    // The running program reads as Quorvel, any other file has its type only.
    void versionInfoOfFiles()
    {
        const TFileVersionInfo program = TFileVersionInfo::Read(QCoreApplication::applicationFilePath());
        QCOMPARE(program.ProductName, QStringLiteral("Quorvel"));
        QCOMPARE(program.FileFunction, QStringLiteral("Application"));
        QCOMPARE(program.FileVersion.count(QLatin1Char('.')), 3);
        QVERIFY(program.FileVersion.startsWith(program.ProductVersion));
        QVERIFY(!program.LegalCopyRight.isEmpty());

        QTemporaryDir dir;
        const QString other = dir.filePath(QStringLiteral("page.htm"));
        QFile file(other);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html></html>");
        file.close();
        const TFileVersionInfo page = TFileVersionInfo::Read(other);
        QVERIFY(!page.FileType.isEmpty());
        QVERIFY(page.ProductName.isEmpty() && page.FileVersion.isEmpty() && page.FileFunction.isEmpty());
        QVERIFY(TFileVersionInfo::Read(dir.filePath(QStringLiteral("none"))).FileType.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestHelpers)
#include "tst_helpers.moc"
