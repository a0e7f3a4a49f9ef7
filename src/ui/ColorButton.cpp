#include "ui/ColorButton.h"

#include "base/QVRGBToHTML.h"

#include <QColorDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>

TColorButton::TColorButton(const QString& objectName, QWidget* parent) : QToolButton(parent)
{
    setObjectName(objectName);
    setIconSize(QSize(32, 14));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setAutoRaise(false);
    SetColor(Qt::black);
}

void TColorButton::SetColor(const QColor& color)
{
    m_color = color;
    QPixmap swatch(iconSize());
    swatch.fill(color);
    QPainter painter(&swatch);
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    painter.end();
    setIcon(QIcon(swatch));
    setToolTip(color.name(QColor::HexRgb).mid(1).toUpper());
}

quint32 TColorButton::ColorValue() const
{
    return ToColorValue(m_color);
}

void TColorButton::SetColorValue(quint32 value)
{
    SetColor(FromColorValue(value));
}

QColor TColorButton::FromColorValue(quint32 value)
{
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

quint32 TColorButton::ToColorValue(const QColor& color)
{
    return static_cast<quint32>(color.red()) | (static_cast<quint32>(color.green()) << 8) |
           (static_cast<quint32>(color.blue()) << 16);
}

void TColorButton::PickColorToEdit(QLineEdit* box, TColorButton* swatch, const Chooser& chooser)
{
    const std::optional<QColor> chosen = chooser(swatch->Color(), swatch->window());
    if (!chosen)
        return;
    swatch->SetColor(*chosen);
    box->setText(ColorToHtmlText(swatch->ColorValue()));
}

void TColorButton::EditColorToShape(QLineEdit* box, TColorButton* swatch)
{
    swatch->SetColorValue(HtmlTextToColor(box->text()));
}

std::optional<QColor> TColorButton::ChooseWithDialog(const QColor& initial, QWidget* parent)
{
    const QColor chosen = QColorDialog::getColor(initial, parent);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}
