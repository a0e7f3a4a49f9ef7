#include "dialogs/ui/frmCheckBoxList.h"

#include "base/LanguageTexts.h"
#include "base/Prompter.h"
#include "dialogs/ConditionTexts.h"
#include "dialogs/FieldNames.h"
#include "dialogs/ui/frmCheckBox.h"
#include "fields/CheckBoxList.h"
#include "model/FieldList.h"
#include "ui/TranslateInterface.h"
#include "ui/WidgetBuild.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace WidgetBuild;

namespace
{
std::unique_ptr<TCheckBoxFieldSimple> CopyOf(const TCheckBoxFieldSimple& box)
{
    auto copy = std::make_unique<TCheckBoxFieldSimple>();
    copy->Name = box.Name;
    copy->Beschriftung = box.Beschriftung;
    copy->Vorgabewert = box.Vorgabewert;
    copy->Pflicht = box.Pflicht;
    copy->Meldung = box.Meldung;
    copy->Cookie = box.Cookie;
    return copy;
}

QString Mark(bool on)
{
    return on ? QStringLiteral("x") : QString();
}
} // namespace

TfrmCheckBoxList::TfrmCheckBoxList(const TFieldDialogContext& context, TfrmCheckBox& itemEditor,
                                   QWidget* parent)
    : TFieldDialog(context, "frmCheckBoxList", 250, QStringLiteral("Checkbox-Liste"), parent),
      m_itemEditor(itemEditor)
{
    QVBoxLayout* body = Frame("panelHeader", 250, QStringLiteral("Checkbox-Liste"));
    auto* holder = new QWidget(this);
    auto* names = new QGridLayout(holder);
    names->setContentsMargins(0, 0, 0, 0);
    names->setColumnStretch(1, 1);
    body->addWidget(holder);
    NameRow(names, "Label2");
    edtBeschriftung = TextRow(names, "Label4", 130, QStringLiteral("Beschriftung"), "edtBeschriftung",
                              "btOpenBeschriftung");

    QGridLayout* items = GroupGrid(this, body, "GroupBoxFelder", 27, QStringLiteral("Felder"));
    QWidget* group = items->parentWidget();
    auto* buttons = new QHBoxLayout;
    QPushButton* add = Button(group, "sbNew", 2, QStringLiteral("Neu"));
    QPushButton* edit = Button(group, "sbEditField", 9, QStringLiteral("Bearbeiten"));
    QPushButton* remove = Button(group, "sbDelField", 35, QStringLiteral("Löschen"));
    QPushButton* up = Button(group, "sbUp", 0, QString());
    up->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    QPushButton* down = Button(group, "sbDown", 0, QString());
    down->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    for (QPushButton* b : {add, edit, remove, up, down}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    items->addLayout(buttons, 0, 0, 1, 3);
    ListItems = new QTreeWidget(group);
    ListItems->setObjectName(QStringLiteral("ListItems"));
    SetLangKey(ListItems, 193);
    SetColumnLangKeys(ListItems, {51, 52, 251, 54, 55});
    ListItems->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Beschriftung"),
                                QStringLiteral("Vorgabewert"), QStringLiteral("Pflicht"),
                                QStringLiteral("Cookie")});
    ListItems->setRootIsDecorated(false);
    ListItems->setSelectionMode(QAbstractItemView::SingleSelection);
    ListItems->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListItems->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const int widths[] = {110, 170, 100, 80, 70};
    for (int i = 0; i < 5; ++i)
        ListItems->setColumnWidth(i, widths[i]);
    ListItems->setMinimumHeight(160);
    ListItems->setMinimumWidth(550);
    items->addWidget(ListItems, 1, 0, 1, 3);

    QGridLayout* check = GroupGrid(this, body, "GroupBoxUeberpruefung", 232, QStringLiteral("Überprüfung"));
    chkCheck =
        CheckRow(check, "chkCheck", 252, QStringLiteral("mindestens ein Element muss ausgewählt werden?"));
    const int row = check->rowCount();
    check->addWidget(Label(check->parentWidget(), "Label1", 56, QStringLiteral("Fehlermeldung")), row, 0);
    edtErrorMessage = Edit(check->parentWidget(), "edtErrorMessage");
    check->addWidget(edtErrorMessage, row, 1, 1, 2);
    NoteRow(check, "Label3", 253,
            QStringLiteral(
                "Bleibt die Fehlermeldung leer, erscheint\neine Standardfehlermeldung mit Feldnamen."));
    AddButtons("btOK", "btCancel");

    connect(add, &QPushButton::clicked, this, &TfrmCheckBoxList::NewItem);
    connect(edit, &QPushButton::clicked, this, &TfrmCheckBoxList::EditItem);
    connect(ListItems, &QTreeWidget::itemDoubleClicked, this, &TfrmCheckBoxList::EditItem);
    connect(remove, &QPushButton::clicked, this, &TfrmCheckBoxList::DeleteItem);
    connect(up, &QPushButton::clicked, this, [this] { MoveItem(-1); });
    connect(down, &QPushButton::clicked, this, [this] { MoveItem(1); });
    Translate();
}

TfrmCheckBoxList::~TfrmCheckBoxList() = default;

void TfrmCheckBoxList::LoadFromObject(const TCheckBoxList& list)
{
    edtBeschriftung->setText(list.Beschriftung);
    chkCheck->setChecked(list.Pflicht);
    edtErrorMessage->setText(list.Meldung);
    edtName->setText(list.Name);
    LoadCondition(list.Condition);
    ListField.clear();
    m_loadedNames.clear();
    m_droppedNames.clear();
    for (const auto& box : list.ListCheckboxes) {
        ListField.push_back(CopyOf(*box));
        m_loadedNames.insert(ListField.back().get(), box->Name);
    }
    RefreshItemList();
}

void TfrmCheckBoxList::SaveToObject(TCheckBoxList& list) const
{
    list.Beschriftung = edtBeschriftung->text();
    list.Pflicht = chkCheck->isChecked();
    list.Meldung = edtErrorMessage->text();
    list.Name = edtName->text();
    SaveCondition(list);
    list.ListCheckboxes.clear();
    for (const auto& box : ListField)
        list.ListCheckboxes.push_back(CopyOf(*box));
}

QList<std::pair<QString, QString>> TfrmCheckBoxList::BoxRenames() const
{
    QList<std::pair<QString, QString>> renames;
    for (const auto& box : ListField) {
        const auto loaded = m_loadedNames.constFind(box.get());
        if (loaded != m_loadedNames.cend() && !loaded->isEmpty() && *loaded != box->Name)
            renames.append({*loaded, box->Name});
    }
    return renames;
}

void TfrmCheckBoxList::RefreshItemList()
{
    ListItems->clear();
    for (const auto& box : ListField)
        ListItems->addTopLevelItem(new QTreeWidgetItem(QStringList{
            box->Name, box->Beschriftung, box->Vorgabewert, Mark(box->Pflicht), Mark(box->Cookie)}));
}

int TfrmCheckBoxList::CountNameUses(const QString& name, int ownItem) const
{
    return FieldNames::CountNameUses(m_context.fields, feldNr, ListField, name, ownItem, edtName->text());
}

bool TfrmCheckBoxList::TakenHere(const QString& name) const
{
    // The list's own name must differ from its boxes': they would share one
    // error variable.
    for (const auto& box : ListField)
        if (box->Name == name)
            return true;
    return false;
}

int TfrmCheckBoxList::SelectedRow() const
{
    const QList<QTreeWidgetItem*> selected = ListItems->selectedItems();
    return selected.isEmpty() ? -1 : ListItems->indexOfTopLevelItem(selected.constFirst());
}

bool TfrmCheckBoxList::RunItemEditor(TCheckBoxFieldSimple& item, int ownItem, bool saveFirst)
{
    for (;;) {
        if (m_itemEditor.exec() != QDialog::Accepted)
            return false;
        if (saveFirst)
            m_itemEditor.SaveToObject(item);
        if (CountNameUses(m_itemEditor.TypedName(), ownItem) == 0)
            return true;
        m_context.prompter.Message(m_context.texts.Text(QStringLiteral("txtCalender1")), QString(),
                                   Prompter::Icon::None);
    }
}

void TfrmCheckBoxList::NewItem()
{
    m_itemEditor.ClearAll();
    m_itemEditor.callFromCheckBoxList = true;
    m_itemEditor.ShowTextAfterField(false);
    auto item = std::make_unique<TCheckBoxFieldSimple>();
    m_itemEditor.LoadFromObject(*item);
    if (RunItemEditor(*item, -1, true)) {
        ListField.push_back(std::move(item));
        RefreshItemList();
    }
    m_itemEditor.ShowTextAfterField(true);
}

void TfrmCheckBoxList::EditItem()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    m_itemEditor.callFromCheckBoxList = true;
    m_itemEditor.ShowTextAfterField(false);
    m_itemEditor.feldNr = row;
    TCheckBoxFieldSimple& item = *ListField[static_cast<size_t>(row)];
    m_itemEditor.LoadFromObject(item);
    if (RunItemEditor(item, row, false)) {
        m_itemEditor.SaveToObject(item);
        RefreshItemList();
    }
    m_itemEditor.ShowTextAfterField(true);
}

void TfrmCheckBoxList::DeleteItem()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    const TCheckBoxFieldSimple* box = ListField[static_cast<size_t>(row)].get();
    // The project's fields whose conditions name the box as it was loaded.
    const QString loaded = m_loadedNames.value(box);
    QList<int> dependents;
    for (int i = 0; i < m_context.fields.Count(); ++i)
        if (!loaded.isEmpty() && i != feldNr && m_context.fields[i]->Condition.IsSet() &&
            m_context.fields[i]->Condition.Field == loaded)
            dependents << i;
    QString question = m_context.texts.Text(QStringLiteral("txtMainFrmDelete"));
    if (!dependents.isEmpty())
        question += QStringLiteral("\n\n") +
                    ConditionTexts::LossQuestion(m_context.texts, m_context.fields, dependents);
    if (m_context.prompter.Question(question, m_context.texts.Text(QStringLiteral("MsgInformation")),
                                    dependents.isEmpty() ? Prompter::Icon::Information
                                                         : Prompter::Icon::Warning,
                                    false, Prompter::Answer::No) == Prompter::Answer::Yes) {
        if (!loaded.isEmpty())
            m_droppedNames << loaded;
        m_loadedNames.remove(box);
        ListField.erase(ListField.begin() + row);
    }
    RefreshItemList();
}

QStringList TfrmCheckBoxList::DroppedBoxNames() const
{
    return m_droppedNames;
}

void TfrmCheckBoxList::MoveItem(int step)
{
    const int row = SelectedRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= static_cast<int>(ListField.size()))
        return;
    std::swap(ListField[static_cast<size_t>(row)], ListField[static_cast<size_t>(target)]);
    RefreshItemList();
    if (QTreeWidgetItem* moved = ListItems->topLevelItem(target)) {
        ListItems->setCurrentItem(moved);
        moved->setSelected(true);
    }
}
