#pragma once

// The main window as the desktop program makes it: with the services and the
// open project (the session), which outlive the window. Used like a pointer
// to the window.
#include "app/AppPaths.h"
#include "app/AppServices.h"
#include "app/ProgramSettings.h"
#include "app/ProjectSession.h"
#include "app/ui/frmMain.h"

#include <memory>

class MainWindowRig
{
public:
    MainWindowRig(Prompter& prompter, const QString& startupFile)
        : services(prompter, AppPaths::DataDir(), GetAppDataFolder()), session(services),
          window(std::make_unique<TfrmMain>(services, session))
    {
        window->SetStartupFile(startupFile);
        window->show();
    }

    TfrmMain* operator->() const { return window.get(); }
    TfrmMain& operator*() const { return *window; }
    TfrmMain* get() const { return window.get(); }

    TAppServices services;
    TProjectSession session;
    std::unique_ptr<TfrmMain> window; // goes first
};
