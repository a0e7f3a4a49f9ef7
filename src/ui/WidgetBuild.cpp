#include "ui/WidgetBuild.h"

#include "ui/TranslateInterface.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace WidgetBuild
{
namespace
{
template <typename W> W* Named(W* widget, const char* name, int key)
{
    widget->setObjectName(QString::fromLatin1(name));
    if (key != 0)
        SetLangKey(widget, key);
    return widget;
}
} // namespace

QLabel* Label(QWidget* parent, const char* name, int key, const QString& text)
{
    return Named(new QLabel(text, parent), name, key);
}

QLabel* Note(QWidget* parent, const char* name, int key, const QString& text)
{
    QLabel* label = Label(parent, name, key, text);
    label->setWordWrap(true);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.9);
    label->setFont(font);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

QLabel* Heading(QWidget* parent, const char* name, int key, const QString& text)
{
    QLabel* label = Label(parent, name, key, text);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    label->setFont(font);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Mid);
    label->setForegroundRole(QPalette::BrightText);
    label->setContentsMargins(8, 4, 8, 4);
    return label;
}

QGroupBox* Group(QWidget* parent, const char* name, int key, const QString& text)
{
    return Named(new QGroupBox(text, parent), name, key);
}

QPushButton* Button(QWidget* parent, const char* name, int key, const QString& text)
{
    QPushButton* button = Named(new QPushButton(text, parent), name, key);
    if (key != 0)
        button->setToolTip(text);
    return button;
}

QDialogButtonBox* OkCancel(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok = Button(dialog, "btOK", 155, QStringLiteral("&OK"));
    ok->setDefault(true);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(Button(dialog, "btCancel", 156, QStringLiteral("&Abbrechen")),
                       QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QPushButton* Ellipsis(QWidget* parent, const char* name)
{
    QPushButton* button = Button(parent, name, 0, QStringLiteral("..."));
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
    return button;
}

QCheckBox* Check(QWidget* parent, const char* name, int key, const QString& text)
{
    return Named(new QCheckBox(text, parent), name, key);
}

QLineEdit* Edit(QWidget* parent, const char* name)
{
    return Named(new QLineEdit(parent), name, 0);
}

QLineEdit* SizeEdit(QWidget* parent, const char* name)
{
    QLineEdit* edit = Edit(parent, name);
    edit->setValidator(new QIntValidator(1, 99, edit));
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    return edit;
}

QPlainTextEdit* Memo(QWidget* parent, const char* name)
{
    QPlainTextEdit* memo = Named(new QPlainTextEdit(parent), name, 0);
    memo->setTabChangesFocus(true);
    return memo;
}

QComboBox* EditableList(QWidget* parent, const char* name, const QStringList& suggestions)
{
    QComboBox* combo = Named(new QComboBox(parent), name, 0);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(suggestions);
    return combo;
}

QComboBox* FixedList(QWidget* parent, const char* name, const QStringList& entries)
{
    QComboBox* combo = Named(new QComboBox(parent), name, 0);
    combo->addItems(entries);
    return combo;
}

QStringList FontSuggestions()
{
    return {QStringLiteral("Arial,Helvetica,Geneva"), QStringLiteral("Verdana,Arial,Geneva"),
            QStringLiteral("Comic Sans MS,Sans Serif,Geneva"), QStringLiteral("Times New Roman,Serif"),
            QStringLiteral("Trebuchet MS,Verdana,Geneva")};
}

QStringList BorderStyles()
{
    return {QStringLiteral("dotted"), QStringLiteral("dashed"), QStringLiteral("solid"),
            QStringLiteral("groove"), QStringLiteral("double"), QStringLiteral("ridge"),
            QStringLiteral("inset"),  QStringLiteral("outset")};
}

QStringList LengthUnits()
{
    return {QStringLiteral("px"), QStringLiteral("pc"), QStringLiteral("in"), QStringLiteral("cm"),
            QStringLiteral("mm"), QStringLiteral("em"), QStringLiteral("ex")};
}
} // namespace WidgetBuild
