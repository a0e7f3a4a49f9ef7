// The two previews with a real browser: the tab page shows the generated form
// from the private temporary folder, with its calendar picture; the preview
// window reloads it on its timer, pauses and resumes with its button, and
// pauses when it is closed.
#include "RecordingPrompter.h"
#include "app/AppServices.h"
#include "app/ProgramSettings.h"
#include "app/TempFolder.h"
#include "base/LanguageTexts.h"
#include "codegen/GenHTML.h"
#include "fields/CalField.h"
#include "fields/EinzField.h"
#include "model/FormProject.h"
#include "preview/ui/PreviewTab.h"
#include "preview/ui/frmPreview.h"
#include "ui/TranslateInterface.h"

#include "RunJavaScript.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

namespace
{
const QString Data = QStringLiteral(QUORVEL_TEST_DATA_DIR);

QVariant Run(QWebEngineView* view, const QString& js)
{
    return RunJavaScript(*view->page(), js);
}

QString BodyText(QWebEngineView* view)
{
    return Run(view, QStringLiteral("document.body ? document.body.innerText : ''")).toString();
}

std::unique_ptr<TEinzField> Text(const QString& name)
{
    auto f = std::make_unique<TEinzField>();
    f->Name = name;
    f->Beschriftung = QStringLiteral("Name");
    return f;
}

std::unique_ptr<TCalField> Calendar(const QString& name)
{
    auto f = std::make_unique<TCalField>();
    f->Name = name;
    f->Beschriftung = QStringLiteral("Datum");
    f->StartYear = 2020;
    f->EndYear = 2030;
    return f;
}
} // namespace

class TestPreviewUi : public QObject
{
    Q_OBJECT

    QTemporaryDir tmp;
    QTemporaryDir home;
    TLanguageTexts texts{Data + QStringLiteral("/lang.ini"), nullptr};
    RecordingPrompter prompter;
    std::unique_ptr<TAppServices> services; // made once the folders point into the test's own
    TFormProject project;
    int generations = 0;
    bool broken = false;

    // The main window's generation: the HTML form of the project, or nothing
    // when a template is missing.
    std::optional<QString> Generate()
    {
        ++generations;
        TGenHTML gen(project, texts, broken ? home.path() : Data);
        TResult<QString> page = gen.GenCode();
        if (!page)
            return std::nullopt;
        return std::move(page).Value();
    }

    QString AppData() const { return home.path() + QStringLiteral("/data/Quorvel"); }

private slots:
    void initTestCase()
    {
        QVERIFY(tmp.isValid() && home.isValid());
        qputenv("TMPDIR", QFile::encodeName(tmp.path()));
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + QStringLiteral("/data")));
        QCOMPARE(GetAppDataFolder(), AppData());
        QVERIFY(QDir().mkpath(AppData()));
        services = std::make_unique<TAppServices>(prompter, Data, GetAppDataFolder());
    }

    void init()
    {
        project = TFormProject();
        project.ExtSettings.encoding = QStringLiteral("utf-8");
        project.ListField.Add(Text(QStringLiteral("name")));
        generations = 0;
        broken = false;
    }

    void tabShowsTheGeneratedPageFromThePrivateFolder()
    {
        project.edtFormTitel = QStringLiteral("Erste Fassung \u00e4\u20ac");
        QTabWidget tabs;
        tabs.addTab(new QWidget, QStringLiteral("Felder"));
        auto* preview = new TPreviewTab(*services, project, [this] { return Generate(); });
        tabs.addTab(preview, QStringLiteral("Vorschau / Test"));
        tabs.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tabs));
        // The web engine starts only when the page is first shown.
        QVERIFY(!preview->Browser());
        QCOMPARE(generations, 0);

        QSignalSpy shown(preview, &TPreviewTab::PageShown);
        tabs.setCurrentIndex(1);
        QVERIFY(shown.wait(20000));
        QVERIFY(shown.first().first().toBool());
        QCOMPARE(generations, 1);
        QVERIFY(preview->Browser()->isVisible());
        QVERIFY(BodyText(preview->Browser()).contains(project.edtFormTitel));

        const QString folder = tmp.path() + QLatin1Char('/') + TTempFolder::PrivateFolderName();
        QCOMPARE(preview->PageFile(), folder + QStringLiteral("/tempquorvel.htm"));
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/cal.png")));

        // Every showing of the page rebuilds it.
        project.edtFormTitel = QStringLiteral("Zweite Fassung");
        tabs.setCurrentIndex(0);
        tabs.setCurrentIndex(1);
        QVERIFY(shown.wait(20000));
        QCOMPARE(generations, 2);
        QVERIFY(BodyText(preview->Browser()).contains(QStringLiteral("Zweite Fassung")));

        // A failed generation (reported by the main window) keeps the last
        // page on show.
        broken = true;
        preview->Refresh();
        QCOMPARE(generations, 3);
        QVERIFY(!shown.wait(1000));
        QVERIFY(preview->Browser()->isVisible());
        QVERIFY(BodyText(preview->Browser()).contains(QStringLiteral("Zweite Fassung")));
    }

    void tabShowsTheCalendarPicture()
    {
        project.ListField.Add(Calendar(QStringLiteral("datum")));
        const QString png = services->TempFolder().Path() + QStringLiteral("/cal.png");
        QFile::remove(png);
        TPreviewTab preview(*services, project, [this] { return Generate(); });
        QSignalSpy shown(&preview, &TPreviewTab::PageShown);
        preview.show();
        QVERIFY(shown.wait(20000));
        QVERIFY(QFileInfo::exists(png));
        // The picture is loaded by the page itself, after the page.
        QTRY_VERIFY_WITH_TIMEOUT(
            Run(preview.Browser(), QStringLiteral("document.querySelector('.qvcal-button img').naturalWidth"))
                    .toInt() > 0,
            5000);
    }

    void windowRefreshesOnItsTimer()
    {
        project.ListField.Add(Calendar(QStringLiteral("datum")));
        project.edtFormTitel = QStringLiteral("Fenster eins");
        TfrmPreview window(*services, project, [this] { return Generate(); });
        auto* timer = window.findChild<QTimer*>(QStringLiteral("Timer1"));
        auto* sbActive = window.findChild<QPushButton*>(QStringLiteral("sbActive"));
        QVERIFY(timer && sbActive);
        QCOMPARE(timer->interval(), 2000);
        QVERIFY(!timer->isActive());
        QCOMPARE(LangKey(&window), 26);
        QCOMPARE(LangKey(sbActive), 137);

        QSignalSpy shown(&window, &TfrmPreview::PageShown);
        window.ShowPreview();
        QVERIFY(window.isVisible());
        QVERIFY(timer->isActive());
        QCOMPARE(sbActive->text(), texts.Text(QStringLiteral("txtPreviewEnabled")));
        // The first refresh waits for the first tick.
        QCOMPARE(generations, 0);
        QVERIFY(shown.wait(5000));
        QCOMPARE(generations, 1);
        QVERIFY(BodyText(window.Browser()).contains(QStringLiteral("Fenster eins")));
        QVERIFY(QFileInfo::exists(AppData() + QStringLiteral("/temp.htm")));
        QVERIFY(!QFileInfo::exists(AppData() + QStringLiteral("/cal.png")));

        project.edtFormTitel = QStringLiteral("Fenster zwei");
        QVERIFY(shown.wait(5000));
        QVERIFY(BodyText(window.Browser()).contains(QStringLiteral("Fenster zwei")));

        // A failing generation is swallowed; the next tick tries again.
        broken = true;
        const int before = generations;
        QTRY_VERIFY_WITH_TIMEOUT(generations > before, 5000);
        QVERIFY(timer->isActive());
        QVERIFY(BodyText(window.Browser()).contains(QStringLiteral("Fenster zwei")));
        broken = false;
        project.edtFormTitel = QStringLiteral("Fenster drei");
        QVERIFY(shown.wait(5000));
        QVERIFY(BodyText(window.Browser()).contains(QStringLiteral("Fenster drei")));
    }

    void buttonPausesAndResumes()
    {
        project.edtFormTitel = QStringLiteral("Vor der Pause");
        TfrmPreview window(*services, project, [this] { return Generate(); });
        auto* timer = window.findChild<QTimer*>(QStringLiteral("Timer1"));
        auto* sbActive = window.findChild<QPushButton*>(QStringLiteral("sbActive"));
        QSignalSpy shown(&window, &TfrmPreview::PageShown);
        window.ShowPreview();
        QVERIFY(shown.wait(5000));

        QTest::mouseClick(sbActive, Qt::LeftButton);
        QVERIFY(!timer->isActive());
        QCOMPARE(sbActive->text(), texts.Text(QStringLiteral("txtPreviewDisabled")));
        // Paused: the last page stays, nothing is generated.
        const int paused = generations;
        project.edtFormTitel = QStringLiteral("Nach der Pause");
        QTest::qWait(2500);
        QCOMPARE(generations, paused);
        QVERIFY(BodyText(window.Browser()).contains(QStringLiteral("Vor der Pause")));

        QTest::mouseClick(sbActive, Qt::LeftButton);
        QVERIFY(timer->isActive());
        QCOMPARE(sbActive->text(), texts.Text(QStringLiteral("txtPreviewEnabled")));
        QVERIFY(shown.wait(5000));
        QVERIFY(BodyText(window.Browser()).contains(QStringLiteral("Nach der Pause")));
    }

    void closingPausesAndTheCommandResumes()
    {
        project.edtFormTitel = QStringLiteral("Zuletzt gezeigt");
        QPointer<TfrmPreview> window = new TfrmPreview(*services, project, [this] { return Generate(); });
        auto* timer = window->findChild<QTimer*>(QStringLiteral("Timer1"));
        auto* sbActive = window->findChild<QPushButton*>(QStringLiteral("sbActive"));
        QSignalSpy shown(window.data(), &TfrmPreview::PageShown);
        window->ShowPreview();
        QVERIFY(shown.wait(5000));

        // Closed while refreshing: the window stays, the timer stops.
        QVERIFY(window->close());
        QVERIFY(window);
        QVERIFY(!window->isVisible());
        QVERIFY(!timer->isActive());

        // Paused, then closed: the command switches the refresh on anyway.
        window->ShowPreview();
        QTest::mouseClick(sbActive, Qt::LeftButton);
        QVERIFY(!timer->isActive());
        QVERIFY(window->close());

        // Reopened by the command: refreshing again, showing the last page until the tick.
        project.edtFormTitel = QStringLiteral("Nach dem Schliessen");
        const int before = generations;
        window->ShowPreview();
        QVERIFY(timer->isActive());
        QCOMPARE(sbActive->text(), texts.Text(QStringLiteral("txtPreviewEnabled")));
        QVERIFY(BodyText(window->Browser()).contains(QStringLiteral("Zuletzt gezeigt")));
        QCOMPARE(generations, before);
        QVERIFY(shown.wait(5000));
        QVERIFY(BodyText(window->Browser()).contains(QStringLiteral("Nach dem Schliessen")));
        delete window;
    }
};

QTEST_MAIN(TestPreviewUi)
#include "tst_preview_ui.moc"
