#pragma once
// Databases of the tests: each an alias to a file in a temporary folder of
// its own, so tests never share a file.

#include "DatabaseSetup.h"
#include "Exceptions.h"
#include "TableStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

struct TTestDatabase {
    QTemporaryDir Dir;
    std::unique_ptr<TDatabase> Db;

    explicit TTestDatabase(const QString& name = QStringLiteral("TestDB"), const QString& file = QStringLiteral("test.db")) {
        Session().AddAlias(name + QStringLiteral("Alias"), {"TYPE=SQLITE", "PATH=" + Dir.path(), "DATABASE NAME=" + file});
        Db = std::make_unique<TDatabase>();
        Db->SetDatabaseName(name);
        Db->SetAliasName(name + QStringLiteral("Alias"));
        Db->Params << "CREATE=TRUE" << "PASSWORD=secret";
        Db->Open();
    }
    ~TTestDatabase() { Db.reset(); }

    QString Name() const { return Db->DatabaseName(); }

    void Create(const QString& table, const TFieldDefs& defs, const QVector<TIndexDef>& indexes = {}) {
        TTable t;
        t.SetDatabaseName(Name());
        t.SetTableName(table);
        t.CreateTable(defs, indexes);
    }
    void Exec(const QString& sql, const QVariantList& params = {}) { Db->ExecSql(sql, params); }

    // The patient schema the journal uses.
    void CreatePatientTables() {
        Create("Patient",
               {{"Patient id", TFieldType::ftAutoInc}, {"Identity", TFieldType::ftString, 20},
                {"Birth date", TFieldType::ftDateTime}, {"Sequence id", TFieldType::ftString, 4},
                {"First name", TFieldType::ftString, 30}, {"Last name", TFieldType::ftString, 30},
                {"Export", TFieldType::ftBoolean, 0, true}, {"Test", TFieldType::ftBoolean, 0, true}},
               {{"DEFAULT_ORDER", "Birth date;Sequence id", true}});
        Create("Journal",
               {{"Journal id", TFieldType::ftAutoInc}, {"Patient id", TFieldType::ftInteger},
                {"Date", TFieldType::ftDateTime}, {"Doctor", TFieldType::ftString, 50}, {"Memo", TFieldType::ftMemo},
                {"CalcID", TFieldType::ftInteger}},
               {{"ByPatient", "Patient id;Date;Journal id", false}});
        Create("Base", {{"Patient id", TFieldType::ftInteger}, {"Risk id", TFieldType::ftInteger},
                        {"Examination", TFieldType::ftFloat}},
               {{"ByPatient", "Patient id;Risk id", true}});
    }
    void AddPatient(int id, const QString& first, const QString& last, TDateTime birth, const QString& seq,
                    bool exportMark = false) {
        Exec("INSERT INTO Patient (\"Patient id\", \"First name\", \"Last name\", \"Birth date\", \"Sequence id\", "
             "Export, Test) VALUES (?, ?, ?, ?, ?, ?, 0)",
             {id, first, last, birth, seq, exportMark ? 1 : 0});
    }
    void AddJournal(int id, int patient, TDateTime date, const QString& doctor = QString()) {
        Exec("INSERT INTO Journal (\"Journal id\", \"Patient id\", Date, Doctor) VALUES (?, ?, ?, ?)",
             {id, patient, date, doctor});
    }
    // Three patients; patient 1 has three examinations, patient 2 one, patient 3 none.
    void FillPatients() {
        CreatePatientTables();
        AddPatient(1, "Anna", "Berg", EncodeDate(1950, 3, 1), "0001", true);
        AddPatient(2, "Bo", "Dahl", EncodeDate(1960, 4, 2), "0002");
        AddPatient(3, "Cora", "Ek", EncodeDate(1970, 5, 3), "0003", true);
        AddJournal(10, 1, EncodeDate(2020, 1, 10), "Lind");
        AddJournal(11, 1, EncodeDate(2019, 6, 1), "Moe");
        AddJournal(12, 1, EncodeDate(2021, 2, 2), "Lind");
        AddJournal(20, 2, EncodeDate(2018, 3, 3), "Moe");
    }
};

inline QStringList Column(TDataSet* ds, const QString& field) {
    QStringList values;
    const int count = ds->RecordCount();
    for (int i = 0; i < count; ++i)
        ds->WithRecord(i, [&] { values << ds->FieldByName(field)->AsString(); });
    return values;
}

// The application database as the seed makes it. Running the seed script
// takes a while, so a test class builds it once (as a member) and calls
// Reset() between its tests: the file is copied back from the one built,
// and no test sees another's changes.
class TSeedDatabase {
public:
    explicit TSeedDatabase(const QString& name = QStringLiteral("SeedDB")) : FName(name) {
        Session().AddAlias(name + QStringLiteral("Alias"),
                           {"TYPE=SQLITE", "PATH=" + FDir.path(), "DATABASE NAME=TavloCalc.db"});
        if (!CreateDatabaseFile(Built(), SeedFileName(ApplicationSeedName)))
            throw Exception(QStringLiteral("the seed database was not built"));
        Db = std::make_unique<TDatabase>();
        Db->SetDatabaseName(name);
        Db->SetAliasName(name + QStringLiteral("Alias"));
        Db->Params << "PASSWORD=secret";
        Reset();
    }

    QString Name() const { return FName; }

    // The database as the seed left it, open; its tables are closed.
    void Reset() {
        Db->Close();
        const QString working = QDir(FDir.path()).filePath(QStringLiteral("TavloCalc.db"));
        for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QFile::remove(working + suffix);
        if (!QFile::copy(Built(), working))
            throw Exception(QStringLiteral("the seed database could not be copied for the test"));
        QFile::setPermissions(working, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        Db->Open();
    }

    std::unique_ptr<TDatabase> Db;

private:
    QString Built() const { return QDir(FDir.path()).filePath(QStringLiteral("Seed.db")); }

    QTemporaryDir FDir;
    QString FName;
};
