#include "app/ui/FtpPage.h"

#include "ui/WidgetBuild.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace WidgetBuild;

namespace
{
QGroupBox* FtpGroup(QWidget* page)
{
    QGroupBox* group = Group(page, "GroupBox9", 112, QStringLiteral("FTP-Einstellungen"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(Label(group, "Label49", 115, QStringLiteral("Server")), 0, 0);
    grid->addWidget(Edit(group, "edtFtpServer"), 0, 1);
    grid->addWidget(Ellipsis(group, "btFtpProfiles"), 0, 2);
    auto* switches = new QHBoxLayout;
    switches->addWidget(Check(group, "chkPassiv", 113, QStringLiteral("Passiv Modus?")));
    switches->addWidget(Check(group, "chkFtpTls", 290, QStringLiteral("Verschlüsselte Verbindung (FTPS)")));
    switches->addStretch(1);
    grid->addLayout(switches, 1, 1);
    grid->addWidget(Label(group, "Label50", 117, QStringLiteral("Port")), 2, 0);
    QLineEdit* port = Edit(group, "edtPort");
    port->setMaximumWidth(port->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 16);
    grid->addWidget(port, 2, 1, Qt::AlignLeft);
    grid->addWidget(Label(group, "Label51", 119, QStringLiteral("Username")), 3, 0);
    grid->addWidget(Edit(group, "edtUsername"), 3, 1);
    grid->addWidget(Label(group, "Label52", 121, QStringLiteral("Passwort")), 4, 0);
    QLineEdit* password = Edit(group, "edtPasswort");
    password->setEchoMode(QLineEdit::Password);
    grid->addWidget(password, 4, 1);
    grid->addWidget(Label(group, "Label53", 123, QStringLiteral("Verzeichnis")), 5, 0);
    grid->addWidget(Edit(group, "edtFolder"), 5, 1);
    grid->addWidget(Ellipsis(group, "btBrowseFTP"), 5, 2);
    grid->addWidget(Label(group, "Label54", 125, QStringLiteral("Dateiname")), 6, 0);
    grid->addWidget(Edit(group, "edtDateiname"), 6, 1);
    grid->addWidget(Label(group, "Label42", 126, QStringLiteral("Upload-Dateiformat")), 7, 0);
    auto* format = new QHBoxLayout;
    format->addWidget(FixedList(group, "cboUploadFormat", {QStringLiteral("HTML"), QStringLiteral("PHP")}));
    // Quorvel's form mailer goes beside the HTML form (which must post to it).
    format->addWidget(Check(group, "chkUploadMailer", 430, QStringLiteral("Formmailer mit hochladen")));
    format->addStretch(1);
    grid->addLayout(format, 7, 1);
    // Only for a server with a self-signed certificate.
    grid->addWidget(Label(group, "Label55", 291, QStringLiteral("Serverschlüssel")), 8, 0);
    QLineEdit* key = Edit(group, "edtFtpTlsKey");
    key->setPlaceholderText(QStringLiteral("sha256//…"));
    grid->addWidget(key, 8, 1);
    grid->addWidget(Label(group, "Label13", 127, QStringLiteral("Beschreibung:")), 9, 0, Qt::AlignTop);
    grid->addWidget(
        Note(group, "Label45", 136,
             QStringLiteral(
                 "In diesem Dialog können Sie FTP-Einstellungen für den Upoad Ihrer Formulare "
                 "festlegen. Mit Klick auf \"FTP-Upload\" wird das aktuelle Formular automatisch auf "
                 "Ihren Webspace geladen.")),
        9, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(10, 1);
    return group;
}

QGroupBox* SpamGroup(QWidget* page)
{
    QGroupBox* group = Group(page, "GroupBox10", 128, QStringLiteral("Spamschutz"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(Check(group, "chkCaptcha", 129, QStringLiteral("Captcha-Spamschutz aktivieren")), 0, 0, 1,
                    2);
    grid->addWidget(Label(group, "Label40", 130, QStringLiteral("Beschriftung:")), 1, 0);
    grid->addWidget(Edit(group, "edtCaptchaText1"), 1, 1);
    // Stops robots without a puzzle; the picture code may come on top.
    grid->addWidget(
        Check(group, "chkBotDefence", 450, QStringLiteral("Schutz vor Spam-Robotern (ohne Bilderrätsel)")), 2,
        0, 1, 2);
    // A row of its own, so that its long label leaves the caption its width.
    auto* limit = new QHBoxLayout;
    limit->addWidget(
        Label(group, "Label450", 451, QStringLiteral("Höchstens Nachrichten je Adresse und Stunde:")));
    QLineEdit* perHour = Edit(group, "edtPostsPerHour");
    perHour->setValidator(new QIntValidator(0, 100000, perHour));
    perHour->setMaximumWidth(perHour->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 16);
    limit->addWidget(perHour);
    limit->addStretch(1);
    grid->addLayout(limit, 3, 0, 1, 2);
    grid->addWidget(
        Note(group, "Label452", 452,
             QStringLiteral("Ein unsichtbares Feld, eine Mindestzeit und ein signiertes Formular-Token "
                            "halten Spam-Roboter ab. Die Höchstzahl gilt für die PHP-Seite und den "
                            "Quorvel-Formmailer; leer oder 0: unbegrenzt.")),
        4, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(5, 1);
    return group;
}
// Keeping every submission on the server, where the PHP page can reach it
// and the web cannot.
QGroupBox* StoreGroup(QWidget* page)
{
    QGroupBox* group = Group(page, "GroupBox11", 490, QStringLiteral("Einsendungen"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(Check(group, "chkStoreEntries", 491,
                          QStringLiteral("Jede Einsendung auf dem Server speichern (PHP)")),
                    0, 0, 1, 2);
    grid->addWidget(Label(group, "Label491", 492, QStringLiteral("Ordner auf dem Server:")), 1, 0);
    grid->addWidget(Edit(group, "edtStoreFolder"), 1, 1);
    grid->addWidget(Label(group, "Label492", 493, QStringLiteral("Derselbe Ordner per FTP:")), 2, 0);
    QLineEdit* ftpFolder = Edit(group, "edtStoreFtpFolder");
    ftpFolder->setPlaceholderText(QStringLiteral("quorvel-data"));
    grid->addWidget(ftpFolder, 2, 1);
    grid->addWidget(
        Note(group, "Label494", 494,
             QStringLiteral("Die PHP-Seite speichert jede Einsendung, bevor sie die Mail sendet, in einem "
                            "Ordner außerhalb des Web-Ordners (leer: \"quorvel-data\" neben dem Web-Ordner; "
                            "ein relativer Pfad gilt ab dem Ordner der Seite). Das Programm holt die "
                            "Einsendungen per FTP aus dem zweiten Ordner (leer: \"quorvel-data\" im "
                            "Anmeldeordner).")),
        3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
    return group;
}
} // namespace

TFtpPage::TFtpPage(QWidget* parent) : TLazyPage(parent)
{
    setObjectName(QStringLiteral("FTP"));
}

void TFtpPage::Build()
{
    auto* row = new QHBoxLayout(this);
    row->addWidget(FtpGroup(this), 3);
    auto* right = new QVBoxLayout;
    right->addWidget(SpamGroup(this));
    right->addWidget(StoreGroup(this));
    row->addLayout(right, 2);
}
