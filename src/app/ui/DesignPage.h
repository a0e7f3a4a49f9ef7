#pragma once

#include "ui/LazyPage.h"

// The page "Design": heading, fonts, background picture, the five page
// colours, and the texts above and below the form.
class TDesignPage : public TLazyPage
{
    Q_OBJECT
public:
    explicit TDesignPage(QWidget* parent = nullptr);

protected:
    void Build() override;
};
