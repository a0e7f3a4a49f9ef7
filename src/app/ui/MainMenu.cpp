#include "app/ui/MainMenu.h"

#include "ui/TranslateInterface.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace
{
// Menu entries and tool buttons start their command and are enabled
// exactly while it is.
void FollowCommand(QObject* starter, QAction* command)
{
    if (auto* entry = qobject_cast<QAction*>(starter)) {
        QObject::connect(entry, &QAction::triggered, command, [command] { command->trigger(); });
        QObject::connect(command, &QAction::changed, entry,
                         [entry, command] { entry->setEnabled(command->isEnabled()); });
        entry->setEnabled(command->isEnabled());
    } else if (auto* button = qobject_cast<QToolButton*>(starter)) {
        QObject::connect(button, &QToolButton::clicked, command, [command] { command->trigger(); });
        QObject::connect(command, &QAction::changed, button,
                         [button, command] { button->setEnabled(command->isEnabled()); });
        button->setEnabled(command->isEnabled());
    }
}
} // namespace

TMainMenu::TMainMenu(QMainWindow* window) : QObject(window), m_window(window)
{
    for (const char* name : {"actNew",
                             "actOpen",
                             "actSave",
                             "actSaveAs",
                             "actExit",
                             "actHTML",
                             "actPHP",
                             "actCopyHtml",
                             "actCopyPHP",
                             "actPreviewWindows",
                             "actUpload",
                             "actFtpProfiles",
                             "actHtmlExportFile",
                             "actInfo",
                             "actVersionCheck",
                             "actProjectSettings",
                             "actErwEinstellungen",
                             "actFormmailTemplates",
                             "actProgramSettings",
                             "actTemplates",
                             "actHelp",
                             "actLocalTest",
                             "actSubmissions"})
        NewCommand(name);
    // Checked while a local test runs.
    Command("actLocalTest")->setCheckable(true);
    // The upload has no menu entry: its key works in the whole window.
    QAction* upload = Command("actUpload");
    upload->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
    upload->setShortcutContext(Qt::WindowShortcut);
    m_window->addAction(upload);
    BuildMenus();
    BuildToolBar();
}

QAction* TMainMenu::NewCommand(const char* name)
{
    auto* action = new QAction(m_window);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QAction* TMainMenu::Command(const char* name) const
{
    return m_window->findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

QMenu* TMainMenu::Menu(const char* name, int key, const QString& text)
{
    QMenu* menu = m_window->menuBar()->addMenu(text);
    menu->setObjectName(QString::fromLatin1(name));
    SetLangKey(menu, key);
    return menu;
}

QAction* TMainMenu::Entry(QMenu* menu, const char* name, int key, const QString& text, const char* command)
{
    auto* entry = new QAction(text, m_window);
    entry->setObjectName(QString::fromLatin1(name));
    SetLangKey(entry, key);
    menu->addAction(entry);
    if (command)
        FollowCommand(entry, Command(command));
    else
        entry->setEnabled(false); // a command of later work
    return entry;
}

void TMainMenu::BuildMenus()
{
    m_fileMenu = Menu("Datei1", 1, QStringLiteral("&Datei"));
    Entry(m_fileMenu, "Neu1", 2, QStringLiteral("Neu"), "actNew")->setShortcut(QKeySequence::New);
    Entry(m_fileMenu, "ffnen1", 3, QStringLiteral("Ö&ffnen"), "actOpen")->setShortcut(QKeySequence::Open);
    m_recentMenu = m_fileMenu->addMenu(QStringLiteral("Zuletzt verwendet"));
    m_recentMenu->setObjectName(QStringLiteral("mnLastUsed"));
    SetLangKey(m_recentMenu, 272);
    m_fileMenu->addSeparator();
    Entry(m_fileMenu, "Speichern1", 4, QStringLiteral("&Speichern"), "actSave")
        ->setShortcut(QKeySequence::Save);
    Entry(m_fileMenu, "Speichernunter1", 5, QStringLiteral("Speichern unter"), "actSaveAs")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    m_fileMenu->addSeparator();
    Entry(m_fileMenu, "Eigenschaften1", 6, QStringLiteral("Eigensch&aften"), "actProjectSettings")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    m_fileMenu->addSeparator();
    Entry(m_fileMenu, "ErweiterteFormulareinstellungen1", 7, QStringLiteral("Erweiterte Einstellungen"),
          "actErwEinstellungen");
    m_fileMenu->addSeparator();
    Entry(m_fileMenu, "Programmverlassen1", 8, QStringLiteral("&Beenden"), "actExit")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* edit = Menu("Bearbeiten1", 9, QStringLiteral("&Bearbeiten"));
    Entry(edit, "Quelltextkopieren1", 10, QStringLiteral("HTML-Quelltext kopieren"), "actCopyHtml");
    Entry(edit, "PHPCodekopieren1", 11, QStringLiteral("PHP-Code kopieren"), "actCopyPHP");

    QMenu* exports = Menu("Export1", 12, QStringLiteral("E&xport"));
    Entry(exports, "HTMLExport1", 13, QStringLiteral("HTML Export"), "actHTML");
    Entry(exports, "ExportinbestehendeHTMLDatei1", 14, QStringLiteral("Export in bestehende HTML-Datei"),
          "actHtmlExportFile");
    Entry(exports, "PHPExport2", 15, QStringLiteral("PHP Export"), "actPHP");
    exports->addSeparator();
    Entry(exports, "mnSubmissions", 481, QString::fromUtf8("Einsendungen …"), "actSubmissions")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));

    QMenu* settings = Menu("Einstellungen1", 16, QStringLiteral("&Einstellungen"));
    Entry(settings, "Vorlagenverwalten1", 17, QStringLiteral("&Vorlagen verwalten"), "actTemplates");
    Entry(settings, "FTPProfileverwalten1", 18, QStringLiteral("FTP-Profile verwalten"), "actFtpProfiles");
    Entry(settings, "mnuEditFormmailTemplates", 19, QStringLiteral("Formmailer-Links verwalten"),
          "actFormmailTemplates");
    Entry(settings, "mnProgramSettings", 269, QStringLiteral("Programmeinstellungen"), "actProgramSettings");

    QMenu* view = Menu("Ansicht1", 20, QStringLiteral("&Ansicht"));
    Entry(view, "VorschauFenster1", 21, QStringLiteral("Vorschau Fenster"), "actPreviewWindows");
    QAction* localTest =
        Entry(view, "mnLocalTest", 403, QStringLiteral("Auf diesem Computer testen"), "actLocalTest");
    localTest->setShortcut(QKeySequence(Qt::Key_F9));
    localTest->setCheckable(true);
    connect(Command("actLocalTest"), &QAction::toggled, localTest, &QAction::setChecked);

    QMenu* help = Menu("Hilfe1", 22, QStringLiteral("&Hilfe"));
    Entry(help, "Hilfe2", 22, QStringLiteral("&Hilfe"), "actHelp")->setShortcut(QKeySequence::HelpContents);
    Entry(help, "mnuNewVersionCheck", 23, QStringLiteral("Auf neue Version prüfen"), "actVersionCheck");
    Entry(help, "Info1", 24, QStringLiteral("&Info"), "actInfo");
}

void TMainMenu::BuildToolBar()
{
    QToolBar* bar = m_window->addToolBar(QStringLiteral("Quorvel"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    const auto button = [this, bar](const char* name, int key, const QString& text,
                                    QStyle::StandardPixmap icon, const char* command) {
        auto* b = new QToolButton(bar);
        b->setObjectName(QString::fromLatin1(name));
        SetLangKey(b, key);
        b->setText(text);
        b->setToolTip(text);
        b->setIcon(m_window->style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true);
        bar->addWidget(b);
        if (command)
            FollowCommand(b, Command(command));
        else
            b->setEnabled(false);
    };
    button("ToolButton1", 2, QStringLiteral("Neu"), QStyle::SP_FileIcon, "actNew");
    button("ToolButton3", 3, QStringLiteral("Öffnen"), QStyle::SP_DialogOpenButton, "actOpen");
    button("ToolButton2", 4, QStringLiteral("Speichern"), QStyle::SP_DialogSaveButton, "actSave");
    button("ToolButton4", 13, QStringLiteral("HTML Export"), QStyle::SP_FileDialogDetailedView, "actHTML");
    button("ToolButton11", 15, QStringLiteral("PHP Export"), QStyle::SP_FileDialogContentsView, "actPHP");
    bar->addSeparator();
    button("ToolButton8", 25, QStringLiteral("FTP-Upload"), QStyle::SP_DriveNetIcon, "actUpload");
    bar->addSeparator();
    button("ToolButton7", 22, QStringLiteral("Hilfe"), QStyle::SP_DialogHelpButton, "actHelp");
    button("ToolButton10", 26, QStringLiteral("Vorschau"), QStyle::SP_FileDialogInfoView,
           "actPreviewWindows");
    button("tbLocalTest", 407, QStringLiteral("Lokal testen"), QStyle::SP_MediaPlay, "actLocalTest");
    button("ToolButton9", 8, QStringLiteral("Beenden"), QStyle::SP_DialogCloseButton, "actExit");
}
