// The conditions of fields within their list: which tests a kind allows,
// whether a condition may stand where it stands, and how renaming, deleting
// and moving fields keep the conditions consistent.
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
#include "model/FieldList.h"

#include <QtTest>

Q_DECLARE_METATYPE(TFieldCondition)

namespace
{
template <typename T> T* Add(TFieldList& list, const QString& name)
{
    auto field = std::make_unique<T>();
    field->Name = name;
    return static_cast<T*>(list.Add(std::move(field)));
}

TFieldCondition When(const QString& field, TConditionTest test, const QString& value = QString())
{
    return {field, test, value};
}

// 0 anrede (radio)  1 firma (text)  2 land (drop-down)  3 agb (check box)
// 4 extras (list: e_post, e_fax)  5 datum (calendar)  6 text (multi-line)
// 7 kennwort  8 anhang  9 intermediate text
void Build(TFieldList& list)
{
    Add<TRadioField>(list, QStringLiteral("anrede"))->Felder = QStringLiteral("Herr#Frau#'Fir#ma'");
    Add<TEinzField>(list, QStringLiteral("firma"));
    Add<TDropDownField>(list, QStringLiteral("land"))->Felder = QStringLiteral("Bitte wählen#DE# AT ");
    Add<TCheckBoxField>(list, QStringLiteral("agb"));
    auto* extras = Add<TCheckBoxList>(list, QStringLiteral("extras"));
    for (const char* name : {"e_post", "e_fax"}) {
        extras->ListCheckboxes.push_back(std::make_unique<TCheckBoxFieldSimple>());
        extras->ListCheckboxes.back()->Name = QLatin1String(name);
    }
    Add<TCalField>(list, QStringLiteral("datum"));
    Add<TMehrzField>(list, QStringLiteral("text"));
    Add<TPassField>(list, QStringLiteral("kennwort"));
    Add<TFileField>(list, QStringLiteral("anhang"));
    Add<TZwField>(list, QString());
}

QStringList Names(const TFieldList& list, const QList<int>& indices)
{
    QStringList names;
    for (const int i : indices)
        names << (list[i]->Name.isEmpty() ? QStringLiteral("(zw)") : list[i]->Name);
    return names;
}
} // namespace

class TestFieldConditions : public QObject
{
    Q_OBJECT

private slots:
    void testWordsAreStable()
    {
        // The words are what files hold: each reads back as its test, and
        // None has no word.
        const QList<std::pair<TConditionTest, QString>> words = {
            {TConditionTest::Is, "Is"},
            {TConditionTest::IsNot, "IsNot"},
            {TConditionTest::IsTicked, "IsTicked"},
            {TConditionTest::IsNotTicked, "IsNotTicked"},
            {TConditionTest::IsFilled, "IsFilled"},
            {TConditionTest::IsEmpty, "IsEmpty"},
        };
        for (const auto& [test, word] : words) {
            QCOMPARE(ConditionTestWord(test), word);
            QCOMPARE(ParseConditionTest(word), std::optional<TConditionTest>(test));
        }
        QVERIFY(ConditionTestWord(TConditionTest::None).isEmpty());
        QVERIFY(!ParseConditionTest(QString()));
        QVERIFY(!ParseConditionTest(QStringLiteral("None")));
    }

    void testsEachKindAllows()
    {
        TFieldList list;
        Build(list);
        using T = TConditionTest;
        const QList<std::pair<QString, QList<T>>> allowed = {
            {"anrede", {T::Is, T::IsNot}},
            {"firma", {T::IsFilled, T::IsEmpty}},
            {"land", {T::Is, T::IsNot}},
            {"agb", {T::IsTicked, T::IsNotTicked}},
            {"extras", {}},
            {"e_fax", {T::IsTicked, T::IsNotTicked}},
            {"datum", {T::IsFilled, T::IsEmpty}},
            {"text", {T::IsFilled, T::IsEmpty}},
            {"kennwort", {}},
            {"anhang", {}},
        };
        for (const auto& [name, tests] : allowed) {
            const TFormField* field = list.FindByName(name);
            QVERIFY2(field, qPrintable(name));
            QCOMPARE(field->ConditionTests(), tests);
        }
        QVERIFY(list[9]->ConditionTests().isEmpty());
        // The values are the choices as the page shows them.
        QCOMPARE(list.FindByName("anrede")->ConditionValues(), (QStringList{"Herr", "Frau", "'Fir#ma'"}));
        QCOMPARE(list.FindByName("land")->ConditionValues(), (QStringList{"Bitte wählen", "DE", "AT "}));
    }

    void validity_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<TFieldCondition>("condition");
        QTest::addColumn<QString>("error");
        using T = TConditionTest;
        QTest::newRow("none") << 0 << TFieldCondition() << "";
        QTest::newRow("radio is") << 1 << When("anrede", T::Is, "'Fir#ma'") << "";
        QTest::newRow("drop-down is not") << 3 << When("land", T::IsNot, "AT ") << "";
        QTest::newRow("check box ticked") << 4 << When("agb", T::IsTicked) << "";
        QTest::newRow("box of a list") << 5 << When("e_post", T::IsNotTicked) << "";
        QTest::newRow("calendar filled") << 6 << When("datum", T::IsFilled) << "";
        QTest::newRow("multi-line empty, on an intermediate text") << 9 << When("text", T::IsEmpty) << "";
        QTest::newRow("no such field")
            << 3 << When("firm", T::IsFilled) << "condition on \"firm\": no field has this name";
        QTest::newRow("itself") << 1 << When("firma", T::IsFilled)
                                << "condition on \"firma\": the field cannot depend on itself";
        QTest::newRow("a box of its own list")
            << 4 << When("e_post", T::IsTicked)
            << "condition on \"e_post\": the field cannot depend on itself";
        QTest::newRow("other field after it")
            << 1 << When("land", T::Is, "DE")
            << "condition on \"land\": the field stands after the one it conditions";
        QTest::newRow("ticked on a text")
            << 2 << When("firma", T::IsTicked)
            << "condition on \"firma\": the test \"IsTicked\" does not fit a TEinzField";
        QTest::newRow("filled on a radio group")
            << 2 << When("anrede", T::IsFilled)
            << "condition on \"anrede\": the test \"IsFilled\" does not fit a TRadioField";
        QTest::newRow("the list itself")
            << 5 << When("extras", T::IsTicked)
            << "condition on \"extras\": the test \"IsTicked\" does not fit a TCheckBoxList";
        QTest::newRow("password")
            << 8 << When("kennwort", T::IsFilled)
            << "condition on \"kennwort\": the test \"IsFilled\" does not fit a TPassField";
        QTest::newRow("value not a choice") << 2 << When("anrede", T::Is, "Divers")
                                            << "condition on \"anrede\": \"Divers\" is none of its choices";
        QTest::newRow("value trimmed is no choice")
            << 3 << When("land", T::Is, "AT") << "condition on \"land\": \"AT\" is none of its choices";
        QTest::newRow("value with the wrong case")
            << 2 << When("anrede", T::IsNot, "herr")
            << "condition on \"anrede\": \"herr\" is none of its choices";
    }

    void validity()
    {
        QFETCH(int, index);
        QFETCH(TFieldCondition, condition);
        QFETCH(QString, error);
        TFieldList list;
        Build(list);
        QCOMPARE(list.CheckCondition(index, condition).Error(), error);
        list[index]->Condition = condition;
        QCOMPARE(list.CheckCondition(index).Error(), error);
    }

    void renameFollowsInEveryCondition()
    {
        TFieldList list;
        Build(list);
        list[1]->Condition = When("anrede", TConditionTest::Is, "Frau");
        list[2]->Condition = When("anrede", TConditionTest::IsNot, "Herr");
        list[5]->Condition = When("e_fax", TConditionTest::IsTicked);
        list[6]->Condition = When("firma", TConditionTest::IsFilled);

        list[0]->Name = QStringLiteral("gruss");
        list.RenameInConditions(QStringLiteral("anrede"), QStringLiteral("gruss"));
        static_cast<TCheckBoxList*>(list[4])->ListCheckboxes[1]->Name = QStringLiteral("e_telefax");
        list.RenameInConditions(QStringLiteral("e_fax"), QStringLiteral("e_telefax"));

        QCOMPARE(list[1]->Condition, When("gruss", TConditionTest::Is, "Frau"));
        QCOMPARE(list[2]->Condition, When("gruss", TConditionTest::IsNot, "Herr"));
        QCOMPARE(list[5]->Condition, When("e_telefax", TConditionTest::IsTicked));
        QCOMPARE(list[6]->Condition, When("firma", TConditionTest::IsFilled));
        for (const int i : {1, 2, 5, 6})
            QVERIFY2(list.CheckCondition(i), qPrintable(list.CheckCondition(i).Error()));
    }

    void dependentsOnDelete()
    {
        TFieldList list;
        Build(list);
        list[1]->Condition = When("anrede", TConditionTest::Is, "Frau");
        list[5]->Condition = When("e_post", TConditionTest::IsTicked);
        list[6]->Condition = When("anrede", TConditionTest::IsNot, "Herr");
        list[9]->Condition = When("e_fax", TConditionTest::IsNotTicked);

        QCOMPARE(Names(list, list.DependentsOf(0)), (QStringList{"firma", "text"}));
        // The list goes with its boxes.
        QCOMPARE(Names(list, list.DependentsOf(4)), (QStringList{"datum", "(zw)"}));
        QCOMPARE(Names(list, list.DependentsOf(1)), QStringList());

        list.RemoveConditions(list.DependentsOf(0));
        QVERIFY(!list[1]->Condition.IsSet());
        QVERIFY(!list[6]->Condition.IsSet());
        QVERIFY(list[5]->Condition.IsSet());
        QVERIFY(list[9]->Condition.IsSet());
    }

    void dependentsOnMove_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<QStringList>("lost");
        // firma on anrede, agb on firma, datum on e_post, text on land.
        QTest::newRow("other field down past its dependent") << 0 << 1 << QStringList{"firma"};
        QTest::newRow("dependent up past its other field") << 1 << 3 << QStringList{"agb"};
        QTest::newRow("unrelated neighbours") << 6 << 7 << QStringList();
        QTest::newRow("both dependents stay after their fields") << 5 << 6 << QStringList();
        QTest::newRow("box's list past its dependent") << 4 << 5 << QStringList{"datum"};
        QTest::newRow("far exchange") << 2 << 6 << QStringList{"text"};
        QTest::newRow("same field") << 3 << 3 << QStringList();
    }

    void dependentsOnMove()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(QStringList, lost);
        TFieldList list;
        Build(list);
        list[1]->Condition = When("anrede", TConditionTest::Is, "Frau");
        list[3]->Condition = When("firma", TConditionTest::IsFilled);
        list[5]->Condition = When("e_post", TConditionTest::IsTicked);
        list[6]->Condition = When("land", TConditionTest::Is, "DE");
        // One that is already out of order does not count as lost by a move.
        list[2]->Condition = When("text", TConditionTest::IsFilled);

        const QList<int> dependents = list.DependentsOnExchange(a, b);
        QCOMPARE(Names(list, dependents), lost);

        // After the exchange and the removal, every condition left that was
        // valid before still is.
        QList<int> validBefore;
        for (int i = 0; i < list.Count(); ++i)
            if (list[i]->Condition.IsSet() && list.CheckCondition(i))
                validBefore << i;
        list.RemoveConditions(dependents);
        list.Exchange(a, b);
        for (const int i : validBefore) {
            const int now = i == a ? b : i == b ? a : i;
            if (list[now]->Condition.IsSet())
                QVERIFY2(list.CheckCondition(now), qPrintable(list.CheckCondition(now).Error()));
        }
    }
};

QTEST_GUILESS_MAIN(TestFieldConditions)
#include "tst_fieldconditions.moc"
