#include "publish/FtpClient.h"

#include "publish/CurlLibrary.h"

#include <QStringList>
#include <QUrl>

#include <cstring>

namespace
{
QByteArray Encoded(const QString& text, const QByteArray& keep = {})
{
    return QUrl::toPercentEncoding(text, keep);
}

// The folder from a PWD reply: 257 "<folder>" ..., quotes inside doubled.
QString FolderOfPwd(const QString& reply)
{
    const qsizetype open = reply.indexOf(QLatin1Char('"'));
    if (!reply.startsWith(QLatin1String("257")) || open < 0)
        return QString();
    QString folder;
    for (qsizetype i = open + 1; i < reply.size(); ++i) {
        if (reply.at(i) == QLatin1Char('"')) {
            if (i + 1 < reply.size() && reply.at(i + 1) == QLatin1Char('"')) {
                folder += QLatin1Char('"');
                ++i;
                continue;
            }
            return folder;
        }
        folder += reply.at(i);
    }
    return QString();
}
} // namespace

int TFtpSettings::PortOf(const QString& typed)
{
    bool ok = false;
    const int port = typed.trimmed().toInt(&ok);
    return ok && port >= 1 && port <= 65535 ? port : 0;
}

struct TFtpClient::Handle
{
    const TCurlLibrary& api;
    CURL* curl = nullptr;
    curl_slist* quote = nullptr;
    char error[CURL_ERROR_SIZE] = {};
};

// The C callbacks of libcurl, with the client as their user data.
struct FtpCallbacks
{
    static int Debug(CURL*, curl_infotype type, char* data, size_t size, void* user)
    {
        auto* client = static_cast<TFtpClient*>(user);
        const QByteArray text(data, static_cast<qsizetype>(size));
        switch (type) {
        case CURLINFO_TEXT:
            client->Line(TFtpClient::LineKind::Status, QString::fromUtf8(text).trimmed());
            break;
        case CURLINFO_HEADER_OUT: {
            // Commands end in CR LF; a password never leaves the client.
            for (QByteArray line : text.split('\n')) {
                if (line.endsWith('\r'))
                    line.chop(1);
                if (line.isEmpty())
                    continue;
                if (line.startsWith("PASS "))
                    line = "PASS *********";
                client->Line(TFtpClient::LineKind::Sent, QString::fromUtf8(line));
            }
            break;
        }
        case CURLINFO_HEADER_IN: client->TakeReplies(text); break;
        default: break;
        }
        return 0;
    }

    static size_t Read(char* buffer, size_t size, size_t count, void* user)
    {
        auto* client = static_cast<TFtpClient*>(user);
        if (!client->m_upload)
            return 0;
        const qint64 left = client->m_upload->size() - client->m_uploaded;
        const qint64 n = qMin<qint64>(left, static_cast<qint64>(size * count));
        std::memcpy(buffer, client->m_upload->constData() + client->m_uploaded, static_cast<size_t>(n));
        client->m_uploaded += n;
        return static_cast<size_t>(n);
    }

    static size_t Write(char* data, size_t size, size_t count, void* user)
    {
        auto* client = static_cast<TFtpClient*>(user);
        if (client->m_download)
            client->m_download->append(data, static_cast<qsizetype>(size * count));
        return size * count;
    }

    static int Progress(void* user, curl_off_t dltotal, curl_off_t dlnow, curl_off_t ultotal,
                        curl_off_t ulnow)
    {
        auto* client = static_cast<TFtpClient*>(user);
        const bool down = client->m_download != nullptr;
        if (client->m_progress && !client->m_progress(down ? dlnow : ulnow, down ? dltotal : ultotal))
            return 1;
        return 0;
    }

    static long ChunkBegin(const void* info, void* user, int)
    {
        auto* client = static_cast<TFtpClient*>(user);
        const auto* file = static_cast<const curl_fileinfo*>(info);
        const QString name = QString::fromUtf8(file->filename);
        if (client->m_entries && name != QLatin1String(".") && name != QLatin1String("..")) {
            TFtpEntry entry;
            entry.name = name;
            if (file->flags & CURLFINFOFLAG_KNOWN_SIZE)
                entry.size = static_cast<qint64>(file->size);
            // libcurl leaves the time as the listing wrote it.
            if (file->strings.time)
                entry.time =
                    TFtpClient::ListingTime(QString::fromUtf8(file->strings.time), QDate::currentDate());
            switch (file->filetype) {
            case CURLFILETYPE_FILE: entry.kind = TFtpEntry::Kind::File; break;
            case CURLFILETYPE_DIRECTORY: entry.kind = TFtpEntry::Kind::Folder; break;
            case CURLFILETYPE_SYMLINK: entry.kind = TFtpEntry::Kind::Link; break;
            default: entry.kind = TFtpEntry::Kind::Other; break;
            }
            client->m_entries->append(entry);
        }
        // Only the listing is wanted, never the files themselves.
        return CURL_CHUNK_BGN_FUNC_SKIP;
    }

    static size_t Discard(char*, size_t size, size_t count, void*) { return size * count; }
};

TFtpClient::TFtpClient(TFtpSettings settings, LineHook hook)
    : m_settings(std::move(settings)), m_hook(std::move(hook))
{
}

TFtpClient::~TFtpClient()
{
    Quit();
}

QDateTime TFtpClient::ListingTime(const QString& text, const QDate& today)
{
    const QStringList parts = text.simplified().split(QLatin1Char(' '));
    if (parts.size() == 3) {
        // Unix: month, day, and the time of this year or a year.
        static const char* const months[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                             "jul", "aug", "sep", "oct", "nov", "dec"};
        int month = 0;
        for (int i = 0; i < 12; ++i)
            if (parts[0].compare(QLatin1String(months[i]), Qt::CaseInsensitive) == 0)
                month = i + 1;
        bool dayOk = false;
        const int day = parts[1].toInt(&dayOk);
        if (!month || !dayOk)
            return {};
        if (parts[2].contains(QLatin1Char(':'))) {
            const QTime time = QTime::fromString(parts[2], QStringLiteral("H:mm"));
            QDate date(today.year(), month, day);
            // Servers leave the year out for the last six months or so; a
            // date ahead of today (a day's grace for time zones) is last year's.
            if (!date.isValid() || date > today.addDays(1))
                date = QDate(today.year() - 1, month, day);
            return date.isValid() && time.isValid() ? QDateTime(date, time) : QDateTime();
        }
        bool yearOk = false;
        const QDate date(parts[2].toInt(&yearOk), month, day);
        return yearOk && date.isValid() ? QDateTime(date, QTime(0, 0)) : QDateTime();
    }
    if (parts.size() == 2) {
        // Windows: MM-DD-YY (or YYYY) and hh:mm with AM or PM.
        const QStringList d = parts[0].split(QLatin1Char('-'));
        if (d.size() != 3)
            return {};
        bool ok[3] = {};
        int year = d[2].toInt(&ok[2]);
        if (d[2].size() == 2)
            year += year < 70 ? 2000 : 1900;
        const QDate date(year, d[0].toInt(&ok[0]), d[1].toInt(&ok[1]));
        const QString clock = parts[1].toUpper();
        const QTime time = QTime::fromString(
            clock, clock.endsWith(QLatin1Char('M')) ? QStringLiteral("hh:mmAP") : QStringLiteral("H:mm"));
        if (ok[0] && ok[1] && ok[2] && date.isValid() && time.isValid())
            return QDateTime(date, time);
    }
    return {};
}

bool TFtpClient::HasControlCharacter(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control)
            return true;
    return false;
}

void TFtpClient::Line(LineKind kind, const QString& line) const
{
    if (m_hook && !line.isEmpty())
        m_hook(kind, line);
}

void TFtpClient::TakeReplies(const QByteArray& data)
{
    m_partial += data;
    qsizetype end;
    while ((end = m_partial.indexOf('\n')) >= 0) {
        QByteArray line = m_partial.left(end);
        m_partial.remove(0, end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        m_lastReply = QString::fromUtf8(line);
        if (m_lastReply.startsWith(QLatin1String("257 ")))
            m_lastPwd = m_lastReply;
        Line(LineKind::Received, m_lastReply);
    }
}

bool TFtpClient::Refuse(const QString& text)
{
    m_error = TError{false, 0, text};
    return false;
}

QByteArray TFtpClient::FolderUrl() const
{
    QByteArray url = "ftp://";
    const QString host = m_settings.host.trimmed();
    url += host.contains(QLatin1Char(':')) ? "[" + host.toUtf8() + "]" : QUrl::toAce(host);
    url += ':' + QByteArray::number(m_settings.port) + '/';
    // An absolute folder starts with an encoded slash; the folder goes in
    // one CWD.
    if (!m_folder.isEmpty())
        url += Encoded(m_folder, "/").replace(0, m_folder.startsWith(QLatin1Char('/')) ? 1 : 0, "%2F") + '/';
    return url;
}

bool TFtpClient::Perform(Step step, const QByteArray& url, const QList<QByteArray>& commands)
{
    if (!m_handle) {
        QString reason;
        const TCurlLibrary* api = TCurlLibrary::Get(&reason);
        if (!api)
            return Refuse(reason);
        m_handle = new Handle{*api};
        m_handle->curl = api->easy_init();
    }
    const TCurlLibrary& api = m_handle->api;
    CURL* c = m_handle->curl;
    if (!c)
        return Refuse(QStringLiteral("libcurl could not start"));
    api.easy_reset(c);
    m_handle->error[0] = '\0';
    const QByteArray user = m_settings.user.toUtf8();
    const QByteArray password = m_settings.password.toUtf8();
    api.SetOpt(c, CURLOPT_URL, url.constData());
    api.SetOpt(c, CURLOPT_ERRORBUFFER, m_handle->error);
    api.SetOpt(c, CURLOPT_USERNAME, user.constData());
    api.SetOpt(c, CURLOPT_PASSWORD, password.constData());
    api.SetOpt(c, CURLOPT_VERBOSE, 1L);
    api.SetOpt(c, CURLOPT_DEBUGFUNCTION, &FtpCallbacks::Debug);
    api.SetOpt(c, CURLOPT_DEBUGDATA, this);
    api.SetOpt(c, CURLOPT_NOSIGNAL, 1L);
    api.SetOpt(c, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
    api.SetOpt(c, CURLOPT_CONNECTTIMEOUT, static_cast<long>(m_settings.connectTimeout));
    api.SetOpt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(m_settings.replyTimeout));
    api.SetOpt(c, CURLOPT_ACCEPTTIMEOUT_MS, static_cast<long>(m_settings.connectTimeout) * 1000L);
    api.SetOpt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    api.SetOpt(c, CURLOPT_LOW_SPEED_TIME, static_cast<long>(m_settings.stallTimeout));
    // Files come down as they are; SIZE is refused in ASCII mode.
    const bool binary = m_binary || step == Step::Retrieve || step == Step::Info;
    api.SetOpt(c, CURLOPT_TRANSFERTEXT, binary ? 0L : 1L);
    api.SetOpt(c, CURLOPT_CRLF, 0L);
    api.SetOpt(c, CURLOPT_WRITEFUNCTION, &FtpCallbacks::Discard);
    if (!m_settings.passive)
        api.SetOpt(c, CURLOPT_FTPPORT, "-");
    if (m_settings.tls) {
        api.SetOpt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
        api.SetOpt(c, CURLOPT_FTPSSLAUTH, static_cast<long>(CURLFTPAUTH_TLS));
        if (!m_settings.pinnedKey.isEmpty()) {
            // One known key instead of a signed certificate.
            api.SetOpt(c, CURLOPT_SSL_VERIFYPEER, 0L);
            api.SetOpt(c, CURLOPT_SSL_VERIFYHOST, 0L);
            api.SetOpt(c, CURLOPT_PINNEDPUBLICKEY, m_settings.pinnedKey.toUtf8().constData());
        }
    }
    api.slist_free_all(m_handle->quote);
    m_handle->quote = nullptr;
    for (const QByteArray& command : commands)
        m_handle->quote = api.slist_append(m_handle->quote, command.constData());
    if (m_handle->quote)
        api.SetOpt(c, CURLOPT_QUOTE, m_handle->quote);

    switch (step) {
    case Step::Login:
    case Step::Cwd:
    case Step::Pwd:
    case Step::Command: api.SetOpt(c, CURLOPT_NOBODY, 1L); break;
    case Step::Info:
        api.SetOpt(c, CURLOPT_NOBODY, 1L);
        api.SetOpt(c, CURLOPT_FILETIME, 1L);
        break;
    case Step::Retrieve:
        api.SetOpt(c, CURLOPT_WRITEFUNCTION, &FtpCallbacks::Write);
        api.SetOpt(c, CURLOPT_WRITEDATA, this);
        api.SetOpt(c, CURLOPT_NOPROGRESS, 0L);
        api.SetOpt(c, CURLOPT_XFERINFOFUNCTION, &FtpCallbacks::Progress);
        api.SetOpt(c, CURLOPT_XFERINFODATA, this);
        break;
    case Step::List:
        api.SetOpt(c, CURLOPT_WILDCARDMATCH, 1L);
        api.SetOpt(c, CURLOPT_CHUNK_BGN_FUNCTION, &FtpCallbacks::ChunkBegin);
        api.SetOpt(c, CURLOPT_CHUNK_DATA, this);
        break;
    case Step::Store:
        api.SetOpt(c, CURLOPT_UPLOAD, 1L);
        api.SetOpt(c, CURLOPT_READFUNCTION, &FtpCallbacks::Read);
        api.SetOpt(c, CURLOPT_READDATA, this);
        api.SetOpt(c, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(m_upload ? m_upload->size() : 0));
        api.SetOpt(c, CURLOPT_NOPROGRESS, 0L);
        api.SetOpt(c, CURLOPT_XFERINFOFUNCTION, &FtpCallbacks::Progress);
        api.SetOpt(c, CURLOPT_XFERINFODATA, this);
        break;
    }

    m_partial.clear();
    const CURLcode result = api.easy_perform(c);
    long code = 0;
    api.easy_getinfo(c, CURLINFO_RESPONSE_CODE, &code);
    // A listing that arrived (the server's last word a success) but
    // matched nothing: libcurl's wildcard says "not found" for an empty
    // folder.
    const bool emptyListing = step == Step::List && result == CURLE_REMOTE_FILE_NOT_FOUND &&
                              m_lastReply.startsWith(QLatin1Char('2')) && m_entries && m_entries->isEmpty();
    if (result == CURLE_OK || emptyListing) {
        m_error = TError{};
        if (step == Step::Info) {
            curl_off_t size = -1, time = -1;
            api.easy_getinfo(c, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size);
            api.easy_getinfo(c, CURLINFO_FILETIME_T, &time);
            m_infoSize = static_cast<qint64>(size);
            m_infoTime =
                time >= 0 ? QDateTime::fromSecsSinceEpoch(static_cast<qint64>(time), Qt::UTC) : QDateTime();
        }
        return true;
    }
    const bool reply = code >= 400 && result != CURLE_OPERATION_TIMEDOUT && result != CURLE_COULDNT_CONNECT &&
                       result != CURLE_ABORTED_BY_CALLBACK && result != CURLE_COULDNT_RESOLVE_HOST;
    QString text = QString::fromUtf8(m_handle->error);
    if (text.isEmpty())
        text = QString::fromUtf8(api.easy_strerror(result));
    if (result == CURLE_ABORTED_BY_CALLBACK)
        text = QStringLiteral("cancelled");
    m_error = TError{reply, reply ? static_cast<int>(code) : 0, reply ? m_lastReply : text,
                     result == CURLE_PEER_FAILED_VERIFICATION || result == CURLE_SSL_PINNEDPUBKEYNOTMATCH};
    // After a lost or refused connection nothing more can be said on it.
    if (!reply) {
        api.easy_cleanup(c);
        m_handle->curl = nullptr;
        api.slist_free_all(m_handle->quote);
        delete m_handle;
        m_handle = nullptr;
        m_connected = false;
    }
    return false;
}

QString TFtpClient::ServerKey(const TFtpSettings& settings)
{
    // A key no server has: libcurl names the server's key and ends the
    // connection when it does not match, before the login.
    TFtpSettings probe = settings;
    probe.tls = true;
    probe.pinnedKey = QStringLiteral("sha256//AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA=");
    probe.user = QStringLiteral("anonymous");
    probe.password.clear();
    QString key;
    const QLatin1String marker("public key hash: sha256//");
    TFtpClient client(probe, [&key, marker](LineKind kind, const QString& line) {
        const qsizetype at = line.indexOf(marker);
        if (kind == LineKind::Status && at >= 0 && key.isEmpty())
            key = QStringLiteral("sha256//") + line.mid(at + marker.size()).trimmed();
    });
    if (client.Connect())
        client.Quit(); // a server that took the wrong key: nothing to trust
    return client.Error().untrusted ? key : QString();
}

bool TFtpClient::Connect()
{
    const QString host = m_settings.host.trimmed();
    if (host.isEmpty())
        return Refuse(QStringLiteral("no host"));
    for (const QString* text : {&m_settings.host, &m_settings.user, &m_settings.password})
        if (HasControlCharacter(*text))
            return Refuse(QStringLiteral("a setting holds a control character"));
    if (host.contains(QLatin1Char('/')) || host.contains(QLatin1Char('@')) || host.contains(QLatin1Char(' ')))
        return Refuse(QStringLiteral("the host is no host name"));
    if (m_settings.port < 1 || m_settings.port > 65535)
        return Refuse(QStringLiteral("the port is not between 1 and 65535"));
    m_folder.clear();
    m_connected = Perform(Step::Login, FolderUrl(), {});
    return m_connected;
}

QList<QByteArray> TFtpClient::BackHere() const
{
    if (m_folder.isEmpty())
        return {};
    return {"CWD " + m_folder.toUtf8()};
}

bool TFtpClient::ChangeDir(const QString& folder)
{
    if (HasControlCharacter(folder))
        return Refuse(QStringLiteral("the folder holds a control character"));
    m_lastPwd.clear();
    // The commands run before libcurl's own change into the step's folder,
    // wherever the last step left the connection: back into the current
    // folder first, then the one change as given. The folder as the server
    // names it afterwards comes from PWD; libcurl never resolves ".." itself.
    QList<QByteArray> commands = BackHere();
    commands << "CWD " + folder.toUtf8() << "PWD";
    if (!Perform(Step::Cwd, FolderUrl(), commands))
        return false;
    const QString now = FolderOfPwd(m_lastPwd);
    if (!now.isEmpty())
        m_folder = now;
    return true;
}

bool TFtpClient::PrintDir(QString* folder)
{
    m_lastPwd.clear();
    if (!Perform(Step::Pwd, FolderUrl(), BackHere() << "PWD"))
        return false;
    const QString now = FolderOfPwd(m_lastPwd);
    if (now.isEmpty())
        return Refuse(QStringLiteral("the server named no folder"));
    m_folder = now;
    if (folder)
        *folder = now;
    return true;
}

bool TFtpClient::List(QList<TFtpEntry>* entries)
{
    QList<TFtpEntry> found;
    m_entries = &found;
    const bool ok = Perform(Step::List, FolderUrl() + '*', {});
    m_entries = nullptr;
    if (ok && entries)
        *entries = found;
    return ok;
}

bool TFtpClient::Store(const QString& name, const QByteArray& data, Progress progress)
{
    if (name.isEmpty() || HasControlCharacter(name))
        return Refuse(QStringLiteral("the file name is empty or holds a control character"));
    m_upload = &data;
    m_uploaded = 0;
    m_progress = std::move(progress);
    const bool ok = Perform(Step::Store, FolderUrl() + Encoded(name), {});
    m_upload = nullptr;
    m_progress = {};
    return ok;
}

bool TFtpClient::Retrieve(const QString& name, QByteArray* data, Progress progress)
{
    if (name.isEmpty() || HasControlCharacter(name))
        return Refuse(QStringLiteral("the file name is empty or holds a control character"));
    QByteArray received;
    m_download = &received;
    m_progress = std::move(progress);
    const bool ok = Perform(Step::Retrieve, FolderUrl() + Encoded(name, "/"), {});
    m_download = nullptr;
    m_progress = {};
    if (ok && data)
        *data = std::move(received);
    return ok;
}

bool TFtpClient::FileInfo(const QString& name, qint64* size, QDateTime* time)
{
    if (name.isEmpty() || HasControlCharacter(name))
        return Refuse(QStringLiteral("the file name is empty or holds a control character"));
    m_infoSize = -1;
    m_infoTime = QDateTime();
    if (!Perform(Step::Info, FolderUrl() + Encoded(name, "/"), {}))
        return false;
    if (m_infoSize < 0)
        return Refuse(QStringLiteral("the server did not tell the size of ") + name);
    if (size)
        *size = m_infoSize;
    if (time)
        *time = m_infoTime;
    return true;
}

bool TFtpClient::Delete(const QString& name)
{
    if (name.isEmpty() || HasControlCharacter(name))
        return Refuse(QStringLiteral("the file name is empty or holds a control character"));
    return Perform(Step::Command, FolderUrl(), BackHere() << "DELE " + name.toUtf8());
}

bool TFtpClient::Rename(const QString& from, const QString& to)
{
    if (from.isEmpty() || to.isEmpty() || HasControlCharacter(from) || HasControlCharacter(to))
        return Refuse(QStringLiteral("the file name is empty or holds a control character"));
    return Perform(Step::Command, FolderUrl(),
                   BackHere() << "RNFR " + from.toUtf8() << "RNTO " + to.toUtf8());
}

bool TFtpClient::Site(const QString& command)
{
    if (command.isEmpty() || HasControlCharacter(command))
        return Refuse(QStringLiteral("the command is empty or holds a control character"));
    return Perform(Step::Command, FolderUrl(), BackHere() << "SITE " + command.toUtf8());
}

void TFtpClient::Quit()
{
    if (!m_handle)
        return;
    if (m_handle->curl)
        m_handle->api.easy_cleanup(m_handle->curl); // sends QUIT on an open connection
    m_handle->api.slist_free_all(m_handle->quote);
    delete m_handle;
    m_handle = nullptr;
    m_connected = false;
}
