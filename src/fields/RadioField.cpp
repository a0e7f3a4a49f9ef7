#include "fields/RadioField.h"

#include "base/Crlf.h"
#include "base/Literals.h"
#include "base/XmlValues.h"
#include "fields/OptionList.h"

namespace
{
using Child = XmlValues::TChild<TRadioField>;
const Child Children[] = {
    Child::Text("name", &TRadioField::Name),
    Child::Text("beschriftung", &TRadioField::Beschriftung),
    Child::Text("vorgabewert", &TRadioField::Vorgabewert),
    Child::Text("felder", &TRadioField::Felder),
    Child::Flag("pflicht", &TRadioField::Pflicht),
    Child::Flag("singleline", &TRadioField::singleline, false),
    Child::Text("meldung", &TRadioField::Meldung),
    Child::Text("beschriftungnach", &TRadioField::BeschriftungNach, false),
    Child::Flag("Cookie", &TRadioField::Cookie, false),
};
} // namespace

bool TRadioField::CanBeAnswered() const
{
    return !SplitOptionList(Felder).isEmpty();
}

QString TRadioField::ButtonTag(const QString& choice, bool bCSS, bool php) const
{
    return QStringLiteral("<input type=\"radio\" name=\"") + Name + QStringLiteral("\" value=\"") +
           Html(Literals::AttrValue(choice), php) + QStringLiteral("\"") + ClassAttr(bCSS);
}

// Even in one line each button's markup ends a line of the source. With
// accessible markup the choice's text is the label of its button.
QString TRadioField::ButtonEnd(const TGenContext& ctx, qsizetype index, const QString& choice, bool php) const
{
    const QString text = ctx.Accessible
                             ? QString(QStringLiteral("<label for=\"") + ButtonId(index) +
                                       QStringLiteral("\">") + Html(choice, php) + QStringLiteral("</label>"))
                             : Html(choice, php);
    return QStringLiteral(">") + text + (singleline ? QString() : QStringLiteral("<br>")) + CRLF;
}

QString TRadioField::ButtonId(qsizetype index) const
{
    return InputId() + QLatin1Char('_') + QString::number(index);
}

// Every button is required; the group's error belongs to its fieldset.
QString TRadioField::ButtonAttrs(const TGenContext& ctx, qsizetype index, bool) const
{
    if (!ctx.Accessible)
        return QString();
    return QStringLiteral(" id=\"") + ButtonId(index) + QStringLiteral("\"") +
           (Pflicht ? QStringLiteral(" required") : QString());
}

QString TRadioField::GenCode(const TGenContext& ctx, bool bCSS) const
{
    QString code = GroupStart(ctx, false);
    const QStringList choices = SplitOptionList(Felder);
    for (qsizetype i = 0; i < choices.size(); ++i)
        code +=
            ButtonTag(choices.at(i), bCSS) + ButtonAttrs(ctx, i, false) + ButtonEnd(ctx, i, choices.at(i));
    return code + GroupEnd(ctx) + BeschriftungNach + QStringLiteral("</td></tr>") + CRLF;
}

QString TRadioField::GenCodePHP(const TGenContext& ctx, bool bCSS) const
{
    QString code = GroupStart(ctx, true);
    const QStringList choices = SplitOptionList(Felder);
    for (qsizetype i = 0; i < choices.size(); ++i)
        code += ButtonTag(choices.at(i), bCSS, true) + ButtonAttrs(ctx, i, true) +
                QStringLiteral(" <?php echo $rad") + Name + QLatin1Char('_') + QString::number(i) +
                QStringLiteral(";?>") + ButtonEnd(ctx, i, choices.at(i), true);
    if (Pflicht)
        code += QStringLiteral("<?php echo $err") + Name + QStringLiteral(";?>");
    return code + GroupEnd(ctx) + Html(BeschriftungNach, true) + QStringLiteral("</td></tr>") + CRLF;
}

QString TRadioField::GenFormVarPHP(const TGenContext&) const
{
    const QStringList choices = SplitOptionList(Felder);
    QString code;
    for (qsizetype i = 0; i < choices.size(); ++i)
        code += QStringLiteral("$rad") + Name + QLatin1Char('_') + QString::number(i) +
                QStringLiteral(" = \"\";") + CRLF;
    code += QStringLiteral("if (isset($_POST[\"") + Name + QStringLiteral("\"]))") + CRLF +
            QStringLiteral("{") + CRLF;
    for (qsizetype i = 0; i < choices.size(); ++i)
        code += QStringLiteral("if ($_POST[\"") + Name + QStringLiteral("\"] == \"") +
                Literals::PhpString(choices.at(i)) + QStringLiteral("\") $rad") + Name + QLatin1Char('_') +
                QString::number(i) + QStringLiteral(" = \"checked\";") + CRLF;
    return code + QStringLiteral("}") + CRLF;
}

QString TRadioField::GenFormCheckPHP(const TGenContext& ctx) const
{
    // The same standard text as a check box's server message.
    const QString message =
        !Meldung.isEmpty() ? Meldung
                           : ctx.Text("txtCheckbox0") + QLatin1Char(' ') + Beschriftung + QLatin1Char('!');
    return QStringLiteral("\tif (!isset($_POST[\"") + Name + QStringLiteral("\"]))") + CRLF +
           QStringLiteral("\t{") + CRLF + QStringLiteral("\t\t$err") + Name + QStringLiteral(" = \"") +
           ErrorSpan(ctx, message) + QStringLiteral("\";") + CRLF + QStringLiteral("\t\t$bFormOK = false;") +
           CRLF + QStringLiteral("\t}") + CRLF;
}

QString TRadioField::GenScript(const TGenContext& ctx) const
{
    const QString message = !Meldung.isEmpty() ? Meldung
                                               : ctx.Text("txtRadioButtons0") + QLatin1Char(' ') +
                                                     Beschriftung + QLatin1Char(' ');
    // A group of one button is a single element in the page, not a
    // collection: it has no length to loop over.
    const QString search =
        SplitOptionList(Felder).size() == 1
            ? QString(QStringLiteral("if (document.QVFORM.") + Name + QStringLiteral(".checked)") + CRLF +
                      QStringLiteral("        Option = true;") + CRLF)
            : QString(QStringLiteral("for (i = 0;  i < document.QVFORM.") + Name +
                      QStringLiteral(".length;  i++)") + CRLF + QStringLiteral("  {") + CRLF +
                      QStringLiteral("    if (document.QVFORM.") + Name + QStringLiteral("[ i ].checked)") +
                      CRLF + QStringLiteral("        Option = true;") + CRLF + QStringLiteral("  }") + CRLF);
    return QStringLiteral("var Option = false;") + CRLF + search + QStringLiteral("  if (!Option)") + CRLF +
           QStringLiteral("  {") + CRLF + AlertCall(ctx, message, QStringLiteral("document.QVFORM.") + Name) +
           CRLF + QStringLiteral("    return (false);") + CRLF + QStringLiteral("  }") + CRLF;
}

// The cookie holds the index of the chosen button.
QString TRadioField::GenSetCookieValues(const TGenContext&) const
{
    return QStringLiteral("    i") + Name + QStringLiteral(" = GetCookie(\"") + Name +
           QStringLiteral("\");") + CRLF + QStringLiteral("if (i") + Name +
           QStringLiteral(" != \"\")   document.QVFORM.") + Name + QStringLiteral("[i") + Name +
           QStringLiteral("].checked = true;") + CRLF + CRLF;
}

QString TRadioField::GenSetCookie(const TGenContext&) const
{
    return QStringLiteral("    for (i = 0;  i < document.QVFORM.") + Name + QStringLiteral(".length;  i++)") +
           CRLF + QStringLiteral("\t\t{") + CRLF + QStringLiteral("\t\t  if (document.QVFORM.") + Name +
           QStringLiteral("[i].checked)") + CRLF + QStringLiteral("\t\t  {") + CRLF +
           QStringLiteral("\t\t      cookie_") + Name + QStringLiteral(" = '") + Name +
           QStringLiteral("=' + i;") + CRLF + QStringLiteral("\t\t      document.cookie = cookie_") + Name +
           QStringLiteral(";") + CRLF + QStringLiteral("\t\t  }") + CRLF + QStringLiteral("\t\t}") + CRLF +
           CRLF;
}

void TRadioField::SetXMLNode(QDomElement& itemNode) const
{
    AppendTyp(itemNode);
    XmlValues::WriteChildren(itemNode, *this, Children);
}

TStatus TRadioField::ReadElement(const XmlValues::TElement& itemNode)
{
    return XmlValues::ReadChildren(itemNode, *this, Children);
}

QStringList TRadioField::ConditionValues() const
{
    return SplitOptionList(Felder);
}
