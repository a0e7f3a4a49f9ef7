#pragma once

#include "base/LanguageTexts.h"
#include "base/Result.h"
#include "codegen/PageTemplate.h"
#include "model/GenContext.h"

#include <QString>
#include <optional>

class TFormProject;
class TLanguageTexts;
struct TCalendarDesign;

// The base of the two page generators. A template shipped in the data folder
// is read and its markers are filled, one after the other, by texts built
// from the project; each step fills every occurrence, ignoring letter case.
// Later steps see the template parts (calendar script, picture-code block)
// that earlier steps put in, never the values: a user's text that looks
// like a marker stays as it is. The language texts of a generation are
// those of the language current when GenCode starts.
class TCodeExport
{
public:
    TCodeExport(const TFormProject& project, const TLanguageTexts& texts, QString dataDir);
    virtual ~TCodeExport() = default;

    QString strFormID; // the form number of this generation
    QString strSecret; // the secret of its form token (hex), "" without the defence against robots

    // The whole page, or why it could not be made (a template that could
    // not be read): no partial page is returned.
    virtual TResult<QString> GenCode() = 0;

    // A fixed form number instead of a random one (reproducible output).
    void SetFixedFormID(std::optional<int> id) { m_fixedFormID = id; }
    // A fixed secret of the form token instead of a random one (hex).
    void SetFixedSecret(const QString& secret) { m_fixedSecret = secret; }

    // XOR of every character with the key the receiving scripts share.
    static QString ScrambleText(const QString& text);
    // ISO-8859-1 bytes ("?" for characters it lacks), base64 encoded.
    static QString Base64Form(const QString& text);
    // The base64 form of the scrambled text, as the receiving scripts read it.
    static QString ScrambledBase64(const QString& text);
    static constexpr char16_t ScrambleKey = 0x5A;

protected:
    virtual TResult<QString> GenCaptcha() = 0;
    virtual TResult<TPageTemplate> FillTemplate(const QString& templateName);

    // Takes the language texts of this generation (the current language now).
    void TakeTexts();
    // A language text of this generation.
    QString Text(const QString& key) const { return m_section.Text(key); }

    TResult<TPageTemplate> GenerateCSS() const;
    // The style sheet's rules of the accessible markup and of the modern
    // layout; empty while their options are off.
    QString AccessibleCSS() const;
    QString ModernLayoutCSS() const;
    // The markers of the accessible markup: the page's language, the status
    // region its messages are announced in and the script that does it.
    void FillAccessibility(TPageTemplate& page) const;
    TResult<TPageTemplate> GenerateCalendarCSS(const TCalendarDesign& design) const;
    // The design's markers ("{#cboFont#}" ...) in a style sheet or page.
    void ReplaceDesignMarkers(TPageTemplate& text, const TCalendarDesign& design) const;
    // The month and weekday markers ("{#calJan#}" ...) of a calendar script.
    void ReplaceCalendarTexts(TPageTemplate& script) const;
    TStatus InsertCalendarScript(TPageTemplate& page) const;
    TStatus InsertCaptchaRefresh(TPageTemplate& page) const;
    TResult<QString> LoadTemplate(const QString& relativeName) const;
    TResult<TPageTemplate> LoadPageTemplate(const QString& relativeName) const;
    QString GetCaptchaLink() const;
    QString NewFormID() const;
    QString NewSecret() const;
    // The field people never see and the form token's value (tokenValue:
    // what stands in the value attribute), for a form with the defence
    // against robots.
    QString BotFields(const QString& tokenValue) const;
    // The fields' parts of the shared scripts, one or none per field.
    QStringList CollectLengthScripts() const;
    QStringList CollectCookieValues() const;
    QStringList CollectSetCookies() const;
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
    void Fill(TPageTemplate& page, QLatin1String marker, const QString& value) const;
    // The same for a value made of parts, one after the other.
    void Fill(TPageTemplate& page, QLatin1String marker, const QStringList& parts) const;
    const TFormProject& m_project;
    const TLanguageTexts& m_texts;
    QString m_dataDir;

private:
    std::optional<int> m_fixedFormID;
    QString m_fixedSecret;
    TTextSection m_section;
};
