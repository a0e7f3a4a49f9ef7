#include "FileField.h"

#include "codegen/Literals.h"
#include "model/XmlValues.h"

namespace
{
const QString CRLF = QStringLiteral("\r\n");
}

QString TFileField::Row(bool bCSS, bool php) const
{
    QString row = RowStart() + QStringLiteral("<input type=\"file\" name=\"") + Name +
                  QStringLiteral("\" value=\"") + Literals::AttrValue(Vorgabewert) +
                  QStringLiteral("\" size=\"") + Literals::AttrValue(Groesse) + QStringLiteral("\"") +
                  ClassAttr(bCSS) + QStringLiteral("> ") + BeschriftungNach;
    if (php && Pflicht)
        row += QStringLiteral("<br><?php echo $err") + Name + QStringLiteral(";?>");
    return row + QStringLiteral("</td></tr>") + CRLF;
}

QString TFileField::GenCode(const TGenContext&, bool bCSS) const
{
    return Row(bCSS, false);
}

QString TFileField::GenCodePHP(const TGenContext&, bool bCSS) const
{
    return Row(bCSS, true);
}

QString TFileField::GenScript(const TGenContext& ctx) const
{
    return GenNotEmptyScript(TextMessage(ctx));
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
    using namespace XmlValues;
    AppendTyp(itemNode);
    AppendText(itemNode, QStringLiteral("name"), Name);
    AppendText(itemNode, QStringLiteral("beschriftung"), Beschriftung);
    AppendText(itemNode, QStringLiteral("beschriftungnach"), BeschriftungNach);
    AppendText(itemNode, QStringLiteral("groesse"), Groesse);
    AppendText(itemNode, QStringLiteral("pflicht"), FlagText(Pflicht));
    AppendText(itemNode, QStringLiteral("meldung"), Meldung);
}

bool TFileField::GetXMLNode(const QDomElement& itemNode)
{
    XmlValues::TNodeReader r(itemNode);
    Name = r.Text("name");
    Beschriftung = r.Text("beschriftung");
    Groesse = r.Text("groesse");
    Pflicht = r.Flag("pflicht");
    Meldung = r.Text("meldung");
    BeschriftungNach = r.Text("beschriftungnach", QString());
    return r.Ok();
}
