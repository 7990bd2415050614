// The shipped SCORE2 models run by the product's calculation module against
// the published equations, over a grid of patients: every region, both
// variants, both sexes, smokers and not, with and without diabetes, at the
// examination values and at the treatment goals; and the ages the model
// reaches at 10 and at 5 years.

#include "Application.h"
#include "BuildMediatorDM.h"
#include "BvUtils.h"
#include "CalculateFixture.h"
#include "Conversions.h"
#include "Edition.h"
#include "MorlenTables.h"
#include "Score2Reference.h"
#include "TestDatabase.h"
#include "TestMain.h"
#include "TvExprList.h"
#include "TvWorkCalculateDM.h"
#include "TvWorkCountryDM.h"

#include <QElapsedTimer>
#include <QTest>
#include <cmath>
#include <cstdio>
#include <memory>

using namespace CalcFixture;
using Score2Reference::Region;
using Score2Reference::Sex;

namespace {

constexpr int PatientId = 500;
constexpr int SexRisk = 5, DiabetesRisk = 7;
constexpr int BloodPressure = 1, Cholesterol = 2, Smoking = 3, HDL = 19;
constexpr double Tolerance = 0.01; // percentage points

// One examination: the values and the goals set for them.
struct TExam {
    int JournalId;
    double Sbp, Tc, Hdl;
    bool Smoker;
};
// Goals a doctor might set: 20 mmHg and 1 mmol/L lower, HDL 0.3 higher,
// stopped smoking.
Score2Reference::Patient Goal(Score2Reference::Patient p) {
    p.sbp -= 20;
    p.tc -= 1;
    p.hdl += 0.3;
    p.smoker = false;
    return p;
}

QList<double> Steps(double from, double to, int count) {
    QList<double> values;
    for (int i = 0; i < count; ++i)
        values << from + (to - from) * i / (count - 1);
    return values;
}

// The worst difference seen and where.
struct TWorst {
    double Difference = 0;
    QString Where;
    int Count = 0;
    void See(double got, double want, const QString& where) {
        ++Count;
        const double difference = std::fabs(got - want);
        if (difference > Difference || std::isnan(difference)) {
            Difference = std::isnan(difference) ? 1e9 : difference;
            Where = where + QStringLiteral(": %1 for %2").arg(got, 0, 'g', 12).arg(want, 0, 'g', 12);
        }
    }
};

} // namespace

class TestScore2Grid : public QObject {
    Q_OBJECT
    std::unique_ptr<TSeedDatabase> FSeed;
    std::unique_ptr<TMediatorDataModule> FMediator;
    std::unique_ptr<TTvWorkCountryDataModule> FCountry;
    std::unique_ptr<TTvWorkCalculateDataModule> FCalc;
    QList<TExam> FExams;
    QStringList FShown;
    QStringList FEvents;

    TStandInJournal* Journal() const { return static_cast<TStandInJournal*>(FCalc->JournalCopy()); }

    // A patient whose examinations are the given value combinations, each
    // with its goals.
    void AddPatient(const QList<double>& sbps, const QList<double>& tcs, const QList<double>& hdls) {
        TDatabase* db = FMediator->PatientDatabase;
        for (const char* table : {"Patient", "Journal", "Base", "Exam"})
            db->ExecSql(QStringLiteral("DELETE FROM \"%1\"").arg(table));
        FExams.clear();
        db->StartTransaction();
        TPatientRows rows{db};
        rows.Patient(PatientId);
        // Outside the model: set to what would show if it counted.
        rows.Base(PatientId, SexRisk, 0);
        rows.Base(PatientId, 6, 1);
        rows.Base(PatientId, DiabetesRisk, 0);
        rows.Base(PatientId, 8, 182);
        rows.Base(PatientId, 9, 0);
        int journalId = 1000;
        for (double sbp : sbps)
            for (double tc : tcs)
                for (double hdl : hdls)
                    for (bool smoker : {false, true}) {
                        rows.Journal(journalId, PatientId);
                        const Score2Reference::Patient goal = Goal({Sex::Male, 60, sbp, tc, hdl, smoker, false});
                        rows.Exam(journalId, BloodPressure, sbp, goal.sbp);
                        rows.Exam(journalId, Cholesterol, tc, goal.tc);
                        rows.Exam(journalId, Smoking, smoker ? 2 : 1, goal.smoker ? 2 : 0);
                        rows.Exam(journalId, HDL, hdl, goal.hdl);
                        rows.Exam(journalId, 4, 96, 80);
                        rows.Exam(journalId, 33, 29, 25);
                        FExams.append({journalId, sbp, tc, hdl, smoker});
                        ++journalId;
                    }
        db->Commit();
        Journal()->Show(PatientId, FExams.first().JournalId);
    }

    void SetBase(int riskId, double value) {
        TMlTable* base = Journal()->Base;
        const bool filtered = base->Filtered();
        base->SetFiltered(false);
        QVERIFY(base->Locate("Patient id;Risk id", QVariantList{PatientId, riskId}));
        base->Edit();
        base->FieldByName("Examination")->SetAsFloat(value);
        base->Post();
        base->SetFiltered(filtered);
    }

    // The model of that region in that variant, its formulas loaded.
    void UseModel(int calcId, bool diabetesVariant) {
        FMediator->DiabetesSwitch->SetDiabetes(diabetesVariant);
        QVERIFY(FCalc->CalcModel->Locate("CalcID", calcId));
        FCalc->LoadFormulas();
        QCOMPARE(FCalc->ExprList()->Count(), 9); // weight and height only feed BMI
        QCOMPARE(FCalc->Risks->TableName() + FCalc->Risks->Switch()->CurrentSuffix(),
                 diabetesVariant ? QStringLiteral("Risks_D") : QStringLiteral("Risks_P"));
    }

    // The patient's sex and diabetes. The Prevention edition's journal shows
    // the diabetes row, which the non-diabetes model reads; the other
    // editions hide it and choose the diabetes model instead, which counts
    // the diabetes whatever the row says.
    void SetPatient(Sex sex, bool diabetes, bool diabetesVariant) {
        SetBase(SexRisk, int(sex));
        SetBase(DiabetesRisk, diabetes ? 1 : 0);
        Journal()->Base->SetFiltered(diabetesVariant);
    }

    // Calculates every examination at every age and compares both risks.
    void RunExams(const QList<int>& ages, Region region, Sex sex, bool diabetes, bool diabetesVariant, TWorst& worst) {
        for (const TExam& exam : FExams) {
            QVERIFY(Journal()->Journal->Locate("Journal id", exam.JournalId));
            for (int age : ages) {
                Journal()->AgeOverride = age;
                FCalc->Calculate();
                const Score2Reference::Patient p{sex, double(age), exam.Sbp, exam.Tc, exam.Hdl, exam.Smoker,
                                                 diabetes || diabetesVariant};
                const QString where = QStringLiteral("model %1%2 %3 age %4 sbp %5 tc %6 hdl %7 smoker %8 diabetes %9")
                                          .arg(int(region)).arg(diabetesVariant ? "_D" : "_P")
                                          .arg(sex == Sex::Male ? "man" : "woman").arg(age).arg(exam.Sbp)
                                          .arg(exam.Tc).arg(exam.Hdl).arg(exam.Smoker).arg(diabetes);
                if (!FCalc->Calculated)
                    QFAIL(qPrintable("not calculated: " + where));
                worst.See(FCalc->ExaminationRisk, 100 * TenYearRisk(p, region), where + " examination");
                worst.See(FCalc->TreatmentRisk, 100 * TenYearRisk(Goal(p), region), where + " goals");
            }
        }
    }

    void Report(const char* name, const TWorst& worst, qint64 ms) {
        const QString line = QStringLiteral("%1: %2 risks, largest difference %3 percentage points (%4), %5 ms")
                                 .arg(QString::fromUtf8(name)).arg(worst.Count)
                                 .arg(QString::number(worst.Difference, 'g', 3), worst.Where).arg(ms);
        std::printf("%s\n", qPrintable(line));
        QVERIFY2(worst.Difference <= Tolerance, qPrintable(worst.Where));
    }

private slots:
    void initTestCase() {
        TApplication::OnException = [this](const QString& text) { FShown << text; };
        SetEdition(TEdition::Combined);
        FSeed = std::make_unique<TSeedDatabase>("GridSeed");
        FMediator = std::make_unique<TMediatorDataModule>();
        FMediator->ConnectDatabases("GridSeedAlias", true);
        FCountry = std::make_unique<TTvWorkCountryDataModule>();
        FCountry->SelectLanguage("en/gb");
        FCalc = std::make_unique<TTvWorkCalculateDataModule>(StandInFactory());
        FCalc->SetCountryModule(FCountry.get());
        FCalc->InitPredictionYears();
        QCOMPARE(FCalc->PredictionYears(), 10);
        FCalc->OnCalculated = [this](QObject*) { FEvents << "calculated"; };
        FCalc->OnNotCalculated = [this](QObject*) { FEvents << "not calculated"; };
    }
    void init() { FEvents.clear(); }
    void cleanup() {
        FMediator->DiabetesSwitch->SetDiabetes(false);
        FCalc->SetPredictionYears(10);
        QVERIFY2(FShown.isEmpty(), qPrintable(FShown.join('\n')));
    }
    void cleanupTestCase() {
        FCalc.reset();
        FCountry.reset();
        FMediator.reset();
        FSeed.reset();
        TApplication::OnException = nullptr;
    }

    // Every region, variant, sex, smoking and diabetes over a coarse grid of
    // ages and values from one end of the model's range to the other.
    void coarseGrid() {
        QElapsedTimer timer;
        timer.start();
        AddPatient(Steps(100, 200, 5), Steps(3, 8, 5), Steps(0.8, 2.5, 3));
        QList<int> ages;
        for (int age = 40; age <= 69; age += 2)
            ages << age;
        ages << 69;
        TWorst worst;
        for (bool diabetesVariant : {false, true})
            for (int calcId : {1, 2, 3, 4}) {
                UseModel(calcId, diabetesVariant);
                for (Sex sex : {Sex::Male, Sex::Female})
                    for (bool diabetes : {false, true}) {
                        SetPatient(sex, diabetes, diabetesVariant);
                        RunExams(ages, Region(calcId), sex, diabetes, diabetesVariant, worst);
                        if (QTest::currentTestFailed())
                            return;
                    }
            }
        Report("coarse grid", worst, timer.elapsed());
    }

    // One region and sex in fine steps: every age, blood pressure every 10,
    // cholesterol every 0.5, HDL every 0.17.
    void denseSlice_data() {
        QTest::addColumn<int>("calcId");
        QTest::addColumn<bool>("diabetesVariant");
        QTest::addColumn<int>("sex");
        QTest::newRow("very high risk, women") << 4 << false << 1;
        QTest::newRow("low risk, diabetes model, men") << 1 << true << 0;
    }
    void denseSlice() {
        QFETCH(int, calcId);
        QFETCH(bool, diabetesVariant);
        QFETCH(int, sex);
        QElapsedTimer timer;
        timer.start();
        AddPatient(Steps(100, 200, 11), Steps(3, 8, 11), Steps(0.8, 2.5, 11));
        QList<int> ages;
        for (int age = 40; age <= 69; age += 3)
            ages << age;
        ages << 69;
        UseModel(calcId, diabetesVariant);
        SetPatient(Sex(sex), false, diabetesVariant);
        TWorst worst;
        RunExams(ages, Region(calcId), Sex(sex), false, diabetesVariant, worst);
        if (!QTest::currentTestFailed())
            Report(QTest::currentDataTag(), worst, timer.elapsed());
    }

    // 10 years ahead the baseline reaches from 40 to 69: outside, the
    // calculation is marked as not calculated, the risks computed all the
    // same, and the message names 40 and 69.
    void agesAtTenYears_data() {
        QTest::addColumn<int>("age");
        QTest::addColumn<bool>("calculated");
        QTest::newRow("39") << 39 << false;
        QTest::newRow("40") << 40 << true;
        QTest::newRow("69") << 69 << true;
        QTest::newRow("70") << 70 << false;
        QTest::newRow("75") << 75 << false;
    }
    void agesAtTenYears() {
        QFETCH(int, age);
        QFETCH(bool, calculated);
        AddPatient({140}, {6}, {1.3});
        for (bool diabetesVariant : {false, true})
            for (int calcId : {1, 4}) {
                UseModel(calcId, diabetesVariant);
                for (Sex sex : {Sex::Male, Sex::Female}) {
                    SetPatient(sex, false, diabetesVariant);
                    FEvents.clear();
                    Journal()->AgeOverride = age;
                    FCalc->Calculate();
                    QCOMPARE(FCalc->Calculated, calculated);
                    QCOMPARE(FEvents, QStringList{calculated ? "calculated" : "not calculated"});
                    int low = 0, high = 0;
                    FCalc->AgeRange(low, high);
                    QCOMPARE(low, 40);
                    QCOMPARE(high, 69);
                    QCOMPARE(FormatText(FCountry->AgeRangeMessage(), {IntToStr(low), IntToStr(high)}),
                             QStringLiteral("Unable to calculate the risk. The age must be between 40 and 69 years!"));
                    if (age >= 40) // an age below the baseline has no risk to speak of
                        QVERIFY2(FCalc->ExaminationRisk > 0 && FCalc->ExaminationRisk < 100,
                                 qPrintable(QString::number(FCalc->ExaminationRisk)));
                }
            }
    }

    // At 5 years the same hazard runs half as far: ages up to 74 are
    // calculated, and the risk is the 10-year risk's cumulative hazard
    // scaled by the Gompertz curve's share of the first five years.
    void fiveYearPeriod() {
        QElapsedTimer timer;
        timer.start();
        AddPatient({150}, {6.5}, {1.1});
        // The age coefficient of each sex and the regional slope of the published model.
        const double ageBeta[2] = {0.3742, 0.4648};
        const double slope[4][2] = {{0.7476, 0.7019}, {0.8009, 0.7701}, {0.9360, 0.9369}, {0.8294, 0.8329}};
        TWorst worst;
        for (bool diabetesVariant : {false, true})
            for (int calcId : {1, 2, 3, 4}) {
                UseModel(calcId, diabetesVariant);
                FCalc->SetPredictionYears(5);
                for (Sex sex : {Sex::Male, Sex::Female}) {
                    SetPatient(sex, true, diabetesVariant);
                    int low = 0, high = 0;
                    FCalc->AgeRange(low, high);
                    QCOMPARE(low, 40);
                    QCOMPARE(high, 74);
                    const double lambda = slope[calcId - 1][int(sex)] * ageBeta[int(sex)] / 5;
                    for (int age : {40, 55, 69, 70, 74, 75}) {
                        FEvents.clear();
                        Journal()->AgeOverride = age;
                        FCalc->Calculate();
                        QCOMPARE(FCalc->Calculated, age <= 74);
                        QCOMPARE(FEvents.size(), 1);
                        if (age > 74)
                            continue;
                        const Score2Reference::Patient p{sex, double(age), 150, 6.5, 1.1, false, true};
                        for (auto [got, patient] : {std::pair{FCalc->ExaminationRisk, p},
                                                    std::pair{FCalc->TreatmentRisk, Goal(p)}}) {
                            const double tenYears = TenYearRisk(patient, Region(calcId));
                            const double want = 100 * (1 - std::pow(1 - tenYears, 1 / (std::exp(5 * lambda) + 1)));
                            worst.See(got, want, QStringLiteral("model %1 sex %2 age %3").arg(calcId).arg(int(sex)).arg(age));
                        }
                    }
                }
            }
        Report("5 years", worst, timer.elapsed());
    }
};

TAVLO_TEST(TestScore2Grid);
#include "tst_Score2Grid.moc"
