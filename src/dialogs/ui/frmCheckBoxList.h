#pragma once

#include "dialogs/ui/FieldDialog.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

class QTreeWidget;
class TCheckBoxFieldSimple;
class TCheckBoxList;
class TfrmCheckBox;

// Creates and edits a check-box list. Its boxes are edited as working
// copies with the check box dialog; nothing reaches the project's list
// before OK. Made afresh for every command.
class TfrmCheckBoxList : public TFieldDialog
{
    Q_OBJECT
public:
    TfrmCheckBoxList(const TFieldDialogContext& context, TfrmCheckBox& itemEditor, QWidget* parent = nullptr);
    ~TfrmCheckBoxList() override;

    // The working copies of the boxes, in order.
    std::vector<std::unique_ptr<TCheckBoxFieldSimple>> ListField;

    void LoadFromObject(const TCheckBoxList& list);
    void SaveToObject(TCheckBoxList& list) const;
    // The boxes loaded by LoadFromObject that now carry another name, as
    // (loaded name, name now) pairs: conditions naming them follow.
    QList<std::pair<QString, QString>> BoxRenames() const;
    // The loaded names of the boxes deleted after the user agreed that the
    // conditions naming them go.
    QStringList DroppedBoxNames() const;
    void RefreshItemList();
    // How often the name is used besides by the working item at ownItem.
    int CountNameUses(const QString& name, int ownItem) const;

    void NewItem();
    void EditItem();
    void DeleteItem();
    void MoveItem(int step);

protected:
    bool TakenHere(const QString& name) const override;

private:
    int SelectedRow() const;
    // Shows the item editor until it is cancelled or its name is free.
    bool RunItemEditor(TCheckBoxFieldSimple& item, int ownItem, bool saveFirst);

    TfrmCheckBox& m_itemEditor;
    // The loaded name of each working copy that came from the list.
    QHash<const TCheckBoxFieldSimple*, QString> m_loadedNames;
    QStringList m_droppedNames;
    QTreeWidget* ListItems;
    QCheckBox* chkCheck;
    QLineEdit* edtErrorMessage;
};
