#pragma once

#include <QColor>
#include <QObject>
#include <functional>
#include <optional>

class QLineEdit;
class QWidget;
class TColorButton;
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
    // Opens a colour dialog preset to a colour; no value when cancelled.
    using Chooser = std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)>;

    struct Pair
    {
        const char* box;
        const char* button;
    };
    static const Pair Pairs[10];

    TColorLinks(QWidget* root, TFormSettings& settings, QObject* parent = nullptr);

    void SetChooser(Chooser chooser) { m_chooser = std::move(chooser); }

    // After a load: every button takes the colour of its box.
    void BoxesToButtons();

    static void ColorToCombo(QLineEdit* box, TColorButton* button);
    void ComboToColor(QLineEdit* box, TColorButton* button);

    // The same pair of operations for the colour swatches of dialogs: a
    // picked colour goes into the box; a box's text paints the swatch, an
    // invalid text black.
    static void PickColorToEdit(QLineEdit* box, TColorButton* swatch, const Chooser& chooser);
    static void EditColorToShape(QLineEdit* box, TColorButton* swatch);
    // The system's colour dialog.
    static std::optional<QColor> ChooseWithDialog(const QColor& initial, QWidget* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TFormSettings& m_settings;
    QList<std::pair<QLineEdit*, TColorButton*>> m_pairs;
    Chooser m_chooser;
};
