// Placing the form into a page of the user's, on markup strings: the blocks
// cut from the generated form, inserting, renewing and removing them, and
// reading and writing the user's page in its own character set with what
// lies outside its root element.
#include "base/LanguageTexts.h"
#include "codegen/GenHTML.h"
#include "model/FormProject.h"
#include "projectfile/ProjectFile.h"
#include "publish/HtmlExport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace HtmlExport;

namespace
{
const QString Data = QStringLiteral(QUORVEL_TEST_DATA_DIR);

const TBlocks Blocks{FormBegin + "\r\n<form id=\"f\">F</form>" + FormEnd + "\r\n",
                     ScriptBegin + "<script>s()</script>" + ScriptEnd};

QByteArray Latin1(const char* text)
{
    return QByteArray(text);
}
} // namespace

class TestHtmlExport : public QObject
{
    Q_OBJECT

private slots:
    void blocksOfTheGeneratedForm()
    {
        const QString generated = "<html><head>" + ScriptBegin + "<script>a</script>" + ScriptEnd +
                                  "</head><body><p>x</p><form name=\"QVFORM\"><input></form><form>2</form>"
                                  "</body></html>";
        // Markers around the script elements: the block as it stands.
        const std::optional<TBlocks> blocks = BlocksOf(generated);
        QVERIFY(blocks);
        QCOMPARE(blocks->form, FormBegin + "\r\n<form name=\"QVFORM\"><input></form>" + FormEnd + "\r\n");
        QCOMPARE(blocks->script, ScriptBegin + "<script>a</script>" + ScriptEnd);
        // Without one of its parts the cut would land elsewhere: no blocks.
        QVERIFY(!BlocksOf(QString(generated).remove(ScriptEnd)));
        QVERIFY(!BlocksOf(QString(generated).replace("</form>", "</div>")));
        QVERIFY(!BlocksOf(QString(generated).replace("<form", "<div")));
    }

    // The shipped template gives both blocks, the form block holding the
    // one form element and the script block the form's own script.
    void blocksOfTheShippedTemplate()
    {
        TLanguageTexts texts(Data + "/lang.ini", nullptr, [] { return QStringLiteral("Deutsch"); });
        TFormProject project;
        QVERIFY(TProjectFile(texts).LoadProject(project, Data + "/default_Deutsch.qvf"));
        TGenHTML gen(project, texts, Data);
        const TResult<QString> page = gen.GenCode();
        QVERIFY2(page, qPrintable(page.Error()));
        const std::optional<TBlocks> blocks = BlocksOf(*page);
        QVERIFY(blocks);
        QVERIFY(blocks->form.startsWith(FormBegin + "\r\n<form name=\"QVFORM\""));
        QVERIFY(blocks->form.endsWith("</form>" + FormEnd + "\r\n"));
        QCOMPARE(blocks->form.count("<form"), 1);
        // Whole script elements within the markers, the form's check with
        // them; the markers only once.
        QVERIFY(blocks->script.startsWith(ScriptBegin + "\r\n<script"));
        QVERIFY(blocks->script.endsWith("</script>\r\n" + ScriptEnd));
        QVERIFY(blocks->script.contains("function chkFormular()"));
        QVERIFY(blocks->script.contains("function GetCookie(name)"));
        QCOMPARE(blocks->script.count(ScriptBegin), 1);
        QCOMPARE(blocks->script.count(ScriptEnd), 1);
        QCOMPARE(blocks->script.count("<script"), blocks->script.count("</script>"));
        QVERIFY(!blocks->script.contains("<form") && !blocks->script.contains("<style"));
        // Rows with a condition bring their script along.
        QVERIFY(!blocks->script.contains("qvApplyConditions"));
        project.ListField[1]->Condition = {QStringLiteral("name"), TConditionTest::IsFilled, QString()};
        const TResult<QString> conditional = gen.GenCode();
        QVERIFY2(conditional, qPrintable(conditional.Error()));
        const std::optional<TBlocks> withConditions = BlocksOf(*conditional);
        QVERIFY(withConditions && withConditions->script.contains("function qvApplyConditions()"));
        QVERIFY(withConditions->script.endsWith("</script>\r\n" + ScriptEnd));
        QVERIFY(!withConditions->script.contains("<style"));
    }

    void scriptAfterTheHeadTag_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("expected");
        const QString s = "\r\n" + Blocks.script;
        QTest::newRow("bare head") << "<html><head><title>t</title></head></html>"
                                   << "<html><head>" + s + "<title>t</title></head></html>";
        QTest::newRow("upper case") << "<HTML><HEAD></HEAD></HTML>"
                                    << "<HTML><HEAD>" + s + "</HEAD></HTML>";
        QTest::newRow("head with attributes") << "<html><head lang=\"de\"></head></html>"
                                              << "<html><head lang=\"de\"></head></html>";
        QTest::newRow("header is no head") << "<html><body><header>h</header></body></html>"
                                           << "<html><body><header>h</header></body></html>";
        QTest::newRow("first head only") << "<head></head><head>"
                                         << "<head>" + s + "</head><head>";
    }

    void scriptAfterTheHeadTag()
    {
        QFETCH(QString, page);
        QFETCH(QString, expected);
        QCOMPARE(InsertScript(page, Blocks.script), expected);
    }

    void insertAtThePlaceholder_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("expected"); // empty: refused
        QTest::newRow("once") << "<html><head></head><body><p>a INPUTQVFORM b</p></body></html>"
                              << "<html><head>\r\n" + Blocks.script + "</head><body><p>a " + Blocks.form +
                                     " b</p></body></html>";
        QTest::newRow("letter case") << "<html><head></head><body>inputQVform</body></html>"
                                     << "<html><head>\r\n" + Blocks.script + "</head><body>" + Blocks.form +
                                            "</body></html>";
        // The form goes in, its script cannot: nothing is lost but the
        // script (the page's own head decides).
        QTest::newRow("head with attributes")
            << "<html><head id=\"h\"></head><body>INPUTQVFORM</body></html>"
            << "<html><head id=\"h\"></head><body>" + Blocks.form + "</body></html>";
        QTest::newRow("not pasted") << "<html><head></head><body>x</body></html>" << QString();
        QTest::newRow("twice")
            << "<html><head><title>INPUTQVFORM</title></head><body>INPUTQVFORM</body></html>" << QString();
    }

    void insertAtThePlaceholder()
    {
        QFETCH(QString, page);
        QFETCH(QString, expected);
        const std::optional<QString> merged = InsertForm(page, Blocks);
        if (expected.isEmpty()) {
            QVERIFY(!merged);
            return;
        }
        QVERIFY(merged);
        QCOMPARE(*merged, expected);
        QVERIFY(HasForm(*merged));
    }

    void refreshAndRemove()
    {
        const TBlocks old{FormBegin + "\r\n<form>OLD</form>" + FormEnd + "\r\n",
                          ScriptBegin + "<script>old()</script>" + ScriptEnd};
        // As the engine writes a page back: its line ends are LF.
        const QString page = "<html><head>\n" + old.script + "<title>t</title></head><body><p>a</p>" +
                             QString(old.form).replace("\r\n", "\n") + "<p>b</p></body></html>";

        const QString fresh = Refresh(page, Blocks);
        QCOMPARE(fresh, "<html><head>\r\n" + Blocks.script + "<title>t</title></head><body><p>a</p>" +
                            Blocks.form + "<p>b</p></body></html>");
        // Renewing again changes nothing: no line break piles up.
        QCOMPARE(Refresh(fresh, Blocks), fresh);

        // The line break after the former end marker stays.
        QCOMPARE(Remove(page), "<html><head>\n<title>t</title></head><body><p>a</p>\n<p>b</p></body></html>");
        QVERIFY(!HasForm(Remove(page)));

        // An end marker before its start marker is no block.
        const QString broken = "<body>" + FormEnd + "x" + FormBegin + "</body>";
        QCOMPARE(Remove(broken), broken);
        // A page whose script block was lost gets it back after its head.
        const QString noScript = "<html><head></head><body>" + old.form + "</body></html>";
        QCOMPARE(Refresh(noScript, Blocks),
                 "<html><head>\r\n" + Blocks.script + "</head><body>" + Blocks.form + "</body></html>");
    }

    void readingThePage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("projectEncoding");
        QTest::addColumn<QString>("charset");
        QTest::addColumn<bool>("bom");
        QTest::addColumn<QString>("text");

        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF<p>\xC3\xBC</p>") << "iso-8859-1"
                                         << "UTF-8" << true << QString::fromUtf8("<p>ü</p>");
        QTest::newRow("meta charset")
            << QByteArray("<meta charset=\"utf-8\"><p>\xC3\xBC</p>") << "iso-8859-1"
            << "UTF-8" << false << QString::fromUtf8("<meta charset=\"utf-8\"><p>ü</p>");
        QTest::newRow("http-equiv") << Latin1("<META HTTP-EQUIV=Content-Type CONTENT='text/html; "
                                              "charset=ISO-8859-1'><p>\xFC\x80</p>")
                                    << "utf-8"
                                    << "windows-1252" << false
                                    << QString::fromUtf8("<META HTTP-EQUIV=Content-Type CONTENT='text/html; "
                                                         "charset=ISO-8859-1'><p>ü€</p>");
        QTest::newRow("other set") << Latin1("<meta charset=iso-8859-15><p>\xA4</p>") << "utf-8"
                                   << "iso-8859-15" << false
                                   << QString::fromUtf8("<meta charset=iso-8859-15><p>€</p>");
        QTest::newRow("meta in a comment")
            << Latin1("<!-- <meta charset=\"utf-8\"> --><p>\xFC</p>") << "iso-8859-1"
            << "windows-1252" << false << QString::fromUtf8("<!-- <meta charset=\"utf-8\"> --><p>ü</p>");
        QTest::newRow("a description naming a charset")
            << Latin1("<meta name=\"x\" content=\"charset=utf-8\"><p>\xFC</p>") << "iso-8859-1"
            << "windows-1252" << false
            << QString::fromUtf8("<meta name=\"x\" content=\"charset=utf-8\"><p>ü</p>");
        // Undeclared: the rule of generated pages, byte-order mark included.
        QTest::newRow("undeclared, utf-8 project") << QByteArray("<p>\xC3\xBC</p>") << "utf-8"
                                                   << "UTF-8" << true << QString::fromUtf8("<p>ü</p>");
        QTest::newRow("undeclared, other project")
            << Latin1("<p>\xFC</p>") << "iso-8859-1"
            << "windows-1252" << false << QString::fromUtf8("<p>ü</p>");
    }

    void readingThePage()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, projectEncoding);
        QFETCH(QString, charset);
        QFETCH(bool, bom);
        QFETCH(QString, text);
        const TResult<TUserPage> page = DecodePage(bytes, projectEncoding);
        QVERIFY2(page, qPrintable(page.Error()));
        QCOMPARE(page->charset, charset);
        QCOMPARE(page->bom, bom);
        QCOMPARE(page->text, text);
        // Written back unchanged, it is the same bytes (an undeclared UTF-8
        // page gains its byte-order mark).
        const QByteArray again = PageBytes(*page, page->text.mid(page->prolog.size()));
        QCOMPARE(again, bom && !bytes.startsWith("\xEF\xBB\xBF") ? "\xEF\xBB\xBF" + bytes : bytes);
    }

    void unknownCharsetIsRefused()
    {
        const TResult<TUserPage> page = DecodePage("<meta charset=\"no-such-set\"><p>x</p>", "utf-8");
        QVERIFY(!page);
        QVERIFY(page.Error().contains("no-such-set"));
    }

    void outsideTheRootElement_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("prolog");
        QTest::addColumn<QString>("epilog");
        QTest::newRow("doctype and comments")
            << "<!DOCTYPE html>\n<!-- made by hand -->\n<html><body></body></html><!-- end --><!-- two -->\n"
            << "<!DOCTYPE html>\n<!-- made by hand -->\n"
            << "<!-- end --><!-- two -->";
        // Blanks after the root end up in the body when the page is read,
        // and so do the comments after them: written again, they would pile
        // up there.
        QTest::newRow("blanks after") << "<html></html>\n\n" << QString() << QString();
        QTest::newRow("comment after a blank") << "<html></html><!-- a -->\n<!-- b -->\n"
                                               << QString() << "<!-- a -->";
        QTest::newRow("xml declaration") << "<?xml version=\"1.0\"?><html></html>"
                                         << "<?xml version=\"1.0\"?>" << QString();
        QTest::newRow("text after the end") << "<html></html><!-- a --><p>late</p>" << QString() << QString();
        QTest::newRow("end tag in a comment")
            << "<html></html><!-- </html> x -->" << QString() << "<!-- </html> x -->";
        QTest::newRow("no root tag") << "<!doctype html><p>x</p>"
                                     << "<!doctype html>" << QString();
        QTest::newRow("unclosed comment") << "<!-- open <html></html>" << QString() << QString();
    }

    void outsideTheRootElement()
    {
        QFETCH(QString, text);
        QFETCH(QString, prolog);
        QFETCH(QString, epilog);
        const TResult<TUserPage> page = DecodePage(text.toUtf8(), "utf-8");
        QVERIFY(page);
        QCOMPARE(page->prolog, prolog);
        QCOMPARE(page->epilog, epilog);
    }

    void writingThePage()
    {
        TUserPage page;
        page.prolog = "<!DOCTYPE html>\n";
        page.epilog = "<!-- e -->";
        page.charset = "windows-1252";
        const QString root = QString::fromUtf8("<html><body>ü€✓</body></html>");
        // Characters the set lacks become references; the rest its bytes.
        QCOMPARE(PageBytes(page, root),
                 QByteArray("<!DOCTYPE html>\n<html><body>\xFC\x80&#10003;</body></html>"
                            "<!-- e -->"));
        page.charset = "UTF-8";
        page.bom = true;
        QCOMPARE(PageBytes(page, root), "\xEF\xBB\xBF" + (page.prolog + root + page.epilog).toUtf8());
        // The working copy is UTF-8 with its mark whatever the page's set.
        page.charset = "windows-1252";
        page.bom = false;
        QCOMPARE(WorkingCopyBytes(page, root), "\xEF\xBB\xBF" + (page.prolog + root + page.epilog).toUtf8());
    }

    void workingCopyLeavesTheUsersFilesAlone()
    {
        QTemporaryDir dir;
        const QString page = dir.filePath("page.htm");
        QCOMPARE(WorkingCopyName(page), page + ".copy.html");
        {
            QFile mine(page + ".copy.html");
            QVERIFY(mine.open(QIODevice::WriteOnly));
            mine.write("the user's own");
        }
        QVERIFY(QFile::link(dir.filePath("nowhere"), page + ".copy-2.html"));

        const TResult<QString> copy = CreateWorkingCopy(page, "copy");
        QVERIFY2(copy, qPrintable(copy.Error()));
        QCOMPARE(*copy, page + ".copy-3.html");
        QFile made(*copy);
        QVERIFY(made.open(QIODevice::ReadOnly));
        QCOMPARE(made.readAll(), QByteArray("copy"));
        QFile mine(page + ".copy.html");
        QVERIFY(mine.open(QIODevice::ReadOnly));
        QCOMPARE(mine.readAll(), QByteArray("the user's own"));
        QVERIFY(!QFileInfo::exists(dir.filePath("nowhere")));

        // A folder that is gone: said, not hidden.
        const TResult<QString> refused = CreateWorkingCopy(dir.filePath("gone/other.htm"), "x");
        QVERIFY(!refused);
        QVERIFY(refused.Error().contains("other.htm.copy.html"));
    }
};

QTEST_GUILESS_MAIN(TestHtmlExport)
#include "tst_htmlexport.moc"
