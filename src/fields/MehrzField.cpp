#include "MehrzField.h"

#include "codegen/Literals.h"
#include "model/XmlValues.h"

using namespace Literals;

namespace
{
const QString CRLF = QStringLiteral("\r\n");
}

namespace
{
// The default text stands between the text area's tags, where only a
// closing tag would end it early.
QString AreaText(const QString& text)
{
    QString out = text;
    const QString tag = QStringLiteral("</textarea");
    for (qsizetype at = out.indexOf(tag, 0, Qt::CaseInsensitive); at >= 0;
         at = out.indexOf(tag, at + 4, Qt::CaseInsensitive))
        out.replace(at, 1, QStringLiteral("&lt;"));
    return out;
}
} // namespace

QString TMehrzField::Area(const TGenContext& ctx, bool bCSS, bool php) const
{
    QString code = RowStart() + QStringLiteral("<textarea name=\"") + Name + QStringLiteral("\" cols=\"") +
                   AttrValue(Breite) + QStringLiteral("\" rows=\"") + AttrValue(Hoehe) +
                   QStringLiteral("\"") + ClassAttr(bCSS);
    if (VorgabeLoeschen)
        code += QStringLiteral(" onfocus=\"this.value = '';\"");
    if (!maxLaenge.isEmpty())
        code += QStringLiteral(" onkeyup=\"javascript:zaehle_") + Name + QStringLiteral("()\" ");
    code += QLatin1Char('>');
    code += php ? PhpEcho(QStringLiteral("$var") + Name, ctx.Encoding) : AreaText(Vorgabewert);
    code += QStringLiteral("</textarea> ") + BeschriftungNach;
    if (zeichenAnzeige)
        code += QStringLiteral("<br><input name=\"anzeige_") + Name +
                QStringLiteral("\" type=\"text\" size=\"8\" readonly value=\"") + AttrValue(maxLaenge) +
                QStringLiteral("\"") + ClassAttr(bCSS) + QStringLiteral("> ") + zeichenAnzeigeText;
    if (php && Pflicht)
        code += QStringLiteral("<br><?php echo $err") + Name + QStringLiteral(";?>");
    return code + QStringLiteral("</td></tr>") + CRLF;
}

QString TMehrzField::GenCode(const TGenContext& ctx, bool bCSS) const
{
    return Area(ctx, bCSS, false);
}

QString TMehrzField::GenCodePHP(const TGenContext& ctx, bool bCSS) const
{
    return Area(ctx, bCSS, true);
}

QString TMehrzField::GenScript(const TGenContext& ctx) const
{
    return GenNotEmptyScript(TextMessage(ctx));
}

QString TMehrzField::GenFormCheckPHP(const TGenContext& ctx) const
{
    return GenNotEmptyCheckPHP(ctx, TextMessage(ctx));
}

QString TMehrzField::GenFormVarPHP(const TGenContext&) const
{
    return GenValueVarPHP(Vorgabewert);
}

QString TMehrzField::GenSetCookieValues(const TGenContext&) const
{
    return GenValueCookieValues();
}

QString TMehrzField::GenSetCookie(const TGenContext&) const
{
    return GenValueCookie();
}

QString TMehrzField::GenScriptLength() const
{
    if (maxLaenge.isEmpty())
        return QString();
    // Each field keeps its own last accepted text: with one variable shared
    // by all counters, a field could be set back to another field's text.
    const QString field = QStringLiteral("window.document.QVFORM.") + Name;
    const QString last = QStringLiteral("formfeld_") + Name;
    QString s = QStringLiteral("<script type=\"text/javascript\">") + CRLF + QStringLiteral("<!--") + CRLF +
                QStringLiteral("var ") + last + QStringLiteral(" = \"\";") + CRLF +
                QStringLiteral("function zaehle_") + Name + QStringLiteral("()") + CRLF +
                QStringLiteral("{") + CRLF + QStringLiteral("\tif (") + field +
                QStringLiteral(".value.length>") + maxLaenge + QStringLiteral(")") + CRLF +
                QStringLiteral("\t{") + CRLF + QStringLiteral("\t\t") + field + QStringLiteral(".value=") +
                last + QStringLiteral(";") + CRLF + QStringLiteral(" \t\treturn;") + CRLF +
                QStringLiteral("\t}") + CRLF + QStringLiteral(" \telse") + CRLF + QStringLiteral("\t{") +
                CRLF + QStringLiteral("\t\t") + last + QStringLiteral(" = ") + field +
                QStringLiteral(".value;") + CRLF;
    if (zeichenAnzeige)
        s += QStringLiteral(" \t\twindow.document.QVFORM.anzeige_") + Name + QStringLiteral(".value = ") +
             maxLaenge + QLatin1Char('-') + field + QStringLiteral(".value.length;") + CRLF;
    return s + QStringLiteral("\t}") + CRLF + QStringLiteral("}") + CRLF + QStringLiteral("//--></script>") +
           CRLF;
}

void TMehrzField::SetXMLNode(QDomElement& itemNode) const
{
    using namespace XmlValues;
    AppendTyp(itemNode);
    AppendText(itemNode, QStringLiteral("name"), Name);
    AppendText(itemNode, QStringLiteral("beschriftung"), Beschriftung);
    AppendText(itemNode, QStringLiteral("beschriftungnach"), BeschriftungNach);
    AppendText(itemNode, QStringLiteral("vorgabewert"), Vorgabewert);
    AppendText(itemNode, QStringLiteral("hoehe"), Hoehe);
    AppendText(itemNode, QStringLiteral("breite"), Breite);
    AppendText(itemNode, QStringLiteral("pflicht"), FlagText(Pflicht));
    AppendText(itemNode, QStringLiteral("meldung"), Meldung);
    AppendText(itemNode, QStringLiteral("maxLaenge"), maxLaenge);
    AppendText(itemNode, QStringLiteral("zeichenAnzeige"), FlagText(zeichenAnzeige));
    AppendText(itemNode, QStringLiteral("zeichenAnzeigeText"), zeichenAnzeigeText);
    AppendText(itemNode, QStringLiteral("vorgabeloeschen"), FlagText(VorgabeLoeschen));
    AppendText(itemNode, QStringLiteral("Cookie"), FlagText(Cookie));
}

bool TMehrzField::GetXMLNode(const QDomElement& itemNode)
{
    XmlValues::TNodeReader r(itemNode);
    Name = r.Text("name");
    Beschriftung = r.Text("beschriftung");
    Vorgabewert = r.Text("vorgabewert");
    Hoehe = r.Text("hoehe");
    Breite = r.Text("breite");
    Pflicht = r.Flag("pflicht");
    Meldung = r.Text("meldung");
    BeschriftungNach = r.Text("beschriftungnach", QString());
    maxLaenge = r.Text("maxLaenge", QString());
    zeichenAnzeige = r.Flag("zeichenAnzeige", false);
    zeichenAnzeigeText = r.Text("zeichenAnzeigeText", QString());
    VorgabeLoeschen = r.Flag("vorgabeloeschen", false);
    Cookie = r.Flag("Cookie", false);
    return r.Ok();
}
