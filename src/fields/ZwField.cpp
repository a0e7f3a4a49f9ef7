#include "ZwField.h"

#include "model/XmlValues.h"

QString TZwField::GenCode(const TGenContext&, bool) const
{
    return QStringLiteral("<tr>\r\n<td colspan=\"2\" align=\"left\" height=\"40px\" valign=\"bottom\">") +
           Beschriftung + QStringLiteral("</td>\r\n</tr>\r\n");
}

QString TZwField::GenCodePHP(const TGenContext& ctx, bool bCSS) const
{
    return GenCode(ctx, bCSS);
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
    XmlValues::AppendText(itemNode, QStringLiteral("beschriftung"), Beschriftung);
}

bool TZwField::GetXMLNode(const QDomElement& itemNode)
{
    XmlValues::TNodeReader r(itemNode);
    Beschriftung = r.Text("beschriftung");
    return r.Ok();
}
