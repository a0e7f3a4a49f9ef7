#include "app/ui/DesignPage.h"

#include "ui/ColorButton.h"
#include "ui/WidgetBuild.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace WidgetBuild;

namespace
{
QGroupBox* ColourGroup(QWidget* page)
{
    struct Row
    {
        const char* label;
        int key;
        const char* text;
        const char* box;
        const char* button;
    };
    static const Row rows[] = {
        {"Label8", 88, "Hintergrund", "edtHGColor", "cboBGColor"},
        {"Label9", 89, "Farbe Überschrift", "edtHeaderColor", "cboHeadingColor"},
        {"Label10", 90, "Farbe Text", "edtTextColor", "cboTextColor"},
        {"Label15", 91, "Tabellen Hintergrund", "edtTabColor", "cboTabColor"},
        {"Label41", 92, "Fehlermeldungen", "edtErrorColor", "cboColorError"},
    };
    QGroupBox* group = Group(page, "GroupBox1", 87, QStringLiteral("Farben"));
    auto* grid = new QGridLayout(group);
    int line = 0;
    for (const Row& row : rows) {
        grid->addWidget(Label(group, row.label, row.key, QString::fromUtf8(row.text)), line, 0);
        QLineEdit* box = Edit(group, row.box);
        box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("DDDDDDDD")) + 16);
        grid->addWidget(box, line, 1);
        grid->addWidget(new TColorButton(QString::fromLatin1(row.button), group), line, 2);
        ++line;
    }
    grid->setColumnStretch(3, 1);
    return group;
}

// A memo with its "..." button, which opens the HTML editor (later work).
QWidget* MemoWithEditor(QWidget* page, const char* memo, const char* button)
{
    auto* box = new QWidget(page);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(Memo(box, memo));
    QPushButton* edit = Ellipsis(box, button);
    row->addWidget(edit, 0, Qt::AlignTop);
    return box;
}
} // namespace

TDesignPage::TDesignPage(QWidget* parent) : TLazyPage(parent)
{
    setObjectName(QStringLiteral("ts1"));
}

void TDesignPage::Build()
{
    auto* page = new QVBoxLayout(this);
    page->addWidget(Heading(this, "Panel5", 94, QStringLiteral("Design Einstellungen")));

    auto* grid = new QGridLayout;
    page->addLayout(grid, 1);
    auto* left = new QGridLayout;
    grid->addLayout(left, 0, 0);
    left->addWidget(Label(this, "Label47", 80, QStringLiteral("Formularüberschrift")), 0, 0);
    left->addWidget(Edit(this, "edtFormTitel"), 0, 1, 1, 3);
    left->addWidget(Label(this, "Label1", 81, QStringLiteral("Schriftart Überschrift")), 1, 0);
    left->addWidget(EditableList(this, "cboFontHeader", FontSuggestions()), 1, 1);
    left->addWidget(Label(this, "Label4", 84, QStringLiteral("Größe")), 1, 2);
    left->addWidget(SizeEdit(this, "edtSizeHeader"), 1, 3);
    left->addWidget(Label(this, "Label6", 82, QStringLiteral("Schriftart Formular")), 2, 0);
    left->addWidget(EditableList(this, "cboFontForm", FontSuggestions()), 2, 1);
    left->addWidget(Label(this, "Label5", 84, QStringLiteral("Größe")), 2, 2);
    left->addWidget(SizeEdit(this, "edtSizeForm"), 2, 3);
    left->addWidget(Label(this, "Label48", 83, QStringLiteral("Hintergrundbild")), 3, 0);
    left->addWidget(Edit(this, "edtBGPicture"), 3, 1, 1, 3);
    left->addWidget(ColourGroup(this), 4, 0, 1, 4);
    // the markup and the layout of today's web (new projects have both)
    auto* modern = new QHBoxLayout;
    modern->addWidget(Check(this, "chkAccessible", 470, QStringLiteral("Barrierefreies Formular")));
    modern->addWidget(Check(this, "chkModernLayout", 471, QStringLiteral("Modernes Layout")));
    modern->addStretch(1);
    left->addLayout(modern, 5, 0, 1, 4);
    left->setColumnStretch(1, 1);
    left->setRowStretch(6, 1);

    auto* right = new QVBoxLayout;
    grid->addLayout(right, 0, 1);
    right->addWidget(Label(this, "Label2", 85, QStringLiteral("Einleitungstext")));
    right->addWidget(MemoWithEditor(this, "memoEinleitung", "btEditEinleitungText"), 1);
    right->addWidget(Label(this, "Label21", 86, QStringLiteral("Text Formular Ende")));
    right->addWidget(MemoWithEditor(this, "memoTextEnde", "btEditTextFormEnde"), 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
}
