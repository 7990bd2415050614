#pragma once
// The calculation module's base: the tables of the risk model (the models,
// their risk factors and coefficients, the patient groups and the baseline
// survival of each group by age, the offered prediction periods) and the
// current patient group.

#include "BuildDM.h"

class TDataSource;
class TMlBaselineTable;
class TMlRiskTable;
class TMlTable;
class TMlValueTable;

class TBuildCalculateDataModule : public TBuildDataModule {
    Q_OBJECT
public:
    // Needs the mediator: the switched tables follow its DiabetesSwitch.
    // Opens the tables; Risks and Values show the current model's rows,
    // Baseline the current group's rows of model 1 until the model changes.
    explicit TBuildCalculateDataModule(QObject* AOwner = nullptr);
    ~TBuildCalculateDataModule() override;

    // The tables, in the order they are opened.
    TMlTable* CalcModel = nullptr;        // the current row is the current model
    TMlRiskTable* Risks = nullptr;        // the current model's risk factors, switched
    TMlRiskTable* RisksLookup = nullptr;  // every risk factor, by Risk id and by Name
    TMlValueTable* Values = nullptr;      // the current model's coefficients, switched
    TMlTable* Groups = nullptr;           // the current row is the current group, switched
    TMlBaselineTable* Baseline = nullptr; // the current group's baseline survival, switched
    TMlTable* General = nullptr;
    TDataSource* CalcModelSource = nullptr;
    TDataSource* GroupsSource = nullptr;

    // The Group of the current Groups row (0 without one).
    int GetGroup() const;
    // Makes the row of that group current; fails naming the group when the
    // model has no such group.
    void SetGroup(int group);
    // Takes the current group of another calculation module.
    void AssignFrom(TBuildDataModule* other) override;
};
