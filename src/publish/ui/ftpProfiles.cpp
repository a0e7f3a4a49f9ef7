#include "publish/ui/ftpProfiles.h"

#include "base/LanguageTexts.h"
#include "base/Prompter.h"
#include "publish/ui/frmFTPEdit.h"
#include "ui/TranslateInterface.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

TftpProfiles::TftpProfiles(TFtpProfiles& store, const TLanguageTexts& texts, Prompter& prompter,
                           TfrmFTPLog& log, QWidget* parent)
    : QDialog(parent), m_store(store), m_texts(texts), m_prompter(prompter), m_log(log)
{
    setObjectName(QStringLiteral("ftpProfiles"));
    SetLangKey(this, 177);
    setWindowTitle(QStringLiteral("FTP-Profile"));
    setSizeGripEnabled(true);

    const auto action = [this](const char* name, int key, const QString& text, QStyle::StandardPixmap icon,
                               const QKeySequence& shortcut, void (TftpProfiles::*slot)()) {
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
                             QKeySequence(Qt::Key_Insert), &TftpProfiles::New);
    QAction* actEdit = action("actEdit", 9, QStringLiteral("Bearbeiten"), QStyle::SP_FileDialogDetailedView,
                              QKeySequence(Qt::Key_F2), &TftpProfiles::EditSelected);
    QAction* actDelete = action("actDelete", 35, QStringLiteral("Löschen"), QStyle::SP_TrashIcon,
                                QKeySequence(QKeySequence::Delete), &TftpProfiles::DeleteSelected);
    QAction* actOvertake = action("actOvertake", 164, QStringLiteral("Übernehmen"),
                                  QStyle::SP_DialogApplyButton, QKeySequence(), &TftpProfiles::Overtake);
    QAction* actExit = action("actExit", 160, QStringLiteral("Verlassen"), QStyle::SP_DialogCloseButton,
                              QKeySequence(), &TftpProfiles::reject);

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
    bar->addAction(actOvertake);
    bar->addSeparator();
    bar->addAction(actExit);
    column->addWidget(bar);

    lstFTP = new QTreeWidget(this);
    lstFTP->setObjectName(QStringLiteral("lstFTP"));
    lstFTP->setRootIsDecorated(false);
    lstFTP->setUniformRowHeights(true);
    lstFTP->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstFTP->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstFTP->setAllColumnsShowFocus(true);
    lstFTP->setAlternatingRowColors(true);
    // Grid lines between the cells.
    lstFTP->setStyleSheet(QStringLiteral("QTreeWidget::item { border-right: 1px solid palette(mid); "
                                         "border-bottom: 1px solid palette(mid); }"));
    struct Column
    {
        int key;
        const char* text;
        int width;
    };
    const Column columns[] = {{178, "Profilname", 120},   {179, "Server", 120},   {180, "Port", 0},
                              {181, "Benutzername", 120}, {182, "Passwort", 120}, {113, "Passiv Modus?", 100},
                              {293, "FTPS", 60}};
    QStringList headers;
    for (const Column& c : columns)
        headers << QString::fromUtf8(c.text);
    lstFTP->setHeaderLabels(headers);
    QList<int> keys;
    for (const Column& c : columns)
        keys << c.key;
    SetLangKey(lstFTP, 178);
    SetColumnLangKeys(lstFTP, keys);
    for (int i = 0; i < int(std::size(columns)); ++i)
        if (columns[i].width > 0)
            lstFTP->setColumnWidth(i, columns[i].width);
    column->addWidget(lstFTP, 1);
    connect(lstFTP, &QTreeWidget::itemDoubleClicked, this, [this] { Overtake(); });
    connect(lstFTP, &QTreeWidget::itemActivated, this, [this] { Overtake(); });

    TranslateWindow(this, texts);
    resize(820, 360);
    Refill(-1);
}

void TftpProfiles::Refill(int select)
{
    lstFTP->clear();
    const QList<TFtpProfile>& list = m_store.ServerList();
    for (const TFtpProfile& p : list) {
        auto* item = new QTreeWidgetItem(lstFTP);
        item->setText(0, p.profilname);
        item->setText(1, p.server);
        item->setText(2, p.port);
        item->setText(3, p.benutzername);
        item->setText(4, p.passwort.isEmpty() ? QString() : QStringLiteral("******"));
        item->setText(5, p.passiv ? QStringLiteral("x") : QString());
        item->setText(6, p.tls ? QStringLiteral("x") : QString());
    }
    if (select >= 0 && select < lstFTP->topLevelItemCount()) {
        lstFTP->setCurrentItem(lstFTP->topLevelItem(select));
        lstFTP->topLevelItem(select)->setSelected(true);
    }
}

int TftpProfiles::SelectedRow() const
{
    const QList<QTreeWidgetItem*> selected = lstFTP->selectedItems();
    return selected.isEmpty() ? -1 : lstFTP->indexOfTopLevelItem(selected.first());
}

std::optional<TFtpProfile> TftpProfiles::Selected() const
{
    const int row = SelectedRow();
    if (row < 0 || row >= m_store.ServerList().size())
        return std::nullopt;
    return m_store.ServerList().at(row);
}

TfrmFTPEdit& TftpProfiles::Edit()
{
    // It keeps the last values entered while the list stays open.
    if (!m_edit)
        m_edit = new TfrmFTPEdit(m_texts, m_prompter, m_log, this);
    return *m_edit;
}

void TftpProfiles::New()
{
    TfrmFTPEdit& edit = Edit();
    if (edit.exec() != QDialog::Accepted)
        return;
    m_store.Change().append(edit.Values());
    Refill(int(m_store.ServerList().size()) - 1);
}

void TftpProfiles::EditSelected()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    TfrmFTPEdit& edit = Edit();
    edit.SetValues(m_store.ServerList().at(row));
    if (edit.exec() != QDialog::Accepted)
        return;
    m_store.Change()[row] = edit.Values();
    Refill(row);
}

void TftpProfiles::DeleteSelected()
{
    const int row = SelectedRow();
    if (row < 0) {
        m_prompter.Message(m_texts.Text(QStringLiteral("txtFTPProfile1")));
        return;
    }
    m_store.Change().removeAt(row);
    Refill(qMin(row, int(m_store.ServerList().size()) - 1));
}

void TftpProfiles::Overtake()
{
    if (SelectedRow() < 0) {
        m_prompter.Message(m_texts.Text(QStringLiteral("txtFTPProfile2")));
        return;
    }
    accept();
}

void TftpProfiles::done(int result)
{
    if (m_edit && m_edit->IsTesting())
        return;
    // The edit dialog is made afresh the next time.
    delete m_edit;
    m_edit = nullptr;
    if (TStatus saved = m_store.Save(); !saved)
        m_prompter.Message(saved.Failure().Text(), m_texts.Text(QStringLiteral("MsgError")),
                           Prompter::Icon::Error);
    QDialog::done(result);
}
