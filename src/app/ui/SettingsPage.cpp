#include "app/ui/SettingsPage.h"

#include "ui/TranslateInterface.h"
#include "ui/WidgetBuild.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

using namespace WidgetBuild;

namespace
{
QGroupBox* MailGroup(QWidget* page)
{
    QGroupBox* group = Group(page, "GroupBox2", 58, QStringLiteral("E-Mail Einstellungen"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(Label(group, "Label3", 61, QStringLiteral("Empfänger 1:")), 0, 0);
    grid->addWidget(Edit(group, "edtEMail"), 0, 1);
    grid->addWidget(Label(group, "Label22", 62, QStringLiteral("Empfänger 2:")), 1, 0);
    grid->addWidget(Edit(group, "edtEMail1"), 1, 1);
    grid->addWidget(Label(group, "Label23", 63, QStringLiteral("Empfänger 3:")), 2, 0);
    grid->addWidget(Edit(group, "edtEMail2"), 2, 1);
    grid->addWidget(
        Note(group, "Label20", 66, QStringLiteral("(an diese E-Mail-Adressen wird das Formular geschickt)")),
        3, 1);
    grid->addWidget(Label(group, "Label11", 64, QStringLiteral("Betreff der E-Mail:")), 4, 0);
    grid->addWidget(Edit(group, "edtBetreff"), 4, 1);
    grid->addWidget(Label(group, "Label36", 65, QStringLiteral("E-Mail Format:")), 5, 0);
    grid->addWidget(FixedList(group, "cboMailFormat",
                              {QStringLiteral("html"), QStringLiteral("plain"), QStringLiteral("xml")}),
                    5, 1, Qt::AlignLeft);
    grid->addWidget(Note(group, "Label37", 67,
                         QStringLiteral("html = HTML Format / plain = Nur Text Format / xml = XML-Format")),
                    6, 1);
    grid->addWidget(Check(group, "chkAbsender", 76, QStringLiteral("Kopie an Absender")), 7, 1);
    grid->addWidget(Check(group, "cbCryptAddr", 75, QStringLiteral("Adressen verschlüsseln")), 8, 1);
    grid->addWidget(Button(group, "btErwEinstellungen", 77, QStringLiteral("Erweiterte Einstellungen")), 9, 1,
                    Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(10, 1);
    return group;
}

QGroupBox* PageGroup(QWidget* page, QPushButton** testButton, QLineEdit** thanks)
{
    QGroupBox* group = Group(page, "GroupBox3", 59, QStringLiteral("Einstellungen HTML Seite"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(Label(group, "Label16", 68, QStringLiteral("Titel:")), 0, 0);
    grid->addWidget(Edit(group, "edtTitel"), 0, 1, 1, 2);
    grid->addWidget(Label(group, "Label14", 69, QStringLiteral("Danke Seite:")), 1, 0);
    *thanks = Edit(group, "edtDanke");
    grid->addWidget(*thanks, 1, 1);
    *testButton = Button(group, "btGOIP", 0, QStringLiteral("Test"));
    grid->addWidget(*testButton, 1, 2);
    grid->addWidget(Label(group, "Label17", 70, QStringLiteral("Breite Tabelle:")), 2, 0);
    QLineEdit* width = Edit(group, "edtTabWidth");
    width->setMaximumWidth(width->fontMetrics().horizontalAdvance(QStringLiteral("000000000000")) + 16);
    grid->addWidget(width, 2, 1, Qt::AlignLeft);
    grid->addWidget(
        Note(group, "Label18", 73,
             QStringLiteral("Tragen Sie hier die Breite der Tabelle ein, möglich sind Werte wie:\n"
                            "75 %   = Tabelle füllt immer 75% der Seite aus\n"
                            "650px = Tabelle ist genau 650 Pixel breit")),
        3, 1, 1, 2);
    grid->addWidget(Label(group, "Label39", 71, QStringLiteral("Ausrichtung Tabelle:")), 4, 0);
    QComboBox* align =
        FixedList(group, "cboTabAusrichtung",
                  {QStringLiteral("zentriert"), QStringLiteral("rechts"), QStringLiteral("links")});
    SetLangKey(align, 275);
    grid->addWidget(align, 4, 1, Qt::AlignLeft);
    grid->addWidget(Label(group, "Label43", 72, QStringLiteral("Ziel")), 5, 0);
    grid->addWidget(EditableList(group, "cboTarget",
                                 {QStringLiteral("_self"), QStringLiteral("_blank"), QStringLiteral("_top"),
                                  QStringLiteral("_parent")}),
                    5, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(6, 1);
    return group;
}

QGroupBox* FormMailerGroup(QWidget* page)
{
    QGroupBox* group = Group(page, "GroupBox4", 60, QStringLiteral("FormMailer Einstellungen"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(Label(group, "Label19", 74, QStringLiteral("Pfad zum FormMailer")), 0, 0, 1, 3);
    // The list is filled from the user's form-mailer list by the main window.
    grid->addWidget(EditableList(group, "cboFormMailer", {}), 1, 0);
    QPushButton* check = Button(group, "btCheckFormmail", 370, QStringLiteral("Link testen"));
    check->setFlat(true);
    check->setIcon(check->style()->standardIcon(QStyle::SP_CommandLink));
    grid->addWidget(check, 1, 1);
    grid->addWidget(Button(group, "btHelpFormmail", 22, QStringLiteral("Hilfe")), 1, 2);
    grid->setColumnStretch(0, 1);
    return group;
}
} // namespace

TSettingsPage::TSettingsPage(QWidget* parent) : TLazyPage(parent)
{
    setObjectName(QStringLiteral("TabSheet3"));
}

void TSettingsPage::Build()
{
    QPushButton* test = nullptr;
    QLineEdit* thanks = nullptr;
    auto* grid = new QGridLayout(this);
    grid->addWidget(MailGroup(this), 0, 0, 2, 1);
    grid->addWidget(PageGroup(this, &test, &thanks), 0, 1);
    grid->addWidget(FormMailerGroup(this), 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    connect(test, &QPushButton::clicked, this, [this, thanks] { emit TestThanksPage(thanks->text()); });
}
