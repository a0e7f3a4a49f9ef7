#pragma once

#include <QList>
#include <QString>

class QObject;
class TLanguageTexts;

// Window texts come from "lang.ini" by number. A control takes part when it
// carries a key (the dynamic property "langKey"); 0 or no key keeps its
// built-in text. Keys are plain integers so one text serves every "OK" and
// every "Abbrechen" of the program.
//
// What a key sets depends on the control: labels, group boxes, check boxes,
// tab pages (the tab's caption), menus and menu entries their caption;
// push and tool buttons their caption and tool tip; a list view (QTreeWidget)
// the captions of its columns from their own keys; the drop-down lists with
// key 193, 267 or 275 their entries from named keys, keeping the chosen one;
// a window its title. Edit boxes are never translated.
void SetLangKey(QObject* object, int key);
// A label whose text is a named text of the language file ("txtAbout0")
// rather than a numbered window text.
void SetLangName(QObject* label, const char* name);
int LangKey(const QObject* object);
// The keys of a list view's columns, in column order (0: keep the caption).
void SetColumnLangKeys(QObject* listView, const QList<int>& keys);

// Sets the texts of every window of the application (and all their
// controls) from the language file of texts, in the given language (by
// default the current one). The texts are looked up as every other text is:
// an unknown language takes the file's fallback section, and a key that the
// section lacks gives the empty text. A missing language file changes nothing.
void TranslateInterface(const TLanguageTexts& texts, const QString& language);
void TranslateInterface(const TLanguageTexts& texts);
// Only one window and its controls (for a window that has no place among the
// application's windows yet, or in tests).
void TranslateWindow(QObject* window, const TLanguageTexts& texts, const QString& language);
void TranslateWindow(QObject* window, const TLanguageTexts& texts);
