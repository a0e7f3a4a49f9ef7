#pragma once

#include "dialogs/ui/FieldDialog.h"

class TDropDownField;

// Creates and edits a drop-down or list box field; one for the whole run.
// The field's stored default value has no control and stays as it is.
class TfrmListBox : public TFieldDialog
{
    Q_OBJECT
public:
    TfrmListBox(const TFieldDialogContext& context, QWidget* parent = nullptr);

    void ClearAll();
    void LoadFromObject(const TDropDownField& field);
    void SaveToObject(TDropDownField& field) const;

private:
    QLineEdit* edtGroesse;
    QLineEdit* edtFelder;
};
