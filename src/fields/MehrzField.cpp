#include "fields/MehrzField.h"

#include "base/Crlf.h"
#include "base/Literals.h"
#include "base/XmlValues.h"

using namespace Literals;

namespace
{
using Child = XmlValues::TChild<TMehrzField>;
const Child Children[] = {
    Child::Text("name", &TMehrzField::Name),
    Child::Text("beschriftung", &TMehrzField::Beschriftung),
    Child::Text("beschriftungnach", &TMehrzField::BeschriftungNach, false),
    Child::Text("vorgabewert", &TMehrzField::Vorgabewert),
    Child::Text("hoehe", &TMehrzField::Hoehe),
    Child::Text("breite", &TMehrzField::Breite),
    Child::Flag("pflicht", &TMehrzField::Pflicht),
    Child::Text("meldung", &TMehrzField::Meldung),
    Child::Text("maxLaenge", &TMehrzField::maxLaenge, false),
    Child::Flag("zeichenAnzeige", &TMehrzField::zeichenAnzeige, false),
    Child::Text("zeichenAnzeigeText", &TMehrzField::zeichenAnzeigeText, false),
    Child::Flag("vorgabeloeschen", &TMehrzField::VorgabeLoeschen, false),
    Child::Flag("Cookie", &TMehrzField::Cookie, false),
};

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

// The character counter is read-only: with accessible markup it is named for
// assistive technology and left out of the tab order.
QString TMehrzField::CounterAttrs(const TGenContext& ctx, bool php) const
{
    if (!ctx.Accessible)
        return QString();
    return QStringLiteral(" id=\"qv_anzeige_") + Name + QStringLiteral("\" tabindex=\"-1\" aria-label=\"") +
           Html(AttrValue(ctx.Text("txtA11yCounter")), php) + QStringLiteral("\"");
}

QString TMehrzField::Area(const TGenContext& ctx, bool bCSS, bool php) const
{
    QString code = RowStart(ctx, php) + QStringLiteral("<textarea name=\"") + Name +
                   QStringLiteral("\" cols=\"") + Html(AttrValue(Breite), php) +
                   QStringLiteral("\" rows=\"") + Html(AttrValue(Hoehe), php) + QStringLiteral("\"") +
                   ClassAttr(bCSS) + InputAttrs(ctx, php);
    if (VorgabeLoeschen)
        code += QStringLiteral(" onfocus=\"this.value = '';\"");
    if (!maxLaenge.isEmpty())
        code += QStringLiteral(" onkeyup=\"javascript:zaehle_") + Name + QStringLiteral("()\" ");
    code += QLatin1Char('>');
    code += php ? PhpEcho(QStringLiteral("$var") + Name, ctx.Encoding) : AreaText(Vorgabewert);
    code += QStringLiteral("</textarea> ") + Html(BeschriftungNach, php);
    if (zeichenAnzeige)
        code += QStringLiteral("<br><input name=\"anzeige_") + Name +
                QStringLiteral("\" type=\"text\" size=\"8\" readonly value=\"") +
                Html(AttrValue(maxLaenge), php) + QStringLiteral("\"") + ClassAttr(bCSS) +
                CounterAttrs(ctx, php) + QStringLiteral("> ") + Html(zeichenAnzeigeText, php);
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
    return GenNotEmptyScript(ctx, TextMessage(ctx));
}

QString TMehrzField::GenFormCheckPHP(const TGenContext& ctx) const
{
    return GenNotEmptyCheckPHP(ctx, TextMessage(ctx));
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
    AppendTyp(itemNode);
    XmlValues::WriteChildren(itemNode, *this, Children);
}

TStatus TMehrzField::ReadElement(const XmlValues::TElement& itemNode)
{
    return XmlValues::ReadChildren(itemNode, *this, Children);
}
