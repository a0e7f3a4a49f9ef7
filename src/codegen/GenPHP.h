#pragma once

#include "codegen/CodeExport.h"

// The self-contained PHP page: it shows the form, checks the post on the
// server, shows each error beside its field and sends the mail itself.
class TGenPHP : public TCodeExport
{
public:
    using TCodeExport::TCodeExport;

    QString GenCode() override;
    QString GenCaptcha() override;
    QString FillTemplate(const QString& templateName) override;
};
