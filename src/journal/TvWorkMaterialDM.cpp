#include "TvWorkMaterialDM.h"

#include "Edition.h"
#include "JournalCalculation.h"
#include "MorlenTables.h"
#include "TvWorkCalculateDM.h"
#include "TvWorkCountryDM.h"
#include "TvWorkJournalDM.h"

TTvWorkMaterialDataModule::TTvWorkMaterialDataModule(QObject* AOwner) : TBuildMaterialDataModule(AOwner) {}

TTvWorkJournalDataModule* TTvWorkMaterialDataModule::WorkJournal() const {
    return qobject_cast<TTvWorkJournalDataModule*>(JournalData);
}

TTvWorkCountryDataModule* TTvWorkMaterialDataModule::CreateCountryData() { return new TTvWorkCountryDataModule(); }

TXTvWorkJournalDataModule* TTvWorkMaterialDataModule::CreateJournalData() { return new TTvWorkJournalDataModule(); }

TTvWorkCalculateDataModule* TTvWorkMaterialDataModule::WorkCalculation() const {
    return dynamic_cast<TTvWorkCalculateDataModule*>(CalculateData);
}

TJournalCalculation* TTvWorkMaterialDataModule::CreateCalculateData() {
    return new TTvWorkCalculateDataModule(JournalCopyFactory());
}

void TTvWorkMaterialDataModule::SetCalculationCountry() {
    if (TTvWorkCalculateDataModule* calculation = WorkCalculation())
        calculation->SetCountryModule(CountryData);
}

void TTvWorkMaterialDataModule::LinkModelToCountry() {
    TTvWorkCalculateDataModule* calculation = WorkCalculation();
    TTvWorkJournalDataModule* journal = WorkJournal();
    if (!calculation || !journal || !CountryData)
        return;
    calculation->CalcModel->SetMasterSource(CountryData->CountrySource);
    calculation->CalcModel->SetMasterFields(QStringLiteral("CalcID"));
    calculation->OnModelChanged = [journal](QObject*, TDataSet* risks) { journal->RestrictToModel(risks); };
    calculation->ModelChanged();
}

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
