#pragma once
// The mediator: the one data module created first at start-up and kept until
// the process ends. It owns what several modules share — both database
// connections, the settings, the translation dictionary with its language
// map, the unit converter and its expression source, the diabetes switch and
// the shared model tables Risks, CalcRisks, General and ID. Other modules
// reach it through the global MediatorDataModule or the service functions
// below.

#include "BuildDM.h"
#include "Edition.h"
#include "FileVersion.h"

#include <QImage>
#include <QList>
#include <QStringList>
#include <memory>

class QPrinter;
class QPrintDialog;
class TBvDictionary;
class TBvExprSource;
class TDatabase;
class TMlRiskTable;
class TMlSettings;
class TMlSwitch;
class TMlTable;
class TQuery;
class TUnitConverter;

class TMediatorDataModule : public TBuildDataModule {
    Q_OBJECT
public:
    // Creates the members and runs the creation steps. An error in a step is
    // shown through the application's error display and the remaining steps
    // are skipped; the mediator is usable all the same.
    explicit TMediatorDataModule(QObject* AOwner = nullptr);
    ~TMediatorDataModule() override;

    // The members, in the order they are created.
    TDatabase* Database = nullptr;           // ApplicationAlias
    TBvDictionary* MainDictionary = nullptr; // "MainDictionary"
    TMlSettings* Settings = nullptr;
    TMlTable* UnitCnv = nullptr;
    TBvExprSource* ExprSource = nullptr; // offers the unit formulas no function
    TUnitConverter* UnitConverter = nullptr;
    TMlTable* General = nullptr;
    TMlRiskTable* Risks = nullptr;
    TMlTable* ID = nullptr;
    TMlSwitch* DiabetesSwitch = nullptr;
    QList<QImage> IconImageList; // one 32 x 32 icon per Edition value
    TDatabase* PatientDatabase = nullptr; // PatientAlias
    TQuery* ISO = nullptr;                // the enabled countries by name
    TMlRiskTable* CalcRisks = nullptr;    // Risks_P or Risks_D through the switch

    // One "ISOLanguage=language number" entry per ISO row, in its order.
    QStringList LanguageMap;

    // Raised, with the mediator as sender, after the dictionary's language changed.
    TNotifyEvent OnLanguageChange;

    // Connects both databases (the application database through `alias`,
    // the patient database through TavloPatients; a database file missing at
    // first start is made from its script), opens the shared tables, builds
    // the language map and activates the unit converter and ID as asked.
    // Errors are raised.
    void ConnectDatabases(const QString& alias, bool activate);

    // "build / General.Version".
    QString UpdateLevel(const TFileVersion& version = FileVersion()) const;
    // The Expression of the ID row of that name (case ignored), else
    // "Result := True".
    QString IdExpression(const QString& name) const;
    void PrinterSetup();
    QPrinter* Printer() const { return FPrinter.get(); }
    QPrintDialog* PrinterSetupDialog() const { return FPrinterSetupDialog; }

    QString CurrentLanguageCode() const;
    int IndexOfLanguage(const QString& code) const;
    void SetLanguageByIndex(int index);
    int CountryNames(QStringList& list) const;

private:
    void CreateMembers();
    void RunCreationSteps();
    void CloseSharedTables();
    void BuildLanguageMap();

    std::unique_ptr<QPrinter> FPrinter;
    QPrintDialog* FPrinterSetupDialog = nullptr;
};

// The single instance, from its creation until it is destroyed.
extern TMediatorDataModule* MediatorDataModule;

// The engine configuration section and value of the process's decimal
// separator.
inline constexpr const char* NumberFormatSection = "\\SYSTEM\\FORMATS\\NUMBER";
inline constexpr const char* DecimalSeparatorName = "DECIMALSEPARATOR";
// Sets the process's decimal separator from the engine configuration. A
// missing or empty value keeps the current separator.
void ApplyEngineDecimalSeparator();

// The application title (the title of the error dialog and the main window).
QString ApplicationTitle();
void SetApplicationTitle(const QString& title);

// Services of the mediator. Those that need the instance raise an Exception
// when it has not been created.
TMlSettings* Settings();
QString ApplicationDirectory(); // the executable's folder, ending with "/"
QString UpdateLevel();
QString IdExpression(const QString& name);
void PrinterSetup();
QPrinter* CurrentPrinter();
QString CustomVersion();
bool IsCustomVersion();
QString CurrentLanguageCode();
int IndexOfLanguage(const QString& code);
void SetLanguageByIndex(int index);
int CountryNames(QStringList& list);
