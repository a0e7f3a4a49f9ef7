#pragma once

#include "dialogs/ui/FieldDialog.h"

class TRadioField;

// Creates and edits a radio-button group; one for the whole run. The
// group's stored default value has no control and stays as it is.
class TfrmRadioButtons : public TFieldDialog
{
    Q_OBJECT
public:
    TfrmRadioButtons(const TFieldDialogContext& context, QWidget* parent = nullptr);

    void ClearAll();
    void LoadFromObject(const TRadioField& field);
    void SaveToObject(TRadioField& field) const;

private:
    QLineEdit* edtFelder;
    QCheckBox* chkSingleLine;
};
