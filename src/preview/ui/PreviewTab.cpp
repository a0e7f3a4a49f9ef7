#include "preview/ui/PreviewTab.h"

#include "app/AppServices.h"
#include "base/Prompter.h"
#include "model/FormProject.h"
#include "preview/LocalTest.h"
#include "preview/PreviewFiles.h"
#include "preview/ui/InboxPanel.h"
#include "ui/TranslateInterface.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSplitter>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <functional>

namespace
{
// The preview's page. During a local test it stays on the test's server: a
// thank-you page elsewhere (or any other address) is not loaded, so the
// test never reaches out of the computer; the tab says where it would go.
class TLocalTestPage : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;
    std::function<void(const QUrl&)> refused;
    // Scheme, host and port the page may go to; empty: anywhere.
    QUrl origin;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override
    {
        if (origin.isEmpty() || !isMainFrame ||
            (url.scheme() == origin.scheme() && url.host() == origin.host() && url.port() == origin.port()))
            return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
        if (refused)
            refused(url);
        return false;
    }
};
} // namespace

TPreviewTab::TPreviewTab(TAppServices& services, TFormProject& project, HtmlGenerator generateHtml,
                         QWidget* parent)
    : QWidget(parent), m_services(services), m_project(project), m_generateHtml(std::move(generateHtml)),
      m_localTest(new TLocalTest(services.Texts(), services.DataDir(), services.TempFolder().Path(), this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("pnlLocalTest"));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(6, 4, 6, 4);
    m_testButton = new QPushButton(QStringLiteral("Auf diesem Computer testen"), bar);
    m_testButton->setObjectName(QStringLiteral("btnLocalTest"));
    SetLangKey(m_testButton, 403);
    m_phpKind = new QRadioButton(QStringLiteral("PHP-Seite"), bar);
    m_phpKind->setObjectName(QStringLiteral("rbLocalTestPhp"));
    SetLangKey(m_phpKind, 405);
    m_htmlKind = new QRadioButton(QStringLiteral("HTML-Formular mit Formmailer"), bar);
    m_htmlKind->setObjectName(QStringLiteral("rbLocalTestHtml"));
    SetLangKey(m_htmlKind, 406);
    m_testAddress = new QLabel(bar);
    m_testAddress->setObjectName(QStringLiteral("lblLocalTest"));
    m_testAddress->setTextInteractionFlags(Qt::TextBrowserInteraction);
    m_testAddress->setOpenExternalLinks(true);
    // A long address wraps instead of widening the window.
    m_testAddress->setWordWrap(true);
    m_testAddress->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    row->addWidget(m_testButton);
    row->addWidget(m_phpKind);
    row->addWidget(m_htmlKind);
    row->addWidget(m_testAddress, 1);
    layout->addWidget(bar);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splLocalTest"));
    m_splitter->setChildrenCollapsible(false);
    layout->addWidget(m_splitter, 1);

    ProjectReplaced();
    connect(m_testButton, &QPushButton::clicked, this, [this] {
        if (LocalTestRunning())
            StopLocalTest();
        else
            StartLocalTest();
    });
    connect(m_localTest, &TLocalTest::Ended, this, [this](const QString& reason) {
        StopLocalTest();
        m_services.Prompt().Message(reason);
    });
}

TPreviewTab::~TPreviewTab()
{
    // The server goes before the widgets that show what it sends.
    m_localTest->Stop();
}

bool TPreviewTab::LocalTestRunning() const
{
    return m_localTest->IsRunning();
}

void TPreviewTab::ProjectReplaced()
{
    StopLocalTest();
    (m_project.cboUploadFormat == 1 ? m_phpKind : m_htmlKind)->setChecked(true);
}

bool TPreviewTab::StartLocalTest()
{
    EnsureBrowser();
    const TLocalTest::TKind kind = m_phpKind->isChecked() ? TLocalTest::TKind::Php : TLocalTest::TKind::Html;
    const TStatus started = m_localTest->Start(m_project, kind);
    if (!started) {
        ShowTestState();
        m_services.Prompt().Message(started.Error());
        return false;
    }
    EnsureInbox();
    m_inbox->Clear();
    ShowTestState();
    m_browser->load(m_localTest->PageUrl());
    return true;
}

void TPreviewTab::SetUrlOpener(TUrlOpener opener)
{
    m_urlOpener = std::move(opener);
    if (m_inbox)
        m_inbox->SetUrlOpener(m_urlOpener);
}

// The inbox (with a browser of its own for HTML mails) comes with the first
// test, and keeps the last test's mails after it ended, until the next one
// starts.
void TPreviewTab::EnsureInbox()
{
    if (m_inbox)
        return;
    m_inbox = new TInboxPanel(m_services.Texts(), m_services.TempFolder(), m_services.Prompt(), m_splitter);
    m_inbox->setObjectName(QStringLiteral("pnlInbox"));
    m_inbox->SetUrlOpener(m_urlOpener);
    m_splitter->addWidget(m_inbox);
    m_splitter->setSizes({m_splitter->width() * 11 / 20, m_splitter->width() * 9 / 20});
    connect(m_localTest, &TLocalTest::MailReceived, m_inbox, &TInboxPanel::AddMail);
    connect(m_localTest, &TLocalTest::ServerOutput, m_inbox, &TInboxPanel::AddServerOutput);
}

void TPreviewTab::StopLocalTest()
{
    const bool wasRunning = m_localTest->IsRunning() || !m_localTest->Folder().isEmpty();
    // The last mails of the test still come in.
    if (wasRunning)
        m_localTest->Poll();
    m_localTest->Stop();
    ShowTestState();
    // Back to the page from the file: the local address answers no more.
    if (wasRunning && m_browser && isVisible())
        Refresh();
}

void TPreviewTab::ShowTestState()
{
    const bool running = m_localTest->IsRunning();
    SetLangKey(m_testButton, running ? 404 : 403);
    TranslateWindow(m_testButton, m_services.Texts());
    m_phpKind->setEnabled(!running);
    m_htmlKind->setEnabled(!running);
    if (m_browser)
        static_cast<TLocalTestPage*>(m_browser->page())->origin =
            running ? m_localTest->PageUrl().adjusted(QUrl::RemovePath | QUrl::RemoveQuery) : QUrl();
    if (running) {
        const QString address = m_localTest->PageUrl().toString();
        m_testAddress->setText(m_services.Texts()
                                   .Text(QStringLiteral("txtLocalTestRunning"))
                                   .toHtmlEscaped()
                                   .arg(QStringLiteral("<a href=\"") + address.toHtmlEscaped() +
                                        QStringLiteral("\">") + address.toHtmlEscaped() +
                                        QStringLiteral("</a>")));
    } else {
        m_testAddress->clear();
    }
    emit LocalTestChanged(running);
}

void TPreviewTab::EnsureBrowser()
{
    if (m_browser)
        return;
    m_browser = new QWebEngineView(m_splitter);
    m_browser->setObjectName(QStringLiteral("browser"));
    auto* page = new TLocalTestPage(m_browser);
    page->refused = [this](const QUrl& url) {
        const QString address = url.toString().toHtmlEscaped();
        m_testAddress->setText(m_services.Texts()
                                   .Text(QStringLiteral("txtLocalTestLeaves"))
                                   .toHtmlEscaped()
                                   .arg(QStringLiteral("<a href=\"") + address + QStringLiteral("\">") +
                                        address + QStringLiteral("</a>")));
    };
    m_browser->setPage(page);
    m_splitter->insertWidget(0, m_browser);
    m_splitter->setStretchFactor(0, 3);
    connect(m_browser, &QWebEngineView::loadFinished, this, [this](bool ok) {
        m_browser->show();
        emit PageShown(ok);
    });
}

void TPreviewTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A page shown again after the window was minimised is not a new
    // showing of the tab.
    if (!event->spontaneous())
        Refresh();
}

void TPreviewTab::Refresh()
{
    EnsureBrowser();
    if (m_localTest->IsRunning()) {
        // The served page follows the project; the mails stay.
        if (const TStatus updated = m_localTest->Update(m_project); !updated) {
            m_services.Prompt().Message(updated.Error());
            return;
        }
        m_browser->load(m_localTest->PageUrl());
        return;
    }
    // A failed generation was reported by the generator; the last page
    // stays on show.
    const std::optional<QString> page = m_generateHtml ? m_generateHtml() : std::nullopt;
    if (!page)
        return;
    m_browser->hide();
    m_pageFile = PreviewFiles::TabPageFile(m_services.TempFolder().Path());
    if (m_pageFile.isEmpty()) {
        // No private folder to write into: nothing sensible to load.
        m_browser->show();
        return;
    }
    // A failed write is not reported: the browser shows what the path holds.
    (void)PreviewFiles::WritePreview(m_project, *page, m_pageFile, true, m_services.DataDir());
    m_browser->load(QUrl::fromLocalFile(m_pageFile));
}
