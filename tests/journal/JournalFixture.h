#pragma once
// The journal's tests run on the seed of the application database and the
// patient database the mediator makes at first start, as at start-up. A
// recording stand-in plays the calculation: it logs what the journal asks
// of it, and its JournalCopy is a real journal module.

#include "BuildMediatorDM.h"
#include "DBTables.h"
#include "Edition.h"
#include "FormatSettings.h"
#include "JournalCalculation.h"
#include "MorlenTables.h"
#include "TestDatabase.h"
#include "TvWorkCountryDM.h"
#include "TvWorkJournalDM.h"

#include <QStringList>
#include <memory>

using TCallLog = std::shared_ptr<QStringList>;

// A journal module that logs the copies it is filled with.
class TRecordingJournal : public TTvWorkJournalDataModule {
public:
    explicit TRecordingJournal(TCallLog log) : TTvWorkJournalDataModule(nullptr, TJournalUse::Copy), FLog(std::move(log)) {}
    void AssignFrom(TBuildDataModule* other) override {
        *FLog << QStringLiteral("AssignFrom");
        TTvWorkJournalDataModule::AssignFrom(other);
    }

private:
    TCallLog FLog;
};

// The risk factors of a model as the calculation presents them: Risks_P of
// the model with Group, Obsolete and Default of the shared definitions.
inline void ModelRiskFields(TMlRiskTable* risks, TDataSet* shared) {
    new TIntegerField(risks, QStringLiteral("Risk id"));
    new TBooleanField(risks, QStringLiteral("Active"));
    new TBooleanField(risks, QStringLiteral("Visible"));
    new TBooleanField(risks, QStringLiteral("Enabled"));
    new TIntegerField(risks, QStringLiteral("CalcID"));
    auto lookup = [&](TField* field, const QString& name) {
        field->SetLookupDataSet(shared);
        field->KeyFields = QStringLiteral("Risk id");
        field->LookupKeyFields = QStringLiteral("Risk id");
        field->LookupResultField = name;
    };
    lookup(new TSmallintField(risks, QStringLiteral("Group"), TFieldKind::fkLookup), QStringLiteral("Group"));
    lookup(new TBooleanField(risks, QStringLiteral("Obsolete"), TFieldKind::fkLookup), QStringLiteral("Obsolete"));
    lookup(new TStringField(risks, QStringLiteral("Default"), 50, TFieldKind::fkLookup), QStringLiteral("Default"));
}

class TRecordingCalculation : public TJournalCalculation {
public:
    explicit TRecordingCalculation(int calcId = 1) : Log(std::make_shared<QStringList>()) {
        const QString application = MediatorDataModule->Database->DatabaseName();
        Shared.SetDatabaseName(application);
        Shared.SetTableName(QStringLiteral("Risks"));
        Shared.Open();
        Risks.SetDatabaseName(application);
        Risks.SetTableName(QStringLiteral("Risks_P"));
        ModelRiskFields(&Risks, &Shared);
        Risks.SetIndexFieldNames(QStringLiteral("CalcID;Risk id"));
        Risks.SetFilter(QStringLiteral("CalcID = ") + QString::number(calcId));
        Risks.SetFiltered(true);
        Risks.Open();
        Model = calcId;
        Copy = std::make_unique<TRecordingJournal>(Log);
    }
    ~TRecordingCalculation() override {
        Copy.reset();
        Risks.Close();
    }
    TJournalDataModuleBase* JournalCopy() const override { return Copy.get(); }
    void Recalculate() override { *Log << QStringLiteral("Recalculate"); }
    void UpdateDependents(int riskId) override { *Log << QStringLiteral("UpdateDependents %1").arg(riskId); }
    TMlRiskTable* ModelRisks() const override { return const_cast<TMlRiskTable*>(&Risks); }
    int ModelId() const override { return Model; }

    TCallLog Log;
    TMlRiskTable Shared;
    TMlRiskTable Risks;
    int Model = 1;
    std::unique_ptr<TRecordingJournal> Copy;
};

// The journal's reference date, fixed.
class TDatedJournal : public TTvWorkJournalDataModule {
public:
    TDateTime Day = 0;
    TDateTime Today() const override { return Day ? Day : TTvWorkJournalDataModule::Today(); }
};

// The work journal with its country module and the stand-in calculation.
struct TJournalWorld {
    std::unique_ptr<TTvWorkCountryDataModule> Country;
    std::unique_ptr<TRecordingCalculation> Calculation;
    std::unique_ptr<TDatedJournal> Journal;

    explicit TJournalWorld(bool withCalculation = true, const QString& language = QStringLiteral("en/gb")) {
        Country = std::make_unique<TTvWorkCountryDataModule>();
        Country->SelectLanguage(language);
        if (withCalculation) {
            Calculation = std::make_unique<TRecordingCalculation>();
            Calculation->Copy->CountryData = Country.get();
        }
        Journal = std::make_unique<TDatedJournal>();
        Journal->CountryData = Country.get();
        if (withCalculation)
            Journal->SetCalculation(Calculation.get());
    }
    ~TJournalWorld() {
        Journal.reset();
        Calculation.reset();
        Country.reset();
    }
    QStringList& Log() { return *Calculation->Log; }
};

// Rows of the patient database written as a test states them.
struct TPatientRows {
    TDatabase* Db;
    void Exec(const QString& sql, const QVariantList& params = {}) { Db->ExecSql(sql, params); }
    void Patient(int id, TDateTime birth, const QString& seq, const QString& first = QStringLiteral("Anna"),
                 const QString& last = QStringLiteral("Berg"), bool test = false) {
        Exec("INSERT INTO Patient (\"Patient id\", \"Birth date\", \"Sequence id\", \"First name\", \"Last name\", "
             "Export, Test) VALUES (?, ?, ?, ?, ?, 0, ?)",
             {id, birth, seq, first, last, test ? 1 : 0});
    }
    void Journal(int id, int patient, TDateTime date) {
        Exec("INSERT INTO Journal (\"Journal id\", \"Patient id\", Date, Doctor) VALUES (?, ?, ?, 'Lind')",
             {id, patient, date});
    }
    void Exam(int journal, int risk, const QVariant& examination, const QVariant& treatment, bool transferred = false) {
        Exec("INSERT INTO Exam (\"Journal id\", \"Risk id\", Examination, Treatment, Transferred) VALUES (?, ?, ?, ?, ?)",
             {journal, risk, examination, treatment, transferred ? 1 : 0});
    }
    void Base(int patient, int risk, const QVariant& examination) {
        Exec("INSERT INTO Base (\"Patient id\", \"Risk id\", Examination) VALUES (?, ?, ?)", {patient, risk, examination});
    }
    int Count(const QString& sql, const QVariantList& params = {}) const {
        QSqlQuery q(Db->Connection());
        q.prepare(sql);
        for (int i = 0; i < params.size(); ++i)
            q.bindValue(i, params[i]);
        if (!q.exec() || !q.next())
            return -1;
        return q.value(0).toInt();
    }
};
