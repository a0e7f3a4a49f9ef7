#include "publish/ui/frmSubmissions.h"

#include "app/TempFolder.h"
#include "base/LanguageTexts.h"
#include "base/Prompter.h"
#include "model/FormProject.h"
#include "preview/InboxFiles.h"
#include "ui/TranslateInterface.h"
#include "ui/WidgetBuild.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QTemporaryDir>
#include <QThread>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>
#include <utility>

using namespace WidgetBuild;

namespace
{
// The whole text of a cell (the search looks at it) and what the column
// sorts by (the time as time).
constexpr int FullTextRole = Qt::UserRole;
constexpr int SortRole = Qt::UserRole + 1;
// The entry of a row, in the model's order.
constexpr int EntryRole = Qt::UserRole + 2;

// A cell shows one line; the tool tip shows all of it.
constexpr int ShownLength = 200;
constexpr int TipLength = 4000;

QString Shortened(const QString& text, int length)
{
    return text.size() <= length ? text : text.left(length) + QChar(0x2026);
}

enum AttachmentColumn { FileColumn, SizeColumn, FieldColumn };
} // namespace

// The table of the fetched entries as a model; its texts are taken when
// they are shown, in the language of the moment.
class TSubmissionModel : public QAbstractTableModel
{
public:
    TSubmissionModel(const TLanguageTexts& texts, QObject* parent)
        : QAbstractTableModel(parent), m_texts(texts), m_table({}, {})
    {
    }

    void SetTable(TSubmissionTable table)
    {
        beginResetModel();
        m_table = std::move(table);
        endResetModel();
    }
    const TSubmissionTable& Table() const { return m_table; }
    void TextsChanged()
    {
        if (columnCount() > 0)
            emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : m_table.RowCount();
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_table.Columns().size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
            return {};
        const auto cell = [&] { return m_table.Cell(index.row(), index.column(), m_texts); };
        switch (role) {
        case Qt::DisplayRole: {
            QString text = cell();
            text.replace(QLatin1String("\r\n"), QLatin1String(" "));
            text.replace(QLatin1Char('\n'), QLatin1Char(' '));
            text.replace(QLatin1Char('\r'), QLatin1Char(' '));
            return Shortened(text, ShownLength);
        }
        case Qt::ToolTipRole: {
            const QString text = cell();
            return text.isEmpty() ? QVariant() : QVariant(Shortened(text, TipLength));
        }
        case FullTextRole: return cell();
        case SortRole:
            if (m_table.Columns().at(index.column()).kind == TSubmissionTable::TColumn::Kind::Time) {
                const QDateTime& time = m_table.Entries().at(index.row()).time;
                // An entry without a time goes first.
                return time.isValid() ? time.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
            }
            return cell();
        case EntryRole: return index.row();
        default: return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
            section >= columnCount())
            return QAbstractTableModel::headerData(section, orientation, role);
        return m_table.Header(m_texts).value(section);
    }

private:
    const TLanguageTexts& m_texts;
    TSubmissionTable m_table;
};

TfrmSubmissions::TfrmSubmissions(const TLanguageTexts& texts, Prompter& prompter, TTempFolder& tempFolder,
                                 TFormProject& project, QWidget* parent)
    : QDialog(parent), m_texts(texts), m_prompter(prompter), m_tempFolder(tempFolder), m_project(project),
      m_opener(DesktopUrlOpener())
{
    setObjectName(QStringLiteral("frmSubmissions"));
    SetLangKey(this, 490);
    setWindowTitle(QStringLiteral("Einsendungen"));
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    const auto action = [this](const char* name, int key, const QString& text, QStyle::StandardPixmap icon,
                               const QKeySequence& shortcut) {
        auto* a = new QAction(style()->standardIcon(icon), text, this);
        a->setObjectName(QLatin1String(name));
        SetLangKey(a, key);
        a->setShortcut(shortcut);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
        return a;
    };
    actFetch = action("actFetch", 472, QStringLiteral("Abrufen"), QStyle::SP_BrowserReload,
                      QKeySequence(Qt::Key_F5));
    actExport = action("actExportCsv", 473, QString::fromUtf8("Als CSV exportieren …"),
                       QStyle::SP_DialogSaveButton, QKeySequence(Qt::CTRL | Qt::Key_E));
    actDelete = action("actDelete", 474, QString::fromUtf8("Löschen"), QStyle::SP_TrashIcon,
                       QKeySequence(QKeySequence::Delete));
    actOpenAttachment = action("actOpenAttachment", 476, QString::fromUtf8("Anhang öffnen"),
                               QStyle::SP_FileDialogContentsView, QKeySequence());
    connect(actFetch, &QAction::triggered, this, [this] { Fetch(); });
    connect(actExport, &QAction::triggered, this, [this] { ExportCsv(); });
    connect(actDelete, &QAction::triggered, this, [this] { DeleteSelected(); });

    auto* column = new QVBoxLayout(this);
    auto* tools = new QToolBar(this);
    tools->setObjectName(QStringLiteral("ToolBar1"));
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tools->addAction(actFetch);
    tools->addSeparator();
    auto* searchLabel = Label(tools, "lblSearch", 475, QStringLiteral("Su&chen:"));
    searchLabel->setContentsMargins(4, 0, 4, 0);
    tools->addWidget(searchLabel);
    edtSearch = Edit(tools, "edtSearch");
    edtSearch->setClearButtonEnabled(true);
    edtSearch->setMinimumWidth(220);
    edtSearch->setMaximumWidth(320);
    searchLabel->setBuddy(edtSearch);
    tools->addWidget(edtSearch);
    tools->addSeparator();
    tools->addAction(actExport);
    tools->addAction(actDelete);
    column->addWidget(tools);
    auto* find = new QAction(this);
    find->setObjectName(QStringLiteral("actFind"));
    find->setShortcut(QKeySequence::Find);
    find->setShortcutContext(Qt::WindowShortcut);
    addAction(find);
    connect(find, &QAction::triggered, this, [this] {
        edtSearch->setFocus(Qt::ShortcutFocusReason);
        edtSearch->selectAll();
    });

    m_model = new TSubmissionModel(texts, this);
    m_proxy = new QSortFilterProxyModel(this);
    m_proxy->setSourceModel(m_model);
    m_proxy->setFilterKeyColumn(-1);
    m_proxy->setFilterRole(FullTextRole);
    m_proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_proxy->setSortRole(SortRole);
    m_proxy->setSortCaseSensitivity(Qt::CaseInsensitive);
    m_proxy->setSortLocaleAware(true);
    connect(edtSearch, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_proxy->setFilterFixedString(text);
        UpdateStatus();
        UpdateActions();
    });

    auto* split = new QSplitter(Qt::Vertical, this);
    tblEntries = new QTableView(split);
    tblEntries->setObjectName(QStringLiteral("tblEntries"));
    tblEntries->setModel(m_proxy);
    tblEntries->setSortingEnabled(true);
    tblEntries->sortByColumn(0, Qt::DescendingOrder); // the newest first
    tblEntries->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblEntries->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tblEntries->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblEntries->setWordWrap(false);
    tblEntries->setTextElideMode(Qt::ElideRight);
    tblEntries->setAlternatingRowColors(true);
    tblEntries->verticalHeader()->setVisible(false);
    tblEntries->verticalHeader()->setDefaultSectionSize(tblEntries->fontMetrics().height() + 8);
    tblEntries->horizontalHeader()->setStretchLastSection(true);
    tblEntries->horizontalHeader()->setSectionsMovable(true);
    tblEntries->installEventFilter(this);
    connect(tblEntries->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        UpdateActions();
        UpdateStatus();
    });
    connect(tblEntries->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { FillAttachments(); });
    connect(m_proxy, &QAbstractItemModel::modelReset, this, [this] { FillAttachments(); });
    connect(m_proxy, &QAbstractItemModel::layoutChanged, this, [this] { FillAttachments(); });

    auto* attachments = new QWidget(split);
    auto* attachmentColumn = new QVBoxLayout(attachments);
    attachmentColumn->setContentsMargins(0, 4, 0, 0);
    auto* attachmentRow = new QHBoxLayout;
    attachmentRow->addWidget(
        Label(attachments, "lblAttachments", 477, QString::fromUtf8("Anhänge des Eintrags")), 1);
    auto* open = new QPushButton(attachments);
    open->setObjectName(QStringLiteral("btOpenAttachment"));
    SetLangKey(open, 476);
    open->setText(actOpenAttachment->text());
    open->setIcon(actOpenAttachment->icon());
    attachmentRow->addWidget(open);
    attachmentColumn->addLayout(attachmentRow);
    lstAttachments = new QTreeWidget(attachments);
    lstAttachments->setObjectName(QStringLiteral("lstAttachments"));
    lstAttachments->setRootIsDecorated(false);
    lstAttachments->setUniformRowHeights(true);
    lstAttachments->setHeaderLabels(
        {QStringLiteral("Datei"), QString::fromUtf8("Größe"), QStringLiteral("Feld")});
    SetLangKey(lstAttachments, 477);
    SetColumnLangKeys(lstAttachments, {478, 479, 480});
    lstAttachments->header()->setStretchLastSection(false);
    lstAttachments->header()->setSectionResizeMode(FileColumn, QHeaderView::Stretch);
    lstAttachments->setColumnWidth(SizeColumn, 110);
    lstAttachments->setColumnWidth(FieldColumn, 180);
    lstAttachments->installEventFilter(this);
    attachmentColumn->addWidget(lstAttachments, 1);
    const auto openCurrent = [this] {
        QTreeWidgetItem* item = lstAttachments->currentItem();
        if (item)
            OpenAttachment(lstAttachments->indexOfTopLevelItem(item));
    };
    connect(open, &QPushButton::clicked, this, openCurrent);
    connect(actOpenAttachment, &QAction::triggered, this, openCurrent);
    connect(actOpenAttachment, &QAction::changed, open,
            [this, open] { open->setEnabled(actOpenAttachment->isEnabled()); });
    connect(lstAttachments, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { OpenAttachment(lstAttachments->indexOfTopLevelItem(item)); });
    // A double click on an entry opens its first attachment.
    connect(tblEntries, &QTableView::doubleClicked, this, [this] {
        if (lstAttachments->topLevelItemCount() > 0)
            OpenAttachment(0);
    });
    split->addWidget(tblEntries);
    split->addWidget(attachments);
    split->setStretchFactor(0, 4);
    split->setStretchFactor(1, 1);
    split->setSizes({400, 120});
    column->addWidget(split, 1);

    auto* bottom = new QHBoxLayout;
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setWordWrap(true);
    lblStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bottom->addWidget(lblStatus, 1);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("pbFetch"));
    m_progress->setMaximumWidth(200);
    m_progress->hide();
    bottom->addWidget(m_progress);
    btCancel = Button(this, "btCancel", 156, QStringLiteral("Abbrechen"));
    btCancel->hide();
    connect(btCancel, &QPushButton::clicked, this, [this] { m_cancel = true; });
    bottom->addWidget(btCancel);
    auto* close = Button(this, "btClose", 138, QString::fromUtf8("&Schließen"));
    close->setAutoDefault(false);
    btCancel->setAutoDefault(false);
    open->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    bottom->addWidget(close);
    column->addLayout(bottom);

    resize(900, 560);
    TranslateWindow(this, texts);
    UpdateActions();
    UpdateStatus();
}

TfrmSubmissions::~TfrmSubmissions()
{
    CancelAndWait();
}

void TfrmSubmissions::SetUrlOpener(TUrlOpener opener)
{
    m_opener = opener ? std::move(opener) : DesktopUrlOpener();
}

QString TfrmSubmissions::Text(const char* key) const
{
    return m_texts.Text(QLatin1String(key));
}

QString TfrmSubmissions::LocalFolder() const
{
    return m_local ? m_local->path() : QString();
}

void TfrmSubmissions::Open()
{
    show();
    raise();
    activateWindow();
    tblEntries->setFocus();
    if (m_project.chkStoreEntries && !m_thread)
        Fetch();
    else
        UpdateStatus();
}

bool TfrmSubmissions::Fetch()
{
    return StartWork(Work::Fetch, {});
}

bool TfrmSubmissions::StartWork(Work work, const QSet<QString>& ids)
{
    if (m_thread)
        return false;
    if (m_project.edtFtpServer.trimmed().isEmpty()) {
        m_prompter.Message(Text("txtMainFrmFTP13"), Text("MsgError"), Prompter::Icon::Error);
        return false;
    }
    if (work == Work::Fetch && !m_local) {
        const QString base = m_tempFolder.Path();
        auto local = std::make_unique<QTemporaryDir>((base.isEmpty() ? QString() : base + QLatin1Char('/')) +
                                                     QStringLiteral("submissions-XXXXXX"));
        if (base.isEmpty() || !local->isValid()) {
            m_prompter.Message(Text("txtSubmissionsFetchFailed")
                                   .arg(base.isEmpty() ? QStringLiteral("no private temporary folder")
                                                       : local->errorString()),
                               Text("MsgError"), Prompter::Icon::Error);
            return false;
        }
        m_local = std::move(local);
    }
    m_server = std::make_unique<TSubmissionServer>(TSubmissionServer::Of(m_project));
    if (work == Work::Fetch)
        m_formFields = TSubmissionTable::FormFieldNames(m_project);
    m_work = work;
    m_deleteIds = ids;
    m_cancel = false;
    m_fetched.reset();
    m_deleted.reset();
    m_workNotes.clear();
    QPointer<TfrmSubmissions> self(this);
    m_server->SetProgress([this, self](const QString& file, int done, int total) {
        if (m_cancel)
            return false;
        QMetaObject::invokeMethod(
            self, [self, file, done, total] { self->ShowProgress(file, done, total); }, Qt::QueuedConnection);
        return true;
    });
    const QString folder = m_local ? m_local->path() : QString();
    if (work == Work::Fetch)
        m_thread = QThread::create([this, folder] { m_fetched.emplace(m_server->Fetch(folder)); });
    else
        m_thread =
            QThread::create([this] { m_deleted.emplace(m_server->Delete(m_deleteIds, &m_workNotes)); });
    m_thread->setObjectName(QStringLiteral("Submissions"));
    connect(m_thread, &QThread::finished, this, &TfrmSubmissions::WorkDone);
    SetBusy(true);
    ShowProgress(QString(), 0, 0);
    m_thread->start();
    return true;
}

void TfrmSubmissions::ShowProgress(const QString& file, int done, int total)
{
    if (!m_thread)
        return;
    m_progress->setRange(0, total > 0 ? total : 0);
    m_progress->setValue(done);
    const QString step = Text(m_work == Work::Fetch ? "txtSubmissionsFetching" : "txtSubmissionsDeleting");
    lblStatus->setText(step.arg(file));
}

void TfrmSubmissions::WorkDone()
{
    if (!m_thread)
        return;
    m_thread->wait();
    m_thread->deleteLater();
    m_thread = nullptr;
    const bool cancelled = m_cancel;
    SetBusy(false);
    if (m_work == Work::Fetch) {
        const TResult<TSubmissionFetch> fetched =
            m_fetched ? std::move(*m_fetched)
                      : TResult<TSubmissionFetch>(TFailure{QStringLiteral("no result"), {}});
        m_fetched.reset();
        const bool ok = fetched.Ok();
        if (ok) {
            m_noStore = fetched->noStore;
            m_notes = fetched->read.notes;
            m_fetchedAt = QDateTime::currentDateTime();
            m_message = std::exchange(m_nextMessage, QString());
            m_notes << std::exchange(m_nextNotes, QStringList());
            m_model->SetTable(TSubmissionTable(fetched->read.entries, m_formFields));
            FitColumns();
        } else if (cancelled) {
            m_nextMessage.clear();
            m_nextNotes.clear();
            m_message = Text("txtSubmissionsCancelled");
        } else {
            m_nextMessage.clear();
            m_nextNotes.clear();
            m_message = Text("txtSubmissionsFetchFailed").arg(fetched.Error());
            m_prompter.Message(m_message, Text("MsgError"), Prompter::Icon::Error);
        }
        UpdateActions();
        UpdateStatus();
        emit Fetched(ok);
        return;
    }

    const TResult<int> deleted =
        m_deleted ? std::move(*m_deleted) : TResult<int>(TFailure{QStringLiteral("no result"), {}});
    m_deleted.reset();
    if (!deleted) {
        m_message = cancelled ? Text("txtSubmissionsCancelled")
                              : Text("txtSubmissionsDeleteFailed").arg(deleted.Error());
        if (!cancelled)
            m_prompter.Message(m_message, Text("MsgError"), Prompter::Icon::Error);
        UpdateActions();
        UpdateStatus();
        emit DeleteFinished(false, 0);
        return;
    }
    emit DeleteFinished(true, *deleted);
    // The table shows what the server holds now; the fetch's line tells
    // what was deleted.
    m_nextMessage = Text("txtSubmissionsDeleted").arg(*deleted);
    m_nextNotes = m_workNotes;
    if (!Fetch()) {
        m_message = std::exchange(m_nextMessage, QString());
        m_notes << std::exchange(m_nextNotes, QStringList());
        UpdateActions();
        UpdateStatus();
    }
}

void TfrmSubmissions::CancelAndWait()
{
    if (!m_thread)
        return;
    m_cancel = true;
    m_thread->wait();
    // Not shown any more: the results are dropped.
    m_thread->deleteLater();
    m_thread = nullptr;
    m_fetched.reset();
    m_deleted.reset();
    SetBusy(false);
}

void TfrmSubmissions::SetBusy(bool busy)
{
    m_progress->setVisible(busy);
    btCancel->setVisible(busy);
    btCancel->setEnabled(busy);
    UpdateActions();
}

void TfrmSubmissions::UpdateActions()
{
    const bool idle = !m_thread;
    actFetch->setEnabled(idle);
    actExport->setEnabled(idle && m_proxy->rowCount() > 0);
    actDelete->setEnabled(idle && !SelectedEntries().isEmpty());
    actOpenAttachment->setEnabled(lstAttachments->topLevelItemCount() > 0);
}

int TfrmSubmissions::ShownRows() const
{
    return m_proxy->rowCount();
}

QString TfrmSubmissions::StatusText() const
{
    return lblStatus->text();
}

void TfrmSubmissions::ShowTexts()
{
    m_model->TextsChanged();
    FillAttachments();
    if (!m_thread)
        UpdateStatus();
}

void TfrmSubmissions::UpdateStatus()
{
    if (m_thread)
        return;
    QStringList lines;
    if (!m_project.chkStoreEntries)
        lines << Text("txtSubmissionsStoreOff");
    if (!m_message.isEmpty())
        lines << m_message;
    if (m_fetchedAt.isValid()) {
        if (m_noStore) {
            lines << Text("txtSubmissionsNone").arg(TSubmissionServer::FtpFolderOf(m_project));
        } else {
            QString line = Text("txtSubmissionsCount").arg(m_model->rowCount());
            if (m_proxy->rowCount() != m_model->rowCount())
                line += QStringLiteral(" \u2013 ") + Text("txtSubmissionsShown").arg(m_proxy->rowCount());
            const int selected = static_cast<int>(SelectedEntries().size());
            if (selected > 1)
                line += QStringLiteral(" \u2013 ") + Text("txtSubmissionsSelected").arg(selected);
            lines << line;
        }
        lines.last() +=
            QStringLiteral(" \u2013 ") +
            Text("txtSubmissionsFetchedAt").arg(m_fetchedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    }
    if (!m_notes.isEmpty())
        lines << Text("txtSubmissionsNotes").arg(m_notes.join(QStringLiteral("; ")));
    lblStatus->setText(lines.join(QLatin1Char('\n')));
    lblStatus->setToolTip(m_notes.join(QLatin1Char('\n')));
}

void TfrmSubmissions::FitColumns()
{
    // Wide enough for short values; a long one is elided.
    tblEntries->resizeColumnsToContents();
    for (int c = 0; c < m_model->columnCount(); ++c)
        tblEntries->setColumnWidth(c, qMin(tblEntries->columnWidth(c), 320));
}

QList<int> TfrmSubmissions::SelectedEntries() const
{
    QList<int> entries;
    const QModelIndexList rows = tblEntries->selectionModel()->selectedRows();
    for (const QModelIndex& row : rows)
        entries << m_proxy->mapToSource(row).row();
    std::sort(entries.begin(), entries.end());
    return entries;
}

void TfrmSubmissions::FillAttachments()
{
    lstAttachments->clear();
    const QModelIndex current = m_proxy->mapToSource(tblEntries->currentIndex());
    if (current.isValid() && current.row() < m_model->rowCount()) {
        const TSubmission& entry = m_model->Table().Entries().at(current.row());
        const QString bytes = m_texts.Text(QStringLiteral("428"));
        const QString separator = m_texts.Text(QStringLiteral("429"));
        for (const TSubmissionFile& file : entry.attachments) {
            auto* item = new QTreeWidgetItem(lstAttachments);
            item->setText(FileColumn, file.name);
            item->setToolTip(FileColumn, file.name);
            item->setText(SizeColumn,
                          FormatSize(file.size, bytes.isEmpty() ? QStringLiteral("%1 Bytes") : bytes,
                                     separator.isEmpty() ? QLatin1Char(',') : separator.at(0)));
            item->setTextAlignment(SizeColumn, Qt::AlignRight | Qt::AlignVCenter);
            item->setText(FieldColumn, file.field);
        }
        if (lstAttachments->topLevelItemCount() > 0)
            lstAttachments->setCurrentItem(lstAttachments->topLevelItem(0));
    }
    UpdateActions();
}

bool TfrmSubmissions::OpenAttachment(int index)
{
    const QModelIndex current = m_proxy->mapToSource(tblEntries->currentIndex());
    if (!current.isValid() || current.row() >= m_model->rowCount())
        return false;
    const TSubmission& entry = m_model->Table().Entries().at(current.row());
    if (index < 0 || index >= entry.attachments.size())
        return false;
    const TSubmissionFile& file = entry.attachments.at(index);
    const QString caption = Text("MsgError");
    // Only a file the store names as its own: a foreign entry reaches no
    // other file.
    const QString fetched =
        m_local && SubmissionStore::IsStoredFileName(file.file) ? m_local->filePath(file.file) : QString();
    QFile source(fetched);
    if (fetched.isEmpty() || !QFileInfo(fetched).isFile() || !source.open(QIODevice::ReadOnly)) {
        m_prompter.Message(Text("txtSubmissionsAttachmentMissing").arg(CleanAttachmentName(file.name)),
                           caption, Prompter::Icon::Error);
        return false;
    }
    // Under the visitor's name, so that the desktop knows its kind.
    const TResult<QString> saved =
        SaveAttachment(m_local->filePath(QStringLiteral("open")), file.name, source.readAll());
    if (!saved) {
        m_prompter.Message(
            Text("txtInboxAttachmentNotSaved").arg(CleanAttachmentName(file.name), saved.Error()), caption,
            Prompter::Icon::Error);
        return false;
    }
    if (!m_opener(QUrl::fromLocalFile(*saved))) {
        m_prompter.Message(Text("txtInboxAttachmentNotOpened").arg(*saved), caption, Prompter::Icon::Error);
        return false;
    }
    return true;
}

bool TfrmSubmissions::DeleteSelected()
{
    if (m_thread)
        return false;
    const QList<int> rows = SelectedEntries();
    if (rows.isEmpty())
        return false;
    QSet<QString> ids;
    for (const int row : rows)
        ids << m_model->Table().Entries().at(row).id;
    const QString question = Text("txtSubmissionsDeleteAsk").arg(ids.size());
    if (m_prompter.Question(question, Text("MsgConfirmation"), Prompter::Icon::Question, false,
                            Prompter::Answer::No) != Prompter::Answer::Yes)
        return false;
    m_message.clear();
    return StartWork(Work::Delete, ids);
}

bool TfrmSubmissions::ExportCsv()
{
    if (m_proxy->rowCount() == 0)
        return false;
    Prompter::FileRequest request;
    request.caption = actExport->text().remove(QChar(0x2026)).trimmed();
    request.fileName = Text("txtSubmissionsCsvName");
    request.filter = Text("txtSubmissionsCsvFilter");
    request.defaultSuffix = QStringLiteral("csv");
    const QString path = m_prompter.SaveFileName(request);
    if (path.isEmpty())
        return false;
    // The rows as shown: searched and in their order.
    QList<TSubmission> entries;
    for (int row = 0; row < m_proxy->rowCount(); ++row)
        entries << m_model->Table().Entries().at(m_proxy->mapToSource(m_proxy->index(row, 0)).row());
    const TSubmissionTable table(entries, m_formFields);
    if (const TStatus written = SubmissionsCsv::Write(path, table, m_texts); !written) {
        m_prompter.Message(Text("txtSubmissionsExportFailed").arg(written.Error()), Text("MsgError"),
                           Prompter::Icon::Error);
        return false;
    }
    m_message = Text("txtSubmissionsExported").arg(table.RowCount()).arg(path);
    UpdateStatus();
    return true;
}

void TfrmSubmissions::ShowEntries(QList<TSubmission> entries, const QDateTime& fetched)
{
    m_formFields = TSubmissionTable::FormFieldNames(m_project);
    m_model->SetTable(TSubmissionTable(std::move(entries), m_formFields));
    FitColumns();
    m_fetchedAt = fetched;
    m_noStore = false;
    m_notes.clear();
    m_message.clear();
    UpdateActions();
    UpdateStatus();
}

void TfrmSubmissions::done(int result)
{
    // However the window closes, the work ends and the local copy goes.
    CancelAndWait();
    m_model->SetTable(TSubmissionTable({}, {}));
    m_local.reset();
    m_server.reset();
    m_fetchedAt = QDateTime();
    m_notes.clear();
    m_message.clear();
    m_noStore = false;
    edtSearch->clear();
    UpdateActions();
    UpdateStatus();
    QDialog::done(result);
}

bool TfrmSubmissions::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                           !(key->modifiers() & ~Qt::KeypadModifier);
        if (enter && watched == lstAttachments && lstAttachments->currentItem()) {
            OpenAttachment(lstAttachments->indexOfTopLevelItem(lstAttachments->currentItem()));
            return true;
        }
        if (enter && watched == tblEntries) {
            if (lstAttachments->topLevelItemCount() > 0)
                OpenAttachment(lstAttachments->indexOfTopLevelItem(lstAttachments->currentItem()));
            return true; // never the dialog's default button
        }
    }
    return QDialog::eventFilter(watched, event);
}
