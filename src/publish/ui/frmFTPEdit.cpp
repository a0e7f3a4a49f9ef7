#include "publish/ui/frmFTPEdit.h"

#include "base/LanguageTexts.h"
#include "base/Prompter.h"
#include "publish/ConnectionTest.h"
#include "publish/ui/frmFTPLog.h"
#include "ui/TranslateInterface.h"
#include "ui/WidgetBuild.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

using namespace WidgetBuild;

struct TfrmFTPEdit::TTestResult
{
    TConnectionTest::TOutcome outcome;
};

TfrmFTPEdit::TfrmFTPEdit(const TLanguageTexts& texts, Prompter& prompter, TfrmFTPLog& log, QWidget* parent)
    : QDialog(parent), m_texts(texts), m_prompter(prompter), m_log(log)
{
    setObjectName(QStringLiteral("frmFTPEdit"));
    SetLangKey(this, 170);
    setWindowTitle(QStringLiteral("FTP-Profil bearbeiten"));
    auto* column = new QVBoxLayout(this);
    QGroupBox* group = Group(this, "GroupBox1", 170, QStringLiteral("FTP-Profil bearbeiten"));
    auto* grid = new QGridLayout(group);
    const auto row = [group, grid](int at, const char* label, int key, const QString& text, QWidget* edit) {
        QLabel* l = Label(group, label, key, text);
        l->setBuddy(edit);
        grid->addWidget(l, at, 0);
        grid->addWidget(edit, at, 1);
    };
    edtProfilName = Edit(group, "edtProfilName");
    edtServername = Edit(group, "edtServername");
    edtPort = Edit(group, "edtPort");
    edtPort->setText(QStringLiteral("21"));
    edtPort->setMaximumWidth(edtPort->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 16);
    edtBenutzername = Edit(group, "edtBenutzername");
    edtPasswort = Edit(group, "edtPasswort"); // shown as typed
    row(0, "Label1", 171, QStringLiteral("Profilname*"), edtProfilName);
    row(1, "Label2", 172, QStringLiteral("Servername*"), edtServername);
    row(2, "Label3", 173, QStringLiteral("Port*"), edtPort);
    grid->setAlignment(edtPort, Qt::AlignLeft);
    row(3, "Label4", 174, QStringLiteral("Benutzername*"), edtBenutzername);
    row(4, "Label5", 182, QStringLiteral("Passwort"), edtPasswort);
    chkPassiv = Check(group, "chkPassiv", 113, QStringLiteral("Passiv Modus?"));
    grid->addWidget(chkPassiv, 5, 1);
    chkTls = Check(group, "chkTls", 290, QStringLiteral("Verschlüsselte Verbindung (FTPS)"));
    grid->addWidget(chkTls, 6, 1);
    edtTlsKey = Edit(group, "edtTlsKey");
    edtTlsKey->setPlaceholderText(QStringLiteral("sha256//…"));
    row(7, "Label7", 291, QStringLiteral("Serverschlüssel"), edtTlsKey);
    grid->addWidget(Note(group, "Label8", 292,
                         QStringLiteral("Nur für einen Server mit selbst signiertem Zertifikat: der eine "
                                        "Schlüssel, dem Quorvel statt einer bekannten Stelle vertraut. "
                                        "\"Verbindung testen\" bietet ihn an.")),
                    8, 1);
    grid->addWidget(Note(group, "Label6", 175, QStringLiteral("*Pflichtfeld")), 9, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    column->addWidget(group);

    auto* buttons = new QHBoxLayout;
    btTest = Button(this, "btTest", 176, QStringLiteral("Verbindung testen"));
    buttons->addWidget(btTest);
    buttons->addStretch(1);
    btOK = Button(this, "btOK", 155, QStringLiteral("OK"));
    btOK->setDefault(true);
    btCancel = Button(this, "btCancel", 156, QStringLiteral("Abbrechen"));
    buttons->addWidget(btOK);
    buttons->addWidget(btCancel);
    column->addLayout(buttons);
    connect(btOK, &QPushButton::clicked, this, [this] {
        if (Validate())
            accept();
    });
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btTest, &QPushButton::clicked, this, &TfrmFTPEdit::TestConnection);
    TranslateWindow(this, texts);
    setMinimumWidth(460);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TfrmFTPEdit::~TfrmFTPEdit()
{
    if (m_testing) {
        m_testing->wait();
        delete m_testing;
    }
    delete m_result;
}

void TfrmFTPEdit::SetValues(const TFtpProfile& profile)
{
    edtProfilName->setText(profile.profilname);
    edtServername->setText(profile.server);
    edtPort->setText(profile.port);
    edtBenutzername->setText(profile.benutzername);
    edtPasswort->setText(profile.passwort);
    chkPassiv->setChecked(profile.passiv);
    chkTls->setChecked(profile.tls);
    edtTlsKey->setText(profile.tlsKey);
}

TFtpProfile TfrmFTPEdit::Values() const
{
    TFtpProfile profile;
    profile.profilname = edtProfilName->text();
    profile.server = edtServername->text();
    profile.port = edtPort->text();
    profile.benutzername = edtBenutzername->text();
    profile.passwort = edtPasswort->text();
    profile.passiv = chkPassiv->isChecked();
    profile.tls = chkTls->isChecked();
    profile.tlsKey = edtTlsKey->text().trimmed();
    return profile;
}

void TfrmFTPEdit::SetTimeouts(int connect, int reply, int stall)
{
    m_timeouts[0] = connect;
    m_timeouts[1] = reply;
    m_timeouts[2] = stall;
}

bool TfrmFTPEdit::Validate()
{
    const auto refuse = [this](QLineEdit* edit, const char* key) {
        edit->setFocus();
        m_prompter.Message(m_texts.Text(QLatin1String(key)));
        return false;
    };
    // Blanks count as a value.
    if (edtProfilName->text().isEmpty())
        return refuse(edtProfilName, "txtFTPEdit1");
    if (edtServername->text().isEmpty())
        return refuse(edtServername, "txtFTPEdit2");
    if (edtBenutzername->text().isEmpty())
        return refuse(edtBenutzername, "txtFTPEdit3");
    if (TFtpSettings::PortOf(edtPort->text()) == 0)
        return refuse(edtPort, "txtFTPEdit4");
    // A line end would end an FTP command early: such a profile could never
    // be used.
    for (QLineEdit* edit : {edtServername, edtBenutzername, edtPasswort})
        if (TFtpClient::HasControlCharacter(edit->text()))
            return refuse(edit, "txtFTPEdit6");
    return true;
}

void TfrmFTPEdit::done(int result)
{
    if (m_testing)
        return; // the test ends on its own time-outs
    QDialog::done(result);
}

void TfrmFTPEdit::TestConnection()
{
    if (m_testing)
        return;
    if (m_log.IsBusy()) {
        m_prompter.Message(m_texts.Text(QStringLiteral("txtFTPEdit7")));
        return;
    }
    m_log.Clear();
    m_log.show();
    m_log.raise();
    QPointer<TfrmFTPLog> log(&m_log);
    auto test = std::make_shared<TConnectionTest>(m_texts, [log](const QString& line) {
        QMetaObject::invokeMethod(
            log, [log, line] { log->AddLine(line); }, Qt::QueuedConnection);
    });
    test->SetTimeouts(m_timeouts[0], m_timeouts[1], m_timeouts[2]);
    delete m_result;
    m_result = new TTestResult;
    const TFtpProfile values = Values();
    for (QPushButton* b : {btOK, btCancel, btTest})
        b->setEnabled(false);
    m_testing = QThread::create([test, values, result = m_result] { result->outcome = test->Run(values); });
    m_testing->setObjectName(QStringLiteral("FtpConnectionTest"));
    connect(m_testing, &QThread::finished, this, &TfrmFTPEdit::TestDone);
    m_testing->start();
}

void TfrmFTPEdit::TestDone()
{
    m_testing->wait();
    m_testing->deleteLater();
    m_testing = nullptr;
    for (QPushButton* b : {btOK, btCancel, btTest})
        b->setEnabled(true);
    using Kind = TConnectionTest::TOutcome::Kind;
    const TConnectionTest::TOutcome outcome = m_result->outcome;
    switch (outcome.kind) {
    case Kind::Connected:
    case Kind::ServerReply: break;
    case Kind::Refused: m_prompter.Message(outcome.message); break;
    case Kind::Failed:
        if (!outcome.serverKey.isEmpty()) {
            // A server whose certificate no known authority signed: its key
            // is trusted only when the user says so.
            const QString question =
                m_texts.Text(QStringLiteral("txtFTPEdit5")).replace(QStringLiteral("%1"), outcome.serverKey);
            if (m_prompter.Question(question, m_texts.Text(QStringLiteral("MsgConfirmation")),
                                    Prompter::Icon::Question, false,
                                    Prompter::Answer::No) == Prompter::Answer::Yes) {
                chkTls->setChecked(true);
                edtTlsKey->setText(outcome.serverKey);
            }
        } else {
            m_prompter.Message(outcome.message, m_texts.Text(QStringLiteral("MsgError")),
                               Prompter::Icon::Error);
        }
        break;
    }
    emit TestFinished();
}
