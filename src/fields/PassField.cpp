#include "fields/PassField.h"

#include "base/XmlValues.h"

namespace
{
using Child = XmlValues::TChild<TPassField>;
const Child Children[] = {
    Child::Text("name", &TPassField::Name),
    Child::Text("beschriftung", &TPassField::Beschriftung),
    Child::Text("beschriftungnach", &TPassField::BeschriftungNach, false),
    Child::Text("vorgabewert", &TPassField::Vorgabewert),
    Child::Text("groesse", &TPassField::Groesse),
    Child::Text("maxLaenge", &TPassField::maxLaenge),
    Child::Flag("pflicht", &TPassField::Pflicht),
    Child::Text("meldung", &TPassField::Meldung),
    Child::Flag("vorgabeloeschen", &TPassField::VorgabeLoeschen, false),
    Child::Flag("Cookie", &TPassField::Cookie, false),
};
} // namespace

QString TPassField::GenCode(const TGenContext& ctx, bool bCSS) const
{
    return InputRow(QStringLiteral("password"), bCSS, false, ctx, Groesse, maxLaenge);
}

QString TPassField::GenCodePHP(const TGenContext& ctx, bool bCSS) const
{
    return InputRow(QStringLiteral("password"), bCSS, true, ctx, Groesse, maxLaenge);
}

QString TPassField::GenScript(const TGenContext& ctx) const
{
    return GenNotEmptyScript(ctx, TextMessage(ctx));
}

QString TPassField::GenFormCheckPHP(const TGenContext& ctx) const
{
    return GenNotEmptyCheckPHP(ctx, TextMessage(ctx));
}

QString TPassField::GenSetCookieValues(const TGenContext&) const
{
    return QString();
}

QString TPassField::GenSetCookie(const TGenContext&) const
{
    return QString();
}

void TPassField::SetXMLNode(QDomElement& itemNode) const
{
    AppendTyp(itemNode);
    XmlValues::WriteChildren(itemNode, *this, Children);
}

TStatus TPassField::ReadElement(const XmlValues::TElement& itemNode)
{
    return XmlValues::ReadChildren(itemNode, *this, Children);
}
