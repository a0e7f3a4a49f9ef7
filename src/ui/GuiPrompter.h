#pragma once

#include "base/Prompter.h"

#include <QPointer>
#include <QWidget>

// The prompter of the desktop program: message boxes and the file dialogs,
// shown over the given window.
class TGuiPrompter : public Prompter
{
public:
    explicit TGuiPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }

    void Message(const QString& text, const QString& caption, Icon icon) override;
    Answer Question(const QString& text, const QString& caption, Icon icon, bool withCancel,
                    Answer preselected) override;
    QString OpenFileName(const FileRequest& request) override;
    QString SaveFileName(const FileRequest& request) override;

private:
    QPointer<QWidget> m_parent;
};
