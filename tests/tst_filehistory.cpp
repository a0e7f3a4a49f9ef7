// The recently used files: order, moving an entry to the end, the length
// limit (also when it is lowered between two uses) and the file on disk.
#include "app/FileHistory.h"

#include <QDomDocument>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestFileHistory : public QObject
{
    Q_OBJECT

    QTemporaryDir files;

    QString Path(const QString& name)
    {
        const QString path = files.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        return path;
    }

    QStringList Paths(const QString& names)
    {
        QStringList out;
        for (const QString& n : names.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            out << Path(n);
        return out;
    }

private slots:
    void firstUseWritesAnEmptyHistory()
    {
        QTemporaryDir home;
        const QString folder = home.filePath(QStringLiteral("Quorvel"));
        TFileHistory history(folder, [] { return 5; });
        QFile file(history.HistoryFileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QDomDocument doc;
        QVERIFY(doc.setContent(&file));
        QCOMPARE(doc.documentElement().tagName(), QStringLiteral("History"));
        QVERIFY(!doc.documentElement().hasChildNodes());
        QVERIFY(history.MenuEntries().isEmpty());
    }

    void entries_data()
    {
        QTest::addColumn<QString>("before"); // oldest first
        QTest::addColumn<QString>("opened");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("after"); // oldest first
        QTest::newRow("full, new file") << "A B C D E"
                                        << "F" << 5 << "B C D E F";
        QTest::newRow("full, listed file") << "A B C D E"
                                           << "C" << 5 << "A B D E C";
        QTest::newRow("already the newest") << "A B C"
                                            << "C" << 5 << "A B C";
        QTest::newRow("room left") << "A B"
                                   << "C" << 5 << "A B C";
        QTest::newRow("length lowered") << "A B C D E"
                                        << "F" << 3 << "D E F";
        QTest::newRow("length lowered, listed") << "A B C D E"
                                                << "B" << 2 << "E B";
    }

    void entries()
    {
        QFETCH(QString, before);
        QFETCH(QString, opened);
        QFETCH(int, length);
        QFETCH(QString, after);
        QTemporaryDir home;
        int limit = 5;
        TFileHistory history(home.path(), [&limit] { return limit; });
        for (const QString& p : Paths(before))
            QVERIFY(history.WriteFileToHistory(p));
        limit = length;
        QVERIFY(history.WriteFileToHistory(Path(opened)));
        QStringList expected = Paths(after);
        std::reverse(expected.begin(), expected.end());
        QCOMPARE(history.MenuEntries(), expected);
    }

    // A file that does not exist is not entered; a lowered length trims the
    // menu and the file at the next look.
    void missingFilesAndTrim()
    {
        QTemporaryDir home;
        int limit = 5;
        TFileHistory history(home.path(), [&limit] { return limit; });
        QVERIFY(history.WriteFileToHistory(files.filePath(QStringLiteral("gone.qvf"))));
        QVERIFY(history.MenuEntries().isEmpty());
        for (const QString& p : Paths(QStringLiteral("A B C")))
            QVERIFY(history.WriteFileToHistory(p));
        limit = 1;
        QCOMPARE(history.MenuEntries(), Paths(QStringLiteral("C")));
        limit = 5;
        QCOMPARE(history.MenuEntries(), Paths(QStringLiteral("C")));
    }

    // A damaged file costs the list once: the menu is empty without a
    // failure, the file is replaced by an empty history, and the next
    // entry is kept as usual.
    void damagedFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not XML") << QByteArray("<History><HistoryFile>/a.qvf</Hist");
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe garbage", 11);
        QTest::newRow("another document") << QByteArray("<?xml version=\"1.0\"?><xml><profiles/></xml>");
    }

    void damagedFile()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir home;
        TFileHistory history(home.path(), [] { return 5; });
        {
            QFile file(history.HistoryFileName());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        QVERIFY(history.MenuEntries().isEmpty());
        QFile file(history.HistoryFileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QDomDocument doc;
        QVERIFY(doc.setContent(&file));
        QCOMPARE(doc.documentElement().tagName(), QStringLiteral("History"));
        QVERIFY(!doc.documentElement().hasChildNodes());
        const QString a = Path(QStringLiteral("A"));
        QVERIFY(history.WriteFileToHistory(a));
        QCOMPARE(history.MenuEntries(), QStringList{a});
    }

    // Entries keep their elements and "ID"s when the paths move forward.
    void idsStayInPlace()
    {
        QTemporaryDir home;
        TFileHistory history(home.path(), [] { return 3; });
        const QStringList paths = Paths(QStringLiteral("A B C D"));
        for (int i = 0; i < 3; ++i)
            QVERIFY(history.WriteFileToHistory(paths[i]));
        const auto ids = [&history] {
            QFile file(history.HistoryFileName());
            file.open(QIODevice::ReadOnly);
            QDomDocument doc;
            doc.setContent(&file);
            QStringList out;
            for (QDomElement e = doc.documentElement().firstChildElement(QStringLiteral("HistoryFile"));
                 !e.isNull(); e = e.nextSiblingElement(QStringLiteral("HistoryFile")))
                out << e.attribute(QStringLiteral("ID"));
            return out;
        };
        const QStringList before = ids();
        QCOMPARE(before.size(), 3);
        QVERIFY(!before.first().isEmpty());
        QVERIFY(history.WriteFileToHistory(paths[3]));
        QCOMPARE(ids(), before);
        QCOMPARE(history.MenuEntries(), (QStringList{paths[3], paths[2], paths[1]}));
    }
};

QTEST_MAIN(TestFileHistory)
#include "tst_filehistory.moc"
