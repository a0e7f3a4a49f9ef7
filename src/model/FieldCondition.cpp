#include "model/FieldCondition.h"

#include "base/XmlValues.h"

namespace
{
struct TTestWord
{
    TConditionTest test;
    const char* word;
};

// The stored words; they must never change, whatever the order of the enum.
constexpr TTestWord TestWords[] = {
    {TConditionTest::Is, "Is"},
    {TConditionTest::IsNot, "IsNot"},
    {TConditionTest::IsTicked, "IsTicked"},
    {TConditionTest::IsNotTicked, "IsNotTicked"},
    {TConditionTest::IsFilled, "IsFilled"},
    {TConditionTest::IsEmpty, "IsEmpty"},
};

const QString ConditionElement = QStringLiteral("Bedingung");
} // namespace

QString ConditionTestWord(TConditionTest test)
{
    for (const TTestWord& entry : TestWords)
        if (entry.test == test)
            return QLatin1String(entry.word);
    return QString();
}

std::optional<TConditionTest> ParseConditionTest(const QString& word)
{
    for (const TTestWord& entry : TestWords)
        if (word == QLatin1String(entry.word))
            return entry.test;
    return std::nullopt;
}

bool ConditionTestNeedsValue(TConditionTest test)
{
    return test == TConditionTest::Is || test == TConditionTest::IsNot;
}

void WriteCondition(QDomElement& itemNode, const TFieldCondition& condition)
{
    if (!condition.IsSet())
        return;
    QDomElement node = itemNode.ownerDocument().createElement(ConditionElement);
    itemNode.appendChild(node);
    XmlValues::AppendText(node, QStringLiteral("Feld"), condition.Field);
    XmlValues::AppendText(node, QStringLiteral("Test"), ConditionTestWord(condition.Test));
    if (ConditionTestNeedsValue(condition.Test))
        XmlValues::AppendText(node, QStringLiteral("Wert"), condition.Value);
}

TResult<TFieldCondition> ReadCondition(const XmlValues::TElement& itemNode)
{
    const XmlValues::TElement* node = XmlValues::Child(itemNode, ConditionElement);
    if (!node)
        return TFieldCondition();
    const auto damaged = [](TFailure failure) { return failure.Within(QStringLiteral("condition")); };
    TFieldCondition condition;
    const auto field = XmlValues::ChildText(*node, QStringLiteral("Feld"));
    if (!field)
        return damaged(XmlValues::MissingChild("Feld"));
    if (field->isEmpty())
        return damaged(TFailure{QStringLiteral("names no field"), QString()});
    condition.Field = *field;
    const auto word = XmlValues::ChildText(*node, QStringLiteral("Test"));
    if (!word)
        return damaged(XmlValues::MissingChild("Test"));
    const auto test = ParseConditionTest(*word);
    if (!test)
        return damaged(XmlValues::UnreadableChild("Test", *word, "a test"));
    condition.Test = *test;
    if (ConditionTestNeedsValue(condition.Test)) {
        const auto value = XmlValues::ChildText(*node, QStringLiteral("Wert"));
        if (!value)
            return damaged(XmlValues::MissingChild("Wert"));
        condition.Value = *value;
    }
    return condition;
}
