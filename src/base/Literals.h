#pragma once

#include <QString>

// User texts placed inside generated code. Each function escapes exactly
// what would end or break its context and leaves every other character as
// it is, so texts without such characters come out unchanged.
namespace Literals
{
// Inside a JavaScript string in double quotes, within a script element:
// backslash, double quote and line ends are escaped, and "</script" cannot
// close the element.
QString JsString(const QString& text);

// Inside a PHP string in double quotes: backslash, double quote and "$"
// (which would start a variable) are escaped.
QString PhpString(const QString& text);

// Inside an HTML attribute value in double quotes: the double quote.
QString AttrValue(const QString& text);

// Markup of a PHP page: every "<?" of the text would open PHP code, so it is
// written as "<", an empty PHP block and "?", which PHP prints as "<?".
QString NoPhpOpen(const QString& text);

// A value inside a style sheet (a font list, a picture address): "<" is
// written as a CSS escape, so the text cannot close the style element.
QString CssText(const QString& text);

// PHP that echoes a value variable HTML-escaped in the page's encoding.
QString PhpEcho(const QString& variable, const QString& encoding);
} // namespace Literals
