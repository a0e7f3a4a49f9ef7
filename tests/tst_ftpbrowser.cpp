// The FTP browser against a real FTP server on 127.0.0.1 (pyftpdlib, started
// here): where it starts, walking through folders by mouse and keys, taking
// a folder over, the refusals it says, the protocol list, closing; and the
// button of the main window that opens it.
#include "FtpServer.h"
#include "MainWindowRig.h"
#include "ModalDriver.h"
#include "RecordingPrompter.h"

#include "base/LanguageTexts.h"
#include "model/FormProject.h"
#include "publish/FtpBrowsing.h"
#include "publish/ui/frmFTPBrowser.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using Answer = Prompter::Answer;

namespace
{
const QString Data = QStringLiteral(QUORVEL_TEST_DATA_DIR);
const QString User = QStringLiteral("quorvel");
const QString Password = QStringLiteral("Zq7-geheim");

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
} // namespace

class TestFtpBrowser : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    QTemporaryDir root;
    FtpServer server;
    RecordingPrompter prompter;
    TLanguageTexts texts{Data + QStringLiteral("/lang.ini"), nullptr};

    QString Text(const char* key) const { return texts.Text(QLatin1String(key)); }

    TFtpSettings Settings(const QString& password = Password) const
    {
        TFtpSettings settings;
        settings.host = QStringLiteral("127.0.0.1");
        settings.port = server.Port();
        settings.user = User;
        settings.password = password;
        settings.connectTimeout = 3;
        settings.replyTimeout = 3;
        settings.stallTimeout = 3;
        return settings;
    }

    // A browser, shown without blocking, connected with the start folder.
    std::unique_ptr<TfrmFTPBrowser> Connected(const QString& startFolder = QString())
    {
        auto browser = std::make_unique<TfrmFTPBrowser>(texts, prompter);
        browser->SetConnection(Settings(), startFolder);
        browser->show();
        if (!QTest::qWaitForWindowExposed(browser.get()))
            qWarning("the browser is not shown");
        Act(*browser, "actConnect")->trigger();
        return browser;
    }

    template <typename T = QWidget> static T* Find(QObject& in, const char* name)
    {
        auto* found = in.findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no %s", name);
        return found;
    }
    static QAction* Act(QObject& in, const char* name) { return Find<QAction>(in, name); }
    static QString Folder(QObject& browser) { return Find<QLineEdit>(browser, "edtVerzeichnis")->text(); }

    static QStringList Names(QObject& browser)
    {
        auto* list = Find<QTreeWidget>(browser, "lstDirectory");
        QStringList names;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            names << list->topLevelItem(i)->text(0);
        names.sort();
        return names;
    }

    static QTreeWidgetItem* Item(QObject& browser, const QString& name)
    {
        const QList<QTreeWidgetItem*> found =
            Find<QTreeWidget>(browser, "lstDirectory")->findItems(name, Qt::MatchExactly, 0);
        return found.isEmpty() ? nullptr : found.first();
    }

    static void DoubleClick(QObject& browser, const QString& name)
    {
        auto* list = Find<QTreeWidget>(browser, "lstDirectory");
        QTreeWidgetItem* item = Item(browser, name);
        QVERIFY2(item, qPrintable(name));
        const QPoint at = list->visualItemRect(item).center();
        // As a mouse does it: a click, then the second press as a double click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    static void Key(QObject& browser, const QString& select, Qt::Key key)
    {
        auto* list = Find<QTreeWidget>(browser, "lstDirectory");
        if (!select.isEmpty())
            list->setCurrentItem(Item(browser, select));
        QTest::keyClick(list, key);
    }

    static QStringList ProtocolLines(QObject& browser)
    {
        auto* list = Find<QListWidget>(browser, "lstStatus");
        QStringList lines;
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    }

    static bool Disconnected(QObject& browser)
    {
        return Folder(browser) == QStringLiteral("/") && Names(browser).isEmpty() &&
               Act(browser, "actConnect")->isEnabled();
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        QDir dir(root.path());
        QVERIFY(dir.mkpath(QStringLiteral("a/b")));
        QVERIFY(dir.mkpath(QStringLiteral("mit Blank")));
        QVERIFY(WriteFile(root.filePath(QStringLiteral("liesmich.txt")), QByteArray(1234, 'x')));
        QVERIFY(WriteFile(root.filePath(QStringLiteral("a/notiz.txt")), "notiz"));
        QVERIFY2(server.Start(root.path(), User, Password),
                 "the FTP server did not start (python3-pyftpdlib?)");
    }

    void init() { prompter.Clear(); }

    // The texts of a listing's rows.
    void rowTexts_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<QString>("sizeText");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("kindText");
        const QDateTime time(QDate(2024, 3, 5), QTime(14, 7));
        QTest::newRow("file") << int(TFtpEntry::Kind::File) << qint64(123456789012) << time << "123456789012"
                              << "05.03.24     14:07"
                              << "";
        QTest::newRow("folder, size dropped") << int(TFtpEntry::Kind::Folder) << qint64(4096) << time << ""
                                              << "05.03.24     14:07"
                                              << "<DIR>";
        QTest::newRow("link, no time") << int(TFtpEntry::Kind::Link) << qint64(7) << QDateTime() << "7"
                                       << ""
                                       << "";
    }

    void rowTexts()
    {
        QFETCH(int, kind);
        QFETCH(qint64, size);
        QFETCH(QDateTime, time);
        TFtpEntry entry{QStringLiteral("x"), size, time, TFtpEntry::Kind(kind)};
        const TFtpListingRow row = TFtpBrowsing::RowOf(entry, QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(row.name, QStringLiteral("x"));
        QTEST(row.size, "sizeText");
        QTEST(row.date, "date");
        QTEST(row.kind, "kindText");
        QCOMPARE(row.folder, entry.kind == TFtpEntry::Kind::Folder);
    }

    // The times of listing lines as servers write them.
    void listingTime_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("time");
        QTest::newRow("unix, this year") << "Mar  5 14:07" << QDateTime(QDate(2024, 3, 5), QTime(14, 7));
        QTest::newRow("unix, tomorrow (time zones)")
            << "Mar 11 09:00" << QDateTime(QDate(2024, 3, 11), QTime(9, 0));
        QTest::newRow("unix, last year") << "Dec 24 18:30" << QDateTime(QDate(2023, 12, 24), QTime(18, 30));
        QTest::newRow("unix, with year") << "jul 1  2019" << QDateTime(QDate(2019, 7, 1), QTime(0, 0));
        QTest::newRow("windows, PM") << "03-05-24  02:07PM" << QDateTime(QDate(2024, 3, 5), QTime(14, 7));
        QTest::newRow("windows, four digits, AM")
            << "12-31-1999  12:15AM" << QDateTime(QDate(1999, 12, 31), QTime(0, 15));
        QTest::newRow("no month") << "Foo  5 14:07" << QDateTime();
        QTest::newRow("no day 31 in April") << "Apr 31  2020" << QDateTime();
        QTest::newRow("empty") << "" << QDateTime();
    }

    void listingTime()
    {
        // Today is 10 March 2024.
        QFETCH(QString, text);
        QTEST(TFtpClient::ListingTime(text, QDate(2024, 3, 10)), "time");
    }

    // A start folder that exists is where the listing starts; one that does
    // not leaves the login folder, silently.
    void startFolder_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("names");
        const QStringList top{"a", "liesmich.txt", "mit Blank"};
        QTest::newRow("none") << ""
                              << "/" << top;
        QTest::newRow("relative") << "a"
                                  << "/a" << QStringList{"b", "notiz.txt"};
        QTest::newRow("absolute, nested") << "/a/b"
                                          << "/a/b" << QStringList{};
        QTest::newRow("missing") << "gibt-es-nicht"
                                 << "/" << top;
        QTest::newRow("line end in it") << "a\r\nDELE liesmich.txt"
                                        << "/" << top;
    }

    void startFolder()
    {
        QFETCH(QString, start);
        auto browser = Connected(start);
        QCOMPARE(prompter.Texts(), QStringList());
        QTEST(Folder(*browser), "folder");
        QTEST(Names(*browser), "names");
        QVERIFY(!Act(*browser, "actConnect")->isEnabled());
        QVERIFY(QFile::exists(root.filePath(QStringLiteral("liesmich.txt"))));
    }

    // Into folders by double click and Enter, up by the button and
    // Backspace; a file is not entered; F5 lists again.
    void walking()
    {
        auto browser = Connected();
        QTreeWidgetItem* file = Item(*browser, QStringLiteral("liesmich.txt"));
        QVERIFY(file);
        QCOMPARE(file->text(1), QStringLiteral("1234"));
        QVERIFY(!file->text(2).isEmpty());
        QCOMPARE(file->text(3), QString());
        QTreeWidgetItem* folder = Item(*browser, QStringLiteral("a"));
        QCOMPARE(folder->text(1), QString());
        QCOMPARE(folder->text(3), QStringLiteral("<DIR>"));

        const int lines = ProtocolLines(*browser).size();
        DoubleClick(*browser, QStringLiteral("liesmich.txt"));
        Key(*browser, QStringLiteral("liesmich.txt"), Qt::Key_Return);
        QCOMPARE(Folder(*browser), QStringLiteral("/"));
        QCOMPARE(ProtocolLines(*browser).size(), lines);

        DoubleClick(*browser, QStringLiteral("mit Blank"));
        QCOMPARE(Folder(*browser), QStringLiteral("/mit Blank"));
        Act(*browser, "actFolderUp")->trigger();
        QCOMPARE(Folder(*browser), QStringLiteral("/"));

        Key(*browser, QStringLiteral("a"), Qt::Key_Return);
        QCOMPARE(Folder(*browser), QStringLiteral("/a"));
        QCOMPARE(Names(*browser), (QStringList{"b", "notiz.txt"}));
        Key(*browser, QStringLiteral("b"), Qt::Key_Enter);
        QCOMPARE(Folder(*browser), QStringLiteral("/a/b"));
        QCOMPARE(Names(*browser), QStringList());

        QVERIFY(WriteFile(root.filePath(QStringLiteral("a/b/neu.htm")), "neu"));
        QCOMPARE(Names(*browser), QStringList());
        Key(*browser, QString(), Qt::Key_F5);
        QCOMPARE(Names(*browser), QStringList{"neu.htm"});
        QCOMPARE(Folder(*browser), QStringLiteral("/a/b"));

        Key(*browser, QString(), Qt::Key_Backspace);
        QCOMPARE(Folder(*browser), QStringLiteral("/a"));
        Act(*browser, "actFolderUp")->trigger();
        Act(*browser, "actFolderUp")->trigger(); // above the top stays there
        QCOMPARE(Folder(*browser), QStringLiteral("/"));
        QVERIFY(!Act(*browser, "actConnect")->isEnabled());
        QCOMPARE(prompter.Texts(), QStringList());
        QVERIFY(QFile::remove(root.filePath(QStringLiteral("a/b/neu.htm"))));
    }

    // A name from the server is never sent when it could end the command:
    // nothing goes out and the listing stays.
    void nameWithLineEnd()
    {
        QStringList lines;
        TFtpBrowsing browsing(texts, prompter,
                              [&](TFtpClient::LineKind, const QString& line) { lines << line; });
        QVERIFY(browsing.Connect(Settings(), QString()));
        const int before = lines.size();
        QVERIFY(!browsing.Enter(QStringLiteral("a\r\nDELE liesmich.txt")));
        QVERIFY(!browsing.Enter(QStringLiteral("a\nb")));
        QCOMPARE(lines.size(), before);
        QVERIFY(browsing.IsConnected());
        QCOMPARE(browsing.Folder(), QStringLiteral("/"));
        QCOMPARE(browsing.Entries().size(), 3);
        QVERIFY(prompter.entries.isEmpty());
        QVERIFY(QFile::exists(root.filePath(QStringLiteral("liesmich.txt"))));
    }

    // Yes takes the folder the server named and closes with OK; No stays.
    void takeOver_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }

    void takeOver()
    {
        QFETCH(bool, yes);
        const Answer answer = yes ? Answer::Yes : Answer::No;
        auto browser = Connected(QStringLiteral("a/b"));
        Act(*browser, "actFolderUp")->trigger();
        prompter.answers = {answer};
        Act(*browser, "actOvertake")->trigger();
        QCOMPARE(prompter.entries.size(), 1);
        const RecordingPrompter::Entry& asked = prompter.entries.first();
        QVERIFY(asked.question);
        QCOMPARE(asked.text, Text("txtFTPBrowser3") + QStringLiteral("/a") + Text("txtFTPBrowser4"));
        QCOMPARE(asked.caption, Text("MsgConfirmation"));
        if (answer == Answer::Yes) {
            QCOMPARE(browser->result(), int(QDialog::Accepted));
            QCOMPARE(browser->SelectedPath(), QStringLiteral("/a"));
            QVERIFY(!browser->isVisible());
            QVERIFY(Disconnected(*browser));
        } else {
            QVERIFY(browser->isVisible());
            QCOMPARE(browser->SelectedPath(), QString());
            QCOMPARE(Folder(*browser), QStringLiteral("/a"));
            QVERIFY(!Act(*browser, "actConnect")->isEnabled());
        }
    }

    void takeOverWithoutConnection()
    {
        TfrmFTPBrowser browser(texts, prompter);
        browser.SetConnection(Settings(), QString());
        browser.show();
        Act(browser, "actOvertake")->trigger();
        QCOMPARE(prompter.Texts(), QStringList{Text("txtFTPBrowser5")});
        QVERIFY(browser.isVisible());
        QCOMPARE(browser.SelectedPath(), QString());
    }

    // A refused login and a server that cannot be reached: the message, and
    // the browser disconnected and ready to try again.
    void connectionRefused_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("noServer");
        QTest::newRow("wrong password") << "falsch" << false;
        QTest::newRow("nobody listening") << Password << true;
    }

    void connectionRefused()
    {
        QFETCH(QString, password);
        QFETCH(bool, noServer);
        TfrmFTPBrowser browser(texts, prompter);
        TFtpSettings settings = Settings(password);
        if (noServer) {
            // A port that was free a moment ago.
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            settings.port = probe.serverPort();
            probe.close();
        }
        browser.SetConnection(settings, QStringLiteral("a"));
        browser.show();
        Act(browser, "actConnect")->trigger();
        QCOMPARE(prompter.entries.size(), 1);
        QCOMPARE(prompter.entries.first().text, Text("txtFTPBrowser1"));
        QCOMPARE(prompter.entries.first().caption, Text("MsgError"));
        QCOMPARE(prompter.entries.first().icon, Prompter::Icon::Error);
        QVERIFY(Disconnected(browser));
        QVERIFY(browser.isVisible());

        prompter.Clear();
        browser.SetConnection(Settings(), QString());
        Act(browser, "actConnect")->trigger();
        QCOMPARE(prompter.Texts(), QStringList());
        QCOMPARE(Folder(browser), QStringLiteral("/"));
    }

    // A folder that went away meanwhile cannot be listed: the message, and
    // the connection ends.
    void folderGone()
    {
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("weg")));
        auto browser = Connected();
        QVERIFY(Item(*browser, QStringLiteral("weg")));
        QVERIFY(QDir(root.filePath(QStringLiteral("weg"))).removeRecursively());
        DoubleClick(*browser, QStringLiteral("weg"));
        QCOMPARE(prompter.entries.size(), 1);
        QCOMPARE(prompter.entries.first().text, Text("txtFTPBrowser2"));
        QCOMPARE(prompter.entries.first().caption, Text("MsgError"));
        QCOMPARE(prompter.entries.first().icon, Prompter::Icon::Error);
        QVERIFY(Disconnected(*browser));
        QVERIFY(!browser->Browsing().IsConnected());
        QVERIFY(browser->isVisible());
    }

    // Sent lines red, received blue, the client's notes plain; the newest
    // line selected on its own background; the password never stored.
    void protocolList()
    {
        auto browser = Connected();
        auto* list = Find<QListWidget>(*browser, "lstStatus");
        int sent = 0, received = 0, plain = 0;
        for (int i = 0; i < list->count(); ++i) {
            const QListWidgetItem* item = list->item(i);
            QVERIFY2(!item->text().contains(Password), qPrintable(item->text()));
            QVERIFY(!item->text().isEmpty());
            const QColor colour = item->foreground().color();
            if (item->text().startsWith(QLatin1String(">> "))) {
                QCOMPARE(colour, QColor(0xFF, 0, 0));
                ++sent;
            } else if (item->text().startsWith(QLatin1String("<< "))) {
                QCOMPARE(colour, QColor(0, 0, 0xFF));
                ++received;
            } else {
                QCOMPARE(item->foreground().style(), Qt::NoBrush);
                ++plain;
            }
        }
        QVERIFY(sent > 3 && received > 3 && plain > 0);
        const QStringList lines = ProtocolLines(*browser);
        QVERIFY(lines.contains(QStringLiteral(">> USER ") + User));
        QVERIFY(lines.contains(QStringLiteral(">> PASS *********")));
        QVERIFY(lines.contains(QStringLiteral(">> PWD")));
        QCOMPARE(list->currentRow(), list->count() - 1);
        QVERIFY(list->item(list->count() - 1)->isSelected());
        QCOMPARE(list->palette().color(QPalette::Active, QPalette::Highlight), QColor(0x00, 0x6E, 0x9B));
        QCOMPARE(list->palette().color(QPalette::Inactive, QPalette::Highlight), QColor(0x00, 0x6E, 0x9B));
        QCOMPARE(list->palette().color(QPalette::Active, QPalette::HighlightedText), QColor(Qt::white));
    }

    // Every way of closing ends the connection; the protocol keeps its
    // lines for the next connection.
    void closing_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Verlassen") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("window closed") << 2;
    }

    void closing()
    {
        QFETCH(int, how);
        auto browser = Connected(QStringLiteral("a"));
        QCOMPARE(Folder(*browser), QStringLiteral("/a"));
        if (how == 0)
            Act(*browser, "actExit")->trigger();
        else if (how == 1)
            QTest::keyClick(Find<QTreeWidget>(*browser, "lstDirectory"), Qt::Key_Escape);
        else
            browser->close();
        QVERIFY(!browser->isVisible());
        QCOMPARE(browser->result(), int(QDialog::Rejected));
        QCOMPARE(browser->SelectedPath(), QString());
        QVERIFY(Disconnected(*browser));
        QVERIFY(!browser->Browsing().IsConnected());

        const QStringList first = ProtocolLines(*browser);
        QVERIFY(!first.isEmpty());
        browser->show();
        Act(*browser, "actConnect")->trigger();
        const QStringList both = ProtocolLines(*browser);
        QVERIFY(both.size() > first.size());
        QCOMPARE(both.mid(0, first.size()), first);
        QCOMPARE(Folder(*browser), QStringLiteral("/a"));
    }

    // The button beside the upload folder refuses a port that is none,
    // resets it, and does not open the browser.
    void mainWindowPortRefused_data()
    {
        QTest::addColumn<QString>("port");
        QTest::newRow("letters") << "abc";
        QTest::newRow("zero") << "0";
        QTest::newRow("too large") << "70000";
    }

    void mainWindowPortRefused()
    {
        QFETCH(QString, port);
        MainWindowRig w(prompter, QString());
        w->Pages()->setCurrentWidget(Find(*w, "FTP")); // the page is made when first shown
        prompter.Clear();
        Find<QLineEdit>(*w, "edtPort")->setText(port);
        // Should the browser open after all, it is closed at once.
        auto opened = std::make_shared<bool>(false);
        QTimer::singleShot(0, [opened] {
            if (auto* browser = qobject_cast<TfrmFTPBrowser*>(QApplication::activeModalWidget())) {
                *opened = true;
                browser->reject();
            }
        });
        Find<QPushButton>(*w, "btBrowseFTP")->click();
        QTest::qWait(20);
        QVERIFY(!*opened);
        QCOMPARE(prompter.Texts(), QStringList{w->Texts().Text(QStringLiteral("txtMainFrmPort21"))});
        QCOMPARE(Find<QLineEdit>(*w, "edtPort")->text(), QStringLiteral("21"));
        QCOMPARE(w->Project().edtPort, QStringLiteral("21"));
        QVERIFY(!w->FtpBrowser().isVisible());
    }

    // From the main window: the browser starts in the upload folder; taking
    // a folder over puts it there (and so into the project), leaving with
    // "Verlassen" changes nothing. The browser is the same each time.
    void mainWindowUploadFolder_data()
    {
        QTest::addColumn<bool>("takeOver");
        QTest::addColumn<QString>("folder");
        QTest::newRow("take over") << true << "/a/b";
        QTest::newRow("Verlassen") << false << "a";
    }

    void mainWindowUploadFolder()
    {
        QFETCH(bool, takeOver);
        MainWindowRig w(prompter, QString());
        w->Pages()->setCurrentWidget(Find(*w, "FTP")); // the page is made when first shown
        prompter.Clear();
        const std::pair<const char*, QString> page[] = {{"edtFtpServer", QStringLiteral("127.0.0.1")},
                                                        {"edtPort", QString::number(server.Port())},
                                                        {"edtUsername", User},
                                                        {"edtPasswort", Password},
                                                        {"edtFolder", QStringLiteral("a")}};
        for (const auto& [name, value] : page)
            Find<QLineEdit>(*w, name)->setText(value);
        TfrmFTPBrowser* resident = &w->FtpBrowser();
        QString startedIn;
        bool opened = false;
        prompter.answers = {Answer::Yes};
        WhenModal<TfrmFTPBrowser>([&](TfrmFTPBrowser* browser) {
            opened = browser == resident;
            Act(*browser, "actConnect")->trigger();
            startedIn = Folder(*browser);
            Key(*browser, QStringLiteral("b"), Qt::Key_Return);
            Act(*browser, takeOver ? "actOvertake" : "actExit")->trigger();
            if (browser->isVisible())
                browser->reject(); // a failure above must not leave the test waiting
        });
        Find<QPushButton>(*w, "btBrowseFTP")->click();
        QVERIFY(opened);
        QCOMPARE(startedIn, QStringLiteral("/a"));
        QTEST(Find<QLineEdit>(*w, "edtFolder")->text(), "folder");
        QTEST(w->Project().edtFolder, "folder");
        QCOMPARE(prompter.entries.size(), takeOver ? 1 : 0);
        QVERIFY(Disconnected(w->FtpBrowser()));
    }
};

QTEST_MAIN(TestFtpBrowser)
#include "tst_ftpbrowser.moc"
