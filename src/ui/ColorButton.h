#pragma once

#include <QColor>
#include <QToolButton>
#include <QtGlobal>

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

private:
    QColor m_color = Qt::black;
};
