#include "base/HtmlTools.h"

namespace HtmlTools
{
QString StripHTML(const QString& text)
{
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype open = text.indexOf(QLatin1Char('<'), i);
        if (open < 0) {
            out += QStringView(text).mid(i);
            break;
        }
        const qsizetype close = text.indexOf(QLatin1Char('>'), open + 1);
        if (close < 0) {
            out += QStringView(text).mid(i);
            break;
        }
        out += QStringView(text).mid(i, open - i);
        i = close + 1;
    }
    out.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "), Qt::CaseInsensitive);
    return out;
}
} // namespace HtmlTools
