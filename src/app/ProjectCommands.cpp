#include "app/ProjectCommands.h"

#include "app/FileHistory.h"
#include "base/LanguageTexts.h"
#include "model/FormProject.h"

#include <QDebug>
#include <QFileInfo>

const QString TProjectCommands::UntitledName = QStringLiteral("unbenannt.qvf");
const QString TProjectCommands::ProjectFilter = QStringLiteral("Quorvel Datei (*.qvf);;Alle Dateien (*)");

namespace
{
const QString ProposedName = QStringLiteral("formular.qvf");
} // namespace

TProjectCommands::TProjectCommands(TFormProject& project, const TLanguageTexts& texts, Prompter& prompter,
                                   TFileHistory* history, QString dataDir)
    : m_project(project), m_texts(texts), m_prompter(prompter), m_history(history),
      m_dataDir(std::move(dataDir)), m_file(texts)
{
}

bool TProjectCommands::AskSave(const QString& text, const QString& caption)
{
    switch (m_prompter.Question(text, caption, Prompter::Icon::Information, true)) {
    case Prompter::Answer::Yes: return Save();
    case Prompter::Answer::No: return true;
    default: return false;
    }
}

bool TProjectCommands::Load(const QString& path)
{
    QStringList notes;
    const TStatus loaded = m_file.LoadProject(m_project, path, &notes);
    // What the load passed over is for whoever looks into the file, too.
    for (const QString& note : notes)
        qWarning().noquote() << path << note;
    if (!loaded) {
        m_prompter.Message(m_texts.Text(QStringLiteral("txtMainFrmNoQVFile")));
        // The message is the one users know; the reason is for whoever
        // looks into the file.
        qWarning().noquote() << path << loaded.Error();
    }
    return loaded.Ok();
}

void TProjectCommands::Remember(const QString& path)
{
    if (!m_history)
        return;
    // A recent-files list that cannot be written costs only the menu entry:
    // the command itself succeeded, so it is noted, not shown.
    if (const TStatus entered = m_history->WriteFileToHistory(path); !entered)
        qWarning().noquote() << entered.Error();
}

void TProjectCommands::TakeFile(const QString& path)
{
    m_project.bSaved = true;
    m_project.strSavePath = path;
    m_status = path;
    m_lastFolder = QFileInfo(path).absolutePath();
}

bool TProjectCommands::LoadDefaultProject()
{
    QString path =
        m_dataDir + QStringLiteral("/default_") + m_texts.CurrentLanguage() + QStringLiteral(".qvf");
    if (!QFileInfo::exists(path))
        path = m_dataDir + QStringLiteral("/default_Deutsch.qvf");
    return Load(path);
}

bool TProjectCommands::New()
{
    if (!ConfirmClose())
        return false;
    LoadDefaultProject();
    m_project.bSaved = false;
    m_project.strSavePath.clear();
    m_status.clear();
    return true;
}

bool TProjectCommands::Open()
{
    if (!ConfirmClose())
        return false;
    Prompter::FileRequest request;
    request.folder = m_lastFolder;
    request.filter = ProjectFilter;
    const QString path = m_prompter.OpenFileName(request);
    if (path.isEmpty())
        return false;
    return OpenProjectFile(path);
}

bool TProjectCommands::OpenProjectFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        m_prompter.Message(m_texts.Text(QStringLiteral("txtMainFrmFileNotFound")));
        return false;
    }
    if (info.suffix().compare(QLatin1String("qvf"), Qt::CaseInsensitive) != 0) {
        m_prompter.Message(m_texts.Text(QStringLiteral("txtMainFrmExtUnknown")));
        return false;
    }
    if (!Load(path))
        return false;
    TakeFile(path);
    Remember(path);
    return true;
}

bool TProjectCommands::OpenRecent(const QString& path)
{
    if (path == m_project.strSavePath)
        return false;
    if (!ConfirmClose())
        return false;
    return OpenProjectFile(path);
}

bool TProjectCommands::DropFiles(const QStringList& paths)
{
    bool replaced = false;
    for (const QString& path : paths) {
        if (!AskSave(QStringLiteral("Soll die aktuelle Datei gespeichert werden?"),
                     QStringLiteral("Speichern?")))
            break;
        if (!Load(path))
            continue;
        TakeFile(path);
        replaced = true;
    }
    return replaced;
}

bool TProjectCommands::Save()
{
    if (m_project.bSaved && !m_project.strSavePath.isEmpty())
        return SaveProjectFile(m_project.strSavePath);
    return SaveAs();
}

bool TProjectCommands::SaveAs()
{
    Prompter::FileRequest request;
    request.fileName = ProposedName;
    request.folder = m_lastFolder;
    request.filter = ProjectFilter;
    request.defaultSuffix = QStringLiteral("qvf");
    const QString path = m_prompter.SaveFileName(request);
    if (path.isEmpty())
        return false;
    return SaveProjectFile(path);
}

bool TProjectCommands::SaveProjectFile(const QString& path)
{
    const TStatus saved = m_file.SaveProject(m_project, path);
    if (!saved) {
        m_prompter.Message(path + QStringLiteral("\n") + saved.Failure().What,
                           m_texts.Text(QStringLiteral("MsgError")), Prompter::Icon::Error);
        return false;
    }
    TakeFile(path);
    Remember(path);
    return true;
}

bool TProjectCommands::StartUp(const QString& argument)
{
    if (!argument.isEmpty() && Load(argument)) {
        TakeFile(argument);
        return true;
    }
    // Without an argument, or when its file did not load, the default
    // project stands in, and nothing ties it to the failed file.
    LoadDefaultProject();
    m_project.bSaved = false;
    m_project.strSavePath.clear();
    m_status = UntitledName;
    return true;
}

// Every command that replaces or closes the project asks this first.
bool TProjectCommands::ConfirmClose()
{
    return AskSave(m_texts.Text(QStringLiteral("txtMainFrmSave1")),
                   m_texts.Text(QStringLiteral("txtMainFrmSave2")));
}
