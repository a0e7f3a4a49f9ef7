#include "codegen/GenHTML.h"

#include "base/Crlf.h"
#include "base/Literals.h"
#include "codegen/BotGuard.h"
#include "codegen/CompanionMailer.h"
#include "codegen/ConditionCode.h"
#include "model/FormProject.h"

#include <QRegularExpression>

TResult<QString> TGenHTML::GenCode()
{
    TakeTexts();
    const TResult<TPageTemplate> page = FillTemplate(QStringLiteral("template.htm"));
    if (!page)
        return page.Failure();
    return page->Text();
}

TResult<TPageTemplate> TGenHTML::FillTemplate(const QString& templateName)
{
    TResult<TPageTemplate> filled = TCodeExport::FillTemplate(templateName);
    if (!filled)
        return filled;
    TPageTemplate& page = *filled;
    const TGenContext ctx = Context();
    // one part per field and line end: the fields' texts are copied once, into the page
    const QString lineEnd = CRLF;
    QStringList fields;
    QStringList script{
        QStringLiteral("<script type=\"text/javascript\">\r\n<!--\r\nfunction chkFormular()\r\n{\r\n")};
    const TFieldList& list = m_project.ListField;
    for (int i = 0; i < list.Count(); ++i) {
        const TFormField* field = list.At(i);
        // A field with a condition has its rows in a table body of its own.
        fields << ConditionCode::WrapperStart(list, i, false) << field->GenCode(ctx, FieldCSS())
               << ConditionCode::WrapperEnd(list, i) << lineEnd;
        if (field->IsChecked())
            script << ConditionCode::ClientCheck(list, i, field->GenScript(ctx)) << lineEnd;
    }
    script << QStringLiteral(" return(true); }\r\n//-->\r\n</script>\r\n");
    Fill(page, QLatin1String("<!-- FIELDS -->"), fields);
    Fill(page, QLatin1String("<!-- JSCRIPT -->"), script);
    if (m_project.chkCaptcha) {
        const TResult<TPageTemplate> captcha = CaptchaBlock();
        if (!captcha)
            return captcha;
        page.Fill(u"<!-- CAPTCHA -->", *captcha); // template text: later steps fill it too
    }
    Fill(page, QLatin1String("<!-- FORMMAIL -->"), m_project.cboFormMailer);
    QString hidden = GenErrorPageFields();
    // The companion mailer learns the form's own fields from the form; no
    // other mailer reads them, so their forms stay as they were.
    if (TCompanionMailer::IsUsedBy(m_project))
        hidden += QStringLiteral("  <input type=\"hidden\" name=\"qvfields\" value=\"") +
                  TCompanionMailer::FieldList(m_project) + QStringLiteral("\">") + CRLF;
    // Only the companion mailer hands out and checks form tokens.
    if (!strSecret.isEmpty() && TCompanionMailer::IsUsedBy(m_project))
        hidden += BotTokenBlock();
    Fill(page, QLatin1String("<!-- ERRORPAGES -->"), hidden);
    return filled;
}

QString TGenHTML::BotTokenBlock() const
{
    // The mailer signs the token when the page loads; its secret never
    // leaves the server. Without a script there is no token.
    QString mailer = m_project.cboFormMailer.trimmed();
    const qsizetype end = mailer.indexOf(QRegularExpression(QStringLiteral("[?#]")));
    if (end >= 0)
        mailer.truncate(end);
    const QString address = mailer + QStringLiteral("?action=token&id=") + strFormID;
    return BotFields(QString()) + QStringLiteral("<noscript><p class=\"qv-error\">") +
           BotGuard::NoScriptNotice() + QStringLiteral("</p></noscript>") + CRLF +
           QStringLiteral("<script>\r\n"
                          "(function () {\r\n"
                          "  var request = new XMLHttpRequest();\r\n"
                          "  request.open(\"GET\", \"") +
           Literals::Escape(address, Literals::TContext::JsString, false) +
           QStringLiteral("\");\r\n"
                          "  request.onload = function () {\r\n"
                          "    if (request.status == 200)\r\n"
                          "      document.forms[\"QVFORM\"].elements[\"qv_token\"].value = "
                          "request.responseText.replace(/\\s+/g, \"\");\r\n"
                          "  };\r\n"
                          "  request.send();\r\n"
                          "})();\r\n"
                          "</script>\r\n");
}

TResult<QString> TGenHTML::GenCaptcha()
{
    const TResult<TPageTemplate> block = CaptchaBlock();
    if (!block)
        return block.Failure();
    return block->Text();
}

TResult<TPageTemplate> TGenHTML::CaptchaBlock()
{
    TResult<TPageTemplate> loaded = LoadPageTemplate(QStringLiteral("captcha/captcha_html.html"));
    if (!loaded)
        return loaded;
    TPageTemplate& block = *loaded;
    Fill(block, QLatin1String("{#CAPTCHA_TEXT#}"), m_project.edtCaptchaText1);
    Fill(block, QLatin1String("{#CAPTCHALINK#}"), GetCaptchaLink());
    QString folder = m_project.cboFormMailer;
    if (TCompanionMailer::IsUsedBy(m_project))
        folder.truncate(folder.lastIndexOf(QLatin1Char('/')) + 1); // the folder of the mailer
    else
        folder.remove(QStringLiteral("formmail.php"), Qt::CaseInsensitive);
    Fill(block, QLatin1String("{#FORMMAILERPATH}"), folder);
    return loaded;
}

QString TGenHTML::GenErrorPageFields() const
{
    const TErrorPages& pages = m_project.ExtSettings.ErrorPages;
    const std::pair<const char*, const QString*> fields[] = {
        {"settings_error_iplock", &pages.IPErrorPage},
        {"settings_error_fileerror", &pages.FileErrorPage},
        {"settings_error_captcha", &pages.CaptchaErrorPage},
    };
    QString text;
    for (const auto& [name, address] : fields)
        if (!address->isEmpty())
            text += QStringLiteral("  <input type=\"hidden\" name=\"") + QLatin1String(name) +
                    QStringLiteral("\" value=\"") + Base64Form(*address) + QStringLiteral("\">") + CRLF;
    return text;
}
