#include "app/ui/frmVorlagen.h"

#include "app/TemplateStore.h"
#include "base/LanguageTexts.h"
#include "base/Prompter.h"
#include "ui/TranslateInterface.h"
#include "ui/WidgetBuild.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

using namespace WidgetBuild;

TfrmVorlagen::TfrmVorlagen(TTemplateStore& store, const TLanguageTexts& texts, Prompter& prompter,
                           QWidget* parent)
    : QDialog(parent), m_store(store), m_texts(texts), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmVorlagen"));
    SetLangKey(this, 17);
    setWindowTitle(QStringLiteral("Vorlagen verwalten"));

    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    QGroupBox* group = Group(this, "GroupBox1", 36, QStringLiteral("Vorlagen"));
    column->addWidget(group);
    auto* inside = new QVBoxLayout(group);
    listVorlagen = new QListWidget(group);
    listVorlagen->setObjectName(QStringLiteral("listVorlagen"));
    listVorlagen->setSelectionMode(QAbstractItemView::SingleSelection);
    listVorlagen->setFixedSize(340, 240);
    inside->addWidget(listVorlagen);

    auto* buttons = new QHBoxLayout;
    column->addLayout(buttons);
    btDel = Button(this, "btDel", 139, QStringLiteral("&Vorlage löschen"));
    QPushButton* btClose = Button(this, "btClose", 138, QStringLiteral("&Schließen"));
    btClose->setDefault(true);
    buttons->addWidget(btDel);
    buttons->addStretch(1);
    buttons->addWidget(btClose);
    connect(btDel, &QPushButton::clicked, this, &TfrmVorlagen::DeleteSelected);
    connect(btClose, &QPushButton::clicked, this, &TfrmVorlagen::accept);
    auto* del =
        new QShortcut(QKeySequence(QKeySequence::Delete), listVorlagen, nullptr, nullptr, Qt::WidgetShortcut);
    connect(del, &QShortcut::activated, this, &TfrmVorlagen::DeleteSelected);
    connect(listVorlagen, &QListWidget::currentRowChanged, this,
            [this](int row) { btDel->setEnabled(row >= 0); });
    btDel->setEnabled(false);

    TranslateWindow(this, texts);
}

void TfrmVorlagen::showEvent(QShowEvent* event)
{
    Reload();
    QDialog::showEvent(event);
}

void TfrmVorlagen::Reload()
{
    const TStatus loaded = m_store.Load();
    Fill(m_store.Count() > 0 ? 0 : -1);
    if (!loaded)
        m_prompter.Message(loaded.Failure().Text(), m_texts.Text(QStringLiteral("MsgError")),
                           Prompter::Icon::Error);
}

void TfrmVorlagen::Fill(int select)
{
    listVorlagen->clear();
    listVorlagen->addItems(m_store.Names());
    listVorlagen->setCurrentRow(qMin(select, listVorlagen->count() - 1));
    btDel->setEnabled(listVorlagen->currentRow() >= 0);
}

void TfrmVorlagen::DeleteSelected()
{
    const int row = listVorlagen->currentRow();
    if (row < 0 || !listVorlagen->item(row)->isSelected())
        return;
    if (m_prompter.Question(m_texts.Text(QStringLiteral("txtVorlagenDelete1")),
                            m_texts.Text(QStringLiteral("txtVorlagenDelete2")), Prompter::Icon::Question,
                            false, Prompter::Answer::No) != Prompter::Answer::Yes)
        return;
    const TStatus deleted = m_store.Delete(row);
    // After a failed write the store holds the file as it is.
    Fill(row);
    if (!deleted)
        m_prompter.Message(deleted.Failure().Text(), m_texts.Text(QStringLiteral("MsgError")),
                           Prompter::Icon::Error);
}
