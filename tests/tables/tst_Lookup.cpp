#include "Conversions.h"
#include "FormatSettings.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QTest>

namespace {

// The first row of the view whose fields equal the key, read row by row as
// a user would: what every search for an exact key must give.
QVariant ScanReference(TDataSet* ds, const QStringList& keys, const QVariantList& values, const QString& result) {
    QVariant found;
    for (int i = 0; i < ds->RecordCount() && !found.isValid(); ++i)
        ds->WithRecord(i, [&] {
            for (int k = 0; k < keys.size(); ++k) {
                TField* field = ds->FieldByName(keys[k]);
                const QVariant want = field->Coerce(values.value(k));
                const QVariant have = field->Value();
                const bool wantNull = !want.isValid() || want.isNull(), haveNull = !have.isValid() || have.isNull();
                if (wantNull != haveNull || (!wantNull && want != have))
                    return;
            }
            found = ds->FieldValues(result);
        });
    return found;
}

// Units by country and risk; rows of equal keys keep the order they were added in.
void FillUnits(TClientDataSet& c) {
    c.CreateDataSet({{"Country", TFieldType::ftInteger},
                     {"Risk", TFieldType::ftInteger},
                     {"Type", TFieldType::ftSmallint},
                     {"Name", TFieldType::ftString, 20},
                     {"Seq", TFieldType::ftInteger}});
    const QList<QVariantList> rows = {
        {2, 5, 1, "mmol/l", 1}, {1, 5, 1, "mg/dl", 2}, {2, 3, 1, "mmHg", 3},  {2, 5, 2, "Total", 4},
        {2, 5, 1, "second", 5}, {1, 3, 1, "Tryk", 6},  {QVariant(), 7, 1, "none", 7}, {2, 9, 1, "Åben", 8},
        {2, 9, 1, "åben", 9},   {3, 1, 1, QVariant(), 10},
    };
    for (const QVariantList& row : rows) {
        c.Append();
        for (int i = 0; i < row.size(); ++i)
            c.FieldAt(i)->SetValue(row[i]);
        c.Post();
    }
}

} // namespace

class TestLookup : public QObject {
    Q_OBJECT
private slots:
    void init() { FormatSettings() = TFormatSettings(); }

    // Each key looked up in the dataset ordered, unordered and filtered: the
    // answer is the row a scan of the view finds first, or none.
    void sameAsScan_data() {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QVariant>("seq"); // the Seq of the row found; invalid when none
        const QString full = "Country;Risk;Type";
        QTest::newRow("found") << full << "" << full << QVariantList{1, 3, 1} << QVariant(6);
        QTest::newRow("not found between") << full << "" << full << QVariantList{2, 4, 1} << QVariant();
        QTest::newRow("not found below") << full << "" << full << QVariantList{0, 1, 1} << QVariant();
        QTest::newRow("not found above") << full << "" << full << QVariantList{9, 9, 9} << QVariant();
        QTest::newRow("duplicates: first in order") << full << "" << full << QVariantList{2, 5, 1} << QVariant(1);
        QTest::newRow("leading part of the order") << full << "" << "Country;Risk" << QVariantList{2, 5} << QVariant(1);
        QTest::newRow("key beyond the order") << "Country" << "" << "Country;Type" << QVariantList{2, 2} << QVariant(4);
        QTest::newRow("key in another sequence") << full << "" << "Risk;Country" << QVariantList{3, 1} << QVariant(6);
        QTest::newRow("key not leading the order") << full << "" << "Risk" << QVariantList{3} << QVariant(6);
        QTest::newRow("no order") << "" << "" << "Risk" << QVariantList{3} << QVariant(3);
        QTest::newRow("empty key part") << full << "" << full << QVariantList{QVariant(), 7, 1} << QVariant(7);
        QTest::newRow("empty wanted, none empty") << full << "" << "Country;Risk" << QVariantList{QVariant(), 5} << QVariant();
        QTest::newRow("number given as text") << full << "" << full << QVariantList{"1", "5", "1"} << QVariant(2);
        QTest::newRow("number given as float") << full << "" << full << QVariantList{2.0, 3.0, 1.0} << QVariant(3);
        QTest::newRow("text with its case") << "Name" << "" << "Name" << QVariantList{"åben"} << QVariant(9);
        QTest::newRow("text of another case") << "Name" << "" << "Name" << QVariantList{"MMHG"} << QVariant();
        QTest::newRow("text longer than the field") << "Name" << "" << "Name" << QVariantList{"mmol/l and more than twenty"} << QVariant();
        QTest::newRow("empty text") << "Name" << "" << "Name" << QVariantList{QVariant()} << QVariant(10);
        QTest::newRow("filtered out: next in order") << full << "Seq <> 1" << full << QVariantList{2, 5, 1} << QVariant(5);
        QTest::newRow("filtered out: none left") << full << "Seq <> 6" << full << QVariantList{1, 3, 1} << QVariant();
    }
    void sameAsScan() {
        QFETCH(QString, order);
        QFETCH(QString, filter);
        QFETCH(QString, keys);
        QFETCH(QVariantList, values);
        QFETCH(QVariant, seq);
        TClientDataSet c;
        FillUnits(c);
        c.SetIndexFieldNames(order);
        if (!filter.isEmpty()) {
            c.SetFilter(filter);
            c.SetFiltered(true);
        }
        c.First();
        const QVariant key = values.size() == 1 ? values[0] : QVariant(values);
        const QVariant found = c.Lookup(keys, key, "Seq");
        QCOMPARE(found, ScanReference(&c, SplitFieldNames(keys), values, "Seq"));
        QCOMPARE(found.isValid(), seq.isValid());
        if (seq.isValid())
            QCOMPARE(found.toInt(), seq.toInt());
        QCOMPARE(c.RecNo(), 1); // a lookup leaves the cursor where it was
    }

    // A key value the field cannot hold is refused as the scan refuses it,
    // even where the order would answer.
    void wrongKeyValueRefused() {
        TClientDataSet c;
        FillUnits(c);
        c.SetIndexFieldNames("Country;Risk;Type");
        QVERIFY_THROWS_EXCEPTION(EConvertError, c.Lookup("Country;Risk", QVariantList{"two", 5}, "Seq"));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, c.Lookup("Country;Nothing", QVariantList{2, 5}, "Seq"));
    }

    // The looked-up rows change: each lookup answers from the rows as they are now.
    void followsEdits() {
        TClientDataSet c;
        FillUnits(c);
        c.SetIndexFieldNames("Country;Risk;Type");
        QCOMPARE(c.Lookup("Country;Risk;Type", QVariantList{2, 5, 1}, "Name").toString(), QString("mmol/l"));
        QVERIFY(c.Locate("Seq", 1));
        c.Edit();
        c.FieldByName("Risk")->SetAsInteger(6); // moves out of the range of 2;5
        // An edit not posted yet is not what the stored rows hold.
        QCOMPARE(c.Lookup("Country;Risk;Type", QVariantList{2, 5, 1}, "Name").toString(), QString("mmol/l"));
        c.FieldByName("Name")->SetAsString("edited");
        // The row being edited answers with its edit, as when it is read.
        QCOMPARE(c.Lookup("Country;Risk;Type", QVariantList{2, 5, 1}, "Seq;Name"), QVariant(QVariantList{1, "edited"}));
        c.Post();
        QCOMPARE(c.Lookup("Country;Risk;Type", QVariantList{2, 5, 1}, "Name").toString(), QString("second"));
        QCOMPARE(c.Lookup("Country;Risk;Type", QVariantList{2, 6, 1}, "Name").toString(), QString("edited"));
        c.Append();
        c.FieldByName("Country")->SetAsInteger(1);
        c.FieldByName("Risk")->SetAsInteger(4);
        c.FieldByName("Type")->SetAsInteger(1);
        c.FieldByName("Name")->SetAsString("new");
        c.Post();
        QCOMPARE(c.Lookup("Country;Risk;Type", QVariantList{1, 4, 1}, "Name").toString(), QString("new"));
        QVERIFY(c.Locate("Seq", 5));
        c.Delete();
        QCOMPARE(c.Lookup("Country;Risk;Type", QVariantList{2, 5, 1}, "Name"), QVariant());
        c.SetIndexFieldNames("Name");
        QCOMPARE(c.Lookup("Country;Risk;Type", QVariantList{2, 6, 1}, "Name").toString(), QString("edited"));
    }

    // A calculated result is computed for the row found; data results come
    // with it, a result field that does not exist is refused.
    void calculatedResult() {
        TClientDataSet c;
        new TIntegerField(&c, "Risk");
        new TStringField(&c, "Name", 20);
        new TStringField(&c, "Label", 30, TFieldKind::fkCalculated);
        c.OnCalcFields = [](TDataSet* ds) {
            ds->FieldByName("Label")->SetAsString(ds->FieldByName("Name")->AsString() + "!");
        };
        c.CreateDataSet({{"Risk", TFieldType::ftInteger}, {"Name", TFieldType::ftString, 20}});
        for (const auto& [risk, name] : {std::pair{3, "b"}, std::pair{1, "a"}, std::pair{3, "c"}}) {
            c.Append();
            c.FieldByName("Risk")->SetAsInteger(risk);
            c.FieldByName("Name")->SetAsString(name);
            c.Post();
        }
        c.SetIndexFieldNames("Risk");
        QCOMPARE(c.Lookup("Risk", 3, "Label;Name"), QVariant(QVariantList{"b!", "b"}));
        QCOMPARE(c.Lookup("Risk", 1, "Label").toString(), QString("a!"));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, c.Lookup("Risk", 1, "Nothing"));
        QVERIFY(!c.Lookup("Risk", 2, "Nothing").isValid()); // nothing found, nothing read
    }

    // A lookup field on an ordered dataset shows the first matching row's value
    // for every row, as the rows of the looked-up dataset change.
    void lookupFieldOnOrderedRows() {
        TClientDataSet units;
        FillUnits(units);
        units.SetIndexFieldNames("Country;Risk");
        TClientDataSet values;
        new TIntegerField(&values, "Country");
        new TIntegerField(&values, "Risk");
        auto* unit = new TStringField(&values, "Unit", 20, TFieldKind::fkLookup);
        unit->SetLookupDataSet(&units);
        unit->KeyFields = "Country;Risk";
        unit->LookupKeyFields = "Country;Risk";
        unit->LookupResultField = "Name";
        values.CreateDataSet({{"Country", TFieldType::ftInteger}, {"Risk", TFieldType::ftInteger}});
        for (const auto& [country, risk] : {std::pair{2, 5}, std::pair{1, 3}, std::pair{4, 4}, std::pair{2, 9}}) {
            values.Append();
            values.FieldByName("Country")->SetAsInteger(country);
            values.FieldByName("Risk")->SetAsInteger(risk);
            values.Post();
        }
        QCOMPARE(Column(&values, "Unit"), QStringList({"mmol/l", "Tryk", "", "Åben"}));
        QVERIFY(units.Locate("Seq", 8));
        units.Edit();
        units.FieldByName("Risk")->SetAsInteger(10);
        units.Post();
        QCOMPARE(Column(&values, "Unit"), QStringList({"mmol/l", "Tryk", "", "åben"}));
    }

    // A stored table held in its order (equal keys by their row): the same
    // first row as a scan, for keys found, duplicated and missing.
    void storedTable_data() {
        QTest::addColumn<QVariantList>("values");
        QTest::newRow("duplicates") << QVariantList{1, "Lind"};
        QTest::newRow("one") << QVariantList{2, "Moe"};
        QTest::newRow("missing doctor") << QVariantList{1, "Ask"};
        QTest::newRow("missing patient") << QVariantList{3, "Lind"};
    }
    void storedTable() {
        QFETCH(QVariantList, values);
        TTestDatabase db;
        db.FillPatients();
        TTable journal;
        journal.SetDatabaseName(db.Name());
        journal.SetTableName("Journal");
        journal.SetIndexFieldNames("Patient id;Doctor");
        journal.Open();
        const QVariant found = journal.Lookup("Patient id;Doctor", QVariant(values), "Journal id");
        QCOMPARE(found, ScanReference(&journal, {"Patient id", "Doctor"}, values, "Journal id"));
        if (values == QVariantList{1, "Lind"})
            QCOMPARE(found.toInt(), 10);
    }
};

TAVLO_TEST(TestLookup);
#include "tst_Lookup.moc"
