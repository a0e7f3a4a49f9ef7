#pragma once

#include "dialogs/ui/FieldDialog.h"

#include <QObject>

class TAppServices;
class TFormProject;
class TfrmCheckBox;
class TfrmEinzField;
class TfrmFileUpload;
class TfrmListBox;
class TfrmMehrzField;
class TfrmPassField;
class TfrmRadioButtons;
class TfrmZwText;

// The kinds of field, in the order of the "Neu" menu.
enum class TFieldKind { Einz, Pass, Mehrz, DropDown, CheckBox, Zw, Radio, File, CheckBoxList, Cal };

// Adding and editing the project's fields with their dialogs. The dialogs
// of most kinds are made when first needed and then live as long as the
// window; the check-box list and calendar dialogs are made for each command. A dialog never owns a field: on
// OK a new field is made and appended, or the edited one is written in place.
class TFieldEditing : public QObject
{
    Q_OBJECT
public:
    // editHtml opens the HTML editor on a text box of a dialog.
    TFieldEditing(TAppServices& services, TFormProject& project, std::function<void(QWidget*)> editHtml,
                  QWidget* window);

    // True when a field was added (the dialog ended with OK).
    bool AddField(TFieldKind kind);
    // Edits the field at the position; true when the dialog ended with OK.
    bool EditField(int position);

    // The resident dialogs, all made now (the screenshot tool shows them).
    QList<QDialog*> ResidentDialogs();
    // The dialogs made for one command, as they open for a new field (a
    // check-box list with two boxes); the caller deletes them.
    QList<QDialog*> MakeCommandDialogs();

private:
    // The resident dialog of the slot, made on first use.
    template <typename Dialog> Dialog& Resident(Dialog*& slot);

    TAppServices& m_services;
    TFormProject& m_project;
    TFieldDialogContext m_context;
    QWidget* m_window;
    TfrmEinzField* m_einz = nullptr;
    TfrmMehrzField* m_mehrz = nullptr;
    TfrmListBox* m_list = nullptr;
    TfrmCheckBox* m_checkBox = nullptr;
    TfrmZwText* m_zw = nullptr;
    TfrmRadioButtons* m_radio = nullptr;
    TfrmPassField* m_pass = nullptr;
    TfrmFileUpload* m_file = nullptr;
};
