#pragma once

#include "dialogs/ui/FieldDialog.h"

class TFileField;

// Creates and edits a file-upload field; one for the whole run. It has no
// pages, and its text after the field survives ClearAll, so a second
// upload field is offered the first one's text.
class TfrmFileUpload : public TFieldDialog
{
    Q_OBJECT
public:
    TfrmFileUpload(const TFieldDialogContext& context, QWidget* parent = nullptr);

    void ClearAll();
    void LoadFromObject(const TFileField& field);
    void SaveToObject(TFileField& field) const;

private:
    QLineEdit* edtGroesse;
};
