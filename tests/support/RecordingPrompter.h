#pragma once

#include "base/Prompter.h"

#include <QList>
#include <QStringList>

// A prompter for tests: records every message, question and file dialog,
// answers the questions from a script (Cancel once the script runs out) and
// the file dialogs from a list of names (cancelled once it runs out).
class RecordingPrompter : public Prompter
{
public:
    struct Entry
    {
        QString text;
        QString caption;
        Icon icon;
        bool question;
        Answer preselected = Answer::Yes;
    };

    struct FileEntry
    {
        bool save;
        FileRequest request;
    };

    void Message(const QString& text, const QString& caption, Icon icon) override
    {
        entries << Entry{text, caption, icon, false};
    }

    Answer Question(const QString& text, const QString& caption, Icon icon, bool,
                    Answer preselected = Answer::Yes) override
    {
        entries << Entry{text, caption, icon, true, preselected};
        return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
    }

    QString OpenFileName(const FileRequest& request) override
    {
        fileRequests << FileEntry{false, request};
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }

    QString SaveFileName(const FileRequest& request) override
    {
        fileRequests << FileEntry{true, request};
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }

    QStringList Texts() const
    {
        QStringList out;
        for (const Entry& e : entries)
            out << e.text;
        return out;
    }

    void Clear()
    {
        entries.clear();
        fileRequests.clear();
    }

    QList<Entry> entries;
    QList<Answer> answers;
    QList<FileEntry> fileRequests;
    QStringList fileNames; // an empty name cancels that dialog
};
