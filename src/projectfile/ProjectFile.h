#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QDomDocument>
#include <QString>
#include <QStringList>
#include <functional>

class QXmlStreamReader;
class TFormProject;
class TLanguageTexts;

// Writes and reads project files (".qvf"): an identification block, every
// setting as an element named by its key, and the fields in page order.
class TProjectFile
{
public:
    using FormMailerSource = std::function<QString()>;

    // firstFormMailer gives the first entry of the form-mailer list, which an
    // empty form-mailer address in a file stands for; without one, the
    // language text "constFormMailPath" is taken.
    explicit TProjectFile(const TLanguageTexts& texts, FormMailerSource firstFormMailer = {});

    // Replaces the file atomically: a write that fails leaves the old file.
    TStatus SaveProject(const TFormProject& project, const QString& path) const;

    // Reads the file into the project. The file is read into a copy first and
    // taken over only when all of it was read: on failure the project stays
    // exactly as it was, and the failure says why (the XML parser's line and
    // column, the element, the field's position and name, the value). Showing
    // the message "txtMainFrmNoQVFile" is left to the command that loads, as
    // is the project's file path.
    // A load that succeeds may still have passed over damaged parts it can
    // do without (a field's condition that cannot be read loads as none);
    // notes, when given, receives why, a line each, for whoever looks into
    // the file.
    TStatus LoadProject(TFormProject& project, const QString& path, QStringList* notes = nullptr) const;
    // The same for the bytes of a file.
    TStatus ReadProject(TFormProject& project, const QByteArray& data, QStringList* notes = nullptr) const;

    static QDomDocument ProjectDocument(const TFormProject& project);

private:
    // Reads the file as a stream, making each field as its element ends.
    TStatus ReadProject(TFormProject& project, QXmlStreamReader& reader, QStringList* notes) const;

    const TLanguageTexts& m_texts;
    FormMailerSource m_firstFormMailer;
};
