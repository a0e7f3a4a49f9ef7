#include "dialogs/ui/frmFileUpload.h"

#include "fields/FileField.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

TfrmFileUpload::TfrmFileUpload(const TFieldDialogContext& context, QWidget* parent)
    : TFieldDialog(context, "frmFileUpload", 258, QStringLiteral("Datei-Upload-Feld"), parent)
{
    QVBoxLayout* body = Frame("panelHeader", 258, QStringLiteral("Datei-Upload-Feld"));
    QGridLayout* grid = GroupGrid(this, body, "Feldeinstellungen", 231, QStringLiteral("Feldeinstellungen"));
    NameRow(grid, "Label2");
    edtBeschriftung =
        TextRow(grid, "Label5", 130, QStringLiteral("Beschriftung"), "edtBeschriftung", "btOpenBeschriftung");
    edtTextNach =
        TextRow(grid, "Label6", 235, QStringLiteral("Text nach Feld"), "edtTextNach", "btHtmlTextNachFeld");
    edtGroesse = TextRow(grid, "Label7", 84, QStringLiteral("Größe"), "edtGroesse");
    RequiredGroup(this, body);
    body->addStretch(1);
    AddButtons();
    ClearAll();
    Translate();
}

void TfrmFileUpload::ClearAll()
{
    for (QLineEdit* edit : {edtName, edtBeschriftung, edtMeldung})
        edit->clear();
    edtGroesse->setText(QStringLiteral("15"));
    chkPflicht->setChecked(false);
    feldNr = -1;
    ClearCondition();
}

void TfrmFileUpload::LoadFromObject(const TFileField& field)
{
    LoadCommon(field);
    edtGroesse->setText(field.Groesse);
}

void TfrmFileUpload::SaveToObject(TFileField& field) const
{
    SaveCommon(field);
    field.Groesse = edtGroesse->text();
}
