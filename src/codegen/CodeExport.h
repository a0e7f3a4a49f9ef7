#pragma once

#include "base/Result.h"
#include "model/GenContext.h"

#include <QString>
#include <optional>

class TFormProject;
class TLanguageTexts;
struct TCalendarDesign;

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

    // The whole page, or why it could not be made (a template that could
    // not be read): no partial page is returned.
    virtual TResult<QString> GenCode() = 0;

    // A fixed form number instead of a random one (reproducible output).
    void SetFixedFormID(std::optional<int> id) { m_fixedFormID = id; }

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
    virtual TResult<QString> GenCaptcha() = 0;
    virtual TResult<QString> FillTemplate(const QString& templateName);

    TResult<QString> GenerateCSS() const;
    TResult<QString> GenerateCalendarCSS(const TCalendarDesign& design) const;
    // The design's markers ("{#cboFont#}" ...) in a style sheet or page.
    void ReplaceDesignMarkers(QString& text, const TCalendarDesign& design) const;
    // The month and weekday markers ("{#calJan#}" ...) of a calendar script.
    void ReplaceCalendarTexts(QString& script) const;
    TStatus InsertCalendarScript(QString& page) const;
    TStatus InsertCaptchaRefresh(QString& page) const;
    TResult<QString> LoadTemplate(const QString& relativeName) const;
    QString GetCaptchaLink() const;
    QString NewFormID() const;
    QString CollectLengthScripts() const;
    QString CollectCookieValues() const;
    QString CollectSetCookies() const;
    // What the fields need from the project while they write their fragments.
    TGenContext Context() const;
    bool NeedsCalendar() const; // a field needs the pop-up calendar
    bool FieldCSS() const;      // fields carry class="field"
    // The page is the PHP page: its markup must not open PHP code.
    virtual bool IsPhpPage() const { return false; }
    // A user text in the page's markup (labels and messages keep their
    // markup): on the PHP page it cannot open PHP code.
    QString Markup(const QString& text) const;
    // A user text inside the style sheet, and in an attribute value.
    QString Css(const QString& text) const;
    QString Attribute(const QString& text) const;
    // Replaces the marker by the value escaped for the marker's context (one
    // table lists the context of every marker).
    void Fill(QString& page, QLatin1String marker, const QString& value) const;
    const TFormProject& m_project;
    const TLanguageTexts& m_texts;
    QString m_dataDir;

private:
    std::optional<int> m_fixedFormID;
};
