#include "app/ConsolePrompter.h"

#include <cstdio>

void ConsolePrompter::Message(const QString& text, const QString& caption, Icon)
{
    const QString line = caption.isEmpty() ? text : caption + QStringLiteral(": ") + text;
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
}

Prompter::Answer ConsolePrompter::Question(const QString& text, const QString& caption, Icon icon,
                                           bool withCancel, Answer)
{
    Message(text, caption, icon);
    return withCancel ? Answer::Cancel : Answer::No;
}

QString ConsolePrompter::OpenFileName(const FileRequest& request)
{
    Message(QStringLiteral("no file chosen"), request.caption, Icon::None);
    return QString();
}

QString ConsolePrompter::SaveFileName(const FileRequest& request)
{
    Message(QStringLiteral("no file chosen"), request.caption, Icon::None);
    return QString();
}
