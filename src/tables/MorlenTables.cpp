#include "MorlenTables.h"

#include "Conversions.h"
#include "DataFilter.h"
#include "DBTables.h"
#include "RecError.h"

#include <cmath>
#include <functional>

namespace {
// One flag for the whole process: while a switchable table loads its cached
// packet, the nested open of that load (and of any table it opens) is an
// ordinary one.
bool GOpeningSwitchable = false;

struct TFlagScope {
    bool& Flag;
    explicit TFlagScope(bool& flag) : Flag(flag) { Flag = true; }
    ~TFlagScope() { Flag = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;
};
} // namespace

// ---------------------------------------------------------------- TMlSwitch

TMlSwitch::~TMlSwitch() {
    for (TMlTable* table : FTables)
        table->FSwitch = nullptr;
}

void TMlSwitch::SetDiabetes(bool value) {
    FDiabetes = value;
    for (TMlTable* table : QList<TMlTable*>(FTables))
        table->SetDiabetes(value);
}

void TMlSwitch::SetFrozen(bool value) {
    FFrozen = value;
    for (TMlTable* table : QList<TMlTable*>(FTables))
        table->SetFrozen(value);
}

// ---------------------------------------------------------------- TMlTable

TMlTable::TMlTable(QObject* AOwner) : TClientDataSet(AOwner) {
    FSource = new TTable(this);
    FProvider = new TDataSetProvider(this);
    FProvider->SetDataSet(FSource);
    SetProvider(FProvider);
    OnReconcileError = HandleReconcileError;
}

TMlTable::~TMlTable() {
    SetSwitch(nullptr);
    FPackets[0] = TDataPacket();
    FPackets[1] = TDataPacket();
}

bool TMlTable::Switchable() const {
    return FDiabetesDependant && FSwitch && !(FSwitch->Suffix1() + FSwitch->Suffix2()).isEmpty();
}

QString TMlTable::PhysicalTableName() const {
    if (!Switchable())
        return FTableName;
    return FTableName + (FDiabetes ? FSwitch->Suffix2() : FSwitch->Suffix1());
}

void TMlTable::SetTableName(const QString& name) {
    Close();
    FSource->Close();
    if (name != FTableName) {
        FPackets[0] = TDataPacket();
        FPackets[1] = TDataPacket();
    }
    FTableName = name;
    FSource->SetTableName(PhysicalTableName());
}

QString TMlTable::DatabaseName() const { return FSource->DatabaseName(); }

void TMlTable::SetDatabaseName(const QString& name) {
    FSource->Close();
    if (name != FSource->DatabaseName()) {
        FPackets[0] = TDataPacket();
        FPackets[1] = TDataPacket();
    }
    FSource->SetDatabaseName(name);
}

void TMlTable::SetDiabetes(bool value) {
    if (value == FDiabetes)
        return;
    // Closing caches this variant; opening reads the other one, from its
    // cached packet when there is one.
    const bool wasOpen = Active();
    Close();
    FDiabetes = value;
    if (wasOpen)
        Open();
}

void TMlTable::SetSwitch(TMlSwitch* value) {
    if (FSwitch)
        FSwitch->FTables.removeOne(this);
    FSwitch = value;
    // Joining takes nothing from the switch: Diabetes follows at its next change.
    if (FSwitch)
        FSwitch->FTables.append(this);
}

// Frozen rows are numbered beyond every stored row (also those outside the
// view), and what changed while frozen is never written back: unfreezing
// forgets it and reads the store again, cached variants included.
void TMlTable::SetFrozen(bool value) {
    if (value == FFrozen)
        return;
    if (Active())
        CheckBrowseMode();
    SetProvider(value ? nullptr : FProvider);
    FFrozen = value;
    if (value) {
        if (Active() && FirstFieldIsAutoInc())
            FLastAutoInc = qMax(FLastAutoInc, HighestId());
        return;
    }
    FPackets[0] = TDataPacket();
    FPackets[1] = TDataPacket();
    if (Active()) {
        MergeChangeLog();
        Refresh();
    }
}

int TMlTable::HighestId() {
    int highest = 0;
    for (const TRow& row : FRows)
        highest = qMax(highest, row.Row.Values.value(0).toInt());
    // A table loaded from a packet alone has no store to ask.
    return DatabaseName().isEmpty() ? highest : qMax(highest, int(FSource->HighestRowId()));
}

bool TMlTable::FirstFieldIsAutoInc() const {
    return FieldCount() > 0 && FieldAt(0)->DataType() == TFieldType::ftAutoInc;
}

void TMlTable::LoadPacket(const TDataPacket& packet) {
    TFlagScope loading(FLoadingPacket);
    SetData(packet);
}

void TMlTable::SetActive(bool value) {
    if (FLoadingCache) {
        TClientDataSet::SetActive(value);
        return;
    }
    if (Switchable()) {
        if (value && !Active() && !GOpeningSwitchable && !FLoadingPacket) {
            TFlagScope opening(GOpeningSwitchable);
            SetTableName(FTableName); // the physical name of the current variant
            const TDataPacket cached = FPackets[FDiabetes ? 1 : 0];
            if (!cached.IsEmpty()) {
                // Open on the cached content; its last number stays as it was.
                TFlagScope loading(FLoadingCache);
                SetData(cached);
                AttachToDatabase();
                return;
            }
        } else if (!value && Active()) {
            FPackets[FDiabetes ? 1 : 0] = Data(); // with any changes not written back
        }
    } else if (value && !Active() && FSource->TableName() != PhysicalTableName()) {
        FSource->Close();
        FSource->SetTableName(PhysicalTableName());
    }
    const bool opening = value && !Active();
    TClientDataSet::SetActive(value);
    if (opening && FFrozen && Active() && FirstFieldIsAutoInc()) {
        ComputeLastAutoInc();
        FLastAutoInc = qMax(FLastAutoInc, HighestId());
    }
    if (opening)
        AttachToDatabase();
}

// The rows hold the store's row identities: the table follows a rollback
// and a close of its database like any dataset.
void TMlTable::AttachToDatabase() {
    if (TDatabase* db = TDatabase::Find(DatabaseName()); db && db->Connected() && Active())
        db->AttachDataSet(this);
}

void TMlTable::DatabaseRolledBack() {
    if (FFrozen)
        return; // keeps every change in memory and ignores refreshes
    FPackets[0] = TDataPacket();
    FPackets[1] = TDataPacket();
    // A change the write-back could not store stays, as after a failed post.
    if (ChangeCount() == 0)
        TClientDataSet::DatabaseRolledBack();
}

void TMlTable::DatabaseClosed() {
    Close();
    FPackets[0] = TDataPacket(); // their row identities are the closed file's
    FPackets[1] = TDataPacket();
}

void TMlTable::ComputeLastAutoInc() {
    FLastAutoInc = 0;
    const TDataSetNotifyEvent before = BeforeScroll, after = AfterScroll;
    BeforeScroll = nullptr;
    AfterScroll = nullptr;
    DisableControls();
    struct TRestore {
        TMlTable* Table;
        const TDataSetNotifyEvent &Before, &After;
        ~TRestore() {
            Table->EnableControls();
            Table->BeforeScroll = Before;
            Table->AfterScroll = After;
        }
    } restore{this, before, after};
    First();
    while (!Eof()) {
        FLastAutoInc = qMax(FLastAutoInc, FieldAt(0)->AsInteger());
        Next();
    }
    Last();
}

// A detail that is not switchable reads only its master's rows; a switchable
// table caches whole variants, so it reads its table whole.
bool TMlTable::RangedFetch() const { return MasterSource() && !MasterFields().isEmpty() && !Switchable(); }

void TMlTable::PrepareSource() {
    const QString physical = PhysicalTableName();
    TDataSource* master = nullptr;
    QString masterFields, linkOrder;
    if (RangedFetch()) {
        master = MasterSource();
        masterFields = MasterFields();
        QStringList fields;
        try {
            fields = MasterRangeFields();
        } catch (const Exception&) {
            fields = SplitFieldNames(masterFields); // an order of a stored index not known yet
        }
        linkOrder = fields.join(';');
    }
    if (FSource->TableName() == physical && FSource->MasterSource() == master &&
        FSource->MasterFields() == masterFields && FSource->IndexFieldNames() == linkOrder)
        return;
    // The source keeps storage order inside the range, so the last stored row
    // of a range is its newest.
    FSource->Close();
    FSource->SetTableName(physical);
    FSource->SetMasterSource(master);
    FSource->SetMasterFields(masterFields);
    FSource->SetIndexFieldNames(linkOrder);
}

void TMlTable::RememberRange() {
    FFetchedRange.clear();
    FRangeHeld = RangedFetch();
    if (!FRangeHeld)
        return;
    QStringList fields;
    try {
        MasterRange(fields, FFetchedRange);
    } catch (const Exception&) {
        FFetchedRange.clear();
    }
}

void TMlTable::InternalInitFieldDefs() {
    if (Provider() && !FLoadingPacket && !FLoadingCache)
        PrepareSource();
    TClientDataSet::InternalInitFieldDefs();
    RememberRange();
}

void TMlTable::FetchFromSource(const QVariantList* range) {
    PrepareSource();
    TClientDataSet::InternalRefresh();
    if (!range) {
        RememberRange();
        return;
    }
    FRangeHeld = RangedFetch();
    FFetchedRange = FRangeHeld ? *range : QVariantList();
}

void TMlTable::InternalRefresh() {
    if (FFrozen)
        return;
    if (Provider())
        FetchFromSource();
    else
        TClientDataSet::InternalRefresh();
}

void TMlTable::InternalReload() {
    if (Provider() && (RangedFetch() || FRangeHeld)) {
        QStringList fields;
        QVariantList values;
        if (RangedFetch())
            MasterRange(fields, values);
        // The master moved, or the link went and the range widens to every row.
        if (RangedFetch() != FRangeHeld || values != FFetchedRange) {
            FetchFromSource(&values);
            return;
        }
    }
    TClientDataSet::InternalReload();
}

// The search is what may fail and read as "not found"; once the cursor
// stands on the found row, an error of its scroll hooks or of a detail
// following it is the caller's to see, as with any move.
bool TMlTable::Locate(const QString& keyFields, const QVariant& keyValues, TLocateOptions options) {
    // A pending post that fails is no search: its error goes to the caller.
    if (Active())
        CheckBrowseMode();
    int index = -1;
    try {
        CheckActive();
        index = LocateIndex(keyFields, keyValues, options);
        if (index < 0)
            return false;
        BeginLocatedScroll();
    } catch (const std::exception&) {
        return false;
    }
    EndLocatedScroll(index);
    return true;
}

// The rows held are the stored ones as read: written through, no change
// waiting, and so many that asking the store beats looking at every row.
bool TMlTable::StoreAnswers() const {
    return Provider() && !FFrozen && !DatabaseName().isEmpty() && FRows.size() > WholeRefreshRows &&
           ChangeCount() == 0;
}

// The store finds the candidates by its indexes; each is checked against the
// row held, and the first of them in the view is the one found.
bool TMlTable::InternalLocate(const QStringList& fields, const QVariantList& values, TLocateOptions options,
                              int& index) {
    if (!StoreAnswers())
        return false;
    const TLocateKey key = LocateKey(fields, values, options);
    if (!key.DataOnly)
        return false;
    int first = -1;
    if (!FSource->LocateRowIds(fields, key.Wanted, options, {}, [&](qint64 sourceId) {
            const int at = StorageIndexOfSourceId(sourceId);
            if (at >= 0 && key.MatchesData(FRows[at].Row.Values)) {
                const int shown = ViewIndexOfStorage(at);
                if (shown >= 0 && (first < 0 || shown < first))
                    first = shown;
            }
            return true;
        }))
        return false;
    index = first;
    return true;
}

// A filter that ignores case narrows the rows by the store's COLLATE NOCASE
// index where its condition allows; each row found is checked against the
// row held.
bool TMlTable::ViewCandidates(QVector<int>& rows) {
    const TFilterExpr* filter = ActiveFilter();
    if (!filter || !(FilterOptions() & foCaseInsensitive) || !StoreAnswers())
        return false;
    QVariantList params;
    bool exact = true;
    const QString condition = filter->ToSql(params, exact);
    if (condition == QLatin1String("1"))
        return false;
    return FSource->SelectRowIds(condition, params, [&](qint64 sourceId) {
        const int at = StorageIndexOfSourceId(sourceId);
        if (at >= 0)
            rows << at;
        return true;
    });
}

// The in-memory unique indexes of the stored table: a second row with the
// same key is refused before anything is written, as the store would. Checked
// after BeforePost, which may still fill the key. Many rows held as stored:
// the store's index names the rows that may hold the key.
int TMlTable::InternalPost(TRecordBuffer& buffer, bool inserting, int insertIndex) {
    const bool askStore = StoreAnswers();
    for (const TIndexDef& index : IndexDefs()) {
        if (!index.Unique)
            continue;
        const QStringList names = SplitFieldNames(index.Fields);
        QVector<int> keySlots;
        QVariantList keyValues;
        bool complete = true;
        for (const QString& name : names) {
            const int slot = DataIndexOfField(name);
            const QVariant value = slot >= 0 ? buffer.Data.value(slot) : QVariant();
            if (!value.isValid() || value.isNull()) {
                complete = false; // a key with an empty part never collides
                break;
            }
            keySlots << slot;
            keyValues << value;
        }
        if (!complete || keySlots.isEmpty())
            continue;
        const auto collides = [&](const TRow& row) {
            if (!inserting && row.Id == buffer.Id)
                return false;
            for (int i = 0; i < keySlots.size(); ++i)
                if (CompareValues(row.Row.Values.value(keySlots[i]), buffer.Data.value(keySlots[i])) != 0)
                    return false;
            return true;
        };
        bool taken = false;
        const bool asked = askStore && FSource->LocateRowIds(names, keyValues, 0, {}, [&](qint64 sourceId) {
            const int at = StorageIndexOfSourceId(sourceId);
            taken = at >= 0 && collides(FRows[at]);
            return !taken;
        });
        if (!asked)
            taken = std::any_of(FRows.cbegin(), FRows.cend(), collides);
        if (taken)
            throw EDatabaseError(KeyViolationMessage);
    }
    if (inserting)
        FPostedId = FNextId; // the memory identity the new row gets
    return TClientDataSet::InternalPost(buffer, inserting, insertIndex);
}

// A change the store refused is taken back and its error raised, so the
// caller learns the row was not stored, the table shows what is stored
// (a detail can follow its master again) and no later post retries it.
void TMlTable::WriteBack() {
    try {
        if (ApplyUpdates(0) == 0)
            return;
    } catch (...) {
        CancelUpdates();
        throw;
    }
    const QString message = UpdateError();
    CancelUpdates();
    throw EDatabaseError(message);
}

void TMlTable::GotoLastStored() {
    int last = -1;
    for (int index : FView)
        last = qMax(last, index);
    if (last >= 0)
        GotoBookmark(BookmarkAtStorageIndex(last));
}

void TMlTable::Post() {
    if (State() != TDataSetState::dsEdit && State() != TDataSetState::dsInsert) {
        TClientDataSet::Post();
        return;
    }
    const bool inserting = State() == TDataSetState::dsInsert;
    const bool autoInc = FirstFieldIsAutoInc();
    if (inserting && FFrozen && autoInc) {
        TField* id = FieldAt(0);
        const bool readOnly = id->ReadOnly();
        id->SetReadOnly(false);
        id->SetAsInteger(++FLastAutoInc);
        id->SetReadOnly(readOnly);
    }
    // AfterPost belongs after the write-back.
    const TDataSetNotifyEvent afterPost = AfterPost;
    AfterPost = nullptr;
    try {
        TClientDataSet::Post();
    } catch (...) {
        AfterPost = afterPost;
        throw;
    }
    AfterPost = afterPost;
    if (!FFrozen)
        WriteBack();
    if (inserting && !FFrozen && autoInc) {
        // Read the number the store gave, then stand on the new row: the
        // last one in storage order, whatever order is shown.
        if (FRows.size() <= WholeRefreshRows)
            Refresh();
        else
            RereadCurrentRow();
        GotoLastStored();
    }
    if (AfterPost)
        AfterPost(this);
}

// A table of many rows (the patients) re-reads only the row it wrote: the
// rest is as it was read, and a whole read would cost with the practice's size.
// The row is the one just posted, found by its memory identity: the cursor
// may stand elsewhere when a filter hides it.
void TMlTable::RereadCurrentRow() {
    const int at = StorageIndexOfId(FPostedId);
    if (at < 0)
        return;
    TRow row = FRows[at];
    if (!FSource->ReadStoredRow(row.Row.SourceId, row.Row.Values))
        return;
    row.Row.Values.resize(FFieldDefs.size());
    const int last = int(FRows.size()) - 1;
    if (at == last && row.Row.Values == FRows[at].Row.Values)
        return; // as it was written
    // Its place in storage order is the newest row's; in the view its order's.
    if (at != last) {
        FView.removeOne(at);
        for (int& index : FView)
            if (index > at)
                --index;
        FRows.remove(at);
        FRows.append(row);
    } else {
        FRows[at] = row;
    }
    PlaceRow(last);
    ViewChanged();
}

void TMlTable::InternalDelete(int index) {
    if (State() == TDataSetState::dsEdit)
        Cancel(); // the row goes; its pending edit must not be written
    TClientDataSet::InternalDelete(index);
    if (FFrozen)
        return;
    WriteBack();
    // Many rows: the one that went is gone from memory and store alike.
    if (FRows.size() <= WholeRefreshRows)
        InternalRefresh();
}

// ---------------------------------------------------------------- CopyTable

static void LoadCopy(TClientDataSet* target, const TDataPacket& packet, int current) {
    if (auto* table = qobject_cast<TMlTable*>(target))
        table->LoadPacket(packet);
    else
        target->SetData(packet);
    if (current >= 0)
        target->GotoBookmark(target->BookmarkAtStorageIndex(current));
}

// Tries once more on a refreshed source.
static void CopyRetried(TClientDataSet* source, const std::function<void()>& copy) {
    try {
        copy();
    } catch (const std::exception&) {
        source->Refresh();
        copy();
    }
}

void CopyTable(TClientDataSet* target, TClientDataSet* source) {
    CopyRetried(source, [&] {
        // Both hold the rows in the packet's order: the same place is the same row.
        const TDataSet::TBookmark mark = source->GetBookmark();
        LoadCopy(target, source->Data(), mark.isValid() ? source->StorageIndexOf(mark) : -1);
    });
}

// A source that writes every change through holds what is stored: its rows of
// the key are read from the store alone. Frozen, or with changes not written,
// the rows in memory are the truth.
void CopyTable(TClientDataSet* target, TClientDataSet* source, const QString& keyFields, const QVariant& keyValues) {
    CopyRetried(source, [&] {
        const TDataSet::TBookmark mark = source->GetBookmark();
        const int current = mark.isValid() ? source->StorageIndexOf(mark) : -1;
        auto* table = qobject_cast<TMlTable*>(source);
        TDataPacket packet;
        int at = -1;
        if (table && table->Active() && table->SourceTable() && table->Provider() && !table->Frozen() &&
            table->State() == TDataSetState::dsBrowse && table->ChangeCount() == 0) {
            packet = table->SourceTable()->ReadPacket(keyFields, keyValues);
            const qint64 id = source->SourceIdAtStorageIndex(current);
            for (int i = 0; id != 0 && at < 0 && i < packet.Rows.size(); ++i)
                if (packet.Rows[i].SourceId == id)
                    at = i;
        } else {
            const TDataPacket whole = source->Data();
            const QStringList keys = SplitFieldNames(keyFields);
            const QVariantList values = KeyList(keyValues, int(keys.size()));
            if (values.size() != keys.size())
                throw EDatabaseError(
                    QStringLiteral("%1 key values given for the key '%2'").arg(values.size()).arg(keyFields));
            QVector<int> columns;
            QVariantList wanted;
            for (int i = 0; i < keys.size(); ++i) {
                columns << IndexOfFieldDef(whole.Defs, keys[i]);
                if (columns.last() < 0)
                    throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(keys[i]));
                wanted << source->FieldByName(keys[i])->Coerce(values[i]);
            }
            packet.Defs = whole.Defs;
            packet.Indexes = whole.Indexes;
            auto ofKey = [&](const TPacketRow& row) {
                for (int i = 0; i < columns.size(); ++i) {
                    const QVariant& v = row.Values.value(columns[i]);
                    const bool null = !v.isValid() || v.isNull();
                    const bool wantedNull = !wanted[i].isValid() || wanted[i].isNull();
                    if (null || wantedNull ? null != wantedNull : v != wanted[i])
                        return false;
                }
                return true;
            };
            for (int r = 0; r < whole.Rows.size(); ++r)
                if (ofKey(whole.Rows[r])) {
                    if (r == current)
                        at = int(packet.Rows.size());
                    packet.Rows.append(whole.Rows[r]);
                }
            for (const TPacketRow& row : whole.Deleted)
                if (ofKey(row))
                    packet.Deleted.append(row);
        }
        LoadCopy(target, packet, at);
    });
}

// ---------------------------------------------------------------- typed tables

static bool IsRiskOfGroup(TDataSet* dataSet, int group) {
    return dataSet->FieldByName(QStringLiteral("Group"))->AsInteger() == group &&
           dataSet->FieldByName(QStringLiteral("Visible"))->AsBoolean() &&
           !dataSet->FieldByName(QStringLiteral("Obsolete"))->AsBoolean();
}

bool IsBaseRisk(TDataSet* dataSet) { return IsRiskOfGroup(dataSet, 2); }
bool IsExamRisk(TDataSet* dataSet) { return IsRiskOfGroup(dataSet, 1); }

int TMlCountryTable::CountryId() const { return FieldByName(QStringLiteral("Country id"))->AsInteger(); }

bool TMlCountryTable::LocateLanguage(const QString& code) {
    return Locate(QStringLiteral("ISOLanguage"), code, loCaseInsensitive);
}

int TMlRiskTable::RiskId() const { return FieldByName(QStringLiteral("Risk id"))->AsInteger(); }

int TMlRiskTable::RiskIdByName(const QString& name) {
    return Locate(QStringLiteral("Name"), name, loCaseInsensitive) ? RiskId() : -1;
}

double TMlBaselineTable::BaselineValue(int group, double age) {
    FindNearest({group, age});
    return FieldByName(QStringLiteral("Value"))->AsFloat();
}

bool TMlBaselineTable::AgeCovered(int group, double age) {
    FindNearest({group, age});
    return !Eof() && !(FieldByName(QStringLiteral("Age"))->AsFloat() < age);
}

void TMlBaselineTable::AgeLimits(double period, int& minAge, int& maxAge) {
    First();
    minAge = int(std::trunc(FieldByName(QStringLiteral("Age"))->AsFloat()));
    Last();
    maxAge = int(std::trunc(FieldByName(QStringLiteral("Age"))->AsFloat() - period));
}

void TMlTypeTable::SetSelectType(int value) {
    FSelectType = value;
    if (value == -1) {
        SetFiltered(false);
        return;
    }
    SetFilter(FSelectName + QStringLiteral(" = ") + IntToStr(value));
    SetFiltered(true);
}

void TMlTypeTable::DoOnNewRecord() {
    TMlTable::DoOnNewRecord();
    // A row added while one kind is selected is of that kind.
    if (FSelectType != -1)
        FieldByName(FSelectName)->SetAsInteger(FSelectType);
}

const QStringList& TMlComposeTable::Lines() {
    QString text = FieldByName(QStringLiteral("Expression"))->AsString();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace('\r', '\n');
    FLines = text.split('\n');
    if (!FLines.isEmpty() && FLines.last().isEmpty())
        FLines.removeLast(); // a closing line break adds no line
    return FLines;
}

QString TMlNameTable::Name() const { return FieldByName(QStringLiteral("Name"))->AsString(); }

double TMlValueTable::Value() const { return FieldByName(QStringLiteral("Value"))->AsFloat(); }
