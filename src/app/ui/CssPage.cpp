#include "app/ui/CssPage.h"

#include "ui/ColorButton.h"
#include "ui/WidgetBuild.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace WidgetBuild;

namespace
{
QLineEdit* ColourBox(QWidget* parent, const char* name)
{
    QLineEdit* box = Edit(parent, name);
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("DDDDDDDD")) + 16);
    return box;
}

// Background, colour, border style, border width and unit: the rows that
// the button panel and the field panel share.
void StyleRows(QGridLayout* grid, QWidget* panel, const char* const names[8])
{
    grid->addWidget(Label(panel, names[0], 88, QStringLiteral("Hintergrund:")), 0, 0);
    grid->addWidget(ColourBox(panel, names[1]), 0, 1);
    grid->addWidget(new TColorButton(QString::fromLatin1(names[2]), panel), 0, 2);
    grid->addWidget(Label(panel, names[3], 98, QStringLiteral("Farbe:")), 1, 0);
    grid->addWidget(ColourBox(panel, names[4]), 1, 1);
    grid->addWidget(new TColorButton(QString::fromLatin1(names[5]), panel), 1, 2);
    grid->addWidget(Label(panel, names[6], 99, QStringLiteral("Rahmen:")), 2, 0);
    grid->addWidget(EditableList(panel, names[7], BorderStyles()), 2, 1, 1, 2);
}
} // namespace

TCssPage::TCssPage(QWidget* parent) : TLazyPage(parent)
{
    setObjectName(QStringLiteral("TabSheet1"));
}

void TCssPage::Build()
{
    auto* page = new QVBoxLayout(this);
    page->addWidget(Heading(this, "Panel4", 111, QStringLiteral("CSS Einstellungen")));
    auto* columns = new QHBoxLayout;
    page->addLayout(columns, 1);
    columns->addWidget(ButtonGroup(), 1, Qt::AlignTop);
    columns->addWidget(FieldGroup(), 1, Qt::AlignTop);

    connect(m_standardButton, &QCheckBox::toggled, this, &TCssPage::UpdateSwitches);
    connect(m_standardField, &QCheckBox::toggled, this, &TCssPage::UpdateSwitches);
    connect(m_printButton, &QCheckBox::toggled, this, &TCssPage::UpdateSwitches);
    UpdateSwitches();
}

QWidget* TCssPage::ButtonGroup()
{
    QGroupBox* group = Group(this, "GroupBox5", 96, QStringLiteral("Einstellungen Button"));
    auto* column = new QVBoxLayout(group);
    m_standardButton = Check(group, "cboStandardButton", 97, QStringLiteral("Standarddesign?"));
    column->addWidget(m_standardButton);

    m_buttonDesign = new QWidget(group);
    m_buttonDesign->setObjectName(QStringLiteral("pButtonDesign"));
    auto* grid = new QGridLayout(m_buttonDesign);
    grid->setContentsMargins(0, 0, 0, 0);
    static const char* const names[8] = {"Label24", "edtHintergrundButton", "cboColorHGButton",
                                         "Label25", "edtFarbeButton",       "cboButtonColor",
                                         "Label26", "cboRahmenButton"};
    StyleRows(grid, m_buttonDesign, names);
    grid->addWidget(Label(m_buttonDesign, "Label27", 100, QStringLiteral("Stärke:")), 3, 0);
    grid->addWidget(SizeEdit(m_buttonDesign, "edtStaerkeButton"), 3, 1);
    grid->addWidget(EditableList(m_buttonDesign, "cboStaerkeRahmen", LengthUnits()), 3, 2);
    grid->setColumnStretch(3, 1);
    column->addWidget(m_buttonDesign);

    QGroupBox* captions = Group(group, "GroupBox7", 101, QStringLiteral("Button Beschriftungen"));
    auto* rows = new QGridLayout(captions);
    rows->addWidget(Label(captions, "Label28", 102, QStringLiteral("Senden:")), 0, 1);
    rows->addWidget(Edit(captions, "edtSendenButton"), 0, 2);
    rows->addWidget(Check(captions, "chkResetButton", 0, QString()), 1, 0);
    rows->addWidget(Label(captions, "Label29", 103, QStringLiteral("Zurücksetzen:")), 1, 1);
    rows->addWidget(Edit(captions, "edtCancelButton"), 1, 2);
    m_printButton = Check(captions, "chkPrintButton", 0, QString());
    rows->addWidget(m_printButton, 2, 0);
    rows->addWidget(Label(captions, "Label38", 104, QStringLiteral("Drucken:")), 2, 1);
    m_print = Edit(captions, "edtPrint");
    rows->addWidget(m_print, 2, 2);
    rows->setColumnStretch(2, 1);
    column->addWidget(captions);
    return group;
}

QWidget* TCssPage::FieldGroup()
{
    QGroupBox* group = Group(this, "GroupBox6", 110, QStringLiteral("Einstellungen Formularfeld"));
    auto* column = new QVBoxLayout(group);
    m_standardField = Check(group, "cboStandardFeld", 97, QStringLiteral("Standarddesign?"));
    column->addWidget(m_standardField);

    m_fieldDesign = new QWidget(group);
    m_fieldDesign->setObjectName(QStringLiteral("pCSSFormularfeld"));
    auto* panel = new QVBoxLayout(m_fieldDesign);
    panel->setContentsMargins(0, 0, 0, 0);
    auto* grid = new QGridLayout;
    panel->addLayout(grid);
    static const char* const names[8] = {"Label30", "edtHGFormField",    "cboHGFormField",
                                         "Label31", "edtColorFormField", "cboColorFormField",
                                         "Label32", "edtRahmenFormField"};
    StyleRows(grid, m_fieldDesign, names);
    grid->addWidget(Label(m_fieldDesign, "Label33", 100, QStringLiteral("Stärke:")), 3, 0);
    grid->addWidget(SizeEdit(m_fieldDesign, "edtStaerkeFormField"), 3, 1);
    grid->addWidget(EditableList(m_fieldDesign, "cboRahmenFormField", LengthUnits()), 3, 2);
    grid->setColumnStretch(3, 1);

    QGroupBox* font = Group(m_fieldDesign, "GroupBox8", 108, QStringLiteral("Schrifteinstellungen"));
    auto* rows = new QGridLayout(font);
    rows->addWidget(Label(font, "Label34", 109, QStringLiteral("Schriftart:")), 0, 0);
    rows->addWidget(EditableList(font, "cboFontFormField", FontSuggestions()), 0, 1, 1, 3);
    rows->addWidget(Label(font, "Label35", 84, QStringLiteral("Grösse:")), 1, 0);
    rows->addWidget(SizeEdit(font, "edtSizeFormField"), 1, 1);
    rows->addWidget(EditableList(font, "cboSchriftFormEinheit", LengthUnits()), 1, 2);
    rows->addWidget(Label(font, "Label46", 188, QStringLiteral("Schriftfarbe:")), 2, 0);
    rows->addWidget(ColourBox(font, "edtFontColorFormField"), 2, 1);
    rows->addWidget(new TColorButton(QStringLiteral("colorButtonFormField"), font), 2, 2);
    rows->setColumnStretch(3, 1);
    panel->addWidget(font);
    column->addWidget(m_fieldDesign);
    return group;
}

void TCssPage::UpdateSwitches()
{
    if (!IsBuilt())
        return; // the page brings its panels in line when it is made
    m_buttonDesign->setHidden(m_standardButton->isChecked());
    m_fieldDesign->setHidden(m_standardField->isChecked());
    m_print->setHidden(!m_printButton->isChecked());
}
