// The export into a page of the user's with the real browser engine,
// offscreen: the form goes where the caret is and its script after the
// head tag, it is renewed from the project and taken out again; the page is
// written back with what lies outside its root element and in its own
// character set; the page and its working copy's neighbours are safe, and
// a page that could not be saved is not lost.
#include "MainWindowRig.h"
#include "ModalDriver.h"
#include "RecordingPrompter.h"

#include "model/FormProject.h"
#include "publish/HtmlExport.h"
#include "publish/ui/frmExportHTML.h"
#include "ui/GuardedPage.h"

#include <QAction>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <QtTest>

using Answer = Prompter::Answer;
using namespace HtmlExport;

namespace
{
constexpr int EngineTimeout = 20000;

const QByteArray Sample =
    "<!DOCTYPE html>\n<!-- vor der Wurzel -->\n<html><head><title>Seite</title></head>"
    "<body><p>Vorher</p><p>HIER</p><p>Nachher</p></body></html><!-- nach der Wurzel -->\n";

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}
} // namespace

class TestExportHtml : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    RecordingPrompter prompter;
    std::unique_ptr<MainWindowRig> rig;

    TFormProject& Project() { return rig->session.Project(); }
    QString Text(const char* key) const { return rig->services.Texts().Text(QLatin1String(key)); }

    // A new window, shown, with its first document loaded.
    std::unique_ptr<TfrmExportHTML> Window()
    {
        auto window = std::make_unique<TfrmExportHTML>(rig->services, rig->session, (*rig)->Upload());
        QSignalSpy loaded(window.get(), &TfrmExportHTML::Loaded);
        window->show();
        if (!loaded.wait(EngineTimeout))
            return nullptr;
        return window;
    }

    static QVariant Js(TfrmExportHTML& w, const QString& script)
    {
        std::optional<QVariant> result;
        w.Browser()->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                           [&](const QVariant& v) { result = v; });
        if (!QTest::qWaitFor([&] { return result.has_value(); }, EngineTimeout))
            return QVariant();
        return *result;
    }

    static QString Markup(TfrmExportHTML& w)
    {
        std::optional<QString> markup;
        w.ReadPageText([&](std::optional<QString> m) { markup = m.value_or(QStringLiteral("<none>")); });
        if (!QTest::qWaitFor([&] { return markup.has_value(); }, EngineTimeout))
            return QStringLiteral("<no answer from the engine>");
        return *markup;
    }

    static bool Enabled(TfrmExportHTML& w, const char* action)
    {
        QAction* a = w.findChild<QAction*>(QLatin1String(action));
        return a && a->isEnabled();
    }

    // Runs a command that reloads the page and waits for the load.
    static bool Command(TfrmExportHTML& w, const char* action)
    {
        QSignalSpy loaded(&w, &TfrmExportHTML::Loaded);
        QAction* a = w.findChild<QAction*>(QLatin1String(action));
        if (!a || !a->isEnabled())
            return false;
        a->trigger();
        return loaded.wait(EngineTimeout);
    }

    static bool Open(TfrmExportHTML& w, const QString& path)
    {
        QSignalSpy loaded(&w, &TfrmExportHTML::Loaded);
        w.OpenFile(path);
        return loaded.wait(EngineTimeout);
    }

    static bool Save(TfrmExportHTML& w)
    {
        std::optional<bool> saved;
        w.Save([&](bool ok) { saved = ok; });
        return QTest::qWaitFor([&] { return saved.has_value(); }, EngineTimeout) && *saved;
    }

    // Selects the first occurrence of word in the body's text: the caret
    // the form replaces.
    static bool Select(TfrmExportHTML& w, const QString& word)
    {
        return Js(w, QStringLiteral(
                         "(function(w) { var s = getSelection(), r = document.createRange();"
                         " var it = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT), n;"
                         " while ((n = it.nextNode())) { var i = n.data.indexOf(w); if (i >= 0) {"
                         " r.setStart(n, i); r.setEnd(n, i + w.length); s.removeAllRanges(); s.addRange(r);"
                         " return true; } } return false; })(%1)")
                         .arg(JsLiteral(word)))
            .toBool();
    }

    // Opens the page and puts the form in place of "HIER".
    static bool OpenWithForm(TfrmExportHTML& w, const QString& path)
    {
        return Open(w, path) && Select(w, QStringLiteral("HIER")) && Command(w, "actAddForm") &&
               HasForm(Markup(w));
    }

    // Closes the window with the answer given to the closing question.
    static void Close(TfrmExportHTML& w, Answer answer, RecordingPrompter& prompter)
    {
        prompter.answers = {answer};
        w.close();
        // Whether it closed is the caller's to check.
        (void)QTest::qWaitFor([&] { return !w.isVisible(); }, EngineTimeout);
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        rig = std::make_unique<MainWindowRig>(prompter, QString());
        // The same form at every generation, so a renewal can be compared.
        rig->session.Generation().SetFixedFormID(1234);
        QVERIFY(Project().ListField.Count() > 0);
    }

    void init()
    {
        prompter.Clear();
        prompter.answers.clear();
        Project().ExtSettings.HTMLExportFileName.clear();
        // Pages that declare no character set are then written as the
        // generated pages are: in Windows-1252, without a byte-order mark.
        Project().ExtSettings.encoding = QStringLiteral("iso-8859-1");
    }

    void insertAtTheCaretThenSave()
    {
        QTemporaryDir dir;
        const QString page = Write(dir, "seite.htm", Sample);
        auto w = Window();
        QVERIFY(w);
        QVERIFY(!Enabled(*w, "actSave") && !Enabled(*w, "actAddForm"));
        QVERIFY(Open(*w, page));
        QCOMPARE(w->FileName(), page);
        QVERIFY(Enabled(*w, "actAddForm") && !Enabled(*w, "actRefresh") && !Enabled(*w, "actDelete"));
        QCOMPARE(Js(*w, "document.designMode").toString(), "on");

        QVERIFY(Select(*w, "HIER"));
        QVERIFY(Command(*w, "actAddForm"));
        QVERIFY(!Enabled(*w, "actAddForm") && Enabled(*w, "actRefresh") && Enabled(*w, "actDelete"));
        QCOMPARE(Js(*w, "document.designMode").toString(), "off");
        // Only the working copy has changed so far.
        QCOMPARE(Bytes(page), Sample);
        QVERIFY(Bytes(w->WorkingCopy()).contains(FormBegin.toUtf8()));

        QVERIFY(Save(*w));
        const QString saved = QString::fromLatin1(Bytes(page));
        QVERIFY2(saved.startsWith("<!DOCTYPE html>\n<!-- vor der Wurzel -->\n<html><head>\n" + ScriptBegin),
                 qPrintable(saved.left(200)));
        QVERIFY(saved.endsWith("</html><!-- nach der Wurzel -->"));
        QCOMPARE(saved.count("der Wurzel"), 2);
        QVERIFY(!saved.contains("HIER"));
        const qsizetype before = saved.indexOf("Vorher"), begin = saved.indexOf(FormBegin),
                        form = saved.indexOf("<form name=\"QVFORM\""), end = saved.indexOf(FormEnd),
                        after = saved.indexOf("Nachher");
        QVERIFY(before >= 0 && before < begin && begin < form && form < end && end < after);
        QCOMPARE(saved.count(ScriptBegin), 1);
        QVERIFY(saved.indexOf(ScriptEnd) < saved.indexOf("</head>"));

        // Inserting again is refused with the page's own message.
        prompter.Clear();
        QVERIFY(Select(*w, "Nachher"));
        w->findChild<QAction*>("actAddForm")->setEnabled(true);
        w->findChild<QAction*>("actAddForm")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(prompter.Texts(), QStringList{Text("txtHTMLExport0")}, EngineTimeout);

        const QString copy = w->WorkingCopy();
        Close(*w, Answer::No, prompter);
        QVERIFY(!QFile::exists(copy));
        QCOMPARE(Project().ExtSettings.HTMLExportFileName, page);
    }

    void withoutACaretNothingChanges()
    {
        QTemporaryDir dir;
        const QString page = Write(dir, "seite.htm", Sample);
        auto w = Window();
        QVERIFY(w && Open(*w, page));
        const QString markup = Markup(*w);
        QVERIFY(Js(*w, "getSelection().removeAllRanges(); true").toBool());
        w->findChild<QAction*>("actAddForm")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(prompter.Texts(), QStringList{Text("txtHTMLExport4")}, EngineTimeout);
        QTRY_VERIFY(!w->IsBusy());
        QCOMPARE(Markup(*w), markup);
        Close(*w, Answer::No, prompter);
    }

    void refreshThenRemove()
    {
        QTemporaryDir dir;
        const QString page = Write(dir, "seite.htm", Sample);
        auto w = Window();
        QVERIFY(w && OpenWithForm(*w, page));

        TFormField* first = Project().ListField[0];
        const QString label = first->Beschriftung;
        first->Beschriftung = QStringLiteral("Ganz neue Beschriftung");
        QVERIFY(Command(*w, "actRefresh"));
        first->Beschriftung = label;
        const QString fresh = Markup(*w);
        QVERIFY(fresh.contains("Ganz neue Beschriftung"));
        QCOMPARE(fresh.count(FormBegin), 1);
        QCOMPARE(fresh.count(ScriptBegin), 1);
        QVERIFY(Enabled(*w, "actRefresh"));
        // Renewed once more without a change, the page stays as it was.
        first->Beschriftung = QStringLiteral("Ganz neue Beschriftung");
        QVERIFY(Command(*w, "actRefresh"));
        first->Beschriftung = label;
        QCOMPARE(Markup(*w), fresh);

        QVERIFY(Command(*w, "actDelete"));
        const QString removed = Markup(*w);
        for (const QString& marker : {FormBegin, FormEnd, ScriptBegin, ScriptEnd})
            QVERIFY(!removed.contains(marker));
        QVERIFY(!removed.contains("<form"));
        QVERIFY(removed.contains("<p>Vorher</p>") && removed.contains("<p>Nachher</p>"));
        QVERIFY(Enabled(*w, "actAddForm") && !Enabled(*w, "actDelete"));
        QCOMPARE(Js(*w, "document.designMode").toString(), "on");
        QVERIFY(Save(*w));
        QVERIFY2(Bytes(page).startsWith("<!DOCTYPE html>\n<!-- vor der Wurzel -->\n<html><head>"),
                 Bytes(page).left(300).constData());
        Close(*w, Answer::No, prompter);
    }

    void headWithAttributesGetsNoScript()
    {
        QTemporaryDir dir;
        const QString page =
            Write(dir, "kopf.htm",
                  "<html><head lang=\"de\"><title>t</title></head><body><p>HIER</p></body></html>");
        auto w = Window();
        QVERIFY(w && OpenWithForm(*w, page));
        const QString markup = Markup(*w);
        QVERIFY(markup.contains("<form name=\"QVFORM\""));
        QVERIFY(!markup.contains(ScriptBegin));
        Close(*w, Answer::No, prompter);
    }

    // The page keeps its own character set, whatever the project's; the
    // browser shows it right from its UTF-8 working copy.
    void ownCharacterSet_data()
    {
        QTest::addColumn<QString>("projectEncoding");
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArray>("umlauts"); // as the saved page must hold them
        QTest::newRow("utf-8 page, iso-8859-1 project")
            << "iso-8859-1"
            << QByteArray("<html><head><meta charset=\"utf-8\"></head><body><p>Gr\xC3\xBC\xC3\x9F"
                          "e HIER</p></body></html>")
            << QByteArray("Gr\xC3\xBC\xC3\x9F"
                          "e");
        QTest::newRow("iso-8859-1 page, utf-8 project")
            << "utf-8"
            << QByteArray(
                   "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">"
                   "</head><body><p>Gr\xFC\xDF"
                   "e HIER</p></body></html>")
            << QByteArray("Gr\xFC\xDF"
                          "e");
    }

    void ownCharacterSet()
    {
        QFETCH(QString, projectEncoding);
        QFETCH(QByteArray, page);
        QFETCH(QByteArray, umlauts);
        Project().ExtSettings.encoding = projectEncoding;
        QTemporaryDir dir;
        // A name a file address must carry right.
        const QString path = Write(dir, QString::fromUtf8("Meine Seite ä.htm"), page);
        auto w = Window();
        QVERIFY(w && OpenWithForm(*w, path));
        QVERIFY(Markup(*w).contains(QString::fromUtf8("Grüße")));
        QVERIFY(Bytes(w->WorkingCopy()).startsWith("\xEF\xBB\xBF"));
        QVERIFY(Save(*w));
        const QByteArray saved = Bytes(path);
        QVERIFY(saved.contains(umlauts));
        QVERIFY(!saved.startsWith("\xEF\xBB\xBF"));
        QVERIFY(saved.contains("<form name=\"QVFORM\""));
        Close(*w, Answer::No, prompter);
    }

    void reopeningRemembersThePage()
    {
        QTemporaryDir dir;
        const QString page = Write(dir, "seite.htm", Sample);
        {
            auto w = Window();
            QVERIFY(w && OpenWithForm(*w, page));
            Close(*w, Answer::Yes, prompter);
            QVERIFY(!w->isVisible());
        }
        QCOMPARE(Project().ExtSettings.HTMLExportFileName, page);
        // The command of the main window opens it again, with its form.
        QAction* command = (*rig)->findChild<QAction*>("actHtmlExportFile");
        QVERIFY(command);
        QVERIFY((*rig)->findChild<QAction*>("ExportinbestehendeHTMLDatei1")->isEnabled());
        bool checked = false;
        WhenModal<TfrmExportHTML>([&](TfrmExportHTML* w) {
            checked = QTest::qWaitFor([w] { return !w->IsBusy(); }, EngineTimeout) && w->FileName() == page &&
                      Enabled(*w, "actRefresh") && !Enabled(*w, "actAddForm");
            prompter.answers = {Answer::No};
            w->close();
        });
        command->trigger();
        QVERIFY(checked);
        QCOMPARE(Project().ExtSettings.HTMLExportFileName, page);
    }

    void theUsersCopyNamedFileStays()
    {
        QTemporaryDir dir;
        const QString page = Write(dir, "page.htm", Sample);
        const QString theirs = Write(dir, "page.htm.copy.html", "<p>meins</p>");
        auto w = Window();
        QVERIFY(w && OpenWithForm(*w, page));
        QCOMPARE(w->WorkingCopy(), page + ".copy-2.html");
        const QString copy = w->WorkingCopy();
        Close(*w, Answer::Yes, prompter);
        QCOMPARE(Bytes(theirs), QByteArray("<p>meins</p>"));
        QVERIFY(!QFile::exists(copy));
    }

    void linksAreNotFollowed()
    {
        QTemporaryDir dir;
        Write(dir, "anders.htm", "<p>anders</p>");
        const QString page = Write(
            dir, "links.htm",
            "<html><head></head><body><!-- QVFORM begin --><!-- QVFORM end -->"
            "<p><a id=\"l\" href=\"anders.htm\" style=\"display:block;width:200px;height:40px\">Link</a></p>"
            "<p><a id=\"b\" href=\"anders.htm\" target=\"_blank\">Neues Fenster</a></p></body></html>");
        auto w = Window();
        QVERIFY(w && Open(*w, page));
        QCOMPARE(Js(*w, "document.designMode").toString(), "off"); // links would work now
        const QUrl shown = w->Browser()->url();
        auto* guarded = qobject_cast<TGuardedPage*>(w->Browser()->page());
        QVERIFY(guarded);
        QSignalSpy refused(guarded, &TGuardedPage::NavigationRefused);

        // A real click on the link, where the engine draws it.
        const QVariantList box =
            Js(*w, "(function() { var r = document.getElementById('l').getBoundingClientRect();"
                   " return [r.left + 10, r.top + 10]; })()")
                .toList();
        QCOMPARE(box.size(), 2);
        QWidget* surface = w->Browser()->focusProxy();
        QVERIFY(surface);
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(box[0].toInt(), box[1].toInt()));
        QVERIFY(refused.wait(EngineTimeout));
        QCOMPARE(refused.first().first().toUrl().fileName(), "anders.htm");
        // And one that would open a window.
        const int windows = QApplication::topLevelWidgets().size();
        QVERIFY(Js(*w, "document.getElementById('b').click(); true").toBool());
        QTest::qWait(300);
        QCOMPARE(QApplication::topLevelWidgets().size(), windows);
        QCOMPARE(w->Browser()->url(), shown);
        QVERIFY(Markup(*w).contains("Neues Fenster"));
        Close(*w, Answer::No, prompter);
    }

    void aFailedSaveLosesNothing()
    {
        QTemporaryDir dir;
        const QString page = Write(dir, "seite.htm", Sample);
        auto w = Window();
        QVERIFY(w && OpenWithForm(*w, page));
        // The page's place cannot take a file any more (a folder stands
        // there now; a read-only file would not stop the super-user).
        QVERIFY(QFile::remove(page));
        QVERIFY(QDir().mkdir(page));

        QVERIFY(!Save(*w));
        QCOMPARE(prompter.entries.size(), 1);
        QVERIFY(prompter.entries.first().text.startsWith(Text("txtHTMLExport2")));
        QCOMPARE(w->FileName(), page);
        QVERIFY(HasForm(Markup(*w)));

        // Closing with "save" keeps the window open when saving fails ...
        prompter.Clear();
        prompter.answers = {Answer::Yes};
        w->close();
        QTRY_COMPARE_WITH_TIMEOUT(prompter.entries.size(), 2, EngineTimeout);
        QVERIFY(prompter.entries[1].text.startsWith(Text("txtHTMLExport2")));
        QTRY_VERIFY(!w->IsBusy());
        QVERIFY(w->isVisible());
        QVERIFY(QFile::exists(w->WorkingCopy()));
        // ... and closes without saving when told so.
        Close(*w, Answer::No, prompter);
        QVERIFY(!w->isVisible());
    }

    void openingAnotherPageAsksWhenChanged()
    {
        QTemporaryDir dir;
        const QString first = Write(dir, "eins.htm", Sample);
        const QString second = Write(dir, "zwei.htm", Sample);
        auto w = Window();
        QVERIFY(w && Open(*w, first));
        // Unchanged: no question.
        QVERIFY(Open(*w, second));
        QVERIFY(prompter.entries.isEmpty());
        QCOMPARE(w->FileName(), second);

        QVERIFY(Select(*w, "HIER") && Command(*w, "actAddForm"));
        prompter.answers = {Answer::Cancel};
        w->OpenFile(first);
        QTRY_COMPARE_WITH_TIMEOUT(prompter.Texts(), QStringList{Text("txtHTMLExport5")}, EngineTimeout);
        QTRY_VERIFY(!w->IsBusy());
        QCOMPARE(w->FileName(), second);

        prompter.answers = {Answer::Yes};
        QVERIFY(Open(*w, first));
        QCOMPARE(w->FileName(), first);
        QVERIFY(Bytes(second).contains(FormBegin.toUtf8()));
        QVERIFY(!QFile::exists(second + ".copy.html"));

        // A working copy that cannot be made is said; the open page stays.
        prompter.Clear();
        w->OpenFile("/proc/version");
        QTRY_COMPARE_WITH_TIMEOUT(prompter.entries.size(), 1, EngineTimeout);
        QVERIFY(prompter.entries.first().text.startsWith(Text("txtHTMLExport3")));
        QCOMPARE(w->FileName(), first);
        QVERIFY(QFile::exists(w->WorkingCopy()));

        // Help opens the window's own page.
        prompter.Clear();
        QList<QUrl> opened;
        w->SetUrlOpener([&opened](const QUrl& url) {
            opened << url;
            return true;
        });
        w->findChild<QAction*>("actHelp")->trigger();
        QCOMPARE(opened.size(), 1);
        QCOMPARE(QFileInfo(opened[0].toLocalFile()).fileName(), QStringLiteral("de_export.htm"));
        QVERIFY(prompter.entries.isEmpty());
        Close(*w, Answer::No, prompter);
    }

    void cleanupTestCase() { rig.reset(); }
};

QTEST_MAIN(TestExportHtml)
#include "tst_exporthtml.moc"
