#pragma once

#include "dialogs/ui/FieldDialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class TEinzField;

// Creates and edits a single-line text field. The main window keeps one for
// the whole run.
class TfrmEinzField : public TFieldDialog
{
    Q_OBJECT
public:
    TfrmEinzField(const TFieldDialogContext& context, QWidget* parent = nullptr);

    // Start values for a new field; the check kind and its minimum length
    // stay as they were, so the last choice is offered again.
    void ClearAll();
    void LoadFromObject(const TEinzField& field);
    void SaveToObject(TEinzField& field) const;

private:
    void ShowMinimumLength();

    QLineEdit* edtVorgabewert;
    QCheckBox* chkVorgabeLoeschen;
    QLineEdit* edtGroesse;
    QLineEdit* edtLaenge;
    QComboBox* cboCheckType;
    QLabel* lblMindestLaenge;
    QLineEdit* edtMindestLaenge;
    int m_unlistedCheckType = -1;
};
