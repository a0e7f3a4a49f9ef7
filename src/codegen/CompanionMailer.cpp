#include "codegen/CompanionMailer.h"

#include "base/AtomicFile.h"
#include "codegen/BotGuard.h"
#include "model/FormProject.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace
{
QString Literal(const QString& text)
{
    return QStringLiteral("base64_decode(\"") + QString::fromLatin1(text.toUtf8().toBase64()) +
           QStringLiteral("\")");
}
} // namespace

bool TCompanionMailer::IsMailerAddress(const QString& address)
{
    QString path = address.trimmed();
    const qsizetype end = path.indexOf(QRegularExpression(QStringLiteral("[?#]")));
    if (end >= 0)
        path.truncate(end);
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1).compare(QLatin1String(ScriptName), Qt::CaseInsensitive) == 0;
}

bool TCompanionMailer::IsUsedBy(const TFormProject& project)
{
    return IsMailerAddress(project.cboFormMailer);
}

bool TCompanionMailer::IsValidAddress(const QString& address)
{
    // One address: no blanks, control characters or the characters that
    // separate or quote addresses in a header; a domain with a dot.
    static const QRegularExpression one(
        QStringLiteral("^[A-Za-z0-9.!#$%&'*+/=?^_`{|}~-]+@[A-Za-z0-9-]+(\\.[A-Za-z0-9-]+)+$"));
    return address.size() <= 254 && one.match(address).hasMatch() && !address.startsWith(QLatin1Char('.')) &&
           !address.contains(QLatin1String("..")) && !address.contains(QLatin1String(".@"));
}

QStringList TCompanionMailer::Recipients(const TFormProject& project)
{
    QStringList addresses;
    for (const QString* typed : {&project.edtEMail, &project.edtEMail1, &project.edtEMail2}) {
        const QString address = typed->trimmed();
        if (IsValidAddress(address) && !addresses.contains(address, Qt::CaseInsensitive))
            addresses << address;
    }
    return addresses;
}

QString TCompanionMailer::ConfigText(const TFormProject& project, const QString& secret)
{
    const QStringList recipients = Recipients(project);
    QString text =
        QStringLiteral("<?php\n"
                       "/*\n"
                       " * Einstellungen des Formmailers (formmailer.php), von Quorvel geschrieben.\n"
                       " * Settings of the form mailer (formmailer.php), written by Quorvel.\n"
                       " * Jede Adresse steht base64-kodiert. / Every address is written in base64.\n"
                       " */\n"
                       "\n"
                       "if (!defined(\"QV_FORMMAILER\")) {\n"
                       "    header(\"HTTP/1.1 404 Not Found\");\n"
                       "    exit;\n"
                       "}\n"
                       "\n"
                       "return array(\n"
                       "    // Absender (From) jeder Mail. / The sender (From) of every mail.\n"
                       "    \"owner\" => ");
    text += recipients.isEmpty() ? QStringLiteral("\"\"") : Literal(recipients.first());
    text += QStringLiteral(",\n"
                           "    // Die einzigen Empfänger. / The only recipients.\n"
                           "    \"recipients\" => array(\n");
    for (const QString& address : recipients)
        text += QStringLiteral("        ") + Literal(address) + QStringLiteral(",\n");
    text += QStringLiteral("    ),\n");
    // What the project sets for its mails: the post cannot change it, so
    // nobody can send a copy with a text of their own.
    QString mailText = project.memoMailtext;
    mailText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const auto flag = [](bool on) { return on ? QStringLiteral("true") : QStringLiteral("false"); };
    text += QStringLiteral("    // Betreff, Mailtext, Danke-Seite und Kopie an den Absender des Formulars.\n"
                           "    // The form's subject, mail text, thank-you page and copy to the sender.\n"
                           "    \"subject\" => ") +
            Literal(project.edtBetreff) + QStringLiteral(",\n    \"mailtext\" => ") + Literal(mailText) +
            QStringLiteral(",\n    \"thanks\" => ") + Literal(project.edtDanke.trimmed()) +
            QStringLiteral(",\n    \"copy\" => ") + flag(project.chkAbsender) +
            QStringLiteral(",\n    \"copyfields\" => ") + flag(project.ExtSettings.kopie_absender) +
            QStringLiteral(",\n");
    text += QStringLiteral("    // Größte Datei und alle Anhänge zusammen (Bytes).\n"
                           "    // The largest file and all attachments together (bytes).\n"
                           "    \"max_attach_size\" => 1048576,\n"
                           "    \"max_attach_total\" => 4194304,\n"
                           "    \"max_post_values\" => 200,\n");
    if (project.chkBotDefence) {
        // Hex only: nothing PHP could read as more than one string.
        QString key = secret.isEmpty() ? BotGuard::NewSecret() : secret;
        key.remove(QRegularExpression(QStringLiteral("[^0-9a-f]")));
        text += QStringLiteral(
                    "    // Schutz vor Spam-Robotern: der geheime Schlüssel der Formular-Token und die\n"
                    "    // meisten Nachrichten je Adresse und Stunde (0: unbegrenzt).\n"
                    "    // Protection against spam robots: the secret of the form tokens and the\n"
                    "    // most posts per address and hour (0: no limit).\n"
                    "    \"botsecret\" => \"") +
                key + QStringLiteral("\",\n    \"posts_per_hour\" => ") +
                QString::number(BotGuard::PostsPerHour(project.edtPostsPerHour)) + QStringLiteral(",\n");
    }
    text += QStringLiteral(");\n");
    return text;
}

TResult<QList<TCompanionMailer::TFile>> TCompanionMailer::Files(const TFormProject& project,
                                                                const QString& dataDir, const QString& secret)
{
    if (Recipients(project).isEmpty())
        return TFailure{QStringLiteral("the project has no valid recipient address for the form mailer"),
                        QString()};
    QList<TFile> files;
    for (const char* name : {ScriptName, HelpersName, GuardName, RefreshPicture}) {
        QFile file(QDir(dataDir).filePath(QStringLiteral("formmailer/") + QLatin1String(name)));
        if (!file.open(QIODevice::ReadOnly))
            return TFailure{file.errorString(), file.fileName()};
        files.append(TFile{QLatin1String(name), file.readAll(), false});
    }
    files.append(TFile{QLatin1String(ConfigName), ConfigText(project, secret).toUtf8(), true});
    return files;
}

TStatus TCompanionMailer::WriteInto(const QString& folder, const TFormProject& project,
                                    const QString& dataDir, const QString& secret)
{
    const TResult<QList<TFile>> files = Files(project, dataDir, secret);
    if (!files)
        return files.Failure();
    for (const TFile& file : *files)
        if (TStatus written =
                WriteFileAtomically(QDir(folder).filePath(file.name), file.bytes, file.ownerOnly);
            !written)
            return written;
    return {};
}

QString TCompanionMailer::FieldList(const TFormProject& project)
{
    QStringList lines;
    for (const auto& field : project.ListField)
        for (const TFormField* part : field->Parts()) {
            const QString kind = part->PostKind();
            if (kind.isEmpty() || part->Name.isEmpty())
                continue;
            // A field with a condition is sent only while it applies, which
            // the page knows and the mailer does not: the page's own check
            // is the one that counts, or a hidden field would refuse the post.
            const bool required = part->Pflicht && !field->Condition.IsSet();
            lines << part->Name + QLatin1Char(',') + kind + QLatin1Char(',') +
                         (required ? QLatin1Char('1') : QLatin1Char('0')) + QLatin1Char(',') +
                         QString::number(part->MaxLength());
        }
    return QString::fromLatin1(lines.join(QLatin1Char('\n')).toUtf8().toBase64());
}
