#include "preview/LocalTest.h"

#include "base/AtomicFile.h"
#include "base/LanguageTexts.h"
#include "codegen/CompanionMailer.h"
#include "codegen/GenHTML.h"
#include "codegen/GenPHP.h"
#include "codegen/PageFiles.h"
#include "model/FormProject.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace
{
QString& CaptureOverride()
{
    static QString path;
    return path;
}

// A path PHP may run as its mail program: the value of "-d" ends at a quote,
// and the shell PHP starts it with splits at blanks.
bool PlainPath(const QString& path)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./+-]+$"));
    return plain.match(path).hasMatch();
}

// "Name <a@b>" or "a@b" as the bare address, in lower case.
QString BareAddress(const QString& recipient)
{
    const qsizetype open = recipient.lastIndexOf(QLatin1Char('<'));
    const qsizetype close = recipient.lastIndexOf(QLatin1Char('>'));
    const QString address = open >= 0 && close > open ? recipient.mid(open + 1, close - open - 1) : recipient;
    return address.trimmed().toLower();
}

QByteArray ShellQuoted(const QString& text)
{
    QByteArray quoted = QFile::encodeName(text);
    quoted.replace('\'', "'\\''");
    return '\'' + quoted + '\'';
}
} // namespace

TLocalTest::TLocalTest(const TLanguageTexts& texts, QString dataDir, QString tempFolder, QObject* parent)
    : QObject(parent), m_texts(texts), m_dataDir(std::move(dataDir)), m_tempFolder(std::move(tempFolder))
{
    m_poll.setInterval(250);
    connect(&m_poll, &QTimer::timeout, this, &TLocalTest::Poll);
}

TLocalTest::~TLocalTest()
{
    Stop();
}

QString TLocalTest::CaptureProgram()
{
    if (!CaptureOverride().isEmpty())
        return CaptureOverride();
    return QCoreApplication::applicationDirPath() + QStringLiteral("/quorvel-mailcapture");
}

void TLocalTest::SetCaptureProgram(const QString& path)
{
    CaptureOverride() = path;
}

QString TLocalTest::PageName(TKind kind)
{
    return kind == TKind::Php ? QStringLiteral("form.php") : QStringLiteral("form.htm");
}

TStatus TLocalTest::Fail(const QString& key, const QString& detail)
{
    QString text = m_texts.Text(key);
    if (text.contains(QLatin1String("%1")))
        text = text.arg(detail);
    return TFailure{text, QString()};
}

TStatus TLocalTest::Start(TFormProject& project, TKind kind, int port)
{
    Stop();
    if (TPhpServer::Program().isEmpty())
        return Fail(QStringLiteral("txtLocalTestNoPhp"));
    const QString capture = CaptureProgram();
    if (!QFileInfo(capture).isExecutable())
        return Fail(QStringLiteral("txtLocalTestFailed"), capture);
    if (m_tempFolder.isEmpty())
        return Fail(QStringLiteral("txtLocalTestFailed"), QStringLiteral("no private temporary folder"));
    auto folder = std::make_unique<QTemporaryDir>(m_tempFolder + QStringLiteral("/localtest-XXXXXX"));
    if (!folder->isValid())
        return Fail(QStringLiteral("txtLocalTestFailed"), folder->errorString());
    const QString root = folder->path();
    if (!PlainPath(root))
        return Fail(QStringLiteral("txtLocalTestPath"), root);
    const QDir dir(root);
    for (const char* sub : {"site", "mails", "sessions", "uploads"})
        if (!dir.mkdir(QLatin1String(sub)))
            return Fail(QStringLiteral("txtLocalTestFailed"), dir.filePath(QLatin1String(sub)));
    // PHP starts its mail program through the shell; the wrapper keeps the
    // capture program's path (which may hold blanks) whole.
    const QString sendmail = dir.filePath(QStringLiteral("sendmail"));
    const QByteArray script = "#!/bin/sh\nexec " + ShellQuoted(capture) + ' ' +
                              ShellQuoted(dir.filePath(QStringLiteral("mails"))) + " \"$@\"\n";
    if (const TStatus written = WriteFileAtomically(sendmail, script, true); !written)
        return Fail(QStringLiteral("txtLocalTestFailed"), written.Failure().Text());
    QFile(sendmail).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    m_folder = std::move(folder);
    m_kind = kind;
    if (const TStatus page = WritePage(project); !page) {
        m_folder.reset();
        return page;
    }
    m_ownAddresses.clear();
    for (const QString* address : {&project.edtEMail, &project.edtEMail1, &project.edtEMail2})
        if (!address->trimmed().isEmpty())
            m_ownAddresses << BareAddress(*address);
    const QStringList settings{
        QStringLiteral("sendmail_path=") + sendmail,
        QStringLiteral("session.save_path=") + dir.filePath(QStringLiteral("sessions")),
        QStringLiteral("upload_tmp_dir=") + dir.filePath(QStringLiteral("uploads")),
        QStringLiteral("error_reporting=32767"),
        // Warnings go to the server's log (and so to the program), never
        // into the page, where they would break its headers.
        QStringLiteral("display_errors=0"),
        QStringLiteral("log_errors=1"),
        QStringLiteral("html_errors=0"),
    };
    if (const TStatus started = m_server.Start(dir.filePath(QStringLiteral("site")), settings, {}, port);
        !started) {
        m_folder.reset();
        return Fail(QStringLiteral("txtLocalTestFailed"), started.Failure().What);
    }
    m_seenMails.clear();
    m_poll.start();
    return {};
}

TStatus TLocalTest::Update(TFormProject& project)
{
    if (!m_folder)
        return Fail(QStringLiteral("txtLocalTestFailed"), QStringLiteral("not running"));
    return WritePage(project);
}

TStatus TLocalTest::WritePage(TFormProject& project)
{
    const QString site = QDir(m_folder->path()).filePath(QStringLiteral("site"));
    const QString file = site + QLatin1Char('/') + PageName(m_kind);
    if (m_kind == TKind::Php) {
        TGenPHP gen(project, m_texts, m_dataDir);
        const TResult<QString> page = gen.GenCode();
        if (!page)
            return Fail(QStringLiteral("txtLocalTestFailed"), page.Error());
        if (const TStatus written =
                PageFiles::WritePage(file, *page, project.ExtSettings.encoding, PageFiles::PageKind::Php);
            !written)
            return Fail(QStringLiteral("txtLocalTestFailed"), written.Failure().Text());
        return {};
    }
    // The HTML form posts to the companion mailer beside it; the project's
    // own address is put back at once.
    const QString mailer = std::exchange(project.cboFormMailer, QStringLiteral("formmailer.php"));
    TGenHTML gen(project, m_texts, m_dataDir);
    const TResult<QString> page = gen.GenCode();
    project.cboFormMailer = mailer;
    if (!page)
        return Fail(QStringLiteral("txtLocalTestFailed"), page.Error());
    if (const TStatus written = PageFiles::WritePage(file, *page, project.ExtSettings.encoding); !written)
        return Fail(QStringLiteral("txtLocalTestFailed"), written.Failure().Text());
    (void)PageFiles::CopyAdditionalFiles(project, m_dataDir, file, true);
    // The mailer and its allow-list of the project's own addresses.
    if (const TStatus beside = TCompanionMailer::WriteInto(site, project, m_dataDir); !beside)
        return Fail(QStringLiteral("txtLocalTestFailed"), beside.Failure().Text());
    return {};
}

void TLocalTest::Stop()
{
    m_poll.stop();
    m_server.Stop();
    m_folder.reset();
    m_seenMails.clear();
}

QUrl TLocalTest::PageUrl() const
{
    if (!m_folder || !m_server.IsRunning())
        return QUrl();
    return QUrl(QStringLiteral("http://127.0.0.1:%1/%2").arg(m_server.Port()).arg(PageName(m_kind)));
}

QString TLocalTest::Folder() const
{
    return m_folder ? m_folder->path() : QString();
}

QString TLocalTest::MailFolder() const
{
    return m_folder ? m_folder->path() + QStringLiteral("/mails") : QString();
}

void TLocalTest::Poll()
{
    if (!m_folder)
        return;
    const QByteArray output = m_server.TakeOutput();
    if (!output.isEmpty())
        emit ServerOutput(output);
    // The capture program writes each mail under a temporary name and
    // renames it when complete: a "mail-*.eml" is whole.
    const QDir mails(MailFolder());
    for (const QFileInfo& info :
         mails.entryInfoList({QStringLiteral("mail-*.eml")}, QDir::Files, QDir::Name)) {
        if (m_seenMails.contains(info.fileName()))
            continue;
        m_seenMails.insert(info.fileName());
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const TMailMessage mail = TMailMessage::Parse(file.readAll());
        bool copy = !mail.Recipients().isEmpty();
        for (const QString& to : mail.Recipients())
            if (m_ownAddresses.contains(BareAddress(to)))
                copy = false;
        emit MailReceived(mail, copy && mail.error.isEmpty(), info.lastModified());
    }
    if (!m_server.IsRunning() && m_poll.isActive()) {
        const QByteArray rest = m_server.TakeOutput();
        if (!rest.isEmpty())
            emit ServerOutput(rest);
        m_poll.stop();
        emit Ended(m_texts.Text(QStringLiteral("txtLocalTestEnded")));
    }
}
