#include "fields/ZwField.h"

#include "base/XmlValues.h"

namespace
{
using Child = XmlValues::TChild<TZwField>;
const Child Children[] = {
    Child::Text("beschriftung", &TZwField::Beschriftung),
};
} // namespace

QString TZwField::GenCode(const TGenContext&, bool) const
{
    return QStringLiteral("<tr>\r\n<td colspan=\"2\" align=\"left\" height=\"40px\" valign=\"bottom\">") +
           Beschriftung + QStringLiteral("</td>\r\n</tr>\r\n");
}

QString TZwField::GenCodePHP(const TGenContext& ctx, bool bCSS) const
{
    return Html(GenCode(ctx, bCSS), true);
}

QString TZwField::GenScript(const TGenContext&) const
{
    return QString();
}

QString TZwField::GenFormVarPHP(const TGenContext&) const
{
    return QString();
}

QString TZwField::GenFormCheckPHP(const TGenContext&) const
{
    return QString();
}

void TZwField::SetXMLNode(QDomElement& itemNode) const
{
    AppendTyp(itemNode);
    XmlValues::WriteChildren(itemNode, *this, Children);
}

TStatus TZwField::ReadElement(const XmlValues::TElement& itemNode)
{
    return XmlValues::ReadChildren(itemNode, *this, Children);
}
