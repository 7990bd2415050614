#include "TvWorkMaterialDM.h"

#include "Edition.h"
#include "JournalCalculation.h"
#include "TvWorkCountryDM.h"
#include "TvWorkJournalDM.h"

TTvWorkMaterialDataModule::TTvWorkMaterialDataModule(QObject* AOwner) : TBuildMaterialDataModule(AOwner) {}

TTvWorkJournalDataModule* TTvWorkMaterialDataModule::WorkJournal() const {
    return qobject_cast<TTvWorkJournalDataModule*>(JournalData);
}

TTvWorkCountryDataModule* TTvWorkMaterialDataModule::CreateCountryData() { return new TTvWorkCountryDataModule(); }

TXTvWorkJournalDataModule* TTvWorkMaterialDataModule::CreateJournalData() { return new TTvWorkJournalDataModule(); }

TJournalCalculation* TTvWorkMaterialDataModule::CreateCalculateData() {
    // The calculation module (TTvWorkCalculateDataModule) is created here
    // once it exists; until then the journal works without a calculation.
    return nullptr;
}

void TTvWorkMaterialDataModule::SetCalculationCountry() {}

void TTvWorkMaterialDataModule::CreateModules() {
    // Step 1 (the base): the modules, the journal's country module.
    TBuildMaterialDataModule::CreateModules();
    if (!CalculateData)
        return;
    // Step 2.
    if (JournalData)
        JournalData->SetCalculation(CalculateData);
    // Step 3.
    if (TJournalDataModuleBase* copy = CalculateData->JournalCopy())
        copy->CountryData = CountryData;
    ReportCalculateData = CalculateData;
    SetCalculationCountry();
    // Step 4.
    if (Edition() == TEdition::Prevention)
        LinkModelToCountry();
}
