#pragma once

class QWidget;
class Prompter;
class TLanguageTexts;

namespace HtmlTools
{
// Edits the text of edit (a QLineEdit or a QPlainTextEdit) in the HTML
// editor, shown modally over edit's window. When the editor ends with taking
// over the changes, the edit's text becomes the edited markup and the result
// is true; otherwise the edit keeps its text. Any other kind of widget is
// left alone (false).
bool OpenHtmlEditor(QWidget* edit, const TLanguageTexts& texts, Prompter& prompter);
} // namespace HtmlTools
