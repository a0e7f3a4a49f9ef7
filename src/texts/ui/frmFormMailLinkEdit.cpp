#include "texts/ui/frmFormMailLinkEdit.h"

#include "texts/ui/TestFormMailer.h"
#include "ui/TranslateInterface.h"
#include "ui/WidgetBuild.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

using namespace WidgetBuild;

TfrmFormMailLinkEdit::TfrmFormMailLinkEdit(const TLanguageTexts& texts, Prompter& prompter, TUrlOpener opener,
                                           QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmFormMailLinkEdit"));
    SetLangKey(this, 157);
    setWindowTitle(QStringLiteral("Formmailer-Link bearbeiten"));

    QGroupBox* group = Group(this, "GroupBox1", 157, QStringLiteral("Formmailer-Link bearbeiten"));
    auto* grid = new QGridLayout(group);
    QLabel* label = Label(group, "Label1", 158, QStringLiteral("Link:"));
    edtFormmailLink = Edit(group, "edtFormmailLink");
    edtFormmailLink->setText(QStringLiteral("http://"));
    edtFormmailLink->setMinimumWidth(edtFormmailLink->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 56);
    label->setBuddy(edtFormmailLink);
    QPushButton* check = Button(group, "btCheckFormmail", 370, QStringLiteral("Link testen"));
    check->setFlat(true);
    check->setIcon(check->style()->standardIcon(QStyle::SP_CommandLink));
    check->setAutoDefault(false);
    grid->addWidget(label, 0, 0);
    grid->addWidget(edtFormmailLink, 0, 1);
    grid->addWidget(check, 0, 2);
    connect(check, &QPushButton::clicked, this, [this, &texts, &prompter, opener = std::move(opener)] {
        TestFormMailer(edtFormmailLink->text(), texts, prompter, opener);
    });

    QDialogButtonBox* buttons = OkCancel(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    // A fixed dialog frame.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    TranslateWindow(this, texts);
}

QString TfrmFormMailLinkEdit::Link() const
{
    return edtFormmailLink->text();
}

void TfrmFormMailLinkEdit::SetLink(const QString& link)
{
    edtFormmailLink->setText(link);
}
