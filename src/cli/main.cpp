// quorvel-cli: Quorvel's project commands without a window.
#include "app/AppPaths.h"
#include "app/ConsolePrompter.h"
#include "app/FileVersionInfo.h"
#include "app/GenerationCommands.h"
#include "app/ProgramSettings.h"
#include "app/TempFolder.h"
#include "base/LanguageTexts.h"
#include "codegen/PageFiles.h"
#include "codegen/ProjectCheck.h"
#include "model/FormProject.h"
#include "preview/LocalTest.h"
#include "preview/ServerLog.h"
#include "projectfile/ProjectFile.h"
#include "publish/FtpUpload.h"
#include "publish/PageUpload.h"
#include "publish/SubmissionServer.h"
#include "publish/SubmissionTable.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QStringList>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>
#include <optional>

#include <fcntl.h>
#include <unistd.h>

namespace
{
enum Exit { Success = 0, Failed = 1, Usage = 2 };

const char* const UsageText =
    "usage:\n"
    "  quorvel-cli check PROJECT.qvf [--strict] [--language NAME] [--data-dir DIR]\n"
    "  quorvel-cli new [-o FILE] [--language NAME] [--data-dir DIR]\n"
    "  quorvel-cli generate (--html | --php) PROJECT.qvf [-o OUT] [--form-id N] [--language NAME]\n"
    "                       [--data-dir DIR]\n"
    "  quorvel-cli upload PROJECT.qvf [--html | --php] [--form-id N] [--language NAME] [--data-dir DIR]\n"
    "  quorvel-cli serve PROJECT.qvf [--html | --php] [--port N] [--language NAME] [--data-dir DIR]\n"
    "  quorvel-cli submissions PROJECT.qvf [--csv FILE | --delete ID...] [--language NAME]\n"
    "                          [--data-dir DIR]\n"
    "  quorvel-cli --help | --version\n"
    "Exit codes: 0 success, 1 the project or a file failed, 2 usage.\n";

struct Options
{
    QString command;
    QStringList positional;
    QString output;
    QString language;
    QString format; // "html" or "php"
    std::optional<int> formId;
    int port = 0;           // serve: 0 takes a free one
    bool strict = false;    // check: warnings fail
    QString csv;            // submissions: the file the table goes to
    bool deleteIds = false; // submissions: the ids after the project are deleted
};

int UsageError(const QString& why)
{
    std::fprintf(stderr, "quorvel-cli: %s\n%s", why.toLocal8Bit().constData(), UsageText);
    return Usage;
}

// Parses the arguments after the program name; an empty command on error.
bool Parse(const QStringList& args, Options& o, QString& error)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const auto value = [&](QString& target) {
            if (i + 1 >= args.size()) {
                error = a + QStringLiteral(" needs a value");
                return false;
            }
            target = args[++i];
            return true;
        };
        if (a == QLatin1String("-o") || a == QLatin1String("--output")) {
            if (!value(o.output))
                return false;
        } else if (a == QLatin1String("--html") || a == QLatin1String("--php")) {
            if (!o.format.isEmpty()) {
                error = QStringLiteral("give either --html or --php");
                return false;
            }
            o.format = a.mid(2);
        } else if (a == QLatin1String("--form-id")) {
            QString id;
            if (!value(id))
                return false;
            bool ok = false;
            const int n = id.toInt(&ok);
            if (!ok || n < 0 || n >= 10000000) {
                error = QStringLiteral("--form-id takes a number from 0 to 9999999");
                return false;
            }
            o.formId = n;
        } else if (a == QLatin1String("--port")) {
            QString port;
            if (!value(port))
                return false;
            bool ok = false;
            o.port = port.toInt(&ok);
            if (!ok || o.port < 1 || o.port > 65535) {
                error = QStringLiteral("--port takes a number from 1 to 65535");
                return false;
            }
        } else if (a == QLatin1String("--csv")) {
            if (!value(o.csv))
                return false;
        } else if (a == QLatin1String("--delete")) {
            o.deleteIds = true;
        } else if (a == QLatin1String("--strict")) {
            o.strict = true;
        } else if (a == QLatin1String("--language")) {
            if (!value(o.language))
                return false;
        } else if (a == QLatin1String("--data-dir")) {
            QString dir;
            if (!value(dir))
                return false;
            AppPaths::SetDataDirOverride(dir);
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            error = QStringLiteral("unknown option ") + a;
            return false;
        } else if (o.command.isEmpty()) {
            o.command = a;
        } else {
            o.positional << a;
        }
    }
    return true;
}

// Loads the project; on failure shows the program's message and, on the next
// line, why the file did not load. What a load passed over goes to the error
// output as well, a line each.
bool Load(TFormProject& project, const QString& path, const TLanguageTexts& texts, Prompter& prompter)
{
    QStringList notes;
    const TStatus loaded = TProjectFile(texts).LoadProject(project, path, &notes);
    for (const QString& note : notes)
        std::fprintf(stderr, "%s\n", note.toLocal8Bit().constData());
    if (!loaded) {
        prompter.Message(texts.Text(QStringLiteral("txtMainFrmNoQVFile")));
        std::fprintf(stderr, "%s\n", loaded.Error().toLocal8Bit().constData());
    }
    return loaded.Ok();
}

int Check(const Options& o, const TLanguageTexts& texts, Prompter& prompter)
{
    if (o.positional.size() != 1)
        return UsageError(QStringLiteral("check takes one project file"));
    TFormProject project;
    if (!Load(project, o.positional.first(), texts, prompter))
        return Failed;
    // The file loads; what would fail on the server is said, a line each.
    const QList<ProjectCheck::TWarning> warnings =
        ProjectCheck::Check(project, texts, ProjectCheck::TTarget::Any);
    for (const ProjectCheck::TWarning& warning : warnings)
        std::fprintf(stderr, "warning: %s\n", warning.Line().toLocal8Bit().constData());
    return o.strict && !warnings.isEmpty() ? Failed : Success;
}

int Generate(const Options& o, const TLanguageTexts& texts, Prompter& prompter)
{
    if (o.format.isEmpty())
        return UsageError(QStringLiteral("generate needs --html or --php"));
    if (o.positional.size() != 1)
        return UsageError(QStringLiteral("generate takes one project file"));
    TFormProject project;
    if (!Load(project, o.positional.first(), texts, prompter))
        return Failed;
    TGenerationCommands generation(project, texts, prompter, AppPaths::DataDir());
    generation.SetFixedFormID(o.formId);
    const auto page =
        o.format == QLatin1String("php") ? TGenerationCommands::Page::Php : TGenerationCommands::Page::Html;
    if (!o.output.isEmpty())
        return generation.WritePage(page, o.output) ? Success : Failed;
    const std::optional<QString> text = generation.Generate(page);
    if (!text)
        return Failed;
    const QByteArray bytes = PageFiles::PageBytes(*text, project.ExtSettings.encoding, page);
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    return Success;
}

// Uploads the page with the project's FTP settings (the project's upload
// format unless --html or --php says otherwise), printing the log.
int Upload(const Options& o, const TLanguageTexts& texts, Prompter& prompter)
{
    if (o.positional.size() != 1)
        return UsageError(QStringLiteral("upload takes one project file"));
    TFormProject project;
    if (!Load(project, o.positional.first(), texts, prompter))
        return Failed;
    TTempFolder temp;
    TFtpUpload upload(project, texts, prompter, AppPaths::DataDir(), [](const QString& line) {
        std::printf("%s\n", line.toLocal8Bit().constData());
        std::fflush(stdout);
    });
    std::optional<bool> php;
    if (!o.format.isEmpty())
        php = o.format == QLatin1String("php");
    TPageUpload command(project, texts, prompter, AppPaths::DataDir(), temp.Path());
    return command.Run(upload, php, o.formId) ? Success : Failed;
}

// A cell on one line, at most width characters: line breaks as "↵",
// the rest cut off with "…".
QString OneLine(QString cell, qsizetype width)
{
    cell.replace(QLatin1String("\r\n"), QStringLiteral("\u21b5"))
        .replace(QLatin1Char('\n'), QStringLiteral("\u21b5"));
    cell.replace(QLatin1Char('\r'), QStringLiteral("\u21b5")).replace(QLatin1Char('\t'), QLatin1Char(' '));
    return cell.size() > width ? cell.left(width - 1) + QStringLiteral("\u2026") : cell;
}

// The table with the entry's id first, in columns as wide as their widest
// cell (at most 40 characters), a line each entry.
void PrintTable(const TSubmissionTable& table, const TLanguageTexts& texts)
{
    QList<QStringList> lines{QStringList{QStringLiteral("ID")} + table.Header(texts)};
    for (int row = 0; row < table.RowCount(); ++row)
        lines << (QStringList{table.Entries().at(row).id} + table.Row(row, texts));
    QList<qsizetype> widths(lines.first().size(), 0);
    for (QStringList& line : lines)
        for (qsizetype c = 0; c < line.size(); ++c) {
            line[c] = OneLine(line[c], 40);
            widths[c] = qMax(widths[c], line[c].size());
        }
    for (const QStringList& line : lines) {
        QString text;
        for (qsizetype c = 0; c < line.size(); ++c)
            text += c + 1 < line.size() ? line[c].leftJustified(widths[c] + 2) : line[c];
        std::printf("%s\n", text.trimmed().toLocal8Bit().constData());
    }
}

// The entries of the project's store on the server, fetched with its FTP
// settings: printed as a table, written to a CSV file (--csv), or deleted
// on the server by their ids (--delete). Notes on what could not be read go
// to the error output.
int Submissions(const Options& o, const TLanguageTexts& texts, Prompter& prompter)
{
    if (o.positional.isEmpty() || (!o.deleteIds && o.positional.size() != 1))
        return UsageError(QStringLiteral("submissions takes one project file"));
    if (o.deleteIds && o.positional.size() < 2)
        return UsageError(QStringLiteral("--delete needs the ids of the entries"));
    if (o.deleteIds && !o.csv.isEmpty())
        return UsageError(QStringLiteral("give either --csv or --delete"));
    TFormProject project;
    if (!Load(project, o.positional.first(), texts, prompter))
        return Failed;
    const auto fail = [&texts](const char* key, const QString& why) {
        std::fprintf(stderr, "quorvel-cli: %s\n",
                     texts.Text(QLatin1String(key)).arg(why).toLocal8Bit().constData());
        return Failed;
    };
    TTempFolder temp;
    QTemporaryDir local(temp.Path() + QStringLiteral("/submissions-XXXXXX"));
    if (!local.isValid())
        return fail("txtSubmissionsFetchFailed", local.errorString());
    TSubmissionServer server = TSubmissionServer::Of(project);
    const TResult<TSubmissionFetch> fetched = server.Fetch(local.path());
    if (!fetched)
        return fail("txtSubmissionsFetchFailed", fetched.Error());
    for (const QString& note : fetched->read.notes)
        std::fprintf(stderr, "%s\n", note.toLocal8Bit().constData());
    const QList<TSubmission>& entries = fetched->read.entries;

    if (o.deleteIds) {
        QSet<QString> ids;
        QStringList unknown;
        for (const QString& id : o.positional.mid(1)) {
            ids.insert(id);
            if (std::none_of(entries.begin(), entries.end(),
                             [&id](const TSubmission& e) { return e.id == id; }))
                unknown << id;
        }
        // Nothing is deleted when one id is wrong: it may be a typing error.
        if (!unknown.isEmpty())
            return fail("txtSubmissionsNotFound", unknown.join(QStringLiteral(", ")));
        QStringList notes;
        const TResult<int> deleted = server.Delete(ids, &notes);
        for (const QString& note : notes)
            std::fprintf(stderr, "%s\n", note.toLocal8Bit().constData());
        if (!deleted)
            return fail("txtSubmissionsDeleteFailed", deleted.Error());
        std::printf(
            "%s\n",
            texts.Text(QStringLiteral("txtSubmissionsDeleted")).arg(*deleted).toLocal8Bit().constData());
        return Success;
    }

    if (fetched->noStore && o.csv.isEmpty()) {
        std::printf("%s\n", texts.Text(QStringLiteral("txtSubmissionsNone"))
                                .arg(server.FtpFolder())
                                .toLocal8Bit()
                                .constData());
        return Success;
    }
    const TSubmissionTable table(entries, TSubmissionTable::FormFieldNames(project));
    if (!o.csv.isEmpty()) {
        if (const TStatus written = SubmissionsCsv::Write(o.csv, table, texts); !written)
            return fail("txtSubmissionsExportFailed", written.Error());
        std::printf("%s\n", texts.Text(QStringLiteral("txtSubmissionsExported"))
                                .arg(table.RowCount())
                                .arg(o.csv)
                                .toLocal8Bit()
                                .constData());
        return Success;
    }
    PrintTable(table, texts);
    std::printf(
        "%s\n",
        texts.Text(QStringLiteral("txtSubmissionsCount")).arg(table.RowCount()).toLocal8Bit().constData());
    return Success;
}

// The write end of the pipe the signal handler wakes the event loop through.
int signalPipe[2] = {-1, -1};

void OnStopSignal(int)
{
    const char byte = 1;
    (void)!write(signalPipe[1], &byte, 1);
}

QByteArray Local(const QString& text)
{
    return text.toLocal8Bit();
}

// One line per captured mail: recipients, subject, attachments.
QString MailSummary(const TMailMessage& mail, bool copyToSender)
{
    if (!mail.error.isEmpty())
        return QStringLiteral("mail (unreadable: ") + mail.error + QStringLiteral(")");
    QString line = QStringLiteral("mail to ") + mail.Recipients().join(QStringLiteral(", ")) +
                   QStringLiteral(": \"") + mail.Subject() + QStringLiteral("\"");
    const qsizetype attachments = mail.Attachments().size();
    if (attachments > 0)
        line += QStringLiteral(", %1 attachment%2")
                    .arg(attachments)
                    .arg(attachments == 1 ? QString() : QStringLiteral("s"));
    if (copyToSender)
        line += QStringLiteral(" (copy to the sender)");
    return line;
}

// The local test from the command line: serves the page until SIGINT or
// SIGTERM, printing the address and a line for each mail the page sends;
// PHP's own output goes to the error output.
int Serve(const Options& o, const TLanguageTexts& texts, Prompter& prompter)
{
    if (o.positional.size() != 1)
        return UsageError(QStringLiteral("serve takes one project file"));
    TFormProject project;
    if (!Load(project, o.positional.first(), texts, prompter))
        return Failed;
    const bool php = o.format.isEmpty() ? project.cboUploadFormat == 1 : o.format == QLatin1String("php");
    if (pipe(signalPipe) != 0)
        return Failed;
    fcntl(signalPipe[0], F_SETFD, FD_CLOEXEC);
    fcntl(signalPipe[1], F_SETFD, FD_CLOEXEC);
    struct sigaction action = {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    TTempFolder temp;
    TLocalTest test(texts, AppPaths::DataDir(), temp.Path());
    if (const TStatus started =
            test.Start(project, php ? TLocalTest::TKind::Php : TLocalTest::TKind::Html, o.port);
        !started) {
        std::fprintf(stderr, "quorvel-cli: %s\n", Local(started.Error()).constData());
        return Failed;
    }
    std::printf("serving %s at %s (Ctrl+C ends the test)\n", php ? "the PHP page" : "the HTML form",
                Local(test.PageUrl().toString()).constData());
    std::fflush(stdout);
    QObject::connect(&test, &TLocalTest::MailReceived,
                     [](const TMailMessage& mail, bool copy, const QDateTime&) {
                         std::printf("%s\n", Local(MailSummary(mail, copy)).constData());
                         std::fflush(stdout);
                     });
    // PHP's warnings, notices and errors, a line each; its request log is
    // left out.
    TServerLog log;
    qsizetype printed = 0;
    QObject::connect(&test, &TLocalTest::ServerOutput, [&log, &printed](const QByteArray& chunk) {
        log.Add(chunk);
        for (; printed < log.Messages().size(); ++printed) {
            const TServerMessage& m = log.Messages().at(printed);
            QString line = QStringLiteral("php: ") +
                           (m.level.isEmpty() ? QString() : m.level + QStringLiteral(": ")) + m.text;
            if (!m.file.isEmpty())
                line += QStringLiteral(" in %1 on line %2").arg(m.file).arg(m.line);
            std::fprintf(stderr, "%s\n", Local(line).constData());
        }
    });
    int exitCode = Success;
    QObject::connect(&test, &TLocalTest::Ended, [&exitCode](const QString& reason) {
        std::fprintf(stderr, "quorvel-cli: %s\n", Local(reason).constData());
        exitCode = Failed;
        QCoreApplication::quit();
    });
    QSocketNotifier stop(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&stop, &QSocketNotifier::activated, [] { QCoreApplication::quit(); });
    QCoreApplication::exec();
    // The last mails of the test, then the server goes.
    test.Poll();
    test.Stop();
    std::printf("test ended\n");
    return exitCode;
}

int New(const Options& o, const TLanguageTexts& texts)
{
    if (!o.positional.isEmpty())
        return UsageError(QStringLiteral("new takes no file name; use -o FILE"));
    const QString source =
        AppPaths::DataFile(QStringLiteral("default_") + texts.CurrentLanguage() + QStringLiteral(".qvf"));
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "quorvel-cli: cannot read %s\n", source.toLocal8Bit().constData());
        return Failed;
    }
    const QByteArray bytes = in.readAll();
    if (o.output.isEmpty()) {
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
        return Success;
    }
    QFile out(o.output);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "quorvel-cli: cannot write %s\n", o.output.toLocal8Bit().constData());
        return Failed;
    }
    return Success;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quorvel"));

    Options o;
    QString error;
    const QStringList args = app.arguments().mid(1);
    if (args == QStringList{QStringLiteral("--version")}) {
        std::printf("quorvel-cli %s\n", qPrintable(TFileVersionInfo::OfProgram().ProductVersion));
        return Success;
    }
    if (args == QStringList{QStringLiteral("--help")} || args == QStringList{QStringLiteral("-h")}) {
        std::fputs(UsageText, stdout);
        return Success;
    }
    if (!Parse(app.arguments().mid(1), o, error))
        return UsageError(error);
    if (o.command.isEmpty())
        return UsageError(QStringLiteral("no command given"));

    ConsolePrompter prompter;
    const QString langIni = AppPaths::DataFile(QStringLiteral("lang.ini"));
    TProgramSettings settings(langIni);
    const QString language = o.language;
    TLanguageTexts texts(langIni, &prompter, [&settings, language] {
        return language.isEmpty() ? settings.Language() : language;
    });

    if (o.command == QLatin1String("check"))
        return Check(o, texts, prompter);
    if (o.command == QLatin1String("generate"))
        return Generate(o, texts, prompter);
    if (o.command == QLatin1String("new"))
        return New(o, texts);
    if (o.command == QLatin1String("upload"))
        return Upload(o, texts, prompter);
    if (o.command == QLatin1String("serve"))
        return Serve(o, texts, prompter);
    if (o.command == QLatin1String("submissions"))
        return Submissions(o, texts, prompter);
    return UsageError(QStringLiteral("unknown command ") + o.command);
}
