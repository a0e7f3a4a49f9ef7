#pragma once

#include "base/Result.h"
#include "preview/MailMessage.h"
#include "preview/PhpServer.h"

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <memory>
#include <optional>

class QTemporaryDir;
class TFormProject;
class TLanguageTexts;

// The test of a form on this computer before it goes live: the generated
// page is served by PHP's built-in server on 127.0.0.1 from a private folder
// of its own, and every mail the page sends is kept there by the capture
// program instead of leaving the computer. The PHP page is served as it
// stands; the HTML form posts to the companion form mailer served beside it.
//
// Nothing stays behind: the server stops with Stop(), with this object and
// when it is started anew; the folder (the page, the mails, the sessions)
// is removed with it.
class TLocalTest : public QObject
{
    Q_OBJECT
public:
    enum class TKind { Php, Html };

    // tempFolder: the user's private temporary folder, below which the
    // test's own folder is made.
    TLocalTest(const TLanguageTexts& texts, QString dataDir, QString tempFolder, QObject* parent = nullptr);
    ~TLocalTest() override;

    // Generates the page into a fresh folder and starts the server on port
    // (a free one when 0). Fails with a text for the user: no PHP (naming
    // the package), a page that cannot be generated, a port in use.
    TStatus Start(TFormProject& project, TKind kind, int port = 0);
    // Writes the project's page again into the served folder (the mails and
    // sessions stay): what the next request gets.
    TStatus Update(TFormProject& project);
    void Stop();

    bool IsRunning() const { return m_server.IsRunning(); }
    TKind Kind() const { return m_kind; }
    // The address of the served page; empty when not running.
    QUrl PageUrl() const;
    int Port() const { return m_server.Port(); }
    qint64 ProcessId() const { return m_server.ProcessId(); }
    // The test's own folder; empty when not running.
    QString Folder() const;
    QString MailFolder() const;

    // Looks for new mails and new server output now; a timer does it four
    // times a second while the test runs.
    void Poll();

    // The mail program PHP hands its mails to (beside this program's own
    // executable unless set, for tests).
    static QString CaptureProgram();
    static void SetCaptureProgram(const QString& path);

    // The file names the page is served as.
    static QString PageName(TKind kind);

signals:
    // A mail the page sent; copyToSender when none of its recipients is one
    // of the project's own addresses (the copy PHP sends to the visitor).
    void MailReceived(const TMailMessage& mail, bool copyToSender, const QDateTime& received);
    // What PHP printed: its request log, warnings, notices and errors.
    void ServerOutput(const QByteArray& chunk);
    // The server ended without being stopped (reason for the user).
    void Ended(const QString& reason);

private:
    TStatus WritePage(TFormProject& project);
    TStatus Fail(const QString& key, const QString& detail = QString());

    const TLanguageTexts& m_texts;
    QString m_dataDir;
    QString m_tempFolder;
    TKind m_kind = TKind::Php;
    std::unique_ptr<QTemporaryDir> m_folder;
    TPhpServer m_server;
    QTimer m_poll;
    QSet<QString> m_seenMails;
    QStringList m_ownAddresses;
};
