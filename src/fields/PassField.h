#pragma once

#include "model/FormField.h"

// A labelled single-line input whose characters the browser hides; its
// required check is that it is not empty.
class TPassField : public TFormField
{
public:
    QString Vorgabewert;
    QString Groesse;   // size attribute, as typed
    QString maxLaenge; // maxlength attribute, as typed
    bool VorgabeLoeschen = false;

    QString ClassName() const override { return QStringLiteral("TPassField"); }
    QString DisplayKey() const override { return QStringLiteral("40"); }

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
