#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A page (or a part of one) being made from a template. The template's text
// is split at a marker when the marker is filled, and the page is written in
// one pass at the end. Only text that came from a template is searched for
// markers: a filled-in value is never searched again, so a user's text that
// looks like a marker stays as it is, while a template part put in for a
// marker keeps its own markers open for the steps after it.
class TPageTemplate
{
public:
    TPageTemplate() = default;
    explicit TPageTemplate(QString templateText);

    // Template text (searched by later Fill calls) and a finished value (never
    // searched), at the end.
    void AppendTemplate(QString text);
    void AppendValue(QString value);
    void Append(const TPageTemplate& part);

    // Puts the value in place of every occurrence of marker in the template
    // text, ignoring letter case; occurrences of a template part put in later
    // are left for a later call.
    void Fill(QStringView marker, const QString& value);
    // The same with a value made of parts (one per field), written one after
    // the other: the parts are never joined into one text of their own.
    void Fill(QStringView marker, const QStringList& parts);
    // The same with a template part, whose template text stays open.
    void Fill(QStringView marker, const TPageTemplate& part);
    // Removes the template text from the first "<!-- NAME_BEGIN -->" to the
    // first "<!-- NAME_END -->" with both (letter case counts), when both are
    // there in this order.
    void RemoveBlock(const QString& name);

    // The whole text, built once.
    QString Text() const;

private:
    struct TPiece
    {
        QString text;
        bool isTemplate = false; // searched for markers and blocks
        QStringList parts;       // of a value, after its text
    };
    template <typename PutIn> void FillWith(QStringView marker, PutIn putIn);
    QList<TPiece> m_pieces;
};
