#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

class QThread;
class TAppServices;
class TFormProject;
class TFtpUpload;
class TfrmFTPLog;
class TDeferredPrompter;

// The command "FTP-Upload" in the program: the page is generated and
// written on the window thread, the transfer runs on a thread of its own
// while the window stays usable, its lines arrive in the log in their
// order, and the log's button cancels it. One upload at a time.
class TUploadCommand : public QObject
{
    Q_OBJECT
public:
    TUploadCommand(TAppServices& services, TFormProject& project, TfrmFTPLog& log, QObject* parent = nullptr);
    ~TUploadCommand() override;

    // False when it did not start: one runs already, or the page or a
    // setting failed (a message said why).
    bool Start();
    // The same for a page already written into a private temporary file,
    // which the command takes over: it is removed when the upload has
    // ended, or at once when it does not start.
    bool StartFile(const QString& privateFile);
    bool IsRunning() const { return m_thread != nullptr; }
    // Cancels a running transfer and waits for its end.
    void CancelAndWait();

signals:
    void Finished(bool uploaded);

private:
    void Done();

    TAppServices& m_services;
    TFormProject& m_project;
    TfrmFTPLog& m_log;
    QThread* m_thread = nullptr;
    std::unique_ptr<TDeferredPrompter> m_messages;
    std::unique_ptr<TFtpUpload> m_upload;
    QString m_file;
    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_uploaded{false};
};
