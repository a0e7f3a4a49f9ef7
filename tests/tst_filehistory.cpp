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
};

QTEST_MAIN(TestFileHistory)
#include "tst_filehistory.moc"
