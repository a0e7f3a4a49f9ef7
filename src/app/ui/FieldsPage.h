#pragma once

#include "app/ui/FieldEditing.h"

#include <QWidget>

class QComboBox;
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
    QMenu* ListMenu() const { return m_listMenu; }

    // Fills the template list with the display names; the chosen entry stays
    // chosen while there is one at its position.
    void ShowTemplates(const QStringList& names);
    // The chosen template's position, or -1.
    int SelectedTemplate() const;
    QComboBox* Templates() const { return m_templates; }

signals:
    void AddRequested(TFieldKind kind);
    void EditRequested();
    void DeleteRequested();
    void MoveRequested(int step);
    // "Einfügen": the template at the position (-1: none chosen).
    void InsertTemplateRequested(int position);
    // "Feld als Vorlage" on the selected row.
    void StoreTemplateRequested();

private:
    void BuildMenus();

    QTreeWidget* m_list;
    QComboBox* m_templates = nullptr;
    QMenu* m_kindMenu = nullptr;
    QMenu* m_listMenu = nullptr;
};
