// The files behind the two previews: the user's private temporary folder
// (made safely, never a name another user planted in the shared temporary
// folder) and the preview pages with their encoding and calendar picture.
#include "app/TempFolder.h"
#include "fields/CalField.h"
#include "fields/EinzField.h"
#include "model/FormProject.h"
#include "preview/PreviewFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace
{
const QString Data = QStringLiteral(QUORVEL_TEST_DATA_DIR);

struct Owner
{
    bool exists = false;
    bool symlink = false;
    bool dir = false;
    uid_t uid = 0;
    mode_t mode = 0;
};

Owner Stat(const QString& path)
{
    struct stat st;
    if (lstat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {true, S_ISLNK(st.st_mode), S_ISDIR(st.st_mode), st.st_uid, st.st_mode & 07777};
}

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}
} // namespace

class TestPreview : public QObject
{
    Q_OBJECT

private slots:
    void privateFolderIsMadeOnFirstUse()
    {
        QTemporaryDir base;
        const QString usual = base.path() + QLatin1Char('/') + TTempFolder::PrivateFolderName();
        TTempFolder folder(base.path());
        QVERIFY(!Stat(usual).exists);

        ::umask(022);
        QCOMPARE(folder.Path(), usual);
        const Owner made = Stat(usual);
        QVERIFY(made.dir);
        QCOMPARE(made.uid, geteuid());
        QCOMPARE(made.mode, mode_t(0700));
        QVERIFY(!folder.UsesFallback());

        // A temp cleaner removed it: the next use makes it again.
        QVERIFY(QDir(usual).removeRecursively());
        QCOMPARE(folder.Path(), usual);
        QCOMPARE(Stat(usual).mode, mode_t(0700));
    }

    void plantedNamesAreRefused_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::newRow("symlink to a private folder of ours") << "link";
        QTest::newRow("dangling symlink") << "dangling";
        QTest::newRow("folder others can read") << "0755";
        QTest::newRow("folder others can write") << "0777";
        QTest::newRow("plain file") << "file";
        QTest::newRow("folder of another user") << "foreign";
    }

    void plantedNamesAreRefused()
    {
        QFETCH(QString, planted);
        QTemporaryDir base;
        QTemporaryDir elsewhere;
        const QString usual = base.path() + QLatin1Char('/') + TTempFolder::PrivateFolderName();
        const QByteArray name = QFile::encodeName(usual);
        if (planted == QLatin1String("link")) {
            QVERIFY(QFile::setPermissions(elsewhere.path(),
                                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
            QVERIFY(QFile::link(elsewhere.path(), usual));
        } else if (planted == QLatin1String("dangling")) {
            QVERIFY(QFile::link(elsewhere.path() + QStringLiteral("/missing"), usual));
        } else if (planted == QLatin1String("file")) {
            Write(usual, "x");
        } else if (planted == QLatin1String("foreign")) {
            if (geteuid() != 0)
                QSKIP("only root can give a folder to another user");
            QCOMPARE(::mkdir(name.constData(), 0700), 0);
            QCOMPARE(::chown(name.constData(), 65534, 65534), 0);
        } else {
            QCOMPARE(::mkdir(name.constData(), 0700), 0);
            QCOMPARE(::chmod(name.constData(), planted.toUInt(nullptr, 8)), 0);
        }
        const Owner before = Stat(usual);

        TTempFolder folder(base.path());
        const QString path = folder.Path();
        QVERIFY(!path.isEmpty());
        QVERIFY(path != usual);
        QVERIFY(folder.UsesFallback());
        QCOMPARE(QFileInfo(path).absolutePath(), base.path());
        const Owner fallback = Stat(path);
        QVERIFY(fallback.dir && !fallback.symlink);
        QCOMPARE(fallback.uid, geteuid());
        QCOMPARE(fallback.mode, mode_t(0700));
        // The planted name is left as it was, and nothing lands behind it.
        const Owner after = Stat(usual);
        QCOMPARE(after.mode, before.mode);
        QCOMPARE(after.uid, before.uid);
        QVERIFY(QDir(elsewhere.path()).isEmpty());
        // The fallback stays for the run.
        QCOMPARE(folder.Path(), path);
    }

    void userFolderLiesBelowTmpdir()
    {
        QTemporaryDir base;
        const QByteArray old = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(base.path()));
        const QString path = TTempFolder().Path();
        qputenv("TMPDIR", old);
        QCOMPARE(path, base.path() + QLatin1Char('/') + TTempFolder::PrivateFolderName());
        QCOMPARE(PreviewFiles::TabPageFile(path), path + QStringLiteral("/tempquorvel.htm"));
        // No folder, no page: never a name at the root.
        QVERIFY(PreviewFiles::TabPageFile(QString()).isEmpty());
    }

    void previewPages_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<bool>("calendar");
        QTest::addColumn<bool>("withPicture");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<bool>("picture");

        const QByteArray utf8 = "\xEF\xBB\xBF<p>\xC3\xA4</p>\r\n";
        const QByteArray cp1252 = "<p>\xE4</p>\r\n";
        QTest::newRow("tab, utf-8, calendar") << "utf-8" << true << true << utf8 << true;
        QTest::newRow("tab, UTF-8 in capitals") << "UTF-8" << true << true << utf8 << true;
        QTest::newRow("tab, no calendar field") << "iso-8859-1" << false << true << cp1252 << false;
        QTest::newRow("window, calendar") << "utf-8" << true << false << utf8 << false;
    }

    void previewPages()
    {
        QFETCH(QString, encoding);
        QFETCH(bool, calendar);
        QFETCH(bool, withPicture);
        QFETCH(QByteArray, expected);
        QFETCH(bool, picture);

        TFormProject project;
        project.ExtSettings.encoding = encoding;
        project.ListField.Add(std::make_unique<TEinzField>());
        if (calendar)
            project.ListField.Add(std::make_unique<TCalField>());

        QTemporaryDir dir;
        const QString file =
            withPicture ? PreviewFiles::TabPageFile(dir.path()) : PreviewFiles::WindowPageFile(dir.path());
        const QString png = dir.filePath(QStringLiteral("cal.png"));
        // Both are overwritten: the old page and a stale picture.
        Write(file, "old page, longer than the new one");
        Write(png, "stale");

        QVERIFY(PreviewFiles::WritePreview(project, QStringLiteral("<p>\u00e4</p>\r\n"), file, withPicture,
                                           Data));
        QCOMPARE(Read(file), expected);
        if (picture)
            QCOMPARE(Read(png), Read(Data + QStringLiteral("/cal/cal.png")));
        else
            QCOMPARE(Read(png), QByteArray("stale"));
    }

    void failedWritesAreReported()
    {
        QTemporaryDir dir;
        TFormProject project;
        const QString taken = dir.filePath(QStringLiteral("temp.htm"));
        QVERIFY(QDir().mkdir(taken)); // a folder cannot be replaced by a page
        for (const QString& file : {taken, QString(dir.path() + QStringLiteral("/gone/temp.htm")), QString()})
            QVERIFY2(!PreviewFiles::WritePreview(project, QStringLiteral("new"), file, true, Data),
                     qPrintable(file));
    }
};

QTEST_GUILESS_MAIN(TestPreview)
#include "tst_preview.moc"
