#pragma once

#include <QString>

class QComboBox;
class QLabel;
class QWidget;
class TLanguageTexts;

// The type list both link dialogs share: "Text" takes a link text, "Bild" a
// picture address, and the label of the edit says which.
namespace LinkType
{
// The list with its built-in entries (key 193 translates them).
QComboBox* TypeList(QWidget* parent);
// Keeps label's text in step with the list: the language texts 192 and 206,
// or the built-in German ones when there is no language file.
void FollowType(QComboBox* list, QLabel* label, const TLanguageTexts& texts);
bool IsPicture(const QComboBox* list);
// A window text outside the translation of a window, looked up as that
// translation does it: without the language file the built-in text stays.
QString WindowText(const TLanguageTexts& texts, int key, const QString& builtIn);
} // namespace LinkType
