#include "fields/EinzField.h"

#include "base/Crlf.h"
#include "base/Literals.h"
#include "base/XmlValues.h"

namespace
{
using Child = XmlValues::TChild<TEinzField>;
const Child Children[] = {
    Child::Text("name", &TEinzField::Name),
    Child::Text("beschriftung", &TEinzField::Beschriftung),
    Child::Text("beschriftungnach", &TEinzField::BeschriftungNach, false),
    Child::Text("vorgabewert", &TEinzField::Vorgabewert),
    Child::Text("groesse", &TEinzField::Groesse),
    Child::Text("maxLaenge", &TEinzField::maxLaenge),
    Child::Flag("pflicht", &TEinzField::Pflicht),
    Child::Text("meldung", &TEinzField::Meldung),
    Child::Flag("vorgabeloeschen", &TEinzField::VorgabeLoeschen, false),
    Child::Int("pflichttyp", &TEinzField::PflichtFeldTyp, false),
    Child::Int("mindestLaenge", &TEinzField::MinPflichtLaenge, false),
    Child::Flag("Cookie", &TEinzField::Cookie, false),
};
} // namespace

QString TEinzField::GenCode(const TGenContext& ctx, bool bCSS) const
{
    return InputRow(QStringLiteral("text"), bCSS, false, ctx, Groesse, maxLaenge);
}

QString TEinzField::GenCodePHP(const TGenContext& ctx, bool bCSS) const
{
    return InputRow(QStringLiteral("text"), bCSS, true, ctx, Groesse, maxLaenge);
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
    default: return GenNotEmptyScript(ctx, TextMessage(ctx));
    }
    return condition + CRLF + AlertCall(ctx, TextMessage(ctx), field) + CRLF + field +
           QStringLiteral(".focus();") + CRLF + QStringLiteral("return false;") + CRLF + QStringLiteral("}") +
           CRLF;
}

void TEinzField::SetXMLNode(QDomElement& itemNode) const
{
    AppendTyp(itemNode);
    XmlValues::WriteChildren(itemNode, *this, Children);
}

TStatus TEinzField::ReadElement(const XmlValues::TElement& itemNode)
{
    return XmlValues::ReadChildren(itemNode, *this, Children);
}
