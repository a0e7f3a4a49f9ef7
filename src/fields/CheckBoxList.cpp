#include "fields/CheckBoxList.h"

#include "base/Crlf.h"
#include "base/Literals.h"

#include "base/XmlValues.h"

namespace
{
using Child = XmlValues::TChild<TCheckBoxList>;
const Child Children[] = {
    Child::Text("beschriftung", &TCheckBoxList::Beschriftung),
    Child::Flag("pflicht", &TCheckBoxList::Pflicht),
    Child::Text("meldung", &TCheckBoxList::Meldung),
    Child::Text("name", &TCheckBoxList::Name),
};
} // namespace

TCheckBoxList::TCheckBoxList() = default;

// The backslashes put the label in double quotes inside the script and PHP
// strings the message lands in.
QString TCheckBoxList::ListMessage(const TGenContext& ctx) const
{
    if (!Meldung.isEmpty())
        return Meldung;
    // The label stands in double quotes; escaped for its script or PHP
    // string, each becomes a backslash and a quote.
    return ctx.Text("txtCheckboxList0") + QStringLiteral(" \"") + Beschriftung + QStringLiteral("\" ") +
           ctx.Text("txtCheckboxList1");
}

QString TCheckBoxList::GenCode(const TGenContext& ctx, bool bCSS) const
{
    QString code = GroupStart(ctx, false);
    for (const auto& item : ListCheckboxes)
        code += item->GenCode(ctx, bCSS);
    return code + GroupEnd(ctx) + QStringLiteral("</td></tr>") + CRLF;
}

QString TCheckBoxList::GenCodePHP(const TGenContext& ctx, bool bCSS) const
{
    QString code = GroupStart(ctx, true);
    for (const auto& item : ListCheckboxes)
        code += item->GenCodePHP(ctx, bCSS);
    if (Pflicht)
        code += QStringLiteral("<?php echo $err") + Name + QStringLiteral(";?>");
    return code + GroupEnd(ctx) + QStringLiteral("</td></tr>") + CRLF;
}

QString TCheckBoxList::GenScript(const TGenContext& ctx) const
{
    QString code;
    if (Pflicht) {
        code += QStringLiteral("{") + CRLF + QStringLiteral("\t  $check = false;") + CRLF;
        for (const auto& item : ListCheckboxes)
            code += QStringLiteral("\tif (document.QVFORM.") + item->Name +
                    QStringLiteral(".checked) $check = true;") + CRLF;
        code += QStringLiteral("\tif ($check==false)") + CRLF + QStringLiteral("\t{") + CRLF +
                QStringLiteral("\t\t") +
                AlertCall(ctx, ListMessage(ctx),
                          ListCheckboxes.empty()
                              ? QStringLiteral("null")
                              : QString(QStringLiteral("document.QVFORM.") + ListCheckboxes.front()->Name)) +
                CRLF + QStringLiteral("\t\treturn false;") + CRLF + QStringLiteral("\t}") + CRLF +
                QStringLiteral("}") + CRLF + CRLF;
    }
    for (const auto& item : ListCheckboxes)
        if (item->Pflicht)
            code += item->GenScript(ctx);
    return code;
}

QString TCheckBoxList::GenFormCheckPHP(const TGenContext& ctx) const
{
    QString code;
    if (Pflicht) {
        code += QStringLiteral("{") + CRLF + QStringLiteral("\t  $check = false;") + CRLF;
        for (const auto& item : ListCheckboxes)
            code += QStringLiteral("  if (isset($_POST[\"") + item->Name +
                    QStringLiteral("\"])) $check = true;") + CRLF;
        code += QStringLiteral("    if ($check == false)") + CRLF + QStringLiteral("    {") + CRLF +
                QStringLiteral("\t    $err") + Name + QStringLiteral(" = \"") +
                ErrorSpan(ctx, ListMessage(ctx)) + QStringLiteral("\";") + CRLF +
                QStringLiteral("\t\t  $bFormOK = false;") + CRLF + QStringLiteral("\t  }") + CRLF +
                QStringLiteral("}") + CRLF;
    }
    for (const auto& item : ListCheckboxes)
        if (item->Pflicht)
            code += item->GenFormCheckPHP(ctx);
    return code;
}

QString TCheckBoxList::GenFormVarPHP(const TGenContext& ctx) const
{
    QString code;
    for (const auto& item : ListCheckboxes)
        code += item->GenFormVarPHP(ctx);
    return code;
}

QString TCheckBoxList::GenSetCookieValues(const TGenContext& ctx) const
{
    QString code;
    for (const auto& item : ListCheckboxes)
        if (item->Cookie)
            code += item->GenSetCookieValues(ctx);
    return code;
}

QString TCheckBoxList::GenSetCookie(const TGenContext& ctx) const
{
    QString code;
    for (const auto& item : ListCheckboxes)
        if (item->Cookie)
            code += item->GenSetCookie(ctx);
    return code;
}

QString TCheckBoxList::GenErrorVarPHP(bool bCSS) const
{
    QString code;
    for (const auto& item : ListCheckboxes)
        code += item->GenErrorVarPHP(bCSS);
    return code;
}

QString TCheckBoxList::GenInnerErrorVarsPHP() const
{
    QString code;
    for (const auto& item : ListCheckboxes)
        if (const QString var = item->GenErrorVarPHP(); !var.isEmpty())
            code += var + CRLF;
    return code;
}

QList<const TFormField*> TCheckBoxList::Parts() const
{
    QList<const TFormField*> parts;
    for (const auto& item : ListCheckboxes)
        parts << item.get();
    return parts;
}

QString TCheckBoxList::GenFieldListPHP(const TGenContext& ctx) const
{
    QString code;
    for (const auto& item : ListCheckboxes)
        code += item->GenFieldListPHP(ctx);
    return code;
}

void TCheckBoxList::SetXMLNode(QDomElement& itemNode) const
{
    AppendTyp(itemNode);
    XmlValues::WriteChildren(itemNode, *this, Children);
    QDomElement items = itemNode.ownerDocument().createElement(QStringLiteral("ItemList"));
    itemNode.appendChild(items);
    for (const auto& item : ListCheckboxes) {
        QDomElement forms = itemNode.ownerDocument().createElement(QStringLiteral("forms"));
        items.appendChild(forms);
        item->SetXMLNode(forms);
    }
}

TStatus TCheckBoxList::ReadElement(const XmlValues::TElement& itemNode)
{
    const auto beschriftung = XmlValues::ChildText(itemNode, QStringLiteral("beschriftung"));
    if (!beschriftung)
        return XmlValues::MissingChild("beschriftung");
    Beschriftung = *beschriftung;

    // Older files may lack these three; the first one missing ends the
    // group, and it and the rest keep their empty values.
    [&] {
        const auto pflicht = XmlValues::ChildText(itemNode, QStringLiteral("pflicht"));
        const auto flag = pflicht ? XmlValues::ParseFlag(*pflicht) : std::nullopt;
        if (!flag)
            return;
        Pflicht = *flag;
        const auto meldung = XmlValues::ChildText(itemNode, QStringLiteral("meldung"));
        if (!meldung)
            return;
        Meldung = *meldung;
        const auto name = XmlValues::ChildText(itemNode, QStringLiteral("name"));
        if (!name)
            return;
        Name = *name;
    }();

    const XmlValues::TElement* items = XmlValues::Child(itemNode, QStringLiteral("ItemList"));
    if (!items)
        return XmlValues::MissingChild("ItemList");
    int position = 0;
    for (const XmlValues::TElement& child : items->children) {
        ++position;
        const QString where = QStringLiteral("box %1").arg(position);
        // Nothing but check boxes is ever written here; anything else means a
        // damaged file, and dropping it silently would lose a box.
        const auto typ = XmlValues::ChildText(child, QStringLiteral("typ"));
        if (!typ)
            return XmlValues::MissingChild("typ").Within(where);
        if (*typ != QLatin1String("TCheckBoxField"))
            return TFailure{QStringLiteral("is a \"") + *typ + QStringLiteral("\", not a check box"), where};
        auto item = std::make_unique<TCheckBoxFieldSimple>();
        if (TStatus read = item->ReadElement(child); !read)
            return read.Failure().Within(where + QStringLiteral(" \"") + item->Name + QStringLiteral("\""));
        if (!item->HasValidName())
            return TFailure{InvalidNameReason(item->Name), where};
        ListCheckboxes.push_back(std::move(item));
    }
    return {};
}
