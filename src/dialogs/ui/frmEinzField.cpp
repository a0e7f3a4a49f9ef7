#include "dialogs/ui/frmEinzField.h"

#include "fields/EinzField.h"
#include "ui/TranslateInterface.h"
#include "ui/WidgetBuild.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

using namespace WidgetBuild;

TfrmEinzField::TfrmEinzField(const TFieldDialogContext& context, QWidget* parent)
    : TFieldDialog(context, "frmEinzField", 39, QStringLiteral("Einzeiliges Feld"), parent)
{
    Frame("panelHeader", 39, QStringLiteral("Einzeiliges Textfeld"));
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
    chkVorgabeLoeschen =
        CheckRow(grid, "chkVorgabeLoeschen", 237, QStringLiteral("Vorgabewert löschen beim bearbeiten?"));
    edtGroesse = TextRow(grid, "Label9", 84, QStringLiteral("Größe"), "edtGroesse");
    edtLaenge = TextRow(grid, "Label10", 263, QStringLiteral("max. Länge"), "edtLaenge");

    QGridLayout* check = GroupGrid(first, column, "GroupBox1", 232, QStringLiteral("Überprüfung"));
    chkPflicht = CheckRow(check, "chkPflicht", 233, QStringLiteral("Pflichtfeld"));
    int row = check->rowCount();
    check->addWidget(Label(check->parentWidget(), "Label1", 266, QStringLiteral("Überprüfung auf:")), row, 0);
    cboCheckType = FixedList(check->parentWidget(), "cboCheckType",
                             {QStringLiteral("Eingabe"), QStringLiteral("E-Mail"), QStringLiteral("Zahl"),
                              QStringLiteral("Mindestlänge")});
    SetLangKey(cboCheckType, 267);
    cboCheckType->setCurrentIndex(-1);
    check->addWidget(cboCheckType, row, 1);
    row = check->rowCount();
    lblMindestLaenge = Label(check->parentWidget(), "lblMindestLaenge", 265, QStringLiteral("Mindestlänge:"));
    check->addWidget(lblMindestLaenge, row, 0);
    edtMindestLaenge = Edit(check->parentWidget(), "edtMindestLaenge");
    edtMindestLaenge->setMaxLength(3);
    // Digits only, typed or pasted; deleting them stays possible.
    edtMindestLaenge->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), edtMindestLaenge));
    edtMindestLaenge->setText(QStringLiteral("0"));
    edtMindestLaenge->setMaximumWidth(
        edtMindestLaenge->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    check->addWidget(edtMindestLaenge, row, 1, Qt::AlignLeft);
    row = check->rowCount();
    check->addWidget(Label(check->parentWidget(), "Label2", 56, QStringLiteral("Fehlermeldung:")), row, 0);
    edtMeldung = Edit(check->parentWidget(), "edtMeldung");
    check->addWidget(edtMeldung, row, 1, 1, 2);
    NoteRow(check, "Label3", 234, MessageHint());
    column->addStretch(1);

    QWidget* second = AddPage("TabSheet2", 229, QStringLiteral("Erweitert"));
    auto* more = new QVBoxLayout(second);
    CookieRows(second, more);
    more->addStretch(1);
    AddButtons();

    connect(cboCheckType, &QComboBox::currentIndexChanged, this, &TfrmEinzField::ShowMinimumLength);
    ShowMinimumLength();
    ClearAll();
    Translate();
}

void TfrmEinzField::ShowMinimumLength()
{
    const bool shown = cboCheckType->currentIndex() == 3;
    lblMindestLaenge->setVisible(shown);
    edtMindestLaenge->setVisible(shown);
}

void TfrmEinzField::ClearAll()
{
    for (QLineEdit* edit : {edtName, edtBeschriftung, edtVorgabewert, edtTextNach, edtMeldung})
        edit->clear();
    edtGroesse->setText(QStringLiteral("15"));
    edtLaenge->setText(QStringLiteral("100"));
    for (QCheckBox* box : {chkPflicht, chkCookie, chkVorgabeLoeschen})
        box->setChecked(false);
    feldNr = -1;
    ClearCondition();
    m_unlistedCheckType = -1;
}

void TfrmEinzField::LoadFromObject(const TEinzField& field)
{
    LoadCommon(field);
    edtVorgabewert->setText(field.Vorgabewert);
    edtGroesse->setText(field.Groesse);
    edtLaenge->setText(field.maxLaenge);
    chkVorgabeLoeschen->setChecked(field.VorgabeLoeschen);
    const bool listed = field.PflichtFeldTyp >= 0 && field.PflichtFeldTyp <= 3;
    cboCheckType->setCurrentIndex(listed ? field.PflichtFeldTyp : -1);
    // A kind the list does not show (from a file) is kept unless another is chosen.
    m_unlistedCheckType = listed ? -1 : field.PflichtFeldTyp;
    edtMindestLaenge->setText(QString::number(field.MinPflichtLaenge));
    ShowMinimumLength();
}

void TfrmEinzField::SaveToObject(TEinzField& field) const
{
    SaveCommon(field);
    field.Vorgabewert = edtVorgabewert->text();
    field.Groesse = edtGroesse->text();
    field.maxLaenge = edtLaenge->text();
    field.VorgabeLoeschen = chkVorgabeLoeschen->isChecked();
    field.PflichtFeldTyp =
        cboCheckType->currentIndex() >= 0 ? cboCheckType->currentIndex() : m_unlistedCheckType;
    // An emptied box counts as no minimum rather than failing after the
    // dialog has closed.
    field.MinPflichtLaenge = edtMindestLaenge->text().toInt();
}
