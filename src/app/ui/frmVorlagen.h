#pragma once

#include <QDialog>

class Prompter;
class QListWidget;
class QPushButton;
class TLanguageTexts;
class TTemplateStore;

// "Vorlagen verwalten": the stored field templates, by display name, and
// their deletion. The list is read from the file afresh whenever the dialog
// is shown, so that a deletion removes exactly the chosen template, also
// when others were stored since the dialog was last open.
class TfrmVorlagen : public QDialog
{
    Q_OBJECT
public:
    TfrmVorlagen(TTemplateStore& store, const TLanguageTexts& texts, Prompter& prompter,
                 QWidget* parent = nullptr);

    // Reads the file and fills the list; a file that does not read is
    // reported and leaves the list empty.
    void Reload();
    // "&Vorlage löschen": asks, then removes the selected template from the
    // file and the list.
    void DeleteSelected();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Fill(int select);

    TTemplateStore& m_store;
    const TLanguageTexts& m_texts;
    Prompter& m_prompter;
    QListWidget* listVorlagen;
    QPushButton* btDel;
};
