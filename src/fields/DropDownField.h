#pragma once

#include "model/FormField.h"

// A selection element with a fixed option list. Groesse "0" or "1" makes a
// drop-down box whose first choice stands for "nothing chosen yet"; any other
// value a list box of that many rows, where any chosen row counts.
class TDropDownField : public TFormField
{
public:
    QString Vorgabewert; // stored and read back, used by nothing
    QString Felder;      // the option list, choices separated by "#"
    QString Groesse;     // the size attribute, written unchanged

    QString ClassName() const override { return QStringLiteral("TDropDownField"); }
    QString DisplayKey() const override { return QStringLiteral("42"); }

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
    QList<std::pair<QString, QString>> NumberValues() const override
    {
        return {{QStringLiteral("groesse"), Groesse}};
    }
    // A drop-down box's first option stands for nothing chosen yet.
    bool CanBeAnswered() const override;
    QString PostKind() const override { return QStringLiteral("select"); }
    bool OffersPlaceholder() const override { return true; }

    // The text before the first "#", unchanged (leading blanks and quotes
    // included); empty when there is no "#". The server check of a drop-down
    // box compares the post with it.
    QString FirstChoice() const;

private:
    // Exactly "0" or "1": " 1" or "01" is a list box.
    bool IsDropDownBox() const;
    QString SelectTag(bool bCSS, const QString& attrs = QString()) const;
};
