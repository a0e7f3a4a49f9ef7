#include "dialogs/ConditionTexts.h"

#include "base/HtmlTools.h"
#include "base/LanguageTexts.h"
#include "model/FieldList.h"

namespace ConditionTexts
{
const char* TestKey(TConditionTest test)
{
    switch (test) {
    case TConditionTest::None: return nullptr;
    case TConditionTest::Is: return "txtConditionIs";
    case TConditionTest::IsNot: return "txtConditionIsNot";
    case TConditionTest::IsTicked: return "txtConditionIsTicked";
    case TConditionTest::IsNotTicked: return "txtConditionIsNotTicked";
    case TConditionTest::IsFilled: return "txtConditionIsFilled";
    case TConditionTest::IsEmpty: return "txtConditionIsEmpty";
    }
    return nullptr;
}

QList<const char*> RowKeys()
{
    return {"txtConditionAlways",      "txtConditionIs",       "txtConditionIsNot",   "txtConditionIsTicked",
            "txtConditionIsNotTicked", "txtConditionIsFilled", "txtConditionIsEmpty", "txtConditionKept"};
}

namespace
{
// What the user knows a field by: its name, else its label.
QString FieldTitle(const TFormField& field)
{
    if (!field.Name.isEmpty())
        return field.Name;
    // An intermediate text has only its text: its start is enough.
    const QString text = HtmlTools::StripHTML(field.Beschriftung).simplified();
    return text.size() > 40 ? text.left(39) + QChar(0x2026) : text;
}
} // namespace

QString TestText(const TLanguageTexts& texts, TConditionTest test)
{
    const char* key = TestKey(test);
    return key ? texts.Text(QString::fromLatin1(key)) : QString();
}

QString Describe(const TLanguageTexts& texts, const TFieldCondition& condition)
{
    return Describe(condition, TestText(texts, condition.Test));
}

QString Describe(const TFieldCondition& condition, const QString& testText)
{
    if (!condition.IsSet())
        return QString();
    QString text = condition.Field + QLatin1Char(' ') + testText;
    if (ConditionTestNeedsValue(condition.Test))
        text += QLatin1Char(' ') + condition.Value;
    return text;
}

QList<TConditionTest> OfferedTests(const TFormField& field)
{
    const bool hasChoices = !field.ConditionValues().isEmpty();
    QList<TConditionTest> tests;
    for (const TConditionTest test : field.ConditionTests())
        if (hasChoices || !ConditionTestNeedsValue(test))
            tests << test;
    return tests;
}

QList<TCandidate> Candidates(const TFieldList& fields, int position)
{
    const int end = position < 0 || position > fields.Count() ? fields.Count() : position;
    QList<TCandidate> candidates;
    QStringList seen;
    for (int i = 0; i < end; ++i) {
        const TFormField* field = fields[i];
        // A name an earlier field holds stands for that one; a list's own
        // name holds no value, but stands for the list.
        for (const TFormField* part : field->Parts()) {
            if (!part->Name.isEmpty() && !seen.contains(part->Name) && !OfferedTests(*part).isEmpty() &&
                (part == field || part->Name != field->Name))
                candidates << TCandidate{part->Name, part};
            seen << part->Name;
        }
        seen << field->Name;
    }
    return candidates;
}

QString LossQuestion(const TLanguageTexts& texts, const TFieldList& fields, const QList<int>& dependents)
{
    QStringList titles;
    for (const int i : dependents)
        titles << FieldTitle(*fields[i]);
    return texts.Text(QStringLiteral("txtConditionLost")).arg(titles.join(QStringLiteral(", ")));
}
} // namespace ConditionTexts
