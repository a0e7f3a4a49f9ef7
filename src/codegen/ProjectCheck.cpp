#include "codegen/ProjectCheck.h"

#include "base/LanguageTexts.h"
#include "codegen/BotGuard.h"
#include "codegen/CompanionMailer.h"
#include "codegen/ValueRules.h"
#include "model/FormProject.h"

#include <QRegularExpression>
#include <QSet>

namespace ProjectCheck
{
namespace
{
// One address and nothing else: what the PHP page accepts as a recipient.
bool IsPlainAddress(const QString& text)
{
    static const QRegularExpression address(
        QStringLiteral("^[^\\s@<>\",;()]+@[^\\s@<>\",;()]+\\.[^\\s@<>\",;()]+$"));
    return address.match(text).hasMatch();
}

QString Text(const TLanguageTexts& texts, const char* key, const QString& value = QString())
{
    const QString text = texts.Text(QLatin1String(key));
    return value.isNull() ? text : text.arg(value);
}

// Every named field, the boxes of lists among them, in page order.
QList<const TFormField*> NamedFields(const TFormProject& project)
{
    QList<const TFormField*> named;
    for (const auto& field : project.ListField)
        for (const TFormField* part : field->Parts())
            if (!part->PostKind().isEmpty())
                named << part;
    return named;
}
} // namespace

QList<TWarning> Check(const TFormProject& p, const TLanguageTexts& texts, TTarget target, bool withValues)
{
    QList<TWarning> warnings;
    const auto warn = [&](const QString& where, const QString& text) { warnings.append({where, text}); };

    if (p.edtEMail.trimmed().isEmpty())
        warn(QStringLiteral("edtEMail"), Text(texts, "txtCheckNoRecipient"));
    const std::pair<const char*, const QString*> recipients[] = {
        {"edtEMail", &p.edtEMail}, {"edtEMail1", &p.edtEMail1}, {"edtEMail2", &p.edtEMail2}};
    for (const auto& [key, address] : recipients)
        if (!address->trimmed().isEmpty() && !IsPlainAddress(address->trimmed()))
            warn(QLatin1String(key), Text(texts, "txtCheckAddress", *address));

    // The PHP page uses every value the HTML form uses, and more.
    if (withValues)
        for (const ValueRules::TProblem& problem : ValueRules::Problems(p, target != TTarget::Html))
            warn(problem.where, ValueRules::Reason(problem, texts));
    // So are conditions on fields that are not there or do not fit.
    if (withValues)
        for (int i = 0; i < p.ListField.Count(); ++i)
            if (const TStatus condition = p.ListField.CheckCondition(i); !condition) {
                const TFormField* field = p.ListField.At(i);
                warn(field->Name.isEmpty() ? QString::number(i + 1) : field->Name,
                     Text(texts, "txtConditionInvalid", condition.Failure().Text()));
            }

    QSet<QString> seen, doubled;
    for (const TFormField* field : NamedFields(p)) {
        if (!TFormField::IsValidFieldName(field->Name))
            warn(field->Name, Text(texts, "txtCheckFieldName", field->Name));
        else if (seen.contains(field->Name) && !doubled.contains(field->Name)) {
            doubled.insert(field->Name);
            warn(field->Name, Text(texts, "txtCheckDuplicate", field->Name));
        }
        seen.insert(field->Name);
        // The defence against robots posts fields of its own.
        if (p.chkBotDefence &&
            (field->Name == QLatin1String(BotGuard::Honeypot) || field->Name == QLatin1String("qv_token")))
            warn(field->Name, Text(texts, "txtCheckBotName", field->Name));
    }
    if (target != TTarget::Php && p.chkBotDefence && !TCompanionMailer::IsUsedBy(p))
        warn(QStringLiteral("chkBotDefence"), Text(texts, "txtCheckBotMailer"));

    if (target != TTarget::Php && p.chkStoreEntries)
        warn(QStringLiteral("chkStoreEntries"), Text(texts, "txtCheckStoreHtml"));

    if (target != TTarget::Html && p.chkAbsender && !p.chkCaptcha)
        warn(QStringLiteral("chkAbsender"), Text(texts, "txtMainFrmCopyNeedsCaptcha"));

    for (const auto& field : p.ListField) {
        if (target != TTarget::Php && field->IsUpload())
            warn(field->Name, Text(texts, "txtCheckUploadHtml", field->Name));
        if (field->Pflicht && !field->CanBeAnswered())
            warn(field->Name.isEmpty() ? field->Beschriftung : field->Name,
                 Text(texts, "txtCheckNeverAnswered",
                      field->Name.isEmpty() ? field->Beschriftung : field->Name));
    }

    static const QRegularExpression web(QStringLiteral("^https?://[^\\s/]+"),
                                        QRegularExpression::CaseInsensitiveOption);
    if (!p.edtDanke.trimmed().isEmpty() && !web.match(p.edtDanke.trimmed()).hasMatch())
        warn(QStringLiteral("edtDanke"), Text(texts, "txtCheckThanks", p.edtDanke));
    return warnings;
}
} // namespace ProjectCheck
