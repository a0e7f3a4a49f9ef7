#include "app/ui/ColorLinks.h"

#include "base/QVRGBToHTML.h"
#include "model/FormProject.h"
#include "ui/ColorButton.h"

#include <QEvent>
#include <QLineEdit>

const TColorLinks::Pair TColorLinks::Pairs[10] = {
    {"edtHGColor", "cboBGColor"},
    {"edtHeaderColor", "cboHeadingColor"},
    {"edtTextColor", "cboTextColor"},
    {"edtTabColor", "cboTabColor"},
    {"edtErrorColor", "cboColorError"},
    {"edtHintergrundButton", "cboColorHGButton"},
    {"edtFarbeButton", "cboButtonColor"},
    {"edtHGFormField", "cboHGFormField"},
    {"edtColorFormField", "cboColorFormField"},
    {"edtFontColorFormField", "colorButtonFormField"},
};

TColorLinks::TColorLinks(QWidget* root, TFormSettings& settings, QObject* parent)
    : QObject(parent), m_settings(settings)
{
    m_chooser = TColorButton::ChooseWithDialog;
    Attach(root);
}

void TColorLinks::Attach(QWidget* root)
{
    for (const Pair& pair : Pairs) {
        auto* box = root->findChild<QLineEdit*>(QString::fromLatin1(pair.box));
        auto* button = root->findChild<TColorButton*>(QString::fromLatin1(pair.button));
        if (!box || !button || m_pairs.contains(std::pair(box, button)))
            continue;
        m_pairs.append({box, button});
        box->setMaxLength(6);
        box->installEventFilter(this);
        connect(button, &QToolButton::clicked, this, [this, box, button] { ComboToColor(box, button); });
        ColorToCombo(box, button);
    }
}

void TColorLinks::ColorToCombo(QLineEdit* box, TColorButton* button)
{
    // Anything but six hexadecimal digits leaves the button as it was.
    if (IsHtmlColorText(box->text()))
        button->SetColorValue(HtmlTextToColor(box->text()));
}

void TColorLinks::ComboToColor(QLineEdit* box, TColorButton* button)
{
    TColorButton::PickColorToEdit(box, button, m_chooser);
    m_settings.SyncColorValues();
}

void TColorLinks::BoxesToButtons()
{
    for (const auto& [box, button] : m_pairs)
        ColorToCombo(box, button);
}

bool TColorLinks::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        for (const auto& [box, button] : m_pairs) {
            if (box == watched) {
                ColorToCombo(box, button);
                m_settings.SyncColorValues();
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
