#include "dialogs/FieldNames.h"

#include "fields/CheckBoxList.h"
#include "fields/ZwField.h"
#include "model/FieldList.h"

namespace FieldNames
{
namespace
{
bool ListHolds(const TFormField* field, const QString& name)
{
    const auto* list = dynamic_cast<const TCheckBoxList*>(field);
    if (!list)
        return false;
    for (const auto& box : list->ListCheckboxes)
        if (box->Name == name)
            return true;
    return false;
}
} // namespace

int GetFieldNr(const TFieldList& fields, const QString& name)
{
    int result = -1;
    for (int p = 0; p < fields.Count(); ++p)
        if (fields[p]->Name == name || ListHolds(fields[p], name))
            result = p;
    return result;
}

bool TakenElsewhere(const TFieldList& fields, const QString& name, int own)
{
    for (int p = 0; p < fields.Count(); ++p)
        if (p != own && (fields[p]->Name == name || ListHolds(fields[p], name)))
            return true;
    return false;
}

int CountNameUses(const TFieldList& fields, int listFeldNr,
                  const std::vector<std::unique_ptr<TCheckBoxFieldSimple>>& workingItems, const QString& name,
                  int ownItem, const QString& listName)
{
    int count = 0;
    for (int p = 0; p < fields.Count(); ++p) {
        if (fields[p]->Name == name)
            ++count;
        if (p == listFeldNr)
            continue;
        if (const auto* list = dynamic_cast<const TCheckBoxList*>(fields[p]))
            for (const auto& box : list->ListCheckboxes)
                if (box->Name == name)
                    ++count;
    }
    for (int j = 0; j < static_cast<int>(workingItems.size()); ++j)
        if (j != ownItem && workingItems[static_cast<size_t>(j)]->Name == name)
            ++count;
    if (name == listName)
        ++count;
    return count;
}

bool AcceptsTyped(QChar typed, int position)
{
    const char16_t c = typed.unicode();
    if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_')
        return true;
    return c >= u'0' && c <= u'9' && position > 0;
}
QList<QString*> NamesOf(TFormField& field)
{
    QList<QString*> names;
    if (dynamic_cast<TZwField*>(&field))
        return names;
    auto* list = dynamic_cast<TCheckBoxList*>(&field);
    if (!list || !field.Name.isEmpty())
        names << &field.Name;
    if (list)
        for (const auto& box : list->ListCheckboxes)
            names << &box->Name;
    return names;
}

QString NameRefusal(const TFieldList& fields, const QString& name, const QStringList& others)
{
    if (name.isEmpty())
        return QStringLiteral("txtCalender0");
    if (!TFormField::IsValidFieldName(name))
        return QStringLiteral("txtCheckFieldName");
    if (TakenElsewhere(fields, name, -1) || others.contains(name))
        return QStringLiteral("txtCalender1");
    return QString();
}
} // namespace FieldNames
