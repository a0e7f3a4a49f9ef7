#pragma once

#include "model/FormField.h"

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

    auto begin() const { return m_fields.begin(); }
    auto end() const { return m_fields.end(); }

private:
    std::vector<std::unique_ptr<TFormField>> m_fields;
};
