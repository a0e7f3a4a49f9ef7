#pragma once

#include "model/ExtSettings.h"
#include "model/FieldList.h"

#include <QString>
#include <QtGlobal>

class Prompter;
class TLanguageTexts;

// Every setting of a project, under the key the project file and the main
// window's controls use. Copyable, so a load can work on a copy and hand it
// over only when the whole file was read.
class TFormSettings
{
public:
    TFormSettings();

    // mail
    QString edtEMail;
    QString edtEMail1;
    QString edtEMail2;
    QString edtBetreff;
    QString cboMailFormat; // "html", "plain" or "xml"
    bool chkAbsender = false;
    bool cbCryptAddr = false;
    // page
    QString edtTitel;
    QString edtDanke;
    QString edtTabWidth;
    int cboTabAusrichtung = 0; // 0 center, 1 right, 2 left
    QString cboTarget;
    // form mailer
    QString cboFormMailer;
    // design
    QString edtFormTitel;
    QString cboFontHeader;
    QString edtSizeHeader;
    QString cboFontForm;
    QString edtSizeForm;
    QString edtBGPicture;
    QString memoEinleitung;
    QString memoTextEnde;
    // colours
    QString edtHGColor;
    QString edtHeaderColor;
    QString edtTextColor;
    QString edtTabColor;
    QString edtErrorColor;
    // The four page colours once more as colour values (0x00BBGGRR), as the
    // colour buttons beside their boxes show them; the style sheet uses these.
    quint32 cboBGColor = 0xFFFFFF;
    quint32 cboHeadingColor = 0x000000;
    quint32 cboTextColor = 0x800000;
    quint32 cboTabColor = 0xC0C0C0;
    // buttons
    bool cboStandardButton = true;
    QString edtHintergrundButton;
    QString edtFarbeButton;
    QString cboRahmenButton;
    QString edtStaerkeButton;
    QString cboStaerkeRahmen;
    QString edtSendenButton;
    QString edtCancelButton;
    bool chkResetButton = true;
    QString edtPrint;
    bool chkPrintButton = false;
    // input fields
    bool cboStandardFeld = true;
    QString edtHGFormField;
    QString edtColorFormField;
    QString edtRahmenFormField;
    QString edtStaerkeFormField;
    QString cboRahmenFormField;
    QString cboFontFormField;
    QString edtSizeFormField;
    QString cboSchriftFormEinheit;
    QString edtFontColorFormField;
    // Accessible markup in both pages (labels, groups, error states, the
    // page's language), and a layout of today's web that sizes the inputs
    // to the screen; both off in projects from before them.
    bool chkAccessible = false;
    bool chkModernLayout = false;
    // FTP
    QString edtFtpServer;
    QString edtPort;
    QString edtUsername;
    QString edtPasswort;
    QString edtFolder;
    QString edtDateiname;
    bool chkPassiv = false;
    // Explicit FTPS, and the one server key accepted without a known
    // authority's signature ("sha256//...").
    bool chkFtpTls = false;
    QString edtFtpTlsKey;
    int cboUploadFormat = 0; // 0 HTML, 1 PHP
    // The HTML form's upload also puts Quorvel's form mailer and its
    // configuration beside it.
    bool chkUploadMailer = false;
    // spam protection
    bool chkCaptcha = false;
    QString edtCaptchaText1;
    // The defence against spam robots (a field people never see, a time
    // trap and a signed form token), and the most posts per client address
    // and hour ("" or 0: no limit).
    bool chkBotDefence = false;
    QString edtPostsPerHour;
    // The PHP page keeps every accepted submission in a store on the server
    // (a folder outside the web folder) before it mails it. The folder as
    // the server sees it ("" for "quorvel-data" beside the web folder; a
    // relative path counts from the page's folder), and the same folder as
    // the FTP login sees it ("" for "quorvel-data" in the login folder).
    bool chkStoreEntries = false;
    QString edtStoreFolder;
    QString edtStoreFtpFolder;
    // mail text
    QString memoMailtext;

    TExtSettings ExtSettings;

    // Each colour value takes the colour of its text when that text is
    // exactly six hexadecimal digits, and keeps its colour otherwise.
    void SyncColorValues();
};

// The open project: its settings, its fields and the file it belongs to.
class TFormProject : public TFormSettings
{
public:
    TFieldList ListField;
    bool bSaved = false; // tied to a file (loaded from or saved to one)
    QString strSavePath; // that file's full path

    // Whether an upload may start; says what is missing through the prompter,
    // and puts the port back to "21" when it is not a whole number.
    bool CheckFtpSettings(const TLanguageTexts& texts, Prompter& prompter);
};
