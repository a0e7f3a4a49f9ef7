// The HTML editor with the real browser engine, offscreen: its commands change
// the markup as the engine does, the take-over question decides what the
// caller gets, "Neu" asks first, the document cannot be navigated away, and
// the two link dialogs build fragments that keep addresses with quotes inside
// their link in a real page.
#include "RecordingPrompter.h"
#include "base/LanguageTexts.h"
#include "texts/LinkFragments.h"
#include "texts/ui/OpenHtmlEditor.h"
#include "texts/ui/frmHtmlEdit.h"
#include "texts/ui/frmLinkEdit.h"
#include "texts/ui/frmPopUpLink.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>
#include <memory>

using Answer = Prompter::Answer;
using namespace LinkFragments;

namespace
{
const QString Data = QStringLiteral(QUORVEL_TEST_DATA_DIR);
constexpr int EngineTimeout = 20000;

// A script's result from a page; an invalid value when none came.
QVariant Js(QWebEnginePage* page, const QString& script)
{
    std::optional<QVariant> result;
    page->runJavaScript(script, [&](const QVariant& v) { result = v; });
    if (!QTest::qWaitFor([&] { return result.has_value(); }, EngineTimeout))
        return QVariant();
    return *result;
}

// Selects the first occurrence of word in the document's text, or everything
// for an empty word.
QString SelectScript(const QString& word)
{
    return QStringLiteral(
               "(function(w) { var s = getSelection(), r = document.createRange();"
               " if (!w) { r.selectNodeContents(document.body); s.removeAllRanges(); s.addRange(r);"
               " return true; }"
               " var it = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT), n;"
               " while ((n = it.nextNode())) { var i = n.data.indexOf(w); if (i >= 0) {"
               " r.setStart(n, i); r.setEnd(n, i + w.length); s.removeAllRanges(); s.addRange(r);"
               " return true; } } return false; })(\"%1\")")
        .arg(word);
}
} // namespace

class TestHtmlEditor : public QObject
{
    Q_OBJECT

    QString language = QStringLiteral("Deutsch");
    TLanguageTexts texts{Data + QStringLiteral("/lang.ini"), nullptr, [this] { return language; }};
    RecordingPrompter prompter;

    QString Text(const char* key) const { return texts.Text(QLatin1String(key)); }

    // An editor holding source, shown and ready for editing.
    std::unique_ptr<TfrmHtmlEdit> Editor(const QString& source)
    {
        auto editor = std::make_unique<TfrmHtmlEdit>(texts, prompter);
        QSignalSpy ready(editor.get(), &TfrmHtmlEdit::Ready);
        editor->SetSource(source);
        editor->show();
        if (!ready.wait(EngineTimeout))
            return nullptr;
        return editor;
    }

    // The engine keeps the blanks beside an insertion as "&nbsp;"; tests that
    // look at what was inserted compare with plain blanks.
    static QString Plain(QString markup)
    {
        return markup.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    }

    static QString Source(TfrmHtmlEdit& editor)
    {
        std::optional<QString> markup;
        editor.ReadSource([&](const QString& m) { markup = m; });
        if (!QTest::qWaitFor([&] { return markup.has_value(); }, EngineTimeout))
            return QStringLiteral("<no answer from the engine>");
        return *markup;
    }

    static bool Select(TfrmHtmlEdit& editor, const QString& word)
    {
        return Js(editor.Browser()->page(), SelectScript(word)).toBool();
    }

    static void Trigger(TfrmHtmlEdit& editor, const char* action)
    {
        QAction* act = editor.findChild<QAction*>(QLatin1String(action));
        QVERIFY2(act, action);
        act->trigger();
    }

    // Runs act on the editor that OpenHtmlEditor shows modally, once its text
    // is in the document. Whatever act leaves open is closed with Cancel, so
    // a failing check never leaves the test waiting in the editor.
    void WhenEditorShown(std::function<void(TfrmHtmlEdit&)> act)
    {
        QTimer::singleShot(0, this, [act] {
            QPointer<TfrmHtmlEdit> editor;
            const bool ready = QTest::qWaitFor(
                [&] {
                    editor = qobject_cast<TfrmHtmlEdit*>(QApplication::activeModalWidget());
                    return editor && editor->IsReady();
                },
                EngineTimeout);
            if (ready)
                act(*editor);
            else
                QTest::qFail("the editor did not become ready", __FILE__, __LINE__);
            if (editor && !QTest::qWaitFor([&] { return !editor || !editor->isVisible(); }, EngineTimeout))
                editor->done(QDialog::Rejected);
        });
    }

private slots:
    void initTestCase() { QVERIFY(QFileInfo::exists(texts.FileName())); }

    void init()
    {
        language = QStringLiteral("Deutsch");
        prompter.Clear();
        prompter.answers.clear();
    }

    // In a page, the address stays inside its link: as the href (where an
    // entity typed into it means its character, as in every attribute of a
    // form), and exactly as typed as the first argument of window.open when
    // the pop-up link is clicked.
    void fragmentsKeepTheAddressInTheBrowser_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("href");
        QTest::newRow("plain") << "http://example.com/a?x=1&y=2"
                               << "http://example.com/a?x=1&y=2";
        QTest::newRow("quotes and <") << "x\"y'z<b>"
                                      << "x\"y'z<b>";
        QTest::newRow("script break-out") << "');alert(1);//"
                                          << "');alert(1);//";
        QTest::newRow("entity of a quote") << "x&#39;);alert(1);//"
                                           << "x');alert(1);//";
        QTest::newRow("backslash, line break") << "a\\'b\nc"
                                               << "a\\'b\nc";
    }

    void fragmentsKeepTheAddressInTheBrowser()
    {
        QFETCH(QString, url);
        QFETCH(QString, href);
        THyperlinkValues link;
        link.url = url;
        link.linkText = QStringLiteral("L1");
        TPopupLinkValues popup;
        popup.url = url;
        popup.linkText = QStringLiteral("L2");
        popup.setPosition = true;

        QWebEnginePage page;
        QSignalSpy loaded(&page, &QWebEnginePage::loadFinished);
        page.setHtml(QStringLiteral("<body><p id=\"h\">") + Hyperlink(link) +
                     QStringLiteral("</p><p id=\"p\">") + PopupLink(popup) + QStringLiteral("</p></body>"));
        QVERIFY(loaded.wait(EngineTimeout));
        QCOMPARE(Js(&page, QStringLiteral("document.querySelector('#h a').getAttribute('href')")).toString(),
                 href);
        QCOMPARE(Js(&page, QStringLiteral("document.querySelector('#h a').textContent")).toString(),
                 QStringLiteral("L1"));
        const QVariant opened =
            Js(&page,
               QStringLiteral("(function() { var got = null; window.alert = function() { got = ['alert']; };"
                              " window.open = function(u, n, f) { got = [u, n, f]; };"
                              " document.querySelector('#p a').click(); return got; })()"));
        QCOMPARE(
            opened.toStringList(),
            QStringList({url, QStringLiteral("POPUP"),
                         QStringLiteral("width=500,height=400,hotkeys=0,menubar=0,locationbar=0,resizeable=0,"
                                        "status=0,left=100,top=100")}));
    }

    // The dialogs: defaults, translated texts and the label that follows the
    // type, in both shipped languages.
    void linkDialogs_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("linkText");
        QTest::addColumn<QString>("pictureText");
        QTest::addColumn<QString>("pictureEntry");
        QTest::newRow("Deutsch") << "Deutsch"
                                 << "Linktext:"
                                 << "Bild-URL:"
                                 << "Bild";
        QTest::newRow("Englisch") << "Englisch"
                                  << "Link text:"
                                  << "Image URL:"
                                  << "Image";
    }

    void linkDialogs()
    {
        QFETCH(QString, lang);
        QFETCH(QString, linkText);
        QFETCH(QString, pictureText);
        QFETCH(QString, pictureEntry);
        language = lang;
        TfrmLinkEdit link(texts);
        TfrmPopUpLink popup(texts);
        QCOMPARE(link.windowTitle(), Text("189"));
        QCOMPARE(popup.windowTitle(), Text("194"));
        for (QDialog* dialog : {static_cast<QDialog*>(&link), static_cast<QDialog*>(&popup)}) {
            auto* type = dialog->findChild<QComboBox*>(QStringLiteral("cboType"));
            auto* label = dialog->findChild<QLabel*>(QStringLiteral("lblText"));
            QVERIFY(type && label);
            QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("edtURL"))->text(),
                     QStringLiteral("http://"));
            QCOMPARE(type->currentIndex(), 0);
            QCOMPARE(type->itemText(1), pictureEntry);
            QCOMPARE(label->text(), linkText);
            type->setCurrentIndex(1);
            QCOMPARE(label->text(), pictureText);
            type->setCurrentIndex(0);
            QCOMPARE(label->text(), linkText);
            QCOMPARE(dialog->findChild<QPushButton*>(QStringLiteral("btOK"))->text(), Text("155"));
        }
        QCOMPARE(link.findChild<QComboBox*>(QStringLiteral("cboTarget"))->currentText(),
                 QStringLiteral("_self"));
        QCOMPARE(popup.findChild<QCheckBox*>(QStringLiteral("chkFenstergroesse"))->text(), Text("200"));
        QCOMPARE(link.Fragment(), QStringLiteral("<a href=\"http://\" target=\"_self\"></a>"));
    }

    void hyperlinkDialogTakesWhatIsTyped()
    {
        TfrmLinkEdit dialog(texts);
        auto* url = dialog.findChild<QLineEdit*>(QStringLiteral("edtURL"));
        url->selectAll();
        QTest::keyClicks(url, QStringLiteral("a\"b"));
        QTest::keyClicks(dialog.findChild<QComboBox*>(QStringLiteral("cboTarget"))->lineEdit(),
                         QStringLiteral("x"));
        dialog.findChild<QComboBox*>(QStringLiteral("cboType"))->setCurrentIndex(1);
        QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("edtLinkText")),
                         QStringLiteral("p.png"));
        QCOMPARE(
            dialog.Fragment(),
            QStringLiteral("<a href=\"a&quot;b\" target=\"_selfx\"><img src=\"p.png\" border=\"0\"></a>"));
    }

    // Sizes are whole numbers: letters cannot be typed, and an emptied box
    // holds OK back (and gives no fragment).
    void popupDialogTakesNumbersOnly()
    {
        TfrmPopUpLink dialog(texts);
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("btOK"));
        auto* width = dialog.findChild<QLineEdit*>(QStringLiteral("edtBreite"));
        auto* height = dialog.findChild<QLineEdit*>(QStringLiteral("edtHoehe"));
        auto* top = dialog.findChild<QLineEdit*>(QStringLiteral("edtTop"));
        auto* position = dialog.findChild<QCheckBox*>(QStringLiteral("chkSetPosition"));
        QVERIFY(ok && width && height && top && position);
        QCOMPARE(dialog.Fragment(), PopupLink(TPopupLinkValues()));

        width->selectAll();
        QTest::keyClicks(width, QStringLiteral("6x0,"));
        QCOMPARE(width->text(), QStringLiteral("60"));
        QVERIFY(dialog.Fragment().contains(QStringLiteral("'width=60,height=400,")));

        height->clear();
        QVERIFY(!ok->isEnabled());
        QVERIFY(dialog.Fragment().isEmpty());
        QTest::keyClicks(height, QStringLiteral("300"));
        QVERIFY(ok->isEnabled());

        // The position counts only when it is asked for.
        top->clear();
        QVERIFY(ok->isEnabled());
        position->click();
        QVERIFY(!ok->isEnabled());
        QTest::keyClicks(top, QStringLiteral("5"));
        QVERIFY(ok->isEnabled());
        for (const char* box : {"chkShowMenuBar", "chkStatusBar"})
            dialog.findChild<QCheckBox*>(QLatin1String(box))->click();
        QCOMPARE(dialog.Fragment(),
                 QStringLiteral("<a href=\"#\" onclick=\"javascript:window.open('http://',"
                                "'POPUP','width=60,height=300,hotkeys=0,menubar=1,locationbar=0,"
                                "resizeable=0,status=1,left=100,top=5');return false;\"></a>"));
    }

    // The window's commands, translated, with the tool bar in its order.
    void editorWindow_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("bold");
        QTest::newRow("Deutsch") << "Deutsch"
                                 << "Fett";
        QTest::newRow("Englisch") << "Englisch"
                                  << "Bold";
    }

    void editorWindow()
    {
        QFETCH(QString, lang);
        QFETCH(QString, bold);
        language = lang;
        TfrmHtmlEdit editor(texts, prompter);
        QCOMPARE(editor.windowTitle(), Text("187"));
        QCOMPARE(editor.Browser()->contextMenuPolicy(), Qt::NoContextMenu);

        auto* bar = editor.findChild<QToolBar*>();
        QStringList order;
        for (QAction* action : bar->actions())
            order << (action->isSeparator() ? QStringLiteral("|") : action->objectName());
        QCOMPARE(order.join(QLatin1Char(' ')),
                 QStringLiteral("actNew | actCut actCopy actPaste | actBold actItalic actUnderline | actLeft "
                                "actCenter actRight | actBullet actNumbering | actHyperlink actPopup | "
                                "actInsertPic | actFontUp actFontMin actFontColor | actExit"));
        // A tool-bar button shows its text as caption and tool tip.
        QAction* actBold = editor.findChild<QAction*>(QStringLiteral("actBold"));
        QCOMPARE(actBold->text(), bold);
        QCOMPARE(qobject_cast<QToolButton*>(bar->widgetForAction(actBold))->toolTip(), bold);
        for (QAction* action : bar->actions())
            QVERIFY2(action->isSeparator() || !action->text().isEmpty(), qPrintable(action->objectName()));

        const QList<QAction*> menus = editor.findChild<QMenuBar*>()->actions();
        QCOMPARE(menus.size(), 2);
        QCOMPARE(menus.at(0)->text(), Text("1"));
        QCOMPARE(menus.at(1)->text(), Text("9"));
        QStringList entries;
        for (QAction* menu : menus)
            for (QAction* entry : menu->menu()->actions())
                if (!entry->isSeparator())
                    entries << entry->text();
        QCOMPARE(entries, QStringList({Text("2"), Text("8"), Text("185"), Text("186"), Text("37")}));
    }

    // Each command on a word of the text, or on all of it, with the markup
    // the engine makes for it.
    void commands_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("select"); // empty: everything
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("expected"); // a pattern in the markup
        const QString p = QStringLiteral("<p>Ein Wort hier</p>");
        QTest::newRow("bold") << p << "Wort"
                              << "actBold"
                              << "<p>Ein <b>Wort</b> hier</p>";
        QTest::newRow("italic") << p << "Wort"
                                << "actItalic"
                                << "<p>Ein <i>Wort</i> hier</p>";
        QTest::newRow("underline") << p << "Wort"
                                   << "actUnderline"
                                   << "<p>Ein <u>Wort</u> hier</p>";
        QTest::newRow("bold off") << "<p>Ein <b>Wort</b></p>"
                                  << "Wort"
                                  << "actBold"
                                  << "^<p>Ein Wort</p>$";
        QTest::newRow("left") << "<p style=\"text-align: right\">Ein Wort</p>"
                              << "Wort"
                              << "actLeft"
                              << "text-align: left";
        QTest::newRow("center") << p << "Wort"
                                << "actCenter"
                                << "<p style=\"text-align: center;\">Ein Wort hier</p>";
        QTest::newRow("right") << p << ""
                               << "actRight"
                               << "<p style=\"text-align: right;\">Ein Wort hier</p>";
        QTest::newRow("bullets") << p << ""
                                 << "actBullet"
                                 << "<ul><li>Ein Wort hier(<br>)?</li></ul>";
        QTest::newRow("numbering") << p << ""
                                   << "actNumbering"
                                   << "<ol><li>Ein Wort hier(<br>)?</li></ol>";
        QTest::newRow("font larger") << p << "Wort"
                                     << "actFontUp"
                                     << "Ein <font size=\"4\">Wort</font> hier";
        QTest::newRow("font smaller") << p << "Wort"
                                      << "actFontMin"
                                      << "Ein <font size=\"2\">Wort</font> hier";
        QTest::newRow("font larger from 5") << "<font size=\"5\">Wort</font>"
                                            << "Wort"
                                            << "actFontUp"
                                            << "<font size=\"6\">Wort</font>";
        QTest::newRow("font colour") << p << "Wort"
                                     << "actFontColor"
                                     << "Ein <font color=\"#1a2b3c\">Wort</font> hier";
    }

    void commands()
    {
        QFETCH(QString, source);
        QFETCH(QString, select);
        QFETCH(QString, action);
        QFETCH(QString, expected);
        auto editor = Editor(source);
        QVERIFY(editor);
        editor->SetColorChooser([](QWidget*, QColor) { return QColor(0x1a, 0x2b, 0x3c); });
        QVERIFY(Select(*editor, select));
        Trigger(*editor, action.toLatin1().constData());
        const QString markup = Source(*editor);
        QVERIFY2(markup.contains(QRegularExpression(expected)), qPrintable(markup));
        QVERIFY(prompter.entries.isEmpty());
    }

    // A command that fails in the engine reaches the error message; the text
    // stays as it was.
    void failedCommandIsReported()
    {
        const QString source = QStringLiteral("<p>Ein Wort</p>");
        auto editor = Editor(source);
        QVERIFY(editor);
        Js(editor->Browser()->page(),
           QStringLiteral("document.execCommand = function() { throw new Error('kaputt'); }; true"));
        QVERIFY(Select(*editor, QStringLiteral("Wort")));
        Trigger(*editor, "actBold");
        QTRY_COMPARE_WITH_TIMEOUT(prompter.entries.size(), 1, EngineTimeout);
        QCOMPARE(prompter.entries.first().text, QStringLiteral("Error: kaputt"));
        QCOMPARE(prompter.entries.first().caption, Text("MsgError"));
        QCOMPARE(prompter.entries.first().icon, Prompter::Icon::Error);
        QVERIFY(editor->isVisible());
        QCOMPARE(Source(*editor), source);
    }

    // Cut takes the selection to the clipboard, Paste puts it back at the
    // caret, through the engine's own actions.
    void cutAndPaste()
    {
        auto editor = Editor(QStringLiteral("<p>Ein Wort hier</p>"));
        QVERIFY(editor);
        QApplication::clipboard()->clear();
        QVERIFY(Select(*editor, QStringLiteral("Wort ")));
        Trigger(*editor, "actCut");
        QTRY_COMPARE_WITH_TIMEOUT(Source(*editor), QStringLiteral("<p>Ein hier</p>"), EngineTimeout);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Wort "));
        QVERIFY(Js(editor->Browser()->page(),
                   QStringLiteral("(function() { var r = document.createRange();"
                                  " r.selectNodeContents(document.body.firstChild);"
                                  " r.collapse(false); getSelection().removeAllRanges();"
                                  " getSelection().addRange(r); return true; })()"))
                    .toBool());
        Trigger(*editor, "actPaste");
        QTRY_VERIFY_WITH_TIMEOUT(Source(*editor).contains(QStringLiteral("Ein hierWort")), EngineTimeout);
    }

    void fontColourCancelledChangesNothing()
    {
        const QString source = QStringLiteral("<p>Ein Wort hier</p>");
        auto editor = Editor(source);
        QVERIFY(editor);
        int asked = 0;
        editor->SetColorChooser([&](QWidget*, QColor) -> std::optional<QColor> {
            ++asked;
            return std::nullopt;
        });
        QVERIFY(Select(*editor, QStringLiteral("Wort")));
        Trigger(*editor, "actFontColor");
        QCOMPARE(asked, 1);
        QCOMPARE(Source(*editor), source);
    }

    // The editor asks for the picture's address itself; cancelled, nothing.
    void insertPicture()
    {
        auto editor = Editor(QStringLiteral("<p>Ein Wort hier</p>"));
        QVERIFY(editor);
        std::optional<QString> answer;
        editor->SetAddressRequest([&](QWidget*) { return answer; });
        QVERIFY(Select(*editor, QStringLiteral("Wort")));
        Trigger(*editor, "actInsertPic");
        QCOMPARE(Source(*editor), QStringLiteral("<p>Ein Wort hier</p>"));
        answer = QStringLiteral("bilder/a\"b.png");
        Trigger(*editor, "actInsertPic");
        QCOMPARE(Plain(Source(*editor)), QStringLiteral("<p>Ein <img src=\"bilder/a&quot;b.png\"> hier</p>"));
    }

    // The link dialogs replace the selection with their fragment on OK and
    // leave the text alone on Cancel.
    void linkActions_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("expected");
        QTest::newRow("hyperlink") << "actHyperlink" << true
                                   << "<p>Ein <a href=\"http://x.example/?a=1&amp;b='2'\" target=\"_blank\">"
                                      "<i>Link</i></a> hier</p>";
        QTest::newRow("hyperlink cancelled") << "actHyperlink" << false << "<p>Ein Wort hier</p>";
        QTest::newRow("pop-up link")
            << "actPopup" << true
            << "<p>Ein <a href=\"#\" onclick=\"javascript:window.open('http://x.example/"
               "?a=1&amp;b=\\'2\\'','POPUP','width=500,height=400,hotkeys=0,menubar=0,"
               "locationbar=0,resizeable=0,status=0');return false;\"><i>Link</i></a> "
               "hier</p>";
        QTest::newRow("pop-up link cancelled") << "actPopup" << false << "<p>Ein Wort hier</p>";
    }

    void linkActions()
    {
        QFETCH(QString, action);
        QFETCH(bool, ok);
        QFETCH(QString, expected);
        auto editor = Editor(QStringLiteral("<p>Ein Wort hier</p>"));
        QVERIFY(editor);
        QVERIFY(Select(*editor, QStringLiteral("Wort")));
        Trigger(*editor, action.toLatin1().constData());
        QDialog* dialog = nullptr;
        QTRY_VERIFY((dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())));
        QVERIFY(qobject_cast<TfrmLinkEdit*>(dialog) || qobject_cast<TfrmPopUpLink*>(dialog));
        auto* url = dialog->findChild<QLineEdit*>(QStringLiteral("edtURL"));
        url->selectAll();
        QTest::keyClicks(url, QStringLiteral("http://x.example/?a=1&b='2'"));
        if (auto* target = dialog->findChild<QComboBox*>(QStringLiteral("cboTarget")))
            target->setCurrentIndex(1);
        QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("edtLinkText")),
                         QStringLiteral("<i>Link</i>"));
        QPointer<QDialog> gone(dialog);
        dialog->findChild<QPushButton*>(ok ? QStringLiteral("btOK") : QStringLiteral("btCancel"))->click();
        QTRY_VERIFY(!gone); // made afresh for each link
        QCOMPARE(Plain(Source(*editor)), expected);
    }

    void newText_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("expected");
        QTest::newRow("yes") << Answer::Yes << "";
        QTest::newRow("no") << Answer::No << "<p>Ein <b>Wort</b></p>";
    }

    void newText()
    {
        QFETCH(Answer, answer);
        QFETCH(QString, expected);
        auto editor = Editor(QStringLiteral("<p>Ein <b>Wort</b></p>"));
        QVERIFY(editor);
        QSignalSpy ready(editor.get(), &TfrmHtmlEdit::Ready);
        prompter.answers << answer;
        Trigger(*editor, "actNew");
        QCOMPARE(prompter.entries.size(), 1);
        const RecordingPrompter::Entry& asked = prompter.entries.first();
        QCOMPARE(asked.text, Text("txtHTMLEdit1"));
        QCOMPARE(asked.caption, Text("MsgConfirmation"));
        QCOMPARE(asked.icon, Prompter::Icon::Question);
        QVERIFY(asked.question);
        QCOMPARE(asked.preselected, Answer::No);
        if (answer == Answer::Yes)
            QVERIFY(ready.wait(EngineTimeout));
        QCOMPARE(Source(*editor), expected);
    }

    // A text is written as the whole document: of a complete page only the
    // body's content comes back. Writing again replaces the text.
    void sourceIsTheBodysMarkup()
    {
        auto editor =
            Editor(QStringLiteral("<html><head><title>Titel</title><style>p{color:red}</style></head>"
                                  "<body bgcolor=\"#ffffff\"><p>Hallo</p></body></html>"));
        QVERIFY(editor);
        QCOMPARE(Source(*editor), QStringLiteral("<p>Hallo</p>"));
        QSignalSpy ready(editor.get(), &TfrmHtmlEdit::Ready);
        editor->SetSource(QStringLiteral("Zeile 1\r\n<script>document.write('x')</script>\"</script>"));
        QVERIFY(ready.wait(EngineTimeout));
        QVERIFY(Js(editor->Browser()->page(), QStringLiteral("document.designMode")).toString() ==
                QStringLiteral("on"));
        const QString markup = Source(*editor);
        // (The engine reads CR LF as a line end, and drops the stray end tag.)
        QCOMPARE(markup, QStringLiteral("Zeile 1\n<script>document.write('x')</script>x\""));
    }

    // Nothing inside the editor leaves the document: not a form, not a
    // script. (Links the engine does not follow in design mode at all.)
    void navigationIsRefused_data()
    {
        QTest::addColumn<QString>("script");
        QTest::newRow("form sent") << "document.getElementById('f').submit()";
        QTest::newRow("location set") << "location.href = 'http://127.0.0.1:9/weg'";
    }

    void navigationIsRefused()
    {
        QFETCH(QString, script);
        const QString source =
            QStringLiteral("<p id=\"m\">Bleibt</p><a id=\"l\" href=\"http://127.0.0.1:9/link\">"
                           "L</a><form id=\"f\" method=\"post\" action=\"http://127.0.0.1:9/form\">"
                           "<input name=\"a\"></form>");
        auto editor = Editor(source);
        QVERIFY(editor);
        QSignalSpy refused(editor.get(), &TfrmHtmlEdit::NavigationRefused);
        Js(editor->Browser()->page(), script);
        QVERIFY(refused.count() > 0 || refused.wait(EngineTimeout));
        QCOMPARE(refused.first().first().toUrl().host(), QStringLiteral("127.0.0.1"));
        QCOMPARE(editor->Browser()->page()->url(), QUrl(QStringLiteral("about:blank")));
        QCOMPARE(Source(*editor), source);
    }

    // OpenHtmlEditor: the take-over question ends the editor; Yes gives the
    // edited markup to the edit, No leaves its text exactly as it was.
    void takeOver_data()
    {
        QTest::addColumn<bool>("memo");
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("edit");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("after");
        QTest::newRow("line, yes") << false << "<b>alt</b> Text" << true << Answer::Yes
                                   << "<b>Neu: alt</b> Text";
        QTest::newRow("line, no") << false << "<b>alt</b>  Text" << true << Answer::No << "<b>alt</b>  Text";
        QTest::newRow("memo, yes") << true << "<p>eins</p>\n<p>zwei</p>" << true << Answer::Yes
                                   << "<p>Neu: eins</p>\n<p>zwei</p>";
        QTest::newRow("memo, no") << true << "<p>eins</p>\n<p>zwei</p>" << true << Answer::No
                                  << "<p>eins</p>\n<p>zwei</p>";
        QTest::newRow("empty, accepted untouched") << false << "" << false << Answer::Yes << "";
    }

    void takeOver()
    {
        QFETCH(bool, memo);
        QFETCH(QString, before);
        QFETCH(bool, edit);
        QFETCH(Answer, answer);
        QFETCH(QString, after);
        QWidget window;
        QLineEdit line(&window);
        QPlainTextEdit plain(&window);
        QWidget* target = memo ? static_cast<QWidget*>(&plain) : &line;
        line.setText(before);
        plain.setPlainText(before);
        window.show();
        prompter.answers << answer;

        bool stillOpen = false;
        QString typed;
        WhenEditorShown([&](TfrmHtmlEdit& editor) {
            if (edit) {
                Js(editor.Browser()->page(),
                   QStringLiteral(
                       "(function() { var r = document.createRange(); r.setStart(document.body, 0);"
                       " getSelection().removeAllRanges(); getSelection().addRange(r);"
                       " var t = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT).nextNode();"
                       " r.setStart(t, 0); r.collapse(true); getSelection().removeAllRanges();"
                       " getSelection().addRange(r); document.execCommand('insertText', false, 'Neu: ');"
                       " })()"));
                typed = Source(editor);
            }
            QSignalSpy finished(&editor, &QDialog::finished);
            editor.close();
            // The markup is collected first: the editor is still open.
            stillOpen = answer == Answer::Yes && editor.isVisible() && finished.isEmpty();
            if (finished.isEmpty())
                finished.wait(EngineTimeout);
        });
        const bool taken = HtmlTools::OpenHtmlEditor(target, texts, prompter);
        QCOMPARE(taken, answer == Answer::Yes);
        QCOMPARE(memo ? plain.toPlainText() : line.text(), after);
        if (edit)
            QVERIFY2(typed.startsWith(QStringLiteral("Neu: ")) || typed.contains(QStringLiteral(">Neu: ")),
                     qPrintable(typed));
        QCOMPARE(stillOpen, answer == Answer::Yes);
        QCOMPARE(prompter.entries.size(), 1);
        QCOMPARE(prompter.entries.first().text, Text("txtHTMLEdit2"));
        QCOMPARE(prompter.entries.first().caption, Text("MsgConfirmation"));
        QCOMPARE(prompter.entries.first().icon, Prompter::Icon::Question);
        QCOMPARE(prompter.entries.first().preselected, Answer::No);
        // The editor is released.
        QVERIFY(!window.findChild<TfrmHtmlEdit*>());
    }

    // "Beenden" and the window's close button ask the same question.
    void exitAsksToo()
    {
        auto editor = Editor(QStringLiteral("x"));
        QVERIFY(editor);
        QSignalSpy finished(editor.get(), &QDialog::finished);
        prompter.answers << Answer::No;
        Trigger(*editor, "actExit");
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().first().toInt(), int(QDialog::Rejected));
        QCOMPARE(prompter.Texts(), QStringList({Text("txtHTMLEdit2")}));
    }
};

QTEST_MAIN(TestHtmlEditor)
#include "tst_htmleditor.moc"
