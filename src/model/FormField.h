#pragma once

#include "model/GenContext.h"

#include <QDomElement>
#include <QString>

// The base of every kind of form field. The generators and the project file
// talk to a field only through these operations; the kind decides what they
// yield. Every generated line ends in CR LF.
class TFormField
{
public:
    virtual ~TFormField() = default;

    QString Name;
    QString Beschriftung;     // label, may hold HTML
    QString BeschriftungNach; // text after the input, may hold HTML
    bool Pflicht = false;     // required
    QString Meldung;          // own error message; empty: the standard one
    bool Cookie = false;      // remember the value in a browser cookie

    // The class name, which is also the "typ" text in the project file.
    virtual QString ClassName() const = 0;
    // The key of the kind's display name in the language file ("39" to "48").
    virtual QString DisplayKey() const = 0;

    virtual QString GenCode(const TGenContext& ctx, bool bCSS) const = 0;
    virtual QString GenScript(const TGenContext& ctx) const = 0;
    virtual QString GenSetCookieValues(const TGenContext& ctx) const;
    virtual QString GenSetCookie(const TGenContext& ctx) const;
    virtual QString GenCodePHP(const TGenContext& ctx, bool bCSS) const = 0;
    virtual QString GenFormVarPHP(const TGenContext& ctx) const = 0;
    virtual QString GenFormCheckPHP(const TGenContext& ctx) const = 0;
    // Writes the field's children ("typ" first) into itemNode.
    virtual void SetXMLNode(QDomElement& itemNode) const = 0;
    // Reads the field from itemNode; false when a needed child is missing or
    // a value does not convert.
    virtual bool GetXMLNode(const QDomElement& itemNode) = 0;

    // A name is a letter or "_" followed by letters, digits and "_": it
    // becomes an identifier in script and PHP.
    static bool IsValidFieldName(const QString& name);
    // Whether this field's name may go into a page. Kinds that may stay
    // nameless say so by overriding.
    virtual bool HasValidName() const { return IsValidFieldName(Name); }

    // "$err<Name> = "";" for a required field, else empty. bCSS is not used.
    QString GenErrorVarPHP(bool bCSS = false) const;

protected:
    // "<tr><td ...>" + label + "</td>" CR LF "<td class="my">" CR LF
    QString RowStart() const;
    static QString ClassAttr(bool bCSS);
    // The coloured span a failed PHP check leaves in the error variable,
    // written for a PHP string in double quotes.
    static QString ErrorSpan(const TGenContext& ctx, const QString& message);
    // Meldung, or the standard message txtCalender3 + label + txtCalender4.
    QString TextMessage(const TGenContext& ctx) const;

    // The row of a single-line input (type "text" or "password"). For the
    // PHP page the value is the posted one, and a required field shows its
    // error below the input.
    QString InputRow(const QString& type, bool bCSS, bool php, const QString& encoding, const QString& value,
                     const QString& size, const QString& maxLength, bool clearOnFocus) const;

    // Fragments shared by the kinds that hold a plain text value.
    QString GenNotEmptyScript(const QString& message) const;
    QString GenNotEmptyCheckPHP(const TGenContext& ctx, const QString& message) const;
    QString GenValueVarPHP(const QString& defaultValue) const;
    QString GenValueCookieValues() const;
    QString GenValueCookie() const;

    // The children every kind writes in the same way.
    void AppendTyp(QDomElement& itemNode) const;
};
