#pragma once

#include "app/ui/FieldEditing.h"

#include <QWidget>

class QMenu;
class QPushButton;
class QTreeWidget;
class TFieldList;
class TLanguageTexts;

// The page "Felder": the project's fields as a table (one row per field,
// in page order) with the buttons that edit the list.
class TFieldsPage : public QWidget
{
    Q_OBJECT
public:
    explicit TFieldsPage(QWidget* parent = nullptr);

    // Rebuilds the table; no row is selected afterwards.
    void ShowFields(const TFieldList& fields, const TLanguageTexts& texts);
    int SelectedRow() const;
    void SelectRow(int row);
    QTreeWidget* List() const { return m_list; }

    QMenu* KindMenu() const { return m_kindMenu; }

signals:
    void AddRequested(TFieldKind kind);
    void EditRequested();
    void DeleteRequested();
    void MoveRequested(int step);

private:
    void BuildMenus();

    QTreeWidget* m_list;
    QMenu* m_kindMenu = nullptr;
    QMenu* m_listMenu = nullptr;
};
