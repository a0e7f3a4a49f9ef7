#include "model/FormProject.h"

#include "base/LanguageTexts.h"
#include "base/Prompter.h"
#include "base/QVRGBToHTML.h"

namespace
{
// Placeholder addresses of a new project; the default project files that
// are loaded over them at once carry the real starting values.
const QString PlaceholderEMail = QStringLiteral("info@example.com");
const QString HostedThanksPage = QStringLiteral("https://forms.example.com/form/danke.htm");
const QString HostedFormMailer = QStringLiteral("https://forms.example.com/form/v28/formmail.php");
const QString StandardFonts = QStringLiteral("Arial,Helvetica,Geneva");

void SyncColor(const QString& text, quint32& value)
{
    if (IsHtmlColorText(text))
        value = HtmlTextToColor(text);
}
} // namespace

TFormSettings::TFormSettings()
    : edtEMail(PlaceholderEMail), edtBetreff(QStringLiteral("Kontaktformular")),
      cboMailFormat(QStringLiteral("html")), edtTitel(QStringLiteral("Kontaktformular")),
      edtDanke(HostedThanksPage), edtTabWidth(QStringLiteral("500px")), cboTarget(QStringLiteral("_self")),
      cboFormMailer(HostedFormMailer), edtFormTitel(QStringLiteral("Kontaktformular")),
      cboFontHeader(StandardFonts), edtSizeHeader(QStringLiteral("14")), cboFontForm(StandardFonts),
      edtSizeForm(QStringLiteral("10")),
      memoEinleitung(QStringLiteral("Mit diesem Formular können Sie mit uns Kontakt \r\naufnehmen.")),
      edtHGColor(QStringLiteral("FFFFFF")), edtHeaderColor(QStringLiteral("000000")),
      edtTextColor(QStringLiteral("000080")), edtTabColor(QStringLiteral("C0C0C0")),
      edtErrorColor(QStringLiteral("FF0000")), edtHintergrundButton(QStringLiteral("a0a0a4")),
      edtFarbeButton(QStringLiteral("000000")), cboRahmenButton(QStringLiteral("solid")),
      edtStaerkeButton(QStringLiteral("1")), cboStaerkeRahmen(QStringLiteral("px")),
      edtSendenButton(QStringLiteral("Absenden")), edtCancelButton(QStringLiteral("Zurücksetzen")),
      edtPrint(QStringLiteral("Drucken")), edtHGFormField(QStringLiteral("a0a0a4")),
      edtColorFormField(QStringLiteral("000000")), edtRahmenFormField(QStringLiteral("solid")),
      edtStaerkeFormField(QStringLiteral("1")), cboRahmenFormField(QStringLiteral("px")),
      cboFontFormField(StandardFonts), edtSizeFormField(QStringLiteral("12")),
      cboSchriftFormEinheit(QStringLiteral("px")), edtFontColorFormField(QStringLiteral("000000")),
      edtPort(QStringLiteral("21")), edtCaptchaText1(QStringLiteral("Spam-Schutz"))
{
}

void TFormSettings::SyncColorValues()
{
    SyncColor(edtHGColor, cboBGColor);
    SyncColor(edtHeaderColor, cboHeadingColor);
    SyncColor(edtTextColor, cboTextColor);
    SyncColor(edtTabColor, cboTabColor);
}

bool TFormProject::CheckFtpSettings(const TLanguageTexts& texts, Prompter& prompter)
{
    if (edtFtpServer.isEmpty()) {
        prompter.Message(texts.Text(QStringLiteral("txtMainFrmFTP13")));
        return false;
    }
    if (edtDateiname.isEmpty()) {
        prompter.Message(texts.Text(QStringLiteral("txtMainFrmFTP14")));
        return false;
    }
    bool ok = false;
    edtPort.toInt(&ok, 10);
    if (!ok || edtPort.trimmed() != edtPort) {
        prompter.Message(texts.Text(QStringLiteral("txtMainFrmFTP15")));
        edtPort = QStringLiteral("21");
        return false;
    }
    return true;
}
