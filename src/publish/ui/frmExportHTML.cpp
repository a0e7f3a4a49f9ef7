#include "publish/ui/frmExportHTML.h"

#include "app/AppServices.h"
#include "app/ProjectSession.h"
#include "base/AtomicFile.h"
#include "base/LanguageTexts.h"
#include "base/Prompter.h"
#include "model/FormProject.h"
#include "publish/PageUpload.h"
#include "publish/ui/UploadCommand.h"
#include "ui/GuardedPage.h"
#include "ui/HelpPage.h"
#include "ui/TranslateInterface.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

using namespace HtmlExport;

namespace
{
const QString Blank = QStringLiteral("about:blank");

// The root element's markup, or null without a document.
const QString RootScript =
    QStringLiteral("document.documentElement ? document.documentElement.outerHTML : null");
} // namespace

TfrmExportHTML::TfrmExportHTML(TAppServices& services, TProjectSession& session, TUploadCommand& upload,
                               QWidget* parent)
    : QDialog(parent), m_services(services), m_session(session), m_upload(upload)
{
    setObjectName(QStringLiteral("frmExportHTML"));
    setWindowTitle(QStringLiteral("Export in bestehende HTML-Seite"));
    SetLangKey(this, 310);
    setSizeGripEnabled(true);
    resize(860, 600);

    m_page = new TGuardedPage(this);
    // The page may come from anyone: its scripts do not run here (ours run
    // in a world of their own), so they can neither change the markup that
    // gets saved nor go anywhere.
    m_page->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    m_page->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    m_web = new QWebEngineView(this);
    m_web->setObjectName(QStringLiteral("WebBrowser1"));
    m_web->setPage(m_page);
    m_web->setContextMenuPolicy(Qt::NoContextMenu);
    connect(m_web, &QWebEngineView::loadFinished, this, &TfrmExportHTML::LoadFinished);
    // A browser process that died answers no more scripts: nothing may wait
    // for it.
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this, [this] {
        m_expectLoad = false;
        m_closing = false;
        SetBusy(false);
    });

    BuildWindow();
    TranslateWindow(this, m_services.Texts());

    const QString remembered = m_session.Project().ExtSettings.HTMLExportFileName;
    if (!remembered.isEmpty() && QFileInfo(remembered).isFile())
        OpenNow(remembered);
    if (m_fileName.isEmpty())
        LoadBlank();
}

TfrmExportHTML::~TfrmExportHTML()
{
    if (!m_workingCopy.isEmpty())
        QFile::remove(m_workingCopy);
}

QAction* TfrmExportHTML::Action(const char* name, int key, const QString& caption, int icon)
{
    auto* action =
        new QAction(style()->standardIcon(static_cast<QStyle::StandardPixmap>(icon)), caption, this);
    action->setObjectName(QString::fromLatin1(name));
    SetLangKey(action, key);
    return action;
}

void TfrmExportHTML::BuildWindow()
{
    QAction* actOpenFile =
        Action("actOpenFile", 207, QStringLiteral("Datei öffnen"), QStyle::SP_DialogOpenButton);
    actOpenFile->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QAction* actSave = Action("actSave", 4, QStringLiteral("Speichern"), QStyle::SP_DialogSaveButton);
    actSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    QAction* actAddForm =
        Action("actAddForm", 209, QStringLiteral("Formular einfügen"), QStyle::SP_FileDialogDetailedView);
    QAction* actRefresh =
        Action("actRefresh", 210, QStringLiteral("Form. aktualisieren"), QStyle::SP_BrowserReload);
    QAction* actDelete = Action("actDelete", 211, QStringLiteral("Formular entfernen"), QStyle::SP_TrashIcon);
    QAction* actFTPUpload = Action("actFTPUpload", 25, QStringLiteral("FTP-Upload"), QStyle::SP_DriveNetIcon);
    QAction* actHelp = Action("actHelp", 22, QStringLiteral("Hilfe"), QStyle::SP_DialogHelpButton);
    QAction* actExit = Action("actExit", 160, QStringLiteral("Verlassen"), QStyle::SP_DialogCloseButton);
    for (QAction* action :
         {actOpenFile, actSave, actAddForm, actRefresh, actDelete, actFTPUpload, actHelp, actExit})
        addAction(action);

    connect(actOpenFile, &QAction::triggered, this, &TfrmExportHTML::ChooseFile);
    connect(actSave, &QAction::triggered, this, [this] { Save(); });
    connect(actAddForm, &QAction::triggered, this, &TfrmExportHTML::AddForm);
    connect(actRefresh, &QAction::triggered, this, &TfrmExportHTML::RefreshForm);
    connect(actDelete, &QAction::triggered, this, &TfrmExportHTML::DeleteForm);
    connect(actFTPUpload, &QAction::triggered, this, &TfrmExportHTML::Upload);
    connect(actHelp, &QAction::triggered, this, &TfrmExportHTML::ShowHelp);
    connect(actExit, &QAction::triggered, this, &QWidget::close);

    auto* menus = new QMenuBar(this);
    menus->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = menus->addMenu(QStringLiteral("&Datei"));
    file->setObjectName(QStringLiteral("mnuDatei"));
    SetLangKey(file, 1);
    file->addActions({actOpenFile, actSave, actFTPUpload});
    file->addSeparator();
    file->addAction(actExit);
    QMenu* form = menus->addMenu(QStringLiteral("&Formular"));
    form->setObjectName(QStringLiteral("mnuFormular"));
    SetLangKey(form, 208);
    form->addActions({actAddForm, actRefresh, actDelete});
    QMenu* help = menus->addMenu(QStringLiteral("&Hilfe"));
    help->setObjectName(QStringLiteral("mnuHilfe"));
    SetLangKey(help, 22);
    help->addAction(actHelp);

    // The tool bar names some commands shorter than the menu does, so its
    // buttons carry their own texts and follow their command.
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    const auto button = [this, bar](const char* name, int key, const QString& text, QAction* command) {
        auto* b = new QToolButton(bar);
        b->setObjectName(QString::fromLatin1(name));
        SetLangKey(b, key);
        b->setText(text);
        b->setToolTip(text);
        b->setIcon(command->icon());
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true);
        bar->addWidget(b);
        connect(b, &QToolButton::clicked, command, &QAction::trigger);
        connect(command, &QAction::changed, b, [b, command] { b->setEnabled(command->isEnabled()); });
        b->setEnabled(command->isEnabled());
    };
    button("tbOpenFile", 207, actOpenFile->text(), actOpenFile);
    button("tbSave", 4, actSave->text(), actSave);
    bar->addSeparator();
    button("tbAddForm", 212, QStringLiteral("Form. einfügen"), actAddForm);
    button("tbRefresh", 213, QStringLiteral("Form. aktualisieren"), actRefresh);
    button("tbDelete", 214, QStringLiteral("Form. entfernen"), actDelete);
    bar->addSeparator();
    button("tbFTPUpload", 25, actFTPUpload->text(), actFTPUpload);
    bar->addSeparator();
    button("tbHelp", 22, actHelp->text(), actHelp);
    button("tbExit", 160, actExit->text(), actExit);

    m_status = new QStatusBar(this);
    m_status->setObjectName(QStringLiteral("StatusBar1"));
    m_status->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menus);
    layout->addWidget(bar);
    layout->addWidget(m_web, 1);
    layout->addWidget(m_status);
    ShowState();
}

void TfrmExportHTML::Run(const QString& script, std::function<void(const QVariant&)> done)
{
    QPointer<TfrmExportHTML> self(this);
    m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [self, done](const QVariant& result) {
        if (self && done)
            done(result);
    });
}

void TfrmExportHTML::ReadPageText(std::function<void(std::optional<QString>)> done)
{
    Run(RootScript, [done](const QVariant& markup) {
        if (markup.typeId() == QMetaType::QString)
            done(markup.toString());
        else
            done(std::nullopt);
    });
}

void TfrmExportHTML::Message(const char* key, const QString& detail, bool warning)
{
    const TLanguageTexts& texts = m_services.Texts();
    QString text = texts.Text(QLatin1String(key));
    if (!detail.isEmpty())
        text += QStringLiteral("\n\n") + detail;
    m_services.Prompt().Message(
        text, texts.Text(warning ? QStringLiteral("MsgWarnung") : QStringLiteral("MsgError")),
        warning ? Prompter::Icon::Warning : Prompter::Icon::Error);
}

// While the browser works on a command, no other starts; a close asked for
// meanwhile comes when it is done.
void TfrmExportHTML::SetBusy(bool busy)
{
    m_busy = busy;
    ShowState();
    if (!busy && m_closeWhenIdle) {
        m_closeWhenIdle = false;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

void TfrmExportHTML::ShowState()
{
    const bool open = !m_fileName.isEmpty() && !m_busy;
    const auto enable = [this](const char* name, bool on) {
        if (auto* action = findChild<QAction*>(QLatin1String(name)))
            action->setEnabled(on);
    };
    enable("actOpenFile", !m_busy);
    enable("actSave", open);
    enable("actFTPUpload", open);
    enable("actAddForm", open && !m_hasForm);
    enable("actRefresh", open && m_hasForm);
    enable("actDelete", open && m_hasForm);
}

void TfrmExportHTML::ChooseFile()
{
    if (m_busy)
        return;
    Prompter::FileRequest request;
    request.fileName = m_fileName;
    request.filter = QStringLiteral("HTML-Datei (*.html *.htm);;Alle Dateien (*)");
    const QString path = m_services.Prompt().OpenFileName(request);
    if (!path.isEmpty())
        OpenFile(path);
}

void TfrmExportHTML::OpenFile(const QString& path)
{
    if (m_busy)
        return;
    if (m_fileName.isEmpty()) {
        OpenNow(path);
        return;
    }
    SetBusy(true);
    ReadPageText([this, path](std::optional<QString> markup) {
        SetBusy(false);
        if (!markup || *markup == m_baseline) {
            OpenNow(path);
            return;
        }
        const TLanguageTexts& texts = m_services.Texts();
        const Prompter::Answer answer = m_services.Prompt().Question(
            texts.Text(QStringLiteral("txtHTMLExport5")), texts.Text(QStringLiteral("MsgConfirmation")),
            Prompter::Icon::Question, true, Prompter::Answer::Yes);
        if (answer == Prompter::Answer::No)
            OpenNow(path);
        else if (answer == Prompter::Answer::Yes)
            Save([this, path](bool saved) {
                if (saved)
                    OpenNow(path);
            });
    });
}

void TfrmExportHTML::OpenNow(const QString& path)
{
    const QString fileName = QFileInfo(path).absoluteFilePath();
    const TResult<TUserPage> page = ReadPage(fileName, m_session.Project().ExtSettings.encoding);
    if (!page) {
        Message("txtHTMLExport6", page.Error());
        return;
    }
    // The new working copy first: when it cannot be made, the page open
    // until now stays open.
    const TResult<QString> copy = CreateWorkingCopy(fileName, WorkingCopyBytes(*page));
    if (!copy) {
        Message("txtHTMLExport3", copy.Error());
        return;
    }
    if (!m_workingCopy.isEmpty())
        QFile::remove(m_workingCopy);
    m_fileName = fileName;
    m_userPage = *page;
    m_workingCopy = *copy;
    m_status->showMessage(m_fileName);
    m_takeBaseline = true;
    m_hasForm = false;
    SetBusy(true);
    LoadWorkingCopy();
}

void TfrmExportHTML::LoadBlank()
{
    SetBusy(true);
    m_expectLoad = true;
    m_page->Permit(QUrl(Blank));
    m_web->load(QUrl(Blank));
}

void TfrmExportHTML::LoadWorkingCopy()
{
    const QUrl url = QUrl::fromLocalFile(m_workingCopy);
    m_expectLoad = true;
    m_page->Permit(url);
    m_web->load(url);
}

void TfrmExportHTML::LoadFinished()
{
    // Only the program's own loads count: writing into a document may
    // report one too.
    if (!m_expectLoad)
        return;
    if (m_fileName.isEmpty()) {
        m_expectLoad = false;
        m_hasForm = false;
        SetBusy(false);
        emit Loaded();
        return;
    }
    // A page with the form is shown as it will look; one without it can be
    // clicked into, to place the caret. A document that was written into
    // (it carries the mark LoadText left) is the one before the load: its
    // report came late, and the load is still on its way.
    const QString script =
        QStringLiteral("(function() { if (window.quorvelWritten) return null;"
                       " var t = document.documentElement ? document.documentElement.outerHTML "
                       ": ''; document.designMode = t.indexOf(%1) >= 0 ? 'off' : 'on';"
                       " return t; })()")
            .arg(JsLiteral(FormBegin));
    Run(script, [this](const QVariant& result) {
        if (!m_expectLoad || result.typeId() != QMetaType::QString)
            return;
        m_expectLoad = false;
        const QString markup = result.toString();
        m_hasForm = HasForm(markup);
        if (m_takeBaseline) {
            m_takeBaseline = false;
            m_baseline = markup;
        }
        SetBusy(false);
        emit Loaded();
    });
}

void TfrmExportHTML::LoadText(const QString& markup)
{
    const QString script =
        QStringLiteral("(function() { document.open('text/html'); document.write(%1); document.close();"
                       " window.quorvelWritten = true; return document.documentElement.outerHTML; })()")
            .arg(JsLiteral(m_userPage.prolog + markup + m_userPage.epilog));
    Run(script, [this](const QVariant& result) {
        if (result.typeId() != QMetaType::QString) {
            LoadWorkingCopy();
            return;
        }
        const TStatus written =
            WriteFileAtomically(m_workingCopy, WorkingCopyBytes(m_userPage, result.toString()));
        // Without the new working copy the old one is shown again: the
        // command then changed nothing.
        if (!written)
            Message("txtHTMLExport3", written.Error());
        LoadWorkingCopy();
    });
}

std::optional<TBlocks> TfrmExportHTML::FreshBlocks()
{
    const std::optional<QString> generated = m_session.Generation().GenerateHTML();
    if (!generated)
        return std::nullopt; // the generation said why
    std::optional<TBlocks> blocks = BlocksOf(*generated);
    if (!blocks)
        Message("txtHTMLExport8");
    return blocks;
}

void TfrmExportHTML::AddForm()
{
    if (m_busy || m_fileName.isEmpty())
        return;
    SetBusy(true);
    ReadPageText([this](std::optional<QString> markup) {
        if (!markup) {
            SetBusy(false);
            return;
        }
        if (HasForm(*markup)) {
            SetBusy(false);
            m_services.Prompt().Message(m_services.Texts().Text(QStringLiteral("txtHTMLExport0")),
                                        m_services.Texts().Text(QStringLiteral("MsgInformation")),
                                        Prompter::Icon::Information);
            return;
        }
        // The placeholder must be the page's only one once it is pasted.
        if (markup->contains(Placeholder, Qt::CaseInsensitive)) {
            SetBusy(false);
            Message("txtHTMLExport4", QString(), true);
            return;
        }
        const std::optional<TBlocks> blocks = FreshBlocks();
        if (!blocks) {
            SetBusy(false);
            return;
        }
        // At the caret, replacing what is selected; with no caret in the
        // page nothing is pasted.
        const QString paste =
            QStringLiteral("(function() { var s = window.getSelection();"
                           " if (s && s.rangeCount > 0) document.execCommand('insertHTML', false, %1);"
                           " return document.documentElement.outerHTML; })()")
                .arg(JsLiteral(Placeholder));
        Run(paste, [this, blocks](const QVariant& result) {
            const std::optional<QString> merged = InsertForm(result.toString(), *blocks);
            if (!merged) {
                SetBusy(false);
                Message("txtHTMLExport4", QString(), true);
                return;
            }
            LoadText(*merged);
        });
    });
}

void TfrmExportHTML::RefreshForm()
{
    if (m_busy || m_fileName.isEmpty())
        return;
    SetBusy(true);
    ReadPageText([this](std::optional<QString> markup) {
        const std::optional<TBlocks> blocks = markup ? FreshBlocks() : std::nullopt;
        if (!blocks) {
            SetBusy(false);
            return;
        }
        LoadText(Refresh(*markup, *blocks));
    });
}

void TfrmExportHTML::DeleteForm()
{
    if (m_busy || m_fileName.isEmpty())
        return;
    SetBusy(true);
    ReadPageText([this](std::optional<QString> markup) {
        if (!markup) {
            SetBusy(false);
            return;
        }
        LoadText(Remove(*markup));
    });
}

void TfrmExportHTML::Save(std::function<void(bool)> done)
{
    if (m_fileName.isEmpty()) {
        if (done)
            done(true);
        return;
    }
    SetBusy(true);
    ReadPageText([this, done](std::optional<QString> markup) {
        SetBusy(false);
        TStatus written = TFailure{QStringLiteral("no answer from the browser"), m_fileName};
        if (markup)
            written = WriteFileAtomically(m_fileName, PageBytes(m_userPage, *markup));
        if (written)
            m_baseline = *markup;
        else
            Message("txtHTMLExport2", written.Error());
        emit Saved(written.Ok());
        if (done)
            done(written.Ok());
    });
}

void TfrmExportHTML::Upload()
{
    if (m_busy || m_fileName.isEmpty())
        return;
    SetBusy(true);
    ReadPageText([this](std::optional<QString> markup) {
        SetBusy(false);
        if (!markup)
            return;
        // The bytes saving would write, in a private file the upload takes.
        const TResult<QString> file = TPageUpload::WritePrivateFile(m_services.TempFolder().Path(),
                                                                    QStringLiteral("quorvel_temp-XXXXXX.htm"),
                                                                    PageBytes(m_userPage, *markup));
        if (!file) {
            m_services.Prompt().Message(file.Error(), m_services.Texts().Text(QStringLiteral("MsgError")),
                                        Prompter::Icon::Error);
            return;
        }
        m_upload.StartFile(*file);
    });
}

void TfrmExportHTML::ShowHelp()
{
    // The window's own help page; without one installed, a word on where
    // help is.
    const QString page = QStringLiteral("export.htm");
    if (!HelpPagePath(m_services.DataDir(), m_services.Texts().CurrentLanguage(), page).isEmpty()) {
        OpenHelpPage(page, m_services, m_urlOpener);
        return;
    }
    m_services.Prompt().Message(m_services.Texts().Text(QStringLiteral("txtHTMLExport7")),
                                m_services.Texts().Text(QStringLiteral("MsgInformation")),
                                Prompter::Icon::Information);
}

void TfrmExportHTML::reject()
{
    if (m_closing)
        return;
    if (m_busy) {
        m_closeWhenIdle = true;
        return;
    }
    if (m_fileName.isEmpty()) {
        Finish();
        return;
    }
    const TLanguageTexts& texts = m_services.Texts();
    const Prompter::Answer answer = m_services.Prompt().Question(
        texts.Text(QStringLiteral("txtHTMLExport1")), texts.Text(QStringLiteral("MsgConfirmation")),
        Prompter::Icon::Question, false, Prompter::Answer::Yes);
    if (answer == Prompter::Answer::No) {
        Finish();
        return;
    }
    if (answer != Prompter::Answer::Yes)
        return; // the question was dismissed
    m_closing = true;
    Save([this](bool saved) {
        m_closing = false;
        // A page that could not be saved stays open, so nothing is lost.
        if (saved)
            Finish();
    });
}

void TfrmExportHTML::Finish()
{
    if (!m_workingCopy.isEmpty())
        QFile::remove(m_workingCopy);
    m_workingCopy.clear();
    m_session.Project().ExtSettings.HTMLExportFileName = m_fileName;
    QDialog::reject();
}
