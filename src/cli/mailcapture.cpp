// quorvel-mailcapture: the mail program of the local test. PHP's mail()
// hands it each mail on its standard input (sendmail_path); it keeps the mail
// as a file of its own in the folder named first on its command line, where
// the program's inbox reads it. Options sendmail takes after the folder are
// ignored: nothing is ever sent.
#include "base/AtomicFile.h"

#include <QDateTime>
#include <QDir>
#include <QString>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 2 || argv[1][0] == '-') {
        std::fputs("usage: quorvel-mailcapture FOLDER [sendmail options]\n", stderr);
        return 2;
    }
    QByteArray mail;
    char buffer[65536];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0;)
        mail.append(buffer, static_cast<qsizetype>(got));
    if (std::ferror(stdin)) {
        std::fputs("quorvel-mailcapture: the mail could not be read\n", stderr);
        return 1;
    }
    // Names in the order the mails came; the process number keeps two mails
    // of one moment apart (each mail is a process of its own).
    const QString name = QStringLiteral("mail-%1-%2.eml")
                             .arg(QDateTime::currentMSecsSinceEpoch(), 15, 10, QLatin1Char('0'))
                             .arg(getpid());
    const QString path = QDir(QString::fromLocal8Bit(argv[1])).filePath(name);
    if (const TStatus written = WriteFileAtomically(path, mail, true); !written) {
        std::fprintf(stderr, "quorvel-mailcapture: %s\n", written.Failure().Text().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
