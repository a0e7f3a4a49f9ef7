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
    QString BotSettings() const; // the form token's settings, with the defence against robots
    // Shared PHP helpers (relativeName below the data folder) without their
    // opening, to go into the page.
    TResult<QString> LoadHelpers(const QString& relativeName) const;
    // With the store of submissions on: keeping the entry before the mail,
    // and the mail's result after it; otherwise nothing.
    void FillStore(TPageTemplate& page) const;
};
