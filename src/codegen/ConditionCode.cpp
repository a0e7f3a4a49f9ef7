#include "codegen/ConditionCode.h"

#include "base/Crlf.h"
#include "base/Literals.h"
#include "model/FieldList.h"

namespace
{
const TFieldCondition* ConditionAt(const TFieldList& fields, int index)
{
    const TFieldCondition& condition = fields.At(index)->Condition;
    return condition.IsSet() ? &condition : nullptr;
}

// The names the field at index posts its values under (a list's boxes).
QStringList PostedNames(const TFieldList& fields, int index)
{
    QStringList names;
    for (const TFormField* part : fields.At(index)->Parts())
        if (!part->Name.isEmpty() && !part->PostKind().isEmpty())
            names << part->Name;
    return names;
}

// The condition's value as PHP, written as the browser posts it: a radio
// button sends its value attribute decoded, an option (which has no value
// attribute) its text decoded and with runs of white space collapsed.
QString PostedValuePHP(const QString& kind, const QString& value)
{
    const QString literal = QLatin1Char('"') + Literals::PhpString(value) + QLatin1Char('"');
    if (kind == QLatin1String("select")) {
        if (value.contains(QLatin1Char('&')) || value != value.simplified())
            return QStringLiteral("qv_option_value(") + literal + QLatin1Char(')');
        return literal;
    }
    if (value.contains(QLatin1Char('&')))
        return QStringLiteral("qv_attribute_value(") + literal + QLatin1Char(')');
    return literal;
}

// Written with line ends of LF, sent with CR LF as every line of a page.
const char PageScriptText[] = R"(<script>
// Rows that apply only when a condition on an earlier field holds. Each such
// row's table body names the field (data-qv-when), the test and the value;
// they are worked out in form order, so a row whose field is hidden is
// hidden too. A hidden row's inputs are disabled: nothing of it is sent.
function qvConditionHolds(form, row) {
  var found = form.elements[row.getAttribute("data-qv-when")];
  if (!found)
    return false;
  var controls = found.tagName ? [found] : found;
  if (!controls.length)
    return false;
  var other = controls[0].closest("tbody[data-qv-when]");
  if (other && other.hidden)
    return false;
  var blank = /^[ \t\n\r\0\x0B]+|[ \t\n\r\0\x0B]+$/g;
  var want = row.getAttribute("data-qv-value") || "";
  var chosen = false, ticked = false, filled = false;
  for (var n = 0; n < controls.length; n++) {
    var control = controls[n];
    if (control.type == "radio" || control.type == "checkbox") {
      if (control.checked) {
        ticked = true;
        if (control.value == want)
          chosen = true;
      }
    } else if (control.tagName == "SELECT") {
      for (var o = 0; o < control.options.length; o++)
        if (control.options[o].selected
            && control.options[o].value == want.replace(/[ \t\n\f\r]+/g, " ").replace(/^ | $/g, ""))
          chosen = true;
    } else if (control.value.replace(blank, "") != "") {
      filled = true;
    }
  }
  switch (row.getAttribute("data-qv-test")) {
  case "Is": return chosen;
  case "IsNot": return !chosen;
  case "IsTicked": return ticked;
  case "IsNotTicked": return !ticked;
  case "IsFilled": return filled;
  case "IsEmpty": return !filled;
  }
  return false;
}

function qvApplyConditions() {
  var form = document.forms["QVFORM"];
  if (!form)
    return;
  var rows = form.querySelectorAll("tbody[data-qv-when]");
  for (var n = 0; n < rows.length; n++) {
    var row = rows[n];
    var shown = qvConditionHolds(form, row);
    row.hidden = !shown;
    // The layout for narrow screens shows every table body as a block.
    row.style.display = shown ? "" : "none";
    if (shown)
      row.removeAttribute("aria-hidden");
    else
      row.setAttribute("aria-hidden", "true");
    // Only what was disabled here is enabled again.
    var inputs = row.querySelectorAll("input, select, textarea");
    for (var i = 0; i < inputs.length; i++) {
      if (!shown && !inputs[i].disabled) {
        inputs[i].disabled = true;
        inputs[i].setAttribute("data-qv-off", "");
      } else if (shown && inputs[i].hasAttribute("data-qv-off")) {
        inputs[i].disabled = false;
        inputs[i].removeAttribute("data-qv-off");
      }
    }
  }
}

document.addEventListener("DOMContentLoaded", function () {
  var form = document.forms["QVFORM"];
  qvApplyConditions();
  if (!form)
    return;
  form.addEventListener("input", qvApplyConditions);
  form.addEventListener("change", qvApplyConditions);
  form.addEventListener("reset", function () { setTimeout(qvApplyConditions, 0); });
});
// After the refill from cookies, which runs on load too and comes first.
window.addEventListener("load", qvApplyConditions);
</script>
)";
} // namespace

namespace ConditionCode
{
bool AnyCondition(const TFieldList& fields)
{
    for (int i = 0; i < fields.Count(); ++i)
        if (ConditionAt(fields, i))
            return true;
    return false;
}

TStatus CheckAll(const TFieldList& fields)
{
    for (int i = 0; i < fields.Count(); ++i)
        if (TStatus checked = fields.CheckCondition(i); !checked) {
            const TFormField* field = fields.At(i);
            const QString name = field->Name.isEmpty() ? QStringLiteral("field %1").arg(i + 1) : field->Name;
            return checked.Failure().Within(name);
        }
    return {};
}

QString WrapperId(const TFieldList& fields, int index)
{
    // Names begin with a letter or "_": a number cannot be taken by one.
    const QString& name = fields.At(index)->Name;
    return QStringLiteral("qvcond_") + (name.isEmpty() ? QString::number(index + 1) : name);
}

QString WrapperStart(const TFieldList& fields, int index, bool php)
{
    const TFieldCondition* condition = ConditionAt(fields, index);
    if (!condition)
        return QString();
    using Literals::TContext;
    QString tag = QStringLiteral("<tbody data-qv-when=\"") +
                  Literals::Escape(condition->Field, TContext::Attribute, php) +
                  QStringLiteral("\" data-qv-test=\"") + ConditionTestWord(condition->Test) +
                  QLatin1Char('"');
    if (ConditionTestNeedsValue(condition->Test))
        tag += QStringLiteral(" data-qv-value=\"") +
               Literals::Escape(condition->Value, TContext::Attribute, php) + QLatin1Char('"');
    return tag + QStringLiteral(" id=\"") + WrapperId(fields, index) + QStringLiteral("\">") + CRLF;
}

QString WrapperEnd(const TFieldList& fields, int index)
{
    return ConditionAt(fields, index) ? QString(QStringLiteral("</tbody>") + CRLF) : QString();
}

QString PageScript(const TFieldList& fields)
{
    if (!AnyCondition(fields))
        return QString();
    QString script = QString::fromUtf8(PageScriptText);
    script.replace(QLatin1Char('\n'), CRLF);
    return script;
}

QString ClientCheck(const TFieldList& fields, int index, const QString& check)
{
    if (!ConditionAt(fields, index) || check.isEmpty())
        return check;
    return QStringLiteral("if (!document.getElementById(\"") + WrapperId(fields, index) +
           QStringLiteral("\").hidden) {") + CRLF + check + QStringLiteral("}") + CRLF;
}

QString ServerConditions(const TFieldList& fields)
{
    if (!AnyCondition(fields))
        return QString();
    QString code =
        QStringLiteral("    // Which fields apply to this post, worked out from the post itself, never\r\n"
                       "    // from what the browser hid: a field that does not apply is not checked,\r\n"
                       "    // and what was posted for it reaches no mail.\r\n"
                       "    $qvShown = array();\r\n");
    for (int i = 0; i < fields.Count(); ++i) {
        const TFieldCondition* condition = ConditionAt(fields, i);
        const QStringList names = PostedNames(fields, i);
        if (!condition || names.isEmpty())
            continue; // a text between the fields has nothing to check or send
        const QString key = QStringLiteral("$qvShown[\"") + WrapperId(fields, i) + QStringLiteral("\"]");
        const int holder = fields.IndexOfName(condition->Field);
        const TFormField* other = fields.FindByName(condition->Field);
        // The other field counts only while it applies itself.
        const QString cascade = holder >= 0 && ConditionAt(fields, holder)
                                    ? QString(QStringLiteral("$qvShown[\"") + WrapperId(fields, holder) +
                                              QStringLiteral("\"] && "))
                                    : QString();
        const QString value = ConditionTestNeedsValue(condition->Test)
                                  ? PostedValuePHP(other ? other->PostKind() : QString(), condition->Value)
                                  : QStringLiteral("\"\"");
        code += QStringLiteral("    ") + key + QStringLiteral(" = ") + cascade +
                QStringLiteral("qv_condition_holds($qvPost, \"") + Literals::PhpString(condition->Field) +
                QStringLiteral("\", \"") + ConditionTestWord(condition->Test) + QStringLiteral("\", ") +
                value + QStringLiteral(");") + CRLF;
        QStringList quoted;
        for (const QString& name : names)
            quoted << QLatin1Char('"') + Literals::PhpString(name) + QLatin1Char('"');
        code += QStringLiteral("    if (!") + key + QStringLiteral(")") + CRLF +
                QStringLiteral("        qv_condition_drop($qvPost, $qvFiles, array(") +
                quoted.join(QStringLiteral(", ")) + QStringLiteral("));") + CRLF;
    }
    code += QStringLiteral("    $_POST = new QvPost($qvPost);\r\n"
                           "    $_FILES = new QvFiles($qvFiles);\r\n");
    return code;
}

QString ServerCheck(const TFieldList& fields, int index, const QString& check)
{
    if (!ConditionAt(fields, index) || PostedNames(fields, index).isEmpty() || check.isEmpty())
        return check;
    return QStringLiteral("if ($qvShown[\"") + WrapperId(fields, index) + QStringLiteral("\"]) {") + CRLF +
           check + QStringLiteral("}") + CRLF;
}
} // namespace ConditionCode
