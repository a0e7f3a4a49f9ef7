#pragma once

#include <QString>

// Looking for a newer version is the job of a separate program "updater"
// beside Quorvel's own; Quorvel only starts it, and asks no server itself.
namespace Updater
{
enum class TStart { Started, Missing, Failed };

// The updater in folder (by default the program's own): started and left
// running on its own, or why not.
TStart Start(const QString& folder = QString());
QString PathIn(const QString& folder = QString());
} // namespace Updater
