#include "fields/CalField.h"

#include "base/Crlf.h"
#include "base/XmlValues.h"

namespace
{
const QString RowEnd = QStringLiteral("</td></tr>\r\n");

// A calendar field is read only with all of its children.
using Child = XmlValues::TChild<TCalField>;
const Child Children[] = {
    Child::Text("name", &TCalField::Name),
    Child::Text("beschriftung", &TCalField::Beschriftung),
    Child::Text("beschriftungnach", &TCalField::BeschriftungNach),
    Child::Text("vorgabewert", &TCalField::Vorgabewert),
    Child::Text("groesse", &TCalField::Groesse),
    Child::Flag("pflicht", &TCalField::Pflicht),
    Child::Text("meldung", &TCalField::Meldung),
    Child::Flag("vorgabeloeschen", &TCalField::VorgabeLoeschen),
    Child::Flag("Cookie", &TCalField::Cookie),
    Child::Int("StartYear", &TCalField::StartYear),
    Child::Int("EndYear", &TCalField::EndYear),
};
} // namespace

QString TCalField::GenCalendarScript() const
{
    return QStringLiteral("\t<script language=\"JavaScript\" type=\"text/javascript\">") + CRLF +
           QStringLiteral("    <!--") + CRLF + QStringLiteral("\t    function ") + Name +
           QStringLiteral("_Callback(date, month, year) {") + CRLF +
           QStringLiteral("\t        document.forms['QVFORM'].") + Name +
           QStringLiteral(".value = formatDate(date, month, year);") + CRLF + QStringLiteral("\t        ") +
           Name + QStringLiteral("_Cal.toggleCal();") + CRLF + QStringLiteral("\t    }") + CRLF +
           QStringLiteral("     ") + Name + QStringLiteral("_Cal = new DynCal('") + Name +
           QStringLiteral("_Cal', '") + Name + QStringLiteral("_Callback',") + QString::number(StartYear) +
           QLatin1Char(',') + QString::number(EndYear) + QStringLiteral(");") + CRLF +
           QStringLiteral("   //-->") + CRLF + QStringLiteral("   </script>") + CRLF + RowEnd;
}

QString TCalField::CalendarRow(const TGenContext& ctx, bool bCSS, bool php) const
{
    QString row = InputRow(QStringLiteral("text"), bCSS, php, ctx, QString(), QString());
    row.chop(RowEnd.size());
    return row + GenCalendarScript();
}

QString TCalField::GenCode(const TGenContext& ctx, bool bCSS) const
{
    return CalendarRow(ctx, bCSS, false);
}

QString TCalField::GenCodePHP(const TGenContext& ctx, bool bCSS) const
{
    return CalendarRow(ctx, bCSS, true);
}

QString TCalField::GenScript(const TGenContext& ctx) const
{
    return GenNotEmptyScript(ctx, TextMessage(ctx));
}

QString TCalField::GenFormCheckPHP(const TGenContext& ctx) const
{
    return GenNotEmptyCheckPHP(ctx, TextMessage(ctx));
}

void TCalField::SetXMLNode(QDomElement& itemNode) const
{
    AppendTyp(itemNode);
    XmlValues::WriteChildren(itemNode, *this, Children);
}

TStatus TCalField::ReadElement(const XmlValues::TElement& itemNode)
{
    return XmlValues::ReadChildren(itemNode, *this, Children);
}
