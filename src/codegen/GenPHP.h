#pragma once

#include "codegen/CodeExport.h"

// The self-contained PHP page: it shows the form, checks the post on the
// server, shows each error beside its field and sends the mail itself.
class TGenPHP : public TCodeExport
{
public:
    using TCodeExport::TCodeExport;

    TResult<QString> GenCode() override;

protected:
    TResult<QString> GenCaptcha() override;
    bool IsPhpPage() const override { return true; }
    TResult<TPageTemplate> FillTemplate(const QString& templateName) override;
    // The page's own settings (recipients, subject, mail text and switches).
    QString GenSettings() const;
    // The shared mail helpers (formmailer/qvmail.php) as the page carries them.
    TResult<QString> LoadHelpers() const;
};
