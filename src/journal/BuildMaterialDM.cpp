#include "BuildMaterialDM.h"

#include "JournalCalculation.h"
#include "TvWorkCountryDM.h"
#include "XTvWorkJournalDM.h"

TBuildMaterialDataModule::TBuildMaterialDataModule(QObject* AOwner) : TBuildDataModule(AOwner) {}

TBuildMaterialDataModule::~TBuildMaterialDataModule() {
    // The journal is unlinked before its calculation goes, the country
    // module last: both others refer to it.
    if (JournalData)
        JournalData->SetCalculation(nullptr);
    delete CalculateData;
    CalculateData = nullptr;
    delete JournalData;
    JournalData = nullptr;
    delete CountryData;
    CountryData = nullptr;
}

void TBuildMaterialDataModule::CreateModules() {
    CountryData = CreateCountryData();
    JournalData = CreateJournalData();
    CalculateData = CreateCalculateData();
    if (JournalData)
        JournalData->CountryData = CountryData;
}

void TBuildMaterialDataModule::SetOnCountryChange(TNotifyEvent handler) {
    if (CountryData)
        CountryData->OnCountryChange = std::move(handler);
}

void TBuildMaterialDataModule::SetOnJournalChange(TDataSetNotifyEvent handler) {
    if (JournalData)
        JournalData->OnJournalChange = std::move(handler);
}

void TBuildMaterialDataModule::SetOnPatientScroll(TDataSetNotifyEvent handler) {
    if (JournalData)
        JournalData->OnPatientScroll = std::move(handler);
}
