// The fuzz target's seeds and every input that ever crashed it, replayed
// through the same loader and generators in the normal test run (with the
// sanitizers in CI's core build).
#include "FuzzProject.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace
{
const QString Data = QStringLiteral(QUORVEL_TEST_DATA_DIR);
const QString FuzzDir = QStringLiteral(QUORVEL_TEST_FUZZ_DIR);
} // namespace

class TestFuzzCases : public QObject
{
    Q_OBJECT

    TLanguageTexts texts{Data + QStringLiteral("/lang.ini"), nullptr};

    static void AddFiles(const QString& folder, bool seed)
    {
        const QDir dir(FuzzDir + QLatin1Char('/') + folder);
        const QStringList names = dir.entryList(QDir::Files, QDir::Name);
        for (const QString& name : names)
            if (name != QLatin1String("README"))
                QTest::newRow(qPrintable(folder + QLatin1Char('/') + name)) << dir.filePath(name) << seed;
    }

private slots:
    void replay_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("seed");
        AddFiles(QStringLiteral("corpus"), true);
        AddFiles(QStringLiteral("regressions"), false);
    }

    // Seeds are real projects: they load and give both pages. A kept crash
    // only has to run through without one.
    void replay()
    {
        QFETCH(QString, path);
        QFETCH(bool, seed);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const FuzzProject::Outcome outcome = FuzzProject::Run(file.readAll(), texts, Data);
        if (seed)
            QCOMPARE(outcome, FuzzProject::Outcome::Generated);
    }
};

QTEST_GUILESS_MAIN(TestFuzzCases)
#include "tst_fuzzcases.moc"
