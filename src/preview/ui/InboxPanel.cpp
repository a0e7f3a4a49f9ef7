#include "preview/ui/InboxPanel.h"

#include "app/TempFolder.h"
#include "base/LanguageTexts.h"
#include "base/Prompter.h"
#include "preview/InboxFiles.h"
#include "ui/GuardedPage.h"
#include "ui/TranslateInterface.h"
#include "ui/WidgetBuild.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

using namespace WidgetBuild;

namespace
{
enum MailColumn { TimeColumn, RecipientsColumn, SubjectColumn, AttachmentsColumn, NoteColumn };
enum MessageColumn { MessageTimeColumn, LevelColumn, TextColumn };
enum AttachmentColumn { NameColumn, SizeColumn };

// The longest address the browser engine loads (2 MB).
constexpr qsizetype LongestDataUrl = 2 * 1024 * 1024;

// A mail's HTML loads nothing: no pictures, style sheets or frames from a
// server (they would tell the sender the mail was read, and a test must not
// reach out), no local files. Only the document itself comes through.
class TNothingFromElsewhere : public QWebEngineUrlRequestInterceptor
{
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override
    {
        const QString scheme = info.requestUrl().scheme();
        if (scheme != QLatin1String("data") && scheme != QLatin1String("about"))
            info.block(true);
    }
};

QTreeWidget* ListView(QWidget* parent, const char* name, int key, const QStringList& columns,
                      const QList<int>& keys)
{
    auto* view = new QTreeWidget(parent);
    view->setObjectName(QLatin1String(name));
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setHeaderLabels(columns);
    SetLangKey(view, key);
    SetColumnLangKeys(view, keys);
    return view;
}

QPlainTextEdit* ReadOnlyText(QWidget* parent, const char* name, bool monospace)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QLatin1String(name));
    memo->setReadOnly(true);
    memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    if (monospace)
        memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return memo;
}

QLabel* Value(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

bool IsXml(const QString& contentType)
{
    return contentType == QLatin1String("text/xml") || contentType == QLatin1String("application/xml") ||
           contentType.endsWith(QLatin1String("+xml"));
}

QStyle::StandardPixmap IconOf(TServerMessage::Kind kind)
{
    switch (kind) {
    case TServerMessage::Kind::Error:
    case TServerMessage::Kind::FailedAnswer: return QStyle::SP_MessageBoxCritical;
    case TServerMessage::Kind::Warning: return QStyle::SP_MessageBoxWarning;
    default: return QStyle::SP_MessageBoxInformation;
    }
}
} // namespace

TInboxPanel::TInboxPanel(const TLanguageTexts& texts, TTempFolder& tempFolder, Prompter& prompter,
                         QWidget* parent)
    : QWidget(parent), m_texts(texts), m_tempFolder(tempFolder), m_prompter(prompter),
      m_opener(DesktopUrlOpener())
{
    setObjectName(QStringLiteral("InboxPanel"));
    BuildPanel();
    TranslateWindow(this, m_texts);
    RefreshTexts();
    ShowMail(-1);
}

TInboxPanel::~TInboxPanel()
{
    // The page goes before its profile, and the view before the page.
    delete m_web;
    delete m_page;
    delete m_profile;
    for (const QString& folder : std::as_const(m_openedFolders))
        QDir(folder).removeRecursively();
}

// Texts that the panel puts together itself come from actions with a key:
// translating the window changes them, and the panel sets its texts anew.
QAction* TInboxPanel::TextSource(const char* name, int key, const QString& text)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    SetLangKey(action, key);
    connect(action, &QAction::changed, this, &TInboxPanel::RefreshTexts);
    return action;
}

void TInboxPanel::BuildPanel()
{
    m_copyText = TextSource("txtCopyToSender", 416, QStringLiteral("Kopie an Absender"));
    m_unreadableText =
        TextSource("txtMailUnreadable", 425, QStringLiteral("Diese Mail konnte nicht gelesen werden: %1"));
    m_noBodyText = TextSource("txtMailNoBody", 426, QStringLiteral("Diese Mail hat keinen Textteil."));
    m_bytesText = TextSource("txtBytes", 428, QStringLiteral("%1 Bytes"));
    m_decimalText = TextSource("txtDecimalSeparator", 429, QStringLiteral(","));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName(QStringLiteral("splitInbox"));
    split->setChildrenCollapsible(false);
    column->addWidget(split);

    auto* mailSplit = new QSplitter(Qt::Horizontal, split);
    mailSplit->setObjectName(QStringLiteral("splitMails"));
    mailSplit->setChildrenCollapsible(false);

    // The mails.
    auto* mailsBox = new QWidget(mailSplit);
    auto* mailsColumn = new QVBoxLayout(mailsBox);
    mailsColumn->setContentsMargins(0, 0, 0, 0);
    auto* mailsTitle = new QHBoxLayout;
    QLabel* mailsLabel = Label(mailsBox, "lblMails", 410, QStringLiteral("Empfangene E-Mails"));
    QFont bold = mailsLabel->font();
    bold.setBold(true);
    mailsLabel->setFont(bold);
    mailsTitle->addWidget(mailsLabel);
    lblMailCount = new QLabel(mailsBox);
    lblMailCount->setObjectName(QStringLiteral("lblMailCount"));
    lblMailCount->setFont(bold);
    mailsTitle->addWidget(lblMailCount);
    mailsTitle->addStretch(1);
    QPushButton* clear = Button(mailsBox, "btClearInbox", 427, QStringLiteral("Leeren"));
    mailsTitle->addWidget(clear);
    mailsColumn->addLayout(mailsTitle);
    lstMails = ListView(mailsBox, "lstMails", 410,
                        {QStringLiteral("Zeit"), QString::fromUtf8("Empfänger"), QStringLiteral("Betreff"),
                         QString::fromUtf8("Anhänge"), QStringLiteral("Hinweis")},
                        {411, 412, 413, 414, 415});
    lstMails->setMinimumWidth(260);
    // The subject takes what is left, so the marker of the copy stays in
    // sight.
    QHeaderView* mailHeader = lstMails->header();
    mailHeader->setStretchLastSection(false);
    mailHeader->setSectionResizeMode(SubjectColumn, QHeaderView::Stretch);
    for (const int fitted : {TimeColumn, AttachmentsColumn, NoteColumn})
        mailHeader->setSectionResizeMode(fitted, QHeaderView::ResizeToContents);
    lstMails->setColumnWidth(RecipientsColumn, 125);
    mailsColumn->addWidget(lstMails, 1);
    connect(lstMails, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { ShowMail(item ? lstMails->indexOfTopLevelItem(item) : -1); });
    connect(clear, &QPushButton::clicked, this, &TInboxPanel::Clear);

    // The selected mail.
    auto* details = new QWidget(mailSplit);
    details->setObjectName(QStringLiteral("pnlMail"));
    auto* detailsColumn = new QVBoxLayout(details);
    detailsColumn->setContentsMargins(0, 0, 0, 0);
    auto* form = new QFormLayout;
    lblTo = Value(details, "lblMailTo");
    lblSubject = Value(details, "lblMailSubject");
    form->addRow(Label(details, "lblTo", 417, QStringLiteral("An:")), lblTo);
    form->addRow(Label(details, "lblSubject", 418, QStringLiteral("Betreff:")), lblSubject);
    detailsColumn->addLayout(form);
    lblCopyToSender = Label(details, "lblCopyToSender", 416, QStringLiteral("Kopie an Absender"));
    lblCopyToSender->setFont(bold);
    detailsColumn->addWidget(lblCopyToSender);
    lblMailError = Value(details, "lblMailError");
    QPalette errorColors = lblMailError->palette();
    errorColors.setColor(QPalette::WindowText, QColor(0xB0, 0x00, 0x20));
    lblMailError->setPalette(errorColors);
    detailsColumn->addWidget(lblMailError);

    tabsMail = new QTabWidget(details);
    tabsMail->setObjectName(QStringLiteral("tabsMail"));
    detailsColumn->addWidget(tabsMail, 1);

    auto* message = new QWidget(tabsMail);
    message->setObjectName(QStringLiteral("tsMailBody"));
    tabsMail->addTab(message, QStringLiteral("Nachricht"));
    SetLangKey(message, 419);
    auto* messageColumn = new QVBoxLayout(message);
    stkBody = new QStackedWidget(message);
    stkBody->setObjectName(QStringLiteral("stkBody"));
    memoBody = ReadOnlyText(stkBody, "memoBody", false);
    stkBody->addWidget(memoBody);

    m_profile = new QWebEngineProfile(this);
    m_profile->setUrlRequestInterceptor(new TNothingFromElsewhere(m_profile));
    m_page = new TGuardedPage(m_profile, this);
    QWebEngineSettings* settings = m_page->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    settings->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    m_web = new QWebEngineView(stkBody);
    m_web->setObjectName(QStringLiteral("webBody"));
    m_web->setPage(m_page);
    m_web->setContextMenuPolicy(Qt::NoContextMenu);
    stkBody->addWidget(m_web);
    connect(m_web, &QWebEngineView::loadFinished, this, &TInboxPanel::HtmlShown);
    messageColumn->addWidget(stkBody, 1);

    m_attachmentBox = new QWidget(message);
    m_attachmentBox->setObjectName(QStringLiteral("pnlAttachments"));
    auto* attachmentColumn = new QVBoxLayout(m_attachmentBox);
    attachmentColumn->setContentsMargins(0, 0, 0, 0);
    auto* attachmentRow = new QHBoxLayout;
    attachmentRow->addWidget(Label(m_attachmentBox, "lblAttachments", 414, QString::fromUtf8("Anhänge")));
    attachmentRow->addStretch(1);
    btOpenAttachment = Button(m_attachmentBox, "btOpenAttachment", 422, QString::fromUtf8("&Öffnen"));
    attachmentRow->addWidget(btOpenAttachment);
    attachmentColumn->addLayout(attachmentRow);
    lstAttachments = ListView(m_attachmentBox, "lstAttachments", 51,
                              {QStringLiteral("Name"), QString::fromUtf8("Größe")}, {51, 167});
    lstAttachments->setMaximumHeight(96);
    lstAttachments->header()->setStretchLastSection(false);
    lstAttachments->header()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    lstAttachments->setColumnWidth(SizeColumn, 90);
    attachmentColumn->addWidget(lstAttachments);
    messageColumn->addWidget(m_attachmentBox);
    // Enter and a double click open the attachment, as the button does.
    connect(lstAttachments, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { OpenAttachment(lstAttachments->indexOfTopLevelItem(item)); });
    connect(btOpenAttachment, &QPushButton::clicked, this, [this] {
        if (QTreeWidgetItem* item = lstAttachments->currentItem())
            OpenAttachment(lstAttachments->indexOfTopLevelItem(item));
    });

    memoHeaders = ReadOnlyText(tabsMail, "memoHeaders", true);
    tabsMail->addTab(memoHeaders, QStringLiteral("Kopfzeilen"));
    SetLangKey(memoHeaders, 420);
    memoSource = ReadOnlyText(tabsMail, "memoSource", true);
    memoSource->setLineWrapMode(QPlainTextEdit::NoWrap);
    tabsMail->addTab(memoSource, QStringLiteral("Quelltext"));
    SetLangKey(memoSource, 421);
    details->setMinimumWidth(320);
    mailSplit->addWidget(mailsBox);
    mailSplit->addWidget(details);
    mailSplit->setStretchFactor(0, 1);
    mailSplit->setStretchFactor(1, 1);
    mailSplit->setSizes({500, 500});

    // What PHP printed.
    auto* messages = new QWidget(split);
    auto* messagesColumn = new QVBoxLayout(messages);
    messagesColumn->setContentsMargins(0, 0, 0, 0);
    auto* messagesTitle = new QHBoxLayout;
    QLabel* messagesLabel = Label(messages, "lblPhpMessages", 423, QStringLiteral("PHP-Meldungen"));
    messagesLabel->setFont(bold);
    messagesTitle->addWidget(messagesLabel);
    lblMessageCount = new QLabel(messages);
    lblMessageCount->setObjectName(QStringLiteral("lblMessageCount"));
    lblMessageCount->setFont(bold);
    messagesTitle->addWidget(lblMessageCount);
    messagesTitle->addStretch(1);
    messagesColumn->addLayout(messagesTitle);
    lstMessages =
        ListView(messages, "lstMessages", 423,
                 {QStringLiteral("Zeit"), QStringLiteral("Typ"), QStringLiteral("Meldung")}, {411, 53, 424});
    lstMessages->setColumnWidth(MessageTimeColumn, 70);
    lstMessages->setColumnWidth(LevelColumn, 110);
    lstMessages->setWordWrap(true);
    lstMessages->setUniformRowHeights(false);
    lstMessages->setMinimumHeight(90);
    messagesColumn->addWidget(lstMessages, 1);
    split->addWidget(mailSplit);
    split->addWidget(messages);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);

    setFocusProxy(lstMails);
}

void TInboxPanel::SetUrlOpener(TUrlOpener opener)
{
    m_opener = opener ? std::move(opener) : DesktopUrlOpener();
}

void TInboxPanel::AddMail(const TMailMessage& mail, bool copyToSender, const QDateTime& received)
{
    TReceived entry{mail, mail.Attachments(), copyToSender, received};
    auto* item = new QTreeWidgetItem(lstMails);
    item->setText(TimeColumn, received.toString(QStringLiteral("HH:mm:ss")));
    item->setText(RecipientsColumn, mail.Recipients().join(QStringLiteral(", ")));
    item->setText(SubjectColumn, mail.Subject());
    item->setText(AttachmentsColumn, QString::number(entry.attachments.size()));
    item->setTextAlignment(AttachmentsColumn, Qt::AlignRight | Qt::AlignVCenter);
    if (!mail.error.isEmpty())
        item->setIcon(SubjectColumn, style()->standardIcon(QStyle::SP_MessageBoxWarning));
    item->setToolTip(RecipientsColumn, item->text(RecipientsColumn));
    item->setToolTip(SubjectColumn, item->text(SubjectColumn));
    m_mails.append(std::move(entry));
    if (copyToSender)
        item->setText(NoteColumn, m_copyText->text());
    UpdateCounts();
    lstMails->setCurrentItem(item);
    lstMails->scrollToItem(item);
}

void TInboxPanel::AddServerOutput(const QByteArray& chunk)
{
    const qsizetype changed = m_log.Add(chunk);
    if (changed < 0)
        return;
    for (qsizetype i = changed; i < m_log.Messages().size(); ++i)
        UpdateMessageRow(i);
    UpdateCounts();
    lstMessages->scrollToBottom();
}

void TInboxPanel::UpdateMessageRow(qsizetype index)
{
    const TServerMessage& message = m_log.Messages().at(index);
    QTreeWidgetItem* item = index < lstMessages->topLevelItemCount()
                                ? lstMessages->topLevelItem(static_cast<int>(index))
                                : new QTreeWidgetItem(lstMessages);
    item->setText(MessageTimeColumn, message.time);
    item->setIcon(LevelColumn, style()->standardIcon(IconOf(message.kind)));
    item->setText(LevelColumn, message.level);
    // The first line in the list, a trace in the tip.
    item->setText(TextColumn, message.text.section(QLatin1Char('\n'), 0, 0));
    item->setToolTip(TextColumn, message.text);
}

void TInboxPanel::Clear()
{
    m_mails.clear();
    lstMails->clear();
    m_log.Clear();
    lstMessages->clear();
    UpdateCounts();
    ShowMail(-1);
}

void TInboxPanel::UpdateCounts()
{
    lblMailCount->setText(QStringLiteral("(%1)").arg(m_mails.size()));
    lblMessageCount->setText(QStringLiteral("(%1)").arg(m_log.Messages().size()));
}

int TInboxPanel::SelectedMail() const
{
    QTreeWidgetItem* item = lstMails->currentItem();
    return item ? lstMails->indexOfTopLevelItem(item) : -1;
}

void TInboxPanel::SelectMail(int index)
{
    lstMails->setCurrentItem(lstMails->topLevelItem(index));
}

void TInboxPanel::ShowMail(int index)
{
    const bool valid = index >= 0 && index < m_mails.size();
    tabsMail->setEnabled(valid);
    if (!valid) {
        lblTo->clear();
        lblSubject->clear();
        lblCopyToSender->hide();
        lblMailError->hide();
        memoHeaders->clear();
        memoSource->clear();
        lstAttachments->clear();
        m_attachmentBox->hide();
        ShowText(QString(), false);
        return;
    }
    const TReceived& received = m_mails.at(index);
    const TMailMessage& mail = received.mail;
    lblTo->setText(mail.Recipients().join(QStringLiteral(", ")));
    lblSubject->setText(mail.Subject());
    lblCopyToSender->setVisible(received.copyToSender);
    QStringList headers;
    for (const auto& [name, value] : mail.headers)
        headers << name + QStringLiteral(": ") + value;
    memoHeaders->setPlainText(headers.join(QLatin1Char('\n')));
    memoSource->setPlainText(QString::fromUtf8(mail.raw).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    FillAttachments(received);
    ShowBody(received);
}

void TInboxPanel::ShowBody(const TReceived& received)
{
    const TMailMessage& mail = received.mail;
    ShowNotes(received);
    if (!mail.error.isEmpty()) {
        // What could not be read is shown as it came.
        ShowText(QString::fromUtf8(mail.raw), true);
        return;
    }
    const TMailPart* body = mail.Body();
    if (!body)
        ShowText(QString(), false);
    else if (body->contentType == QLatin1String("text/html"))
        ShowHtml(body->Text());
    else
        ShowText(body->Text(), IsXml(body->contentType));
}

// The reason a mail is shown raw, or that it has no text; the sizes of its
// attachments.
void TInboxPanel::ShowNotes(const TReceived& received)
{
    const TMailMessage& mail = received.mail;
    if (!mail.error.isEmpty())
        lblMailError->setText(m_unreadableText->text().replace(QLatin1String("%1"), mail.error));
    else if (!mail.Body())
        lblMailError->setText(m_noBodyText->text());
    lblMailError->setVisible(!mail.error.isEmpty() || !mail.Body());
    for (int i = 0; i < lstAttachments->topLevelItemCount() && i < received.attachments.size(); ++i)
        lstAttachments->topLevelItem(i)->setText(SizeColumn,
                                                 SizeText(received.attachments.at(i).data.size()));
}

void TInboxPanel::ShowHtml(const QString& html)
{
    // As a document of its own, in UTF-8 whatever the mail declared: the
    // text is decoded already.
    const QUrl url(QStringLiteral("data:text/html;charset=UTF-8;base64,") +
                   QString::fromLatin1(html.toUtf8().toBase64()));
    // The browser takes no longer address: a larger page shows as its source.
    if (url.toEncoded().size() > LongestDataUrl) {
        ShowText(html, true);
        return;
    }
    stkBody->setCurrentWidget(m_web);
    m_page->Permit(url);
    m_web->load(url);
}

void TInboxPanel::ShowText(const QString& text, bool monospace)
{
    memoBody->setFont(monospace ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : font());
    memoBody->setPlainText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    stkBody->setCurrentWidget(memoBody);
}

void TInboxPanel::FillAttachments(const TReceived& received)
{
    lstAttachments->clear();
    for (const TMailPart& part : received.attachments) {
        auto* item = new QTreeWidgetItem(lstAttachments);
        item->setText(NameColumn, part.fileName.isEmpty() ? CleanAttachmentName(QString()) : part.fileName);
        item->setToolTip(NameColumn, part.contentType);
        item->setTextAlignment(SizeColumn, Qt::AlignRight | Qt::AlignVCenter);
    }
    m_attachmentBox->setVisible(!received.attachments.isEmpty());
    btOpenAttachment->setEnabled(!received.attachments.isEmpty());
    if (lstAttachments->topLevelItemCount() > 0)
        lstAttachments->setCurrentItem(lstAttachments->topLevelItem(0));
}

bool TInboxPanel::OpenAttachment(int index)
{
    const int mail = SelectedMail();
    if (mail < 0 || index < 0 || index >= m_mails.at(mail).attachments.size())
        return false;
    const TMailPart& part = m_mails.at(mail).attachments.at(index);
    const QString caption = m_texts.Text(QStringLiteral("MsgError"));
    const QString folder = m_tempFolder.Path();
    const TResult<QString> saved =
        SaveAttachment(folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("inbox")),
                       part.fileName, part.data);
    if (!saved) {
        m_prompter.Message(m_texts.Text(QStringLiteral("txtInboxAttachmentNotSaved"))
                               .arg(CleanAttachmentName(part.fileName), saved.Error()),
                           caption, Prompter::Icon::Error);
        return false;
    }
    m_openedFolders << QFileInfo(*saved).path();
    if (!m_opener(QUrl::fromLocalFile(*saved))) {
        m_prompter.Message(m_texts.Text(QStringLiteral("txtInboxAttachmentNotOpened")).arg(*saved), caption,
                           Prompter::Icon::Error);
        return false;
    }
    return true;
}

QString TInboxPanel::SizeText(qint64 bytes) const
{
    const QString separator = m_decimalText->text();
    return FormatSize(bytes, m_bytesText->text(), separator.isEmpty() ? QLatin1Char(',') : separator.at(0));
}

void TInboxPanel::RefreshTexts()
{
    for (int i = 0; i < lstMails->topLevelItemCount() && i < m_mails.size(); ++i)
        lstMails->topLevelItem(i)->setText(NoteColumn,
                                           m_mails.at(i).copyToSender ? m_copyText->text() : QString());
    if (const int selected = SelectedMail(); selected >= 0)
        ShowNotes(m_mails.at(selected));
}
