// A cached table of more rows than it re-reads whole: Locate and the
// unique-key check ask the store's indexes, and posts, inserts and deletes
// place their row in the view instead of rebuilding it. What the user sees
// must be what a table rebuilt from the store shows.

#include "MorlenTables.h"
#include "TestDatabase.h"
#include "TestErrors.h"
#include "TestMain.h"

#include <QTest>

namespace {

constexpr int Many = TMlTable::WholeRefreshRows + 100;

// Patients 1..Many named "Name0001" ...; after them 1101 Hansen (exported),
// 1102 hansen, 1103 Abxc, 1104 Ab_c%, 1105 Åse.
struct TManyPatients : TTestDatabase {
    TManyPatients() {
        CreatePatientTables();
        Exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                            "INSERT INTO Patient (\"Birth date\", \"Sequence id\", \"First name\", \"Last name\", Export, Test) "
                            "SELECT 20000 + i, '0001', 'M' || printf('%04d', i), 'Name' || printf('%04d', i), 0, 0 FROM n")
                 .arg(Many));
        AddPatient(Many + 1, "Zora", "Hansen", 10001, "0001", true);
        AddPatient(Many + 2, "Adam", "hansen", 10002, "0001");
        AddPatient(Many + 3, "Bent", "Abxc", 10003, "0001");
        AddPatient(Many + 4, "Carl", "Ab_c%", 10004, "0001");
        AddPatient(Many + 5, "Dora", "\u00c5se", 10005, "0001");
    }
    std::unique_ptr<TMlTable> Patients(const QString& order = QString()) {
        auto t = std::make_unique<TMlTable>();
        t->SetDatabaseName(Name());
        t->SetTableName("Patient");
        t->SetIndexFieldNames(order);
        t->Open();
        return t;
    }
};

int Id(TDataSet* t) { return t->FieldByName("Patient id")->AsInteger(); }

// The view as a table read anew from the store shows it.
QStringList Rebuilt(TManyPatients& db, TMlTable* t) {
    auto fresh = db.Patients(t->IndexFieldNames());
    return Column(fresh.get(), "Patient id");
}

} // namespace

class TestMlTableLarge : public QObject {
    Q_OBJECT
private slots:
    void locate_data() {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("options");
        QTest::addColumn<int>("found"); // offset after Many; 0: not found
        const int ci = loCaseInsensitive, partial = loPartialKey;
        QTest::newRow("partial, no case: the first stored") << "" << "" << "hans" << (ci | partial) << 1;
        QTest::newRow("partial, no case: the first in order") << "First name" << "" << "HANS" << (ci | partial) << 2;
        QTest::newRow("no case") << "" << "" << "HANSEN" << ci << 1;
        QTest::newRow("partial, with case") << "" << "" << "hans" << partial << 2;
        QTest::newRow("wildcards are letters") << "" << "" << "ab_c" << (ci | partial) << 4;
        QTest::newRow("a filtered row is not found") << "" << "Export = False" << "hansen" << ci << 2;
        QTest::newRow("\u00e5 finds \u00c5") << "" << "" << "\u00e5se" << ci << 5;
        QTest::newRow("none") << "Last name" << "" << "zz" << (ci | partial) << 0;
        QTest::newRow("exact") << "Last name" << "" << "Name0700" << 0 << -400;
    }
    void locate() {
        QFETCH(QString, order);
        QFETCH(QString, filter);
        QFETCH(QString, text);
        QFETCH(int, options);
        QFETCH(int, found);
        TManyPatients db;
        auto t = db.Patients(order);
        t->SetFilter(filter);
        t->SetFiltered(!filter.isEmpty());
        t->Last();
        QCOMPARE(t->Locate("Last name", text, options), found != 0);
        if (found != 0)
            QCOMPARE(Id(t.get()), Many + found);
        // The found name exactly, by Lookup; the search on two fields.
        if (found != 0) {
            const QString last = t->FieldByName("Last name")->AsString();
            QCOMPARE(t->Lookup("Last name", last, "Patient id").toInt(), Many + found);
            const QString first = t->FieldByName("First name")->AsString();
            t->First();
            QVERIFY(t->Locate("Last name;First name", QVariantList{text, first}, options));
            QCOMPARE(Id(t.get()), Many + found);
        }
    }

    // A filter that ignores case shows what the rows held show, whether the
    // store's index can narrow it or not.
    void filterIgnoringCase_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("equal") << "[Last name] = 'HANSEN'" << QStringList{"1101", "1102"};
        QTest::newRow("and") << "[Last name] = 'hansen' and Export = False" << QStringList{"1102"};
        QTest::newRow("or") << "[Last name] = 'abxc' or [Patient id] = 7" << QStringList{"7", "1103"};
        QTest::newRow("\u00e5 and \u00c5") << "[Last name] = '\u00e5SE'" << QStringList{"1105"};
        QTest::newRow("not equal") << "[Last name] > 'name1099'" << QStringList{"1100", "1105"};
    }
    void filterIgnoringCase() {
        QFETCH(QString, filter);
        QFETCH(QStringList, ids);
        TManyPatients db;
        auto t = db.Patients("Patient id");
        t->SetFilterOptions(foCaseInsensitive);
        t->SetFilter(filter);
        t->SetFiltered(true);
        QCOMPARE(Column(t.get(), "Patient id"), ids);
    }

    // Each write leaves the cursor on its row and the view as the store orders it.
    void writesKeepTheViewInOrder_data() {
        QTest::addColumn<QString>("order");
        QTest::newRow("no order") << "";
        QTest::newRow("names") << "Last name;First name";
        QTest::newRow("unique index") << "Birth date;Sequence id";
    }
    void writesKeepTheViewInOrder() {
        QFETCH(QString, order);
        TManyPatients db;
        auto t = db.Patients(order);
        QVERIFY(t->Locate("Patient id", 500));
        t->Edit();
        t->FieldByName("Last name")->SetAsString("Mid");
        t->FieldByName("Birth date")->SetAsDateTime(30000);
        t->Post();
        QCOMPARE(Id(t.get()), 500);
        QCOMPARE(Column(t.get(), "Patient id"), Rebuilt(db, t.get()));

        t->SetRecNo(300);
        t->Insert(); // amid the rows: without an order it stays there until stored
        t->FieldByName("Birth date")->SetAsDateTime(5000);
        t->FieldByName("Sequence id")->SetAsString("0001");
        t->FieldByName("Last name")->SetAsString("Inserted");
        t->FieldByName("Export")->SetAsBoolean(false);
        t->FieldByName("Test")->SetAsBoolean(false);
        t->Post();
        const int inserted = Id(t.get());
        QCOMPARE(inserted, Many + 6);
        QCOMPARE(t->FieldByName("Last name")->AsString(), QString("Inserted"));
        QCOMPARE(t->IndexFieldNames(), order);
        QCOMPARE(Column(t.get(), "Patient id"), Rebuilt(db, t.get()));
        const TDataSet::TBookmark mark = t->GetBookmark();
        QVERIFY(t->Locate("Patient id", 10));
        t->GotoBookmark(mark);
        QCOMPARE(Id(t.get()), inserted);

        QVERIFY(t->Locate("Patient id", 20));
        t->Delete();
        QCOMPARE(t->RecordCount(), Many + 5);
        QVERIFY(!t->Locate("Patient id", 20));
        QCOMPARE(Column(t.get(), "Patient id"), Rebuilt(db, t.get()));
    }

    // The store's index names the candidates; the rows held decide.
    void secondKeyIsRefused() {
        TManyPatients db;
        auto t = db.Patients("Last name");
        QVERIFY(t->Locate("Patient id", 700));
        const TDateTime birth = t->FieldByName("Birth date")->AsDateTime();
        t->Append();
        t->FieldByName("Birth date")->SetAsDateTime(birth);
        t->FieldByName("Sequence id")->SetAsString("0001");
        t->FieldByName("Export")->SetAsBoolean(false);
        t->FieldByName("Test")->SetAsBoolean(false);
        QCOMPARE(ErrorOf([&] { t->Post(); }), QString("Key violation."));
        t->Cancel();
        // A row keeps its own key.
        QVERIFY(t->Locate("Patient id", 700));
        t->Edit();
        t->FieldByName("First name")->SetAsString("Same key");
        t->Post();
        QCOMPARE(Rebuilt(db, t.get()).size(), Many + 5);
        QCOMPARE(t->ChangeCount(), 0);
    }
};

TAVLO_TEST(TestMlTableLarge);
#include "tst_MlTableLarge.moc"
