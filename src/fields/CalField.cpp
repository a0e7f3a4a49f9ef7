#include "CalField.h"

#include "model/XmlValues.h"

namespace
{
const QString CRLF = QStringLiteral("\r\n");
const QString RowEnd = QStringLiteral("</td></tr>\r\n");
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
    QString row = InputRow(QStringLiteral("text"), bCSS, php, ctx.Encoding, Vorgabewert, QString(), QString(),
                           VorgabeLoeschen);
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

// Whatever check kind the single-line part holds, a date must not be empty.
QString TCalField::GenScript(const TGenContext& ctx) const
{
    return GenNotEmptyScript(TextMessage(ctx));
}

QString TCalField::GenFormCheckPHP(const TGenContext& ctx) const
{
    return GenNotEmptyCheckPHP(ctx, TextMessage(ctx));
}

QString TCalField::GenFormVarPHP(const TGenContext&) const
{
    return GenValueVarPHP(Vorgabewert);
}

QString TCalField::GenSetCookieValues(const TGenContext&) const
{
    return GenValueCookieValues();
}

QString TCalField::GenSetCookie(const TGenContext&) const
{
    return GenValueCookie();
}

void TCalField::SetXMLNode(QDomElement& itemNode) const
{
    using namespace XmlValues;
    AppendTyp(itemNode);
    AppendText(itemNode, QStringLiteral("name"), Name);
    AppendText(itemNode, QStringLiteral("beschriftung"), Beschriftung);
    AppendText(itemNode, QStringLiteral("beschriftungnach"), BeschriftungNach);
    AppendText(itemNode, QStringLiteral("vorgabewert"), Vorgabewert);
    AppendText(itemNode, QStringLiteral("groesse"), Groesse);
    AppendText(itemNode, QStringLiteral("pflicht"), FlagText(Pflicht));
    AppendText(itemNode, QStringLiteral("meldung"), Meldung);
    AppendText(itemNode, QStringLiteral("vorgabeloeschen"), FlagText(VorgabeLoeschen));
    AppendText(itemNode, QStringLiteral("Cookie"), FlagText(Cookie));
    AppendText(itemNode, QStringLiteral("StartYear"), QString::number(StartYear));
    AppendText(itemNode, QStringLiteral("EndYear"), QString::number(EndYear));
}

bool TCalField::GetXMLNode(const QDomElement& itemNode)
{
    XmlValues::TNodeReader r(itemNode);
    Name = r.Text("name");
    Beschriftung = r.Text("beschriftung");
    BeschriftungNach = r.Text("beschriftungnach");
    Vorgabewert = r.Text("vorgabewert");
    Groesse = r.Text("groesse");
    Pflicht = r.Flag("pflicht");
    Meldung = r.Text("meldung");
    VorgabeLoeschen = r.Flag("vorgabeloeschen");
    Cookie = r.Flag("Cookie");
    StartYear = r.Int("StartYear");
    EndYear = r.Int("EndYear");
    return r.Ok();
}
