// The text-like field kinds: single-line, calendar, multi-line, password,
// file upload and intermediate text. Fragments are compared byte for byte;
// the expected texts are written out in full.
#include "TestLanguage.h"
#include "fields/CalField.h"
#include "fields/EinzField.h"
#include "fields/FileField.h"
#include "fields/MehrzField.h"
#include "fields/PassField.h"
#include "fields/ZwField.h"
#include "projectfile/FieldFactory.h"

#include <QDomDocument>
#include <QtTest>
#include <functional>

namespace
{
// The row start every input row shares, with the label "L".
const QString Row = QStringLiteral(
    "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>L</td>\r\n<td class=\"my\">\r\n");
const QString StdMsg = QStringLiteral("Bitte füllen Sie L aus!");

template <class T> std::unique_ptr<T> Make(bool required, const QString& name = QStringLiteral("f"))
{
    auto f = std::make_unique<T>();
    f->Name = name;
    f->Beschriftung = QStringLiteral("L");
    f->BeschriftungNach = QStringLiteral("N");
    f->Pflicht = required;
    return f;
}

std::unique_ptr<TFormField> Einz(bool required, int kind = 0)
{
    auto f = Make<TEinzField>(required);
    f->Vorgabewert = QStringLiteral("V");
    f->Groesse = QStringLiteral("15");
    f->maxLaenge = QStringLiteral("100");
    f->PflichtFeldTyp = kind;
    f->MinPflichtLaenge = 4;
    return f;
}

std::unique_ptr<TFormField> Cal(bool required)
{
    auto f = Make<TCalField>(required, QStringLiteral("d"));
    f->Vorgabewert = QStringLiteral("01.02.2027");
    f->VorgabeLoeschen = true;
    f->StartYear = 2020;
    f->EndYear = 2030;
    f->Groesse = QStringLiteral("99"); // stored, shown nowhere
    return f;
}

std::unique_ptr<TFormField> Mehrz(bool required, bool display, const QString& limit)
{
    auto f = Make<TMehrzField>(required, QStringLiteral("m"));
    f->Vorgabewert = QStringLiteral("A\r\nB");
    f->Hoehe = QStringLiteral("5");
    f->Breite = QStringLiteral("40");
    f->maxLaenge = limit;
    f->zeichenAnzeige = display;
    f->zeichenAnzeigeText = QStringLiteral("frei");
    return f;
}

std::unique_ptr<TFormField> Pass(bool required)
{
    auto f = Make<TPassField>(required, QStringLiteral("p"));
    f->Vorgabewert = QStringLiteral("V");
    f->Groesse = QStringLiteral("15");
    f->VorgabeLoeschen = true;
    return f;
}

std::unique_ptr<TFormField> File(bool required)
{
    auto f = Make<TFileField>(required, QStringLiteral("up"));
    f->Groesse = QStringLiteral("25");
    f->Meldung = QStringLiteral("Datei fehlt");
    return f;
}

std::unique_ptr<TFormField> Zw(const QString& text)
{
    auto f = std::make_unique<TZwField>();
    f->Beschriftung = text;
    return f;
}

using Maker = std::function<std::unique_ptr<TFormField>()>;
using Op = std::function<QString(const TFormField&, const TGenContext&)>;
} // namespace

Q_DECLARE_METATYPE(Maker)
Q_DECLARE_METATYPE(Op)

class TestTextFields : public QObject
{
    Q_OBJECT

    TestLanguage lang;
    TGenContext Ctx() const
    {
        return TGenContext{QStringLiteral("FF0000"), lang.texts().Snapshot(), QStringLiteral("utf-8")};
    }

private slots:
    void fragments_data()
    {
        QTest::addColumn<Maker>("make");
        QTest::addColumn<Op>("op");
        QTest::addColumn<QString>("expected");
        const Op html = [](const TFormField& f, const TGenContext& c) { return f.GenCode(c, false); };
        const Op htmlCss = [](const TFormField& f, const TGenContext& c) { return f.GenCode(c, true); };
        const Op php = [](const TFormField& f, const TGenContext& c) { return f.GenCodePHP(c, false); };
        const Op phpCss = [](const TFormField& f, const TGenContext& c) { return f.GenCodePHP(c, true); };
        const Op script = [](const TFormField& f, const TGenContext& c) { return f.GenScript(c); };
        const Op check = [](const TFormField& f, const TGenContext& c) { return f.GenFormCheckPHP(c); };
        const Op var = [](const TFormField& f, const TGenContext& c) { return f.GenFormVarPHP(c); };
        const Op errVar = [](const TFormField& f, const TGenContext&) { return f.GenErrorVarPHP(); };
        const Op cookies = [](const TFormField& f, const TGenContext& c) -> QString {
            return f.GenSetCookieValues(c) + QStringLiteral("|") + f.GenSetCookie(c);
        };
        const Op counter = [](const TFormField& f, const TGenContext&) {
            return static_cast<const TMehrzField&>(f).GenScriptLength();
        };
        const QString notEmptyScript =
            QStringLiteral("if(document.QVFORM.%1.value == \"\")  "
                           "{\r\nalert(\"%2\");\r\ndocument.QVFORM.%1.focus();\r\nreturn false;\r\n}\r\n");
        const QString notEmptyCheck = QStringLiteral("if ($_POST[\"%1\"] == \"\")\r\n{\r\n  $err%1 = \"<span "
                                                     "style=\\\"color:#FF0000;\\\">%2</span>\";\r\n"
                                                     "\t$bFormOK = false;\r\n}\r\n\r\n");
        const QString valueCookies =
            QStringLiteral("   document.QVFORM.%1.value = GetCookie(\"%1\");\r\n\r\n|"
                           "   cookie_%1 = '%1=' + escape(document.QVFORM.%1.value);\r\n   document.cookie = "
                           "cookie_%1;\r\n\r\n");

        // single-line
        QTest::newRow("einz html") << Maker([] { return Einz(false); }) << html
                                   << Row + "<input type=\"text\" name=\"f\" value=\"V\" size=\"15\" "
                                            "maxlength=\"100\"> N</td></tr>\r\n";
        QTest::newRow("einz html css clear")
            << Maker([] {
                   auto f = Einz(false);
                   static_cast<TEinzField&>(*f).VorgabeLoeschen = true;
                   return f;
               })
            << htmlCss
            << Row + "<input type=\"text\" name=\"f\" value=\"V\" size=\"15\" maxlength=\"100\" "
                     "class=\"field\" onfocus=\"this.value = '';\"> N</td></tr>\r\n";
        QTest::newRow("einz empty size")
            << Maker([] {
                   auto f = Make<TEinzField>(false);
                   return std::unique_ptr<TFormField>(std::move(f));
               })
            << html
            << Row + "<input type=\"text\" name=\"f\" value=\"\" size=\"\" maxlength=\"\"> N</td></tr>\r\n";
        QTest::newRow("einz php")
            << Maker([] { return Einz(false); }) << php
            << Row + "<input type=\"text\" name=\"f\" value=\"<?php echo htmlspecialchars($varf, ENT_QUOTES, "
                     "\"utf-8\");?>\" size=\"15\" maxlength=\"100\"> N</td></tr>\r\n";
        QTest::newRow("einz php required css")
            << Maker([] { return Einz(true); }) << phpCss
            << Row + "<input type=\"text\" name=\"f\" value=\"<?php echo htmlspecialchars($varf, ENT_QUOTES, "
                     "\"utf-8\");?>\" size=\"15\" maxlength=\"100\" class=\"field\"> N<br><?php echo "
                     "$errf;?></td></tr>\r\n";
        QTest::newRow("einz var") << Maker([] {
            return Einz(true);
        }) << var << "if (isset($_POST[\"f\"])) $varf = $_POST[\"f\"]; else $varf = \"V\";\r\n";
        QTest::newRow("einz error var required")
            << Maker([] { return Einz(true); }) << errVar << "$errf = \"\";";
        QTest::newRow("einz error var optional") << Maker([] { return Einz(false); }) << errVar << "";
        QTest::newRow("einz cookies")
            << Maker([] { return Einz(false); }) << cookies << valueCookies.arg(QStringLiteral("f"));
        QTest::newRow("einz script not empty") << Maker([] { return Einz(true, 0); }) << script
                                               << notEmptyScript.arg(QStringLiteral("f"), StdMsg);
        QTest::newRow("einz script kind -1") << Maker([] { return Einz(true, -1); }) << script
                                             << notEmptyScript.arg(QStringLiteral("f"), StdMsg);
        QTest::newRow("einz script e-mail")
            << Maker([] { return Einz(true, 1); }) << script
            << "if(!document.QVFORM.f.value.match(/^[A-Z0-9._%-]+@[A-Z0-9.-]+\\.[A-Z]{2,6}$/i))  "
               "{\r\nalert(\"" +
                   StdMsg + "\");\r\ndocument.QVFORM.f.focus();\r\nreturn false;\r\n}\r\n";
        QTest::newRow("einz script number")
            << Maker([] { return Einz(true, 2); }) << script
            << "if((isNaN(str_replace(\",\",\".\",document.QVFORM.f.value))) || (document.QVFORM.f.value == "
               "\"\"))  {\r\nalert(\"" +
                   StdMsg + "\");\r\ndocument.QVFORM.f.focus();\r\nreturn false;\r\n}\r\n";
        QTest::newRow("einz script length")
            << Maker([] { return Einz(true, 3); }) << script
            << "if(document.QVFORM.f.value.length < 4)  {\r\nalert(\"" + StdMsg +
                   "\");\r\ndocument.QVFORM.f.focus();\r\nreturn false;\r\n}\r\n";
        QTest::newRow("einz check not empty") << Maker([] { return Einz(true, -1); }) << check
                                              << notEmptyCheck.arg(QStringLiteral("f"), StdMsg);
        const QString span =
            QStringLiteral("{\r\n  $errf = \"<span style=\\\"color:#FF0000;\\\">%1</span>\";\r\n\t$bFormOK = "
                           "false;\r\n}\r\n\r\n");
        QTest::newRow("einz check e-mail") << Maker([] { return Einz(true, 1); }) << check
                                           << "if "
                                              "(preg_match(\"|^[a-zA-Z0-9][a-zA-Z0-9._-]*@[a-zA-Z0-9._-]+\\.["
                                              "a-zA-Z]{2,6}$|\",$_POST[\"f\"]) == false)\r\n" +
                                                  span.arg(StdMsg);
        QTest::newRow("einz check number")
            << Maker([] { return Einz(true, 2); }) << check
            << "if (!is_numeric(str_replace(\",\",\".\",$_POST[\"f\"])))\r\n" + span.arg(StdMsg);
        QTest::newRow("einz check length, own message") << Maker([] {
            auto f = Einz(true, 3);
            f->Meldung = QStringLiteral("Zu <b>kurz</b>");
            return f;
        }) << check << "if (strlen($_POST[\"f\"]) < 4)\r\n" + span.arg(QStringLiteral("Zu <b>kurz</b>"));

        // calendar: own default and clearing flag, empty size, not-empty check
        const QString calScript =
            QStringLiteral("\t<script language=\"JavaScript\" type=\"text/javascript\">\r\n    <!--\r\n"
                           "\t    function d_Callback(date, month, year) {\r\n"
                           "\t        document.forms['QVFORM'].d.value = formatDate(date, month, year);\r\n"
                           "\t        d_Cal.toggleCal();\r\n\t    }\r\n"
                           "     d_Cal = new DynCal('d_Cal', 'd_Callback',2020,2030);\r\n   //-->\r\n   "
                           "</script>\r\n</td></tr>\r\n");
        QTest::newRow("cal html") << Maker([] { return Cal(false); }) << htmlCss
                                  << Row +
                                         "<input type=\"text\" name=\"d\" value=\"01.02.2027\" size=\"\" "
                                         "maxlength=\"\" class=\"field\" onfocus=\"this.value = '';\"> N" +
                                         calScript;
        QTest::newRow("cal php required")
            << Maker([] { return Cal(true); }) << php
            << Row +
                   "<input type=\"text\" name=\"d\" value=\"<?php echo htmlspecialchars($vard, ENT_QUOTES, "
                   "\"utf-8\");?>\" size=\"\" maxlength=\"\" onfocus=\"this.value = '';\"> N<br><?php echo "
                   "$errd;?>" +
                   calScript;
        QTest::newRow("cal script") << Maker([] { return Cal(true); }) << script
                                    << notEmptyScript.arg(QStringLiteral("d"), StdMsg);
        QTest::newRow("cal check") << Maker([] { return Cal(true); }) << check
                                   << notEmptyCheck.arg(QStringLiteral("d"), StdMsg);
        QTest::newRow("cal var") << Maker([] {
            return Cal(true);
        }) << var << "if (isset($_POST[\"d\"])) $vard = $_POST[\"d\"]; else $vard = \"01.02.2027\";\r\n";
        QTest::newRow("cal cookies") << Maker([] { return Cal(false); }) << cookies
                                     << valueCookies.arg(QStringLiteral("d"));

        // multi-line
        QTest::newRow("mehrz html, limit and display")
            << Maker([] { return Mehrz(false, true, QStringLiteral("200")); }) << htmlCss
            << Row + "<textarea name=\"m\" cols=\"40\" rows=\"5\" class=\"field\" "
                     "onkeyup=\"javascript:zaehle_m()\" >A\r\nB</textarea> N"
                     "<br><input name=\"anzeige_m\" type=\"text\" size=\"8\" readonly value=\"200\" "
                     "class=\"field\"> frei</td></tr>\r\n";
        QTest::newRow("mehrz html, no limit")
            << Maker([] { return Mehrz(false, false, QString()); }) << html
            << Row + "<textarea name=\"m\" cols=\"40\" rows=\"5\">A\r\nB</textarea> N</td></tr>\r\n";
        QTest::newRow("mehrz php required, display")
            << Maker([] { return Mehrz(true, true, QStringLiteral("200")); }) << php
            << Row + "<textarea name=\"m\" cols=\"40\" rows=\"5\" onkeyup=\"javascript:zaehle_m()\" ><?php "
                     "echo htmlspecialchars($varm, ENT_QUOTES, \"utf-8\");?></textarea> N"
                     "<br><input name=\"anzeige_m\" type=\"text\" size=\"8\" readonly value=\"200\"> "
                     "frei<br><?php echo $errm;?></td></tr>\r\n";
        QTest::newRow("mehrz var") << Maker([] {
            return Mehrz(true, false, QString());
        }) << var << "if (isset($_POST[\"m\"])) $varm = $_POST[\"m\"]; else $varm = \"A\r\nB\";\r\n";
        QTest::newRow("mehrz script") << Maker([] { return Mehrz(true, false, QString()); }) << script
                                      << notEmptyScript.arg(QStringLiteral("m"), StdMsg);
        QTest::newRow("mehrz check") << Maker([] { return Mehrz(true, false, QString()); }) << check
                                     << notEmptyCheck.arg(QStringLiteral("m"), StdMsg);
        QTest::newRow("mehrz cookies") << Maker([] { return Mehrz(false, false, QString()); }) << cookies
                                       << valueCookies.arg(QStringLiteral("m"));
        const QString counterHead = QStringLiteral(
            "<script type=\"text/javascript\">\r\n<!--\r\nvar formfeld_m = \"\";\r\nfunction "
            "zaehle_m()\r\n{\r\n"
            "\tif "
            "(window.document.QVFORM.m.value.length>200)\r\n\t{\r\n\t\twindow.document.QVFORM.m.value="
            "formfeld_m;\r\n"
            " \t\treturn;\r\n\t}\r\n \telse\r\n\t{\r\n\t\tformfeld_m = window.document.QVFORM.m.value;\r\n");
        const QString counterTail = QStringLiteral("\t}\r\n}\r\n//--></script>\r\n");
        QTest::newRow("counter with display")
            << Maker([] { return Mehrz(false, true, QStringLiteral("200")); }) << counter
            << counterHead +
                   " \t\twindow.document.QVFORM.anzeige_m.value = "
                   "200-window.document.QVFORM.m.value.length;\r\n" +
                   counterTail;
        QTest::newRow("counter without display")
            << Maker([] { return Mehrz(false, false, QStringLiteral("200")); }) << counter
            << counterHead + counterTail;
        QTest::newRow("counter without limit")
            << Maker([] { return Mehrz(false, true, QString()); }) << counter << "";

        // password
        QTest::newRow("pass html") << Maker([] { return Pass(false); }) << html
                                   << Row + "<input type=\"password\" name=\"p\" value=\"V\" size=\"15\" "
                                            "maxlength=\"\" onfocus=\"this.value = '';\"> N</td></tr>\r\n";
        QTest::newRow("pass php required css")
            << Maker([] { return Pass(true); }) << phpCss
            << Row + "<input type=\"password\" name=\"p\" value=\"<?php echo htmlspecialchars($varp, "
                     "ENT_QUOTES, \"utf-8\");?>\" size=\"15\" maxlength=\"\" class=\"field\" "
                     "onfocus=\"this.value = '';\"> N<br><?php echo $errp;?></td></tr>\r\n";
        QTest::newRow("pass script") << Maker([] { return Pass(true); }) << script
                                     << notEmptyScript.arg(QStringLiteral("p"), StdMsg);
        QTest::newRow("pass check") << Maker([] { return Pass(true); }) << check
                                    << notEmptyCheck.arg(QStringLiteral("p"), StdMsg);
        QTest::newRow("pass var") << Maker([] {
            return Pass(true);
        }) << var << "if (isset($_POST[\"p\"])) $varp = $_POST[\"p\"]; else $varp = \"V\";\r\n";
        // a password is never kept in a cookie, whatever the field says
        QTest::newRow("pass cookies") << Maker([] {
            auto f = Pass(false);
            f->Cookie = true;
            return f;
        }) << cookies << "|";

        // file upload
        QTest::newRow("file html css")
            << Maker([] { return File(true); }) << htmlCss
            << Row +
                   "<input type=\"file\" name=\"up\" value=\"\" size=\"25\" class=\"field\"> N</td></tr>\r\n";
        QTest::newRow("file php required") << Maker([] { return File(true); }) << php
                                           << Row + "<input type=\"file\" name=\"up\" value=\"\" "
                                                    "size=\"25\"> N<br><?php echo $errup;?></td></tr>\r\n";
        QTest::newRow("file php optional")
            << Maker([] { return File(false); }) << php
            << Row + "<input type=\"file\" name=\"up\" value=\"\" size=\"25\"> N</td></tr>\r\n";
        QTest::newRow("file script") << Maker([] {
            return File(true);
        }) << script << notEmptyScript.arg(QStringLiteral("up"), QStringLiteral("Datei fehlt"));
        QTest::newRow("file check") << Maker([] { return File(true); }) << check
                                    << "if (!isset($_FILES['up']) or $_FILES['up']['error'] or "
                                       "($_FILES['up']['name'] == '.htaccess'))\r\n    {\r\n"
                                       "    \t$errup = \"<span style=\\\"color:#FF0000;\\\">Datei "
                                       "fehlt</span>\";\r\n    \t$bFormOK = false;\r\n\t}\r\n\r\n"
                                       "    if ($_FILES['up']['size'] > $max_attach_size)\r\n    {\r\n"
                                       "\t    $errup = \"<span style=\\\"color:#FF0000;\\\">Maximale "
                                       "Dateigröße überschritten!</span>\";\r\n"
                                       "\t  \t$bFormOK = false;\r\n\t}\r\n";
        QTest::newRow("file var and cookies") << Maker([] {
            return File(true);
        }) << Op([](const TFormField& f, const TGenContext& c) -> QString {
            return f.GenFormVarPHP(c) + f.GenSetCookieValues(c) + f.GenSetCookie(c);
        }) << "";

        // user texts inside script and PHP strings and attribute values
        const auto awkward = [] {
            auto f = Einz(true);
            f->Meldung = QStringLiteral("Sag \"hi\" \\ ${x} </script>");
            static_cast<TEinzField&>(*f).Vorgabewert = QStringLiteral("\"><b>$y");
            return f;
        };
        QTest::newRow("awkward script")
            << Maker(awkward) << script
            << notEmptyScript.arg(QStringLiteral("f"),
                                  QStringLiteral("Sag \\\"hi\\\" \\\\ ${x} <\\/script>"));
        QTest::newRow("awkward check")
            << Maker(awkward) << check
            << notEmptyCheck.arg(QStringLiteral("f"), QStringLiteral("Sag \\\"hi\\\" \\\\ \\${x} </script>"));
        QTest::newRow("awkward default in attribute")
            << Maker(awkward) << html
            << Row + "<input type=\"text\" name=\"f\" value=\"&quot;><b>$y\" size=\"15\" maxlength=\"100\"> "
                     "N</td></tr>\r\n";
        QTest::newRow("awkward default in php")
            << Maker(awkward) << var
            << "if (isset($_POST[\"f\"])) $varf = $_POST[\"f\"]; else $varf = \"\\\"><b>\\$y\";\r\n";

        QTest::newRow("closing tag in a default text")
            << Maker([] {
                   auto f = Mehrz(false, false, QString());
                   static_cast<TMehrzField&>(*f).Vorgabewert = QStringLiteral("a</TEXTAREA>b");
                   return f;
               })
            << html
            << Row +
                   "<textarea name=\"m\" cols=\"40\" rows=\"5\">a&lt;/TEXTAREA>b</textarea> N</td></tr>\r\n";

        // intermediate text
        const QString zw = QStringLiteral("<tr>\r\n<td colspan=\"2\" align=\"left\" height=\"40px\" "
                                          "valign=\"bottom\">%1</td>\r\n</tr>\r\n");
        QTest::newRow("zw html") << Maker([] { return Zw(QStringLiteral("<h3>A</h3>\r\nB")); }) << htmlCss
                                 << zw.arg(QStringLiteral("<h3>A</h3>\r\nB"));
        QTest::newRow("zw php") << Maker([] { return Zw(QStringLiteral("<h3>A</h3>\r\nB")); }) << php
                                << zw.arg(QStringLiteral("<h3>A</h3>\r\nB"));
        QTest::newRow("zw empty") << Maker([] { return Zw(QString()); }) << html << zw.arg(QString());
        QTest::newRow("zw contributes nothing else") << Maker([] {
            return Zw(QStringLiteral("x"));
        }) << Op([](const TFormField& f, const TGenContext& c) -> QString {
            return f.GenScript(c) + f.GenFormVarPHP(c) + f.GenFormCheckPHP(c) + f.GenErrorVarPHP() +
                   f.GenSetCookieValues(c) + f.GenSetCookie(c);
        }) << "";
    }

    void fragments()
    {
        QFETCH(Maker, make);
        QFETCH(Op, op);
        QFETCH(QString, expected);
        const auto field = make();
        QCOMPARE(op(*field, Ctx()), expected);
    }

    void roundTrip_data()
    {
        QTest::addColumn<Maker>("make");
        QTest::addColumn<QString>("children");
        QTest::newRow("einz") << Maker([] {
            auto f = Einz(true, 3);
            f->Cookie = true;
            f->Meldung = QStringLiteral("M");
            return f;
        })
                              << "typ name beschriftung beschriftungnach vorgabewert groesse maxLaenge "
                                 "pflicht meldung vorgabeloeschen pflichttyp mindestLaenge Cookie";
        QTest::newRow("cal") << Maker([] {
            auto f = Cal(true);
            f->Cookie = true;
            static_cast<TCalField&>(*f).Groesse = QStringLiteral("G");
            return f;
        })
                             << "typ name beschriftung beschriftungnach vorgabewert groesse pflicht meldung "
                                "vorgabeloeschen Cookie StartYear EndYear";
        QTest::newRow("mehrz")
            << Maker([] {
                   auto f = Mehrz(true, true, QStringLiteral("9"));
                   static_cast<TMehrzField&>(*f).Vorgabewert = QStringLiteral("eins\r\n\r\ndrei\r\n");
                   return f;
               })
            << "typ name beschriftung beschriftungnach vorgabewert hoehe breite pflicht meldung maxLaenge "
               "zeichenAnzeige zeichenAnzeigeText vorgabeloeschen Cookie";
        QTest::newRow("pass") << Maker([] { return Pass(true); })
                              << "typ name beschriftung beschriftungnach vorgabewert groesse maxLaenge "
                                 "pflicht meldung vorgabeloeschen Cookie";
        QTest::newRow("file") << Maker([] { return File(true); })
                              << "typ name beschriftung beschriftungnach groesse pflicht meldung";
        QTest::newRow("zw") << Maker([] { return Zw(QStringLiteral("<b>A</b>\r\n\r\nC")); })
                            << "typ beschriftung";
    }

    // Written in the order of the file format, read back through the
    // factory into an equal field (compared by writing it again).
    void roundTrip()
    {
        QFETCH(Maker, make);
        QFETCH(QString, children);
        const auto field = make();
        QDomDocument doc;
        QDomElement node = doc.createElement(QStringLiteral("forms"));
        doc.appendChild(node);
        field->SetXMLNode(node);
        QStringList names;
        for (QDomElement e = node.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
            names << e.tagName();
        QCOMPARE(names.join(QLatin1Char(' ')), children);

        QDomDocument reread;
        QVERIFY(reread.setContent(doc.toString(2)));
        const auto made = CreateFieldFromNode(reread.documentElement());
        QVERIFY2(made, qPrintable(made.Error()));
        const auto& back = *made;
        QCOMPARE(back->ClassName(), field->ClassName());
        const auto ctx = Ctx();
        QCOMPARE(back->GenCode(ctx, true), field->GenCode(ctx, true));
        QDomDocument again;
        QDomElement node2 = again.createElement(QStringLiteral("forms"));
        again.appendChild(node2);
        back->SetXMLNode(node2);
        QCOMPARE(again.toString(), doc.toString());
    }

    // Each needed child, left out, fails the read; the optional ones fall back.
    void reading_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("drop");
        QTest::addColumn<bool>("ok");
        const auto rows = [](const char* kind, const char* needed, const char* optional) {
            for (const QString& n : QString::fromLatin1(needed).split(QLatin1Char(' ')))
                QTest::addRow("%s without %s", kind, qPrintable(n))
                    << QString::fromLatin1(kind) << n << false;
            if (*optional)
                for (const QString& n : QString::fromLatin1(optional).split(QLatin1Char(' ')))
                    QTest::addRow("%s without %s", kind, qPrintable(n))
                        << QString::fromLatin1(kind) << n << true;
        };
        rows("TEinzField", "name beschriftung vorgabewert groesse pflicht maxLaenge meldung",
             "beschriftungnach vorgabeloeschen pflichttyp mindestLaenge Cookie");
        rows("TCalField",
             "name beschriftung beschriftungnach vorgabewert groesse pflicht meldung vorgabeloeschen Cookie "
             "StartYear EndYear",
             "");
        rows("TMehrzField", "name beschriftung vorgabewert hoehe breite pflicht meldung",
             "beschriftungnach maxLaenge zeichenAnzeige zeichenAnzeigeText vorgabeloeschen Cookie");
        rows("TPassField", "name beschriftung vorgabewert groesse pflicht maxLaenge meldung",
             "beschriftungnach vorgabeloeschen Cookie");
        rows("TFileField", "name beschriftung groesse pflicht meldung", "beschriftungnach");
        rows("TZwField", "beschriftung", "");
    }

    void reading()
    {
        QFETCH(QString, kind);
        QFETCH(QString, drop);
        QFETCH(bool, ok);
        auto field = CreateField(kind);
        field->Name = QStringLiteral("n");
        QDomDocument doc;
        QDomElement node = doc.createElement(QStringLiteral("forms"));
        doc.appendChild(node);
        field->SetXMLNode(node);
        node.removeChild(node.firstChildElement(drop));
        auto read = CreateField(kind);
        QCOMPARE(read->GetXMLNode(node).Ok(), ok);
    }

    void unconvertibleValues_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::newRow("einz pflicht") << "TEinzField"
                                      << "pflicht"
                                      << "ja" << false;
        QTest::newRow("einz pflicht True") << "TEinzField"
                                           << "pflicht"
                                           << "True" << true;
        QTest::newRow("einz pflichttyp text") << "TEinzField"
                                              << "pflichttyp"
                                              << "eins" << true;
        QTest::newRow("einz Cookie text") << "TEinzField"
                                          << "Cookie"
                                          << "ja" << true;
        QTest::newRow("cal year text") << "TCalField"
                                       << "StartYear"
                                       << "20x0" << false;
        QTest::newRow("cal flag text") << "TCalField"
                                       << "vorgabeloeschen"
                                       << "nein" << false;
        QTest::newRow("mehrz pflicht") << "TMehrzField"
                                       << "pflicht"
                                       << "" << false;
        QTest::newRow("file pflicht number") << "TFileField"
                                             << "pflicht"
                                             << "7" << true;
    }

    void unconvertibleValues()
    {
        QFETCH(QString, kind);
        QFETCH(QString, element);
        QFETCH(QString, text);
        QFETCH(bool, ok);
        auto field = CreateField(kind);
        field->Name = QStringLiteral("n");
        QDomDocument doc;
        QDomElement node = doc.createElement(QStringLiteral("forms"));
        doc.appendChild(node);
        field->SetXMLNode(node);
        QDomElement e = node.firstChildElement(element);
        e.removeChild(e.firstChild());
        e.appendChild(doc.createTextNode(text));
        auto read = CreateField(kind);
        QCOMPARE(read->GetXMLNode(node).Ok(), ok);
        if (ok && element == QLatin1String("pflichttyp"))
            QCOMPARE(static_cast<TEinzField&>(*read).PflichtFeldTyp, 0);
    }
};

QTEST_GUILESS_MAIN(TestTextFields)
#include "tst_textfields.moc"
