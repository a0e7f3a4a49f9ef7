#include "EinzField.h"

#include "codegen/Literals.h"
#include "model/XmlValues.h"

namespace
{
const QString CRLF = QStringLiteral("\r\n");
}

QString TEinzField::GenCode(const TGenContext& ctx, bool bCSS) const
{
    return InputRow(QStringLiteral("text"), bCSS, false, ctx.Encoding, Vorgabewert, Groesse, maxLaenge,
                    VorgabeLoeschen);
}

QString TEinzField::GenCodePHP(const TGenContext& ctx, bool bCSS) const
{
    return InputRow(QStringLiteral("text"), bCSS, true, ctx.Encoding, Vorgabewert, Groesse, maxLaenge,
                    VorgabeLoeschen);
}

QString TEinzField::GenFormVarPHP(const TGenContext&) const
{
    return GenValueVarPHP(Vorgabewert);
}

QString TEinzField::GenFormCheckPHP(const TGenContext& ctx) const
{
    const QString post = QStringLiteral("$_POST[\"") + Name + QStringLiteral("\"]");
    QString condition;
    switch (PflichtFeldTyp) {
    case 1:
        condition =
            QStringLiteral(
                "if (preg_match(\"|^[a-zA-Z0-9][a-zA-Z0-9._-]*@[a-zA-Z0-9._-]+\\.[a-zA-Z]{2,6}$|\",") +
            post + QStringLiteral(") == false)");
        break;
    case 2:
        condition = QStringLiteral("if (!is_numeric(str_replace(\",\",\".\",") + post + QStringLiteral(")))");
        break;
    case 3:
        condition = QStringLiteral("if (strlen(") + post + QStringLiteral(") < ") +
                    QString::number(MinPflichtLaenge) + QStringLiteral(")");
        break;
    default: return GenNotEmptyCheckPHP(ctx, TextMessage(ctx));
    }
    return condition + CRLF + QStringLiteral("{") + CRLF + QStringLiteral("  $err") + Name +
           QStringLiteral(" = \"") + ErrorSpan(ctx, TextMessage(ctx)) + QStringLiteral("\";") + CRLF +
           QStringLiteral("\t$bFormOK = false;") + CRLF + QStringLiteral("}") + CRLF + CRLF;
}

QString TEinzField::GenScript(const TGenContext& ctx) const
{
    const QString field = QStringLiteral("document.QVFORM.") + Name;
    QString condition;
    switch (PflichtFeldTyp) {
    case 1:
        condition = QStringLiteral("if(!") + field +
                    QStringLiteral(".value.match(/^[A-Z0-9._%-]+@[A-Z0-9.-]+\\.[A-Z]{2,6}$/i))  {");
        break;
    case 2:
        condition = QStringLiteral("if((isNaN(str_replace(\",\",\".\",") + field +
                    QStringLiteral(".value))) || (") + field + QStringLiteral(".value == \"\"))  {");
        break;
    case 3:
        condition = QStringLiteral("if(") + field + QStringLiteral(".value.length < ") +
                    QString::number(MinPflichtLaenge) + QStringLiteral(")  {");
        break;
    default: return GenNotEmptyScript(TextMessage(ctx));
    }
    return condition + CRLF + QStringLiteral("alert(\"") + Literals::JsString(TextMessage(ctx)) +
           QStringLiteral("\");") + CRLF + field + QStringLiteral(".focus();") + CRLF +
           QStringLiteral("return false;") + CRLF + QStringLiteral("}") + CRLF;
}

QString TEinzField::GenSetCookieValues(const TGenContext&) const
{
    return GenValueCookieValues();
}

QString TEinzField::GenSetCookie(const TGenContext&) const
{
    return GenValueCookie();
}

void TEinzField::SetXMLNode(QDomElement& itemNode) const
{
    using namespace XmlValues;
    AppendTyp(itemNode);
    AppendText(itemNode, QStringLiteral("name"), Name);
    AppendText(itemNode, QStringLiteral("beschriftung"), Beschriftung);
    AppendText(itemNode, QStringLiteral("beschriftungnach"), BeschriftungNach);
    AppendText(itemNode, QStringLiteral("vorgabewert"), Vorgabewert);
    AppendText(itemNode, QStringLiteral("groesse"), Groesse);
    AppendText(itemNode, QStringLiteral("maxLaenge"), maxLaenge);
    AppendText(itemNode, QStringLiteral("pflicht"), FlagText(Pflicht));
    AppendText(itemNode, QStringLiteral("meldung"), Meldung);
    AppendText(itemNode, QStringLiteral("vorgabeloeschen"), FlagText(VorgabeLoeschen));
    AppendText(itemNode, QStringLiteral("pflichttyp"), QString::number(PflichtFeldTyp));
    AppendText(itemNode, QStringLiteral("mindestLaenge"), QString::number(MinPflichtLaenge));
    AppendText(itemNode, QStringLiteral("Cookie"), FlagText(Cookie));
}

bool TEinzField::GetXMLNode(const QDomElement& itemNode)
{
    XmlValues::TNodeReader r(itemNode);
    Name = r.Text("name");
    Beschriftung = r.Text("beschriftung");
    Vorgabewert = r.Text("vorgabewert");
    Groesse = r.Text("groesse");
    Pflicht = r.Flag("pflicht");
    maxLaenge = r.Text("maxLaenge");
    Meldung = r.Text("meldung");
    BeschriftungNach = r.Text("beschriftungnach", QString());
    VorgabeLoeschen = r.Flag("vorgabeloeschen", false);
    PflichtFeldTyp = r.Int("pflichttyp", 0);
    MinPflichtLaenge = r.Int("mindestLaenge", 0);
    Cookie = r.Flag("Cookie", false);
    return r.Ok();
}
