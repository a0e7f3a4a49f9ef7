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
    : QWidget(parent)
{
    setObjectName(QString::fromLatin1(pageName));
    auto* column = new QVBoxLayout(this);
    column->addWidget(WidgetBuild::Heading(this, headingName, headingKey, heading));
    m_view = WidgetBuild::Memo(this, viewName);
    m_view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_view->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_view->installEventFilter(this);
    column->addWidget(m_view, 1);
}

void TCodePage::SetCode(const QString& text)
{
    QString shown = text;
    m_view->setPlainText(shown.replace(CRLF, QStringLiteral("\n")));
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
