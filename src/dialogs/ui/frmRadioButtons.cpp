#include "dialogs/ui/frmRadioButtons.h"

#include "fields/RadioField.h"

#include "ui/WidgetBuild.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

TfrmRadioButtons::TfrmRadioButtons(const TFieldDialogContext& context, QWidget* parent)
    : TFieldDialog(context, "frmRadioButtons", 45, QStringLiteral("Radio Buttons"), parent)
{
    Frame("panelHeader", 45, QStringLiteral("Radio Buttons"));
    QWidget* first = AddPage("TabSheet1", 16, QStringLiteral("Einstellungen"));
    auto* column = new QVBoxLayout(first);
    QGridLayout* grid =
        GroupGrid(first, column, "Feldeinstellungen", 231, QStringLiteral("Feldeinstellungen"));
    NameRow(grid, "Label5");
    edtBeschriftung =
        TextRow(grid, "Label6", 130, QStringLiteral("Beschriftung"), "edtBeschriftung", "btOpenBeschriftung");
    edtTextNach =
        TextRow(grid, "Label7", 235, QStringLiteral("Text nach Feld"), "edtTextNach", "btHtmlTextNachFeld");
    edtFelder = TextRow(grid, "lblMemoHeader", 255, QStringLiteral("Auswahl Werte"), "edtFelder");
    NoteRow(grid, "lblDesMemo", 257,
            QStringLiteral(
                "Bitte tragen Sie hier die  Werte die zur Auswahl stehen sollen ein. \nDie Werte müssen "
                "mit dem # Zeichen voneinander getrennt sein!"));
    RequiredGroup(first, column);
    column->addStretch(1);

    QWidget* second = AddPage("TabSheet2", 229, QStringLiteral("Erweitert"));
    auto* more = new QVBoxLayout(second);
    CookieRows(second, more);
    chkSingleLine =
        WidgetBuild::Check(second, "chkSingleLine", 264, QStringLiteral("Radio Buttons in einer Zeile"));
    more->addWidget(chkSingleLine);
    more->addStretch(1);
    AddButtons();
    ClearAll();
    Translate();
}

void TfrmRadioButtons::ClearAll()
{
    for (QLineEdit* edit : {edtName, edtBeschriftung, edtTextNach, edtFelder, edtMeldung})
        edit->clear();
    for (QCheckBox* box : {chkPflicht, chkCookie, chkSingleLine})
        box->setChecked(false);
    feldNr = -1;
    ClearCondition();
}

void TfrmRadioButtons::LoadFromObject(const TRadioField& field)
{
    LoadCommon(field);
    edtFelder->setText(field.Felder);
    chkSingleLine->setChecked(field.singleline);
}

void TfrmRadioButtons::SaveToObject(TRadioField& field) const
{
    SaveCommon(field);
    field.Felder = edtFelder->text();
    field.singleline = chkSingleLine->isChecked();
}
