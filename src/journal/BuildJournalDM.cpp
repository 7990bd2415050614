#include "BuildJournalDM.h"

#include "BuildMediatorDM.h"
#include "BvUtils.h"
#include "Conversions.h"
#include "FormatSettings.h"
#include "LocalSql.h"
#include "MorlenSettings.h"
#include "TableStore.h"
#include "TvConvertField.h"
#include "TvPickList.h"
#include "TvWorkCountryDM.h"

#include <QSqlError>

namespace {

template <class T>
T* NewTable(QObject* owner, const QString& componentName, const QString& databaseName, const QString& tableName) {
    auto* table = new T(owner);
    table->SetName(componentName);
    table->SetDatabaseName(databaseName);
    table->SetTableName(tableName);
    return table;
}

TDataSource* NewSource(QObject* owner, const QString& name, TDataSet* dataSet) {
    auto* source = new TDataSource(owner);
    source->SetName(name);
    source->SetDataSet(dataSet);
    return source;
}

TTable* NewStore(QObject* owner, const QString& databaseName, const QString& tableName) {
    auto* table = new TTable(owner);
    table->SetDatabaseName(databaseName);
    table->SetTableName(tableName);
    return table;
}

// The unit data of a value row, in the order the view fields link them.
void AddUnitFields(TDataSet* table) {
    // Wider than the stored names: the label carries the display unit too.
    new TStringField(table, QStringLiteral("Locale name"), 50, TFieldKind::fkCalculated);
    new TStringField(table, QStringLiteral("StoreCategory"), 30, TFieldKind::fkCalculated);
    new TStringField(table, QStringLiteral("StoreUnit"), 15, TFieldKind::fkCalculated);
    new TStringField(table, QStringLiteral("DisplayUnit"), 15, TFieldKind::fkCalculated);
    new TIntegerField(table, QStringLiteral("DisplayDecimals"), TFieldKind::fkCalculated);
    new TSmallintField(table, QStringLiteral("RiskType"), TFieldKind::fkCalculated);
    auto* enabled = new TBooleanField(table, QStringLiteral("Enabled"), TFieldKind::fkLookup);
    enabled->KeyFields = QStringLiteral("Risk id");
    enabled->LookupKeyFields = QStringLiteral("Risk id");
    enabled->LookupResultField = QStringLiteral("Enabled");
}

TTvRiskField* NewViewField(TDataSet* table, const QString& componentName, const QString& fieldName) {
    auto* field = new TTvRiskField(table, fieldName);
    field->SetName(componentName);
    return field;
}

void LinkUnitFields(TTvRiskField* field) {
    TDataSet* table = field->DataSet();
    field->SetDisplayDecimalsField(table->FieldByName(QStringLiteral("DisplayDecimals")));
    field->SetDisplayUnitField(table->FieldByName(QStringLiteral("DisplayUnit")));
    field->SetStoreCategoryField(table->FieldByName(QStringLiteral("StoreCategory")));
    field->SetStoreUnitField(table->FieldByName(QStringLiteral("StoreUnit")));
    field->SetRiskUnitTypeField(table->FieldByName(QStringLiteral("RiskType")));
    field->SetConverter(MediatorDataModule->UnitConverter);
}

// Whole years from birth to the day: a birthday not yet reached this year
// (month * 100 + day below the birth's) counts one year less.
int YearsBetween(TDateTime birth, TDateTime day) {
    int by, bm, bd, dy, dm, dd;
    DecodeDate(birth, by, bm, bd);
    DecodeDate(day, dy, dm, dd);
    int years = dy - by;
    if (dm * 100 + dd < bm * 100 + bd)
        --years;
    return years;
}

} // namespace

void TJournalTable::InternalDelete(int index) {
    try {
        TMlTable::InternalDelete(index);
    } catch (...) {
        if (OnDeleteFailed)
            OnDeleteFailed();
        throw;
    }
}

TBuildJournalDataModule::TBuildJournalDataModule(QObject* AOwner, TJournalUse use) : TJournalDataModuleBase(AOwner) {
    if (!MediatorDataModule)
        throw Exception(QStringLiteral("The mediator data module has not been created"));
    const QString application = MediatorDataModule->Database->DatabaseName();
    const QString patients = MediatorDataModule->PatientDatabase->DatabaseName();

    Patient = NewTable<TJournalTable>(this, QStringLiteral("Patient"), patients, QStringLiteral("Patient"));
    Journal = NewTable<TJournalTable>(this, QStringLiteral("Journal"), patients, QStringLiteral("Journal"));
    Base = NewTable<TMlTable>(this, QStringLiteral("Base"), patients, QStringLiteral("Base"));
    Exam = NewTable<TMlTable>(this, QStringLiteral("Exam"), patients, QStringLiteral("Exam"));
    Item = NewTable<TMlTable>(this, QStringLiteral("Item"), application, QStringLiteral("Item"));
    ItemLable = NewTable<TMlTable>(this, QStringLiteral("ItemLable"), application, QStringLiteral("Item"));
    Group = NewTable<TMlTable>(this, QStringLiteral("Group"), application, QStringLiteral("ItemGroup"));
    GroupLable = NewTable<TMlTable>(this, QStringLiteral("GroupLable"), application, QStringLiteral("ItemGroup"));
    JournalLink = NewTable<TMlTable>(this, QStringLiteral("JournalLink"), application, QStringLiteral("ItemLink"));
    Link = new TQuery(this);
    Link->SetName(QStringLiteral("Link"));
    Link->SetDatabaseName(application);
    StoreUnits = NewTable<TMlRiskTable>(this, QStringLiteral("StoreUnits"), application, QStringLiteral("RISKS"));
    // Looked up by Risk id for every value row read: held in that order, a
    // binary search finds the row (equal ids keep their stored order).
    StoreUnits->SetIndexFieldNames(QStringLiteral("Risk id"));
    DisplayUnits = NewTable<TMlNameTable>(this, QStringLiteral("DisplayUnits"), application, QStringLiteral("NAMES"));
    FExamStore = NewStore(this, patients, QStringLiteral("Exam"));
    FBaseStore = NewStore(this, patients, QStringLiteral("Base"));
    FPatientStore = NewStore(this, patients, QStringLiteral("Patient"));

    PatientSource = NewSource(this, QStringLiteral("PatientSource"), Patient);
    JournalSource = NewSource(this, QStringLiteral("JournalSource"), Journal);
    BaseSource = NewSource(this, QStringLiteral("BaseSource"), Base);
    ExamSource = NewSource(this, QStringLiteral("ExamSource"), Exam);
    ItemSource = NewSource(this, QStringLiteral("ItemSource"), Item);
    GroupSource = NewSource(this, QStringLiteral("GroupSource"), Group);
    JournalLinkSource = NewSource(this, QStringLiteral("JournalLinkSource"), JournalLink);
    ItemLableSource = NewSource(this, QStringLiteral("ItemLableSource"), ItemLable);
    GroupLableSource = NewSource(this, QStringLiteral("GroupLableSource"), GroupLable);
    LinkSource = NewSource(this, QStringLiteral("LinkSource"), Link);

    // Orders, links and filters.
    Journal->SetIndexFieldNames(QStringLiteral("Patient id;Date;Journal id"));
    Journal->SetMasterSource(PatientSource);
    Journal->SetMasterFields(QStringLiteral("Patient id"));
    Base->SetIndexFieldNames(QStringLiteral("Patient id;Risk id"));
    Base->SetMasterSource(PatientSource);
    Base->SetMasterFields(QStringLiteral("Patient id"));
    Base->SetFilter(QStringLiteral("[Risk id] <> 7"));
    Base->SetFiltered(true);
    Exam->SetIndexFieldNames(QStringLiteral("Journal id;Risk id"));
    Exam->SetMasterSource(JournalSource);
    Exam->SetMasterFields(QStringLiteral("Journal id"));
    Item->SetIndexFieldNames(QStringLiteral("Name;Dose"));
    Item->SetFilter(QStringLiteral("ID > 1"));
    Item->SetFiltered(true);
    ItemLable->SetFilter(QStringLiteral("ID = 1"));
    ItemLable->SetFiltered(true);
    Group->SetIndexFieldNames(QStringLiteral("Name"));
    Group->SetFilter(QStringLiteral("ID > 1"));
    Group->SetFiltered(true);
    GroupLable->SetFilter(QStringLiteral("ID = 1"));
    GroupLable->SetFiltered(true);
    JournalLink->SetIndexFieldNames(QStringLiteral("JournalID;GroupID;ItemID"));
    JournalLink->SetMasterSource(JournalSource);
    JournalLink->SetMasterFields(QStringLiteral("Journal id"));
    DisplayUnits->SetSelectType(3);
    Link->SetSQL({QStringLiteral("SELECT JournalID, GroupID, ItemID, Name, Dose"), QStringLiteral("FROM ItemLink, Item"),
                  QStringLiteral("WHERE JournalID = 1 and "), QStringLiteral("  GroupID = :ID and"),
                  QStringLiteral("  ID = ItemID"), QStringLiteral("ORDER BY "), QStringLiteral("  Name, Dose")});
    Link->SetDataSource(GroupSource);

    const TTranslatedSql ordinal = TranslateLocalSql(QStringLiteral(
        "SELECT \"Journal ID\" FROM Journal WHERE \"Patient ID\" = :PatientID and (\"Date\" < :JournalDate or "
        "(\"Date\" = :JournalDate and \"Journal ID\" <= :JournalID))"));
    FOrdinalSql = ordinal.Text;
    FOrdinalParams = ordinal.ParamNames;

    CreateFields();
    WireEvents();

    if (use == TJournalUse::Copy)
        Patient->LoadPacket(FPatientStore->ReadPacket(QStringLiteral("Patient id"), QVariant(0)));
    else
        Patient->Open();
    Journal->Open();
    Base->Open();
    Exam->Open();
    Group->Open();
    Link->Open();
    JournalLink->Open();
    GroupLable->Open();
    ItemLable->Open();

    // After loading: the unit tables, then conversion.
    StoreUnits->Open();
    DisplayUnits->Open();
    for (TTvRiskField* field : {BaseExaminationView, ExamExaminationView, ExamTreatmentView})
        field->SetConvertActive(true);
}

TBuildJournalDataModule::~TBuildJournalDataModule() {
    // The handlers reach into derived parts that are gone by now.
    for (TDataSet* table : OwnedDataSets(this)) {
        table->AfterScroll = nullptr;
        table->OnCalcFields = nullptr;
    }
    for (TDataSet* table : std::initializer_list<TDataSet*>{Base, Exam, Journal, Patient, Item, Group, JournalLink,
                                                            ItemLable, GroupLable, Link, StoreUnits, DisplayUnits})
        table->Close();
}

void TBuildJournalDataModule::CreateFields() {
    new TAutoIncField(Patient, QStringLiteral("Patient id"));
    new TStringField(Patient, QStringLiteral("Identity"), 20);
    auto* birth = new TDateTimeField(Patient, QStringLiteral("Birth date"));
    birth->SetEditMask(QStringLiteral("90/90/00;1;_"));
    auto* sequence = new TStringField(Patient, QStringLiteral("Sequence id"), 4);
    sequence->SetEditMask(QStringLiteral("0AA0;0;_"));
    new TStringField(Patient, QStringLiteral("First name"), 30);
    new TStringField(Patient, QStringLiteral("Last name"), 30);
    new TBooleanField(Patient, QStringLiteral("Export"));
    new TBooleanField(Patient, QStringLiteral("Test"));
    Patient->FieldByName(QStringLiteral("Export"))->SetRequired(true);
    Patient->FieldByName(QStringLiteral("Test"))->SetRequired(true);
    new TStringField(Patient, QStringLiteral("FullName"), 61, TFieldKind::fkCalculated);
    new TFloatField(Patient, QStringLiteral("Age"), TFieldKind::fkCalculated);
    new TStringField(Patient, QStringLiteral("CalcID"), 20, TFieldKind::fkCalculated);

    new TAutoIncField(Journal, QStringLiteral("Journal id"));
    new TIntegerField(Journal, QStringLiteral("Patient id"));
    auto* date = new TDateTimeField(Journal, QStringLiteral("Date"));
    date->SetEditMask(QStringLiteral("90-90-00;1;_"));
    new TStringField(Journal, QStringLiteral("Doctor"), 50);
    new TMemoField(Journal, QStringLiteral("Memo"));
    new TIntegerField(Journal, QStringLiteral("CalcID"));
    new TStringField(Journal, QStringLiteral("RecordIndicator"), 20, TFieldKind::fkCalculated);

    new TIntegerField(Base, QStringLiteral("Patient id"));
    new TIntegerField(Base, QStringLiteral("Risk id"));
    BaseExaminationView = NewViewField(Base, QStringLiteral("BaseExaminationView"), QStringLiteral("Examination"));
    new TFloatField(Base, QStringLiteral("_Examination"), TFieldKind::fkCalculated);
    AddUnitFields(Base);

    new TIntegerField(Exam, QStringLiteral("Journal id"));
    new TIntegerField(Exam, QStringLiteral("Risk id"));
    ExamExaminationView = NewViewField(Exam, QStringLiteral("ExamExaminationView"), QStringLiteral("Examination"));
    ExamTreatmentView = NewViewField(Exam, QStringLiteral("ExamTreatmentView"), QStringLiteral("Treatment"));
    new TBooleanField(Exam, QStringLiteral("Transferred"));
    new TFloatField(Exam, QStringLiteral("_Examination"), TFieldKind::fkCalculated);
    new TFloatField(Exam, QStringLiteral("_Treatment"), TFieldKind::fkCalculated);
    AddUnitFields(Exam);
    for (TTvRiskField* field : {BaseExaminationView, ExamExaminationView, ExamTreatmentView})
        LinkUnitFields(field);

    new TIntegerField(Link, QStringLiteral("JournalID"));
    new TIntegerField(Link, QStringLiteral("GroupID"));
    new TIntegerField(Link, QStringLiteral("ItemID"));
    new TStringField(Link, QStringLiteral("Name"), 25);
    new TFloatField(Link, QStringLiteral("Dose"));
    new TStringField(Link, QStringLiteral("FullName"), 40, TFieldKind::fkCalculated);

    new TAutoIncField(Item, QStringLiteral("ID"));
    new TStringField(Item, QStringLiteral("Name"), 25);
    auto* dose = new TFloatField(Item, QStringLiteral("Dose"));
    dose->SetDisplayLabel(QStringLiteral("Dose (mg)"));
    new TAutoIncField(Group, QStringLiteral("ID"));
    new TStringField(Group, QStringLiteral("Name"), 25);
}

void TBuildJournalDataModule::WireEvents() {
    // Lambdas calling the virtual handlers: after construction each call
    // reaches the product's override.
    Patient->AfterScroll = [this](TDataSet* d) { PatientScrolled(d); };
    Patient->BeforeInsert = [this](TDataSet* d) { PatientBeforeInsert(d); };
    Patient->OnNewRecord = [this](TDataSet* d) { PatientNewRecord(d); };
    Patient->BeforePost = [this](TDataSet* d) { PatientBeforePost(d); };
    Patient->AfterPost = [this](TDataSet* d) { PatientAfterPost(d); };
    Patient->AfterCancel = [this](TDataSet* d) { PatientAfterCancel(d); };
    Patient->BeforeDelete = [this](TDataSet* d) { PatientBeforeDelete(d); };
    Patient->AfterDelete = [this](TDataSet* d) { PatientAfterDelete(d); };
    Patient->OnCalcFields = [this](TDataSet* d) { PatientCalcFields(d); };
    static_cast<TJournalTable*>(Patient)->OnDeleteFailed = [this] { DeleteFailed(Patient); };
    Journal->AfterScroll = [this](TDataSet* d) { JournalScrolled(d); };
    Journal->BeforeInsert = [this](TDataSet* d) { JournalBeforeInsert(d); };
    Journal->OnNewRecord = [this](TDataSet* d) { JournalNewRecord(d); };
    Journal->AfterInsert = [this](TDataSet* d) { JournalAfterInsert(d); };
    Journal->AfterPost = [this](TDataSet* d) { JournalAfterPost(d); };
    Journal->AfterCancel = [this](TDataSet* d) { JournalAfterCancel(d); };
    Journal->BeforeDelete = [this](TDataSet* d) { JournalBeforeDelete(d); };
    Journal->AfterDelete = [this](TDataSet* d) { JournalAfterDelete(d); };
    Journal->OnCalcFields = [this](TDataSet* d) { JournalCalcFields(d); };
    static_cast<TJournalTable*>(Journal)->OnDeleteFailed = [this] { DeleteFailed(Journal); };
    for (TMlTable* values : {Base, Exam}) {
        values->BeforePost = [this](TDataSet* d) { ValueBeforePost(d); };
        values->AfterPost = [this](TDataSet* d) { ValueAfterPost(d); };
        values->OnCalcFields = [this](TDataSet* d) { ValueCalcFields(d); };
    }
    Link->OnCalcFields = [this](TDataSet* d) { LinkCalcFields(d); };
    // The captions are guarded in the tables that show them too.
    for (TMlTable* items : {Item, ItemLable})
        items->BeforeDelete = [this](TDataSet* d) { ItemBeforeDelete(d); };
    for (TMlTable* groups : {Group, GroupLable})
        groups->BeforeDelete = [this](TDataSet* d) { GroupBeforeDelete(d); };
}

int TBuildJournalDataModule::GetAge() {
    if (AgeOverride != 0)
        return AgeOverride;
    TField* birth = Patient->FieldByName(QStringLiteral("Birth date"));
    if (birth->IsNull() || birth->AsDateTime() == 0)
        return -1;
    return YearsBetween(birth->AsDateTime(), Today());
}

bool TBuildJournalDataModule::IsTestPatient() const {
    return Patient->FieldByName(QStringLiteral("Test"))->AsBoolean() && !Settings()->IgnoreTestPatient();
}

TDateTime TBuildJournalDataModule::Today() const { return Date(); }

void TBuildJournalDataModule::PatientScrolled(TDataSet* dataSet) {
    if (OnPatientScroll)
        OnPatientScroll(dataSet);
}

void TBuildJournalDataModule::PatientCalcFields(TDataSet* dataSet) {
    dataSet->FieldByName(QStringLiteral("Age"))->SetAsFloat(GetAge());
    dataSet->FieldByName(QStringLiteral("FullName"))
        ->SetAsString(dataSet->FieldByName(QStringLiteral("First name"))->AsString() + QLatin1Char(' ') +
                      dataSet->FieldByName(QStringLiteral("Last name"))->AsString());
    TField* birth = dataSet->FieldByName(QStringLiteral("Birth date"));
    const QString date = birth->IsNull() ? QString() : FormatDateTime(FormatSettings().ShortDateFormat, birth->AsDateTime());
    dataSet->FieldByName(QStringLiteral("CalcID"))
        ->SetAsString(date + QLatin1Char('-') + dataSet->FieldByName(QStringLiteral("Sequence id"))->AsString());
}

int TBuildJournalDataModule::JournalOrdinal(int patientId, TDateTime date, int journalId) {
    TDatabase* db = MediatorDataModule->PatientDatabase;
    QSqlQuery& query = db->Prepared(FOrdinalSql);
    for (int i = 0; i < FOrdinalParams.size(); ++i) {
        const QString& name = FOrdinalParams[i];
        query.bindValue(i, SameName(name, QStringLiteral("PatientID"))     ? QVariant(patientId)
                           : SameName(name, QStringLiteral("JournalDate")) ? QVariant(double(date))
                                                                           : QVariant(journalId));
    }
    db->CountStatement();
    if (!query.exec())
        RaiseSqlError(query.lastError(), QStringLiteral("Journal"));
    int count = 0;
    while (query.next())
        ++count;
    query.finish();
    return count;
}

void TBuildJournalDataModule::JournalCalcFields(TDataSet* dataSet) {
    TField* id = dataSet->FieldByName(QStringLiteral("Journal id"));
    TField* indicator = dataSet->FieldByName(QStringLiteral("RecordIndicator"));
    if (id->IsNull()) {
        indicator->Clear(); // a row not stored yet has no place
        return;
    }
    const int k = JournalOrdinal(dataSet->FieldByName(QStringLiteral("Patient id"))->AsInteger(),
                                 dataSet->FieldByName(QStringLiteral("Date"))->AsDateTime(), id->AsInteger());
    indicator->SetAsString(IntToStr(k) + QLatin1Char('/') + IntToStr(dataSet->RecordCount()));
}

void TBuildJournalDataModule::ValueCalcFields(TDataSet* dataSet) {
    if (CountryData)
        CountryData->FillLocaleName(dataSet);
    // The stored number itself: an exact mirror needs no text round trip.
    dataSet->FieldByName(QStringLiteral("_Examination"))
        ->SetValue(dataSet->FieldByName(QStringLiteral("Examination"))->Value());
    if (TField* treatment = dataSet->FindField(QStringLiteral("_Treatment")))
        treatment->SetValue(dataSet->FieldByName(QStringLiteral("Treatment"))->Value());
    FillUnitFields(dataSet, dataSet->FieldByName(QStringLiteral("Risk id"))->AsInteger());
}

void TBuildJournalDataModule::FillUnitFields(TDataSet* dataSet, int riskId) {
    if (StoreUnits->Active()) {
        const QVariant row = StoreUnits->Lookup(QStringLiteral("Risk id"), riskId,
                                                QStringLiteral("Risk id;UnitCategory;UnitName;Decimals;Type"));
        if (row.isValid()) {
            const QVariantList values = row.toList();
            dataSet->FieldByName(QStringLiteral("StoreCategory"))->SetValue(values.value(1));
            dataSet->FieldByName(QStringLiteral("StoreUnit"))->SetValue(values.value(2));
            dataSet->FieldByName(QStringLiteral("DisplayDecimals"))->SetValue(values.value(3));
            dataSet->FieldByName(QStringLiteral("RiskType"))->SetValue(values.value(4));
        }
    }
    if (CountryData && DisplayUnits->Active()) {
        if (const TPickItem* item = CountryData->PickList()->FindByRiskId(riskId)) {
            dataSet->FieldByName(QStringLiteral("DisplayUnit"))->SetAsString(item->StoreUnit);
            dataSet->FieldByName(QStringLiteral("DisplayDecimals"))->SetAsInteger(item->Decimals);
        }
    }
}

void TBuildJournalDataModule::LinkCalcFields(TDataSet* dataSet) {
    QString text = dataSet->FieldByName(QStringLiteral("Name"))->AsString();
    const double dose = dataSet->FieldByName(QStringLiteral("Dose"))->AsFloat();
    if (dose > 0) {
        text += QStringLiteral(" (");
        if (dose >= 1000)
            text += FloatToStr(dose / 1000) + QStringLiteral(" g)");
        else
            text += FloatToStr(dose) + QStringLiteral(" mg)");
    }
    dataSet->FieldByName(QStringLiteral("FullName"))->SetAsString(text);
}
