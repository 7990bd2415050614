#pragma once
// The journal data module's base: the tables of the patient database (the
// patients, each patient's examinations, base values and examination
// values), the treatment catalogue of the application database, their data
// sources and the calculated fields the windows and reports show: the age,
// the full name and the printed id of a patient, an examination's place
// among the patient's examinations, a value's locale name and unit data,
// an item's name with its dose.
//
// Every event of the tables goes to one virtual handler here, so the
// product's classes refine the behaviour by overriding the handler; the
// tables are opened by this constructor, with all their fields in place.

#include "DateTime.h"
#include "JournalCalculation.h"
#include "MorlenTables.h"

#include <QSqlQuery>

class TDataSource;
class TQuery;
class TTable;
class TTvRiskField;

// A table of the journal whose delete can fail after its before-delete
// cascade ran: the failure is told first, so the cascade's transaction is
// taken back before the error reaches the caller.
class TJournalTable : public TMlTable {
    Q_OBJECT
public:
    using TMlTable::TMlTable;
    std::function<void()> OnDeleteFailed;

protected:
    void InternalDelete(int index) override;
};

// What a journal module is made for. The work window's journal reads the
// patient list whole; a calculation's copy is only ever filled by
// AssignFrom, so it starts on no patient instead of reading every one.
enum class TJournalUse { Work, Copy };

class TBuildJournalDataModule : public TJournalDataModuleBase {
    Q_OBJECT
public:
    // Needs the mediator (its two databases and its unit converter).
    explicit TBuildJournalDataModule(QObject* AOwner = nullptr, TJournalUse use = TJournalUse::Work);
    ~TBuildJournalDataModule() override;

    // Patient, Journal, Base and Exam are the base's pointers.
    TMlTable* Item = nullptr;        // the treatment items by name and dose, without the caption
    TMlTable* Group = nullptr;       // the item groups by name, without the caption
    TMlTable* JournalLink = nullptr; // the items ticked for the current examination
    TMlTable* ItemLable = nullptr;   // the caption of the item list (ID 1)
    TMlTable* GroupLable = nullptr;  // the caption of the group list (ID 1)
    TQuery* Link = nullptr;          // the catalogue's items of the current group
    TMlRiskTable* StoreUnits = nullptr;  // RISKS: store unit, category, decimals, type
    TMlNameTable* DisplayUnits = nullptr; // NAMES of type 3

    TDataSource* PatientSource = nullptr;
    TDataSource* JournalSource = nullptr;
    TDataSource* BaseSource = nullptr;
    TDataSource* ExamSource = nullptr;
    TDataSource* ItemSource = nullptr;
    TDataSource* GroupSource = nullptr;
    TDataSource* JournalLinkSource = nullptr;
    TDataSource* ItemLableSource = nullptr;
    TDataSource* GroupLableSource = nullptr;
    TDataSource* LinkSource = nullptr;

    // The converting view fields of the stored values.
    TTvRiskField* BaseExaminationView = nullptr;
    TTvRiskField* ExamExaminationView = nullptr;
    TTvRiskField* ExamTreatmentView = nullptr;

    // Raised after the patient row changed.
    TDataSetNotifyEvent OnPatientScroll;

    // AgeOverride when set; -1 without a birth date; else whole years
    // between the birth date and Today (month * 100 + day decides).
    int GetAge() override;
    // The current patient is a test patient and test patients are not ignored.
    bool IsTestPatient() const;
    // The reference date of the age.
    virtual TDateTime Today() const;

    // The unit data of a value row (StoreUnits, then the country's pick list).
    virtual void FillUnitFields(TDataSet* dataSet, int riskId);

    // The stored tables of the patient values, without view, master or
    // filter: what the journal reads of another examination or patient (one
    // indexed query for the key's rows).
    TTable* ExamStore() const { return FExamStore; }
    TTable* BaseStore() const { return FBaseStore; }

protected:
    // The table handlers, one per event.
    virtual void PatientScrolled(TDataSet* dataSet);
    virtual void PatientBeforeInsert(TDataSet*) {}
    virtual void PatientNewRecord(TDataSet*) {}
    virtual void PatientBeforePost(TDataSet*) {}
    virtual void PatientAfterPost(TDataSet*) {}
    virtual void PatientAfterCancel(TDataSet*) {}
    virtual void PatientBeforeDelete(TDataSet*) {}
    virtual void PatientAfterDelete(TDataSet*) {}
    virtual void PatientCalcFields(TDataSet* dataSet);
    virtual void JournalScrolled(TDataSet*) {}
    virtual void JournalBeforeInsert(TDataSet*) {}
    virtual void JournalNewRecord(TDataSet*) {}
    virtual void JournalAfterInsert(TDataSet*) {}
    virtual void JournalAfterPost(TDataSet*) {}
    virtual void JournalAfterCancel(TDataSet*) {}
    virtual void JournalBeforeDelete(TDataSet*) {}
    virtual void JournalAfterDelete(TDataSet*) {}
    virtual void JournalCalcFields(TDataSet* dataSet);
    virtual void ValueBeforePost(TDataSet*) {}
    virtual void ValueAfterPost(TDataSet*) {}
    virtual void ValueCalcFields(TDataSet* dataSet);
    virtual void LinkCalcFields(TDataSet* dataSet);
    virtual void ItemBeforeDelete(TDataSet*) {}
    virtual void GroupBeforeDelete(TDataSet*) {}
    // A Patient or Journal row's delete failed after its before-delete ran.
    virtual void DeleteFailed(TDataSet*) {}

    // The examination's ordinal among its patient's examinations by date,
    // ties by Journal id, counted by the store.
    int JournalOrdinal(int patientId, TDateTime date, int journalId);

private:
    void CreateFields();
    void WireEvents();

    TTable* FExamStore = nullptr;
    TTable* FBaseStore = nullptr;
    TTable* FPatientStore = nullptr;
    // The ordinal query, translated once; the statement is the database's
    // cached one, so no row prepares it again.
    QString FOrdinalSql;
    QStringList FOrdinalParams;
};
