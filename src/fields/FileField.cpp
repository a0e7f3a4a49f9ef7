#include "fields/FileField.h"

#include "base/Crlf.h"
#include "base/Literals.h"
#include "base/XmlValues.h"

namespace
{
using Child = XmlValues::TChild<TFileField>;
const Child Children[] = {
    Child::Text("name", &TFileField::Name),
    Child::Text("beschriftung", &TFileField::Beschriftung),
    Child::Text("beschriftungnach", &TFileField::BeschriftungNach, false),
    Child::Text("groesse", &TFileField::Groesse),
    Child::Flag("pflicht", &TFileField::Pflicht),
    Child::Text("meldung", &TFileField::Meldung),
};
} // namespace

QString TFileField::Row(const TGenContext& ctx, bool bCSS, bool php) const
{
    QString row = RowStart(ctx, php) + QStringLiteral("<input type=\"file\" name=\"") + Name +
                  QStringLiteral("\" value=\"") + Html(Literals::AttrValue(Vorgabewert), php) +
                  QStringLiteral("\" size=\"") + Html(Literals::AttrValue(Groesse), php) +
                  QStringLiteral("\"") + ClassAttr(bCSS) + InputAttrs(ctx, php) + QStringLiteral("> ") +
                  Html(BeschriftungNach, php);
    if (php && Pflicht)
        row += QStringLiteral("<br><?php echo $err") + Name + QStringLiteral(";?>");
    return row + QStringLiteral("</td></tr>") + CRLF;
}

QString TFileField::GenCode(const TGenContext& ctx, bool bCSS) const
{
    return Row(ctx, bCSS, false);
}

QString TFileField::GenCodePHP(const TGenContext& ctx, bool bCSS) const
{
    return Row(ctx, bCSS, true);
}

QString TFileField::GenScript(const TGenContext& ctx) const
{
    return GenNotEmptyScript(ctx, TextMessage(ctx));
}

QString TFileField::GenFormVarPHP(const TGenContext&) const
{
    return QString();
}

// Presence (no upload error, not named ".htaccess"), then size against the
// page's $max_attach_size.
QString TFileField::GenFormCheckPHP(const TGenContext& ctx) const
{
    const QString file = QStringLiteral("$_FILES['") + Name + QStringLiteral("']");
    return QStringLiteral("if (!isset(") + file + QStringLiteral(") or ") + file +
           QStringLiteral("['error'] or (") + file + QStringLiteral("['name'] == '.htaccess'))") + CRLF +
           QStringLiteral("    {") + CRLF + QStringLiteral("    \t$err") + Name + QStringLiteral(" = \"") +
           ErrorSpan(ctx, TextMessage(ctx)) + QStringLiteral("\";") + CRLF +
           QStringLiteral("    \t$bFormOK = false;") + CRLF + QStringLiteral("\t}") + CRLF + CRLF +
           QStringLiteral("    if (") + file + QStringLiteral("['size'] > $max_attach_size)") + CRLF +
           QStringLiteral("    {") + CRLF + QStringLiteral("\t    $err") + Name + QStringLiteral(" = \"") +
           ErrorSpan(ctx, QStringLiteral("Maximale Dateigröße überschritten!")) + QStringLiteral("\";") +
           CRLF + QStringLiteral("\t  \t$bFormOK = false;") + CRLF + QStringLiteral("\t}") + CRLF;
}

void TFileField::SetXMLNode(QDomElement& itemNode) const
{
    AppendTyp(itemNode);
    XmlValues::WriteChildren(itemNode, *this, Children);
}

TStatus TFileField::ReadElement(const XmlValues::TElement& itemNode)
{
    return XmlValues::ReadChildren(itemNode, *this, Children);
}
