#pragma once

#include "ui/HelpPage.h"

#include <QDialog>
#include <QString>

class Prompter;
class QLineEdit;
class QPushButton;
class TLanguageTexts;

// "Formmailer-Link bearbeiten": one address, with a button that tests it in
// the browser. Any text is accepted, an empty one too.
class TfrmFormMailLinkEdit : public QDialog
{
    Q_OBJECT
public:
    // texts and prompter must outlive the dialog.
    TfrmFormMailLinkEdit(const TLanguageTexts& texts, Prompter& prompter, TUrlOpener opener,
                         QWidget* parent = nullptr);

    QString Link() const;
    void SetLink(const QString& link);

private:
    QLineEdit* edtFormmailLink;
};
