#pragma once

#include "model/FieldCondition.h"

#include <QList>
#include <QString>

class TFieldList;
class TFormField;
class TLanguageTexts;

// How conditions read to the user: in the field dialogs, the field list and
// the questions before a delete or a move.
namespace ConditionTexts
{
// The named key of a test's text ("txtConditionIs"); null for None.
const char* TestKey(TConditionTest test);
// The named keys of every text a condition row shows.
QList<const char*> RowKeys();
// "ist", "angekreuzt", ... in the language of the moment; empty for None.
QString TestText(const TLanguageTexts& texts, TConditionTest test);
// "Anrede ist Firma", "Newsletter angekreuzt"; empty without a condition.
QString Describe(const TLanguageTexts& texts, const TFieldCondition& condition);
// The same with the test's text given.
QString Describe(const TFieldCondition& condition, const QString& testText);

// A field or box a condition of the field at position may name, by name.
struct TCandidate
{
    QString name;
    const TFormField* field = nullptr; // the field or box itself
};
// The fields standing before position (every field for -1, a new field
// being appended) whose value some test can check, a check-box list by its
// boxes; each name once, in form order. A choice list without options
// offers no field, since Is and IsNot would compare with nothing.
QList<TCandidate> Candidates(const TFieldList& fields, int position);
// The tests a condition may make on the field: its own, without the ones
// that compare with a value when it has no choices.
QList<TConditionTest> OfferedTests(const TFormField& field);

// The question before a delete or a move that leaves these fields (by
// position) without their conditions, naming them.
QString LossQuestion(const TLanguageTexts& texts, const TFieldList& fields, const QList<int>& dependents);
} // namespace ConditionTexts
