// The page generators: every marker of both outputs, their order and letter
// case, blocks, buttons, the style sheet, calendar and picture-code parts,
// scrambling (undone by real PHP), and how pages are written to disk.
#include "RecordingPrompter.h"
#include "TestLanguage.h"
#include "codegen/GenHTML.h"
#include "codegen/GenPHP.h"
#include "codegen/PageFiles.h"
#include "codegen/PageTemplate.h"
#include "fields/CalField.h"
#include "fields/CheckBoxList.h"
#include "fields/EinzField.h"
#include "fields/FileField.h"
#include "fields/MehrzField.h"
#include "fields/RadioField.h"
#include "fields/ZwField.h"
#include "model/FormProject.h"

#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
const QString Templates = QStringLiteral(QUORVEL_TEST_FIXTURES "/templates");

// The fixture templates hold one "KEY=<!-- MARKER -->" line per marker.
QMap<QString, QString> Lines(const QString& page)
{
    QMap<QString, QString> map;
    QString key;
    const QRegularExpression start(QStringLiteral("^([A-Z0-9]+)=(.*)$"));
    QStringList lines = page.split(QStringLiteral("\r\n"));
    lines.removeLast(); // the page ends with a line end
    for (const QString& line : lines) {
        const auto m = start.match(line);
        if (m.hasMatch() && !map.contains(m.captured(1))) {
            key = m.captured(1);
            map[key] = m.captured(2);
        } else if (!key.isEmpty()) {
            map[key] += QStringLiteral("\r\n") + line;
        }
    }
    return map;
}

std::unique_ptr<TEinzField> Text(const QString& name, bool required)
{
    auto f = std::make_unique<TEinzField>();
    f->Name = name;
    f->Beschriftung = QStringLiteral("L");
    f->Pflicht = required;
    return f;
}

std::unique_ptr<TCalField> Calendar(const QString& name)
{
    auto f = std::make_unique<TCalField>();
    f->Name = name;
    f->StartYear = 2020;
    f->EndYear = 2021;
    return f;
}
} // namespace

class TestCodegen : public QObject
{
    Q_OBJECT

    TestLanguage lang;

    QString Html(const TFormProject& p, const QString& dir = Templates)
    {
        TGenHTML gen(p, lang.texts(), dir);
        gen.SetFixedFormID(1234);
        const TResult<QString> page = gen.GenCode();
        return page ? *page : QStringLiteral("failed: ") + page.Error();
    }
    QString Php(const TFormProject& p, const QString& dir = Templates)
    {
        TGenPHP gen(p, lang.texts(), dir);
        gen.SetFixedFormID(1234);
        const TResult<QString> page = gen.GenCode();
        return page ? *page : QStringLiteral("failed: ") + page.Error();
    }

private slots:
    void sharedMarkers_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("form id") << "FORMID"
                                 << "1234";
        QTest::newRow("settings") << "SETTINGS" << TCodeExport::ScrambledBase64(QStringLiteral("false"));
        QTest::newRow("title") << "TITLE"
                               << "Seitentitel";
        QTest::newRow("target") << "TARGET"
                                << "_blank";
        QTest::newRow("thanks") << "DANKE"
                                << "https://www.example.com/danke.htm";
        QTest::newRow("subject") << "SUBJECT"
                                 << "Betreff";
        QTest::newRow("copy fields") << "COPYFIELDS"
                                     << "-1";
        QTest::newRow("ip") << "IP"
                            << "0";
        QTest::newRow("hide empty") << "HIDEEMPTYFIELDS"
                                    << "-1";
        QTest::newRow("encoding") << "ENCODING"
                                  << "utf-8";
        QTest::newRow("crypt mail off") << "CRYPTMAIL"
                                        << "0";
        QTest::newRow("admin plain") << "ADMIN"
                                     << "info@example.com";
        QTest::newRow("admin1 plain") << "ADMIN1"
                                      << "";
        QTest::newRow("mail text") << "EINLEITTEXT"
                                   << TCodeExport::ScrambledBase64(QStringLiteral("Hallo#br#Welt"));
        QTest::newRow("mail format") << "TYPEMAIL"
                                     << "plain";
        QTest::newRow("return to sender")
            << "RETURNTOSENDER"
            << "<input type=\"hidden\" name=\"ReturnToSender\" value=\"-1\">\r\n";
        QTest::newRow("width") << "BEITE"
                               << "75%";
        QTest::newRow("alignment") << "AUSRICHTUNG"
                                   << "left";
        QTest::newRow("form title block kept")
            << "FORMTITLEBLOCK"
            << "<!-- FORMTITLE_BEGIN -->[Überschrift]<!-- FORMTITLE_END -->";
        QTest::newRow("introduction block kept")
            << "EINLEITUNGBLOCK"
            << "<!-- EINLEITUNGTEXT_BEGIN -->[Zeile 1\r\nZeile 2]<!-- EINLEITUNGTEXT_END -->";
        QTest::newRow("end text") << "TEXTENDE"
                                  << "Ende";
        QTest::newRow("send button") << "SENDBUTTON"
                                     << "Senden";
        QTest::newRow("reset button with class")
            << "RESETBUTTON"
            << "<input type=\"reset\" name=\"next\" value=\"Leeren\" class=\"button\">\r\n";
        QTest::newRow("print button off stays") << "PRINTBUTTON"
                                                << "<!-- PRINTBUTTON -->";
        QTest::newRow("class") << "CLASS"
                               << "class=\"button\"";
        QTest::newRow("no calendar") << "JSCAL"
                                     << "<!-- JSCAL -->";
        QTest::newRow("no captcha refresh") << "JSCAPTCHAREFRESH"
                                            << "<!-- JSCAPTCHAREFRESH -->";
        QTest::newRow("markers in other case") << "LOWER"
                                               << "Betreffutf-8";
        QTest::newRow("no fields") << "FIELDS"
                                   << "";
        QTest::newRow("cookie scripts empty") << "SETCOOKIEVALUES"
                                              << "";
    }

    void sharedMarkers()
    {
        QFETCH(QString, key);
        QFETCH(QString, expected);
        TFormProject p;
        p.edtTitel = QStringLiteral("Seitentitel");
        p.cboTarget = QStringLiteral("_blank");
        p.edtDanke = QStringLiteral("https://www.example.com/danke.htm");
        p.edtBetreff = QStringLiteral("Betreff");
        p.ExtSettings.kopie_absender = true;
        p.ExtSettings.hide_empty_fields = true;
        p.ExtSettings.encoding = QStringLiteral("utf-8");
        p.edtEMail = QStringLiteral("info@example.com");
        p.memoMailtext = QStringLiteral("Hallo\r\nWelt");
        p.cboMailFormat = QStringLiteral("plain");
        p.chkAbsender = true;
        p.edtTabWidth = QStringLiteral("75%");
        p.cboTabAusrichtung = 2;
        p.edtFormTitel = QStringLiteral("Überschrift");
        p.memoEinleitung = QStringLiteral("Zeile 1\r\nZeile 2");
        p.memoTextEnde = QStringLiteral("Ende");
        p.edtSendenButton = QStringLiteral("Senden");
        p.edtCancelButton = QStringLiteral("Leeren");
        p.cboStandardButton = false;
        // the same in both outputs
        QCOMPARE(Lines(Html(p)).value(key), expected);
        QCOMPARE(Lines(Php(p)).value(key), expected);
    }

    void blocksAndButtons_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("intro");
        QTest::addColumn<bool>("reset");
        QTest::addColumn<bool>("print");
        QTest::addColumn<int>("align");
        QTest::addColumn<QStringList>(
            "expected"); // FORMTITLEBLOCK, EINLEITUNGBLOCK, RESETBUTTON, PRINTBUTTON, AUSRICHTUNG
        QTest::newRow("title and intro empty")
            << ""
            << "" << false << true << 0
            << QStringList{"", "", "<!-- RESETBUTTON -->",
                           "<input type=\"button\" name=\"print\" value=\"Drucken\" "
                           "onClick=\"javascript:window.print()\" class=\"button\">\r\n",
                           "center"};
        QTest::newRow("title filled, heading empty")
            << "T"
            << "x" << true << false << 1
            << QStringList{"<!-- FORMTITLE_BEGIN -->[]<!-- FORMTITLE_END -->",
                           "<!-- EINLEITUNGTEXT_BEGIN -->[x]<!-- EINLEITUNGTEXT_END -->",
                           "<input type=\"reset\" name=\"next\" value=\"Zurücksetzen\" >\r\n",
                           "<!-- PRINTBUTTON -->", "right"};
        QTest::newRow("unknown alignment stays")
            << "T"
            << "" << false << false << 5
            << QStringList{"<!-- FORMTITLE_BEGIN -->[]<!-- FORMTITLE_END -->", "", "<!-- RESETBUTTON -->",
                           "<!-- PRINTBUTTON -->", "<!-- AUSRICHTUNG -->"};
    }

    void blocksAndButtons()
    {
        QFETCH(QString, title);
        QFETCH(QString, intro);
        QFETCH(bool, reset);
        QFETCH(bool, print);
        QFETCH(int, align);
        QFETCH(QStringList, expected);
        TFormProject p;
        p.edtTitel = title;
        p.edtFormTitel = title.isEmpty() ? QStringLiteral("Heading") : QString();
        p.memoEinleitung = intro;
        p.chkResetButton = reset;
        p.chkPrintButton = print;
        p.cboTabAusrichtung = align;
        const auto lines = Lines(Html(p));
        QCOMPARE((QStringList{lines["FORMTITLEBLOCK"], lines["EINLEITUNGBLOCK"], lines["RESETBUTTON"],
                              lines["PRINTBUTTON"], lines["AUSRICHTUNG"]}),
                 expected);
    }

    void userTextsThatLookLikeMarkersStay()
    {
        // Only template text is searched for markers: an owner's text holding
        // a later marker, or the bound of a block, comes out as typed.
        TFormProject p;
        p.edtTitel = QStringLiteral("Titel <!-- Subject --> <!-- EINLEITUNGTEXT_BEGIN -->");
        p.edtBetreff = QStringLiteral("Betreff");
        p.memoEinleitung.clear();
        p.edtSendenButton = QStringLiteral("<!-- TITLE -->"); // an earlier marker
        p.chkResetButton = true;
        p.edtCancelButton = QStringLiteral("<!-- class -->");
        p.cboStandardButton = false;
        p.chkCaptcha = true;
        p.edtCaptchaText1 = QStringLiteral("{#CAPTCHALINK#} <!-- FORMMAIL -->");
        p.ExtSettings.ErrorMessages.CaptchaError = QStringLiteral("<!-- FORMMAIL -->");
        const QString label = QStringLiteral("<!-- FORMVAR --><!-- ERRORPAGES --><!-- CAPTCHA -->");
        auto field = Text(QStringLiteral("a"), true);
        field->Beschriftung = label;
        field->Meldung = QStringLiteral("<!-- FORMMAIL -->");
        p.ListField.Add(std::move(field));
        for (const bool php : {false, true}) {
            const QString page = php ? Php(p) : Html(p);
            const auto lines = Lines(page);
            QCOMPARE(lines["TITLE"], p.edtTitel);
            QCOMPARE(lines["EINLEITUNGBLOCK"], QString()); // removed as a whole, the title kept
            QCOMPARE(lines["SENDBUTTON"], QStringLiteral("<!-- TITLE -->"));
            // the button's own class marker is the generator's and is filled
            QCOMPARE(lines["RESETBUTTON"], QStringLiteral("<input type=\"reset\" name=\"next\" "
                                                          "value=\"<!-- class -->\" class=\"button\">\r\n"));
            QVERIFY(lines["CAPTCHA"].contains(QStringLiteral("{#CAPTCHALINK#} <!-- FORMMAIL -->")));
            QVERIFY(lines["FIELDS"].contains(label));
            QVERIFY(lines.value(QString::fromLatin1(php ? "FORMCHECK" : "JSCRIPT"))
                        .contains(QStringLiteral("<!-- FORMMAIL -->")));
        }
        QVERIFY(Lines(Php(p))["CAPTCHACHECK"].contains(QStringLiteral("<!-- FORMMAIL -->")));
    }

    void pageTemplateSteps()
    {
        // Every occurrence in any letter case; a value is never searched; a
        // template part keeps its markers open for the steps after it only.
        TPageTemplate page(QStringLiteral("<A>-<a>-<B>-<P>-<C>"));
        page.Fill(u"<a>", QStringLiteral("x<B>"));
        TPageTemplate part(QStringLiteral("(<a><C>)"));
        part.AppendValue(QStringLiteral("<C>"));
        page.Fill(u"<P>", part);
        page.Fill(u"<b>", QStringList{QStringLiteral("1"), QString(), QStringLiteral("2")});
        page.Fill(u"<C>", QStringLiteral("c"));
        QCOMPARE(page.Text(), QStringLiteral("x<B>-x<B>-12-(<a>c)<C>-c"));
    }

    void removeBlock_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("expected");
        QTest::newRow("removed") << "a<!-- X_BEGIN -->b<!-- X_END -->c"
                                 << "ac";
        QTest::newRow("first of each") << "<!-- X_BEGIN -->1<!-- X_END -->2<!-- X_END -->"
                                       << "2<!-- X_END -->";
        QTest::newRow("end before begin") << "<!-- X_END -->b<!-- X_BEGIN -->"
                                          << "<!-- X_END -->b<!-- X_BEGIN -->";
        QTest::newRow("no end") << "a<!-- X_BEGIN -->b"
                                << "a<!-- X_BEGIN -->b";
        QTest::newRow("letter case counts") << "a<!-- x_BEGIN -->b<!-- x_END -->c"
                                            << "a<!-- x_BEGIN -->b<!-- x_END -->c";
    }

    void removeBlock()
    {
        QFETCH(QString, page);
        QFETCH(QString, expected);
        TPageTemplate text(page);
        text.RemoveBlock(QStringLiteral("X"));
        QCOMPARE(text.Text(), expected);
    }

    void styleSheet()
    {
        TFormProject p;
        p.edtHGColor = QStringLiteral("ff8000");
        p.SyncColorValues();
        p.cboFontHeader = QStringLiteral("Verdana");
        p.edtSizeHeader = QStringLiteral("18");
        const QString standard = Lines(Html(p))["CSS"];
        QCOMPARE(
            standard,
            QStringLiteral("<style type=\"text/css\">\r\n<!--\r\n"
                           "body { background-color:#FF8000;  }\r\n"
                           "h1 { color:#000000; font-family:Verdana; font-size:18pt; }\r\n"
                           "p,li { color:#000080; font-family:Arial,Helvetica,Geneva; font-size:10pt; }\r\n"
                           "TD   { color:#000080; font-family:Arial,Helvetica,Geneva; font-size:10pt; }\r\n"
                           "td.my { background-color:#C0C0C0}\r\n"
                           "-->\r\n</style>\r\n"));

        p.edtBGPicture = QStringLiteral("bg.png");
        p.cboStandardButton = false;
        p.cboStandardFeld = false;
        const QString styled = Lines(Html(p))["CSS"];
        QVERIFY(styled.contains(
            QStringLiteral("body { background-color:#FF8000; background-image:url(bg.png); }\r\n")));
        QVERIFY(styled.contains(QStringLiteral(
            "td.my { background-color:#C0C0C0}\r\n"
            "input.button {background-color: #a0a0a4;border-color: #000000;\r\n"
            "border-style:solid;\r\nborder-width:1px;\r\ncolor: #000000;}\r\n"
            ".field {background-color: #a0a0a4;\r\nborder-color: #000000;\r\nborder-style:solid;\r\n"
            "border-width:1px;\r\nfont-Family:Arial,Helvetica,Geneva;\r\nfont-Size:12px;\r\ncolor: "
            "#000000;\r\n}\r\n"
            "-->")));
    }

    void calendarPartsOnce()
    {
        TFormProject p;
        p.ListField.Add(Calendar(QStringLiteral("von")));
        p.ListField.Add(Text(QStringLiteral("x"), false));
        p.ListField.Add(Calendar(QStringLiteral("bis")));
        p.ExtSettings.CalendarDesign.cboFont = QStringLiteral("Verdana");
        p.ExtSettings.CalendarDesign.edtBorderColor = QStringLiteral("123456");
        p.ExtSettings.CalendarDesign.cboDateFormat = 4;
        for (const QString& page : {Html(p), Php(p)}) {
            const auto lines = Lines(page);
            QCOMPARE(lines["CSS"].count(QStringLiteral("font=Verdana")), 1);
            QVERIFY(lines["CSS"].contains(QStringLiteral(" 123456\r\n-->")));
            QCOMPARE(lines["JSCAL"], QStringLiteral("months=Januar,Dezember days=Mo,So\r\n"
                                                    "function formatDate(day, month, year) { return year + "
                                                    "\"-\" + month + \"-\" + day; }\r\n"));
            QCOMPARE(page.count(QStringLiteral("new DynCal(")), 2);
        }
    }

    void dateFormats_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("expression");
        QTest::newRow("0") << 0 << "day + \".\" + month + \".\" + year";
        QTest::newRow("1") << 1 << "day + \"-\" + month + \"-\" + year";
        QTest::newRow("2") << 2 << "month + \"/\" + day + \"/\" + year";
        QTest::newRow("3") << 3 << "day + \"/\" + month + \"/\" + year";
        QTest::newRow("4") << 4 << "year + \"-\" + month + \"-\" + day";
        QTest::newRow("other") << 7 << "day + \".\" + month + \".\" + year";
    }

    void dateFormats()
    {
        QFETCH(int, format);
        QFETCH(QString, expression);
        TFormProject p;
        p.ListField.Add(Calendar(QStringLiteral("d")));
        p.ExtSettings.CalendarDesign.cboDateFormat = format;
        QVERIFY(Lines(Html(p))["JSCAL"].contains(QStringLiteral("{ return ") + expression +
                                                 QStringLiteral("; }")));
    }

    void captchaBothOutputs()
    {
        TFormProject p;
        p.cboFormMailer = QStringLiteral("https://m.example.com/form/v28/FormMail.php");
        p.edtCaptchaText1 = QStringLiteral("Code");
        p.ExtSettings.ErrorMessages.CaptchaError = QStringLiteral("Falsch!");
        auto html = Lines(Html(p));
        auto php = Lines(Php(p));
        QCOMPARE(html["CAPTCHA"], QStringLiteral("<!-- CAPTCHA -->"));
        QCOMPARE(php["CAPTCHA"], QStringLiteral("<!-- CAPTCHA -->"));
        QCOMPARE(php["CAPTCHACHECK"], QString());
        QCOMPARE(html["SETTINGS"], TCodeExport::ScrambledBase64(QStringLiteral("false")));

        p.chkCaptcha = true;
        html = Lines(Html(p));
        php = Lines(Php(p));
        QCOMPARE(html["SETTINGS"], TCodeExport::ScrambledBase64(QStringLiteral("true")));
        QCOMPARE(
            html["CAPTCHA"],
            QStringLiteral("<tr><td>Code</td><td><img "
                           "src=\"https://m.example.com/form/v28/FormMail.php?action=captcha&amp;id=1234\"> "
                           "https://m.example.com/form/v28/refresh.png</td></tr>\r\n"));
        QCOMPARE(html["JSCAPTCHAREFRESH"],
                 QStringLiteral(
                     "refresh(\"https://m.example.com/form/v28/FormMail.php?action=captcha&id=1234\");\r\n"));
        QCOMPARE(php["CAPTCHACHECK"],
                 QStringLiteral(
                     "if ($_POST[\"captcha_input\"] != $_SESSION[\"captcha\"])\r\n\t{\r\n"
                     "\t\t$errCaptcha = \"<span "
                     "style=\\\"color:#FF0000;\\\">Falsch!</span>\";\r\n\t\t$bFormOK = false;\r\n\t}\r\n"));
        QCOMPARE(php["CAPTCHA"],
                 QStringLiteral("<tr>\r\n  <td class=\"my\" align=\"right\" valign=\"middle\"><p "
                                "class=\"my\">Code</p></td>\r\n"
                                "  <td class=\"my\" valign=\"middle\">\r\n"
                                " <table width=\"100%\"  border=\"0\" cellspacing=\"0\" "
                                "cellpadding=\"00\">\r\n<tr valign=\"middle\">\r\n"
                                " <td width=\"20%\"><input type=\"text\" name=\"captcha_input\" size=\"10\" "
                                "maxlength=\"5\" ></td>\r\n"
                                " <td width=\"80%\">&nbsp;<img src=\"<?php print "
                                "$_SERVER[\"PHP_SELF\"];?>?action=captcha&PHPSESSID=<?php echo "
                                "session_id();?>\" border=\"1\" alt=\"captcha\"></td>\r\n"
                                "</tr>\r\n</table>\r\n<?php echo $errCaptcha;?>\r\n</td>\r\n"));
        QCOMPARE(
            php["FORMMAIL"],
            QStringLiteral(
                "<?php print $_SERVER[\"PHP_SELF\"]?>?action=send&PHPSESSID=<?php echo session_id();?>"));
    }

    void fieldBlocks()
    {
        TFormProject empty;
        auto html = Lines(Html(empty));
        auto php = Lines(Php(empty));
        QCOMPARE(html["JSCRIPT"],
                 QStringLiteral("<script type=\"text/javascript\">\r\n<!--\r\nfunction "
                                "chkFormular()\r\n{\r\n return(true); }\r\n//-->\r\n</script>\r\n"));
        QCOMPARE(php["ERRORVAR"], QStringLiteral("$errCaptcha = \"\";\r\n"));
        QCOMPARE(php["FORMVAR"] + php["FORMCHECK"] + php["FIELDS"], QString());

        TFormProject p;
        p.cboStandardFeld = false;
        p.ListField.Add(Text(QStringLiteral("a"), true));
        p.ListField.Add(Text(QStringLiteral("b"), false));
        auto list = std::make_unique<TCheckBoxList>(); // asked although not required
        list->Name = QStringLiteral("l");
        auto box = std::make_unique<TCheckBoxFieldSimple>();
        box->Name = QStringLiteral("l1");
        box->Pflicht = true;
        list->ListCheckboxes.push_back(std::move(box));
        p.ListField.Add(std::move(list));
        const TGenContext ctx{p.edtErrorColor, lang.texts().Snapshot(), p.ExtSettings.encoding};
        html = Lines(Html(p));
        php = Lines(Php(p));
        QCOMPARE(html["FIELDS"], p.ListField[0]->GenCode(ctx, true) + "\r\n" +
                                     p.ListField[1]->GenCode(ctx, true) + "\r\n" +
                                     p.ListField[2]->GenCode(ctx, true) + "\r\n");
        QVERIFY(html["FIELDS"].contains(QStringLiteral(" class=\"field\"")));
        QCOMPARE(html["JSCRIPT"].count(QStringLiteral("document.QVFORM.a.value")), 1);
        QVERIFY(!html["JSCRIPT"].contains(QStringLiteral("QVFORM.b.")));
        QVERIFY(html["JSCRIPT"].contains(QStringLiteral("document.QVFORM.l1.checked == false")));
        // the list's required box echoes its own error variable, so it is set too
        QCOMPARE(php["ERRORVAR"],
                 QStringLiteral("$erra = \"\";\r\n\r\n\r\n$errl1 = \"\";\r\n$errCaptcha = \"\";\r\n"));
        QCOMPARE(php["FORMCHECK"], p.ListField[0]->GenFormCheckPHP(ctx) + "\r\n" +
                                       p.ListField[2]->GenFormCheckPHP(ctx) + "\r\n");
        QCOMPARE(html["FORMMAIL"], p.cboFormMailer);
    }

    void errorPages()
    {
        TFormProject p;
        TGenHTML gen(p, lang.texts(), Templates);
        QCOMPARE(gen.GenErrorPageFields(), QString());
        p.ExtSettings.ErrorPages.IPErrorPage = QStringLiteral("ip.htm");
        p.ExtSettings.ErrorPages.CaptchaErrorPage = QStringLiteral("c.htm");
        QCOMPARE(gen.GenErrorPageFields(),
                 QStringLiteral(
                     "  <input type=\"hidden\" name=\"settings_error_iplock\" value=\"aXAuaHRt\">\r\n"
                     "  <input type=\"hidden\" name=\"settings_error_captcha\" value=\"Yy5odG0=\">\r\n"));
    }

    void scramblingIsUndoneByPhp_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("address") << "info@example.com"
                                 << "info@example.com";
        QTest::newRow("umlauts and line mark") << "Grüße#br#{#name#}"
                                               << "Grüße#br#{#name#}";
        QTest::newRow("beyond latin-1") << "5 €"
                                        << "5 ?";
        QTest::newRow("empty") << ""
                               << "";
    }

    void scramblingIsUndoneByPhp()
    {
        QFETCH(QString, text);
        QFETCH(QString, decoded);
        // The decoder the PHP page uses: base64, XOR 0x5A, ISO-8859-1.
        QProcess php;
        php.start(QStringLiteral("php"),
                  {QStringLiteral("-r"),
                   QStringLiteral(
                       "$s = base64_decode($argv[1]); $o = ''; for ($i = 0; $i < strlen($s); $i++) "
                       "$o .= chr(ord($s[$i]) ^ 0x5A); echo mb_convert_encoding($o, 'UTF-8', 'ISO-8859-1');"),
                   TCodeExport::ScrambledBase64(text)});
        QVERIFY2(php.waitForFinished(20000), "php did not run");
        QCOMPARE(QString::fromUtf8(php.readAllStandardOutput()), decoded);
    }

    void missingTemplateStopsGeneration()
    {
        QTemporaryDir empty;
        TFormProject p;
        TGenHTML gen(p, lang.texts(), empty.path());
        TResult<QString> page = gen.GenCode();
        QVERIFY(!page);
        QVERIFY(page.Error().contains(QStringLiteral("template.htm")));

        p.ListField.Add(Calendar(QStringLiteral("d"))); // the calendar style sheet is missing too
        QVERIFY(QFile::copy(Templates + QStringLiteral("/template.htm"),
                            empty.path() + QStringLiteral("/template.htm")));
        page = gen.GenCode();
        QVERIFY(!page);
        QVERIFY(page.Error().contains(QStringLiteral("cal.css")));
    }

    // An option value in the condition of a row lands in the row's tag and,
    // on the PHP page, in the server's test: it can end neither the
    // attribute nor the PHP string, nor open PHP code in the markup.
    void conditionValuesAreEscaped_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("htmlAttr");
        QTest::addColumn<QString>("phpAttr");
        QTest::addColumn<QString>("phpTest");
        QTest::newRow("quotes") << "Sag \"hi\" 'du'"
                                << "data-qv-value=\"Sag &quot;hi&quot; 'du'\""
                                << "data-qv-value=\"Sag &quot;hi&quot; 'du'\""
                                << "\"Sag \\\"hi\\\" 'du'\"";
        QTest::newRow("PHP code") << "<?php echo $x; ?>"
                                  << "data-qv-value=\"<?php echo $x; ?>\""
                                  << "data-qv-value=\"<<?php ?>?php echo $x; ?>\""
                                  << "\"<?php echo \\$x; ?>\"";
        QTest::newRow("end of the row's body") << "</tbody><tr>"
                                               << "data-qv-value=\"</tbody><tr>\""
                                               << "data-qv-value=\"</tbody><tr>\""
                                               << "\"</tbody><tr>\"";
        QTest::newRow("reference") << "A &amp; B"
                                   << "data-qv-value=\"A &amp; B\""
                                   << "data-qv-value=\"A &amp; B\""
                                   << "qv_attribute_value(\"A &amp; B\")";
    }

    void conditionValuesAreEscaped()
    {
        QFETCH(QString, value);
        QFETCH(QString, htmlAttr);
        QFETCH(QString, phpAttr);
        QFETCH(QString, phpTest);
        const QString data = QStringLiteral(QUORVEL_TEST_DATA_DIR);
        TFormProject p;
        auto art = std::make_unique<TRadioField>();
        art->Name = QStringLiteral("Art");
        art->Felder = QStringLiteral("Privat#") + value;
        p.ListField.Add(std::move(art));
        p.ListField.Add(Text(QStringLiteral("Firma"), true));
        const QString plain[] = {Html(p, data), Php(p, data)};
        p.ListField[1]->Condition = {QStringLiteral("Art"), TConditionTest::Is, value};
        const QString html = Html(p, data), php = Php(p, data);
        const QString tag =
            QStringLiteral("<tbody data-qv-when=\"Art\" data-qv-test=\"Is\" %1 id=\"qvcond_Firma\">\r\n");
        QVERIFY2(html.contains(tag.arg(htmlAttr)), qPrintable(html.left(200)));
        QVERIFY2(php.contains(tag.arg(phpAttr)), qPrintable(php.left(200)));
        QVERIFY(
            php.contains(QStringLiteral("$qvShown[\"qvcond_Firma\"] = qv_condition_holds($qvPost, \"Art\", "
                                        "\"Is\", ") +
                         phpTest + QStringLiteral(");")));
        for (const QString& page : {html, php}) {
            QCOMPARE(page.count(QStringLiteral("<tbody")), 1);
            QCOMPARE(page.count(QStringLiteral("\r\n</tbody>\r\n")), 1);
        }
        // Without the condition nothing of it is in the pages.
        for (const QString& page : plain)
            for (const char* trace : {"qvcond", "data-qv-", "qvApplyConditions", "qv_condition"})
                QVERIFY2(!page.contains(QLatin1String(trace)), trace);
    }

    // A condition that names no field (a file edited by hand) stops both
    // pages, saying which field it is.
    void brokenConditionStopsGeneration()
    {
        TFormProject p;
        p.ListField.Add(Text(QStringLiteral("Firma"), true));
        p.ListField[0]->Condition = {QStringLiteral("Art"), TConditionTest::IsFilled, QString()};
        const QString data = QStringLiteral(QUORVEL_TEST_DATA_DIR);
        for (const QString& page : {Html(p, data), Php(p, data)}) {
            QVERIFY2(page.startsWith(QStringLiteral("failed: ")), qPrintable(page.left(100)));
            QVERIFY2(page.contains(QStringLiteral("Firma, condition on \"Art\": no field has this name")),
                     qPrintable(page));
        }
    }

    void pageBytes_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("php");
        QTest::newRow("utf-8 with BOM") << "utf-8"
                                        << "ä€\r\n"
                                        << QByteArray("\xEF\xBB\xBF\xC3\xA4\xE2\x82\xAC\r\n") << false;
        QTest::newRow("iso-8859-1") << "iso-8859-1"
                                    << "ä€\r\n"
                                    << QByteArray("\xE4\x80\r\n") << false;
        // a page that declares UTF-8 gets UTF-8 bytes, whatever the letter case
        QTest::newRow("UTF-8 in capitals") << "UTF-8"
                                           << "ä" << QByteArray("\xEF\xBB\xBF\xC3\xA4") << false;
        QTest::newRow("beyond the code page") << ""
                                              << "ā😀" << QByteArray("&#257;&#128512;") << false;
        // a BOM before "<?php" would go out ahead of the script's headers
        QTest::newRow("php page: utf-8 without BOM") << "utf-8"
                                                     << "<?php ä" << QByteArray("<?php \xC3\xA4") << true;
        QTest::newRow("php page: iso-8859-1") << "iso-8859-1"
                                              << "<?php ä" << QByteArray("<?php \xE4") << true;
    }

    void pageBytes()
    {
        QFETCH(QString, encoding);
        QFETCH(QString, page);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, php);
        QCOMPARE(
            PageFiles::PageBytes(page, encoding, php ? PageFiles::PageKind::Php : PageFiles::PageKind::Html),
            bytes);
    }

    void calendarPictureBesidePage()
    {
        QTemporaryDir out;
        const QString page = out.path() + QStringLiteral("/form.htm");
        const QString picture = out.path() + QStringLiteral("/cal.png");
        TFormProject p;
        QVERIFY(PageFiles::CopyAdditionalFiles(p, Templates, page, false));
        QVERIFY(!QFileInfo::exists(picture)); // no calendar field, nothing copied

        p.ListField.Add(Calendar(QStringLiteral("d")));
        QVERIFY(PageFiles::CopyAdditionalFiles(p, Templates, page, false));
        QFile f(picture);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("PNG"));
        f.close();

        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("mine");
        f.close();
        QVERIFY(PageFiles::CopyAdditionalFiles(p, Templates, page, false)); // never over an existing one
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("mine"));
    }
};

QTEST_GUILESS_MAIN(TestCodegen)
#include "tst_codegen.moc"
