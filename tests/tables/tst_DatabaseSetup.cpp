#include "DatabaseSetup.h"
#include "MorlenTables.h"
#include "TableStore.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Points the two database aliases into a folder of the test's own for its
// lifetime, as the alias file in the user's data folder would.
struct TAliasRedirect {
    QTemporaryDir Dir;
    QStringList SavedCalc, SavedPatients;
    TAliasRedirect() {
        Session().GetAliasParams(ApplicationAliasName, SavedCalc);
        Session().GetAliasParams(PatientAliasName, SavedPatients);
        Session().AddAlias(ApplicationAliasName, {"TYPE=SQLITE", "PATH=" + Dir.path(), "DATABASE NAME=TavloCalc.db"});
        Session().AddAlias(PatientAliasName, {"TYPE=SQLITE", "PATH=" + Dir.path(), "DATABASE NAME=TavloPatients.db"});
    }
    ~TAliasRedirect() {
        Session().AddAlias(ApplicationAliasName, SavedCalc);
        Session().AddAlias(PatientAliasName, SavedPatients);
    }
    QString File(const QString& name) const { return QDir(Dir.path()).filePath(name); }
};

std::unique_ptr<TDatabase> Connect(const QString& databaseName, const QString& alias) {
    auto db = std::make_unique<TDatabase>();
    db->SetDatabaseName(databaseName);
    db->SetAliasName(alias);
    db->Params << "PASSWORD=secret";
    db->Open();
    return db;
}

QStringList ColumnOf(TDataSet* ds, const QString& field) {
    QStringList values;
    for (ds->First(); !ds->Eof(); ds->Next())
        values << ds->FieldByName(field)->AsString();
    return values;
}

} // namespace

class TestDatabaseSetup : public QObject {
    Q_OBJECT
private slots:
    void firstStartCreatesBothDatabases() {
        TAliasRedirect folder;
        const QStringList created = CreateMissingDatabases();
        QCOMPARE(created, QStringList({folder.File("TavloCalc.db"), folder.File("TavloPatients.db")}));
        QVERIFY(!QFile::exists(folder.File("TavloCalc.db.creating")));

        auto calc = Connect("ApplicationAlias", ApplicationAliasName);
        TMlRiskTable risks;
        risks.SetDatabaseName("ApplicationAlias");
        risks.SetTableName("Risks");
        risks.SetIndexFieldNames("Risk id");
        risks.Open();
        QCOMPARE(ColumnOf(&risks, "Risk id"), QStringList({"1", "2", "3", "4", "6", "7", "8", "9", "19", "33"}));
        QCOMPARE(risks.RiskIdByName("diabetes"), 7);

        TMlTable general;
        general.SetDatabaseName("ApplicationAlias");
        general.SetTableName("General");
        general.Open();
        QCOMPARE(general.RecordCount(), 1);
        QCOMPARE(general.FieldByName("Version")->AsInteger(), 1);
        QCOMPARE(general.FieldByName("Prediction")->AsString(), QString("5,10"));
        QCOMPARE(general.FieldByName("Absolute max")->AsFloat(), 40.0);

        // Both variants of the model, read through the switch.
        TMlSwitch sw;
        sw.SetSuffix1("_P");
        sw.SetSuffix2("_D");
        TMlRiskTable calcRisks;
        calcRisks.SetDatabaseName("ApplicationAlias");
        calcRisks.SetTableName("Risks");
        calcRisks.SetDiabetesDependant(true);
        calcRisks.SetSwitch(&sw);
        calcRisks.Open();
        QVERIFY(!calcRisks.IsEmpty());
        sw.SetDiabetes(true);
        QCOMPARE(calcRisks.SourceTable()->TableName(), QString("Risks_D"));
        QVERIFY(!calcRisks.IsEmpty());

        auto patients = Connect("PatientAlias", PatientAliasName);
        for (const QString table : {"Patient", "Journal", "Base", "Exam", "Doctors"}) {
            TTable t;
            t.SetDatabaseName("PatientAlias");
            t.SetTableName(table);
            t.Open();
            QVERIFY2(t.IsEmpty(), qPrintable(table));
        }
    }

    void secondStartReusesThem() {
        TAliasRedirect folder;
        QCOMPARE(CreateMissingDatabases().size(), 2);
        {
            auto patients = Connect("PatientAlias", PatientAliasName);
            patients->ExecSql("INSERT INTO Doctors (Name) VALUES ('Lind')");
        }
        QCOMPARE(CreateMissingDatabases(), QStringList());
        auto patients = Connect("PatientAlias", PatientAliasName);
        TTable doctors;
        doctors.SetDatabaseName("PatientAlias");
        doctors.SetTableName("Doctors");
        doctors.Open();
        QCOMPARE(ColumnOf(&doctors, "Name"), QStringList({"Lind"}));
    }

    void patientKeyIsUnique_data() {
        QTest::addColumn<bool>("cached");
        QTest::newRow("stored table") << false;
        QTest::newRow("model table") << true;
    }
    void patientKeyIsUnique() {
        QFETCH(bool, cached);
        TAliasRedirect folder;
        CreateMissingDatabases();
        auto patients = Connect("PatientAlias", PatientAliasName);
        std::unique_ptr<TDataSet> table;
        if (cached) {
            auto t = std::make_unique<TMlTable>();
            t->SetDatabaseName("PatientAlias");
            t->SetTableName("Patient");
            table = std::move(t);
        } else {
            auto t = std::make_unique<TTable>();
            t->SetDatabaseName("PatientAlias");
            t->SetTableName("Patient");
            table = std::move(t);
        }
        table->Open();
        auto add = [&] {
            table->Append();
            table->FieldByName("Birth date")->SetAsDateTime(EncodeDate(1950, 3, 1));
            table->FieldByName("Sequence id")->SetAsString("0001");
            table->FieldByName("Export")->SetAsBoolean(false);
            table->FieldByName("Test")->SetAsBoolean(false);
            table->Post();
        };
        add();
        QCOMPARE(table->FieldByName("Patient id")->AsInteger(), 1);
        try {
            add();
            QFAIL("a second patient with the same birth date and sequence id was stored");
        } catch (const EDatabaseError& error) {
            QCOMPARE(error.Message(), QString("Key violation."));
        }
        table->Cancel();
        // The first examination gets number 2: 1 is the template's.
        TTable journal;
        journal.SetDatabaseName("PatientAlias");
        journal.SetTableName("Journal");
        journal.Open();
        journal.Append();
        journal.FieldByName("Patient id")->SetAsInteger(1);
        journal.Post();
        QCOMPARE(journal.FieldByName("Journal id")->AsInteger(), 2);
    }

    void failureLeavesNoDatabase() {
        QTemporaryDir dir;
        const QString script = QDir(dir.path()).filePath("broken.sql");
        QFile file(script);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("BEGIN TRANSACTION;\nCREATE TABLE \"A\" (\"x\" INTEGER);\nINSERT INTO \"A\" VALUES (1);\n"
                   "INSERT INTO \"Missing\" VALUES (1);\nCOMMIT;\n");
        file.close();
        const QString target = QDir(dir.path()).filePath("sub/Target.db");
        try {
            CreateDatabaseFile(target, script);
            QFAIL("a broken script made a database");
        } catch (const EDatabaseError& error) {
            QVERIFY2(error.Message().contains("Missing"), qPrintable(error.Message()));
            QVERIFY(error.Message().startsWith("Cannot create database"));
        }
        QVERIFY(!QFile::exists(target));
        QCOMPARE(QDir(dir.path() + "/sub").entryList(QDir::Files), QStringList());
        // A missing script is refused the same way.
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, CreateDatabaseFile(target, script + ".none"));
        QVERIFY(!QFile::exists(target));
    }

    void leftoverOfAnInterruptedStartIsReplaced() {
        QTemporaryDir dir;
        const QString target = QDir(dir.path()).filePath("Patients.db");
        QFile half(target + ".creating");
        QVERIFY(half.open(QIODevice::WriteOnly));
        half.write("not a database");
        half.close();
        QVERIFY(CreateDatabaseFile(target, SeedFileName(PatientSeedName)));
        QVERIFY(QFile::exists(target));
        QVERIFY(!QFile::exists(target + ".creating"));
        QVERIFY(!CreateDatabaseFile(target, SeedFileName(PatientSeedName)));
    }

    void splitSqlScript_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("statements");
        QTest::newRow("comments and transaction dropped")
            << "-- head;\nBEGIN TRANSACTION;\n\nCREATE TABLE A (x INTEGER);\n-- between\nCOMMIT;\n"
            << QStringList({"CREATE TABLE A (x INTEGER);"});
        QTest::newRow("statement over lines")
            << "INSERT INTO A VALUES ('a -- b',\r\n  'c; d');\nINSERT INTO A VALUES (2);"
            << QStringList({"INSERT INTO A VALUES ('a -- b',\n  'c; d');", "INSERT INTO A VALUES (2);"});
        QTest::newRow("last statement without semicolon") << "SELECT 1;\nSELECT 2" << QStringList({"SELECT 1;", "SELECT 2"});
    }
    void splitSqlScript() {
        QFETCH(QString, text);
        QFETCH(QStringList, statements);
        QCOMPARE(SplitSqlScript(text), statements);
    }
};

TAVLO_TEST(TestDatabaseSetup);
#include "tst_DatabaseSetup.moc"
