#include "XTvWorkJournalDM.h"

#include "BuildMediatorDM.h"
#include "BvDictionary.h"
#include "BvExpr.h"
#include "BvMask.h"
#include "BvUtils.h"
#include "Conversions.h"
#include "Edition.h"
#include "ParserError.h"
#include "FormatSettings.h"
#include "TableStore.h"
#include "TvConvertField.h"
#include "TvWorkCountryDM.h"

#include <QSqlError>

#include <QSet>
#include <cmath>

namespace {

// Sets a flag for a scope and puts the old value back, also on an error.
class TFlagSet {
public:
    explicit TFlagSet(bool& flag) : FFlag(flag), FSaved(flag) { flag = true; }
    ~TFlagSet() { FFlag = FSaved; }
    TFlagSet(const TFlagSet&) = delete;
    TFlagSet& operator=(const TFlagSet&) = delete;

private:
    bool& FFlag;
    bool FSaved;
};

int ColumnOf(const TDataPacket& packet, const QString& name) {
    const int at = IndexOfFieldDef(packet.Defs, name);
    if (at < 0)
        throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    return at;
}

void SetStored(TField* field, const QString& dataText) {
    if (auto* converting = qobject_cast<TCustomConvertFloatField*>(field))
        converting->SetStoreText(dataText);
    else if (dataText.trimmed().isEmpty())
        field->Clear();
    else
        field->SetAsFloat(DataToFloat(dataText));
}

} // namespace

struct TXTvWorkJournalDataModule::TWriteTransaction {
    // The patient database commits first: should the second commit fail, a
    // treatment item outlives its examination rather than the reverse.
    TTransactionScope Application{MediatorDataModule->Database};
    TTransactionScope Patients{MediatorDataModule->PatientDatabase};
    void Commit() {
        Patients.Commit();
        Application.Commit();
    }
};

TXTvWorkJournalDataModule::TWrite TXTvWorkJournalDataModule::BeginWrite() {
    return std::make_unique<TWriteTransaction>();
}

void TXTvWorkJournalDataModule::CommitWrite(TWrite& write) {
    if (!write)
        return;
    try {
        write->Commit();
    } catch (...) {
        write.reset();
        throw;
    }
    write.reset();
}

TXTvWorkJournalDataModule::TXTvWorkJournalDataModule(QObject* AOwner, TJournalUse use)
    : TBuildJournalDataModule(AOwner, use) {
    IDExprSource = new TBvExprSource(this);
    IDExprSource->SetName(QStringLiteral("IDExprSource"));
    IDExprSource->FuncList().AddFunc(QStringLiteral("GetIdentity"), 0,
                                     [this](TVarList&, TVarItem& result) { result.SetString(GetIdentity()); });
    IDExpr = new TBvExprResult(this);
    IDExpr->SetName(QStringLiteral("IDExpr"));
    IDExpr->SetSource(IDExprSource);
    Mask = new TBvMask(this);
    Mask->SetName(QStringLiteral("Mask"));
    FLinkStore = new TTable(this);
    FLinkStore->SetDatabaseName(MediatorDataModule->Database->DatabaseName());
    FLinkStore->SetTableName(QStringLiteral("ItemLink"));

    for (TTvRiskField* field : {BaseExaminationView, ExamExaminationView, ExamTreatmentView}) {
        field->OnDeactiveGetText = [this](TField* f, QString& text, bool display) { ValueGetText(f, text, display); };
        field->OnDeactiveSetText = [this](TField* f, const QString& text) { ValueSetText(f, text); };
    }
}

TXTvWorkJournalDataModule::~TXTvWorkJournalDataModule() {
    FInsertWrite.reset();
    FDeleteWrite.reset();
}

int TXTvWorkJournalDataModule::CurrentId(TDataSet* table, const QString& field) const {
    if (!table->Active() || table->IsEmpty())
        return 0;
    return table->FieldByName(field)->AsInteger();
}

// ---------------------------------------------------------------- the copy for the calculation

void TXTvWorkJournalDataModule::AssignFrom(TBuildDataModule* other) {
    auto* source = qobject_cast<TBuildJournalDataModule*>(other);
    if (!source || source == this)
        return;
    TFlagSet assigning(FAssigning);
    // Closed details do not follow their masters while those are loaded.
    Exam->Close();
    Base->Close();
    Journal->Close();
    // The copy shows the values as the journal does: positioned on the
    // journal's current row, which the copy's own filter might hide.
    for (const auto& [target, from] : {std::pair{Base, source->Base}, std::pair{Exam, source->Exam}}) {
        target->SetFilter(from->Filter());
        target->SetFiltered(from->Filtered());
    }
    const int patientId = CurrentId(source->Patient, QStringLiteral("Patient id"));
    const QVariant key = patientId ? QVariant(patientId) : QVariant();
    ::CopyTable(Patient, source->Patient, QStringLiteral("Patient id"), key);
    ::CopyTable(Journal, source->Journal, QStringLiteral("Patient id"), key);
    AgeOverride = source->AgeOverride;
    ::CopyTable(Base, source->Base, QStringLiteral("Patient id"), key);

    // The values of every examination of the patient, one indexed read each.
    const TDataPacket journals = Journal->Data();
    const int journalColumn = ColumnOf(journals, QStringLiteral("Journal id"));
    TDataPacket values;
    bool first = true;
    for (const TPacketRow& row : journals.Rows) {
        TDataPacket part = ExamStore()->ReadPacket(QStringLiteral("Journal id"), row.Values.value(journalColumn));
        if (first) {
            values.Defs = part.Defs;
            values.Indexes = part.Indexes;
            first = false;
        }
        values.Rows += part.Rows;
    }
    if (first)
        values = ExamStore()->ReadPacket(QStringLiteral("Journal id"), QVariant(0));
    Exam->LoadPacket(values);
    const TDataSet::TBookmark mark = source->Exam->Active() ? source->Exam->GetBookmark() : TDataSet::TBookmark();
    if (const qint64 id = mark.isValid() ? source->Exam->SourceIdAtStorageIndex(source->Exam->StorageIndexOf(mark)) : 0) {
        for (int i = 0; i < values.Rows.size(); ++i)
            if (values.Rows[i].SourceId == id) {
                Exam->GotoBookmark(Exam->BookmarkAtStorageIndex(i));
                break;
            }
    }
}

void TXTvWorkJournalDataModule::SetCalculation(TJournalCalculation* calculation) { FCalculation = calculation; }

void TXTvWorkJournalDataModule::JournalChanged(TDataSet* sender) {
    if (FCalculation) {
        if (TJournalDataModuleBase* copy = FCalculation->JournalCopy())
            copy->AssignFrom(this);
        FCalculation->Recalculate();
    }
    if (OnJournalChange)
        OnJournalChange(sender);
}

void TXTvWorkJournalDataModule::SetInserting(bool value) {
    if (!value)
        JournalScrolled(Journal);
    FInserting = value;
}

void TXTvWorkJournalDataModule::SetDeleting(bool value) {
    if (value) {
        ++FDeleting;
        return;
    }
    JournalScrolled(Journal);
    if (FDeleting > 0)
        --FDeleting;
}

void TXTvWorkJournalDataModule::JournalScrolled(TDataSet* dataSet) {
    if (FInserting || Deleting() || FAssigning)
        return;
    JournalChanged(dataSet);
}

// ---------------------------------------------------------------- identity

QString TXTvWorkJournalDataModule::GetIdentity() const {
    QString format;
    if (CountryData)
        for (const QChar c : CountryData->Country->FieldByName(QStringLiteral("BirthDateFormat"))->AsString())
            if (c == QLatin1Char('d') || c == QLatin1Char('m') || c == QLatin1Char('y'))
                format += c;
    TField* birth = Patient->FieldByName(QStringLiteral("Birth date"));
    const QString date = birth->IsNull() || format.isEmpty() ? QString() : FormatDateTime(format, birth->AsDateTime());
    return date + Patient->FieldByName(QStringLiteral("Sequence id"))->AsString();
}

bool TXTvWorkJournalDataModule::IdentityValid() {
    const QString name =
        CountryData ? CountryData->Country->FieldByName(QStringLiteral("PatientIdValidation"))->AsString() : QString();
    IDExpr->SetExpressionText(IdExpression(name));
    try {
        IDExpr->Compile();
        return IDExpr->Evaluate().AsBoolean();
    } catch (const EExprError&) {
        throw; // the formula itself is wrong: the user must hear of it
    } catch (const EParserError&) {
        throw;
    } catch (const std::exception&) {
        return false;
    }
}

void TXTvWorkJournalDataModule::CheckIdentity() {
    if (!Mask->Active() || IdentityValid())
        return;
    if (OnIdentityFocus)
        OnIdentityFocus();
    throw Exception(TranslateText(QStringLiteral("Patient ID error")));
}

// ---------------------------------------------------------------- patients

void TXTvWorkJournalDataModule::PatientBeforeInsert(TDataSet*) { SetInserting(true); }

void TXTvWorkJournalDataModule::PatientNewRecord(TDataSet* dataSet) {
    dataSet->FieldByName(QStringLiteral("Export"))->SetAsBoolean(false);
    dataSet->FieldByName(QStringLiteral("Test"))->SetAsBoolean(false);
}

void TXTvWorkJournalDataModule::PatientBeforePost(TDataSet*) {
    // The window checks a new patient itself.
    if (!FInserting)
        CheckIdentity();
}

void TXTvWorkJournalDataModule::PatientAfterPost(TDataSet*) {
    // The store's number of a new patient is read back by the post itself;
    // refreshing the whole patient table would read every patient again.
    if (FInserting) {
        try {
            SetBaseDefaults(nullptr, false);
        } catch (...) {
            FInserting = false;
            throw;
        }
        SetInserting(false);
    }
}

void TXTvWorkJournalDataModule::PatientAfterCancel(TDataSet*) { SetInserting(false); }

QList<int> TXTvWorkJournalDataModule::StoredJournalIds(int patientId) const {
    TDatabase* db = MediatorDataModule->PatientDatabase;
    QSqlQuery& query = db->Prepared(QStringLiteral("SELECT \"Journal id\" FROM \"Journal\" WHERE \"Patient id\" = ?"));
    query.bindValue(0, patientId);
    db->CountStatement();
    if (!query.exec())
        RaiseSqlError(query.lastError(), QStringLiteral("Journal"));
    QList<int> ids;
    while (query.next())
        ids << query.value(0).toInt();
    query.finish();
    return ids;
}

// Every value row of the examinations goes, those a model's filter hides
// included: left behind they would belong to no examination. The catalogue
// (JournalID 1) is never an examination's.
void TXTvWorkJournalDataModule::DeleteExaminationRows(const QList<int>& journalIds) {
    TDatabase* patients = MediatorDataModule->PatientDatabase;
    TDatabase* application = MediatorDataModule->Database;
    for (const int id : journalIds) {
        if (id <= 1)
            continue;
        patients->ExecSql(QStringLiteral("DELETE FROM \"Exam\" WHERE \"Journal id\" = ?"), {id});
        application->ExecSql(QStringLiteral("DELETE FROM \"ItemLink\" WHERE \"JournalID\" = ?"), {id});
    }
}

void TXTvWorkJournalDataModule::PatientBeforeDelete(TDataSet* dataSet) {
    StartDelete();
    try {
        const int patientId = dataSet->FieldByName(QStringLiteral("Patient id"))->AsInteger();
        // Read from the store, not from the views: they may show another
        // patient's range while a master moves.
        DeleteExaminationRows(StoredJournalIds(patientId));
        TDatabase* patients = MediatorDataModule->PatientDatabase;
        patients->ExecSql(QStringLiteral("DELETE FROM \"Journal\" WHERE \"Patient id\" = ?"), {patientId});
        // The hidden row of risk 7 too: no filter applies here.
        patients->ExecSql(QStringLiteral("DELETE FROM \"Base\" WHERE \"Patient id\" = ?"), {patientId});
        for (TDataSet* table : std::initializer_list<TDataSet*>{Journal, Base, Exam, JournalLink})
            if (table->Active())
                table->Refresh();
    } catch (...) {
        AbandonDelete();
        throw;
    }
}

void TXTvWorkJournalDataModule::PatientAfterDelete(TDataSet* dataSet) { FinishDelete(dataSet); }

// The cascade's rows and the row itself are stored together, or not at all.
void TXTvWorkJournalDataModule::FinishDelete(TDataSet* dataSet) {
    try {
        CommitWrite(FDeleteWrite);
    } catch (...) {
        AbandonDelete();
        throw;
    }
    SetDeleting(false);
    JournalScrolled(dataSet);
}

// One transaction for the cascade and the row; a new one must not join a forgotten one.
void TXTvWorkJournalDataModule::StartDelete() {
    FDeleteWrite.reset();
    FDeleteWrite = BeginWrite();
    SetDeleting(true);
}

// Rolls the cascade back (the tables read their rows again) and ends the delete.
void TXTvWorkJournalDataModule::AbandonDelete() {
    FDeleteWrite.reset();
    FDeleting = qMax(0, FDeleting - 1);
}

void TXTvWorkJournalDataModule::DeleteFailed(TDataSet*) {
    if (FDeleteWrite)
        AbandonDelete();
}

// ---------------------------------------------------------------- examinations

void TXTvWorkJournalDataModule::RememberLastJournal() {
    // Read without moving: the insert places the new row itself.
    const int count = Journal->RecordCount();
    if (count > 0)
        Journal->WithRecord(count - 1,
                            [&] { LastJournalId = Journal->FieldByName(QStringLiteral("Journal id"))->AsInteger(); });
}

void TXTvWorkJournalDataModule::JournalBeforeInsert(TDataSet*) {
    // An examination of no stored patient would belong to nobody.
    if (CurrentId(Patient, QStringLiteral("Patient id")) == 0 || Patient->State() != TDataSetState::dsBrowse)
        throw Exception(TranslateText(QStringLiteral("Save or choose a patient before adding an examination.")));
    FInsertWrite.reset(); // a new transaction must not join a forgotten one
    FInsertWrite = BeginWrite();
    SetInserting(true);
    try {
        RememberLastJournal();
    } catch (...) {
        FInsertWrite.reset();
        FInserting = false;
        throw;
    }
}

void TXTvWorkJournalDataModule::JournalNewRecord(TDataSet* dataSet) {
    const int patientId = CurrentId(Patient, QStringLiteral("Patient id"));
    TClientDataSet snapshot;
    {
        const TDataSetNotifyEvent afterPost = Journal->AfterPost;
        Journal->AfterPost = nullptr;
        struct TRestore {
            TMlTable* Table;
            const TDataSetNotifyEvent& Event;
            ~TRestore() { Table->AfterPost = Event; }
        } restore{Journal, afterPost};
        ::CopyTable(&snapshot, Journal, QStringLiteral("Patient id"), patientId ? QVariant(patientId) : QVariant());
    }
    // A date with a time of day (an imported examination) still takes its day.
    QSet<qint64> taken;
    const TDataPacket rows = snapshot.Data();
    const int dateColumn = ColumnOf(rows, QStringLiteral("Date"));
    for (const TPacketRow& row : rows.Rows)
        if (const QVariant& v = row.Values.value(dateColumn); v.isValid() && !v.isNull())
            taken.insert(qint64(std::floor(v.toDouble())));
    TDateTime date = std::floor(Today());
    while (taken.contains(qint64(date)))
        date += 1;
    dataSet->FieldByName(QStringLiteral("Date"))->SetAsDateTime(date);
}

void TXTvWorkJournalDataModule::JournalAfterInsert(TDataSet* dataSet) {
    try {
        dataSet->Post();
    } catch (...) {
        dataSet->Cancel();
        FInsertWrite.reset();
        FInserting = false;
        LastJournalId = 0;
        throw;
    }
}

void TXTvWorkJournalDataModule::JournalAfterPost(TDataSet* dataSet) {
    dataSet->Refresh();
    if (!FInserting)
        return;
    try {
        TransferValues();
        CopyTreatmentLinks();
        CommitWrite(FInsertWrite);
    } catch (...) {
        FInsertWrite.reset(); // the examination goes with its values
        FInserting = false;
        LastJournalId = 0;
        throw;
    }
    SetInserting(false);
}

void TXTvWorkJournalDataModule::JournalAfterCancel(TDataSet*) {
    FInsertWrite.reset();
    SetInserting(false);
}

void TXTvWorkJournalDataModule::JournalBeforeDelete(TDataSet* dataSet) {
    StartDelete();
    try {
        DeleteExaminationRows({dataSet->FieldByName(QStringLiteral("Journal id"))->AsInteger()});
        Exam->Refresh();
        JournalLink->Refresh();
    } catch (...) {
        AbandonDelete();
        throw;
    }
}

void TXTvWorkJournalDataModule::JournalAfterDelete(TDataSet* dataSet) { FinishDelete(dataSet); }

void TXTvWorkJournalDataModule::TransferValues() {
    if (!FCalculation || !FCalculation->ModelRisks())
        return;
    const int journalId = CurrentId(Journal, QStringLiteral("Journal id"));
    if (journalId == 0)
        return;
    // The examination before the new one, else the template of Journal id 1.
    int previousId = 1;
    if (const int at = Journal->ActiveIndex(); at > 0)
        Journal->WithRecord(at - 1,
                            [&] { previousId = Journal->FieldByName(QStringLiteral("Journal id"))->AsInteger(); });
    struct TStored {
        QVariant Examination, Treatment;
    };
    QHash<int, TStored> snapshot;
    {
        const TDataPacket packet = ExamStore()->ReadPacket(QStringLiteral("Journal id"), previousId);
        const int risk = ColumnOf(packet, QStringLiteral("Risk id"));
        const int examination = ColumnOf(packet, QStringLiteral("Examination"));
        const int treatment = ColumnOf(packet, QStringLiteral("Treatment"));
        for (const TPacketRow& row : packet.Rows)
            snapshot.insert(row.Values.value(risk).toInt(), {row.Values.value(examination), row.Values.value(treatment)});
    }
    struct TRisk {
        int Id;
        QString Default;
    };
    QList<TRisk> risks;
    TMlRiskTable* model = FCalculation->ModelRisks();
    const int count = model->RecordCount();
    for (int i = 0; i < count; ++i)
        model->WithRecord(i, [&] {
            if (IsExamRisk(model) && model->FieldByName(QStringLiteral("Enabled"))->AsBoolean())
                risks.append({model->RiskId(), model->FieldByName(QStringLiteral("Default"))->AsString()});
        });

    // The numbers go over as numbers; only the defaults are texts, which are
    // written with a point.
    TDecimalSeparatorScope separator(QLatin1Char('.'));
    TDisableControlsScope quiet(Exam);
    TField* transferred = Exam->FindField(QStringLiteral("Transferred"));
    for (const TRisk& risk : risks) {
        // Found by both keys: never a row of another examination.
        if (Exam->Locate(QStringLiteral("Journal id;Risk id"), QVariantList{journalId, risk.Id}))
            Exam->Edit();
        else {
            Exam->Append();
            Exam->FieldByName(QStringLiteral("Journal id"))->SetAsInteger(journalId);
            Exam->FieldByName(QStringLiteral("Risk id"))->SetAsInteger(risk.Id);
        }
        try {
            if (const auto it = snapshot.constFind(risk.Id); it != snapshot.constEnd()) {
                ExamExaminationView->SetValue(it->Examination);
                ExamTreatmentView->SetValue(it->Treatment);
            } else {
                ExamExaminationView->SetStoreText(risk.Default);
                ExamTreatmentView->SetStoreText(risk.Default);
            }
            if (transferred)
                transferred->SetAsBoolean(true);
        } catch (const std::exception&) {
            // The row is kept with what could be set.
        }
        Exam->Post();
    }
    Exam->First();
}

void TXTvWorkJournalDataModule::CopyTreatmentLinks() {
    struct TReset {
        int& Id;
        ~TReset() { Id = 0; }
    } reset{LastJournalId};
    if (LastJournalId <= 1)
        return;
    const int journalId = CurrentId(Journal, QStringLiteral("Journal id"));
    if (journalId <= 1)
        return;
    const TDataPacket packet = FLinkStore->ReadPacket(QStringLiteral("JournalID"), LastJournalId);
    const int group = ColumnOf(packet, QStringLiteral("GroupID"));
    const int item = ColumnOf(packet, QStringLiteral("ItemID"));
    for (const TPacketRow& row : packet.Rows) {
        JournalLink->Append();
        JournalLink->FieldByName(QStringLiteral("JournalID"))->SetAsInteger(journalId);
        JournalLink->FieldByName(QStringLiteral("GroupID"))->SetValue(row.Values.value(group));
        JournalLink->FieldByName(QStringLiteral("ItemID"))->SetValue(row.Values.value(item));
        JournalLink->Post();
    }
}

// ---------------------------------------------------------------- base values

void TXTvWorkJournalDataModule::SetBaseDefaults(TDataSet* table, bool diabetic) {
    if (!CountryData)
        throw Exception(QStringLiteral("The journal has no country module: the base values have no defaults"));
    TDataSet* target = table ? table : Base;
    const bool ownBase = target == Base;
    const bool diabetes = diabetic || Edition() == TEdition::Diabetes;
    struct TRisk {
        int Id;
        QString Default;
    };
    QList<TRisk> risks;
    TMlRiskTable* countryRisks = CountryData->Risks;
    const int count = countryRisks->RecordCount();
    for (int i = 0; i < count; ++i)
        countryRisks->WithRecord(i, [&] {
            if (IsBaseRisk(countryRisks))
                risks.append({countryRisks->RiskId(), countryRisks->FieldByName(QStringLiteral("Default"))->AsString()});
        });
    const int patientId = ownBase ? CurrentId(Patient, QStringLiteral("Patient id")) : 0;
    if (ownBase && patientId == 0)
        return; // no patient, no base values
    // A new patient's sex as the Danish identity tells it, in place of the default.
    const std::optional<int> proposedSex = ownBase && FInserting ? ProposedSex() : std::nullopt;

    std::unique_ptr<TTransactionScope> transaction;
    if (ownBase)
        transaction = std::make_unique<TTransactionScope>(MediatorDataModule->PatientDatabase);
    TDisableControlsScope quiet(target);
    // The patient's own rows, hidden ones included: the row of risk 7 that
    // the filter hides is found, not added a second time.
    const bool filtered = ownBase && Base->Filtered();
    struct TRestore {
        TDataSet* Target;
        bool Filtered;
        ~TRestore() {
            try {
                if (Filtered)
                    Target->SetFiltered(true);
                Target->First();
            } catch (...) {
            }
        }
    } restore{target, filtered};
    if (filtered)
        Base->SetFiltered(false);
    TField* examination = target->FieldByName(QStringLiteral("Examination"));
    for (const TRisk& risk : risks) {
        const bool found = ownBase ? target->Locate(QStringLiteral("Patient id;Risk id"), QVariantList{patientId, risk.Id})
                                   : target->Locate(QStringLiteral("Risk id"), risk.Id);
        const bool proposal = proposedSex && risk.Id == SexRiskId;
        if (found && proposal && !examination->IsNull())
            continue; // a value is there already: only a default is proposed
        if (found)
            target->Edit();
        else {
            target->Append();
            if (ownBase)
                target->FieldByName(QStringLiteral("Patient id"))->SetAsInteger(patientId);
            target->FieldByName(QStringLiteral("Risk id"))->SetAsInteger(risk.Id);
        }
        if (diabetes && risk.Id == 7)
            examination->SetAsFloat(1);
        else if (proposal)
            examination->SetAsFloat(*proposedSex);
        else
            SetStored(examination, risk.Default);
        target->Post();
    }
    if (transaction)
        transaction->Commit();
}

// The Danish CPR number ends in a digit that is odd for a man and even for
// a woman; the sequence id is that part of it. The rule follows the country
// (Denmark, by its language code), not the identity rule: the shipped
// countries share one rule, and only Denmark types CPR sequence numbers.
std::optional<int> TXTvWorkJournalDataModule::ProposedSex() const {
    if (!CountryData || !CountryData->Country || !CountryData->Country->Active())
        return std::nullopt;
    const QString language = CountryData->Country->FieldByName(QStringLiteral("ISOLanguage"))->AsString().trimmed();
    if (language.compare(QLatin1String("da/dk"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const QString sequence = Patient->FieldByName(QStringLiteral("Sequence id"))->AsString().trimmed();
    if (sequence.isEmpty())
        return std::nullopt;
    const QChar last = sequence.back();
    if (last < QLatin1Char('0') || last > QLatin1Char('9'))
        return std::nullopt;
    return (last.digitValue() % 2 == 1) ? 0 : 1; // Sex: men 0, women 1
}

// ---------------------------------------------------------------- values

void TXTvWorkJournalDataModule::ValueBeforePost(TDataSet* dataSet) {
    FPostedRiskId = dataSet->FieldByName(QStringLiteral("Risk id"))->AsInteger();
}

void TXTvWorkJournalDataModule::ValueAfterPost(TDataSet* dataSet) {
    if (!FInserting)
        RiskPosted(dataSet, FPostedRiskId);
}

void TXTvWorkJournalDataModule::RiskPosted(TDataSet* dataSet, int riskId) {
    if (DependentUpdate && FCalculation) {
        FCalculation->UpdateDependents(riskId);
        Exam->Refresh();
    }
    JournalChanged(dataSet);
}

void TXTvWorkJournalDataModule::ValueGetText(TField* sender, QString& text, bool /*displayText*/) {
    const double value = sender->AsFloat();
    const int riskId = sender->DataSet()->FieldByName(QStringLiteral("Risk id"))->AsInteger();
    text = CountryData ? CountryData->ValueText(riskId, value) : FloatToStr(value);
}

void TXTvWorkJournalDataModule::ValueSetText(TField* sender, const QString& text) {
    const int riskId = sender->DataSet()->FieldByName(QStringLiteral("Risk id"))->AsInteger();
    if (CountryData)
        CountryData->TextToField(text, riskId, sender);
    else
        sender->SetAsFloat(StrToFloat(text));
}

// ---------------------------------------------------------------- catalogue

void TXTvWorkJournalDataModule::ItemBeforeDelete(TDataSet* dataSet) {
    if (dataSet->FieldByName(QStringLiteral("ID"))->AsInteger() == 1)
        Abort();
}

void TXTvWorkJournalDataModule::GroupBeforeDelete(TDataSet* dataSet) {
    if (dataSet->FieldByName(QStringLiteral("ID"))->AsInteger() <= 2) {
        ShowError(QStringLiteral("Reserveret ord må ikke slettes!"));
        Abort();
    }
}
