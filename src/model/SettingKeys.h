#pragma once

#include <QString>
#include <vector>

class TFormSettings;

// How a setting is read back from a project file.
enum class TSettingReader {
    Text,          // the text; empty when missing
    TextDefault,   // the text; the given default when missing
    Flag,          // "0" when missing; an unparsable text fails the load
    FlagTolerant,  // as Flag, but an unparsable text leaves the flag
    KeptFlag,      // missing or unparsable: the flag stays as it was
    MailFormat,    // "html", "plain" or "xml"; anything else leaves it
    IndexTolerant, // "0" when missing; not a whole number: 0
    IntStrict,     // "0" when missing; not a whole number fails the load
    FormMailer,    // empty: the first entry of the form-mailer list
    CaptchaMessage // missing: the language text of "txtMainFrmSpamProt"
};

// One setting of the project file: its element name, how it is read, and
// where the project keeps it (exactly one of the three accessors is set).
struct TSettingKey
{
    const char* key;
    TSettingReader reader;
    const char* defaultText;
    QString* (*text)(TFormSettings&);
    bool* (*flag)(TFormSettings&);
    int* (*number)(TFormSettings&);
    // Written only when set (a flag on, a text not empty): settings added
    // later, so that projects that do not use them save as before.
    bool onlyWhenSet = false;

    QString Key() const { return QString::fromLatin1(key); }
};

// The settings in the order of the project file.
const std::vector<TSettingKey>& SettingKeys();
// A setting by its key (exact), or null.
const TSettingKey* FindSettingKey(const QString& key);
