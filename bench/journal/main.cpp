// The journal module on a practice's scale (100 000 patients, 1 000 000
// examinations), against bare QSqlQuery reading and writing the same rows in
// the same run:
//   1. opening the material module (country, journal, a calculation);
//   2. moving to a patient, with JournalChanged refilling the calculation's
//      copy of the journal (a real journal module);
//   3. inserting an examination with its transferred values and items;
//   4. posting one examination value (the copy refilled after it);
//   5. deleting a patient with 10 examinations;
//   6. peak memory of the run.
// Every figure is printed with its target; the exit code is 1 on a miss.

#include "UserFolders.h"
#include "JournalRows.h"

#include "BuildMediatorDM.h"
#include "DatabaseSetup.h"
#include "Edition.h"
#include "JournalCalculation.h"
#include "MorlenTables.h"
#include "TableStore.h"
#include "TvConvertField.h"
#include "TvWorkCountryDM.h"
#include "TvWorkJournalDM.h"
#include "TvWorkMaterialDM.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr double MoveMsTarget = 2;
constexpr double RatioTarget = 5;
constexpr double PeakMbTarget = 400;
constexpr int Moves = 300;
constexpr int Writes = 25;
constexpr int Deletes = 10;

class TReport {
public:
    void Figure(const QString& name, const QString& value, const QString& target, bool ok) {
        std::printf("%-40s %-36s target %-10s %s\n", qPrintable(name), qPrintable(value), qPrintable(target),
                    ok ? "ok" : "MISSED");
        std::fflush(stdout);
        if (!ok)
            FMissed << name;
        ++FFigures;
    }
    int Summary() const {
        std::printf("\nsummary: %lld of %d targets met\n", qlonglong(FFigures - FMissed.size()), FFigures);
        for (const QString& name : FMissed)
            std::printf("  missed: %s\n", qPrintable(name));
        return FMissed.isEmpty() ? 0 : 1;
    }

private:
    QStringList FMissed;
    int FFigures = 0;
};

QString Ms(double ms) { return QString::number(ms, 'f', 3) + " ms"; }

double Median(QVector<double> samples) {
    if (samples.isEmpty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const qsizetype n = samples.size();
    return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

double Timed(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
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

// ---------------------------------------------------------------- the calculation's stand-in

// What the journal asks of a calculation, without calculating: the model's
// risks (Risks_P of model 1 with the shared columns) and a real journal
// module as its copy, so the copy's refill is measured.
class TBenchCalculation : public TJournalCalculation {
public:
    TBenchCalculation() {
        const QString application = MediatorDataModule->Database->DatabaseName();
        Shared.SetDatabaseName(application);
        Shared.SetTableName(QStringLiteral("Risks"));
        Shared.Open();
        Risks.SetDatabaseName(application);
        Risks.SetTableName(QStringLiteral("Risks_P"));
        new TIntegerField(&Risks, QStringLiteral("Risk id"));
        new TBooleanField(&Risks, QStringLiteral("Visible"));
        new TBooleanField(&Risks, QStringLiteral("Enabled"));
        new TIntegerField(&Risks, QStringLiteral("CalcID"));
        const auto lookup = [&](TField* field) {
            field->SetLookupDataSet(&Shared);
            field->KeyFields = field->LookupKeyFields = QStringLiteral("Risk id");
            field->LookupResultField = field->FieldName();
        };
        lookup(new TSmallintField(&Risks, QStringLiteral("Group"), TFieldKind::fkLookup));
        lookup(new TBooleanField(&Risks, QStringLiteral("Obsolete"), TFieldKind::fkLookup));
        lookup(new TStringField(&Risks, QStringLiteral("Default"), 50, TFieldKind::fkLookup));
        Risks.SetFilter(QStringLiteral("CalcID = 1"));
        Risks.SetFiltered(true);
        Risks.Open();
        Copy.reset(static_cast<TTvWorkJournalDataModule*>(JournalCopyFactory()(nullptr)));
    }
    ~TBenchCalculation() override { Copy.reset(); }
    TJournalDataModuleBase* JournalCopy() const override { return Copy.get(); }
    void Recalculate() override {}
    void UpdateDependents(int) override {}
    TMlRiskTable* ModelRisks() const override { return const_cast<TMlRiskTable*>(&Risks); }
    int ModelId() const override { return 1; }

    TMlRiskTable Shared, Risks;
    std::unique_ptr<TTvWorkJournalDataModule> Copy;
};

class TBenchMaterial : public TTvWorkMaterialDataModule {
protected:
    TJournalCalculation* CreateCalculateData() override { return new TBenchCalculation(); }
};

// ---------------------------------------------------------------- the baseline

// Bare statements on a connection of their own to the same files.
class TBare {
public:
    TBare(const QString& patients, const QString& application) {
        Open(QStringLiteral("bench-bare-patients"), patients);
        Open(QStringLiteral("bench-bare-application"), application);
    }
    ~TBare() {
        for (const QString& name : {QStringLiteral("bench-bare-patients"), QStringLiteral("bench-bare-application")}) {
            QSqlDatabase::database(name, false).close();
            QSqlDatabase::removeDatabase(name);
        }
    }
    QSqlDatabase Patients() const { return QSqlDatabase::database(QStringLiteral("bench-bare-patients"), false); }
    QSqlDatabase Application() const { return QSqlDatabase::database(QStringLiteral("bench-bare-application"), false); }

    // Every row of the statement, each value read.
    int Read(QSqlDatabase db, const QString& sql, const QVariantList& params = {}) {
        QSqlQuery& q = Prepared(db, sql);
        for (int i = 0; i < params.size(); ++i)
            q.bindValue(i, params[i]);
        if (!q.exec())
            throw Exception(q.lastError().text());
        int rows = 0;
        const int columns = q.record().count();
        QVector<QVariant> values(columns);
        while (q.next()) {
            for (int c = 0; c < columns; ++c)
                values[c] = q.value(c);
            ++rows;
        }
        q.finish();
        return rows;
    }
    QList<int> Ints(QSqlDatabase db, const QString& sql, const QVariantList& params) {
        QSqlQuery& q = Prepared(db, sql);
        for (int i = 0; i < params.size(); ++i)
            q.bindValue(i, params[i]);
        if (!q.exec())
            throw Exception(q.lastError().text());
        QList<int> values;
        while (q.next())
            values << q.value(0).toInt();
        q.finish();
        return values;
    }
    void Exec(QSqlDatabase db, const QString& sql, const QVariantList& params = {}) {
        QSqlQuery& q = Prepared(db, sql);
        for (int i = 0; i < params.size(); ++i)
            q.bindValue(i, params[i]);
        if (!q.exec())
            throw Exception(q.lastError().text());
        q.finish();
    }

    // What the journal shows of a patient and the copy the calculation gets:
    // the patient's examinations, base values, the first examination's values
    // and items; the patient row, and the values of every examination.
    void ReadPatient(int patient) {
        QSqlDatabase p = Patients();
        const QList<int> journals = Ints(p, "SELECT \"Journal id\" FROM Journal WHERE \"Patient id\" = ? "
                                            "ORDER BY \"Patient id\", Date, \"Journal id\"", {patient});
        Read(p, "SELECT * FROM Journal WHERE \"Patient id\" = ? ORDER BY \"Patient id\", Date, \"Journal id\"", {patient});
        Read(p, "SELECT * FROM Base WHERE \"Patient id\" = ? ORDER BY \"Patient id\", \"Risk id\"", {patient});
        const int first = journals.value(0);
        Read(p, "SELECT * FROM Exam WHERE \"Journal id\" = ? ORDER BY \"Journal id\", \"Risk id\"", {first});
        Read(Application(), "SELECT * FROM ItemLink WHERE JournalID = ?", {first});
        Read(p, "SELECT * FROM Patient WHERE \"Patient id\" = ?", {patient});
        Read(p, "SELECT * FROM Journal WHERE \"Patient id\" = ?", {patient});
        Read(p, "SELECT * FROM Base WHERE \"Patient id\" = ?", {patient});
        for (int journal : journals)
            Read(p, "SELECT * FROM Exam WHERE \"Journal id\" = ?", {journal});
    }

private:
    void Open(const QString& name, const QString& file) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open())
            throw Exception(file + ": " + db.lastError().text());
        QSqlQuery(db).exec(QStringLiteral("PRAGMA synchronous=FULL")); // as the store writes
    }
    QSqlQuery& Prepared(QSqlDatabase db, const QString& sql) {
        const QString key = db.connectionName() + QLatin1Char('\n') + sql;
        auto it = FQueries.find(key);
        if (it == FQueries.end()) {
            QSqlQuery q(db);
            q.setForwardOnly(true);
            if (!q.prepare(sql))
                throw Exception(q.lastError().text());
            it = FQueries.insert(key, q);
        }
        return *it;
    }
    QHash<QString, QSqlQuery> FQueries;
};

// ---------------------------------------------------------------- measurements

struct TTimes {
    QVector<double> Ours, Bare;
    double Ratio() const { return Median(Bare) > 0 ? Median(Ours) / Median(Bare) : 0; }
};

void Report(TReport& report, const QString& name, const TTimes& times, double msTarget = 0) {
    const double ours = Median(times.Ours), ratio = times.Ratio();
    report.Figure(name + ": ratio", QStringLiteral("%1 (%2 vs bare %3)").arg(QString::number(ratio, 'f', 2) + "x", Ms(ours),
                                                                          Ms(Median(times.Bare))),
                  "<= " + QString::number(RatioTarget) + "x", ratio <= RatioTarget);
    if (msTarget > 0)
        report.Figure(name + ": time", Ms(ours), "<= " + Ms(msTarget), ours <= msTarget);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    PointUserFoldersInto(home.path());
    QApplication application(argc, argv);
    TReport report;
    try {
        SetEdition(TEdition::Combined);
        // The cached practice, copied so the run's writes leave it as generated.
        const QString cached = JournalBenchDatabase();
        const QString run = home.path() + QStringLiteral("/run");
        QDir().mkpath(run);
        const QString patients = run + QStringLiteral("/patients.db");
        const QString applicationFile = run + QStringLiteral("/TavloCalc.db");
        if (!QFile::copy(cached, patients))
            throw Exception(QStringLiteral("cannot copy the bench database"));
        QFile::setPermissions(patients, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        CreateDatabaseFile(applicationFile, SeedFileName(ApplicationSeedName));
        Session().AddAlias(QStringLiteral("BenchCalc"), {"TYPE=SQLITE", "PATH=" + run, "DATABASE NAME=TavloCalc.db"});
        Session().AddAlias(PatientAliasName, {"TYPE=SQLITE", "PATH=" + run, "DATABASE NAME=patients.db"});
        TBare bare(patients, applicationFile);
        // The treatment items of the examinations the bench inserts after.
        {
            QSqlDatabase app = bare.Application();
            app.transaction();
            for (int p = 1; p <= BenchPatients; p += 97)
                bare.Exec(app, "INSERT INTO ItemLink (JournalID, GroupID, ItemID) VALUES (?, 3, 2)",
                          {2 + p * ExamsPerPatient - 1});
            app.commit();
        }

        TMediatorDataModule mediator;
        mediator.ConnectDatabases(QStringLiteral("BenchCalc"), true);

        // 1. Opening.
        TTimes open;
        std::unique_ptr<TBenchMaterial> material;
        for (int i = 0; i < 3; ++i) {
            material.reset();
            open.Bare << Timed([&] {
                bare.Read(bare.Patients(), "SELECT rowid, * FROM Patient");
                bare.ReadPatient(1);
            });
            auto made = std::make_unique<TBenchMaterial>();
            open.Ours << Timed([&] {
                made->CreateModules();
                made->CountryData->SelectLanguage(QStringLiteral("en/gb"));
            });
            material = std::move(made);
        }
        Report(report, "open the material module", open);
        TXTvWorkJournalDataModule* journal = material->JournalData;
        for (TMlTable* table : {journal->Patient, journal->Journal, journal->Base, journal->Exam, journal->JournalLink})
            table->OnReconcileError = nullptr; // a failed write raises instead of asking no one
        if (journal->Patient->RecordCount() != BenchPatients)
            throw Exception(QStringLiteral("the practice has %1 patients").arg(journal->Patient->RecordCount()));

        // 2. Moving to a patient.
        TTimes move;
        for (int i = 0; i < Moves; ++i) {
            const int recNo = 1 + int((quint64(i) * 7919 + 13) % BenchPatients);
            move.Ours << Timed([&] { journal->Patient->SetRecNo(recNo); });
            const int other = 1 + int((quint64(i) * 104729 + 77) % BenchPatients);
            move.Bare << Timed([&] { bare.ReadPatient(other); });
        }
        Report(report, "patient move + JournalChanged", move, MoveMsTarget);

        // 3. A new examination with its values and items.
        TTimes insert;
        for (int i = 0; i < Writes; ++i) {
            const int patient = 1 + 97 * (i + 1);
            journal->Patient->SetRecNo(patient);
            insert.Ours << Timed([&] { journal->Journal->Insert(); });
            const int other = patient + 50;
            insert.Bare << Timed([&] {
                QSqlDatabase p = bare.Patients(), a = bare.Application();
                const QList<int> journals =
                    bare.Ints(p, "SELECT \"Journal id\" FROM Journal WHERE \"Patient id\" = ? "
                                 "ORDER BY \"Patient id\", Date, \"Journal id\"", {other});
                p.transaction();
                a.transaction();
                bare.Exec(p, "INSERT INTO Journal (\"Patient id\", Date, CalcID) VALUES (?, ?, 1)", {other, 50000.0});
                const int id = bare.Ints(p, "SELECT last_insert_rowid()", {}).value(0);
                bare.Read(p, "SELECT * FROM Exam WHERE \"Journal id\" = ?", {journals.last()});
                for (int risk : BenchExamRisks)
                    bare.Exec(p, "INSERT INTO Exam (\"Journal id\", \"Risk id\", Examination, Treatment, Transferred) "
                                 "VALUES (?, ?, 120, 120, 1)", {id, risk});
                bare.Read(a, "SELECT * FROM ItemLink WHERE JournalID = ?", {journals.last()});
                bare.Exec(a, "INSERT INTO ItemLink (JournalID, GroupID, ItemID) VALUES (?, 3, 2)", {id});
                p.commit();
                a.commit();
                bare.ReadPatient(other);
            });
        }
        Report(report, "insert an examination", insert);

        // 4. One examination value posted.
        TTimes post;
        for (int i = 0; i < Writes; ++i) {
            const int patient = 1 + 89 * (i + 1);
            journal->Patient->SetRecNo(patient);
            journal->Journal->Last();
            journal->Exam->First();
            post.Ours << Timed([&] {
                journal->Exam->Edit();
                journal->ExamExaminationView->SetAsFloat(130 + i);
                journal->Exam->Post();
            });
            const int other = patient + 40;
            post.Bare << Timed([&] {
                QSqlDatabase p = bare.Patients();
                const QList<int> journals =
                    bare.Ints(p, "SELECT \"Journal id\" FROM Journal WHERE \"Patient id\" = ?", {other});
                bare.Exec(p, "UPDATE Exam SET Examination = ? WHERE \"Journal id\" = ? AND \"Risk id\" = 1",
                          {130 + i, journals.last()});
                bare.ReadPatient(other);
            });
        }
        Report(report, "post one examination value", post);

        // 5. A patient with 10 examinations deleted.
        TTimes remove;
        for (int i = 0; i < Deletes; ++i) {
            const int patient = 60000 + 211 * i;
            if (!journal->Patient->Locate(QStringLiteral("Patient id"), patient))
                throw Exception(QStringLiteral("patient %1 is missing").arg(patient));
            if (journal->Journal->RecordCount() != ExamsPerPatient)
                throw Exception(QStringLiteral("patient %1 has %2 examinations").arg(patient).arg(journal->Journal->RecordCount()));
            remove.Ours << Timed([&] { journal->Patient->Delete(); });
            const int other = patient + 100;
            remove.Bare << Timed([&] {
                QSqlDatabase p = bare.Patients(), a = bare.Application();
                p.transaction();
                a.transaction();
                const QList<int> journals =
                    bare.Ints(p, "SELECT \"Journal id\" FROM Journal WHERE \"Patient id\" = ?", {other});
                for (int id : journals) {
                    bare.Exec(p, "DELETE FROM Exam WHERE \"Journal id\" = ?", {id});
                    bare.Exec(a, "DELETE FROM ItemLink WHERE JournalID = ?", {id});
                }
                bare.Exec(p, "DELETE FROM Journal WHERE \"Patient id\" = ?", {other});
                bare.Exec(p, "DELETE FROM Base WHERE \"Patient id\" = ?", {other});
                bare.Exec(p, "DELETE FROM Patient WHERE \"Patient id\" = ?", {other});
                p.commit();
                a.commit();
                bare.ReadPatient(other + 1);
            });
        }
        Report(report, "delete a patient with 10 examinations", remove);

        material.reset();
        const double peakMb = PeakMemoryKb() / 1024.0;
        report.Figure("peak memory (VmHWM)", QString::number(peakMb, 'f', 1) + " MB",
                      "< " + QString::number(PeakMbTarget) + " MB", peakMb > 0 && peakMb < PeakMbTarget);
    } catch (const std::exception& e) {
        std::printf("bench failed: %s\n", e.what());
        return 1;
    }
    return report.Summary();
}
