#include "dialogs/ui/frmZwText.h"

#include "fields/ZwField.h"
#include "ui/WidgetBuild.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmZwText::TfrmZwText(const TFieldDialogContext& context, QWidget* parent)
    : TFieldDialog(context, "frmZwText", 44, QStringLiteral("Zwischentext"), parent)
{
    QVBoxLayout* body = Frame("panelHeader", 44, QStringLiteral("Zwischentext"));
    QGridLayout* grid = GroupGrid(this, body, "Feldeinstellungen", 268,
                                  QStringLiteral("Einstellungen Zwischentext (HTML-Code erlaubt)"));
    edtZwischentext = WidgetBuild::Memo(grid->parentWidget(), "edtZwischentext");
    edtZwischentext->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    edtZwischentext->setMinimumSize(440, 200);
    grid->addWidget(edtZwischentext, 0, 0, 1, 2);
    grid->addWidget(HtmlButton(grid->parentWidget(), "btHtmlEdit", edtZwischentext), 0, 2, Qt::AlignTop);
    AddButtons();
    ClearAll();
    Translate();
}

void TfrmZwText::ClearAll()
{
    edtZwischentext->clear();
    feldNr = -1;
    ClearCondition();
}

void TfrmZwText::LoadFromObject(const TZwField& field)
{
    edtZwischentext->setPlainText(ToBox(field.Beschriftung));
    LoadCondition(field.Condition);
}

void TfrmZwText::SaveToObject(TZwField& field) const
{
    field.Beschriftung = FromBox(edtZwischentext->toPlainText());
    SaveCondition(field);
}
