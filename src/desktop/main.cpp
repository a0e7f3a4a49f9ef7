// quorvel: the desktop program.
#include "app/AppPaths.h"
#include "app/AppServices.h"
#include "app/ConsolePrompter.h"
#include "app/DefaultPages.h"
#include "app/FileVersionInfo.h"
#include "app/ProgramSettings.h"
#include "app/ProjectSession.h"
#include "app/TempFolder.h"
#include "app/ui/Screenshots.h"
#include "app/ui/frmMain.h"
#include "ui/GuiPrompter.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <cstdio>
#include <unistd.h>

namespace
{
enum Exit { Success = 0, Failed = 1, Usage = 2 };

const char* const UsageText =
    "usage: quorvel [PROJECT.qvf] [--data-dir DIR]\n"
    "       quorvel --screenshots DIR [PROJECT.qvf] [--data-dir DIR]\n"
    "       quorvel --help | --version\n"
    "Opens the project (else the default project) in Quorvel's window. Without a display it writes\n"
    "the default project's pages instead, into --pages DIR or a private temporary folder.\n"
    "--screenshots DIR draws every window in every language into DIR.\n";

struct Options
{
    QString screenshots; // --screenshots DIR
    QString pages;       // --pages DIR: where a run without display puts the pages
    QString project;     // the argument that is no option
};

// The arguments after the program's name (Qt's own options taken out); false
// and the reason for anything else.
bool Parse(const QStringList& args, Options& o, QString& error)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const auto value = [&](QString& target) {
            if (i + 1 >= args.size()) {
                error = a + QStringLiteral(" needs a value");
                return false;
            }
            target = args[++i];
            return true;
        };
        QString dataDir;
        if (a == QLatin1String("--screenshots")) {
            if (!value(o.screenshots))
                return false;
        } else if (a == QLatin1String("--pages")) {
            if (!value(o.pages))
                return false;
        } else if (a == QLatin1String("--data-dir")) {
            if (!value(dataDir))
                return false;
            AppPaths::SetDataDirOverride(dataDir);
        } else if (a.startsWith(QLatin1Char('-'))) {
            error = QStringLiteral("unknown option ") + a;
            return false;
        } else if (o.project.isEmpty()) {
            o.project = a;
        } else {
            error = QStringLiteral("one project at a time: ") + a;
            return false;
        }
    }
    return true;
}

void Print(const QString& line)
{
    std::printf("%s\n", line.toLocal8Bit().constData());
}
} // namespace

int main(int argc, char* argv[])
{
    // Answered before any window system is asked for.
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--help" || a == "-h") {
            std::fputs(UsageText, stdout);
            return Success;
        }
        if (a == "--version") {
            std::printf("quorvel %s\n", qPrintable(TFileVersionInfo::OfProgram().ProductVersion));
            return Success;
        }
    }
    const bool noDisplay =
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (noDisplay && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariable("QT_QPA_PLATFORM") == QLatin1String("offscreen")) {
        // Offscreen there is no GPU to draw the preview with, and the
        // browser's sandbox refuses to start for root (as in containers).
        if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
            qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
        if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quorvel"));
    Options o;
    QString error;
    if (!Parse(QApplication::arguments(), o, error)) {
        std::fprintf(stderr, "quorvel: %s\n%s", error.toLocal8Bit().constData(), UsageText);
        return Usage;
    }

    if (noDisplay && o.screenshots.isEmpty()) {
        // Nobody could answer a message box here: messages are printed.
        ConsolePrompter console;
        QString folder = o.pages;
        TTempFolder temp;
        if (folder.isEmpty() && !temp.Path().isEmpty())
            folder = temp.Path() + QStringLiteral("/pages");
        if (folder.isEmpty()) {
            std::fprintf(stderr, "quorvel: no private temporary folder; name one with --pages DIR\n");
            return Failed;
        }
        const QStringList files = DefaultPages::Generate(folder, console);
        if (files.isEmpty())
            return Failed;
        Print(QStringLiteral(
            "There is no display to show Quorvel's window on. Quorvel generated the pages of the "
            "default project instead:"));
        for (const QString& file : files)
            Print(QStringLiteral("  ") + QDir::toNativeSeparators(file));
        Print(QStringLiteral("Screenshots of every window: %1 --screenshots DIR")
                  .arg(QDir::current().relativeFilePath(QApplication::applicationFilePath())));
        return Success;
    }

    // The window's icon; the desktop's menu entry of the same name has the
    // larger sizes.
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addFile(AppPaths::DataFile(QStringLiteral("icons/quorvel-%1.png").arg(size)), QSize(size, size));
    QApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvel"));

    // The services and the open project outlive the window that shows them.
    TGuiPrompter prompter;
    TAppServices services(prompter, AppPaths::DataDir(), GetAppDataFolder());
    TProjectSession session(services);
    if (!o.screenshots.isEmpty()) {
        TfrmMain window(services, session);
        prompter.SetParent(&window);
        window.SetStartupFile(o.project);
        const QStringList files = TScreenshots(o.screenshots).Render(window, &error);
        if (files.isEmpty()) {
            std::fprintf(stderr, "quorvel: %s\n", error.toLocal8Bit().constData());
            return Failed;
        }
        Print(QStringLiteral("Quorvel wrote %1 screenshots into %2").arg(files.size()).arg(o.screenshots));
        return Success;
    }

    TfrmMain window(services, session);
    prompter.SetParent(&window);
    window.SetStartupFile(o.project);
    window.SetShowSplash(true);
    window.show();
    return app.exec();
}
