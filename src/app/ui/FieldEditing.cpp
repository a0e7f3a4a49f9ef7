#include "app/ui/FieldEditing.h"

#include "app/AppServices.h"
#include "dialogs/ui/frmCalender.h"
#include "dialogs/ui/frmCheckBox.h"
#include "dialogs/ui/frmCheckBoxList.h"
#include "dialogs/ui/frmEinzField.h"
#include "dialogs/ui/frmFileUpload.h"
#include "dialogs/ui/frmListBox.h"
#include "dialogs/ui/frmMehrzField.h"
#include "dialogs/ui/frmPassField.h"
#include "dialogs/ui/frmRadioButtons.h"
#include "dialogs/ui/frmZwText.h"
#include "fields/CalField.h"
#include "fields/CheckBoxField.h"
#include "fields/CheckBoxList.h"
#include "fields/DropDownField.h"
#include "fields/EinzField.h"
#include "fields/FileField.h"
#include "fields/MehrzField.h"
#include "fields/PassField.h"
#include "fields/RadioField.h"
#include "fields/ZwField.h"
#include "model/FormProject.h"

#include <memory>

namespace
{
// A new field of the kind from a dialog that was prepared for it.
template <typename Field, typename Dialog> bool AddWith(Dialog& dialog, TFieldList& fields)
{
    dialog.feldNr = -1;
    if (dialog.exec() != QDialog::Accepted)
        return false;
    auto field = std::make_unique<Field>();
    dialog.SaveToObject(*field);
    fields.Add(std::move(field));
    return true;
}

// Edits the field in place; a new name is taken over by every condition
// that named the old one.
template <typename Dialog, typename Field>
bool EditWith(Dialog& dialog, Field& field, int position, TFieldList& fields)
{
    dialog.feldNr = position;
    dialog.LoadFromObject(field);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QString oldName = field.Name;
    dialog.SaveToObject(field);
    fields.RenameInConditions(oldName, field.Name);
    return true;
}

// Renames at once, so that two boxes that swapped their names keep the
// conditions apart.
void RenameInConditions(TFieldList& fields, const QList<std::pair<QString, QString>>& renames)
{
    for (const auto& field : fields) {
        if (!field->Condition.IsSet())
            continue;
        for (const auto& [oldName, newName] : renames)
            if (field->Condition.Field == oldName) {
                field->Condition.Field = newName;
                break;
            }
    }
}
} // namespace

TFieldEditing::TFieldEditing(TAppServices& services, TFormProject& project,
                             std::function<void(QWidget*)> editHtml, QWidget* window)
    : QObject(window), m_services(services),
      m_project(project), m_context{project.ListField, services.Texts(), services.Prompt(),
                                    std::move(editHtml)},
      m_window(window)
{
}

template <typename Dialog> Dialog& TFieldEditing::Resident(Dialog*& slot)
{
    // Made in the language of the moment; a later change of language
    // translates it with every other window.
    if (!slot)
        slot = new Dialog(m_context, m_window);
    return *slot;
}

QList<QDialog*> TFieldEditing::ResidentDialogs()
{
    // In the order the program used to make its resident windows.
    return {&Resident(m_einz), &Resident(m_mehrz), &Resident(m_list), &Resident(m_checkBox),
            &Resident(m_zw),   &Resident(m_radio), &Resident(m_pass), &Resident(m_file)};
}

QList<QDialog*> TFieldEditing::MakeCommandDialogs()
{
    auto* list = new TfrmCheckBoxList(m_context, Resident(m_checkBox), m_window);
    TCheckBoxList sample;
    sample.Name = QStringLiteral("interessen");
    sample.Beschriftung = QStringLiteral("Interessen");
    for (const char* name : {"sport", "musik"}) {
        auto box = std::make_unique<TCheckBoxFieldSimple>();
        box->Name = QString::fromLatin1(name);
        box->Beschriftung = box->Name;
        box->Vorgabewert = m_services.Texts().Text(QStringLiteral("txtCheckbox3"));
        sample.ListCheckboxes.push_back(std::move(box));
    }
    list->LoadFromObject(sample);
    auto* calendar = new TfrmCalender(m_context, m_project, m_services.DataDir(),
                                      m_services.TempFolder().Path(), m_window);
    return {calendar, list};
}

bool TFieldEditing::AddField(TFieldKind kind)
{
    TFieldList& fields = m_project.ListField;
    switch (kind) {
    case TFieldKind::Einz: Resident(m_einz).ClearAll(); return AddWith<TEinzField>(Resident(m_einz), fields);
    case TFieldKind::Pass: Resident(m_pass).ClearAll(); return AddWith<TPassField>(Resident(m_pass), fields);
    case TFieldKind::Mehrz:
        Resident(m_mehrz).ClearAll();
        return AddWith<TMehrzField>(Resident(m_mehrz), fields);
    case TFieldKind::DropDown:
        Resident(m_list).ClearAll();
        return AddWith<TDropDownField>(Resident(m_list), fields);
    case TFieldKind::CheckBox:
        Resident(m_checkBox).ClearAll();
        return AddWith<TCheckBoxField>(Resident(m_checkBox), fields);
    case TFieldKind::Zw: Resident(m_zw).ClearAll(); return AddWith<TZwField>(Resident(m_zw), fields);
    case TFieldKind::Radio:
        Resident(m_radio).ClearAll();
        return AddWith<TRadioField>(Resident(m_radio), fields);
    case TFieldKind::File: Resident(m_file).ClearAll(); return AddWith<TFileField>(Resident(m_file), fields);
    case TFieldKind::CheckBoxList: {
        TfrmCheckBoxList dialog(m_context, Resident(m_checkBox), m_window);
        return AddWith<TCheckBoxList>(dialog, fields);
    }
    case TFieldKind::Cal: {
        TfrmCalender dialog(m_context, m_project, m_services.DataDir(), m_services.TempFolder().Path(),
                            m_window);
        return AddWith<TCalField>(dialog, fields);
    }
    }
    return false;
}

bool TFieldEditing::EditField(int position)
{
    if (position < 0 || position >= m_project.ListField.Count())
        return false;
    TFormField* field = m_project.ListField[position];
    // The order matters where one kind derives from another.
    if (auto* einz = dynamic_cast<TEinzField*>(field))
        return EditWith(Resident(m_einz), *einz, position, m_project.ListField);
    if (auto* mehrz = dynamic_cast<TMehrzField*>(field))
        return EditWith(Resident(m_mehrz), *mehrz, position, m_project.ListField);
    if (auto* list = dynamic_cast<TDropDownField*>(field))
        return EditWith(Resident(m_list), *list, position, m_project.ListField);
    if (auto* box = dynamic_cast<TCheckBoxField*>(field)) {
        Resident(m_checkBox).ClearAll();
        return EditWith(Resident(m_checkBox), *box, position, m_project.ListField);
    }
    if (auto* zw = dynamic_cast<TZwField*>(field)) {
        // An intermediate text has no name to keep apart; its condition
        // names an earlier field.
        Resident(m_zw).feldNr = position;
        Resident(m_zw).LoadFromObject(*zw);
        if (Resident(m_zw).exec() != QDialog::Accepted)
            return false;
        Resident(m_zw).SaveToObject(*zw);
        return true;
    }
    if (auto* radio = dynamic_cast<TRadioField*>(field))
        return EditWith(Resident(m_radio), *radio, position, m_project.ListField);
    if (auto* pass = dynamic_cast<TPassField*>(field))
        return EditWith(Resident(m_pass), *pass, position, m_project.ListField);
    if (auto* file = dynamic_cast<TFileField*>(field))
        return EditWith(Resident(m_file), *file, position, m_project.ListField);
    if (auto* boxes = dynamic_cast<TCheckBoxList*>(field)) {
        TfrmCheckBoxList dialog(m_context, Resident(m_checkBox), m_window);
        dialog.feldNr = position;
        dialog.LoadFromObject(*boxes);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        // Conditions name the boxes; the list's own name is renamed too.
        QList<std::pair<QString, QString>> renames = dialog.BoxRenames();
        const QString oldName = boxes->Name;
        dialog.SaveToObject(*boxes);
        if (!oldName.isEmpty() && oldName != boxes->Name)
            renames.append({oldName, boxes->Name});
        RenameInConditions(m_project.ListField, renames);
        // A deleted box's conditions go, unless another box took its name.
        TFieldList& fields = m_project.ListField;
        for (const QString& name : dialog.DroppedBoxNames()) {
            if (fields.IndexOfName(name) >= 0)
                continue;
            for (const auto& other : fields)
                if (other->Condition.IsSet() && other->Condition.Field == name)
                    other->Condition.Clear();
        }
        return true;
    }
    if (auto* cal = dynamic_cast<TCalField*>(field)) {
        TfrmCalender dialog(m_context, m_project, m_services.DataDir(), m_services.TempFolder().Path(),
                            m_window);
        return EditWith(dialog, *cal, position, m_project.ListField);
    }
    return false;
}
