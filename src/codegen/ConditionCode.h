#pragma once

#include "base/Result.h"

#include <QString>

class TFieldList;
class TFormField;

// The code of the fields that apply only when a condition on an earlier
// field holds. A field with a condition has all its rows in a table body of
// its own that names the condition; the page's script shows or hides these
// bodies as the visitor fills the form, and the PHP page works the same
// conditions out from the post. A project without any condition gets none of
// it, so its pages stay exactly as they were.
namespace ConditionCode
{
// Some field of the list has a condition.
bool AnyCondition(const TFieldList& fields);
// Each condition names a field before its own whose kind allows the test;
// the failure names the first field for which that does not hold.
TStatus CheckAll(const TFieldList& fields);

// The id of the table body of the field at index.
QString WrapperId(const TFieldList& fields, int index);
// The opening tag of its table body, a line of its own; empty without a
// condition. On the PHP page (php) no value can open PHP code.
QString WrapperStart(const TFieldList& fields, int index, bool php);
// The closing tag, a line of its own; empty without a condition.
QString WrapperEnd(const TFieldList& fields, int index);

// The script that shows and hides the rows; empty when
// no field has a condition.
QString PageScript(const TFieldList& fields);

// The client check of the field at index, skipped while its row is hidden.
QString ClientCheck(const TFieldList& fields, int index, const QString& check);

// PHP for the start of the checks of a post: which fields apply, and the
// values of those that do not taken out of the post. Empty without
// conditions.
QString ServerConditions(const TFieldList& fields);
// The server check of the field at index, skipped when it does not apply.
QString ServerCheck(const TFieldList& fields, int index, const QString& check);
} // namespace ConditionCode
