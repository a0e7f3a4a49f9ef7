#include "preview/ui/frmPreview.h"

#include "app/AppServices.h"
#include "preview/PreviewFiles.h"
#include "ui/TranslateInterface.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

TfrmPreview::TfrmPreview(TAppServices& services, const TFormProject& project, HtmlGenerator generateHtml,
                         QWidget* parent)
    : QWidget(parent, Qt::Window), m_services(services), m_project(project),
      m_generateHtml(std::move(generateHtml))
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Vorschau"));
    SetLangKey(this, 26);
    resize(800, 600);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_sbActive = new QPushButton(QStringLiteral("Auto-Vorschau - AKTIV"), this);
    m_sbActive->setObjectName(QStringLiteral("sbActive"));
    SetLangKey(m_sbActive, 137);
    layout->addWidget(m_sbActive);
    connect(m_sbActive, &QPushButton::clicked, this, &TfrmPreview::ToggleRefresh);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(2000);
    connect(m_timer, &QTimer::timeout, this, &TfrmPreview::RefreshPage);

    TranslateWindow(this, m_services.Texts());
}

void TfrmPreview::EnsureBrowser()
{
    if (m_browser)
        return;
    m_browser = new QWebEngineView(this);
    m_browser->setObjectName(QStringLiteral("Webbrowser"));
    // The preview is a look at the form, not a browser: no context menu.
    // (Script errors of the page only reach the console, never a dialog.)
    m_browser->setContextMenuPolicy(Qt::NoContextMenu);
    static_cast<QVBoxLayout*>(layout())->addWidget(m_browser, 1);
    connect(m_browser, &QWebEngineView::loadFinished, this, &TfrmPreview::PageShown);
}

void TfrmPreview::showEvent(QShowEvent* event)
{
    EnsureBrowser();
    QWidget::showEvent(event);
}

void TfrmPreview::closeEvent(QCloseEvent* event)
{
    m_timer->stop();
    QWidget::closeEvent(event);
}

void TfrmPreview::ShowPreview()
{
    show();
    raise();
    activateWindow();
    m_timer->start();
    ShowState();
}

bool TfrmPreview::IsRefreshing() const
{
    return m_timer->isActive();
}

void TfrmPreview::ToggleRefresh()
{
    if (m_timer->isActive())
        m_timer->stop();
    else
        m_timer->start();
    ShowState();
}

void TfrmPreview::ShowState()
{
    m_sbActive->setText(m_services.Texts().Text(m_timer->isActive() ? QStringLiteral("txtPreviewEnabled")
                                                                    : QStringLiteral("txtPreviewDisabled")));
}

void TfrmPreview::RefreshPage()
{
    const std::optional<QString> page = m_generateHtml ? m_generateHtml() : std::nullopt;
    if (!page)
        return;
    EnsureBrowser();
    const QString file = PreviewFiles::WindowPageFile(m_services.AppDataFolder());
    (void)PreviewFiles::WritePreview(m_project, *page, file, false, QString());
    m_browser->load(QUrl::fromLocalFile(file));
}
