#pragma once

#include <QString>

// The one way the core talks to the person in front of the program. The
// desktop program answers with message boxes, the command-line tool prints,
// and the tests script the answers.
class Prompter
{
public:
    enum class Icon { None, Information, Warning, Error, Question };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~Prompter() = default;

    // A notice with an OK button. An empty caption means the program's title.
    virtual void Message(const QString& text, const QString& caption = QString(), Icon icon = Icon::None) = 0;

    // A question with Yes and No, and Cancel when withCancel is set.
    virtual Answer Question(const QString& text, const QString& caption, Icon icon, bool withCancel) = 0;
};
