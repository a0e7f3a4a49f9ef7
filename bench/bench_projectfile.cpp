// Prints what saving, loading and generating cost at growing project sizes,
// each figure the median of several runs, beside the floor measured in the
// same run: reading the same file and parsing it with QXmlStreamReader doing
// nothing else. The projects hold every field kind (built from the test
// fixture of every kind, the picture code and a calendar field included),
// the pages are generated, encoded and written as the programs do, with the
// language the program settings name, and the peak memory of
// "quorvel-cli check" on the largest file is measured against its size.
//
//   bench_projectfile [--runs N] [--memory FIELDS]
//   bench_projectfile --write FIELDS FILE    (only writes such a project)
#include "app/AppPaths.h"
#include "app/ConsolePrompter.h"
#include "app/GenerationCommands.h"
#include "app/ProgramSettings.h"
#include "base/LanguageTexts.h"
#include "model/FormProject.h"
#include "projectfile/ProjectFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
const QString Fixture = QStringLiteral(QUORVEL_BENCH_FIXTURES "/every_kind.qvf");

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The fixture with its fields repeated until there are count of them, each
// copy's names made unique. The settings (picture code on) stay the
// fixture's.
bool WriteProject(const QString& path, int count, const TLanguageTexts& texts)
{
    const QString fixture = QString::fromUtf8(ReadAll(Fixture));
    const qsizetype open = fixture.indexOf(QLatin1String("<ItemList>"));
    const qsizetype close = fixture.lastIndexOf(QLatin1String("</ItemList>"));
    if (open < 0 || close < open)
        return false;
    const QString items = fixture.mid(open + 10, close - open - 10);
    TFormProject one;
    TProjectFile file(texts);
    if (!file.ReadProject(one, fixture.toUtf8()))
        return false;
    const int perCopy = one.ListField.Count();
    static const QRegularExpression name(QStringLiteral("<name>([^<]*)</name>"));
    QString body;
    for (int copy = 0; copy * perCopy < count; ++copy) {
        QString renamed = items;
        renamed.replace(name, QStringLiteral("<name>\\1_%1</name>").arg(copy));
        body += renamed;
    }
    TFormProject project;
    if (!file.ReadProject(project, (fixture.left(open + 10) + body + fixture.mid(close)).toUtf8()))
        return false;
    while (project.ListField.Count() > count)
        project.ListField.Delete(project.ListField.Count() - 1);
    return file.SaveProject(project, path).Ok();
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

double Millis(const QElapsedTimer& t)
{
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

// The floor: the file read and every token of it parsed, nothing kept.
bool StreamParse(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader reader(f.readAll());
    while (!reader.atEnd())
        reader.readNext();
    return !reader.hasError();
}

// Peak resident memory of a child process, in KiB; -1 when it failed.
long PeakMemoryKiB(const QString& program, const QStringList& args)
{
    std::vector<QByteArray> storage{QFile::encodeName(program)};
    for (const QString& a : args)
        storage.push_back(QFile::encodeName(a));
    std::vector<char*> argv;
    for (QByteArray& s : storage)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss;
}

struct TFigures
{
    double floor, load, save, html, php;
    qint64 bytes;
};
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quorvel"));
    const QStringList args = app.arguments().mid(1);
    int runs = 5;
    int memoryFields = 100000;
    for (int i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--runs"))
            runs = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--memory"))
            memoryFields = args[i + 1].toInt();
    }

    // The program settings in a folder of the benchmark's own: the language
    // comes from there, as in the programs, and the user's stay untouched.
    QTemporaryDir dir;
    const QString data = AppPaths::DataDir();
    const QString langIni = data + QStringLiteral("/lang.ini");
    TProgramSettings settings(langIni, dir.filePath(QStringLiteral("appdata")));
    ConsolePrompter prompter;
    TLanguageTexts texts(langIni, &prompter, settings.LanguageSource());

    if (args.size() == 3 && args[0] == QLatin1String("--write")) {
        if (!WriteProject(args[2], args[1].toInt(), texts)) {
            std::fprintf(stderr, "cannot write the project\n");
            return 1;
        }
        return 0;
    }

    // First, while this process is small: a child's peak counts what it
    // had before it started the program, and a fork of a large process
    // would count all of it. The large file is written by a child too.
    if (memoryFields > 0) {
        const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/quorvel-cli");
        const QString large = dir.filePath(QStringLiteral("large.qvf"));
        std::fflush(stdout);
        const pid_t writer = fork();
        if (writer == 0)
            _exit(WriteProject(large, memoryFields, texts) ? 0 : 1);
        int status = 0;
        if (writer < 0 || waitpid(writer, &status, 0) != writer || !WIFEXITED(status) ||
            WEXITSTATUS(status)) {
            std::fprintf(stderr, "cannot write the project of %d fields\n", memoryFields);
            return 1;
        }
        const long peak = PeakMemoryKiB(cli, {QStringLiteral("check"), large});
        const long idle =
            PeakMemoryKiB(cli, {QStringLiteral("check"), data + QStringLiteral("/default_Deutsch.qvf")});
        if (peak < 0 || idle < 0) {
            std::fprintf(stderr, "%s check failed\n", qPrintable(cli));
            return 1;
        }
        const double fileKiB = static_cast<double>(QFileInfo(large).size()) / 1024;
        std::printf("quorvel-cli check of %d fields: peak memory %.1f MiB, file %.1f MiB: %.2f x the file "
                    "(a small project: %.1f MiB)\n",
                    memoryFields, peak / 1024.0, fileKiB / 1024, peak / fileKiB, idle / 1024.0);
        QFile::remove(large);
    }

    const QString path = dir.filePath(QStringLiteral("bench.qvf"));
    const QString page = dir.filePath(QStringLiteral("page"));
    TProjectFile file(texts);
    std::map<int, TFigures> figures;
    std::printf("median of %d runs, milliseconds\n", runs);
    std::printf("%8s %10s %10s %10s %10s %10s %10s\n", "fields", "file KiB", "floor", "load", "save", "html",
                "php");
    for (int count : {100, 1000, 10000}) {
        if (!WriteProject(path, count, texts)) {
            std::fprintf(stderr, "cannot build the project of %d fields from %s\n", count,
                         qPrintable(Fixture));
            return 1;
        }
        TFormProject project;
        if (!file.LoadProject(project, path)) {
            std::fprintf(stderr, "the project does not load\n");
            return 1;
        }
        std::vector<double> floor, load, save, html, php;
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer t;
            t.start();
            if (!file.SaveProject(project, path)) {
                std::fprintf(stderr, "save failed\n");
                return 1;
            }
            save.push_back(Millis(t));
            t.restart();
            if (!StreamParse(path)) {
                std::fprintf(stderr, "the saved file does not parse\n");
                return 1;
            }
            floor.push_back(Millis(t));
            TFormProject loaded;
            t.restart();
            if (!file.LoadProject(loaded, path) || loaded.ListField.Count() != count) {
                std::fprintf(stderr, "load failed\n");
                return 1;
            }
            load.push_back(Millis(t));
            // Generated, encoded and written as the programs do.
            TGenerationCommands generation(loaded, texts, prompter, data);
            generation.SetFixedFormID(4711);
            t.restart();
            const bool htmlWritten = generation.WritePage(TGenerationCommands::Page::Html, page);
            html.push_back(Millis(t));
            t.restart();
            const bool phpWritten = generation.WritePage(TGenerationCommands::Page::Php, page);
            php.push_back(Millis(t));
            if (!htmlWritten || !phpWritten) {
                std::fprintf(stderr, "generation failed (templates in %s?)\n", qPrintable(data));
                return 1;
            }
        }
        const qint64 bytes = QFileInfo(path).size();
        const TFigures f{Median(floor), Median(load), Median(save), Median(html), Median(php), bytes};
        figures[count] = f;
        std::printf("%8d %10lld %10.2f %10.2f %10.2f %10.2f %10.2f\n", count,
                    static_cast<long long>(bytes / 1024), f.floor, f.load, f.save, f.html, f.php);
    }
    const TFigures& big = figures[10000];
    const TFigures& small = figures[1000];
    std::printf("load / stream-parse floor: %.2f at 1000 fields, %.2f at 10000\n", small.load / small.floor,
                big.load / big.floor);
    std::printf("generation / load at 10000 fields: html %.2f, php %.2f\n", big.html / big.load,
                big.php / big.load);
    std::printf("ratio 10000/1000: save %.1f, load %.1f, html %.1f, php %.1f\n", big.save / small.save,
                big.load / small.load, big.html / small.html, big.php / small.php);

    return 0;
}
