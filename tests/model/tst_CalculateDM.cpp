// The calculation module on the seed of the application database with a
// small model of its own (model 3), reached through the mediator as at
// start-up, and a stand-in journal on the patient database: the risks, the
// sums and their rules, the age check, the baseline's failures, the NNT,
// the model functions, the dependent treatment goals and the BMI, the
// groups and the change of model.

#include "Application.h"
#include "BuildMediatorDM.h"
#include "BvExpr.h"
#include "CalculateFixture.h"
#include "CommaText.h"
#include "Conversions.h"
#include "Edition.h"
#include "FormatSettings.h"
#include "MorlenTables.h"
#include "TestDatabase.h"
#include "TestErrors.h"
#include "TestMain.h"
#include "TvExprList.h"
#include "TvWorkCalculateDM.h"
#include "TvWorkCountryDM.h"

#include <QTest>
#include <cmath>
#include <memory>

using namespace CalcFixture;

namespace {

constexpr int PatientId = 100;
constexpr int JournalId = 200;

// The risk in percent as the model defines it.
double HandRisk(double s0, double s1, double sum) { return (1 - std::pow(s1 / s0, std::exp(sum))) * 100; }

} // namespace

class TestCalculateDM : public QObject {
    Q_OBJECT
    std::unique_ptr<TSeedDatabase> FSeed;
    std::unique_ptr<TMediatorDataModule> FMediator;
    std::unique_ptr<TTvWorkCountryDataModule> FCountry;
    std::unique_ptr<TTvWorkCalculateDataModule> FCalc;
    QStringList FShown;
    QStringList FEvents; // "calculated" / "not calculated", in order
    QChar FSavedSeparator;

    TDatabase* App() const { return FMediator->Database; }
    TPatientRows Rows() const { return TPatientRows{FMediator->PatientDatabase}; }
    TStandInJournal* Journal() const { return static_cast<TStandInJournal*>(FCalc->JournalCopy()); }

    // The module on model 3, its formulas loaded, a period of 10 years.
    void CreateModule() {
        FCountry = std::make_unique<TTvWorkCountryDataModule>();
        FCountry->SelectLanguage("en/gb");
        FCalc = std::make_unique<TTvWorkCalculateDataModule>(StandInFactory());
        FCalc->SetCountryModule(FCountry.get());
        QVERIFY(FCalc->CalcModel->Locate("CalcID", TestModel));
        FCalc->LoadFormulas();
        FCalc->SetPredictionYears(10);
        FCalc->OnCalculated = [this](QObject*) { FEvents << "calculated"; };
        FCalc->OnNotCalculated = [this](QObject*) { FEvents << "not calculated"; };
    }
    // The test patient aged 50, blood pressure 140 with goal 130,
    // cholesterol 6.5 with goal 5, height 180; sex given when 0 or 1.
    void AddPatient(int sex = -1) {
        TPatientRows rows = Rows();
        rows.Patient(PatientId);
        rows.Journal(JournalId, PatientId);
        rows.Exam(JournalId, 1, 140, 130);
        rows.Exam(JournalId, 2, 6.5, 5);
        rows.Base(PatientId, 8, 180);
        if (sex >= 0)
            rows.Base(PatientId, SexRiskId, sex);
    }
    void ShowPatient(int age = 50) {
        Journal()->Show(PatientId, JournalId);
        Journal()->AgeOverride = age;
    }
    // Runs a formula on the module's functions.
    TDataNode Run(const QString& formula) {
        TBvExprResult expr;
        expr.SetSource(FCalc->ExprSource());
        expr.SetExpressionText(formula);
        expr.Compile();
        return expr.Evaluate().Node();
    }
    double StoredValue(int journalId, int riskId, const QString& column) {
        TTable exam;
        exam.SetDatabaseName(FMediator->PatientDatabase->DatabaseName());
        exam.SetTableName("Exam");
        exam.Open();
        if (!exam.Locate("Journal id;Risk id", QVariantList{journalId, riskId}))
            return -999;
        return exam.FieldByName(column)->AsFloat();
    }

private slots:
    void initTestCase() {
        TApplication::OnException = [this](const QString& text) { FShown << text; };
        SetEdition(TEdition::Combined);
        FSeed = std::make_unique<TSeedDatabase>("CalcSeed");
        FMediator = std::make_unique<TMediatorDataModule>();
    }
    void init() {
        FShown.clear();
        FEvents.clear();
        FSavedSeparator = FormatSettings().DecimalSeparator;
        FMediator->Database->Close();
        FSeed->Reset();
        FMediator->ConnectDatabases("CalcSeedAlias", true);
        for (const char* table : {"Patient", "Journal", "Base"})
            FMediator->PatientDatabase->ExecSql(QStringLiteral("DELETE FROM \"%1\"").arg(table));
        FMediator->PatientDatabase->ExecSql("DELETE FROM Exam WHERE \"Journal id\" <> 1");
        InsertTestModel(App());
    }
    void cleanup() {
        FCalc.reset();
        FCountry.reset();
        FMediator->CalcRisks->SetFilter(QString());
        QVERIFY2(FShown.isEmpty(), qPrintable(FShown.join('\n')));
        FormatSettings().DecimalSeparator = FSavedSeparator;
    }
    void cleanupTestCase() {
        FMediator.reset();
        FSeed.reset();
        TApplication::OnException = nullptr;
    }

    // The two-factor model computed by hand, for each way the group is chosen.
    void riskByHand_data() {
        QTest::addColumn<int>("sex");      // the Sex base value, -1 none
        QTest::addColumn<int>("setGroup"); // the group set before
        QTest::addColumn<int>("group");    // the group calculated with
        QTest::newRow("a man") << 0 << 1 << 0;
        QTest::newRow("a woman") << 1 << 0 << 1;
        QTest::newRow("no sex: the group set stays") << -1 << 1 << 1;
    }
    void riskByHand() {
        QFETCH(int, sex);
        QFETCH(int, setGroup);
        QFETCH(int, group);
        AddPatient(sex);
        CreateModule();
        ShowPatient();
        FCalc->SetGroup(setGroup);
        FCalc->Calculate();

        const int g = group;
        const double exam = Beta[0][g] * (140 - Const[0][g]) + Beta[1][g] * (6.5 - Const[1][g]);
        const double treat = Beta[0][g] * (130 - Const[0][g]) + (140 - 130) * Inter[0][g] +
                             Beta[1][g] * (5 - Const[1][g]) + (6.5 - 5) * Inter[1][g];
        const double positive = std::max(0.0, Beta[0][g] * (140 - Const[0][g])) +
                                std::max(0.0, Beta[1][g] * (6.5 - Const[1][g]));
        const double s0 = Survival(g, 50), s1 = Survival(g, 60);
        QCOMPARE(FCalc->GetGroup(), group);
        QVERIFY(std::fabs(FCalc->ExamSum - exam) < 1e-9);
        QVERIFY(std::fabs(FCalc->TreatSum - treat) < 1e-9);
        QVERIFY(std::fabs(FCalc->PositiveExamSum - positive) < 1e-9);
        QVERIFY2(std::fabs(FCalc->ExaminationRisk - HandRisk(s0, s1, exam)) < 1e-9,
                 qPrintable(QString::number(FCalc->ExaminationRisk, 'g', 17)));
        QVERIFY(std::fabs(FCalc->TreatmentRisk - HandRisk(s0, s1, treat)) < 1e-9);
        QCOMPARE(FCalc->NNT,
                 double(Round(100 / (HandRisk(s0, s1, exam) - HandRisk(s0, s1, treat)))));
        QVERIFY(FCalc->Calculated);
        QCOMPARE(FEvents, QStringList{"calculated"});
        // The treatment mode is left as the last factor set it.
        QVERIFY(FCalc->UseTreatment);
    }

    // Moving from a woman's journal to a man's changes the model group.
    void sexFollowsThePatient() {
        AddPatient(1);
        TPatientRows rows = Rows();
        rows.Patient(101, EncodeDate(1971, 1, 1));
        rows.Journal(201, 101);
        rows.Exam(201, 1, 140, 130);
        rows.Base(101, SexRiskId, 0);
        CreateModule();
        ShowPatient();
        FCalc->Calculate();
        QCOMPARE(FCalc->GetGroup(), 1);
        Journal()->Show(101, 201);
        FCalc->Calculate();
        QCOMPARE(FCalc->GetGroup(), 0);
        QVERIFY(std::fabs(FCalc->ExamSum - Beta[0][0] * (140 - Const[0][0]) - Beta[1][0] * (-1 - Const[1][0])) < 1e-9);
    }

    // A patient's sex whose group the model lacks is refused, naming the
    // group, rather than calculated with another group's coefficients.
    void sexWithoutItsGroup() {
        Exec(App(), "DELETE FROM Group_P WHERE \"Group\" = 1");
        AddPatient(1);
        CreateModule();
        ShowPatient();
        QCOMPARE(ErrorOf([&] { FCalc->Calculate(); }), "The following group '1' doesn't exists");
        QVERIFY(FEvents.isEmpty());
    }

    void noPatientOrExamination_data() {
        QTest::addColumn<bool>("patient");
        QTest::newRow("a patient without examinations") << true;
        QTest::newRow("no patient") << false;
    }
    void noPatientOrExamination() {
        QFETCH(bool, patient);
        AddPatient();
        CreateModule();
        ShowPatient();
        FCalc->Calculate();
        const double nnt = FCalc->NNT;
        QVERIFY(nnt > 0);
        FEvents.clear();
        if (patient)
            Rows().Patient(102);
        else
            Exec(FMediator->PatientDatabase, "DELETE FROM Patient");
        Journal()->Show(patient ? 102 : PatientId, 0);
        FCalc->Calculate();
        QVERIFY(!FCalc->Calculated);
        QCOMPARE(FEvents, QStringList{"not calculated"});
        for (double result : {FCalc->ExamSum, FCalc->TreatSum, FCalc->PositiveExamSum, FCalc->ExaminationRisk,
                              FCalc->TreatmentRisk})
            QCOMPARE(result, 0.0);
        QCOMPARE(FCalc->NNT, nnt); // kept from the calculation before
    }

    // Baseline ages 35 to 74 and a period of 10.
    void ageCheck_data() {
        QTest::addColumn<int>("age");
        QTest::addColumn<bool>("passes");
        QTest::newRow("below the lowest age") << 34 << false;
        QTest::newRow("the lowest age") << 35 << true;
        QTest::newRow("the highest age") << 64 << true;
        QTest::newRow("one year above") << 65 << false;
        QTest::newRow("no birth date") << -1 << false;
    }
    void ageCheck() {
        QFETCH(int, age);
        QFETCH(bool, passes);
        AddPatient(0);
        CreateModule();
        ShowPatient(age);
        int minAge = 0, maxAge = 0;
        FCalc->AgeRange(minAge, maxAge);
        QCOMPARE(minAge, 35);
        QCOMPARE(maxAge, 64);
        FCalc->Calculate();
        QCOMPARE(FCalc->Calculated, passes);
        QCOMPARE(FEvents, QStringList{passes ? "calculated" : "not calculated"});
        // The risks are computed either way (without a birth date both ages
        // read the first row: a ratio of 1).
        QVERIFY(age < 0 || FCalc->ExaminationRisk > 0);
        QVERIFY(age < 0 || FCalc->ExaminationRisk > FCalc->TreatmentRisk);
    }

    void ageRangeFollowsPeriodAndGroup() {
        SetBaseline(App(), 1, {{40, 0.99}, {80.5, 0.5}});
        CreateModule();
        int minAge = 0, maxAge = 0;
        FCalc->SetPredictionYears(5);
        FCalc->AgeRange(minAge, maxAge);
        QCOMPARE(QList<int>({minAge, maxAge}), QList<int>({35, 69}));
        FCalc->SetGroup(1);
        FCalc->AgeRange(minAge, maxAge);
        QCOMPARE(QList<int>({minAge, maxAge}), QList<int>({40, 75}));
    }

    // s0 and s1 of the baseline at 50 and 60, and the sum of the terms.
    void baselineRatio_data() {
        QTest::addColumn<double>("s0");
        QTest::addColumn<double>("s1");
        QTest::addColumn<double>("sum");
        QTest::addColumn<double>("risk");
        QTest::addColumn<bool>("calculated");
        QTest::newRow("sum 0") << 0.9 << 0.8 << 0.0 << (1 - 0.8 / 0.9) * 100 << true;
        QTest::newRow("sum ln 2: the exponent is 2") << 0.9 << 0.8 << std::log(2.0)
                                                  << (1 - std::pow(0.8 / 0.9, 2)) * 100 << true;
        QTest::newRow("s0 is 0: the ratio is 0") << 0.0 << 0.8 << 0.5 << 100.0 << false;
        QTest::newRow("s1 is 0") << 0.9 << 0.0 << 0.5 << 100.0 << false;
        QTest::newRow("a negative ratio: no power") << 0.9 << -0.8 << 0.5 << 0.0 << false;
        QTest::newRow("an overflowing exponent") << 0.9 << 0.8 << 1000.0 << 0.0 << true;
    }
    void baselineRatio() {
        QFETCH(double, s0);
        QFETCH(double, s1);
        QFETCH(double, sum);
        QFETCH(double, risk);
        QFETCH(bool, calculated);
        SetBaseline(App(), 0, {{35, 0.95}, {50, s0}, {60, s1}, {74, 0.7}});
        Exec(App(), "UPDATE Risks_P SET Expression = 'Result := Coefficient(''Blood pressure'', 4)' "
                    "WHERE CalcID = 3 AND \"Risk id\" = 1");
        Exec(App(), "UPDATE Risks_P SET Expression = 'Result := 0' WHERE CalcID = 3 AND \"Risk id\" = 2");
        AddValue(App(), 1, 4, sum);
        AddPatient(0);
        CreateModule();
        ShowPatient();
        FCalc->Calculate();
        QVERIFY2(std::fabs(FCalc->ExaminationRisk - risk) < 1e-9,
                 qPrintable(QString::number(FCalc->ExaminationRisk, 'g', 17)));
        QCOMPARE(FCalc->Calculated, calculated);
        QCOMPARE(FEvents, QStringList{calculated ? "calculated" : "not calculated"});
    }

    void failedAgeAndRatioTellTwice() {
        SetBaseline(App(), 0, {{35, 0.0}, {74, 0.7}});
        AddPatient(0);
        CreateModule();
        ShowPatient(35);
        FCalc->SetPredictionYears(50); // beyond the table
        FCalc->Calculate();
        QVERIFY(!FCalc->Calculated);
        QCOMPARE(FEvents, QStringList({"not calculated", "not calculated"}));
    }

    // The examination risk from a ratio of s1 over 1 with a sum of 0 and a
    // treatment risk of 0 (a treatment sum of -1000): d = (1 - s1) * 100.
    void nnt_data() {
        QTest::addColumn<double>("s1");
        QTest::addColumn<double>("difference");
        QTest::addColumn<double>("nnt");
        QTest::newRow("2.5 to the even 2") << 0.6 << 40.0 << 2.0;
        QTest::newRow("2.857 to 3") << 0.65 << 35.0 << 3.0;
        QTest::newRow("4") << 0.75 << 25.0 << 4.0;
        QTest::newRow("equal risks") << 1.0 << 0.0 << 0.0;
    }
    void nnt() {
        QFETCH(double, s1);
        QFETCH(double, difference);
        QFETCH(double, nnt);
        SetBaseline(App(), 0, {{35, 1}, {50, 1}, {60, s1}, {74, 0.5}});
        Exec(App(), "UPDATE Risks_P SET Expression = 'Result := Measure(''Blood pressure'')' "
                    "WHERE CalcID = 3 AND \"Risk id\" = 1");
        Exec(App(), "DELETE FROM Risks_P WHERE CalcID = 3 AND \"Risk id\" = 2");
        TPatientRows rows = Rows();
        rows.Patient(PatientId);
        rows.Journal(JournalId, PatientId);
        rows.Exam(JournalId, 1, 0, -1000);
        CreateModule();
        ShowPatient();
        FCalc->Calculate();
        QVERIFY(std::fabs(FCalc->ExaminationRisk - FCalc->TreatmentRisk - difference) < 1e-12);
        QCOMPARE(FCalc->NNT, nnt);

        // A treatment risk above the examination risk: 0.
        Exec(FMediator->PatientDatabase, "UPDATE Exam SET Treatment = 1");
        Journal()->Show(PatientId, JournalId);
        FCalc->Calculate();
        QCOMPARE(FCalc->NNT, 0.0);
    }

    // Which terms count where: a base factor's term (group 2) is its
    // examination term in the treatment sum too; a treatable factor adds the
    // treated part times Inter.
    void treatableGroupRule_data() {
        QTest::addColumn<int>("riskId"); // the factor whose formula is tested
        QTest::addColumn<QString>("formula");
        QTest::addColumn<double>("examination");
        QTest::addColumn<double>("goal");
        QTest::addColumn<double>("examSum");
        QTest::addColumn<double>("treatSum");
        QTest::newRow("treatable: goal 5 of 7 with Inter 0.1") << 2 << "Result := 0" << 7.0 << 5.0 << 0.0 << 0.2;
        QTest::newRow("treatable: goal above the value adds nothing") << 2 << "Result := 0" << 5.0 << 7.0 << 0.0 << 0.0;
        QTest::newRow("treatable: the formula runs with the goal") << 2 << "Result := Measure('Cholesterol')" << 7.0
                                                                   << 5.0 << 7.0 << 5.2;
        QTest::newRow("base factor: its examination term") << 6 << "Result := Measure('Cholesterol')" << 7.0 << 5.0
                                                           << 7.0 << 7.0;
    }
    void treatableGroupRule() {
        QFETCH(int, riskId);
        QFETCH(QString, formula);
        QFETCH(double, examination);
        QFETCH(double, goal);
        QFETCH(double, examSum);
        QFETCH(double, treatSum);
        Exec(App(), "DELETE FROM Risks_P WHERE CalcID = 3 AND \"Risk id\" IN (1, 2)");
        AddModelRisk(App(), riskId, true, formula);
        Exec(App(), "DELETE FROM Values_P WHERE CalcID = 3 AND \"Risk id\" = 2 AND Type = 3");
        AddValue(App(), riskId, 3, 0.1);
        TPatientRows rows = Rows();
        rows.Patient(PatientId);
        rows.Journal(JournalId, PatientId);
        rows.Exam(JournalId, 2, examination, goal);
        rows.Exam(JournalId, 6, examination, goal);
        rows.Base(PatientId, SexRiskId, 0);
        CreateModule();
        ShowPatient();
        FCalc->Calculate();
        QCOMPARE(FCalc->ExprList()->Count(), 1);
        QVERIFY(std::fabs(FCalc->ExamSum - examSum) < 1e-12);
        QVERIFY2(std::fabs(FCalc->TreatSum - treatSum) < 1e-12, qPrintable(QString::number(FCalc->TreatSum)));
    }

    // A formula's failure names its factor; the calculation stops, counts as
    // calculated and tells nothing.
    void formulaFailure_data() {
        QTest::addColumn<QString>("formula");
        QTest::newRow("a failing function") << "Result := StrToNum('x')";
        QTest::newRow("a text as the term") << "Result := 'x'";
    }
    void formulaFailure() {
        QFETCH(QString, formula);
        Exec(App(), "UPDATE Risks_P SET Expression = ? WHERE CalcID = 3 AND \"Risk id\" = 2", {formula});
        AddPatient(0);
        CreateModule();
        ShowPatient();
        const QString cause = ErrorOf([&] {
            TBvExprResult alone;
            alone.SetSource(FCalc->ExprSource());
            alone.SetExpressionText(formula);
            alone.Compile();
            alone.Evaluate().AsNumber();
        });
        QVERIFY(cause != "no error");
        QCOMPARE(ErrorOf([&] { FCalc->Calculate(); }), "Runtime error Cholesterol: " + cause);
        QVERIFY(FCalc->Calculated);
        QVERIFY(FEvents.isEmpty());
    }

    // The model functions after a calculation of the test patient (a man of
    // 50); names ignore case, an unknown name is risk -1.
    void modelFunctions_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<bool>("useTreatment");
        QTest::addColumn<QString>("result"); // the value's text
        QTest::newRow("Examination") << "Result := Examination('Blood pressure')" << true << "140";
        QTest::newRow("Treatment") << "Result := Treatment('blood PRESSURE')" << false << "130";
        QTest::newRow("Measure, examination mode") << "Result := Measure('Blood pressure')" << false << "140";
        QTest::newRow("Measure, treatment mode") << "Result := Measure('Blood pressure')" << true << "130";
        QTest::newRow("Measure of a base value") << "Result := Measure('Height')" << true << "180";
        QTest::newRow("Measure without a value") << "Result := Measure('HDL')" << false << "-1";
        QTest::newRow("Measure of no factor") << "Result := Measure('Nothing')" << false << "-1";
        QTest::newRow("Translate with a pick list") << "Result := Translate('Smoking', 1)" << false << "Former";
        QTest::newRow("Translate without one") << "Result := Translate('Sex', 1.5)" << false << "1.5";
        QTest::newRow("Prediction") << "Result := Prediction()" << false << "10";
        QTest::newRow("Beta") << "Result := Beta('Blood pressure')" << false << "0.02";
        QTest::newRow("Const") << "Result := Const('Cholesterol')" << false << "5";
        QTest::newRow("Inter") << "Result := Inter('Cholesterol')" << false << "0.1";
        QTest::newRow("Beta of no factor") << "Result := Beta('Nothing')" << false << "0";
        QTest::newRow("Calc") << "Result := Calc('Blood pressure')" << true << "0.2";
        QTest::newRow("Adjust: Const when smaller") << "Result := Adjust('Blood pressure')" << false << "120";
        QTest::newRow("Adjust: the examination when smaller") << "Result := Adjust('HDL')" << false << "-1";
        QTest::newRow("Age") << "Result := Age()" << false << "50";
        QTest::newRow("Coefficient of kind 1") << "Result := Coefficient('Blood pressure', 1)" << false << "0.02";
        QTest::newRow("Coefficient of a free kind") << "Result := Coefficient('Cholesterol', 4)" << false << "7.5";
        QTest::newRow("Coefficient of a kind not held") << "Result := Coefficient('Cholesterol', 9)" << false << "0";
        QTest::newRow("Coefficient of no factor") << "Result := Coefficient('Nothing', 1)" << false << "0";
    }
    void modelFunctions() {
        QFETCH(QString, formula);
        QFETCH(bool, useTreatment);
        QFETCH(QString, result);
        AddValue(App(), 2, 4, 7.5);
        AddPatient(0);
        CreateModule();
        ShowPatient();
        FCalc->Calculate();
        FCalc->UseTreatment = useTreatment;
        QCOMPARE(Run(formula).ToText(), result);
        QCOMPARE(FCalc->UseTreatment, useTreatment); // Examination and Treatment restore it
    }

    void risksOfTheLastCalculation() {
        // A formula that read the last risks would change the next calculation.
        Exec(App(), "UPDATE Risks_P SET Expression = 'Result := Calc(''Cholesterol'') + ExaminationRisk()' "
                    "WHERE CalcID = 3 AND \"Risk id\" = 2");
        AddPatient(0);
        CreateModule();
        ShowPatient();
        FCalc->Calculate();
        const double first = FCalc->ExaminationRisk;
        FCalc->Calculate();
        QCOMPARE(FCalc->ExaminationRisk, first);
        QCOMPARE(Run("Result := ExaminationRisk()").ToNumber(), double(Round(FCalc->ExaminationRisk)));
        QCOMPARE(Run("Result := TreatmentRisk()").ToNumber(), double(Round(FCalc->TreatmentRisk)));
    }

    void functionsInOrder() {
        CreateModule();
        const TFuncList& functions = FCalc->ExprSource()->FuncList();
        QStringList names;
        for (int i = 19; i < functions.Count(); ++i)
            names << functions.Item(i)->Name;
        QCOMPARE(names, QStringList({"Examination", "Treatment", "Translate", "Prediction", "ExaminationRisk",
                                     "TreatmentRisk", "Measure", "Beta", "Const", "Inter", "Calc", "Adjust", "Age",
                                     "Coefficient"}));
    }

    // Coefficients per group: the row at position g belongs to group g.
    void coefficientsByGroup_data() {
        QTest::addColumn<int>("group");
        QTest::addColumn<double>("beta");
        QTest::newRow("group 0") << 0 << Beta[0][0];
        QTest::newRow("group 1") << 1 << Beta[0][1];
        QTest::newRow("group 2 of two rows") << 2 << 0.0;
    }
    void coefficientsByGroup() {
        QFETCH(int, group);
        QFETCH(double, beta);
        Exec(App(), "INSERT INTO Group_P (\"Group\", Name) VALUES (2, 'Third')");
        CreateModule();
        FCalc->SetGroup(group);
        QCOMPARE(FCalc->Coefficient(1, 1), beta);
        QCOMPARE(Run("Result := Beta('Blood pressure')").ToNumber(), beta);
    }

    void groups() {
        CreateModule();
        FCalc->SetGroup(1);
        QCOMPARE(FCalc->GetGroup(), 1);
        QCOMPARE(ErrorOf([&] { FCalc->SetGroup(7); }), "The following group '7' doesn't exists");
        QCOMPARE(FCalc->GetGroup(), 1);

        TTvWorkCalculateDataModule other(StandInFactory());
        QCOMPARE(other.GetGroup(), 0);
        other.AssignFrom(FCalc.get());
        QCOMPARE(other.GetGroup(), 1);
    }

    // Changing the model: the baseline, the mediator's model risks and the
    // coefficients follow, and OnModelChanged tells with the Risks table.
    void modelChange() {
        // Model 1's own beta of the factor in place of the seed's SCORE2 one.
        Exec(App(), "DELETE FROM Values_P WHERE CalcID = 1 AND \"Risk id\" = 1 AND Type = 1");
        AddValue(App(), 1, 1, 0.5, 1);
        CreateModule();
        QCOMPARE(FCalc->ModelId(), TestModel);
        QCOMPARE(FCalc->Baseline->Filter(), "CalcID = 3");
        QCOMPARE(FMediator->CalcRisks->Filter(), "CalcID = 3");
        QCOMPARE(FCalc->Coefficient(1, 1), Beta[0][0]);
        QCOMPARE(FCalc->Baseline->RecordCount(), 40);

        QList<QPair<QObject*, TDataSet*>> told;
        FCalc->OnModelChanged = [&](QObject* sender, TDataSet* risks) { told << qMakePair(sender, risks); };
        QVERIFY(FCalc->CalcModel->Locate("CalcID", 1));
        QCOMPARE(told.size(), 1);
        QCOMPARE(told[0].first, FCalc.get());
        QCOMPARE(told[0].second, static_cast<TDataSet*>(FCalc->Risks));
        QCOMPARE(FCalc->Baseline->Filter(), "CalcID = 1");
        QCOMPARE(FMediator->CalcRisks->Filter(), "CalcID = 1");
        QCOMPARE(FCalc->Baseline->RecordCount(), 2);
        QCOMPARE(FCalc->ModelId(), 1);
        QCOMPARE(FCalc->Coefficient(1, 1), 0.5);
        QCOMPARE(FCalc->ModelRisks(), FCalc->Risks);
        QCOMPARE(FCalc->Risks->RecordCount(), 11); // the seed's model 1: the ten factors and BMI
    }

    // The names and coefficients the formulas read follow the rows they
    // came from: a renamed factor, a changed coefficient, the other variant.
    void cachesFollowTheRows() {
        CreateModule();
        QCOMPARE(Run("Result := Beta('Blood pressure')").ToNumber(), Beta[0][0]);
        QVERIFY(FCalc->RisksLookup->Locate("Risk id", 1));
        FCalc->RisksLookup->Edit();
        FCalc->RisksLookup->FieldByName("Name")->SetAsString("Pressure");
        FCalc->RisksLookup->Post();
        QCOMPARE(Run("Result := Beta('Blood pressure')").ToNumber(), 0.0);
        QCOMPARE(Run("Result := Beta('Pressure')").ToNumber(), Beta[0][0]);

        QVERIFY(FCalc->Values->Locate("Risk id;Type", QVariantList{1, 1}));
        FCalc->Values->Edit();
        FCalc->Values->FieldByName("Value")->SetAsFloat(0.07);
        FCalc->Values->Post();
        QCOMPARE(FCalc->Coefficient(1, 1), 0.07);

        FMediator->DiabetesSwitch->SetDiabetes(true);
        const double diabetes = FCalc->Coefficient(1, 1); // Values_D holds none of model 3
        FMediator->DiabetesSwitch->SetDiabetes(false);
        QCOMPARE(diabetes, 0.0);
        QCOMPARE(FCalc->Coefficient(1, 1), 0.07);
    }

    void riskEnabled() {
        AddModelRisk(App(), 19, true, "Result := 0", QVariant(), false);
        CreateModule();
        QVERIFY(FCalc->IsRiskEnabled(1));
        QVERIFY(!FCalc->IsRiskEnabled(19));
        QVERIFY(!FCalc->IsRiskEnabled(3)); // not in model 3
    }

    void predictionYears() {
        CreateModule();
        QStringList choices{"left over"};
        FCalc->PredictionChoices(choices);
        QCOMPARE(choices, QStringList({"5", "10"}));
        Exec(App(), "UPDATE General SET Prediction = '5, 10,\"15 \"'");
        FCalc->General->Refresh();
        FCalc->PredictionChoices(choices);
        QCOMPARE(choices, QStringList({"5", "10", "15 "}));

        FCalc->SetPredictionYears(3);
        QVERIFY(FEvents.isEmpty()); // setting the period calculates nothing
        FCalc->InitPredictionYears();
        QCOMPARE(FCalc->PredictionYears(), 10); // the country's
        TTvWorkCalculateDataModule alone(StandInFactory());
        QCOMPARE(alone.PredictionYears(), 0);
    }

    void formulasNeedACountry() {
        TTvWorkCalculateDataModule alone(StandInFactory());
        QVERIFY(alone.CalcModel->Locate("CalcID", TestModel));
        alone.LoadFormulas();
        QCOMPARE(alone.ExprList()->Count(), 0);
        // From its creation the baseline and the mediator's model risks are
        // those of the model shown first.
        TTvWorkCalculateDataModule created(StandInFactory());
        QCOMPARE(created.ModelId(), 1);
        QCOMPARE(created.Baseline->Filter(), "CalcID = 1");
        QCOMPARE(FMediator->CalcRisks->Filter(), "CalcID = 1");
        CreateModule();
        QCOMPARE(FCalc->ExprList()->Count(), 2);
        QCOMPARE(FCalc->ExprList()->Item(0).Name, "Systolic BP");
        QCOMPARE(FCalc->AdjustList()->Count(), 2);
        QCOMPARE(FCalc->JournalCopy()->CountryData, FCountry.get());
    }

    void recalculate() {
        AddPatient(0);
        CreateModule();
        ShowPatient();
        FCalc->Recalculate();
        QVERIFY(FEvents.isEmpty());
        FCalc->AutoCalculate = true;
        FCalc->Recalculate();
        QCOMPARE(FEvents, QStringList{"calculated"});
    }

    // Height 180 and weight 81 give a BMI of 25; the BMI's adjust formula
    // then sets its goal; names after BMI in Dependent get their adjust
    // formulas run.
    void updateDependents_data() {
        QTest::addColumn<QString>("dependent"); // of the height
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("weight");
        QTest::addColumn<bool>("bmiRow");      // the examination has a BMI row already
        QTest::addColumn<double>("bmi");       // -999: no BMI row
        QTest::addColumn<double>("bmiGoal");
        QTest::addColumn<double>("pressureGoal");
        QTest::newRow("180 cm, 81 kg") << "BMI" << 180.0 << 81.0 << true << 25.0 << 25.0 << 130.0;
        QTest::newRow("a new BMI row") << "BMI" << 180.0 << 72.9 << false << 22.5 << 22.5 << 130.0;
        QTest::newRow("above the goal") << "BMI" << 100.0 << 30.0 << true << 30.0 << 25.0 << 130.0;
        QTest::newRow("height 0") << "BMI" << 0.0 << 81.0 << true << 25.0 << 25.0 << 130.0;
        QTest::newRow("a comma text") << "BMI \"Blood pressure\",Nothing Cholesterol" << 180.0 << 81.0 << true << 25.0 << 25.0
                                      << 120.0;
        QTest::newRow("bmi in small letters: only its formula") << "bmi" << 180.0 << 81.0 << true << 28.0 << 25.0
                                                                << 130.0;
        QTest::newRow("no dependents") << "" << 180.0 << 81.0 << true << 28.0 << 20.0 << 130.0;
    }
    void updateDependents() {
        QFETCH(QString, dependent);
        QFETCH(double, height);
        QFETCH(double, weight);
        QFETCH(bool, bmiRow);
        QFETCH(double, bmi);
        QFETCH(double, bmiGoal);
        QFETCH(double, pressureGoal);
        Exec(App(), "UPDATE Risks SET Dependent = ? WHERE \"Risk id\" = 8", {dependent});
        Exec(App(), "UPDATE Risks_P SET Adjust = 'Result := Adjust(''Blood pressure'')' "
                    "WHERE CalcID = 3 AND \"Risk id\" = 1");
        AddModelRisk(App(), 8, false, QVariant());
        AddModelRisk(App(), 4, false, QVariant());
        AddModelRisk(App(), 33, true, "Result := 0", "Result := Min(Examination('BMI'), 25)");
        TPatientRows rows = Rows();
        rows.Patient(PatientId);
        rows.Journal(JournalId, PatientId);
        rows.Exam(JournalId, 1, 140, 130);
        rows.Exam(JournalId, 2, 6.5, 5);
        rows.Exam(JournalId, 4, weight, weight);
        if (bmiRow)
            rows.Exam(JournalId, 33, 28, 20);
        rows.Base(PatientId, 8, height);
        CreateModule();
        ShowPatient();
        FCalc->UpdateDependents(8);
        QVERIFY(std::fabs(StoredValue(JournalId, 33, "Examination") - bmi) < 1e-9);
        QVERIFY(std::fabs(StoredValue(JournalId, 33, "Treatment") - bmiGoal) < 1e-9);
        QCOMPARE(StoredValue(JournalId, 1, "Treatment"), pressureGoal);
        // Cholesterol has no adjust formula: its goal stays.
        QCOMPARE(StoredValue(JournalId, 2, "Treatment"), 5.0);
    }

    // The journal asks before it fills JournalCopy again: the height just
    // saved is read from the store, not the one the copy held.
    void updateDependentsReadsTheSavedValue() {
        AddModelRisk(App(), 8, false, QVariant());
        TPatientRows rows = Rows();
        rows.Patient(PatientId);
        rows.Journal(JournalId, PatientId);
        rows.Exam(JournalId, 4, 81, 81);
        rows.Base(PatientId, 8, 160);
        CreateModule();
        ShowPatient();
        Exec(FMediator->PatientDatabase, "UPDATE Base SET Examination = 180 WHERE \"Risk id\" = 8");
        FCalc->UpdateDependents(8);
        QVERIFY(std::fabs(StoredValue(JournalId, 33, "Examination") - 25) < 1e-9);
    }

    void updateDependentsOfNoModelFactor() {
        AddPatient(0);
        CreateModule();
        ShowPatient();
        FCalc->UpdateDependents(19); // not in model 3: nothing happens
        QCOMPARE(StoredValue(JournalId, 33, "Examination"), -999.0);
    }

    void commaText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("commas") << "BMI,Weight" << QStringList({"BMI", "Weight"});
        QTest::newRow("blanks") << " BMI  Weight " << QStringList({"BMI", "Weight"});
        QTest::newRow("quoted") << "\"Blood pressure\", BMI" << QStringList({"Blood pressure", "BMI"});
        QTest::newRow("a doubled quote") << "\"a \"\"b\"\"\"" << QStringList({"a \"b\""});
        QTest::newRow("an empty item") << "a,,b" << QStringList({"a", "", "b"});
        QTest::newRow("a closing comma") << "a," << QStringList({"a", ""});
        QTest::newRow("empty") << "" << QStringList();
    }
    void commaText() {
        QFETCH(QString, text);
        QFETCH(QStringList, items);
        QCOMPARE(SplitCommaText(text), items);
    }

    void needsAJournal() {
        QCOMPARE(ErrorOf([] { TTvWorkCalculateDataModule module(TJournalFactory{}); }),
                 "The calculation module needs a journal module of its own");
    }
};

TAVLO_TEST(TestCalculateDM);
#include "tst_CalculateDM.moc"
