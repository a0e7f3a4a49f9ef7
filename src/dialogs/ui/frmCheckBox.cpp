#include "dialogs/ui/frmCheckBox.h"

#include "base/LanguageTexts.h"
#include "fields/CheckBoxField.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCheckBox::TfrmCheckBox(const TFieldDialogContext& context, QWidget* parent)
    : TFieldDialog(context, "frmCheckBox", 249, QStringLiteral("CheckBox Feld"), parent)
{
    Frame("panelHeader", 249, QStringLiteral("CheckBox Feld"));
    QWidget* first = AddPage("TabSheet1", 16, QStringLiteral("Einstellungen"));
    auto* column = new QVBoxLayout(first);
    QGridLayout* grid =
        GroupGrid(first, column, "Feldeinstellungen", 231, QStringLiteral("Feldeinstellungen"));
    NameRow(grid, "Label2");
    edtBeschriftung =
        TextRow(grid, "Label5", 130, QStringLiteral("Beschriftung"), "edtBeschriftung", "btOpenBeschriftung");
    edtTextNach =
        TextRow(grid, "Label6", 235, QStringLiteral("Text nach Feld"), "edtTextNach", "btHtmlTextNachFeld");
    lblTextNach = grid->parentWidget()->findChild<QLabel*>(QStringLiteral("Label6"));
    btHtmlTextNachFeld = grid->parentWidget()->findChild<QPushButton*>(QStringLiteral("btHtmlTextNachFeld"));
    edtVorgabewert = TextRow(grid, "Label7", 236, QStringLiteral("Vorgabewert"), "edtVorgabewert");
    NoteRow(grid, "Label1", 274,
            QStringLiteral(
                "Dieser Wert wird übertragen, wenn die Box angekreuzt ist.\nBitte lassen Sie ihn nicht "
                "leer."));
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

void TfrmCheckBox::ClearAll()
{
    for (QLineEdit* edit : {edtName, edtBeschriftung, edtTextNach, edtMeldung})
        edit->clear();
    edtVorgabewert->setText(m_context.texts.Text(QStringLiteral("txtCheckbox3")));
    chkPflicht->setChecked(false);
    chkCookie->setChecked(false);
    feldNr = -1;
    ClearCondition();
    callFromCheckBoxList = false;
}

void TfrmCheckBox::LoadFromObject(const TCheckBoxField& field)
{
    LoadCommon(field);
    edtVorgabewert->setText(field.Vorgabewert);
}

void TfrmCheckBox::SaveToObject(TCheckBoxField& field) const
{
    SaveCommon(field);
    field.Vorgabewert = edtVorgabewert->text();
}

void TfrmCheckBox::ShowTextAfterField(bool shown)
{
    for (QWidget* w : {static_cast<QWidget*>(edtTextNach), lblTextNach, btHtmlTextNachFeld})
        w->setVisible(shown);
    // A box of a list follows the list's condition.
    OfferCondition(shown);
}

QString TfrmCheckBox::TypedName() const
{
    return edtName->text();
}
