// The accessible markup of every field kind, in the HTML form and the PHP
// page: each label is tied to an input that exists, groups are fieldsets
// named by a legend, required fields say so, the PHP page ties its errors to
// their fields; and without the option none of it is written.
#include "base/LanguageTexts.h"
#include "codegen/GenHTML.h"
#include "codegen/GenPHP.h"
#include "fields/CalField.h"
#include "fields/CheckBoxField.h"
#include "fields/CheckBoxList.h"
#include "fields/DropDownField.h"
#include "fields/EinzField.h"
#include "fields/FileField.h"
#include "fields/MehrzField.h"
#include "fields/PassField.h"
#include "fields/RadioField.h"
#include "model/FormProject.h"

#include <QRegularExpression>
#include <QtTest>
#include <functional>

namespace
{
const QString Data = QStringLiteral(QUORVEL_TEST_DATA_DIR);

using Build = std::function<std::unique_ptr<TFormField>()>;

template <class T> std::unique_ptr<T> Make(const char* name)
{
    auto f = std::make_unique<T>();
    f->Name = QString::fromLatin1(name);
    f->Beschriftung = QStringLiteral("Feld ") + f->Name;
    f->Pflicht = true;
    return f;
}

std::unique_ptr<TFormField> List()
{
    auto f = Make<TCheckBoxList>("l");
    for (const char* n : {"l1", "l2"}) {
        auto box = std::make_unique<TCheckBoxFieldSimple>();
        box->Name = QString::fromLatin1(n);
        box->Beschriftung = QStringLiteral("Box ") + box->Name;
        box->Vorgabewert = QStringLiteral("ja");
        box->Pflicht = QLatin1String(n) == QLatin1String("l2");
        f->ListCheckboxes.push_back(std::move(box));
    }
    return f;
}

QStringList Matches(const QString& page, const char* pattern)
{
    QStringList found;
    QRegularExpressionMatchIterator it = QRegularExpression(QString::fromLatin1(pattern)).globalMatch(page);
    while (it.hasNext())
        found << it.next().captured(1);
    return found;
}
} // namespace

Q_DECLARE_METATYPE(Build)

class TestAccessible : public QObject
{
    Q_OBJECT

    TLanguageTexts texts{Data + QStringLiteral("/lang.ini"), nullptr,
                         [] { return QStringLiteral("Englisch"); }};

    QString Page(const Build& build, bool php, bool accessible)
    {
        TFormProject project;
        project.chkAccessible = accessible;
        project.edtErrorColor = QStringLiteral("B91C1C");
        project.ExtSettings.encoding = QStringLiteral("utf-8");
        project.ListField.Add(build());
        const TResult<QString> page =
            php ? TGenPHP(project, texts, Data).GenCode() : TGenHTML(project, texts, Data).GenCode();
        if (!page)
            qFatal("no page: %s", qPrintable(page.Error()));
        return *page;
    }

private slots:
    void markup_data()
    {
        QTest::addColumn<Build>("build");
        QTest::addColumn<bool>("php");
        QTest::addColumn<QStringList>("expected"); // in this order
        QTest::addColumn<QStringList>("labels");   // the ids labels point to
        QTest::addColumn<QStringList>("phpParts"); // anywhere on the PHP page
        const auto both = [](const char* name, const Build& build, const QStringList& expected,
                             const QStringList& labels, const QStringList& phpOnly) {
            QTest::addRow("%s html", name) << build << false << expected << labels << QStringList();
            QTest::addRow("%s php", name) << build << true << expected << labels << phpOnly;
        };
        const auto described = [](const char* id) {
            return QStringList{QStringLiteral("<?php if (!empty($err%1)) echo \" aria-invalid=\\\"true\\\" "
                                              "aria-describedby=\\\"qverr_%1\\\"\";?>")
                                   .arg(QLatin1String(id))};
        };
        both(
            "text", [] { return Make<TEinzField>("t"); },
            {"<label for=\"qv_t\">Feld t</label>", "name=\"t\"",
             "id=\"qv_t\" required aria-required=\"true\""},
            {"qv_t"}, described("t"));
        both(
            "password", [] { return Make<TPassField>("p"); },
            {"<label for=\"qv_p\">", "type=\"password\" name=\"p\"", "id=\"qv_p\" required aria-required"},
            {"qv_p"}, described("p"));
        both(
            "multi-line with counter",
            [] {
                auto f = Make<TMehrzField>("m");
                f->maxLaenge = QStringLiteral("100");
                f->zeichenAnzeige = true;
                return f;
            },
            {"<label for=\"qv_m\">", "<textarea name=\"m\"", "id=\"qv_m\" required", "name=\"anzeige_m\"",
             "id=\"qv_anzeige_m\" tabindex=\"-1\" aria-label=\"Characters left\""},
            {"qv_m"}, described("m"));
        both(
            "calendar",
            [] {
                auto f = Make<TCalField>("d");
                f->StartYear = 2020;
                f->EndYear = 2030;
                return f;
            },
            {"<label for=\"qv_d\">", "name=\"d\"", "id=\"qv_d\" required"}, {"qv_d"}, described("d"));
        both(
            "file", [] { return Make<TFileField>("f"); },
            {"<label for=\"qv_f\">", "type=\"file\" name=\"f\"", "id=\"qv_f\" required"}, {"qv_f"},
            described("f"));
        both(
            "drop-down",
            [] {
                auto f = Make<TDropDownField>("s");
                f->Felder = QStringLiteral("Choose#A#B");
                f->Groesse = QStringLiteral("1");
                return f;
            },
            {"<label for=\"qv_s\">",
             "<select name=\"s\" size=\"1\" id=\"qv_s\" required aria-required=\"true\""},
            {"qv_s"}, described("s"));
        both(
            "check box",
            [] {
                auto f = Make<TCheckBoxField>("c");
                f->BeschriftungNach = QStringLiteral("I agree");
                return f;
            },
            {"<label for=\"qv_c\">Feld c</label>", "name=\"c\"", "id=\"qv_c\" required",
             "<label for=\"qv_c\">I agree</label>"},
            {"qv_c", "qv_c"}, described("c"));
        both("radio group",
             [] {
                 auto f = Make<TRadioField>("r");
                 f->Felder = QStringLiteral("red#green");
                 return std::unique_ptr<TFormField>(std::move(f));
             },
             {"<span aria-hidden=\"true\">Feld r</span>", "<fieldset class=\"qv-group\" id=\"qv_r\"",
              "<legend class=\"qv-sr\">Feld r</legend>", "id=\"qv_r_0\" required",
              "<label for=\"qv_r_0\">red</label>", "id=\"qv_r_1\" required",
              "<label for=\"qv_r_1\">green</label>", "</fieldset>"},
             {"qv_r_0", "qv_r_1"},
             {"<?php if (!empty($errr)) echo \" aria-describedby=\\\"qverr_r\\\"\";?>"});
        both("check-box list", List,
             {"<fieldset class=\"qv-group\" id=\"qv_l\"", "<legend class=\"qv-sr\">Feld l</legend>",
              "name=\"l1\"", "id=\"qv_l1\"", "<label for=\"qv_l1\">Box l1</label>", "id=\"qv_l2\" required",
              "<label for=\"qv_l2\">Box l2</label>", "</fieldset>"},
             {"qv_l1", "qv_l2"}, {"<?php if (!empty($errl)) echo \" aria-describedby=\\\"qverr_l\\\"\";?>"});
    }

    void markup()
    {
        QFETCH(Build, build);
        QFETCH(bool, php);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, labels);
        QFETCH(QStringList, phpParts);
        const QString page = Page(build, php, true);
        for (const QString& part : phpParts)
            QVERIFY2(page.contains(part), qPrintable(part));
        qsizetype at = 0;
        for (const QString& part : expected) {
            const qsizetype found = page.indexOf(part, at);
            QVERIFY2(found >= 0, qPrintable(QStringLiteral("missing after %1: %2").arg(at).arg(part)));
            at = found + part.size();
        }
        // Every label points to an input of the page, and ids are unique.
        QCOMPARE(Matches(page, "<label for=\"([^\"]+)\""), labels);
        const QStringList ids = Matches(page, " id=\"([^\"]+)\"");
        for (const QString& id : labels)
            QCOMPARE(ids.count(id), 1);
        QVERIFY(page.contains(QLatin1String("<html lang=\"en\">")));
        QVERIFY(page.contains(QLatin1String("role=\"alert\" aria-live=\"assertive\"")));
        QVERIFY(page.contains(QLatin1String("<form name=\"QVFORM\" novalidate ")));
        if (php) {
            // The error the check leaves is the text the field points to.
            const QString name = Matches(page, "qverr_([A-Za-z0-9_]+)").value(0);
            QVERIFY(page.contains(
                QStringLiteral("<span id=\\\"qverr_") + name +
                QStringLiteral("\\\" class=\\\"qv-fielderror\\\" style=\\\"color:#B91C1C;\\\">")));
            QVERIFY(page.contains(QLatin1String("data-qv-message=\"The form was not sent.")));
        } else {
            // The client check announces instead of alerting.
            QVERIFY(page.contains(QLatin1String("qvFail(\"")));
            QVERIFY(!page.contains(QLatin1String("alert(\"")));
        }
    }

    // Without the option the pages carry none of it (and stay as they were:
    // scripts/compare-pages.sh compares them byte for byte with a build
    // from before the option).
    void nothingWithoutTheOption_data() { markup_data(); }

    void nothingWithoutTheOption()
    {
        QFETCH(Build, build);
        QFETCH(bool, php);
        const QString page = Page(build, php, false);
        for (const char* absent :
             {"<label", "<fieldset", "aria-required", "aria-describedby", "aria-live", " lang=", "qvstatus",
              "novalidate", "qvFail", "qverr_", "id=\"qv_", ".qv-sr"})
            QVERIFY2(!page.contains(QLatin1String(absent)), absent);
    }

    // The accessible drop-down check speaks the page's language (the plain
    // one keeps its fixed German text).
    void dropDownMessageInThePageLanguage()
    {
        const Build build = [] {
            auto f = Make<TDropDownField>("s");
            f->Felder = QStringLiteral("Choose#A");
            f->Groesse = QStringLiteral("1");
            return std::unique_ptr<TFormField>(std::move(f));
        };
        QVERIFY(Page(build, false, true)
                    .contains(QLatin1String("qvFail(\"Please make a choice in the field Feld s!\"")));
        const QString plain = Page(build, false, false);
        QVERIFY(plain.contains(QLatin1String("alert(\"Bitte w")) &&
                plain.contains(QLatin1String("im Feld Feld s aus!\")")));
    }

    // The picture code's error is tied to its input like every field's, and
    // only with the option.
    void pictureCodeErrorTiedToItsInput()
    {
        for (const bool accessible : {true, false}) {
            TFormProject project;
            project.chkAccessible = accessible;
            project.chkCaptcha = true;
            project.edtErrorColor = QStringLiteral("B91C1C");
            project.ExtSettings.encoding = QStringLiteral("utf-8");
            project.ListField.Add(Make<TEinzField>("t"));
            const TResult<QString> page = TGenPHP(project, texts, Data).GenCode();
            QVERIFY2(page, qPrintable(page.Error()));
            const bool input = page->contains(QLatin1String(
                "id=\"captcha_input\" required aria-required=\"true\"<?php if (!empty($errCaptcha)) echo \" "
                "aria-invalid=\\\"true\\\" aria-describedby=\\\"qverr_captcha\\\"\";?>"));
            const bool error = page->contains(
                QLatin1String("$errCaptcha = \"<span id=\\\"qverr_captcha\\\" class=\\\"qv-fielderror\\\" "));
            QCOMPARE(input, accessible);
            QCOMPARE(error, accessible);
        }
    }
};

QTEST_GUILESS_MAIN(TestAccessible)
#include "tst_accessible.moc"
