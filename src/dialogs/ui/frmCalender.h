#pragma once

#include "dialogs/ui/FieldDialog.h"
#include "model/ExtSettings.h"
#include "ui/ColorButton.h"

#include <QList>
#include <utility>

class QComboBox;
class QSpinBox;
class QWebEngineView;
class TCalField;
class TFormProject;

// Creates and edits a calendar field and, on its "Design" page, the
// calendar design that all calendar fields of the project share, with a
// live preview. Made afresh for every command.
class TfrmCalender : public TFieldDialog
{
    Q_OBJECT
public:
    // dataDir holds "cal/cal_preview.html"; the preview page is written into
    // tempFolder (none: no preview).
    TfrmCalender(const TFieldDialogContext& context, TFormProject& project, QString dataDir,
                 QString tempFolder, QWidget* parent = nullptr);

    void LoadFromObject(const TCalField& field);
    void SaveToObject(TCalField& field) const;
    void UpdatePreview();
    // The design as the "Design" page shows it.
    TCalendarDesign DesignOnPage() const;
    void SetColorChooser(TColorButton::Chooser chooser) { m_chooser = std::move(chooser); }

signals:
    // The preview shows a freshly written page.
    void PreviewShown();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool ValidateMore() override;
    // Only an accepted dialog changes the shared design.
    void BeforeAccept() override;

private:
    void BuildDesignPage(QWidget* page);
    void ShowDesign(const TCalendarDesign& design);
    static void SetYear(QSpinBox* box, int year);

    TFormProject& m_project;
    QString m_dataDir;
    QString m_tempFolder;
    TColorButton::Chooser m_chooser = TColorButton::ChooseWithDialog;

    QLineEdit* edtVorgabewert;
    QCheckBox* chkVorgabeLoeschen;
    QSpinBox* edtStartYear;
    QSpinBox* edtEndYear;
    QComboBox* cboFont;
    QLineEdit* edtFontSize;
    QLineEdit* edtBorderSize;
    QComboBox* edtBorderType;
    QComboBox* cboDateFormat;
    QList<std::pair<QLineEdit*, TColorButton*>> m_colors;
    QWebEngineView* CalPreview;
    QString m_groesse;
};
