// Prints how long saving, loading and generating both pages takes for
// growing field counts, and the ratio 10,000 / 1,000, which stays near 10
// while all of them are linear in the project's size. The pages come from
// the templates of the data folder (QUORVEL_DATA_DIR, or the build's copy).
#include "app/AppPaths.h"
#include "base/LanguageTexts.h"
#include "codegen/GenHTML.h"
#include "codegen/GenPHP.h"
#include "fields/CheckBoxList.h"
#include "fields/EinzField.h"
#include "fields/MehrzField.h"
#include "fields/RadioField.h"
#include "model/FormProject.h"
#include "projectfile/ProjectFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <array>
#include <cstdio>
#include <map>

namespace
{
void Fill(TFormProject& project, int count)
{
    project.ListField.Clear();
    for (int i = 0; i < count; ++i) {
        const QString n = QStringLiteral("f%1").arg(i);
        std::unique_ptr<TFormField> field;
        switch (i % 4) {
        case 0: field = std::make_unique<TEinzField>(); break;
        case 1: {
            auto m = std::make_unique<TMehrzField>();
            m->Vorgabewert = QStringLiteral("first line\r\n\r\nthird line");
            field = std::move(m);
            break;
        }
        case 2: {
            auto r = std::make_unique<TRadioField>();
            r->Felder = QStringLiteral("red#green#blue");
            field = std::move(r);
            break;
        }
        default: {
            auto l = std::make_unique<TCheckBoxList>();
            for (int k = 0; k < 3; ++k) {
                auto item = std::make_unique<TCheckBoxFieldSimple>();
                item->Name = n + QStringLiteral("_%1").arg(k);
                item->Beschriftung = QStringLiteral("Box %1").arg(k);
                l->ListCheckboxes.push_back(std::move(item));
            }
            field = std::move(l);
        }
        }
        field->Name = n;
        field->Beschriftung = QStringLiteral("Label <b>%1</b>").arg(i);
        field->Pflicht = i % 2;
        project.ListField.Add(std::move(field));
    }
}

double Millis(QElapsedTimer& t)
{
    return t.nsecsElapsed() / 1e6;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    TLanguageTexts texts(dir.path() + QStringLiteral("/lang.ini"), nullptr);
    TProjectFile file(texts, [] { return QStringLiteral("https://forms.example.com/f.php"); });
    const QString path = dir.path() + QStringLiteral("/bench.qvf");

    const QString data = AppPaths::DataDir();
    TLanguageTexts langTexts(data + QStringLiteral("/lang.ini"), nullptr);
    std::map<int, std::array<double, 4>> times;
    std::printf("%8s %12s %12s %12s %12s\n", "fields", "save ms", "load ms", "html ms", "php ms");
    for (int count : {100, 1000, 10000}) {
        TFormProject project;
        Fill(project, count);
        double save = 1e99, load = 1e99, html = 1e99, php = 1e99;
        for (int run = 0; run < 3; ++run) { // best of three
            QElapsedTimer t;
            t.start();
            if (!file.SaveProject(project, path)) {
                std::fprintf(stderr, "save failed\n");
                return 1;
            }
            save = std::min(save, Millis(t));
            TFormProject loaded;
            t.restart();
            if (!file.LoadProject(loaded, path) || loaded.ListField.Count() != count) {
                std::fprintf(stderr, "load failed\n");
                return 1;
            }
            load = std::min(load, Millis(t));
            TGenHTML htmlGen(loaded, langTexts, data);
            TGenPHP phpGen(loaded, langTexts, data);
            t.restart();
            const auto htmlPage = htmlGen.GenCode();
            html = std::min(html, Millis(t));
            t.restart();
            const auto phpPage = phpGen.GenCode();
            php = std::min(php, Millis(t));
            if (!htmlPage || !phpPage) {
                std::fprintf(stderr, "generation failed: templates missing in %s\n", qPrintable(data));
                return 1;
            }
        }
        times[count] = {save, load, html, php};
        std::printf("%8d %12.2f %12.2f %12.2f %12.2f\n", count, save, load, html, php);
    }
    const auto ratio = [&](int i) { return times[10000][i] / times[1000][i]; };
    std::printf("ratio 10000/1000: save %.1f, load %.1f, html %.1f, php %.1f\n", ratio(0), ratio(1), ratio(2),
                ratio(3));
    return 0;
}
