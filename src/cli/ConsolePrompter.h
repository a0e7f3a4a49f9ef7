#pragma once

#include "app/Prompter.h"

// Messages go to standard error; questions are answered with Cancel, since
// nobody is there to answer them.
class ConsolePrompter : public Prompter
{
public:
    void Message(const QString& text, const QString& caption, Icon icon) override;
    Answer Question(const QString& text, const QString& caption, Icon icon, bool withCancel) override;
};
