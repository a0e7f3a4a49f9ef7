#pragma once

#include "model/FormField.h"

// The kinds whose value is a text the visitor types (single-line, calendar,
// password, multi-line): a default text, the choice to clear it when the
// input gets the focus, and the value and cookie fragments built from them.
class TTextValueField : public TFormField
{
public:
    QString Vorgabewert;          // default value
    bool VorgabeLoeschen = false; // clear the input on focus

    QString GenFormVarPHP(const TGenContext& ctx) const override;
    QString GenSetCookieValues(const TGenContext& ctx) const override;
    QString GenSetCookie(const TGenContext& ctx) const override;
    bool OffersPlaceholder() const override { return true; }

protected:
    // The row of a single-line input (type "text" or "password") showing
    // Vorgabewert. For the PHP page the value is the posted one, and a
    // required field shows its error below the input.
    QString InputRow(const QString& type, bool bCSS, bool php, const TGenContext& ctx, const QString& size,
                     const QString& maxLength) const;
};
