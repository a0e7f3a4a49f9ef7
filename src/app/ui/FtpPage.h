#pragma once

#include "ui/LazyPage.h"

// The page "FTP + Spamschutz": where the form is uploaded, and the picture
// code that guards it against spam.
class TFtpPage : public TLazyPage
{
    Q_OBJECT
public:
    explicit TFtpPage(QWidget* parent = nullptr);

protected:
    void Build() override;
};
