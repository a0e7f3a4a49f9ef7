#pragma once

#include "base/Result.h"
#include "model/FieldCondition.h"
#include "model/GenContext.h"

#include <QDomElement>
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

namespace XmlValues
{
struct TElement;
}

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
    // Shown only when this holds; none by default. The project file keeps
    // it for the fields of the list; a box of a check-box list has none of
    // its own (the list's holds for its boxes).
    TFieldCondition Condition;

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
    // Reads the field from itemNode; fails, naming the element, when a
    // needed child is missing or a value does not convert. Each kind keeps
    // its reading rules here, for a file read as a stream and a DOM alike.
    virtual TStatus ReadElement(const XmlValues::TElement& itemNode) = 0;
    // The same from a DOM element.
    TStatus GetXMLNode(const QDomElement& itemNode);
    // How many levels of elements below its own a field reads (a check-box
    // list holds its boxes' elements); deeper ones count only as text.
    static constexpr int ElementLevels = 3;

    // What a kind says about itself, so that the generators need not know
    // the kinds.
    // The page needs the pop-up calendar's script and style sheet.
    virtual bool NeedsCalendar() const { return false; }
    // The generators ask for its checks even when it is not required
    // (a list whose boxes may be required on their own).
    virtual bool AlwaysChecked() const { return false; }
    bool IsChecked() const { return Pflicht || AlwaysChecked(); }
    // The generators ask for its cookie scripts.
    virtual bool UsesCookies() const { return Cookie; }
    // Its value is offered as a placeholder of the mail text.
    virtual bool OffersPlaceholder() const { return false; }
    // The visitor sends a file with it.
    virtual bool IsUpload() const { return false; }
    // Its character counter script; empty for kinds without one.
    virtual QString GenScriptLength() const { return QString(); }
    // The error variables of the fields inside this one, a line each; empty
    // for kinds without inner fields.
    virtual QString GenInnerErrorVarsPHP() const { return QString(); }
    // What the visitor sends with it, as the PHP page names it ("text",
    // "password", "textarea", "date", "checkbox", "radio", "select", "file");
    // empty for kinds that send nothing.
    virtual QString PostKind() const { return QString(); }
    // The most characters its value may hold; 0 for no limit.
    virtual int MaxLength() const { return 0; }
    // Its entries of the PHP page's field list (one line each; the fields
    // inside a field give theirs): the only values that reach a mail.
    virtual QString GenFieldListPHP(const TGenContext& ctx) const;
    // Its sizes and lengths as typed, by their element names: each must be
    // empty or a whole number for a page to be made (the fields inside a
    // field give theirs too).
    virtual QList<std::pair<QString, QString>> NumberValues() const { return {}; }
    // The fields the visitor answers: this one, or the fields inside it.
    virtual QList<const TFormField*> Parts() const { return {this}; }
    // The tests a condition of another field may make on this one; none for
    // kinds whose value no condition can test.
    virtual QList<TConditionTest> ConditionTests() const { return {}; }
    // The values Is and IsNot may compare with: the kind's choices.
    virtual QStringList ConditionValues() const { return {}; }
    // Whether a visitor can answer it so that its required check passes (a
    // list without a choice that counts cannot).
    virtual bool CanBeAnswered() const { return true; }

    // A name is a letter or "_" followed by letters, digits and "_": it
    // becomes an identifier in script and PHP.
    static bool IsValidFieldName(const QString& name);
    // Why a name that IsValidFieldName refuses cannot be used.
    static QString InvalidNameReason(const QString& name);
    // Whether this field's name may go into a page. Kinds that may stay
    // nameless say so by overriding.
    virtual bool HasValidName() const { return IsValidFieldName(Name); }

    // "$err<Name> = "";" for a required field, else empty. bCSS is not used.
    QString GenErrorVarPHP(bool bCSS = false) const;

protected:
    // "<tr><td ...>" + label + "</td>" CR LF "<td class="my">" CR LF; on the
    // PHP page (php) the label cannot open PHP code.
    QString RowStart(bool php = false) const;
    // A user text in the markup of a page: on the PHP page every "<?" of it is
    // written so that PHP prints it instead of running it.
    static QString Html(const QString& text, bool php);
    static QString ClassAttr(bool bCSS);
    // The coloured span a failed PHP check leaves in the error variable,
    // written for a PHP string in double quotes. With accessible markup it
    // carries the id the field's aria-describedby points to.
    QString ErrorSpan(const TGenContext& ctx, const QString& message) const;

    // Accessible markup (ctx.Accessible); each is empty without it.
    // The id of the field's input and of its error text on the PHP page.
    QString InputId() const;
    QString ErrorId() const;
    // RowStart, the label tied to the input by InputId.
    QString RowStart(const TGenContext& ctx, bool php) const;
    // The start of a row whose inputs are a group (radio buttons, a list of
    // boxes): the visible label stays in its cell, the group is a fieldset
    // named by a legend; GroupEnd closes it.
    QString GroupStart(const TGenContext& ctx, bool php) const;
    static QString GroupEnd(const TGenContext& ctx);
    // The attributes of the input itself: its id, the required state, and
    // on the PHP page the error state while the field's error shows.
    QString InputAttrs(const TGenContext& ctx, bool php, const QString& id) const;
    QString InputAttrs(const TGenContext& ctx, bool php) const { return InputAttrs(ctx, php, InputId()); }
    // On the PHP page, the error state of a group (its fieldset).
    QString GroupErrorAttrs(const TGenContext& ctx, bool php) const;
    // A failed client check: alert("message"); or, with accessible markup,
    // the call that announces it and marks the field (a script expression).
    static QString AlertCall(const TGenContext& ctx, const QString& message, const QString& field);
    // Meldung, or the standard message txtCalender3 + label + txtCalender4.
    QString TextMessage(const TGenContext& ctx) const;
    // A length limit typed into a field: a whole number above 0, else none.
    static int LengthLimit(const QString& typed);

    // The not-empty check of a field with a plain text value.
    QString GenNotEmptyScript(const TGenContext& ctx, const QString& message) const;
    QString GenNotEmptyCheckPHP(const TGenContext& ctx, const QString& message) const;

    // The children every kind writes in the same way.
    void AppendTyp(QDomElement& itemNode) const;
};
