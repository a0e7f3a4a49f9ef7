// The logic of the settings dialogs without windows: which addresses a link
// test hands to the browser and what it says otherwise, the encoding entry a
// project's encoding selects, and the advanced settings taken from and put
// back into a project.
#include "RecordingPrompter.h"
#include "app/AdvancedSettings.h"
#include "app/LinkTest.h"
#include "base/LanguageTexts.h"
#include "model/ExtSettings.h"

#include <QtTest>

class TestSettingsDialogs : public QObject
{
    Q_OBJECT

    TLanguageTexts texts{QStringLiteral(QUORVEL_TEST_DATA_DIR "/lang.ini"), nullptr};

    QString Text(const char* key) const { return texts.Text(QLatin1String(key)); }

private slots:
    void webAddress_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("opened"); // empty: refused
        QTest::newRow("https") << "https://www.example.com/danke.htm"
                               << "https://www.example.com/danke.htm";
        QTest::newRow("http, blanks, capitals") << "  HTTP://Example.com/Fehler.htm "
                                                << "http://example.com/Fehler.htm";
        QTest::newRow("query") << "https://example.com/f.php?a=1&b=2"
                               << "https://example.com/f.php?a=1&b=2";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("blanks") << "   "
                                << "";
        QTest::newRow("scheme only (the default web address)") << "http://"
                                                               << "";
        QTest::newRow("https without server") << "https:///etc/passwd"
                                              << "";
        QTest::newRow("no scheme") << "www.example.com"
                                   << "";
        QTest::newRow("file address") << "file:///etc/passwd"
                                      << "";
        QTest::newRow("local path") << "/usr/bin/xterm"
                                    << "";
        QTest::newRow("script") << "javascript:alert(1)"
                                << "";
        QTest::newRow("mail") << "mailto:info@example.com"
                              << "";
        QTest::newRow("ftp") << "ftp://ftp.example.com/"
                             << "";
        QTest::newRow("lookalike scheme") << "httpx://example.com"
                                          << "";
        QTest::newRow("no slashes") << "http:example.com"
                                    << "";
        QTest::newRow("blank in server") << "http://exa mple.com/"
                                         << "";
    }

    // Only http and https addresses with a server reach the browser; every
    // other text gets a message and nothing is opened. A browser that does
    // not start is reported.
    void webAddress()
    {
        QFETCH(QString, text);
        QFETCH(QString, opened);
        RecordingPrompter prompter;
        QList<QUrl> handed;
        TLinkTest test(texts, prompter, [&handed](const QUrl& url) {
            handed << url;
            return true;
        });
        QCOMPARE(test.Open(text), !opened.isEmpty());
        if (opened.isEmpty()) {
            QVERIFY(handed.isEmpty());
            QCOMPARE(prompter.entries.size(), 1);
            const QString message = text.trimmed().isEmpty()
                                        ? Text("txtLinkTestEmpty")
                                        : Text("txtLinkTestNoWebAddress").replace("%1", text.trimmed());
            QCOMPARE(prompter.entries.at(0).text, message);
            QCOMPARE(prompter.entries.at(0).icon, Prompter::Icon::Warning);
        } else {
            QCOMPARE(handed.size(), 1);
            QCOMPARE(handed.at(0).toString(), opened);
            QVERIFY(prompter.entries.isEmpty());
        }

        RecordingPrompter noBrowser;
        TLinkTest failing(texts, noBrowser, [](const QUrl&) { return false; });
        QVERIFY(!failing.Open(text));
        QCOMPARE(noBrowser.entries.size(), 1);
        if (!opened.isEmpty()) {
            QCOMPARE(noBrowser.entries.at(0).text, Text("txtLinkTestNoBrowser").replace("%1", opened));
            QCOMPARE(noBrowser.entries.at(0).icon, Prompter::Icon::Error);
        }
    }

    // The messages exist in every language and name the address.
    void linkTestTexts()
    {
        for (const QString& language : texts.SectionNames())
            for (const char* key : {"txtLinkTestEmpty", "txtLinkTestNoWebAddress", "txtLinkTestNoBrowser"}) {
                const QString text = texts.GetLanguageText(language, QLatin1String(key));
                QVERIFY2(!text.isEmpty(), key);
                QCOMPARE(text.contains("%1"), qstrcmp(key, "txtLinkTestEmpty") != 0);
            }
    }

    void encodingEntry_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("stored");
        QTest::newRow("iso-8859-1") << "iso-8859-1" << 0 << "iso-8859-1";
        QTest::newRow("utf-8") << "utf-8" << 1 << "utf-8";
        QTest::newRow("UTF-8, letter case ignored") << "UTF-8" << 1 << "utf-8";
        QTest::newRow("ISO-8859-1") << "ISO-8859-1" << 0 << "iso-8859-1";
        QTest::newRow("empty: the first entry") << "" << 0 << "iso-8859-1";
        QTest::newRow("unknown: the first entry") << "windows-1252" << 0 << "iso-8859-1";
    }

    // The entry a project's encoding selects, and what OK stores from it.
    void encodingEntry()
    {
        QFETCH(QString, encoding);
        QFETCH(int, entry);
        QFETCH(QString, stored);
        QCOMPARE(TAdvancedSettings::Encodings(),
                 QStringList({QStringLiteral("iso-8859-1"), QStringLiteral("utf-8")}));
        QCOMPARE(TAdvancedSettings::EncodingEntry(encoding), entry);
        TExtSettings project;
        project.encoding = encoding;
        const TAdvancedSettings values = TAdvancedSettings::Of(project);
        QCOMPARE(values.encodingEntry, entry);
        values.StoreInto(project);
        QCOMPARE(project.encoding, stored);
    }

    // Every value of the dialog comes from the project and goes back into
    // it; the settings the dialog does not show stay as they are.
    void fillAndStore()
    {
        TExtSettings project;
        project.kopie_absender = true;
        project.ip_informationen = false;
        project.hide_empty_fields = true;
        project.encoding = QStringLiteral("utf-8");
        project.ErrorPages = {QStringLiteral("https://a.example/ip.htm"),
                              QStringLiteral("https://a.example/up.htm"),
                              QStringLiteral("https://a.example/captcha.htm")};
        project.ErrorMessages.CaptchaError = QStringLiteral("Falscher Code");
        project.HTMLExportFileName = QStringLiteral("/home/eva/seite.htm");
        project.ProjectSettings.author = QStringLiteral("Eva");
        project.CalendarDesign.cboFont = QStringLiteral("Verdana");

        const TAdvancedSettings shown = TAdvancedSettings::Of(project);
        QCOMPARE(shown.kopie_absender, true);
        QCOMPARE(shown.ip_informationen, false);
        QCOMPARE(shown.hide_empty_fields, true);
        QCOMPARE(shown.IPErrorPage, project.ErrorPages.IPErrorPage);
        QCOMPARE(shown.FileErrorPage, project.ErrorPages.FileErrorPage);
        QCOMPARE(shown.CaptchaErrorPage, project.ErrorPages.CaptchaErrorPage);
        QCOMPARE(shown.encodingEntry, 1);
        QCOMPARE(shown.CaptchaError, project.ErrorMessages.CaptchaError);

        TAdvancedSettings edited;
        edited.kopie_absender = false;
        edited.ip_informationen = true;
        edited.hide_empty_fields = false;
        edited.IPErrorPage = QStringLiteral("https://b.example/ip.htm");
        edited.FileErrorPage = QString();
        edited.CaptchaErrorPage = QStringLiteral("https://b.example/c.htm");
        edited.encodingEntry = 0;
        edited.CaptchaError = QString();
        edited.StoreInto(project);
        QCOMPARE(project.kopie_absender, false);
        QCOMPARE(project.ip_informationen, true);
        QCOMPARE(project.hide_empty_fields, false);
        QCOMPARE(project.ErrorPages.IPErrorPage, edited.IPErrorPage);
        QCOMPARE(project.ErrorPages.FileErrorPage, QString());
        QCOMPARE(project.ErrorPages.CaptchaErrorPage, edited.CaptchaErrorPage);
        QCOMPARE(project.encoding, QStringLiteral("iso-8859-1"));
        QCOMPARE(project.ErrorMessages.CaptchaError, QString());
        QCOMPARE(project.HTMLExportFileName, QStringLiteral("/home/eva/seite.htm"));
        QCOMPARE(project.ProjectSettings.author, QStringLiteral("Eva"));
        QCOMPARE(project.CalendarDesign.cboFont, QStringLiteral("Verdana"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsDialogs)
#include "tst_settingsdialogs.moc"
