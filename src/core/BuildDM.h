#pragma once
// The base of every data module. The application keeps its data modules in
// creation order, so a window can find the country module whose data it
// shows.

#include "Component.h"

#include <QList>

class TClientDataSet;

class TBuildDataModule : public TComponent {
    Q_OBJECT
public:
    explicit TBuildDataModule(QObject* AOwner = nullptr);
    ~TBuildDataModule() override;

    // Loads the content and current row of `source` into the in-memory
    // `target` (the model tables' CopyTable).
    virtual void CopyTable(TClientDataSet* target, TClientDataSet* source);
    // Copies the state of another module of the same kind; nothing here.
    virtual void AssignFrom(TBuildDataModule* other);
};

// The application's data modules, in creation order.
QList<TBuildDataModule*> DataModules();

// What the base windows need of a country module (the model's country
// module derives from this).
class TCountryDataModuleBase : public TBuildDataModule {
    Q_OBJECT
public:
    explicit TCountryDataModuleBase(QObject* AOwner = nullptr) : TBuildDataModule(AOwner) {}
    // The current country's "AboutMessage".
    virtual QString AboutMessage() const = 0;
};

// The first country module in creation order, or nullptr.
TCountryDataModuleBase* FirstCountryDataModule();
