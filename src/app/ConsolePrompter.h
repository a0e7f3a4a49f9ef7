#pragma once

#include "base/Prompter.h"

// Messages go to standard error; questions are answered with Cancel and file
// dialogs are cancelled, since nobody is there to answer them.
class ConsolePrompter : public Prompter
{
public:
    void Message(const QString& text, const QString& caption, Icon icon) override;
    Answer Question(const QString& text, const QString& caption, Icon icon, bool withCancel,
                    Answer preselected) override;
    QString OpenFileName(const FileRequest& request) override;
    QString SaveFileName(const FileRequest& request) override;
};
