#include "ui/TranslateInterface.h"

#include "base/LanguageTexts.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QSet>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVariant>

namespace
{
// Texts shared by menu entries and window titles carry "&" for the
// keyboard accelerator; a title or a tool tip would show it literally.
QString WithoutAccelerator(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

const char* const KeyProperty = "langKey";
const char* const NameProperty = "langName";
const char* const ColumnKeysProperty = "langColumnKeys";

// The texts of one language, taken once for all windows.
class Section
{
public:
    explicit Section(TTextSection texts) : m_texts(std::move(texts)) {}
    QString Text(int key) const { return Named(QString::number(key)); }
    QString Named(const QString& key) const { return m_texts.Text(key); }

private:
    TTextSection m_texts;
};

// The drop-down lists whose entries are translated, by their key.
struct ListEntries
{
    int key;
    const char* prefix;
    int count;
};
constexpr ListEntries TranslatedLists[] = {
    {193, "cboType", 2},
    {267, "cboCheckType", 4},
    {275, "cboTabAusrichtung", 3},
};

void TranslateList(QComboBox* combo, int key, const Section& texts)
{
    for (const ListEntries& list : TranslatedLists) {
        if (list.key != key)
            continue;
        const int chosen = combo->currentIndex();
        const QSignalBlocker block(combo);
        for (int i = 0; i < list.count; ++i) {
            const QString text = texts.Named(QString::fromLatin1(list.prefix) + QString::number(i));
            if (i < combo->count())
                combo->setItemText(i, text);
            else
                combo->addItem(text);
        }
        combo->setCurrentIndex(chosen);
    }
}

QTabWidget* TabsOfPage(QWidget* page, int* index)
{
    auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    if (!tabs)
        return nullptr;
    *index = tabs->indexOf(page);
    return *index >= 0 ? tabs : nullptr;
}

void TranslateColumns(QTreeWidget* view, const Section& texts)
{
    const QVariantList keys = view->property(ColumnKeysProperty).toList();
    QTreeWidgetItem* header = view->headerItem();
    for (int column = 0; column < keys.size() && column < view->columnCount(); ++column) {
        const int key = keys.at(column).toInt();
        // A column without a key of its own takes the text under "0".
        header->setText(column, texts.Text(key));
    }
}

void TranslateObject(QObject* object, const Section& texts)
{
    const int key = LangKey(object);
    if (key == 0) {
        const QString name = object->property(NameProperty).toString();
        if (auto* label = qobject_cast<QLabel*>(object); label && !name.isEmpty())
            label->setText(texts.Named(name));
        return;
    }
    const QString text = texts.Text(key);
    if (auto* action = qobject_cast<QAction*>(object)) {
        action->setText(text);
        return;
    }
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return;
    if (auto* menu = qobject_cast<QMenu*>(widget)) {
        menu->setTitle(text);
    } else if (qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget)) {
        static_cast<QAbstractButton*>(widget)->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
        button->setToolTip(WithoutAccelerator(text));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(text);
    } else if (auto* view = qobject_cast<QTreeWidget*>(widget)) {
        TranslateColumns(view, texts);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        TranslateList(combo, key, texts);
    } else if (widget->isWindow()) {
        widget->setWindowTitle(WithoutAccelerator(text));
    } else {
        int index = -1;
        if (QTabWidget* tabs = TabsOfPage(widget, &index))
            tabs->setTabText(index, text);
    }
}

void TranslateTree(QObject* window, const Section& texts, QSet<QObject*>& done)
{
    if (done.contains(window))
        return;
    done.insert(window);
    TranslateObject(window, texts);
    const QList<QObject*> children = window->findChildren<QObject*>();
    for (QObject* child : children) {
        if (done.contains(child))
            continue;
        done.insert(child);
        TranslateObject(child, texts);
    }
}
} // namespace

void SetLangKey(QObject* object, int key)
{
    object->setProperty(KeyProperty, key);
}

void SetLangName(QObject* label, const char* name)
{
    label->setProperty(NameProperty, QString::fromLatin1(name));
}

int LangKey(const QObject* object)
{
    return object->property(KeyProperty).toInt();
}

void SetColumnLangKeys(QObject* listView, const QList<int>& keys)
{
    QVariantList list;
    for (int key : keys)
        list << key;
    listView->setProperty(ColumnKeysProperty, list);
}

void TranslateInterface(const TLanguageTexts& texts, const QString& language)
{
    // Without the file every text would be empty; the built-in ones stay.
    if (!QFileInfo(texts.FileName()).isFile())
        return;
    const Section section(texts.Section(language));
    QSet<QObject*> done;
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows)
        TranslateTree(window, section, done);
}

void TranslateInterface(const TLanguageTexts& texts)
{
    TranslateInterface(texts, texts.CurrentLanguage());
}

void TranslateWindow(QObject* window, const TLanguageTexts& texts, const QString& language)
{
    if (!QFileInfo(texts.FileName()).isFile())
        return;
    const Section section(texts.Section(language));
    QSet<QObject*> done;
    TranslateTree(window, section, done);
}

void TranslateWindow(QObject* window, const TLanguageTexts& texts)
{
    TranslateWindow(window, texts, texts.CurrentLanguage());
}
