#pragma once

#include "model/FormField.h"

// A single check box in a row of its own. When ticked the browser sends
// Vorgabewert under the field's name, otherwise nothing; "required" means
// the box must be ticked.
class TCheckBoxField : public TFormField
{
public:
    QString Vorgabewert; // the value sent when ticked, not a ticked state

    QString ClassName() const override { return QStringLiteral("TCheckBoxField"); }
    QString DisplayKey() const override { return QStringLiteral("43"); }

    QString GenCode(const TGenContext& ctx, bool bCSS) const override;
    QString GenScript(const TGenContext& ctx) const override;
    QString GenSetCookieValues(const TGenContext& ctx) const override;
    QString GenSetCookie(const TGenContext& ctx) const override;
    QString GenCodePHP(const TGenContext& ctx, bool bCSS) const override;
    QString GenFormVarPHP(const TGenContext& ctx) const override;
    QString GenFormCheckPHP(const TGenContext& ctx) const override;
    QList<TConditionTest> ConditionTests() const override
    {
        return {TConditionTest::IsTicked, TConditionTest::IsNotTicked};
    }
    void SetXMLNode(QDomElement& itemNode) const override;
    TStatus ReadElement(const XmlValues::TElement& itemNode) override;
    QString PostKind() const override { return QStringLiteral("checkbox"); }
    bool OffersPlaceholder() const override { return true; }

protected:
    // The start of the input tag, up to and without its closing ">".
    QString InputTag(bool bCSS, bool php = false) const;
    QString TextAfter(const TGenContext& ctx, const QString& text) const;
    // The PHP value variable puts "checked" into the tag of a posted box.
    QString CheckedEcho() const;
    QString ErrorEcho() const;
};
