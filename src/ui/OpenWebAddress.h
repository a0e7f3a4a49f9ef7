#pragma once

#include <QString>

class Prompter;
class TLanguageTexts;

// A link test button's command: the address in the user's browser when it
// is an http or https address; a message otherwise, and when no browser
// could be started. True when the browser took it.
bool OpenWebAddress(const QString& text, const TLanguageTexts& texts, Prompter& prompter);
