#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class TCheckBoxFieldSimple;
class TFieldList;
class TFormField;

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

// The names a field brings into a project when it joins it whole (a
// template inserted, say): its own and, for a check-box list, its boxes'.
// An intermediate text and a list without a name of its own bring none of
// their own. The pointers let the caller rename the field in place.
QList<QString*> NamesOf(TFormField& field);

// Why a name cannot be given to a field that joins the project, as the key
// of the language text that says so: "txtCalender0" (empty),
// "txtCheckFieldName" (no valid name; its text takes the name), or
// "txtCalender1" (taken by a field or a box of the project, or by one of
// others, the joining field's other names). Empty when the name is free.
QString NameRefusal(const TFieldList& fields, const QString& name, const QStringList& others);
} // namespace FieldNames
