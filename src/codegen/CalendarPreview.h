#pragma once

#include "codegen/CodeExport.h"
#include "model/ExtSettings.h"

// The page on which the calendar dialog shows a design: the shipped
// "cal/cal_preview.html" with the calendar texts, the design's style sheet
// and the years filled in.
class TCalendarPreview : public TCodeExport
{
public:
    // When endYear lies before startYear, the calendar shows the five years
    // before endYear instead.
    TCalendarPreview(const TFormProject& project, const TLanguageTexts& texts, QString dataDir,
                     TCalendarDesign design, int startYear, int endYear);

    TResult<QString> GenCode() override;

protected:
    TResult<QString> GenCaptcha() override { return QString(); }

private:
    TCalendarDesign m_design;
    int m_startYear;
    int m_endYear;
};
