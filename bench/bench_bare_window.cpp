// The floor of the start-up benchmark: an empty main window, linked with the
// same Qt modules as the desktop program. Prints the monotonic clock (ms)
// once the window is shown, as bench_startup's own child does.
#include <QApplication>
#include <QDomDocument>
#include <QMainWindow>
#include <QWebEngineView>

#include <cstdio>
#include <ctime>

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(960, 700);
    window.show();
    QCoreApplication::processEvents();
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("shown %.3f\n",
                static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6);
    // The modules stay linked (the linker drops a library nothing refers
    // to): the program refers to each.
    return argc > 99 ? QWebEngineView().isVisible() + QDomDocument().isNull() : 0;
}
