// Quorvel's form mailer as the program ships it: which addresses name it,
// the configuration it writes for a project (run through PHP itself, with
// hostile addresses), the files it puts into a folder, and the field list
// the HTML form carries for it.
#include "RecordingPrompter.h"
#include "base/LanguageTexts.h"
#include "codegen/BotGuard.h"
#include "codegen/CompanionMailer.h"
#include "codegen/GenHTML.h"
#include "codegen/GenPHP.h"
#include "fields/EinzField.h"
#include "model/FormProject.h"
#include "projectfile/ProjectFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
const QString Data = QStringLiteral(QUORVEL_TEST_DATA_DIR);

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestCompanionMailer : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    RecordingPrompter prompter;
    TLanguageTexts texts{Data + QStringLiteral("/lang.ini"), &prompter};

    TFormProject DefaultProject()
    {
        TFormProject project;
        if (!TProjectFile(texts).LoadProject(project, Data + QStringLiteral("/default_Deutsch.qvf")))
            qFatal("default project does not load");
        project.edtEMail = QStringLiteral("owner@example.com");
        return project;
    }

    // What PHP reads from a configuration text: owner, then the recipients,
    // one a line; or PHP's complaint.
    QString AsPhpReadsIt(const QString& configText)
    {
        const QString file = dir.filePath(QStringLiteral("read_config.php"));
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return QStringLiteral("cannot write");
        f.write(configText.toUtf8());
        f.close();
        QProcess php;
        php.setProcessChannelMode(QProcess::MergedChannels);
        php.start(QStringLiteral("php"),
                  {QStringLiteral("-d"), QStringLiteral("error_reporting=E_ALL"), QStringLiteral("-d"),
                   QStringLiteral("display_errors=1"), QStringLiteral("-r"),
                   QStringLiteral("define('QV_FORMMAILER', 1); $c = include $argv[1];"
                                  "echo $c['owner'], \"\\n\", implode(\"\\n\", $c['recipients']);"),
                   file});
        if (!php.waitForFinished(20000))
            return QStringLiteral("php did not finish");
        return QString::fromUtf8(php.readAll());
    }

private slots:
    void mailerAddresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("companion");
        QTest::newRow("beside the form") << "formmailer.php" << true;
        QTest::newRow("letter case") << "FormMailer.PHP" << true;
        QTest::newRow("a folder") << "cgi/formmailer.php" << true;
        QTest::newRow("a server") << "https://www.example.com/f/formmailer.php" << true;
        QTest::newRow("with a query") << "https://www.example.com/formmailer.php?x=1" << true;
        QTest::newRow("blanks around") << " formmailer.php " << true;
        QTest::newRow("another mailer") << "https://forms.example.com/form/v28/formmail.php" << false;
        QTest::newRow("a longer name") << "myformmailer.php" << false;
        QTest::newRow("a folder of that name") << "https://www.example.com/formmailer.php/send.php" << false;
        QTest::newRow("empty") << "" << false;
    }

    void mailerAddresses()
    {
        QFETCH(QString, address);
        QFETCH(bool, companion);
        QCOMPARE(TCompanionMailer::IsMailerAddress(address), companion);
    }

    // Only valid single addresses make the allow-list, each once; PHP reads
    // them back exactly, whatever characters an address holds.
    void configHoldsOnlyValidAddresses_data()
    {
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("email1");
        QTest::addColumn<QString>("email2");
        QTest::addColumn<QStringList>("expected"); // owner first, then the list
        QTest::newRow("three") << "owner@example.com"
                               << "sales@example.com"
                               << "help@example.org"
                               << QStringList{"owner@example.com", "owner@example.com", "sales@example.com",
                                              "help@example.org"};
        QTest::newRow("quotes and dollars stay text")
            << "o'brien$x{1}@example.com"
            << ""
            << "" << QStringList{"o'brien$x{1}@example.com", "o'brien$x{1}@example.com"};
        QTest::newRow("string breakers refused")
            << "a@example.com\", \"evil@example.net"
            << "b@example.com\\"
            << "c@example.com" << QStringList{"c@example.com", "c@example.com"};
        QTest::newRow("two in one, header lines") << "a@example.com, evil@example.net"
                                                  << "b@example.com\r\nBcc: evil@example.net"
                                                  << "Name <c@example.com>" << QStringList{""};
        QTest::newRow("repeat in other case") << "Owner@Example.com"
                                              << "owner@example.com"
                                              << "" << QStringList{"Owner@Example.com", "Owner@Example.com"};
        QTest::newRow("php code") << "<?php system('x'); ?>@example.com"
                                  << ""
                                  << "x@example.com" << QStringList{"x@example.com", "x@example.com"};
    }

    void configHoldsOnlyValidAddresses()
    {
        QFETCH(QString, email);
        QFETCH(QString, email1);
        QFETCH(QString, email2);
        QFETCH(QStringList, expected);
        TFormProject project;
        project.edtEMail = email;
        project.edtEMail1 = email1;
        project.edtEMail2 = email2;
        const QString config = TCompanionMailer::ConfigText(project);
        // No address stands in the text as it is: only its base64 form.
        for (const QString& typed : {email, email1, email2})
            if (!typed.isEmpty())
                QVERIFY2(!config.contains(typed), qPrintable(config));
        QString read = AsPhpReadsIt(config);
        if (read.endsWith(QLatin1Char('\n')))
            read.chop(1);
        QCOMPARE(read, expected.join(QLatin1Char('\n')));
    }

    // The scripts as shipped and the project's configuration, readable by
    // the owner alone; a project without a valid recipient writes nothing.
    void writesTheMailerIntoAFolder()
    {
        const QString folder = dir.filePath(QStringLiteral("site"));
        QVERIFY(QDir().mkpath(folder));
        TFormProject project = DefaultProject();
        const TStatus written = TCompanionMailer::WriteInto(folder, project, Data);
        QVERIFY2(written, qPrintable(written.Error()));
        QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name),
                 (QStringList{"formmailer.php", "formmailer_config.php", "qvguard.php", "qvmail.php",
                              "refresh.png"}));
        for (const char* name : {"formmailer.php", "qvguard.php", "qvmail.php", "refresh.png"})
            QCOMPARE(Read(folder + QLatin1Char('/') + QLatin1String(name)),
                     Read(Data + QStringLiteral("/formmailer/") + QLatin1String(name)));
        const QString config = folder + QStringLiteral("/formmailer_config.php");
        QCOMPARE(Read(config), TCompanionMailer::ConfigText(project).toUtf8());
        QCOMPARE(QFile::permissions(config) & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther),
                 QFile::Permissions());

        const QString empty = dir.filePath(QStringLiteral("none"));
        QVERIFY(QDir().mkpath(empty));
        project.edtEMail = QStringLiteral("keine Adresse");
        QVERIFY(!TCompanionMailer::WriteInto(empty, project, Data));
        QVERIFY(QDir(empty).entryList(QDir::Files).isEmpty());
        project.edtEMail = QStringLiteral("owner@example.com");
        QVERIFY(!TCompanionMailer::WriteInto(empty, project, dir.filePath(QStringLiteral("no-data"))));
    }

    // The defence against robots: off, nothing of it in the configuration
    // or the pages; on, the mailer's secret is new hex on every write (as
    // PHP reads it), the limit a number, and the HTML form never holds the
    // secret but fetches its token from the mailer.
    void botDefenceInConfigAndPages()
    {
        TFormProject project = DefaultProject();
        project.cboFormMailer = QStringLiteral("formmailer.php");
        const auto pages = [&](const QString& secret) -> QString {
            TGenHTML html(project, texts, Data);
            html.SetFixedFormID(4711);
            TGenPHP php(project, texts, Data);
            php.SetFixedFormID(4711);
            php.SetFixedSecret(secret);
            const TResult<QString> a = html.GenCode();
            const TResult<QString> b = php.GenCode();
            return a && b ? *a + QStringLiteral("\n----\n") + *b : QStringLiteral("failed");
        };
        const QString off = pages(QString());
        QVERIFY(!TCompanionMailer::ConfigText(project).contains(QLatin1String("botsecret")));
        for (const char* absent : {BotGuard::Honeypot, "qv_token", "qv_guard", "botsecret"})
            QVERIFY2(!off.contains(QLatin1String(absent)), absent);

        project.chkBotDefence = true;
        project.edtPostsPerHour = QStringLiteral(" 7 ");
        const QString one = TCompanionMailer::ConfigText(project);
        const QString two = TCompanionMailer::ConfigText(project);
        const QRegularExpression secret(QStringLiteral("\"botsecret\" => \"([0-9a-f]{64})\",\n"
                                                       "    \"posts_per_hour\" => 7,\n"));
        QVERIFY2(secret.match(one).hasMatch(), qPrintable(one));
        QVERIFY(secret.match(one).captured(1) != secret.match(two).captured(1));
        const QString fixed = BotGuard::NewSecret();
        QVERIFY(TCompanionMailer::ConfigText(project, fixed).contains(fixed));
        project.edtPostsPerHour = QStringLiteral("viele");
        QVERIFY(
            TCompanionMailer::ConfigText(project, fixed).contains(QLatin1String("\"posts_per_hour\" => 0,")));
        QString read = AsPhpReadsIt(TCompanionMailer::ConfigText(project, fixed));
        QVERIFY2(read.startsWith(QLatin1String("owner@example.com")), qPrintable(read));

        const QString on = pages(fixed);
        const QString htmlPage = on.section(QStringLiteral("\n----\n"), 0, 0);
        QVERIFY(!htmlPage.contains(fixed));
        QVERIFY(htmlPage.contains(QLatin1String("formmailer.php?action=token&id=4711")));
        QVERIFY(htmlPage.contains(QLatin1String("<noscript>")));
        for (const char* hidden :
             {"aria-hidden=\"true\"", "tabindex=\"-1\"", "autocomplete=\"off\"", "left: -10000px"})
            QVERIFY2(htmlPage.contains(QLatin1String(hidden)), hidden);
        // The PHP page keeps its secret in its PHP code, in base64.
        QVERIFY(on.section(QStringLiteral("\n----\n"), 1)
                    .contains(QLatin1String("\"botsecret\" => \"") +
                              QString::fromLatin1(fixed.toLatin1().toBase64())));
    }

    // Only a form that posts to the companion mailer carries its field list:
    // every value the form sends, in form order, with its checks.
    void htmlFormCarriesTheFieldList()
    {
        TFormProject project = DefaultProject();
        auto limited = std::make_unique<TEinzField>();
        limited->Name = QStringLiteral("plz");
        limited->maxLaenge = QStringLiteral("5");
        project.ListField.Add(std::move(limited));
        const auto hidden = [&]() -> QString {
            TGenHTML gen(project, texts, Data);
            gen.SetFixedFormID(4711);
            const TResult<QString> page = gen.GenCode();
            if (!page)
                return QStringLiteral("failed: ") + page.Error();
            const QRegularExpressionMatch m =
                QRegularExpression(QStringLiteral("name=\"qvfields\" value=\"([^\"]*)\"")).match(*page);
            return m.hasMatch() ? QString::fromUtf8(QByteArray::fromBase64(m.captured(1).toLatin1()))
                                : QString();
        };
        project.cboFormMailer = QStringLiteral("https://forms.example.com/form/v28/formmail.php");
        QCOMPARE(hidden(), QString());
        project.cboFormMailer = QStringLiteral("formmailer.php");
        const QStringList expected{"name,text,1,100", "email,text,1,100", "nachricht,textarea,1,2000",
                                   "zustimmung,checkbox,1,0", "plz,text,0,5"};
        QCOMPARE(hidden(), expected.join(QLatin1Char('\n')));
        // A field with a condition is not sent while hidden: the mailer
        // must not ask for it.
        project.ListField[2]->Condition = {QStringLiteral("name"), TConditionTest::IsFilled, QString()};
        QVERIFY(hidden().contains(QStringLiteral("\nnachricht,textarea,0,2000\n")));
    }
};

QTEST_GUILESS_MAIN(TestCompanionMailer)
#include "tst_companionmailer.moc"
