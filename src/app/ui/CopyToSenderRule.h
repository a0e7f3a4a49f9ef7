#pragma once

#include <QObject>

class QCheckBox;
class Prompter;
class TFormProject;
class TLanguageTexts;

// A copy of the mail goes to the sender's address, which only a field named
// exactly "email" collects. Pressing the mouse on the option in a project
// without such a field explains this and leaves the option off. Only the
// mouse press is checked: a loaded project may hold the option anyway.
class TCopyToSenderRule : public QObject
{
    Q_OBJECT
public:
    TCopyToSenderRule(QCheckBox* option, const TFormProject& project, const TLanguageTexts& texts,
                      Prompter& prompter);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool HasEmailField() const;

    QCheckBox* m_option;
    const TFormProject& m_project;
    const TLanguageTexts& m_texts;
    Prompter& m_prompter;
};
