#include "dialogs/ui/FieldDialog.h"

#include "base/Crlf.h"
#include "base/LanguageTexts.h"
#include "base/Prompter.h"
#include "dialogs/ConditionTexts.h"
#include "dialogs/FieldNames.h"
#include "model/FieldList.h"
#include "model/FormField.h"
#include "ui/TranslateInterface.h"
#include "ui/WidgetBuild.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace WidgetBuild;

namespace
{
// Marks the entry of the field list that shows a kept condition.
constexpr int KeptRole = Qt::UserRole + 1;
} // namespace

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
    LoadCondition(field.Condition);
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
    SaveCondition(field);
}

void TFieldDialog::ConditionGroup()
{
    QGridLayout* grid = GroupGrid(this, m_body, "GroupBoxAnzeige", 441, QStringLiteral("Anzeige"));
    QWidget* group = grid->parentWidget();
    m_conditionGroup = group;
    QLabel* label = Label(group, "lblCondition", 440, QStringLiteral("Nur an&zeigen, wenn"));
    cboConditionField = FixedList(group, "cboConditionField", {});
    cboConditionField->setMinimumContentsLength(14);
    cboConditionField->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    label->setBuddy(cboConditionField);
    cboConditionTest = FixedList(group, "cboConditionTest", {});
    cboConditionTest->setMinimumContentsLength(12);
    cboConditionTest->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboConditionValue = FixedList(group, "cboConditionValue", {});
    cboConditionValue->setMinimumContentsLength(12);
    cboConditionValue->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    grid->addWidget(label, 0, 0);
    grid->addWidget(cboConditionField, 0, 1);
    grid->addWidget(cboConditionTest, 0, 2);
    grid->addWidget(cboConditionValue, 0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(3, 2);
    lblConditionKept = new QLabel(group);
    lblConditionKept->setObjectName(QStringLiteral("lblConditionKept"));
    lblConditionKept->setWordWrap(true);
    lblConditionKept->setForegroundRole(QPalette::Link);
    grid->addWidget(lblConditionKept, 1, 0, 1, 4);
    lblConditionKept->hide();
    // The entries change with the project, so their texts are taken when
    // the row is filled: from hidden labels that every translation of the
    // window sets, in the language it translates to.
    for (const char* key : ConditionTexts::RowKeys()) {
        auto* carrier = new QLabel(m_context.texts.Text(QString::fromLatin1(key)), this);
        carrier->setObjectName(QString::fromLatin1(key));
        SetLangName(carrier, key);
        carrier->setVisible(false);
    }
    QWidget::setTabOrder(cboConditionField, cboConditionTest);
    QWidget::setTabOrder(cboConditionTest, cboConditionValue);

    connect(cboConditionField, &QComboBox::currentIndexChanged, this, [this] {
        lblConditionKept->setVisible(cboConditionField->currentData(KeptRole).toBool());
        ShowTests();
    });
    connect(cboConditionTest, &QComboBox::currentIndexChanged, this, [this] { ShowValues(); });
    ShowCondition();
}

void TFieldDialog::LoadCondition(const TFieldCondition& condition)
{
    m_condition = condition;
    if (cboConditionField)
        ShowCondition();
}

void TFieldDialog::SaveCondition(TFormField& field) const
{
    if (m_conditionOffered && cboConditionField)
        field.Condition = ChosenCondition();
}

void TFieldDialog::OfferCondition(bool offered)
{
    m_conditionOffered = offered;
    if (m_conditionGroup)
        m_conditionGroup->setVisible(offered);
}

void TFieldDialog::ShowCondition()
{
    {
        const QSignalBlocker block(cboConditionField);
        cboConditionField->clear();
        cboConditionField->addItem(ConditionText("txtConditionAlways"), QString());
        int chosen = 0;
        for (const ConditionTexts::TCandidate& candidate :
             ConditionTexts::Candidates(m_context.fields, feldNr)) {
            cboConditionField->addItem(candidate.name, candidate.name);
            if (m_condition.IsSet() && candidate.name == m_condition.Field &&
                ConditionTexts::OfferedTests(*candidate.field).contains(m_condition.Test) &&
                (!ConditionTestNeedsValue(m_condition.Test) ||
                 candidate.field->ConditionValues().contains(m_condition.Value)))
                chosen = cboConditionField->count() - 1;
        }
        // A condition the row cannot offer (its field is gone, stands after
        // this one, or lost the chosen option) is kept as it is until the
        // user chooses another, and the row says so.
        const bool kept = m_condition.IsSet() && chosen == 0;
        if (kept) {
            cboConditionField->addItem(m_condition.Field, m_condition.Field);
            chosen = cboConditionField->count() - 1;
            cboConditionField->setItemData(chosen, true, KeptRole);
            lblConditionKept->setText(
                ConditionText("txtConditionKept")
                    .arg(ConditionTexts::Describe(m_condition,
                                                  ConditionText(ConditionTexts::TestKey(m_condition.Test)))));
        }
        lblConditionKept->setVisible(kept);
        cboConditionField->setCurrentIndex(chosen);
    }
    {
        // The loaded test and value are chosen again, not the first ones.
        const QSignalBlocker block(cboConditionTest);
        cboConditionTest->clear();
        cboConditionTest->addItem(QString(), static_cast<int>(m_condition.Test));
        const QSignalBlocker blockValue(cboConditionValue);
        cboConditionValue->clear();
        cboConditionValue->addItem(m_condition.Value);
    }
    ShowTests();
}

void TFieldDialog::ShowTests()
{
    const auto previous = static_cast<TConditionTest>(cboConditionTest->currentData().toInt());
    const QString previousValue = cboConditionValue->currentText();
    QList<TConditionTest> tests;
    if (cboConditionField->currentData(KeptRole).toBool())
        tests << m_condition.Test;
    else if (const TFormField* field =
                 m_context.fields.FindByName(cboConditionField->currentData().toString());
             field && cboConditionField->currentIndex() > 0)
        tests = ConditionTexts::OfferedTests(*field);
    {
        const QSignalBlocker block(cboConditionTest);
        cboConditionTest->clear();
        for (const TConditionTest test : tests)
            cboConditionTest->addItem(ConditionText(ConditionTexts::TestKey(test)), static_cast<int>(test));
        const int index = cboConditionTest->findData(static_cast<int>(previous));
        cboConditionTest->setCurrentIndex(index >= 0 ? index : (tests.isEmpty() ? -1 : 0));
        cboConditionTest->setEnabled(!tests.isEmpty());
    }
    {
        // ShowValues picks the value shown before where the new field has it.
        const QSignalBlocker block(cboConditionValue);
        cboConditionValue->clear();
        cboConditionValue->addItem(previousValue);
    }
    ShowValues();
}

void TFieldDialog::ShowValues()
{
    const QString previous = cboConditionValue->currentText();
    const auto test = static_cast<TConditionTest>(cboConditionTest->currentData().toInt());
    QStringList values;
    if (cboConditionTest->currentIndex() >= 0 && ConditionTestNeedsValue(test)) {
        if (cboConditionField->currentData(KeptRole).toBool())
            values << m_condition.Value;
        else if (const TFormField* field =
                     m_context.fields.FindByName(cboConditionField->currentData().toString()))
            values = field->ConditionValues();
    }
    const QSignalBlocker block(cboConditionValue);
    cboConditionValue->clear();
    cboConditionValue->addItems(values);
    const int index = values.indexOf(previous);
    cboConditionValue->setCurrentIndex(index >= 0 ? index : (values.isEmpty() ? -1 : 0));
    cboConditionValue->setEnabled(!values.isEmpty());
}

QString TFieldDialog::ConditionText(const char* key) const
{
    if (!key)
        return QString();
    const auto* carrier = findChild<QLabel*>(QString::fromLatin1(key), Qt::FindDirectChildrenOnly);
    return carrier ? carrier->text() : m_context.texts.Text(QString::fromLatin1(key));
}

TFieldCondition TFieldDialog::ChosenCondition() const
{
    if (!cboConditionField || cboConditionField->currentIndex() <= 0 || cboConditionTest->currentIndex() < 0)
        return TFieldCondition();
    if (cboConditionField->currentData(KeptRole).toBool())
        return m_condition;
    TFieldCondition condition;
    condition.Field = cboConditionField->currentData().toString();
    condition.Test = static_cast<TConditionTest>(cboConditionTest->currentData().toInt());
    if (ConditionTestNeedsValue(condition.Test))
        condition.Value = cboConditionValue->currentText();
    return condition;
}

void TFieldDialog::Translate()
{
    TranslateWindow(this, m_context.texts);
}

void TFieldDialog::AddButtons(const char* okName, const char* cancelName)
{
    // Every field dialog offers its condition just above its buttons.
    if (m_body)
        ConditionGroup();
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
    // The project may have changed since the field was loaded, and feldNr
    // is set after ClearAll.
    if (cboConditionField && m_conditionOffered) {
        m_condition = ChosenCondition();
        ShowCondition();
    }
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
