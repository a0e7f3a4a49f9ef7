#pragma once

#include "ui/LazyPage.h"

class QCheckBox;
class QLineEdit;

// The page "CSS": the look of the form's buttons and input fields. The two
// "Standarddesign?" switches hide the style panels they make unused, and
// the print caption is shown only while the form has a print button; the
// panels follow the switches whenever they change, also through a load.
class TCssPage : public TLazyPage
{
    Q_OBJECT
public:
    explicit TCssPage(QWidget* parent = nullptr);

    // Brings the panels in line with the switches (a load may set a switch
    // to the state it already had, which signals nothing); nothing to do
    // before the page is made.
    void UpdateSwitches();

private:
    QWidget* ButtonGroup();
    QWidget* FieldGroup();

    QCheckBox* m_standardButton = nullptr;
    QCheckBox* m_standardField = nullptr;
    QCheckBox* m_printButton = nullptr;
    QWidget* m_buttonDesign = nullptr;
    QWidget* m_fieldDesign = nullptr;
    QLineEdit* m_print = nullptr;

protected:
    void Build() override;
};
