#include "texts/ui/frmLinkEdit.h"

#include "texts/LinkFragments.h"
#include "texts/ui/LinkType.h"
#include "ui/TranslateInterface.h"
#include "ui/WidgetBuild.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace WidgetBuild;

TfrmLinkEdit::TfrmLinkEdit(const TLanguageTexts& texts, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLinkEdit"));
    setWindowTitle(QStringLiteral("Link einfügen"));
    SetLangKey(this, 189);

    QGroupBox* group = Group(this, "GroupBox1", 189, QStringLiteral("Link einfügen"));
    auto* form = new QFormLayout(group);
    m_url = Edit(group, "edtURL");
    m_url->setText(QStringLiteral("http://"));
    m_url->setMinimumWidth(m_url->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 40);
    form->addRow(Label(group, "Label1", 190, QStringLiteral("URL:")), m_url);
    m_target = EditableList(group, "cboTarget",
                            {QStringLiteral("_self"), QStringLiteral("_blank"), QStringLiteral("_top"),
                             QStringLiteral("_parent")});
    form->addRow(Label(group, "Label2", 72, QStringLiteral("Ziel:")), m_target);
    m_type = LinkType::TypeList(group);
    form->addRow(Label(group, "Label3", 191, QStringLiteral("Typ:")), m_type);
    m_textLabel = Label(group, "lblText", 192, QStringLiteral("Linktext:"));
    m_linkText = Edit(group, "edtLinkText");
    form->addRow(m_textLabel, m_linkText);

    QDialogButtonBox* buttons = OkCancel(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    // A fixed dialog frame: the size the controls need, not resizable.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    LinkType::FollowType(m_type, m_textLabel, texts);
    TranslateWindow(this, texts);
}

QString TfrmLinkEdit::Fragment() const
{
    LinkFragments::THyperlinkValues values;
    values.url = m_url->text();
    values.target = m_target->currentText();
    values.picture = LinkType::IsPicture(m_type);
    values.linkText = m_linkText->text();
    return LinkFragments::Hyperlink(values);
}
