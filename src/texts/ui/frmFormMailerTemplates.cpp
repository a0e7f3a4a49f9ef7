#include "texts/ui/frmFormMailerTemplates.h"

#include "base/LanguageTexts.h"
#include "base/Prompter.h"
#include "texts/ui/frmFormMailLinkEdit.h"
#include "ui/TranslateInterface.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <memory>

TfrmFormMailerTemplates::TfrmFormMailerTemplates(const QString& listFile, const TLanguageTexts& texts,
                                                 Prompter& prompter, TUrlOpener opener, QWidget* parent)
    : QDialog(parent), m_list(listFile), m_texts(texts), m_prompter(prompter), m_opener(std::move(opener))
{
    setObjectName(QStringLiteral("frmFormMailerTemplates"));
    SetLangKey(this, 159);
    setWindowTitle(QStringLiteral("FormMailer-Vorlagen"));
    setSizeGripEnabled(true);

    const auto action = [this](const char* name, int key, const QString& text, QStyle::StandardPixmap icon,
                               const QKeySequence& shortcut, auto slot) {
        auto* a = new QAction(style()->standardIcon(icon), text, this);
        a->setObjectName(QString::fromLatin1(name));
        SetLangKey(a, key);
        if (!shortcut.isEmpty())
            a->setShortcut(shortcut);
        connect(a, &QAction::triggered, this, slot);
        addAction(a);
        return a;
    };
    QAction* actNew = action("actNew", 2, QStringLiteral("Neu"), QStyle::SP_FileIcon,
                             QKeySequence(Qt::Key_Insert), [this] { New(); });
    QAction* actEdit = action("actEdit", 9, QStringLiteral("Bearbeiten"), QStyle::SP_FileDialogDetailedView,
                              QKeySequence(Qt::Key_F2), [this] { EditSelected(); });
    QAction* actDelete = action("actDelete", 35, QStringLiteral("Löschen"), QStyle::SP_TrashIcon,
                                QKeySequence(QKeySequence::Delete), [this] { DeleteSelected(); });
    QAction* actExit = action("actExit", 160, QStringLiteral("Verlassen"), QStyle::SP_DialogCloseButton,
                              QKeySequence(), [this] { reject(); });

    auto* column = new QVBoxLayout(this);
    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(QStringLiteral("&Datei"));
    file->setObjectName(QStringLiteral("Datei1"));
    SetLangKey(file, 1);
    file->addActions({actNew, actEdit, actDelete});
    file->addSeparator();
    file->addAction(actExit);
    column->setMenuBar(menuBar);
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->addActions({actNew, actEdit, actDelete});
    bar->addSeparator();
    bar->addAction(actExit);
    column->addWidget(bar);

    lstLinks = new QTreeWidget(this);
    lstLinks->setObjectName(QStringLiteral("lstLinks"));
    lstLinks->setRootIsDecorated(false);
    lstLinks->setUniformRowHeights(true);
    lstLinks->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstLinks->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstLinks->setAllColumnsShowFocus(true);
    // Grid lines between the rows; a style sheet for items replaces the
    // selection's colours too, so they are named.
    lstLinks->setStyleSheet(QStringLiteral("QTreeWidget::item { border-bottom: 1px solid palette(mid); }"
                                           "QTreeWidget::item:selected { background: palette(highlight);"
                                           " color: palette(highlighted-text); }"));
    lstLinks->setHeaderLabels({QStringLiteral("Link zum Formmailer")});
    SetLangKey(lstLinks, 162);
    SetColumnLangKeys(lstLinks, {162});
    lstLinks->setColumnWidth(0, 500);
    column->addWidget(lstLinks, 1);
    connect(lstLinks, &QTreeWidget::itemDoubleClicked, this, [this] { EditSelected(); });

    TranslateWindow(this, texts);
    resize(560, 340);

    if (TStatus loaded = m_list.Load(); !loaded)
        m_prompter.Message(
            m_texts.Text(QStringLiteral("txtFormMailerUnreadable")).arg(loaded.Failure().Text()),
            m_texts.Text(QStringLiteral("MsgError")), Prompter::Icon::Error);
    Refill(m_list.Links().isEmpty() ? -1 : 0);
}

void TfrmFormMailerTemplates::Refill(int select)
{
    lstLinks->clear();
    for (const QString& link : m_list.Links())
        (new QTreeWidgetItem(lstLinks))->setText(0, link);
    if (select >= 0 && select < lstLinks->topLevelItemCount()) {
        lstLinks->setCurrentItem(lstLinks->topLevelItem(select));
        lstLinks->topLevelItem(select)->setSelected(true);
    }
}

int TfrmFormMailerTemplates::SelectedRow() const
{
    const QList<QTreeWidgetItem*> selected = lstLinks->selectedItems();
    return selected.isEmpty() ? -1 : lstLinks->indexOfTopLevelItem(selected.first());
}

void TfrmFormMailerTemplates::New()
{
    // It keeps the text last entered while the list stays open.
    if (!m_newLink)
        m_newLink = new TfrmFormMailLinkEdit(m_texts, m_prompter, m_opener, this);
    if (m_newLink->exec() != QDialog::Accepted)
        return;
    m_list.Change().append(m_newLink->Link());
    Refill(int(m_list.Links().size()) - 1);
}

void TfrmFormMailerTemplates::EditSelected()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    // Made for this one row: the next edit starts from the defaults again.
    const auto edit = std::make_unique<TfrmFormMailLinkEdit>(m_texts, m_prompter, m_opener, this);
    edit->SetLink(m_list.Links().at(row));
    if (edit->exec() != QDialog::Accepted)
        return;
    m_list.Change()[row] = edit->Link();
    Refill(row);
}

void TfrmFormMailerTemplates::DeleteSelected()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    m_list.Change().removeAt(row);
    Refill(qMin(row, int(m_list.Links().size()) - 1));
}

void TfrmFormMailerTemplates::done(int result)
{
    const Prompter::Answer answer =
        m_prompter.Question(m_texts.Text(QStringLiteral("txtSaveChanges")),
                            m_texts.Text(QStringLiteral("MsgConfirmation")), Prompter::Icon::Question, true);
    if (answer == Prompter::Answer::Cancel)
        return;
    if (answer == Prompter::Answer::Yes) {
        // A list that could not be written stays open, so nothing typed is lost.
        if (TStatus saved = m_list.Save(); !saved) {
            m_prompter.Message(
                m_texts.Text(QStringLiteral("txtFormMailerNotSaved")).arg(saved.Failure().Text()),
                m_texts.Text(QStringLiteral("MsgError")), Prompter::Icon::Error);
            return;
        }
    }
    QDialog::done(result);
}
