// The two link fragments byte for byte, and the whole numbers that the
// pop-up link's sizes must be. (tst_htmleditor loads them into a page.)
#include "texts/LinkFragments.h"

#include <QtTest>

using namespace LinkFragments;

class TestLinkFragments : public QObject
{
    Q_OBJECT

private slots:
    // Fragments, byte for byte. Addresses are escaped for where they land;
    // the link text stays markup.
    void hyperlinkFragment_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("picture");
        QTest::addColumn<QString>("linkText");
        QTest::addColumn<QString>("fragment");
        QTest::newRow("defaults") << "http://"
                                  << "_self" << false << ""
                                  << "<a href=\"http://\" target=\"_self\"></a>";
        QTest::newRow("typed frame, text with markup")
            << "https://example.com/a?x=1&y=2"
            << "inhalt" << false << "<b>Hier</b> klicken"
            << "<a href=\"https://example.com/a?x=1&y=2\" target=\"inhalt\"><b>Hier</b> klicken</a>";
        QTest::newRow("picture") << "http://example.com/"
                                 << "_blank" << true << "bilder/logo.png"
                                 << "<a href=\"http://example.com/\" target=\"_blank\">"
                                    "<img src=\"bilder/logo.png\" border=\"0\"></a>";
        QTest::newRow("quotes and <") << "a\"b'c<d"
                                      << "x\"y" << true << "p\"q.png"
                                      << "<a href=\"a&quot;b'c<d\" target=\"x&quot;y\">"
                                         "<img src=\"p&quot;q.png\" border=\"0\"></a>";
    }

    void hyperlinkFragment()
    {
        QFETCH(QString, url);
        QFETCH(QString, target);
        QFETCH(bool, picture);
        QFETCH(QString, linkText);
        QFETCH(QString, fragment);
        QCOMPARE(Hyperlink({url, target, picture, linkText}), fragment);
    }

    void popupFragment_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("picture");
        QTest::addColumn<bool>("allOptions");
        QTest::addColumn<QString>("fragment");
        QTest::newRow("defaults")
            << "http://" << false << false
            << "<a href=\"#\" "
               "onclick=\"javascript:window.open('http://','POPUP','width=500,height=400,hotkeys=0,"
               "menubar=0,locationbar=0,resizeable=0,status=0');return false;\"></a>";
        QTest::newRow("every option, picture")
            << "http://example.com/info.htm" << true << true
            << "<a href=\"#\" "
               "onclick=\"javascript:window.open('http://example.com/info.htm','POPUP','width=640,"
               "height=480,hotkeys=1,menubar=1,locationbar=1,resizeable=1,status=1,left=20,top=10');return "
               "false;\">"
               "<img src=\"Link\" border=\"0\"></a>";
        QTest::newRow("quotes, backslash, line break, entity")
            << "a'b\"c\\d\ne&#39;f" << false << false
            << "<a href=\"#\" "
               "onclick=\"javascript:window.open('a\\'b&quot;c\\\\d\\ne&amp;#39;f','POPUP','width=500,"
               "height=400,hotkeys=0,menubar=0,locationbar=0,resizeable=0,status=0');return false;\"></a>";
    }

    void popupFragment()
    {
        QFETCH(QString, url);
        QFETCH(bool, picture);
        QFETCH(bool, allOptions);
        QFETCH(QString, fragment);
        TPopupLinkValues values;
        values.url = url;
        values.picture = picture;
        if (allOptions) {
            values.linkText = QStringLiteral("Link");
            values.width = 640;
            values.height = 480;
            values.hotkeys = values.menubar = values.locationbar = values.resizeable = values.status = true;
            values.setPosition = true;
            values.left = 20;
            values.top = 10;
        }
        QCOMPARE(PopupLink(values), fragment);
    }

    void wholeNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number"); // -1: none
        QTest::newRow("digits") << "400" << 400;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("letters") << "4x0" << -1;
        QTest::newRow("blank") << " 40" << -1;
        QTest::newRow("sign") << "-5" << -1;
        QTest::newRow("fraction") << "1.5" << -1;
        QTest::newRow("too long") << "1234567" << -1;
        QTest::newRow("script") << "1,top=0');alert(1);//" << -1;
    }

    void wholeNumbers()
    {
        QFETCH(QString, text);
        QFETCH(int, number);
        const std::optional<int> got = WholeNumber(text);
        QCOMPARE(got.value_or(-1), number);
    }
};

QTEST_GUILESS_MAIN(TestLinkFragments)
#include "tst_linkfragments.moc"
