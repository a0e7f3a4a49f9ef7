#pragma once

#include "model/FormField.h"

// A file the visitor sends with the form. It keeps no value, so it has no
// value variable and no cookie.
class TFileField : public TFormField
{
public:
    QString Vorgabewert; // never set nor stored: always empty
    QString Groesse;     // size attribute, as typed

    QString ClassName() const override { return QStringLiteral("TFileField"); }
    QString DisplayKey() const override { return QStringLiteral("46"); }

    QString GenCode(const TGenContext& ctx, bool bCSS) const override;
    QString GenScript(const TGenContext& ctx) const override;
    QString GenCodePHP(const TGenContext& ctx, bool bCSS) const override;
    QString GenFormVarPHP(const TGenContext& ctx) const override;
    QString GenFormCheckPHP(const TGenContext& ctx) const override;
    void SetXMLNode(QDomElement& itemNode) const override;
    TStatus ReadElement(const XmlValues::TElement& itemNode) override;
    QList<std::pair<QString, QString>> NumberValues() const override
    {
        return {{QStringLiteral("groesse"), Groesse}};
    }
    QString PostKind() const override { return QStringLiteral("file"); }
    bool IsUpload() const override { return true; }

private:
    QString Row(const TGenContext& ctx, bool bCSS, bool php) const;
};
