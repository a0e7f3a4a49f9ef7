#pragma once

#include "publish/FtpBrowsing.h"

#include <QDialog>

class QAction;
class QLineEdit;
class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;
class Prompter;
class TLanguageTexts;

// The FTP browser: the folders of the project's server, to take one over as
// the upload folder. It only reads. The conversation with the server runs
// on the window's thread; every step waits for the server's answer (short
// time-outs). Closing it in any way ends the connection; the protocol list
// keeps its lines for the whole run.
class TfrmFTPBrowser : public QDialog
{
    Q_OBJECT
public:
    TfrmFTPBrowser(const TLanguageTexts& texts, Prompter& prompter, QWidget* parent = nullptr);
    ~TfrmFTPBrowser() override;

    // What the next connection uses: the server and the folder to start in
    // (empty: the login folder). Clears the last result.
    void SetConnection(const TFtpSettings& settings, const QString& startFolder);
    // The folder taken over with "Übernehmen".
    const QString& SelectedPath() const { return m_selectedPath; }
    const TFtpBrowsing& Browsing() const { return m_browsing; }

    void AddProtocolLine(TFtpClient::LineKind kind, const QString& line);

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectToServer();
    void FolderUp();
    void Refresh();
    void TakeOver();
    void EnterItem(QTreeWidgetItem* item);
    // Shows the folder and the listing the browsing holds now.
    void ShowFolder();

    const TLanguageTexts& m_texts;
    Prompter& m_prompter;
    TFtpBrowsing m_browsing;
    TFtpSettings m_settings;
    QString m_startFolder;
    QString m_selectedPath;

    QLineEdit* edtVerzeichnis;
    QTreeWidget* lstDirectory;
    QListWidget* lstStatus;
    QAction* actConnect;
    QAction* actFolderUp;
    QAction* actOvertake;
    QAction* actExit;
};
