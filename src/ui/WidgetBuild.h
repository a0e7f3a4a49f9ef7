#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QDialog;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QCheckBox;
class QWidget;

// Small builders for the controls of Quorvel's windows: each control gets
// its object name (which tests and the setting binder look for) and, where
// it has one, the key of its text in the language file. The texts given here
// are the built-in German ones.
namespace WidgetBuild
{
QLabel* Label(QWidget* parent, const char* name, int key, const QString& text);
// A note in a smaller font that wraps.
QLabel* Note(QWidget* parent, const char* name, int key, const QString& text);
// The bold band across the top of a page.
QLabel* Heading(QWidget* parent, const char* name, int key, const QString& text);
QGroupBox* Group(QWidget* parent, const char* name, int key, const QString& text);
QPushButton* Button(QWidget* parent, const char* name, int key, const QString& text);
// The OK (default) and "Abbrechen" buttons of a dialog ("btOK",
// "btCancel"), accepting and rejecting it.
QDialogButtonBox* OkCancel(QDialog* dialog);
// A narrow "..." button that opens an editor or a chooser for the control
// beside it.
QPushButton* Ellipsis(QWidget* parent, const char* name);
QCheckBox* Check(QWidget* parent, const char* name, int key, const QString& text);
QLineEdit* Edit(QWidget* parent, const char* name);
// A box for a size from 1 to 99; held as text like every setting.
QLineEdit* SizeEdit(QWidget* parent, const char* name);
QPlainTextEdit* Memo(QWidget* parent, const char* name);
// A list the user may type into or pick from.
QComboBox* EditableList(QWidget* parent, const char* name, const QStringList& suggestions);
// A list the user may only pick from.
QComboBox* FixedList(QWidget* parent, const char* name, const QStringList& entries);

// The suggestion lists that several pages share.
QStringList FontSuggestions();
QStringList BorderStyles();
QStringList LengthUnits();
} // namespace WidgetBuild
