#include "codegen/CalendarPreview.h"

TCalendarPreview::TCalendarPreview(const TFormProject& project, const TLanguageTexts& texts, QString dataDir,
                                   TCalendarDesign design, int startYear, int endYear)
    : TCodeExport(project, texts, std::move(dataDir)), m_design(std::move(design)), m_startYear(startYear),
      m_endYear(endYear)
{
}

TResult<QString> TCalendarPreview::GenCode()
{
    TakeTexts();
    TResult<TPageTemplate> loaded = LoadPageTemplate(QStringLiteral("cal/cal_preview.html"));
    if (!loaded)
        return loaded.Failure();
    TPageTemplate& page = *loaded;
    ReplaceCalendarTexts(page);
    const TResult<TPageTemplate> css = GenerateCalendarCSS(m_design);
    if (!css)
        return css.Failure();
    page.Fill(u"<!-- CALCSS -->", *css);
    // The page's own style uses the design as well.
    ReplaceDesignMarkers(page, m_design);
    const int first = m_endYear < m_startYear ? m_endYear - 5 : m_startYear;
    page.Fill(u"{#StartYear#}", QString::number(first));
    page.Fill(u"{#EndYear#}", QString::number(m_endYear));
    return page.Text();
}
