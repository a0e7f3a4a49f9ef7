#include "model/SettingKeys.h"

#include "model/FormProject.h"

#define QV_TEXT(member, reader, def)                                                                         \
    TSettingKey                                                                                              \
    {                                                                                                        \
#member, TSettingReader::reader, def, [](TFormSettings & s) { return &s.member; }, nullptr, nullptr  \
    }
#define QV_EXT_TEXT(key, path, reader, def)                                                                  \
    TSettingKey                                                                                              \
    {                                                                                                        \
        key, TSettingReader::reader, def, [](TFormSettings& s) { return &s.ExtSettings.path; }, nullptr,     \
            nullptr                                                                                          \
    }
#define QV_FLAG(member, reader)                                                                              \
    TSettingKey                                                                                              \
    {                                                                                                        \
#member, TSettingReader::reader, nullptr, nullptr, [](TFormSettings & s) { return &s.member; },      \
                                                                                                     nullptr \
    }
#define QV_EXT_FLAG(key, path)                                                                               \
    TSettingKey                                                                                              \
    {                                                                                                        \
        key, TSettingReader::Flag, nullptr, nullptr, [](TFormSettings& s) { return &s.ExtSettings.path; },   \
            nullptr                                                                                          \
    }
#define QV_OPT_FLAG(member)                                                                                  \
    TSettingKey                                                                                              \
    {                                                                                                        \
#member, TSettingReader::Flag, nullptr, nullptr,                                                     \
            [](TFormSettings & s) { return &s.member; }, nullptr, true                                       \
    }
#define QV_OPT_TEXT(member)                                                                                  \
    TSettingKey                                                                                              \
    {                                                                                                        \
#member, TSettingReader::Text, nullptr, [](TFormSettings & s) { return &s.member; }, nullptr,        \
                                                                                          nullptr, true      \
    }
#define QV_INT(key, path, reader)                                                                            \
    TSettingKey                                                                                              \
    {                                                                                                        \
        key, TSettingReader::reader, "0", nullptr, nullptr, [](TFormSettings& s) { return &s.path; }         \
    }

const std::vector<TSettingKey>& SettingKeys()
{
    static const std::vector<TSettingKey> keys = {
        QV_TEXT(edtFormTitel, Text, nullptr),
        QV_TEXT(cboFontHeader, Text, nullptr),
        QV_TEXT(edtSizeHeader, Text, nullptr),
        QV_TEXT(cboFontForm, Text, nullptr),
        QV_TEXT(edtSizeForm, Text, nullptr),
        QV_TEXT(memoEinleitung, Text, nullptr),
        QV_TEXT(memoTextEnde, Text, nullptr),
        QV_TEXT(edtBGPicture, Text, nullptr),
        QV_TEXT(edtHGColor, Text, nullptr),
        QV_TEXT(edtHeaderColor, Text, nullptr),
        QV_TEXT(edtTextColor, Text, nullptr),
        QV_TEXT(edtTabColor, Text, nullptr),
        QV_TEXT(edtErrorColor, TextDefault, "FF0000"),
        QV_TEXT(edtEMail, Text, nullptr),
        QV_TEXT(edtEMail1, Text, nullptr),
        QV_TEXT(edtEMail2, Text, nullptr),
        QV_FLAG(cbCryptAddr, Flag),
        QV_TEXT(cboMailFormat, MailFormat, nullptr),
        QV_TEXT(edtBetreff, Text, nullptr),
        QV_TEXT(edtTitel, Text, nullptr),
        QV_TEXT(edtDanke, Text, nullptr),
        QV_TEXT(edtTabWidth, Text, nullptr),
        QV_INT("cboTabAusrichtung", cboTabAusrichtung, IndexTolerant),
        QV_FLAG(chkAbsender, Flag),
        QV_TEXT(cboTarget, TextDefault, "_self"),
        QV_EXT_FLAG("ip_informationen", ip_informationen),
        QV_EXT_FLAG("kopie_absender", kopie_absender),
        QV_EXT_TEXT("HTMLExportFileName", HTMLExportFileName, Text, nullptr),
        QV_EXT_FLAG("hide_empty_fields", hide_empty_fields),
        QV_EXT_TEXT("IPErrorPage", ErrorPages.IPErrorPage, Text, nullptr),
        QV_EXT_TEXT("FileErrorPage", ErrorPages.FileErrorPage, Text, nullptr),
        QV_EXT_TEXT("CaptchaErrorPage", ErrorPages.CaptchaErrorPage, Text, nullptr),
        QV_EXT_TEXT("encoding", encoding, TextDefault, "iso-8859-1"),
        QV_EXT_TEXT("CaptchaErrorMessage", ErrorMessages.CaptchaError, CaptchaMessage, nullptr),
        QV_EXT_TEXT("ProjectSettings_author", ProjectSettings.author, Text, nullptr),
        QV_EXT_TEXT("ProjectSettings_comment", ProjectSettings.comment, Text, nullptr),
        QV_EXT_TEXT("ProjectSettings_title", ProjectSettings.title, Text, nullptr),
        QV_EXT_TEXT("ProjectSettings_company", ProjectSettings.company, Text, nullptr),
        QV_EXT_TEXT("ProjectSettings_url", ProjectSettings.url, TextDefault, "http://"),
        QV_EXT_TEXT("CalendarDesign_cboFont", CalendarDesign.cboFont, TextDefault, "Arial,Helvetica,Geneva"),
        QV_EXT_TEXT("CalendarDesign_edtFontSize", CalendarDesign.edtFontSize, TextDefault, "10"),
        QV_EXT_TEXT("CalendarDesign_edtTextColor", CalendarDesign.edtTextColor, TextDefault, "000000"),
        QV_EXT_TEXT("CalendarDesign_edtBGColorDay", CalendarDesign.edtBGColorDay, TextDefault, "B6CDE9"),
        QV_EXT_TEXT("CalendarDesign_edtBGColorHeader", CalendarDesign.edtBGColorHeader, TextDefault,
                    "CCCCCC"),
        QV_EXT_TEXT("CalendarDesign_edtTextColorHeader", CalendarDesign.edtTextColorHeader, TextDefault,
                    "000000"),
        QV_EXT_TEXT("CalendarDesign_edtBGColorCal", CalendarDesign.edtBGColorCal, TextDefault, "EEEEEE"),
        QV_EXT_TEXT("CalendarDesign_edtBorderSize", CalendarDesign.edtBorderSize, TextDefault, "1"),
        QV_EXT_TEXT("CalendarDesign_edtBorderType", CalendarDesign.edtBorderType, TextDefault, "solid"),
        QV_EXT_TEXT("CalendarDesign_edtBorderColor", CalendarDesign.edtBorderColor, TextDefault, "000000"),
        QV_INT("CalendarDesign_cboDateFormat", ExtSettings.CalendarDesign.cboDateFormat, IntStrict),
        QV_TEXT(edtFtpServer, Text, nullptr),
        QV_TEXT(edtPort, Text, nullptr),
        QV_TEXT(edtUsername, Text, nullptr),
        QV_TEXT(edtPasswort, Text, nullptr),
        QV_TEXT(edtFolder, Text, nullptr),
        QV_TEXT(edtDateiname, Text, nullptr),
        QV_FLAG(chkPassiv, Flag),
        QV_OPT_FLAG(chkFtpTls),
        QV_OPT_TEXT(edtFtpTlsKey),
        QV_INT("cboUploadFormat", cboUploadFormat, IntStrict),
        QV_OPT_FLAG(chkUploadMailer),
        QV_FLAG(chkCaptcha, FlagTolerant),
        QV_TEXT(edtCaptchaText1, Text, nullptr),
        QV_OPT_FLAG(chkBotDefence),
        QV_OPT_TEXT(edtPostsPerHour),
        QV_OPT_FLAG(chkStoreEntries),
        QV_OPT_TEXT(edtStoreFolder),
        QV_OPT_TEXT(edtStoreFtpFolder),
        QV_TEXT(memoMailtext, Text, nullptr),
        QV_TEXT(cboFormMailer, FormMailer, nullptr),
        QV_FLAG(cboStandardButton, KeptFlag),
        QV_TEXT(edtHintergrundButton, Text, nullptr),
        QV_TEXT(edtFarbeButton, Text, nullptr),
        QV_TEXT(cboRahmenButton, Text, nullptr),
        QV_TEXT(edtStaerkeButton, Text, nullptr),
        QV_TEXT(cboStaerkeRahmen, Text, nullptr),
        QV_TEXT(edtSendenButton, Text, nullptr),
        QV_TEXT(edtCancelButton, Text, nullptr),
        QV_TEXT(edtPrint, Text, nullptr),
        QV_FLAG(chkPrintButton, KeptFlag),
        QV_FLAG(chkResetButton, KeptFlag),
        QV_FLAG(cboStandardFeld, KeptFlag),
        QV_TEXT(edtHGFormField, Text, nullptr),
        QV_TEXT(edtColorFormField, Text, nullptr),
        QV_TEXT(edtRahmenFormField, Text, nullptr),
        QV_TEXT(edtStaerkeFormField, Text, nullptr),
        QV_TEXT(cboRahmenFormField, Text, nullptr),
        QV_TEXT(cboFontFormField, Text, nullptr),
        QV_TEXT(edtSizeFormField, Text, nullptr),
        QV_TEXT(cboSchriftFormEinheit, Text, nullptr),
        QV_TEXT(edtFontColorFormField, TextDefault, "000000"),
        QV_OPT_FLAG(chkAccessible),
        QV_OPT_FLAG(chkModernLayout),
    };
    return keys;
}

const TSettingKey* FindSettingKey(const QString& key)
{
    for (const TSettingKey& k : SettingKeys())
        if (key == QLatin1String(k.key))
            return &k;
    return nullptr;
}
