#pragma once

#include "fields/TextValueField.h"

// A labelled single-line input whose characters the browser hides; its
// required check is that it is not empty.
class TPassField : public TTextValueField
{
public:
    QString Groesse;   // size attribute, as typed
    QString maxLaenge; // maxlength attribute, as typed

    QString ClassName() const override { return QStringLiteral("TPassField"); }
    QString DisplayKey() const override { return QStringLiteral("40"); }

    QString GenCode(const TGenContext& ctx, bool bCSS) const override;
    QString GenScript(const TGenContext& ctx) const override;
    QString GenCodePHP(const TGenContext& ctx, bool bCSS) const override;
    QString GenFormCheckPHP(const TGenContext& ctx) const override;
    void SetXMLNode(QDomElement& itemNode) const override;
    TStatus GetXMLNode(const QDomElement& itemNode) override;
    QString PostKind() const override { return QStringLiteral("password"); }
    int MaxLength() const override { return LengthLimit(maxLaenge); }
};
