#pragma once

#include "publish/SubmissionServer.h"
#include "publish/SubmissionTable.h"
#include "ui/HelpPage.h"

#include <QDateTime>
#include <QDialog>

#include <atomic>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class QTemporaryDir;
class QThread;
class QTreeWidget;
class Prompter;
class TFormProject;
class TLanguageTexts;
class TSubmissionModel;
class TTempFolder;

// The window "Einsendungen": the submissions the PHP page kept on the
// server, fetched over FTP with the project's settings into a private
// folder of this run and shown as a table to sort, search, export as CSV
// and delete from on the server. The FTP work runs on a thread of its own
// while the window stays usable; its button cancels it. Closing the window
// removes the local copy.
class TfrmSubmissions : public QDialog
{
    Q_OBJECT
public:
    TfrmSubmissions(const TLanguageTexts& texts, Prompter& prompter, TTempFolder& tempFolder,
                    TFormProject& project, QWidget* parent = nullptr);
    ~TfrmSubmissions() override;

    // How an attachment reaches the desktop (QDesktopServices when none).
    void SetUrlOpener(TUrlOpener opener);

    // The command: shows the window and fetches, unless the project keeps
    // no submissions (the window says so; "Abrufen" still fetches).
    void Open();
    // Starts fetching; false when it did not start (work runs, no server
    // set, no private folder; a message said why).
    bool Fetch();
    // Asks, then deletes the selected entries on the server and fetches
    // again; false when nothing was started.
    bool DeleteSelected();
    // Asks for a file and writes the rows shown, in their order.
    bool ExportCsv();
    // The attachment of the current entry, copied under its own name into
    // the private folder and handed to the desktop.
    bool OpenAttachment(int index);
    // Cancels running work and waits for its end.
    void CancelAndWait();
    bool IsBusy() const { return m_thread != nullptr; }

    // Shows entries without a server (screenshots).
    void ShowEntries(QList<TSubmission> entries, const QDateTime& fetched);
    // The texts that are not window texts, after the language changed.
    void ShowTexts();

    QTableView* Table() const { return tblEntries; }
    int ShownRows() const;
    QString StatusText() const;
    // The local copy of the store; empty before the first fetch.
    QString LocalFolder() const;

    void done(int result) override;

signals:
    // A fetch ended (also the one after a deletion).
    void Fetched(bool ok);
    // A deletion ended; the entries deleted.
    void DeleteFinished(bool ok, int deleted);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Work { Fetch, Delete };
    bool StartWork(Work work, const QSet<QString>& ids);
    void WorkDone();
    void ShowProgress(const QString& file, int done, int total);
    void SetBusy(bool busy);
    void UpdateStatus();
    void UpdateActions();
    void FillAttachments();
    void FitColumns();
    QList<int> SelectedEntries() const;
    QString Text(const char* key) const;

    const TLanguageTexts& m_texts;
    Prompter& m_prompter;
    TTempFolder& m_tempFolder;
    TFormProject& m_project;
    TUrlOpener m_opener;

    std::unique_ptr<QTemporaryDir> m_local;
    std::unique_ptr<TSubmissionServer> m_server;
    QThread* m_thread = nullptr;
    Work m_work = Work::Fetch;
    std::atomic<bool> m_cancel{false};
    QSet<QString> m_deleteIds;
    std::optional<TResult<TSubmissionFetch>> m_fetched;
    std::optional<TResult<int>> m_deleted;
    QStringList m_workNotes;

    QStringList m_formFields;
    QDateTime m_fetchedAt;
    bool m_noStore = false;
    QStringList m_notes;
    QString m_message; // the last result worth a line of its own
    // What the fetch after a deletion shows when it is done.
    QString m_nextMessage;
    QStringList m_nextNotes;

    TSubmissionModel* m_model;
    QSortFilterProxyModel* m_proxy;
    QAction* actFetch;
    QAction* actExport;
    QAction* actDelete;
    QAction* actOpenAttachment;
    QLineEdit* edtSearch;
    QTableView* tblEntries;
    QTreeWidget* lstAttachments;
    QLabel* lblStatus;
    QProgressBar* m_progress;
    QPushButton* btCancel;
};
