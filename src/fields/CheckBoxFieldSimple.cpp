#include "fields/CheckBoxFieldSimple.h"

// BeschriftungNach is kept in the file but has no place in a list item.
QString TCheckBoxFieldSimple::GenCode(const TGenContext&, bool bCSS) const
{
    return InputTag(bCSS) + QStringLiteral("> ") + Beschriftung + QStringLiteral("<br>\r\n");
}

QString TCheckBoxFieldSimple::GenCodePHP(const TGenContext&, bool bCSS) const
{
    return InputTag(bCSS, true) + CheckedEcho() + QStringLiteral("> ") + Html(Beschriftung, true) +
           ErrorEcho() + QStringLiteral("<br>\r\n");
}
