// quorvel: the desktop program.
#include "app/AppPaths.h"
#include "app/AppServices.h"
#include "app/ConsolePrompter.h"
#include "app/DefaultPages.h"
#include "app/ProgramSettings.h"
#include "app/ProjectSession.h"
#include "app/TempFolder.h"
#include "app/ui/Screenshots.h"
#include "app/ui/frmMain.h"
#include "ui/GuiPrompter.h"

#include <QApplication>
#include <QDir>
#include <cstdio>
#include <unistd.h>

namespace
{
struct Options
{
    QString screenshots; // --screenshots DIR
    QString pages;       // --pages DIR: where a run without display puts the pages
    QString project;     // the first argument that is no option
};

Options Parse(const QStringList& args)
{
    Options o;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--screenshots") && hasValue)
            o.screenshots = args[++i];
        else if (a == QLatin1String("--pages") && hasValue)
            o.pages = args[++i];
        else if (a == QLatin1String("--data-dir") && hasValue)
            AppPaths::SetDataDirOverride(args[++i]);
        else if (o.project.isEmpty() && !a.startsWith(QLatin1String("--")))
            o.project = a;
    }
    return o;
}

void Print(const QString& line)
{
    std::printf("%s\n", line.toLocal8Bit().constData());
}
} // namespace

int main(int argc, char* argv[])
{
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
    const Options o = Parse(QApplication::arguments());

    if (noDisplay && o.screenshots.isEmpty()) {
        // Nobody could answer a message box here: messages are printed.
        ConsolePrompter console;
        QString folder = o.pages;
        TTempFolder temp;
        if (folder.isEmpty() && !temp.Path().isEmpty())
            folder = temp.Path() + QStringLiteral("/pages");
        if (folder.isEmpty()) {
            std::fprintf(stderr, "quorvel: no private temporary folder; name one with --pages DIR\n");
            return 1;
        }
        const QStringList files = DefaultPages::Generate(folder, console);
        if (files.isEmpty())
            return 1;
        Print(QStringLiteral(
            "There is no display to show Quorvel's window on. Quorvel generated the pages of the "
            "default project instead:"));
        for (const QString& file : files)
            Print(QStringLiteral("  ") + QDir::toNativeSeparators(file));
        Print(QStringLiteral("Screenshots of every window: quorvel --screenshots DIR"));
        return 0;
    }

    // The services and the open project outlive the window that shows them.
    TGuiPrompter prompter;
    TAppServices services(prompter, AppPaths::DataDir(), GetAppDataFolder());
    TProjectSession session(services);
    if (!o.screenshots.isEmpty()) {
        TfrmMain window(services, session);
        prompter.SetParent(&window);
        window.SetStartupFile(o.project);
        QString error;
        const QStringList files = TScreenshots(o.screenshots).Render(window, &error);
        if (files.isEmpty()) {
            std::fprintf(stderr, "quorvel: %s\n", error.toLocal8Bit().constData());
            return 1;
        }
        Print(QStringLiteral("Quorvel wrote %1 screenshots into %2").arg(files.size()).arg(o.screenshots));
        return 0;
    }

    TfrmMain window(services, session);
    prompter.SetParent(&window);
    window.SetStartupFile(o.project);
    window.show();
    return app.exec();
}
