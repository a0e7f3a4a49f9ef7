#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class TLanguageTexts;

// The FTP log: what a connection test or an upload did, line by line. It is
// shown without blocking and stays open until the user closes it; the next
// operation clears it. While an upload runs it shows its progress and a
// button that cancels it.
class TfrmFTPLog : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmFTPLog(const TLanguageTexts& texts, QWidget* parent = nullptr);

    void Clear();
    void AddLine(const QString& line);
    QStringList Lines() const;

    // Shows the progress of a transfer (total 0: not known yet) with the
    // cancel button, or hides both.
    void ShowProgress(qint64 done, qint64 total);
    void SetBusy(bool busy);
    // An upload runs: its lines must not be cleared away.
    bool IsBusy() const { return m_busy; }

signals:
    void CancelRequested();

private:
    QPlainTextEdit* memoLog;
    QProgressBar* m_progress;
    QPushButton* m_cancel;
    QPushButton* m_close;
    bool m_busy = false;
};
