#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TLanguageTexts;

// The dialog "PopUp-Link einfügen" of the HTML editor: a link that opens its
// address in a window of its own, with its size, its features and maybe its
// place on the screen. Made afresh for every link.
class TfrmPopUpLink : public QDialog
{
    Q_OBJECT
public:
    // texts must outlive the dialog.
    explicit TfrmPopUpLink(const TLanguageTexts& texts, QWidget* parent = nullptr);

    // The pop-up link the values make; empty while a size, or a position
    // that is asked for, is not a whole number (OK is disabled then).
    QString Fragment() const;

private:
    bool HasNumbers() const;
    void UpdateOk();

    QLineEdit* m_url;
    QComboBox* m_type;
    QLineEdit* m_linkText;
    QLineEdit* m_height;
    QLineEdit* m_width;
    QCheckBox* m_menuBar;
    QCheckBox* m_hotkeys;
    QCheckBox* m_addressBar;
    QCheckBox* m_resizable;
    QCheckBox* m_statusBar;
    QCheckBox* m_setPosition;
    QLineEdit* m_top;
    QLineEdit* m_left;
    QPushButton* m_ok;
};
