#include "GenHTML.h"

#include "fields/CheckBoxList.h"
#include "model/FormProject.h"
#include "model/GenContext.h"

namespace
{
const QString CRLF = QStringLiteral("\r\n");
}

QString TGenHTML::GenCode()
{
    return FillTemplate(QStringLiteral("template.htm"));
}

QString TGenHTML::FillTemplate(const QString& templateName)
{
    QString page = TCodeExport::FillTemplate(templateName);
    const TGenContext ctx{m_project.edtErrorColor, &m_texts, m_project.ExtSettings.encoding};
    QString fields;
    QString script =
        QStringLiteral("<script type=\"text/javascript\">\r\n<!--\r\nfunction chkFormular()\r\n{\r\n");
    for (const auto& field : m_project.ListField) {
        fields += field->GenCode(ctx, FieldCSS()) + CRLF;
        if (field->Pflicht || dynamic_cast<const TCheckBoxList*>(field.get()))
            script += field->GenScript(ctx) + CRLF;
    }
    script += QStringLiteral(" return(true); }\r\n//-->\r\n</script>\r\n");
    ReplaceMarker(page, QStringLiteral("<!-- FIELDS -->"), fields);
    ReplaceMarker(page, QStringLiteral("<!-- JSCRIPT -->"), script);
    if (m_project.chkCaptcha)
        ReplaceMarker(page, QStringLiteral("<!-- CAPTCHA -->"), GenCaptcha());
    ReplaceMarker(page, QStringLiteral("<!-- FORMMAIL -->"), m_project.cboFormMailer);
    ReplaceMarker(page, QStringLiteral("<!-- ERRORPAGES -->"), GenErrorPageFields());
    return page;
}

QString TGenHTML::GenCaptcha()
{
    QString block = LoadTemplate(QStringLiteral("captcha/captcha_html.html"));
    ReplaceMarker(block, QStringLiteral("{#CAPTCHA_TEXT#}"), m_project.edtCaptchaText1);
    ReplaceMarker(block, QStringLiteral("{#CAPTCHALINK#}"), GetCaptchaLink());
    QString folder = m_project.cboFormMailer;
    folder.remove(QStringLiteral("formmail.php"), Qt::CaseInsensitive);
    ReplaceMarker(block, QStringLiteral("{#FORMMAILERPATH}"), folder);
    return block;
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
