#include "codegen/BotGuard.h"

#include <QByteArray>
#include <QRandomGenerator>

QString BotGuard::NewSecret()
{
    quint32 words[8];
    QRandomGenerator::system()->generate(std::begin(words), std::end(words));
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(words), sizeof words).toHex());
}

int BotGuard::PostsPerHour(const QString& typed)
{
    bool ok = false;
    const int number = typed.trimmed().toInt(&ok);
    return ok && number > 0 ? number : 0;
}

QString BotGuard::NoScriptNotice()
{
    return QStringLiteral(
        "Dieses Formular braucht JavaScript: ohne JavaScript wird die Nachricht nicht "
        "angenommen. / This form needs JavaScript: without it the message is not accepted.");
}
