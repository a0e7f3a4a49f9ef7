#pragma once

#include "model/ExtSettings.h"

#include <QDialog>

class Prompter;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TLanguageTexts;

// "Formulareigenschaften": the project's descriptive data (title, author,
// company, web address, comment). Made for one command; the command takes
// Values() over into the project only when the dialog was closed with OK.
class TfrmProjectSettings : public QDialog
{
    Q_OBJECT
public:
    TfrmProjectSettings(const TLanguageTexts& texts, Prompter& prompter, QWidget* parent = nullptr);

    void SetValues(const TProjectSettings& values);
    TProjectSettings Values() const;

private:
    const TLanguageTexts& m_texts;
    Prompter& m_prompter;
    QLineEdit* edtTitle;
    QLineEdit* edtAuthor;
    QLineEdit* edtCompany;
    QLineEdit* edtURL;
    QPlainTextEdit* edtComment;
    QPushButton* btGOIP;
    QPushButton* btOK;
    QPushButton* btCancel;
};
