#pragma once
// The country data module's base: the tables of everything that differs
// between countries (the country row itself, its composed texts, the locale
// names, pick-list definitions and display units of the risk factors, its
// colour bands), the risk factors, the doctors, and the questions other
// modules ask about the chosen country: the current Country row. The
// fixed wording of the risk pages comes translated into the current
// language.

#include "BuildDM.h"
#include "MorlenSettings.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <exception>
#include <optional>

class TDataSet;
class TDataSource;
class TMlComposeTable;
class TMlCountryTable;
class TMlNameTable;
class TMlRiskTable;
class TMlTable;

// One colour band of the risk charts: risks up to Max percent.
struct TColorBand {
    int Max = 0;
    QString Text;
    int Color = 0; // a Windows colour value, $00BBGGRR
};

class TBuildCountryDataModule : public TCountryDataModuleBase, public TRiskNames {
    Q_OBJECT
public:
    // Needs the mediator: Compose follows its DiabetesSwitch, and the Active
    // and Visible columns of Risks come from its CalcRisks. Opens the tables
    // (Country last, so its details follow it from the first row).
    explicit TBuildCountryDataModule(QObject* AOwner = nullptr);
    ~TBuildCountryDataModule() override;

    // The tables, in the order they are opened.
    TMlComposeTable* Compose = nullptr; // the chosen country's composed texts, switched
    TMlNameTable* Names = nullptr;      // the chosen country's names
    TMlTable* Colors = nullptr;         // the chosen country's colour bands, by Max
    TMlRiskTable* Risks = nullptr;      // every risk factor, with Locale name, Active, Visible
    TMlRiskTable* RisksLookup = nullptr; // every risk factor with its limits and unit
    TMlNameTable* NamesLookup = nullptr; // the names of every country
    TMlTable* Doctors = nullptr;         // of the patient database
    TMlCountryTable* Country = nullptr;  // the current row is the chosen country
    TDataSource* CountrySource = nullptr;

    int CountryId() const;
    // The first character of "Separator name"; the character 0 when it is empty.
    QChar DecimalSeparatorChar() const;
    // The chosen country's type-1 name of the risk factor; else its Name in
    // parentheses; else the id followed by "?". Empty while NamesLookup is closed.
    QString LocaleName(int riskId) const;
    QString RiskName(int riskId) const override { return LocaleName(riskId); }
    // The Name of every doctor in table order, read afresh: the settings
    // dialog edits the doctors through a table of its own.
    void DoctorNames(QStringList& list) const;
    // The first country whose ISOLanguage is the code (case ignored) becomes
    // the chosen one; nothing changes when there is none. A failure of the
    // country choice reaches the caller.
    void SelectLanguage(const QString& code);
    QString AboutMessage() const override;

    // Sets "Locale name" of the dataset's current row from its "Risk id"
    // (for the OnCalcFields of the risk tables of every module).
    void FillLocaleName(TDataSet* dataSet) const;

    // The band of a risk in percent: the chosen country's first band, by
    // Max, whose Max is not below the risk; above every band the last one.
    // None when the country has no bands.
    std::optional<TColorBand> ColorBand(double risk) const;

    // The wording of the risk pages in the current language.
    QString ExaminationTitle() const;
    QString TreatmentTitle() const;
    QString AbsoluteRiskTitle() const;
    // Filled with the chosen country's PredictionYears.
    QString PredictionTitle() const;
    QString RisksTitle() const;
    QString MeasuresTitle() const;
    // Two "%s" for the caller: the lowest and the highest age.
    QString AgeRangeMessage() const;
    QString InvalidIdMessage() const;
    QString NotUsedMessage() const;
    // Shown where a composed text is not found.
    QString EmptyComposeText() const { return QString(); }

protected:
    // What choosing a country does; switched on by the product's module once
    // it can, as the current Country row changes (the table's scroll hook).
    virtual void CountryChanged() {}
    void SetCountryChoice(bool on);

private:
    // The model table's search reads every error inside it as "not found",
    // the scroll hook's too; the choice's failure is kept here for SelectLanguage.
    std::exception_ptr FChoiceError;
};
