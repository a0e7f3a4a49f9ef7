#pragma once

#include <QString>
#include <optional>

// The links the HTML editor inserts: an ordinary hyperlink and a link that
// opens its target in a pop-up window.
//
// The addresses are escaped for the place they land in, so an address with a
// quote cannot end its attribute or the script call around it. The link text
// stays markup, as every label does. Window sizes and positions are whole
// numbers here already: a text that is none never reaches a fragment.
namespace LinkFragments
{
struct THyperlinkValues
{
    QString url = QStringLiteral("http://");
    QString target = QStringLiteral("_self");
    bool picture = false; // the type "Bild": linkText is a picture address
    QString linkText;
};

struct TPopupLinkValues
{
    QString url = QStringLiteral("http://");
    bool picture = false;
    QString linkText;
    int width = 500;
    int height = 400;
    bool hotkeys = false;
    bool menubar = false;
    bool locationbar = false;
    bool resizeable = false;
    bool status = false;
    bool setPosition = false;
    int left = 100;
    int top = 100;
};

// What goes between the link's tags: the link text as it stands, or a
// picture without a border.
QString LinkContent(bool picture, const QString& linkText);

QString Hyperlink(const THyperlinkValues& values);
QString PopupLink(const TPopupLinkValues& values);

// A size or position typed in a dialog: digits only (no sign, no blanks),
// at most six of them; anything else is no number.
std::optional<int> WholeNumber(const QString& text);
} // namespace LinkFragments
