#include "publish/ui/frmFTPLog.h"

#include "ui/TranslateInterface.h"
#include "ui/WidgetBuild.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace WidgetBuild;

TfrmFTPLog::TfrmFTPLog(const TLanguageTexts& texts, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmFTPLog"));
    SetLangKey(this, 184);
    setWindowTitle(QStringLiteral("FTP-Log"));
    auto* column = new QVBoxLayout(this);
    memoLog = new QPlainTextEdit(this);
    memoLog->setObjectName(QStringLiteral("memoLog"));
    memoLog->setReadOnly(true);
    memoLog->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    memoLog->setMinimumSize(520, 280);
    column->addWidget(memoLog, 1);
    auto* progressRow = new QHBoxLayout;
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressUpload"));
    progressRow->addWidget(m_progress, 1);
    m_cancel = Button(this, "btCancelUpload", 156, QStringLiteral("Abbrechen"));
    progressRow->addWidget(m_cancel);
    column->addLayout(progressRow);
    m_close = Button(this, "SpeedButton1", 138, QStringLiteral("&Schließen"));
    column->addWidget(m_close);
    connect(m_close, &QPushButton::clicked, this, &QDialog::hide);
    connect(m_cancel, &QPushButton::clicked, this, &TfrmFTPLog::CancelRequested);
    SetBusy(false);
    TranslateWindow(this, texts);
}

void TfrmFTPLog::Clear()
{
    memoLog->clear();
}

void TfrmFTPLog::AddLine(const QString& line)
{
    memoLog->appendPlainText(line);
}

QStringList TfrmFTPLog::Lines() const
{
    QStringList lines = memoLog->toPlainText().split(QLatin1Char('\n'));
    if (lines.size() == 1 && lines.first().isEmpty())
        lines.clear();
    return lines;
}

void TfrmFTPLog::ShowProgress(qint64 done, qint64 total)
{
    // The bar counts kilobytes, so that large files fit its int range.
    m_progress->setRange(0, total > 0 ? static_cast<int>(total / 1024 + 1) : 0);
    m_progress->setValue(static_cast<int>(done / 1024));
}

void TfrmFTPLog::SetBusy(bool busy)
{
    m_busy = busy;
    m_progress->setVisible(busy);
    m_cancel->setVisible(busy);
    m_cancel->setEnabled(busy);
    m_close->setEnabled(!busy);
    if (busy)
        ShowProgress(0, 0);
}
