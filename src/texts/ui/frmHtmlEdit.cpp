#include "texts/ui/frmHtmlEdit.h"

#include "base/LanguageTexts.h"
#include "base/Literals.h"
#include "base/Prompter.h"
#include "base/QVRGBToHTML.h"
#include "texts/ui/LinkType.h"
#include "texts/ui/frmLinkEdit.h"
#include "texts/ui/frmPopUpLink.h"
#include "ui/GuardedPage.h"
#include "ui/TranslateInterface.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QIcon>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <tuple>

namespace
{
// The tool bar's pictures, drawn so they look alike in every style.
constexpr int IconSize = 20;

QIcon Drawn(const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(IconSize * 2, IconSize * 2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(2, 2);
    painter.setPen(QPen(QApplication::palette().color(QPalette::WindowText), 1.6));
    draw(painter);
    painter.end();
    pixmap.setDevicePixelRatio(2);
    return QIcon(pixmap);
}

QIcon Letters(const QString& text, bool bold, bool italic, bool underline, QColor color = QColor(),
              int pixelSize = 14)
{
    return Drawn([=](QPainter& p) {
        QFont font = QApplication::font();
        font.setPixelSize(pixelSize);
        font.setBold(bold);
        font.setItalic(italic);
        font.setUnderline(underline);
        p.setFont(font);
        if (color.isValid())
            p.setPen(color);
        p.drawText(QRectF(0, 0, IconSize, IconSize), Qt::AlignCenter, text);
    });
}

// Four lines of text, aligned as the command aligns them.
QIcon AlignIcon(Qt::Alignment align)
{
    return Drawn([=](QPainter& p) {
        const double widths[] = {14, 9, 14, 9};
        for (int i = 0; i < 4; ++i) {
            const double w = widths[i];
            const double x = align == Qt::AlignLeft    ? 3
                             : align == Qt::AlignRight ? 17 - w
                                                       : (IconSize - w) / 2;
            p.drawLine(QPointF(x, 5 + i * 3.5), QPointF(x + w, 5 + i * 3.5));
        }
    });
}

QIcon ListIcon(bool numbered)
{
    return Drawn([=](QPainter& p) {
        QFont font = QApplication::font();
        font.setPixelSize(7);
        p.setFont(font);
        for (int i = 0; i < 3; ++i) {
            const double y = 5 + i * 5;
            if (numbered)
                p.drawText(QRectF(1, y - 4, 6, 8), Qt::AlignCenter, QString::number(i + 1));
            else
                p.drawEllipse(QPointF(4, y), 1, 1);
            p.drawLine(QPointF(8, y), QPointF(18, y));
        }
    });
}

QIcon PictureIcon()
{
    return Drawn([](QPainter& p) {
        p.drawRect(QRectF(2.5, 4.5, 15, 11));
        p.drawPolyline(
            QPolygonF({QPointF(4, 14), QPointF(8, 9), QPointF(11, 12), QPointF(13, 10), QPointF(16, 14)}));
    });
}

QIcon PopupIcon()
{
    return Drawn([](QPainter& p) {
        p.drawRect(QRectF(7.5, 2.5, 10, 8));
        p.drawLine(QPointF(7.5, 4.5), QPointF(17.5, 4.5));
        QFont font = QApplication::font();
        font.setPixelSize(10);
        font.setUnderline(true);
        p.setFont(font);
        p.drawText(QRectF(0, 9, 12, 11), Qt::AlignCenter, QStringLiteral("ab"));
    });
}

QIcon PageIcon()
{
    return Drawn([](QPainter& p) {
        p.drawPolygon(QPolygonF({QPointF(4.5, 2.5), QPointF(12, 2.5), QPointF(15.5, 6), QPointF(15.5, 17.5),
                                 QPointF(4.5, 17.5)}));
    });
}

QIcon CopyIcon()
{
    return Drawn([](QPainter& p) {
        p.drawRect(QRectF(3.5, 3.5, 9, 10));
        p.fillRect(QRectF(7, 7, 10, 11), QApplication::palette().color(QPalette::Base));
        p.drawRect(QRectF(7.5, 7.5, 9, 10));
    });
}

QIcon PasteIcon()
{
    return Drawn([](QPainter& p) {
        p.drawRect(QRectF(4.5, 4.5, 11, 13));
        p.drawRect(QRectF(7.5, 2.5, 5, 3));
        p.drawLine(QPointF(7, 10), QPointF(13, 10));
        p.drawLine(QPointF(7, 13), QPointF(13, 13));
    });
}

QIcon ExitIcon()
{
    return Drawn([](QPainter& p) {
        p.drawPolyline(
            QPolygonF({QPointF(10, 3.5), QPointF(3.5, 3.5), QPointF(3.5, 16.5), QPointF(10, 16.5)}));
        p.drawLine(QPointF(7, 10), QPointF(17, 10));
        p.drawPolyline(QPolygonF({QPointF(14, 7), QPointF(17, 10), QPointF(14, 13)}));
    });
}

std::optional<QColor> DefaultColorChooser(QWidget* parent, QColor current)
{
    const QColor color = QColorDialog::getColor(current, parent);
    if (!color.isValid())
        return std::nullopt;
    return color;
}
} // namespace

TfrmHtmlEdit::TfrmHtmlEdit(const TLanguageTexts& texts, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_texts(texts), m_prompter(prompter), m_chooseColor(DefaultColorChooser)
{
    setObjectName(QStringLiteral("frmHtmlEdit"));
    setWindowTitle(QStringLiteral("HTML-Editor"));
    SetLangKey(this, 187);
    setSizeGripEnabled(true);
    resize(760, 520);

    m_askAddress = [this](QWidget* over) -> std::optional<QString> {
        bool ok = false;
        const QString address =
            QInputDialog::getText(over, findChild<QAction*>(QStringLiteral("actInsertPic"))->text(),
                                  LinkType::WindowText(m_texts, 206, QStringLiteral("Bild-URL:")),
                                  QLineEdit::Normal, QStringLiteral("http://"), &ok);
        if (!ok)
            return std::nullopt;
        return address;
    };

    // The editor's document is the empty page and the texts written into it:
    // a link clicked, a form sent or a script setting the location would
    // replace it, and with it the text being edited.
    auto* page = new TGuardedPage(this);
    connect(page, &TGuardedPage::NavigationRefused, this, &TfrmHtmlEdit::NavigationRefused);
    m_web = new QWebEngineView(this);
    m_web->setObjectName(QStringLiteral("Web"));
    m_web->setPage(page);
    // The editor is no browser: no context menu with its "Back" and "Reload".
    m_web->setContextMenuPolicy(Qt::NoContextMenu);

    m_status = new QStatusBar(this);
    m_status->setObjectName(QStringLiteral("StatusBar1"));
    m_status->setSizeGripEnabled(false);
    connect(page, &QWebEnginePage::linkHovered, m_status, [this](const QString& url) {
        if (url.isEmpty())
            m_status->clearMessage();
        else
            m_status->showMessage(url);
    });

    BuildActions();

    connect(m_web, &QWebEngineView::loadFinished, this, [this] {
        // Writing into the document may report another finished load; the
        // empty page is loaded once.
        if (m_loaded)
            return;
        m_loaded = true;
        if (!m_pending)
            m_pending = QString();
        WriteDocument();
    });
    // A browser process that died answers no more scripts: a close waiting
    // for the markup must not wait for ever.
    connect(page, &QWebEnginePage::renderProcessTerminated, this, [this] { m_closing = false; });
    page->Permit(QUrl(QStringLiteral("about:blank")));
    m_web->load(QUrl(QStringLiteral("about:blank")));

    TranslateWindow(this, texts);
    // The letter pictures show the first letter of the command in the
    // interface language ("F" for "Fett", "B" for "Bold").
    const std::tuple<const char*, bool, bool, bool> letters[] = {{"actBold", true, false, false},
                                                                 {"actItalic", false, true, false},
                                                                 {"actUnderline", false, false, true}};
    for (const auto& [name, bold, italic, underline] : letters)
        if (auto* action = findChild<QAction*>(QLatin1String(name)); action && !action->text().isEmpty())
            action->setIcon(Letters(action->text().left(1).toUpper(), bold, italic, underline));
}

QAction* TfrmHtmlEdit::Action(const char* name, int key, const QString& caption, const QIcon& icon)
{
    auto* action = new QAction(icon, caption, this);
    action->setObjectName(QString::fromLatin1(name));
    SetLangKey(action, key);
    return action;
}

void TfrmHtmlEdit::BuildActions()
{
    QAction* actNew = Action("actNew", 2, QStringLiteral("Neu"), PageIcon());
    QAction* actCut = Action("actCut", 185, QStringLiteral("Ausschneiden"),
                             Letters(QStringLiteral("\u2702"), false, false, false, QColor(), 19));
    QAction* actCopy = Action("actCopy", 186, QStringLiteral("Kopieren"), CopyIcon());
    QAction* actPaste = Action("actPaste", 37, QStringLiteral("Einfügen"), PasteIcon());
    QAction* actBold =
        Action("actBold", 277, QStringLiteral("Fett"), Letters(QStringLiteral("F"), true, false, false));
    QAction* actItalic =
        Action("actItalic", 278, QStringLiteral("Kursiv"), Letters(QStringLiteral("K"), false, true, false));
    QAction* actUnderline = Action("actUnderline", 279, QStringLiteral("Unterstrichen"),
                                   Letters(QStringLiteral("U"), false, false, true));
    QAction* actLeft = Action("actLeft", 280, QStringLiteral("Linksbündig"), AlignIcon(Qt::AlignLeft));
    QAction* actCenter = Action("actCenter", 281, QStringLiteral("Zentriert"), AlignIcon(Qt::AlignHCenter));
    QAction* actRight = Action("actRight", 282, QStringLiteral("Rechtsbündig"), AlignIcon(Qt::AlignRight));
    QAction* actBullet = Action("actBullet", 283, QStringLiteral("Aufzählung"), ListIcon(false));
    QAction* actNumbering = Action("actNumbering", 284, QStringLiteral("Nummerierung"), ListIcon(true));
    QAction* actHyperlink = Action("actHyperlink", 285, QStringLiteral("Hyperlink einfügen"),
                                   Letters(QStringLiteral("ab"), false, false, true, QColor(0, 0, 0xcc)));
    // The same caption as the pop-up link dialog's title.
    QAction* actPopup = Action("actPopup", 194, QStringLiteral("PopUp-Link einfügen"), PopupIcon());
    QAction* actInsertPic = Action("actInsertPic", 286, QStringLiteral("Bild einfügen"), PictureIcon());
    QAction* actFontUp = Action("actFontUp", 287, QStringLiteral("Schrift größer"),
                                Letters(QStringLiteral("A+"), true, false, false));
    QAction* actFontMin = Action("actFontMin", 288, QStringLiteral("Schrift kleiner"),
                                 Letters(QStringLiteral("A\u2212"), true, false, false));
    QAction* actFontColor = Action("actFontColor", 289, QStringLiteral("Schriftfarbe"),
                                   Letters(QStringLiteral("A"), true, false, true, QColor(0xcc, 0, 0)));
    QAction* actExit = Action("actExit", 8, QStringLiteral("Beenden"), ExitIcon());

    connect(actNew, &QAction::triggered, this, &TfrmHtmlEdit::NewText);
    connect(actCut, &QAction::triggered, this, [this] { m_web->page()->triggerAction(QWebEnginePage::Cut); });
    connect(actCopy, &QAction::triggered, this,
            [this] { m_web->page()->triggerAction(QWebEnginePage::Copy); });
    connect(actPaste, &QAction::triggered, this,
            [this] { m_web->page()->triggerAction(QWebEnginePage::Paste); });
    const std::pair<QAction*, const char*> commands[] = {
        {actBold, "Bold"},
        {actItalic, "Italic"},
        {actUnderline, "Underline"},
        {actLeft, "JustifyLeft"},
        {actCenter, "JustifyCenter"},
        {actRight, "JustifyRight"},
        {actBullet, "InsertUnorderedList"},
        {actNumbering, "InsertOrderedList"},
    };
    for (const auto& [action, command] : commands) {
        const QString name = QString::fromLatin1(command);
        connect(action, &QAction::triggered, this, [this, name] { Exec(name); });
    }
    connect(actHyperlink, &QAction::triggered, this, &TfrmHtmlEdit::InsertHyperlink);
    connect(actPopup, &QAction::triggered, this, &TfrmHtmlEdit::InsertPopupLink);
    connect(actInsertPic, &QAction::triggered, this, &TfrmHtmlEdit::InsertPicture);
    connect(actFontUp, &QAction::triggered, this, [this] { ChangeFontSize(+1); });
    connect(actFontMin, &QAction::triggered, this, [this] { ChangeFontSize(-1); });
    connect(actFontColor, &QAction::triggered, this, &TfrmHtmlEdit::ChooseFontColor);
    connect(actExit, &QAction::triggered, this, &QWidget::close);

    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setIconSize(QSize(IconSize, IconSize));
    const QList<QList<QAction*>> groups = {
        {actNew},
        {actCut, actCopy, actPaste},
        {actBold, actItalic, actUnderline},
        {actLeft, actCenter, actRight},
        {actBullet, actNumbering},
        {actHyperlink, actPopup},
        {actInsertPic},
        {actFontUp, actFontMin, actFontColor},
        {actExit},
    };
    for (const QList<QAction*>& group : groups) {
        if (group.first() != actNew)
            bar->addSeparator();
        bar->addActions(group);
    }

    // The menu's entries are commands of their own, with their own keys,
    // that run the tool bar's.
    auto* menus = new QMenuBar(this);
    menus->setObjectName(QStringLiteral("MainMenu1"));
    auto entry = [this](QMenu* menu, const char* name, int key, QAction* runs) {
        QAction* item = Action(name, key, runs->text(), runs->icon());
        menu->addAction(item);
        connect(item, &QAction::triggered, runs, &QAction::trigger);
    };
    QMenu* file = menus->addMenu(QStringLiteral("D&atei"));
    file->setObjectName(QStringLiteral("mnuDatei"));
    SetLangKey(file, 1);
    entry(file, "Neu1", 2, actNew);
    file->addSeparator();
    entry(file, "Beenden1", 8, actExit);
    QMenu* edit = menus->addMenu(QStringLiteral("Bearbeiten"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    SetLangKey(edit, 9);
    entry(edit, "Ausschneiden1", 185, actCut);
    entry(edit, "Kopieren1", 186, actCopy);
    entry(edit, "Einfgen1", 37, actPaste);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menus);
    layout->addWidget(bar);
    layout->addWidget(m_web, 1);
    layout->addWidget(m_status);
}

void TfrmHtmlEdit::SetSource(const QString& text)
{
    m_pending = text;
    if (m_loaded)
        WriteDocument();
}

void TfrmHtmlEdit::WriteDocument()
{
    const QString text = m_pending.value_or(QString());
    m_pending.reset();
    m_ready = false;
    // Written as the whole document, so a complete page (html, head, body)
    // leaves its body's content in the body; design mode comes after the
    // writing, which would end it.
    const QString script = QStringLiteral("document.open(); document.write(") + JsLiteral(text) +
                           QStringLiteral("); document.close(); document.designMode = 'on'; true;");
    QPointer<TfrmHtmlEdit> self(this);
    m_web->page()->runJavaScript(script, [self](const QVariant&) {
        // A newer text may be on its way already; its own write follows.
        if (!self || self->m_pending)
            return;
        self->m_ready = true;
        emit self->Ready();
    });
}

void TfrmHtmlEdit::ReadSource(std::function<void(const QString&)> done)
{
    ReadMarkup([done](std::optional<QString> markup) {
        if (markup)
            done(*markup);
    });
}

// Nothing when the browser gave no text (its page has gone).
void TfrmHtmlEdit::ReadMarkup(std::function<void(std::optional<QString>)> done)
{
    if (!m_loaded) {
        // Nothing has been written, so nothing has been edited either.
        done(m_pending.value_or(QString()));
        return;
    }
    QPointer<TfrmHtmlEdit> self(this);
    m_web->page()->runJavaScript(QStringLiteral("document.body ? document.body.innerHTML : ''"),
                                 [self, done](const QVariant& markup) {
                                     if (!self)
                                         return;
                                     if (markup.typeId() != QMetaType::QString)
                                         done(std::nullopt);
                                     else
                                         done(markup.toString());
                                 });
}

void TfrmHtmlEdit::reject()
{
    // Asked once; the dialog ends when the markup has come.
    if (m_closing)
        return;
    const Prompter::Answer answer = m_prompter.Question(
        m_texts.Text(QStringLiteral("txtHTMLEdit2")), m_texts.Text(QStringLiteral("MsgConfirmation")),
        Prompter::Icon::Question, false, Prompter::Answer::No);
    if (answer != Prompter::Answer::Yes) {
        QDialog::reject();
        return;
    }
    m_closing = true;
    QPointer<TfrmHtmlEdit> self(this);
    ReadMarkup([self](std::optional<QString> markup) {
        if (!self)
            return;
        self->m_closing = false;
        // Without the markup the editor stays open rather than emptying the
        // caller's text.
        if (!markup)
            return;
        self->m_source = *markup;
        self->QDialog::accept();
    });
}

// Runs an editing script on the document's selection. With no selection
// yet (nothing clicked), the caret goes to the end of the text first. An
// exception of the engine is the command's failure, reported as such; the
// document keeps what it had.
void TfrmHtmlEdit::RunEditing(const QString& body)
{
    const QString script =
        QStringLiteral(
            "(function() { try { var s = window.getSelection();"
            " if (s.rangeCount === 0 && document.body) {"
            " var r = document.createRange(); r.selectNodeContents(document.body); r.collapse(false);"
            " s.addRange(r); } ") +
        body + QStringLiteral(" } catch (e) { return String(e); } return ''; })()");
    QPointer<TfrmHtmlEdit> self(this);
    m_web->page()->runJavaScript(script, [self](const QVariant& result) {
        const QString error = result.toString();
        if (self && !error.isEmpty())
            self->m_prompter.Message(error, self->m_texts.Text(QStringLiteral("MsgError")),
                                     Prompter::Icon::Error);
    });
}

void TfrmHtmlEdit::Exec(const QString& command, const QString& valueScript)
{
    RunEditing(QStringLiteral("document.execCommand(") + JsLiteral(command) + QStringLiteral(", false, ") +
               (valueScript.isEmpty() ? QStringLiteral("null") : valueScript) + QStringLiteral(");"));
}

// The link dialogs take the focus, and with it maybe the selection: the
// range is kept until the fragment comes.
void TfrmHtmlEdit::SaveSelection()
{
    m_web->page()->runJavaScript(
        QStringLiteral("(function() { var s = window.getSelection();"
                       " window.quorvelRange = s.rangeCount ? s.getRangeAt(0).cloneRange() : null; })()"));
}

void TfrmHtmlEdit::InsertFragment(const QString& fragment)
{
    if (fragment.isEmpty())
        return;
    RunEditing(
        QStringLiteral("if (window.quorvelRange) { s.removeAllRanges(); s.addRange(window.quorvelRange);"
                       " window.quorvelRange = null; }"
                       " document.execCommand('insertHTML', false, ") +
        JsLiteral(fragment) + QStringLiteral(");"));
}

void TfrmHtmlEdit::NewText()
{
    const Prompter::Answer answer = m_prompter.Question(
        m_texts.Text(QStringLiteral("txtHTMLEdit1")), m_texts.Text(QStringLiteral("MsgConfirmation")),
        Prompter::Icon::Question, false, Prompter::Answer::No);
    if (answer == Prompter::Answer::Yes)
        SetSource(QString());
}

void TfrmHtmlEdit::InsertHyperlink()
{
    SaveSelection();
    auto* dialog = new TfrmLinkEdit(m_texts, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] { InsertFragment(dialog->Fragment()); });
    dialog->open();
}

void TfrmHtmlEdit::InsertPopupLink()
{
    SaveSelection();
    auto* dialog = new TfrmPopUpLink(m_texts, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] { InsertFragment(dialog->Fragment()); });
    dialog->open();
}

// The engine asks nobody for the picture's address, so the editor does.
void TfrmHtmlEdit::InsertPicture()
{
    SaveSelection();
    const std::optional<QString> address = m_askAddress ? m_askAddress(this) : std::nullopt;
    if (!address || address->isEmpty())
        return;
    RunEditing(
        QStringLiteral("if (window.quorvelRange) { s.removeAllRanges(); s.addRange(window.quorvelRange);"
                       " window.quorvelRange = null; }"
                       " document.execCommand('InsertImage', false, ") +
        JsLiteral(*address) + QStringLiteral(");"));
}

// The engine's size steps (1 to 7, where it stops by itself). A selection of
// mixed sizes reports none; it counts as the normal size 3.
void TfrmHtmlEdit::ChangeFontSize(int step)
{
    Exec(QStringLiteral("FontSize"),
         QStringLiteral("String((parseInt(document.queryCommandValue('FontSize'), 10) || 3) + (%1))")
             .arg(step));
}

void TfrmHtmlEdit::ChooseFontColor()
{
    const std::optional<QColor> color = m_chooseColor ? m_chooseColor(this, m_lastColor) : std::nullopt;
    if (!color)
        return;
    m_lastColor = *color;
    const quint32 value = quint32(color->red()) | quint32(color->green()) << 8 | quint32(color->blue()) << 16;
    // The colour text as everywhere in Quorvel, six digits without "#": the
    // engine takes it so and writes the font element's colour with "#".
    Exec(QStringLiteral("ForeColor"), JsLiteral(ColorToHtmlText(value)));
}
