// quorvel-cli as a user runs it: exit codes, messages, files written.
#include "base/LanguageTexts.h"
#include "fields/DropDownField.h"
#include "fields/EinzField.h"
#include "fields/FileField.h"
#include "model/FormProject.h"
#include "projectfile/ProjectFile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

// A change to the default project, for tables of cases.
using Edit = std::function<void(TFormProject&)>;
Q_DECLARE_METATYPE(Edit)

namespace
{
struct Run
{
    int exitCode;
    QByteArray out;
    QString err;
};

Run Cli(const QStringList& args, const QString& home,
        const QString& program = QStringLiteral(QUORVEL_CLI_PATH))
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("QUORVEL_DATA_DIR"), QStringLiteral(QUORVEL_TEST_DATA_DIR));
    p.setProcessEnvironment(env);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.start(program, args);
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
    // Both programs answer --help and --version on stdout with exit code 0,
    // and anything they do not know with their usage on stderr and 2.
    void commandLineManners_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QStringList programs{QStringLiteral(QUORVEL_CLI_PATH)};
#ifdef QUORVEL_DESKTOP_PATH
        programs << QStringLiteral(QUORVEL_DESKTOP_PATH);
#endif
        const QString version = QStringLiteral(" " QUORVEL_TEST_VERSION "\n");
        for (const QString& program : programs) {
            const QString name = QFileInfo(program).fileName();
            // The row's name lives until the row is made.
            const auto row = [&](const char* what) -> QByteArray {
                return (name + QLatin1Char(' ') + QLatin1String(what)).toUtf8();
            };
            QTest::newRow(row("--help").constData()) << program << QStringList{"--help"} << 0 << "usage:"
                                                     << "";
            QTest::newRow(row("-h").constData()) << program << QStringList{"-h"} << 0 << "usage:"
                                                 << "";
            QTest::newRow(row("--version").constData())
                << program << QStringList{"--version"} << 0 << name + version << "";
            QTest::newRow(row("unknown option").constData()) << program << QStringList{"--bogus"} << 2 << ""
                                                             << "unknown option --bogus";
            const QStringList noValue =
                program == programs[0] ? QStringList{"check", "--language"} : QStringList{"--pages"};
            QTest::newRow(row("option without value").constData()) << program << noValue << 2 << ""
                                                                   << "needs a value";
        }
        QTest::newRow("quorvel-cli without command") << programs[0] << QStringList{} << 2 << ""
                                                     << "usage:";
    }

    void commandLineManners()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Run run = Cli(args, home.path(), program);
        QCOMPARE(run.exitCode, exitCode);
        if (out.isEmpty())
            QVERIFY(run.out.isEmpty());
        else
            QVERIFY2(QString::fromLocal8Bit(run.out).contains(out), run.out.constData());
        if (err.isEmpty()) {
            QVERIFY(run.err.isEmpty());
        } else {
            QVERIFY2(run.err.contains(err), qPrintable(run.err));
            QVERIFY(run.err.contains(QLatin1String("usage:")));
        }
    }

    void checkDefaultProjects_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("Deutsch") << "default_Deutsch.qvf";
        QTest::newRow("Englisch") << "default_Englisch.qvf";
    }

    void checkDefaultProjects()
    {
        QFETCH(QString, file);
        const Run r =
            Cli({QStringLiteral("check"), QStringLiteral(QUORVEL_TEST_DATA_DIR "/") + file}, home.path());
        QCOMPARE(r.err, QString());
        QCOMPARE(r.exitCode, 0);
    }

    // The program's message in the chosen language, then why the file did
    // not load.
    void checkBrokenProjectFails_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const QString german = QStringLiteral(
            "Die Projektdatei konnte nicht geladen werden. Sie fehlt, ist beschädigt oder ist keine "
            "Quorvel-Projektdatei.\n");
        const QString english = QStringLiteral(
            "The project file could not be loaded. It is missing, damaged or not a Quorvel project file.\n");
        const QByteArray otherProgram = "<xml><FileInfo><Prog>Other</Prog></FileInfo></xml>";
        const QByteArray fieldWithoutSize =
            "<xml><FileInfo><Prog>Quorvel</Prog></FileInfo><FileContent><ItemList>"
            "<forms><typ>TZwField</typ><beschriftung>Kontakt</beschriftung></forms>"
            "<forms><typ>TEinzField</typ><name>plz</name><beschriftung>PLZ</beschriftung><vorgabewert/>"
            "<pflicht>0</pflicht><maxLaenge/><meldung/></forms></ItemList></FileContent></xml>";
        QTest::newRow("German, another program")
            << "Deutsch" << otherProgram
            << german + QStringLiteral("FileInfo: element <Prog> holds \"Other\", not \"Quorvel\"\n");
        QTest::newRow("English, another program")
            << "Englisch" << otherProgram
            << english + QStringLiteral("FileInfo: element <Prog> holds \"Other\", not \"Quorvel\"\n");
        QTest::newRow("English, a field without a needed element")
            << "Englisch" << fieldWithoutSize
            << english + QStringLiteral("field 2, \"plz\" (TEinzField): element <groesse> is missing\n");
    }

    void checkBrokenProjectFails()
    {
        QFETCH(QString, language);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const QString path = Write(QStringLiteral("broken.qvf"), bytes);
        const Run r =
            Cli({QStringLiteral("check"), path, QStringLiteral("--language"), language}, home.path());
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.err, reason);
        QVERIFY(r.out.isEmpty());
    }

    void checkMissingFileFails()
    {
        const QString path = home.path() + QStringLiteral("/none.qvf");
        const Run missing =
            Cli({QStringLiteral("check"), path, QStringLiteral("--language"), QStringLiteral("Englisch")},
                home.path());
        QCOMPARE(missing.exitCode, 1);
        QVERIFY2(missing.err.endsWith(path + QStringLiteral(": No such file or directory\n")),
                 qPrintable(missing.err));
    }

    // What will fail on the server, a warning line each; the file loads, so
    // the check still succeeds unless --strict is given.
    void checkWarns_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QString>("warnings");
        const auto required = [](auto field, const char* name) {
            field->Name = QString::fromLatin1(name);
            field->Beschriftung = QStringLiteral("Label");
            field->Pflicht = true;
            return field;
        };
        QTest::newRow("recipient with a name")
            << Edit([](TFormProject& p) { p.edtEMail = QStringLiteral("Firma <info@example.com>"); })
            << "warning: edtEMail: \"Firma <info@example.com>\" is not exactly one e-mail address (without a "
               "name, "
               "brackets or separators); the PHP form does not send to it.\n";
        QTest::newRow("two recipients in one")
            << Edit([](TFormProject& p) { p.edtEMail1 = QStringLiteral("a@example.com; b@example.com"); })
            << "warning: edtEMail1: \"a@example.com; b@example.com\" is not exactly one e-mail address "
               "(without a "
               "name, brackets or separators); the PHP form does not send to it.\n";
        QTest::newRow("no recipient")
            << Edit([](TFormProject& p) { p.edtEMail.clear(); })
            << "warning: edtEMail: No recipient address is given; the PHP form cannot send "
               "any mail.\n";
        QTest::newRow("colour the page refuses")
            << Edit([](TFormProject& p) { p.edtErrorColor = QStringLiteral("FF0000${print(\"X\")}"); })
            << "warning: edtErrorColor: \"FF0000${print(\"X\")}\" is no colour of six hexadecimal digits "
               "(such as "
               "FF0000); no page is made with it.\n";
        QTest::newRow("a name twice")
            << Edit([](TFormProject& p) { p.ListField.At(0)->Name = QStringLiteral("email"); })
            << "warning: email: The field name \"email\" is used more than once; only one "
               "value arrives.\n";
        QTest::newRow("copy without the picture code")
            << Edit([](TFormProject& p) { p.chkAbsender = true; })
            << "warning: chkAbsender: The PHP form sends the copy to the sender only with spam protection: "
               "without the "
               "picture code anybody could have the form send mail to strangers' addresses. Switch the spam "
               "protection on, on the page \"FTP + spam protection\".\n";
        QTest::newRow("upload on the HTML form") << Edit([&](TFormProject& p) {
            p.ListField.Add(required(std::make_unique<TFileField>(), "datei"));
        })
                                                 << "warning: datei: The field \"datei\" uploads a file: the "
                                                    "HTML form needs a form mailer that takes files "
                                                    "for it; the PHP form attaches them.\n";
        QTest::newRow("list that can never be answered")
            << Edit([&](TFormProject& p) {
                   auto list = required(std::make_unique<TDropDownField>(), "wahl");
                   list->Felder = QStringLiteral("Bitte wählen");
                   list->Groesse = QStringLiteral("1");
                   p.ListField.Add(std::move(list));
               })
            << "warning: wahl: The required field \"wahl\" can never be filled in: it has no choice that "
               "counts.\n";
        QTest::newRow("robot defence with another form mailer")
            << Edit([](TFormProject& p) { p.chkBotDefence = true; })
            << "warning: chkBotDefence: The HTML form is protected against spam robots only with Quorvel's "
               "form mailer (formmailer.php); with the chosen form mailer it stays unprotected.\n";
        QTest::newRow("field named like the robot defence's own")
            << Edit([](TFormProject& p) {
                   p.chkBotDefence = true;
                   p.cboFormMailer = QStringLiteral("formmailer.php");
                   p.ListField.At(0)->Name = QStringLiteral("homepage_url");
               })
            << "warning: homepage_url: The field \"homepage_url\" has a name the protection against spam "
               "robots sends itself; every visitor would be refused. Please rename the field.\n";
        QTest::newRow("condition on a field that is not there") << Edit([](TFormProject& p) {
            p.ListField.At(1)->Condition = {QStringLiteral("fax"), TConditionTest::IsFilled, QString()};
        })
                                                                << "warning: email: The page cannot be made, "
                                                                   "a condition is not valid ("
                                                                   "condition on \"fax\": "
                                                                   "no field has this name). Please set the "
                                                                   "field's condition again.\n";
        QTest::newRow("submissions kept on the HTML form")
            << Edit([](TFormProject& p) { p.chkStoreEntries = true; })
            << "warning: chkStoreEntries: Only the PHP page keeps submissions; the HTML form only sends them "
               "to "
               "the form mailer.\n";
        QTest::newRow("thank-you address not on the web")
            << Edit([](TFormProject& p) { p.edtDanke = QStringLiteral("javascript:alert(1)"); })
            << "warning: edtDanke: \"javascript:alert(1)\" is no web address with http:// or https://; after "
               "sending, the page itself is shown.\n";
    }

    void checkWarns()
    {
        QFETCH(Edit, edit);
        QFETCH(QString, warnings);
        const TLanguageTexts texts(QStringLiteral(QUORVEL_TEST_DATA_DIR "/lang.ini"), nullptr);
        const TProjectFile file(texts);
        TFormProject project;
        QVERIFY(file.LoadProject(project, QStringLiteral(QUORVEL_TEST_DATA_DIR "/default_Englisch.qvf")));
        edit(project);
        const QString path = home.path() + QStringLiteral("/warn.qvf");
        QVERIFY(file.SaveProject(project, path));
        const QStringList args{QStringLiteral("check"), path, QStringLiteral("--language"),
                               QStringLiteral("Englisch")};
        const Run r = Cli(args, home.path());
        QCOMPARE(r.err, warnings);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(Cli(args + QStringList{QStringLiteral("--strict")}, home.path()).exitCode, 1);
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

        const Run toStdout = Cli({QStringLiteral("new")}, home.path()); // interface language: Deutsch
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
        QTest::newRow("check two files")
            << QStringList{QStringLiteral("check"), QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("unknown option")
            << QStringList{QStringLiteral("check"), QStringLiteral("--frob"), QStringLiteral("a")};
        QTest::newRow("option without value") << QStringList{QStringLiteral("new"), QStringLiteral("-o")};
        QTest::newRow("generate without format")
            << QStringList{QStringLiteral("generate"), QStringLiteral("a.qvf")};
        QTest::newRow("generate without file")
            << QStringList{QStringLiteral("generate"), QStringLiteral("--php")};
        QTest::newRow("submissions without file") << QStringList{QStringLiteral("submissions")};
        QTest::newRow("submissions, --delete without ids") << QStringList{
            QStringLiteral("submissions"), QStringLiteral("a.qvf"), QStringLiteral("--delete")};
        QTest::newRow("submissions, --csv and --delete")
            << QStringList{QStringLiteral("submissions"), QStringLiteral("a.qvf"),    QStringLiteral("--csv"),
                           QStringLiteral("x.csv"),       QStringLiteral("--delete"), QStringLiteral("00ff")};
    }

    void usageErrors()
    {
        QFETCH(QStringList, args);
        const Run r = Cli(args, home.path());
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.contains(QLatin1String("usage:")));
    }
    // Pages by the save rule: a UTF-8 HTML page with a byte-order mark, a
    // PHP page without one (it would go out before the page's headers), a
    // single-byte page without; the calendar picture beside a written page.
    void generate_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("html, utf-8") << "--html"
                                     << "utf-8" << QByteArray("\xEF\xBB\xBF<!DOCTYPE html>");
        QTest::newRow("php, utf-8") << "--php"
                                    << "utf-8" << QByteArray("<?php");
        QTest::newRow("html, iso-8859-1") << "--html"
                                          << "iso-8859-1" << QByteArray("<!DOCTYPE html>");
    }

    void generate()
    {
        QFETCH(QString, format);
        QFETCH(QString, encoding);
        QFETCH(QByteArray, start);
        QFile fixture(QStringLiteral(QUORVEL_TEST_FIXTURES "/every_kind.qvf")); // has a calendar field
        QVERIFY(fixture.open(QIODevice::ReadOnly));
        QByteArray project = fixture.readAll();
        project.replace(QByteArray("<encoding>utf-8</encoding>"),
                        QByteArray("<encoding>" + encoding.toLatin1() + "</encoding>"));
        QVERIFY(project.contains(QByteArray("<encoding>" + encoding.toLatin1() + "</encoding>")));
        QTemporaryDir out;
        const QString path = Write(QStringLiteral("every.qvf"), project);
        const QStringList fixed{QStringLiteral("--form-id"), QStringLiteral("4711")};

        const Run first = Cli(QStringList{QStringLiteral("generate"), format, path} + fixed, home.path());
        QCOMPARE(first.exitCode, 0);
        QVERIFY2(first.out.startsWith(start), first.out.left(40).constData());
        if (format == QLatin1String("--html")) // the PHP page draws its codes itself
            QVERIFY(first.out.contains("4711"));
        QCOMPARE(Cli(QStringList{QStringLiteral("generate"), format, path} + fixed, home.path()).out,
                 first.out);

        const QString page = out.path() + QStringLiteral("/form.page");
        const Run written =
            Cli(QStringList{QStringLiteral("generate"), format, path, QStringLiteral("-o"), page} + fixed,
                home.path());
        QCOMPARE(written.exitCode, 0);
        QFile file(page);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), first.out);
        QVERIFY(QFileInfo::exists(out.path() + QStringLiteral("/cal.png")));
    }

    void generateFailures()
    {
        const Run missing = Cli(
            {QStringLiteral("generate"), QStringLiteral("--html"), home.path() + QStringLiteral("/none.qvf")},
            home.path());
        QCOMPARE(missing.exitCode, 1);
        QTemporaryDir empty; // no templates there
        const Run noTemplate = Cli({QStringLiteral("generate"), QStringLiteral("--php"),
                                    QStringLiteral(QUORVEL_TEST_DATA_DIR "/default_Deutsch.qvf"),
                                    QStringLiteral("--data-dir"), empty.path()},
                                   home.path());
        QCOMPARE(noTemplate.exitCode, 1);
        QVERIFY2(noTemplate.err.contains(QLatin1String("template_php.htm")), qPrintable(noTemplate.err));
        QVERIFY(noTemplate.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
