#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class TLanguageTexts;

// The dialog "Link einfügen" of the HTML editor: address, target frame and
// the link's text or picture. Made afresh for every link.
class TfrmLinkEdit : public QDialog
{
    Q_OBJECT
public:
    // texts must outlive the dialog (the label of the link text follows the
    // type list in the current language).
    explicit TfrmLinkEdit(const TLanguageTexts& texts, QWidget* parent = nullptr);

    // The hyperlink the values make.
    QString Fragment() const;

private:
    QLineEdit* m_url;
    QComboBox* m_target;
    QComboBox* m_type;
    QLabel* m_textLabel;
    QLineEdit* m_linkText;
};
