#pragma once

#include "app/TemplateStore.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class TAppServices;
class TFieldsPage;
class TFormProject;
class TfrmVorlagen;
class QInputDialog;
class QWidget;

// The field templates on the page "Felder": the template list, inserting
// the chosen template as a new field at the end of the project, storing the
// selected field as a template, and the template manager.
class TTemplateCommands : public QObject
{
    Q_OBJECT
public:
    // refreshFields shows the project's field list again after a field was
    // added. The window is the parent of the manager and of the name question.
    TTemplateCommands(TAppServices& services, TFormProject& project, TFieldsPage& page,
                      std::function<void()> refreshFields, QWidget* window);

    // Copies the shipped templates to the user's folder when they are
    // missing there; a failure costs the templates, nothing else.
    void InstallDefault();
    // Fills the page's template list from the file; a file that does not
    // read leaves it empty (the commands report why when used).
    void LoadTemplateList();
    // Inserts the template at the position; a name the project uses already
    // is asked anew (Cancel inserts nothing). -1 does nothing.
    void InsertTemplate(int position);
    // Stores the field at the row as a new template; -1 does nothing.
    void FieldAsTemplate(int row);
    // Shows the template manager (made on first use and kept), then fills
    // the template list again.
    void ManageTemplates();
    // The manager, made on first use; null before.
    TfrmVorlagen* Manager() const { return m_manager; }
    TfrmVorlagen& EnsureManager();

    TTemplateStore& Store() { return m_store; }
    // The question for a new name instead of the taken one, not yet shown,
    // in the language given (empty: the current one).
    std::unique_ptr<QInputDialog> MakeNameQuestion(const QString& taken,
                                                   const QString& language = QString()) const;

private:
    void Report(const TStatus& status) const;
    // A new name instead of the taken one, or nothing when the user cancels.
    std::optional<QString> AskName(const QString& taken) const;

    TAppServices& m_services;
    TFormProject& m_project;
    TFieldsPage& m_page;
    std::function<void()> m_refreshFields;
    QWidget* m_window;
    TTemplateStore m_store;
    TfrmVorlagen* m_manager = nullptr;
};
