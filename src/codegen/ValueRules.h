#pragma once

#include <QList>
#include <QString>

class TFormProject;
class TLanguageTexts;

// The owner's values that go into a page as they stand (colours, sizes,
// widths, style keywords): a page is made only when each of those its kind
// uses has the form it needs, so no such value can break the page or smuggle
// code into it. A project file with another value still loads.
namespace ValueRules
{
enum class TRule {
    Colour,      // six hexadecimal digits
    WholeNumber, // a whole number (sizes, lengths)
    Width,       // a whole or decimal number, with "px", "%", "em", "rem" or "pt" if at all
    CssWord,     // letters, "-" and "%" only (border styles, units)
};

struct TProblem
{
    QString where; // the setting's key, or the field's name and element
    QString value;
    TRule rule;
};

// The values of the project that the page of the given kind would use but
// that do not have their form; empty values are not set and pass.
QList<TProblem> Problems(const TFormProject& project, bool phpPage);

// Why the value cannot be used, in the current language; and the same after
// "where: ".
QString Reason(const TProblem& problem, const TLanguageTexts& texts);
QString Describe(const TProblem& problem, const TLanguageTexts& texts);
} // namespace ValueRules
