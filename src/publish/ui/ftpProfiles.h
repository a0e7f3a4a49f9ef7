#pragma once

#include "publish/FtpProfiles.h"

#include <QDialog>
#include <optional>

class Prompter;
class QAction;
class QTreeWidget;
class TLanguageTexts;
class TfrmFTPEdit;
class TfrmFTPLog;

// The list of FTP profiles: new, edit, delete, and take one over into the
// project. The list is read from its file when the dialog is made and
// written back whole at every close, however it closes.
class TftpProfiles : public QDialog
{
    Q_OBJECT
public:
    TftpProfiles(TFtpProfiles& store, const TLanguageTexts& texts, Prompter& prompter, TfrmFTPLog& log,
                 QWidget* parent = nullptr);

    // The profile of the selected row, if any.
    std::optional<TFtpProfile> Selected() const;
    // The edit dialog while the list is open (made when first needed).
    TfrmFTPEdit* EditDialog() const { return m_edit; }

    void done(int result) override;

private:
    void Refill(int select);
    int SelectedRow() const;
    TfrmFTPEdit& Edit();
    void New();
    void EditSelected();
    void DeleteSelected();
    void Overtake();

    TFtpProfiles& m_store;
    const TLanguageTexts& m_texts;
    Prompter& m_prompter;
    TfrmFTPLog& m_log;
    QTreeWidget* lstFTP;
    TfrmFTPEdit* m_edit = nullptr;
};
