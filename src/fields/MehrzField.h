#pragma once

#include "fields/TextValueField.h"

// A labelled text area with an optional limit, enforced in the browser by a
// counter script of its own, and an optional display of what is left.
class TMehrzField : public TTextValueField
{
public:
    QString Hoehe;               // rows attribute, as typed
    QString Breite;              // cols attribute, as typed
    QString maxLaenge;           // empty: no limit, no counter
    bool zeichenAnzeige = false; // show the characters left
    QString zeichenAnzeigeText;  // written after that display

    QString ClassName() const override { return QStringLiteral("TMehrzField"); }
    QString DisplayKey() const override { return QStringLiteral("41"); }

    QString GenCode(const TGenContext& ctx, bool bCSS) const override;
    QString GenScript(const TGenContext& ctx) const override;
    QString GenCodePHP(const TGenContext& ctx, bool bCSS) const override;
    QString GenFormCheckPHP(const TGenContext& ctx) const override;
    QList<TConditionTest> ConditionTests() const override
    {
        return {TConditionTest::IsFilled, TConditionTest::IsEmpty};
    }
    void SetXMLNode(QDomElement& itemNode) const override;
    TStatus ReadElement(const XmlValues::TElement& itemNode) override;
    QList<std::pair<QString, QString>> NumberValues() const override
    {
        return {{QStringLiteral("hoehe"), Hoehe},
                {QStringLiteral("breite"), Breite},
                {QStringLiteral("maxLaenge"), maxLaenge}};
    }
    QString PostKind() const override { return QStringLiteral("textarea"); }
    int MaxLength() const override { return LengthLimit(maxLaenge); }

    // The counter script; empty without a limit.
    QString GenScriptLength() const override;

private:
    QString Area(const TGenContext& ctx, bool bCSS, bool php) const;
    QString CounterAttrs(const TGenContext& ctx, bool php) const;
};
