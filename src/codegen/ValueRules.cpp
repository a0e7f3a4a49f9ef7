#include "codegen/ValueRules.h"

#include "base/LanguageTexts.h"
#include "codegen/PageFiles.h"
#include "model/FormProject.h"

#include <QRegularExpression>

namespace ValueRules
{
namespace
{
bool Fits(const QString& value, TRule rule)
{
    if (value.isEmpty())
        return true;
    static const QRegularExpression colour(QStringLiteral("^[0-9A-Fa-f]{6}$"));
    static const QRegularExpression width(
        QStringLiteral("^\\s*[0-9]+(\\.[0-9]+)?\\s*(px|%|em|rem|pt)?\\s*$"));
    static const QRegularExpression word(QStringLiteral("^[A-Za-z%-]*$"));
    switch (rule) {
    case TRule::Colour: return colour.match(value).hasMatch();
    case TRule::WholeNumber: {
        // As the style sheet reads a size: blanks around it are allowed.
        bool ok = false;
        value.trimmed().toInt(&ok, 10);
        return ok;
    }
    case TRule::Width: return width.match(value).hasMatch();
    case TRule::CssWord: return word.match(value).hasMatch();
    }
    return false;
}

class TCollector
{
public:
    void Check(const QString& where, const QString& value, TRule rule)
    {
        if (!Fits(value, rule))
            problems.append({where, value, rule});
    }
    void Check(const char* key, const QString& value, TRule rule) { Check(QLatin1String(key), value, rule); }

    QList<TProblem> problems;
};
} // namespace

QList<TProblem> Problems(const TFormProject& p, bool phpPage)
{
    TCollector c;
    c.Check("edtSizeHeader", p.edtSizeHeader, TRule::WholeNumber);
    c.Check("edtSizeForm", p.edtSizeForm, TRule::WholeNumber);
    c.Check("edtTabWidth", p.edtTabWidth, TRule::Width);
    if (phpPage)
        c.Check("edtErrorColor", p.edtErrorColor, TRule::Colour);
    if (!p.cboStandardButton) {
        c.Check("edtHintergrundButton", p.edtHintergrundButton, TRule::Colour);
        c.Check("edtFarbeButton", p.edtFarbeButton, TRule::Colour);
        c.Check("cboRahmenButton", p.cboRahmenButton, TRule::CssWord);
        c.Check("edtStaerkeButton", p.edtStaerkeButton, TRule::WholeNumber);
        c.Check("cboStaerkeRahmen", p.cboStaerkeRahmen, TRule::CssWord);
    }
    if (!p.cboStandardFeld) {
        c.Check("edtHGFormField", p.edtHGFormField, TRule::Colour);
        c.Check("edtColorFormField", p.edtColorFormField, TRule::Colour);
        c.Check("edtRahmenFormField", p.edtRahmenFormField, TRule::CssWord);
        c.Check("edtStaerkeFormField", p.edtStaerkeFormField, TRule::WholeNumber);
        c.Check("cboRahmenFormField", p.cboRahmenFormField, TRule::CssWord);
        c.Check("edtSizeFormField", p.edtSizeFormField, TRule::WholeNumber);
        c.Check("cboSchriftFormEinheit", p.cboSchriftFormEinheit, TRule::CssWord);
        c.Check("edtFontColorFormField", p.edtFontColorFormField, TRule::Colour);
    }
    for (const auto& field : p.ListField)
        for (const auto& [element, value] : field->NumberValues())
            c.Check(field->Name + QStringLiteral(" (") + element + QLatin1Char(')'), value,
                    TRule::WholeNumber);
    if (PageFiles::ContainsCalendarField(p)) {
        const TCalendarDesign& d = p.ExtSettings.CalendarDesign;
        c.Check("CalendarDesign_edtFontSize", d.edtFontSize, TRule::WholeNumber);
        c.Check("CalendarDesign_edtTextColor", d.edtTextColor, TRule::Colour);
        c.Check("CalendarDesign_edtBGColorDay", d.edtBGColorDay, TRule::Colour);
        c.Check("CalendarDesign_edtBGColorHeader", d.edtBGColorHeader, TRule::Colour);
        c.Check("CalendarDesign_edtTextColorHeader", d.edtTextColorHeader, TRule::Colour);
        c.Check("CalendarDesign_edtBGColorCal", d.edtBGColorCal, TRule::Colour);
        c.Check("CalendarDesign_edtBorderSize", d.edtBorderSize, TRule::WholeNumber);
        c.Check("CalendarDesign_edtBorderType", d.edtBorderType, TRule::CssWord);
        c.Check("CalendarDesign_edtBorderColor", d.edtBorderColor, TRule::Colour);
    }
    return c.problems;
}

QString Reason(const TProblem& problem, const TLanguageTexts& texts)
{
    const char* key = "txtValueNoColour";
    switch (problem.rule) {
    case TRule::Colour: key = "txtValueNoColour"; break;
    case TRule::WholeNumber: key = "txtValueNoNumber"; break;
    case TRule::Width: key = "txtValueNoWidth"; break;
    case TRule::CssWord: key = "txtValueNoWord"; break;
    }
    // The value is shown in quotes, cut when it is long.
    const QString shown =
        problem.value.size() > 40 ? problem.value.left(40) + QStringLiteral("...") : problem.value;
    return texts.Text(QLatin1String(key)).arg(shown);
}

QString Describe(const TProblem& problem, const TLanguageTexts& texts)
{
    return problem.where + QStringLiteral(": ") + Reason(problem, texts);
}
} // namespace ValueRules
