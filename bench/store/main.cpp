// Master-detail stepping over a practice-sized patient database: Patient →
// Journal → Exam through the table store, against the same indexed reads
// with bare QSqlQuery in the same run. The database (100 000 patients, 10
// examinations each, 12 values per examination) is generated once and kept
// in the system's temporary folder between runs.

#include "TableStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <cstdio>

namespace {

constexpr int Patients = 100000;
constexpr int Examinations = 10;
constexpr int Values = 12;
constexpr int Steps = 2000;

long PeakMemoryKb() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

void Generate(TDatabase& db) {
    const auto create = [&](const QString& name, const TFieldDefs& defs, const QVector<TIndexDef>& indexes) {
        TTable t;
        t.SetDatabaseName(db.DatabaseName());
        t.SetTableName(name);
        t.CreateTable(defs, indexes);
    };
    create("Patient",
           {{"Patient id", TFieldType::ftAutoInc}, {"Identity", TFieldType::ftString, 20},
            {"Birth date", TFieldType::ftDateTime}, {"Sequence id", TFieldType::ftString, 4},
            {"First name", TFieldType::ftString, 30}, {"Last name", TFieldType::ftString, 30},
            {"Export", TFieldType::ftBoolean, 0, true}, {"Test", TFieldType::ftBoolean, 0, true}},
           {});
    create("Journal",
           {{"Journal id", TFieldType::ftAutoInc}, {"Patient id", TFieldType::ftInteger}, {"Date", TFieldType::ftDateTime},
            {"Doctor", TFieldType::ftString, 50}, {"Memo", TFieldType::ftMemo}, {"CalcID", TFieldType::ftInteger}},
           {});
    create("Exam",
           {{"Journal id", TFieldType::ftInteger}, {"Risk id", TFieldType::ftInteger}, {"Examination", TFieldType::ftFloat},
            {"Treatment", TFieldType::ftFloat}, {"Transferred", TFieldType::ftBoolean}},
           {});
    QSqlDatabase c = db.Connection();
    QSqlQuery q(c);
    q.exec("PRAGMA synchronous=OFF");
    c.transaction();
    QSqlQuery patient(c), journal(c), exam(c);
    patient.prepare("INSERT INTO Patient VALUES (?, ?, ?, ?, ?, ?, 0, 0)");
    journal.prepare("INSERT INTO Journal VALUES (?, ?, ?, ?, NULL, 1)");
    exam.prepare("INSERT INTO Exam VALUES (?, ?, ?, ?, 0)");
    int journalId = 0;
    for (int p = 1; p <= Patients; ++p) {
        patient.bindValue(0, p);
        patient.bindValue(1, QString::number(1000000 + p));
        patient.bindValue(2, EncodeDate(1930, 1, 1) + p % 20000);
        patient.bindValue(3, QString("%1").arg(p / 20000, 4, 10, QChar('0')));
        patient.bindValue(4, QString("First%1").arg(p % 997));
        patient.bindValue(5, QString("Last%1").arg(p % 4999));
        if (!patient.exec())
            qFatal("%s", qPrintable(patient.lastError().text()));
        for (int j = 0; j < Examinations; ++j) {
            journal.bindValue(0, ++journalId);
            journal.bindValue(1, p);
            journal.bindValue(2, EncodeDate(2010, 1, 1) + (Examinations - j) * 90);
            journal.bindValue(3, "Doctor");
            journal.exec();
            for (int r = 1; r <= Values; ++r) {
                exam.bindValue(0, journalId);
                exam.bindValue(1, r);
                exam.bindValue(2, r * 1.5 + j);
                exam.bindValue(3, r * 1.25);
                exam.exec();
            }
        }
        if (p % 10000 == 0) {
            c.commit();
            c.transaction();
            std::printf("  generated %d patients\n", p);
            std::fflush(stdout);
        }
    }
    c.commit();
    q.exec("CREATE INDEX \"Journal:ByPatient\" ON Journal (\"Patient id\", Date, \"Journal id\")");
    q.exec("CREATE INDEX \"Exam:ByJournal\" ON Exam (\"Journal id\", \"Risk id\")");
    q.exec("CREATE UNIQUE INDEX \"Patient:DEFAULT_ORDER\" ON Patient (\"Birth date\", \"Sequence id\")");
    q.exec("PRAGMA synchronous=FULL");
    db.SchemaChanged();
}

double Checksum(const TDataSet* ds) {
    double sum = 0;
    for (TField* f : ds->Fields()) {
        const QVariant v = f->Value();
        sum += v.metaType().id() == QMetaType::QString ? v.toString().size() : v.toDouble();
    }
    return sum;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString folder = QDir::tempPath() + "/tavlo-bench-store";
    QDir().mkpath(folder);
    const QString file = folder + "/patients.db";
    Session().AddAlias("BenchPatients", {"TYPE=SQLITE", "PATH=" + folder, "DATABASE NAME=patients.db"});
    const bool exists = QFile::exists(file) && QFile::exists(folder + "/complete");
    if (!exists)
        QFile::remove(file);
    TDatabase db;
    db.SetDatabaseName("BenchDB");
    db.SetAliasName("BenchPatients");
    db.Params << "CREATE=TRUE";
    db.Open();
    if (!exists) {
        std::printf("generating %d patients x %d examinations x %d values in %s\n", Patients, Examinations, Values,
                    qPrintable(file));
        QElapsedTimer g;
        g.start();
        Generate(db);
        QFile done(folder + "/complete");
        done.open(QIODevice::WriteOnly);
        std::printf("  generation took %.1f s\n", g.elapsed() / 1000.0);
    }

    // The table store.
    QElapsedTimer timer;
    timer.start();
    TTable patient;
    patient.SetDatabaseName("BenchDB");
    patient.SetTableName("Patient");
    patient.Open();
    const double openMs = timer.nsecsElapsed() / 1e6;
    TDataSource patientSource;
    patientSource.SetDataSet(&patient);
    TTable journal;
    journal.SetDatabaseName("BenchDB");
    journal.SetTableName("Journal");
    journal.SetIndexFieldNames("Patient id;Date;Journal id");
    journal.SetMasterFields("Patient id");
    journal.SetMasterSource(&patientSource);
    journal.Open();
    TDataSource journalSource;
    journalSource.SetDataSet(&journal);
    TTable exam;
    exam.SetDatabaseName("BenchDB");
    exam.SetTableName("Exam");
    exam.SetIndexFieldNames("Journal id;Risk id");
    exam.SetMasterFields("Journal id");
    exam.SetMasterSource(&journalSource);
    exam.Open();

    double storeSum = 0;
    long storeRows = 0;
    timer.restart();
    for (int step = 0; step < Steps && !patient.Eof(); ++step) {
        storeSum += Checksum(&patient);
        for (journal.First(); !journal.Eof(); journal.Next()) {
            storeSum += Checksum(&journal);
            for (exam.First(); !exam.Eof(); exam.Next()) {
                storeSum += Checksum(&exam);
                ++storeRows;
            }
        }
        patient.Next();
    }
    const double storeMs = timer.nsecsElapsed() / 1e6;

    // The same reads with bare queries.
    QSqlDatabase c = db.Connection();
    QSqlQuery patients(c), journals(c), exams(c);
    patients.setForwardOnly(true);
    journals.setForwardOnly(true);
    exams.setForwardOnly(true);
    journals.prepare("SELECT rowid, \"Journal id\", \"Patient id\", Date, Doctor, Memo, CalcID FROM Journal WHERE "
                     "\"Patient id\" = ? ORDER BY \"Patient id\", Date, \"Journal id\"");
    exams.prepare("SELECT rowid, \"Journal id\", \"Risk id\", Examination, Treatment, Transferred FROM Exam WHERE "
                  "\"Journal id\" = ? ORDER BY \"Journal id\", \"Risk id\"");
    double bareSum = 0;
    long bareRows = 0;
    auto sumRow = [](const QSqlQuery& q, int columns) {
        double sum = 0;
        for (int i = 1; i <= columns; ++i) {
            const QVariant v = q.value(i);
            sum += v.metaType().id() == QMetaType::QString ? v.toString().size() : v.toDouble();
        }
        return sum;
    };
    timer.restart();
    patients.exec(QString("SELECT rowid, * FROM Patient ORDER BY rowid LIMIT %1").arg(Steps));
    while (patients.next()) {
        bareSum += sumRow(patients, 8);
        journals.bindValue(0, patients.value(1));
        journals.exec();
        QList<QVariant> ids;
        while (journals.next()) {
            bareSum += sumRow(journals, 6);
            ids << journals.value(1);
        }
        for (const QVariant& id : ids) {
            exams.bindValue(0, id);
            exams.exec();
            while (exams.next()) {
                bareSum += sumRow(exams, 5);
                ++bareRows;
            }
        }
    }
    const double bareMs = timer.nsecsElapsed() / 1e6;

    std::printf("store: open Patient (%d rows) %.1f ms\n", patient.RecordCount(), openMs);
    std::printf("store: %d patient steps, %ld exam rows, %.3f ms per step\n", Steps, storeRows, storeMs / Steps);
    std::printf("bare : %d patient steps, %ld exam rows, %.3f ms per step\n", Steps, bareRows, bareMs / Steps);
    std::printf("ratio store/bare: %.2f (target <= 3)\n", storeMs / bareMs);
    std::printf("peak memory: %.1f MB (target < 400)\n", PeakMemoryKb() / 1024.0);
    if (storeRows != bareRows || qAbs(storeSum - bareSum) > 1e-6 * qAbs(bareSum)) {
        std::printf("MISMATCH: the store read other values than the bare queries (%.3f vs %.3f)\n", storeSum, bareSum);
        return 1;
    }
    return 0;
}
