#include "PassField.h"

#include "model/XmlValues.h"

QString TPassField::GenCode(const TGenContext& ctx, bool bCSS) const
{
    return InputRow(QStringLiteral("password"), bCSS, false, ctx.Encoding, Vorgabewert, Groesse, maxLaenge,
                    VorgabeLoeschen);
}

QString TPassField::GenCodePHP(const TGenContext& ctx, bool bCSS) const
{
    return InputRow(QStringLiteral("password"), bCSS, true, ctx.Encoding, Vorgabewert, Groesse, maxLaenge,
                    VorgabeLoeschen);
}

QString TPassField::GenScript(const TGenContext& ctx) const
{
    return GenNotEmptyScript(TextMessage(ctx));
}

QString TPassField::GenFormCheckPHP(const TGenContext& ctx) const
{
    return GenNotEmptyCheckPHP(ctx, TextMessage(ctx));
}

QString TPassField::GenFormVarPHP(const TGenContext&) const
{
    return GenValueVarPHP(Vorgabewert);
}

QString TPassField::GenSetCookieValues(const TGenContext&) const
{
    return GenValueCookieValues();
}

QString TPassField::GenSetCookie(const TGenContext&) const
{
    return GenValueCookie();
}

void TPassField::SetXMLNode(QDomElement& itemNode) const
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
    AppendText(itemNode, QStringLiteral("Cookie"), FlagText(Cookie));
}

bool TPassField::GetXMLNode(const QDomElement& itemNode)
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
    Cookie = r.Flag("Cookie", false);
    return r.Ok();
}
