#include "CheckBoxField.h"

#include "codegen/Literals.h"
#include "model/XmlValues.h"

namespace
{
const QString CRLF = QStringLiteral("\r\n");
}

QString TCheckBoxField::InputTag(bool bCSS) const
{
    return QStringLiteral("<input type=\"Checkbox\" name=\"") + Name + QStringLiteral("\" value=\"") +
           Literals::AttrValue(Vorgabewert) + QStringLiteral("\"") + ClassAttr(bCSS);
}

QString TCheckBoxField::CheckedEcho() const
{
    return QStringLiteral(" <?php echo $var") + Name + QStringLiteral(";?>");
}

QString TCheckBoxField::ErrorEcho() const
{
    return Pflicht ? QStringLiteral(" <?php echo $err") + Name + QStringLiteral(";?>") : QString();
}

QString TCheckBoxField::GenCode(const TGenContext&, bool bCSS) const
{
    return RowStart() + InputTag(bCSS) + QStringLiteral("> ") + BeschriftungNach +
           QStringLiteral("</td></tr>") + CRLF;
}

QString TCheckBoxField::GenCodePHP(const TGenContext&, bool bCSS) const
{
    return RowStart() + InputTag(bCSS) + CheckedEcho() + QStringLiteral("> ") + BeschriftungNach +
           ErrorEcho() + QStringLiteral("</td></tr>") + CRLF;
}

QString TCheckBoxField::GenScript(const TGenContext& ctx) const
{
    const QString message = !Meldung.isEmpty() ? Meldung
                                               : ctx.Text("txtCheckbox1") + QLatin1Char(' ') + Beschriftung +
                                                     QLatin1Char(' ') + ctx.Text("txtCheckbox2");
    return QStringLiteral("if(document.QVFORM.") + Name + QStringLiteral(".checked == false)") + CRLF +
           QStringLiteral("    {") + CRLF + QStringLiteral("alert(\"") + Literals::JsString(message) +
           QStringLiteral("\");") + CRLF + QStringLiteral("     document.QVFORM.") + Name +
           QStringLiteral(".focus();") + CRLF + QStringLiteral("     return false;") + CRLF +
           QStringLiteral("    }") + CRLF;
}

QString TCheckBoxField::GenSetCookieValues(const TGenContext&) const
{
    return QStringLiteral("   if (GetCookie(\"") + Name + QStringLiteral("\") == 'true') document.QVFORM.") +
           Name + QStringLiteral(".checked = true;") + CRLF + CRLF;
}

QString TCheckBoxField::GenSetCookie(const TGenContext&) const
{
    return QStringLiteral("   if (document.QVFORM.") + Name + QStringLiteral(".checked) cookie_") + Name +
           QStringLiteral(" = '") + Name + QStringLiteral("=true';") + CRLF +
           QStringLiteral("   else cookie_") + Name + QStringLiteral(" = '") + Name +
           QStringLiteral("=false';") + CRLF + QStringLiteral("   document.cookie = cookie_") + Name +
           QStringLiteral(";") + CRLF + CRLF;
}

QString TCheckBoxField::GenFormVarPHP(const TGenContext&) const
{
    return QStringLiteral("if (isset($_POST[\"") + Name + QStringLiteral("\"])) $var") + Name +
           QStringLiteral(" = \"checked\"; else $var") + Name + QStringLiteral(" = \"\";") + CRLF;
}

QString TCheckBoxField::GenFormCheckPHP(const TGenContext& ctx) const
{
    const QString message =
        !Meldung.isEmpty() ? Meldung
                           : ctx.Text("txtCheckbox0") + QLatin1Char(' ') + Beschriftung + QLatin1Char('!');
    return QStringLiteral("if (!isset($_POST[\"") + Name + QStringLiteral("\"]))") + CRLF +
           QStringLiteral("{") + CRLF + QStringLiteral("\t$err") + Name + QStringLiteral(" = \"") +
           ErrorSpan(ctx, message) + QStringLiteral("\";") + CRLF + QStringLiteral("\t$bFormOK = false;") +
           CRLF + QStringLiteral("}") + CRLF;
}

void TCheckBoxField::SetXMLNode(QDomElement& itemNode) const
{
    AppendTyp(itemNode);
    XmlValues::AppendText(itemNode, QStringLiteral("name"), Name);
    XmlValues::AppendText(itemNode, QStringLiteral("beschriftung"), Beschriftung);
    XmlValues::AppendText(itemNode, QStringLiteral("beschriftungnach"), BeschriftungNach);
    XmlValues::AppendText(itemNode, QStringLiteral("vorgabewert"), Vorgabewert);
    XmlValues::AppendText(itemNode, QStringLiteral("pflicht"), XmlValues::FlagText(Pflicht));
    XmlValues::AppendText(itemNode, QStringLiteral("meldung"), Meldung);
    XmlValues::AppendText(itemNode, QStringLiteral("Cookie"), XmlValues::FlagText(Cookie));
}

bool TCheckBoxField::GetXMLNode(const QDomElement& itemNode)
{
    XmlValues::TNodeReader r(itemNode);
    Name = r.Text("name");
    Beschriftung = r.Text("beschriftung");
    BeschriftungNach = r.Text("beschriftungnach", QString());
    Vorgabewert = r.Text("vorgabewert");
    Pflicht = r.Flag("pflicht");
    Meldung = r.Text("meldung");
    Cookie = r.Flag("Cookie", false);
    return r.Ok();
}
