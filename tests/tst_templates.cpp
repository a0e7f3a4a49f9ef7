// The field templates without windows: the shipped templates load, a field
// stored as a template comes back equal in every property, deleting removes
// exactly the chosen template (also from a file changed since it was read),
// a file that does not read is never written over, and the name rules for a
// field that joins a project.
#include "app/TemplateStore.h"
#include "base/LanguageTexts.h"
#include "dialogs/FieldNames.h"
#include "fields/CheckBoxList.h"
#include "fields/EinzField.h"
#include "fields/ZwField.h"
#include "model/FormProject.h"
#include "projectfile/ProjectFile.h"

#include <QDomDocument>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace
{
// What a field writes into the project file: equal texts, equal fields.
QString Written(const TFormField& field)
{
    QDomDocument doc;
    QDomElement node = doc.createElement(QStringLiteral("feld"));
    doc.appendChild(node);
    field.SetXMLNode(node);
    return doc.toString(1);
}

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

std::unique_ptr<TEinzField> TextField(const QString& name, const QString& label)
{
    auto field = std::make_unique<TEinzField>();
    field->Name = name;
    field->Beschriftung = label;
    return field;
}
} // namespace

class TestTemplates : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    TLanguageTexts texts{QStringLiteral(QUORVEL_TEST_DATA_DIR "/lang.ini"), nullptr};
    TFormProject every;

    QString File() const { return dir.filePath(QStringLiteral("vorlagen.xml")); }
    static QString Shipped() { return QStringLiteral(QUORVEL_TEST_DATA_DIR "/vorlagen.xml"); }

    // A file with the templates of the given names (single-line fields).
    void Prepare(const QStringList& names)
    {
        QFile::remove(File());
        Put(File(), "<?xml version=\"1.0\"?>\n<vorlagen/>\n");
        TTemplateStore store(File());
        for (const QString& name : names)
            QVERIFY(store.Append(*TextField(name, name.toUpper())));
    }

private slots:
    void initTestCase()
    {
        TProjectFile file(texts);
        QVERIFY(file.LoadProject(every, QStringLiteral(QUORVEL_TEST_FIXTURES "/every_kind.qvf")));
    }

    void init() { QFile::remove(File()); }

    // The prepared file is copied into the user's folder and every template
    // in it makes a field of the kind and name it promises.
    void shippedTemplates()
    {
        TTemplateStore store(File(), Shipped());
        QVERIFY(store.Load());
        QCOMPARE(Bytes(File()), Bytes(Shipped()));
        QCOMPARE(store.Names(),
                 (QStringList{"E-Mail", "Telefon", "Einwilligung", "Anrede", "Nachricht", "Geburtsdatum"}));
        const QStringList kinds{"TEinzField",  "TEinzField",  "TCheckBoxField",
                                "TRadioField", "TMehrzField", "TCalField"};
        const QStringList names{"email", "telefon", "einwilligung", "anrede", "nachricht", "geburtsdatum"};
        for (int i = 0; i < store.Count(); ++i) {
            auto field = store.Field(i);
            QVERIFY2(field, qPrintable(field.Error()));
            QCOMPARE((*field)->ClassName(), kinds.at(i));
            QCOMPARE((*field)->Name, names.at(i));
        }
        auto email = store.Field(0);
        QCOMPARE(static_cast<TEinzField&>(**email).PflichtFeldTyp, 1); // the e-mail check
        QVERIFY((*email)->Pflicht);

        // A file of the user's is never replaced by the shipped one.
        Put(File(), "<?xml version=\"1.0\"?>\n<vorlagen/>\n");
        QVERIFY(store.InstallDefault());
        QVERIFY(store.Load());
        QCOMPARE(store.Count(), 0);
    }

    // Every kind of field, stored as a template and inserted again, equal in
    // every property (a check-box list with all its boxes).
    void storeAndTakeOut_data()
    {
        QTest::addColumn<int>("row");
        for (int row = 0; row < every.ListField.Count(); ++row)
            QTest::newRow(qPrintable(every.ListField[row]->ClassName() + QString::number(row))) << row;
    }

    void storeAndTakeOut()
    {
        QFETCH(int, row);
        Prepare({QStringLiteral("erste")});
        const TFormField& original = *every.ListField[row];
        TTemplateStore store(File());
        QVERIFY(store.Append(original));
        QCOMPARE(store.Count(), 2);

        TTemplateStore again(File());
        QVERIFY(again.Load());
        QCOMPARE(again.Names(), store.Names());
        auto field = again.Field(1);
        QVERIFY2(field, qPrintable(field.Error()));
        QCOMPARE(Written(**field), Written(original));
        if (const auto* list = dynamic_cast<const TCheckBoxList*>(&original)) {
            const auto& boxes = dynamic_cast<const TCheckBoxList&>(**field).ListCheckboxes;
            QCOMPARE(boxes.size(), list->ListCheckboxes.size());
            QCOMPARE(boxes.at(1)->Name, QStringLiteral("i_musik"));
        }
        // The element that Quorvel adds is "feld", under the file's own root.
        QDomDocument doc;
        QVERIFY(doc.setContent(Bytes(File())));
        QCOMPARE(doc.documentElement().tagName(), QStringLiteral("vorlagen"));
        QCOMPARE(doc.documentElement().lastChildElement().tagName(), QStringLiteral("feld"));
    }

    // Deleting one of three leaves the others in order; a copy read before
    // the file changed deletes only the template it chose.
    void deletion_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QStringList>("storedSince"); // by another store after the first read
        QTest::addColumn<QStringList>("left");
        QTest::newRow("second of three") << 1 << QStringList() << QStringList{"a", "c"};
        QTest::newRow("first of three") << 0 << QStringList() << QStringList{"b", "c"};
        QTest::newRow("last of three") << 2 << QStringList() << QStringList{"a", "b"};
        QTest::newRow("one stored since") << 1 << QStringList{"d"} << QStringList{"a", "c", "d"};
    }

    void deletion()
    {
        QFETCH(int, position);
        QFETCH(QStringList, storedSince);
        QFETCH(QStringList, left);
        Prepare({"a", "b", "c"});
        TTemplateStore manager(File());
        QVERIFY(manager.Load());
        TTemplateStore other(File());
        for (const QString& name : storedSince)
            QVERIFY(other.Append(*TextField(name, name.toUpper())));

        QVERIFY(manager.Delete(position));
        QStringList labels;
        for (const QString& name : left)
            labels << name.toUpper();
        QCOMPARE(manager.Names(), labels);
        TTemplateStore fresh(File());
        QVERIFY(fresh.Load());
        QCOMPARE(fresh.Names(), labels);
        for (int i = 0; i < left.size(); ++i)
            QCOMPARE((*fresh.Field(i))->Name, left.at(i));
    }

    // A template that moved is found where it is now; one deleted meanwhile
    // is not there to delete, and nothing else goes.
    void deletionOfAChangedFile()
    {
        Prepare({"a", "b", "c"});
        TTemplateStore manager(File());
        QVERIFY(manager.Load());
        TTemplateStore other(File());
        QVERIFY(other.Load());
        QVERIFY(other.Delete(0));
        QVERIFY(manager.Delete(2)); // "c", now second
        QCOMPARE(manager.Names(), (QStringList{"B"}));

        QVERIFY(manager.Load());
        QVERIFY(other.Load());
        QVERIFY(other.Delete(0));
        const QByteArray before = Bytes(File());
        const TStatus gone = manager.Delete(0);
        QVERIFY(!gone);
        QVERIFY(gone.Error().contains(QStringLiteral("no longer")));
        QCOMPARE(Bytes(File()), before);
        QCOMPARE(manager.Count(), 0);
    }

    // A file that is missing (with nothing shipped) or does not read fails
    // every operation with the reason, and is not written over.
    void unreadableFiles_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QByteArray() << "No such file";
        QTest::newRow("not XML") << QByteArray("<vorlagen><feld>") << "line";
        QTest::newRow("empty file") << QByteArray(" ") << "line";
    }

    void unreadableFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        if (!content.isEmpty())
            Put(File(), content);
        TTemplateStore store(File(), dir.filePath(QStringLiteral("nothing-shipped.xml")));
        const TStatus loaded = store.Load();
        QVERIFY(!loaded);
        QVERIFY2(loaded.Error().contains(reason), qPrintable(loaded.Error()));
        QVERIFY(loaded.Error().contains(File()));
        QCOMPARE(store.Count(), 0);
        QVERIFY(!store.Field(0));
        QVERIFY(!store.Append(*TextField(QStringLiteral("x"), QStringLiteral("X"))));
        QVERIFY(!store.Delete(0));
        QCOMPARE(QFile::exists(File()), !content.isEmpty());
        QCOMPARE(Bytes(File()), content);
    }

    // A template of a kind Quorvel does not know, or with a name that cannot
    // be used, makes no field; the others still do.
    void templatesThatMakeNoField()
    {
        Put(File(), "<vorlagen><feld><typ>TGibtsNicht</typ><beschriftung>Neu</beschriftung></feld>"
                    "<feld><typ>TEinzField</typ><name>1x</name><beschriftung>Zahl</beschriftung>"
                    "<vorgabewert/><groesse>3</groesse><maxLaenge>3</maxLaenge><pflicht>0</pflicht>"
                    "<meldung/></feld>"
                    "<x><typ>TZwField</typ><beschriftung>&lt;b>Hinweis&lt;/b></beschriftung></x></vorlagen>");
        TTemplateStore store(File());
        QVERIFY(store.Load());
        QCOMPARE(store.Names(), (QStringList{"Neu", "Zahl", "Hinweis"}));
        const TResult<std::unique_ptr<TFormField>> unknown = store.Field(0);
        QVERIFY(!unknown);
        QVERIFY2(unknown.Error().contains(QStringLiteral("TGibtsNicht")), qPrintable(unknown.Error()));
        QVERIFY(!store.Field(1));
        QVERIFY(store.Field(2)); // root and element names are not checked
        QVERIFY(!store.Field(3));
    }

    // The names a field brings into a project, and why one may not be used.
    void nameRules_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("others");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("free") << "telefon" << QStringList() << "";
        QTest::newRow("empty") << "" << QStringList() << "txtCalender0";
        QTest::newRow("not a name") << "2tel" << QStringList() << "txtCheckFieldName";
        QTest::newRow("a field's") << "email" << QStringList() << "txtCalender1";
        QTest::newRow("a box's") << "i_sport" << QStringList() << "txtCalender1";
        QTest::newRow("its own other name") << "neu" << QStringList{"neu"} << "txtCalender1";
        QTest::newRow("letter case counts") << "EMAIL" << QStringList() << "";
    }

    void nameRules()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, others);
        QFETCH(QString, refusal);
        QCOMPARE(FieldNames::NameRefusal(every.ListField, name, others), refusal);
    }

    void namesOfAField()
    {
        QStringList kinds;
        for (const auto& field : every.ListField) {
            QStringList names;
            for (const QString* name : FieldNames::NamesOf(*field))
                names << *name;
            kinds << field->ClassName() + QLatin1Char('=') + names.join(QLatin1Char(','));
        }
        QVERIFY(kinds.contains(QStringLiteral("TZwField=")));
        QVERIFY(kinds.contains(QStringLiteral("TCheckBoxList=interessen,i_sport,i_musik")));
        QVERIFY(kinds.contains(QStringLiteral("TEinzField=email")));
        TCheckBoxList unnamed;
        QVERIFY(FieldNames::NamesOf(unnamed).isEmpty());
        // The pointers rename the field itself.
        TEinzField field;
        field.Name = QStringLiteral("a");
        *FieldNames::NamesOf(field).constFirst() = QStringLiteral("b");
        QCOMPARE(field.Name, QStringLiteral("b"));
    }
};

QTEST_GUILESS_MAIN(TestTemplates)
#include "tst_templates.moc"
