#pragma once

#include "dialogs/ui/FieldDialog.h"

class QPlainTextEdit;
class TMehrzField;

// Creates and edits a multi-line text field; one for the whole run.
class TfrmMehrzField : public TFieldDialog
{
    Q_OBJECT
public:
    TfrmMehrzField(const TFieldDialogContext& context, QWidget* parent = nullptr);

    void ClearAll();
    void LoadFromObject(const TMehrzField& field);
    void SaveToObject(TMehrzField& field) const;

private:
    QPlainTextEdit* edtVorgabewert;
    QCheckBox* chkVorgabeLoeschen;
    QLineEdit* edtHoehe;
    QLineEdit* edtBreite;
    QLineEdit* edtMaxZeichen;
    QCheckBox* chkZeichenUebrig;
    QLineEdit* edtZeichenUebrig;
};
