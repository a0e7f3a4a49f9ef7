#include "model/FieldList.h"

#include <utility>

TFormField* TFieldList::Add(std::unique_ptr<TFormField> field)
{
    m_fields.push_back(std::move(field));
    return m_fields.back().get();
}

void TFieldList::Delete(int index)
{
    m_fields.erase(m_fields.begin() + index);
}

void TFieldList::Exchange(int a, int b)
{
    std::swap(m_fields.at(static_cast<size_t>(a)), m_fields.at(static_cast<size_t>(b)));
}

int TFieldList::IndexOfName(const QString& name) const
{
    if (name.isEmpty())
        return -1;
    for (int i = 0; i < Count(); ++i) {
        if (At(i)->Name == name)
            return i;
        for (const TFormField* part : At(i)->Parts())
            if (part->Name == name)
                return i;
    }
    return -1;
}

const TFormField* TFieldList::FindByName(const QString& name) const
{
    const int index = IndexOfName(name);
    if (index < 0)
        return nullptr;
    for (const TFormField* part : At(index)->Parts())
        if (part->Name == name)
            return part;
    // A list's own name: the list itself, whose parts are its boxes.
    return At(index);
}

TStatus TFieldList::CheckCondition(int index, const TFieldCondition& condition) const
{
    if (!condition.IsSet())
        return {};
    const QString where = QStringLiteral("condition on \"") + condition.Field + QStringLiteral("\"");
    const int other = IndexOfName(condition.Field);
    if (other < 0)
        return TFailure{QStringLiteral("no field has this name"), where};
    if (other == index)
        return TFailure{QStringLiteral("the field cannot depend on itself"), where};
    if (other > index)
        return TFailure{QStringLiteral("the field stands after the one it conditions"), where};
    const TFormField* field = FindByName(condition.Field);
    if (!field->ConditionTests().contains(condition.Test))
        return TFailure{QStringLiteral("the test \"") + ConditionTestWord(condition.Test) +
                            QStringLiteral("\" does not fit a ") + field->ClassName(),
                        where};
    if (ConditionTestNeedsValue(condition.Test) && !field->ConditionValues().contains(condition.Value))
        return TFailure{QStringLiteral("\"") + condition.Value + QStringLiteral("\" is none of its choices"),
                        where};
    return {};
}

void TFieldList::RenameInConditions(const QString& oldName, const QString& newName)
{
    if (oldName.isEmpty() || oldName == newName)
        return;
    for (const auto& field : m_fields)
        if (field->Condition.IsSet() && field->Condition.Field == oldName)
            field->Condition.Field = newName;
}

QList<int> TFieldList::DependentsOf(int index) const
{
    QStringList names;
    if (!At(index)->Name.isEmpty())
        names << At(index)->Name;
    for (const TFormField* part : At(index)->Parts())
        if (!part->Name.isEmpty())
            names << part->Name;
    QList<int> dependents;
    for (int i = 0; i < Count(); ++i)
        if (i != index && At(i)->Condition.IsSet() && names.contains(At(i)->Condition.Field))
            dependents << i;
    return dependents;
}

QList<int> TFieldList::DependentsOnExchange(int a, int b) const
{
    // The position of the field now at i once a and b changed places.
    const auto after = [a, b](int i) { return i == a ? b : i == b ? a : i; };
    QList<int> dependents;
    for (int i = 0; i < Count(); ++i) {
        if (!At(i)->Condition.IsSet())
            continue;
        const int other = IndexOfName(At(i)->Condition.Field);
        if (other >= 0 && other < i && after(other) >= after(i))
            dependents << i;
    }
    return dependents;
}

void TFieldList::RemoveConditions(const QList<int>& indices)
{
    for (const int i : indices)
        At(i)->Condition.Clear();
}
