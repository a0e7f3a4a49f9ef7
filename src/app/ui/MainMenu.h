#pragma once

#include <QObject>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// The main window's commands, its menu bar and its tool bar. Each command
// is one action (named "act..."); the menu entries and tool buttons that
// start it carry their own names and text keys and follow its enabled
// state. Entries of commands that do not exist yet are shown disabled.
class TMainMenu : public QObject
{
    Q_OBJECT
public:
    explicit TMainMenu(QMainWindow* window);

    // A command by name ("actNew", "actOpen", "actSave", "actSaveAs",
    // "actExit", "actHTML", "actPHP", "actCopyHtml", "actCopyPHP",
    // "actPreviewWindows", "actUpload", "actFtpProfiles", "actHtmlExportFile",
    // "actProjectSettings", "actErwEinstellungen", "actFormmailTemplates",
    // "actProgramSettings", "actTemplates", "actHelp", "actInfo",
    // "actVersionCheck", "actLocalTest").
    QAction* Command(const char* name) const;
    QMenu* FileMenu() const { return m_fileMenu; }
    QMenu* RecentMenu() const { return m_recentMenu; }

private:
    QAction* NewCommand(const char* name);
    QMenu* Menu(const char* name, int key, const QString& text);
    QAction* Entry(QMenu* menu, const char* name, int key, const QString& text, const char* command);
    void BuildMenus();
    void BuildToolBar();

    QMainWindow* m_window;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_recentMenu = nullptr;
};
