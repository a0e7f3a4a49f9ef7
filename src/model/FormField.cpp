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

QString TFormField::ErrorSpan(const TGenContext& ctx, const QString& message) const
{
    const QString id = ctx.Accessible ? QString(QStringLiteral("id=\\\"") + ErrorId() +
                                                QStringLiteral("\\\" class=\\\"qv-fielderror\\\" "))
                                      : QString();
    return QStringLiteral("<span ") + id + QStringLiteral("style=\\\"color:#") + ctx.ErrorColor +
           QStringLiteral(";\\\">") + PhpString(message) + QStringLiteral("</span>");
}

QString TFormField::InputId() const
{
    return QStringLiteral("qv_") + Name;
}

QString TFormField::ErrorId() const
{
    return QStringLiteral("qverr_") + Name;
}

QString TFormField::RowStart(const TGenContext& ctx, bool php) const
{
    if (!ctx.Accessible)
        return RowStart(php);
    return QStringLiteral("<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap><label for=\"") +
           InputId() + QStringLiteral("\">") + Html(Beschriftung, php) +
           QStringLiteral("</label></td>\r\n<td class=\"my\">\r\n");
}

QString TFormField::GroupStart(const TGenContext& ctx, bool php) const
{
    if (!ctx.Accessible)
        return RowStart(php);
    // The legend names the group for assistive technology; the cell shows
    // the same label to the eye, hidden from the reader so it is not read twice.
    return QStringLiteral("<tr><td align=\"right\"  valign=\"top\" class=\"my\" nowrap><span "
                          "aria-hidden=\"true\">") +
           Html(Beschriftung, php) + QStringLiteral("</span></td>\r\n<td class=\"my\">\r\n") +
           QStringLiteral("<fieldset class=\"qv-group\" id=\"") + InputId() + QStringLiteral("\"") +
           GroupErrorAttrs(ctx, php) + QStringLiteral("><legend class=\"qv-sr\">") + Html(Beschriftung, php) +
           QStringLiteral("</legend>\r\n");
}

QString TFormField::GroupEnd(const TGenContext& ctx)
{
    return ctx.Accessible ? QStringLiteral("</fieldset>") : QString();
}

QString TFormField::InputAttrs(const TGenContext& ctx, bool php, const QString& id) const
{
    if (!ctx.Accessible)
        return QString();
    QString attrs = QStringLiteral(" id=\"") + id + QStringLiteral("\"");
    if (Pflicht)
        attrs += QStringLiteral(" required aria-required=\"true\"") +
                 (php ? QString(QStringLiteral("<?php if (!empty($err") + Name +
                                QStringLiteral(")) echo \" aria-invalid=\\\"true\\\" aria-describedby=\\\"") +
                                ErrorId() + QStringLiteral("\\\"\";?>"))
                      : QString());
    return attrs;
}

QString TFormField::GroupErrorAttrs(const TGenContext& ctx, bool php) const
{
    if (!ctx.Accessible || !php || !Pflicht)
        return QString();
    return QStringLiteral("<?php if (!empty($err") + Name +
           QStringLiteral(")) echo \" aria-describedby=\\\"") + ErrorId() + QStringLiteral("\\\"\";?>");
}

QString TFormField::AlertCall(const TGenContext& ctx, const QString& message, const QString& field)
{
    if (!ctx.Accessible)
        return QStringLiteral("alert(\"") + JsString(message) + QStringLiteral("\");");
    return QStringLiteral("qvFail(\"") + JsString(message) + QStringLiteral("\", ") + field +
           QStringLiteral(");");
}

QString TFormField::TextMessage(const TGenContext& ctx) const
{
    if (!Meldung.isEmpty())
        return Meldung;
    return ctx.Text("txtCalender3") + QLatin1Char(' ') + Beschriftung + QLatin1Char(' ') +
           ctx.Text("txtCalender4");
}

QString TFormField::GenNotEmptyScript(const TGenContext& ctx, const QString& message) const
{
    return QStringLiteral("if(document.QVFORM.") + Name + QStringLiteral(".value == \"\")  {") + CRLF +
           AlertCall(ctx, message, QStringLiteral("document.QVFORM.") + Name) + CRLF +
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
