#include "dialogs/ui/frmPassField.h"

#include "fields/PassField.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

TfrmPassField::TfrmPassField(const TFieldDialogContext& context, QWidget* parent)
    : TFieldDialog(context, "frmPassField", 40, QStringLiteral("Passwort Textfeld"), parent)
{
    Frame("panelHeader", 40, QStringLiteral("Passwort Textfeld"));
    QWidget* first = AddPage("TabSheet1", 16, QStringLiteral("Einstellungen"));
    auto* column = new QVBoxLayout(first);
    QGridLayout* grid =
        GroupGrid(first, column, "Feldeinstellungen", 231, QStringLiteral("Feldeinstellungen"));
    NameRow(grid, "Label5");
    edtBeschriftung =
        TextRow(grid, "Label6", 130, QStringLiteral("Beschriftung"), "edtBeschriftung", "btOpenBeschriftung");
    edtTextNach =
        TextRow(grid, "Label7", 235, QStringLiteral("Text nach Feld"), "edtTextNach", "btHtmlTextNachFeld");
    edtVorgabewert = TextRow(grid, "Label8", 236, QStringLiteral("Vorgabewert"), "edtVorgabewert");
    edtGroesse = TextRow(grid, "Label1", 84, QStringLiteral("Größe"), "edtGroesse");
    edtLaenge = TextRow(grid, "Label2", 263, QStringLiteral("max. Länge"), "edtLaenge");
    chkVorgabeLoeschen =
        CheckRow(grid, "chkVorgabeLoeschen", 237, QStringLiteral("Vorgabewert löschen beim bearbeiten?"));
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

void TfrmPassField::ClearAll()
{
    for (QLineEdit* edit : {edtName, edtBeschriftung, edtTextNach, edtVorgabewert, edtMeldung})
        edit->clear();
    edtGroesse->setText(QStringLiteral("15"));
    edtLaenge->setText(QStringLiteral("100"));
    for (QCheckBox* box : {chkVorgabeLoeschen, chkPflicht, chkCookie})
        box->setChecked(false);
    feldNr = -1;
    ClearCondition();
}

void TfrmPassField::LoadFromObject(const TPassField& field)
{
    LoadCommon(field);
    edtVorgabewert->setText(field.Vorgabewert);
    edtGroesse->setText(field.Groesse);
    edtLaenge->setText(field.maxLaenge);
    chkVorgabeLoeschen->setChecked(field.VorgabeLoeschen);
}

void TfrmPassField::SaveToObject(TPassField& field) const
{
    SaveCommon(field);
    field.Vorgabewert = edtVorgabewert->text();
    field.Groesse = edtGroesse->text();
    field.maxLaenge = edtLaenge->text();
    field.VorgabeLoeschen = chkVorgabeLoeschen->isChecked();
}
