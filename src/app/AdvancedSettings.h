#pragma once

#include <QString>
#include <QStringList>

struct TExtSettings;

// The values of the dialog "Erweiterte Formulareinstellungen": the mail
// options, the encoding, the error pages and the picture-code message of a
// project. Taken from the project when the dialog is shown, and put back
// only when it is closed with OK.
struct TAdvancedSettings
{
    bool kopie_absender = false;
    bool ip_informationen = false;
    bool hide_empty_fields = false;
    QString IPErrorPage;
    QString FileErrorPage;
    QString CaptchaErrorPage;
    int encodingEntry = 0; // position in Encodings()
    QString CaptchaError;

    // The entries of the encoding list, in list order.
    static const QStringList& Encodings();
    // The entry that shows encoding: the one of the same text, letter case
    // ignored; the first entry when none is (an empty or unknown encoding).
    // Never the entry of a project shown before.
    static int EncodingEntry(const QString& encoding);
    // The message box's text before any project was shown.
    static QString CaptchaStartText();

    static TAdvancedSettings Of(const TExtSettings& settings);
    // The encoding becomes the chosen entry's text.
    void StoreInto(TExtSettings& settings) const;
};
