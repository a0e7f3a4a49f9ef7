#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class Prompter;
class TAppServices;
class TLanguageTexts;

// Opening web addresses and Quorvel's own help pages in the desktop's
// browser. The help pages lie in the data folder's "help" folder, one file
// per language ("de_" + name for Deutsch, "en_" + name for every other).

// Hands an address to the desktop; false when nothing could be started.
using TUrlOpener = std::function<bool(const QUrl&)>;

// The desktop's own opener (QDesktopServices).
TUrlOpener DesktopUrlOpener();

// Opens the address; when no browser could be started, says so.
// opener: the desktop's when empty.
bool OpenInBrowser(const QUrl& url, const TLanguageTexts& texts, Prompter& prompter,
                   const TUrlOpener& opener = {});

// The path of the help page name ("formmailer.htm") in the language: the
// language's own file, else the English one when only that exists; empty
// when neither exists.
QString HelpPagePath(const QString& dataDir, const QString& language, const QString& name);

// Opens the help page name in the current language; a missing page and a
// browser that could not be started are reported.
bool OpenHelpPage(const QString& name, const TLanguageTexts& texts, const QString& dataDir,
                  Prompter& prompter, const TUrlOpener& opener = {});
bool OpenHelpPage(const QString& name, const TAppServices& services, const TUrlOpener& opener = {});
