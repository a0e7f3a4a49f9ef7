#include "base/QVRGBToHTML.h"

#include <cctype>

bool IsHtmlColorText(const QString& text)
{
    if (text.size() != 6)
        return false;
    for (QChar c : text)
        if (!isxdigit(c.unicode() < 128 ? static_cast<unsigned char>(c.unicode()) : 0))
            return false;
    return true;
}

void TQVRGBToHTML::SetRGBColor(quint32 value)
{
    FRGBColor = value;
    const quint32 rgb = value & 0xFFFFFF;
    const auto hex = [](quint32 byte) {
        return QStringLiteral("%1").arg(byte & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    };
    FHTMLColor = hex(rgb) + hex(rgb >> 8) + hex(rgb >> 16);
}

void TQVRGBToHTML::SetHTMLColor(const QString& text)
{
    if (!IsHtmlColorText(text))
        return;
    const quint32 red = text.mid(0, 2).toUInt(nullptr, 16);
    const quint32 green = text.mid(2, 2).toUInt(nullptr, 16);
    const quint32 blue = text.mid(4, 2).toUInt(nullptr, 16);
    FRGBColor = red + green * 256 + blue * 65536;
    FHTMLColor = text;
}

QString ColorToHtmlText(quint32 color)
{
    TQVRGBToHTML c;
    c.SetRGBColor(color);
    return c.HTMLColor();
}

quint32 HtmlTextToColor(const QString& text)
{
    TQVRGBToHTML c;
    c.SetHTMLColor(text);
    return c.RGBColor();
}
