#pragma once

#include "codegen/CodeExport.h"

// The static HTML form: field rows, the client check chkFormular, and the
// hidden settings the form-mailer script reads.
class TGenHTML : public TCodeExport
{
public:
    using TCodeExport::TCodeExport;

    TResult<QString> GenCode() override;
    // The hidden fields that name the form mailer's error pages.
    QString GenErrorPageFields() const;

protected:
    TResult<QString> GenCaptcha() override;
    TResult<TPageTemplate> FillTemplate(const QString& templateName) override;
    // The picture-code block, its markers filled.
    TResult<TPageTemplate> CaptchaBlock();
    // The field people never see, the token's value and the script that
    // fetches it from the mailer.
    QString BotTokenBlock() const;
};
