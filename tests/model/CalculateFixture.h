#pragma once
// The calculation module's fixtures: a small risk model put into the
// application database (model 3: blood pressure and cholesterol, two groups,
// a baseline for ages 35 to 74), a stand-in for the product's journal on the
// patient database, and the rows of a test patient.

#include "BuildMediatorDM.h"
#include "DBTables.h"
#include "DateTime.h"
#include "JournalCalculation.h"
#include "MorlenTables.h"

#include <QVariantList>

namespace CalcFixture {

constexpr int TestModel = 3;
constexpr int SexRiskId = 5;

// Coefficients of model 3, one per group (men 0, women 1).
constexpr double Beta[2][2] = {{0.02, 0.03}, {0.2, 0.25}};    // [factor: BP, cholesterol][group]
constexpr double Const[2][2] = {{120, 110}, {5, 5.5}};
constexpr double Inter[2][2] = {{0.01, 0.015}, {0.1, 0.12}};

// The baseline survival of model 3 by group and age.
inline double Survival(int group, int age) { return 1 - (group == 0 ? 0.002 : 0.0015) * (age - 34); }

inline void Exec(TDatabase* db, const QString& sql, const QVariantList& params = {}) { db->ExecSql(sql, params); }

inline void AddValue(TDatabase* app, int riskId, int type, double value, int model = TestModel) {
    Exec(app, "INSERT INTO Values_P (\"Risk id\", Type, Value, CalcID) VALUES (?, ?, ?, ?)",
         {riskId, type, value, model});
}

inline void AddModelRisk(TDatabase* app, int riskId, bool active, const QVariant& expression,
                         const QVariant& adjust = QVariant(), bool enabled = true, int model = TestModel) {
    Exec(app,
         "INSERT INTO Risks_P (\"Risk id\", Active, Visible, Enabled, Expression, Adjust, NotUsedInCalc, CalcID) "
         "VALUES (?, ?, 1, ?, ?, ?, 0, ?)",
         {riskId, active ? 1 : 0, enabled ? 1 : 0, expression, adjust, model});
}

inline void SetBaseline(TDatabase* app, int group, const QList<QPair<double, double>>& rows, int model = TestModel) {
    Exec(app, "DELETE FROM Baseline_P WHERE CalcID = ? AND \"Group\" = ?", {model, group});
    for (const auto& [age, value] : rows)
        Exec(app, "INSERT INTO Baseline_P (\"Group\", Age, Value, CalcID) VALUES (?, ?, ?, ?)",
             {group, age, value, model});
}

// Model 3 as a data author ships it, with a model 1 baseline beside it that
// the calculation must not read.
inline void InsertTestModel(TDatabase* app) {
    // The seed ships a model 3 and a Sex factor of its own (SCORE2): the
    // test model takes their place, so the seed's rows must not mix in.
    for (const char* table : {"CalcModel", "Risks_P", "Risks_D", "Values_P", "Values_D", "Baseline_P", "Baseline_D"})
        Exec(app, QStringLiteral("DELETE FROM \"%1\" WHERE CalcID = 3").arg(QLatin1String(table)));
    Exec(app, "DELETE FROM Risks WHERE \"Risk id\" = 5");
    Exec(app, "DELETE FROM Names WHERE \"Risk id\" = 5");
    Exec(app, "INSERT INTO CalcModel (CalcID, Description) VALUES (3, 'Test model')");
    Exec(app, "INSERT INTO Risks (\"Risk id\", Name, Obsolete, \"Group\", Type, Color, \"Default\", Decimals) "
              "VALUES (5, 'Sex', 0, 2, 2, 0, '0', 0)");
    AddModelRisk(app, 1, true, "Result := Calc('Blood pressure')");
    AddModelRisk(app, 2, true, "Result := Calc('Cholesterol')");
    AddModelRisk(app, SexRiskId, false, QVariant());
    for (int factor = 0; factor < 2; ++factor)
        for (int group = 0; group < 2; ++group) {
            AddValue(app, factor + 1, 1, Beta[factor][group]);
            AddValue(app, factor + 1, 2, Const[factor][group]);
            AddValue(app, factor + 1, 3, Inter[factor][group]);
        }
    for (int group = 0; group < 2; ++group) {
        QList<QPair<double, double>> rows;
        for (int age = 35; age <= 74; ++age)
            rows << qMakePair(double(age), Survival(group, age));
        SetBaseline(app, group, rows);
        SetBaseline(app, group, {{35, 0.5}, {74, 0.4}}, 1);
    }
}

// What the calculation reads of the product's journal: the patient, the
// examination, the base and examination values with their "_" copies.
class TStandInJournal : public TJournalDataModuleBase {
public:
    explicit TStandInJournal(QObject* owner = nullptr) : TJournalDataModuleBase(owner) {
        const QString db = MediatorDataModule->PatientDatabase->DatabaseName();
        auto table = [&](const QString& name) {
            auto* t = new TMlTable(this);
            t->SetDatabaseName(db);
            t->SetTableName(name);
            return t;
        };
        auto source = [&](TDataSet* dataSet) {
            auto* s = new TDataSource(this);
            s->SetDataSet(dataSet);
            return s;
        };
        Patient = table("Patient");
        new TAutoIncField(Patient, "Patient id");
        new TDateTimeField(Patient, "Birth date");
        Patient->SetIndexFieldNames("Patient id");
        Journal = table("Journal");
        new TAutoIncField(Journal, "Journal id");
        new TIntegerField(Journal, "Patient id");
        new TDateTimeField(Journal, "Date");
        Journal->SetIndexFieldNames("Patient id;Journal id");
        Journal->SetMasterSource(source(Patient));
        Journal->SetMasterFields("Patient id");
        Base = table("Base");
        new TIntegerField(Base, "Patient id");
        new TIntegerField(Base, "Risk id");
        new TFloatField(Base, "Examination");
        new TFloatField(Base, "_Examination", TFieldKind::fkCalculated);
        Base->SetIndexFieldNames("Patient id;Risk id");
        Base->SetMasterSource(source(Patient));
        Base->SetMasterFields("Patient id");
        Base->SetFilter("[Risk id] <> 7");
        Base->SetFiltered(true);
        Exam = table("Exam");
        new TIntegerField(Exam, "Journal id");
        new TIntegerField(Exam, "Risk id");
        new TFloatField(Exam, "Examination");
        new TFloatField(Exam, "Treatment");
        new TBooleanField(Exam, "Transferred");
        new TFloatField(Exam, "_Examination", TFieldKind::fkCalculated);
        new TFloatField(Exam, "_Treatment", TFieldKind::fkCalculated);
        Exam->SetIndexFieldNames("Journal id;Risk id");
        Exam->SetMasterSource(source(Journal));
        Exam->SetMasterFields("Journal id");
        Base->OnCalcFields = [](TDataSet* d) { d->FieldByName("_Examination")->SetValue(d->FieldByName("Examination")->Value()); };
        Exam->OnCalcFields = [](TDataSet* d) {
            d->FieldByName("_Examination")->SetValue(d->FieldByName("Examination")->Value());
            d->FieldByName("_Treatment")->SetValue(d->FieldByName("Treatment")->Value());
        };
        for (TMlTable* t : {Patient, Journal, Base, Exam})
            t->Open();
    }
    ~TStandInJournal() override {
        for (TMlTable* t : {Exam, Base, Journal, Patient})
            t->Close();
    }

    int GetAge() override {
        if (AgeOverride != 0)
            return AgeOverride;
        TField* birth = Patient->FieldByName("Birth date");
        if (Patient->IsEmpty() || birth->IsNull() || birth->AsDateTime() == 0)
            return -1;
        int by, bm, bd, ty, tm, td;
        DecodeDate(birth->AsDateTime(), by, bm, bd);
        DecodeDate(Date(), ty, tm, td);
        return ty - by - ((tm < bm || (tm == bm && td < bd)) ? 1 : 0);
    }

    // Reads the rows again and stands on the patient and the examination.
    void Show(int patientId, int journalId) {
        Patient->Refresh();
        Patient->Locate("Patient id", patientId);
        Journal->Refresh();
        Journal->Locate("Journal id", journalId);
        Base->Refresh();
        Exam->Refresh();
    }
};

inline TJournalFactory StandInFactory() {
    return [](QObject* owner) -> TJournalDataModuleBase* { return new TStandInJournal(owner); };
}

// The rows of the test patient in the patient database.
struct TPatientRows {
    TDatabase* Db;
    void Patient(int id, const QVariant& birth = EncodeDate(1970, 1, 1)) {
        Exec(Db, "INSERT INTO Patient (\"Patient id\", \"Birth date\", \"Sequence id\", Export, Test) VALUES (?, ?, ?, 0, 0)",
             {id, birth, QString::number(id)});
    }
    void Journal(int id, int patientId) {
        Exec(Db, "INSERT INTO Journal (\"Journal id\", \"Patient id\", Date) VALUES (?, ?, ?)",
             {id, patientId, EncodeDate(2020, 1, id % 28 + 1)});
    }
    void Base(int patientId, int riskId, double value) {
        Exec(Db, "INSERT INTO Base (\"Patient id\", \"Risk id\", Examination) VALUES (?, ?, ?)", {patientId, riskId, value});
    }
    void Exam(int journalId, int riskId, double examination, double treatment) {
        Exec(Db, "INSERT INTO Exam (\"Journal id\", \"Risk id\", Examination, Treatment, Transferred) VALUES (?, ?, ?, ?, 0)",
             {journalId, riskId, examination, treatment});
    }
};

} // namespace CalcFixture
