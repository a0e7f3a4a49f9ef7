#pragma once

#include "base/Result.h"

#include <QString>
#include <QStringList>
#include <functional>

class TProgramSettings;

// The recently used project files, kept in "history.xml" in the
// application-data folder, oldest first. The file is read at every access
// and written back at once. Its length follows the program setting, which
// may change while the program runs: a lowered length trims the oldest
// entries at the next access.
class TFileHistory
{
public:
    using LengthSource = std::function<int()>;

    // Writes an empty history when the file is missing.
    TFileHistory(const QString& appDataFolder, LengthSource numLastUsed);
    TFileHistory(const QString& appDataFolder, const TProgramSettings& settings);

    // Enters an existing file as the newest entry. A path already listed
    // moves to the end; a full history drops its oldest path.
    // Fails when the history file cannot be written.
    TStatus WriteFileToHistory(const QString& path);

    // The paths for the "recently used" menu, newest first (the trim this
    // involves is saved when it can be; the menu shows the paths either way).
    QStringList MenuEntries() const;

    const QString& HistoryFileName() const { return m_fileName; }

private:
    QString m_fileName;
    LengthSource m_length;
};
