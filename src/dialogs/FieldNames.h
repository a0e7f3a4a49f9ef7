#pragma once

#include <QString>

#include <memory>
#include <vector>

class TCheckBoxFieldSimple;
class TFieldList;

// How the field dialogs keep the names of a project's fields apart. A check
// box inside a check-box list counts as a field at its list's position.
namespace FieldNames
{
// The position of the field that uses the name (the last one when several
// do), or -1. Letter case counts.
int GetFieldNr(const TFieldList& fields, const QString& name);

// Whether a field at a position other than own uses the name (own -1: any
// position). A dialog refuses a name that is taken so: unlike GetFieldNr
// alone, this also sees a field before the edited one.
bool TakenElsewhere(const TFieldList& fields, const QString& name, int own);

// How often the name is used besides by the working item at ownItem (-1 for
// a new item) of the check-box list being edited at listFeldNr (-1 for a new
// list): by the project's fields, by the boxes of every other list, by the
// other working items, and by the list's name as typed (listName). The
// stored boxes of the edited list do not count: the working items replace
// them.
int CountNameUses(const TFieldList& fields, int listFeldNr,
                  const std::vector<std::unique_ptr<TCheckBoxFieldSimple>>& workingItems, const QString& name,
                  int ownItem, const QString& listName);

// Whether a character typed into a name box is taken: letters and "_"
// anywhere, digits anywhere but at the front; position is where the
// character would land.
bool AcceptsTyped(QChar typed, int position);
} // namespace FieldNames
