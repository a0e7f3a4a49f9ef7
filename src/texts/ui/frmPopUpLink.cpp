#include "texts/ui/frmPopUpLink.h"

#include "texts/LinkFragments.h"
#include "texts/ui/LinkType.h"
#include "ui/TranslateInterface.h"
#include "ui/WidgetBuild.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

using namespace WidgetBuild;

namespace
{
// Pixels on a screen: no sign, no fraction, and few enough digits for
// LinkFragments::WholeNumber.
QLineEdit* PixelEdit(QWidget* parent, const char* name, const QString& value)
{
    QLineEdit* edit = Edit(parent, name);
    // Digits only: an integer validator would also take the locale's group
    // separator, and "1,000" would end the window's feature list early.
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,5}")), edit));
    edit->setText(value);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 16);
    return edit;
}

int Number(const QLineEdit* edit)
{
    return LinkFragments::WholeNumber(edit->text()).value_or(0);
}
} // namespace

TfrmPopUpLink::TfrmPopUpLink(const TLanguageTexts& texts, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPopUpLink"));
    setWindowTitle(QStringLiteral("PopUp-Link einfügen"));
    SetLangKey(this, 194);

    QGroupBox* link = Group(this, "GroupBox1", 194, QStringLiteral("PopUP-Link einfügen"));
    auto* form = new QFormLayout(link);
    m_url = Edit(link, "edtURL");
    m_url->setText(QStringLiteral("http://"));
    m_url->setMinimumWidth(m_url->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 40);
    form->addRow(Label(link, "Label1", 190, QStringLiteral("URL:")), m_url);
    m_type = LinkType::TypeList(link);
    form->addRow(Label(link, "Label3", 191, QStringLiteral("Typ:")), m_type);
    QLabel* textLabel = Label(link, "lblText", 192, QStringLiteral("Linktext:"));
    m_linkText = Edit(link, "edtLinkText");
    form->addRow(textLabel, m_linkText);
    m_height = PixelEdit(link, "edtHoehe", QStringLiteral("400"));
    form->addRow(Label(link, "Label2", 195, QStringLiteral("Höhe:")), m_height);
    m_width = PixelEdit(link, "edtBreite", QStringLiteral("500"));
    form->addRow(Label(link, "Label4", 196, QStringLiteral("Breite:")), m_width);
    m_menuBar = Check(link, "chkShowMenuBar", 197, QStringLiteral("Menüzeile anzeigen"));
    m_hotkeys = Check(link, "chkTastaturBefehle", 198, QStringLiteral("Tastaturbefehle aktivieren"));
    m_addressBar = Check(link, "chkAdresszeile", 199, QStringLiteral("Adresszeile anzeigen"));
    m_resizable = Check(link, "chkFenstergroesse", 200, QStringLiteral("Fenstergröße veränderbar"));
    m_statusBar = Check(link, "chkStatusBar", 201, QStringLiteral("Statuszeile anzeigen"));
    for (QCheckBox* box : {m_menuBar, m_hotkeys, m_addressBar, m_resizable, m_statusBar})
        form->addRow(box);

    QGroupBox* position = Group(this, "GroupBox2", 202, QStringLiteral("Position des PopUps"));
    auto* place = new QFormLayout(position);
    m_setPosition = Check(position, "chkSetPosition", 203, QStringLiteral("eigene Position setzen"));
    place->addRow(m_setPosition);
    m_top = PixelEdit(position, "edtTop", QStringLiteral("100"));
    place->addRow(Label(position, "Label5", 204, QStringLiteral("Abstand oberer Bildschirmrand:")), m_top);
    m_left = PixelEdit(position, "edtLeft", QStringLiteral("100"));
    place->addRow(Label(position, "Label6", 205, QStringLiteral("Abstand linker Bildschirmrand:")), m_left);

    QDialogButtonBox* buttons = OkCancel(this);
    m_ok = findChild<QPushButton*>(QStringLiteral("btOK"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(link);
    layout->addWidget(position);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // An emptied size box would give the window no size: OK waits for a
    // number in every box that the link uses.
    for (QLineEdit* edit : {m_height, m_width, m_top, m_left})
        connect(edit, &QLineEdit::textChanged, this, &TfrmPopUpLink::UpdateOk);
    connect(m_setPosition, &QCheckBox::toggled, this, &TfrmPopUpLink::UpdateOk);

    LinkType::FollowType(m_type, textLabel, texts);
    TranslateWindow(this, texts);
}

bool TfrmPopUpLink::HasNumbers() const
{
    auto number = [](const QLineEdit* edit) { return LinkFragments::WholeNumber(edit->text()).has_value(); };
    return number(m_width) && number(m_height) &&
           (!m_setPosition->isChecked() || (number(m_top) && number(m_left)));
}

void TfrmPopUpLink::UpdateOk()
{
    m_ok->setEnabled(HasNumbers());
}

QString TfrmPopUpLink::Fragment() const
{
    if (!HasNumbers())
        return QString();
    LinkFragments::TPopupLinkValues values;
    values.url = m_url->text();
    values.picture = LinkType::IsPicture(m_type);
    values.linkText = m_linkText->text();
    values.width = Number(m_width);
    values.height = Number(m_height);
    values.hotkeys = m_hotkeys->isChecked();
    values.menubar = m_menuBar->isChecked();
    values.locationbar = m_addressBar->isChecked();
    values.resizeable = m_resizable->isChecked();
    values.status = m_statusBar->isChecked();
    values.setPosition = m_setPosition->isChecked();
    values.left = Number(m_left);
    values.top = Number(m_top);
    return LinkFragments::PopupLink(values);
}
