#pragma once

#include <QList>
#include <QString>

class TFormProject;
class TLanguageTexts;

// What will fail on the server, found before a project is published: each
// warning names the setting or field it is about.
namespace ProjectCheck
{
// Which page is about to be made; Any looks at both.
enum class TTarget { Html, Php, Any };

struct TWarning
{
    QString where; // the setting's key or the field's name
    QString text;  // in the current language

    QString Line() const { return where + QStringLiteral(": ") + text; }
};

// The warnings for the project, in a fixed order: recipients, the values and
// conditions the generators refuse (only with withValues), field names, the copy to the
// sender, uploads on the HTML form, required fields that can never be
// answered, the thank-you address.
QList<TWarning> Check(const TFormProject& project, const TLanguageTexts& texts, TTarget target,
                      bool withValues = true);
} // namespace ProjectCheck
