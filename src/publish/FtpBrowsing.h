#pragma once

#include "publish/FtpClient.h"

#include <QList>
#include <QLocale>
#include <QString>

#include <memory>

class Prompter;
class TLanguageTexts;

// One row of a folder listing as the browser shows it.
struct TFtpListingRow
{
    QString name;
    QString size; // empty for a folder
    QString date;
    QString kind; // "<DIR>" for a folder
    bool folder = false;
};

// Walking through the folders of an FTP server, read-only: connect and list
// the start folder, go into a folder, one level up, list again, disconnect.
// A step the server refuses is said through the prompter; a folder that
// cannot be listed ends the connection, so what is shown is always what the
// server listed last. Each step blocks until the server answered (the
// client's time-outs are short).
class TFtpBrowsing
{
public:
    // Every line the client says, sends and hears.
    using Protocol = TFtpClient::LineHook;

    TFtpBrowsing(const TLanguageTexts& texts, Prompter& prompter, Protocol protocol);
    ~TFtpBrowsing();
    TFtpBrowsing(const TFtpBrowsing&) = delete;
    TFtpBrowsing& operator=(const TFtpBrowsing&) = delete;

    // Connects, goes into startFolder when it is set and exists, and lists
    // the folder the server is in then. False (and a message) when the
    // connection, the login or the listing failed; it is closed then.
    bool Connect(const TFtpSettings& settings, const QString& startFolder);
    // Goes into a folder of the listing by its name. A name that could not
    // stand in an FTP command (a line end in it) is not sent: false, and
    // nothing changes.
    bool Enter(const QString& name);
    bool Up();
    bool Refresh();
    // Ends the connection with QUIT; the folder is "/" again and the
    // listing empty.
    void Disconnect();

    bool IsConnected() const;
    // The current folder as the server named it; "/" when not connected.
    const QString& Folder() const { return m_folder; }
    const QList<TFtpEntry>& Entries() const { return m_entries; }

    static TFtpListingRow RowOf(const TFtpEntry& entry, const QLocale& locale = QLocale());
    // A protocol line as it is shown: sent text after ">> ", received after
    // "<< ", the client's own notes as they are.
    static QString ProtocolLine(TFtpClient::LineKind kind, const QString& line);

private:
    // Changes into folder (relative or absolute) and lists it; on failure
    // says so and disconnects.
    bool Open(const QString& folder);
    bool Fail(const char* key);

    const TLanguageTexts& m_texts;
    Prompter& m_prompter;
    Protocol m_protocol;
    std::unique_ptr<TFtpClient> m_client;
    QString m_folder;
    QList<TFtpEntry> m_entries;
};
