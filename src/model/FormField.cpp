#include "model/FormField.h"

#include "base/Crlf.h"
#include "base/Literals.h"
#include "base/XmlValues.h"

using namespace Literals;

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

QString TFormField::GenFieldListPHP(const TGenContext& ctx) const
{
    const QString kind = PostKind();
    if (kind.isEmpty())
        return QString();
    const int max = MaxLength();
    return QStringLiteral("    array(\"name\" => \"") + PhpString(Name) +
           QStringLiteral("\", \"kind\" => \"") + kind + QStringLiteral("\", \"max\" => ") +
           QString::number(max) + QStringLiteral(", \"error\" => \"") +
           (max > 0 ? ErrorSpan(ctx, TextMessage(ctx)) : QString()) + QStringLiteral("\"),") + CRLF;
}

int TFormField::LengthLimit(const QString& typed)
{
    bool ok = false;
    const int value = typed.trimmed().toInt(&ok, 10);
    return ok && value > 0 ? value : 0;
}

QString TFormField::InvalidNameReason(const QString& name)
{
    if (name.isEmpty())
        return QStringLiteral("the name is empty");
    return QStringLiteral("the name \"") + name +
           QStringLiteral("\" is no identifier (a letter or \"_\", then letters, digits and \"_\")");
}

QString TFormField::GenErrorVarPHP(bool) const
{
    if (!Pflicht)
        return QString();
    return QStringLiteral("$err") + Name + QStringLiteral(" = \"\";");
}

QString TFormField::Html(const QString& text, bool php)
{
    return php ? NoPhpOpen(text) : text;
}

QString TFormField::RowStart(bool php) const
{
    return QStringLiteral("<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap>") +
           Html(Beschriftung, php) + QStringLiteral("</td>\r\n<td class=\"my\">\r\n");
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

void TFormField::AppendTyp(QDomElement& itemNode) const
{
    XmlValues::AppendText(itemNode, QStringLiteral("typ"), ClassName());
}

TStatus TFormField::GetXMLNode(const QDomElement& itemNode)
{
    return ReadElement(XmlValues::TElement::FromDom(itemNode, ElementLevels));
}
