#include "app/ui/CopyToSenderRule.h"

#include "base/LanguageTexts.h"
#include "base/Prompter.h"
#include "model/FormProject.h"

#include <QCheckBox>
#include <QMouseEvent>

TCopyToSenderRule::TCopyToSenderRule(QCheckBox* option, const TFormProject& project,
                                     const TLanguageTexts& texts, Prompter& prompter)
    : QObject(option), m_option(option), m_project(project), m_texts(texts), m_prompter(prompter)
{
    option->installEventFilter(this);
}

bool TCopyToSenderRule::HasEmailField() const
{
    for (const auto& field : m_project.ListField)
        if (field->Name == QLatin1String("email"))
            return true;
    return false;
}

bool TCopyToSenderRule::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_option && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !HasEmailField()) {
        m_prompter.Message(m_texts.Text(QStringLiteral("txtMainFrmEmailField")),
                           m_texts.Text(QStringLiteral("MsgInformation")), Prompter::Icon::Information);
        m_option->setChecked(false);
        // The press is used up, so the release that follows toggles nothing.
        return true;
    }
    if (watched == m_option && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !m_option->isChecked() &&
        !m_project.chkCaptcha) {
        // The copy may still be wanted from a form mailer; the PHP page sends
        // it only behind the picture code.
        m_prompter.Message(m_texts.Text(QStringLiteral("txtMainFrmCopyNeedsCaptcha")),
                           m_texts.Text(QStringLiteral("MsgWarnung")), Prompter::Icon::Warning);
    }
    return QObject::eventFilter(watched, event);
}
