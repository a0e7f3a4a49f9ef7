#include "app/ProjectSession.h"

#include "app/AppServices.h"

TProjectSession::TProjectSession(TAppServices& services)
    : m_files(m_project, services.Texts(), services.Prompt(), &services.History(), services.DataDir()),
      m_generation(m_project, services.Texts(), services.Prompt(), services.DataDir())
{
}
