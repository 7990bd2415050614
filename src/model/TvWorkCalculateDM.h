#pragma once
// The product's calculation module: the absolute risk of a cardiovascular
// event within the prediction period for the patient and examination of its
// own journal (JournalCopy), once from the examination values and once with
// the treatment goals in their place, and the number needed to treat:
//
//   risk = (1 - (S(age + years) / S(age)) ^ exp(sum of terms)) * 100
//
// S is the baseline survival of the patient's group; each active risk
// factor adds the term its formula computes. The formulas reach the patient
// and the model through the module's model functions.

#include "BuildCalculateDM.h"
#include "JournalCalculation.h"

#include <QHash>
#include <QStringList>
#include <QVector>
#include <functional>
#include <initializer_list>
#include <memory>

class TBvExprSource;
class TDataSet;
class TExprList;
class TVarList;

// Raised with the module and its Risks table once the current model changed.
using TModelChangedEvent = std::function<void(QObject* Sender, TDataSet* Risks)>;

class TTvWorkCalculateDataModule : public TBuildCalculateDataModule, public TJournalCalculation {
    Q_OBJECT
public:
    // The factory makes the module's own journal (JournalCopy); it must make one.
    explicit TTvWorkCalculateDataModule(const TJournalFactory& journalFactory, QObject* AOwner = nullptr);
    ~TTvWorkCalculateDataModule() override;

    // The country module whose wording, locale names and pick lists are used;
    // JournalCopy gets it too.
    TTvWorkCountryDataModule* CountryData = nullptr;
    void SetCountryModule(TTvWorkCountryDataModule* country);

    // The prediction period in whole years.
    int PredictionYears() const { return FPredictionYears; }
    void SetPredictionYears(int years) { FPredictionYears = years; }
    // The chosen country's PredictionYears; 0 without a country module.
    void InitPredictionYears();
    // The periods offered to the user: the comma text of General's Prediction.
    void PredictionChoices(QStringList& list) const;

    // Compiles the current model's Expression and Adjust formulas (with a
    // country module only: the formulas' messages name the factors by their
    // locale names).
    void LoadFormulas();
    TExprList* ExprList() const { return FExprList.get(); }
    TExprList* AdjustList() const { return FAdjustList.get(); }
    TBvExprSource* ExprSource() const { return FExprSource; }

    // The risks of the patient and examination of JournalCopy. A formula's
    // failure is passed on naming its factor; neither event is raised then.
    void Calculate();
    void Recalculate() override;
    // The lowest and the highest age the current group and period can be
    // calculated for.
    void AgeRange(int& minAge, int& maxAge);
    // Recomputes the treatment goals of the factors the given one's
    // Dependent names (and the BMI when it names "BMI").
    void UpdateDependents(int riskId) override;
    // The current model has the factor and its values can be entered.
    bool IsRiskEnabled(int riskId);
    // The model-change reaction: Baseline and the mediator's CalcRisks follow
    // the current CalcModel row, then OnModelChanged. Runs by itself whenever
    // CalcModel moves.
    void ModelChanged();

    // The value Measure reads: false the examination value, true the treatment goal.
    bool UseTreatment = false;
    // Recalculate calculates only when this is set (once the window is set up).
    bool AutoCalculate = false;

    // Results of the last calculation.
    double ExamSum = 0;
    double PositiveExamSum = 0;
    double TreatSum = 0;
    double ExaminationRisk = 0;
    double TreatmentRisk = 0;
    double NNT = 0;
    bool Calculated = false;

    TNotifyEvent OnCalculated;
    TNotifyEvent OnNotCalculated;
    TModelChangedEvent OnModelChanged;

    // The link the journal sees.
    TJournalDataModuleBase* JournalCopy() const override { return FJournalCopy; }
    TMlRiskTable* ModelRisks() const override { return Risks; }
    int ModelId() const override;

    // The value of the factor as the formulas read it, in the current
    // UseTreatment mode: its base value, else its examination value or
    // treatment goal, else -1.
    double Measure(int riskId);
    // The coefficient of that kind (1 beta, 2 reference value, 3
    // intervention; model authors may use further kinds) for the current
    // group; 0 when the model has none.
    double Coefficient(int riskId, int kind);
    // The factor of that name (case ignored), -1 when there is none.
    int RiskIdByName(const QString& name);

private:
    struct TRiskValue {
        int RiskId = 0;
        bool InBase = false;
        double Base = 0;
        bool InExam = false;
        double Examination = 0;
        double Treatment = 0;
    };
    class TCalculationScope;

    void RegisterModelFunctions();
    void NotCalculated();
    void SumTerms();
    void ComputeRisks();
    void SelectPatientGroup();
    const TRiskValue& RiskValue(int riskId);
    void ReadPatientValues();
    void ReadRiskValue(int riskId, TRiskValue& value);
    int CurrentPatientId() const;
    int CurrentJournalId() const;
    void ComputeBMI(const QString& column);
    void RefreshJournalCopy(std::initializer_list<TMlTable*> tables);
    void CheckCoefficients();
    void ForgetNames() { FNameCache.clear(); }
    double ModelValue(TVarList& params, bool useTreatment);

    TJournalDataModuleBase* FJournalCopy = nullptr;
    TBvExprSource* FExprSource = nullptr;
    std::unique_ptr<TExprList> FExprList;
    std::unique_ptr<TExprList> FAdjustList;
    int FPredictionYears = 0;

    // Names the formulas use, as they wrote them: their ids until the
    // formulas are loaded again or the risk factors change.
    QHash<QString, int> FNameCache;
    // The current model's coefficients by factor and kind, one per group in
    // Value id order; read again when the model, its variant or the rows change.
    QHash<qint64, QVector<double>> FCoefficients;
    bool FCoefficientsRead = false;
    int FCoefficientsModel = 0;
    bool FCoefficientsDiabetes = false;
    // During a calculation the journal cannot change: the values of the
    // patient and the examination are read once, at its start.
    bool FInCalculation = false;
    int FPatientId = 0, FJournalId = 0, FGroup = 0;
    QVector<TRiskValue> FValues;
    TRiskValue FScratch;
};
