#include "app/AdvancedSettings.h"

#include "model/ExtSettings.h"

const QStringList& TAdvancedSettings::Encodings()
{
    static const QStringList entries = {QStringLiteral("iso-8859-1"), QStringLiteral("utf-8")};
    return entries;
}

int TAdvancedSettings::EncodingEntry(const QString& encoding)
{
    const int entry = Encodings().indexOf(encoding.toLower());
    return entry < 0 ? 0 : entry;
}

QString TAdvancedSettings::CaptchaStartText()
{
    return QStringLiteral("Falsche Eingabe im Spam-Schutz-Feld. Bitte überprüfen Sie Ihre Eingaben.");
}

TAdvancedSettings TAdvancedSettings::Of(const TExtSettings& settings)
{
    TAdvancedSettings values;
    values.kopie_absender = settings.kopie_absender;
    values.ip_informationen = settings.ip_informationen;
    values.hide_empty_fields = settings.hide_empty_fields;
    values.IPErrorPage = settings.ErrorPages.IPErrorPage;
    values.FileErrorPage = settings.ErrorPages.FileErrorPage;
    values.CaptchaErrorPage = settings.ErrorPages.CaptchaErrorPage;
    values.encodingEntry = EncodingEntry(settings.encoding);
    values.CaptchaError = settings.ErrorMessages.CaptchaError;
    return values;
}

void TAdvancedSettings::StoreInto(TExtSettings& settings) const
{
    settings.kopie_absender = kopie_absender;
    settings.ip_informationen = ip_informationen;
    settings.hide_empty_fields = hide_empty_fields;
    settings.ErrorPages.IPErrorPage = IPErrorPage;
    settings.ErrorPages.FileErrorPage = FileErrorPage;
    settings.ErrorPages.CaptchaErrorPage = CaptchaErrorPage;
    settings.encoding = Encodings().value(encodingEntry, Encodings().constFirst());
    settings.ErrorMessages.CaptchaError = CaptchaError;
}
