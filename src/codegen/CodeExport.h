#pragma once

#include <QString>
#include <optional>
#include <stdexcept>

class TFormProject;
class TLanguageTexts;
struct TCalendarDesign;

// A template file that could not be read: the generation stops, no partial
// page is returned.
class TTemplateError : public std::runtime_error
{
public:
    explicit TTemplateError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};

// The base of the two page generators. A template shipped in the data folder
// is read and its markers are replaced, one after the other, by texts built
// from the project; each replacement replaces every occurrence, ignoring
// letter case, and later steps see what earlier steps inserted.
class TCodeExport
{
public:
    TCodeExport(const TFormProject& project, const TLanguageTexts& texts, QString dataDir);
    virtual ~TCodeExport() = default;

    QString strFormID; // the form number of this generation

    // The whole page. Throws TTemplateError when a template is missing.
    virtual QString GenCode() = 0;
    virtual QString GenCaptcha() = 0;
    virtual QString FillTemplate(const QString& templateName);

    // GenCode without exceptions: the page, or no value and the error text.
    std::optional<QString> Generate(QString* error = nullptr);

    // A fixed form number instead of a random one (reproducible output).
    void SetFixedFormID(std::optional<int> id) { m_fixedFormID = id; }

    QString GenerateCSS() const;
    QString GenerateCalendarCSS(const TCalendarDesign& design) const;
    void InsertCalendarScript(QString& page) const;
    void InsertCaptchaRefresh(QString& page) const;
    QString LoadTemplate(const QString& relativeName) const;
    QString GetCaptchaLink() const;
    QString NewFormID() const;
    QString CollectLengthScripts() const;
    QString CollectCookieValues() const;
    QString CollectSetCookies() const;

    static void RemoveBlock(QString& page, const QString& name);
    static void ReplaceMarker(QString& page, const QString& marker, const QString& value);
    // XOR of every character with the key the receiving scripts share.
    static QString ScrambleText(const QString& text);
    // ISO-8859-1 bytes ("?" for characters it lacks), base64 encoded.
    static QString Base64Form(const QString& text);
    // The base64 form of the scrambled text, as the receiving scripts read it.
    static QString ScrambledBase64(const QString& text);
    static constexpr char16_t ScrambleKey = 0x5A;

protected:
    bool FieldCSS() const; // fields carry class="field"
    const TFormProject& m_project;
    const TLanguageTexts& m_texts;
    QString m_dataDir;

private:
    std::optional<int> m_fixedFormID;
};
