#include "dialogs/ui/frmMehrzField.h"

#include "base/LanguageTexts.h"
#include "fields/MehrzField.h"
#include "ui/WidgetBuild.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TfrmMehrzField::TfrmMehrzField(const TFieldDialogContext& context, QWidget* parent)
    : TFieldDialog(context, "frmMehrzField", 41, QStringLiteral("Mehrzeiliges Textfeld"), parent)
{
    Frame("panelHeader", 41, QStringLiteral("Mehrzeiliges Textfeld"));
    QWidget* first = AddPage("TabSheet1", 16, QStringLiteral("Einstellungen"));
    auto* column = new QVBoxLayout(first);
    QGridLayout* grid =
        GroupGrid(first, column, "Feldeinstellungen", 231, QStringLiteral("Feldeinstellungen"));
    NameRow(grid, "Label5");
    edtBeschriftung =
        TextRow(grid, "Label6", 130, QStringLiteral("Beschriftung"), "edtBeschriftung", "btOpenBeschriftung");
    edtTextNach =
        TextRow(grid, "Label7", 235, QStringLiteral("Text nach Feld"), "edtTextNach", "btHtmlTextNachFeld");
    // The default of a multi-line field may have several lines.
    {
        const int row = grid->rowCount();
        grid->addWidget(
            WidgetBuild::Label(grid->parentWidget(), "Label8", 236, QStringLiteral("Vorgabewert")), row, 0,
            Qt::AlignTop);
        edtVorgabewert = WidgetBuild::Memo(grid->parentWidget(), "edtVorgabewert");
        edtVorgabewert->setFixedHeight(edtVorgabewert->fontMetrics().lineSpacing() * 3 + 12);
        grid->addWidget(edtVorgabewert, row, 1);
    }
    chkVorgabeLoeschen =
        CheckRow(grid, "chkVorgabeLoeschen", 237, QStringLiteral("Vorgabewert löschen beim bearbeiten?"));
    edtHoehe = TextRow(grid, "Label9", 195, QStringLiteral("Höhe"), "edtHoehe");
    edtBreite = TextRow(grid, "Label10", 196, QStringLiteral("Breite"), "edtBreite");
    RequiredGroup(first, column);
    column->addStretch(1);

    QWidget* second = AddPage("TabSheet2", 229, QStringLiteral("Erweitert"));
    auto* more = new QVBoxLayout(second);
    QGridLayout* limit = GroupGrid(second, more, "GroupBox2", 259, QStringLiteral("Zeichenbegrenzung"));
    edtMaxZeichen = TextRow(limit, "Label11", 260, QStringLiteral("Anzahl der Zeichen"), "edtMaxZeichen");
    NoteRow(limit, "Label1", 262, QStringLiteral("*leer für keine Begrenzung"));
    chkZeichenUebrig =
        CheckRow(limit, "chkZeichenUebrig", 261, QStringLiteral("Anzeige verbleibender Zeichen"));
    edtZeichenUebrig = TextRow(limit, "Label2", 130, QStringLiteral("Beschriftung"), "edtZeichenUebrig");
    CookieRows(second, more);
    more->addStretch(1);
    AddButtons();
    ClearAll();
    Translate();
}

void TfrmMehrzField::ClearAll()
{
    for (QLineEdit* edit : {edtName, edtBeschriftung, edtTextNach, edtMeldung, edtMaxZeichen})
        edit->clear();
    edtVorgabewert->clear();
    edtHoehe->setText(QStringLiteral("5"));
    edtBreite->setText(QStringLiteral("40"));
    edtZeichenUebrig->setText(m_context.texts.Text(QStringLiteral("txtMultiline0")));
    for (QCheckBox* box : {chkVorgabeLoeschen, chkPflicht, chkZeichenUebrig, chkCookie})
        box->setChecked(false);
    feldNr = -1;
    ClearCondition();
}

void TfrmMehrzField::LoadFromObject(const TMehrzField& field)
{
    LoadCommon(field);
    edtVorgabewert->setPlainText(ToBox(field.Vorgabewert));
    chkVorgabeLoeschen->setChecked(field.VorgabeLoeschen);
    edtHoehe->setText(field.Hoehe);
    edtBreite->setText(field.Breite);
    edtMaxZeichen->setText(field.maxLaenge);
    chkZeichenUebrig->setChecked(field.zeichenAnzeige);
    edtZeichenUebrig->setText(field.zeichenAnzeigeText);
}

void TfrmMehrzField::SaveToObject(TMehrzField& field) const
{
    SaveCommon(field);
    field.Vorgabewert = FromBox(edtVorgabewert->toPlainText());
    field.VorgabeLoeschen = chkVorgabeLoeschen->isChecked();
    field.Hoehe = edtHoehe->text();
    field.Breite = edtBreite->text();
    field.maxLaenge = edtMaxZeichen->text();
    field.zeichenAnzeige = chkZeichenUebrig->isChecked();
    field.zeichenAnzeigeText = edtZeichenUebrig->text();
}
