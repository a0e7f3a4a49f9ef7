#pragma once

#include "preview/MailMessage.h"
#include "preview/ServerLog.h"
#include "ui/HelpPage.h"

#include <QDateTime>
#include <QList>
#include <QStringList>
#include <QWidget>

class Prompter;
class QAction;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QWebEngineProfile;
class QWebEngineView;
class TGuardedPage;
class TLanguageTexts;
class TTempFolder;

// The inbox of the local test: every mail the tested page sent, newest last,
// with its details (recipients, subject, all headers, the body in its
// format, the attachments, which open in the desktop's program for them),
// and below the mails what PHP printed meanwhile: its warnings, notices and
// errors. It knows nothing of the server; whoever runs the test feeds it.
//
// A mail's HTML is the visitor's as much as the page's: it is shown without
// its scripts, without anything loaded from elsewhere, and its links lead
// nowhere.
class TInboxPanel : public QWidget
{
    Q_OBJECT
public:
    TInboxPanel(const TLanguageTexts& texts, TTempFolder& tempFolder, Prompter& prompter,
                QWidget* parent = nullptr);
    ~TInboxPanel() override;

    // A mail as it arrived; copyToSender marks the copy the visitor gets.
    // The new mail is selected.
    void AddMail(const TMailMessage& mail, bool copyToSender, const QDateTime& received);
    // What the server printed since the last call, in whatever pieces.
    void AddServerOutput(const QByteArray& chunk);
    void Clear();
    int MailCount() const { return static_cast<int>(m_mails.size()); }
    int MessageCount() const { return static_cast<int>(m_log.Messages().size()); }
    const QList<TServerMessage>& Messages() const { return m_log.Messages(); }

    // How an opened attachment reaches its program (the desktop's unless set).
    void SetUrlOpener(TUrlOpener opener);

    // The selected mail (-1: none) and its attachment index; false when the
    // attachment could not be opened (the user was told why).
    int SelectedMail() const;
    void SelectMail(int index);
    bool OpenAttachment(int index);

    QWebEngineView* HtmlView() const { return m_web; }

signals:
    // The HTML body of the selected mail is on show.
    void HtmlShown();

private:
    struct TReceived
    {
        TMailMessage mail;
        QList<TMailPart> attachments;
        bool copyToSender = false;
        QDateTime received;
    };

    void BuildPanel();
    QAction* TextSource(const char* name, int key, const QString& text);
    void ShowMail(int index);
    void ShowBody(const TReceived& received);
    void ShowNotes(const TReceived& received);
    void ShowHtml(const QString& html);
    void ShowText(const QString& text, bool monospace);
    void FillAttachments(const TReceived& received);
    void UpdateMessageRow(qsizetype index);
    void UpdateCounts();
    // The texts made here from texts of the language file, anew when the
    // language changes.
    void RefreshTexts();
    QString SizeText(qint64 bytes) const;

    const TLanguageTexts& m_texts;
    TTempFolder& m_tempFolder;
    Prompter& m_prompter;
    TUrlOpener m_opener;
    QList<TReceived> m_mails;
    TServerLog m_log;
    QStringList m_openedFolders;

    QTreeWidget* lstMails = nullptr;
    QLabel* lblMailCount = nullptr;
    QLabel* lblTo = nullptr;
    QLabel* lblSubject = nullptr;
    QLabel* lblCopyToSender = nullptr;
    QLabel* lblMailError = nullptr;
    QTabWidget* tabsMail = nullptr;
    QStackedWidget* stkBody = nullptr;
    QWebEngineProfile* m_profile = nullptr;
    TGuardedPage* m_page = nullptr;
    QWebEngineView* m_web = nullptr;
    QPlainTextEdit* memoBody = nullptr;
    QWidget* m_attachmentBox = nullptr;
    QTreeWidget* lstAttachments = nullptr;
    QPushButton* btOpenAttachment = nullptr;
    QPlainTextEdit* memoHeaders = nullptr;
    QPlainTextEdit* memoSource = nullptr;
    QTreeWidget* lstMessages = nullptr;
    QLabel* lblMessageCount = nullptr;

    QAction* m_copyText = nullptr;
    QAction* m_unreadableText = nullptr;
    QAction* m_noBodyText = nullptr;
    QAction* m_bytesText = nullptr;
    QAction* m_decimalText = nullptr;
};
