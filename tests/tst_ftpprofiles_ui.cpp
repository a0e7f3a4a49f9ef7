// The FTP profiles in the program: the list and its commands, the edit
// dialog's checks, the connection test against a real server (its log
// lines and messages, an untrusted certificate's key offered and taken),
// and taking a profile over into the project.
#include "FtpServer.h"
#include "MainWindowRig.h"
#include "ModalDriver.h"
#include "RecordingPrompter.h"

#include "model/FormProject.h"
#include "publish/ui/frmFTPEdit.h"
#include "publish/ui/frmFTPLog.h"
#include "publish/ui/ftpProfiles.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace
{
QLineEdit* EditOf(QWidget* dialog, const char* name)
{
    return dialog->findChild<QLineEdit*>(QLatin1String(name));
}

void Fill(TfrmFTPEdit* edit, const QStringList& values)
{
    const char* names[] = {"edtProfilName", "edtServername", "edtPort", "edtBenutzername", "edtPasswort"};
    for (int i = 0; i < values.size(); ++i)
        EditOf(edit, names[i])->setText(values.at(i));
}

QStringList Row(QTreeWidget* list, int row)
{
    QStringList cells;
    for (int c = 0; c < list->columnCount(); ++c)
        cells << list->topLevelItem(row)->text(c);
    return cells;
}
} // namespace

class TestFtpProfilesUi : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    QTemporaryDir root;
    QTemporaryDir certs;
    FtpServer server;
    RecordingPrompter prompter;

    QString Text(TfrmMain& w, const char* key) { return w.Texts().Text(QLatin1String(key)); }

    // Presses "Verbindung testen" and waits for the test's end.
    static bool RunTest(TfrmFTPEdit& edit)
    {
        QSignalSpy finished(&edit, &TfrmFTPEdit::TestFinished);
        edit.findChild<QPushButton*>(QStringLiteral("btTest"))->click();
        if (!finished.wait(20000))
            return false;
        QCoreApplication::processEvents(); // the last queued lines
        return true;
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        QVERIFY(server.Start(root.path(), QStringLiteral("quorvel"), QStringLiteral("geheim")));
    }

    void init() { prompter.Clear(); }

    // The checks of OK in their order; the first failure takes the focus.
    void validation_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("nothing") << QStringList{"", "", "21", "", ""} << "txtFTPEdit1"
                                 << "edtProfilName";
        QTest::newRow("no server") << QStringList{"p", "", "x", "", ""} << "txtFTPEdit2"
                                   << "edtServername";
        QTest::newRow("no user") << QStringList{"p", "h", "x", "", ""} << "txtFTPEdit3"
                                 << "edtBenutzername";
        QTest::newRow("port text") << QStringList{"p", "h", "x", "u", ""} << "txtFTPEdit4"
                                   << "edtPort";
        QTest::newRow("port 0") << QStringList{"p", "h", "0", "u", ""} << "txtFTPEdit4"
                                << "edtPort";
        QTest::newRow("port 70000") << QStringList{"p", "h", "70000", "u", ""} << "txtFTPEdit4"
                                    << "edtPort";
        QTest::newRow("line end in user") << QStringList{"p", "h", "21", "u\r\nDELE x", ""} << "txtFTPEdit6"
                                          << "edtBenutzername";
        QTest::newRow("line end in password") << QStringList{"p", "h", "21", "u", "a\nb"} << "txtFTPEdit6"
                                              << "edtPasswort";
        // Blanks count as a value, and the password may be empty.
        QTest::newRow("blanks") << QStringList{" ", " ", "2121", " ", ""} << ""
                                << "";
    }

    void validation()
    {
        QFETCH(QStringList, values);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        MainWindowRig w(prompter, QString());
        TfrmFTPEdit edit(w->Texts(), prompter, w->FtpLog());
        edit.show();
        Fill(&edit, values);
        edit.findChild<QPushButton*>(QStringLiteral("btOK"))->click();
        if (message.isEmpty()) {
            QCOMPARE(edit.result(), int(QDialog::Accepted));
            QVERIFY(prompter.entries.isEmpty());
            return;
        }
        QVERIFY(edit.isVisible());
        QCOMPARE(prompter.Texts(), QStringList{Text(*w, message.toLatin1().constData())});
        QCOMPARE(edit.focusWidget()->objectName(), focus);
    }

    // The log of a connection test, as the log window holds it.
    void connectionTest_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QStringList>("tail"); // keys (or "reply") after the first three lines
        QTest::addColumn<QString>("message");  // key of the message box, or "error"
        const QString port = QString::number(server.Port());
        QTest::newRow("connected") << "127.0.0.1" << port << "geheim" << QStringList{"txtMainFrmFTP3"} << "";
        QTest::newRow("wrong password")
            << "127.0.0.1" << port << "falsch"
            << QStringList{"", "txtMainFrmFTP7", "", "txtMainFrmFTP8", "", "txtMainFrmFTP11", "reply"} << "";
        QTest::newRow("port not a number") << "127.0.0.1"
                                           << "abc"
                                           << "geheim" << QStringList{} << "txtMainFrmFTP6";
        QTest::newRow("no host") << " " << port << "geheim" << QStringList{} << "txtMainFrmFTP12";
        FtpServer gone;
        QVERIFY(gone.Start(root.path(), QStringLiteral("quorvel"), QStringLiteral("geheim")));
        const QString closed = QString::number(gone.Port());
        gone.Stop();
        QTest::newRow("refused") << "127.0.0.1" << closed << "geheim" << QStringList{} << "error";
    }

    void connectionTest()
    {
        QFETCH(QString, host);
        QFETCH(QString, port);
        QFETCH(QString, password);
        QFETCH(QStringList, tail);
        QFETCH(QString, message);
        MainWindowRig w(prompter, QString());
        TfrmFTPEdit edit(w->Texts(), prompter, w->FtpLog());
        edit.SetTimeouts(5, 5, 5);
        edit.show();
        Fill(&edit, {QString(), host, port, QStringLiteral("quorvel"), password});
        w->FtpLog().AddLine(QStringLiteral("from before"));
        QVERIFY(RunTest(edit));
        QStringList want{Text(*w, "txtMainFrmFTP0"), Text(*w, "txtMainFrmFTP1") + QStringLiteral(" quorvel"),
                         Text(*w, "txtMainFrmFTP2")};
        for (const QString& key : tail)
            want << (key.isEmpty()                   ? QString()
                     : key == QLatin1String("reply") ? QString()
                                                     : Text(*w, key.toLatin1().constData()));
        QStringList lines = w->FtpLog().Lines();
        if (tail.contains(QStringLiteral("reply"))) {
            QVERIFY(lines.last().startsWith(QStringLiteral("530 ")));
            lines.last().clear();
        }
        QCOMPARE(lines, want);
        QVERIFY(w->FtpLog().isVisible());
        QVERIFY(!lines.join(QLatin1Char('\n')).contains(password));
        if (message.isEmpty())
            QVERIFY(prompter.entries.isEmpty());
        else if (message == QLatin1String("error")) {
            QCOMPARE(prompter.entries.size(), 1);
            QCOMPARE(prompter.entries.first().icon, Prompter::Icon::Error);
            QVERIFY(!prompter.entries.first().text.isEmpty());
        } else
            QCOMPARE(prompter.Texts(), QStringList{Text(*w, message.toLatin1().constData())});
        QVERIFY(edit.findChild<QPushButton*>(QStringLiteral("btOK"))->isEnabled());
    }

    // A server whose certificate no authority signed: its key is offered,
    // and trusted only on Yes; with it the test connects.
    void untrustedServerKey()
    {
        QString pin;
        const QString cert = MakeTestCertificate(certs.path(), &pin);
        QVERIFY2(!cert.isEmpty(), "openssl could not make a certificate");
        FtpServer tls;
        QVERIFY(tls.Start(root.path(), QStringLiteral("quorvel"), QStringLiteral("geheim"),
                          {QStringLiteral("--certfile"), cert, QStringLiteral("--keyfile"),
                           certs.filePath(QStringLiteral("key.pem"))}));
        MainWindowRig w(prompter, QString());
        TfrmFTPEdit edit(w->Texts(), prompter, w->FtpLog());
        edit.SetTimeouts(5, 5, 5);
        edit.show();
        Fill(&edit, {QStringLiteral("p"), QStringLiteral("127.0.0.1"), QString::number(tls.Port()),
                     QStringLiteral("quorvel"), QStringLiteral("geheim")});
        edit.findChild<QCheckBox*>(QStringLiteral("chkTls"))->setChecked(true);

        prompter.answers = {Prompter::Answer::No};
        QVERIFY(RunTest(edit));
        QCOMPARE(prompter.entries.size(), 1);
        QVERIFY(prompter.entries.first().question);
        QCOMPARE(prompter.entries.first().preselected, Prompter::Answer::No);
        QVERIFY(prompter.entries.first().text.contains(pin));
        QVERIFY(edit.Values().tlsKey.isEmpty());

        prompter.Clear();
        prompter.answers = {Prompter::Answer::Yes};
        QVERIFY(RunTest(edit));
        QCOMPARE(edit.Values().tlsKey, pin);
        prompter.Clear();
        QVERIFY(RunTest(edit));
        QVERIFY(prompter.entries.isEmpty());
        QCOMPARE(w->FtpLog().Lines().last(), Text(*w, "txtMainFrmFTP3"));
    }

    // The list's commands, the values kept by "Neu", the file written at
    // every close, and the take-over into the project's controls.
    void listAndTakeOver()
    {
        MainWindowRig w(prompter, QString());
        const QString stored = w.services.AppDataFolder() + QStringLiteral("/profiles.xml");
        QFile::remove(stored);
        w->Project().edtFolder = QStringLiteral("htdocs");
        w->Project().edtDateiname = QStringLiteral("kontakt.php");
        w->ShowProject();

        // Without a row: the messages, and nothing changes.
        WhenModal<TftpProfiles>([](TftpProfiles* list) {
            list->findChild<QAction*>(QStringLiteral("actDelete"))->trigger();
            list->findChild<QAction*>(QStringLiteral("actOvertake"))->trigger();
            // Two profiles of one name; the second starts with the first's values.
            WhenModal<TfrmFTPEdit>([](TfrmFTPEdit* edit) {
                QCOMPARE(EditOf(edit, "edtPort")->text(), QStringLiteral("21"));
                Fill(edit, {QStringLiteral("Büro"), QStringLiteral("ftp.example.com"), QStringLiteral("2121"),
                            QStringLiteral("eva"), QString()});
                edit->findChild<QCheckBox*>(QStringLiteral("chkPassiv"))->setChecked(true);
                edit->findChild<QPushButton*>(QStringLiteral("btOK"))->click();
            });
            list->findChild<QAction*>(QStringLiteral("actNew"))->trigger();
            WhenModal<TfrmFTPEdit>([](TfrmFTPEdit* edit) {
                QCOMPARE(EditOf(edit, "edtServername")->text(), QStringLiteral("ftp.example.com"));
                EditOf(edit, "edtPasswort")->setText(QStringLiteral("geheim"));
                edit->findChild<QPushButton*>(QStringLiteral("btOK"))->click();
            });
            list->findChild<QAction*>(QStringLiteral("actNew"))->trigger();
            auto* view = list->findChild<QTreeWidget*>(QStringLiteral("lstFTP"));
            QCOMPARE(view->topLevelItemCount(), 2);
            QCOMPARE(Row(view, 0), (QStringList{"Büro", "ftp.example.com", "2121", "eva", "", "x", ""}));
            QCOMPARE(Row(view, 1),
                     (QStringList{"Büro", "ftp.example.com", "2121", "eva", "******", "x", ""}));
            // The selected row is the new one; take the first.
            const QPoint first = view->visualItemRect(view->topLevelItem(0)).center();
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, first);
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, first);
        });
        prompter.Clear();
        w->findChild<QAction*>(QStringLiteral("actFtpProfiles"))->trigger();
        QCOMPARE(prompter.Texts(), (QStringList{Text(*w, "txtFTPProfile1"), Text(*w, "txtFTPProfile2")}));
        const TFormProject& p = w->Project();
        QCOMPARE(p.edtFtpServer, QStringLiteral("ftp.example.com"));
        QCOMPARE(p.edtPort, QStringLiteral("2121"));
        QCOMPARE(p.edtUsername, QStringLiteral("eva"));
        QVERIFY(p.edtPasswort.isEmpty());
        QVERIFY(p.chkPassiv);
        QCOMPARE(p.edtFolder, QStringLiteral("htdocs"));
        QCOMPARE(p.edtDateiname, QStringLiteral("kontakt.php"));
        QFile xml(stored);
        QVERIFY(xml.open(QIODevice::ReadOnly));
        QCOMPARE(xml.readAll().count("<profile>"), 2);
        xml.close();

        // The same dialog the next time (the list was read once); Verlassen
        // changes nothing in the project, but a deletion reaches the file.
        WhenModal<TftpProfiles>([](TftpProfiles* list) {
            auto* view = list->findChild<QTreeWidget*>(QStringLiteral("lstFTP"));
            QCOMPARE(view->topLevelItemCount(), 2);
            view->topLevelItem(1)->setSelected(true);
            list->findChild<QAction*>(QStringLiteral("actDelete"))->trigger();
            list->findChild<QAction*>(QStringLiteral("actExit"))->trigger();
        });
        w->Project().edtFtpServer = QStringLiteral("other");
        w->Pages()->setCurrentWidget(w->findChild<QWidget*>(QStringLiteral("FTP")));
        w->findChild<QPushButton*>(QStringLiteral("btFtpProfiles"))->click();
        QCOMPARE(w->Project().edtFtpServer, QStringLiteral("other"));
        QVERIFY(xml.open(QIODevice::ReadOnly));
        QCOMPARE(xml.readAll().count("<profile>"), 1);
    }
};

QTEST_MAIN(TestFtpProfilesUi)
#include "tst_ftpprofiles_ui.moc"
