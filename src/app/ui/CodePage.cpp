#include "app/ui/CodePage.h"

#include "base/Crlf.h"
#include "ui/WidgetBuild.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TCodePage::TCodePage(const char* pageName, const char* headingName, int headingKey, const QString& heading,
                     const char* viewName, QWidget* parent)
    : TLazyPage(parent), m_headingName(headingName), m_headingKey(headingKey), m_heading(heading),
      m_viewName(viewName)
{
    setObjectName(QString::fromLatin1(pageName));
}

void TCodePage::Build()
{
    auto* column = new QVBoxLayout(this);
    column->addWidget(WidgetBuild::Heading(this, m_headingName, m_headingKey, m_heading));
    m_view = WidgetBuild::Memo(this, m_viewName);
    m_view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_view->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_view->installEventFilter(this);
    column->addWidget(m_view, 1);
    if (!m_code.isEmpty())
        m_view->setPlainText(std::exchange(m_code, QString()));
}

void TCodePage::SetCode(const QString& text)
{
    QString shown = text;
    shown.replace(CRLF, QStringLiteral("\n"));
    if (m_view)
        m_view->setPlainText(shown);
    else
        m_code = shown; // kept for when the page is made
}

bool TCodePage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::SelectAll)) {
            m_view->selectAll();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
