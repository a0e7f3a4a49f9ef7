#pragma once

class QWidget;
class Prompter;
class TLanguageTexts;

namespace HtmlTools
{
bool OpenHtmlEditor(QWidget* edit, const TLanguageTexts& texts, Prompter& prompter);
}
