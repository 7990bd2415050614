#pragma once
// The two sides of the link between the patient journal and the risk
// calculation. The journal lives in a folder above this one, yet the
// calculation owns a journal of its own (its JournalCopy) and reads the
// patient from it; the journal in turn tells the calculation when it
// changed. Each side sees the other only through these narrow classes.

#include "BuildDM.h"

#include <QObject>
#include <functional>

class TMlRiskTable;
class TMlTable;
class TTvWorkCountryDataModule;

// What the calculation and the charts read of a journal module. The journal
// module derives from it and sets the table pointers when it creates them.
class TJournalDataModuleBase : public TBuildDataModule {
    Q_OBJECT
public:
    explicit TJournalDataModuleBase(QObject* AOwner = nullptr) : TBuildDataModule(AOwner) {}

    // The patient row, the patient's examinations, the patient's base values
    // (by Patient id;Risk id, value "_Examination") and the current
    // examination's values (by Journal id;Risk id, "_Examination" and
    // "_Treatment", the stored numbers in store units).
    TMlTable* Patient = nullptr;
    TMlTable* Journal = nullptr;
    TMlTable* Base = nullptr;
    TMlTable* Exam = nullptr;

    // The country module whose wording and pick lists the value texts use
    // (set by the material module).
    TTvWorkCountryDataModule* CountryData = nullptr;
    // The age typed by the user; 0 means none.
    int AgeOverride = 0;
    // Suppresses the transferred mark " *" of the examination values while
    // the charts read their texts.
    bool HideTransferMark = false;

    // Whole years of the current patient at the reference date: AgeOverride
    // when it is not 0, -1 without a birth date.
    virtual int GetAge() = 0;
};

// Makes the journal module a calculation module owns as its JournalCopy
// (the product's journal class, which this folder cannot name).
using TJournalFactory = std::function<TJournalDataModuleBase*(QObject* owner)>;

// What the journal asks of the calculation module once SetCalculation gave
// it one.
class TJournalCalculation {
public:
    virtual ~TJournalCalculation() = default;

    // The calculation's own journal, refilled from the work journal with
    // AssignFrom before each calculation.
    virtual TJournalDataModuleBase* JournalCopy() const = 0;
    // Calculates when the calculation is set to calculate automatically.
    virtual void Recalculate() = 0;
    // Recomputes the treatment goals of the risk factors whose adjust
    // formulas depend on the given one.
    virtual void UpdateDependents(int riskId) = 0;
    // The risk factors of the current model, with Enabled, Group, Visible,
    // Obsolete and Default; the journal's Enabled lookups read it.
    virtual TMlRiskTable* ModelRisks() const = 0;
    // The CalcID of the current model.
    virtual int ModelId() const = 0;
};
