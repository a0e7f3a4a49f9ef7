#include "fields/TextValueField.h"

#include "base/Crlf.h"
#include "base/Literals.h"

using namespace Literals;

QString TTextValueField::InputRow(const QString& type, bool bCSS, bool php, const TGenContext& ctx,
                                  const QString& size, const QString& maxLength) const
{
    const QString& encoding = ctx.Encoding;
    QString row = RowStart(ctx, php) + QStringLiteral("<input type=\"") + type +
                  QStringLiteral("\" name=\"") + Name + QStringLiteral("\" value=\"");
    row += php ? PhpEcho(QStringLiteral("$var") + Name, encoding) : AttrValue(Vorgabewert);
    row += QStringLiteral("\" size=\"") + Html(AttrValue(size), php) + QStringLiteral("\" maxlength=\"") +
           Html(AttrValue(maxLength), php) + QStringLiteral("\"");
    row += ClassAttr(bCSS) + InputAttrs(ctx, php);
    if (VorgabeLoeschen)
        row += QStringLiteral(" onfocus=\"this.value = '';\"");
    row += QStringLiteral("> ") + Html(BeschriftungNach, php);
    if (php && Pflicht)
        row += QStringLiteral("<br><?php echo $err") + Name + QStringLiteral(";?>");
    return row + QStringLiteral("</td></tr>") + CRLF;
}

QString TTextValueField::GenFormVarPHP(const TGenContext&) const
{
    return QStringLiteral("if (isset($_POST[\"") + Name + QStringLiteral("\"])) $var") + Name +
           QStringLiteral(" = $_POST[\"") + Name + QStringLiteral("\"]; else $var") + Name +
           QStringLiteral(" = \"") + PhpString(Vorgabewert) + QStringLiteral("\";") + CRLF;
}

QString TTextValueField::GenSetCookieValues(const TGenContext&) const
{
    return QStringLiteral("   document.QVFORM.") + Name + QStringLiteral(".value = GetCookie(\"") + Name +
           QStringLiteral("\");") + CRLF + CRLF;
}

QString TTextValueField::GenSetCookie(const TGenContext&) const
{
    return QStringLiteral("   cookie_") + Name + QStringLiteral(" = '") + Name +
           QStringLiteral("=' + escape(document.QVFORM.") + Name + QStringLiteral(".value);") + CRLF +
           QStringLiteral("   document.cookie = cookie_") + Name + QStringLiteral(";") + CRLF + CRLF;
}
