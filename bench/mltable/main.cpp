// The model tables over a practice-sized patient database, against the table
// store's own stored tables in the same run:
//   - stepping Patient -> Journal -> Exam with TMlTable details (each holds
//     only its master's rows) against TTable details;
//   - a new patient through a TMlTable (written back, then the table is
//     refreshed) against a new patient through a TTable;
//   - switching the variant of three model tables from their cached packets
//     against reopening them from the store.
// The patient database is generated once and kept in the temporary folder.

#include "MorlenTables.h"
#include "TableStore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <cstdio>

namespace {

constexpr int Patients = 20000;
constexpr int Examinations = 5;
constexpr int Values = 8;
constexpr int Steps = 1000;
constexpr int NewPatients = 20;
constexpr int Switches = 200;

void Generate(TDatabase& db) {
    db.ExecSql("CREATE TABLE Patient (\"Patient id\" INTEGER PRIMARY KEY AUTOINCREMENT, \"Birth date\" DATETIME, "
               "\"Sequence id\" VARCHAR(4), \"First name\" VARCHAR(30), \"Last name\" VARCHAR(30), "
               "Export BOOLEAN NOT NULL, Test BOOLEAN NOT NULL)");
    db.ExecSql("CREATE UNIQUE INDEX \"Patient:DEFAULT_ORDER\" ON Patient (\"Birth date\", \"Sequence id\")");
    db.ExecSql("CREATE TABLE Journal (\"Journal id\" INTEGER PRIMARY KEY AUTOINCREMENT, \"Patient id\" INTEGER, "
               "Date DATETIME, Doctor VARCHAR(50))");
    db.ExecSql("CREATE INDEX \"Journal:ByPatient\" ON Journal (\"Patient id\", Date, \"Journal id\")");
    db.ExecSql("CREATE TABLE Exam (\"Journal id\" INTEGER, \"Risk id\" INTEGER, Examination FLOAT, Treatment FLOAT)");
    db.ExecSql("CREATE INDEX \"Exam:ByJournal\" ON Exam (\"Journal id\", \"Risk id\")");
    QSqlDatabase c = db.Connection();
    c.transaction();
    QSqlQuery patient(c), journal(c), exam(c);
    patient.prepare("INSERT INTO Patient VALUES (?, ?, ?, ?, ?, 0, 0)");
    journal.prepare("INSERT INTO Journal VALUES (?, ?, ?, 'Doctor')");
    exam.prepare("INSERT INTO Exam VALUES (?, ?, ?, ?)");
    int journalId = 0;
    for (int p = 1; p <= Patients; ++p) {
        patient.bindValue(0, p);
        patient.bindValue(1, EncodeDate(1930, 1, 1) + p % 20000);
        patient.bindValue(2, QString("%1").arg(p / 20000, 4, 10, QChar('0')));
        patient.bindValue(3, QString("First%1").arg(p % 997));
        patient.bindValue(4, QString("Last%1").arg(p % 4999));
        patient.exec();
        for (int j = 0; j < Examinations; ++j) {
            journal.bindValue(0, ++journalId);
            journal.bindValue(1, p);
            journal.bindValue(2, EncodeDate(2010, 1, 1) + (Examinations - j) * 90);
            journal.exec();
            for (int r = 1; r <= Values; ++r) {
                exam.bindValue(0, journalId);
                exam.bindValue(1, r);
                exam.bindValue(2, r * 1.5 + j);
                exam.bindValue(3, r * 1.25);
                exam.exec();
            }
        }
    }
    c.commit();
    db.SchemaChanged();
}

template <class T>
std::unique_ptr<T> Detail(const QString& table, const QString& order, const QString& link, TDataSource* master) {
    auto t = std::make_unique<T>();
    t->SetDatabaseName("BenchDB");
    t->SetTableName(table);
    t->SetIndexFieldNames(order);
    t->SetMasterFields(link);
    t->SetMasterSource(master);
    t->Open();
    return t;
}

// Steps through the patients with their examinations and values; the most
// rows any Exam detail held at once.
template <class T>
double Step(long& rows, int& mostHeld) {
    TTable patient;
    patient.SetDatabaseName("BenchDB");
    patient.SetTableName("Patient");
    patient.Open();
    TDataSource patientSource, journalSource;
    patientSource.SetDataSet(&patient);
    auto journal = Detail<T>("Journal", "Patient id;Date;Journal id", "Patient id", &patientSource);
    journalSource.SetDataSet(journal.get());
    auto exam = Detail<T>("Exam", "Journal id;Risk id", "Journal id", &journalSource);
    QElapsedTimer timer;
    timer.start();
    double sum = 0;
    for (int step = 0; step < Steps && !patient.Eof(); ++step) {
        for (journal->First(); !journal->Eof(); journal->Next())
            for (exam->First(); !exam->Eof(); exam->Next()) {
                sum += exam->FieldByName("Examination")->AsFloat();
                ++rows;
            }
        patient.Next();
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    // What the details hold, outside the timing.
    if constexpr (std::is_same_v<T, TMlTable>)
        for (int step = 0; step < 100; ++step) {
            patient.Prior();
            for (journal->First(); !journal->Eof(); journal->Next())
                mostHeld = qMax(mostHeld, int(exam->Data().Rows.size()));
        }
    if (sum < 0)
        std::printf("%f", sum);
    return ms;
}

template <class T>
double AddPatients(int first) {
    T patient;
    patient.SetDatabaseName("BenchDB");
    patient.SetTableName("Patient");
    patient.Open();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < NewPatients; ++i) {
        patient.Append();
        patient.FieldByName("Birth date")->SetAsDateTime(EncodeDate(2020, 1, 1) + first + i);
        patient.FieldByName("Sequence id")->SetAsString("0001");
        patient.FieldByName("Export")->SetAsBoolean(false);
        patient.FieldByName("Test")->SetAsBoolean(false);
        patient.Post();
    }
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = QDir::tempPath() + "/tavlo-bench-mltable";
    QDir().mkpath(folder);
    Session().AddAlias("BenchMl", {"TYPE=SQLITE", "PATH=" + folder, "DATABASE NAME=patients.db"});
    const bool exists = QFile::exists(folder + "/complete");
    if (!exists)
        QFile::remove(folder + "/patients.db");
    TDatabase db;
    db.SetDatabaseName("BenchDB");
    db.SetAliasName("BenchMl");
    db.Params << "CREATE=TRUE";
    db.Open();
    if (!exists) {
        std::printf("generating %d patients x %d examinations x %d values\n", Patients, Examinations, Values);
        Generate(db);
        QFile done(folder + "/complete");
        done.open(QIODevice::WriteOnly);
    }
    db.ExecSql("DELETE FROM Patient WHERE \"Birth date\" >= ?", {EncodeDate(2020, 1, 1)});

    // 1. Stepping through details.
    long storeRows = 0, mlRows = 0;
    int held = 0, unused = 0;
    const double storeStep = Step<TTable>(storeRows, unused);
    const double mlStep = Step<TMlTable>(mlRows, held);
    std::printf("detail stepping, %d patients: TTable %.1f ms, TMlTable %.1f ms (%ld values each), ratio %.2f; "
                "most rows an Exam TMlTable held: %d\n",
                Steps, storeStep, mlStep, mlRows, mlStep / storeStep, held);
    if (storeRows != mlRows)
        std::printf("  MISMATCH: %ld against %ld values\n", storeRows, mlRows);

    // 2. New patients.
    const double storeAdd = AddPatients<TTable>(0);
    const double mlAdd = AddPatients<TMlTable>(NewPatients);
    std::printf("new patient among %d: TTable %.2f ms, TMlTable %.2f ms each, ratio %.1f\n", Patients,
                storeAdd / NewPatients, mlAdd / NewPatients, mlAdd / storeAdd);
    db.ExecSql("DELETE FROM Patient WHERE \"Birth date\" >= ?", {EncodeDate(2020, 1, 1)});

    // 3. Variant switches of three model tables.
    db.ExecSql("DROP TABLE IF EXISTS Model_P");
    db.ExecSql("DROP TABLE IF EXISTS Model_D");
    db.ExecSql("CREATE TABLE Model_P (\"Value id\" INTEGER PRIMARY KEY AUTOINCREMENT, \"Risk id\" INTEGER, Value FLOAT)");
    db.ExecSql("CREATE TABLE Model_D (\"Value id\" INTEGER PRIMARY KEY AUTOINCREMENT, \"Risk id\" INTEGER, Value FLOAT)");
    for (int i = 0; i < 300; ++i) {
        db.ExecSql("INSERT INTO Model_P (\"Risk id\", Value) VALUES (?, ?)", {i % 30, i * 0.5});
        db.ExecSql("INSERT INTO Model_D (\"Risk id\", Value) VALUES (?, ?)", {i % 30, i * 0.25});
    }
    db.SchemaChanged();
    double ms[2] = {0, 0};
    int fetches[2] = {0, 0};
    for (int dependant = 0; dependant < 2; ++dependant) {
        TMlSwitch sw;
        sw.SetSuffix1("_P");
        sw.SetSuffix2("_D");
        std::vector<std::unique_ptr<TMlTable>> tables;
        for (int i = 0; i < 3; ++i) {
            auto t = std::make_unique<TMlTable>();
            t->SetDatabaseName("BenchDB");
            t->SetTableName(dependant ? "Model" : "Model_P");
            t->SetDiabetesDependant(dependant);
            t->SetSwitch(&sw);
            t->Open();
            tables.push_back(std::move(t));
        }
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < Switches; ++i)
            sw.SetDiabetes(!sw.Diabetes());
        ms[dependant] = timer.nsecsElapsed() / 1e6;
        for (auto& t : tables)
            fetches[dependant] += t->SourceProvider()->FetchCount();
    }
    std::printf("%d variant switches of 3 tables of 300 rows: reopened from the store %.1f ms (%d reads), "
                "from the cache %.1f ms (%d reads), ratio %.3f\n",
                Switches, ms[0], fetches[0], ms[1], fetches[1], ms[1] / ms[0]);
    return 0;
}
