#pragma once

#include "app/Prompter.h"

#include <QList>
#include <QStringList>

// A prompter for tests: records every message and question and answers the
// questions from a script (Cancel once the script runs out).
class RecordingPrompter : public Prompter
{
public:
    struct Entry
    {
        QString text;
        QString caption;
        Icon icon;
        bool question;
    };

    void Message(const QString& text, const QString& caption, Icon icon) override
    {
        entries << Entry{text, caption, icon, false};
    }

    Answer Question(const QString& text, const QString& caption, Icon icon, bool) override
    {
        entries << Entry{text, caption, icon, true};
        return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
    }

    QStringList Texts() const
    {
        QStringList out;
        for (const Entry& e : entries)
            out << e.text;
        return out;
    }

    QList<Entry> entries;
    QList<Answer> answers;
};
