#pragma once

#include "fields/TextValueField.h"

// A date input beside which a pop-up calendar opens. Its row is the
// single-line row without size and length; its check is that the date is not
// empty.
class TCalField : public TTextValueField
{
public:
    QString Groesse; // stored in the file, used nowhere else
    int StartYear = 0;
    int EndYear = 0;

    QString ClassName() const override { return QStringLiteral("TCalField"); }
    QString DisplayKey() const override { return QStringLiteral("48"); }

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
    QString PostKind() const override { return QStringLiteral("date"); }
    bool NeedsCalendar() const override { return true; }

    // The field's own script: its callback and its calendar object. It
    // closes the table row.
    QString GenCalendarScript() const;

private:
    QString CalendarRow(const TGenContext& ctx, bool bCSS, bool php) const;
};
