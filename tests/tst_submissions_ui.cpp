// The window "Einsendungen" against a real FTP server (pyftpdlib) whose
// store the PHP page's own functions filled: it fetches and shows the
// entries, opens an attachment, sorts by time, searches, exports a CSV
// with a visitor's formula neutralised and deletes on the server only
// after asking. The menu command opens it.
#include "FtpServer.h"
#include "MainWindowRig.h"
#include "ModalDriver.h"
#include "RecordingPrompter.h"
#include "StoreFill.h"

#include "base/LanguageTexts.h"
#include "model/FormProject.h"
#include "publish/SubmissionServer.h"
#include "publish/ui/frmSubmissions.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace
{
const QString Data = QStringLiteral(QUORVEL_TEST_DATA_DIR);

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

StoreFill::Entry Entry(const QString& name, const QString& message)
{
    return StoreFill::Entry{{{"name", name}, {"nachricht", message}}, {}, "1"};
}
} // namespace

class TestSubmissionsUi : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    std::unique_ptr<QTemporaryDir> root;
    FtpServer server;
    RecordingPrompter prompter;

    QString Store() const { return root->filePath(QStringLiteral("quorvel-data")); }

    void Point(TFormProject& p)
    {
        p.edtFtpServer = QStringLiteral("127.0.0.1");
        p.edtPort = QString::number(server.Port());
        p.edtUsername = QStringLiteral("quorvel");
        p.edtPasswort = QStringLiteral("geheim");
        p.chkPassiv = true;
        p.chkStoreEntries = true;
    }

    // Three entries, one second apart so that their times differ; the
    // last brings an attachment.
    QStringList FillThree()
    {
        QStringList ids;
        QByteArray out;
        ids << StoreFill::Add(Data, Store(), false, {Entry("Bert", "erste")}, &out);
        QTest::qWait(1100);
        ids << StoreFill::Add(Data, Store(), false, {Entry("Anna", "=HYPERLINK(\"http://x\")")}, &out);
        QTest::qWait(1100);
        StoreFill::Entry third = Entry("Carla", "mit Anhang");
        third.files = {{"anhang", "brief.pdf", QByteArray("%PDF-1.4 Carla", 14)}};
        ids << StoreFill::Add(Data, Store(), false, {third}, &out);
        if (ids.size() != 3)
            qWarning("php: %s", out.constData());
        return ids;
    }

    QStringList IdsOnServer(const TFormProject& project)
    {
        QTemporaryDir local;
        const TResult<TSubmissionFetch> fetched = TSubmissionServer::Of(project).Fetch(local.path());
        if (!fetched)
            return {fetched.Error()};
        QStringList ids;
        for (const TSubmission& e : fetched->read.entries)
            ids << e.id;
        return ids;
    }

    // The column of the table whose header is the text.
    static int ColumnOf(QTableView* table, const QString& header)
    {
        for (int c = 0; c < table->model()->columnCount(); ++c)
            if (table->model()->headerData(c, Qt::Horizontal).toString() == header)
                return c;
        return -1;
    }

    static QStringList ColumnTexts(QTableView* table, int column)
    {
        QStringList texts;
        for (int r = 0; r < table->model()->rowCount(); ++r)
            texts << table->model()->index(r, column).data().toString();
        return texts;
    }

private slots:
    void initTestCase() { qputenv("XDG_DATA_HOME", home.path().toLocal8Bit()); }

    void init()
    {
        root = std::make_unique<QTemporaryDir>();
        server.Stop();
        QVERIFY(server.Start(root->path(), QStringLiteral("quorvel"), QStringLiteral("geheim")));
        prompter.Clear();
        prompter.answers.clear();
        prompter.fileNames.clear();
    }

    // The menu command opens the window and fetches: the entries with their
    // values, the attachment listed and opened from the private copy;
    // sorting by time, the search and closing (the copy goes).
    void fetchShowOpenSortSearch()
    {
        const QStringList ids = FillThree();
        QCOMPARE(ids.size(), 3);
        MainWindowRig w(prompter, QString());
        Point(w->Project());
        QList<QUrl> opened;
        w->SetUrlOpener([&opened](const QUrl& url) {
            opened << url;
            return true;
        });
        QAction* command = w->findChild<QAction*>(QStringLiteral("mnSubmissions"));
        QVERIFY(command && command->isEnabled());
        QCOMPARE(command->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
        command->trigger();
        TfrmSubmissions& window = w->SubmissionsWindow();
        QVERIFY(window.isVisible());
        QSignalSpy fetched(&window, &TfrmSubmissions::Fetched);
        QVERIFY(window.IsBusy());
        QVERIFY(fetched.wait(20000));
        QCOMPARE(fetched.first().first().toBool(), true);
        QVERIFY2(prompter.entries.isEmpty(), qPrintable(prompter.Texts().join(QLatin1Char('|'))));

        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTableView* table = window.Table();
        QCOMPARE(table->model()->rowCount(), 3);
        const int name = ColumnOf(table, QStringLiteral("name"));
        const int time = ColumnOf(table, w->Texts().Text(QStringLiteral("txtSubmissionsTime")));
        QVERIFY(name >= 0 && time >= 0);
        // The newest first.
        QCOMPARE(ColumnTexts(table, name), (QStringList{"Carla", "Anna", "Bert"}));
        QVERIFY(window.StatusText().contains(w->Texts().Text(QStringLiteral("txtSubmissionsCount")).arg(3)));

        // The attachment of the entry, opened from the window's own folder.
        table->selectRow(0);
        auto* attachments = window.findChild<QTreeWidget*>(QStringLiteral("lstAttachments"));
        QCOMPARE(attachments->topLevelItemCount(), 1);
        QCOMPARE(attachments->topLevelItem(0)->text(0), QStringLiteral("brief.pdf"));
        attachments->setCurrentItem(attachments->topLevelItem(0));
        QTest::keyClick(attachments, Qt::Key_Return);
        QCOMPARE(opened.size(), 1);
        const QString file = opened.first().toLocalFile();
        QCOMPARE(QFileInfo(file).fileName(), QStringLiteral("brief.pdf"));
        QVERIFY2(file.startsWith(window.LocalFolder() + QLatin1Char('/')), qPrintable(file));
        QCOMPARE(Read(file), QByteArray("%PDF-1.4 Carla", 14));
        // An entry without attachments opens nothing.
        table->selectRow(1);
        QCOMPARE(attachments->topLevelItemCount(), 0);
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(opened.size(), 1);

        // Sorted by time, not by name; then by name when its header is
        // clicked.
        table->sortByColumn(time, Qt::AscendingOrder);
        QCOMPARE(ColumnTexts(table, name), (QStringList{"Bert", "Anna", "Carla"}));
        QTest::mouseClick(table->horizontalHeader()->viewport(), Qt::LeftButton, {},
                          QPoint(table->horizontalHeader()->sectionViewportPosition(name) + 5, 5));
        QCOMPARE(ColumnTexts(table, name), (QStringList{"Anna", "Bert", "Carla"}));

        // The search looks at every column, whatever the case; Ctrl+F
        // reaches it.
        auto* search = window.findChild<QLineEdit*>(QStringLiteral("edtSearch"));
        QTest::keyClick(table, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(search->hasFocus());
        TypeText(search, QStringLiteral("ANHANG"));
        QCOMPARE(ColumnTexts(table, name), QStringList{"Carla"});
        QVERIFY(window.StatusText().contains(w->Texts().Text(QStringLiteral("txtSubmissionsShown")).arg(1)));
        search->clear();
        QCOMPARE(window.ShownRows(), 3);

        // Closing removes the local copy.
        const QString local = window.LocalFolder();
        QVERIFY(QDir(local).exists());
        window.close();
        QVERIFY(!QDir(local).exists());
        QCOMPARE(window.Table()->model()->rowCount(), 0);
    }

    // The CSV holds the rows shown, a visitor's formula neutralised; a
    // cancelled file dialog writes nothing.
    void exportCsv()
    {
        QCOMPARE(FillThree().size(), 3);
        MainWindowRig w(prompter, QString());
        Point(w->Project());
        TfrmSubmissions& window = w->SubmissionsWindow();
        QSignalSpy fetched(&window, &TfrmSubmissions::Fetched);
        window.Open();
        QVERIFY(fetched.wait(20000));
        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("liste.csv"));
        QVERIFY(!window.ExportCsv()); // no name given: cancelled
        QCOMPARE(prompter.fileRequests.size(), 1);
        QVERIFY(prompter.fileRequests.first().save);
        QVERIFY(!QFile::exists(path));

        prompter.fileNames << path;
        window.findChild<QAction*>(QStringLiteral("actExportCsv"))->trigger();
        const QString csv = QString::fromUtf8(Read(path));
        QVERIFY2(csv.contains(QLatin1String("\"'=HYPERLINK(\"\"http://x\"\")\"")), qPrintable(csv));
        QVERIFY(!csv.contains(QLatin1String("\"=HYPERLINK")));
        QCOMPARE(csv.count(QLatin1String("\r\n")), 4); // header and three rows

        // Only what the search leaves.
        TypeText(window.findChild<QLineEdit*>(QStringLiteral("edtSearch")), QStringLiteral("bert"));
        prompter.fileNames << path;
        QVERIFY(window.ExportCsv());
        const QString one = QString::fromUtf8(Read(path));
        QCOMPARE(one.count(QLatin1String("\r\n")), 2);
        QVERIFY(one.contains(QLatin1String("\"Bert\"")) && !one.contains(QLatin1String("Anna")));
        QVERIFY(prompter.entries.isEmpty());
    }

    // Delete asks, naming how many: No keeps everything on the server, Yes
    // removes exactly the selected entries, and the table shows the rest.
    void deleteAsksAndRemovesTheSelected()
    {
        const QStringList ids = FillThree();
        QCOMPARE(ids.size(), 3);
        MainWindowRig w(prompter, QString());
        Point(w->Project());
        TfrmSubmissions& window = w->SubmissionsWindow();
        QSignalSpy fetched(&window, &TfrmSubmissions::Fetched);
        window.Open();
        QVERIFY(fetched.wait(20000));
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTableView* table = window.Table();
        const int name = ColumnOf(table, QStringLiteral("name"));
        // Carla and Bert (the first and last rows, newest first).
        table->selectRow(0);
        table->selectionModel()->select(table->model()->index(2, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        const QString question = w->Texts().Text(QStringLiteral("txtSubmissionsDeleteAsk")).arg(2);

        prompter.answers << Prompter::Answer::No;
        QTest::keyClick(table, Qt::Key_Delete);
        QCOMPARE(prompter.Texts(), QStringList{question});
        QCOMPARE(prompter.entries.first().preselected, Prompter::Answer::No);
        QVERIFY(!window.IsBusy());
        QCOMPARE(IdsOnServer(w->Project()).size(), 3);

        prompter.Clear();
        prompter.answers << Prompter::Answer::Yes;
        QSignalSpy deleted(&window, &TfrmSubmissions::DeleteFinished);
        fetched.clear();
        QVERIFY(window.DeleteSelected());
        QVERIFY(deleted.wait(20000));
        QCOMPARE(deleted.first().at(0).toBool(), true);
        QCOMPARE(deleted.first().at(1).toInt(), 2);
        QVERIFY(fetched.wait(20000));
        QCOMPARE(prompter.Texts(), QStringList{question});
        QCOMPARE(IdsOnServer(w->Project()), QStringList{ids.at(1)});
        QCOMPARE(ColumnTexts(table, name), QStringList{"Anna"});
        QVERIFY(
            window.StatusText().contains(w->Texts().Text(QStringLiteral("txtSubmissionsDeleted")).arg(2)));
        QVERIFY(!QFile::exists(Store() + QStringLiteral("/files/") + ids.at(2) + QStringLiteral("-1")));
    }

    // The button cancels a fetch: nothing is reported as a failure, and
    // the next fetch works.
    void cancelFetch()
    {
        QCOMPARE(FillThree().size(), 3);
        MainWindowRig w(prompter, QString());
        Point(w->Project());
        TfrmSubmissions& window = w->SubmissionsWindow();
        QSignalSpy fetched(&window, &TfrmSubmissions::Fetched);
        window.show();
        QVERIFY(window.Fetch());
        auto* cancel = window.findChild<QPushButton*>(QStringLiteral("btCancel"));
        QVERIFY(cancel->isVisible());
        cancel->click();
        QVERIFY(fetched.wait(20000));
        QCOMPARE(fetched.first().first().toBool(), false);
        QVERIFY(prompter.entries.isEmpty());
        QVERIFY(window.StatusText().contains(w->Texts().Text(QStringLiteral("txtSubmissionsCancelled"))));
        QVERIFY(!cancel->isVisible());
        QVERIFY(window.Fetch());
        QVERIFY(fetched.wait(20000));
        QCOMPARE(window.Table()->model()->rowCount(), 3);
    }

    // No store yet, the store switched off, a refused login, no server.
    void nothingThereAndFailures()
    {
        MainWindowRig w(prompter, QString());
        Point(w->Project());
        TfrmSubmissions& window = w->SubmissionsWindow();
        QSignalSpy fetched(&window, &TfrmSubmissions::Fetched);
        window.Open();
        QVERIFY(fetched.wait(20000));
        QCOMPARE(fetched.first().first().toBool(), true);
        QVERIFY2(
            window.StatusText().contains(
                w->Texts().Text(QStringLiteral("txtSubmissionsNone")).arg(QStringLiteral("quorvel-data"))),
            qPrintable(window.StatusText()));
        QVERIFY(prompter.entries.isEmpty());
        window.close();

        // Off: the window says where to switch it on and does not fetch.
        w->Project().chkStoreEntries = false;
        window.Open();
        QVERIFY(!window.IsBusy());
        QVERIFY(window.StatusText().contains(w->Texts().Text(QStringLiteral("txtSubmissionsStoreOff"))));

        w->Project().edtPasswort = QStringLiteral("falsch");
        fetched.clear();
        QVERIFY(window.Fetch());
        QVERIFY(fetched.wait(20000));
        QCOMPARE(fetched.first().first().toBool(), false);
        QCOMPARE(prompter.entries.size(), 1);
        QVERIFY2(prompter.entries.first().text.contains(QLatin1String("530")),
                 qPrintable(prompter.entries.first().text));

        prompter.Clear();
        w->Project().edtFtpServer.clear();
        QVERIFY(!window.Fetch());
        QCOMPARE(prompter.Texts(), QStringList{w->Texts().Text(QStringLiteral("txtMainFrmFTP13"))});
    }
};

QTEST_MAIN(TestSubmissionsUi)
#include "tst_submissions_ui.moc"
