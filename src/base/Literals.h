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

// Inside a JavaScript string in single quotes that is itself written into an
// attribute or a script (the pop-up link's window.open call): backslash,
// single quote and line ends are escaped. The surrounding context escapes
// the result again for its own quotes.
QString JsSingleQuoted(const QString& text);

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

// Where a user text lands in a page.
enum class TContext {
    Markup,    // HTML text: labels and messages keep their markup
    Attribute, // an HTML attribute value in double quotes
    JsString,  // a JavaScript string in double quotes
    PhpString, // a PHP string in double quotes
    Css,       // a value inside the style sheet
    Generated, // the generator's own text, whose user parts are escaped already
};

// The one escaping by context. On the PHP page (phpPage) no text outside PHP
// code may open PHP code, so every context there but PHP strings and the
// generator's own text also loses its "<?".
QString Escape(const QString& text, TContext context, bool phpPage);

// PHP that echoes a value variable HTML-escaped in the page's encoding.
QString PhpEcho(const QString& variable, const QString& encoding);
} // namespace Literals
