#include "fields/CheckBoxFieldSimple.h"

// BeschriftungNach is kept in the file but has no place in a list item.
QString TCheckBoxFieldSimple::GenCode(const TGenContext& ctx, bool bCSS) const
{
    if (ctx.Accessible)
        return InputTag(bCSS) + InputAttrs(ctx, false) + QStringLiteral("> <label for=\"") + InputId() +
               QStringLiteral("\">") + Beschriftung + QStringLiteral("</label><br>\r\n");
    return InputTag(bCSS) + QStringLiteral("> ") + Beschriftung + QStringLiteral("<br>\r\n");
}

QString TCheckBoxFieldSimple::GenCodePHP(const TGenContext& ctx, bool bCSS) const
{
    if (ctx.Accessible)
        return InputTag(bCSS, true) + InputAttrs(ctx, true) + CheckedEcho() +
               QStringLiteral("> <label for=\"") + InputId() + QStringLiteral("\">") +
               Html(Beschriftung, true) + QStringLiteral("</label>") + ErrorEcho() +
               QStringLiteral("<br>\r\n");
    return InputTag(bCSS, true) + CheckedEcho() + QStringLiteral("> ") + Html(Beschriftung, true) +
           ErrorEcho() + QStringLiteral("<br>\r\n");
}
