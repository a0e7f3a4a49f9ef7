#pragma once

#include <QString>

// Where Quorvel finds the files it ships (templates, lang.ini, default
// projects) and where it keeps its per-user files.
namespace AppPaths
{
// The data folder: the override when one was set, else QUORVEL_DATA_DIR,
// else <exe>/../share/quorvel when it exists, else the executable's folder.
// The result ends without a separator.
QString DataDir();

// Set by --data-dir; an empty text removes the override.
void SetDataDirOverride(const QString& dir);

// A file inside the data folder.
QString DataFile(const QString& relativePath);
} // namespace AppPaths
