#pragma once

#include <QString>

// Descriptive data of a project.
struct TProjectSettings
{
    QString author;
    QString comment; // multi-line
    QString title;
    QString company;
    QString url;
};

// Pages the form mailer shows on errors; empty means its standard page.
struct TErrorPages
{
    QString IPErrorPage;
    QString FileErrorPage;
    QString CaptchaErrorPage;
};

// Messages of the PHP form.
struct TErrorMessages
{
    QString CaptchaError;
};

// The look of the pop-up calendar, shared by every calendar field.
struct TCalendarDesign
{
    QString cboFont;
    QString edtFontSize;
    QString edtTextColor;
    QString edtBGColorDay;
    QString edtBGColorHeader;
    QString edtTextColorHeader;
    QString edtBGColorCal;
    QString edtBorderSize;
    QString edtBorderType;
    QString edtBorderColor;
    int cboDateFormat = 0;
};

// The settings the main window edits through dialogs.
struct TExtSettings
{
    bool kopie_absender = false;
    bool ip_informationen = false;
    QString HTMLExportFileName;
    bool hide_empty_fields = false;
    QString encoding;
    TProjectSettings ProjectSettings;
    TErrorPages ErrorPages;
    TErrorMessages ErrorMessages;
    TCalendarDesign CalendarDesign;
};
