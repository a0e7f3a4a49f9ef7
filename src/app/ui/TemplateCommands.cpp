#include "app/ui/TemplateCommands.h"

#include "app/AppServices.h"
#include "app/ui/FieldsPage.h"
#include "app/ui/frmVorlagen.h"
#include "base/LanguageTexts.h"
#include "base/Prompter.h"
#include "dialogs/FieldNames.h"
#include "model/FormField.h"
#include "model/FormProject.h"

#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>

namespace
{
// The keystroke rule of the field dialogs' name box: what could not stand
// where it lands is not taken.
class TNameValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        for (qsizetype i = 0; i < input.size(); ++i)
            if (!FieldNames::AcceptsTyped(input.at(i), static_cast<int>(i)))
                return Invalid;
        return input.isEmpty() ? Intermediate : Acceptable;
    }
};
} // namespace

TTemplateCommands::TTemplateCommands(TAppServices& services, TFormProject& project, TFieldsPage& page,
                                     std::function<void()> refreshFields, QWidget* window)
    : QObject(window), m_services(services), m_project(project), m_page(page),
      m_refreshFields(std::move(refreshFields)), m_window(window),
      m_store(services.AppDataFolder() + QStringLiteral("/vorlagen.xml"),
              services.DataFile(QStringLiteral("vorlagen.xml")))
{
    connect(&page, &TFieldsPage::InsertTemplateRequested, this, &TTemplateCommands::InsertTemplate);
    connect(&page, &TFieldsPage::StoreTemplateRequested, this,
            [this] { FieldAsTemplate(m_page.SelectedRow()); });
}

void TTemplateCommands::InstallDefault()
{
    // Reported only when a template command is used: the window opens.
    (void)m_store.InstallDefault();
}

void TTemplateCommands::LoadTemplateList()
{
    (void)m_store.Load();
    m_page.ShowTemplates(m_store.Names());
}

void TTemplateCommands::Report(const TStatus& status) const
{
    m_services.Prompt().Message(status.Failure().Text(), m_services.Texts().Text(QStringLiteral("MsgError")),
                                Prompter::Icon::Error);
}

std::unique_ptr<QInputDialog> TTemplateCommands::MakeNameQuestion(const QString& taken,
                                                                  const QString& language) const
{
    const TLanguageTexts& all = m_services.Texts();
    const TTextSection texts = language.isEmpty() ? all.Snapshot() : all.Section(language);
    auto dialog = std::make_unique<QInputDialog>(m_window);
    dialog->setObjectName(QStringLiteral("dlgVorlageName"));
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setWindowTitle(texts.Text(QStringLiteral("txtVorlagenName1")));
    dialog->setLabelText(texts.Text(QStringLiteral("txtVorlagenName2")).arg(taken));
    dialog->setOkButtonText(texts.Text(QStringLiteral("155")));
    dialog->setCancelButtonText(texts.Text(QStringLiteral("156")));
    dialog->setTextValue(taken);
    // The question is a sentence or two: wrapped, not one wide line.
    if (auto* label = dialog->findChild<QLabel*>()) {
        label->setWordWrap(true);
        label->setMinimumWidth(380);
    }
    if (auto* edit = dialog->findChild<QLineEdit*>())
        edit->setValidator(new TNameValidator(edit));
    return dialog;
}

std::optional<QString> TTemplateCommands::AskName(const QString& taken) const
{
    const std::unique_ptr<QInputDialog> dialog = MakeNameQuestion(taken);
    if (dialog->exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog->textValue();
}

void TTemplateCommands::InsertTemplate(int position)
{
    if (position < 0)
        return;
    if (TStatus loaded = m_store.Load(); !loaded) {
        Report(loaded);
        LoadTemplateList();
        return;
    }
    auto made = m_store.Field(position);
    if (!made) {
        Report(made.Failure());
        return;
    }
    std::unique_ptr<TFormField> field = std::move(made).Value();
    // Two fields of one name would break the page's script and checks: a
    // name the project uses already is asked anew, by the rules of the
    // field dialogs.
    const QList<QString*> names = FieldNames::NamesOf(*field);
    const TLanguageTexts& texts = m_services.Texts();
    for (QString* name : names) {
        QStringList others;
        for (const QString* other : names)
            if (other != name)
                others << *other;
        if (FieldNames::NameRefusal(m_project.ListField, *name, others).isEmpty())
            continue;
        const QString taken = *name;
        for (;;) {
            const std::optional<QString> answer = AskName(taken);
            if (!answer)
                return;
            const QString refusal = FieldNames::NameRefusal(m_project.ListField, *answer, others);
            if (refusal.isEmpty()) {
                *name = *answer;
                break;
            }
            const QString message = texts.Text(refusal);
            m_services.Prompt().Message(message.contains(QLatin1String("%1")) ? message.arg(*answer)
                                                                              : message);
        }
    }
    m_project.ListField.Add(std::move(field));
    m_refreshFields();
    m_page.SelectRow(m_project.ListField.Count() - 1);
}

void TTemplateCommands::FieldAsTemplate(int row)
{
    if (row < 0 || row >= m_project.ListField.Count())
        return;
    const TStatus stored = m_store.Append(*m_project.ListField[row]);
    LoadTemplateList();
    if (!stored) {
        Report(stored);
        return;
    }
    m_page.Templates()->setCurrentIndex(m_store.Count() - 1);
}

TfrmVorlagen& TTemplateCommands::EnsureManager()
{
    if (!m_manager)
        m_manager = new TfrmVorlagen(m_store, m_services.Texts(), m_services.Prompt(), m_window);
    return *m_manager;
}

void TTemplateCommands::ManageTemplates()
{
    EnsureManager().exec();
    LoadTemplateList();
}
