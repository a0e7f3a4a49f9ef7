#pragma once

#include "texts/FormMailerList.h"
#include "ui/HelpPage.h"

#include <QDialog>

class Prompter;
class QTreeWidget;
class TLanguageTexts;
class TfrmFormMailLinkEdit;

// "FormMailer-Vorlagen": the user's list of form-mailer addresses, read from
// its file when the dialog is made. Closing, however it is done, asks
// whether to save the list.
class TfrmFormMailerTemplates : public QDialog
{
    Q_OBJECT
public:
    // A file that cannot be read is reported here, and kept unless the list
    // is changed.
    TfrmFormMailerTemplates(const QString& listFile, const TLanguageTexts& texts, Prompter& prompter,
                            TUrlOpener opener, QWidget* parent = nullptr);

    const TFormMailerList& List() const { return m_list; }
    // The link dialog of "Neu" while the list is open, once it was made.
    TfrmFormMailLinkEdit* NewLinkDialog() const { return m_newLink; }

    void done(int result) override;

private:
    void Refill(int select);
    int SelectedRow() const;
    void New();
    void EditSelected();
    void DeleteSelected();

    TFormMailerList m_list;
    const TLanguageTexts& m_texts;
    Prompter& m_prompter;
    TUrlOpener m_opener;
    QTreeWidget* lstLinks;
    TfrmFormMailLinkEdit* m_newLink = nullptr;
};
