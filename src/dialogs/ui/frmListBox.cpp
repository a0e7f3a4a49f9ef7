#include "dialogs/ui/frmListBox.h"

#include "fields/DropDownField.h"
#include "ui/WidgetBuild.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TfrmListBox::TfrmListBox(const TFieldDialogContext& context, QWidget* parent)
    : TFieldDialog(context, "frmListBox", 254, QStringLiteral("ListBox / Dropdown Feld"), parent)
{
    Frame("panelHeader", 254, QStringLiteral("ListBox / Dropdown-Feld"));
    QWidget* first = AddPage("TabSheet1", 16, QStringLiteral("Einstellungen"));
    auto* column = new QVBoxLayout(first);
    QGridLayout* grid =
        GroupGrid(first, column, "Feldeinstellungen", 231, QStringLiteral("Feldeinstellungen"));
    NameRow(grid, "Label2");
    edtBeschriftung =
        TextRow(grid, "Label5", 130, QStringLiteral("Beschriftung"), "edtBeschriftung", "btOpenBeschriftung");
    edtTextNach =
        TextRow(grid, "Label6", 235, QStringLiteral("Text nach Feld"), "edtTextNach", "btHtmlTextNachFeld");
    edtGroesse = TextRow(grid, "Label7", 84, QStringLiteral("Größe"), "edtGroesse");
    NoteRow(grid, "Label1", 256, QStringLiteral("1 für Dropdown-Feld"));
    edtFelder = TextRow(grid, "lblMemoHeader", 255, QStringLiteral("Auswahl Werte:"), "edtFelder");
    NoteRow(grid, "lblDesMemo", 257,
            QStringLiteral(
                "Bitte tragen Sie hier die  Werte die zur Auswahl stehen sollen ein. \nDie Werte müssen "
                "mit dem # Zeichen voneinander getrennt sein!"));
    RequiredGroup(first, column);
    column->addStretch(1);

    QWidget* second = AddPage("TabSheet2", 229, QStringLiteral("Erweitert"));
    auto* more = new QVBoxLayout(second);
    CookieRows(second, more);
    more->addStretch(1);
    AddButtons();
    ClearAll();
    Translate();
}

void TfrmListBox::ClearAll()
{
    for (QLineEdit* edit : {edtName, edtBeschriftung, edtTextNach, edtFelder, edtMeldung})
        edit->clear();
    edtGroesse->setText(QStringLiteral("5"));
    chkPflicht->setChecked(false);
    chkCookie->setChecked(false);
    feldNr = -1;
    ClearCondition();
}

void TfrmListBox::LoadFromObject(const TDropDownField& field)
{
    LoadCommon(field);
    edtGroesse->setText(field.Groesse);
    edtFelder->setText(field.Felder);
}

void TfrmListBox::SaveToObject(TDropDownField& field) const
{
    SaveCommon(field);
    field.Groesse = edtGroesse->text();
    field.Felder = edtFelder->text();
}
