#include "codegen/CodeExport.h"

#include "base/Crlf.h"
#include "base/LanguageTexts.h"
#include "base/Literals.h"
#include "base/QVRGBToHTML.h"
#include "base/XmlValues.h"
#include "codegen/BotGuard.h"
#include "codegen/ConditionCode.h"
#include "codegen/PageFiles.h"
#include "codegen/ValueRules.h"
#include "model/FormProject.h"

#include <QFile>
#include <QRandomGenerator>

namespace
{

QString Flag(bool on)
{
    return XmlValues::FlagText(on);
}

// A size setting as a whole number of points; a text that is no number is
// written as typed.
QString SizeText(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? QString::number(value) : text;
}
} // namespace

namespace
{
// Every page marker with the context its text lands in. The generators fill
// markers only through Fill, which escapes each value for its context; the
// fragments of fields escape their user texts themselves, by the same rule.
struct TMarkerContext
{
    const char* marker;
    Literals::TContext context;
};
constexpr TMarkerContext MarkerContexts[] = {
    {"<!-- CSS -->", Literals::TContext::Generated},
    {"<!-- JSCRIPT2 -->", Literals::TContext::Generated},
    {"<!-- SETCOOKIEVALUES -->", Literals::TContext::Generated},
    {"<!-- SETCOOKIES -->", Literals::TContext::Generated},
    {"<!-- FORMID -->", Literals::TContext::Generated},
    {"<!-- SETTINGS -->", Literals::TContext::Generated},
    {"<!-- TITLE -->", Literals::TContext::Markup},
    {"<!--TARGET-->", Literals::TContext::Attribute},
    {"<!-- DANKE -->", Literals::TContext::Attribute},
    {"<!-- SUBJECT -->", Literals::TContext::Attribute},
    {"<!-- COPYFIELDS -->", Literals::TContext::Generated},
    {"<!-- IP -->", Literals::TContext::Generated},
    {"<!-- HIDEEMPTYFIELDS -->", Literals::TContext::Generated},
    {"<!-- ENCODING -->", Literals::TContext::Attribute},
    {"<!-- CRYPTMAIL -->", Literals::TContext::Generated},
    {"<!-- ADMIN -->", Literals::TContext::Attribute},
    {"<!-- ADMIN1 -->", Literals::TContext::Attribute},
    {"<!-- ADMIN2 -->", Literals::TContext::Attribute},
    {"<!-- EINLEITTEXT -->", Literals::TContext::Generated},
    {"<!-- TYPEMAIL -->", Literals::TContext::Attribute},
    {"<!-- RETURNTOSENDER -->", Literals::TContext::Generated},
    {"<!-- BEITE -->", Literals::TContext::Attribute},
    {"<!-- AUSRICHTUNG -->", Literals::TContext::Generated},
    {"<!-- FORMTITLE -->", Literals::TContext::Markup},
    {"<!-- EINLEITUNGTEXT -->", Literals::TContext::Markup},
    {"<!-- TEXTENDE -->", Literals::TContext::Markup},
    {"<!-- SENDBUTTON -->", Literals::TContext::Attribute},
    {"<!-- RESETBUTTON -->", Literals::TContext::Generated},
    {"<!-- PRINTBUTTON -->", Literals::TContext::Generated},
    {"<!-- CLASS -->", Literals::TContext::Generated},
    {"<!-- JSCAL -->", Literals::TContext::Generated},
    {"<!-- JSCAPTCHAREFRESH -->", Literals::TContext::Generated},
    // the HTML form
    {"<!-- FIELDS -->", Literals::TContext::Generated},
    {"<!-- JSCRIPT -->", Literals::TContext::Generated},
    {"<!-- CAPTCHA -->", Literals::TContext::Generated},
    {"<!-- FORMMAIL -->", Literals::TContext::Attribute},
    {"<!-- ERRORPAGES -->", Literals::TContext::Generated},
    // the PHP page (its form address is its own, written by the generator)
    {"<!-- PHPSETTINGS -->", Literals::TContext::Generated},
    {"<!-- PHPHELPERS -->", Literals::TContext::Generated},
    {"<!-- FIELDLIST -->", Literals::TContext::Generated},
    {"<!-- FORMVAR -->", Literals::TContext::Generated},
    {"<!-- ERRORVAR -->", Literals::TContext::Generated},
    {"<!-- FORMCHECK -->", Literals::TContext::Generated},
    {"<!-- CAPTCHACHECK -->", Literals::TContext::Generated},
    // the files beside the templates
    {"{#CAPTCHA_TEXT#}", Literals::TContext::Markup},
    {"{#CAPTCHALINK#}", Literals::TContext::Attribute},
    {"{#FORMMAILERPATH}", Literals::TContext::Attribute},
    {"{#cboFont#}", Literals::TContext::Css},
};
} // namespace

TCodeExport::TCodeExport(const TFormProject& project, const TLanguageTexts& texts, QString dataDir)
    : m_project(project), m_texts(texts), m_dataDir(std::move(dataDir))
{
}

TGenContext TCodeExport::Context() const
{
    return TGenContext{m_project.edtErrorColor, m_section, m_project.ExtSettings.encoding,
                       m_project.chkAccessible};
}

void TCodeExport::TakeTexts()
{
    m_section = m_texts.Snapshot();
}

QString TCodeExport::Markup(const QString& text) const
{
    return Literals::Escape(text, Literals::TContext::Markup, IsPhpPage());
}

QString TCodeExport::Css(const QString& text) const
{
    return Literals::Escape(text, Literals::TContext::Css, IsPhpPage());
}

QString TCodeExport::Attribute(const QString& text) const
{
    return Literals::Escape(text, Literals::TContext::Attribute, IsPhpPage());
}

namespace
{
Literals::TContext ContextOf(QLatin1String marker)
{
    Literals::TContext context = Literals::TContext::Generated;
    for (const TMarkerContext& known : MarkerContexts)
        if (marker == QLatin1String(known.marker))
            context = known.context;
    return context;
}
} // namespace

void TCodeExport::Fill(TPageTemplate& page, QLatin1String marker, const QString& value) const
{
    page.Fill(QString(marker), Literals::Escape(value, ContextOf(marker), IsPhpPage()));
}

void TCodeExport::Fill(TPageTemplate& page, QLatin1String marker, const QStringList& parts) const
{
    const Literals::TContext context = ContextOf(marker);
    if (context == Literals::TContext::Generated)
        page.Fill(QString(marker), parts); // nothing to escape
    else
        Fill(page, marker, parts.join(QString()));
}

bool TCodeExport::NeedsCalendar() const
{
    return PageFiles::ContainsCalendarField(m_project);
}

bool TCodeExport::FieldCSS() const
{
    return !m_project.cboStandardFeld;
}

TResult<QString> TCodeExport::LoadTemplate(const QString& relativeName) const
{
    QFile file(m_dataDir + QLatin1Char('/') + relativeName);
    if (!file.open(QIODevice::ReadOnly))
        return TFailure{file.errorString(), file.fileName()};
    // Shipped templates are UTF-8; every line ends in CR LF afterwards.
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split(QLatin1Char('\n'));
    QString result;
    result.reserve(text.size() + lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QStringView line = lines.at(i);
        if (i == lines.size() - 1 && line.isEmpty())
            break; // the file's last line end
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        result += line;
        result += CRLF;
    }
    return result;
}

TResult<TPageTemplate> TCodeExport::LoadPageTemplate(const QString& relativeName) const
{
    TResult<QString> loaded = LoadTemplate(relativeName);
    if (!loaded)
        return loaded.Failure();
    return TPageTemplate(std::move(loaded).Value());
}

TResult<TPageTemplate> TCodeExport::FillTemplate(const QString& templateName)
{
    const TFormProject& p = m_project;
    const TExtSettings& ext = p.ExtSettings;
    // A value that would break the page stops the generation, naming it.
    const QList<ValueRules::TProblem> unusable = ValueRules::Problems(p, IsPhpPage());
    if (!unusable.isEmpty())
        return TFailure{ValueRules::Describe(unusable.first(), m_texts), QString()};
    // A condition on a field that is not there (a file edited by hand) would
    // hide its field for good.
    if (TStatus conditions = ConditionCode::CheckAll(p.ListField); !conditions) {
        const QString reason = conditions.Failure().Text();
        const QString message = Text(QStringLiteral("txtConditionInvalid"));
        return TFailure{message.contains(QLatin1String("%1")) ? message.arg(reason) : reason, QString()};
    }
    TResult<TPageTemplate> loaded = LoadPageTemplate(templateName);
    if (!loaded)
        return loaded;
    TPageTemplate page = std::move(loaded).Value();
    const auto set = [this, &page](const char* marker, const QString& value) {
        Fill(page, QLatin1String(marker), value);
    };
    const TResult<TPageTemplate> css = GenerateCSS();
    if (!css)
        return css.Failure();
    page.Fill(u"<!-- CSS -->", *css);
    FillAccessibility(page);
    page.Fill(u"<!-- CONDITIONSCRIPT -->", ConditionCode::PageScript(p.ListField));
    Fill(page, QLatin1String("<!-- JSCRIPT2 -->"), CollectLengthScripts());
    Fill(page, QLatin1String("<!-- SETCOOKIEVALUES -->"), CollectCookieValues());
    Fill(page, QLatin1String("<!-- SETCOOKIES -->"), CollectSetCookies());
    strFormID = NewFormID();
    strSecret = p.chkBotDefence ? NewSecret() : QString();
    set("<!-- FORMID -->", strFormID);
    set("<!-- SETTINGS -->",
        ScrambledBase64(p.chkCaptcha ? QStringLiteral("true") : QStringLiteral("false")));
    set("<!-- TITLE -->", p.edtTitel);
    if (p.edtTitel.isEmpty())
        page.RemoveBlock(QStringLiteral("FORMTITLE"));
    set("<!--TARGET-->", p.cboTarget);
    set("<!-- DANKE -->", p.edtDanke);
    set("<!-- SUBJECT -->", p.edtBetreff);
    set("<!-- COPYFIELDS -->", Flag(ext.kopie_absender));
    set("<!-- IP -->", Flag(ext.ip_informationen));
    set("<!-- HIDEEMPTYFIELDS -->", Flag(ext.hide_empty_fields));
    set("<!-- ENCODING -->", ext.encoding);
    if (p.cbCryptAddr) {
        set("<!-- CRYPTMAIL -->", QStringLiteral("1"));
        set("<!-- ADMIN -->", ScrambledBase64(p.edtEMail));
        set("<!-- ADMIN1 -->", ScrambledBase64(p.edtEMail1));
        set("<!-- ADMIN2 -->", ScrambledBase64(p.edtEMail2));
    } else {
        set("<!-- CRYPTMAIL -->", QStringLiteral("0"));
        set("<!-- ADMIN -->", p.edtEMail);
        set("<!-- ADMIN1 -->", p.edtEMail1);
        set("<!-- ADMIN2 -->", p.edtEMail2);
    }
    QString mailText = p.memoMailtext;
    mailText.replace(CRLF, QStringLiteral("#br#"));
    set("<!-- EINLEITTEXT -->", ScrambledBase64(mailText));
    set("<!-- TYPEMAIL -->", p.cboMailFormat);
    set("<!-- RETURNTOSENDER -->", QStringLiteral("<input type=\"hidden\" name=\"ReturnToSender\" value=\"") +
                                       Flag(p.chkAbsender) + QStringLiteral("\">") + CRLF);
    set("<!-- BEITE -->", p.edtTabWidth);
    static const char* const alignments[] = {"center", "right", "left"};
    if (p.cboTabAusrichtung >= 0 && p.cboTabAusrichtung <= 2)
        set("<!-- AUSRICHTUNG -->", QLatin1String(alignments[p.cboTabAusrichtung]));
    set("<!-- FORMTITLE -->", p.edtFormTitel);
    set("<!-- EINLEITUNGTEXT -->", p.memoEinleitung);
    if (p.memoEinleitung.isEmpty())
        page.RemoveBlock(QStringLiteral("EINLEITUNGTEXT"));
    set("<!-- TEXTENDE -->", p.memoTextEnde);
    set("<!-- SENDBUTTON -->", p.edtSendenButton);
    if (p.chkResetButton) {
        // The button's class comes with the next step, as the send button's.
        TPageTemplate reset;
        reset.AppendTemplate(QStringLiteral("<input type=\"reset\" name=\"next\" value=\""));
        reset.AppendValue(Attribute(p.edtCancelButton));
        reset.AppendTemplate(QStringLiteral("\" <!-- CLASS -->>") + CRLF);
        page.Fill(u"<!-- RESETBUTTON -->", reset);
    }
    if (p.chkPrintButton)
        set("<!-- PRINTBUTTON -->",
            QStringLiteral("<input type=\"button\" name=\"print\" value=\"") + Attribute(p.edtPrint) +
                QStringLiteral("\" onClick=\"javascript:window.print()\" class=\"button\">") + CRLF);
    set("<!-- CLASS -->", p.cboStandardButton ? QString() : QStringLiteral("class=\"button\""));
    if (NeedsCalendar())
        if (TStatus inserted = InsertCalendarScript(page); !inserted)
            return inserted.Failure();
    if (p.chkCaptcha)
        if (TStatus inserted = InsertCaptchaRefresh(page); !inserted)
            return inserted.Failure();
    return page;
}

TResult<TPageTemplate> TCodeExport::GenerateCSS() const
{
    const TFormProject& p = m_project;
    TPageTemplate sheet;
    QString css = QStringLiteral("<style type=\"text/css\">") + CRLF + QStringLiteral("<!--") + CRLF;
    css += QStringLiteral("body { background-color:#") + ColorToHtmlText(p.cboBGColor) + QStringLiteral("; ");
    css += p.edtBGPicture.isEmpty()
               ? QStringLiteral(" }")
               : QStringLiteral("background-image:url(") + Css(p.edtBGPicture) + QStringLiteral("); }");
    css += CRLF;
    css += QStringLiteral("h1 { color:#") + ColorToHtmlText(p.cboHeadingColor) +
           QStringLiteral("; font-family:") + Css(p.cboFontHeader) + QStringLiteral("; font-size:") +
           SizeText(p.edtSizeHeader) + QStringLiteral("pt; }") + CRLF;
    const QString text = ColorToHtmlText(p.cboTextColor) + QStringLiteral("; font-family:") +
                         Css(p.cboFontForm) + QStringLiteral("; font-size:") + SizeText(p.edtSizeForm) +
                         QStringLiteral("pt; }") + CRLF;
    css += QStringLiteral("p,li { color:#") + text;
    css += QStringLiteral("TD   { color:#") + text;
    css += QStringLiteral("td.my { background-color:#") + ColorToHtmlText(p.cboTabColor) +
           QStringLiteral("}") + CRLF;
    if (!p.cboStandardButton) {
        css += QStringLiteral("input.button {background-color: #") + p.edtHintergrundButton +
               QStringLiteral(";border-color: #") + p.edtFarbeButton + QStringLiteral(";") + CRLF;
        css += QStringLiteral("border-style:") + p.cboRahmenButton + QStringLiteral(";") + CRLF;
        css += QStringLiteral("border-width:") + p.edtStaerkeButton + p.cboStaerkeRahmen +
               QStringLiteral(";") + CRLF;
        css += QStringLiteral("color: #") + p.edtFarbeButton + QStringLiteral(";}") + CRLF;
    }
    if (!p.cboStandardFeld) {
        css += QStringLiteral(".field {background-color: #") + p.edtHGFormField + QStringLiteral(";") + CRLF;
        css += QStringLiteral("border-color: #") + p.edtColorFormField + QStringLiteral(";") + CRLF;
        css += QStringLiteral("border-style:") + p.edtRahmenFormField + QStringLiteral(";") + CRLF;
        css += QStringLiteral("border-width:") + p.edtStaerkeFormField + p.cboRahmenFormField +
               QStringLiteral(";") + CRLF;
        css += QStringLiteral("font-Family:") + Css(p.cboFontFormField) + QStringLiteral(";") + CRLF;
        css += QStringLiteral("font-Size:") + p.edtSizeFormField + p.cboSchriftFormEinheit +
               QStringLiteral(";") + CRLF;
        css += QStringLiteral("color: #") + p.edtFontColorFormField + QStringLiteral(";") + CRLF;
        css += QStringLiteral("}") + CRLF;
    }
    if (NeedsCalendar()) {
        TResult<TPageTemplate> calendar = GenerateCalendarCSS(p.ExtSettings.CalendarDesign);
        if (!calendar)
            return calendar;
        sheet.AppendValue(std::move(css));
        sheet.Append(*calendar);
        css.clear();
    }
    css += ModernLayoutCSS() + AccessibleCSS();
    css += QStringLiteral("-->") + CRLF + QStringLiteral("</style>") + CRLF;
    sheet.AppendValue(std::move(css));
    return sheet;
}

QString TCodeExport::ModernLayoutCSS() const
{
    const TFormProject& p = m_project;
    if (!p.chkModernLayout)
        return QString();
    // The table takes the screen's width up to the width set for it; the
    // inputs fill their cell; the buttons take the heading's colour.
    const QString accent = ColorToHtmlText(p.cboHeadingColor);
    const QString tableWidth =
        p.edtTabWidth.trimmed().isEmpty() ? QStringLiteral("40rem") : Css(p.edtTabWidth);
    QString css;
    css += QStringLiteral("body { margin:0; padding:16px; line-height:1.5; }") + CRLF;
    css += QStringLiteral("h1 { line-height:1.25; margin:0.5em 0; }") + CRLF;
    css += QStringLiteral("h1, body > p { max-width:") + tableWidth +
           QStringLiteral("; margin-left:auto; margin-right:auto; }") + CRLF;
    css += QStringLiteral("table.qvform { width:100% !important; max-width:") + tableWidth +
           QStringLiteral("; border-spacing:0; border-radius:8px; }") + CRLF;
    css += QStringLiteral("table.qvform td { padding:8px 12px; }") + CRLF;
    css += QStringLiteral("div.qv-status { max-width:") + tableWidth +
           QStringLiteral("; box-sizing:border-box; }") + CRLF;
    css += QStringLiteral("table.qvform td.qv-spacer { width:1%; }") + CRLF;
    css += QStringLiteral("table.qvform input[type=\"text\"], table.qvform input[type=\"password\"], "
                          "table.qvform input[type=\"file\"], table.qvform textarea, table.qvform select "
                          "{ width:100%; padding:8px 10px; border:1px solid #6B7280; border-radius:6px; "
                          "font:inherit; color:inherit; background-color:#FFFFFF; box-sizing:border-box; }") +
           CRLF;
    css += QStringLiteral("table.qvform input[readonly] { width:6em; }") + CRLF;
    // A label stands level with the text of its input, or above it on a
    // narrow screen.
    css += QStringLiteral("table.qvform > tbody > tr > td:first-child { padding-top:17px; }") + CRLF;
    css += QStringLiteral("@media (max-width: 600px) { table.qvform > tbody > tr { margin-bottom:0; } "
                          "table.qvform > tbody > tr > td { padding:4px 12px; } "
                          "table.qvform > tbody > tr > td:first-child { padding-top:12px; } }") +
           CRLF;
    css += QStringLiteral("table.qvform input[type=\"radio\"], table.qvform input[type=\"checkbox\"] "
                          "{ width:1.1em; height:1.1em; margin:0 6px 0 0; vertical-align:-0.15em; }") +
           CRLF;
    css += QStringLiteral("table.qvform input[type=\"submit\"], table.qvform input[type=\"reset\"], "
                          "table.qvform input[type=\"button\"] { font:inherit; padding:10px 20px; "
                          "margin:4px 8px 4px 0; border-radius:6px; border:2px solid #") +
           accent + QStringLiteral("; background-color:#") + accent +
           QStringLiteral("; color:#FFFFFF; cursor:pointer; }") + CRLF;
    css += QStringLiteral("table.qvform input[type=\"reset\"], table.qvform input[type=\"button\"] "
                          "{ background-color:#FFFFFF; color:#") +
           accent + QStringLiteral("; }") + CRLF;
    return css;
}

QString TCodeExport::AccessibleCSS() const
{
    const TFormProject& p = m_project;
    if (!p.chkAccessible)
        return QString();
    QString css;
    // Read by assistive technology, not shown (the legend of a group whose
    // label stands in the row's first cell).
    css += QStringLiteral(".qv-sr { position:absolute; width:1px; height:1px; padding:0; margin:-1px; "
                          "overflow:hidden; clip:rect(0,0,0,0); white-space:nowrap; border:0; }") +
           CRLF;
    css += QStringLiteral("fieldset.qv-group { border:0; margin:0; padding:0; min-width:0; }") + CRLF;
    css += QStringLiteral(".qv-status { margin:0 auto 12px; padding:8px 12px; border:2px solid #") +
           p.edtErrorColor + QStringLiteral("; color:#") + p.edtErrorColor +
           QStringLiteral("; background-color:#FFFFFF; font-weight:bold; }") + CRLF;
    css += QStringLiteral(".qv-status:empty { display:none; }") + CRLF;
    css += QStringLiteral(":focus-visible { outline:3px solid #") + ColorToHtmlText(p.cboHeadingColor) +
           QStringLiteral("; outline-offset:2px; }") + CRLF;
    return css;
}

void TCodeExport::FillAccessibility(TPageTemplate& page) const
{
    const bool on = m_project.chkAccessible;
    // The language of the page is that of the texts it is generated with.
    const QString lang = on ? Text(QStringLiteral("txtHtmlLang")).trimmed() : QString();
    page.Fill(u"<!-- HTMLLANG -->",
              lang.isEmpty() ? QString()
                             : QString(QStringLiteral(" lang=\"") + Attribute(lang) + QStringLiteral("\"")));
    // The page's own checks speak the page's language; the browser's would not.
    page.Fill(u"<!-- A11YFORM -->", on ? QStringLiteral(" novalidate") : QString());
    QString status;
    if (on) {
        status =
            QStringLiteral("<div id=\"qvstatus\" class=\"qv-status\" role=\"alert\" aria-live=\"assertive\" "
                           "aria-atomic=\"true\"");
        if (IsPhpPage())
            status += QStringLiteral("<?php if ($qvSend && !$bFormOK) { ?> data-qv-message=\"") +
                      Attribute(Text(QStringLiteral("txtA11yFormErrors"))) + QStringLiteral("\"<?php } ?>");
        status += QStringLiteral("></div>") + CRLF;
    }
    page.Fill(u"<!-- A11YSTATUS -->", status);
    if (!on) {
        page.Fill(u"<!-- A11YSCRIPT -->", QString());
        return;
    }
    // The HTML form's checks announce their message and mark the field; the
    // PHP page announces a refused post and focuses the first faulty field.
    static const char htmlScript[] =
        "<script>\r\n"
        "function qvFail(message, field) {\r\n"
        "  var status = document.getElementById(\"qvstatus\");\r\n"
        "  var marked = document.querySelectorAll(\"[aria-invalid]\");\r\n"
        "  for (var n = 0; n < marked.length; n++) {\r\n"
        "    marked[n].removeAttribute(\"aria-invalid\");\r\n"
        "    marked[n].removeAttribute(\"aria-describedby\");\r\n"
        "  }\r\n"
        "  var target = field && !field.tagName && field.length ? field[0] : field;\r\n"
        "  if (target) {\r\n"
        "    if (target.type != \"radio\")\r\n"
        "      target.setAttribute(\"aria-invalid\", \"true\");\r\n"
        "    target.setAttribute(\"aria-describedby\", \"qvstatus\");\r\n"
        "    target.focus();\r\n"
        "  }\r\n"
        "  if (status) {\r\n"
        "    // emptied first, so that the same message is announced again\r\n"
        "    status.textContent = \"\";\r\n"
        "    setTimeout(function () { status.textContent = message; }, 50);\r\n"
        "  }\r\n"
        "  return false;\r\n"
        "}\r\n"
        "</script>\r\n";
    static const char phpScript[] =
        "<script>\r\n"
        "window.addEventListener(\"load\", function () {\r\n"
        "  var status = document.getElementById(\"qvstatus\");\r\n"
        "  var message = status ? status.getAttribute(\"data-qv-message\") : null;\r\n"
        "  if (!message)\r\n"
        "    return;\r\n"
        "  var error = document.querySelector(\".qv-fielderror[id]\");\r\n"
        "  var field = error ? document.querySelector('[aria-describedby~=\"' + error.id + '\"]') : null;\r\n"
        "  if (field && field.tagName == \"FIELDSET\")\r\n"
        "    field = field.querySelector(\"input\");\r\n"
        "  if (field)\r\n"
        "    field.focus();\r\n"
        "  setTimeout(function () { status.textContent = message; }, 50);\r\n"
        "});\r\n"
        "</script>\r\n";
    page.Fill(u"<!-- A11YSCRIPT -->", QString::fromLatin1(IsPhpPage() ? phpScript : htmlScript));
}

TResult<TPageTemplate> TCodeExport::GenerateCalendarCSS(const TCalendarDesign& d) const
{
    TResult<TPageTemplate> css = LoadPageTemplate(QStringLiteral("cal/cal.css"));
    if (!css)
        return css;
    ReplaceDesignMarkers(*css, d);
    return css;
}

void TCodeExport::ReplaceDesignMarkers(TPageTemplate& text, const TCalendarDesign& d) const
{
    const QString font = Css(d.cboFont);
    const std::pair<const char*, const QString*> markers[] = {
        {"{#cboFont#}", &font},
        {"{#edtFontSize#}", &d.edtFontSize},
        {"{#edtTextColorHeader#}", &d.edtTextColorHeader},
        {"{#edtBGColorHeader#}", &d.edtBGColorHeader},
        {"{#edtTextColor#}", &d.edtTextColor},
        {"{#edtBGColorDay#}", &d.edtBGColorDay},
        {"{#edtBGColorCal#}", &d.edtBGColorCal},
        {"{#edtBorderSize#}", &d.edtBorderSize},
        {"{#edtBorderType#}", &d.edtBorderType},
        {"{#edtBorderColor#}", &d.edtBorderColor},
    };
    for (const auto& [marker, value] : markers)
        text.Fill(QString::fromLatin1(marker), *value);
}

void TCodeExport::ReplaceCalendarTexts(TPageTemplate& script) const
{
    static const char* const keys[] = {"calJan", "calFeb", "calMar", "calApr", "calMay", "calJun", "calJul",
                                       "calAug", "calSep", "calOkt", "calNov", "calDez", "calMo",  "calTu",
                                       "calWe",  "calTh",  "calFr",  "calSa",  "calSu"};
    for (const char* key : keys)
        script.Fill(QString(QStringLiteral("{#") + QLatin1String(key) + QStringLiteral("#}")),
                    Literals::Escape(Text(QLatin1String(key)), Literals::TContext::JsString, IsPhpPage()));
}

TStatus TCodeExport::InsertCalendarScript(TPageTemplate& page) const
{
    TResult<TPageTemplate> loaded = LoadPageTemplate(QStringLiteral("cal/cal.js"));
    if (!loaded)
        return loaded.Failure();
    TPageTemplate& script = *loaded;
    ReplaceCalendarTexts(script);
    static const char* const formats[] = {
        "day + \".\" + month + \".\" + year", "day + \"-\" + month + \"-\" + year",
        "month + \"/\" + day + \"/\" + year", "day + \"/\" + month + \"/\" + year",
        "year + \"-\" + month + \"-\" + day"};
    const int format = m_project.ExtSettings.CalendarDesign.cboDateFormat;
    script.Fill(u"{#calDateFormat#}", QLatin1String(formats[format >= 0 && format <= 4 ? format : 0]));
    page.Fill(u"<!-- JSCAL -->", script);
    return {};
}

TStatus TCodeExport::InsertCaptchaRefresh(TPageTemplate& page) const
{
    TResult<TPageTemplate> loaded = LoadPageTemplate(QStringLiteral("captcha/captcha_refresh.js"));
    if (!loaded)
        return loaded.Failure();
    TPageTemplate& script = *loaded;
    QString link = GetCaptchaLink();
    link.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    script.Fill(u"{#CAPTCHALINK#}", Literals::Escape(link, Literals::TContext::JsString, IsPhpPage()));
    page.Fill(u"<!-- JSCAPTCHAREFRESH -->", script);
    return {};
}

QString TCodeExport::GetCaptchaLink() const
{
    return m_project.cboFormMailer + QStringLiteral("?action=captcha&amp;id=") + strFormID;
}

QString TCodeExport::NewFormID() const
{
    if (m_fixedFormID)
        return QString::number(*m_fixedFormID);
    return QString::number(QRandomGenerator::global()->bounded(10000000));
}

QString TCodeExport::NewSecret() const
{
    return m_fixedSecret.isEmpty() ? BotGuard::NewSecret() : m_fixedSecret;
}

QString TCodeExport::BotFields(const QString& tokenValue) const
{
    // Out of sight, out of the tab order and hidden from screen readers; a
    // robot filling every field fills this one too.
    return QStringLiteral(
               "<div class=\"qv-hp\" aria-hidden=\"true\" style=\"position: absolute; left: -10000px; "
               "top: auto; width: 1px; height: 1px; overflow: hidden;\">") +
           CRLF + QStringLiteral("<label for=\"qv_homepage\">Homepage</label>") + CRLF +
           QStringLiteral("<input type=\"text\" id=\"qv_homepage\" name=\"") +
           QLatin1String(BotGuard::Honeypot) +
           QStringLiteral("\" value=\"\" tabindex=\"-1\" autocomplete=\"off\" aria-hidden=\"true\">") + CRLF +
           QStringLiteral("</div>") + CRLF +
           QStringLiteral("<input type=\"hidden\" name=\"qv_token\" value=\"") + tokenValue +
           QStringLiteral("\">") + CRLF;
}

QStringList TCodeExport::CollectLengthScripts() const
{
    QStringList parts;
    for (const auto& field : m_project.ListField)
        parts << field->GenScriptLength();
    return parts;
}

QStringList TCodeExport::CollectCookieValues() const
{
    const TGenContext ctx = Context();
    QStringList parts;
    for (const auto& field : m_project.ListField)
        if (field->UsesCookies())
            parts << field->GenSetCookieValues(ctx);
    return parts;
}

QStringList TCodeExport::CollectSetCookies() const
{
    const TGenContext ctx = Context();
    QStringList parts;
    for (const auto& field : m_project.ListField)
        if (field->UsesCookies())
            parts << field->GenSetCookie(ctx);
    return parts;
}

QString TCodeExport::ScrambleText(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        c = QChar(static_cast<char16_t>(c.unicode() ^ ScrambleKey));
    return out;
}

QString TCodeExport::Base64Form(const QString& text)
{
    return QString::fromLatin1(text.toLatin1().toBase64());
}

QString TCodeExport::ScrambledBase64(const QString& text)
{
    // The receiving script reads ISO-8859-1 text. A character beyond it is
    // sent as "?": scrambled first, it would come back as another letter.
    QString latin = text;
    for (QChar& c : latin)
        if (c.unicode() > 0xFF)
            c = QLatin1Char('?');
    return Base64Form(ScrambleText(latin));
}
