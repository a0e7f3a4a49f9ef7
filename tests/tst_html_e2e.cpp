// The generated HTML form in the browser engine: each kind's client check
// alerts and blocks sending when it should and lets the form post when the
// input is valid; the calendar writes dates in every format; cookies refill
// fields on the next visit; the counter stops at its limit; rows with a
// condition show and hide as the visitor fills the form.
#include "PhpServer.h"
#include "RunJavaScript.h"
#include "base/LanguageTexts.h"
#include "codegen/GenHTML.h"
#include "codegen/PageFiles.h"
#include "fields/CalField.h"
#include "fields/CheckBoxField.h"
#include "fields/CheckBoxList.h"
#include "fields/DropDownField.h"
#include "fields/EinzField.h"
#include "fields/FileField.h"
#include "fields/MehrzField.h"
#include "fields/PassField.h"
#include "fields/RadioField.h"
#include "fields/ZwField.h"
#include "model/FormProject.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QtTest>
#include <functional>

namespace
{
const QString Data = QStringLiteral(QUORVEL_TEST_DATA_DIR);
const QString Mailer = QStringLiteral("http://mailer.invalid/form/formmail.php");

// Alerts are recorded, and a submitted form is stopped and recorded.
class Page : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;
    QStringList alerts;
    QList<QUrl> posts;

protected:
    void javaScriptAlert(const QUrl&, const QString& msg) override { alerts << msg; }
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool) override
    {
        if (type == NavigationTypeFormSubmitted || url.host() == QLatin1String("mailer.invalid")) {
            posts << url;
            return false;
        }
        return true;
    }
};

using Build = std::function<std::unique_ptr<TFormField>()>;

template <class T> std::unique_ptr<T> Make(const char* name)
{
    auto f = std::make_unique<T>();
    f->Name = QString::fromLatin1(name);
    f->Beschriftung = QStringLiteral("Feld");
    f->Pflicht = true;
    f->Meldung = QStringLiteral("Fehlt: ") + f->Name;
    return f;
}
} // namespace

Q_DECLARE_METATYPE(Build)

class TestHtmlE2E : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    PhpServer server;
    int port = 0;
    TLanguageTexts texts{Data + QStringLiteral("/lang.ini"), nullptr};

    QUrl Publish(TFormProject& project, const QString& name, const QString& mailer = Mailer)
    {
        project.cboFormMailer = mailer;
        project.ExtSettings.encoding = QStringLiteral("utf-8");
        TGenHTML gen(project, texts, Data);
        const auto page = gen.GenCode();
        if (!page ||
            !PageFiles::WritePage(dir.path() + QLatin1Char('/') + name, *page, QStringLiteral("utf-8")))
            qFatal("could not publish %s", qPrintable(name));
        return QUrl(QStringLiteral("http://127.0.0.1:%1/%2").arg(port).arg(name));
    }

    static bool Load(QWebEnginePage& page, const QUrl& url) { return LoadPage(page, url); }

    static QVariant Run(Page& page, const QString& js) { return RunJavaScript(page, js); }

    // Submits the form as the send button does; true when it was sent.
    // A check that fails alerts while the click runs; a form that passes
    // leaves for the mailer a little later, so that is waited for.
    static bool Submit(Page& page)
    {
        const qsizetype before = page.posts.size();
        const qsizetype alertsBefore = page.alerts.size();
        Run(page, QStringLiteral("document.QVFORM.querySelector('[type=submit]').click(); true"));
        const int patience = page.alerts.size() > alertsBefore ? 300 : 10000;
        QElapsedTimer waited;
        waited.start();
        while (page.posts.size() == before && waited.elapsed() < patience)
            QTest::qWait(20);
        return page.posts.size() > before;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(server.Start(dir.path()), "php -S did not start");
        port = server.Port();
    }

    void clientChecks_data()
    {
        QTest::addColumn<Build>("build");
        QTest::addColumn<QString>("invalid"); // script that leaves the field invalid
        QTest::addColumn<QString>("valid");   // script that makes it valid
        QTest::newRow("text not empty") << Build([] { return Make<TEinzField>("t"); }) << ""
                                        << "document.QVFORM.t.value='x'";
        QTest::newRow("text e-mail") << Build([] {
            auto f = Make<TEinzField>("t");
            f->PflichtFeldTyp = 1;
            return f;
        }) << "document.QVFORM.t.value='kein@'"
                                     << "document.QVFORM.t.value='eva@example.org'";
        QTest::newRow("text number") << Build([] {
            auto f = Make<TEinzField>("t");
            f->PflichtFeldTyp = 2;
            return f;
        }) << "document.QVFORM.t.value='zwölf'"
                                     << "document.QVFORM.t.value='12,5'";
        QTest::newRow("text minimum length") << Build([] {
            auto f = Make<TEinzField>("t");
            f->PflichtFeldTyp = 3;
            f->MinPflichtLaenge = 3;
            return f;
        }) << "document.QVFORM.t.value='ab'"
                                             << "document.QVFORM.t.value='abc'";
        QTest::newRow("password") << Build([] { return Make<TPassField>("p"); }) << ""
                                  << "document.QVFORM.p.value='geheim'";
        QTest::newRow("multi-line") << Build([] { return Make<TMehrzField>("m"); }) << ""
                                    << "document.QVFORM.m.value='Hallo'";
        QTest::newRow("calendar") << Build([] {
            auto f = Make<TCalField>("d");
            f->StartYear = 2020;
            f->EndYear = 2030;
            return f;
        }) << ""
                                  << "document.QVFORM.d.value='01.02.2027'";
        QTest::newRow("check box") << Build([] { return Make<TCheckBoxField>("c"); }) << ""
                                   << "document.QVFORM.c.checked=true";
        QTest::newRow("radio group") << Build([] {
            auto f = Make<TRadioField>("r");
            f->Felder = QStringLiteral("rot#grün");
            return f;
        }) << ""
                                     << "document.QVFORM.r[1].checked=true";
        QTest::newRow("radio of one button") << Build([] {
            auto f = Make<TRadioField>("r");
            f->Felder = QStringLiteral("ja");
            return f;
        }) << ""
                                             << "document.QVFORM.r.checked=true";
        QTest::newRow("drop-down box") << Build([] {
            auto f = Make<TDropDownField>("s");
            f->Felder = QStringLiteral("Bitte wählen#A#B");
            f->Groesse = QStringLiteral("1");
            return f;
        }) << "document.QVFORM.s.selectedIndex=0"
                                       << "document.QVFORM.s.selectedIndex=2";
        QTest::newRow("list box") << Build([] {
            auto f = Make<TDropDownField>("s");
            f->Felder = QStringLiteral("A#B");
            f->Groesse = QStringLiteral("3");
            return f;
        }) << "document.QVFORM.s.selectedIndex=-1"
                                  << "document.QVFORM.s.selectedIndex=0";
        QTest::newRow("check-box list") << Build([] {
            auto f = Make<TCheckBoxList>("l");
            for (const char* n : {"l1", "l2"}) {
                auto box = std::make_unique<TCheckBoxFieldSimple>();
                box->Name = QString::fromLatin1(n);
                f->ListCheckboxes.push_back(std::move(box));
            }
            return std::unique_ptr<TFormField>(std::move(f));
        }) << ""
                                        << "document.QVFORM.l2.checked=true";
        QTest::newRow("check-box list without a name") << Build([] {
            auto f = Make<TCheckBoxList>("l");
            f->Name.clear(); // as read from a file without its message
            auto box = std::make_unique<TCheckBoxFieldSimple>();
            box->Name = QStringLiteral("l1");
            f->ListCheckboxes.push_back(std::move(box));
            return std::unique_ptr<TFormField>(std::move(f));
        }) << ""
                                                       << "document.QVFORM.l1.checked=true";
        QTest::newRow("file upload") << Build([] { return Make<TFileField>("u"); }) << ""
                                     << "";
        QTest::newRow("awkward message") << Build([] {
            auto f = Make<TEinzField>("t");
            f->Meldung = QStringLiteral("Sag \"hi\" \\ </script> $x");
            return f;
        }) << ""
                                         << "document.QVFORM.t.value='x'";
    }

    void clientChecks()
    {
        QFETCH(Build, build);
        QFETCH(QString, invalid);
        QFETCH(QString, valid);
        TFormProject project;
        project.ListField.Add(build());
        const QString message = project.ListField[0]->Meldung;
        const QUrl url = Publish(project, QStringLiteral("check.htm"));
        Page page;
        QVERIFY(Load(page, url));
        if (!invalid.isEmpty())
            Run(page, invalid);
        QVERIFY(!Submit(page));
        QCOMPARE(page.alerts, QStringList{message});
        if (valid.isEmpty())
            return; // a file cannot be chosen from script
        page.alerts.clear();
        Run(page, valid);
        QVERIFY(Submit(page));
        QVERIFY(page.alerts.isEmpty());
        QCOMPARE(page.posts.last().toString(), Mailer);
    }

    void calendarWritesEveryFormat_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("date");
        QTest::newRow("dotted") << 0 << "05.03.2027";
        QTest::newRow("dashed") << 1 << "05-03-2027";
        QTest::newRow("US") << 2 << "03/05/2027";
        QTest::newRow("slashed") << 3 << "05/03/2027";
        QTest::newRow("ISO") << 4 << "2027-03-05";
    }

    void calendarWritesEveryFormat()
    {
        QFETCH(int, format);
        QFETCH(QString, date);
        TFormProject project;
        auto f = Make<TCalField>("d");
        f->StartYear = 2020;
        f->EndYear = 2030;
        project.ListField.Add(std::move(f));
        project.ExtSettings.CalendarDesign.cboDateFormat = format;
        Page page;
        QVERIFY(Load(page, Publish(project, QStringLiteral("cal.htm"))));
        QCOMPARE(Run(page, QStringLiteral("typeof d_Cal.toggleCal")).toString(), QStringLiteral("function"));
        Run(page, QStringLiteral("d_Cal.toggleCal(); d_Callback(5, 3, 2027); true"));
        QCOMPARE(Run(page, QStringLiteral("document.QVFORM.d.value")).toString(), date);
    }

    void cookiesRefillFieldsOnTheNextVisit()
    {
        TFormProject project;
        auto t = Make<TEinzField>("t");
        t->Cookie = true;
        t->Vorgabewert = QStringLiteral("Ihr Name");
        project.ListField.Add(std::move(t));
        auto c = Make<TCheckBoxField>("c");
        c->Cookie = true;
        project.ListField.Add(std::move(c));
        auto r = Make<TRadioField>("r");
        r->Felder = QStringLiteral("a#b#c");
        r->Cookie = true;
        project.ListField.Add(std::move(r));
        const QUrl url = Publish(project, QStringLiteral("cookie.htm"));
        QWebEngineProfile visitor; // a browser that never sent a form here
        Page page(&visitor);
        QVERIFY(Load(page, url));
        // nothing stored yet: the defaults stay
        QCOMPARE(Run(page, QStringLiteral("document.QVFORM.t.value")).toString(), QStringLiteral("Ihr Name"));
        Run(page, QStringLiteral("document.QVFORM.t.value='Eva'; document.QVFORM.c.checked=true; "
                                 "document.QVFORM.r[2].checked=true; true"));
        QVERIFY(Submit(page));
        Page again(page.profile());
        QVERIFY(Load(again, url));
        QCOMPARE(Run(again, QStringLiteral("document.QVFORM.t.value")).toString(), QStringLiteral("Eva"));
        QCOMPARE(Run(again, QStringLiteral("document.QVFORM.c.checked")).toBool(), true);
        QCOMPARE(Run(again, QStringLiteral("document.QVFORM.r[2].checked")).toBool(), true);
    }

    // Owner texts with quotes leave every script of the page whole: the reset
    // button's caption and a form-mailer address that tries to end its string;
    // a counter limit that is no number is refused before a page is made.
    void ownerTextsKeepScriptsWhole()
    {
        TFormProject project;
        project.ListField.Add(Make<TEinzField>("t"));
        project.chkResetButton = true;
        project.edtCancelButton = QStringLiteral("Nochmal \"neu\"");
        project.chkCaptcha = true;
        const QString mailer = Mailer + QStringLiteral("?x=\";alert(\"injected\");//");
        Page page;
        QVERIFY(Load(page, Publish(project, QStringLiteral("quotes.htm"), mailer)));
        QVERIFY2(page.alerts.isEmpty(), qPrintable(page.alerts.join(QLatin1Char('|'))));
        QCOMPARE(Run(page, QStringLiteral("typeof chkFormular")).toString(), QStringLiteral("function"));
        QCOMPARE(Run(page, QStringLiteral("typeof captchaRefresh")).toString(), QStringLiteral("function"));
        Run(page, QStringLiteral("captchaRefresh(); true")); // the address stays inside its string
        QVERIFY2(page.alerts.isEmpty(), qPrintable(page.alerts.join(QLatin1Char('|'))));
        QCOMPARE(Run(page, QStringLiteral("document.QVFORM.querySelector('[type=reset]').value")).toString(),
                 project.edtCancelButton);
        QCOMPARE(Run(page, QStringLiteral("document.QVFORM.getAttribute('action')")).toString(), mailer);
        QVERIFY(!Submit(page)); // the field is empty: the check runs
        QCOMPARE(page.alerts, QStringList{QStringLiteral("Fehlt: t")});

        auto m = Make<TMehrzField>("m");
        m->maxLaenge = QStringLiteral("500 abc");
        project.ListField.Add(std::move(m));
        TGenHTML gen(project, texts, Data);
        const TResult<QString> refused = gen.GenCode();
        QVERIFY(!refused);
        QVERIFY2(refused.Error().startsWith(QStringLiteral("m (maxLaenge): ")), qPrintable(refused.Error()));
    }

    // The state of the row of a field with a condition: "shown" or "hidden",
    // each only when the row, its hiding from assistive technology and its
    // inputs agree.
    static QString RowState(Page& page, const QString& field)
    {
        return Run(page,
                   QStringLiteral("(function () {"
                                  "  var row = document.getElementById('qvcond_%1');"
                                  "  var inputs = row.querySelectorAll('input, select, textarea');"
                                  "  var off = 0;"
                                  "  for (var n = 0; n < inputs.length; n++) if (inputs[n].disabled) off++;"
                                  "  var hidden = row.hidden && row.getAttribute('aria-hidden') == 'true'"
                                  "      && getComputedStyle(row).display == 'none';"
                                  "  var shown = !row.hidden && !row.hasAttribute('aria-hidden');"
                                  "  if (hidden && off == inputs.length) return 'hidden';"
                                  "  if (shown && off == 0) return 'shown';"
                                  "  return 'mixed ' + row.hidden + ' ' + off + '/' + inputs.length;"
                                  "})()")
                       .arg(field))
            .toString();
    }

    // What the form would send: the names of its values.
    static QStringList Sent(Page& page)
    {
        return Run(page, QStringLiteral("Array.from(new FormData(document.QVFORM).keys())")).toStringList();
    }

    // As a visitor does it: the change event follows.
    static void Choose(Page& page, const QString& js)
    {
        Run(page, QStringLiteral("var c = %1; c.dispatchEvent(new Event('change', {bubbles: true})); true")
                      .arg(js));
    }

    // "Firma" or "Privat" chosen in a radio group or a drop-down box; the
    // company's name is required only for a company.
    void conditionalRowFollowsTheChoice_data()
    {
        QTest::addColumn<bool>("dropDown");
        QTest::newRow("radio group") << false;
        QTest::newRow("drop-down box") << true;
    }

    void conditionalRowFollowsTheChoice()
    {
        QFETCH(bool, dropDown);
        TFormProject project;
        project.chkModernLayout = true; // its rules are written for table bodies
        if (dropDown) {
            auto art = Make<TDropDownField>("Art");
            art->Pflicht = false;
            art->Felder = QStringLiteral("Bitte wählen#Firma#Privat");
            art->Groesse = QStringLiteral("1");
            project.ListField.Add(std::move(art));
        } else {
            auto art = Make<TRadioField>("Art");
            art->Pflicht = false;
            art->Felder = QStringLiteral("Firma#Privat");
            project.ListField.Add(std::move(art));
        }
        auto firm = Make<TEinzField>("Firmenname");
        firm->Condition = {QStringLiteral("Art"), TConditionTest::Is, QStringLiteral("Firma")};
        project.ListField.Add(std::move(firm));
        project.ListField.Add(Make<TEinzField>("Ort"));
        const auto choose = [&](Page& page, int index) {
            Choose(page, dropDown ? QStringLiteral("document.QVFORM.Art; c.selectedIndex = %1").arg(index + 1)
                                  : QStringLiteral("document.QVFORM.Art[%1]; c.checked = true").arg(index));
        };
        Page page;
        QVERIFY(Load(page, Publish(project, QStringLiteral("condition.htm"))));
        QCOMPARE(Run(page, QStringLiteral("document.querySelectorAll('table.qvform > tbody > tr').length"))
                     .toInt(),
                 Run(page, QStringLiteral("document.querySelectorAll('table.qvform tr').length")).toInt());
        QCOMPARE(RowState(page, QStringLiteral("Firmenname")), QStringLiteral("hidden")); // nothing chosen
        Run(page, QStringLiteral("document.QVFORM.Ort.value = 'Bonn'; true"));
        // hidden, the required field neither blocks sending nor is sent
        QVERIFY(!Sent(page).contains(QStringLiteral("Firmenname")));
        QVERIFY(Submit(page));
        QVERIFY(page.alerts.isEmpty());

        choose(page, 0);
        QCOMPARE(RowState(page, QStringLiteral("Firmenname")), QStringLiteral("shown"));
        QVERIFY(!Submit(page));
        QCOMPARE(page.alerts, QStringList{QStringLiteral("Fehlt: Firmenname")});
        Run(page, QStringLiteral("document.QVFORM.Firmenname.value = 'ACME'; true"));
        QVERIFY(Sent(page).contains(QStringLiteral("Firmenname")));
        QVERIFY(Submit(page));

        choose(page, 1);
        QCOMPARE(RowState(page, QStringLiteral("Firmenname")), QStringLiteral("hidden"));
        QVERIFY(!Sent(page).contains(QStringLiteral("Firmenname")));
        QVERIFY(Sent(page).contains(QStringLiteral("Ort")));
    }

    // A check box, a box of a check-box list and a text field control rows;
    // a row whose controlling field is hidden is hidden too, whatever that
    // field holds; an input the page disabled itself stays disabled.
    void conditionsOnBoxesAndTextsCascade()
    {
        TFormProject project;
        auto liefer = Make<TCheckBoxField>("Liefern");
        liefer->Pflicht = false;
        project.ListField.Add(std::move(liefer));
        auto street = Make<TEinzField>("Strasse");
        street->Condition = {QStringLiteral("Liefern"), TConditionTest::IsTicked, QString()};
        project.ListField.Add(std::move(street));
        auto floor = Make<TEinzField>("Etage");
        floor->Pflicht = false;
        floor->Condition = {QStringLiteral("Strasse"), TConditionTest::IsFilled, QString()};
        project.ListField.Add(std::move(floor));
        auto extras = Make<TCheckBoxList>("Extras");
        extras->Pflicht = false;
        for (const char* n : {"Geschenk", "Karte"}) {
            auto box = std::make_unique<TCheckBoxFieldSimple>();
            box->Name = QString::fromLatin1(n);
            extras->ListCheckboxes.push_back(std::move(box));
        }
        extras->Condition = {QStringLiteral("Liefern"), TConditionTest::IsNotTicked, QString()};
        project.ListField.Add(std::move(extras));
        auto note = std::make_unique<TZwField>();
        note->Beschriftung = QStringLiteral("Ihr Gruß steht auf der Karte.");
        note->Condition = {QStringLiteral("Karte"), TConditionTest::IsTicked, QString()};
        project.ListField.Add(std::move(note));
        Page page;
        QVERIFY(Load(page, Publish(project, QStringLiteral("cascade.htm"))));
        const auto states = [&] {
            return QStringList{RowState(page, QStringLiteral("Strasse")),
                               RowState(page, QStringLiteral("Etage")),
                               RowState(page, QStringLiteral("Extras")), RowState(page, QStringLiteral("5"))};
        };
        const QString shown = QStringLiteral("shown"), hidden = QStringLiteral("hidden");
        QCOMPARE(states(), (QStringList{hidden, hidden, shown, hidden}));
        Choose(page, QStringLiteral("document.QVFORM.Karte; c.checked = true"));
        QCOMPARE(states(), (QStringList{hidden, hidden, shown, shown}));
        Choose(page, QStringLiteral("document.QVFORM.Liefern; c.checked = true"));
        QCOMPARE(states(), (QStringList{shown, hidden, hidden, hidden})); // the card goes with its list
        Run(page, QStringLiteral("var f = document.QVFORM.Strasse; f.value = '  '; "
                                 "f.dispatchEvent(new Event('input', {bubbles: true})); true"));
        QCOMPARE(states()[1], hidden); // blanks fill nothing
        Run(page, QStringLiteral("var f = document.QVFORM.Strasse; f.value = 'Hauptstr. 1'; "
                                 "f.dispatchEvent(new Event('input', {bubbles: true})); true"));
        QCOMPARE(states(), (QStringList{shown, shown, hidden, hidden}));
        Run(page, QStringLiteral("document.QVFORM.Etage.disabled = true; true")); // the page's own doing
        Choose(page, QStringLiteral("document.QVFORM.Liefern; c.checked = false"));
        QCOMPARE(states()[1], hidden); // its street still holds a value
        const QStringList sent = Sent(page);
        QVERIFY2(sent.contains(QStringLiteral("Karte")) && !sent.contains(QStringLiteral("Strasse")) &&
                     !sent.contains(QStringLiteral("Etage")),
                 qPrintable(sent.join(QLatin1Char(' '))));
        Choose(page, QStringLiteral("document.QVFORM.Liefern; c.checked = true"));
        QVERIFY(Run(page, QStringLiteral("document.QVFORM.Etage.disabled")).toBool());
        QVERIFY(!Run(page, QStringLiteral("document.QVFORM.Strasse.disabled")).toBool());
    }

    // The refill from cookies runs after the page loaded; the rows follow it.
    void conditionsFollowTheCookieRefill()
    {
        TFormProject project;
        auto art = Make<TRadioField>("Art");
        art->Felder = QStringLiteral("Firma#Privat");
        art->Cookie = true;
        project.ListField.Add(std::move(art));
        auto firm = Make<TEinzField>("Firmenname");
        firm->Condition = {QStringLiteral("Art"), TConditionTest::Is, QStringLiteral("Firma")};
        project.ListField.Add(std::move(firm));
        const QUrl url = Publish(project, QStringLiteral("condcookie.htm"));
        QWebEngineProfile visitor;
        Page page(&visitor);
        QVERIFY(Load(page, url));
        Choose(page, QStringLiteral("document.QVFORM.Art[0]; c.checked = true"));
        Run(page, QStringLiteral("document.QVFORM.Firmenname.value = 'ACME'; true"));
        QVERIFY(Submit(page));
        Page again(page.profile());
        QVERIFY(Load(again, url));
        QVERIFY(Run(again, QStringLiteral("document.QVFORM.Art[0].checked")).toBool());
        QCOMPARE(RowState(again, QStringLiteral("Firmenname")), QStringLiteral("shown"));
    }

    void counterStopsAtTheLimit()
    {
        TFormProject project;
        for (const char* name : {"m1", "m2"}) {
            auto m = Make<TMehrzField>(name);
            m->Pflicht = false;
            m->maxLaenge = QStringLiteral("5");
            m->zeichenAnzeige = true;
            project.ListField.Add(std::move(m));
        }
        Page page;
        QVERIFY(Load(page, Publish(project, QStringLiteral("count.htm"))));
        const auto type = [&](const char* field, const char* text) {
            return Run(page, QStringLiteral("var f = document.QVFORM.%1; f.value = '%2'; "
                                            "f.dispatchEvent(new KeyboardEvent('keyup')); f.value")
                                 .arg(QLatin1String(field), QLatin1String(text)))
                .toString();
        };
        QCOMPARE(type("m1", "abc"), QStringLiteral("abc"));
        QCOMPARE(Run(page, QStringLiteral("document.QVFORM.anzeige_m1.value")).toString(),
                 QStringLiteral("2"));
        QCOMPARE(type("m2", "xyz12"), QStringLiteral("xyz12"));
        QCOMPARE(type("m1", "abcdef"), QStringLiteral("abc")); // back to its own last text
    }
};

QTEST_MAIN(TestHtmlE2E)
#include "tst_html_e2e.moc"
