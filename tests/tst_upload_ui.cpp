// The upload in the program: the transfer runs beside the window, its lines
// arrive in the log in order, a second upload cannot start meanwhile, and
// the log's button cancels a transfer. The export window uploads its page
// as it would save it.
#include "FtpServer.h"
#include "MainWindowRig.h"
#include "RecordingPrompter.h"

#include "model/FormProject.h"
#include "publish/HtmlExport.h"
#include "publish/ui/UploadCommand.h"
#include "publish/ui/frmExportHTML.h"
#include "publish/ui/frmFTPLog.h"

#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineScript>
#include <QWebEngineView>

class TestUploadUi : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    QTemporaryDir root;
    FtpServer server;
    RecordingPrompter prompter;

    void Point(TfrmMain& w)
    {
        TFormProject& p = w.Project();
        p.edtFtpServer = QStringLiteral("127.0.0.1");
        p.edtPort = QString::number(server.Port());
        p.edtUsername = QStringLiteral("quorvel");
        p.edtPasswort = QStringLiteral("geheim");
        p.chkPassiv = true;
        p.edtDateiname = QStringLiteral("formular.htm");
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        QVERIFY(server.Start(root.path(), QStringLiteral("quorvel"), QStringLiteral("geheim")));
    }

    void uploadFromTheWindow()
    {
        MainWindowRig w(prompter, QString());
        Point(*w);
        QAction* upload = w->findChild<QAction*>(QStringLiteral("actUpload"));
        QVERIFY(upload);
        QSignalSpy finished(&w->Upload(), &TUploadCommand::Finished);
        upload->trigger();
        QVERIFY(w->Upload().IsRunning());
        QVERIFY(!upload->isEnabled());
        QVERIFY(!w->Upload().Start()); // one at a time
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.first().first().toBool(), true);
        QVERIFY(upload->isEnabled());
        const QStringList lines = w->FtpLog().Lines();
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines.last(), w->Texts().Text(QStringLiteral("txtMainFrmFTP5")));
        QVERIFY(w->FtpLog().isVisible());
        QVERIFY(QFile::exists(root.filePath(QStringLiteral("formular.htm"))));
        QVERIFY(prompter.entries.isEmpty());
    }

    void cancelFromTheLog()
    {
        MainWindowRig w(prompter, QString());
        Point(*w);
        // A page large enough to still be on its way when the button is pressed.
        w->Project().memoEinleitung = QString(40 * 1024 * 1024, QLatin1Char('x'));
        QSignalSpy finished(&w->Upload(), &TUploadCommand::Finished);
        QVERIFY(w->Upload().Start());
        w->FtpLog().findChild<QPushButton*>(QStringLiteral("btCancelUpload"))->click();
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.first().first().toBool(), false);
        QCOMPARE(prompter.entries.size(), 1);
        QVERIFY(!w->Upload().IsRunning());
    }

    void refusedSettingsSayWhyAndDoNotStart()
    {
        prompter.Clear();
        MainWindowRig w(prompter, QString());
        Point(*w);
        w->Project().edtFtpServer.clear();
        QVERIFY(!w->Upload().Start());
        QCOMPARE(prompter.Texts(), QStringList{w->Texts().Text(QStringLiteral("txtMainFrmFTP13"))});
        QVERIFY(w->FtpLog().Lines().isEmpty());
    }

    void uploadTheMergedPage()
    {
        prompter.Clear();
        MainWindowRig w(prompter, QString());
        Point(*w);
        w->Project().edtDateiname = QStringLiteral("seite.htm");
        QTemporaryDir dir;
        const QString page = dir.filePath(QStringLiteral("seite.htm"));
        {
            QFile file(page);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("<!DOCTYPE html>\n<html><head><meta charset=\"iso-8859-1\"></head>"
                       "<body><p>Gr\xFC\xDF"
                       "e</p><p id=\"hier\">HIER</p></body></html>\n");
        }
        std::unique_ptr<TfrmExportHTML> exporter = w->MakeExportWindow();
        QSignalSpy loaded(exporter.get(), &TfrmExportHTML::Loaded);
        exporter->show();
        QVERIFY(loaded.wait(20000));
        exporter->OpenFile(page);
        QVERIFY(loaded.wait(20000));
        bool selected = false;
        exporter->Browser()->page()->runJavaScript(
            QStringLiteral(
                "var r = document.createRange(); r.selectNodeContents(document.getElementById('hier'));"
                " getSelection().removeAllRanges(); getSelection().addRange(r); true"),
            QWebEngineScript::ApplicationWorld, [&](const QVariant& v) { selected = v.toBool(); });
        QTRY_VERIFY_WITH_TIMEOUT(selected, 20000);
        exporter->findChild<QAction*>(QStringLiteral("actAddForm"))->trigger();
        QVERIFY(loaded.wait(20000));
        QSignalSpy saved(exporter.get(), &TfrmExportHTML::Saved);
        exporter->Save();
        QVERIFY(saved.wait(20000));
        QCOMPARE(saved.first().first().toBool(), true);

        QSignalSpy finished(&w->Upload(), &TUploadCommand::Finished);
        exporter->findChild<QAction*>(QStringLiteral("actFTPUpload"))->trigger();
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.first().first().toBool(), true);
        QFile local(page), remote(root.filePath(QStringLiteral("seite.htm")));
        QVERIFY(local.open(QIODevice::ReadOnly) && remote.open(QIODevice::ReadOnly));
        const QByteArray bytes = local.readAll();
        QVERIFY(bytes.contains(HtmlExport::FormBegin.toLatin1()));
        QVERIFY(bytes.contains("Gr\xFC\xDF"
                               "e"));
        QCOMPARE(remote.readAll(), bytes);
        // The private file went with the upload.
        QCOMPARE(
            QDir(w.services.TempFolder().Path()).entryList({QStringLiteral("quorvel_temp-*")}, QDir::Files),
            QStringList());
        QVERIFY(prompter.entries.isEmpty());
        prompter.answers = {Prompter::Answer::No};
        exporter->close();
    }
};

QTEST_MAIN(TestUploadUi)
#include "tst_upload_ui.moc"
