#pragma once

#include "fields/TextValueField.h"

// A labelled single-line text input with an optional required check of one
// of four kinds: not empty, e-mail address, number, minimum length.
class TEinzField : public TTextValueField
{
public:
    QString Groesse;        // size attribute, as typed
    QString maxLaenge;      // maxlength attribute, as typed
    int PflichtFeldTyp = 0; // 0 not empty, 1 e-mail, 2 number, 3 minimum length; -1 as 0
    int MinPflichtLaenge = 0;

    QString ClassName() const override { return QStringLiteral("TEinzField"); }
    QString DisplayKey() const override { return QStringLiteral("39"); }

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
        return {{QStringLiteral("groesse"), Groesse}, {QStringLiteral("maxLaenge"), maxLaenge}};
    }
    QString PostKind() const override { return QStringLiteral("text"); }
    int MaxLength() const override { return LengthLimit(maxLaenge); }
};
