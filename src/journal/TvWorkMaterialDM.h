#pragma once
// The product's material data module: the work window's country module,
// journal module and calculation module, linked in this order:
//   1. the three modules; the journal module gets the country module;
//   2. the journal gets the calculation;
//   3. the calculation's own journal (JournalCopy) gets the country module,
//      the report shares the calculation, and the calculation gets the
//      country module;
//   4. Prevention edition: the calculation's model follows the country, the
//      journal shows the values of the model, at once and after each change.
// Steps 2 and 3 need a calculation; steps 3 (its country module) and 4
// need the product's calculation module, and are left out for another one.

#include "BuildMaterialDM.h"

class TTvWorkCalculateDataModule;
class TTvWorkJournalDataModule;

class TTvWorkMaterialDataModule : public TBuildMaterialDataModule {
    Q_OBJECT
public:
    explicit TTvWorkMaterialDataModule(QObject* AOwner = nullptr);

    // The calculation the patient report works on: the work window's own,
    // so both share one calculation and its JournalCopy.
    TJournalCalculation* ReportCalculateData = nullptr;

    TTvWorkJournalDataModule* WorkJournal() const;
    // The product's calculation module, or none when the factory made another.
    TTvWorkCalculateDataModule* WorkCalculation() const;

    void CreateModules() override;

protected:
    TTvWorkCountryDataModule* CreateCountryData() override;
    TXTvWorkJournalDataModule* CreateJournalData() override;
    // The work window's calculation module, with the product's journal as its JournalCopy.
    TJournalCalculation* CreateCalculateData() override;
    // The calculation module's SetCountryModule (step 3).
    virtual void SetCalculationCountry();
    // Prevention edition (step 4): the calculation's CalcModel becomes a
    // detail of the country table, the journal's RestrictToModel its
    // OnModelChanged handler, and its model-change reaction runs once.
    virtual void LinkModelToCountry();
};
