#pragma once

#include "dialogs/ui/FieldDialog.h"

class QPlainTextEdit;
class TZwField;

// Creates and edits an intermediate text: free markup between the rows. It
// has no name, and OK is always accepted. One for the whole run.
class TfrmZwText : public TFieldDialog
{
    Q_OBJECT
public:
    TfrmZwText(const TFieldDialogContext& context, QWidget* parent = nullptr);

    void ClearAll();
    void LoadFromObject(const TZwField& field);
    // The lines of the box joined with CR LF, as the page's lines end.
    void SaveToObject(TZwField& field) const;

protected:
    bool HasName() const override { return false; }

private:
    QPlainTextEdit* edtZwischentext;
};
