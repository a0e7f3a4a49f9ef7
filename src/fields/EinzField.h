#pragma once

#include "model/FormField.h"

// A labelled single-line text input with an optional required check of one
// of four kinds: not empty, e-mail address, number, minimum length.
class TEinzField : public TFormField
{
public:
    QString Vorgabewert;          // default value
    QString Groesse;              // size attribute, as typed
    QString maxLaenge;            // maxlength attribute, as typed
    bool VorgabeLoeschen = false; // clear the input on focus
    int PflichtFeldTyp = 0;       // 0 not empty, 1 e-mail, 2 number, 3 minimum length; -1 as 0
    int MinPflichtLaenge = 0;

    QString ClassName() const override { return QStringLiteral("TEinzField"); }
    QString DisplayKey() const override { return QStringLiteral("39"); }

    QString GenCode(const TGenContext& ctx, bool bCSS) const override;
    QString GenScript(const TGenContext& ctx) const override;
    QString GenSetCookieValues(const TGenContext& ctx) const override;
    QString GenSetCookie(const TGenContext& ctx) const override;
    QString GenCodePHP(const TGenContext& ctx, bool bCSS) const override;
    QString GenFormVarPHP(const TGenContext& ctx) const override;
    QString GenFormCheckPHP(const TGenContext& ctx) const override;
    void SetXMLNode(QDomElement& itemNode) const override;
    bool GetXMLNode(const QDomElement& itemNode) override;
};
