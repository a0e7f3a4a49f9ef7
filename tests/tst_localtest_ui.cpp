// The local test from the main window, with a real browser engine and real
// PHP: the command shows the page served on this computer in the preview,
// a visitor fills and sends it there, and the mails arrive in the inbox; the
// server is gone when the test ends, when another project comes and when
// the window closes.
#include "MainWindowRig.h"
#include "PhpPost.h"
#include "RecordingPrompter.h"
#include "RunJavaScript.h"
#include "ServerProbe.h"
#include "fields/FileField.h"
#include "model/FormProject.h"
#include "preview/LocalTest.h"
#include "preview/ui/InboxPanel.h"
#include "preview/ui/PreviewTab.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

namespace
{
// The picture code the page drew for the browser, from the test's sessions.
QString DrawnCode(const QString& sessions)
{
    for (const QFileInfo& info : QDir(sessions).entryInfoList({QStringLiteral("sess_*")}, QDir::Files)) {
        // a drawn code, not the mark of a post without one
        const QString code = PhpPost::SessionCaptcha(info.filePath());
        if (QRegularExpression(QStringLiteral("^[A-Z]{5}$")).match(code).hasMatch())
            return code;
    }
    return QString();
}
} // namespace

class TestLocalTestUi : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    QTemporaryDir tmp;
    RecordingPrompter prompter;

    static QVariant Run(TPreviewTab* tab, const QString& js)
    {
        return RunJavaScript(*tab->Browser()->page(), js);
    }

    // Starts the local test through the menu command and waits for the
    // served page in the preview.
    static void StartFromMenu(MainWindowRig& w, TPreviewTab* tab)
    {
        QSignalSpy shown(tab, &TPreviewTab::PageShown);
        QAction* command = w->findChild<QAction*>(QStringLiteral("actLocalTest"));
        QVERIFY(command);
        command->trigger();
        QVERIFY(tab->LocalTestRunning());
        QVERIFY(command->isChecked());
        QCOMPARE(w->Pages()->currentWidget()->objectName(), QStringLiteral("tsVorschau"));
        QTRY_VERIFY_WITH_TIMEOUT(!shown.isEmpty() && tab->Browser()->url().toString().startsWith(
                                                         QStringLiteral("http://127.0.0.1:")),
                                 30000);
        QTRY_VERIFY_WITH_TIMEOUT(
            Run(tab, QStringLiteral("document.readyState")).toString() == QStringLiteral("complete"), 20000);
    }

private slots:
    void initTestCase()
    {
        qputenv("TMPDIR", QFile::encodeName(tmp.path()));
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + QStringLiteral("/data")));
        TLocalTest::SetCaptureProgram(QStringLiteral(QUORVEL_MAILCAPTURE_PATH));
        if (TPhpServer::Program().isEmpty())
            QSKIP("php is not installed");
    }

    // The default project with the copy to the sender, the picture code and
    // an upload, as the PHP page and as the HTML form posting to the
    // companion mailer beside it: filled and sent in the preview, the owner's mail carries
    // the values and the file, the visitor's copy is marked as such; ending
    // the test leaves neither the process nor its port.
    void sendFromThePreview_data()
    {
        QTest::addColumn<QString>("kind"); // the radio button of the page kind
        QTest::newRow("PHP page") << "rbLocalTestPhp";
        QTest::newRow("HTML form with the companion mailer") << "rbLocalTestHtml";
    }

    void sendFromThePreview()
    {
        QFETCH(QString, kind);
        MainWindowRig w(prompter, QString());
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        TFormProject& project = w->Project();
        project.chkAbsender = true;
        project.chkCaptcha = true;
        auto upload = std::make_unique<TFileField>();
        upload->Name = QStringLiteral("anhang");
        upload->Beschriftung = QStringLiteral("Anhang");
        project.ListField.Add(std::move(upload));

        TPreviewTab* tab = w->PreviewTab();
        tab->findChild<QRadioButton*>(kind)->setChecked(true);
        QSignalSpy mails(&tab->LocalTest(), &TLocalTest::MailReceived);
        StartFromMenu(w, tab);
        const qint64 pid = tab->LocalTest().ProcessId();
        const int port = tab->LocalTest().Port();
        QVERIFY(ProcessAlive(pid));

        const QString sessions = tab->LocalTest().Folder() + QStringLiteral("/sessions");
        QString code;
        QTRY_VERIFY_WITH_TIMEOUT(!(code = DrawnCode(sessions)).isEmpty(), 20000);
        const QVariant filled = Run(tab, QStringLiteral(R"(
            (function() {
              var f = document.forms.QVFORM;
              f.name.value = "Erika Muster";
              f.email.value = "erika@example.org";
              f.nachricht.value = "Gesendet aus der Vorschau";
              f.zustimmung.checked = true;
              f.captcha_input.value = "%1";
              var files = new DataTransfer();
              files.items.add(new File(["Inhalt der Anlage"], "notiz.txt", {type: "text/plain"}));
              f.anhang.files = files.files;
              f.querySelector("input[type=submit]").click();
              return f.anhang.files.length;
            })())")
                                             .arg(code));
        QCOMPARE(filled.toInt(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(mails.size(), 2, 20000);

        const TMailMessage* owner = nullptr;
        const TMailMessage* copy = nullptr;
        QList<TMailMessage> received;
        for (const QList<QVariant>& arguments : mails)
            received << arguments.at(0).value<TMailMessage>();
        for (int i = 0; i < received.size(); ++i)
            (mails.at(i).at(1).toBool() ? copy : owner) = &received[i];
        QVERIFY(owner && copy);
        QCOMPARE(owner->Recipients(), QStringList{QStringLiteral("info@example.com")});
        QVERIFY(owner->Body()->Text().contains(QStringLiteral("Gesendet aus der Vorschau")));
        QCOMPARE(owner->Attachments().size(), 1);
        QCOMPARE(owner->Attachments().first().fileName, QStringLiteral("notiz.txt"));
        QCOMPARE(owner->Attachments().first().data, QByteArray("Inhalt der Anlage"));
        QCOMPARE(copy->Recipients(), QStringList{QStringLiteral("erika@example.org")});
        // Both are in the inbox, the copy marked, and PHP had nothing to say.
        TInboxPanel* inbox = tab->Inbox();
        QVERIFY(inbox->isVisible());
        QCOMPARE(inbox->MailCount(), 2);
        auto* list = inbox->findChild<QTreeWidget*>(QStringLiteral("lstMails"));
        QString shown;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            for (int column = 0; column < list->columnCount(); ++column)
                shown += list->topLevelItem(i)->text(column) + QLatin1Char('|');
        QVERIFY2(shown.contains(QStringLiteral("Kopie an Absender")), qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("info@example.com")), qPrintable(shown));
        QCOMPARE(inbox->MessageCount(), 0);
        // The upload is the owner's mail's attachment.
        inbox->SelectMail(mails.at(0).at(1).toBool() ? 1 : 0);
        auto* attachments = inbox->findChild<QTreeWidget*>(QStringLiteral("lstAttachments"));
        QCOMPARE(attachments->topLevelItemCount(), 1);
        QCOMPARE(attachments->topLevelItem(0)->text(0), QStringLiteral("notiz.txt"));
        // The thank-you page lies on the internet: the test does not go
        // there, it says where the page would go.
        QTRY_VERIFY(
            tab->findChild<QLabel*>(QStringLiteral("lblLocalTest"))->text().contains(project.edtDanke));
        QCOMPARE(tab->Browser()->url().host(), QStringLiteral("127.0.0.1"));

        // Ending the test: the command again.
        w->findChild<QAction*>(QStringLiteral("actLocalTest"))->trigger();
        QVERIFY(!tab->LocalTestRunning());
        QVERIFY(!w->findChild<QAction*>(QStringLiteral("actLocalTest"))->isChecked());
        QVERIFY(!ProcessAlive(pid));
        QVERIFY(!PortAnswers(port));
        QCOMPARE(prompter.entries.size(), 0);
    }

    // Another project, and closing the window, end a running test.
    void endsWithTheProjectAndTheWindow()
    {
        MainWindowRig w(prompter, QString());
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        TPreviewTab* tab = w->PreviewTab();
        StartFromMenu(w, tab);
        qint64 pid = tab->LocalTest().ProcessId();
        QVERIFY(w->OpenProjectFile(QStringLiteral(QUORVEL_TEST_DATA_DIR "/default_Englisch.qvf")));
        QVERIFY(!tab->LocalTestRunning());
        QVERIFY(!ProcessAlive(pid));

        StartFromMenu(w, tab);
        pid = tab->LocalTest().ProcessId();
        const int port = tab->LocalTest().Port();
        prompter.answers << Prompter::Answer::No; // not saved
        const bool closed = w->close();
        QVERIFY2(closed, qPrintable(prompter.entries.isEmpty() ? QString() : prompter.entries.last().text));
        QVERIFY(!ProcessAlive(pid));
        QVERIFY(!PortAnswers(port));
    }
};

QTEST_MAIN(TestLocalTestUi)
#include "tst_localtest_ui.moc"
