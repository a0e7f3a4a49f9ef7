#pragma once

#include "app/GenerationCommands.h"
#include "app/ProjectCommands.h"
#include "model/FormProject.h"

class TAppServices;

// The open project and the commands on it: the file commands and the
// generation commands. It outlives the main window that shows it, so the
// window's pages may keep references to it until the very end.
class TProjectSession
{
public:
    explicit TProjectSession(TAppServices& services);
    TProjectSession(const TProjectSession&) = delete;
    TProjectSession& operator=(const TProjectSession&) = delete;

    TFormProject& Project() { return m_project; }
    TProjectCommands& Files() { return m_files; }
    TGenerationCommands& Generation() { return m_generation; }

private:
    TFormProject m_project;
    TProjectCommands m_files;
    TGenerationCommands m_generation;
};
