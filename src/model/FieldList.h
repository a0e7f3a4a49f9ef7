#pragma once

#include "model/FormField.h"

#include <QList>
#include <memory>
#include <vector>

// The ordered fields of a project, which it owns: the order is the order of
// the fields on the page; removing a field destroys it.
class TFieldList
{
public:
    TFieldList() = default;
    TFieldList(TFieldList&&) noexcept = default;
    TFieldList& operator=(TFieldList&&) noexcept = default;
    TFieldList(const TFieldList&) = delete;
    TFieldList& operator=(const TFieldList&) = delete;

    int Count() const { return static_cast<int>(m_fields.size()); }
    bool IsEmpty() const { return m_fields.empty(); }
    TFormField* At(int index) const { return m_fields.at(static_cast<size_t>(index)).get(); }
    TFormField* operator[](int index) const { return At(index); }

    TFormField* Add(std::unique_ptr<TFormField> field);
    void Delete(int index);
    void Exchange(int a, int b);
    void Clear() { m_fields.clear(); }

    // Conditions. A field's name is that of a field of the list or of a box
    // of a check-box list; the index of a name is that of the field holding
    // it, -1 for none.
    int IndexOfName(const QString& name) const;
    // The field or box of that name, or null.
    const TFormField* FindByName(const QString& name) const;
    // Whether the condition may stand on the field at index: the other field
    // exists, stands before it and is not a part of it, its kind allows the
    // test, and Is and IsNot compare with one of its choices. An empty
    // condition is always valid; the failure says what is wrong.
    TStatus CheckCondition(int index, const TFieldCondition& condition) const;
    TStatus CheckCondition(int index) const { return CheckCondition(index, At(index)->Condition); }
    // Makes every condition naming oldName name newName.
    void RenameInConditions(const QString& oldName, const QString& newName);
    // The fields whose conditions name the field at index or a box of it:
    // deleting it would leave them naming no field.
    QList<int> DependentsOf(int index) const;
    // The fields whose other field stands before them now but would not
    // after Exchange(a, b); by their indices before the exchange.
    QList<int> DependentsOnExchange(int a, int b) const;
    // Clears the conditions of the fields at these indices.
    void RemoveConditions(const QList<int>& indices);

    auto begin() const { return m_fields.begin(); }
    auto end() const { return m_fields.end(); }

private:
    std::vector<std::unique_ptr<TFormField>> m_fields;
};
