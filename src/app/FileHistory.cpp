#include "app/FileHistory.h"

#include "app/ProgramSettings.h"
#include "base/AtomicFile.h"

#include <QDateTime>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace
{
const QString RootName = QStringLiteral("History");
const QString EntryName = QStringLiteral("HistoryFile");

QDomDocument EmptyHistory()
{
    QDomDocument doc;
    doc.appendChild(doc.createProcessingInstruction(QStringLiteral("xml"),
                                                    QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")));
    doc.appendChild(doc.createElement(RootName));
    return doc;
}

// A file that cannot be read or parsed, or that holds another document,
// counts as an empty history: the next save replaces it, so a damaged file
// costs the list once and is not reported again at every look.
QDomDocument Load(const QString& fileName)
{
    QFile file(fileName);
    QDomDocument doc;
    if (!file.open(QIODevice::ReadOnly) || !doc.setContent(&file) ||
        doc.documentElement().tagName() != RootName)
        return EmptyHistory();
    return doc;
}

TStatus Save(const QDomDocument& doc, const QString& fileName)
{
    return WriteFileAtomically(fileName, doc.toByteArray(2));
}

QList<QDomElement> Entries(const QDomElement& root)
{
    QList<QDomElement> list;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        list << e;
    return list;
}

void SetText(QDomElement& element, const QString& text)
{
    while (element.hasChildNodes())
        element.removeChild(element.firstChild());
    element.appendChild(element.ownerDocument().createTextNode(text));
}

void Trim(QDomElement& root, int length)
{
    QList<QDomElement> entries = Entries(root);
    while (entries.size() > qMax(0, length))
        root.removeChild(entries.takeFirst());
}
} // namespace

TFileHistory::TFileHistory(const QString& appDataFolder, LengthSource numLastUsed)
    : m_fileName(appDataFolder + QStringLiteral("/history.xml")), m_length(std::move(numLastUsed))
{
    if (!QFileInfo::exists(m_fileName)) {
        QDir().mkpath(appDataFolder);
        // A history that cannot be made stays empty; WriteFileToHistory
        // reports the failure when it matters.
        (void)Save(EmptyHistory(), m_fileName);
    }
}

TFileHistory::TFileHistory(const QString& appDataFolder, const TProgramSettings& settings)
    : TFileHistory(appDataFolder, [&settings] { return settings.NumLastUsed(); })
{
}

TStatus TFileHistory::WriteFileToHistory(const QString& path)
{
    if (!QFileInfo::exists(path))
        return {};
    QDomDocument doc = Load(m_fileName);
    QDomElement root = doc.documentElement();
    const int length = m_length();
    Trim(root, length);
    QList<QDomElement> entries = Entries(root);

    // The entries keep their places and "ID"s; only the paths move forward.
    int found = -1;
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].text() == path)
            found = i;
    if (found < 0 && entries.size() < length) {
        QDomElement entry = doc.createElement(EntryName);
        entry.setAttribute(QStringLiteral("ID"),
                           QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat));
        entry.appendChild(doc.createTextNode(path));
        root.appendChild(entry);
    } else if (!entries.isEmpty()) {
        for (int i = qMax(found, 0); i + 1 < entries.size(); ++i)
            SetText(entries[i], entries[i + 1].text());
        SetText(entries.last(), path);
    }
    return Save(doc, m_fileName);
}

QStringList TFileHistory::MenuEntries() const
{
    QDomDocument doc = Load(m_fileName);
    QDomElement root = doc.documentElement();
    Trim(root, m_length());
    QStringList paths;
    const QList<QDomElement> entries = Entries(root);
    for (auto it = entries.crbegin(); it != entries.crend(); ++it)
        paths << it->text();
    (void)Save(doc, m_fileName);
    return paths;
}
