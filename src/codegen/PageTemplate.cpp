#include "codegen/PageTemplate.h"

TPageTemplate::TPageTemplate(QString templateText)
{
    AppendTemplate(std::move(templateText));
}

void TPageTemplate::AppendTemplate(QString text)
{
    if (!text.isEmpty())
        m_pieces.append({std::move(text), true, {}});
}

void TPageTemplate::AppendValue(QString value)
{
    if (!value.isEmpty())
        m_pieces.append({std::move(value), false, {}});
}

void TPageTemplate::Append(const TPageTemplate& part)
{
    m_pieces.append(part.m_pieces);
}

template <typename PutIn> void TPageTemplate::FillWith(QStringView marker, PutIn putIn)
{
    if (marker.isEmpty())
        return;
    QList<TPiece> pieces;
    bool changed = false;
    for (TPiece& piece : m_pieces) {
        qsizetype at = piece.isTemplate ? piece.text.indexOf(marker, 0, Qt::CaseInsensitive) : -1;
        if (at < 0) {
            pieces.append(std::move(piece));
            continue;
        }
        if (!changed) {
            pieces.reserve(m_pieces.size() + 8);
            changed = true;
        }
        qsizetype from = 0;
        while (at >= 0) {
            if (at > from)
                pieces.append({piece.text.mid(from, at - from), true, {}});
            putIn(pieces);
            from = at + marker.size();
            at = piece.text.indexOf(marker, from, Qt::CaseInsensitive);
        }
        if (from < piece.text.size())
            pieces.append({piece.text.mid(from), true, {}});
    }
    m_pieces = std::move(pieces);
}

void TPageTemplate::Fill(QStringView marker, const QString& value)
{
    FillWith(marker, [&value](QList<TPiece>& pieces) {
        if (!value.isEmpty())
            pieces.append({value, false, {}});
    });
}

void TPageTemplate::Fill(QStringView marker, const QStringList& parts)
{
    FillWith(marker, [&parts](QList<TPiece>& pieces) { pieces.append({QString(), false, parts}); });
}

void TPageTemplate::Fill(QStringView marker, const TPageTemplate& part)
{
    FillWith(marker, [&part](QList<TPiece>& pieces) { pieces.append(part.m_pieces); });
}

void TPageTemplate::RemoveBlock(const QString& name)
{
    const QString begin = QStringLiteral("<!-- ") + name + QStringLiteral("_BEGIN -->");
    const QString end = QStringLiteral("<!-- ") + name + QStringLiteral("_END -->");
    const auto find = [this](const QString& text, qsizetype* offset) -> qsizetype {
        for (qsizetype i = 0; i < m_pieces.size(); ++i)
            if (m_pieces.at(i).isTemplate)
                if ((*offset = m_pieces.at(i).text.indexOf(text)) >= 0)
                    return i;
        return -1;
    };
    qsizetype fromOffset = 0, toOffset = 0;
    const qsizetype from = find(begin, &fromOffset);
    const qsizetype to = find(end, &toOffset);
    if (from < 0 || to < 0 || to < from || (to == from && toOffset < fromOffset))
        return;
    QString& first = m_pieces[from].text;
    if (from == to) {
        first.remove(fromOffset, toOffset + end.size() - fromOffset);
    } else {
        first.truncate(fromOffset);
        m_pieces[to].text.remove(0, toOffset + end.size());
        m_pieces.remove(from + 1, to - from - 1);
    }
}

QString TPageTemplate::Text() const
{
    qsizetype size = 0;
    for (const TPiece& piece : m_pieces) {
        size += piece.text.size();
        for (const QString& part : piece.parts)
            size += part.size();
    }
    QString text;
    text.reserve(size);
    for (const TPiece& piece : m_pieces) {
        text += piece.text;
        for (const QString& part : piece.parts)
            text += part;
    }
    return text;
}
