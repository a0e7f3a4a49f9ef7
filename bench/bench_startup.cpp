// Prints how long the desktop program takes from the start of the process to
// its first shown main window (offscreen, the default project loaded), and
// how much later the preview page shows its form, which is when the web
// engine starts. Each figure is the median of several fresh processes, since
// the web engine can be started only once in a process.
#include "app/AppPaths.h"
#include "app/AppServices.h"
#include "app/ProgramSettings.h"
#include "app/ProjectSession.h"
#include "app/ui/frmMain.h"
#include "base/Prompter.h"
#include "preview/ui/PreviewTab.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace
{
// Nobody answers: messages vanish, questions are answered No.
class SilentPrompter : public Prompter
{
public:
    void Message(const QString&, const QString&, Icon) override {}
    Answer Question(const QString&, const QString&, Icon, bool, Answer) override { return Answer::No; }
};

QElapsedTimer& SinceStart()
{
    static QElapsedTimer timer;
    return timer;
}

// One run in this process: prints "shown <ms> [preview <ms>]".
int Child(int argc, char* argv[], bool touchWebEngine)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    SilentPrompter prompter;
    TAppServices services(prompter, AppPaths::DataDir(), GetAppDataFolder());
    TProjectSession session(services);
    TfrmMain window(services, session);
    window.show();
    QCoreApplication::processEvents();
    const qint64 shown = SinceStart().elapsed();
    if (!touchWebEngine) {
        std::printf("shown %lld\n", static_cast<long long>(shown));
        return 0;
    }
    QTabWidget* pages = window.Pages();
    auto* preview = pages->findChild<TPreviewTab*>();
    QEventLoop loop;
    QObject::connect(preview, &TPreviewTab::PageShown, &loop, &QEventLoop::quit);
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    pages->setCurrentIndex(pages->count() - 1);
    loop.exec();
    std::printf("shown %lld preview %lld\n", static_cast<long long>(shown),
                static_cast<long long>(SinceStart().elapsed()));
    return 0;
}

qint64 Median(QList<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? -1 : values.at(values.size() / 2);
}
} // namespace

int main(int argc, char* argv[])
{
    SinceStart().start();
    if (argc >= 2 && (qstrcmp(argv[1], "--child") == 0 || qstrcmp(argv[1], "--child-web") == 0))
        return Child(argc, argv, qstrcmp(argv[1], "--child-web") == 0);

    QCoreApplication app(argc, argv);
    const int runs = 5;
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (!env.contains(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS")))
        env.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"), QStringLiteral("--disable-gpu"));
    if (!env.contains(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX")))
        env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));

    std::printf("Start-up of the desktop program, offscreen, median of %d processes (ms)\n", runs);
    for (const char* mode : {"--child", "--child-web"}) {
        QList<qint64> shown, preview;
        for (int i = 0; i < runs; ++i) {
            QProcess child;
            child.setProcessEnvironment(env);
            child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(mode)});
            child.waitForFinished(60000);
            const QStringList words =
                QString::fromLocal8Bit(child.readAllStandardOutput())
                    .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
            for (int w = 0; w + 1 < words.size(); w += 2) {
                if (words[w] == QLatin1String("shown"))
                    shown << words[w + 1].toLongLong();
                else if (words[w] == QLatin1String("preview"))
                    preview << words[w + 1].toLongLong();
            }
        }
        if (qstrcmp(mode, "--child") == 0) {
            std::printf("  main window shown, web engine untouched:   %6lld\n",
                        static_cast<long long>(Median(shown)));
        } else {
            std::printf("  main window shown, before the preview page: %6lld\n",
                        static_cast<long long>(Median(shown)));
            std::printf("  preview page showing the form (web engine): %6lld\n",
                        static_cast<long long>(Median(preview)));
        }
    }
    return 0;
}
