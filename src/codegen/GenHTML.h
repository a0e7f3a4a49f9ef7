#pragma once

#include "codegen/CodeExport.h"

// The static HTML form: field rows, the client check chkFormular, and the
// hidden settings the form-mailer script reads.
class TGenHTML : public TCodeExport
{
public:
    using TCodeExport::TCodeExport;

    QString GenCode() override;
    QString GenCaptcha() override;
    QString FillTemplate(const QString& templateName) override;
    QString GenErrorPageFields() const;
};
