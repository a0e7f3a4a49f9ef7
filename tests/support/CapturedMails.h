#pragma once

// The mails the captured sendmail of the end-to-end tests wrote, one file
// each, in the order they were sent.
#include <QDir>
#include <QFile>
#include <QString>

class CapturedMails
{
public:
    explicit CapturedMails(QString folder) : m_folder(std::move(folder)) {}

    QStringList Files() const { return QDir(m_folder).entryList(QDir::Files, QDir::Name); }
    int Count() const { return int(Files().size()); }

    QList<QByteArray> All() const
    {
        QList<QByteArray> mails;
        for (const QString& name : Files())
            mails << Read(name);
        return mails;
    }

    // The only mail, or a text that says how many there are.
    QByteArray Only() const
    {
        const QStringList files = Files();
        if (files.size() != 1)
            return QByteArray("mails: ") + QByteArray::number(files.size());
        return Read(files.first());
    }

    static QByteArray Headers(const QByteArray& mail)
    {
        const qsizetype end = mail.indexOf("\r\n\r\n");
        return end >= 0 ? mail.left(end) : mail.left(mail.indexOf("\n\n"));
    }

    // The body of a single-part quoted-printable mail, decoded.
    static QString Body(const QByteArray& mail)
    {
        qsizetype start = mail.indexOf("\r\n\r\n");
        start = start >= 0 ? start + 4 : mail.indexOf("\n\n") + 2;
        QByteArray qp = mail.mid(start);
        qp.replace("=\r\n", "").replace("=\n", "");
        QByteArray out;
        for (qsizetype i = 0; i < qp.size(); ++i) {
            if (qp[i] == '=' && i + 2 < qp.size()) {
                out += static_cast<char>(qp.mid(i + 1, 2).toInt(nullptr, 16));
                i += 2;
            } else {
                out += qp[i];
            }
        }
        return QString::fromUtf8(out);
    }

private:
    QByteArray Read(const QString& name) const
    {
        QFile f(m_folder + QLatin1Char('/') + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QString m_folder;
};
