#pragma once

#include "ui/HelpPage.h"

#include <QString>

class Prompter;
class TLanguageTexts;

// The test of a form-mailer address: the address with "?action=checkurl"
// opened in the desktop's browser, where the user judges the script's
// answer. Only http and https addresses are opened; anything else is
// refused with a message. opener: the desktop's when empty.
bool TestFormMailer(const QString& address, const TLanguageTexts& texts, Prompter& prompter,
                    const TUrlOpener& opener = {});
