#include "BuildCalculateDM.h"

#include "BuildMediatorDM.h"
#include "BvUtils.h"
#include "Conversions.h"
#include "MorlenTables.h"

namespace {

template <class T>
T* NewTable(QObject* owner, const QString& componentName, const QString& tableName, bool switched) {
    auto* table = new T(owner);
    table->SetName(componentName);
    table->SetDatabaseName(MediatorDataModule->Database->DatabaseName());
    table->SetTableName(tableName);
    if (switched) {
        table->SetSwitch(MediatorDataModule->DiabetesSwitch);
        table->SetDiabetesDependant(true);
    }
    return table;
}

TDataSource* NewSource(QObject* owner, const QString& name, TDataSet* dataSet) {
    auto* source = new TDataSource(owner);
    source->SetName(name);
    source->SetDataSet(dataSet);
    return source;
}

// The model's columns of a risk factor, and the shared definition of the
// same Risk id looked up in RisksLookup.
void AddRiskFields(TDataSet* risks, TDataSet* risksLookup) {
    new TIntegerField(risks, QStringLiteral("Risk id"));
    new TBooleanField(risks, QStringLiteral("Active"));
    new TBooleanField(risks, QStringLiteral("Visible"));
    new TBooleanField(risks, QStringLiteral("Enabled"));
    new TMemoField(risks, QStringLiteral("Expression"));
    new TMemoField(risks, QStringLiteral("Adjust"));
    new TBooleanField(risks, QStringLiteral("NotUsedInCalc"));
    new TIntegerField(risks, QStringLiteral("CalcID"));
    new TStringField(risks, QStringLiteral("Locale name"), 25, TFieldKind::fkCalculated);
    auto lookup = [&](TField* field) {
        field->SetLookupDataSet(risksLookup);
        field->KeyFields = QStringLiteral("Risk id");
        field->LookupKeyFields = QStringLiteral("Risk id");
        field->LookupResultField = field->FieldName();
    };
    lookup(new TStringField(risks, QStringLiteral("Name"), 50, TFieldKind::fkLookup));
    lookup(new TBooleanField(risks, QStringLiteral("Obsolete"), TFieldKind::fkLookup));
    lookup(new TSmallintField(risks, QStringLiteral("Group"), TFieldKind::fkLookup));
    lookup(new TSmallintField(risks, QStringLiteral("Type"), TFieldKind::fkLookup));
    lookup(new TIntegerField(risks, QStringLiteral("Color"), TFieldKind::fkLookup));
    lookup(new TStringField(risks, QStringLiteral("Default"), 50, TFieldKind::fkLookup));
    lookup(new TSmallintField(risks, QStringLiteral("Decimals"), TFieldKind::fkLookup));
    lookup(new TStringField(risks, QStringLiteral("Dependent"), 100, TFieldKind::fkLookup));
    lookup(new TFloatField(risks, QStringLiteral("Min"), TFieldKind::fkLookup));
    lookup(new TFloatField(risks, QStringLiteral("Max"), TFieldKind::fkLookup));
}

} // namespace

TBuildCalculateDataModule::TBuildCalculateDataModule(QObject* AOwner) : TBuildDataModule(AOwner) {
    if (!MediatorDataModule)
        throw Exception(QStringLiteral("The mediator data module has not been created"));

    CalcModel = NewTable<TMlTable>(this, QStringLiteral("CalcModel"), QStringLiteral("CalcModel"), false);
    CalcModel->SetIndexFieldNames(QStringLiteral("CalcID"));
    CalcModelSource = NewSource(this, QStringLiteral("CalcModelSource"), CalcModel);

    Risks = NewTable<TMlRiskTable>(this, QStringLiteral("Risks"), QStringLiteral("Risks"), true);
    RisksLookup = NewTable<TMlRiskTable>(this, QStringLiteral("RisksLookup"), QStringLiteral("Risks"), false);
    AddRiskFields(Risks, RisksLookup);
    Risks->SetIndexFieldNames(QStringLiteral("CalcID;Risk id"));
    Risks->SetMasterSource(CalcModelSource);
    Risks->SetMasterFields(QStringLiteral("CalcID"));

    Values = NewTable<TMlValueTable>(this, QStringLiteral("Values"), QStringLiteral("Values"), true);
    Values->SetSelectType(-1);
    Values->SetFilterOptions(foCaseInsensitive);
    Values->SetIndexFieldNames(QStringLiteral("CalcID;Risk Id;Type;Value id"));
    Values->SetMasterSource(CalcModelSource);
    Values->SetMasterFields(QStringLiteral("CalcID"));

    Groups = NewTable<TMlTable>(this, QStringLiteral("Groups"), QStringLiteral("Group"), true);
    // Its own fields: GetGroup reads them on every calculation.
    new TIntegerField(Groups, QStringLiteral("Group"));
    new TStringField(Groups, QStringLiteral("Name"), 50);
    GroupsSource = NewSource(this, QStringLiteral("GroupsSource"), Groups);

    Baseline = NewTable<TMlBaselineTable>(this, QStringLiteral("Baseline"), QStringLiteral("Baseline"), true);
    Baseline->SetIndexFieldNames(QStringLiteral("Group;Age"));
    Baseline->SetMasterSource(GroupsSource);
    Baseline->SetMasterFields(QStringLiteral("Group"));
    Baseline->SetFilter(QStringLiteral("CalcID = 1"));
    Baseline->SetFiltered(true);

    General = NewTable<TMlTable>(this, QStringLiteral("General"), QStringLiteral("General"), false);

    OpenDataSets(this, 0);
}

TBuildCalculateDataModule::~TBuildCalculateDataModule() { CloseDataSets(this, 0); }

int TBuildCalculateDataModule::GetGroup() const {
    return Groups->Active() ? Groups->FieldByName(QStringLiteral("Group"))->AsInteger() : 0;
}

void TBuildCalculateDataModule::SetGroup(int group) {
    if (!Groups->Locate(QStringLiteral("Group"), group))
        throw Exception(QStringLiteral("The following group '%1' doesn't exists").arg(IntToStr(group)));
}

void TBuildCalculateDataModule::AssignFrom(TBuildDataModule* other) {
    if (auto* calculation = qobject_cast<TBuildCalculateDataModule*>(other))
        SetGroup(calculation->GetGroup());
}
