#pragma once

#include "base/LanguageTexts.h"

#include <QFile>
#include <QTemporaryDir>
#include <memory>

// A language file of the test's own, so expected fragments spell out every
// text. Write() replaces the file; texts() looks up in the given language.
class TestLanguage
{
public:
    explicit TestLanguage(const QByteArray& content = DefaultContent(),
                          QString language = QStringLiteral("Deutsch"))
        : m_language(std::move(language))
    {
        Write(content);
        m_texts = std::make_unique<TLanguageTexts>(Path(), nullptr, [this] { return m_language; });
    }

    void Write(const QByteArray& content)
    {
        QFile f(Path());
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(content);
    }

    QString Path() const { return m_dir.path() + QStringLiteral("/lang.ini"); }
    const TLanguageTexts& texts() const { return *m_texts; }
    void SetLanguage(const QString& language) { m_language = language; }

    // Short, recognisable texts for every key the field kinds use.
    static QByteArray DefaultContent()
    {
        return "[Deutsch]\r\n"
               "txtCalender3=Bitte füllen Sie\r\n"
               "txtCalender4=aus!\r\n"
               "txtCheckbox0=Bitte bestätigen Sie\r\n"
               "txtCheckbox1=Bitte kreuzen Sie\r\n"
               "txtCheckbox2=an!\r\n"
               "txtCheckboxList0=Bitte wählen Sie in\r\n"
               "txtCheckboxList1=mindestens eine Box!\r\n"
               "txtDropDown0=Bitte wählen Sie in\r\n"
               "txtRadioButtons0=Bitte wählen Sie bei\r\n"
               "txtMainFrmSpamProt=Der Spam-Schutz-Code ist falsch!\r\n"
               "txtMainFrmNoQVFile=Keine Quorvel-Projektdatei!\r\n"
               "constFormMailPath=https://forms.example.com/form/v28/formmail.php\r\n"
               "calJan=Januar\r\ncalDez=Dezember\r\ncalMo=Mo\r\ncalSu=So\r\n"
               "[Englisch]\r\n"
               "txtCalender3=Please fill in\r\n"
               "txtCalender4=!\r\n"
               "txtMainFrmSpamProt=The spam protection code is wrong!\r\n"
               "txtMainFrmNoQVFile=Not a Quorvel project file!\r\n";
    }

private:
    QTemporaryDir m_dir;
    QString m_language;
    std::unique_ptr<TLanguageTexts> m_texts;
};
