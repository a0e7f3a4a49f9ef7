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
