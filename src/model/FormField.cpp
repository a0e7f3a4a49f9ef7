#include "FormField.h"

#include "codegen/Literals.h"
#include "model/XmlValues.h"

using namespace Literals;

namespace
{
const QString CRLF = QStringLiteral("\r\n");
}

QString TFormField::GenSetCookieValues(const TGenContext&) const
{
    return QString();
}

QString TFormField::GenSetCookie(const TGenContext&) const
{
    return QString();
}

bool TFormField::IsValidFieldName(const QString& name)
{
    if (name.isEmpty())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name.at(i).unicode();
        const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
        const bool digit = c >= u'0' && c <= u'9';
        if (!letter && !(digit && i > 0))
            return false;
    }
    return true;
}

QString TFormField::GenErrorVarPHP(bool) const
{
    if (!Pflicht)
        return QString();
    return QStringLiteral("$err") + Name + QStringLiteral(" = \"\";");
}

QString TFormField::RowStart() const
{
    return QStringLiteral("<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>") + Beschriftung +
           QStringLiteral("</td>\r\n<td class=\"my\">\r\n");
}

QString TFormField::ClassAttr(bool bCSS)
{
    return bCSS ? QStringLiteral(" class=\"field\"") : QString();
}

QString TFormField::ErrorSpan(const TGenContext& ctx, const QString& message)
{
    return QStringLiteral("<span style=\\\"color:#") + ctx.ErrorColor + QStringLiteral(";\\\">") +
           PhpString(message) + QStringLiteral("</span>");
}

QString TFormField::TextMessage(const TGenContext& ctx) const
{
    if (!Meldung.isEmpty())
        return Meldung;
    return ctx.Text("txtCalender3") + QLatin1Char(' ') + Beschriftung + QLatin1Char(' ') +
           ctx.Text("txtCalender4");
}

QString TFormField::InputRow(const QString& type, bool bCSS, bool php, const QString& encoding,
                             const QString& value, const QString& size, const QString& maxLength,
                             bool clearOnFocus) const
{
    QString row = RowStart() + QStringLiteral("<input type=\"") + type + QStringLiteral("\" name=\"") + Name +
                  QStringLiteral("\" value=\"");
    row += php ? PhpEcho(QStringLiteral("$var") + Name, encoding) : AttrValue(value);
    row += QStringLiteral("\" size=\"") + AttrValue(size) + QStringLiteral("\" maxlength=\"") +
           AttrValue(maxLength) + QStringLiteral("\"");
    row += ClassAttr(bCSS);
    if (clearOnFocus)
        row += QStringLiteral(" onfocus=\"this.value = '';\"");
    row += QStringLiteral("> ") + BeschriftungNach;
    if (php && Pflicht)
        row += QStringLiteral("<br><?php echo $err") + Name + QStringLiteral(";?>");
    return row + QStringLiteral("</td></tr>") + CRLF;
}

QString TFormField::GenNotEmptyScript(const QString& message) const
{
    return QStringLiteral("if(document.QVFORM.") + Name + QStringLiteral(".value == \"\")  {") + CRLF +
           QStringLiteral("alert(\"") + JsString(message) + QStringLiteral("\");") + CRLF +
           QStringLiteral("document.QVFORM.") + Name + QStringLiteral(".focus();") + CRLF +
           QStringLiteral("return false;") + CRLF + QStringLiteral("}") + CRLF;
}

QString TFormField::GenNotEmptyCheckPHP(const TGenContext& ctx, const QString& message) const
{
    return QStringLiteral("if ($_POST[\"") + Name + QStringLiteral("\"] == \"\")") + CRLF +
           QStringLiteral("{") + CRLF + QStringLiteral("  $err") + Name + QStringLiteral(" = \"") +
           ErrorSpan(ctx, message) + QStringLiteral("\";") + CRLF + QStringLiteral("\t$bFormOK = false;") +
           CRLF + QStringLiteral("}") + CRLF + CRLF;
}

QString TFormField::GenValueVarPHP(const QString& defaultValue) const
{
    return QStringLiteral("if (isset($_POST[\"") + Name + QStringLiteral("\"])) $var") + Name +
           QStringLiteral(" = $_POST[\"") + Name + QStringLiteral("\"]; else $var") + Name +
           QStringLiteral(" = \"") + PhpString(defaultValue) + QStringLiteral("\";") + CRLF;
}

QString TFormField::GenValueCookieValues() const
{
    return QStringLiteral("   document.QVFORM.") + Name + QStringLiteral(".value = GetCookie(\"") + Name +
           QStringLiteral("\");") + CRLF + CRLF;
}

QString TFormField::GenValueCookie() const
{
    return QStringLiteral("   cookie_") + Name + QStringLiteral(" = '") + Name +
           QStringLiteral("=' + escape(document.QVFORM.") + Name + QStringLiteral(".value);") + CRLF +
           QStringLiteral("   document.cookie = cookie_") + Name + QStringLiteral(";") + CRLF + CRLF;
}

void TFormField::AppendTyp(QDomElement& itemNode) const
{
    XmlValues::AppendText(itemNode, QStringLiteral("typ"), ClassName());
}
