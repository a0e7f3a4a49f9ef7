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

template <typename Dialog, typename Field> bool EditWith(Dialog& dialog, Field& field, int position)
{
    dialog.feldNr = position;
    dialog.LoadFromObject(field);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.SaveToObject(field);
    return true;
}
} // namespace

TFieldEditing::TFieldEditing(TAppServices& services, TFormProject& project,
                             std::function<void(QWidget*)> editHtml, QWidget* window)
    : QObject(window), m_services(services),
      m_project(project), m_context{project.ListField, services.Texts(), services.Prompt(),
                                    std::move(editHtml)},
      m_window(window)
{
    // In the order the program makes its resident windows.
    m_einz = new TfrmEinzField(m_context, window);
    m_mehrz = new TfrmMehrzField(m_context, window);
    m_list = new TfrmListBox(m_context, window);
    m_checkBox = new TfrmCheckBox(m_context, window);
    m_zw = new TfrmZwText(m_context, window);
    m_radio = new TfrmRadioButtons(m_context, window);
    m_pass = new TfrmPassField(m_context, window);
    m_file = new TfrmFileUpload(m_context, window);
}

QList<QDialog*> TFieldEditing::ResidentDialogs() const
{
    return {m_einz, m_mehrz, m_list, m_checkBox, m_zw, m_radio, m_pass, m_file};
}

QList<QDialog*> TFieldEditing::MakeCommandDialogs()
{
    auto* list = new TfrmCheckBoxList(m_context, *m_checkBox, m_window);
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
    case TFieldKind::Einz: m_einz->ClearAll(); return AddWith<TEinzField>(*m_einz, fields);
    case TFieldKind::Pass: m_pass->ClearAll(); return AddWith<TPassField>(*m_pass, fields);
    case TFieldKind::Mehrz: m_mehrz->ClearAll(); return AddWith<TMehrzField>(*m_mehrz, fields);
    case TFieldKind::DropDown: m_list->ClearAll(); return AddWith<TDropDownField>(*m_list, fields);
    case TFieldKind::CheckBox: m_checkBox->ClearAll(); return AddWith<TCheckBoxField>(*m_checkBox, fields);
    case TFieldKind::Zw: m_zw->ClearAll(); return AddWith<TZwField>(*m_zw, fields);
    case TFieldKind::Radio: m_radio->ClearAll(); return AddWith<TRadioField>(*m_radio, fields);
    case TFieldKind::File: m_file->ClearAll(); return AddWith<TFileField>(*m_file, fields);
    case TFieldKind::CheckBoxList: {
        TfrmCheckBoxList dialog(m_context, *m_checkBox, m_window);
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
        return EditWith(*m_einz, *einz, position);
    if (auto* mehrz = dynamic_cast<TMehrzField*>(field))
        return EditWith(*m_mehrz, *mehrz, position);
    if (auto* list = dynamic_cast<TDropDownField*>(field))
        return EditWith(*m_list, *list, position);
    if (auto* box = dynamic_cast<TCheckBoxField*>(field)) {
        m_checkBox->ClearAll();
        return EditWith(*m_checkBox, *box, position);
    }
    if (auto* zw = dynamic_cast<TZwField*>(field)) {
        // An intermediate text has no name to keep apart.
        m_zw->LoadFromObject(*zw);
        if (m_zw->exec() != QDialog::Accepted)
            return false;
        m_zw->SaveToObject(*zw);
        return true;
    }
    if (auto* radio = dynamic_cast<TRadioField*>(field))
        return EditWith(*m_radio, *radio, position);
    if (auto* pass = dynamic_cast<TPassField*>(field))
        return EditWith(*m_pass, *pass, position);
    if (auto* file = dynamic_cast<TFileField*>(field))
        return EditWith(*m_file, *file, position);
    if (auto* boxes = dynamic_cast<TCheckBoxList*>(field)) {
        TfrmCheckBoxList dialog(m_context, *m_checkBox, m_window);
        return EditWith(dialog, *boxes, position);
    }
    if (auto* cal = dynamic_cast<TCalField*>(field)) {
        TfrmCalender dialog(m_context, m_project, m_services.DataDir(), m_services.TempFolder().Path(),
                            m_window);
        return EditWith(dialog, *cal, position);
    }
    return false;
}
