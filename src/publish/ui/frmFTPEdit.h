#pragma once

#include "publish/FtpProfiles.h"

#include <QDialog>

class Prompter;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QThread;
class TLanguageTexts;
class TfrmFTPLog;

// Edits one FTP profile, and tests a connection with the values as typed.
// The test runs beside the dialog and writes into the FTP log; while it
// runs the dialog waits for it and cannot be closed.
class TfrmFTPEdit : public QDialog
{
    Q_OBJECT
public:
    TfrmFTPEdit(const TLanguageTexts& texts, Prompter& prompter, TfrmFTPLog& log, QWidget* parent = nullptr);
    ~TfrmFTPEdit() override;

    void SetValues(const TFtpProfile& profile);
    TFtpProfile Values() const;

    // Seconds of the connection test's time-outs (tests make them short).
    void SetTimeouts(int connect, int reply, int stall);
    void TestConnection();
    bool IsTesting() const { return m_testing != nullptr; }

    void done(int result) override;

signals:
    void TestFinished();

private:
    // The first value that cannot be kept gets the focus and its message.
    bool Validate();
    void TestDone();

    const TLanguageTexts& m_texts;
    Prompter& m_prompter;
    TfrmFTPLog& m_log;
    QLineEdit* edtProfilName;
    QLineEdit* edtServername;
    QLineEdit* edtPort;
    QLineEdit* edtBenutzername;
    QLineEdit* edtPasswort;
    QCheckBox* chkPassiv;
    QCheckBox* chkTls;
    QLineEdit* edtTlsKey;
    QPushButton* btOK;
    QPushButton* btCancel;
    QPushButton* btTest;
    int m_timeouts[3] = {15, 20, 20};
    QThread* m_testing = nullptr;
    struct TTestResult;
    TTestResult* m_result = nullptr;
};
