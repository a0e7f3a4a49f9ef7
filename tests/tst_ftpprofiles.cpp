// The stored FTP profiles: every value survives saving and loading, the
// file is the user's alone, and a file that could not be read is not
// replaced by an empty list.
#include "publish/FtpProfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestFtpProfiles : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString File() const { return dir.filePath(QStringLiteral("profiles.xml")); }

private slots:
    void init() { QFile::remove(File()); }

    void roundTrip()
    {
        TFtpProfiles profiles(File());
        QVERIFY(profiles.Load());
        QVERIFY(profiles.ServerList().isEmpty());
        TFtpProfile a{QStringLiteral("Büro"),
                      QStringLiteral("ftp.example.com"),
                      QStringLiteral("2121"),
                      QStringLiteral("eva"),
                      QStringLiteral("<geheim & \"x\">"),
                      true,
                      false,
                      QString()};
        TFtpProfile blanks{QStringLiteral("  "),
                           QStringLiteral(" "),
                           QStringLiteral("21"),
                           QStringLiteral(" "),
                           QString(),
                           false,
                           false,
                           QString()};
        profiles.Change() << a << a << blanks; // duplicates are kept
        QVERIFY(profiles.Save());
        QCOMPARE(QFile(File()).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
                 QFileDevice::Permissions());

        TFtpProfiles again(File());
        QVERIFY(again.Load());
        QCOMPARE(again.ServerList().size(), 3);
        for (int i = 0; i < 3; ++i) {
            const TFtpProfile& want = i < 2 ? a : blanks;
            const TFtpProfile& got = again.ServerList().at(i);
            QCOMPARE(got.profilname, want.profilname);
            QCOMPARE(got.server, want.server);
            QCOMPARE(got.port, want.port);
            QCOMPARE(got.benutzername, want.benutzername);
            QCOMPARE(got.passwort, want.passwort);
            QCOMPARE(got.passiv, want.passiv);
        }
        QFile f(File());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray xml = f.readAll();
        QVERIFY(xml.contains("<passiv>-1</passiv>") && xml.contains("<passiv>0</passiv>"));
        // Profiles without encryption are written as before.
        QVERIFY(!xml.contains("<tls") && !xml.contains("tlskey"));
    }

    // The encryption switch and the accepted key are stored only when set,
    // after the six values.
    void encryptionRoundTrips()
    {
        TFtpProfiles profiles(File());
        TFtpProfile secure{QStringLiteral("s"),
                           QStringLiteral("h"),
                           QStringLiteral("21"),
                           QStringLiteral("u"),
                           QStringLiteral("p"),
                           false,
                           false,
                           QString()};
        secure.tls = true;
        secure.tlsKey = QStringLiteral("sha256//9ftDIxhGUcAN1QIjt7LL62bz8TovO9nthyisdqc5tJo=");
        TFtpProfile verified = secure;
        verified.tlsKey.clear();
        profiles.Change() << secure << verified;
        QVERIFY(profiles.Save());
        QFile f(File());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray xml = f.readAll();
        QVERIFY(xml.contains("<passiv>0</passiv>\n      <tls>-1</tls>\n      <tlskey>sha256//"));
        QCOMPARE(xml.count("<tlskey>"), 1);
        TFtpProfiles again(File());
        QVERIFY(again.Load());
        QVERIFY(again.ServerList()[0].tls && again.ServerList()[1].tls);
        QCOMPARE(again.ServerList()[0].tlsKey, secure.tlsKey);
        QVERIFY(again.ServerList()[1].tlsKey.isEmpty());
    }

    // Element order does not matter, flags read in every spelling, missing
    // values are empty.
    void readsWhatOthersWrote()
    {
        QFile f(File());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<root><profiles><p><passiv>True</passiv><server>s</server><profilename>n</profilename></p>"
                "<profile><passiv>0</passiv></profile></profiles></root>");
        f.close();
        TFtpProfiles profiles(File());
        QVERIFY(profiles.Load());
        QCOMPARE(profiles.ServerList().size(), 2);
        QCOMPARE(profiles.ServerList()[0].server, QStringLiteral("s"));
        QVERIFY(profiles.ServerList()[0].passiv);
        QVERIFY(profiles.ServerList()[0].benutzername.isEmpty());
        QVERIFY(!profiles.ServerList()[1].passiv);
    }

    void unreadableFileIsKept()
    {
        QFile f(File());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<xml><profiles><profile><server>half");
        f.close();
        TFtpProfiles profiles(File());
        QVERIFY(!profiles.Load());
        QVERIFY(profiles.Save()); // nothing changed: the file stays
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("<xml><profiles><profile><server>half"));
        f.close();
        profiles.Change() << TFtpProfile{};
        QVERIFY(profiles.Save()); // the user's own list replaces it
        TFtpProfiles again(File());
        QVERIFY(again.Load());
        QCOMPARE(again.ServerList().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestFtpProfiles)
#include "tst_ftpprofiles.moc"
