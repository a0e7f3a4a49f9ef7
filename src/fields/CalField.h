#pragma once

#include "fields/EinzField.h"

// A date input beside which a pop-up calendar opens. It reuses the
// single-line row but keeps its own default value, size text and clearing
// flag; of the inherited single-line properties it uses none.
class TCalField : public TEinzField
{
public:
    QString Vorgabewert;          // default date text
    QString Groesse;              // stored in the file, used nowhere else
    bool VorgabeLoeschen = false; // clear the input on focus
    int StartYear = 0;
    int EndYear = 0;

    QString ClassName() const override { return QStringLiteral("TCalField"); }
    QString DisplayKey() const override { return QStringLiteral("48"); }

    QString GenCode(const TGenContext& ctx, bool bCSS) const override;
    QString GenScript(const TGenContext& ctx) const override;
    QString GenSetCookieValues(const TGenContext& ctx) const override;
    QString GenSetCookie(const TGenContext& ctx) const override;
    QString GenCodePHP(const TGenContext& ctx, bool bCSS) const override;
    QString GenFormVarPHP(const TGenContext& ctx) const override;
    QString GenFormCheckPHP(const TGenContext& ctx) const override;
    void SetXMLNode(QDomElement& itemNode) const override;
    bool GetXMLNode(const QDomElement& itemNode) override;

    // The field's own script: its callback and its calendar object. It
    // closes the table row.
    QString GenCalendarScript() const;

private:
    QString CalendarRow(const TGenContext& ctx, bool bCSS, bool php) const;
};
