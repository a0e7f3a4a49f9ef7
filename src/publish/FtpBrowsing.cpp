#include "publish/FtpBrowsing.h"

#include "base/LanguageTexts.h"
#include "base/Prompter.h"

namespace
{
// The window waits for every answer, so no step may wait long.
constexpr int LongestWait = 10;

const QString Root = QStringLiteral("/");
} // namespace

TFtpBrowsing::TFtpBrowsing(const TLanguageTexts& texts, Prompter& prompter, Protocol protocol)
    : m_texts(texts), m_prompter(prompter), m_protocol(std::move(protocol)), m_folder(Root)
{
}

TFtpBrowsing::~TFtpBrowsing()
{
    Disconnect();
}

bool TFtpBrowsing::IsConnected() const
{
    return m_client && m_client->IsConnected();
}

bool TFtpBrowsing::Fail(const char* key)
{
    m_prompter.Message(m_texts.Text(QLatin1String(key)), m_texts.Text(QStringLiteral("MsgError")),
                       Prompter::Icon::Error);
    Disconnect();
    return false;
}

bool TFtpBrowsing::Connect(const TFtpSettings& settings, const QString& startFolder)
{
    Disconnect();
    TFtpSettings limited = settings;
    limited.connectTimeout = qMin(limited.connectTimeout, LongestWait);
    limited.replyTimeout = qMin(limited.replyTimeout, LongestWait);
    limited.stallTimeout = qMin(limited.stallTimeout, LongestWait);
    m_client = std::make_unique<TFtpClient>(limited, m_protocol);
    if (!m_client->Connect())
        return Fail("txtFTPBrowser1");
    // A start folder the server does not know leaves the login folder.
    if (!startFolder.isEmpty())
        m_client->ChangeDir(startFolder);
    // (A connection lost meanwhile is not opened again by asking.)
    QString folder;
    if (!m_client->IsConnected() || !m_client->PrintDir(&folder))
        return Fail("txtFTPBrowser1");
    return Open(folder);
}

bool TFtpBrowsing::Open(const QString& folder)
{
    if (!IsConnected())
        return false;
    m_client->SetBinary(false);
    QString now;
    QList<TFtpEntry> entries;
    if (!m_client->ChangeDir(folder) || !m_client->PrintDir(&now))
        return Fail("txtFTPBrowser2");
    m_folder = now;
    m_entries.clear();
    if (!m_client->List(&entries))
        return Fail("txtFTPBrowser2");
    m_entries = entries;
    return true;
}

bool TFtpBrowsing::Enter(const QString& name)
{
    if (name.isEmpty() || TFtpClient::HasControlCharacter(name))
        return false;
    return Open(name);
}

bool TFtpBrowsing::Up()
{
    return Open(QStringLiteral(".."));
}

bool TFtpBrowsing::Refresh()
{
    return Open(m_folder);
}

void TFtpBrowsing::Disconnect()
{
    m_folder = Root;
    m_entries.clear();
    if (!m_client)
        return;
    m_client->Quit();
    m_client.reset();
}

TFtpListingRow TFtpBrowsing::RowOf(const TFtpEntry& entry, const QLocale& locale)
{
    TFtpListingRow row;
    row.name = entry.name;
    row.folder = entry.kind == TFtpEntry::Kind::Folder;
    if (row.folder)
        row.kind = QStringLiteral("<DIR>");
    else
        row.size = QString::number(entry.size);
    if (entry.time.isValid())
        row.date = locale.toString(entry.time.date(), QLocale::ShortFormat) + QStringLiteral("     ") +
                   locale.toString(entry.time.time(), QLocale::ShortFormat);
    return row;
}

QString TFtpBrowsing::ProtocolLine(TFtpClient::LineKind kind, const QString& line)
{
    switch (kind) {
    case TFtpClient::LineKind::Sent: return QStringLiteral(">> ") + line;
    case TFtpClient::LineKind::Received: return QStringLiteral("<< ") + line;
    case TFtpClient::LineKind::Status: break;
    }
    return line;
}
