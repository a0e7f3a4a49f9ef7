#include "fields/DropDownField.h"

#include "base/Crlf.h"
#include "base/Literals.h"
#include "base/XmlValues.h"
#include "fields/OptionList.h"

namespace
{
using Child = XmlValues::TChild<TDropDownField>;
const Child Children[] = {
    Child::Text("name", &TDropDownField::Name),
    Child::Text("beschriftung", &TDropDownField::Beschriftung),
    Child::Text("beschriftungnach", &TDropDownField::BeschriftungNach, false),
    Child::Text("vorgabewert", &TDropDownField::Vorgabewert),
    Child::Text("felder", &TDropDownField::Felder),
    Child::Text("groesse", &TDropDownField::Groesse),
    Child::Flag("pflicht", &TDropDownField::Pflicht),
    Child::Text("meldung", &TDropDownField::Meldung),
    Child::Flag("Cookie", &TDropDownField::Cookie, false),
};
} // namespace

QString TDropDownField::FirstChoice() const
{
    const qsizetype hash = Felder.indexOf(QLatin1Char('#'));
    return hash < 0 ? QString() : Felder.left(hash);
}

namespace
{
// The PHP expression of what a browser posts for an option of this text: an
// option without a value attribute sends its text with character references
// decoded and runs of white space collapsed. Texts a browser sends as they
// stand are written as they are.
QString PostedValuePHP(const QString& shown, const QString& written)
{
    if (shown == written && !shown.contains(QLatin1Char('&')) && shown == shown.simplified())
        return QLatin1Char('"') + Literals::PhpString(written) + QLatin1Char('"');
    return QStringLiteral("qv_option_value(\"") + Literals::PhpString(shown) + QStringLiteral("\")");
}
} // namespace

bool TDropDownField::CanBeAnswered() const
{
    return SplitOptionList(Felder).size() > (IsDropDownBox() ? 1 : 0);
}

bool TDropDownField::IsDropDownBox() const
{
    return Groesse == QLatin1String("0") || Groesse == QLatin1String("1");
}

QString TDropDownField::SelectTag(bool bCSS, const QString& attrs) const
{
    return QStringLiteral("<select name=\"") + Name + QStringLiteral("\" size=\"") + Groesse +
           QStringLiteral("\"") + ClassAttr(bCSS) + attrs + QStringLiteral(">");
}

// The options carry no value attribute: the browser posts the option's text.
QString TDropDownField::GenCode(const TGenContext& ctx, bool bCSS) const
{
    QString code = RowStart(ctx, false) + SelectTag(bCSS, InputAttrs(ctx, false));
    for (const QString& c : SplitOptionList(Felder))
        code += QStringLiteral("<option>") + c + QStringLiteral("</option>") + CRLF;
    return code + QStringLiteral("</select> ") + BeschriftungNach + QStringLiteral("</td></tr>") + CRLF;
}

QString TDropDownField::GenCodePHP(const TGenContext& ctx, bool bCSS) const
{
    QString code = RowStart(ctx, true) + Html(SelectTag(bCSS), true);
    if (ctx.Accessible) // the attributes hold PHP code of their own
        code.insert(code.size() - 1, InputAttrs(ctx, true));
    const QStringList choices = SplitOptionList(Felder);
    for (qsizetype i = 0; i < choices.size(); ++i)
        code += QStringLiteral("<option <?php echo $lst") + Name + QLatin1Char('_') + QString::number(i) +
                QStringLiteral(";?>>") + Html(choices.at(i), true) + QStringLiteral("</option>") + CRLF;
    code += QStringLiteral("</select> ") + Html(BeschriftungNach, true);
    if (Pflicht)
        code += QStringLiteral("<br><?php echo $err") + Name + QStringLiteral(";?>");
    return code + QStringLiteral("</td></tr>") + CRLF;
}

QString TDropDownField::GenFormVarPHP(const TGenContext&) const
{
    const QStringList choices = SplitOptionList(Felder);
    QString code;
    for (qsizetype i = 0; i < choices.size(); ++i)
        code += QStringLiteral("$lst") + Name + QLatin1Char('_') + QString::number(i) +
                QStringLiteral(" = \"\";") + CRLF;
    code += QStringLiteral("if (isset($_POST[\"") + Name + QStringLiteral("\"]))") + CRLF +
            QStringLiteral("{") + CRLF;
    for (qsizetype i = 0; i < choices.size(); ++i)
        code += QStringLiteral("\tif ($_POST[\"") + Name + QStringLiteral("\"] == ") +
                PostedValuePHP(choices.at(i), choices.at(i)) + QStringLiteral(") $lst") + Name +
                QLatin1Char('_') + QString::number(i) + QStringLiteral(" = \"selected\";") + CRLF;
    return code + QStringLiteral("}") + CRLF;
}

QString TDropDownField::GenFormCheckPHP(const TGenContext& ctx) const
{
    const QString message =
        !Meldung.isEmpty() ? Meldung : ctx.Text("txtDropDown0") + QLatin1Char(' ') + Beschriftung;
    // The first option stands for nothing chosen yet: compared with what a
    // browser posts for it (without any "#" there is nothing to compare).
    const QStringList choices = SplitOptionList(Felder);
    const QString first = FirstChoice();
    const QString posted = Felder.contains(QLatin1Char('#')) && !choices.isEmpty()
                               ? PostedValuePHP(choices.first(), first)
                               : QLatin1Char('"') + Literals::PhpString(first) + QLatin1Char('"');
    const QString condition =
        IsDropDownBox() ? QString(QStringLiteral("if ($_POST[\"") + Name + QStringLiteral("\"] == ") +
                                  posted + QStringLiteral(")"))
                        : QString(QStringLiteral("if (!isset($_POST[\"") + Name + QStringLiteral("\"]))"));
    // The "!" follows the user's own message too.
    return condition + CRLF + QStringLiteral("\t{") + CRLF + QStringLiteral("\t\t$err") + Name +
           QStringLiteral(" = \"") + ErrorSpan(ctx, message + QLatin1Char('!')) + QStringLiteral("\";") +
           CRLF + QStringLiteral("\t\t$bFormOK = false;") + CRLF + QStringLiteral("\t}") + CRLF;
}

// The standard alert is a fixed German text, not a language text; the
// accessible form announces the PHP page's language text instead.
QString TDropDownField::GenScript(const TGenContext& ctx) const
{
    const QString field = QStringLiteral("document.QVFORM.") + Name;
    const QString alert =
        ctx.Accessible ? AlertCall(ctx,
                                   !Meldung.isEmpty() ? Meldung
                                                      : QString(ctx.Text("txtDropDown0") + QLatin1Char(' ') +
                                                                Beschriftung + QLatin1Char('!')),
                                   field)
        : !Meldung.isEmpty()
            ? QStringLiteral("alert(\"") + Literals::JsString(Meldung) + QStringLiteral("\");")
            : QStringLiteral("alert(\"Bitte wählen Sie etwas im Feld ") + Literals::JsString(Beschriftung) +
                  QStringLiteral(" aus!\");");
    return QStringLiteral("if (document.QVFORM.") + Name + QStringLiteral(".selectedIndex < ") +
           (IsDropDownBox() ? QLatin1Char('1') : QLatin1Char('0')) + QStringLiteral(")") + CRLF +
           QStringLiteral("{") + CRLF + alert + CRLF + QStringLiteral("document.QVFORM.") + Name +
           QStringLiteral(".focus();") + CRLF + QStringLiteral("return (false);") + CRLF +
           QStringLiteral("}") + CRLF;
}

// The cookie holds the index of the selected option.
QString TDropDownField::GenSetCookieValues(const TGenContext&) const
{
    return QStringLiteral("   document.QVFORM.") + Name + QStringLiteral(".selectedIndex = GetCookie(\"") +
           Name + QStringLiteral("\");") + CRLF + CRLF;
}

QString TDropDownField::GenSetCookie(const TGenContext&) const
{
    return QStringLiteral("   cookie_") + Name + QStringLiteral(" = '") + Name +
           QStringLiteral("=' + document.QVFORM.") + Name + QStringLiteral(".selectedIndex;") + CRLF +
           QStringLiteral("   document.cookie = cookie_") + Name + QStringLiteral(";") + CRLF + CRLF;
}

void TDropDownField::SetXMLNode(QDomElement& itemNode) const
{
    AppendTyp(itemNode);
    XmlValues::WriteChildren(itemNode, *this, Children);
}

TStatus TDropDownField::ReadElement(const XmlValues::TElement& itemNode)
{
    return XmlValues::ReadChildren(itemNode, *this, Children);
}

QStringList TDropDownField::ConditionValues() const
{
    return SplitOptionList(Felder);
}
