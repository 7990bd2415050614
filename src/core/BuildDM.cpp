#include "BuildDM.h"

#include "MorlenTables.h"

namespace {
QList<TBuildDataModule*>& Registry() {
    static QList<TBuildDataModule*> modules;
    return modules;
}
} // namespace

TBuildDataModule::TBuildDataModule(QObject* AOwner) : TComponent(AOwner) { Registry().append(this); }

TBuildDataModule::~TBuildDataModule() { Registry().removeOne(this); }

void TBuildDataModule::CopyTable(TClientDataSet* target, TClientDataSet* source) { ::CopyTable(target, source); }

void TBuildDataModule::AssignFrom(TBuildDataModule* /*other*/) {}

QList<TBuildDataModule*> DataModules() { return Registry(); }

TCountryDataModuleBase* FirstCountryDataModule() {
    for (TBuildDataModule* module : Registry())
        if (auto* country = qobject_cast<TCountryDataModuleBase*>(module))
            return country;
    return nullptr;
}
