#include "texts/ui/OpenHtmlEditor.h"

namespace HtmlTools
{
bool OpenHtmlEditor(QWidget*, const TLanguageTexts&, Prompter&)
{
    return false;
}
} // namespace HtmlTools
