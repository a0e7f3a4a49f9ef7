#pragma once

#include <QString>

// The links the HTML editor inserts: an ordinary hyperlink and a link that
// opens its target in a pop-up window.
namespace LinkFragments
{
} // namespace LinkFragments
