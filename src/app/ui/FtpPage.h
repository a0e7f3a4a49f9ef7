#pragma once

#include <QWidget>

// The page "FTP + Spamschutz": where the form is uploaded, and the picture
// code that guards it against spam.
class TFtpPage : public QWidget
{
    Q_OBJECT
public:
    explicit TFtpPage(QWidget* parent = nullptr);
};
