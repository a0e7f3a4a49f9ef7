#include "ui/GuiPrompter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace
{
QMessageBox::Icon BoxIcon(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::Information: return QMessageBox::Information;
    case Prompter::Icon::Warning: return QMessageBox::Warning;
    case Prompter::Icon::Error: return QMessageBox::Critical;
    case Prompter::Icon::Question: return QMessageBox::Question;
    case Prompter::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QString Caption(const QString& caption)
{
    return caption.isEmpty() ? QStringLiteral("Quorvel") : caption;
}

QString RunFileDialog(QWidget* parent, const Prompter::FileRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, request.caption);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!request.filter.isEmpty())
        dialog.setNameFilters(request.filter.split(QStringLiteral(";;")));
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QFileInfo proposed(request.fileName);
    if (!request.fileName.isEmpty() && proposed.isAbsolute())
        dialog.setDirectory(proposed.absolutePath());
    else if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    if (!request.fileName.isEmpty())
        dialog.selectFile(proposed.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
} // namespace

void TGuiPrompter::Message(const QString& text, const QString& caption, Icon icon)
{
    QMessageBox box(BoxIcon(icon), Caption(caption), text, QMessageBox::Ok, m_parent);
    // Texts name files and pages of anyone's: never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

Prompter::Answer TGuiPrompter::Question(const QString& text, const QString& caption, Icon icon,
                                        bool withCancel, Answer preselected)
{
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    QMessageBox box(BoxIcon(icon), Caption(caption), text, buttons, m_parent);
    box.setTextFormat(Qt::PlainText);
    switch (preselected) {
    case Answer::No: box.setDefaultButton(QMessageBox::No); break;
    case Answer::Cancel: box.setDefaultButton(withCancel ? QMessageBox::Cancel : QMessageBox::No); break;
    default: box.setDefaultButton(QMessageBox::Yes); break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return withCancel ? Answer::Cancel : Answer::No;
    }
}

QString TGuiPrompter::OpenFileName(const FileRequest& request)
{
    return RunFileDialog(m_parent, request, QFileDialog::AcceptOpen);
}

QString TGuiPrompter::SaveFileName(const FileRequest& request)
{
    return RunFileDialog(m_parent, request, QFileDialog::AcceptSave);
}
