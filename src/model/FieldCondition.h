#pragma once

#include "base/Result.h"

#include <QDomElement>
#include <QList>
#include <QString>
#include <optional>

namespace XmlValues
{
struct TElement;
}

// How a condition tests the other field.
enum class TConditionTest {
    None,        // no condition
    Is,          // a radio group or drop-down has this value chosen
    IsNot,       // ... has another one (or none) chosen
    IsTicked,    // a check box, or a box of a check-box list, is ticked
    IsNotTicked, // ... is not ticked
    IsFilled,    // a text, calendar or multi-line field holds a value
    IsEmpty,     // ... holds none
};

// The word a test is stored as in the project file; empty for None.
QString ConditionTestWord(TConditionTest test);
// The test a stored word stands for; no value for an unknown word.
std::optional<TConditionTest> ParseConditionTest(const QString& word);
// Is and IsNot compare with a value; the other tests need none.
bool ConditionTestNeedsValue(TConditionTest test);

// A field is shown only when its condition on another field holds. The other
// field is named by its name (a box of a check-box list counts as a field),
// and must stand before the field in form order.
struct TFieldCondition
{
    QString Field;                              // the other field's name
    TConditionTest Test = TConditionTest::None; // None: no condition
    QString Value;                              // for Is and IsNot only

    bool IsSet() const { return Test != TConditionTest::None; }
    void Clear() { *this = TFieldCondition(); }
    bool operator==(const TFieldCondition&) const = default;
};

// The condition's element in a field's element:
// <Bedingung><Feld>..</Feld><Test>..</Test><Wert>..</Wert></Bedingung>,
// <Wert> only for the tests that compare with a value. Nothing is written
// for a field without a condition, so its element stays as it always was.
void WriteCondition(QDomElement& itemNode, const TFieldCondition& condition);
// Reads the condition of a field's element: none when it has no condition
// element; fails, saying why, when the element is damaged (no field name, an
// unknown test, a test that compares without a value).
TResult<TFieldCondition> ReadCondition(const XmlValues::TElement& itemNode);
