// The per-user data files below the windows: the program settings (first
// use, the list length's range, storing with and without a language, a
// file that cannot be written) and the form-mailer list (loading with the
// default address, unreadable files kept, saving, the delivered list, the
// test address).
#include "app/ProgramSettings.h"
#include "base/IniFile.h"
#include "texts/FormMailerList.h"

#include <QDomDocument>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

namespace
{
const QString Default = QStringLiteral("https://forms.example.com/form/v28/formmail.php");

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray ListFile(const QStringList& links)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xml>\n  <formmailers>\n";
    for (const QString& link : links)
        xml += "    <formmail>" + link.toUtf8() + "</formmail>\n";
    return xml + "  </formmailers>\n</xml>\n";
}
} // namespace

class TestAppData : public QObject
{
    Q_OBJECT

    QString LangIni(const QTemporaryDir& dir)
    {
        const QString path = dir.filePath(QStringLiteral("lang.ini"));
        Write(path, "[Deutsch]\n1=Datei\n[Englisch]\n1=File\n");
        return path;
    }

private slots:
    void firstUse()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("data/Quorvel"));
        TProgramSettings settings(LangIni(dir), folder);
        QVERIFY(QFile::exists(folder + QStringLiteral("/ProgramSettings.ini")));
        QCOMPARE(settings.Language(), QStringLiteral("Deutsch"));
        QCOMPARE(settings.NumLastUsed(), 5);
        QCOMPARE(settings.LanguageList(),
                 (QStringList{QStringLiteral("Deutsch"), QStringLiteral("Englisch")}));
    }

    // What the file holds and what the program takes: a length outside the
    // dialog's range would otherwise empty the history or make it endless.
    void numLastUsedRange_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("in range") << "12" << 12;
        QTest::newRow("zero") << "0" << 1;
        QTest::newRow("negative") << "-3" << 1;
        QTest::newRow("too many") << "1000" << 99;
        QTest::newRow("no number") << "viele" << 5;
        QTest::newRow("empty") << "" << 5;
    }

    void numLastUsedRange()
    {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        QTemporaryDir dir;
        TProgramSettings settings(LangIni(dir), dir.path());
        TIniFile ini(settings.IniFileName());
        ini.WriteString(QStringLiteral("LastUsed"), QStringLiteral("ShownNumber"), stored);
        QVERIFY(ini.Save());
        QCOMPARE(settings.NumLastUsed(), expected);
    }

    // What the settings dialog's OK stores: no language chosen keeps the
    // language and still stores the length; an empty one is Deutsch.
    void store_data()
    {
        QTest::addColumn<std::optional<QString>>("language");
        QTest::addColumn<QString>("expected");
        QTest::newRow("language chosen") << std::optional<QString>(QStringLiteral("Deutsch")) << "Deutsch";
        QTest::newRow("none chosen") << std::optional<QString>() << "Englisch";
        QTest::newRow("empty") << std::optional<QString>(QString()) << "Deutsch";
    }

    void store()
    {
        QFETCH(std::optional<QString>, language);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        TProgramSettings settings(LangIni(dir), dir.path());
        settings.SetLanguage(QStringLiteral("Englisch"));
        QVERIFY(settings.Store(language, 9));
        QCOMPARE(settings.Language(), expected);
        QCOMPARE(settings.NumLastUsed(), 9);
    }

    // Storing makes a file deleted meanwhile; one that cannot be written
    // says so and stays as it was.
    void storeFailures()
    {
        QTemporaryDir dir;
        TProgramSettings settings(LangIni(dir), dir.path());
        QVERIFY(QFile::remove(settings.IniFileName()));
        QVERIFY(settings.Store(std::nullopt, 7));
        QCOMPARE(settings.Language(), QStringLiteral("Deutsch"));
        QCOMPARE(settings.NumLastUsed(), 7);

        // A folder that cannot be made: below a plain file.
        QTemporaryDir blocked;
        Write(blocked.filePath(QStringLiteral("file")), "x");
        TProgramSettings nowhere(LangIni(blocked), blocked.filePath(QStringLiteral("file/Quorvel")));
        const TStatus stored = nowhere.Store(QStringLiteral("Englisch"), 3);
        QVERIFY(!stored);
        QVERIFY(stored.Error().contains(nowhere.IniFileName()));
        QCOMPARE(nowhere.Language(), QStringLiteral("Deutsch"));
        QCOMPARE(nowhere.NumLastUsed(), 5);
    }

    void helpPages_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("page");
        QTest::newRow("Deutsch") << "Deutsch"
                                 << "de_formmailer.htm";
        QTest::newRow("Englisch") << "Englisch"
                                  << "en_formmailer.htm";
        QTest::newRow("any other") << "Francais"
                                   << "en_formmailer.htm";
    }

    void helpPages()
    {
        QFETCH(QString, language);
        QFETCH(QString, page);
        QTemporaryDir dir;
        TProgramSettings settings(LangIni(dir), dir.path());
        settings.SetLanguage(language);
        QCOMPARE(settings.HelpFormmailHTMFile(), page);
    }

    // The combo box's list from the file: the default address is appended
    // to the file (not to what is shown) when the file lacks it, and never
    // when it is empty; what the file holds otherwise stays.
    void loadFormmailers_data()
    {
        QTest::addColumn<QStringList>("file");
        QTest::addColumn<QString>("defaultAddress");
        QTest::addColumn<QStringList>("fileAfter");
        const QString other = QStringLiteral("https://www.example.com/formmail.php");
        QTest::newRow("default missing") << QStringList{other} << Default << QStringList{other, Default};
        QTest::newRow("default listed")
            << QStringList{Default, other} << Default << QStringList{Default, other};
        QTest::newRow("empty list") << QStringList() << Default << QStringList{Default};
        QTest::newRow("case differs")
            << QStringList{Default.toUpper()} << Default << QStringList{Default.toUpper(), Default};
        QTest::newRow("duplicates kept")
            << QStringList{other, other} << Default << QStringList{other, other, Default};
        QTest::newRow("empty default") << QStringList{other} << QString() << QStringList{other};
    }

    void loadFormmailers()
    {
        QFETCH(QStringList, file);
        QFETCH(QString, defaultAddress);
        QFETCH(QStringList, fileAfter);
        QTemporaryDir dir;
        const QString path = TFormMailerList::UserFile(dir.path());
        Write(path, ListFile(file));
        QStringList shown;
        QVERIFY(TFormMailerList::LoadFormmailers(path, defaultAddress, &shown));
        QCOMPARE(shown, file);
        QVERIFY(TFormMailerList::LoadFormmailers(path, defaultAddress, &shown));
        QCOMPARE(shown, fileAfter);
        TFormMailerList list(path);
        QVERIFY(list.Load());
        QCOMPARE(list.Links(), fileAfter);
    }

    // The elements' names below "formmailers" are not looked at, nor the
    // root's; other content of the file survives the appended default.
    void loadKeepsTheDocument()
    {
        QTemporaryDir dir;
        const QString path = TFormMailerList::UserFile(dir.path());
        Write(path, "<root><note>mine</note><formmailers><link>https://a.example/f.php</link>"
                    "<x>https://b.example/f.php</x></formmailers></root>");
        QStringList shown;
        QVERIFY(TFormMailerList::LoadFormmailers(path, Default, &shown));
        QCOMPARE(shown, (QStringList{QStringLiteral("https://a.example/f.php"),
                                     QStringLiteral("https://b.example/f.php")}));
        QDomDocument doc;
        QVERIFY(doc.setContent(Read(path)));
        QCOMPARE(doc.documentElement().firstChildElement(QStringLiteral("note")).text(),
                 QStringLiteral("mine"));
        QCOMPARE(
            doc.documentElement().firstChildElement(QStringLiteral("formmailers")).lastChildElement().text(),
            Default);
    }

    // A file that cannot be read as a list is reported, shows nothing and is
    // never touched: not by loading, not by saving an unchanged list; a
    // changed list replaces it. A missing file is no failure and stays
    // missing.
    void unreadableFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not XML") << QByteArray("<xml><formmailers><formmail>https://a.example/f.php</formm");
        QTest::newRow("no list element") << QByteArray("<xml><profiles/></xml>");
        QTest::newRow("empty") << QByteArray();
    }

    void unreadableFile()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = TFormMailerList::UserFile(dir.path());
        Write(path, content);
        QStringList shown{QStringLiteral("stale")};
        const TStatus loaded = TFormMailerList::LoadFormmailers(path, Default, &shown);
        QVERIFY(!loaded);
        QVERIFY(loaded.Error().contains(path));
        QVERIFY(shown.isEmpty());
        QCOMPARE(Read(path), content);

        TFormMailerList list(path);
        QVERIFY(!list.Load());
        QVERIFY(list.Unreadable());
        QVERIFY(list.Save());
        QCOMPARE(Read(path), content);
        list.Change() << QStringLiteral("https://new.example/f.php");
        QVERIFY(list.Save());
        QVERIFY(list.Load());
        QCOMPARE(list.Links(), QStringList{QStringLiteral("https://new.example/f.php")});
    }

    void missingFile()
    {
        QTemporaryDir dir;
        const QString path = TFormMailerList::UserFile(dir.path());
        QStringList shown;
        QVERIFY(TFormMailerList::LoadFormmailers(path, Default, &shown));
        QVERIFY(shown.isEmpty());
        QVERIFY(!QFile::exists(path));
        TFormMailerList list(path);
        QVERIFY(list.Load());
        QVERIFY(list.Links().isEmpty());
    }

    // Saving writes the list's tree in row order, texts XML cannot hold
    // plainly included, and reads back the same.
    void saveRoundTrip()
    {
        QTemporaryDir dir;
        TFormMailerList list(TFormMailerList::UserFile(dir.path()));
        const QStringList links{QStringLiteral("https://a.example/f.php?x=1&y=<2>"), QString(),
                                QStringLiteral("http://b.example/ä/f.php")};
        list.Change() = links;
        QVERIFY(list.Save());
        QDomDocument doc;
        QVERIFY(doc.setContent(Read(list.FileName())));
        QCOMPARE(doc.documentElement().tagName(), QStringLiteral("xml"));
        const QDomElement mailers = doc.documentElement().firstChildElement(QStringLiteral("formmailers"));
        QCOMPARE(mailers.elementsByTagName(QStringLiteral("formmail")).size(), 3);
        TFormMailerList again(list.FileName());
        QVERIFY(again.Load());
        QCOMPARE(again.Links(), links);
    }

    // The delivered list is copied once and never over the user's.
    void installDelivered()
    {
        QTemporaryDir dir;
        const QString delivered = dir.filePath(QStringLiteral("formmailers.xml"));
        const QString user = TFormMailerList::UserFile(dir.filePath(QStringLiteral("user")));
        QVERIFY(TFormMailerList::InstallDelivered(delivered, user));
        QVERIFY(!QFile::exists(user));
        Write(delivered, ListFile({Default}));
        QVERIFY(TFormMailerList::InstallDelivered(delivered, user));
        QCOMPARE(Read(user), ListFile({Default}));
        Write(user, ListFile({}));
        QVERIFY(TFormMailerList::InstallDelivered(delivered, user));
        QCOMPARE(Read(user), ListFile({}));
    }

    void checkAddress_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("opened"); // empty: refused
        QTest::newRow("https") << Default << Default + QStringLiteral("?action=checkurl");
        QTest::newRow("http") << "http://www.example.com/formmail.php"
                              << "http://www.example.com/formmail.php?action=checkurl";
        QTest::newRow("scheme in capitals") << "HTTPS://www.example.com/f.php"
                                            << "https://www.example.com/f.php?action=checkurl";
        QTest::newRow("query kept as is") << "https://www.example.com/f.php?lang=de"
                                          << "https://www.example.com/f.php?lang=de?action=checkurl";
        QTest::newRow("blanks around") << "  https://www.example.com/f.php "
                                       << "https://www.example.com/f.php?action=checkurl";
        QTest::newRow("file") << "file:///etc/passwd"
                              << "";
        QTest::newRow("script") << "javascript:alert(1)"
                                << "";
        QTest::newRow("no scheme") << "www.example.com/formmail.php"
                                   << "";
        QTest::newRow("only the scheme") << "http://"
                                         << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("ftp") << "ftp://ftp.example.com/f.php"
                             << "";
    }

    void checkAddress()
    {
        QFETCH(QString, address);
        QFETCH(QString, opened);
        const std::optional<QUrl> url = TFormMailerList::CheckAddress(address);
        QCOMPARE(url ? url->toString() : QString(), opened);
    }
};

QTEST_MAIN(TestAppData)
#include "tst_appdata.moc"
