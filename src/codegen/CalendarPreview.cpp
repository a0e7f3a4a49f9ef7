#include "codegen/CalendarPreview.h"

TCalendarPreview::TCalendarPreview(const TFormProject& project, const TLanguageTexts& texts, QString dataDir,
                                   TCalendarDesign design, int startYear, int endYear)
    : TCodeExport(project, texts, std::move(dataDir)), m_design(std::move(design)), m_startYear(startYear),
      m_endYear(endYear)
{
}

TResult<QString> TCalendarPreview::GenCode()
{
    TResult<QString> page = LoadTemplate(QStringLiteral("cal/cal_preview.html"));
    if (!page)
        return page;
    ReplaceCalendarTexts(*page);
    const TResult<QString> css = GenerateCalendarCSS(m_design);
    if (!css)
        return css;
    ReplaceMarker(*page, QStringLiteral("<!-- CALCSS -->"), *css);
    // The page's own style uses the design as well.
    ReplaceDesignMarkers(*page, m_design);
    const int first = m_endYear < m_startYear ? m_endYear - 5 : m_startYear;
    ReplaceMarker(*page, QStringLiteral("{#StartYear#}"), QString::number(first));
    ReplaceMarker(*page, QStringLiteral("{#EndYear#}"), QString::number(m_endYear));
    return page;
}
