#include "BvExpr.h"
#include "BvExprSource.h"
#include "DatabaseSetup.h"
#include "MorlenTables.h"
#include "TableStore.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
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

// The application database as a first start makes it, read with plain SQL:
// made once for all the cases that look at the seed.
class TSeed {
public:
    static TSeed& Instance() {
        static TSeed seed;
        return seed;
    }
    // Each row's values joined by blanks, the rows by ";".
    QString Rows(const QString& sql) {
        QSqlQuery query(QSqlDatabase::database(Connection));
        if (!query.exec(sql))
            return "failed: " + sql;
        QStringList rows;
        while (query.next()) {
            QStringList values;
            for (int i = 0; i < query.record().count(); ++i)
                values << query.value(i).toString();
            rows << values.join(' ');
        }
        return rows.join(';');
    }

private:
    static constexpr const char* Connection = "tavlo-seed-test";
    QTemporaryDir Dir;
    TSeed() {
        const QString file = QDir(Dir.path()).filePath("TavloCalc.db");
        CreateDatabaseFile(file, SeedFileName(ApplicationSeedName));
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", Connection);
        db.setDatabaseName(file);
        db.open();
    }
};

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

    // Every table of both databases opens as the modules read it: its
    // columns (in any order), its first field an auto-increment where the
    // store numbers the rows, and the orders and filters of the modules.
    // Table names compare without regard to case.
    void everyTableOpensAsTheModulesReadIt_data() {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<bool>("autoInc");
        const QString app = "ApplicationAlias", patients = "PatientAlias";
        const QStringList risks{"Risk id", "Name", "Obsolete", "Group", "Type", "Color", "Default", "Decimals",
                                "Dependent", "Expression", "Adjust", "Min", "Max", "UnitCategory", "UnitName"};
        const QStringList modelRisks{"Risk id", "Active", "Visible", "Enabled", "Expression", "Adjust", "NotUsedInCalc",
                                     "CalcID"};
        const QStringList values{"Value id", "Risk id", "Type", "Value", "CalcID"};
        const QStringList baseline{"BaselineId", "Group", "Age", "Value", "CalcID"};
        const QStringList compose{"Compose id", "Country id", "Name", "Type", "Expression"};
        const QStringList country{"Country id", "Name", "BirthDateFormat", "PatientIdValidation", "PatientIdAutoNumber",
                                  "PredictionYears", "Separator name", "ISOLanguage", "CalcID", "Program title",
                                  "Splash title", "Print title", "SplashMessage", "AboutMessage", "ScaleFactor",
                                  "HelpFile", "Enabled"};
        const QStringList names{"Country id", "Risk id", "Type", "Name"};
        const auto row = [](const char* tag, const QString& db, const QString& table, const QString& order,
                            const QString& filter, const QStringList& columns, bool autoInc) {
            QTest::newRow(tag) << db << table << order << filter << columns << autoInc;
        };
        row("Risks", app, "Risks", "", "", risks, true);
        row("RISKS", app, "RISKS", "", "", risks, true);
        row("risks", app, "risks", "", "", risks, true);
        row("Risks_P", app, "Risks_P", "CalcID;Risk id", "", modelRisks, false);
        row("Risks_D", app, "Risks_D", "CalcID;Risk id", "", modelRisks, false);
        row("Values_P", app, "Values_P", "CalcID;Risk Id;Type;Value id", "Type = 1", values, true);
        row("Values_D", app, "Values_D", "CalcID;Risk Id;Type;Value id", "Type = 1", values, true);
        row("Baseline_P", app, "Baseline_P", "Group;Age", "CalcID = 1", baseline, true);
        row("Baseline_D", app, "Baseline_D", "Group;Age", "CalcID = 1", baseline, true);
        row("Group_P", app, "Group_P", "", "", {"Group", "Name"}, false);
        row("Group_D", app, "Group_D", "", "", {"Group", "Name"}, false);
        row("CalcModel", app, "CalcModel", "CalcID", "", {"CalcID", "Description"}, false);
        row("General", app, "General", "", "",
            {"Version", "Prediction", "PrintLogo", "Absolute min", "Absolute max", "Validation"}, false);
        row("Country", app, "Country", "", "", country, true);
        row("Names", app, "Names", "Country id", "Type = 1", names, false);
        row("NamesLookup", app, "Names", "Country id;Risk id;Type", "", names, false);
        row("Colors", app, "Colors", "Country id;Max", "", {"Country id", "Max", "Text", "Color"}, false);
        row("Compose_P", app, "Compose_P", "Country id;Name", "Type = 1", compose, true);
        row("Compose_D", app, "Compose_D", "Country id;Compose id", "", compose, true);
        row("ID", app, "ID", "", "", {"Name", "Expression", "Pattern"}, false);
        row("UNITCNV", app, "UNITCNV", "", "", {"Category", "FromUnit", "ToUnit", "Expression"}, false);
        row("EXCHANGE", app, "EXCHANGE", "", "Category = 'PATIENT'",
            {"Format", "Category", "Class", "Scheme", "Date format", "Extension", "Description", "Enabled", "OEM",
             "Encrypted", "Internal"},
            false);
        row("SCHEME", app, "SCHEME", "Scheme;Record type;Field number", "",
            {"Scheme", "Record type", "Field name", "Field type", "Field number", "Position", "Length", "Decimals"},
            false);
        row("Item", app, "Item", "Name;Dose", "ID > 1", {"ID", "Name", "Dose"}, true);
        row("ItemGroup", app, "ItemGroup", "Name", "ID > 1", {"ID", "Name"}, true);
        row("ItemLink", app, "ItemLink", "JournalID;GroupID;ItemID", "", {"JournalID", "GroupID", "ItemID"}, false);
        row("Patient", patients, "Patient", "", "",
            {"Patient id", "Identity", "Auto", "Birth date", "Sequence id", "First name", "Last name", "Export", "Test"},
            true);
        row("PATIENT", patients, "PATIENT", "Birth date;Sequence id", "Export = True",
            {"Patient id", "Identity", "Auto", "Birth date", "Sequence id", "First name", "Last name", "Export", "Test"},
            true);
        row("Journal", patients, "JOURNAL", "Patient id;Date;Journal id", "",
            {"Journal id", "Patient id", "Date", "Doctor", "Memo", "CalcID"}, true);
        row("Base", patients, "Base", "Patient id;Risk id", "[Risk id] <> 7", {"Patient id", "Risk id", "Examination"},
            false);
        row("Exam", patients, "Exam", "Journal id;Risk id", "",
            {"Journal id", "Risk id", "Examination", "Treatment", "Transferred"}, false);
        row("Doctors", patients, "Doctors", "", "", {"Doctor id", "Name"}, true);
    }
    void everyTableOpensAsTheModulesReadIt() {
        QFETCH(QString, database);
        QFETCH(QString, table);
        QFETCH(QString, order);
        QFETCH(QString, filter);
        QFETCH(QStringList, columns);
        QFETCH(bool, autoInc);
        TAliasRedirect folder;
        CreateMissingDatabases();
        auto db = Connect(database, database == "PatientAlias" ? PatientAliasName : ApplicationAliasName);
        TMlTable t;
        t.SetDatabaseName(database);
        t.SetTableName(table);
        t.SetIndexFieldNames(order);
        t.SetFilter(filter);
        t.SetFiltered(!filter.isEmpty());
        t.Open();
        QStringList fields;
        for (int i = 0; i < t.FieldCount(); ++i)
            fields << t.FieldAt(i)->FieldName();
        fields.sort(Qt::CaseInsensitive);
        columns.sort(Qt::CaseInsensitive);
        QCOMPARE(fields, columns);
        QCOMPARE(t.FieldAt(0)->DataType() == TFieldType::ftAutoInc, autoInc);
        QCOMPARE(t.IndexFieldNames(), order);
        // Every row can be read in that order.
        int rows = 0;
        for (t.First(); !t.Eof(); t.Next())
            ++rows;
        QCOMPARE(rows, t.RecordCount());
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

    // What the program and the later model data rely on, row by row.
    void seedHoldsWhatTheProgramReliesOn_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("rows");
        QTest::newRow("general") << "SELECT Version, Prediction, \"Absolute min\" IS NULL, \"Absolute max\" FROM General"
                                 << "1 5,10 1 40";
        QTest::newRow("calculation models") << "SELECT CalcID FROM CalcModel ORDER BY 1" << "1;2";
        QTest::newRow("groups P") << "SELECT \"Group\", Name FROM Group_P ORDER BY 1" << "0 Men;1 Women";
        QTest::newRow("groups D") << "SELECT \"Group\", Name FROM Group_D ORDER BY 1" << "0 Men;1 Women";
        QTest::newRow("risk factors")
            << "SELECT \"Risk id\", Name, \"Group\", Type, UnitName, Dependent FROM Risks ORDER BY 1"
            << QString::fromUtf8("1 Blood pressure 1 1 mmHg ;2 Cholesterol 1 1 mmol/L ;3 Smoking 1 2  ;"
                                 "4 Weight 1 1 kg BMI;6 Family history 2 2  ;7 Diabetes 2 2  ;8 Height 2 1 cm BMI;"
                                 "9 Previous heart disease 2 2  ;19 HDL 1 1 mmol/L ;33 BMI 1 1 kg/m² ");
        QTest::newRow("plausible limits around the default")
            << "SELECT \"Risk id\" FROM Risks WHERE Min IS NULL OR Max IS NULL OR Min >= Max "
               "OR CAST(\"Default\" AS REAL) < Min OR CAST(\"Default\" AS REAL) > Max" << "";
        QTest::newRow("model rows per variant")
            << "SELECT 'P', CalcID, COUNT(*) FROM Risks_P GROUP BY CalcID UNION ALL "
               "SELECT 'D', CalcID, COUNT(*) FROM Risks_D GROUP BY CalcID" << "P 1 10;P 2 10;D 1 10;D 2 10";
        QTest::newRow("model rows name shared factors")
            << "SELECT \"Risk id\" FROM Risks_P WHERE \"Risk id\" NOT IN (SELECT \"Risk id\" FROM Risks) UNION "
               "SELECT \"Risk id\" FROM Risks_D WHERE \"Risk id\" NOT IN (SELECT \"Risk id\" FROM Risks)" << "";
        QTest::newRow("countries")
            << "SELECT Name, ISOLanguage, \"Separator name\", BirthDateFormat, PredictionYears, PatientIdAutoNumber, "
               "Enabled, CalcID FROM Country ORDER BY Name"
            << "Danmark da/dk , dd-mm-yy 10 0 1 2;United Kingdom en/gb . dd-mm-yy 10 1 1 1";
        QTest::newRow("names, pick lists and units per country")
            << "SELECT \"Country id\", Type, COUNT(*) FROM Names GROUP BY 1, 2" << "1 1 10;1 2 10;1 3 6;2 1 10;2 2 10;2 3 6";
        QTest::newRow("every factor has a pick list in each country")
            << "SELECT c.\"Country id\", r.\"Risk id\" FROM Country c, Risks r WHERE NOT EXISTS (SELECT 1 FROM Names n "
               "WHERE n.\"Country id\" = c.\"Country id\" AND n.\"Risk id\" = r.\"Risk id\" AND n.Type = 2)" << "";
        QTest::newRow("smoking pick list")
            << "SELECT Name FROM Names WHERE \"Country id\" = 1 AND \"Risk id\" = 3 AND Type = 2"
            << "[Never;0],[Former;1],[Current;2]";
        QTest::newRow("colour bands reach 100") << "SELECT \"Country id\", COUNT(*), MAX(Max) FROM Colors GROUP BY 1"
                                                << "1 4 100;2 4 100";
        QTest::newRow("identity rule of every country")
            << "SELECT c.Name FROM Country c LEFT JOIN ID i ON i.Name = c.PatientIdValidation WHERE i.Name IS NULL" << "";
        QTest::newRow("unit rules")
            << "SELECT Category, FromUnit, ToUnit, Expression FROM UNITCNV"
            << "Cholesterol mmol/L mg/dL 38.67;Pressure mmHg kPa 0.133322;Mass kg lb 2.20462262;"
               "Length cm inch Result := X / 2.54;Length inch cm Result := X * 2.54";
        QTest::newRow("patient exchange format")
            << "SELECT Format, Category, Class, Scheme, Extension, Enabled, Internal FROM EXCHANGE"
            << "Patient PATIENT TBvFlexFile PATIENT vtq 1 1";
        QTest::newRow("patient record types") << "SELECT DISTINCT \"Record type\" FROM SCHEME WHERE Scheme = 'PATIENT' ORDER BY 1"
                                              << "0;1;B;E;J;M;P;T";
        QTest::newRow("record type first in every record")
            << "SELECT \"Record type\" FROM SCHEME GROUP BY \"Record type\" HAVING SUM(\"Field name\" = 'Record type' "
               "AND Position = 1 AND Length = 1) <> 1" << "";
        QTest::newRow("layouts without gaps or overlaps")
            << "SELECT \"Record type\" FROM SCHEME GROUP BY Scheme, \"Record type\" "
               "HAVING MIN(Position) <> 1 OR SUM(Length) <> MAX(Position + Length) - 1" << "";
        QTest::newRow("captions and reserved groups") << "SELECT 'G', ID, Name FROM ItemGroup WHERE ID <= 2 UNION ALL "
                                                         "SELECT 'I', ID, Name FROM Item WHERE ID = 1"
                                                      << "G 1 Drug group;G 2 Prescribed;I 1 Drug";
        QTest::newRow("catalogue of the drug groups")
            << "SELECT COUNT(DISTINCT GroupID), MIN(GroupID), SUM(ItemID = 1) FROM ItemLink WHERE JournalID = 1" << "9 3 0";
        QTest::newRow("catalogue names existing rows")
            << "SELECT L.GroupID, L.ItemID FROM ItemLink L LEFT JOIN Item I ON I.ID = L.ItemID "
               "LEFT JOIN ItemGroup G ON G.ID = L.GroupID WHERE I.ID IS NULL OR G.ID IS NULL" << "";
        QTest::newRow("model tables exist, empty until the model comes")
            << "SELECT (SELECT COUNT(*) FROM Baseline_P) + (SELECT COUNT(*) FROM Baseline_D) + "
               "(SELECT COUNT(*) FROM Values_P) + (SELECT COUNT(*) FROM Compose_D)" << "0";
    }
    void seedHoldsWhatTheProgramReliesOn() {
        QFETCH(QString, sql);
        QFETCH(QString, rows);
        QCOMPARE(TSeed::Instance().Rows(sql), rows);
    }

    // The seed's identity rule, run as the journal runs it: ten digits
    // ddmmyy and a sequence above 0, the date one that exists.
    void seedIdentityRule_data() {
        QTest::addColumn<QString>("identity");
        QTest::addColumn<bool>("valid");
        QTest::newRow("first of January") << "0101500001" << true;
        QTest::newRow("last of December") << "3112999999" << true;
        QTest::newRow("30 April") << "3004800001" << true;
        QTest::newRow("31 April") << "3104800001" << false;
        QTest::newRow("29 February, leap year") << "2902840001" << true;
        QTest::newRow("29 February, year 00") << "2902000001" << true;
        QTest::newRow("29 February, common year") << "2902850001" << false;
        QTest::newRow("28 February") << "2802850001" << true;
        QTest::newRow("day 0") << "0001800001" << false;
        QTest::newRow("month 0") << "0100800001" << false;
        QTest::newRow("month 13") << "0113800001" << false;
        QTest::newRow("sequence 0") << "0101800000" << false;
        QTest::newRow("nine digits") << "010180001" << false;
        QTest::newRow("eleven digits") << "01018000011" << false;
        QTest::newRow("a letter") << "01018A0001" << false;
        QTest::newRow("with the mask's dash") << "010180-0001" << false;
        QTest::newRow("empty") << "" << false;
    }
    void seedIdentityRule() {
        QFETCH(QString, identity);
        QFETCH(bool, valid);
        const QString rule = TSeed::Instance().Rows("SELECT Expression FROM ID WHERE Name = 'DateSequence'");
        QVERIFY(!rule.isEmpty());
        TBvExprSource source;
        source.FuncList().AddFunc("GetIdentity", 0, [&](TVarList&, TVarItem& result) { result.SetString(identity); });
        TBvExprResult formula;
        formula.SetSource(&source);
        formula.SetExpressionText(rule);
        formula.Compile();
        QCOMPARE(formula.Evaluate().AsBoolean(), valid);
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
        QTest::newRow("text line ending in a semicolon")
            << "INSERT INTO A VALUES ('first;\nit''s;\nlast');\nINSERT INTO \"B;\n\" VALUES (1);\nSELECT 1;"
            << QStringList({"INSERT INTO A VALUES ('first;\nit''s;\nlast');", "INSERT INTO \"B;\n\" VALUES (1);",
                            "SELECT 1;"});
        QTest::newRow("quote in a comment inside a statement")
            << "CREATE TABLE A (\n  x INTEGER -- the user's\n);\nSELECT 1;"
            << QStringList({"CREATE TABLE A (\n  x INTEGER -- the user's\n);", "SELECT 1;"});
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
