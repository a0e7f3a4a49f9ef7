#pragma once

#include "ui/LazyPage.h"

// The page "Einstellungen": recipients and mail, the generated page, the
// form mailer.
class TSettingsPage : public TLazyPage
{
    Q_OBJECT
public:
    explicit TSettingsPage(QWidget* parent = nullptr);

signals:
    // btGOIP: open the thank-you page in the user's browser.
    void TestThanksPage(const QString& address);

protected:
    void Build() override;
};
