#include "app/ui/FieldsPage.h"

#include "base/HtmlTools.h"
#include "base/LanguageTexts.h"
#include "dialogs/ConditionTexts.h"
#include "model/FieldList.h"
#include "ui/TranslateInterface.h"
#include "ui/WidgetBuild.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace WidgetBuild;

namespace
{
QAction* Entry(QMenu* menu, const char* name, int key, const QString& text)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    SetLangKey(action, key);
    return action;
}

constexpr int ColumnWidths[7] = {110, 200, 120, 65, 46, 250, 200};

QString Mark(bool on)
{
    return on ? QStringLiteral("X") : QString();
}
} // namespace

TFieldsPage::TFieldsPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ts2"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(Heading(this, "Panel3", 38, QStringLiteral("Formularfelder")));

    auto* buttons = new QHBoxLayout;
    column->addLayout(buttons);
    QPushButton* add = Button(this, "sbNew", 2, QStringLiteral("Neu"));
    QPushButton* edit = Button(this, "sbEditField", 9, QStringLiteral("Bearbeiten"));
    QPushButton* remove = Button(this, "sbDelField", 35, QStringLiteral("Löschen"));
    QPushButton* up = Button(this, "sbUp", 0, QString());
    up->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    QPushButton* down = Button(this, "sbDown", 0, QString());
    down->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    for (QPushButton* b : {add, edit, remove, up, down})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(Label(this, "Label7", 36, QStringLiteral("Vorlagen")));
    m_templates = FixedList(this, "cboVorlagen", {});
    m_templates->setMinimumContentsLength(20);
    m_templates->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    buttons->addWidget(m_templates);
    QPushButton* insert = Button(this, "sbVorlage", 37, QStringLiteral("Einfügen"));
    buttons->addWidget(insert);
    connect(insert, &QPushButton::clicked, this,
            [this] { emit InsertTemplateRequested(SelectedTemplate()); });

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("itemList"));
    SetLangKey(m_list, 50);
    SetColumnLangKeys(m_list, {51, 52, 53, 54, 55, 56, 442});
    m_list->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Beschriftung"), QStringLiteral("Typ"),
                             QStringLiteral("Pflicht"), QStringLiteral("Cookie"),
                             QStringLiteral("Fehlermeldung"), QStringLiteral("Bedingung")});
    for (int i = 0; i < 7; ++i)
        m_list->setColumnWidth(i, ColumnWidths[i]);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setAlternatingRowColors(true);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    column->addWidget(m_list, 1);

    BuildMenus();
    connect(add, &QPushButton::clicked, this, [this] { m_kindMenu->popup(QCursor::pos()); });
    connect(edit, &QPushButton::clicked, this, &TFieldsPage::EditRequested);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        item->setSelected(true);
        emit EditRequested();
    });
    // Keys on the list: Insert adds, Enter edits, Delete deletes, Alt+arrows move.
    const auto key = [this](QKeySequence sequence, auto slot) {
        auto* shortcut = new QShortcut(sequence, m_list, nullptr, nullptr, Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
    };
    key(QKeySequence(Qt::Key_Insert),
        [this] { m_kindMenu->popup(m_list->viewport()->mapToGlobal(m_list->viewport()->rect().topLeft())); });
    key(QKeySequence(Qt::Key_Return), [this] { emit EditRequested(); });
    key(QKeySequence(Qt::Key_Enter), [this] { emit EditRequested(); });
    key(QKeySequence(QKeySequence::Delete), [this] { emit DeleteRequested(); });
    key(QKeySequence(Qt::ALT | Qt::Key_Up), [this] { emit MoveRequested(-1); });
    key(QKeySequence(Qt::ALT | Qt::Key_Down), [this] { emit MoveRequested(1); });
    connect(remove, &QPushButton::clicked, this, &TFieldsPage::DeleteRequested);
    connect(up, &QPushButton::clicked, this, [this] { emit MoveRequested(-1); });
    connect(down, &QPushButton::clicked, this, [this] { emit MoveRequested(1); });
    connect(m_list, &QTreeWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { m_listMenu->popup(m_list->viewport()->mapToGlobal(pos)); });
}

void TFieldsPage::BuildMenus()
{
    m_kindMenu = new QMenu(this);
    m_kindMenu->setObjectName(QStringLiteral("mnuFieldKinds"));
    struct Kind
    {
        const char* name;
        int key;
        const char* text;
    };
    static const Kind kinds[] = {
        {"EinzeiligesTextfeld1", 39, "Einzeiliges Textfeld"},
        {"Passwordfeld", 40, "Password Textfeld"},
        {"MehrzeiligesTextfeld1", 41, "Mehrzeiliges Textfeld"},
        {"ListeDropdownFeld1", 42, "Liste/Dropdown Feld"},
        {"CheckBox1", 43, "CheckBox"},
        {"Zwischentext1", 44, "Zwischentext"},
        {"RadioButtons1", 45, "RadioButtons"},
        {"DateiUploadFeld1", 46, "Datei-Upload Feld"},
        {"CheckboxListe1", 47, "Checkbox-Liste"},
        {"KalenderFeld1", 48, "Kalender-Feld"},
    };
    for (int i = 0; i < 10; ++i) {
        const Kind& kind = kinds[i];
        QAction* entry = Entry(m_kindMenu, kind.name, kind.key, QString::fromUtf8(kind.text));
        connect(entry, &QAction::triggered, this,
                [this, i] { emit AddRequested(static_cast<TFieldKind>(i)); });
    }

    m_listMenu = new QMenu(this);
    m_listMenu->setObjectName(QStringLiteral("mnuFieldList"));
    connect(Entry(m_listMenu, "Neu2", 2, QStringLiteral("&Neu")), &QAction::triggered, this,
            [this] { m_kindMenu->popup(QCursor::pos()); });
    connect(Entry(m_listMenu, "Bearbeiten2", 9, QStringLiteral("&Bearbeiten")), &QAction::triggered, this,
            &TFieldsPage::EditRequested);
    QAction* remove = Entry(m_listMenu, "Lschen1", 35, QStringLiteral("&Löschen"));
    connect(remove, &QAction::triggered, this, &TFieldsPage::DeleteRequested);
    m_listMenu->addSeparator();
    connect(Entry(m_listMenu, "mnuVorlage", 49, QStringLiteral("Feld als Vorlage")), &QAction::triggered,
            this, &TFieldsPage::StoreTemplateRequested);
}

void TFieldsPage::ShowFields(const TFieldList& fields, const TLanguageTexts& texts)
{
    m_list->clear();
    const TTextSection kinds = texts.Snapshot();
    QList<QTreeWidgetItem*> rows;
    for (const auto& field : fields) {
        const bool message = field->Pflicht && !field->Meldung.isEmpty();
        rows << new QTreeWidgetItem(QStringList{field->Name, HtmlTools::StripHTML(field->Beschriftung),
                                                kinds.Text(field->DisplayKey()), Mark(field->Pflicht),
                                                Mark(field->Cookie), message ? field->Meldung : QString(),
                                                ConditionTexts::Describe(texts, field->Condition)});
    }
    m_list->addTopLevelItems(rows);
    // The name, label and kind columns grow rather than cut their texts.
    for (int column = 0; column < 3; ++column) {
        m_list->resizeColumnToContents(column);
        m_list->setColumnWidth(column, qMax(m_list->columnWidth(column), ColumnWidths[column]));
    }
    m_list->clearSelection();
    m_list->setCurrentItem(nullptr);
}

int TFieldsPage::SelectedRow() const
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.constFirst());
}

void TFieldsPage::SelectRow(int row)
{
    if (QTreeWidgetItem* item = m_list->topLevelItem(row)) {
        m_list->setCurrentItem(item);
        item->setSelected(true);
    }
}

void TFieldsPage::ShowTemplates(const QStringList& names)
{
    const int chosen = m_templates->currentIndex();
    m_templates->clear();
    m_templates->addItems(names);
    // The first template is offered until another is chosen.
    m_templates->setCurrentIndex(chosen >= 0 && chosen < names.size() ? chosen : (names.isEmpty() ? -1 : 0));
}

int TFieldsPage::SelectedTemplate() const
{
    return m_templates->currentIndex();
}
