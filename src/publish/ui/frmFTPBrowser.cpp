#include "publish/ui/frmFTPBrowser.h"

#include "base/LanguageTexts.h"
#include "base/Prompter.h"
#include "ui/TranslateInterface.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{
enum Column { NameColumn, SizeColumn, DateColumn, KindColumn };

// What an item of the listing is: its name as the server gave it, and
// whether it is a folder.
constexpr int NameRole = Qt::UserRole;
constexpr int FolderRole = Qt::UserRole + 1;

const QColor SentColor(0xFF, 0x00, 0x00);
const QColor ReceivedColor(0x00, 0x00, 0xFF);
const QColor SelectedBackground(0x00, 0x6E, 0x9B);

QAction* Action(QWidget* parent, const char* name, int key, const QString& text, QStyle::StandardPixmap icon)
{
    auto* action = new QAction(parent->style()->standardIcon(icon), text, parent);
    action->setObjectName(QLatin1String(name));
    SetLangKey(action, key);
    return action;
}
} // namespace

TfrmFTPBrowser::TfrmFTPBrowser(const TLanguageTexts& texts, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_texts(texts), m_prompter(prompter),
      m_browsing(texts, prompter,
                 [this](TFtpClient::LineKind kind, const QString& line) { AddProtocolLine(kind, line); })
{
    setObjectName(QStringLiteral("frmFTPBrowser"));
    SetLangKey(this, 300);
    setWindowTitle(QStringLiteral("FTP-Browser"));
    setSizeGripEnabled(true);

    actConnect = Action(this, "actConnect", 163, QStringLiteral("Verbinden"), QStyle::SP_DriveNetIcon);
    actFolderUp =
        Action(this, "actFolderUp", 165, QStringLiteral("Ebene hoch"), QStyle::SP_FileDialogToParent);
    actOvertake =
        Action(this, "actOvertake", 164, QStringLiteral("Übernehmen"), QStyle::SP_DialogApplyButton);
    actExit = Action(this, "actExit", 160, QStringLiteral("Verlassen"), QStyle::SP_DialogCloseButton);
    connect(actConnect, &QAction::triggered, this, &TfrmFTPBrowser::ConnectToServer);
    connect(actFolderUp, &QAction::triggered, this, &TfrmFTPBrowser::FolderUp);
    connect(actOvertake, &QAction::triggered, this, &TfrmFTPBrowser::TakeOver);
    connect(actExit, &QAction::triggered, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = menuBar->addMenu(QStringLiteral("&Datei"));
    file->setObjectName(QStringLiteral("mnuDatei"));
    SetLangKey(file, 1);
    file->addAction(actConnect);
    file->addAction(actOvertake);
    file->addSeparator();
    file->addAction(actExit);
    column->setMenuBar(menuBar);

    auto* tools = new QToolBar(this);
    tools->setObjectName(QStringLiteral("ToolBar1"));
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tools->addAction(actConnect);
    tools->addAction(actFolderUp);
    tools->addSeparator();
    tools->addAction(actOvertake);
    tools->addSeparator();
    tools->addAction(actExit);
    column->addWidget(tools);

    edtVerzeichnis = new QLineEdit(this);
    edtVerzeichnis->setObjectName(QStringLiteral("edtVerzeichnis"));
    edtVerzeichnis->setReadOnly(true);
    // Keys go to the listing first.
    edtVerzeichnis->setFocusPolicy(Qt::ClickFocus);
    column->addWidget(edtVerzeichnis);

    auto* split = new QSplitter(Qt::Vertical, this);
    lstDirectory = new QTreeWidget(split);
    lstDirectory->setObjectName(QStringLiteral("lstDirectory"));
    lstDirectory->setRootIsDecorated(false);
    lstDirectory->setUniformRowHeights(true);
    lstDirectory->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstDirectory->setHeaderLabels(
        {QStringLiteral("Name"), QString::fromUtf8("Größe"), QStringLiteral("Datum"), QStringLiteral(" ")});
    SetLangKey(lstDirectory, 166);
    SetColumnLangKeys(lstDirectory, {166, 167, 168, 0});
    QHeaderView* header = lstDirectory->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    lstDirectory->setColumnWidth(SizeColumn, 90);
    lstDirectory->setColumnWidth(DateColumn, 160);
    lstDirectory->setColumnWidth(KindColumn, 50);
    lstDirectory->installEventFilter(this);
    connect(lstDirectory, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { EnterItem(item); });

    lstStatus = new QListWidget(split);
    lstStatus->setObjectName(QStringLiteral("lstStatus"));
    lstStatus->setSelectionMode(QAbstractItemView::SingleSelection);
    lstStatus->setUniformItemSizes(true);
    QPalette palette = lstStatus->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, SelectedBackground);
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    lstStatus->setPalette(palette);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    column->addWidget(split, 1);

    resize(640, 520);
    TranslateWindow(this, texts);
    ShowFolder();
}

TfrmFTPBrowser::~TfrmFTPBrowser()
{
    // Ended here, while the protocol list the client's hook writes to
    // still exists.
    m_browsing.Disconnect();
}

void TfrmFTPBrowser::SetConnection(const TFtpSettings& settings, const QString& startFolder)
{
    m_settings = settings;
    m_startFolder = startFolder;
    m_selectedPath.clear();
}

void TfrmFTPBrowser::AddProtocolLine(TFtpClient::LineKind kind, const QString& line)
{
    const QString text = TFtpBrowsing::ProtocolLine(kind, line);
    if (text.isEmpty())
        return;
    auto* item = new QListWidgetItem(text, lstStatus);
    // Coloured by where the line comes from, not by what it holds: a reply
    // that quotes ">>" stays blue.
    if (kind == TFtpClient::LineKind::Sent)
        item->setForeground(SentColor);
    else if (kind == TFtpClient::LineKind::Received)
        item->setForeground(ReceivedColor);
    lstStatus->setCurrentItem(item);
    lstStatus->scrollToItem(item);
}

void TfrmFTPBrowser::ShowFolder()
{
    edtVerzeichnis->setText(m_browsing.Folder());
    lstDirectory->clear();
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon fileIcon = style()->standardIcon(QStyle::SP_FileIcon);
    QList<QTreeWidgetItem*> items;
    for (const TFtpEntry& entry : m_browsing.Entries()) {
        const TFtpListingRow row = TFtpBrowsing::RowOf(entry);
        auto* item = new QTreeWidgetItem({row.name, row.size, row.date, row.kind});
        item->setIcon(NameColumn, row.folder ? folderIcon : fileIcon);
        item->setTextAlignment(SizeColumn, Qt::AlignRight | Qt::AlignVCenter);
        item->setData(NameColumn, NameRole, entry.name);
        item->setData(NameColumn, FolderRole, row.folder);
        items << item;
    }
    lstDirectory->addTopLevelItems(items);
    if (!items.isEmpty())
        lstDirectory->setCurrentItem(items.first());
    actConnect->setEnabled(!m_browsing.IsConnected());
}

void TfrmFTPBrowser::ConnectToServer()
{
    if (m_browsing.IsConnected())
        return;
    m_browsing.Connect(m_settings, m_startFolder);
    ShowFolder();
}

void TfrmFTPBrowser::FolderUp()
{
    if (!m_browsing.IsConnected())
        return;
    m_browsing.Up();
    ShowFolder();
}

void TfrmFTPBrowser::Refresh()
{
    if (!m_browsing.IsConnected())
        return;
    m_browsing.Refresh();
    ShowFolder();
}

void TfrmFTPBrowser::EnterItem(QTreeWidgetItem* item)
{
    if (!item || !m_browsing.IsConnected() || !item->data(NameColumn, FolderRole).toBool())
        return;
    // A name that cannot go into a command is not entered (and nothing is
    // said: the entry behaves like a file).
    if (!m_browsing.Enter(item->data(NameColumn, NameRole).toString()) && m_browsing.IsConnected())
        return;
    ShowFolder();
}

void TfrmFTPBrowser::TakeOver()
{
    if (!m_browsing.IsConnected()) {
        m_prompter.Message(m_texts.Text(QStringLiteral("txtFTPBrowser5")));
        return;
    }
    const QString folder = edtVerzeichnis->text();
    const QString question = m_texts.Text(QStringLiteral("txtFTPBrowser3")) + folder +
                             m_texts.Text(QStringLiteral("txtFTPBrowser4"));
    if (m_prompter.Question(question, m_texts.Text(QStringLiteral("MsgConfirmation")),
                            Prompter::Icon::Question, false, Prompter::Answer::Yes) != Prompter::Answer::Yes)
        return;
    m_selectedPath = folder;
    accept();
}

void TfrmFTPBrowser::done(int result)
{
    // However the window closes, the connection ends with it.
    m_browsing.Disconnect();
    ShowFolder();
    QDialog::done(result);
}

bool TfrmFTPBrowser::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lstDirectory && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return QDialog::eventFilter(watched, event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: EnterItem(lstDirectory->currentItem()); return true;
        case Qt::Key_F5: Refresh(); return true;
        case Qt::Key_Backspace: FolderUp(); return true;
        default: break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
