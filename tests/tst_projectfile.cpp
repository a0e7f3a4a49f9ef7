// The project file: layout and order of the settings, every reader's
// fallback, load failures that must leave the open project untouched, line
// ends, a round trip of a project holding every kind of field, and the
// fields' conditions.
#include "RecordingPrompter.h"
#include "TestLanguage.h"
#include "model/FormProject.h"
#include "model/SettingKeys.h"
#include "projectfile/FieldFactory.h"
#include "projectfile/ProjectFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
const QString FirstFormMailer = QStringLiteral("https://mailer.example.org/first.php");

QString Fixture(const QString& name)
{
    return QStringLiteral(QUORVEL_TEST_FIXTURES "/") + name;
}

// The whole project as its file text: settings and fields alike.
QString Snapshot(const TFormProject& project)
{
    return TProjectFile::ProjectDocument(project).toString(1);
}

QString SettingValue(TFormProject& p, const QString& key)
{
    const TSettingKey* k = FindSettingKey(key);
    if (!k)
        return QStringLiteral("<no such key>");
    if (k->text)
        return *k->text(p);
    if (k->flag)
        return *k->flag(p) ? QStringLiteral("on") : QStringLiteral("off");
    return QString::number(*k->number(p));
}

// Every setting moved away from its initial value.
void ChangeEverySetting(TFormProject& p)
{
    for (const TSettingKey& k : SettingKeys()) {
        if (k.flag)
            *k.flag(p) = !*k.flag(p);
        else if (k.number)
            *k.number(p) = 2;
        else
            *k.text(p) = QStringLiteral("Wert von ") + k.Key() + QStringLiteral(" <b>&\"ä€</b>");
    }
    p.cboMailFormat = QStringLiteral("xml");
    p.memoEinleitung = QStringLiteral("Zeile eins\r\n\r\n  Zeile drei \r\n");
    p.ExtSettings.ProjectSettings.comment = QStringLiteral("\r\nKommentar\r\n\r\n");
    p.memoMailtext = QStringLiteral("Hallo {#name#},#br#\r\n\tdanke.");
}

QByteArray Minimal(const QByteArray& content, const QByteArray& items = "<ItemList/>")
{
    return "<?xml version=\"1.0\"?>\n<xml><FileInfo><Prog>Quorvel</Prog><Version>1</Version></FileInfo>"
           "<FileContent>" +
           content + items + "</FileContent></xml>\n";
}
} // namespace

class TestProjectFile : public QObject
{
    Q_OBJECT

    TestLanguage lang;
    RecordingPrompter prompter;
    QTemporaryDir dir;

    TProjectFile File()
    {
        return TProjectFile(lang.texts(), [] { return FirstFormMailer; });
    }
    QString Write(const QByteArray& bytes)
    {
        static int n = 0;
        const QString path = dir.path() + QStringLiteral("/f%1.qvf").arg(++n);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

private slots:
    void init() { prompter.entries.clear(); }

    void elementsInFileOrder()
    {
        const QStringList expected =
            QStringLiteral(
                "edtFormTitel cboFontHeader edtSizeHeader cboFontForm edtSizeForm memoEinleitung "
                "memoTextEnde "
                "edtBGPicture edtHGColor edtHeaderColor edtTextColor edtTabColor edtErrorColor edtEMail "
                "edtEMail1 "
                "edtEMail2 cbCryptAddr cboMailFormat edtBetreff edtTitel edtDanke edtTabWidth "
                "cboTabAusrichtung "
                "chkAbsender cboTarget ip_informationen kopie_absender HTMLExportFileName hide_empty_fields "
                "IPErrorPage FileErrorPage CaptchaErrorPage encoding CaptchaErrorMessage "
                "ProjectSettings_author "
                "ProjectSettings_comment ProjectSettings_title ProjectSettings_company ProjectSettings_url "
                "CalendarDesign_cboFont CalendarDesign_edtFontSize CalendarDesign_edtTextColor "
                "CalendarDesign_edtBGColorDay CalendarDesign_edtBGColorHeader "
                "CalendarDesign_edtTextColorHeader "
                "CalendarDesign_edtBGColorCal CalendarDesign_edtBorderSize CalendarDesign_edtBorderType "
                "CalendarDesign_edtBorderColor CalendarDesign_cboDateFormat edtFtpServer edtPort edtUsername "
                "edtPasswort edtFolder edtDateiname chkPassiv cboUploadFormat chkCaptcha edtCaptchaText1 "
                "memoMailtext cboFormMailer cboStandardButton edtHintergrundButton edtFarbeButton "
                "cboRahmenButton "
                "edtStaerkeButton cboStaerkeRahmen edtSendenButton edtCancelButton edtPrint chkPrintButton "
                "chkResetButton cboStandardFeld edtHGFormField edtColorFormField edtRahmenFormField "
                "edtStaerkeFormField cboRahmenFormField cboFontFormField edtSizeFormField "
                "cboSchriftFormEinheit "
                "edtFontColorFormField")
                .split(QLatin1Char(' '));
        QCOMPARE(expected.size(), 83);

        TFormProject project;
        const QDomDocument doc = TProjectFile::ProjectDocument(project);
        const QDomElement root = doc.documentElement();
        QCOMPARE(root.tagName(), QStringLiteral("xml"));
        QCOMPARE(root.firstChildElement(QStringLiteral("FileInfo")).text(), QStringLiteral("Quorvel1"));
        QStringList written;
        const QDomElement content = root.firstChildElement(QStringLiteral("FileContent"));
        for (QDomElement e = content.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
            written << e.tagName();
        QCOMPARE(written, expected + QStringList{QStringLiteral("ItemList")});

        // flags and indices as the file writes them
        QCOMPARE(content.firstChildElement(QStringLiteral("cboStandardButton")).text(), QStringLiteral("-1"));
        QCOMPARE(content.firstChildElement(QStringLiteral("chkPrintButton")).text(), QStringLiteral("0"));
        QCOMPARE(content.firstChildElement(QStringLiteral("cboTabAusrichtung")).text(), QStringLiteral("0"));
    }

    // Encryption of the upload is written only when it is on, right after
    // the passive switch; files without it read it as off.
    void ftpsStoredOnlyWhenOn()
    {
        const auto after = [](const TFormProject& project) {
            const QDomElement content =
                TProjectFile::ProjectDocument(project).documentElement().firstChildElement(
                    QStringLiteral("FileContent"));
            const QDomElement passive = content.firstChildElement(QStringLiteral("chkPassiv"));
            QStringList next;
            for (QDomElement e = passive.nextSiblingElement(); next.size() < 3; e = e.nextSiblingElement())
                next << e.tagName() + QLatin1Char('=') + e.text();
            return next;
        };
        TFormProject project;
        project.edtFtpTlsKey = QStringLiteral("sha256//k=");
        project.chkFtpTls = true;
        QCOMPARE(after(project),
                 (QStringList{QStringLiteral("chkFtpTls=-1"), QStringLiteral("edtFtpTlsKey=sha256//k="),
                              QStringLiteral("cboUploadFormat=0")}));
        const QString path = dir.path() + QStringLiteral("/tls.qvf");
        QVERIFY(File().SaveProject(project, path));
        TFormProject loaded;
        QVERIFY(File().LoadProject(loaded, path));
        QVERIFY(loaded.chkFtpTls);
        QCOMPARE(loaded.edtFtpTlsKey, project.edtFtpTlsKey);

        project.chkFtpTls = false;
        project.edtFtpTlsKey.clear();
        QCOMPARE(after(project).first(), QStringLiteral("cboUploadFormat=0"));
    }

    // Taking the form mailer along is written only when on, after the
    // upload format; a project without it saves as before, byte for byte.
    void uploadMailerStoredOnlyWhenOn()
    {
        TFormProject project;
        const QString off = dir.path() + QStringLiteral("/mailer-off.qvf");
        QVERIFY(File().SaveProject(project, off));
        QFile plain(off);
        QVERIFY(plain.open(QIODevice::ReadOnly));
        const QByteArray before = plain.readAll();
        QVERIFY(!before.contains("chkUploadMailer"));

        project.chkUploadMailer = true;
        const QString on = dir.path() + QStringLiteral("/mailer-on.qvf");
        QVERIFY(File().SaveProject(project, on));
        QFile marked(on);
        QVERIFY(marked.open(QIODevice::ReadOnly));
        QByteArray after = marked.readAll();
        QVERIFY(after.contains(
            "<cboUploadFormat>0</cboUploadFormat>\n    <chkUploadMailer>-1</chkUploadMailer>\n"));
        TFormProject loaded;
        QVERIFY(File().LoadProject(loaded, on));
        QVERIFY(loaded.chkUploadMailer);
        QVERIFY(File().LoadProject(loaded, off));
        QVERIFY(!loaded.chkUploadMailer);
        // Switched off again, the file is the one of before.
        loaded.chkUploadMailer = false;
        QVERIFY(File().SaveProject(loaded, on));
        marked.close();
        QVERIFY(marked.open(QIODevice::ReadOnly));
        QCOMPARE(marked.readAll(), before);
    }

    // The defence against robots and its limit are written only when set;
    // switched off again, the file is the one of before.
    void botDefenceStoredOnlyWhenOn()
    {
        TFormProject project;
        const QString path = dir.path() + QStringLiteral("/bots.qvf");
        QVERIFY(File().SaveProject(project, path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        QVERIFY(!before.contains("chkBotDefence") && !before.contains("edtPostsPerHour"));

        project.chkBotDefence = true;
        project.edtPostsPerHour = QStringLiteral("12");
        QVERIFY(File().SaveProject(project, path));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray after = file.readAll();
        file.close();
        QVERIFY(after.contains("<chkBotDefence>-1</chkBotDefence>"));
        QVERIFY(after.contains("<edtPostsPerHour>12</edtPostsPerHour>"));
        TFormProject loaded;
        QVERIFY(File().LoadProject(loaded, path));
        QVERIFY(loaded.chkBotDefence);
        QCOMPARE(loaded.edtPostsPerHour, QStringLiteral("12"));

        loaded.chkBotDefence = false;
        loaded.edtPostsPerHour.clear();
        QVERIFY(File().SaveProject(loaded, path));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    // Keeping submissions on the server, and its two folders, are written
    // only when set; unset again, the file is the one of before.
    void submissionStoreStoredOnlyWhenSet()
    {
        TFormProject project;
        const QString path = dir.path() + QStringLiteral("/store.qvf");
        const auto saved = [&](const TFormProject& p) {
            QFile file(path);
            return File().SaveProject(p, path) && file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                                 : QByteArray();
        };
        const QByteArray before = saved(project);
        QVERIFY(!before.isEmpty() && !before.contains("Store"));

        project.chkStoreEntries = true;
        project.edtStoreFolder = QStringLiteral("../../daten");
        project.edtStoreFtpFolder = QStringLiteral("/daten");
        const QByteArray after = saved(project);
        QVERIFY(after.contains(
            "<chkStoreEntries>-1</chkStoreEntries>\n    <edtStoreFolder>../../daten</edtStoreFolder>"
            "\n    <edtStoreFtpFolder>/daten</edtStoreFtpFolder>"));
        TFormProject loaded;
        QVERIFY(File().LoadProject(loaded, path));
        QVERIFY(loaded.chkStoreEntries);
        QCOMPARE(loaded.edtStoreFolder, project.edtStoreFolder);
        QCOMPARE(loaded.edtStoreFtpFolder, project.edtStoreFtpFolder);

        loaded.chkStoreEntries = false;
        loaded.edtStoreFolder.clear();
        loaded.edtStoreFtpFolder.clear();
        QCOMPARE(saved(loaded), before);
    }

    void savedFileIsIndentedUtf8()
    {
        TFormProject project;
        project.edtFormTitel = QStringLiteral("Grüße");
        const QString path = dir.path() + QStringLiteral("/indent.qvf");
        QVERIFY(File().SaveProject(project, path));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(
            bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xml>\n  <FileInfo>\n    <Prog>"));
        QVERIFY(bytes.contains("    <edtFormTitel>Gr\xc3\xbc\xc3\x9f"
                               "e</edtFormTitel>\n"));
    }

    void everySettingRoundTrips()
    {
        TFormProject saved;
        ChangeEverySetting(saved);
        const QString path = dir.path() + QStringLiteral("/all.qvf");
        QVERIFY(File().SaveProject(saved, path));

        TFormProject loaded;
        QVERIFY(File().LoadProject(loaded, path));
        for (const TSettingKey& k : SettingKeys())
            QCOMPARE(SettingValue(loaded, k.Key()), SettingValue(saved, k.Key()));
        QCOMPARE(Snapshot(loaded), Snapshot(saved));
        QCOMPARE(loaded.bSaved, false); // the caller ties the project to its file
        QVERIFY(loaded.strSavePath.isEmpty());
    }

    void everyFieldKindRoundTrips()
    {
        // A project of every kind with awkward values, saved by Quorvel: it
        // loads, and saving it again gives the same bytes.
        TFormProject project;
        QVERIFY(File().LoadProject(project, Fixture(QStringLiteral("every_kind.qvf"))));
        QStringList kinds;
        for (const auto& f : project.ListField)
            kinds << f->ClassName();
        for (const QString& name : FieldClassNames())
            QVERIFY2(kinds.contains(name), qPrintable(name));

        const QString path = dir.path() + QStringLiteral("/again.qvf");
        QVERIFY(File().SaveProject(project, path));
        QFile a(Fixture(QStringLiteral("every_kind.qvf"))), b(path);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(b.readAll()), QString::fromUtf8(a.readAll()));
    }

    void readerFallbacks_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QString kept = QStringLiteral("kept");
        // missing elements, loaded over a project whose every setting was changed
        QTest::newRow("text missing") << QByteArray() << "edtFormTitel"
                                      << "";
        QTest::newRow("colour missing") << QByteArray() << "edtHGColor"
                                        << "";
        QTest::newRow("error colour default") << QByteArray() << "edtErrorColor"
                                              << "FF0000";
        QTest::newRow("field font colour default") << QByteArray() << "edtFontColorFormField"
                                                   << "000000";
        QTest::newRow("target default") << QByteArray() << "cboTarget"
                                        << "_self";
        QTest::newRow("encoding default") << QByteArray() << "encoding"
                                          << "iso-8859-1";
        QTest::newRow("url default") << QByteArray() << "ProjectSettings_url"
                                     << "http://";
        QTest::newRow("calendar font default") << QByteArray() << "CalendarDesign_cboFont"
                                               << "Arial,Helvetica,Geneva";
        QTest::newRow("calendar day default") << QByteArray() << "CalendarDesign_edtBGColorDay"
                                              << "B6CDE9";
        QTest::newRow("captcha message default") << QByteArray() << "CaptchaErrorMessage"
                                                 << "Der Spam-Schutz-Code ist falsch!";
        QTest::newRow("flag missing") << QByteArray() << "chkAbsender"
                                      << "off";
        QTest::newRow("tolerant flag missing") << QByteArray() << "chkCaptcha"
                                               << "off";
        QTest::newRow("kept flag missing") << QByteArray() << "cboStandardButton" << kept;
        QTest::newRow("kept flag missing 2") << QByteArray() << "chkResetButton" << kept;
        QTest::newRow("mail format missing") << QByteArray() << "cboMailFormat" << kept;
        QTest::newRow("alignment missing") << QByteArray() << "cboTabAusrichtung"
                                           << "0";
        QTest::newRow("upload format missing") << QByteArray() << "cboUploadFormat"
                                               << "0";
        QTest::newRow("date format missing") << QByteArray() << "CalendarDesign_cboDateFormat"
                                             << "0";
        QTest::newRow("form mailer missing") << QByteArray() << "cboFormMailer" << FirstFormMailer;
        // present values
        QTest::newRow("form mailer empty")
            << QByteArray("<cboFormMailer></cboFormMailer>") << "cboFormMailer" << FirstFormMailer;
        QTest::newRow("mail format capitals")
            << QByteArray("<cboMailFormat>HTML</cboMailFormat>") << "cboMailFormat" << kept;
        QTest::newRow("mail format plain")
            << QByteArray("<cboMailFormat>plain</cboMailFormat>") << "cboMailFormat"
            << "plain";
        QTest::newRow("flag True") << QByteArray("<chkAbsender>tRUE</chkAbsender>") << "chkAbsender"
                                   << "on";
        QTest::newRow("flag 5") << QByteArray("<chkPassiv>5</chkPassiv>") << "chkPassiv"
                                << "on";
        QTest::newRow("flag False") << QByteArray("<cbCryptAddr>False</cbCryptAddr>") << "cbCryptAddr"
                                    << "off";
        QTest::newRow("tolerant flag junk")
            << QByteArray("<chkCaptcha>vielleicht</chkCaptcha>") << "chkCaptcha" << kept;
        QTest::newRow("kept flag junk")
            << QByteArray("<cboStandardFeld>ja</cboStandardFeld>") << "cboStandardFeld" << kept;
        QTest::newRow("kept flag 0") << QByteArray("<chkPrintButton>0</chkPrintButton>") << "chkPrintButton"
                                     << "off";
        QTest::newRow("alignment junk")
            << QByteArray("<cboTabAusrichtung>rechts</cboTabAusrichtung>") << "cboTabAusrichtung"
            << "0";
        QTest::newRow("alignment 1") << QByteArray("<cboTabAusrichtung>1</cboTabAusrichtung>")
                                     << "cboTabAusrichtung"
                                     << "1";
        QTest::newRow("empty element") << QByteArray("<edtErrorColor/>") << "edtErrorColor"
                                       << "";
        QTest::newRow("LF line ends")
            << QByteArray("<memoTextEnde>a\n\nb\nc</memoTextEnde>") << "memoTextEnde"
            << "a\r\n\r\nb\r\nc";
        QTest::newRow("escaped CR LF")
            << QByteArray("<memoTextEnde>a&#13;\n&#13;\nb</memoTextEnde>") << "memoTextEnde"
            << "a\r\n\r\nb";
    }

    void readerFallbacks()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        TFormProject project;
        ChangeEverySetting(project);
        const QString before = SettingValue(project, key);
        QVERIFY(File().LoadProject(project, Write(Minimal(content))));
        QCOMPARE(SettingValue(project, key), expected == QLatin1String("kept") ? before : expected);
    }

    void colourValuesFollowTheirTexts()
    {
        TFormProject project;
        QVERIFY(File().LoadProject(
            project, Write(Minimal("<edtHGColor>ff8000</edtHGColor><edtHeaderColor>#123456</edtHeaderColor>"
                                   "<edtTextColor>12345G</edtTextColor><edtTabColor>010203</edtTabColor>"))));
        QCOMPARE(project.cboBGColor, quint32(0x0080FF));
        QCOMPARE(project.cboHeadingColor, quint32(0x000000)); // kept: not a colour text
        QCOMPARE(project.cboTextColor, quint32(0x800000));    // kept: navy
        QCOMPARE(project.cboTabColor, quint32(0x030201));
    }

    void failedLoadLeavesProjectUntouched_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason"); // what the failure says, or the start of it
        const QByteArray field = "<forms><typ>TEinzField</typ><name>%1</name><beschriftung>L</beschriftung>"
                                 "<vorgabewert/><groesse/><pflicht>0</pflicht><maxLaenge/><meldung/></forms>";
        const auto items = [&](const QByteArray& name, const QByteArray& more = QByteArray()) -> QByteArray {
            return "<ItemList>" + QByteArray(field).replace("%1", "ok") +
                   QByteArray(field).replace("%1", name) + more + "</ItemList>";
        };
        QTest::newRow("not xml") << QByteArray("<xml><FileInfo>")
                                 << QStringLiteral("line 1, column 15: Premature end of document.");
        QTest::newRow("empty file") << QByteArray()
                                    << QStringLiteral("line 1, column 0: Premature end of document.");
        QTest::newRow("no FileInfo") << QByteArray("<xml><FileContent><ItemList/></FileContent></xml>")
                                     << QStringLiteral("element <FileInfo> is missing");
        QTest::newRow("no FileContent") << QByteArray("<xml><FileInfo><Prog>Quorvel</Prog></FileInfo></xml>")
                                        << QStringLiteral("element <FileContent> is missing");
        QTest::newRow("no Prog") << QByteArray("<xml><FileInfo><Version>1</Version></"
                                               "FileInfo><FileContent><ItemList/></FileContent></xml>")
                                 << QStringLiteral("FileInfo: element <Prog> is missing");
        QTest::newRow("Prog in other case")
            << QByteArray("<xml><FileInfo><Prog>quorvel</Prog></FileInfo><FileContent><ItemList/></"
                          "FileContent></xml>")
            << QStringLiteral("FileInfo: element <Prog> holds \"quorvel\", not \"Quorvel\"");
        QTest::newRow("another program")
            << QByteArray(
                   "<xml><FileInfo><Prog>Other</Prog></FileInfo><FileContent><ItemList/></FileContent></xml>")
            << QStringLiteral("FileInfo: element <Prog> holds \"Other\", not \"Quorvel\"");
        QTest::newRow("unparsable flag")
            << Minimal("<edtFormTitel>neu</edtFormTitel><cbCryptAddr>ja</cbCryptAddr>")
            << QStringLiteral("settings: element <cbCryptAddr> holds \"ja\", not a flag");
        QTest::newRow("strict upload format")
            << Minimal("<cboUploadFormat>PHP</cboUploadFormat>")
            << QStringLiteral("settings: element <cboUploadFormat> holds \"PHP\", not a whole number");
        QTest::newRow("strict date format")
            << Minimal("<CalendarDesign_cboDateFormat>1.5</CalendarDesign_cboDateFormat>")
            << QStringLiteral(
                   "settings: element <CalendarDesign_cboDateFormat> holds \"1.5\", not a whole number");
        QTest::newRow("no ItemList") << Minimal("<edtFormTitel>neu</edtFormTitel>", QByteArray())
                                     << QStringLiteral("FileContent: element <ItemList> is missing");
        QTest::newRow("unknown kind") << Minimal("", items("b", "<forms><typ>TFooField</typ></forms>"))
                                      << QStringLiteral("field 3: unknown kind \"TFooField\"");
        QTest::newRow("kind in other case") << Minimal("", items("b", "<forms><typ>teinzfield</typ></forms>"))
                                            << QStringLiteral("field 3: unknown kind \"teinzfield\"");
        QTest::newRow("list item kind")
            << Minimal("", items("b", "<forms><typ>TCheckBoxFieldSimple</typ></forms>"))
            << QStringLiteral("field 3: unknown kind \"TCheckBoxFieldSimple\"");
        QTest::newRow("no typ") << Minimal("", items("b", "<forms><name>x</name></forms>"))
                                << QStringLiteral("field 3: element <typ> is missing");
        QTest::newRow("needed element missing")
            << Minimal("", "<ItemList><forms><typ>TEinzField</typ><name>a</name></forms></ItemList>")
            << QStringLiteral("field 1, \"a\" (TEinzField): element <beschriftung> is missing");
        // names become identifiers in script and PHP: only valid ones load
        QTest::newRow("name with digit first")
            << Minimal("", items("1abc"))
            << QStringLiteral("field 2, \"1abc\" (TEinzField): the name \"1abc\" is no identifier");
        QTest::newRow("name with hyphen")
            << Minimal("", items("a-b"))
            << QStringLiteral("field 2, \"a-b\" (TEinzField): the name \"a-b\" is no identifier");
        QTest::newRow("name with quote")
            << Minimal("", items("a&quot;);alert(1);//"))
            << QStringLiteral("field 2, \"a\");alert(1);//\" (TEinzField): the name");
        QTest::newRow("name with umlaut")
            << Minimal("", items("\xc3\xa4rger")) << QStringLiteral("is no identifier");
        QTest::newRow("empty name") << Minimal("", items(""))
                                    << QStringLiteral("field 2, (TEinzField): the name is empty");
    }

    void failedLoadLeavesProjectUntouched()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        TFormProject project;
        QVERIFY(File().LoadProject(project, Fixture(QStringLiteral("every_kind.qvf"))));
        project.bSaved = true;
        project.strSavePath = QStringLiteral("/somewhere/mine.qvf");
        const QString before = Snapshot(project);

        const TStatus loaded = File().LoadProject(project, Write(bytes));
        QVERIFY(!loaded);
        QVERIFY2(loaded.Error().contains(reason), qPrintable(loaded.Error()));
        QCOMPARE(Snapshot(project), before);
        QCOMPARE(project.strSavePath, QStringLiteral("/somewhere/mine.qvf"));
        QVERIFY(project.bSaved);
    }

    // The file is read as a stream; what it holds means what a DOM of it
    // meant, and a hostile file costs no more than its size.
    void streamKeepsTheFileRules_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("title");  // edtFormTitel after the load
        QTest::addColumn<QString>("reason"); // or what the failure says
        const QByteArray info = "<FileInfo><Prog>Quorvel</Prog></FileInfo>";
        const QByteArray field = "<forms><typ>TZwField</typ><beschriftung>%1</beschriftung></forms>";
        const auto title = [](const QByteArray& inner) {
            return Minimal("<edtFormTitel>" + inner + "</edtFormTitel>");
        };
        QTest::newRow("text around child elements") << title("a<i>b<u>c</u></i>d") << "abcd"
                                                    << "";
        QTest::newRow("blanks only") << title("  \n ") << ""
                                     << "";
        QTest::newRow("blanks in CDATA") << title(" <![CDATA[ ]]> ") << " "
                                         << "";
        QTest::newRow("comments, attributes")
            << Minimal("<edtFormTitel x=\"1\">a<!-- b -->c<?pi d?></edtFormTitel>") << "ac"
            << "";
        QTest::newRow("first of a name")
            << Minimal("<edtFormTitel>1</edtFormTitel><edtFormTitel>2</edtFormTitel>") << "1"
            << "";
        QTest::newRow("prefixed name is another")
            << Minimal("<q:edtFormTitel xmlns:q=\"urn:q\">x</q:edtFormTitel>") << ""
            << "";
        QTest::newRow("FileInfo last")
            << QByteArray("<xml><FileContent><edtFormTitel>t</edtFormTitel><ItemList/></FileContent>" + info +
                          "</xml>")
            << "t"
            << "";
        QTest::newRow("second FileContent ignored")
            << QByteArray("<xml>" + info +
                          "<FileContent><ItemList/></FileContent><FileContent><edtFormTitel>t</edtFormTitel>"
                          "</FileContent></xml>")
            << ""
            << "";
        QTest::newRow("second ItemList ignored")
            << Minimal("", "<ItemList/><ItemList><forms><typ>TFoo</typ></forms></ItemList>") << ""
            << "";
        QTest::newRow("Latin-1 by declaration")
            << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>")
                   .append(Minimal("<edtFormTitel>Gr\xfc\xdf"
                                   "e</edtFormTitel>")
                               .mid(21))
            << QStringLiteral("Grüße") << "";
        const QString utf16 = QString::fromUtf8(title("\xe2\x82\xac"));
        QTest::newRow("UTF-16 with BOM")
            << QByteArray("\xff\xfe").append(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2)
            << QStringLiteral("€") << "";
        QTest::newRow("internal entity")
            << QByteArray("<!DOCTYPE xml [<!ENTITY t \"Titel\">]>").append(title("&t;").mid(21)) << "Titel"
            << "";
        QTest::newRow("external entity not read")
            << QByteArray("<!DOCTYPE xml [<!ENTITY t SYSTEM \"file:///etc/hostname\">]>")
                   .append(title("a&t;b").mid(21))
            << "ab"
            << "";
        QByteArray laughs = "<!DOCTYPE xml [<!ENTITY l0 \"lol\">";
        for (int i = 1; i < 10; ++i)
            laughs += QStringLiteral("<!ENTITY l%1 \"%2\">")
                          .arg(i)
                          .arg(QStringLiteral("&l%1;").arg(i - 1).repeated(10))
                          .toUtf8();
        QTest::newRow("entity expansion bounded")
            << laughs.append("]>").append(title("&l9;").mid(21)) << ""
            << "Entity expands to more characters than the entity expansion limit.";
        QTest::newRow("undeclared entity") << title("&nix;") << ""
                                           << "Entity 'nix' not declared.";
        QTest::newRow("broken after a failing field")
            << Minimal("", "<ItemList><forms><typ>TFoo</typ></forms><forms></ItemList>") << ""
            << "Opening and ending tag mismatch.";
        QTest::newRow("field element of any name")
            << Minimal("", "<ItemList>" +
                               QByteArray(field).replace("<forms>", "<feld>").replace("</forms>", "</feld>") +
                               "<forms/></ItemList>")
            << ""
            << "field 2: element <typ> is missing";
        const int depth = 100000;
        QTest::newRow("deep nesting in a field")
            << Minimal("", "<ItemList>" +
                               QByteArray(field).replace("%1",
                                                         QByteArray(QByteArray("<a>").repeated(depth) + "x" +
                                                                    QByteArray("</a>").repeated(depth))) +
                               "<forms/></ItemList>")
            << ""
            << "field 2: element <typ> is missing";
    }

    void streamKeepsTheFileRules()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, title);
        QFETCH(QString, reason);
        TFormProject project;
        const TStatus loaded = File().ReadProject(project, bytes);
        if (reason.isEmpty()) {
            QVERIFY2(loaded, qPrintable(loaded.Error()));
            QCOMPARE(project.edtFormTitel, title);
        } else {
            QVERIFY(!loaded);
            QVERIFY2(loaded.Error().contains(reason), qPrintable(loaded.Error()));
        }
    }

    void nestedElementsCountAsText()
    {
        // A field reads its own levels (a list's boxes); anything deeper is
        // text of the element it lies in, as the DOM gave it.
        TFormProject project;
        const QByteArray items =
            "<ItemList><forms><typ>TCheckBoxList</typ><beschriftung>L<b>i<i>s</i></b>t</beschriftung>"
            "<pflicht>0</pflicht><meldung/><name>liste</name><ItemList><forms><typ>TCheckBoxField</typ>"
            "<name>b<x><y>o</y></x>x</name><beschriftung>B</beschriftung><vorgabewert/>"
            "<pflicht>0</pflicht><meldung/></forms></ItemList></forms></ItemList>";
        const TStatus loaded = File().ReadProject(project, Minimal("", items));
        QVERIFY2(loaded, qPrintable(loaded.Error()));
        QCOMPARE(project.ListField.Count(), 1);
        QCOMPARE(project.ListField[0]->Beschriftung, QStringLiteral("List"));
        QCOMPARE(project.ListField[0]->Parts().at(0)->Name, QStringLiteral("box"));
    }

    void missingFileFails()
    {
        TFormProject project;
        const QString path = dir.path() + QStringLiteral("/nothing.qvf");
        const TStatus loaded = File().LoadProject(project, path);
        QVERIFY(!loaded);
        QCOMPARE(loaded.Error(), path + QStringLiteral(": No such file or directory"));
    }

    void validNamesLoad_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("underscore first") << "_x1";
        QTest::newRow("letters and digits") << "Feld2_b";
        QTest::newRow("single letter") << "Z";
    }

    void validNamesLoad()
    {
        QFETCH(QString, name);
        TFormProject project;
        const QByteArray items = "<ItemList><forms><typ>TEinzField</typ><name>" + name.toUtf8() +
                                 "</name><beschriftung/><vorgabewert/><groesse/><pflicht>-1</pflicht>"
                                 "<maxLaenge/><meldung/></forms><forms><typ>TZwField</typ>"
                                 "<beschriftung>Zwischen</beschriftung></forms></ItemList>";
        QVERIFY(File().LoadProject(project, Write(Minimal("", items))));
        QCOMPARE(project.ListField.Count(), 2);
        QCOMPARE(project.ListField[0]->Name, name);
        QVERIFY(project.ListField[1]->Name.isEmpty());
    }

    void textsKeepEveryCharacter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty lines inside") << QStringLiteral("a\r\n\r\n\r\nb");
        QTest::newRow("leading and trailing line ends") << QStringLiteral("\r\n\r\nx\r\n");
        QTest::newRow("only line ends") << QStringLiteral("\r\n\r\n");
        QTest::newRow("one blank") << QStringLiteral(" ");
        QTest::newRow("blanks around") << QStringLiteral("  x  ");
        QTest::newRow("tabs") << QStringLiteral("\tx\t");
        QTest::newRow("markup and entities") << QStringLiteral("<b>&amp;</b> ]]> \"'<");
        QTest::newRow("beyond the basic plane") << QStringLiteral("Smile \U0001F600");
    }

    void textsKeepEveryCharacter()
    {
        QFETCH(QString, text);
        TFormProject project;
        project.memoEinleitung = text;
        project.edtFormTitel = text;
        const QString path = dir.path() + QStringLiteral("/texts.qvf");
        QVERIFY(File().SaveProject(project, path));
        TFormProject loaded;
        QVERIFY(File().LoadProject(loaded, path));
        QCOMPARE(loaded.memoEinleitung, text);
        QCOMPARE(loaded.edtFormTitel, text);
    }

    void charactersXmlCannotHoldAreDropped()
    {
        // A control character pasted into a text must not make the file unreadable.
        TFormProject project;
        project.edtFormTitel = QStringLiteral("a") + QChar(0x01) + QStringLiteral("b") + QChar(0x0B);
        const QString path = dir.path() + QStringLiteral("/ctl.qvf");
        QVERIFY(File().SaveProject(project, path));
        TFormProject loaded;
        QVERIFY(File().LoadProject(loaded, path));
        QCOMPARE(loaded.edtFormTitel, QStringLiteral("ab"));
    }

    void failedSaveReportsAndKeepsOldFile()
    {
        TFormProject project;
        const TStatus saved =
            File().SaveProject(project, dir.path() + QStringLiteral("/no/such/folder/x.qvf"));
        QVERIFY(!saved);
        QVERIFY(!saved.Failure().What.isEmpty());

        // A folder in the way of the file: nothing is written over it.
        const QString blocked = dir.path() + QStringLiteral("/blocked.qvf");
        QVERIFY(QDir().mkpath(blocked));
        QVERIFY(!File().SaveProject(project, blocked));
        QVERIFY(QFileInfo(blocked).isDir());
    }

    void checkFtpSettings_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("port");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("portAfter");
        QTest::newRow("all set") << "ftp"
                                 << "f.htm"
                                 << "2121" << true << ""
                                 << "2121";
        QTest::newRow("no server") << ""
                                   << ""
                                   << "x" << false << "txtMainFrmFTP13"
                                   << "x";
        QTest::newRow("no file name") << "ftp"
                                      << ""
                                      << "21" << false << "txtMainFrmFTP14"
                                      << "21";
        QTest::newRow("port not a number") << "ftp"
                                           << "f.htm"
                                           << "21a" << false << "txtMainFrmFTP15"
                                           << "21";
        QTest::newRow("port empty") << "ftp"
                                    << "f.htm"
                                    << "" << false << "txtMainFrmFTP15"
                                    << "21";
        QTest::newRow("port with blank") << "ftp"
                                         << "f.htm"
                                         << " 21" << false << "txtMainFrmFTP15"
                                         << "21";
    }

    void checkFtpSettings()
    {
        QFETCH(QString, server);
        QFETCH(QString, file);
        QFETCH(QString, port);
        QFETCH(bool, ok);
        QFETCH(QString, message);
        QFETCH(QString, portAfter);
        TestLanguage ftpLang(
            "[Deutsch]\r\ntxtMainFrmFTP13=txtMainFrmFTP13\r\ntxtMainFrmFTP14=txtMainFrmFTP14\r\n"
            "txtMainFrmFTP15=txtMainFrmFTP15\r\n");
        TFormProject project;
        project.edtFtpServer = server;
        project.edtDateiname = file;
        project.edtPort = port;
        QCOMPARE(project.CheckFtpSettings(ftpLang.texts(), prompter), ok);
        QCOMPARE(prompter.Texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(project.edtPort, portAfter);
    }

    void conditionsRoundTripOnEveryKind()
    {
        // Every kind carries a condition and every test is used, with choices
        // that need their blanks and quotes kept; one names a field after it:
        // the file keeps what it is given, checking is the list's business.
        TFormProject project;
        QVERIFY(File().LoadProject(project, Fixture(QStringLiteral("every_kind.qvf"))));
        const QList<TFieldCondition> conditions = {
            {QStringLiteral("datum"), TConditionTest::IsEmpty, QString()},     // vorname
            {QStringLiteral("vorname"), TConditionTest::IsFilled, QString()},  // email
            {QStringLiteral("vorname"), TConditionTest::IsEmpty, QString()},   // kennwort
            {QStringLiteral("email"), TConditionTest::IsFilled, QString()},    // nachricht
            {QStringLiteral("nachricht"), TConditionTest::IsEmpty, QString()}, // intermediate text
            {QStringLiteral("nachricht"), TConditionTest::IsFilled, QString()},
            {QStringLiteral("nachricht"), TConditionTest::IsFilled, QString()},                // agb
            {QStringLiteral("agb"), TConditionTest::IsTicked, QString()},                      // land
            {QStringLiteral("land"), TConditionTest::Is, QStringLiteral("Österreich")},        // versand
            {QStringLiteral("versand"), TConditionTest::IsNot, QStringLiteral("'Ab#holung'")}, // anhang
            {QStringLiteral("agb"), TConditionTest::IsNotTicked, QString()},                   // interessen
            {QStringLiteral("i_musik"), TConditionTest::Is, QStringLiteral("Bote ")},          // datum
        };
        QCOMPARE(project.ListField.Count(), int(conditions.size()));
        for (int i = 0; i < conditions.size(); ++i)
            project.ListField[i]->Condition = conditions[i];

        const QString path = dir.path() + QStringLiteral("/conditions.qvf");
        QVERIFY(File().SaveProject(project, path));
        TFormProject loaded;
        QStringList notes;
        QVERIFY(File().LoadProject(loaded, path, &notes));
        QCOMPARE(notes, QStringList());
        for (int i = 0; i < conditions.size(); ++i)
            QCOMPARE(loaded.ListField[i]->Condition, conditions[i]);
        QCOMPARE(Snapshot(loaded), Snapshot(project));

        // The test is stored as its word; only Is and IsNot store a value.
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(
            bytes.contains("        <Bedingung>\n          <Feld>land</Feld>\n          <Test>Is</Test>\n"
                           "          <Wert>\xc3\x96sterreich</Wert>\n        </Bedingung>\n      </forms>"));
        QVERIFY(bytes.contains("<Feld>agb</Feld>\n          <Test>IsTicked</Test>\n        </Bedingung>"));
        QCOMPARE(bytes.count("<Wert>"), 3);
    }

    void filesWithoutConditionsSaveByteIdentically_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("every kind") << Fixture(QStringLiteral("every_kind.qvf"));
        QTest::newRow("default German") << QStringLiteral(QUORVEL_TEST_DATA_DIR "/default_Deutsch.qvf");
        QTest::newRow("default English") << QStringLiteral(QUORVEL_TEST_DATA_DIR "/default_Englisch.qvf");
    }

    void filesWithoutConditionsSaveByteIdentically()
    {
        QFETCH(QString, path);
        TFormProject project;
        QStringList notes;
        QVERIFY(File().LoadProject(project, path, &notes));
        QCOMPARE(notes, QStringList());
        for (const auto& field : project.ListField)
            QVERIFY(!field->Condition.IsSet());
        const QString again = dir.path() + QStringLiteral("/same.qvf");
        QVERIFY(File().SaveProject(project, again));
        QFile a(path), b(again);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(b.readAll(), a.readAll());
    }

    void damagedConditionLoadsAsNone_data()
    {
        QTest::addColumn<QByteArray>("condition");
        QTest::addColumn<QString>("note");
        const QString at = QStringLiteral("field 2 \"plz\", condition: ");
        QTest::newRow("empty element") << QByteArray("<Bedingung/>") << at + "element <Feld> is missing";
        QTest::newRow("no field name")
            << QByteArray("<Bedingung><Feld></Feld><Test>IsFilled</Test></Bedingung>")
            << at + "names no field";
        QTest::newRow("no test") << QByteArray("<Bedingung><Feld>ort</Feld></Bedingung>")
                                 << at + "element <Test> is missing";
        QTest::newRow("unknown test")
            << QByteArray("<Bedingung><Feld>ort</Feld><Test>Equals</Test></Bedingung>")
            << at + "element <Test> holds \"Equals\", not a test";
        QTest::newRow("test as a number")
            << QByteArray("<Bedingung><Feld>ort</Feld><Test>1</Test><Wert>a</Wert></Bedingung>")
            << at + "element <Test> holds \"1\", not a test";
        QTest::newRow("letter case counts")
            << QByteArray("<Bedingung><Feld>ort</Feld><Test>isfilled</Test></Bedingung>")
            << at + "element <Test> holds \"isfilled\", not a test";
        QTest::newRow("value test without value")
            << QByteArray("<Bedingung><Feld>ort</Feld><Test>IsNot</Test></Bedingung>")
            << at + "element <Wert> is missing";
    }

    void damagedConditionLoadsAsNone()
    {
        // The damaged condition is dropped with a note; the field and the
        // conditions of other fields load whole.
        QFETCH(QByteArray, condition);
        QFETCH(QString, note);
        const QByteArray items =
            "<ItemList><forms><typ>TEinzField</typ><name>ort</name><beschriftung>Ort</beschriftung>"
            "<vorgabewert/><groesse/><pflicht>0</pflicht><maxLaenge/><meldung/></forms>"
            "<forms><typ>TEinzField</typ><name>plz</name><beschriftung>PLZ</beschriftung><vorgabewert>1</"
            "vorgabewert>"
            "<groesse/><pflicht>-1</pflicht><maxLaenge/><meldung/>" +
            condition +
            "</forms><forms><typ>TZwField</typ><beschriftung>Z</beschriftung>"
            "<Bedingung><Feld>ort</Feld><Test>IsEmpty</Test></Bedingung></forms></ItemList>";
        TFormProject project;
        QStringList notes;
        const TStatus loaded = File().ReadProject(project, Minimal("", items), &notes);
        QVERIFY2(loaded, qPrintable(loaded.Error()));
        QCOMPARE(notes, QStringList{note});
        QCOMPARE(project.ListField.Count(), 3);
        QCOMPARE(project.ListField[1]->Name, QStringLiteral("plz"));
        QVERIFY(project.ListField[1]->Pflicht);
        QVERIFY(!project.ListField[1]->Condition.IsSet());
        QCOMPARE(project.ListField[2]->Condition,
                 (TFieldCondition{QStringLiteral("ort"), TConditionTest::IsEmpty, QString()}));
    }
};

QTEST_GUILESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
