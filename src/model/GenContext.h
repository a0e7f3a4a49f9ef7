#pragma once

#include "base/LanguageTexts.h"

#include <QString>

// What a field needs from its project while it writes its fragments: the
// colour of error texts and the language texts of standard messages.
struct TGenContext
{
    QString ErrorColor; // edtErrorColor, six hex digits
    TTextSection Texts; // of the generation's language; default: every text is empty
    QString Encoding;   // the page's encoding, for PHP's escaping
    // Accessible markup (chkAccessible): labels tied to their inputs, groups
    // as fieldsets, required and error states for assistive technology, and
    // client checks that announce their message instead of an alert.
    bool Accessible = false;

    QString Text(const QString& key) const { return Texts.Text(key); }
    QString Text(const char* key) const { return Text(QString::fromLatin1(key)); }
};
