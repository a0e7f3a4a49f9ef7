#pragma once

#include "base/Prompter.h"
#include "projectfile/ProjectFile.h"

#include <QString>
#include <QStringList>
#include <functional>

class TFileHistory;
class TFormProject;
class TLanguageTexts;

// The file commands of the main window: New, Open, Save, Save As, recent
// files, dropped files, the start-up load and the question before the
// project is replaced or closed. Each command that returns true has replaced
// the project's contents, so the window must show them anew.
//
// A command whose save question was answered with Yes goes on only when the
// project was really saved: cancelling the Save dialog or a failing write
// ends the command, so unsaved work is never thrown away. A file that fails
// to load leaves the project, its file path, the status text and the recent
// files as they were.
class TProjectCommands
{
public:
    using LanguageSource = std::function<QString()>;

    // history may be null (no recent files). The default projects
    // "default_<language>.qvf" lie in dataDir.
    TProjectCommands(TFormProject& project, const TLanguageTexts& texts, Prompter& prompter,
                     TFileHistory* history, QString dataDir);

    bool New();
    bool Open();
    bool OpenProjectFile(const QString& path);
    bool OpenRecent(const QString& path);
    bool DropFiles(const QStringList& paths);
    bool Save();
    bool SaveAs();
    bool SaveProjectFile(const QString& path);
    bool LoadDefaultProject();
    // The project of the command-line argument, or the default project.
    bool StartUp(const QString& argument);
    // Whether the window may close (asks whether to save first).
    bool ConfirmClose();

    // What the status bar shows: the project's file, "unbenannt.qvf" after a
    // start without a file, nothing after New.
    const QString& StatusText() const { return m_status; }

    static const QString UntitledName;
    static const QString ProjectFilter;

private:
    // The question before the project is replaced; true when the command
    // may go on.
    bool AskSave(const QString& text, const QString& caption);
    bool Load(const QString& path);
    void TakeFile(const QString& path);
    // Enters the file into the recent files.
    void Remember(const QString& path);

    TFormProject& m_project;
    const TLanguageTexts& m_texts;
    Prompter& m_prompter;
    TFileHistory* m_history;
    QString m_dataDir;
    TProjectFile m_file;
    QString m_status;
    QString m_lastFolder;
};
