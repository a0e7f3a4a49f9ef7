#pragma once

#include "ui/ColorButton.h"

#include <QColor>
#include <QObject>
#include <functional>
#include <optional>

class QLineEdit;
class QWidget;
class TFormSettings;

// The colour boxes of the main window and the colour buttons beside them.
// Leaving a box shows its colour on the button when the text is six
// hexadecimal digits (ColorToCombo); picking a colour with a button writes
// it into the box in upper case (ComboToColor). The project's colour values
// follow the boxes in both cases.
class TColorLinks : public QObject
{
    Q_OBJECT
public:
    using Chooser = TColorButton::Chooser;

    struct Pair
    {
        const char* box;
        const char* button;
    };
    static const Pair Pairs[10];

    TColorLinks(QWidget* root, TFormSettings& settings, QObject* parent = nullptr);
    // The pairs below root that are new (a page made later), each button
    // showing its box's colour at once.
    void Attach(QWidget* root);

    void SetChooser(Chooser chooser) { m_chooser = std::move(chooser); }

    // After a load: every button takes the colour of its box.
    void BoxesToButtons();

    static void ColorToCombo(QLineEdit* box, TColorButton* button);
    void ComboToColor(QLineEdit* box, TColorButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TFormSettings& m_settings;
    QList<std::pair<QLineEdit*, TColorButton*>> m_pairs;
    Chooser m_chooser;
};
