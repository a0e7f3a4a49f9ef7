#pragma once

#include "app/AdvancedSettings.h"

#include <QDialog>

class Prompter;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TLanguageTexts;

// "Erweiterte Formulareinstellungen": the mail options, the encoding, the
// error pages with their link tests, and the picture-code message of the
// PHP form. The main window makes it on first use and keeps it; each use
// shows the open project's values (and the page last shown).
class TfrmErwEinstellungen : public QDialog
{
    Q_OBJECT
public:
    TfrmErwEinstellungen(const TLanguageTexts& texts, Prompter& prompter, QWidget* parent = nullptr);

    void SetValues(const TAdvancedSettings& values);
    TAdvancedSettings Values() const;

private:
    void TestLink(QLineEdit* edit);

    const TLanguageTexts& m_texts;
    Prompter& m_prompter;
    QTabWidget* PageControl1;
    QCheckBox* chkMailFelder;
    QCheckBox* chkIP;
    QCheckBox* chkEmptyFields;
    QComboBox* cboEncoding;
    QLineEdit* edtIPSperre;
    QLineEdit* edtDateiUpload;
    QLineEdit* edtCaptcha;
    QLineEdit* edtMeldungCaptcha;
    QPushButton* btOK;
    QPushButton* btCancel;
};
