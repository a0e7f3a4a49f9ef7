#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <atomic>
#include <functional>

// What a connection to an FTP server needs. Texts go into FTP commands as
// they are, so none of them may hold a control character (FtpClient checks).
struct TFtpSettings
{
    QString host;
    int port = 21;
    QString user;
    QString password;
    bool passive = true;
    // Explicit FTPS: AUTH TLS, and every command and transfer encrypted.
    bool tls = false;
    // With tls: "sha256//<base64>" of the one server key accepted although
    // its certificate is not signed by a known authority (a self-signed one).
    QString pinnedKey;
    // Seconds: to reach the server, for each reply, and for a transfer that
    // moves less than a byte a second.
    int connectTimeout = 15;
    int replyTimeout = 20;
    int stallTimeout = 20;

    // A port as typed: a whole number a server can listen on (1 to 65535),
    // or 0.
    static int PortOf(const QString& typed);
};

// One entry of a folder listing.
struct TFtpEntry
{
    enum class Kind { File, Folder, Link, Other };
    QString name;
    qint64 size = 0;
    QDateTime time; // on the server's clock; invalid when the server gave none
    Kind kind = Kind::File;
};

// A client for one FTP connection, kept open between its steps (connect,
// change folder, list, store), so that what the server says arrives in the
// order of the steps and each failure belongs to one step. Not thread-safe:
// one thread uses one client.
class TFtpClient
{
public:
    // What the client says and hears, line by line.
    enum class LineKind { Status, Sent, Received };
    using LineHook = std::function<void(LineKind kind, const QString& line)>;
    // Bytes sent and to send of the running transfer; false cancels it.
    using Progress = std::function<bool(qint64 done, qint64 total)>;

    // How a step failed: the server refused with a reply (code 400 and
    // above, the reply's text kept), or something else (no connection,
    // time-out, a refused setting).
    struct TError
    {
        bool serverReply = false;
        int replyCode = 0;
        QString text;
        // The TLS server could not be trusted: its certificate is not signed
        // by a known authority, or its key is not the accepted one.
        bool untrusted = false;
    };

    explicit TFtpClient(TFtpSettings settings, LineHook hook = {});
    ~TFtpClient();
    TFtpClient(const TFtpClient&) = delete;
    TFtpClient& operator=(const TFtpClient&) = delete;

    // Binary (image) or ASCII transfers; ASCII sends TYPE A and the bytes
    // as they are.
    void SetBinary(bool binary) { m_binary = binary; }

    // Connects and logs in.
    bool Connect();
    // Changes the folder with one CWD of the text as given (nested or
    // absolute paths included, ".." as the server understands it).
    bool ChangeDir(const QString& folder);
    // The current folder as the server's PWD reply names it.
    bool PrintDir(QString* folder);
    // The entries of the current folder, parsed from the detailed listing.
    bool List(QList<TFtpEntry>* entries);
    // Stores the bytes in the current folder under the name, replacing a
    // file of that name.
    bool Store(const QString& name, const QByteArray& data, Progress progress = {});
    // Fetches the file of that name (a path below the current folder may
    // name a subfolder: "files/a-1") into data; progress counts the bytes
    // received of all there are (0 when the server did not say).
    bool Retrieve(const QString& name, QByteArray* data, Progress progress = {});
    // The size and the modification time (UTC, whole seconds) of a file in
    // the current folder, by SIZE and MDTM; time is invalid when the server
    // does not tell.
    bool FileInfo(const QString& name, qint64* size, QDateTime* time);
    // Deletes a file of the current folder (a path below it as in Retrieve).
    bool Delete(const QString& name);
    // Renames a file of the current folder, replacing one called to where
    // the server allows it.
    bool Rename(const QString& from, const QString& to);
    // Sends one SITE command (SITE CHMOD 600 name, say); many servers know
    // none, which callers take as no harm.
    bool Site(const QString& command);
    // Ends the connection with QUIT.
    void Quit();

    bool IsConnected() const { return m_connected; }
    const TError& Error() const { return m_error; }
    // The last reply line the server sent.
    const QString& LastReply() const { return m_lastReply; }

    // The key of a TLS server ("sha256//<base64>"), as accepted by
    // TFtpSettings::pinnedKey, or an empty text when it cannot be had. The
    // connection ends right after the handshake: no user name or password
    // goes to the server.
    static QString ServerKey(const TFtpSettings& settings);

    // Why a text cannot go into an FTP command (a control character), or
    // an empty text.
    static bool HasControlCharacter(const QString& text);
    // The time of a listing line as the server wrote it ("Mar  5 14:07",
    // "Mar  5  2023", "03-05-24  02:07PM"), on the server's clock; invalid
    // when it is none of these. A Unix time without a year lies in the
    // twelve months up to today.
    static QDateTime ListingTime(const QString& text, const QDate& today);

private:
    struct Handle;
    enum class Step { Login, Cwd, Pwd, List, Store, Retrieve, Info, Command };
    bool Perform(Step step, const QByteArray& url, const QList<QByteArray>& commands);
    QByteArray FolderUrl() const;
    // Commands that run before libcurl's own folder change, wherever the
    // last step left the connection: back into the current folder first.
    QList<QByteArray> BackHere() const;
    bool Refuse(const QString& text);
    void Line(LineKind kind, const QString& line) const;
    void TakeReplies(const QByteArray& data);

    TFtpSettings m_settings;
    LineHook m_hook;
    Handle* m_handle = nullptr;
    bool m_binary = false;
    bool m_connected = false;
    QString m_folder; // absolute, as the server named it; empty: the login folder
    TError m_error;
    QString m_lastReply;
    QString m_lastPwd;
    QByteArray m_partial; // a received line not complete yet

    // Transfer state for the callbacks.
    const QByteArray* m_upload = nullptr;
    QByteArray* m_download = nullptr;
    qint64 m_uploaded = 0;
    Progress m_progress;
    QList<TFtpEntry>* m_entries = nullptr;
    // Of the last Info step.
    qint64 m_infoSize = -1;
    QDateTime m_infoTime;

    friend struct FtpCallbacks;
};
