#pragma once

#include "base/Result.h"

#include <QDomDocument>
#include <QString>
#include <QStringList>
#include <memory>

class TFormField;

// The field templates in "vorlagen.xml" of the application-data folder: one
// element per template under the root, in the order they were stored, each
// holding exactly what a field writes into the project file. The user's file
// is copied from the one shipped with the program when it is missing. Every
// write replaces the file atomically; a file that does not read is never
// written over.
class TTemplateStore
{
public:
    // fileName: the user's file; shippedFile: the prepared one beside the
    // program (may be empty: then nothing is copied).
    explicit TTemplateStore(QString fileName, QString shippedFile = QString());

    // Copies the shipped file to the user's place when the user has none.
    // Does nothing when the user's file exists or nothing was shipped.
    TStatus InstallDefault() const;

    // Reads the file afresh (copying the shipped one first when the user's is
    // missing). On failure the store holds no templates.
    TStatus Load();
    // The display names of the templates read last, in file order: each
    // one's label without markup.
    const QStringList& Names() const { return m_names; }
    int Count() const { return static_cast<int>(m_names.size()); }

    // A new field made from the template at the position of the last Load.
    TResult<std::unique_ptr<TFormField>> Field(int position) const;

    // Reads the file afresh and appends the field as a new template ("feld").
    TStatus Append(const TFormField& field);
    // Removes the template shown at the position by the last Load from the
    // file as it is now (where it may have moved), and writes the file; fails
    // when the file no longer holds it. The store then holds the file anew.
    TStatus Delete(int position);

    const QString& FileName() const { return m_fileName; }

private:
    QDomElement TemplateAt(int position) const;
    TStatus Write() const;

    QString m_fileName;
    QString m_shippedFile;
    QDomDocument m_doc;
    QStringList m_names;
};
