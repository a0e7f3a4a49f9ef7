#include "fields/OptionList.h"

namespace
{
bool IsSkipped(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\n');
}

bool IsSeparator(QChar c)
{
    return c == QLatin1Char('#') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

bool IsQuote(QChar c)
{
    return c == QLatin1Char('\'') || c == QLatin1Char('"');
}
} // namespace

QStringList SplitOptionList(const QString& felder)
{
    QStringList choices;
    const qsizetype n = felder.size();
    qsizetype i = 0;
    while (i < n) {
        while (i < n && IsSkipped(felder.at(i)))
            ++i;
        const qsizetype start = i;
        QChar quote; // null while outside a quoted stretch
        while (i < n) {
            const QChar c = felder.at(i);
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
            } else if (IsSeparator(c)) {
                break;
            } else if (IsQuote(c)) {
                quote = c;
            }
            ++i;
        }
        if (i > start)
            choices << felder.mid(start, i - start);
        ++i; // over the separator (or past the end)
    }
    return choices;
}
