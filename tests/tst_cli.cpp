// quorvel-cli as a user runs it: exit codes, messages, files written.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
struct Run
{
    int exitCode;
    QByteArray out;
    QString err;
};

Run Cli(const QStringList& args, const QString& home)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("QUORVEL_DATA_DIR"), QStringLiteral(QUORVEL_TEST_DATA_DIR));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(QUORVEL_CLI_PATH), args);
    p.waitForFinished(30000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            QString::fromLocal8Bit(p.readAllStandardError())};
}
} // namespace

class TestCli : public QObject
{
    Q_OBJECT

    QTemporaryDir home;

    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = home.path() + QLatin1Char('/') + name;
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

private slots:
    void checkDefaultProjects_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("Deutsch") << "default_Deutsch.qvf";
        QTest::newRow("Englisch") << "default_Englisch.qvf";
    }

    void checkDefaultProjects()
    {
        QFETCH(QString, file);
        const Run r = Cli({QStringLiteral("check"), QStringLiteral(QUORVEL_TEST_DATA_DIR "/") + file}, home.path());
        QCOMPARE(r.err, QString());
        QCOMPARE(r.exitCode, 0);
    }

    void checkBrokenProjectFails_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("message");
        QTest::newRow("German") << "Deutsch" << "Quorvel";
        QTest::newRow("English") << "Englisch" << "Quorvel";
    }

    void checkBrokenProjectFails()
    {
        QFETCH(QString, language);
        QFETCH(QString, message);
        const QString path = Write(QStringLiteral("broken.qvf"), "<xml><FileInfo><Prog>Other</Prog></FileInfo></xml>");
        const Run r = Cli({QStringLiteral("check"), path, QStringLiteral("--language"), language}, home.path());
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        const Run missing = Cli({QStringLiteral("check"), home.path() + QStringLiteral("/none.qvf")}, home.path());
        QCOMPARE(missing.exitCode, 1);
        QVERIFY(!missing.err.isEmpty());
    }

    void newWritesTheDefaultProject()
    {
        const QString path = home.path() + QStringLiteral("/new.qvf");
        const Run r = Cli({QStringLiteral("new"), QStringLiteral("-o"), path, QStringLiteral("--language"),
                           QStringLiteral("Englisch")},
                          home.path());
        QCOMPARE(r.exitCode, 0);
        QFile made(path), shipped(QStringLiteral(QUORVEL_TEST_DATA_DIR "/default_Englisch.qvf"));
        QVERIFY(made.open(QIODevice::ReadOnly) && shipped.open(QIODevice::ReadOnly));
        QCOMPARE(made.readAll(), shipped.readAll());
        QCOMPARE(Cli({QStringLiteral("check"), path}, home.path()).exitCode, 0);

        const Run toStdout = Cli({QStringLiteral("new")}, home.path());  // interface language: Deutsch
        QCOMPARE(toStdout.exitCode, 0);
        QVERIFY(toStdout.out.contains("<Prog>Quorvel</Prog>"));
        QVERIFY(QFileInfo::exists(home.path() + QStringLiteral("/data/Quorvel/ProgramSettings.ini")));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("nothing") << QStringList();
        QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate")};
        QTest::newRow("check without file") << QStringList{QStringLiteral("check")};
        QTest::newRow("check two files") << QStringList{QStringLiteral("check"), QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("unknown option") << QStringList{QStringLiteral("check"), QStringLiteral("--frob"), QStringLiteral("a")};
        QTest::newRow("option without value") << QStringList{QStringLiteral("new"), QStringLiteral("-o")};
    }

    void usageErrors()
    {
        QFETCH(QStringList, args);
        const Run r = Cli(args, home.path());
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.contains(QLatin1String("usage:")));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
