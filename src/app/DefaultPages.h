#pragma once

#include <QString>
#include <QStringList>

class Prompter;

// What the desktop program does where there is no display to show a window
// on: it generates both pages of the default project of the interface
// language into a folder, so a run on a server still shows what Quorvel
// makes.
namespace DefaultPages
{
// Writes "formular.htm" and "formular.php" (with the calendar picture when
// needed) into folder; the files written, empty when something failed (the
// prompter has said what).
QStringList Generate(const QString& folder, Prompter& prompter);
} // namespace DefaultPages
