// Language texts, the INI reader under them, the program settings, and the
// language file Quorvel ships.
#include "RecordingPrompter.h"
#include "TestLanguage.h"
#include "app/ProgramSettings.h"
#include "base/IniFile.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestLanguageTexts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void lookUp_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QByteArray two =
            "[Englisch]\r\nmsg=Hello\r\nEmpty=\r\n[Deutsch]\r\nmsg=Hallo\r\nNur=nur deutsch\r\n";
        QTest::newRow("own section") << two << "Englisch"
                                     << "msg"
                                     << "Hello";
        QTest::newRow("section in other case") << two << "ENGLISCH"
                                               << "msg"
                                               << "Hello";
        QTest::newRow("key in other case") << two << "Deutsch"
                                           << "MSG"
                                           << "Hallo";
        QTest::newRow("unknown language takes the second section") << two << "Klingonisch"
                                                                   << "msg"
                                                                   << "Hallo";
        QTest::newRow("empty language takes the second section") << two << ""
                                                                 << "Nur"
                                                                 << "nur deutsch";
        QTest::newRow("missing key") << two << "Englisch"
                                     << "Nur"
                                     << "";
        QTest::newRow("empty value") << two << "Englisch"
                                     << "Empty"
                                     << "";
        QTest::newRow("one section only") << QByteArray("[Deutsch]\nmsg=Hallo\n") << "Englisch"
                                          << "msg"
                                          << "Hallo";
        QTest::newRow("no section") << QByteArray("msg=Hallo\n") << "Deutsch"
                                    << "msg"
                                    << "";
        QTest::newRow("blanks trimmed") << QByteArray("[A]\n  key  =   Text mit Blanks   \n") << "A"
                                        << "key"
                                        << "Text mit Blanks";
        QTest::newRow("double quotes stripped") << QByteArray("[A]\nk=\" quoted \"\n") << "A"
                                                << "k"
                                                << " quoted ";
        QTest::newRow("single quotes stripped") << QByteArray("[A]\nk='x'\n") << "A"
                                                << "k"
                                                << "x";
        QTest::newRow("unpaired quote kept") << QByteArray("[A]\nk=\"x\n") << "A"
                                             << "k"
                                             << "\"x";
        QTest::newRow("text after first equals") << QByteArray("[A]\nk=a=b\n") << "A"
                                                 << "k"
                                                 << "a=b";
        QTest::newRow("first of two keys") << QByteArray("[A]\nk=1\nk=2\n") << "A"
                                           << "k"
                                           << "1";
        QTest::newRow("first of two sections, its keys only")
            << QByteArray("[A]\nk=1\n[B]\n[a]\nk=2\nj=3\n") << "A"
            << "j"
            << "";
        QTest::newRow("fallback named as the first section") << QByteArray("[A]\nk=1\n[a]\nk=2\n") << "X"
                                                             << "k"
                                                             << "1";
        QTest::newRow("lines before the first section") << QByteArray("k=0\n[A]\n[B]\nk=2\n") << "A"
                                                        << "k"
                                                        << "";
        QTest::newRow("umlaut key in other case")
            << QByteArray("[A]\n\xc3\x84rger=1\n") << "A" << QStringLiteral("ärger") << "1";
        QTest::newRow("numeric key") << QByteArray("[A]\n39=Einzeiliges Textfeld\n") << "A"
                                     << "39"
                                     << "Einzeiliges Textfeld";
        QTest::newRow("utf-8 with BOM") << QByteArray("\xef\xbb\xbf[A]\nk=\xc3\xa4\n") << "A"
                                        << "k" << QStringLiteral("ä");
        // Window texts (numeric keys) carry their line breaks as "\n".
        QTest::newRow("line break in a window text") << QByteArray("[A]\n73=eins\\nzwei\\n\n") << "A"
                                                     << "73"
                                                     << "eins\nzwei\n";
        QTest::newRow("escaped backslash in a window text") << QByteArray("[A]\n7=C:\\\\neu \\x\n") << "A"
                                                            << "7"
                                                            << "C:\\neu \\x";
        QTest::newRow("named text keeps backslash-n") << QByteArray("[A]\nk=a\\nb\n") << "A"
                                                      << "k"
                                                      << "a\\nb";
    }

    void lookUp()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, language);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        TestLanguage lang(file, language);
        QCOMPARE(lang.texts().GetLanguageText(language, key), expected);
        QCOMPARE(lang.texts().Text(key), expected);
        QCOMPARE(lang.texts().Snapshot().Text(key), expected);
    }

    void longTextsAreCut()
    {
        TestLanguage lang("[A]\nk=" + QByteArray(3000, 'x') + "\n");
        QCOMPARE(lang.texts().GetLanguageText(QStringLiteral("A"), QStringLiteral("k")),
                 QString(2047, QLatin1Char('x')));
    }

    void editedFileTakesEffectAtOnce()
    {
        TestLanguage lang("[Deutsch]\nk=alt\n");
        QCOMPARE(lang.texts().Text(QStringLiteral("k")), QStringLiteral("alt"));
        lang.Write("[Deutsch]\nk=neu und l\xc3\xa4nger\n");
        QCOMPARE(lang.texts().Text(QStringLiteral("k")), QStringLiteral("neu und länger"));
        lang.SetLanguage(QStringLiteral("Englisch")); // no such section, one section: that one
        QCOMPARE(lang.texts().Text(QStringLiteral("k")), QStringLiteral("neu und länger"));
    }

    void snapshotKeepsWhatItTook()
    {
        // A generation's texts stay those of its start; the next one sees
        // the language and the file as they are then.
        TestLanguage lang("[Deutsch]\nk=alt\n[Englisch]\nk=old\n");
        const TTextSection before = lang.texts().Snapshot();
        lang.SetLanguage(QStringLiteral("Englisch"));
        QCOMPARE(before.Text(QStringLiteral("k")), QStringLiteral("alt"));
        QCOMPARE(lang.texts().Snapshot().Text(QStringLiteral("K")), QStringLiteral("old"));
        lang.Write("[Deutsch]\nk=neu\n[Englisch]\nk=new!\n");
        QCOMPARE(before.Text(QStringLiteral("k")), QStringLiteral("alt"));
        QCOMPARE(lang.texts().Snapshot().Text(QStringLiteral("k")), QStringLiteral("new!"));
        QCOMPARE(TTextSection().Text(QStringLiteral("k")), QString());
    }

    void missingFileSaysSoAtEveryCall()
    {
        RecordingPrompter prompter;
        QTemporaryDir dir;
        TLanguageTexts texts(dir.path() + QStringLiteral("/lang.ini"), &prompter);
        QCOMPARE(texts.Text(QStringLiteral("txtCalender3")), QString());
        QCOMPARE(texts.Text(QStringLiteral("txtCalender4")), QString());
        const TTextSection section = texts.Snapshot();
        QCOMPARE(section.Text(QStringLiteral("txtCalender3")), QString());
        QCOMPARE(prompter.Texts(), QStringList(3, QStringLiteral("Language-file doesnt exist!")));
    }

    void iniWriteKeepsTheRest()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/s.ini");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Language]\r\nlang=Deutsch\r\nother=1\r\n\r\n[LastUsed]\r\nShownNumber=5\r\n");
        f.close();
        TIniFile ini(path);
        ini.WriteString(QStringLiteral("language"), QStringLiteral("LANG"), QStringLiteral("Englisch"));
        ini.WriteInteger(QStringLiteral("LastUsed"), QStringLiteral("Extra"), 7);
        ini.WriteString(QStringLiteral("New"), QStringLiteral("k"), QStringLiteral("v"));
        QVERIFY(ini.Save());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("[Language]\r\nLANG=Englisch\r\nother=1\r\n\r\n[LastUsed]\r\n"
                                         "ShownNumber=5\r\nExtra=7\r\n[New]\r\nk=v\r\n"));
    }

    void programSettingsOnFirstStart()
    {
        QTemporaryDir dir;
        const QString appData = dir.path() + QStringLiteral("/deep/Quorvel");
        TestLanguage lang("[Deutsch]\nk=1\n[Englisch]\nk=2\n[Fran\xc3\xa7"
                          "ais]\nk=3\n");
        TProgramSettings settings(lang.Path(), appData);
        QCOMPARE(settings.IniFileName(), appData + QStringLiteral("/ProgramSettings.ini"));
        QVERIFY(QFileInfo::exists(settings.IniFileName()));
        QCOMPARE(settings.Language(), QStringLiteral("Deutsch"));
        QCOMPARE(settings.NumLastUsed(), 5);
        QCOMPARE(settings.LanguageList(), (QStringList{QStringLiteral("Deutsch"), QStringLiteral("Englisch"),
                                                       QStringLiteral("Français")}));

        settings.SetLanguage(QStringLiteral("Englisch"));
        settings.SetNumLastUsed(9);
        TProgramSettings again(lang.Path(), appData); // an existing file is kept
        QCOMPARE(again.Language(), QStringLiteral("Englisch"));
        QCOMPARE(again.NumLastUsed(), 9);
        again.SetLanguage(QString());
        QCOMPARE(settings.Language(), QStringLiteral("Deutsch")); // read anew, stored as Deutsch
    }

    void programSettingsWithoutFile()
    {
        QTemporaryDir dir;
        TProgramSettings settings(dir.path() + QStringLiteral("/no-lang.ini"), dir.path());
        QVERIFY(settings.LanguageList().isEmpty());
        QVERIFY(QFile::remove(settings.IniFileName()));
        settings.SetLanguage(QStringLiteral("Englisch")); // dropped
        settings.SetNumLastUsed(3);
        QVERIFY(!QFileInfo::exists(settings.IniFileName()));
        QCOMPARE(settings.Language(), QStringLiteral("Deutsch"));
        QCOMPARE(settings.NumLastUsed(), 5);
    }

    void helpPageFollowsLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("page");
        QTest::newRow("Deutsch") << "Deutsch"
                                 << "de_formmailer.htm";
        QTest::newRow("Englisch") << "Englisch"
                                  << "en_formmailer.htm";
        QTest::newRow("other") << "Italiano"
                               << "en_formmailer.htm";
    }

    void helpPageFollowsLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, page);
        QTemporaryDir dir;
        TProgramSettings settings(QString(), dir.path());
        settings.SetLanguage(language);
        QCOMPARE(settings.HelpFormmailHTMFile(), page);
    }

    void appDataFolderIsPerUser()
    {
        QCOMPARE(GetAppDataFolder(), QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                                         QStringLiteral("/Quorvel"));
    }

    void shippedLanguageFile()
    {
        // Both languages know every text the core asks for, and the same keys.
        const QString path = QStringLiteral(QUORVEL_TEST_DATA_DIR "/lang.ini");
        TIniFile ini(path);
        QCOMPARE(ini.SectionNames().mid(0, 2),
                 (QStringList{QStringLiteral("Deutsch"), QStringLiteral("Englisch")}));
        const auto keysOf = [&](const QString& section) {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            QStringList keys;
            bool in = false;
            for (const QByteArray& raw : f.readAll().split('\n')) {
                const QString line = QString::fromUtf8(raw).trimmed();
                if (line.startsWith(QLatin1Char('[')))
                    in = line == QLatin1Char('[') + section + QLatin1Char(']');
                else if (in && line.contains(QLatin1Char('=')))
                    keys << line.section(QLatin1Char('='), 0, 0).trimmed().toLower();
            }
            return keys;
        };
        const QStringList de = keysOf(QStringLiteral("Deutsch")), en = keysOf(QStringLiteral("Englisch"));
        QCOMPARE(QSet<QString>(de.begin(), de.end()).size(), de.size()); // no key twice
        QCOMPARE(QSet<QString>(en.begin(), en.end()), QSet<QString>(de.begin(), de.end()));

        QStringList needed;
        for (int k = 39; k <= 48; ++k)
            needed << QString::number(k);
        for (const char* month :
             {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"})
            needed << QStringLiteral("cal") + QLatin1String(month);
        for (const char* day : {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"})
            needed << QStringLiteral("cal") + QLatin1String(day);
        needed << QStringLiteral(
                      "txtCalender3 txtCalender4 txtCheckbox0 txtCheckbox1 txtCheckbox2 txtCheckbox3 "
                      "txtCheckboxList0 txtCheckboxList1 txtDropDown0 txtRadioButtons0 txtMultiline0 "
                      "txtMainFrmSpamProt txtMainFrmNoQVFile constFormMailPath MsgWarnung "
                      "MsgInformation MsgError MsgConfirmation txtMainFrmFTP13 txtMainFrmFTP14 "
                      "txtMainFrmFTP15 txtMainFrmPHPHint1 txtMainFrmPHPHint2 "
                      "txtMainFrmCopyToClipboard1 txtMainFrmCopyToClipboard2")
                      .split(QLatin1Char(' '));
        // Every number a window control carries, and the translated list entries.
        const QString windowKeys =
            QStringLiteral("0 1-56 58-77 80-92 94 96-104 108-113 115 117 119 121 123 125-130 "
                           "132-153 155-160 162-165 167-168 170-176 178-214 220 224-289");
        for (const QString& range : windowKeys.split(QLatin1Char(' '))) {
            const int from = range.section(QLatin1Char('-'), 0, 0).toInt();
            const int to =
                range.contains(QLatin1Char('-')) ? range.section(QLatin1Char('-'), 1).toInt() : from;
            for (int k = from; k <= to; ++k)
                needed << QString::number(k);
        }
        needed << QStringLiteral("cboType0 cboType1 cboCheckType0 cboCheckType1 cboCheckType2 cboCheckType3 "
                                 "cboTabAusrichtung0 cboTabAusrichtung1 cboTabAusrichtung2")
                      .split(QLatin1Char(' '));
        for (const QString& section : {QStringLiteral("Deutsch"), QStringLiteral("Englisch")})
            for (const QString& key : needed)
                QVERIFY2(!ini.ReadString(section, key).isEmpty(),
                         qPrintable(section + QLatin1Char(' ') + key));

        // The long hints are written with "\n" and come out in several lines.
        const TLanguageTexts texts(path, nullptr);
        for (const QString& section : {QStringLiteral("Deutsch"), QStringLiteral("Englisch")})
            for (const char* key : {"73", "234", "248", "257", "273"})
                QVERIFY2(texts.GetLanguageText(section, QLatin1String(key)).count(QLatin1Char('\n')) >= 1,
                         qPrintable(section + QLatin1Char(' ') + QLatin1String(key)));
    }
};

QTEST_GUILESS_MAIN(TestLanguageTexts)
#include "tst_languagetexts.moc"
