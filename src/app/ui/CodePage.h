#pragma once

#include <QWidget>

class QPlainTextEdit;

// A page that shows a generated page's text ("HTML-Code", "PHP-Code") in a
// fixed-pitch font. Ctrl+A selects the whole text there and goes no further.
class TCodePage : public QWidget
{
    Q_OBJECT
public:
    TCodePage(const char* pageName, const char* headingName, int headingKey, const QString& heading,
              const char* viewName, QWidget* parent = nullptr);

    void SetCode(const QString& text);
    QPlainTextEdit* View() const { return m_view; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* m_view;
};
