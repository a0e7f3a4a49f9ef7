#pragma once

#include "ui/LazyPage.h"

class QPlainTextEdit;

// A page that shows a generated page's text ("HTML-Code", "PHP-Code") in a
// fixed-pitch font. Ctrl+A selects the whole text there and goes no further.
class TCodePage : public TLazyPage
{
    Q_OBJECT
public:
    TCodePage(const char* pageName, const char* headingName, int headingKey, const QString& heading,
              const char* viewName, QWidget* parent = nullptr);

    void SetCode(const QString& text);
    // The text view; null before the page is made.
    QPlainTextEdit* View() const { return m_view; }

protected:
    void Build() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const char* m_headingName;
    int m_headingKey;
    QString m_heading;
    const char* m_viewName;
    QString m_code; // the text shown when the page is made
    QPlainTextEdit* m_view = nullptr;
};
