#pragma once

#include "fields/CheckBoxFieldSimple.h"
#include "model/FormField.h"

#include <memory>
#include <vector>

// Several check boxes under one label in one row. Each box carries its own
// name, value, required flag, message and cookie flag; the list adds only
// the check that at least one box is ticked. The generators ask the list for
// its checks and cookies whatever its own flags say, and it passes the
// requests on to its boxes.
class TCheckBoxList : public TFormField
{
public:
    TCheckBoxList();

    std::vector<std::unique_ptr<TCheckBoxFieldSimple>> ListCheckboxes;

    QString ClassName() const override { return QStringLiteral("TCheckBoxList"); }
    QString DisplayKey() const override { return QStringLiteral("47"); }

    QString GenCode(const TGenContext& ctx, bool bCSS) const override;
    QString GenScript(const TGenContext& ctx) const override;
    QString GenSetCookieValues(const TGenContext& ctx) const override;
    QString GenSetCookie(const TGenContext& ctx) const override;
    QString GenCodePHP(const TGenContext& ctx, bool bCSS) const override;
    QString GenFormVarPHP(const TGenContext& ctx) const override;
    QString GenFormCheckPHP(const TGenContext& ctx) const override;
    void SetXMLNode(QDomElement& itemNode) const override;
    // Fails when an item is not a check box or has no usable name: item
    // names become identifiers in the generated script and PHP.
    TStatus ReadElement(const XmlValues::TElement& itemNode) override;
    // Its boxes may be required and keep cookies on their own.
    bool AlwaysChecked() const override { return true; }
    bool UsesCookies() const override { return true; }
    QString GenInnerErrorVarsPHP() const override;
    QString GenFieldListPHP(const TGenContext& ctx) const override;
    QList<const TFormField*> Parts() const override;
    bool CanBeAnswered() const override { return !ListCheckboxes.empty(); }

    // The list's name only names its error variable, and a list stored
    // without one loads with none, required or not: its variable is then
    // "$err", still a valid PHP name, and the script uses only the boxes'
    // names.
    bool HasValidName() const override { return Name.isEmpty() || IsValidFieldName(Name); }

    // The error variables of the boxes, joined. The generators do not call
    // it; they take the base operation, as for every field.
    QString GenErrorVarPHP(bool bCSS = false) const;

private:
    QString ListMessage(const TGenContext& ctx) const;
};
