// The risk calculation runs on every keystroke of the doctor: Calculate on a
// filled JournalCopy, patient by patient, against a hand-written C++
// evaluation of the same small model (model 3 of the tests: blood pressure
// and cholesterol, two groups, a baseline for ages 35 to 74) reading the same
// JournalCopy, in the same run; the model's arithmetic alone is shown beside
// them. Every figure is printed with its target; the
// exit code is 1 when a target is missed or the two disagree.

#include "UserFolders.h"
#include "../../tests/model/CalculateFixture.h"

#include "BuildMediatorDM.h"
#include "DatabaseSetup.h"
#include "TableStore.h"
#include "TvWorkCalculateDM.h"
#include "TvWorkCountryDM.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

// --- allocation counting: Qt allocates with malloc, operator new uses it too ---

static std::atomic<long long> gAllocations{0};

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* p, std::size_t size);

void* malloc(std::size_t size) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}
void* realloc(void* p, std::size_t size) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(p, size);
}
}

using namespace CalcFixture;

namespace {

constexpr int Patients = 200;
constexpr int Repeats = 20; // calculations per patient and round
constexpr int Rounds = 7;   // the best round counts: the machine is shared
constexpr double RatioTarget = 30;

using Clock = std::chrono::steady_clock;

struct THandResult {
    double ExaminationRisk = 0, TreatmentRisk = 0;
};

// Model 3 written out: the values read from the journal by key, the
// coefficients and the baseline as constants.
THandResult HandEvaluation(TJournalDataModuleBase& journal, int years) {
    const int patientId = journal.Patient->FieldByName(QStringLiteral("Patient id"))->AsInteger();
    const int journalId = journal.Journal->FieldByName(QStringLiteral("Journal id"))->AsInteger();
    const QVariant sex = journal.Base->Lookup(QStringLiteral("Patient id;Risk id"), QVariantList{patientId, SexRiskId},
                                              QStringLiteral("_Examination"));
    const int group = sex.isValid() && sex.toDouble() == 1 ? 1 : 0;
    double examSum = 0, treatSum = 0;
    for (int factor = 0; factor < 2; ++factor) {
        const QVariant row = journal.Exam->Lookup(QStringLiteral("Journal id;Risk id"),
                                                  QVariantList{journalId, factor + 1},
                                                  QStringLiteral("_Examination;_Treatment"));
        const double examination = row.isValid() ? row.toList().value(0).toDouble() : -1;
        const double treatment = row.isValid() ? row.toList().value(1).toDouble() : -1;
        examSum += Beta[factor][group] * (examination - Const[factor][group]);
        treatSum += Beta[factor][group] * (treatment - Const[factor][group]);
        if (row.isValid() && examination - treatment > 0)
            treatSum += (examination - treatment) * Inter[factor][group];
    }
    const int age = journal.GetAge();
    const double ratio = Survival(group, age + years) / Survival(group, age);
    return {(1 - std::pow(ratio, std::exp(examSum))) * 100, (1 - std::pow(ratio, std::exp(treatSum))) * 100};
}

// The same arithmetic on values already read: what the model itself costs.
double Arithmetic(const double examination[2], const double treatment[2], int group, int age, int years) {
    double examSum = 0, treatSum = 0;
    for (int factor = 0; factor < 2; ++factor) {
        examSum += Beta[factor][group] * (examination[factor] - Const[factor][group]);
        treatSum += Beta[factor][group] * (treatment[factor] - Const[factor][group]);
        if (examination[factor] - treatment[factor] > 0)
            treatSum += (examination[factor] - treatment[factor]) * Inter[factor][group];
    }
    const double ratio = Survival(group, age + years) / Survival(group, age);
    return (1 - std::pow(ratio, std::exp(examSum))) * 100 + (1 - std::pow(ratio, std::exp(treatSum))) * 100;
}

void FillPatients(TDatabase* db) {
    TTransactionScope transaction(db);
    TPatientRows rows{db};
    for (int p = 0; p < Patients; ++p) {
        const int patientId = 1000 + p, journalId = 5000 + p;
        rows.Patient(patientId, EncodeDate(1940 + p % 40, 1 + p % 12, 1 + p % 28));
        rows.Journal(journalId, patientId);
        rows.Base(patientId, SexRiskId, p % 2);
        rows.Base(patientId, 8, 160 + p % 40);
        rows.Exam(journalId, 1, 120 + p % 60, 120 + p % 30);
        rows.Exam(journalId, 2, 4 + (p % 40) / 10.0, 4 + (p % 20) / 10.0);
        rows.Exam(journalId, 3, p % 3, 0);
    }
    transaction.Commit();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home(QDir::tempPath() + "/tavlo-bench-calc-XXXXXX");
    PointUserFoldersInto(home.path());
    QApplication app(argc, argv);
    try {
        const QString appFile = QDir(home.path()).filePath("TavloCalc.db");
        if (!CreateDatabaseFile(appFile, SeedFileName(ApplicationSeedName)))
            throw Exception("the application database was not made from the seed");
        Session().AddAlias("BenchCalcAlias", {"TYPE=SQLITE", "PATH=" + home.path(), "DATABASE NAME=TavloCalc.db"});
        TMediatorDataModule mediator;
        mediator.ConnectDatabases("BenchCalcAlias", true);
        InsertTestModel(mediator.Database);
        FillPatients(mediator.PatientDatabase);

        TTvWorkCountryDataModule country;
        country.SelectLanguage("en/gb");
        TTvWorkCalculateDataModule calc(StandInFactory());
        calc.SetCountryModule(&country);
        if (!calc.CalcModel->Locate("CalcID", TestModel))
            throw Exception("model 3 is missing");
        calc.LoadFormulas();
        calc.SetPredictionYears(10);
        auto* journal = static_cast<TStandInJournal*>(calc.JournalCopy());

        double bestCalc = 1e300, bestHand = 1e300, bestArithmetic = 1e300;
        long long allocations = 0, calculations = 0;
        double worstDifference = 0;
        volatile double sink = 0;
        for (int round = 0; round < Rounds; ++round) {
            Clock::duration calcTime{}, handTime{}, arithmeticTime{};
            for (int p = 0; p < Patients; ++p) {
                // Filling the copy is the caller's work, outside both figures.
                journal->Show(1000 + p, 5000 + p);
                journal->AgeOverride = 40 + p % 25;
                const auto handStart = Clock::now();
                THandResult hand;
                for (int r = 0; r < Repeats; ++r) {
                    hand = HandEvaluation(*journal, 10);
                    sink = sink + hand.ExaminationRisk;
                }
                const double examination[2] = {120.0 + p % 60, 4 + (p % 40) / 10.0};
                const double treatment[2] = {120.0 + p % 30, 4 + (p % 20) / 10.0};
                const auto arithmeticStart = Clock::now();
                for (int r = 0; r < Repeats; ++r)
                    sink = sink + Arithmetic(examination, treatment, p % 2, 40 + p % 25 + (r & 1), 10);
                arithmeticTime += Clock::now() - arithmeticStart;
                const auto calcStart = Clock::now();
                const long long allocationsBefore = gAllocations.load();
                for (int r = 0; r < Repeats; ++r) {
                    calc.Calculate();
                    sink = sink + calc.ExaminationRisk;
                }
                const auto calcEnd = Clock::now();
                allocations += gAllocations.load() - allocationsBefore;
                calculations += Repeats;
                handTime += calcStart - handStart;
                calcTime += calcEnd - calcStart;
                worstDifference = std::max({worstDifference, std::fabs(calc.ExaminationRisk - hand.ExaminationRisk),
                                            std::fabs(calc.TreatmentRisk - hand.TreatmentRisk)});
            }
            const double n = double(Patients) * Repeats;
            bestCalc = std::min(bestCalc, std::chrono::duration<double, std::nano>(calcTime).count() / n);
            bestHand = std::min(bestHand, std::chrono::duration<double, std::nano>(handTime).count() / n);
            bestArithmetic =
                std::min(bestArithmetic, std::chrono::duration<double, std::nano>(arithmeticTime).count() / n);
        }
        const double ratio = bestCalc / bestHand;
        const bool ratioOk = ratio <= RatioTarget;
        const bool agree = worstDifference < 1e-9;
        std::printf("%-44s %12s %12s %s\n", "figure", "value", "target", "");
        std::printf("%-44s %9.0f ns %12s %s\n", "Calculate per call", bestCalc, "-", "info");
        std::printf("%-44s %9.0f ns %12s %s\n", "hand-written evaluation per call", bestHand, "-", "info");
        std::printf("%-44s %9.0f ns %12s %s\n", "its arithmetic alone, values already read", bestArithmetic, "-",
                    "info");
        std::printf("%-44s %12.1f %12s %s\n", "Calculate / hand-written", ratio, "<= 30", ratioOk ? "ok" : "MISSED");
        std::printf("%-44s %12.1f %12s %s\n", "allocations per Calculate", double(allocations) / double(calculations),
                    "-", "info");
        std::printf("%-44s %12.2g %12s %s\n", "largest difference of the risks (%)", worstDifference, "< 1e-9",
                    agree ? "ok" : "MISSED");
        return ratioOk && agree ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_calc: %s\n", e.what());
        return 1;
    }
}
