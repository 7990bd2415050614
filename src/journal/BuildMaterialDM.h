#pragma once
// The material data module: creates the three data modules of the work
// window (country, journal, calculation) through three factories, links
// them, keeps them, and frees them when it goes. The main window and the
// report reach the modules through it.
//
// The factories are virtual, so the modules are created by CreateModules,
// called once the material module is constructed (a constructor cannot
// reach a subclass's factories).

#include "BuildDM.h"
#include "Component.h"
#include "DataSet.h"

class TJournalCalculation;
class TTvWorkCountryDataModule;
class TXTvWorkJournalDataModule;

class TBuildMaterialDataModule : public TBuildDataModule {
    Q_OBJECT
public:
    explicit TBuildMaterialDataModule(QObject* AOwner = nullptr);
    // Frees the calculation, the journal and the country module, in this order.
    ~TBuildMaterialDataModule() override;

    TTvWorkCountryDataModule* CountryData = nullptr;
    TXTvWorkJournalDataModule* JournalData = nullptr;
    TJournalCalculation* CalculateData = nullptr;

    // Creates the modules (the factories, in slot order) and gives the
    // journal module the country module.
    virtual void CreateModules();

    void SetOnCountryChange(TNotifyEvent handler);
    void SetOnJournalChange(TDataSetNotifyEvent handler);
    void SetOnPatientScroll(TDataSetNotifyEvent handler);

protected:
    // Each returns nothing here. A module they return is freed by this one.
    virtual TTvWorkCountryDataModule* CreateCountryData() { return nullptr; }
    virtual TXTvWorkJournalDataModule* CreateJournalData() { return nullptr; }
    virtual TJournalCalculation* CreateCalculateData() { return nullptr; }
};
