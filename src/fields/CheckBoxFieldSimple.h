#pragma once

#include "fields/CheckBoxField.h"

// A check box inside a check-box list: no row of its own, just the box, its
// label and a line break, so the boxes of a list stack in the list's cell.
// It is stored exactly like a stand-alone check box (type "TCheckBoxField").
class TCheckBoxFieldSimple : public TCheckBoxField
{
public:
    QString GenCode(const TGenContext& ctx, bool bCSS) const override;
    QString GenCodePHP(const TGenContext& ctx, bool bCSS) const override;
};
