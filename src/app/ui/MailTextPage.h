#pragma once

#include "ui/LazyPage.h"

#include <QStringList>

class QComboBox;
class TFieldList;

// The page "Mailtext": the extra text of the form mail, and the list of
// field names that may stand in it as placeholders.
class TMailTextPage : public TLazyPage
{
    Q_OBJECT
public:
    explicit TMailTextPage(QWidget* parent = nullptr);

    void SetPlaceholders(const QStringList& names);
    // The fields whose value a mail text can show: single-line, calendar,
    // multi-line, drop-down, password, check box and radio buttons; in
    // field order.
    static QStringList PlaceholderNames(const TFieldList& fields);

private:
    QStringList m_names;
    QComboBox* m_placeholders = nullptr;

protected:
    void Build() override;
};
