#pragma once

#include "base/Result.h"
#include "publish/SubmissionStore.h"

#include <QList>
#include <QString>
#include <QStringList>

class TFormProject;
class TLanguageTexts;

// The submissions as a table: time, the mail's result, the form's fields
// in the project's order, then names only older versions of the form had,
// then the attachments. The window shows it; the CSV export and the
// command line write it.
class TSubmissionTable
{
public:
    struct TColumn
    {
        enum class Kind { Time, Mail, Field, Attachments };
        Kind kind = Kind::Field;
        QString name; // the field's name; empty for the other kinds
    };

    TSubmissionTable(QList<TSubmission> entries, const QStringList& formFields);

    // The names of the fields a visitor answers, in form order (the fields
    // inside a field each): the names under which the page stores values.
    static QStringList FormFieldNames(const TFormProject& project);

    const QList<TColumn>& Columns() const { return m_columns; }
    const QList<TSubmission>& Entries() const { return m_entries; }
    int RowCount() const { return static_cast<int>(m_entries.size()); }

    // The titles of the columns: the texts of time, mail and attachments,
    // the fields by their names.
    QStringList Header(const TLanguageTexts& texts) const;
    // One cell as text: the time in local time ("yyyy-MM-dd HH:mm:ss"), the
    // mail's result in words, a value as sent, the attachments as
    // "name (size)" joined by "; ".
    QString Cell(int row, int column, const TLanguageTexts& texts) const;
    QStringList Row(int row, const TLanguageTexts& texts) const;

private:
    QList<TSubmission> m_entries;
    QList<TColumn> m_columns;
};

// The table as a CSV file a spreadsheet program opens as it is: UTF-8 with
// a byte-order mark, a header row, every cell quoted, CR LF. A cell that a
// spreadsheet would take for a formula (starting with "=", "+", "-", "@", a
// tab or a CR) gets a leading "'", so that a visitor's text never runs as
// one.
namespace SubmissionsCsv
{
QString Neutralised(const QString& cell);
QByteArray Bytes(const TSubmissionTable& table, const TLanguageTexts& texts);
TStatus Write(const QString& path, const TSubmissionTable& table, const TLanguageTexts& texts);
} // namespace SubmissionsCsv
