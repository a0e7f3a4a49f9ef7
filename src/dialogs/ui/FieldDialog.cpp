#include "dialogs/ui/FieldDialog.h"

#include "base/Crlf.h"
#include "base/LanguageTexts.h"
#include "base/Prompter.h"
#include "dialogs/FieldNames.h"
#include "model/FormField.h"
#include "ui/TranslateInterface.h"
#include "ui/WidgetBuild.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace WidgetBuild;

TFieldDialog::TFieldDialog(const TFieldDialogContext& context, const char* name, int titleKey,
                           const QString& title, QWidget* parent)
    : QDialog(parent), m_context(context)
{
    setObjectName(QString::fromLatin1(name));
    SetLangKey(this, titleKey);
    setWindowTitle(title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

QVBoxLayout* TFieldDialog::Frame(const char* headerName, int headerKey, const QString& header)
{
    auto* column = new QVBoxLayout(this);
    column->addWidget(Heading(this, headerName, headerKey, header));
    m_body = new QVBoxLayout;
    column->addLayout(m_body, 1);
    return m_body;
}

QWidget* TFieldDialog::AddPage(const char* name, int key, const QString& caption)
{
    if (!m_pages) {
        m_pages = new QTabWidget(this);
        m_pages->setObjectName(QStringLiteral("PageControl1"));
        m_body->addWidget(m_pages, 1);
    }
    auto* page = new QWidget(m_pages);
    page->setObjectName(QString::fromLatin1(name));
    SetLangKey(page, key);
    m_pages->addTab(page, caption);
    return page;
}

QGridLayout* TFieldDialog::GroupGrid(QWidget* parent, QBoxLayout* into, const char* name, int key,
                                     const QString& title)
{
    QGroupBox* group = Group(parent, name, key, title);
    into->addWidget(group);
    auto* grid = new QGridLayout(group);
    grid->setColumnStretch(1, 1);
    return grid;
}

QCheckBox* TFieldDialog::CheckRow(QGridLayout* grid, const char* name, int key, const QString& text)
{
    QCheckBox* box = Check(grid->parentWidget(), name, key, text);
    grid->addWidget(box, grid->rowCount(), 0, 1, 3);
    return box;
}

QLabel* TFieldDialog::NoteRow(QGridLayout* grid, const char* name, int key, const QString& text)
{
    QLabel* note = Note(grid->parentWidget(), name, key, text);
    grid->addWidget(note, grid->rowCount(), 0, 1, 3);
    return note;
}

void TFieldDialog::RequiredGroup(QWidget* parent, QBoxLayout* into, const char* hintName)
{
    QGridLayout* grid = GroupGrid(parent, into, "GroupBox1", 232, QStringLiteral("Überprüfung"));
    chkPflicht = CheckRow(grid, "chkPflicht", 233, QStringLiteral("Pflichtfeld"));
    NoteRow(grid, hintName, 234, MessageHint());
    edtMeldung = Edit(grid->parentWidget(), "edtMeldung");
    grid->addWidget(edtMeldung, grid->rowCount(), 0, 1, 3);
}

void TFieldDialog::CookieRows(QWidget* page, QBoxLayout* into)
{
    chkCookie = Check(page, "chkCookie", 247, QStringLiteral("Daten nach dem Absenden in Cookie speichern"));
    into->addWidget(chkCookie);
    into->addWidget(
        Note(page, "Label4", 248,
             QStringLiteral("Sind die Daten in einem Cookie gespeichert, so muss der Anwender diese\n"
                            "beim erneuten Aufruf des Formulars nicht erneut eingeben.")));
}

QString TFieldDialog::MessageHint()
{
    return QStringLiteral("Hier können Sie die Fehlermeldung eintragen, \nwelche bei Nichteingabe erscheint. "
                          "Lassen \nSie dieses Feld leer,  und es erscheint eine \nStandardfehlermeldung mit "
                          "Feldnamen.");
}

QString TFieldDialog::ToBox(QString text)
{
    text.replace(CRLF, QStringLiteral("\n"));
    return text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

QString TFieldDialog::FromBox(QString text)
{
    return text.replace(QLatin1Char('\n'), CRLF);
}

void TFieldDialog::LoadCommon(const TFormField& field)
{
    const std::pair<QLineEdit*, const QString*> texts[] = {{edtName, &field.Name},
                                                           {edtBeschriftung, &field.Beschriftung},
                                                           {edtTextNach, &field.BeschriftungNach},
                                                           {edtMeldung, &field.Meldung}};
    for (const auto& [edit, value] : texts)
        if (edit)
            edit->setText(*value);
    if (chkPflicht)
        chkPflicht->setChecked(field.Pflicht);
    if (chkCookie)
        chkCookie->setChecked(field.Cookie);
}

void TFieldDialog::SaveCommon(TFormField& field) const
{
    const std::pair<QLineEdit*, QString*> texts[] = {{edtName, &field.Name},
                                                     {edtBeschriftung, &field.Beschriftung},
                                                     {edtTextNach, &field.BeschriftungNach},
                                                     {edtMeldung, &field.Meldung}};
    for (const auto& [edit, value] : texts)
        if (edit)
            *value = edit->text();
    if (chkPflicht)
        field.Pflicht = chkPflicht->isChecked();
    if (chkCookie)
        field.Cookie = chkCookie->isChecked();
}

void TFieldDialog::Translate()
{
    TranslateWindow(this, m_context.texts);
}

void TFieldDialog::AddButtons(const char* okName, const char* cancelName)
{
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = Button(this, okName, 155, QStringLiteral("OK"));
    QPushButton* cancel = Button(this, cancelName, 156, QStringLiteral("Abbrechen"));
    ok->setDefault(true);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout()->addWidget(buttons);
}

QLineEdit* TFieldDialog::TextRow(QGridLayout* grid, const char* labelName, int key, const QString& label,
                                 const char* editName, const char* buttonName)
{
    const int row = grid->rowCount();
    QWidget* parent = grid->parentWidget();
    grid->addWidget(Label(parent, labelName, key, label), row, 0);
    QLineEdit* edit = Edit(parent, editName);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 32);
    grid->addWidget(edit, row, 1);
    if (buttonName)
        grid->addWidget(HtmlButton(parent, buttonName, edit), row, 2);
    return edit;
}

QLineEdit* TFieldDialog::NameRow(QGridLayout* grid, const char* labelName)
{
    edtName = TextRow(grid, labelName, 220, QStringLiteral("Name"), "edtName");
    edtName->installEventFilter(this);
    return edtName;
}

QPushButton* TFieldDialog::HtmlButton(QWidget* parent, const char* name, QWidget* edit)
{
    QPushButton* button = Ellipsis(parent, name);
    connect(button, &QPushButton::clicked, this, [this, edit] {
        if (m_context.editHtml)
            m_context.editHtml(edit);
    });
    return button;
}

void TFieldDialog::showEvent(QShowEvent* event)
{
    if (m_pages)
        m_pages->setCurrentIndex(0);
    QDialog::showEvent(event);
}

bool TFieldDialog::eventFilter(QObject* watched, QEvent* event)
{
    // The name becomes an identifier in script and PHP: typed characters
    // that could not stand where they land are dropped. Keys that type
    // nothing (arrows, shortcuts, Enter) pass.
    if (watched == edtName && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        if (!typed.isEmpty() && typed.at(0).isPrint()) {
            const int position =
                edtName->hasSelectedText() ? edtName->selectionStart() : edtName->cursorPosition();
            for (qsizetype i = 0; i < typed.size(); ++i)
                if (!FieldNames::AcceptsTyped(typed.at(i), position + static_cast<int>(i)))
                    return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool TFieldDialog::Validate()
{
    if (m_pages)
        m_pages->setCurrentIndex(0);
    bool ok = true;
    if (HasName()) {
        const QString name = edtName->text();
        const auto refuse = [&](const QString& text) {
            m_context.prompter.Message(text, QString(), Prompter::Icon::None);
            edtName->setFocus();
            ok = false;
        };
        if (name.isEmpty())
            refuse(m_context.texts.Text(QStringLiteral("txtCalender0")));
        else if (!TFormField::IsValidFieldName(name))
            // A pasted name or an edit inside the box can bypass the filter.
            refuse(m_context.texts.Text(QStringLiteral("txtCheckFieldName")).arg(name));
        if (ChecksNameUse() &&
            (FieldNames::TakenElsewhere(m_context.fields, name, feldNr) || TakenHere(name)))
            refuse(m_context.texts.Text(QStringLiteral("txtCalender1")));
    }
    if (!ValidateMore())
        ok = false;
    return ok;
}

void TFieldDialog::done(int result)
{
    if (result == QDialog::Accepted) {
        if (!Validate())
            return;
        BeforeAccept();
    }
    QDialog::done(result);
}
