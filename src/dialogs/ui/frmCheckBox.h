#pragma once

#include "dialogs/ui/FieldDialog.h"

class TCheckBoxField;

// Creates and edits a stand-alone check box for the main window, and the
// boxes of a check-box list for the list dialog; one for the whole run.
class TfrmCheckBox : public TFieldDialog
{
    Q_OBJECT
public:
    TfrmCheckBox(const TFieldDialogContext& context, QWidget* parent = nullptr);

    // Set while the dialog edits a box of a check-box list: the list dialog
    // then checks the name's uses itself. ClearAll resets it.
    bool callFromCheckBoxList = false;

    void ClearAll();
    void LoadFromObject(const TCheckBoxField& field);
    void SaveToObject(TCheckBoxField& field) const;
    // Boxes of a list have no text after the field and no condition of their
    // own (the list's holds for them).
    void ShowTextAfterField(bool shown);
    QString TypedName() const;

protected:
    bool ChecksNameUse() const override { return !callFromCheckBoxList; }

private:
    QWidget* lblTextNach;
    QWidget* btHtmlTextNachFeld;
    QLineEdit* edtVorgabewert;
};
