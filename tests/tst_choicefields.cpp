// The choice-like field kinds: check box (alone and inside a list), check-box
// list, radio-button group, drop-down list, and the option-list split they
// share. Fragments are compared byte for byte.
#include "TestLanguage.h"
#include "base/XmlValues.h"
#include "fields/CheckBoxField.h"
#include "fields/CheckBoxFieldSimple.h"
#include "fields/CheckBoxList.h"
#include "fields/DropDownField.h"
#include "fields/OptionList.h"
#include "fields/RadioField.h"
#include "projectfile/FieldFactory.h"

#include <QDomDocument>
#include <QtTest>

namespace
{
QStringList Texts(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list << QString::fromUtf8(item);
    return list;
}

template <class T> std::unique_ptr<T> MakeCheckBox(const QString& name, const QString& label)
{
    auto f = std::make_unique<T>();
    f->Name = name;
    f->Beschriftung = label;
    f->BeschriftungNach = QStringLiteral("<i>nach</i>");
    f->Vorgabewert = QStringLiteral("ja");
    return f;
}

std::unique_ptr<TRadioField> MakeRadio()
{
    auto f = std::make_unique<TRadioField>();
    f->Name = QStringLiteral("farbe");
    f->Beschriftung = QStringLiteral("Farbe");
    f->BeschriftungNach = QStringLiteral("nach");
    f->Felder = QStringLiteral("rot# grün #blau");
    return f;
}

std::unique_ptr<TDropDownField> MakeDropDown()
{
    auto f = std::make_unique<TDropDownField>();
    f->Name = QStringLiteral("land");
    f->Beschriftung = QStringLiteral("Land");
    f->BeschriftungNach = QStringLiteral("nach");
    f->Felder = QStringLiteral("Bitte wählen#DE#AT");
    f->Groesse = QStringLiteral("1");
    return f;
}

// Two boxes: the first required, the second remembered in a cookie.
std::unique_ptr<TCheckBoxList> MakeList()
{
    auto l = std::make_unique<TCheckBoxList>();
    l->Name = QStringLiteral("liste");
    l->Beschriftung = QStringLiteral("Wahl");
    auto one = MakeCheckBox<TCheckBoxFieldSimple>(QStringLiteral("n1"), QStringLiteral("Eins"));
    one->Vorgabewert = QStringLiteral("1");
    one->Pflicht = true;
    auto two = MakeCheckBox<TCheckBoxFieldSimple>(QStringLiteral("n2"), QStringLiteral("Zwei"));
    two->Vorgabewert = QStringLiteral("2");
    two->Cookie = true;
    l->ListCheckboxes.push_back(std::move(one));
    l->ListCheckboxes.push_back(std::move(two));
    return l;
}

// Every stored property set to something other than a new field's value,
// with a multi-line text holding an empty line.
std::unique_ptr<TFormField> MakeStored(const QString& kind)
{
    std::unique_ptr<TFormField> f;
    if (kind == QLatin1String("TCheckBoxField")) {
        f = MakeCheckBox<TCheckBoxField>(QStringLiteral("agb"), QStringLiteral("AGB"));
    } else if (kind == QLatin1String("TRadioField")) {
        auto r = MakeRadio();
        r->Vorgabewert = QStringLiteral("grün");
        r->Felder = QStringLiteral("rot\r\ngrün #'blau#hell'");
        r->singleline = true;
        f = std::move(r);
    } else if (kind == QLatin1String("TDropDownField")) {
        auto d = MakeDropDown();
        d->Vorgabewert = QStringLiteral("DE");
        d->Groesse = QStringLiteral("5");
        f = std::move(d);
    } else {
        auto l = MakeList();
        l->Pflicht = true;
        l->Meldung = QStringLiteral("Eine\r\n\r\nBox!");
        l->ListCheckboxes[1]->Meldung = QStringLiteral("Zeile 1\r\n\r\nZeile 3");
        return l;
    }
    f->Pflicht = true;
    f->Cookie = true;
    f->Meldung = QStringLiteral("Zeile 1\r\n\r\nZeile 3");
    return f;
}

// Every property of a field as text, so two fields compare in one go.
QStringList Describe(const TFormField& f)
{
    QStringList d{f.ClassName(),
                  f.Name,
                  f.Beschriftung,
                  f.BeschriftungNach,
                  f.Meldung,
                  QString::number(f.Pflicht),
                  QString::number(f.Cookie)};
    if (auto c = dynamic_cast<const TCheckBoxField*>(&f))
        d << QStringLiteral("simple=%1").arg(dynamic_cast<const TCheckBoxFieldSimple*>(&f) != nullptr)
          << c->Vorgabewert;
    if (auto r = dynamic_cast<const TRadioField*>(&f))
        d << r->Vorgabewert << r->Felder << QString::number(r->singleline);
    if (auto dd = dynamic_cast<const TDropDownField*>(&f))
        d << dd->Vorgabewert << dd->Felder << dd->Groesse;
    if (auto l = dynamic_cast<const TCheckBoxList*>(&f))
        for (const auto& item : l->ListCheckboxes)
            d << QStringLiteral("item:") + Describe(*item).join(QLatin1Char('|'));
    return d;
}

std::unique_ptr<TFormField> NewOfKind(const QString& kind)
{
    if (kind == QLatin1String("TCheckBoxField"))
        return std::make_unique<TCheckBoxField>();
    if (kind == QLatin1String("TRadioField"))
        return std::make_unique<TRadioField>();
    if (kind == QLatin1String("TDropDownField"))
        return std::make_unique<TDropDownField>();
    return std::make_unique<TCheckBoxList>();
}

// The field written into a document of its own, as the project file does.
QDomElement Written(QDomDocument& doc, const TFormField& f)
{
    QDomElement node = doc.createElement(QStringLiteral("forms"));
    doc.appendChild(node);
    f.SetXMLNode(node);
    return node;
}

// Through the file's text, so the test sees what a reader of the file sees.
QDomElement Reparsed(QDomDocument& doc, const QDomElement& node)
{
    doc.setContent(node.ownerDocument().toString(1));
    return doc.documentElement();
}

QStringList ChildNames(const QDomElement& node)
{
    QStringList names;
    for (QDomElement c = node.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
        names << c.tagName();
    return names;
}

// Removes the named child (newText null) or replaces its text.
void Mutate(QDomElement node, const QString& child, const QString& newText)
{
    const QDomElement c = node.firstChildElement(child);
    QVERIFY2(!c.isNull(), qPrintable(child));
    if (newText.isNull()) {
        node.removeChild(c);
        return;
    }
    QDomElement replacement = node.ownerDocument().createElement(child);
    replacement.appendChild(node.ownerDocument().createTextNode(newText));
    node.replaceChild(replacement, c);
}
} // namespace

class TestChoiceFields : public QObject
{
    Q_OBJECT

    TestLanguage lang;
    TGenContext ctx{QStringLiteral("FF0000"), lang.texts().Snapshot(), QStringLiteral("utf-8")};

private slots:
    void splitOptionList_data()
    {
        QTest::addColumn<QString>("felder");
        QTest::addColumn<QStringList>("choices");
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("three") << "rot#grün#blau" << Texts({"rot", "grün", "blau"});
        QTest::newRow("blank before # kept, after skipped") << "rot # grün" << Texts({"rot ", "grün"});
        QTest::newRow("## gives no empty choice") << "a##b" << Texts({"a", "b"});
        QTest::newRow("trailing # gives no empty choice") << "a#b#" << Texts({"a", "b"});
        QTest::newRow("only separators") << "# #\r\n#" << QStringList{};
        QTest::newRow("# between apostrophes") << "a'b#c'd#e" << Texts({"a'b#c'd", "e"});
        QTest::newRow("# between double quotes") << "\"x#y\"#z" << Texts({"\"x#y\"", "z"});
        QTest::newRow("other quote does not close") << "'a\"#b'#c" << Texts({"'a\"#b'", "c"});
        QTest::newRow("single apostrophe swallows the rest") << "a#it's#b#c" << Texts({"a", "it's#b#c"});
        QTest::newRow("line break inside quotes") << "'a\r\nb'#c" << Texts({"'a\r\nb'", "c"});
        QTest::newRow("CR LF separate") << "a\r\nb\rc\nd" << Texts({"a", "b", "c", "d"});
        QTest::newRow("CR LF next to #") << "a\r\n#b#\r\nc" << Texts({"a", "b", "c"});
        QTest::newRow("leading blanks and tabs skipped") << " \t a#\t b" << Texts({"a", "b"});
        QTest::newRow("trailing blank kept at the end") << "a#b " << Texts({"a", "b "});
        QTest::newRow("tab inside kept") << "a\tb" << Texts({"a\tb"});
    }

    void splitOptionList()
    {
        QFETCH(QString, felder);
        QFETCH(QStringList, choices);
        QCOMPARE(SplitOptionList(felder), choices);
    }

    // ---- check box ------------------------------------------------------

    void checkBoxCode_data()
    {
        QTest::addColumn<bool>("simple");
        QTest::addColumn<bool>("bCSS");
        QTest::addColumn<bool>("pflicht");
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("php");
        QTest::newRow("own row")
            << false << false << false
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>AGB</td>\r\n"
               "<td class=\"my\">\r\n"
               "<input type=\"Checkbox\" name=\"agb\" value=\"ja\"> <i>nach</i></td></tr>\r\n"
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>AGB</td>\r\n"
               "<td class=\"my\">\r\n"
               "<input type=\"Checkbox\" name=\"agb\" value=\"ja\" <?php echo $varagb;?>> "
               "<i>nach</i></td></tr>\r\n";
        QTest::newRow("own row, css, required")
            << false << true << true
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>AGB</td>\r\n"
               "<td class=\"my\">\r\n"
               "<input type=\"Checkbox\" name=\"agb\" value=\"ja\" class=\"field\"> <i>nach</i></td></tr>\r\n"
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>AGB</td>\r\n"
               "<td class=\"my\">\r\n"
               "<input type=\"Checkbox\" name=\"agb\" value=\"ja\" class=\"field\" <?php echo $varagb;?>> "
               "<i>nach</i> <?php echo $erragb;?></td></tr>\r\n";
        QTest::newRow("in a list: label after, never the text after")
            << true << false << false << "<input type=\"Checkbox\" name=\"agb\" value=\"ja\"> AGB<br>\r\n"
            << "<input type=\"Checkbox\" name=\"agb\" value=\"ja\" <?php echo $varagb;?>> AGB<br>\r\n";
        QTest::newRow("in a list, css, required")
            << true << true << true
            << "<input type=\"Checkbox\" name=\"agb\" value=\"ja\" class=\"field\"> AGB<br>\r\n"
            << "<input type=\"Checkbox\" name=\"agb\" value=\"ja\" class=\"field\" <?php echo $varagb;?>> "
               "AGB "
               "<?php echo $erragb;?><br>\r\n";
    }

    void checkBoxCode()
    {
        QFETCH(bool, simple);
        QFETCH(bool, bCSS);
        QFETCH(bool, pflicht);
        std::unique_ptr<TCheckBoxField> f;
        if (simple)
            f = MakeCheckBox<TCheckBoxFieldSimple>(QStringLiteral("agb"), QStringLiteral("AGB"));
        else
            f = MakeCheckBox<TCheckBoxField>(QStringLiteral("agb"), QStringLiteral("AGB"));
        f->Pflicht = pflicht;
        const TFormField& field = *f;
        QTEST(field.GenCode(ctx, bCSS), "html");
        QTEST(field.GenCodePHP(ctx, bCSS), "php");
    }

    void checkBoxChecks_data()
    {
        QTest::addColumn<bool>("simple");
        QTest::addColumn<QString>("meldung");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("check");
        QTest::newRow("standard messages")
            << false << ""
            << "if(document.QVFORM.agb.checked == false)\r\n"
               "    {\r\n"
               "alert(\"Bitte kreuzen Sie AGB an!\");\r\n"
               "     document.QVFORM.agb.focus();\r\n"
               "     return false;\r\n"
               "    }\r\n"
            << "if (!isset($_POST[\"agb\"]))\r\n"
               "{\r\n"
               "\t$erragb = \"<span style=\\\"color:#FF0000;\\\">Bitte bestätigen Sie AGB!</span>\";\r\n"
               "\t$bFormOK = false;\r\n"
               "}\r\n";
        QTest::newRow("own message, in a list")
            << true << "Zustimmen!"
            << "if(document.QVFORM.agb.checked == false)\r\n"
               "    {\r\n"
               "alert(\"Zustimmen!\");\r\n"
               "     document.QVFORM.agb.focus();\r\n"
               "     return false;\r\n"
               "    }\r\n"
            << "if (!isset($_POST[\"agb\"]))\r\n"
               "{\r\n"
               "\t$erragb = \"<span style=\\\"color:#FF0000;\\\">Zustimmen!</span>\";\r\n"
               "\t$bFormOK = false;\r\n"
               "}\r\n";
    }

    void checkBoxChecks()
    {
        QFETCH(bool, simple);
        QFETCH(QString, meldung);
        std::unique_ptr<TCheckBoxField> f;
        if (simple)
            f = MakeCheckBox<TCheckBoxFieldSimple>(QStringLiteral("agb"), QStringLiteral("AGB"));
        else
            f = MakeCheckBox<TCheckBoxField>(QStringLiteral("agb"), QStringLiteral("AGB"));
        f->Pflicht = true;
        f->Meldung = meldung;
        QTEST(f->GenScript(ctx), "script");
        QTEST(f->GenFormCheckPHP(ctx), "check");
    }

    // ---- fragments that do not depend on bCSS or the messages -----------

    void valueAndCookieFragments_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("formVar");
        QTest::addColumn<QString>("cookieValues");
        QTest::addColumn<QString>("cookie");
        const char* checkBoxVar =
            "if (isset($_POST[\"agb\"])) $varagb = \"checked\"; else $varagb = \"\";\r\n";
        const char* checkBoxCookieValues =
            "   if (GetCookie(\"agb\") == 'true') document.QVFORM.agb.checked = true;\r\n\r\n";
        const char* checkBoxCookie = "   if (document.QVFORM.agb.checked) cookie_agb = 'agb=true';\r\n"
                                     "   else cookie_agb = 'agb=false';\r\n"
                                     "   document.cookie = cookie_agb;\r\n\r\n";
        QTest::newRow("check box") << "TCheckBoxField" << checkBoxVar << checkBoxCookieValues
                                   << checkBoxCookie;
        QTest::newRow("check box in a list")
            << "TCheckBoxFieldSimple" << checkBoxVar << checkBoxCookieValues << checkBoxCookie;
        QTest::newRow("radio")
            << "TRadioField"
            << "$radfarbe_0 = \"\";\r\n"
               "$radfarbe_1 = \"\";\r\n"
               "$radfarbe_2 = \"\";\r\n"
               "if (isset($_POST[\"farbe\"]))\r\n"
               "{\r\n"
               "if ($_POST[\"farbe\"] == \"rot\") $radfarbe_0 = \"checked\";\r\n"
               "if ($_POST[\"farbe\"] == \"grün \") $radfarbe_1 = \"checked\";\r\n"
               "if ($_POST[\"farbe\"] == \"blau\") $radfarbe_2 = \"checked\";\r\n"
               "}\r\n"
            << "    ifarbe = GetCookie(\"farbe\");\r\n"
               "if (ifarbe != \"\")   document.QVFORM.farbe[ifarbe].checked = true;\r\n\r\n"
            << "    for (i = 0;  i < document.QVFORM.farbe.length;  i++)\r\n"
               "\t\t{\r\n"
               "\t\t  if (document.QVFORM.farbe[i].checked)\r\n"
               "\t\t  {\r\n"
               "\t\t      cookie_farbe = 'farbe=' + i;\r\n"
               "\t\t      document.cookie = cookie_farbe;\r\n"
               "\t\t  }\r\n"
               "\t\t}\r\n\r\n";
        QTest::newRow("drop-down")
            << "TDropDownField"
            << "$lstland_0 = \"\";\r\n"
               "$lstland_1 = \"\";\r\n"
               "$lstland_2 = \"\";\r\n"
               "if (isset($_POST[\"land\"]))\r\n"
               "{\r\n"
               "\tif ($_POST[\"land\"] == \"Bitte wählen\") $lstland_0 = \"selected\";\r\n"
               "\tif ($_POST[\"land\"] == \"DE\") $lstland_1 = \"selected\";\r\n"
               "\tif ($_POST[\"land\"] == \"AT\") $lstland_2 = \"selected\";\r\n"
               "}\r\n"
            << "   document.QVFORM.land.selectedIndex = GetCookie(\"land\");\r\n\r\n"
            << "   cookie_land = 'land=' + document.QVFORM.land.selectedIndex;\r\n"
               "   document.cookie = cookie_land;\r\n\r\n";
        // Only the second box has its cookie flag; the list's own plays no part.
        QTest::newRow("list")
            << "TCheckBoxList"
            << "if (isset($_POST[\"n1\"])) $varn1 = \"checked\"; else $varn1 = \"\";\r\n"
               "if (isset($_POST[\"n2\"])) $varn2 = \"checked\"; else $varn2 = \"\";\r\n"
            << "   if (GetCookie(\"n2\") == 'true') document.QVFORM.n2.checked = true;\r\n\r\n"
            << "   if (document.QVFORM.n2.checked) cookie_n2 = 'n2=true';\r\n"
               "   else cookie_n2 = 'n2=false';\r\n"
               "   document.cookie = cookie_n2;\r\n\r\n";
    }

    void valueAndCookieFragments()
    {
        QFETCH(QString, kind);
        std::unique_ptr<TFormField> f;
        if (kind == QLatin1String("TCheckBoxField"))
            f = MakeCheckBox<TCheckBoxField>(QStringLiteral("agb"), QStringLiteral("AGB"));
        else if (kind == QLatin1String("TCheckBoxFieldSimple"))
            f = MakeCheckBox<TCheckBoxFieldSimple>(QStringLiteral("agb"), QStringLiteral("AGB"));
        else if (kind == QLatin1String("TRadioField"))
            f = MakeRadio();
        else if (kind == QLatin1String("TDropDownField"))
            f = MakeDropDown();
        else
            f = MakeList();
        // Not required and no cookie flag: these fragments are asked for on
        // the generators' conditions, not the field's own.
        QTEST(f->GenFormVarPHP(ctx), "formVar");
        QTEST(f->GenSetCookieValues(ctx), "cookieValues");
        QTEST(f->GenSetCookie(ctx), "cookie");
    }

    // ---- check-box list -------------------------------------------------

    void listCode_data()
    {
        QTest::addColumn<bool>("items");
        QTest::addColumn<bool>("pflicht");
        QTest::addColumn<bool>("bCSS");
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("php");
        QTest::newRow("two boxes")
            << true << false << false
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>Wahl</td>\r\n"
               "<td class=\"my\">\r\n"
               "<input type=\"Checkbox\" name=\"n1\" value=\"1\"> Eins<br>\r\n"
               "<input type=\"Checkbox\" name=\"n2\" value=\"2\"> Zwei<br>\r\n"
               "</td></tr>\r\n"
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>Wahl</td>\r\n"
               "<td class=\"my\">\r\n"
               "<input type=\"Checkbox\" name=\"n1\" value=\"1\" <?php echo $varn1;?>> Eins "
               "<?php echo $errn1;?><br>\r\n"
               "<input type=\"Checkbox\" name=\"n2\" value=\"2\" <?php echo $varn2;?>> Zwei<br>\r\n"
               "</td></tr>\r\n";
        QTest::newRow("two boxes, css, list required")
            << true << true << true
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>Wahl</td>\r\n"
               "<td class=\"my\">\r\n"
               "<input type=\"Checkbox\" name=\"n1\" value=\"1\" class=\"field\"> Eins<br>\r\n"
               "<input type=\"Checkbox\" name=\"n2\" value=\"2\" class=\"field\"> Zwei<br>\r\n"
               "</td></tr>\r\n"
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>Wahl</td>\r\n"
               "<td class=\"my\">\r\n"
               "<input type=\"Checkbox\" name=\"n1\" value=\"1\" class=\"field\" <?php echo $varn1;?>> Eins "
               "<?php echo $errn1;?><br>\r\n"
               "<input type=\"Checkbox\" name=\"n2\" value=\"2\" class=\"field\" <?php echo $varn2;?>> "
               "Zwei<br>\r\n"
               "<?php echo $errliste;?></td></tr>\r\n";
        QTest::newRow("no boxes, required")
            << false << true << false
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>Wahl</td>\r\n"
               "<td class=\"my\">\r\n"
               "</td></tr>\r\n"
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>Wahl</td>\r\n"
               "<td class=\"my\">\r\n"
               "<?php echo $errliste;?></td></tr>\r\n";
    }

    void listCode()
    {
        QFETCH(bool, items);
        QFETCH(bool, pflicht);
        QFETCH(bool, bCSS);
        auto l = MakeList();
        if (!items)
            l->ListCheckboxes.clear();
        l->Pflicht = pflicht;
        QTEST(l->GenCode(ctx, bCSS), "html");
        QTEST(l->GenCodePHP(ctx, bCSS), "php");
    }

    void listChecks_data()
    {
        QTest::addColumn<bool>("items");
        QTest::addColumn<bool>("pflicht");
        QTest::addColumn<QString>("meldung");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("check");
        const char* itemScript = "if(document.QVFORM.n1.checked == false)\r\n"
                                 "    {\r\n"
                                 "alert(\"Bitte kreuzen Sie Eins an!\");\r\n"
                                 "     document.QVFORM.n1.focus();\r\n"
                                 "     return false;\r\n"
                                 "    }\r\n";
        const char* itemCheck =
            "if (!isset($_POST[\"n1\"]))\r\n"
            "{\r\n"
            "\t$errn1 = \"<span style=\\\"color:#FF0000;\\\">Bitte bestätigen Sie Eins!</span>\";\r\n"
            "\t$bFormOK = false;\r\n"
            "}\r\n";
        QTest::newRow("not required: only the required box's checks")
            << true << false << "" << itemScript << itemCheck;
        QTest::newRow("required, standard message")
            << true << true << ""
            << QString::fromUtf8("{\r\n"
                                 "\t  $check = false;\r\n"
                                 "\tif (document.QVFORM.n1.checked) $check = true;\r\n"
                                 "\tif (document.QVFORM.n2.checked) $check = true;\r\n"
                                 "\tif ($check==false)\r\n"
                                 "\t{\r\n"
                                 "\t\talert(\"Bitte wählen Sie in \\\"Wahl\\\" mindestens eine Box!\");\r\n"
                                 "\t\treturn false;\r\n"
                                 "\t}\r\n"
                                 "}\r\n"
                                 "\r\n") +
                   QString::fromUtf8(itemScript)
            << QString::fromUtf8("{\r\n"
                                 "\t  $check = false;\r\n"
                                 "  if (isset($_POST[\"n1\"])) $check = true;\r\n"
                                 "  if (isset($_POST[\"n2\"])) $check = true;\r\n"
                                 "    if ($check == false)\r\n"
                                 "    {\r\n"
                                 "\t    $errliste = \"<span style=\\\"color:#FF0000;\\\">Bitte wählen Sie in "
                                 "\\\"Wahl\\\" mindestens eine Box!</span>\";\r\n"
                                 "\t\t  $bFormOK = false;\r\n"
                                 "\t  }\r\n"
                                 "}\r\n") +
                   QString::fromUtf8(itemCheck);
        QTest::newRow("required, own message, no boxes")
            << false << true << "Eine!"
            << "{\r\n"
               "\t  $check = false;\r\n"
               "\tif ($check==false)\r\n"
               "\t{\r\n"
               "\t\talert(\"Eine!\");\r\n"
               "\t\treturn false;\r\n"
               "\t}\r\n"
               "}\r\n"
               "\r\n"
            << "{\r\n"
               "\t  $check = false;\r\n"
               "    if ($check == false)\r\n"
               "    {\r\n"
               "\t    $errliste = \"<span style=\\\"color:#FF0000;\\\">Eine!</span>\";\r\n"
               "\t\t  $bFormOK = false;\r\n"
               "\t  }\r\n"
               "}\r\n";
        QTest::newRow("nothing required") << false << false << ""
                                          << ""
                                          << "";
    }

    void listChecks()
    {
        QFETCH(bool, items);
        QFETCH(bool, pflicht);
        QFETCH(QString, meldung);
        auto l = MakeList();
        if (!items)
            l->ListCheckboxes.clear();
        l->Pflicht = pflicht;
        l->Meldung = meldung;
        QTEST(l->GenScript(ctx), "script");
        QTEST(l->GenFormCheckPHP(ctx), "check");
    }

    void listErrorVariables()
    {
        auto l = MakeList();
        l->Pflicht = true;
        l->ListCheckboxes[1]->Pflicht = true;
        // What the generators take is the base operation: the list's own variable.
        QCOMPARE(static_cast<const TFormField&>(*l).GenErrorVarPHP(), QStringLiteral("$errliste = \"\";"));
        // The list's own, uncalled one joins the boxes' lines.
        QCOMPARE(l->GenErrorVarPHP(), QStringLiteral("$errn1 = \"\";$errn2 = \"\";"));
        l->ListCheckboxes[0]->Pflicht = false;
        QCOMPARE(l->GenErrorVarPHP(true), QStringLiteral("$errn2 = \"\";"));
    }

    // ---- radio-button group ---------------------------------------------

    void radioCode_data()
    {
        QTest::addColumn<QString>("felder");
        QTest::addColumn<bool>("bCSS");
        QTest::addColumn<bool>("singleline");
        QTest::addColumn<bool>("pflicht");
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("php");
        QTest::newRow("one below the other")
            << "rot# grün #blau" << false << false << false
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>Farbe</td>\r\n"
               "<td class=\"my\">\r\n"
               "<input type=\"radio\" name=\"farbe\" value=\"rot\">rot<br>\r\n"
               "<input type=\"radio\" name=\"farbe\" value=\"grün \">grün <br>\r\n"
               "<input type=\"radio\" name=\"farbe\" value=\"blau\">blau<br>\r\n"
               "nach</td></tr>\r\n"
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>Farbe</td>\r\n"
               "<td class=\"my\">\r\n"
               "<input type=\"radio\" name=\"farbe\" value=\"rot\" <?php echo $radfarbe_0;?>>rot<br>\r\n"
               "<input type=\"radio\" name=\"farbe\" value=\"grün \" <?php echo $radfarbe_1;?>>grün <br>\r\n"
               "<input type=\"radio\" name=\"farbe\" value=\"blau\" <?php echo $radfarbe_2;?>>blau<br>\r\n"
               "nach</td></tr>\r\n";
        QTest::newRow("one line, css, required")
            << "rot#grün" << true << true << true
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>Farbe</td>\r\n"
               "<td class=\"my\">\r\n"
               "<input type=\"radio\" name=\"farbe\" value=\"rot\" class=\"field\">rot\r\n"
               "<input type=\"radio\" name=\"farbe\" value=\"grün\" class=\"field\">grün\r\n"
               "nach</td></tr>\r\n"
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>Farbe</td>\r\n"
               "<td class=\"my\">\r\n"
               "<input type=\"radio\" name=\"farbe\" value=\"rot\" class=\"field\" <?php echo "
               "$radfarbe_0;?>>rot\r\n"
               "<input type=\"radio\" name=\"farbe\" value=\"grün\" class=\"field\" <?php echo "
               "$radfarbe_1;?>>grün\r\n"
               "<?php echo $errfarbe;?>nach</td></tr>\r\n";
        QTest::newRow("no choices")
            << "" << false << false << true
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>Farbe</td>\r\n"
               "<td class=\"my\">\r\n"
               "nach</td></tr>\r\n"
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>Farbe</td>\r\n"
               "<td class=\"my\">\r\n"
               "<?php echo $errfarbe;?>nach</td></tr>\r\n";
    }

    void radioCode()
    {
        QFETCH(QString, felder);
        QFETCH(bool, bCSS);
        QFETCH(bool, singleline);
        QFETCH(bool, pflicht);
        auto f = MakeRadio();
        f->Felder = felder;
        f->singleline = singleline;
        f->Pflicht = pflicht;
        QTEST(f->GenCode(ctx, bCSS), "html");
        QTEST(f->GenCodePHP(ctx, bCSS), "php");
    }

    void radioChecks_data()
    {
        QTest::addColumn<QString>("meldung");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("check");
        QTest::newRow("standard messages") << ""
                                           << "var Option = false;\r\n"
                                              "for (i = 0;  i < document.QVFORM.farbe.length;  i++)\r\n"
                                              "  {\r\n"
                                              "    if (document.QVFORM.farbe[ i ].checked)\r\n"
                                              "        Option = true;\r\n"
                                              "  }\r\n"
                                              "  if (!Option)\r\n"
                                              "  {\r\n"
                                              "alert(\"Bitte wählen Sie bei Farbe \");\r\n"
                                              "    return (false);\r\n"
                                              "  }\r\n"
                                           << "\tif (!isset($_POST[\"farbe\"]))\r\n"
                                              "\t{\r\n"
                                              "\t\t$errfarbe = \"<span style=\\\"color:#FF0000;\\\">Bitte "
                                              "bestätigen Sie Farbe!</span>\";\r\n"
                                              "\t\t$bFormOK = false;\r\n"
                                              "\t}\r\n";
        QTest::newRow("own message")
            << "Farbe?"
            << "var Option = false;\r\n"
               "for (i = 0;  i < document.QVFORM.farbe.length;  i++)\r\n"
               "  {\r\n"
               "    if (document.QVFORM.farbe[ i ].checked)\r\n"
               "        Option = true;\r\n"
               "  }\r\n"
               "  if (!Option)\r\n"
               "  {\r\n"
               "alert(\"Farbe?\");\r\n"
               "    return (false);\r\n"
               "  }\r\n"
            << "\tif (!isset($_POST[\"farbe\"]))\r\n"
               "\t{\r\n"
               "\t\t$errfarbe = \"<span style=\\\"color:#FF0000;\\\">Farbe?</span>\";\r\n"
               "\t\t$bFormOK = false;\r\n"
               "\t}\r\n";
    }

    void radioChecks()
    {
        QFETCH(QString, meldung);
        auto f = MakeRadio();
        f->Pflicht = true;
        f->Meldung = meldung;
        QTEST(f->GenScript(ctx), "script");
        QTEST(f->GenFormCheckPHP(ctx), "check");
    }

    void radioOfOneButton()
    {
        // a single button is no collection: the check asks the element itself
        auto f = MakeRadio();
        f->Pflicht = true;
        f->Felder = QStringLiteral("Ja");
        QCOMPARE(f->GenScript(ctx), QStringLiteral("var Option = false;\r\n"
                                                   "if (document.QVFORM.farbe.checked)\r\n"
                                                   "        Option = true;\r\n"
                                                   "  if (!Option)\r\n  {\r\n"
                                                   "alert(\"Bitte wählen Sie bei Farbe \");\r\n"
                                                   "    return (false);\r\n  }\r\n"));
    }

    void awkwardChoicesAndMessages()
    {
        auto r = MakeRadio();
        r->Felder = QStringLiteral("\"a\"#c$d"); // quotes pair up in the option list
        r->Meldung = QStringLiteral("Wähle \"eins\"");
        QVERIFY(r->GenCode(ctx, false).contains(QStringLiteral("value=\"&quot;a&quot;\">\"a\"<br>")));
        QVERIFY(r->GenFormVarPHP(ctx).contains(QStringLiteral("== \"\\\"a\\\"\")")));
        QVERIFY(r->GenFormVarPHP(ctx).contains(QStringLiteral("== \"c\\$d\")")));
        QVERIFY(r->GenScript(ctx).contains(QStringLiteral("alert(\"Wähle \\\"eins\\\"\");")));

        auto d = MakeDropDown();
        d->Felder = QStringLiteral("W\"ahl$#x");
        d->Beschriftung = QStringLiteral("L\"and");
        d->Pflicht = true;
        // the quote opens a quoted stretch: the one option is the whole text
        QVERIFY2(d->GenFormCheckPHP(ctx).startsWith(
                     QStringLiteral("if ($_POST[\"land\"] == qv_option_value(\"W\\\"ahl\\$#x\"))")),
                 qPrintable(d->GenFormCheckPHP(ctx)));
        QVERIFY(d->GenScript(ctx).contains(
            QStringLiteral("alert(\"Bitte wählen Sie etwas im Feld L\\\"and aus!\");")));

        auto c = MakeCheckBox<TCheckBoxField>(QStringLiteral("agb"), QStringLiteral("A\"GB"));
        c->Vorgabewert = QStringLiteral("\"x");
        c->Pflicht = true;
        QVERIFY(c->GenCode(ctx, false).contains(QStringLiteral("value=\"&quot;x\">")));
        QVERIFY(c->GenScript(ctx).contains(QStringLiteral("alert(\"Bitte kreuzen Sie A\\\"GB an!\");")));
        QVERIFY(c->GenFormCheckPHP(ctx).contains(QStringLiteral(">Bitte bestätigen Sie A\\\"GB!</span>")));
    }

    void radioEmptyListVariables()
    {
        auto f = MakeRadio();
        f->Felder.clear();
        QCOMPARE(f->GenFormVarPHP(ctx), QStringLiteral("if (isset($_POST[\"farbe\"]))\r\n{\r\n}\r\n"));
    }

    // ---- drop-down list -------------------------------------------------

    void dropDownCode_data()
    {
        QTest::addColumn<QString>("felder");
        QTest::addColumn<bool>("bCSS");
        QTest::addColumn<bool>("pflicht");
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("php");
        QTest::newRow("plain")
            << "Bitte wählen#DE#AT" << false << false
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>Land</td>\r\n"
               "<td class=\"my\">\r\n"
               "<select name=\"land\" size=\"1\"><option>Bitte wählen</option>\r\n"
               "<option>DE</option>\r\n"
               "<option>AT</option>\r\n"
               "</select> nach</td></tr>\r\n"
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>Land</td>\r\n"
               "<td class=\"my\">\r\n"
               "<select name=\"land\" size=\"1\"><option <?php echo $lstland_0;?>>Bitte wählen</option>\r\n"
               "<option <?php echo $lstland_1;?>>DE</option>\r\n"
               "<option <?php echo $lstland_2;?>>AT</option>\r\n"
               "</select> nach</td></tr>\r\n";
        QTest::newRow("css, required, leading blanks not shown")
            << "  DE#AT" << true << true
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>Land</td>\r\n"
               "<td class=\"my\">\r\n"
               "<select name=\"land\" size=\"1\" class=\"field\"><option>DE</option>\r\n"
               "<option>AT</option>\r\n"
               "</select> nach</td></tr>\r\n"
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>Land</td>\r\n"
               "<td class=\"my\">\r\n"
               "<select name=\"land\" size=\"1\" class=\"field\"><option <?php echo "
               "$lstland_0;?>>DE</option>\r\n"
               "<option <?php echo $lstland_1;?>>AT</option>\r\n"
               "</select> nach<br><?php echo $errland;?></td></tr>\r\n";
        QTest::newRow("no choices")
            << "" << false << false
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>Land</td>\r\n"
               "<td class=\"my\">\r\n"
               "<select name=\"land\" size=\"1\"></select> nach</td></tr>\r\n"
            << "<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>Land</td>\r\n"
               "<td class=\"my\">\r\n"
               "<select name=\"land\" size=\"1\"></select> nach</td></tr>\r\n";
    }

    void dropDownCode()
    {
        QFETCH(QString, felder);
        QFETCH(bool, bCSS);
        QFETCH(bool, pflicht);
        auto f = MakeDropDown();
        f->Felder = felder;
        f->Pflicht = pflicht;
        QTEST(f->GenCode(ctx, bCSS), "html");
        QTEST(f->GenCodePHP(ctx, bCSS), "php");
    }

    void dropDownChecks_data()
    {
        QTest::addColumn<QString>("groesse");
        QTest::addColumn<QString>("felder");
        QTest::addColumn<QString>("meldung");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("check");
        const char* boxScript = "if (document.QVFORM.land.selectedIndex < 1)\r\n"
                                "{\r\n"
                                "alert(\"Bitte wählen Sie etwas im Feld Land aus!\");\r\n"
                                "document.QVFORM.land.focus();\r\n"
                                "return (false);\r\n"
                                "}\r\n";
        const char* listScript = "if (document.QVFORM.land.selectedIndex < 0)\r\n"
                                 "{\r\n"
                                 "alert(\"Bitte wählen Sie etwas im Feld Land aus!\");\r\n"
                                 "document.QVFORM.land.focus();\r\n"
                                 "return (false);\r\n"
                                 "}\r\n";
        const char* listCheck =
            "if (!isset($_POST[\"land\"]))\r\n"
            "\t{\r\n"
            "\t\t$errland = \"<span style=\\\"color:#FF0000;\\\">Bitte wählen Sie in Land!</span>\";\r\n"
            "\t\t$bFormOK = false;\r\n"
            "\t}\r\n";
        QTest::newRow("drop-down: the first choice is nothing chosen")
            << "1"
            << "Bitte wählen#DE#AT"
            << "" << boxScript
            << "if ($_POST[\"land\"] == \"Bitte wählen\")\r\n"
               "\t{\r\n"
               "\t\t$errland = \"<span style=\\\"color:#FF0000;\\\">Bitte wählen Sie in Land!</span>\";\r\n"
               "\t\t$bFormOK = false;\r\n"
               "\t}\r\n";
        QTest::newRow("size 0, own message still gets its !")
            << "0"
            << "Bitte wählen#DE#AT"
            << "Land fehlt"
            << "if (document.QVFORM.land.selectedIndex < 1)\r\n"
               "{\r\n"
               "alert(\"Land fehlt\");\r\n"
               "document.QVFORM.land.focus();\r\n"
               "return (false);\r\n"
               "}\r\n"
            << "if ($_POST[\"land\"] == \"Bitte wählen\")\r\n"
               "\t{\r\n"
               "\t\t$errland = \"<span style=\\\"color:#FF0000;\\\">Land fehlt!</span>\";\r\n"
               "\t\t$bFormOK = false;\r\n"
               "\t}\r\n";
        QTest::newRow("list box") << "5"
                                  << "Bitte wählen#DE#AT"
                                  << "" << listScript << listCheck;
        QTest::newRow("01 is a list box") << "01"
                                          << "Bitte wählen#DE#AT"
                                          << "" << listScript << listCheck;
        QTest::newRow("blank 1 is a list box") << " 1"
                                               << "Bitte wählen#DE#AT"
                                               << "" << listScript << listCheck;
        QTest::newRow("empty size is a list box") << ""
                                                  << "Bitte wählen#DE#AT"
                                                  << "" << listScript << listCheck;
        QTest::newRow("no # compares with nothing")
            << "1"
            << "DE"
            << "" << boxScript
            << "if ($_POST[\"land\"] == \"\")\r\n"
               "\t{\r\n"
               "\t\t$errland = \"<span style=\\\"color:#FF0000;\\\">Bitte wählen Sie in Land!</span>\";\r\n"
               "\t\t$bFormOK = false;\r\n"
               "\t}\r\n";
        // the first option compared as a browser posts it: its text without
        // the blanks around it, a quoted "#" inside it
        QTest::newRow("first choice as posted, without leading blanks")
            << "1"
            << "  Bitte#DE"
            << "" << boxScript
            << "if ($_POST[\"land\"] == qv_option_value(\"Bitte\"))\r\n"
               "\t{\r\n"
               "\t\t$errland = \"<span style=\\\"color:#FF0000;\\\">Bitte wählen Sie in Land!</span>\";\r\n"
               "\t\t$bFormOK = false;\r\n"
               "\t}\r\n";
        QTest::newRow("first choice as posted, quoted # inside")
            << "1"
            << "'a#b'#c"
            << "" << boxScript
            << "if ($_POST[\"land\"] == qv_option_value(\"'a#b'\"))\r\n"
               "\t{\r\n"
               "\t\t$errland = \"<span style=\\\"color:#FF0000;\\\">Bitte wählen Sie in Land!</span>\";\r\n"
               "\t\t$bFormOK = false;\r\n"
               "\t}\r\n";
    }

    void dropDownChecks()
    {
        QFETCH(QString, groesse);
        QFETCH(QString, felder);
        QFETCH(QString, meldung);
        auto f = MakeDropDown();
        f->Groesse = groesse;
        f->Felder = felder;
        f->Meldung = meldung;
        f->Pflicht = true;
        QTEST(f->GenScript(ctx), "script");
        QTEST(f->GenFormCheckPHP(ctx), "check");
    }

    void dropDownEmptyListVariables()
    {
        auto f = MakeDropDown();
        f->Felder.clear();
        QCOMPARE(f->GenFormVarPHP(ctx), QStringLiteral("if (isset($_POST[\"land\"]))\r\n{\r\n}\r\n"));
    }

    // ---- project file ---------------------------------------------------

    void roundTrip_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("children");
        QTest::newRow("check box") << "TCheckBoxField"
                                   << Texts({"typ", "name", "beschriftung", "beschriftungnach", "vorgabewert",
                                             "pflicht", "meldung", "Cookie"});
        QTest::newRow("radio") << "TRadioField"
                               << Texts({"typ", "name", "beschriftung", "vorgabewert", "felder", "pflicht",
                                         "singleline", "meldung", "beschriftungnach", "Cookie"});
        QTest::newRow("drop-down") << "TDropDownField"
                                   << Texts({"typ", "name", "beschriftung", "beschriftungnach", "vorgabewert",
                                             "felder", "groesse", "pflicht", "meldung", "Cookie"});
        QTest::newRow("list") << "TCheckBoxList"
                              << Texts({"typ", "beschriftung", "pflicht", "meldung", "name", "ItemList"});
    }

    void roundTrip()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, children);
        const auto original = MakeStored(kind);
        QDomDocument doc;
        QDomDocument reread;
        const QDomElement node = Reparsed(reread, Written(doc, *original));
        QCOMPARE(ChildNames(node), children);
        QCOMPARE(XmlValues::ChildText(node, QStringLiteral("typ")).value_or(QString()), kind);

        auto read = NewOfKind(kind);
        QVERIFY(read->GetXMLNode(node));
        QCOMPARE(Describe(*read), Describe(*original));
    }

    void listItemsAreStoredAsCheckBoxes()
    {
        auto l = MakeList();
        QDomDocument doc;
        const QDomElement items = Written(doc, *l).firstChildElement(QStringLiteral("ItemList"));
        QCOMPARE(ChildNames(items), (Texts({"forms", "forms"})));
        const QDomElement first = items.firstChildElement();
        QCOMPARE(ChildNames(first), (Texts({"typ", "name", "beschriftung", "beschriftungnach", "vorgabewert",
                                            "pflicht", "meldung", "Cookie"})));
        QCOMPARE(first.firstChildElement(QStringLiteral("typ")).text(), QStringLiteral("TCheckBoxField"));
        QCOMPARE(first.firstChildElement(QStringLiteral("name")).text(), QStringLiteral("n1"));
    }

    // Each needed element missing (or unparsable) fails the read; each
    // optional one falls back, which shows in what the field writes again.
    void readElements_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("newText"); // null: the element is removed
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("rewritten");
        const QString gone;
        const struct
        {
            const char* kind;
            std::vector<const char*> needed;
        } kinds[] = {
            {"TCheckBoxField", {"name", "beschriftung", "vorgabewert", "pflicht", "meldung"}},
            {"TRadioField", {"name", "beschriftung", "vorgabewert", "felder", "pflicht", "meldung"}},
            {"TDropDownField",
             {"name", "beschriftung", "vorgabewert", "felder", "groesse", "pflicht", "meldung"}},
        };
        for (const auto& k : kinds) {
            for (const char* e : k.needed)
                QTest::addRow("%s without %s", k.kind, e) << k.kind << e << gone << false << "";
            QTest::addRow("%s pflicht not a flag", k.kind) << k.kind << "pflicht"
                                                           << "ja" << false << "";
            QTest::addRow("%s pflicht as word", k.kind) << k.kind << "pflicht"
                                                        << "FALSE" << true << "0";
            QTest::addRow("%s without beschriftungnach", k.kind)
                << k.kind << "beschriftungnach" << gone << true << "";
            QTest::addRow("%s without Cookie", k.kind) << k.kind << "Cookie" << gone << true << "0";
            QTest::addRow("%s Cookie not a flag", k.kind) << k.kind << "Cookie"
                                                          << "ja" << true << "0";
        }
        QTest::newRow("TRadioField without singleline") << "TRadioField"
                                                        << "singleline" << gone << true << "0";
        QTest::newRow("TRadioField singleline not a flag") << "TRadioField"
                                                           << "singleline"
                                                           << "x" << true << "0";
    }

    void readElements()
    {
        QFETCH(QString, kind);
        QFETCH(QString, element);
        QFETCH(QString, newText);
        QFETCH(bool, ok);
        QFETCH(QString, rewritten);
        QDomDocument doc;
        QDomElement node = Written(doc, *MakeStored(kind));
        Mutate(node, element, newText);
        auto read = NewOfKind(kind);
        QCOMPARE(read->GetXMLNode(node).Ok(), ok);
        if (!ok)
            return;
        QDomDocument again;
        const QDomElement out = Written(again, *read);
        QCOMPARE(out.firstChildElement(element).text(), rewritten);
    }

    void listGroupReading_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("newText"); // null: the element is removed
        QTest::addColumn<bool>("pflicht");
        QTest::addColumn<QString>("meldung");
        QTest::addColumn<QString>("name");
        const QString gone;
        QTest::newRow("all there") << "typ"
                                   << "TCheckBoxList" << true << "Eine!"
                                   << "liste";
        QTest::newRow("no pflicht: the rest is not read") << "pflicht" << gone << false << ""
                                                          << "";
        QTest::newRow("pflicht not a flag") << "pflicht"
                                            << "ja" << false << ""
                                            << "";
        QTest::newRow("no meldung: name not read") << "meldung" << gone << true << ""
                                                   << "";
        QTest::newRow("no name") << "name" << gone << true << "Eine!"
                                 << "";
    }

    void listGroupReading()
    {
        QFETCH(QString, element);
        QFETCH(QString, newText);
        auto l = MakeList();
        l->Pflicht = true;
        l->Meldung = QStringLiteral("Eine!");
        QDomDocument doc;
        QDomElement node = Written(doc, *l);
        Mutate(node, element, newText);
        TCheckBoxList read;
        QVERIFY(read.GetXMLNode(node));
        QTEST(read.Pflicht, "pflicht");
        QTEST(read.Meldung, "meldung");
        QTEST(read.Name, "name");
        QCOMPARE(read.Beschriftung, QStringLiteral("Wahl"));
        QCOMPARE(read.ListCheckboxes.size(), size_t(2));
    }

    void listNeededElements_data()
    {
        QTest::addColumn<QString>("element");
        QTest::newRow("beschriftung") << "beschriftung";
        QTest::newRow("ItemList") << "ItemList";
    }

    void listNeededElements()
    {
        QFETCH(QString, element);
        QDomDocument doc;
        QDomElement node = Written(doc, *MakeList());
        Mutate(node, element, QString());
        TCheckBoxList read;
        QVERIFY(!read.GetXMLNode(node));
    }

    // A box that cannot be a check box with a usable name fails the whole
    // list rather than going missing.
    void listItemReading_data()
    {
        QTest::addColumn<QString>("element"); // of the second item; empty: rename the item element
        QTest::addColumn<QString>("newText"); // null: the element is removed
        QTest::addColumn<bool>("ok");
        const QString gone;
        QTest::newRow("item element of any name") << ""
                                                  << "box" << true;
        QTest::newRow("item without typ") << "typ" << gone << false;
        QTest::newRow("item of another kind") << "typ"
                                              << "TEinzField" << false;
        QTest::newRow("item typ in other case") << "typ"
                                                << "tcheckboxfield" << false;
        QTest::newRow("item typ of the list kind") << "typ"
                                                   << "TCheckBoxFieldSimple" << false;
        QTest::newRow("item without pflicht") << "pflicht" << gone << false;
        QTest::newRow("item without name") << "name" << gone << false;
        QTest::newRow("item with empty name") << "name"
                                              << "" << false;
        QTest::newRow("item name starting with a digit") << "name"
                                                         << "2n" << false;
        QTest::newRow("item name with a blank") << "name"
                                                << "n 2" << false;
        QTest::newRow("item name with underscore") << "name"
                                                   << "_n_2" << true;
    }

    void listItemReading()
    {
        QFETCH(QString, element);
        QFETCH(QString, newText);
        QFETCH(bool, ok);
        QDomDocument doc;
        QDomElement node = Written(doc, *MakeList());
        QDomElement second = node.firstChildElement(QStringLiteral("ItemList")).lastChildElement();
        if (element.isEmpty())
            second.setTagName(newText);
        else
            Mutate(second, element, newText);
        TCheckBoxList read;
        QCOMPARE(read.GetXMLNode(node).Ok(), ok);
        if (ok) {
            QCOMPARE(read.ListCheckboxes.size(), size_t(2));
            QCOMPARE(read.ListCheckboxes[0]->Name, QStringLiteral("n1"));
        }
    }

    // ---- field factory --------------------------------------------------

    void factory_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("created");
        QTest::newRow("check box") << "TCheckBoxField"
                                   << "agb" << true;
        QTest::newRow("check box, name with a dash") << "TCheckBoxField"
                                                     << "a-b" << false;
        QTest::newRow("check box, empty name") << "TCheckBoxField"
                                               << "" << false;
        QTest::newRow("radio, name with a digit first") << "TRadioField"
                                                        << "1farbe" << false;
        QTest::newRow("drop-down, name with umlaut") << "TDropDownField"
                                                     << "länder" << false;
        QTest::newRow("list") << "TCheckBoxList"
                              << "liste" << true;
        // an old file's list may lack its name, required or not
        QTest::newRow("optional list without a name") << "TCheckBoxList"
                                                      << "" << true;
        QTest::newRow("required list without a name") << "TCheckBoxList"
                                                      << "!" << true;
        QTest::newRow("list, name with a blank") << "TCheckBoxList"
                                                 << "li ste" << false;
    }

    void factory()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(bool, created);
        auto f = MakeStored(kind);
        f->Name = name;
        if (kind == QLatin1String("TCheckBoxList")) {
            f->Pflicht = name == QLatin1String("!");
            if (f->Pflicht)
                f->Name.clear();
        }
        QDomDocument doc;
        const auto made = CreateFieldFromNode(Written(doc, *f));
        QCOMPARE(made.Ok(), created);
        if (made)
            QCOMPARE(Describe(**made), Describe(*f));
    }

    void factoryMakesStandAloneCheckBoxes()
    {
        QDomDocument doc;
        const auto made =
            CreateFieldFromNode(Written(doc, *MakeCheckBox<TCheckBoxFieldSimple>(QStringLiteral("agb"), {})));
        QVERIFY(made);
        QCOMPARE((*made)->ClassName(), QStringLiteral("TCheckBoxField"));
        QVERIFY(!dynamic_cast<TCheckBoxFieldSimple*>(made->get()));
        QCOMPARE((*made)->DisplayKey(), QStringLiteral("43"));
    }
};

QTEST_GUILESS_MAIN(TestChoiceFields)
#include "tst_choicefields.moc"
