#include "publish/ui/UploadCommand.h"

#include "app/AppServices.h"
#include "base/Prompter.h"
#include "model/FormProject.h"
#include "publish/FtpUpload.h"
#include "publish/PageUpload.h"
#include "publish/ui/frmFTPLog.h"

#include <QFile>
#include <QMutex>
#include <QPointer>
#include <QThread>

// Messages of the transfer thread, said on the window thread afterwards.
class TDeferredPrompter : public Prompter
{
public:
    void Message(const QString& text, const QString& caption, Icon icon) override
    {
        const QMutexLocker lock(&m_mutex);
        m_messages.append({text, caption, icon});
    }
    Answer Question(const QString&, const QString&, Icon, bool withCancel, Answer) override
    {
        return withCancel ? Answer::Cancel : Answer::No;
    }
    void Replay(Prompter& to)
    {
        QList<Entry> messages;
        {
            const QMutexLocker lock(&m_mutex);
            messages.swap(m_messages);
        }
        for (const Entry& m : messages)
            to.Message(m.text, m.caption, m.icon);
    }

private:
    struct Entry
    {
        QString text;
        QString caption;
        Icon icon;
    };
    QMutex m_mutex;
    QList<Entry> m_messages;
};

TUploadCommand::TUploadCommand(TAppServices& services, TFormProject& project, TfrmFTPLog& log,
                               QObject* parent)
    : QObject(parent), m_services(services), m_project(project), m_log(log)
{
    connect(&m_log, &TfrmFTPLog::CancelRequested, this, [this] { m_cancel = true; });
}

TUploadCommand::~TUploadCommand()
{
    CancelAndWait();
}

bool TUploadCommand::Start()
{
    if (m_thread)
        return false;
    TPageUpload page(m_project, m_services.Texts(), m_services.Prompt(), m_services.DataDir(),
                     m_services.TempFolder().Path());
    const std::optional<QString> file = page.WritePage();
    return file && StartFile(*file);
}

bool TUploadCommand::StartFile(const QString& privateFile)
{
    if (m_thread) {
        QFile::remove(privateFile);
        return false;
    }
    m_file = privateFile;
    m_messages = std::make_unique<TDeferredPrompter>();
    // Lines and progress cross to the window thread in their order.
    QPointer<TfrmFTPLog> log(&m_log);
    m_upload = std::make_unique<TFtpUpload>(
        m_project, m_services.Texts(), *m_messages, m_services.DataDir(), [log](const QString& line) {
            QMetaObject::invokeMethod(
                log, [log, line] { log->AddLine(line); }, Qt::QueuedConnection);
        });
    m_cancel = false;
    m_upload->SetProgress([this, log, shown = qint64(-1)](qint64 done, qint64 total) mutable {
        if (m_cancel)
            return false;
        if (total > 0 && done * 100 / total != shown) {
            shown = done * 100 / total;
            QMetaObject::invokeMethod(
                log, [log, done, total] { log->ShowProgress(done, total); }, Qt::QueuedConnection);
        }
        return true;
    });
    if (!m_upload->CheckFtpSettings()) {
        m_messages->Replay(m_services.Prompt());
        QFile::remove(m_file);
        m_upload.reset();
        return false;
    }
    m_log.Clear();
    m_log.SetBusy(true);
    m_log.show();
    m_log.raise();
    m_uploaded = false;
    m_thread = QThread::create([this] { m_uploaded = m_upload->Transfer(m_file); });
    m_thread->setObjectName(QStringLiteral("FtpUpload"));
    connect(m_thread, &QThread::finished, this, &TUploadCommand::Done);
    m_thread->start();
    return true;
}

void TUploadCommand::Done()
{
    if (!m_thread)
        return;
    m_thread->wait();
    m_thread->deleteLater();
    m_thread = nullptr;
    QFile::remove(m_file);
    m_upload.reset();
    m_log.SetBusy(false);
    m_messages->Replay(m_services.Prompt());
    emit Finished(m_uploaded);
}

void TUploadCommand::CancelAndWait()
{
    if (!m_thread)
        return;
    m_cancel = true;
    m_thread->wait();
    Done();
}
