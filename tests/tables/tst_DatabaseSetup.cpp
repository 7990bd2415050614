#include "BvExpr.h"
#include "BvExprSource.h"
#include "DatabaseSetup.h"
#include "PrivateFiles.h"
#include "MorlenTables.h"
#include "TableStore.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

// Points the two database aliases into a folder of the test's own for its
// lifetime, as the alias file in the user's data folder would.
struct TAliasRedirect {
    QTemporaryDir Dir;
    QStringList SavedCalc, SavedPatients;
    QString Folder;
    explicit TAliasRedirect(const QString& subFolder = QString())
        : Folder(subFolder.isEmpty() ? Dir.path() : QDir(Dir.path()).filePath(subFolder)) {
        Session().GetAliasParams(ApplicationAliasName, SavedCalc);
        Session().GetAliasParams(PatientAliasName, SavedPatients);
        Session().AddAlias(ApplicationAliasName, {"TYPE=SQLITE", "PATH=" + Folder, "DATABASE NAME=TavloCalc.db"});
        Session().AddAlias(PatientAliasName, {"TYPE=SQLITE", "PATH=" + Folder, "DATABASE NAME=TavloPatients.db"});
    }
    ~TAliasRedirect() {
        Session().AddAlias(ApplicationAliasName, SavedCalc);
        Session().AddAlias(PatientAliasName, SavedPatients);
    }
    QString File(const QString& name) const { return QDir(Folder).filePath(name); }
};

std::unique_ptr<TDatabase> Connect(const QString& databaseName, const QString& alias) {
    auto db = std::make_unique<TDatabase>();
    db->SetDatabaseName(databaseName);
    db->SetAliasName(alias);
    db->Params << "PASSWORD=secret";
    db->Open();
    return db;
}

// A field's kind as the schema tables write it: "text50", "memo", "int",
// with "!" when the field is required.
QString KindOf(const TField* field) {
    QString kind;
    switch (field->DataType()) {
    case TFieldType::ftAutoInc: kind = "auto"; break;
    case TFieldType::ftInteger: kind = "int"; break;
    case TFieldType::ftSmallint: kind = "small"; break;
    case TFieldType::ftFloat: kind = "float"; break;
    case TFieldType::ftBoolean: kind = "logical"; break;
    case TFieldType::ftDateTime: kind = "datetime"; break;
    case TFieldType::ftMemo: kind = "memo"; break;
    case TFieldType::ftString: kind = "text" + QString::number(field->Size()); break;
    default: kind = "other"; break;
    }
    return field->Required() ? kind + '!' : kind;
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


// A plain SQLite connection to one file, for looking at it from outside the
// store; gone with the object.
class TPlainFile {
public:
    explicit TPlainFile(const QString& fileName) : Name(QStringLiteral("tavlo-plain-%1").arg(++Counter)) {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", Name);
        db.setDatabaseName(fileName);
        db.open();
    }
    ~TPlainFile() {
        QSqlDatabase::database(Name).close();
        QSqlDatabase::removeDatabase(Name);
    }
    // The error text, empty when it ran.
    QString Exec(const QString& sql, const QVariantList& values = {}) {
        QSqlQuery query(QSqlDatabase::database(Name));
        query.prepare(sql);
        for (const QVariant& value : values)
            query.addBindValue(value);
        return query.exec() ? QString() : query.lastError().text();
    }
    // Each row's values joined by "|" (NULL for a null), the rows by ";".
    QString Rows(const QString& sql) {
        QSqlQuery query(QSqlDatabase::database(Name));
        if (!query.exec(sql))
            return "failed: " + sql;
        QStringList rows;
        while (query.next()) {
            QStringList values;
            for (int i = 0; i < query.record().count(); ++i)
                values << (query.value(i).isNull() ? QString("NULL") : query.value(i).toString());
            rows << values.join('|');
        }
        return rows.join(';');
    }
    QStringList Tables() { return Rows("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name").split(';'); }
    // Every table's columns (name, declared type, not null, default, key),
    // its indexes with their columns and collations, whether it numbers its
    // rows itself.
    QStringList Schema() {
        QStringList lines;
        for (const QString& table : Tables()) {
            lines << table + ": " + Rows("SELECT name, type, \"notnull\", dflt_value, pk FROM pragma_table_info(" +
                                         SqlText(table) + ")");
            lines << table + " indexes: " +
                         Rows("SELECT l.name, l.\"unique\", (SELECT group_concat(name || ' ' || coll, ',') FROM "
                              "pragma_index_xinfo(l.name) WHERE key)"
                              " FROM pragma_index_list(" + SqlText(table) + ") l ORDER BY l.name");
            lines << table + " numbers rows: " +
                         Rows("SELECT sql LIKE '%AUTOINCREMENT%' FROM sqlite_master WHERE name = " + SqlText(table));
        }
        return lines;
    }
    // Every row of every table as the program reads its values, in row order.
    QStringList Content() {
        QStringList lines;
        for (const QString& table : Tables())
            lines << table + ": " +
                         Rows("SELECT * FROM " + QuoteName(table) +
                              (table == "sqlite_sequence" ? " ORDER BY name" : " ORDER BY rowid"));
        return lines;
    }
    int Version() { return Rows("PRAGMA user_version").toInt(); }

private:
    static QString SqlText(const QString& text) { return "'" + QString(text).replace("'", "''") + "'"; }
    static inline int Counter = 0;
    QString Name;
};

QString Fixture(const QString& name) { return QString(TAVLO_TEST_DIR) + "/fixtures/" + name; }

// A file as the previous program made it at first start: the script of that
// time, which set no schema version.
QString OldFile(const QTemporaryDir& dir, const QString& fixture) {
    const QString file = QDir(dir.path()).filePath(QString(fixture).replace(".sql", ".db"));
    CreateDatabaseFile(file, Fixture(fixture));
    return file;
}

// The rights of a path in octal ("600").
QString Permissions(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return "missing";
    return QString::number(info.st_mode & 0777, 8);
}

// The process's umask for the object's lifetime.
struct TUmask {
    mode_t Saved;
    explicit TUmask(mode_t mask) : Saved(::umask(mask)) {}
    ~TUmask() { ::umask(Saved); }
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
        QCOMPARE(ColumnOf(&risks, "Risk id"), QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9", "19", "33"}));
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
    // columns (in any order) with their kind, size and required flag
    // ("text50", "memo", "logical!" for a required one), its first field an
    // auto-increment where the store numbers the rows, and the orders and
    // filters of the modules. Table names compare without regard to case.
    void everyTableOpensAsTheModulesReadIt_data() {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<bool>("autoInc");
        const QString app = "ApplicationAlias", patients = "PatientAlias";
        const QStringList risks{"Risk id=auto",     "Name=text50",        "Obsolete=logical", "Group=small",
                                "Type=small",       "Color=int",          "Default=text50",   "Decimals=small",
                                "Dependent=text100", "Expression=memo",   "Adjust=memo",      "Min=float",
                                "Max=float",        "UnitCategory=text30", "UnitName=text15"};
        const QStringList modelRisks{"Risk id=int",     "Active=logical!", "Visible=logical!",      "Enabled=logical",
                                     "Expression=memo", "Adjust=memo",     "NotUsedInCalc=logical", "CalcID=int"};
        const QStringList values{"Value id=auto", "Risk id=int", "Type=small", "Value=float", "CalcID=int"};
        const QStringList baseline{"BaselineId=auto", "Group=int", "Age=float", "Value=float", "CalcID=int"};
        const QStringList groups{"Group=int", "Name=text50"};
        const QStringList compose{"Compose id=auto", "Country id=int", "Name=text100", "Type=small", "Expression=memo"};
        const QStringList country{"Country id=auto",       "Name=text50",          "BirthDateFormat=text15",
                                  "PatientIdValidation=text20", "PatientIdAutoNumber=logical", "PredictionYears=small",
                                  "Separator name=text1",  "ISOLanguage=text5",    "CalcID=int",
                                  "Program title=text40",  "Splash title=text40",  "Print title=text40",
                                  "SplashMessage=memo",    "AboutMessage=memo",    "ScaleFactor=small",
                                  "HelpFile=text20",       "Enabled=logical"};
        const QStringList names{"Country id=int", "Risk id=int", "Type=int", "Name=text50"};
        const QStringList patient{"Patient id=auto",  "Identity=text20",   "Auto=int",
                                  "Birth date=datetime!", "Sequence id=text4", "First name=text30",
                                  "Last name=text30", "Export=logical!",   "Test=logical!"};
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
        row("Group_P", app, "Group_P", "", "", groups, false);
        row("Group_D", app, "Group_D", "", "", groups, false);
        row("CalcModel", app, "CalcModel", "CalcID", "", {"CalcID=int", "Description=text50"}, false);
        row("General", app, "General", "", "",
            {"Version=int", "Prediction=text50", "PrintLogo=text100", "Absolute min=float", "Absolute max=float",
             "Validation=text20"},
            false);
        row("Country", app, "Country", "", "", country, true);
        row("Names", app, "Names", "Country id", "Type = 1", names, false);
        row("NamesLookup", app, "Names", "Country id;Risk id;Type", "", names, false);
        row("Colors", app, "Colors", "Country id;Max", "", {"Country id=int", "Max=int", "Text=text50", "Color=int"},
            false);
        row("Compose_P", app, "Compose_P", "Country id;Name", "Type = 1", compose, true);
        row("Compose_D", app, "Compose_D", "Country id;Compose id", "", compose, true);
        row("ID", app, "ID", "", "", {"Name=text20", "Expression=text1000", "Pattern=text50"}, false);
        row("UNITCNV", app, "UNITCNV", "", "",
            {"Category=text30", "FromUnit=text15", "ToUnit=text15", "Expression=text255"}, false);
        row("EXCHANGE", app, "EXCHANGE", "", "Category = 'PATIENT'",
            {"Format=text30", "Category=text20", "Class=text30", "Scheme=text20", "Date format=text15",
             "Extension=text5", "Description=text100", "Enabled=logical", "OEM=logical", "Encrypted=logical",
             "Internal=logical"},
            false);
        row("SCHEME", app, "SCHEME", "Scheme;Record type;Field number", "",
            {"Scheme=text20", "Record type=text5", "Field name=text30", "Field type=text10", "Field number=int",
             "Position=int", "Length=int", "Decimals=int"},
            false);
        row("Item", app, "Item", "Name;Dose", "ID > 1", {"ID=auto", "Name=text25", "Dose=float"}, true);
        row("ItemGroup", app, "ItemGroup", "Name", "ID > 1", {"ID=auto", "Name=text25"}, true);
        row("ItemLink", app, "ItemLink", "JournalID;GroupID;ItemID", "", {"JournalID=int", "GroupID=int", "ItemID=int"},
            false);
        row("Patient", patients, "Patient", "", "", patient, true);
        row("PATIENT", patients, "PATIENT", "Birth date;Sequence id", "Export = True", patient, true);
        row("Journal", patients, "JOURNAL", "Patient id;Date;Journal id", "",
            {"Journal id=auto", "Patient id=int", "Date=datetime", "Doctor=text50", "Memo=memo", "CalcID=int"}, true);
        row("Base", patients, "Base", "Patient id;Risk id", "[Risk id] <> 7",
            {"Patient id=int", "Risk id=int", "Examination=float"}, false);
        row("Exam", patients, "Exam", "Journal id;Risk id", "",
            {"Journal id=int", "Risk id=int", "Examination=float", "Treatment=float", "Transferred=logical"}, false);
        row("Doctors", patients, "Doctors", "", "", {"Doctor id=auto", "Name=text50"}, true);
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
            fields << t.FieldAt(i)->FieldName() + '=' + KindOf(t.FieldAt(i));
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

    // Long texts come back exactly as written, also those that look like
    // numbers: a MEMO column read "007" as 7 and "1e3" as 1000.
    void memoTextsAreKeptExactly_data() {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        const QString app = "ApplicationAlias";
        QTest::newRow("Risks Expression") << app << "Risks" << "Expression";
        QTest::newRow("Risks Adjust") << app << "Risks" << "Adjust";
        QTest::newRow("Risks_P Expression") << app << "Risks_P" << "Expression";
        QTest::newRow("Risks_D Adjust") << app << "Risks_D" << "Adjust";
        QTest::newRow("Country SplashMessage") << app << "Country" << "SplashMessage";
        QTest::newRow("Country AboutMessage") << app << "Country" << "AboutMessage";
        QTest::newRow("Compose_P Expression") << app << "Compose_P" << "Expression";
        QTest::newRow("Compose_D Expression") << app << "Compose_D" << "Expression";
        QTest::newRow("Journal Memo") << "PatientAlias" << "Journal" << "Memo";
    }
    void memoTextsAreKeptExactly() {
        QFETCH(QString, database);
        QFETCH(QString, table);
        QFETCH(QString, column);
        TAliasRedirect folder;
        CreateMissingDatabases();
        auto db = Connect(database, database == "PatientAlias" ? PatientAliasName : ApplicationAliasName);
        db->ExecSql("DELETE FROM " + QuoteName(table));
        const QStringList texts{"007", "1e3", "004512345678", "1.50", " 12 ", "-0", "0x1F"};
        {
            TTable t;
            t.SetDatabaseName(database);
            t.SetTableName(table);
            t.Open();
            QCOMPARE(t.FieldByName(column)->DataType(), TFieldType::ftMemo);
            for (const QString& text : texts) {
                t.Append();
                for (TField* field : t.Fields())
                    if (field->Required() && field->DataType() == TFieldType::ftBoolean)
                        field->SetAsBoolean(false);
                t.FieldByName(column)->SetAsString(text);
                t.Post();
            }
        }
        TTable t;
        t.SetDatabaseName(database);
        t.SetTableName(table);
        t.Open();
        QCOMPARE(ColumnOf(&t, column), texts);
    }

    // A file of the previous program takes the current schema in one go:
    // the same tables, columns, indexes and numbering as a new file, and
    // every row as the program read it before (a missing sequence id becomes
    // the empty one). What the old columns had already altered stays so;
    // what is written afterwards is kept exactly.
    void oldFileIsMigrated_data() {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("fill");
        QTest::addColumn<QString>("changedTable");
        QTest::addColumn<QString>("changedRows");
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QString>("numbered");
        QTest::newRow("application database")
            << "TavloCalc-v0.sql" << ApplicationSeedName
            << QStringList{"INSERT INTO Country (Name, SplashMessage, AboutMessage) VALUES ('Norge', '007', '1e3')",
                           "INSERT INTO Country (Name, SplashMessage) VALUES ('Island', '2.5e1')",
                           "INSERT INTO Country (Name, SplashMessage, AboutMessage) VALUES ('Suomi', "
                           "'12345678901234567890', '1e20')",
                           "INSERT INTO Compose_D (\"Country id\", Name, Type, Expression) VALUES (1, 'x', 1, "
                           "'Result := ''1.50''')",
                           "UPDATE Risks SET Adjust = '0.125' WHERE \"Risk id\" = 33",
                           "DELETE FROM Country WHERE Name = 'Island'"}
            << "" << "" << "Country.SplashMessage"
            << "INSERT INTO Country (Name) VALUES ('Sverige')|SELECT max(\"Country id\") FROM Country|6";
        QTest::newRow("patient database")
            << "TavloPatients-v0.sql" << PatientSeedName
            << QStringList{"INSERT INTO Patient (\"Birth date\", \"Sequence id\", \"Last name\", Export, Test) VALUES "
                           "(20000, NULL, 'Ask', 0, 0), (20000, '0001', 'Bo', 1, 0), (20001, '', 'Cai', 0, 1), "
                           "(20002, NULL, 'Dan', 0, 0), (20003, '0002', 'Eik', 0, 0)",
                           "DELETE FROM Patient WHERE \"Last name\" = 'Eik'",
                           "INSERT INTO Journal (\"Patient id\", Date, Doctor, Memo) VALUES (1, 45000, 'Lind', "
                           "'004512345678'), (1, 45001.5, NULL, '1e3'), (2, 45002, 'Lind', 'BT 120/80')",
                           "INSERT INTO Base VALUES (1, 8, 180.5)", "INSERT INTO Exam VALUES (2, 1, 120, 110, 1)",
                           "INSERT INTO Doctors (Name) VALUES ('Lind')"}
            << "Patient"
            << "1|NULL|NULL|20000||NULL|Ask|0|0;2|NULL|NULL|20000|0001|NULL|Bo|1|0;3|NULL|NULL|20001||NULL|Cai|0|1;"
               "4|NULL|NULL|20002||NULL|Dan|0|0"
            << "Journal.Memo"
            << "INSERT INTO Patient (\"Birth date\", Export, Test) VALUES (1, 0, 0)|SELECT max(\"Patient id\") FROM "
               "Patient|6";
    }
    void oldFileIsMigrated() {
        QFETCH(QString, fixture);
        QFETCH(QString, script);
        QFETCH(QStringList, fill);
        QFETCH(QString, changedTable);
        QFETCH(QString, changedRows);
        QFETCH(QString, memo);
        QFETCH(QString, numbered);
        QTemporaryDir dir;
        const QString file = OldFile(dir, fixture);
        QStringList before;
        {
            TPlainFile old(file);
            QCOMPARE(old.Version(), 0);
            for (const QString& sql : fill)
                QCOMPARE(old.Exec(sql), QString());
            before = old.Content();
        }
        QVERIFY(UpgradeDatabaseFile(file));
        QVERIFY(!UpgradeDatabaseFile(file)); // current now
        const QString freshFile = QDir(dir.path()).filePath("fresh.db");
        QVERIFY(CreateDatabaseFile(freshFile, SeedFileName(script)));
        TPlainFile migrated(file), fresh(freshFile);
        QCOMPARE(fresh.Version(), SchemaVersion);
        QCOMPARE(migrated.Version(), SchemaVersion);
        QCOMPARE(migrated.Schema(), fresh.Schema());
        // The archive's search by name ignoring case runs on an index.
        if (script == PatientSeedName)
            for (TPlainFile* db : {&migrated, &fresh})
                QVERIFY2(db->Rows("EXPLAIN QUERY PLAN SELECT * FROM Patient WHERE \"Last name\" = 'ask' COLLATE NOCASE")
                             .contains("IX_Patient_LastName_NoCase"),
                         qPrintable(db->Rows("EXPLAIN QUERY PLAN SELECT * FROM Patient WHERE \"Last name\" = 'ask' "
                                             "COLLATE NOCASE")));
        const QStringList after = migrated.Content();
        QCOMPARE(after.size(), before.size());
        for (int i = 0; i < after.size(); ++i) {
            if (!changedTable.isEmpty() && after[i].startsWith(changedTable + ": "))
                QCOMPARE(after[i], changedTable + ": " + changedRows);
            else
                QCOMPARE(after[i], before[i]);
        }
        // New long texts are kept exactly.
        const QString memoTable = memo.section('.', 0, 0), memoColumn = QuoteName(memo.section('.', 1));
        QCOMPARE(migrated.Exec("UPDATE " + memoTable + " SET " + memoColumn + " = ?", {"007"}), QString());
        QCOMPARE(migrated.Rows("SELECT DISTINCT " + memoColumn + " FROM " + memoTable), QString("007"));
        // Numbers freed by deleted rows stay unused.
        QCOMPARE(migrated.Exec(numbered.section('|', 0, 0)), QString());
        QCOMPARE(migrated.Rows(numbered.section('|', 1, 1)), numbered.section('|', 2, 2));
    }

    // The first examination of a migrated file still gets number 2.
    void migratedFileKeepsTheTemplatesNumber() {
        QTemporaryDir dir;
        const QString file = OldFile(dir, "TavloPatients-v0.sql");
        QVERIFY(UpgradeDatabaseFile(file));
        TPlainFile migrated(file);
        QCOMPARE(migrated.Exec("INSERT INTO Journal (\"Patient id\") VALUES (1)"), QString());
        QCOMPARE(migrated.Rows("SELECT \"Journal id\" FROM Journal"), QString("2"));
    }

    // Neither part of the patient key is NULL, in a new file and in a
    // migrated one: a missing sequence id is the empty one, and counts as
    // one value.
    void patientKeyHasNoNullParts_data() {
        QTest::addColumn<bool>("migrated");
        QTest::newRow("new file") << false;
        QTest::newRow("migrated file") << true;
    }
    void patientKeyHasNoNullParts() {
        QFETCH(bool, migrated);
        QTemporaryDir dir;
        QString file = QDir(dir.path()).filePath("Patients.db");
        if (migrated) {
            file = OldFile(dir, "TavloPatients-v0.sql");
            QVERIFY(UpgradeDatabaseFile(file));
        } else {
            QVERIFY(CreateDatabaseFile(file, SeedFileName(PatientSeedName)));
        }
        TPlainFile patients(file);
        const QString add = "INSERT INTO Patient (\"Birth date\", \"Sequence id\", Export, Test) VALUES (?, ?, 0, 0)";
        QCOMPARE(patients.Exec(add, {20000, QVariant()}), QString());
        QCOMPARE(patients.Rows("SELECT quote(\"Sequence id\") FROM Patient"), QString("''"));
        QVERIFY(patients.Exec(add, {20000, QVariant()}).contains("UNIQUE"));
        QVERIFY(patients.Exec(add, {20000, ""}).contains("UNIQUE"));
        QVERIFY(patients.Exec(add, {QVariant(), "0001"}).contains("NOT NULL"));
        QCOMPARE(patients.Exec(add, {20000, "0001"}), QString());
        QVERIFY(patients.Exec("UPDATE Patient SET \"Sequence id\" = NULL WHERE \"Sequence id\" = '0001'").contains("UNIQUE"));
        QCOMPARE(patients.Rows("SELECT count(*) FROM Patient"), QString("2"));
    }

    // A file whose patients the key cannot hold is refused with the file and
    // the patients named, and left exactly as it was.
    void migrationRefusesPatientsTheKeyCannotHold_data() {
        QTest::addColumn<QString>("patients");
        QTest::addColumn<QStringList>("named");
        const QString date = ToQDate(20000).toString(Qt::ISODate);
        QTest::newRow("NULL and empty sequence id")
            << "(20001, '0001'), (20000, NULL), (20000, '')" << QStringList{"patients 2 and 3", date};
        QTest::newRow("two NULL sequence ids")
            << "(20000, NULL), (20001, NULL), (20000, NULL)" << QStringList{"patients 1 and 3", date};
        QTest::newRow("no birth date") << "(20000, '0001'), (NULL, '0002')" << QStringList{"patient 2 has no birth date"};
    }
    void migrationRefusesPatientsTheKeyCannotHold() {
        QFETCH(QString, patients);
        QFETCH(QStringList, named);
        QTemporaryDir dir;
        const QString file = OldFile(dir, "TavloPatients-v0.sql");
        QStringList content, schema;
        {
            TPlainFile old(file);
            QCOMPARE(old.Exec("INSERT INTO Patient (\"Birth date\", \"Sequence id\", Export, Test) SELECT column1, "
                              "column2, 0, 0 FROM (VALUES " + patients + ")"),
                     QString());
            content = old.Content();
            schema = old.Schema();
        }
        try {
            UpgradeDatabaseFile(file);
            QFAIL("a file whose patients share a key was migrated");
        } catch (const EDatabaseError& error) {
            QVERIFY2(error.Message().contains(QDir::toNativeSeparators(file)), qPrintable(error.Message()));
            for (const QString& part : named)
                QVERIFY2(error.Message().contains(part), qPrintable(error.Message()));
        }
        TPlainFile old(file);
        QCOMPARE(old.Version(), 0);
        QCOMPARE(old.Schema(), schema);
        QCOMPARE(old.Content(), content);
    }

    void newerFileIsRefused() {
        QTemporaryDir dir;
        const QString file = QDir(dir.path()).filePath("Calc.db");
        QVERIFY(CreateDatabaseFile(file, SeedFileName(ApplicationSeedName)));
        {
            TPlainFile newer(file);
            QCOMPARE(newer.Exec(QString("PRAGMA user_version = %1").arg(SchemaVersion + 1)), QString());
        }
        try {
            UpgradeDatabaseFile(file);
            QFAIL("a file of a newer program was taken");
        } catch (const EDatabaseError& error) {
            QVERIFY2(error.Message().contains(QDir::toNativeSeparators(file)), qPrintable(error.Message()));
            QVERIFY2(error.Message().contains("newer version"), qPrintable(error.Message()));
        }
        QCOMPARE(DatabaseFileVersion(file), SchemaVersion + 1);
    }

    // The folder and every file of the patient data open to the user alone,
    // whatever the umask: the databases, and the WAL and shared-memory files
    // that SQLite makes with the database file's rights. A first start has
    // nothing to report.
    void databasesArePrivate() {
        TUmask mask(022);
        TAliasRedirect folder("data");
        QVERIFY(QDir().mkpath(folder.Folder)); // as the alias file's writer leaves it: 0755
        QStringList tightened;
        QCOMPARE(CreateMissingDatabases(&tightened).size(), 2);
        QCOMPARE(tightened, QStringList());
        QCOMPARE(Permissions(folder.Folder), QString("700"));
        QCOMPARE(Permissions(folder.File("TavloCalc.db")), QString("600"));
        QCOMPARE(Permissions(folder.File("TavloPatients.db")), QString("600"));
        auto patients = Connect("PatientAlias", PatientAliasName);
        patients->ExecSql("INSERT INTO Doctors (Name) VALUES ('Lind')");
        QCOMPARE(Permissions(folder.File("TavloPatients.db-wal")), QString("600"));
        QCOMPARE(Permissions(folder.File("TavloPatients.db-shm")), QString("600"));
    }

    // The alias file's folder (the user's data folder) is made private when
    // the alias file is first written, and a database the program creates
    // (an export) is private from its first byte, with its WAL.
    void aliasFolderAndCreatedExportArePrivate() {
        TUmask mask(022);
        const QString aliasFile = Session().AliasFile();
        const QString aliasFolder = QFileInfo(aliasFile).absolutePath();
        QByteArray saved;
        {
            QFile file(aliasFile);
            if (file.open(QIODevice::ReadOnly))
                saved = file.readAll();
        }
        QFile::remove(aliasFile);
        QVERIFY(QDir().mkpath(aliasFolder));
        QVERIFY(::chmod(QFile::encodeName(aliasFolder).constData(), 0755) == 0);
        Session().Reload();
        QVERIFY(Session().AliasExists(ApplicationAliasName)); // writes the alias file afresh
        QVERIFY(QFile::exists(aliasFile));
        QCOMPARE(Permissions(aliasFolder), QString("700"));

        QTemporaryDir dir;
        Session().AddAlias("PrivateExport", {"TYPE=SQLITE", "PATH=" + dir.path(), "DATABASE NAME=Export.mdb"});
        {
            TDatabase db;
            db.SetAliasName("PrivateExport");
            db.Params << "CREATE=TRUE";
            db.Open();
            db.ExecSql("CREATE TABLE \"T\" (\"x\" INTEGER)");
            QCOMPARE(Permissions(QDir(dir.path()).filePath("Export.mdb")), QString("600"));
            QCOMPARE(Permissions(QDir(dir.path()).filePath("Export.mdb-wal")), QString("600"));
            db.Close();
        }
        Session().DeleteAlias("PrivateExport");
        if (!saved.isEmpty()) {
            QFile file(aliasFile);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(saved);
        }
        Session().Reload();
    }

    // At start what others could read is tightened, and named once.
    void looseRightsAreTightenedAtStart() {
        TUmask mask(022);
        TAliasRedirect folder("data");
        CreateMissingDatabases();
        QVERIFY(::chmod(QFile::encodeName(folder.Folder).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(folder.File("TavloCalc.db")).constData(), 0644) == 0);
        QVERIFY(::chmod(QFile::encodeName(folder.File("TavloPatients.db")).constData(), 0640) == 0);
        QStringList tightened;
        QCOMPARE(CreateMissingDatabases(&tightened), QStringList());
        QCOMPARE(tightened, QStringList({QDir::toNativeSeparators(folder.Folder),
                                         QDir::toNativeSeparators(folder.File("TavloCalc.db")),
                                         QDir::toNativeSeparators(folder.File("TavloPatients.db"))}));
        QCOMPARE(Permissions(folder.Folder), QString("700"));
        QCOMPARE(Permissions(folder.File("TavloCalc.db")), QString("600"));
        QCOMPARE(Permissions(folder.File("TavloPatients.db")), QString("600"));
        const QString notice = TightenedNotice(tightened);
        for (const QString& path : tightened)
            QVERIFY(notice.contains(path));
        tightened.clear();
        CreateMissingDatabases(&tightened);
        QCOMPARE(tightened, QStringList());
        QCOMPARE(TightenedNotice(tightened), QString());
    }

    void privateFilesWhateverTheUmask_data() {
        QTest::addColumn<int>("umask");
        QTest::newRow("000") << 0;
        QTest::newRow("022") << 022;
        QTest::newRow("077") << 077;
        QTest::newRow("277") << 0277;
    }
    void privateFilesWhateverTheUmask() {
        QFETCH(int, umask);
        QTemporaryDir dir;
        const QString folder = QDir(dir.path()).filePath("a/b");
        const QString file = QDir(folder).filePath("f.db");
        TUmask mask(mode_t(umask & 0777));
        QVERIFY(MakePrivateFolder(folder));
        QVERIFY(CreatePrivateFile(file));
        QVERIFY(!CreatePrivateFile(file)); // exists
        QCOMPARE(Permissions(folder), QString("700"));
        QCOMPARE(Permissions(file), QString("600"));
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
        QTest::newRow("calculation models") << "SELECT CalcID FROM CalcModel ORDER BY 1" << "1;2;3;4";
        QTest::newRow("groups P") << "SELECT \"Group\", Name FROM Group_P ORDER BY 1" << "0 Men;1 Women";
        QTest::newRow("groups D") << "SELECT \"Group\", Name FROM Group_D ORDER BY 1" << "0 Men;1 Women";
        QTest::newRow("risk factors")
            << "SELECT \"Risk id\", Name, \"Group\", Type, UnitName, Dependent FROM Risks ORDER BY 1"
            << QString::fromUtf8("1 Blood pressure 1 1 mmHg ;2 Cholesterol 1 1 mmol/L ;3 Smoking 1 2  ;"
                                 "4 Weight 1 1 kg BMI;5 Sex 2 2  ;6 Family history 2 2  ;7 Diabetes 2 2  ;8 Height 2 1 cm BMI;"
                                 "9 Previous heart disease 2 2  ;19 HDL 1 1 mmol/L ;33 BMI 1 1 kg/m² ");
        QTest::newRow("plausible limits around the default")
            << "SELECT \"Risk id\" FROM Risks WHERE Min IS NULL OR Max IS NULL OR Min >= Max "
               "OR CAST(\"Default\" AS REAL) < Min OR CAST(\"Default\" AS REAL) > Max" << "";
        QTest::newRow("model rows per variant")
            << "SELECT 'P', CalcID, COUNT(*) FROM Risks_P GROUP BY CalcID UNION ALL "
               "SELECT 'D', CalcID, COUNT(*) FROM Risks_D GROUP BY CalcID" << "P 1 11;P 2 11;P 3 11;P 4 11;D 1 11;D 2 11;D 3 11;D 4 11";
        QTest::newRow("model rows name shared factors")
            << "SELECT \"Risk id\" FROM Risks_P WHERE \"Risk id\" NOT IN (SELECT \"Risk id\" FROM Risks) UNION "
               "SELECT \"Risk id\" FROM Risks_D WHERE \"Risk id\" NOT IN (SELECT \"Risk id\" FROM Risks)" << "";
        QTest::newRow("countries")
            << "SELECT Name, ISOLanguage, \"Separator name\", BirthDateFormat, PredictionYears, PatientIdAutoNumber, "
               "Enabled, CalcID FROM Country ORDER BY Name"
            << "Danmark da/dk , dd-mm-yy 10 0 1 1;United Kingdom en/gb . dd-mm-yy 10 1 1 1";
        QTest::newRow("names, pick lists and units per country")
            << "SELECT \"Country id\", Type, COUNT(*) FROM Names GROUP BY 1, 2" << "1 1 11;1 2 11;1 3 6;2 1 11;2 2 11;2 3 6";
        QTest::newRow("every factor has a pick list in each country")
            << "SELECT c.\"Country id\", r.\"Risk id\" FROM Country c, Risks r WHERE NOT EXISTS (SELECT 1 FROM Names n "
               "WHERE n.\"Country id\" = c.\"Country id\" AND n.\"Risk id\" = r.\"Risk id\" AND n.Type = 2)" << "";
        QTest::newRow("smoking pick list")
            << "SELECT Name FROM Names WHERE \"Country id\" = 1 AND \"Risk id\" = 3 AND Type = 2"
            << "[Never;0],[Former;1],[Current;2]";
        QTest::newRow("colour bands reach 100") << "SELECT \"Country id\", COUNT(*), MAX(Max) FROM Colors GROUP BY 1"
                                                << "1 3 100;2 3 100";
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
        QTest::newRow("model tables hold the SCORE2 models")
            << "SELECT (SELECT COUNT(*) FROM Baseline_P), (SELECT COUNT(*) FROM Baseline_D), "
               "(SELECT COUNT(*) FROM Values_P), (SELECT COUNT(*) FROM Compose_D)" << "320 320 136 18";
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
