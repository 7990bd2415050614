#include "TvWorkCalculateDM.h"

#include "BuildMediatorDM.h"
#include "BvExpr.h"
#include "BvExprSource.h"
#include "CommaText.h"
#include "Conversions.h"
#include "MathErrors.h"
#include "MorlenTables.h"
#include "TvExprList.h"
#include "TvWorkCountryDM.h"

#include <cmath>

namespace {

// The risk factors the BMI is made of and stored in.
constexpr int HeightRiskId = 8;
constexpr int WeightRiskId = 4;
constexpr int BMIRiskId = 33;

// Coefficient kinds of Values.Type.
constexpr int BetaKind = 1;
constexpr int ConstKind = 2;
constexpr int InterKind = 3;

qint64 CoefficientKey(int riskId, int kind) { return (qint64(riskId) << 32) | quint32(kind); }

// (1 - ratio ^ exp(sum)) * 100; a floating-point failure gives 0.
double RiskOf(double ratio, double sum) {
    const double exponent = std::exp(sum);
    if (!std::isfinite(exponent))
        return 0;
    const double power = std::pow(ratio, exponent);
    if (!std::isfinite(power))
        return 0;
    return (1 - power) * 100;
}

// The formula's value as a number; a value of another kind fails naming
// the factor, like the formula's own failures.
double TermOf(TExprItem& item) {
    TVarItem& result = item.Expr().Evaluate();
    try {
        return result.AsNumber();
    } catch (...) {
        RaisePrefixed(QStringLiteral("Runtime error ") + item.Name + QStringLiteral(": "));
    }
}

// Resets a flag however the scope is left.
class TRestoreFlag {
public:
    TRestoreFlag(bool& flag, bool value) : FFlag(flag), FSaved(flag) { FFlag = value; }
    ~TRestoreFlag() { FFlag = FSaved; }
    TRestoreFlag(const TRestoreFlag&) = delete;
    TRestoreFlag& operator=(const TRestoreFlag&) = delete;

private:
    bool& FFlag;
    bool FSaved;
};

} // namespace

// While a calculation runs the journal cannot change under it: the patient,
// the examination, the coefficients and the values are read once.
class TTvWorkCalculateDataModule::TCalculationScope {
public:
    explicit TCalculationScope(TTvWorkCalculateDataModule& module) : M(module) {
        M.FPatientId = M.CurrentPatientId();
        M.FJournalId = M.CurrentJournalId();
        M.ReadPatientValues();
        M.CheckCoefficients();
        M.FGroup = M.GetGroup();
        M.FInCalculation = true;
    }
    ~TCalculationScope() { M.FInCalculation = false; }
    TCalculationScope(const TCalculationScope&) = delete;
    TCalculationScope& operator=(const TCalculationScope&) = delete;

private:
    TTvWorkCalculateDataModule& M;
};

TTvWorkCalculateDataModule::TTvWorkCalculateDataModule(const TJournalFactory& journalFactory, QObject* AOwner)
    : TBuildCalculateDataModule(AOwner) {
    FJournalCopy = journalFactory ? journalFactory(this) : nullptr;
    if (!FJournalCopy)
        throw Exception(QStringLiteral("The calculation module needs a journal module of its own"));
    FJournalCopy->SetName(QStringLiteral("JournalCopy"));

    FExprSource = new TBvExprSource(this);
    FExprSource->SetName(QStringLiteral("ExprSource"));
    RegisterModelFunctions();
    FExprList = std::make_unique<TExprList>(FExprSource);
    FAdjustList = std::make_unique<TExprList>(FExprSource);
    InitPredictionYears();

    Risks->OnCalcFields = [this](TDataSet* dataSet) {
        if (CountryData)
            CountryData->FillLocaleName(dataSet);
    };
    // What the caches hold follows the rows they were read from.
    const TDataSetNotifyEvent coefficientsChanged = [this](TDataSet*) { FCoefficientsRead = false; };
    for (TDataSetNotifyEvent* event : {&Values->AfterOpen, &Values->AfterClose, &Values->AfterPost,
                                       &Values->AfterDelete, &Values->AfterRefresh})
        *event = coefficientsChanged;
    const TDataSetNotifyEvent namesChanged = [this](TDataSet*) { ForgetNames(); };
    for (TDataSetNotifyEvent* event : {&RisksLookup->AfterOpen, &RisksLookup->AfterClose, &RisksLookup->AfterPost,
                                       &RisksLookup->AfterDelete, &RisksLookup->AfterRefresh})
        *event = namesChanged;

    CalcModel->AfterScroll = [this](TDataSet*) { ModelChanged(); };
    // Baseline and CalcRisks belong to the model shown from the start, not
    // only once the model moves.
    ModelChanged();
}

TTvWorkCalculateDataModule::~TTvWorkCalculateDataModule() {
    // The base closes the tables; nothing of this module may answer then.
    CalcModel->AfterScroll = nullptr;
    Risks->OnCalcFields = nullptr;
    for (TDataSet* table : {static_cast<TDataSet*>(Values), static_cast<TDataSet*>(RisksLookup)})
        table->AfterOpen = table->AfterClose = table->AfterPost = table->AfterDelete = table->AfterRefresh = nullptr;
    FExprList.reset();
    FAdjustList.reset();
}

// ---------------------------------------------------------------- settings

void TTvWorkCalculateDataModule::SetCountryModule(TTvWorkCountryDataModule* country) {
    CountryData = country;
    FJournalCopy->CountryData = country;
}

void TTvWorkCalculateDataModule::InitPredictionYears() {
    FPredictionYears = CountryData && CountryData->Country->Active() && !CountryData->Country->IsEmpty()
                           ? CountryData->Country->FieldByName(QStringLiteral("PredictionYears"))->AsInteger()
                           : 0;
}

void TTvWorkCalculateDataModule::PredictionChoices(QStringList& list) const {
    list.clear();
    if (General->Active() && !General->IsEmpty())
        list = SplitCommaText(General->FieldByName(QStringLiteral("Prediction"))->AsString());
}

void TTvWorkCalculateDataModule::LoadFormulas() {
    if (!CountryData)
        return;
    ForgetNames();
    FExprList->Load(Risks, QStringLiteral("Expression"));
    FAdjustList->Load(Risks, QStringLiteral("Adjust"));
}

int TTvWorkCalculateDataModule::ModelId() const {
    return CalcModel->Active() && !CalcModel->IsEmpty() ? CalcModel->FieldByName(QStringLiteral("CalcID"))->AsInteger()
                                                        : 0;
}

void TTvWorkCalculateDataModule::ModelChanged() {
    const QString filter = QStringLiteral("CalcID = ") + IntToStr(ModelId());
    Baseline->SetFilter(filter);
    Baseline->SetFiltered(true);
    MediatorDataModule->CalcRisks->SetFilter(filter);
    FCoefficientsRead = false;
    if (OnModelChanged)
        OnModelChanged(this, Risks);
}

bool TTvWorkCalculateDataModule::IsRiskEnabled(int riskId) {
    const QVariant row = Risks->Lookup(QStringLiteral("Risk id"), riskId, QStringLiteral("Risk id;Enabled"));
    return row.isValid() && row.toList().value(1).toBool();
}

// ---------------------------------------------------------------- reading the patient and the model

int TTvWorkCalculateDataModule::CurrentPatientId() const {
    TMlTable* patient = FJournalCopy->Patient;
    return patient && patient->Active() && !patient->IsEmpty()
               ? patient->FieldByName(QStringLiteral("Patient id"))->AsInteger()
               : 0;
}

int TTvWorkCalculateDataModule::CurrentJournalId() const {
    TMlTable* journal = FJournalCopy->Journal;
    return journal && journal->Active() && !journal->IsEmpty()
               ? journal->FieldByName(QStringLiteral("Journal id"))->AsInteger()
               : 0;
}

void TTvWorkCalculateDataModule::ReadRiskValue(int riskId, TRiskValue& value) {
    value = TRiskValue();
    value.RiskId = riskId;
    const int patientId = FInCalculation ? FPatientId : CurrentPatientId();
    const int journalId = FInCalculation ? FJournalId : CurrentJournalId();
    if (TMlTable* base = FJournalCopy->Base; base && base->Active()) {
        const QVariant row = base->Lookup(QStringLiteral("Patient id;Risk id"), QVariantList{patientId, riskId},
                                          QStringLiteral("Risk id;_Examination"));
        if (row.isValid()) {
            value.InBase = true;
            value.Base = row.toList().value(1).toDouble();
        }
    }
    if (TMlTable* exam = FJournalCopy->Exam; exam && exam->Active()) {
        const QVariant row = exam->Lookup(QStringLiteral("Journal id;Risk id"), QVariantList{journalId, riskId},
                                          QStringLiteral("Risk id;_Examination;_Treatment"));
        if (row.isValid()) {
            const QVariantList values = row.toList();
            value.InExam = true;
            value.Examination = values.value(1).toDouble();
            value.Treatment = values.value(2).toDouble();
        }
    }
}

// The values of the calculation's patient and examination, read in one pass
// over each table: the first row of a factor counts, as a search by key finds it.
void TTvWorkCalculateDataModule::ReadPatientValues() {
    FValues.clear();
    auto entry = [this](int riskId) -> TRiskValue& {
        for (TRiskValue& value : FValues)
            if (value.RiskId == riskId)
                return value;
        FValues.append(TRiskValue());
        FValues.last().RiskId = riskId;
        return FValues.last();
    };
    if (TMlTable* base = FJournalCopy->Base; base && base->Active()) {
        TField* patient = base->FieldByName(QStringLiteral("Patient id"));
        TField* risk = base->FieldByName(QStringLiteral("Risk id"));
        TField* examination = base->FieldByName(QStringLiteral("_Examination"));
        const int count = base->RecordCount();
        for (int i = 0; i < count; ++i)
            base->WithRecord(i, [&] {
                if (patient->AsInteger() != FPatientId || patient->IsNull())
                    return;
                TRiskValue& value = entry(risk->AsInteger());
                if (!value.InBase) {
                    value.InBase = true;
                    value.Base = examination->AsFloat();
                }
            });
    }
    if (TMlTable* exam = FJournalCopy->Exam; exam && exam->Active()) {
        TField* journal = exam->FieldByName(QStringLiteral("Journal id"));
        TField* risk = exam->FieldByName(QStringLiteral("Risk id"));
        TField* examination = exam->FieldByName(QStringLiteral("_Examination"));
        TField* treatment = exam->FieldByName(QStringLiteral("_Treatment"));
        const int count = exam->RecordCount();
        for (int i = 0; i < count; ++i)
            exam->WithRecord(i, [&] {
                if (journal->AsInteger() != FJournalId || journal->IsNull())
                    return;
                TRiskValue& value = entry(risk->AsInteger());
                if (!value.InExam) {
                    value.InExam = true;
                    value.Examination = examination->AsFloat();
                    value.Treatment = treatment->AsFloat();
                }
            });
    }
}

const TTvWorkCalculateDataModule::TRiskValue& TTvWorkCalculateDataModule::RiskValue(int riskId) {
    if (!FInCalculation) {
        ReadRiskValue(riskId, FScratch);
        return FScratch;
    }
    for (const TRiskValue& value : FValues)
        if (value.RiskId == riskId)
            return value;
    // Neither table has a row of the factor.
    FScratch = TRiskValue();
    FScratch.RiskId = riskId;
    return FScratch;
}

double TTvWorkCalculateDataModule::Measure(int riskId) {
    const TRiskValue& value = RiskValue(riskId);
    // Base values hold for every examination.
    if (value.InBase)
        return value.Base;
    if (!value.InExam)
        return -1;
    return UseTreatment ? value.Treatment : value.Examination;
}

int TTvWorkCalculateDataModule::RiskIdByName(const QString& name) {
    const auto known = FNameCache.constFind(name);
    if (known != FNameCache.constEnd())
        return *known;
    const int riskId = RisksLookup->Active() ? RisksLookup->RiskIdByName(name) : -1;
    FNameCache.insert(name, riskId);
    return riskId;
}

// The rows of the current model in their order (Risk id, Type, Value id):
// each factor's and kind's values one per group.
void TTvWorkCalculateDataModule::CheckCoefficients() {
    const int model = ModelId();
    const bool diabetes = Values->Diabetes();
    if (FCoefficientsRead && model == FCoefficientsModel && diabetes == FCoefficientsDiabetes)
        return;
    FCoefficients.clear();
    Values->SetSelectType(-1);
    if (Values->Active()) {
        TField* calcId = Values->FieldByName(QStringLiteral("CalcID"));
        TField* riskId = Values->FieldByName(QStringLiteral("Risk id"));
        TField* type = Values->FieldByName(QStringLiteral("Type"));
        TField* value = Values->FieldByName(QStringLiteral("Value"));
        const int count = Values->RecordCount();
        for (int i = 0; i < count; ++i)
            Values->WithRecord(i, [&] {
                if (calcId->AsInteger() == model)
                    FCoefficients[CoefficientKey(riskId->AsInteger(), type->AsInteger())].append(value->AsFloat());
            });
    }
    FCoefficientsRead = true;
    FCoefficientsModel = model;
    FCoefficientsDiabetes = diabetes;
}

double TTvWorkCalculateDataModule::Coefficient(int riskId, int kind) {
    if (!FInCalculation)
        CheckCoefficients();
    const auto values = FCoefficients.constFind(CoefficientKey(riskId, kind));
    if (values == FCoefficients.constEnd())
        return 0;
    const int group = FInCalculation ? FGroup : GetGroup();
    return group >= 0 && group < values->size() ? values->at(group) : 0;
}

// ---------------------------------------------------------------- model functions

double TTvWorkCalculateDataModule::ModelValue(TVarList& params, bool useTreatment) {
    const int riskId = RiskIdByName(params[0].AsString());
    TRestoreFlag mode(UseTreatment, useTreatment);
    return Measure(riskId);
}

void TTvWorkCalculateDataModule::RegisterModelFunctions() {
    TFuncList& f = FExprSource->FuncList();
    auto riskOf = [this](TVarList& p) { return RiskIdByName(p[0].AsString()); };
    f.AddFunc("Examination", 1, [this](TVarList& p, TVarItem& r) { r.SetNumber(ModelValue(p, false)); });
    f.AddFunc("Treatment", 1, [this](TVarList& p, TVarItem& r) { r.SetNumber(ModelValue(p, true)); });
    f.AddFunc("Translate", 2, [this, riskOf](TVarList& p, TVarItem& r) {
        const int riskId = riskOf(p);
        const double value = p[1].AsNumber();
        r.SetString(CountryData ? CountryData->ValueText(riskId, value) : FloatToStr(value));
    });
    f.AddFunc("Prediction", 0, [this](TVarList&, TVarItem& r) { r.SetNumber(FPredictionYears); });
    f.AddFunc("ExaminationRisk", 0, [this](TVarList&, TVarItem& r) { r.SetNumber(double(Round(ExaminationRisk))); });
    f.AddFunc("TreatmentRisk", 0, [this](TVarList&, TVarItem& r) { r.SetNumber(double(Round(TreatmentRisk))); });
    f.AddFunc("Measure", 1, [this, riskOf](TVarList& p, TVarItem& r) { r.SetNumber(Measure(riskOf(p))); });
    f.AddFunc("Beta", 1, [this, riskOf](TVarList& p, TVarItem& r) { r.SetNumber(Coefficient(riskOf(p), BetaKind)); });
    f.AddFunc("Const", 1, [this, riskOf](TVarList& p, TVarItem& r) { r.SetNumber(Coefficient(riskOf(p), ConstKind)); });
    f.AddFunc("Inter", 1, [this, riskOf](TVarList& p, TVarItem& r) { r.SetNumber(Coefficient(riskOf(p), InterKind)); });
    f.AddFunc("Calc", 1, [this, riskOf](TVarList& p, TVarItem& r) {
        const int riskId = riskOf(p);
        r.SetNumber(Coefficient(riskId, BetaKind) * (Measure(riskId) - Coefficient(riskId, ConstKind)));
    });
    f.AddFunc("Adjust", 1, [this](TVarList& p, TVarItem& r) {
        const double examination = ModelValue(p, false);
        const double reference = Coefficient(RiskIdByName(p[0].AsString()), ConstKind);
        r.SetNumber(examination > reference ? reference : examination);
    });
    f.AddFunc("Age", 0, [this](TVarList&, TVarItem& r) { r.SetNumber(FJournalCopy->GetAge()); });
    f.AddFunc("Coefficient", 2, [this, riskOf](TVarList& p, TVarItem& r) {
        const int riskId = riskOf(p);
        const int64_t kind = p[1].AsInteger();
        // A kind beyond the column's range is none the model holds.
        r.SetNumber(kind >= INT32_MIN && kind <= INT32_MAX ? Coefficient(riskId, int(kind)) : 0);
    });
}

// ---------------------------------------------------------------- calculation

void TTvWorkCalculateDataModule::NotCalculated() {
    Calculated = false;
    if (OnNotCalculated)
        OnNotCalculated(this);
}

void TTvWorkCalculateDataModule::Recalculate() {
    if (AutoCalculate)
        Calculate();
}

void TTvWorkCalculateDataModule::Calculate() {
    PositiveExamSum = 0;
    ExamSum = 0;
    TreatSum = 0;
    ExaminationRisk = 0;
    TreatmentRisk = 0;
    Calculated = true;

    TMlTable* patient = FJournalCopy->Patient;
    TMlTable* journal = FJournalCopy->Journal;
    const int patients = patient ? patient->RecordCount() : 0;
    const int examinations = journal ? journal->RecordCount() : 0;
    if (patients * examinations == 0) {
        NotCalculated();
        return;
    }
    {
        TCalculationScope scope(*this);
        SelectPatientGroup();
        SumTerms();
        ComputeRisks();
    }
    const double difference = ExaminationRisk - TreatmentRisk;
    if (difference > 0) {
        const double nnt = 100 / difference;
        NNT = std::fabs(nnt) < 9e18 ? double(Round(nnt)) : nnt;
    } else {
        NNT = 0;
    }
    if (Calculated && OnCalculated)
        OnCalculated(this);
}

// A man's journal and a woman's are calculated with their own group's
// model: the patient's Sex base value (0 or 1) is the group.
void TTvWorkCalculateDataModule::SelectPatientGroup() {
    const int sexRiskId = RiskIdByName(QStringLiteral("Sex"));
    if (sexRiskId < 0)
        return;
    const TRiskValue& sex = RiskValue(sexRiskId);
    if (!sex.InBase || (sex.Base != 0 && sex.Base != 1))
        return;
    const int group = int(sex.Base);
    if (group != FGroup) {
        SetGroup(group);
        FGroup = GetGroup();
    }
}

void TTvWorkCalculateDataModule::SumTerms() {
    const int count = FExprList->Count();
    for (int i = 0; i < count; ++i) {
        TExprItem& item = FExprList->Item(i);
        UseTreatment = false;
        double term = TermOf(item);
        if (term > 0)
            PositiveExamSum += term;
        ExamSum += term;
        if (item.Group == 1) {
            // A treatable factor: its term with the treatment goal, plus
            // the intervention's own effect for the part treated.
            UseTreatment = true;
            term = TermOf(item);
            const TRiskValue& value = RiskValue(item.RiskId());
            const double treated = value.Examination - value.Treatment;
            if (value.InExam && treated > 0)
                term += treated * Coefficient(item.RiskId(), InterKind);
        }
        TreatSum += term;
    }
}

void TTvWorkCalculateDataModule::AgeRange(int& minAge, int& maxAge) {
    Baseline->AgeLimits(FPredictionYears, minAge, maxAge);
}

void TTvWorkCalculateDataModule::ComputeRisks() {
    const int age = FJournalCopy->GetAge();
    const int end = age + FPredictionYears;
    int minAge = 0, maxAge = 0;
    AgeRange(minAge, maxAge);
    if (!(Baseline->AgeCovered(FGroup, age) && Baseline->AgeCovered(FGroup, end) && age >= minAge))
        NotCalculated(); // the risks are computed all the same
    const double s0 = Baseline->BaselineValue(FGroup, age);
    const double s1 = Baseline->BaselineValue(FGroup, end);
    double ratio = 0;
    if (s0 > 0) {
        ratio = s1 / s0;
        if (!std::isfinite(ratio))
            ratio = 0;
    }
    if (!(ratio > 0))
        NotCalculated();
    ExaminationRisk = RiskOf(ratio, ExamSum);
    TreatmentRisk = RiskOf(ratio, TreatSum);
}

// ---------------------------------------------------------------- dependent factors

void TTvWorkCalculateDataModule::RefreshJournalCopy(std::initializer_list<TMlTable*> tables) {
    for (TMlTable* table : tables)
        if (table && table->Active())
            table->Refresh();
}

void TTvWorkCalculateDataModule::UpdateDependents(int riskId) {
    const QVariant row = Risks->Lookup(QStringLiteral("Risk id"), riskId, QStringLiteral("Risk id;Dependent"));
    if (!row.isValid())
        return;
    const QStringList names = SplitCommaText(row.toList().value(1).toString());
    // The journal tells before it fills JournalCopy again: the value just
    // saved is only in the store yet, and the BMI must not be made of the
    // height or weight before it.
    if (!names.isEmpty())
        RefreshJournalCopy({FJournalCopy->Patient, FJournalCopy->Journal, FJournalCopy->Base, FJournalCopy->Exam});
    for (const QString& name : names) {
        const int dependent = RiskIdByName(name);
        if (dependent == -1)
            continue;
        if (name == QLatin1String("BMI"))
            ComputeBMI(QStringLiteral("Examination"));
        TExprItem* item = FAdjustList->FindByRiskId(dependent);
        // A factor without an adjust formula keeps the goal the user gave it.
        if (!item || item->Expr().Expression().join(QString()).trimmed().isEmpty())
            continue;
        RefreshJournalCopy({FJournalCopy->Patient, FJournalCopy->Journal, FJournalCopy->Exam});
        const double goal = TermOf(*item);
        TMlTable* exam = FJournalCopy->Exam;
        if (exam && exam->Active() &&
            exam->Locate(QStringLiteral("Journal id;Risk id"), QVariantList{CurrentJournalId(), dependent})) {
            exam->Edit();
            exam->FieldByName(QStringLiteral("Treatment"))->SetAsFloat(goal);
            exam->Post();
        }
    }
}

void TTvWorkCalculateDataModule::ComputeBMI(const QString& column) {
    TMlTable* base = FJournalCopy->Base;
    TMlTable* exam = FJournalCopy->Exam;
    TMlTable* journal = FJournalCopy->Journal;
    if (!base || !exam || !journal || !base->Active() || !exam->Active() || !journal->Active())
        return;
    const int patientId = journal->IsEmpty() ? 0 : journal->FieldByName(QStringLiteral("Patient id"))->AsInteger();
    const int journalId = CurrentJournalId();
    const QVariant height = base->Lookup(QStringLiteral("Patient id;Risk id"), QVariantList{patientId, HeightRiskId},
                                         QStringLiteral("Risk id;_Examination"));
    if (!height.isValid())
        return;
    const QVariant weight = exam->Lookup(QStringLiteral("Journal id;Risk id"), QVariantList{journalId, WeightRiskId},
                                         QStringLiteral("Risk id;") + column);
    if (!weight.isValid())
        return;
    const double h = height.toList().value(1).toDouble();
    double bmi = 25;
    // A height that rounds to 0 cm (halves to even) gives no BMI of its own.
    if (!(std::fabs(h) <= 0.5)) {
        const double metres = h / 100;
        bmi = FloatDivide(weight.toList().value(1).toDouble(), FloatMultiply(metres, metres));
    }
    if (exam->Locate(QStringLiteral("Journal id;Risk id"), QVariantList{journalId, BMIRiskId})) {
        exam->Edit();
    } else {
        exam->Append();
        exam->FieldByName(QStringLiteral("Journal id"))->SetAsInteger(journalId);
        exam->FieldByName(QStringLiteral("Risk id"))->SetAsInteger(BMIRiskId);
    }
    exam->FieldByName(column)->SetAsFloat(bmi);
    exam->Post();
}
