#pragma once

#include <QColor>
#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QAction;
class QIcon;
class QStatusBar;
class QUrl;
class QWebEngineView;
class Prompter;
class TLanguageTexts;

// The HTML editor "HTML-Editor": a text of markup shown rendered in a browser
// document in design mode, formatted with the tool bar and read back as the
// body's markup. Made for one editing run: SetSource, exec, GetSource on OK.
//
// The browser works asynchronously: the text is written once the empty page
// has loaded (Ready follows), and closing with "take over" first collects
// the markup and ends the dialog only when it has arrived.
class TfrmHtmlEdit : public QDialog
{
    Q_OBJECT
public:
    // The colour for "Schriftfarbe", nothing when the choice was cancelled.
    using ColorChooser = std::function<std::optional<QColor>(QWidget* parent, QColor current)>;
    // The address for "Bild einfügen", nothing when cancelled.
    using AddressRequest = std::function<std::optional<QString>(QWidget* parent)>;

    // texts and prompter must outlive the editor.
    TfrmHtmlEdit(const TLanguageTexts& texts, Prompter& prompter, QWidget* parent = nullptr);

    // The text to edit; written into the document as its whole content
    // (a complete page keeps only what its body holds).
    void SetSource(const QString& text);
    // The markup taken over when the editor was closed with Yes.
    QString GetSource() const { return m_source; }
    // The document's markup as it is now, delivered when the browser answers.
    void ReadSource(std::function<void(const QString&)> done);

    // Whether the last text set has been written and can be edited.
    bool IsReady() const { return m_ready; }

    void SetColorChooser(ColorChooser chooser) { m_chooseColor = std::move(chooser); }
    void SetAddressRequest(AddressRequest request) { m_askAddress = std::move(request); }

    QWebEngineView* Browser() const { return m_web; }

public slots:
    // Every way of closing ends here: the take-over question.
    void reject() override;

signals:
    // The text set last is in the document, and the document is editable.
    void Ready();
    // The document tried to go elsewhere (a link, a form, a script) and stayed.
    void NavigationRefused(const QUrl& url);

private:
    QAction* Action(const char* name, int key, const QString& caption, const QIcon& icon);
    void BuildActions();
    void WriteDocument();
    void ReadMarkup(std::function<void(std::optional<QString>)> done);
    void RunEditing(const QString& body);
    void Exec(const QString& command, const QString& valueScript = QString());
    void SaveSelection();
    void InsertFragment(const QString& fragment);
    void NewText();
    void InsertHyperlink();
    void InsertPopupLink();
    void InsertPicture();
    void ChangeFontSize(int step);
    void ChooseFontColor();

    const TLanguageTexts& m_texts;
    Prompter& m_prompter;
    QWebEngineView* m_web;
    QStatusBar* m_status;
    ColorChooser m_chooseColor;
    AddressRequest m_askAddress;
    std::optional<QString> m_pending; // set, not yet written
    bool m_loaded = false;            // the empty page is there
    bool m_ready = false;
    bool m_closing = false; // the markup to take over is on its way
    QColor m_lastColor = Qt::black;
    QString m_source;
};
