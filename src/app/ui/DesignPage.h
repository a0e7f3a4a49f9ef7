#pragma once

#include <QWidget>

// The page "Design": heading, fonts, background picture, the five page
// colours, and the texts above and below the form.
class TDesignPage : public QWidget
{
    Q_OBJECT
public:
    explicit TDesignPage(QWidget* parent = nullptr);
};
