#pragma once

#include <QString>

namespace HtmlTools
{
// A label without markup, for lists: every "<...>" goes, "&nbsp;" becomes a
// blank, other entities stay. A "<" without a ">" after it stays as text.
QString StripHTML(const QString& text);
} // namespace HtmlTools
