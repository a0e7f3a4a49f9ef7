#pragma once

#include "model/FormField.h"

// A group of radio buttons sharing the field's name; each button sends and
// shows the text of its choice. "required" means one must be chosen.
class TRadioField : public TFormField
{
public:
    QString Vorgabewert; // stored and read back, used by nothing
    QString Felder;      // the option list, choices separated by "#"
    bool singleline = false;

    QString ClassName() const override { return QStringLiteral("TRadioField"); }
    QString DisplayKey() const override { return QStringLiteral("45"); }

    QString GenCode(const TGenContext& ctx, bool bCSS) const override;
    QString GenScript(const TGenContext& ctx) const override;
    QString GenSetCookieValues(const TGenContext& ctx) const override;
    QString GenSetCookie(const TGenContext& ctx) const override;
    QString GenCodePHP(const TGenContext& ctx, bool bCSS) const override;
    QString GenFormVarPHP(const TGenContext& ctx) const override;
    QString GenFormCheckPHP(const TGenContext& ctx) const override;
    QList<TConditionTest> ConditionTests() const override
    {
        return {TConditionTest::Is, TConditionTest::IsNot};
    }
    QStringList ConditionValues() const override;
    void SetXMLNode(QDomElement& itemNode) const override;
    TStatus ReadElement(const XmlValues::TElement& itemNode) override;
    bool CanBeAnswered() const override;
    QString PostKind() const override { return QStringLiteral("radio"); }
    bool OffersPlaceholder() const override { return true; }

private:
    QString ButtonTag(const QString& choice, bool bCSS, bool php = false) const;
    QString ButtonEnd(const TGenContext& ctx, qsizetype index, const QString& choice, bool php = false) const;
    QString ButtonId(qsizetype index) const;
    QString ButtonAttrs(const TGenContext& ctx, qsizetype index, bool php) const;
};
