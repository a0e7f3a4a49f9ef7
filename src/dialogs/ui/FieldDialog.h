#pragma once

#include "model/FieldCondition.h"

#include <QDialog>

#include <functional>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QVBoxLayout;
class Prompter;
class TFieldList;
class TFormField;
class TLanguageTexts;

// What every field dialog needs from the program: the project's fields (to
// keep names apart), the texts, the prompter for its messages, and the HTML
// editor that its "..." buttons open on a text box.
struct TFieldDialogContext
{
    const TFieldList& fields;
    const TLanguageTexts& texts;
    Prompter& prompter;
    std::function<void(QWidget* edit)> editHtml;
};

// The behaviour all field dialogs share: the header band, the pages (first
// page whenever shown), OK and Cancel, the name box with its keystroke
// filter, the "..." buttons, and the checks before OK closes the dialog.
class TFieldDialog : public QDialog
{
    Q_OBJECT
public:
    // The position of the edited field in the project's list, -1 for a new one.
    int feldNr = -1;

    void done(int result) override;

protected:
    TFieldDialog(const TFieldDialogContext& context, const char* name, int titleKey, const QString& title,
                 QWidget* parent);

    // The header band above the body; pages, groups and rows go into the
    // body, the buttons last.
    QVBoxLayout* Frame(const char* headerName, int headerKey, const QString& header);
    // A page of the page control, which the first call makes.
    QWidget* AddPage(const char* name, int key, const QString& caption);
    // A titled group with a grid of rows, at the end of the layout.
    QGridLayout* GroupGrid(QWidget* parent, QBoxLayout* into, const char* name, int key,
                           const QString& title);
    // A check box across the grid's next row; a note below it when noteKey is set.
    QCheckBox* CheckRow(QGridLayout* grid, const char* name, int key, const QString& text);
    QLabel* NoteRow(QGridLayout* grid, const char* name, int key, const QString& text);
    // The "Überprüfung" group: the required box, the message hint and box.
    void RequiredGroup(QWidget* parent, QBoxLayout* into, const char* hintName = "Label3");
    // The cookie box and its hint on a page.
    void CookieRows(QWidget* page, QBoxLayout* into);
    void AddButtons(const char* okName = "btOk", const char* cancelName = "Button1");
    // The window texts from the language file; the last step of a constructor.
    void Translate();
    // Multi-line boxes work with LF; the project's texts end their lines
    // with CR LF (a text from a file may hold a lone CR, too).
    static QString ToBox(QString text);
    static QString FromBox(QString text);
    // The built-in German hint above a message box.
    static QString MessageHint();
    QTabWidget* Pages() const { return m_pages; }
    QVBoxLayout* Body() const { return m_body; }

    // A labelled text box in the grid's next row, with a "..." button that
    // opens the HTML editor on it when buttonName is given.
    QLineEdit* TextRow(QGridLayout* grid, const char* labelName, int key, const QString& label,
                       const char* editName, const char* buttonName = nullptr);
    // The name box: typed characters pass the name filter.
    QLineEdit* NameRow(QGridLayout* grid, const char* labelName);
    QPushButton* HtmlButton(QWidget* parent, const char* name, QWidget* edit);

    // The checks after the common ones; false refuses to close. Called even
    // when a common check refused, so that every message shows.
    virtual bool ValidateMore() { return true; }
    // Whether OK looks the name up among the project's fields.
    virtual bool ChecksNameUse() const { return true; }
    // Whether a name is taken inside the dialog itself (by what it edits
    // besides the project's fields).
    virtual bool TakenHere(const QString&) const { return false; }
    // Runs when OK passed every check, just before the dialog closes.
    virtual void BeforeAccept() {}
    // Whether the dialog has a name to check at all.
    virtual bool HasName() const { return true; }

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    const TFieldDialogContext m_context;
    // The properties every kind has, to and from the controls that show
    // them (a dialog without one of the controls leaves its property alone).
    void LoadCommon(const TFormField& field);
    void SaveCommon(TFormField& field) const;
    // The row "Nur anzeigen, wenn": LoadCommon and SaveCommon call these;
    // dialogs without the common controls call them themselves, and every
    // ClearAll clears the row.
    void LoadCondition(const TFieldCondition& condition);
    void SaveCondition(TFormField& field) const;
    void ClearCondition() { LoadCondition(TFieldCondition()); }
    // Hides the row for a dialog that edits a part of a field (a box of a
    // check-box list has no condition of its own); hidden, it saves nothing.
    void OfferCondition(bool offered);

    QLineEdit* edtName = nullptr;
    QLineEdit* edtBeschriftung = nullptr;
    QLineEdit* edtTextNach = nullptr;
    QCheckBox* chkPflicht = nullptr;
    QLineEdit* edtMeldung = nullptr;
    QCheckBox* chkCookie = nullptr;

private:
    bool Validate();
    // The condition row below the body, above the buttons.
    void ConditionGroup();
    // Fills the field list with the fields the condition may name (before
    // feldNr) and shows m_condition.
    void ShowCondition();
    void ShowTests();
    void ShowValues();
    // The condition the row shows; the kept one while a condition that is no
    // longer offered stays chosen.
    TFieldCondition ChosenCondition() const;
    // A text of the row in the language the window was last translated to.
    QString ConditionText(const char* key) const;

    TFieldCondition m_condition; // as loaded, or as chosen when last shown
    bool m_conditionOffered = true;
    QWidget* m_conditionGroup = nullptr;
    QComboBox* cboConditionField = nullptr;
    QComboBox* cboConditionTest = nullptr;
    QComboBox* cboConditionValue = nullptr;
    QLabel* lblConditionKept = nullptr;

    QVBoxLayout* m_body = nullptr;
    QTabWidget* m_pages = nullptr;
};
