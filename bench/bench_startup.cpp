// Prints how long the desktop program takes from the start of its process
// (before the libraries are loaded) to its first shown main window
// (offscreen, the default project loaded), beside the same figure for a bare
// window program linked with the same Qt modules, and how much later the
// preview page shows its form, which is when the web engine starts. Each
// figure is the median of several fresh processes, since the web engine can
// be started only once in a process. A run that does not report in time
// fails the benchmark.
#include "app/AppPaths.h"
#include "app/AppServices.h"
#include "app/ProgramSettings.h"
#include "app/ProjectSession.h"
#include "app/ui/frmMain.h"
#include "base/Prompter.h"
#include "preview/ui/PreviewTab.h"

#include <QApplication>
#include <QEventLoop>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace
{
// Nobody answers: messages vanish, questions are answered No.
class SilentPrompter : public Prompter
{
public:
    void Message(const QString&, const QString&, Icon) override {}
    Answer Question(const QString&, const QString&, Icon, bool, Answer) override { return Answer::No; }
};

// The monotonic clock in milliseconds: the same in every process.
double Now()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// One run in this process: prints "shown <clock> [preview <clock>]".
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
    const double shown = Now();
    if (!touchWebEngine) {
        std::printf("shown %.3f\n", shown);
        return 0;
    }
    QTabWidget* pages = window.Pages();
    pages->setCurrentIndex(pages->count() - 1); // makes the preview page, which starts loading
    auto* preview = pages->findChild<TPreviewTab*>();
    QEventLoop loop;
    bool seen = false;
    QObject::connect(preview, &TPreviewTab::PageShown, &loop, [&] {
        seen = true;
        loop.quit();
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
    if (!seen)
        return 3; // no preview within the time: no figure
    std::printf("shown %.3f preview %.3f\n", shown, Now());
    return 0;
}

double Median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// Runs program once; the milliseconds from its start to each reported
// moment, by name. Empty when it did not finish or report in time.
QMap<QString, double> Run(const QString& program, const QStringList& args, const QProcessEnvironment& env)
{
    QProcess child;
    child.setProcessEnvironment(env);
    const double start = Now();
    child.start(program, args);
    if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0) {
        child.kill();
        child.waitForFinished();
        return {};
    }
    QMap<QString, double> moments;
    const QStringList words = QString::fromLocal8Bit(child.readAllStandardOutput())
                                  .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    for (int w = 0; w + 1 < words.size(); w += 2)
        moments.insert(words[w], words[w + 1].toDouble() - start);
    return moments;
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc >= 2 && (qstrcmp(argv[1], "--child") == 0 || qstrcmp(argv[1], "--child-web") == 0))
        return Child(argc, argv, qstrcmp(argv[1], "--child-web") == 0);

    QCoreApplication app(argc, argv);
    const int runs = 7;
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (!env.contains(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS")))
        env.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"), QStringLiteral("--disable-gpu"));
    if (!env.contains(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX")))
        env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));

    const QString self = QCoreApplication::applicationFilePath();
    const QString bare = QCoreApplication::applicationDirPath() + QStringLiteral("/bench_bare_window");
    struct Measure
    {
        const char* label;
        QString program;
        QStringList args;
        const char* moment;
    };
    const Measure measures[] = {
        {"bare window, same Qt modules (floor)", bare, {}, "shown"},
        {"main window shown", self, {QStringLiteral("--child")}, "shown"},
        {"preview page showing the form (web engine)", self, {QStringLiteral("--child-web")}, "preview"},
    };
    std::printf("Start-up from process start, offscreen, median of %d processes (ms)\n", runs);
    QList<double> medians;
    for (const Measure& m : measures) {
        QList<double> times;
        // One run first, not counted: it brings the files into the cache.
        Run(m.program, m.args, env);
        for (int i = 0; i < runs; ++i) {
            const QMap<QString, double> moments = Run(m.program, m.args, env);
            if (!moments.contains(QLatin1String(m.moment))) {
                std::fprintf(stderr, "bench_startup: %s: no report from %s within 60 s\n", m.label,
                             qPrintable(m.program));
                return 1;
            }
            times << moments.value(QLatin1String(m.moment));
        }
        medians << Median(times);
        std::printf("  %-46s %8.1f\n", m.label, medians.last());
    }
    std::printf("main window / bare window: %.2f\n", medians[1] / medians[0]);
    return 0;
}
