#include "app/ui/frmProgramSet.h"

#include "app/ProgramSettings.h"
#include "base/LanguageTexts.h"
#include "base/Prompter.h"
#include "ui/TranslateInterface.h"
#include "ui/WidgetBuild.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace WidgetBuild;

TfrmProgramSet::TfrmProgramSet(TProgramSettings& settings, const TLanguageTexts& texts, Prompter& prompter,
                               QWidget* parent)
    : QDialog(parent), m_settings(settings), m_texts(texts), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmProgramSet"));
    SetLangKey(this, 269);
    setWindowTitle(QStringLiteral("Programmeinstellungen"));

    auto* form = new QFormLayout;
    CmbLanguage = FixedList(this, "CmbLanguage", {});
    CmbLanguage->setMinimumWidth(CmbLanguage->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 24);
    QLabel* language = Label(this, "Label1", 270, QStringLiteral("Sprache"));
    language->setBuddy(CmbLanguage);
    form->addRow(language, CmbLanguage);
    edtNumLastUsed = new QSpinBox(this);
    edtNumLastUsed->setObjectName(QStringLiteral("edtNumLastUsed"));
    edtNumLastUsed->setRange(TProgramSettings::MinNumLastUsed, TProgramSettings::MaxNumLastUsed);
    edtNumLastUsed->setValue(TProgramSettings::DefaultNumLastUsed);
    QLabel* count = Label(this, "Label2", 271, QStringLiteral("Anzahl \"Zuletzt verwendet\""));
    count->setBuddy(edtNumLastUsed);
    form->addRow(count, edtNumLastUsed);

    QDialogButtonBox* buttons = OkCancel(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    TranslateWindow(this, texts);
    Fill();
}

void TfrmProgramSet::Fill()
{
    CmbLanguage->clear();
    CmbLanguage->addItems(m_settings.LanguageList());
    const QString current = m_settings.Language();
    int chosen = -1;
    for (int i = 0; i < CmbLanguage->count() && chosen < 0; ++i)
        if (CmbLanguage->itemText(i).compare(current, Qt::CaseInsensitive) == 0)
            chosen = i;
    CmbLanguage->setCurrentIndex(chosen);
    edtNumLastUsed->setValue(m_settings.NumLastUsed());
}

void TfrmProgramSet::showEvent(QShowEvent* event)
{
    Fill();
    QDialog::showEvent(event);
}

void TfrmProgramSet::accept()
{
    std::optional<QString> language;
    if (CmbLanguage->currentIndex() >= 0)
        language = CmbLanguage->currentText();
    edtNumLastUsed->interpretText();
    if (TStatus stored = m_settings.Store(language, edtNumLastUsed->value()); !stored) {
        m_prompter.Message(
            m_texts.Text(QStringLiteral("txtProgramSettingsNotSaved")).arg(stored.Failure().Text()),
            m_texts.Text(QStringLiteral("MsgError")), Prompter::Icon::Error);
        return;
    }
    QDialog::accept();
}
