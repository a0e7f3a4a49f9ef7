#include "texts/ui/OpenHtmlEditor.h"

#include "texts/ui/frmHtmlEdit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>

namespace HtmlTools
{
bool OpenHtmlEditor(QWidget* edit, const TLanguageTexts& texts, Prompter& prompter)
{
    auto* line = qobject_cast<QLineEdit*>(edit);
    auto* memo = qobject_cast<QPlainTextEdit*>(edit);
    if (!line && !memo)
        return false;
    // The window of the edit may close while the editor runs (and take the
    // editor with it): both are watched.
    QPointer<QWidget> target(edit);
    QPointer<TfrmHtmlEdit> editor = new TfrmHtmlEdit(texts, prompter, edit->window());
    editor->SetSource(line ? line->text() : memo->toPlainText());
    const bool taken = editor->exec() == QDialog::Accepted && editor && target;
    if (taken) {
        if (line)
            line->setText(editor->GetSource());
        else
            memo->setPlainText(editor->GetSource());
    }
    delete editor;
    return taken;
}
} // namespace HtmlTools
