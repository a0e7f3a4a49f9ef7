#pragma once

#include <QString>

// The one way the core talks to the person in front of the program. The
// desktop program answers with message boxes and file dialogs, the
// command-line tool prints, and the tests script the answers.
class Prompter
{
public:
    enum class Icon { None, Information, Warning, Error, Question };
    enum class Answer { Ok, Yes, No, Cancel };

    // What a file dialog shows. The filter is in Qt's form, entries separated
    // by ";;" ("Quorvel Datei (*.qvf);;Alle Dateien (*)").
    struct FileRequest
    {
        QString caption;  // empty: the window system's own caption
        QString fileName; // proposed name (with or without a folder)
        QString folder;   // where the dialog starts when fileName has no folder
        QString filter;
        QString defaultSuffix; // added to a chosen name without one ("qvf", no dot)
        bool confirmOverwrite = true;
    };

    virtual ~Prompter() = default;

    // A notice with an OK button. An empty caption means the program's title.
    virtual void Message(const QString& text, const QString& caption = QString(), Icon icon = Icon::None) = 0;

    // A question with Yes and No, and Cancel when withCancel is set;
    // preselected is the button that Enter presses.
    virtual Answer Question(const QString& text, const QString& caption, Icon icon, bool withCancel,
                            Answer preselected = Answer::Yes) = 0;

    // The chosen file's full path, or an empty text when the dialog was
    // cancelled. Without anybody to choose, every dialog counts as cancelled.
    virtual QString OpenFileName(const FileRequest&) { return QString(); }
    virtual QString SaveFileName(const FileRequest&) { return QString(); }
};
