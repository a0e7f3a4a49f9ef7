#include "publish/SubmissionTable.h"

#include "base/AtomicFile.h"
#include "base/LanguageTexts.h"
#include "model/FormField.h"
#include "model/FormProject.h"

#include <QSet>

TSubmissionTable::TSubmissionTable(QList<TSubmission> entries, const QStringList& formFields)
    : m_entries(std::move(entries))
{
    m_columns.append({TColumn::Kind::Time, QString()});
    m_columns.append({TColumn::Kind::Mail, QString()});
    QSet<QString> named;
    for (const QString& name : formFields)
        if (!name.isEmpty() && !named.contains(name)) {
            named.insert(name);
            m_columns.append({TColumn::Kind::Field, name});
        }
    // Names the form no longer has, in the order the entries bring them.
    for (const TSubmission& entry : m_entries)
        for (const TSubmissionValue& value : entry.fields)
            if (!named.contains(value.name)) {
                named.insert(value.name);
                m_columns.append({TColumn::Kind::Field, value.name});
            }
    m_columns.append({TColumn::Kind::Attachments, QString()});
}

QStringList TSubmissionTable::FormFieldNames(const TFormProject& project)
{
    QStringList names;
    for (int i = 0; i < project.ListField.Count(); ++i)
        for (const TFormField* part : project.ListField.At(i)->Parts())
            if (!part->PostKind().isEmpty() && !part->IsUpload() && !part->Name.isEmpty())
                names << part->Name;
    return names;
}

QStringList TSubmissionTable::Header(const TLanguageTexts& texts) const
{
    QStringList header;
    for (const TColumn& column : m_columns) {
        switch (column.kind) {
        case TColumn::Kind::Time: header << texts.Text(QStringLiteral("txtSubmissionsTime")); break;
        case TColumn::Kind::Mail: header << texts.Text(QStringLiteral("txtSubmissionsMail")); break;
        case TColumn::Kind::Field: header << column.name; break;
        case TColumn::Kind::Attachments:
            header << texts.Text(QStringLiteral("txtSubmissionsAttachments"));
            break;
        }
    }
    return header;
}

QString TSubmissionTable::Cell(int row, int column, const TLanguageTexts& texts) const
{
    const TSubmission& entry = m_entries.at(row);
    const TColumn& c = m_columns.at(column);
    switch (c.kind) {
    case TColumn::Kind::Time:
        return entry.time.isValid() ? entry.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                    : entry.timeText;
    case TColumn::Kind::Mail:
        if (!entry.mailSent)
            return texts.Text(QStringLiteral("txtSubmissionsMailPending"));
        return texts.Text(*entry.mailSent ? QStringLiteral("txtSubmissionsMailSent")
                                          : QStringLiteral("txtSubmissionsMailFailed"));
    case TColumn::Kind::Field: return entry.Value(c.name);
    case TColumn::Kind::Attachments: {
        QStringList files;
        for (const TSubmissionFile& file : entry.attachments)
            files << QStringLiteral("%1 (%2 B)").arg(file.name).arg(file.size);
        return files.join(QStringLiteral("; "));
    }
    }
    return QString();
}

QStringList TSubmissionTable::Row(int row, const TLanguageTexts& texts) const
{
    QStringList cells;
    for (int column = 0; column < m_columns.size(); ++column)
        cells << Cell(row, column, texts);
    return cells;
}

QString SubmissionsCsv::Neutralised(const QString& cell)
{
    if (cell.isEmpty())
        return cell;
    const QChar first = cell.at(0);
    if (first == QLatin1Char('=') || first == QLatin1Char('+') || first == QLatin1Char('-') ||
        first == QLatin1Char('@') || first == QLatin1Char('\t') || first == QLatin1Char('\r'))
        return QLatin1Char('\'') + cell;
    return cell;
}

QByteArray SubmissionsCsv::Bytes(const TSubmissionTable& table, const TLanguageTexts& texts)
{
    const auto line = [](const QStringList& cells) -> QString {
        QStringList quoted;
        for (const QString& cell : cells)
            quoted << QLatin1Char('"') +
                          QString(Neutralised(cell)).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
                          QLatin1Char('"');
        return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    };
    QString text = line(table.Header(texts));
    for (int row = 0; row < table.RowCount(); ++row)
        text += line(table.Row(row, texts));
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

TStatus SubmissionsCsv::Write(const QString& path, const TSubmissionTable& table, const TLanguageTexts& texts)
{
    return WriteFileAtomically(path, Bytes(table, texts));
}
