#include "preview/ui/PreviewTab.h"

#include "app/AppServices.h"
#include "preview/PreviewFiles.h"

#include <QShowEvent>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

TPreviewTab::TPreviewTab(TAppServices& services, const TFormProject& project, HtmlGenerator generateHtml,
                         QWidget* parent)
    : QWidget(parent), m_services(services), m_project(project), m_generateHtml(std::move(generateHtml))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void TPreviewTab::EnsureBrowser()
{
    if (m_browser)
        return;
    m_browser = new QWebEngineView(this);
    m_browser->setObjectName(QStringLiteral("browser"));
    layout()->addWidget(m_browser);
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
