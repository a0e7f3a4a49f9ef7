#pragma once

#include "model/FormField.h"

// Text or HTML between the fields, in one cell spanning the row. No input,
// no name, no checks, no cookie.
class TZwField : public TFormField
{
public:
    QString ClassName() const override { return QStringLiteral("TZwField"); }
    QString DisplayKey() const override { return QStringLiteral("44"); }
    bool HasValidName() const override { return true; }

    QString GenCode(const TGenContext& ctx, bool bCSS) const override;
    QString GenScript(const TGenContext& ctx) const override;
    QString GenCodePHP(const TGenContext& ctx, bool bCSS) const override;
    QString GenFormVarPHP(const TGenContext& ctx) const override;
    QString GenFormCheckPHP(const TGenContext& ctx) const override;
    void SetXMLNode(QDomElement& itemNode) const override;
    TStatus ReadElement(const XmlValues::TElement& itemNode) override;
};
