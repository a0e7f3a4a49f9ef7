#pragma once

#include <QDialog>

class TLanguageTexts;

// "Info": the program's product name, version and copyright from its
// version information, a word on what it does, and where its makers are.
class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    TAboutBox(const TLanguageTexts& texts, QWidget* parent = nullptr);

    // The maker's addresses.
    static QString Homepage();
    static QString Mail();
};

// The window shown while the program starts: the picture, the version and
// the copyright. It closes itself after two seconds.
class TfrmSplash : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* parent = nullptr);
    static constexpr int ShownMs = 2000;
};
