#include "dialogs/ui/frmCalender.h"

#include "base/LanguageTexts.h"
#include "base/Prompter.h"
#include "codegen/CalendarPreview.h"
#include "codegen/PageFiles.h"
#include "fields/CalField.h"
#include "model/FormProject.h"
#include "ui/WidgetBuild.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

using namespace WidgetBuild;

namespace
{
// The years the boxes offer: from the oldest sensible birth year to well
// beyond the next years (a year from a file outside widens the range).
constexpr int FirstYear = 1903;
int LastYear()
{
    return qMax(2050, QDate::currentDate().year() + 50);
}

struct ColorRow
{
    const char* edit;
    const char* swatch;
    const char* label;
    int key;
    const char* text;
};
const ColorRow ColorRows[] = {
    {"edtBGColorHeader", "shapeBGColorHeader", "Label7", 241, "Hintergrundfarbe Überschrift"},
    {"edtTextColorHeader", "shapeTextColorHeader", "Label8", 240, "Textfarbe Überschrift"},
    {"edtTextColor", "shapeTextColor", "Label9", 242, "Textfarbe"},
    {"edtBGColorDay", "shapeBGColorDay", "Label10", 243, "Hintergrundfarbe Tag"},
    {"edtBGColorCal", "shapeBGColorCal", "Label12", 244, "Hintergrundfarbe Kalender"},
};
} // namespace

TfrmCalender::TfrmCalender(const TFieldDialogContext& context, TFormProject& project, QString dataDir,
                           QString tempFolder, QWidget* parent)
    : TFieldDialog(context, "frmCalender", 228, QStringLiteral("Kalenderfeld bearbeiten"), parent),
      m_project(project), m_dataDir(std::move(dataDir)), m_tempFolder(std::move(tempFolder))
{
    Frame("panelHeader", 230, QStringLiteral("Kalenderfeld"));
    QWidget* first = AddPage("TabSheet1", 16, QStringLiteral("Einstellungen"));
    auto* column = new QVBoxLayout(first);
    QGridLayout* grid =
        GroupGrid(first, column, "Feldeinstellungen", 231, QStringLiteral("Feldeinstellungen"));
    NameRow(grid, "Label17");
    edtBeschriftung = TextRow(grid, "Label19", 130, QStringLiteral("Beschriftung:"), "edtBeschriftung",
                              "btOpenBeschriftung");
    edtTextNach =
        TextRow(grid, "Label20", 235, QStringLiteral("Text nach Feld:"), "edtTextNach", "btHtmlTextNachFeld");
    edtVorgabewert = TextRow(grid, "Label18", 236, QStringLiteral("Vorgabewert:"), "edtVorgabewert");
    chkVorgabeLoeschen =
        CheckRow(grid, "chkVorgabeLoeschen", 237, QStringLiteral("Vorgabewert löschen beim bearbeiten?"));
    const auto yearBox = [&](const char* label, int key, const QString& text, const char* name) {
        const int row = grid->rowCount();
        grid->addWidget(Label(grid->parentWidget(), label, key, text), row, 0);
        auto* box = new QSpinBox(grid->parentWidget());
        box->setObjectName(QString::fromLatin1(name));
        box->setRange(FirstYear, LastYear());
        grid->addWidget(box, row, 1, Qt::AlignLeft);
        return box;
    };
    edtStartYear = yearBox("Label1", 238, QStringLiteral("Startjahr:"), "edtStartYear");
    edtEndYear = yearBox("Label16", 239, QStringLiteral("Endjahr:"), "edtEndYear");
    const int year = QDate::currentDate().year();
    edtStartYear->setValue(year - 5);
    edtEndYear->setValue(year + 5);
    RequiredGroup(first, column);
    column->addStretch(1);

    QWidget* second = AddPage("TabSheet2", 229, QStringLiteral("Erweitert"));
    auto* more = new QVBoxLayout(second);
    CookieRows(second, more);
    more->addStretch(1);

    BuildDesignPage(AddPage("TabSheet3", 28, QStringLiteral("Design")));
    AddButtons();

    connect(Pages(), &QTabWidget::currentChanged, this, [this](int index) {
        if (Pages()->widget(index)->objectName() == QLatin1String("TabSheet3"))
            UpdatePreview();
    });
    for (QSpinBox* box : {edtStartYear, edtEndYear})
        connect(box, &QSpinBox::valueChanged, this, &TfrmCalender::UpdatePreview);
    for (QLineEdit* edit : {edtFontSize, edtBorderSize})
        connect(edit, &QLineEdit::editingFinished, this, &TfrmCalender::UpdatePreview);
    for (QComboBox* combo : {cboFont, edtBorderType})
        connect(combo, &QComboBox::currentTextChanged, this, &TfrmCalender::UpdatePreview);
    Translate();
}

void TfrmCalender::BuildDesignPage(QWidget* page)
{
    auto* grid = new QGridLayout(page);
    grid->setColumnStretch(3, 1);
    int row = 0;
    grid->addWidget(Label(page, "Label5", 109, QStringLiteral("Schriftart")), row, 0);
    cboFont = EditableList(page, "cboFont", FontSuggestions());
    grid->addWidget(cboFont, row, 1, 1, 2);
    grid->addWidget(Label(page, "Label6", 84, QStringLiteral("Größe")), ++row, 0);
    edtFontSize = SizeEdit(page, "edtFontSize");
    grid->addWidget(edtFontSize, row, 1);
    for (const ColorRow& c : ColorRows) {
        grid->addWidget(Label(page, c.label, c.key, QString::fromUtf8(c.text)), ++row, 0);
        QLineEdit* edit = Edit(page, c.edit);
        edit->setMaxLength(6);
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("DDDDDDDD")) + 16);
        auto* swatch = new TColorButton(QString::fromLatin1(c.swatch), page);
        grid->addWidget(edit, row, 1);
        grid->addWidget(swatch, row, 2);
        m_colors.append({edit, swatch});
    }
    grid->addWidget(Label(page, "Label11", 245, QStringLiteral("Rahmendicke")), ++row, 0);
    edtBorderSize = SizeEdit(page, "edtBorderSize");
    grid->addWidget(edtBorderSize, row, 1);
    grid->addWidget(Label(page, "Label13", 191, QStringLiteral("Typ")), ++row, 0);
    edtBorderType = EditableList(page, "edtBorderType", BorderStyles());
    grid->addWidget(edtBorderType, row, 1, 1, 2);
    grid->addWidget(Label(page, "Label14", 98, QStringLiteral("Farbe")), ++row, 0);
    {
        QLineEdit* edit = Edit(page, "edtBorderColor");
        edit->setMaxLength(6);
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("DDDDDDDD")) + 16);
        auto* swatch = new TColorButton(QStringLiteral("shapeBorderColor"), page);
        grid->addWidget(edit, row, 1);
        grid->addWidget(swatch, row, 2);
        m_colors.append({edit, swatch});
    }
    grid->addWidget(Label(page, "Label21", 276, QStringLiteral("Datumsformat:")), ++row, 0);
    cboDateFormat =
        FixedList(page, "cboDateFormat",
                  {QStringLiteral("04.12.2010 (dd.mm.yyyy)"), QStringLiteral("04-12-2010 (dd-mm-yyyy)"),
                   QStringLiteral("12/04/2010 (mm/dd/yyyy)"), QStringLiteral("04/12/2010 (dd/mm/yyyy)"),
                   QStringLiteral("2010-12-04 (yyyy-mm-dd)")});
    grid->addWidget(cboDateFormat, ++row, 0, 1, 3);
    grid->addWidget(
        Note(page, "Label15", 246,
             QStringLiteral("*Hinweis: Die Designeinstellungen gelten für alle Kalenderelemente des "
                            "Formulars.")),
        ++row, 0, 1, 3);
    grid->setRowStretch(++row, 1);

    CalPreview = new QWebEngineView(page);
    CalPreview->setObjectName(QStringLiteral("CalPreview"));
    CalPreview->setContextMenuPolicy(Qt::NoContextMenu);
    CalPreview->setMinimumSize(300, 280);
    grid->addWidget(CalPreview, 0, 3, row + 1, 1);
    connect(CalPreview, &QWebEngineView::loadFinished, this, [this](bool ok) {
        if (ok)
            emit PreviewShown();
    });

    for (const auto& [edit, swatch] : m_colors) {
        edit->installEventFilter(this);
        connect(swatch, &QToolButton::clicked, this, [this, edit = edit, swatch = swatch] {
            TColorButton::PickColorToEdit(edit, swatch, m_chooser);
            UpdatePreview();
        });
    }
}

bool TfrmCalender::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut)
        for (const auto& [edit, swatch] : m_colors)
            if (edit == watched) {
                TColorButton::EditColorToShape(edit, swatch);
                UpdatePreview();
            }
    return TFieldDialog::eventFilter(watched, event);
}

void TfrmCalender::showEvent(QShowEvent* event)
{
    ShowDesign(m_project.ExtSettings.CalendarDesign);
    TFieldDialog::showEvent(event);
    UpdatePreview();
}

void TfrmCalender::ShowDesign(const TCalendarDesign& d)
{
    const QSignalBlocker fontBlock(cboFont);
    const QSignalBlocker borderBlock(edtBorderType);
    cboFont->setCurrentText(d.cboFont);
    edtFontSize->setText(d.edtFontSize);
    const QString* colors[] = {&d.edtBGColorHeader, &d.edtTextColorHeader, &d.edtTextColor,
                               &d.edtBGColorDay,    &d.edtBGColorCal,      &d.edtBorderColor};
    for (int i = 0; i < m_colors.size(); ++i) {
        m_colors[i].first->setText(*colors[i]);
        TColorButton::EditColorToShape(m_colors[i].first, m_colors[i].second);
    }
    edtBorderSize->setText(d.edtBorderSize);
    edtBorderType->setCurrentText(d.edtBorderType);
    cboDateFormat->setCurrentIndex(
        d.cboDateFormat >= 0 && d.cboDateFormat < cboDateFormat->count() ? d.cboDateFormat : -1);
}

TCalendarDesign TfrmCalender::DesignOnPage() const
{
    TCalendarDesign d = m_project.ExtSettings.CalendarDesign;
    d.cboFont = cboFont->currentText();
    d.edtFontSize = edtFontSize->text();
    QString* colors[] = {&d.edtBGColorHeader, &d.edtTextColorHeader, &d.edtTextColor,
                         &d.edtBGColorDay,    &d.edtBGColorCal,      &d.edtBorderColor};
    for (int i = 0; i < m_colors.size(); ++i)
        *colors[i] = m_colors[i].first->text();
    d.edtBorderSize = edtBorderSize->text();
    d.edtBorderType = edtBorderType->currentText();
    // A format the list does not show (from a file) stays as it was.
    if (cboDateFormat->currentIndex() >= 0)
        d.cboDateFormat = cboDateFormat->currentIndex();
    return d;
}

void TfrmCalender::UpdatePreview()
{
    if (m_tempFolder.isEmpty())
        return;
    TCalendarPreview preview(m_project, m_context.texts, m_dataDir, DesignOnPage(), edtStartYear->value(),
                             edtEndYear->value());
    const TResult<QString> page = preview.GenCode();
    if (!page)
        return;
    const QString file = QDir(m_tempFolder).filePath(QStringLiteral("cal_preview.html"));
    if (!PageFiles::WritePage(file, *page, QStringLiteral("windows-1252")))
        return;
    CalPreview->load(QUrl::fromLocalFile(file));
}

void TfrmCalender::SetYear(QSpinBox* box, int year)
{
    // A year outside the offered range is kept rather than clipped.
    box->setRange(qMin(FirstYear, year), qMax(LastYear(), year));
    box->setValue(year);
}

void TfrmCalender::LoadFromObject(const TCalField& field)
{
    LoadCommon(field);
    edtVorgabewert->setText(field.Vorgabewert);
    chkVorgabeLoeschen->setChecked(field.VorgabeLoeschen);
    const QSignalBlocker startBlock(edtStartYear);
    const QSignalBlocker endBlock(edtEndYear);
    SetYear(edtStartYear, field.StartYear);
    SetYear(edtEndYear, field.EndYear);
    m_groesse = field.Groesse;
}

void TfrmCalender::SaveToObject(TCalField& field) const
{
    SaveCommon(field);
    field.Vorgabewert = edtVorgabewert->text();
    // The size has no control: a loaded field keeps its own.
    field.Groesse = m_groesse;
    field.VorgabeLoeschen = chkVorgabeLoeschen->isChecked();
    field.StartYear = edtStartYear->value();
    field.EndYear = edtEndYear->value();
}

bool TfrmCalender::ValidateMore()
{
    if (edtEndYear->value() >= edtStartYear->value())
        return true;
    m_context.prompter.Message(m_context.texts.Text(QStringLiteral("txtCalender2")), QString(),
                               Prompter::Icon::None);
    edtStartYear->setFocus();
    return false;
}

void TfrmCalender::BeforeAccept()
{
    m_project.ExtSettings.CalendarDesign = DesignOnPage();
}
