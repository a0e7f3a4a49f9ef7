#include "fields/CheckBoxField.h"

#include "base/Crlf.h"
#include "base/Literals.h"
#include "base/XmlValues.h"

namespace
{
using Child = XmlValues::TChild<TCheckBoxField>;
const Child Children[] = {
    Child::Text("name", &TCheckBoxField::Name),
    Child::Text("beschriftung", &TCheckBoxField::Beschriftung),
    Child::Text("beschriftungnach", &TCheckBoxField::BeschriftungNach, false),
    Child::Text("vorgabewert", &TCheckBoxField::Vorgabewert),
    Child::Flag("pflicht", &TCheckBoxField::Pflicht),
    Child::Text("meldung", &TCheckBoxField::Meldung),
    Child::Flag("Cookie", &TCheckBoxField::Cookie, false),
};
} // namespace

QString TCheckBoxField::InputTag(bool bCSS, bool php) const
{
    return QStringLiteral("<input type=\"Checkbox\" name=\"") + Name + QStringLiteral("\" value=\"") +
           Html(Literals::AttrValue(Vorgabewert), php) + QStringLiteral("\"") + ClassAttr(bCSS);
}

QString TCheckBoxField::CheckedEcho() const
{
    return QStringLiteral(" <?php echo $var") + Name + QStringLiteral(";?>");
}

QString TCheckBoxField::ErrorEcho() const
{
    return Pflicht ? QStringLiteral(" <?php echo $err") + Name + QStringLiteral(";?>") : QString();
}

// With accessible markup the text beside the box is a second label of it:
// a click on it ticks the box, and it is read with the box's name.
QString TCheckBoxField::TextAfter(const TGenContext& ctx, const QString& text) const
{
    if (!ctx.Accessible || text.isEmpty())
        return text;
    return QStringLiteral("<label for=\"") + InputId() + QStringLiteral("\">") + text +
           QStringLiteral("</label>");
}

QString TCheckBoxField::GenCode(const TGenContext& ctx, bool bCSS) const
{
    return RowStart(ctx, false) + InputTag(bCSS) + InputAttrs(ctx, false) + QStringLiteral("> ") +
           TextAfter(ctx, BeschriftungNach) + QStringLiteral("</td></tr>") + CRLF;
}

QString TCheckBoxField::GenCodePHP(const TGenContext& ctx, bool bCSS) const
{
    return RowStart(ctx, true) + InputTag(bCSS, true) + InputAttrs(ctx, true) + CheckedEcho() +
           QStringLiteral("> ") + TextAfter(ctx, Html(BeschriftungNach, true)) + ErrorEcho() +
           QStringLiteral("</td></tr>") + CRLF;
}

QString TCheckBoxField::GenScript(const TGenContext& ctx) const
{
    const QString message = !Meldung.isEmpty() ? Meldung
                                               : ctx.Text("txtCheckbox1") + QLatin1Char(' ') + Beschriftung +
                                                     QLatin1Char(' ') + ctx.Text("txtCheckbox2");
    return QStringLiteral("if(document.QVFORM.") + Name + QStringLiteral(".checked == false)") + CRLF +
           QStringLiteral("    {") + CRLF +
           AlertCall(ctx, message, QStringLiteral("document.QVFORM.") + Name) + CRLF +
           QStringLiteral("     document.QVFORM.") + Name + QStringLiteral(".focus();") + CRLF +
           QStringLiteral("     return false;") + CRLF + QStringLiteral("    }") + CRLF;
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
    XmlValues::WriteChildren(itemNode, *this, Children);
}

TStatus TCheckBoxField::ReadElement(const XmlValues::TElement& itemNode)
{
    return XmlValues::ReadChildren(itemNode, *this, Children);
}
