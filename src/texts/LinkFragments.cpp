#include "texts/LinkFragments.h"

#include "base/Literals.h"

namespace LinkFragments
{
namespace
{
QString Attribute(const QString& text)
{
    return Literals::Escape(text, Literals::TContext::Attribute, false);
}

// A script in an attribute must reach the script engine exactly as built:
// an entity typed into the address ("&#39;") would otherwise turn into a
// quote after the JavaScript escaping had been done.
QString ScriptAttribute(const QString& script)
{
    return Attribute(QString(script).replace(QLatin1Char('&'), QStringLiteral("&amp;")));
}

QString Flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}
} // namespace

QString LinkContent(bool picture, const QString& linkText)
{
    if (!picture)
        return linkText;
    return QStringLiteral("<img src=\"") + Attribute(linkText) + QStringLiteral("\" border=\"0\">");
}

QString Hyperlink(const THyperlinkValues& values)
{
    // The target is typed by hand as well, so it gets the same escaping as
    // the address; a frame name never holds a quote, and stays as typed.
    return QStringLiteral("<a href=\"") + Attribute(values.url) + QStringLiteral("\" target=\"") +
           Attribute(values.target) + QStringLiteral("\">") + LinkContent(values.picture, values.linkText) +
           QStringLiteral("</a>");
}

QString PopupLink(const TPopupLinkValues& values)
{
    // The address sits in a script string in single quotes, and the whole
    // script in the onclick attribute: first the string, then the attribute.
    QString script = QStringLiteral("javascript:window.open('") + Literals::JsSingleQuoted(values.url) +
                     QStringLiteral("','POPUP','width=") + QString::number(values.width) +
                     QStringLiteral(",height=") + QString::number(values.height) +
                     QStringLiteral(",hotkeys=") + Flag(values.hotkeys) + QStringLiteral(",menubar=") +
                     Flag(values.menubar) + QStringLiteral(",locationbar=") + Flag(values.locationbar) +
                     // Spelled "resizeable" as in every pop-up link made so far.
                     QStringLiteral(",resizeable=") + Flag(values.resizeable) + QStringLiteral(",status=") +
                     Flag(values.status);
    if (values.setPosition)
        script += QStringLiteral(",left=") + QString::number(values.left) + QStringLiteral(",top=") +
                  QString::number(values.top);
    script += QStringLiteral("');return false;");
    return QStringLiteral("<a href=\"#\" onclick=\"") + ScriptAttribute(script) + QStringLiteral("\">") +
           LinkContent(values.picture, values.linkText) + QStringLiteral("</a>");
}

std::optional<int> WholeNumber(const QString& text)
{
    if (text.isEmpty() || text.size() > 6)
        return std::nullopt;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    return text.toInt();
}
} // namespace LinkFragments
