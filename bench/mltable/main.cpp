// The switchable cached tables on the path the program takes, over the
// program's own patient schema, against bare QSqlQuery doing the same reads
// and writes in the same run:
//   1. stepping Patient with its Journal, Base and Exam details, and the SQL
//      statements each step runs;
//   2. opening a 100 000-row whole-table Patient;
//   3. editing, inserting and deleting one patient, with and without an order;
//   4. a case-insensitive filter and a partial, case-insensitive Locate;
//   5. CopyTable of the current patient only;
//   6. peak memory with a 200 000-patient database open in the program's
//      tables (a run of its own: bench_mltable --memory FILE);
//   7. switching the variant of three model tables from their caches against
//      reopening them.
// Every figure is printed with its target; the exit code is 1 when any
// target is missed.

#include "UserFolders.h"
#include "BenchDatabases.h"
#include "SqlCounter.h"

#include "MorlenTables.h"
#include "TableStore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

const QString PatientDb = QStringLiteral("PatientAlias");
const QString ApplicationDb = QStringLiteral("ApplicationAlias");

constexpr int SpeedPatients = 100000;
constexpr int MemoryPatients = 200000;
constexpr int Steps = 2000;
constexpr int Switches = 200;
// A figure taken as the median of several runs gets this much time.
constexpr double SampleBudgetMs = 2500;
constexpr int MinSamples = 3, MaxSamples = 15;

// Targets.
constexpr double StepRatioTarget = 3;
constexpr double OpenMsTarget = 300;
constexpr double WriteMsTarget = 2;
constexpr double SearchRatioTarget = 5;
constexpr double CopyMsTarget = 2;
constexpr double PeakMbTarget = 400;
constexpr double SwitchRatioTarget = 0.5;

// ---------------------------------------------------------------- report

class TReport {
public:
    void Figure(const QString& name, const QString& value, const QString& target, bool ok) {
        Line(name, value, target, ok ? "ok" : "MISSED");
        if (!ok)
            FMissed << name;
        ++FFigures;
    }
    void Info(const QString& name, const QString& value) { Line(name, value, QStringLiteral("-"), "info"); }
    void Detail(const QString& text) { std::printf("      %s\n", qPrintable(text)); }
    int Summary() const {
        std::printf("\nsummary: %lld of %d targets met", qlonglong(FFigures - FMissed.size()), FFigures);
        if (FMissed.isEmpty()) {
            std::printf("\n");
            return 0;
        }
        std::printf("; missed:\n");
        for (const QString& name : FMissed)
            std::printf("  - %s\n", qPrintable(name));
        return 1;
    }

private:
    static void Line(const QString& name, const QString& value, const QString& target, const char* verdict) {
        std::printf("%-46s %-44s target %-12s %s\n", qPrintable(name), qPrintable(value), qPrintable(target), verdict);
        std::fflush(stdout);
    }
    QStringList FMissed;
    int FFigures = 0;
};

QString Ms(double ms) { return ms < 10 ? QString::number(ms, 'f', 3) + " ms" : QString::number(ms, 'f', 1) + " ms"; }
QString Times(double ratio) { return QString::number(ratio, 'f', 2) + "x"; }

double MsSince(const QElapsedTimer& timer) { return timer.nsecsElapsed() / 1e6; }

double Median(QVector<double> samples) {
    if (samples.isEmpty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const qsizetype n = samples.size();
    return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

// Runs `sample` (which returns the milliseconds of its timed part) at least
// MinSamples and at most `most` times, and no longer than the budget.
QVector<double> Samples(const std::function<double(int)>& sample, int most = MaxSamples) {
    QVector<double> ms;
    QElapsedTimer spent;
    spent.start();
    while (ms.size() < most && (ms.size() < MinSamples || spent.elapsed() < SampleBudgetMs))
        ms << sample(int(ms.size()));
    return ms;
}

long PeakMemoryKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// ---------------------------------------------------------------- set-up

void OpenDatabase(TDatabase& db, const QString& name, const QString& alias, const QString& file) {
    Session().AddAlias(alias, {"TYPE=SQLITE", "PATH=" + QFileInfo(file).absolutePath(),
                               "DATABASE NAME=" + QFileInfo(file).fileName()});
    db.SetDatabaseName(name);
    db.SetAliasName(alias);
    db.Open();
}

// The baseline's own connection to the same file, as a second program would
// have one: its writes commit on their own, and it sees what the store has
// committed, nothing more.
class TBareConnection {
public:
    explicit TBareConnection(const QString& file) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open())
            throw Exception(file + ": " + db.lastError().text());
        QSqlQuery(db).exec(QStringLiteral("PRAGMA synchronous=FULL")); // as the store writes
    }
    ~TBareConnection() {
        QSqlDatabase::database(Name, false).close();
        QSqlDatabase::removeDatabase(Name);
    }
    TBareConnection(const TBareConnection&) = delete;
    TBareConnection& operator=(const TBareConnection&) = delete;
    QSqlDatabase Connection() const { return QSqlDatabase::database(Name, false); }

private:
    const QString Name = QStringLiteral("bench-bare");
};

// A failed write-back raises instead of waiting for an answer in the
// update-error dialog, which no one sees in a bench.
void WithoutDialog(TMlTable& table) { table.OnReconcileError = nullptr; }

// The journal module's patient tables, opened as it opens them.
struct TJournalTables {
    TMlTable Patient;
    TDataSource PatientSource;
    TMlTable Journal;
    TDataSource JournalSource;
    TMlTable Base, Exam;

    TJournalTables() {
        for (TMlTable* t : {&Patient, &Journal, &Base, &Exam}) {
            t->SetDatabaseName(PatientDb);
            WithoutDialog(*t);
        }
        Patient.SetTableName("Patient"); // no index: the store's own order
        PatientSource.SetDataSet(&Patient);
        Journal.SetTableName("Journal");
        Journal.SetIndexFieldNames("Patient id;Date;Journal id");
        Journal.SetMasterFields("Patient id");
        Journal.SetMasterSource(&PatientSource);
        JournalSource.SetDataSet(&Journal);
        Base.SetTableName("Base");
        Base.SetIndexFieldNames("Patient id;Risk id");
        Base.SetMasterFields("Patient id");
        Base.SetMasterSource(&PatientSource);
        Base.SetFilter("[Risk id] <> 7");
        Base.SetFiltered(true);
        Exam.SetTableName("Exam");
        Exam.SetIndexFieldNames("Journal id;Risk id");
        Exam.SetMasterFields("Journal id");
        Exam.SetMasterSource(&JournalSource);
    }
    void OpenDetails() {
        Journal.Open();
        Base.Open();
        Exam.Open();
    }
    void CloseDetails() {
        Exam.Close();
        Base.Close();
        Journal.Close();
    }
};

// ---------------------------------------------------------------- 1. stepping

// A value as a number: numbers, dates and logical values as themselves, a
// text by its length, so both sides sum alike whatever kind the driver gives.
double ValueSum(const QVariant& v) {
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? d : double(v.toString().size());
}

double RowSum(const TDataSet& ds) {
    double sum = 0;
    for (TField* f : ds.Fields())
        sum += ValueSum(f->Value());
    return sum;
}

double RowSum(const QSqlQuery& q, int columns) {
    double sum = 0;
    for (int i = 0; i < columns; ++i)
        sum += ValueSum(q.value(i));
    return sum;
}

struct TSums {
    double Patient = 0, Journal = 0, Base = 0, Exam = 0;
    long Values = 0;
    bool Same(const TSums& o) const {
        const auto near = [](double a, double b) { return qAbs(a - b) <= 1e-9 * qMax(1.0, qAbs(b)); };
        return Values == o.Values && near(Patient, o.Patient) && near(Journal, o.Journal) && near(Base, o.Base) &&
               near(Exam, o.Exam);
    }
};

TSums StepTables(TJournalTables& t) {
    TSums s;
    t.Patient.First();
    for (int step = 0; step < Steps && !t.Patient.Eof(); ++step) {
        s.Patient += RowSum(t.Patient);
        for (t.Journal.First(); !t.Journal.Eof(); t.Journal.Next()) {
            s.Journal += RowSum(t.Journal);
            for (t.Exam.First(); !t.Exam.Eof(); t.Exam.Next()) {
                s.Exam += RowSum(t.Exam);
                ++s.Values;
            }
        }
        for (t.Base.First(); !t.Base.Eof(); t.Base.Next())
            s.Base += RowSum(t.Base);
        // The bare queries read Steps patients: no move to one more, whose
        // details would be read for nothing.
        if (step + 1 < Steps)
            t.Patient.Next();
    }
    return s;
}

QSqlQuery Prepared(const QSqlDatabase& c, const QString& sql) {
    QSqlQuery q(c);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw Exception(sql + ": " + q.lastError().text());
    return q;
}

void Run(QSqlQuery& q) {
    if (!q.exec())
        throw Exception(q.lastQuery() + ": " + q.lastError().text());
}

// Runs the query and holds every row in memory, as a whole-table dataset
// does; the number of rows.
int RunAndHold(QSqlQuery& q) {
    Run(q);
    const int columns = q.record().count();
    QVector<QVector<QVariant>> held;
    while (q.next()) {
        QVector<QVariant> row(columns);
        for (int i = 0; i < columns; ++i)
            row[i] = q.value(i);
        held << row;
    }
    return int(held.size());
}

// The same reads with bare queries: the patients in storage order, and per
// patient its examinations, the values of each, and its base values but the
// diabetes value.
TSums StepBare(const QSqlDatabase& c) {
    TSums s;
    QSqlQuery patients = Prepared(c, "SELECT * FROM Patient ORDER BY rowid LIMIT ?");
    QSqlQuery journals = Prepared(c, "SELECT * FROM Journal WHERE \"Patient id\" = ? "
                                     "ORDER BY \"Patient id\", \"Date\", \"Journal id\"");
    QSqlQuery exams = Prepared(c, "SELECT * FROM Exam WHERE \"Journal id\" = ? ORDER BY \"Journal id\", \"Risk id\"");
    QSqlQuery bases = Prepared(c, "SELECT * FROM Base WHERE \"Patient id\" = ? AND \"Risk id\" <> 7 "
                                  "ORDER BY \"Patient id\", \"Risk id\"");
    patients.bindValue(0, Steps);
    Run(patients);
    const int patientColumns = patients.record().count();
    const int patientId = patients.record().indexOf("Patient id");
    QVector<QVariant> journalIds;
    while (patients.next()) {
        s.Patient += RowSum(patients, patientColumns);
        journals.bindValue(0, patients.value(patientId));
        Run(journals);
        const int journalColumns = journals.record().count();
        const int journalId = journals.record().indexOf("Journal id");
        journalIds.clear();
        while (journals.next()) {
            s.Journal += RowSum(journals, journalColumns);
            journalIds << journals.value(journalId);
        }
        for (const QVariant& id : journalIds) {
            exams.bindValue(0, id);
            Run(exams);
            const int examColumns = exams.record().count();
            while (exams.next()) {
                s.Exam += RowSum(exams, examColumns);
                ++s.Values;
            }
        }
        bases.bindValue(0, patients.value(patientId));
        Run(bases);
        const int baseColumns = bases.record().count();
        while (bases.next())
            s.Base += RowSum(bases, baseColumns);
    }
    return s;
}

// The statements the store says it ran, once it counts them; -1 before.
template <class D>
concept CountsStatements = requires(const D& db) { qint64(db.StatementCount()); };

template <class D>
qint64 StoreStatementCount(const D& db) {
    if constexpr (CountsStatements<D>)
        return db.StatementCount();
    else
        return -1;
}

// How often the most read index definition of one table was read.
qint64 MostIndexReads(const TSqlCounts& counts) {
    qint64 most = 0;
    for (auto it = counts.Texts.cbegin(); it != counts.Texts.cend(); ++it) {
        const QByteArray text = it.key().simplified().toLower();
        if (text.startsWith("pragma index_list") || text.startsWith("pragma index_info") ||
            text.startsWith("pragma index_xinfo"))
            most = qMax(most, it.value());
    }
    return most;
}

void ShowStatements(TReport& report, const TSqlCounts& counts, double per) {
    QVector<QPair<qint64, QByteArray>> texts;
    for (auto it = counts.Texts.cbegin(); it != counts.Texts.cend(); ++it)
        texts.append({it.value(), it.key().simplified()});
    std::sort(texts.begin(), texts.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (qsizetype i = 0; i < texts.size() && i < 6; ++i) {
        // Statements differ mostly at their ends: the start and the end of a long one.
        QString text = QString::fromUtf8(texts[i].second);
        if (text.size() > 110)
            text = text.left(40) + " ... " + text.right(65);
        report.Detail(QStringLiteral("%1 per step: %2").arg(texts[i].first / per, 6, 'f', 2).arg(text));
    }
}

void MeasureStepping(TReport& report, TJournalTables& t, TSqlCounter& counter, const QSqlDatabase& c,
                     TSqlCounter& bareCounter) {
    // Opening the details counts too: index definitions are read once per table.
    TDatabase* db = TDatabase::ByName(PatientDb);
    t.Patient.First();
    counter.Start();
    const qint64 storeCountBefore = StoreStatementCount(*db);
    t.OpenDetails();
    QElapsedTimer timer;
    timer.start();
    const TSums tables = StepTables(t);
    double tablesMs = MsSince(timer);
    counter.Stop();
    const qint64 storeCount = StoreStatementCount(*db) - storeCountBefore;
    const TSqlCounts tableCounts = counter.Counts();
    const double stepTableCounts = double(tableCounts.Statements) / Steps;
    // A second pass, the faster counts (a shared machine).
    timer.restart();
    StepTables(t);
    tablesMs = qMin(tablesMs, MsSince(timer));

    // The bare queries twice as well.
    double bareMs = 1e300;
    TSums bare;
    TSqlCounts bareCounts;
    for (int round = 0; round < 2; ++round) {
        bareCounter.Start();
        timer.restart();
        bare = StepBare(c);
        bareMs = qMin(bareMs, MsSince(timer));
        bareCounter.Stop();
        bareCounts = bareCounter.Counts();
    }
    const double ratio = tablesMs / bareMs;
    report.Info("step: TMlTable, per patient step", QStringLiteral("%1 (%2 steps, %3 values)")
                                                         .arg(Ms(tablesMs / Steps)).arg(Steps).arg(tables.Values));
    report.Info("step: bare QSqlQuery, per patient step", Ms(bareMs / Steps));
    report.Figure("step: ratio TMlTable / bare", Times(ratio), "<= " + Times(StepRatioTarget), ratio <= StepRatioTarget);
    report.Figure("step: same values as the bare queries", tables.Same(bare) ? "same" : "DIFFERENT", "same",
                  tables.Same(bare));
    if (!counter.Available() || !bareCounter.Available()) {
        report.Figure("step: SQL statements per step", "not measured: " + counter.Problem(), "<= bare", false);
        report.Figure("step: index definition reads per table", "not measured", "<= 1", false);
        return;
    }
    const double stepBareCounts = double(bareCounts.Statements) / Steps;
    report.Figure("step: SQL statements per step",
                  QStringLiteral("%1 (bare %2)").arg(stepTableCounts, 0, 'f', 2).arg(stepBareCounts, 0, 'f', 2),
                  QStringLiteral("<= %1").arg(stepBareCounts, 0, 'f', 2), stepTableCounts <= stepBareCounts + 1e-9);
    report.Detail(QStringLiteral("%1 statements in all, opening the details included (bare %2)")
                      .arg(tableCounts.Statements).arg(bareCounts.Statements));
    ShowStatements(report, tableCounts, Steps);
    report.Info("step: the store's own StatementCount per step",
                storeCount < 0 ? QStringLiteral("not offered by TDatabase")
                               : QStringLiteral("%1 (SQLite ran %2)").arg(double(storeCount) / Steps, 0, 'f', 2)
                                     .arg(stepTableCounts, 0, 'f', 2));
    const qint64 indexReads = MostIndexReads(tableCounts);
    report.Figure("step: index definition reads per table", QStringLiteral("%1 (open + %2 steps)").arg(indexReads).arg(Steps),
                  "<= 1", indexReads <= 1);
}

// ---------------------------------------------------------------- 2. open

void MeasureOpen(TReport& report, TJournalTables& t, const QSqlDatabase& c) {
    const QVector<double> tableMs = Samples(
        [&](int) {
            t.Patient.Close();
            QElapsedTimer timer;
            timer.start();
            t.Patient.Open();
            return MsSince(timer);
        },
        MinSamples);
    const int rows = t.Patient.RecordCount();
    const QVector<double> bareMs = Samples(
        [&](int) {
            QElapsedTimer timer;
            timer.start();
            QSqlQuery q = Prepared(c, "SELECT rowid, * FROM Patient");
            RunAndHold(q);
            return MsSince(timer);
        },
        MinSamples);
    const double ms = Median(tableMs), bare = Median(bareMs);
    report.Figure(QStringLiteral("open: whole-table Patient of %1 rows").arg(rows),
                  QStringLiteral("%1 (bare SELECT %2, %3)").arg(Ms(ms), Ms(bare), Times(ms / bare)),
                  "<= " + Ms(OpenMsTarget), ms <= OpenMsTarget && rows >= SpeedPatients);
}

// ---------------------------------------------------------------- 3. writes

struct TOrder {
    QString Label, IndexFieldNames, IndexName;
};

void SetOrder(TMlTable& table, const TOrder& order) {
    table.SetIndexFieldNames(order.IndexFieldNames);
    if (!order.IndexName.isEmpty())
        table.SetIndexName(order.IndexName);
}

// New rows of the bench carry this identity prefix; one left by an aborted
// run is removed at the start.
const QString BenchIdentity = QStringLiteral("BENCH-");

// The first value a query on the bare connection reads: what is committed.
QVariant Committed(const QSqlDatabase& c, const QString& sql, const QVariant& param) {
    QSqlQuery q = Prepared(c, sql);
    q.bindValue(0, param);
    Run(q);
    return q.next() ? q.value(0) : QVariant();
}

// Every post and delete reaches the disk: a single write costs at least the
// commit of the same write by a bare query, which this disk's sync sets
// (FULL, as the store writes). The store may add WriteMsTarget to that.
void MeasureWrites(TReport& report, TMlTable& patient, TSqlCounter& counter, const QSqlDatabase& c) {
    QSqlQuery update = Prepared(c, "UPDATE Patient SET \"First name\" = ? WHERE \"Patient id\" = ?");
    QSqlQuery insert = Prepared(c, "INSERT INTO Patient (\"Identity\", \"Birth date\", \"Sequence id\", \"First name\", "
                                   "\"Last name\", \"Export\", \"Test\") VALUES (?, ?, '0001', 'Bench', 'Bench', 0, 1)");
    QSqlQuery remove = Prepared(c, "DELETE FROM Patient WHERE \"Patient id\" = ?");
    const QString firstName = QStringLiteral("SELECT \"First name\" FROM Patient WHERE \"Patient id\" = ?");
    const QString byIdentity = QStringLiteral("SELECT count(*) FROM Patient WHERE \"Identity\" = ?");
    report.Detail(QStringLiteral("writes commit one by one (synchronous FULL), so the bare query's same write sets "
                                 "the floor; target: that write + %1").arg(Ms(WriteMsTarget)));
    const int editedId = SpeedPatients / 2, bareEditedId = editedId + 1;
    int newRows = 0; // birth dates of new rows, unique over the run
    QStringList uncommitted;

    const auto figure = [&](const QString& what, const QString& label, const TSqlCounts& counts,
                            const QVector<double>& ms, const QVector<double>& bareMs) {
        const double median = Median(ms), bare = Median(bareMs);
        const double perOp = ms.isEmpty() ? 0 : double(counts.Statements) / ms.size();
        report.Figure(QStringLiteral("%1, %2").arg(what, label),
                      QStringLiteral("%1 (%2 SQL/op; bare %3; n=%4)")
                          .arg(Ms(median)).arg(perOp, 0, 'f', 1).arg(Ms(bare)).arg(ms.size()),
                      "<= " + Ms(bare + WriteMsTarget), median <= bare + WriteMsTarget);
    };
    const QVector<TOrder> orders = {{"no order", "", ""},
                                    {"IndexFieldNames Last name;First name", "Last name;First name", ""},
                                    {"IndexName DEFAULT_ORDER", "", "DEFAULT_ORDER"}};
    for (const TOrder& order : orders) {
        SetOrder(patient, order);

        // Edit: the first name changes and changes back, sample by sample.
        // Each sample times the store's write and then the bare one, so both
        // meet the disk in the same state.
        patient.Locate("Patient id", editedId);
        const QString original = patient.FieldByName("First name")->AsString();
        const auto nameOf = [&](int i) { return i % 2 ? original : QStringLiteral("Benchedit"); };
        const auto bareEdit = [&](const QString& name) {
            update.bindValue(0, name);
            update.bindValue(1, bareEditedId);
            Run(update);
        };
        QVector<double> bareEditMs;
        counter.Reset();
        const QVector<double> editMs = Samples([&](int i) {
            patient.Locate("Patient id", editedId);
            counter.Resume();
            QElapsedTimer timer;
            timer.start();
            patient.Edit();
            patient.FieldByName("First name")->SetAsString(nameOf(i));
            patient.Post();
            const double ms = MsSince(timer);
            counter.Stop();
            if (i == 0 && Committed(c, firstName, editedId).toString() != nameOf(i))
                uncommitted << "edit, " + order.Label;
            timer.restart();
            bareEdit(nameOf(i));
            bareEditMs << MsSince(timer);
            return ms;
        });
        const TSqlCounts editCounts = counter.Counts();
        if (editMs.size() % 2) {
            patient.Locate("Patient id", editedId);
            patient.Edit();
            patient.FieldByName("First name")->SetAsString(original);
            patient.Post();
            bareEdit(original);
        }

        // Insert, then delete the rows just inserted; the bare query likewise.
        QStringList inserted;
        QVector<QVariant> bareIds;
        QVector<double> bareInsertMs;
        counter.Reset();
        const QVector<double> insertMs = Samples([&](int i) {
            const QString identity = BenchIdentity + QString::number(++newRows);
            counter.Resume();
            QElapsedTimer timer;
            timer.start();
            patient.Append();
            patient.FieldByName("Identity")->SetAsString(identity);
            patient.FieldByName("Birth date")->SetAsDateTime(EncodeDate(2090, 1, 1) + newRows);
            patient.FieldByName("Sequence id")->SetAsString("0001");
            patient.FieldByName("First name")->SetAsString("Bench");
            patient.FieldByName("Last name")->SetAsString("Bench");
            patient.FieldByName("Export")->SetAsBoolean(false);
            patient.FieldByName("Test")->SetAsBoolean(true);
            patient.Post();
            const double ms = MsSince(timer);
            counter.Stop();
            inserted << identity;
            if (i == 0 && Committed(c, byIdentity, identity).toInt() != 1)
                uncommitted << "insert, " + order.Label;
            timer.restart();
            insert.bindValue(0, BenchIdentity + "bare");
            insert.bindValue(1, EncodeDate(2095, 1, 1) + newRows);
            Run(insert);
            bareInsertMs << MsSince(timer);
            bareIds << insert.lastInsertId();
            return ms;
        });
        const TSqlCounts insertCounts = counter.Counts();
        QVector<double> bareDeleteMs;
        counter.Reset();
        const QVector<double> deleteMs = Samples(
            [&](int i) {
                if (!patient.Locate("Identity", inserted.at(i)))
                    throw Exception("the inserted patient " + inserted.at(i) + " is not in the table");
                counter.Resume();
                QElapsedTimer timer;
                timer.start();
                patient.Delete();
                const double ms = MsSince(timer);
                counter.Stop();
                if (i == 0 && Committed(c, byIdentity, inserted.at(i)).toInt() != 0)
                    uncommitted << "delete, " + order.Label;
                timer.restart();
                remove.bindValue(0, bareIds.at(i));
                Run(remove);
                bareDeleteMs << MsSince(timer);
                return ms;
            },
            int(inserted.size()));
        const TSqlCounts deleteCounts = counter.Counts();
        for (qsizetype i = deleteMs.size(); i < inserted.size(); ++i) {
            if (patient.Locate("Identity", inserted.at(i)))
                patient.Delete();
            remove.bindValue(0, bareIds.at(i));
            Run(remove);
        }
        figure("edit", order.Label, editCounts, editMs, bareEditMs);
        figure("insert", order.Label, insertCounts, insertMs, bareInsertMs);
        figure("delete", order.Label, deleteCounts, deleteMs, bareDeleteMs);
    }
    SetOrder(patient, {});
    report.Figure("writes: each post and delete committed at once",
                  uncommitted.isEmpty() ? "yes" : "not for " + uncommitted.join("; "), "yes", uncommitted.isEmpty());
}

// ---------------------------------------------------------------- 4. searches

// Whether SQLite answers the statement through an index.
bool UsesIndex(const QSqlDatabase& c, const QString& sql, const QVariantList& params) {
    QSqlQuery q(c);
    q.prepare("EXPLAIN QUERY PLAN " + sql);
    for (int i = 0; i < params.size(); ++i)
        q.bindValue(i, params.at(i));
    if (!q.exec())
        return false;
    bool indexed = false;
    while (q.next())
        indexed = indexed || q.value(3).toString().contains("INDEX");
    return indexed;
}

void MeasureSearches(TReport& report, TMlTable& patient, TSqlCounter& counter, const QSqlDatabase& c) {

    // Case-insensitive filter on the last name.
    const QString name = CommonLastName.toLower();
    patient.SetFilterOptions(foCaseInsensitive);
    patient.SetFilter(QStringLiteral("[Last name] = '%1'").arg(name));
    int filtered = 0;
    counter.Start();
    const QVector<double> filterMs = Samples([&](int) {
        QElapsedTimer timer;
        timer.start();
        patient.SetFiltered(true);
        filtered = patient.RecordCount();
        const double ms = MsSince(timer);
        patient.SetFiltered(false);
        return ms;
    });
    counter.Stop();
    const TSqlCounts filterCounts = counter.Counts();
    patient.SetFilter(QString());
    patient.SetFilterOptions(0);
    const QString filterSql = QStringLiteral("SELECT rowid, * FROM Patient WHERE \"Last name\" = ? COLLATE NOCASE");
    int bareFiltered = 0;
    const QVector<double> bareFilterMs = Samples([&](int) {
        QElapsedTimer timer;
        timer.start();
        QSqlQuery q = Prepared(c, filterSql);
        q.bindValue(0, name);
        bareFiltered = RunAndHold(q);
        return MsSince(timer);
    });
    const bool filterIndexed = UsesIndex(c, filterSql, {name});
    const double filterRatio = Median(filterMs) / Median(bareFilterMs);
    report.Figure(QStringLiteral("search: filter [Last name] = '%1', no case").arg(name),
                  QStringLiteral("%1 (bare %2, %3; %4 SQL rows)")
                      .arg(Ms(Median(filterMs)), Ms(Median(bareFilterMs)), Times(filterRatio))
                      .arg(filterCounts.Rows / qMax<qsizetype>(1, filterMs.size())),
                  "<= " + Times(SearchRatioTarget) + " bare", filterRatio <= SearchRatioTarget);
    report.Figure("search: filter finds the bare query's rows", QStringLiteral("%1 of %2").arg(filtered).arg(bareFiltered),
                  "equal", filtered == bareFiltered && filtered > 0);

    // Partial, case-insensitive Locate of a name only the last patients carry.
    const QString prefix = RareLastName.left(10).toLower();
    QString upper = prefix;
    upper[upper.size() - 1] = QChar(upper.back().unicode() + 1);
    int foundId = -1;
    counter.Start();
    const QVector<double> locateMs = Samples([&](int) {
        patient.First();
        QElapsedTimer timer;
        timer.start();
        const bool found = patient.Locate("Last name", prefix, loCaseInsensitive | loPartialKey);
        const double ms = MsSince(timer);
        foundId = found ? patient.FieldByName("Patient id")->AsInteger() : -1;
        return ms;
    });
    counter.Stop();
    const TSqlCounts locateCounts = counter.Counts();
    const QString locateSql = QStringLiteral("SELECT min(rowid) FROM Patient WHERE \"Last name\" >= ? COLLATE NOCASE "
                                             "AND \"Last name\" < ? COLLATE NOCASE");
    int bareId = -1;
    const QVector<double> bareLocateMs = Samples([&](int) {
        QElapsedTimer timer;
        timer.start();
        QSqlQuery q = Prepared(c, locateSql);
        q.bindValue(0, prefix);
        q.bindValue(1, upper);
        Run(q);
        bareId = q.next() && !q.value(0).isNull() ? q.value(0).toInt() : -1;
        return MsSince(timer);
    });
    const bool locateIndexed = UsesIndex(c, locateSql, {prefix, upper});
    const double locateRatio = Median(locateMs) / Median(bareLocateMs);
    report.Figure(QStringLiteral("search: Locate '%1', partial, no case").arg(prefix),
                  QStringLiteral("%1 (bare %2, %3; %4 SQL rows)")
                      .arg(Ms(Median(locateMs)), Ms(Median(bareLocateMs)), Times(locateRatio))
                      .arg(locateCounts.Rows / qMax<qsizetype>(1, locateMs.size())),
                  "<= " + Times(SearchRatioTarget) + " bare", locateRatio <= SearchRatioTarget);
    report.Figure("search: Locate finds the bare query's row", QStringLiteral("%1 (bare %2)").arg(foundId).arg(bareId),
                  "equal", foundId == bareId && foundId > 0);
    // Without a COLLATE NOCASE index on the name the baseline itself scans,
    // and no ratio can show the store's scan.
    const bool indexed = filterIndexed && locateIndexed;
    report.Figure("search: schema serves both by an index", indexed ? "yes" : "no COLLATE NOCASE index on \"Last name\"",
                  "yes", indexed);
}

// ---------------------------------------------------------------- 5. copies

// The copy restricted to one key, once the store offers it:
// CopyTable(target, source, key fields, key values).
template <class T>
concept RestrictedCopy = requires(T* table) { CopyTable(table, table, QString(), QVariant()); };

template <class T>
void MeasureRestrictedCopy(TReport& report, T& patient, int patientId) {
    const QString name = "copy: CopyTable of the current patient only";
    if constexpr (RestrictedCopy<T>) {
        T copy;
        WithoutDialog(copy);
        patient.Locate("Patient id", patientId);
        const QVector<double> ms = Samples([&](int) {
            QElapsedTimer timer;
            timer.start();
            CopyTable(&copy, &patient, QStringLiteral("Patient id"), QVariant(patientId));
            return MsSince(timer);
        });
        const bool rows = copy.RecordCount() == 1 && copy.FieldByName("Patient id")->AsInteger() == patientId;
        report.Figure(name, QStringLiteral("%1, %2 row(s)").arg(Ms(Median(ms))).arg(copy.RecordCount()),
                      "<= " + Ms(CopyMsTarget) + ", 1 row", rows && Median(ms) <= CopyMsTarget);
    } else {
        report.Figure(name, "missing", "present", false);
        report.Detail("the store has no CopyTable(target, source, keyFields, keyValues)");
    }
}

void MeasureCopies(TReport& report, TMlTable& patient) {
    const int patientId = SpeedPatients / 2;
    TMlTable copy;
    WithoutDialog(copy);
    patient.Locate("Patient id", patientId);
    const QVector<double> ms = Samples(
        [&](int) {
            QElapsedTimer timer;
            timer.start();
            CopyTable(&copy, &patient);
            return MsSince(timer);
        },
        MinSamples);
    report.Info("copy: CopyTable of Patient (whole, today's)",
                QStringLiteral("%1, %2 rows, on patient %3")
                    .arg(Ms(Median(ms))).arg(copy.RecordCount()).arg(copy.FieldByName("Patient id")->AsInteger()));
    MeasureRestrictedCopy(report, patient, patientId);
}

// ---------------------------------------------------------------- 6. memory

// The child run: both journal modules' patient tables over the 200 000
// patients (the work window's and the calculation's JournalCopy, which takes
// a copy of the work tables on every journal change), then a few patient
// steps with that copy. Prints its peak.
int MemoryRun(const QString& file) {
    std::printf("start-kb %ld\n", PeakMemoryKb());
    TDatabase db;
    OpenDatabase(db, PatientDb, PatientAliasName, file);
    TJournalTables work, journalCopy;
    for (TJournalTables* t : {&work, &journalCopy}) {
        t->Patient.Open();
        t->OpenDetails();
    }
    for (int step = 0; step < 10; ++step) {
        work.Patient.MoveBy(MemoryPatients / 12);
        CopyTable(&journalCopy.Patient, &work.Patient);
        CopyTable(&journalCopy.Journal, &work.Journal);
        CopyTable(&journalCopy.Base, &work.Base);
        CopyTable(&journalCopy.Exam, &work.Exam);
    }
    std::printf("patients %d\npeak-kb %ld\n", work.Patient.RecordCount(), PeakMemoryKb());
    return 0;
}

void MeasureMemory(TReport& report, const QString& file) {
    const QString name = QStringLiteral("memory: peak with %1 patients open").arg(MemoryPatients);
    QProcess child;
    child.setProcessChannelMode(QProcess::SeparateChannels);
    child.start(QCoreApplication::applicationFilePath(), {"--memory", file});
    const bool finished = child.waitForFinished(180000);
    const QString out = QString::fromLocal8Bit(child.readAllStandardOutput());
    long peak = -1, start = -1, patients = -1;
    for (const QString& line : out.split('\n')) {
        const QStringList parts = line.split(' ');
        if (parts.size() != 2)
            continue;
        if (parts[0] == "peak-kb")
            peak = parts[1].toLong();
        else if (parts[0] == "start-kb")
            start = parts[1].toLong();
        else if (parts[0] == "patients")
            patients = parts[1].toLong();
    }
    if (!finished || child.exitCode() != 0 || peak < 0) {
        if (!finished)
            child.kill();
        const QString why = !finished ? QStringLiteral("the run did not end in 180 s")
                                      : QString::fromLocal8Bit(child.readAllStandardError()).trimmed().section('\n', -1);
        report.Figure(name, "not measured: " + why.left(60), "<= " + QString::number(PeakMbTarget) + " MB", false);
        return;
    }
    const double mb = peak / 1024.0;
    report.Figure(name, QStringLiteral("%1 MB (at start %2 MB)").arg(mb, 0, 'f', 1).arg(start / 1024.0, 0, 'f', 1),
                  "<= " + QString::number(PeakMbTarget) + " MB", mb <= PeakMbTarget && patients == MemoryPatients);
    report.Detail(QStringLiteral("%1 Patient rows in the work journal's and the JournalCopy's tables, "
                                 "10 patient steps copied with CopyTable")
                      .arg(patients));
}

// ---------------------------------------------------------------- 7. variants

// Three model tables of the calculation module, switched between their
// variants: from their cached packets (diabetes dependant) against reopening
// the stored table on every switch.
void MeasureSwitches(TReport& report, TSqlCounter& counter) {
    const QStringList names = {"Risks", "Values", "Baseline"};
    double ms[2] = {0, 0};
    int reads[2] = {0, 0};
    qint64 statements = 0;
    for (int dependant = 0; dependant < 2; ++dependant) {
        TMlSwitch sw;
        sw.SetSuffix1("_P");
        sw.SetSuffix2("_D");
        std::vector<std::unique_ptr<TMlTable>> tables;
        for (const QString& name : names) {
            auto t = std::make_unique<TMlTable>();
            WithoutDialog(*t);
            t->SetDatabaseName(ApplicationDb);
            t->SetTableName(dependant ? name : name + "_P");
            t->SetDiabetesDependant(dependant);
            t->SetSwitch(&sw);
            t->Open();
            tables.push_back(std::move(t));
        }
        counter.Start();
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < Switches; ++i)
            sw.SetDiabetes(!sw.Diabetes());
        ms[dependant] = MsSince(timer);
        counter.Stop();
        if (dependant)
            statements = counter.Counts().Statements;
        for (auto& t : tables)
            reads[dependant] += t->SourceProvider()->FetchCount();
    }
    const double ratio = ms[1] / ms[0];
    report.Figure(QStringLiteral("variants: %1 switches of 3 tables, cache").arg(Switches),
                  QStringLiteral("%1 (reopened %2, %3)").arg(Ms(ms[1]), Ms(ms[0]), Times(ratio)),
                  "<= " + Times(SwitchRatioTarget) + " reopen", ratio <= SwitchRatioTarget);
    // Each table reads each variant once; every later switch comes from the cache.
    report.Figure("variants: store reads with the cache",
                  QStringLiteral("%1 (reopened %2; %3 SQL per switch)")
                      .arg(reads[1]).arg(reads[0]).arg(double(statements) / Switches, 0, 'f', 1),
                  QStringLiteral("<= %1").arg(2 * names.size()), reads[1] <= 2 * names.size());
}

// ---------------------------------------------------------------- main

int SpeedRun() {
    TReport report;
    const QString speedFile = PatientDatabase(SpeedPatients);
    const QString memoryFile = PatientDatabase(MemoryPatients);
    const QString applicationFile = ApplicationDatabase();

    TDatabase patients, application;
    OpenDatabase(patients, PatientDb, PatientAliasName, speedFile);
    OpenDatabase(application, ApplicationDb, ApplicationAliasName, applicationFile);
    patients.ExecSql("DELETE FROM Patient WHERE \"Identity\" LIKE ?", {BenchIdentity + "%"});
    TSqlCounter counter(patients.Connection());
    const TBareConnection bare(speedFile);
    TSqlCounter bareCounter(bare.Connection());
    std::printf("patient database %s (%d patients)\n\n", qPrintable(speedFile), SpeedPatients);

    TJournalTables tables;
    MeasureOpen(report, tables, bare.Connection());
    MeasureStepping(report, tables, counter, bare.Connection(), bareCounter);
    tables.CloseDetails(); // the patient alone from here on
    MeasureWrites(report, tables.Patient, counter, bare.Connection());
    MeasureSearches(report, tables.Patient, counter, bare.Connection());
    MeasureCopies(report, tables.Patient);
    TSqlCounter applicationCounter(application.Connection());
    MeasureSwitches(report, applicationCounter);
    MeasureMemory(report, memoryFile);
    return report.Summary();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home(QDir::tempPath() + "/tavlo-bench-home-XXXXXX");
    if (!home.isValid()) {
        std::fprintf(stderr, "bench_mltable: cannot create a temporary home folder\n");
        return 2;
    }
    PointUserFoldersInto(home.path());
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        const int memory = args.indexOf("--memory");
        if (memory >= 0)
            return MemoryRun(args.value(memory + 1));
        return SpeedRun();
    } catch (const std::exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "bench_mltable: %s\n", e.what());
        return 2;
    }
}
