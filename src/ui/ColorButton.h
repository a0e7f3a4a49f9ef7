#pragma once

#include <QColor>
#include <QToolButton>
#include <QtGlobal>
#include <functional>
#include <optional>

class QLineEdit;

// A button that shows a colour swatch; pressing it lets the user pick a
// colour (the owner decides how, see TColorLinks).
class TColorButton : public QToolButton
{
    Q_OBJECT
public:
    explicit TColorButton(const QString& objectName, QWidget* parent = nullptr);

    QColor Color() const { return m_color; }
    void SetColor(const QColor& color);
    // The colour as a colour value 0x00BBGGRR (red in the lowest byte).
    quint32 ColorValue() const;
    void SetColorValue(quint32 value);

    static QColor FromColorValue(quint32 value);
    static quint32 ToColorValue(const QColor& color);

    // Opens a colour dialog preset to a colour; no value when cancelled.
    using Chooser = std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)>;
    // The system's colour dialog.
    static std::optional<QColor> ChooseWithDialog(const QColor& initial, QWidget* parent);

    // A colour box with its swatch: a picked colour goes into the box in
    // upper case; a box's text paints the swatch, an invalid text black.
    static void PickColorToEdit(QLineEdit* box, TColorButton* swatch, const Chooser& chooser);
    static void EditColorToShape(QLineEdit* box, TColorButton* swatch);

private:
    QColor m_color = Qt::black;
};
