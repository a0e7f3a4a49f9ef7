#include "app/ui/frmErwEinstellungen.h"

#include "ui/OpenWebAddress.h"
#include "ui/TranslateInterface.h"
#include "ui/WidgetBuild.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace WidgetBuild;

TfrmErwEinstellungen::TfrmErwEinstellungen(const TLanguageTexts& texts, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_texts(texts), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmErwEinstellungen"));
    SetLangKey(this, 140);
    setWindowTitle(QStringLiteral("Erweiterte Formulareinstellungen"));
    auto* column = new QVBoxLayout(this);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    column->addWidget(PageControl1);

    // Page "Formulareinstellungen".
    auto* formPage = new QWidget(PageControl1);
    formPage->setObjectName(QStringLiteral("TabSheet1"));
    SetLangKey(formPage, 141);
    auto* formColumn = new QVBoxLayout(formPage);
    QGroupBox* options =
        Group(formPage, "GroupBox1", 140, QStringLiteral("Erweiterte Formulareinstellungen"));
    auto* optionGrid = new QGridLayout(options);
    chkMailFelder = Check(options, "chkMailFelder", 142,
                          QStringLiteral("Vom Benutzer ausgefüllte Felder in der E-Mail-Kopie einfügen"));
    chkIP = Check(options, "chkIP", 143,
                  QStringLiteral("IP-Adresse und weitere Informationen in E-Mail einfügen"));
    chkEmptyFields =
        Check(options, "chkEmptyFields", 144, QStringLiteral("Leere Formularfelder nicht mit übertragen?"));
    optionGrid->addWidget(chkMailFelder, 0, 0, 1, 2);
    optionGrid->addWidget(chkIP, 1, 0, 1, 2);
    optionGrid->addWidget(chkEmptyFields, 2, 0, 1, 2);
    cboEncoding = FixedList(options, "cboEncoding", TAdvancedSettings::Encodings());
    cboEncoding->setCurrentIndex(0);
    QLabel* encodingLabel = Label(options, "Label1", 145, QStringLiteral("Formularkodierung:"));
    encodingLabel->setBuddy(cboEncoding);
    optionGrid->addWidget(encodingLabel, 3, 0);
    optionGrid->addWidget(cboEncoding, 3, 1, Qt::AlignLeft);
    optionGrid->setColumnStretch(1, 1);
    formColumn->addWidget(options);
    formColumn->addStretch(1);
    PageControl1->addTab(formPage, QStringLiteral("Formulareinstellungen"));

    // Page "Fehlerseiten/Fehlermeldungen".
    auto* errorPage = new QWidget(PageControl1);
    errorPage->setObjectName(QStringLiteral("TabSheet2"));
    SetLangKey(errorPage, 146);
    auto* errorColumn = new QVBoxLayout(errorPage);
    QGroupBox* pages = Group(errorPage, "GroupBox2", 147, QStringLiteral("Fehlerseiten"));
    auto* pageGrid = new QGridLayout(pages);
    const auto pageRow = [this, pages, pageGrid](int at, const char* label, int key, const QString& text,
                                                 const char* edit, const char* button) {
        QLineEdit* box = Edit(pages, edit);
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 52);
        QLabel* l = Label(pages, label, key, text);
        l->setBuddy(box);
        QPushButton* test = Button(pages, button, 0, QStringLiteral("Test"));
        connect(test, &QPushButton::clicked, this, [this, box] { TestLink(box); });
        pageGrid->addWidget(l, at, 0);
        pageGrid->addWidget(box, at, 1);
        pageGrid->addWidget(test, at, 2);
        return box;
    };
    edtIPSperre = pageRow(0, "Label2", 148, QStringLiteral("IP-Sperre:"), "edtIPSperre", "btGOIP");
    edtDateiUpload =
        pageRow(1, "Label3", 149, QStringLiteral("Datei-Upload:"), "edtDateiUpload", "btGOUpload");
    edtCaptcha =
        pageRow(2, "Label4", 150, QStringLiteral("Captcha-Spam-Schutz:"), "edtCaptcha", "btGOCaptcha");
    pageGrid->addWidget(
        Note(pages, "Label5", 151,
             QStringLiteral("Leere Felder: Es erscheinen die Standard-Fehlerseiten des FormMailers.\n"
                            "Bitte geben Sie die Seiten als vollständige Internetadressen (http://...) ein.\n"
                            "Die Fehlerseiten gelten nur für HTML-Formulare, wenn die Prüfung im Formular "
                            "fehlschlägt.")),
        3, 0, 1, 3);
    pageGrid->setColumnStretch(1, 1);
    errorColumn->addWidget(pages);
    QGroupBox* messages = Group(errorPage, "GroupBox3", 152, QStringLiteral("Fehlermeldungen PHP-Formular"));
    auto* messageGrid = new QGridLayout(messages);
    edtMeldungCaptcha = Edit(messages, "edtMeldungCaptcha");
    edtMeldungCaptcha->setText(TAdvancedSettings::CaptchaStartText());
    QLabel* messageLabel = Label(messages, "Label6", 153, QStringLiteral("Meldung Captcha:"));
    messageLabel->setBuddy(edtMeldungCaptcha);
    messageGrid->addWidget(messageLabel, 0, 0);
    messageGrid->addWidget(edtMeldungCaptcha, 0, 1);
    messageGrid->setColumnStretch(1, 1);
    errorColumn->addWidget(messages);
    errorColumn->addStretch(1);
    PageControl1->addTab(errorPage, QStringLiteral("Fehlerseiten/Fehlermeldungen"));
    PageControl1->setCurrentIndex(0);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    btOK = Button(this, "btOK", 155, QStringLiteral("OK"));
    btOK->setDefault(true);
    btCancel = Button(this, "btCancel", 156, QStringLiteral("Abbrechen"));
    buttons->addWidget(btOK);
    buttons->addWidget(btCancel);
    column->addLayout(buttons);
    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    TranslateWindow(this, texts);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmErwEinstellungen::SetValues(const TAdvancedSettings& values)
{
    chkMailFelder->setChecked(values.kopie_absender);
    chkIP->setChecked(values.ip_informationen);
    chkEmptyFields->setChecked(values.hide_empty_fields);
    edtIPSperre->setText(values.IPErrorPage);
    edtDateiUpload->setText(values.FileErrorPage);
    edtCaptcha->setText(values.CaptchaErrorPage);
    cboEncoding->setCurrentIndex(values.encodingEntry);
    edtMeldungCaptcha->setText(values.CaptchaError);
    // Long addresses show their beginning.
    for (QLineEdit* edit : {edtIPSperre, edtDateiUpload, edtCaptcha, edtMeldungCaptcha})
        edit->setCursorPosition(0);
}

TAdvancedSettings TfrmErwEinstellungen::Values() const
{
    TAdvancedSettings values;
    values.kopie_absender = chkMailFelder->isChecked();
    values.ip_informationen = chkIP->isChecked();
    values.hide_empty_fields = chkEmptyFields->isChecked();
    values.IPErrorPage = edtIPSperre->text();
    values.FileErrorPage = edtDateiUpload->text();
    values.CaptchaErrorPage = edtCaptcha->text();
    values.encodingEntry = cboEncoding->currentIndex();
    values.CaptchaError = edtMeldungCaptcha->text();
    return values;
}

void TfrmErwEinstellungen::TestLink(QLineEdit* edit)
{
    OpenWebAddress(edit->text(), m_texts, m_prompter);
}
