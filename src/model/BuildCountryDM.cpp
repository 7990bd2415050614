#include "BuildCountryDM.h"

#include "BuildMediatorDM.h"
#include "BvDictionary.h"
#include "BvUtils.h"
#include "Conversions.h"
#include "MorlenTables.h"
#include "TableStore.h"

#include <utility>

namespace {

template <class T>
T* NewTable(QObject* owner, const QString& componentName, const QString& databaseName, const QString& tableName) {
    auto* table = new T(owner);
    table->SetName(componentName);
    table->SetDatabaseName(databaseName);
    table->SetTableName(tableName);
    return table;
}

// A detail of the chosen country, in that order.
void FollowCountry(TDataSet* table, TDataSource* countrySource, const QString& order) {
    table->SetIndexFieldNames(order);
    table->SetMasterSource(countrySource);
    table->SetMasterFields(QStringLiteral("Country id"));
}

// Persistent fields of the country's Risks: the columns the country reads,
// its Locale name and, by Risk id, Active and Visible of the current model.
void AddRiskFields(TDataSet* risks, TDataSet* calcRisks) {
    new TAutoIncField(risks, QStringLiteral("Risk id"));
    new TStringField(risks, QStringLiteral("Name"), 50);
    new TBooleanField(risks, QStringLiteral("Obsolete"));
    new TSmallintField(risks, QStringLiteral("Group"));
    new TSmallintField(risks, QStringLiteral("Type"));
    new TIntegerField(risks, QStringLiteral("Color"));
    new TStringField(risks, QStringLiteral("Default"), 50);
    new TSmallintField(risks, QStringLiteral("Decimals"));
    new TStringField(risks, QStringLiteral("Dependent"), 100);
    new TMemoField(risks, QStringLiteral("Expression"));
    new TMemoField(risks, QStringLiteral("Adjust"));
    new TStringField(risks, QStringLiteral("Locale name"), 25, TFieldKind::fkCalculated);
    for (const QString& name : {QStringLiteral("Active"), QStringLiteral("Visible")}) {
        auto* field = new TBooleanField(risks, name, TFieldKind::fkLookup);
        field->SetLookupDataSet(calcRisks);
        field->KeyFields = QStringLiteral("Risk id");
        field->LookupKeyFields = QStringLiteral("Risk id");
        field->LookupResultField = name;
    }
}

} // namespace

TBuildCountryDataModule::TBuildCountryDataModule(QObject* AOwner) : TCountryDataModuleBase(AOwner) {
    if (!MediatorDataModule)
        throw Exception(QStringLiteral("The mediator data module has not been created"));
    const QString application = MediatorDataModule->Database->DatabaseName();
    const QString patients = MediatorDataModule->PatientDatabase->DatabaseName();

    // Created in the order they are opened; Country comes last so that its
    // details are open when it first shows a row.
    Compose = NewTable<TMlComposeTable>(this, QStringLiteral("Compose"), application, QStringLiteral("Compose"));
    Compose->SetSwitch(MediatorDataModule->DiabetesSwitch);
    Compose->SetDiabetesDependant(true);
    Names = NewTable<TMlNameTable>(this, QStringLiteral("Names"), application, QStringLiteral("Names"));
    Colors = NewTable<TMlTable>(this, QStringLiteral("Colors"), application, QStringLiteral("Colors"));
    Risks = NewTable<TMlRiskTable>(this, QStringLiteral("Risks"), application, QStringLiteral("RISKS"));
    AddRiskFields(Risks, MediatorDataModule->CalcRisks);
    Risks->OnCalcFields = [this](TDataSet* dataSet) { FillLocaleName(dataSet); };
    RisksLookup = NewTable<TMlRiskTable>(this, QStringLiteral("RisksLookup"), application, QStringLiteral("Risks"));
    // Looked up by Risk id for every row shown: held in that order, a binary
    // search finds the row (equal ids keep their stored order).
    RisksLookup->SetIndexFieldNames(QStringLiteral("Risk id"));
    NamesLookup = NewTable<TMlNameTable>(this, QStringLiteral("NamesLookup"), application, QStringLiteral("Names"));
    NamesLookup->SetIndexFieldNames(QStringLiteral("Country id;Risk id;Type"));
    Doctors = NewTable<TMlTable>(this, QStringLiteral("Doctors"), patients, QStringLiteral("Doctors"));
    Country = NewTable<TMlCountryTable>(this, QStringLiteral("Country"), application, QStringLiteral("Country"));

    CountrySource = new TDataSource(this);
    CountrySource->SetName(QStringLiteral("CountrySource"));
    CountrySource->SetDataSet(Country);
    FollowCountry(Compose, CountrySource, QStringLiteral("Country id;Name"));
    FollowCountry(Names, CountrySource, QStringLiteral("Country id"));
    FollowCountry(Colors, CountrySource, QStringLiteral("Country id;Max"));

    OpenDataSets(this, 0);
}

TBuildCountryDataModule::~TBuildCountryDataModule() {
    Country->Close();
    CloseDataSets(this, 0);
}

int TBuildCountryDataModule::CountryId() const { return Country->Active() ? Country->CountryId() : 0; }

QChar TBuildCountryDataModule::DecimalSeparatorChar() const {
    const QString separator = Country->FieldByName(QStringLiteral("Separator name"))->AsString();
    return separator.isEmpty() ? QChar(0) : separator.at(0);
}

QString TBuildCountryDataModule::LocaleName(int riskId) const {
    if (!NamesLookup->Active())
        return QString();
    // The key column comes along so that a row whose Name is empty still counts as found.
    const QVariant name = NamesLookup->Lookup(QStringLiteral("Country id;Risk id;Type"),
                                              QVariantList{CountryId(), riskId, 1}, QStringLiteral("Risk id;Name"));
    if (name.isValid())
        return name.toList().value(1).toString();
    const QVariant risk = RisksLookup->Lookup(QStringLiteral("Risk id"), riskId, QStringLiteral("Risk id;Name"));
    if (risk.isValid())
        return QLatin1Char('(') + risk.toList().value(1).toString() + QLatin1Char(')');
    return IntToStr(riskId) + QLatin1Char('?');
}

void TBuildCountryDataModule::DoctorNames(QStringList& list) const {
    list.clear();
    if (!Doctors->Active())
        return;
    Doctors->Refresh();
    const int count = Doctors->RecordCount();
    for (int i = 0; i < count; ++i)
        Doctors->WithRecord(i, [&] { list << Doctors->FieldByName(QStringLiteral("Name"))->AsString(); });
}

void TBuildCountryDataModule::SelectLanguage(const QString& code) {
    FChoiceError = nullptr;
    Country->LocateLanguage(code);
    if (FChoiceError)
        std::rethrow_exception(std::exchange(FChoiceError, nullptr));
}

void TBuildCountryDataModule::SetCountryChoice(bool on) {
    if (!on) {
        Country->AfterScroll = nullptr;
        return;
    }
    Country->AfterScroll = [this](TDataSet*) {
        try {
            CountryChanged();
        } catch (...) {
            FChoiceError = std::current_exception();
            throw;
        }
    };
}

QString TBuildCountryDataModule::AboutMessage() const {
    return Country->FieldByName(QStringLiteral("AboutMessage"))->AsString();
}

void TBuildCountryDataModule::FillLocaleName(TDataSet* dataSet) const {
    if (dataSet->Active())
        dataSet->FieldByName(QStringLiteral("Locale name"))
            ->SetAsString(LocaleName(dataSet->FieldByName(QStringLiteral("Risk id"))->AsInteger()));
}

std::optional<TColorBand> TBuildCountryDataModule::ColorBand(double risk) const {
    // Compared as a float: a risk of 5.4 % lies above the band that ends at 5.
    std::optional<TColorBand> band;
    const int count = Colors->RecordCount();
    for (int i = 0; i < count; ++i) {
        Colors->WithRecord(i, [&] {
            band = TColorBand{Colors->FieldByName(QStringLiteral("Max"))->AsInteger(),
                              Colors->FieldByName(QStringLiteral("Text"))->AsString(),
                              Colors->FieldByName(QStringLiteral("Color"))->AsInteger()};
        });
        if (!(band->Max < risk))
            break;
    }
    return band;
}

QString TBuildCountryDataModule::ExaminationTitle() const { return TranslateText(QStringLiteral("Examination")); }

QString TBuildCountryDataModule::TreatmentTitle() const { return TranslateText(QStringLiteral("Treatment goal")); }

QString TBuildCountryDataModule::AbsoluteRiskTitle() const { return TranslateText(QStringLiteral("Absolute risk")); }

QString TBuildCountryDataModule::PredictionTitle() const {
    return FormatText(TranslateText(QStringLiteral("Risk estimation for the next %s years.")),
                      {Country->FieldByName(QStringLiteral("PredictionYears"))->AsString()});
}

QString TBuildCountryDataModule::RisksTitle() const { return TranslateText(QStringLiteral("Risks")); }

QString TBuildCountryDataModule::MeasuresTitle() const { return TranslateText(QStringLiteral("Measures to follow")); }

QString TBuildCountryDataModule::AgeRangeMessage() const {
    return TranslateText(QStringLiteral("Unable to calculate the risk. The age must be between %s and %s years!"));
}

QString TBuildCountryDataModule::InvalidIdMessage() const { return TranslateText(QStringLiteral("Invalid patient id")); }

QString TBuildCountryDataModule::NotUsedMessage() const {
    return TranslateText(QStringLiteral("Risk not used in calculation."));
}
