// Colour conversion and markup stripping.
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
};

QTEST_GUILESS_MAIN(TestHelpers)
#include "tst_helpers.moc"
