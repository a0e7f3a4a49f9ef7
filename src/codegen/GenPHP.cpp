#include "codegen/GenPHP.h"

#include "base/Crlf.h"
#include "base/Literals.h"
#include "base/XmlValues.h"
#include "codegen/BotGuard.h"
#include "codegen/ConditionCode.h"
#include "model/FormProject.h"

namespace
{
// One entry of the page's settings: its UTF-8 text in base64, which can
// neither end the PHP string nor hold code.
QString SettingLine(const char* key, const QString& value)
{
    return QStringLiteral("    \"") + QLatin1String(key) + QStringLiteral("\" => \"") +
           QString::fromLatin1(value.toUtf8().toBase64()) + QStringLiteral("\",") + CRLF;
}
} // namespace

QString TGenPHP::GenSettings() const
{
    const TFormProject& p = m_project;
    const TExtSettings& ext = p.ExtSettings;
    return SettingLine("charset", ext.encoding) + SettingLine("recipient", p.edtEMail) +
           SettingLine("recipient1", p.edtEMail1) + SettingLine("recipient2", p.edtEMail2) +
           SettingLine("subject", p.edtBetreff) + SettingLine("thanks", p.edtDanke) +
           SettingLine("format", p.cboMailFormat) + SettingLine("mailtext", p.memoMailtext) +
           SettingLine("copy", XmlValues::FlagText(p.chkAbsender)) +
           SettingLine("copyfields", XmlValues::FlagText(ext.kopie_absender)) +
           SettingLine("ip", XmlValues::FlagText(ext.ip_informationen)) +
           SettingLine("hideempty", XmlValues::FlagText(ext.hide_empty_fields)) +
           SettingLine("captcha", XmlValues::FlagText(p.chkCaptcha)) + BotSettings() +
           (p.chkStoreEntries ? SettingLine("storefolder", p.edtStoreFolder.trimmed()) : QString());
}

QString TGenPHP::BotSettings() const
{
    if (strSecret.isEmpty())
        return QString();
    return SettingLine("formid", strFormID) + SettingLine("botsecret", strSecret) +
           SettingLine("perhour", QString::number(BotGuard::PostsPerHour(m_project.edtPostsPerHour)));
}

TResult<QString> TGenPHP::GenCode()
{
    TakeTexts();
    const TResult<TPageTemplate> page = FillTemplate(QStringLiteral("template_php.htm"));
    if (!page)
        return page.Failure();
    return page->Text();
}

TResult<TPageTemplate> TGenPHP::FillTemplate(const QString& templateName)
{
    TResult<TPageTemplate> filled = TCodeExport::FillTemplate(templateName);
    if (!filled)
        return filled;
    TPageTemplate& page = *filled;
    const TGenContext ctx = Context();
    // one part per field and line end: the fields' texts are copied once, into the page
    const QString lineEnd = CRLF;
    QStringList fields, formvar, errorvar, formcheck, fieldlist;
    const TFieldList& list = m_project.ListField;
    for (int i = 0; i < list.Count(); ++i) {
        const TFormField* field = list.At(i);
        fields << ConditionCode::WrapperStart(list, i, true) << field->GenCodePHP(ctx, FieldCSS())
               << ConditionCode::WrapperEnd(list, i) << lineEnd;
        formvar << field->GenFormVarPHP(ctx) << lineEnd;
        fieldlist << field->GenFieldListPHP(ctx);
        errorvar << field->GenErrorVarPHP() << lineEnd;
        // Required fields inside a field (the boxes of a list) echo error
        // variables of their own; set them too, so the page shows no
        // undefined-variable warnings.
        errorvar << field->GenInnerErrorVarsPHP();
        if (field->IsChecked())
            formcheck << ConditionCode::ServerCheck(list, i, field->GenFormCheckPHP(ctx)) << lineEnd;
    }
    errorvar << QStringLiteral("$errCaptcha = \"\";") + CRLF;
    const TResult<QString> helpers = LoadHelpers(QStringLiteral("formmailer/qvmail.php"));
    if (!helpers)
        return helpers.Failure();
    QString helperText = *helpers;
    if (!strSecret.isEmpty()) {
        const TResult<QString> guard = LoadHelpers(QStringLiteral("formmailer/qvguard.php"));
        if (!guard)
            return guard.Failure();
        helperText += CRLF + *guard;
        // Robots: one answer for whatever caught the post, the reason only in the log.
        formcheck.prepend(QStringLiteral(
            "    $qvCaught = qv_guard_check($qvPost, qv_setting(\"botsecret\"), qv_setting(\"formid\"),\r\n"
            "        (int) qv_setting(\"perhour\"), isset($_SERVER[\"REMOTE_ADDR\"]) ? "
            "$_SERVER[\"REMOTE_ADDR\"] : \"\");\r\n"
            "    if ($qvCaught !== \"\") {\r\n"
            "        error_log(\"Quorvel form: a post was refused as a robot's (\" . $qvCaught . \")\");\r\n"
            "        $qvError = qv_guard_refusal();\r\n"
            "        $bFormOK = false;\r\n"
            "    }\r\n"));
        page.Fill(u"<!-- BOTFIELDS -->",
                  BotFields(QStringLiteral("<?php echo qv_html(qv_guard_token(qv_setting(\"botsecret\"), "
                                           "qv_setting(\"formid\")));?>")));
    } else {
        page.Fill(u"<!-- BOTFIELDS -->", QString());
    }
    if (ConditionCode::AnyCondition(list)) {
        const TResult<QString> conditions = LoadHelpers(QStringLiteral("formmailer/qvconditions.php"));
        if (!conditions)
            return conditions.Failure();
        helperText += CRLF + *conditions;
        // First of all checks: which fields apply to the post.
        formcheck.prepend(ConditionCode::ServerConditions(list));
    }
    if (m_project.chkStoreEntries) {
        const TResult<QString> store = LoadHelpers(QStringLiteral("formmailer/qvstore.php"));
        if (!store)
            return store.Failure();
        helperText += CRLF + *store;
    }
    FillStore(page);
    page.Fill(u"<!-- PHPHELPERS -->", helperText);
    Fill(page, QLatin1String("<!-- PHPSETTINGS -->"), GenSettings());
    Fill(page, QLatin1String("<!-- FIELDS -->"), fields);
    Fill(page, QLatin1String("<!-- FIELDLIST -->"), fieldlist);
    page.Fill(u"<!-- FORMVAR -->", formvar);
    page.Fill(u"<!-- ERRORVAR -->", errorvar);
    page.Fill(u"<!-- FORMCHECK -->", formcheck);
    if (m_project.chkCaptcha) {
        page.Fill(u"<!-- CAPTCHA -->", *GenCaptcha());
        page.Fill(u"<!-- CAPTCHACHECK -->",
                  QStringLiteral("if ($_POST[\"captcha_input\"] != $_SESSION[\"captcha\"])\r\n\t{\r\n"
                                 "\t\t$errCaptcha = \"<span ") +
                      // Tied to its input, as every field's error.
                      (m_project.chkAccessible
                           ? QStringLiteral("id=\\\"qverr_captcha\\\" class=\\\"qv-fielderror\\\" ")
                           : QString()) +
                      QStringLiteral("style=\\\"color:#") + m_project.edtErrorColor +
                      QStringLiteral(";\\\">") +
                      Literals::PhpString(m_project.ExtSettings.ErrorMessages.CaptchaError) +
                      QStringLiteral("</span>\";\r\n\t\t$bFormOK = false;\r\n\t}\r\n"));
    } else {
        page.Fill(u"<!-- CAPTCHACHECK -->", QString());
    }
    page.Fill(u"<!-- FORMMAIL -->",
              QStringLiteral(
                  "<?php print $_SERVER[\"PHP_SELF\"]?>?action=send&PHPSESSID=<?php echo session_id();?>"));
    return filled;
}

void TGenPHP::FillStore(TPageTemplate& page) const
{
    if (!m_project.chkStoreEntries) {
        for (const char16_t* marker :
             {u"<!-- STOREENTRY -->", u"<!-- STOREDFIRST -->", u"<!-- STOREMAIL -->"})
            page.Fill(marker, QString());
        return;
    }
    // The entry is kept before its mail goes out, so a failed mail loses
    // nothing; an entry that cannot be kept sends no mail either.
    page.Fill(u"<!-- STOREENTRY -->",
              QStringLiteral("\r\n\r\n"
                             "        // Kept before the mail goes out: a failed mail loses nothing, and\r\n"
                             "        // what cannot be kept is not mailed either.\r\n"
                             "        $qvStore = qv_store_open(qv_setting(\"storefolder\"));\r\n"
                             "        $qvEntry = is_array($qvStore) ? qv_store_add($qvStore, $qvValues, "
                             "$qvAttachments) : \"\";\r\n"
                             "        if ($qvEntry === \"\")\r\n"
                             "            error_log(\"Quorvel form: the submission was not stored\" . "
                             "(is_string($qvStore) ? \", \" . $qvStore : \"\"));"));
    page.Fill(u"<!-- STOREDFIRST -->", QStringLiteral("$qvEntry !== \"\" && "));
    page.Fill(u"<!-- STOREMAIL -->",
              QStringLiteral("\r\n        if ($qvEntry !== \"\")\r\n"
                             "            qv_store_mail_result($qvStore, $qvEntry, $qvOK);"));
}

TResult<QString> TGenPHP::LoadHelpers(const QString& relativeName) const
{
    TResult<QString> loaded = LoadTemplate(relativeName);
    if (!loaded)
        return loaded;
    // The file opens with "<?php" and a comment about itself, up to the first
    // empty line; the page takes the rest, without the last line end (the
    // marker's line brings its own).
    QString text = std::move(loaded).Value();
    const QString paragraphEnd = QStringLiteral("\r\n\r\n");
    const qsizetype opening = text.indexOf(paragraphEnd);
    if (!text.startsWith(QLatin1String("<?php")) || opening < 0)
        return TFailure{QStringLiteral("The mail helpers do not open as expected"),
                        m_dataDir + QLatin1Char('/') + relativeName};
    text.remove(0, opening + paragraphEnd.size());
    if (text.endsWith(CRLF))
        text.chop(CRLF.size());
    return text;
}

TResult<QString> TGenPHP::GenCaptcha()
{
    const bool accessible = m_project.chkAccessible;
    // With accessible markup the text is the label of the code's input.
    const QString fieldClass =
        (FieldCSS() ? QStringLiteral(" class=\"field\"") : QString()) +
        (accessible ? QStringLiteral(" id=\"captcha_input\" required aria-required=\"true\""
                                     "<?php if (!empty($errCaptcha)) echo \" aria-invalid="
                                     "\\\"true\\\" aria-describedby=\\\"qverr_captcha"
                                     "\\\"\";?>")
                    : QString());
    const QString text = accessible ? QString(QStringLiteral("<label for=\"captcha_input\">") +
                                              Markup(m_project.edtCaptchaText1) + QStringLiteral("</label>"))
                                    : Markup(m_project.edtCaptchaText1);
    return QString(
        QStringLiteral("<tr>") + CRLF +
        QStringLiteral("  <td class=\"my\" align=\"right\" valign=\"middle\"><p class=\"my\">") + text +
        QStringLiteral("</p></td>") + CRLF + QStringLiteral("  <td class=\"my\" valign=\"middle\">") + CRLF +
        QStringLiteral(" <table width=\"100%\"  border=\"0\" cellspacing=\"0\" cellpadding=\"00\">") + CRLF +
        QStringLiteral("<tr valign=\"middle\">") + CRLF +
        QStringLiteral(" <td width=\"20%\"><input type=\"text\" name=\"captcha_input\" size=\"10\" "
                       "maxlength=\"5\" ") +
        fieldClass + QStringLiteral("></td>") + CRLF +
        QStringLiteral(
            " <td width=\"80%\">&nbsp;<img src=\"<?php print $_SERVER[\"PHP_SELF\"];?>?action=captcha"
            "&PHPSESSID=<?php echo session_id();?>\" border=\"1\" alt=\"captcha\"></td>") +
        CRLF + QStringLiteral("</tr>") + CRLF + QStringLiteral("</table>") + CRLF +
        QStringLiteral("<?php echo $errCaptcha;?>") + CRLF + QStringLiteral("</td>") + CRLF);
}
