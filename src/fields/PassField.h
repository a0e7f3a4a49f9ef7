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
    TStatus ReadElement(const XmlValues::TElement& itemNode) override;
    QList<std::pair<QString, QString>> NumberValues() const override
    {
        return {{QStringLiteral("groesse"), Groesse}, {QStringLiteral("maxLaenge"), maxLaenge}};
    }
    QString PostKind() const override { return QStringLiteral("password"); }
    // A password is never kept in a cookie, which any script of the site
    // could read: whatever Cookie says, there are no cookie fragments.
    bool UsesCookies() const override { return false; }
    QString GenSetCookieValues(const TGenContext& ctx) const override;
    QString GenSetCookie(const TGenContext& ctx) const override;
    int MaxLength() const override { return LengthLimit(maxLaenge); }
};
