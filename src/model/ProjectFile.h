#pragma once

#include <QDomDocument>
#include <QString>
#include <functional>

class Prompter;
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
    TProjectFile(const TLanguageTexts& texts, Prompter* prompter, FormMailerSource firstFormMailer = {});

    // Replaces the file atomically: a write that fails leaves the old file.
    bool SaveProject(const TFormProject& project, const QString& path, QString* error = nullptr) const;

    // Reads the file into the project. The file is read into a copy first and
    // taken over only when all of it was read: on failure the project stays
    // exactly as it was and the message "txtMainFrmNoQVFile" is shown. The
    // project's file path is left to the caller.
    bool LoadProject(TFormProject& project, const QString& path) const;

    static QDomDocument ProjectDocument(const TFormProject& project);

private:
    const TLanguageTexts& m_texts;
    Prompter* m_prompter;
    FormMailerSource m_firstFormMailer;
};
