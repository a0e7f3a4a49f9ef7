#pragma once

#include <QDialog>

class Prompter;
class QComboBox;
class QSpinBox;
class TLanguageTexts;
class TProgramSettings;

// "Programmeinstellungen": the interface language and the length of the
// recent-files list. Resident: each showing takes the stored values afresh.
class TfrmProgramSet : public QDialog
{
    Q_OBJECT
public:
    // settings, texts and prompter must outlive the dialog.
    TfrmProgramSet(TProgramSettings& settings, const TLanguageTexts& texts, Prompter& prompter,
                   QWidget* parent = nullptr);

    // Shows the stored values: the languages of the language file with the
    // current one chosen (letter case ignored; none when it is not listed),
    // and the list length.
    void Fill();

    // OK stores the list length, and the language when one is chosen (with
    // none chosen, the language stays as it is). A failed write is reported
    // and keeps the dialog open.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TProgramSettings& m_settings;
    const TLanguageTexts& m_texts;
    Prompter& m_prompter;
    QComboBox* CmbLanguage;
    QSpinBox* edtNumLastUsed;
};
