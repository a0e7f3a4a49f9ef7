#pragma once

#include <QString>
#include <QtGlobal>

// One colour in both of Quorvel's forms: the colour value 0x00BBGGRR (red in
// the lowest byte) and the colour text RRGGBB of six hexadecimal digits.
class TQVRGBToHTML
{
public:
    quint32 RGBColor() const { return FRGBColor; }
    const QString& HTMLColor() const { return FHTMLColor; }

    // Stores the value; the text becomes its red, green, blue in upper case.
    // A value with its top byte set names a system colour elsewhere; Quorvel's
    // colour controls offer none, so only the low three bytes count.
    void SetRGBColor(quint32 value);
    // Takes a text of exactly six hexadecimal digits (case kept); any other
    // text changes nothing.
    void SetHTMLColor(const QString& text);

private:
    quint32 FRGBColor = 0;
    QString FHTMLColor = QStringLiteral("000000");
};

bool IsHtmlColorText(const QString& text);
QString ColorToHtmlText(quint32 color);
quint32 HtmlTextToColor(const QString& text); // 0 (black) for a text that is no colour
