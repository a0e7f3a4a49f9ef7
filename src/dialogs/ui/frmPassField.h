#pragma once

#include "dialogs/ui/FieldDialog.h"

class TPassField;

// Creates and edits a password field; one for the whole run.
class TfrmPassField : public TFieldDialog
{
    Q_OBJECT
public:
    TfrmPassField(const TFieldDialogContext& context, QWidget* parent = nullptr);

    void ClearAll();
    void LoadFromObject(const TPassField& field);
    void SaveToObject(TPassField& field) const;

private:
    QLineEdit* edtVorgabewert;
    QLineEdit* edtGroesse;
    QLineEdit* edtLaenge;
    QCheckBox* chkVorgabeLoeschen;
};
