#include "DBClient.h"

#include "DBTables.h"
#include "DataFilter.h"

#include <algorithm>

// ---------------------------------------------------------------- TMemoryDataSet

void TMemoryDataSet::InternalGetRow(int index, TRecordBuffer& buffer) {
    const TRow& row = FRows[FView[index]];
    buffer.Id = row.Id;
    buffer.Data = row.Row.Values;
}

void TMemoryDataSet::InternalClose() {
    FRows.clear();
    FView.clear();
}

// Rows get their identities in storage order as they are loaded and
// appended, so a binary search finds nearly every one; a row inserted amid
// the others is found by the scan behind it.
int TMemoryDataSet::StorageIndexOfId(qint64 id) const {
    const auto pos = std::lower_bound(FRows.begin(), FRows.end(), id, [](const TRow& row, qint64 v) { return row.Id < v; });
    if (pos != FRows.end() && pos->Id == id)
        return int(pos - FRows.begin());
    for (int i = 0; i < FRows.size(); ++i)
        if (FRows[i].Id == id)
            return i;
    return -1;
}

// A whole table is held in the store's row order, so the same holds for the
// stored rows; a detail's range and an unstored row go by the scan.
int TMemoryDataSet::StorageIndexOfSourceId(qint64 sourceId) const {
    if (sourceId == 0)
        return -1;
    const auto pos = std::lower_bound(FRows.begin(), FRows.end(), sourceId,
                                      [](const TRow& row, qint64 v) { return row.Row.SourceId < v; });
    if (pos != FRows.end() && pos->Row.SourceId == sourceId)
        return int(pos - FRows.begin());
    for (int i = 0; i < FRows.size(); ++i)
        if (FRows[i].Row.SourceId == sourceId)
            return i;
    return -1;
}

// The view is in its order, so a row's place is found by a binary search on
// its values; a row the view does not hold (or a view not in order yet) is
// looked for row by row.
int TMemoryDataSet::ViewIndexOfStorage(int at) const {
    if (at < 0 || at >= FRows.size())
        return -1;
    QVector<int> orderSlots;
    bool ordered = true;
    for (const QString& name : OrderFieldNames()) {
        const int slot = DataIndexOfField(name);
        ordered = ordered && slot >= 0;
        orderSlots << slot;
    }
    if (ordered) {
        const auto less = [&](int a, int b) {
            for (int slot : orderSlots) {
                const int c = CompareValues(FRows[a].Row.Values[slot], FRows[b].Row.Values[slot]);
                if (c != 0)
                    return c < 0;
            }
            return a < b;
        };
        const auto pos = std::lower_bound(FView.begin(), FView.end(), at, less);
        if (pos != FView.end() && *pos == at)
            return int(pos - FView.begin());
    }
    return int(FView.indexOf(at));
}

int TMemoryDataSet::StorageIndexOf(const TBookmark& bookmark) const {
    return Active() && bookmark.isValid() ? StorageIndexOfId(bookmark.toLongLong()) : -1;
}

qint64 TMemoryDataSet::SourceIdAtStorageIndex(int index) const {
    return index >= 0 && index < FRows.size() ? FRows[index].Row.SourceId : 0;
}

TDataSet::TBookmark TMemoryDataSet::BookmarkAtStorageIndex(int index) const {
    return Active() && index >= 0 && index < FRows.size() ? TBookmark(FRows[index].Id) : TBookmark();
}

int TMemoryDataSet::IndexOfId(qint64 id) const { return ViewIndexOfStorage(StorageIndexOfId(id)); }

QStringList TMemoryDataSet::IndexFieldsOfName(const QString& indexName) const {
    for (const TIndexDef& def : FIndexDefs)
        if (SameName(def.Name, indexName))
            return SplitFieldNames(def.Fields);
    return TDataSet::IndexFieldsOfName(indexName);
}

void TMemoryDataSet::LoadRows(const QVector<TPacketRow>& rows) {
    FRows.clear();
    FRows.reserve(rows.size());
    for (const TPacketRow& row : rows) {
        TRow r;
        r.Id = FNextId++;
        r.Row = row;
        if (r.Row.Values.size() != FFieldDefs.size()) // a resize to the same size would copy the values
            r.Row.Values.resize(FFieldDefs.size());
        FRows.append(std::move(r));
    }
    RebuildView();
}

// The range, filter and order of the view, resolved once per use.
struct TMemoryDataSet::TViewRule {
    bool Ranged = false;
    QVariantList RangeValues;
    QVector<int> RangeSlots, OrderSlots;
    const TFilterExpr* Filter = nullptr;
};

TMemoryDataSet::TViewRule TMemoryDataSet::ViewRule() const {
    TViewRule rule;
    QStringList rangeFields;
    rule.Ranged = MasterRange(rangeFields, rule.RangeValues);
    for (const QString& name : rangeFields) {
        const int slot = DataIndexOfField(name);
        if (slot < 0)
            DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
        rule.RangeSlots << slot;
    }
    for (const QString& name : OrderFieldNames()) {
        const int slot = DataIndexOfField(name);
        if (slot < 0)
            DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
        rule.OrderSlots << slot;
    }
    rule.Filter = ActiveFilter();
    return rule;
}

bool TMemoryDataSet::Visible(const TViewRule& rule, const QVector<QVariant>& values) const {
    if (rule.Ranged)
        for (int k = 0; k < rule.RangeSlots.size(); ++k) {
            const QVariant& want = rule.RangeValues[k];
            const QVariant& have = values[rule.RangeSlots[k]];
            if (!want.isValid() || want.isNull() || !have.isValid() || have.isNull() || CompareValues(have, want) != 0)
                return false;
        }
    return !rule.Filter || rule.Filter->Evaluate(values);
}

// In order, rows of equal keys in storage order (as the stable sort leaves them).
bool TMemoryDataSet::ViewLess(const TViewRule& rule, int a, int b) const {
    for (int slot : rule.OrderSlots) {
        const int c = CompareValues(FRows[a].Row.Values[slot], FRows[b].Row.Values[slot]);
        if (c != 0)
            return c < 0;
    }
    return a < b;
}

void TMemoryDataSet::RebuildView() {
    FView.clear();
    const TViewRule rule = ViewRule();
    QVector<int> candidates;
    if (ViewCandidates(candidates)) {
        std::sort(candidates.begin(), candidates.end());
        candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
        for (int i : candidates)
            if (Visible(rule, FRows[i].Row.Values))
                FView.append(i);
    } else {
        for (int i = 0; i < FRows.size(); ++i)
            if (Visible(rule, FRows[i].Row.Values))
                FView.append(i);
    }
    // Rows read from the store come mostly in order already.
    const auto less = [&](int a, int b) { return ViewLess(rule, a, b); };
    if (!rule.OrderSlots.isEmpty() && !std::is_sorted(FView.begin(), FView.end(), less))
        std::stable_sort(FView.begin(), FView.end(), less);
}

// One row changed: it leaves its place and takes the one its values give,
// without rebuilding the view of every row.
void TMemoryDataSet::PlaceRow(int at) {
    const TViewRule rule = ViewRule();
    FView.removeOne(at);
    if (!Visible(rule, FRows[at].Row.Values))
        return;
    const auto pos = std::lower_bound(FView.begin(), FView.end(), at, [&](int a, int b) { return ViewLess(rule, a, b); });
    FView.insert(pos, at);
}

int TMemoryDataSet::InternalPost(TRecordBuffer& buffer, bool inserting, int insertIndex) {
    qint64 id = buffer.Id;
    int at = -1;
    if (inserting) {
        TRow row;
        row.Id = id = FNextId++;
        row.Row.Values = buffer.Data;
        at = int(FRows.size());
        // Without an order a row inserted in the middle stays where it was put.
        if (OrderFieldNames().isEmpty() && insertIndex >= 0 && insertIndex < FView.size())
            at = FView[insertIndex];
        FRows.insert(at, row);
        for (int& index : FView)
            if (index >= at)
                ++index;
        RowChanged(FRows[at], true);
    } else {
        at = StorageIndexOfId(id);
        if (at < 0)
            DatabaseError(QStringLiteral("Record not found"));
        if (FRows[at].Row.Status == TUpdateStatus::usUnmodified)
            FRows[at].Row.Original = FRows[at].Row.Values;
        FRows[at].Row.Values = buffer.Data;
        RowChanged(FRows[at], false);
    }
    PlaceRow(at);
    return IndexOfId(id);
}

void TMemoryDataSet::InternalDelete(int index) {
    const int at = FView[index];
    RowDeleted(FRows[at]);
    FRows.remove(at);
    FView.remove(index);
    for (int& i : FView)
        if (i > at)
            --i;
}

// ---------------------------------------------------------------- provider

TTable* TDataSetProvider::DataSet() const { return FDataSet; }
void TDataSetProvider::SetDataSet(TTable* table) { FDataSet = table; }

TDataPacket TDataSetProvider::GetData() {
    if (!FDataSet)
        throw EDatabaseError(QStringLiteral("Missing data provider or data packet"));
    ++FFetchCount;
    return FDataSet->ReadPacket();
}

qint64 TDataSetProvider::InsertRow(const TFieldDefs& defs, const QVector<QVariant>& values) {
    return FDataSet->InsertRow(defs, values);
}

void TDataSetProvider::UpdateRow(qint64 id, const TFieldDefs& defs, const QVector<QVariant>& values,
                                 const QVector<QVariant>& original) {
    TFieldDefs changedDefs;
    QVector<QVariant> changed;
    for (int i = 0; i < defs.size(); ++i)
        if (values.value(i) != original.value(i) || values.value(i).isNull() != original.value(i).isNull()) {
            changedDefs << defs[i];
            changed << values.value(i);
        }
    if (!changedDefs.isEmpty())
        FDataSet->UpdateRow(id, changedDefs, changed);
}

void TDataSetProvider::DeleteRow(qint64 id) { FDataSet->DeleteRow(id); }

bool TDataSetProvider::ReadRow(qint64 id, QVector<QVariant>& values) { return FDataSet->ReadStoredRow(id, values); }

// ---------------------------------------------------------------- TClientDataSet

void TClientDataSet::SetData(const TDataPacket& packet) {
    Close();
    FPending = packet;
    FHasPending = true;
    Open();
}

void TClientDataSet::CreateDataSet(const TFieldDefs& defs) {
    TDataPacket packet;
    packet.Defs = defs;
    SetData(packet);
}

void TClientDataSet::InternalInitFieldDefs() {
    if (!FHasPending) {
        if (!FProvider)
            DatabaseError(QStringLiteral("Missing data provider or data packet"));
        FPending = FProvider->GetData();
        FHasPending = true;
    }
    FFieldDefs = FPending.Defs;
    FIndexDefs = FPending.Indexes;
}

void TClientDataSet::InternalOpen() {
    FDeleted = FPending.Deleted;
    FSeq = 0;
    for (const TPacketRow& row : FPending.Rows)
        FSeq = qMax(FSeq, row.Seq);
    for (const TPacketRow& row : FDeleted)
        FSeq = qMax(FSeq, row.Seq);
    LoadRows(FPending.Rows);
    CountPending();
    FPending = TDataPacket();
    FHasPending = false;
}

void TClientDataSet::CountPending() {
    FPendingIds.clear();
    for (const TRow& row : FRows)
        if (row.Row.Status != TUpdateStatus::usUnmodified)
            FPendingIds.insert(row.Id);
}

void TClientDataSet::InternalClose() {
    TMemoryDataSet::InternalClose();
    FDeleted.clear();
    FPendingIds.clear();
    FPending = TDataPacket();
    FHasPending = false;
}

void TClientDataSet::InternalRefresh() {
    if (FProvider && FProvider->DataSet()) {
        if (ChangeCount() > 0)
            DatabaseError(QStringLiteral("Must apply updates before refreshing data"));
        TDataPacket packet = FProvider->GetData();
        FDeleted.clear();
        LoadRows(packet.Rows);
        CountPending();
        return;
    }
    RebuildView();
}

TDataPacket TClientDataSet::Data() const {
    TDataPacket packet;
    if (!Active())
        return packet;
    packet.Defs = FFieldDefs;
    packet.Indexes = FIndexDefs;
    packet.Rows.reserve(FRows.size());
    for (const TRow& row : FRows)
        packet.Rows.append(row.Row);
    packet.Deleted = FDeleted;
    // The row being edited counts as it stands.
    return packet;
}

void TClientDataSet::RowChanged(TRow& row, bool inserting) {
    FPendingIds.insert(row.Id);
    if (inserting) {
        row.Row.Status = TUpdateStatus::usInserted;
        row.Row.SourceId = 0;
    } else if (row.Row.Status == TUpdateStatus::usUnmodified) {
        row.Row.Status = TUpdateStatus::usModified;
    }
    row.Row.Seq = ++FSeq;
}

void TClientDataSet::RowDeleted(TRow& row) {
    FPendingIds.remove(row.Id); // leaves the rows; a stored one waits in FDeleted
    if (row.Row.Status == TUpdateStatus::usInserted)
        return; // never stored: nothing to write back
    TPacketRow gone = row.Row;
    if (gone.Status == TUpdateStatus::usUnmodified)
        gone.Original = gone.Values;
    gone.Status = TUpdateStatus::usDeleted;
    gone.Seq = ++FSeq;
    FDeleted.append(gone);
}

int TClientDataSet::ChangeCount() const { return Active() ? int(FDeleted.size() + FPendingIds.size()) : 0; }

void TClientDataSet::MergeChangeLog() {
    for (TRow& row : FRows) {
        row.Row.Status = TUpdateStatus::usUnmodified;
        row.Row.Original.clear();
    }
    FDeleted.clear();
    FPendingIds.clear();
}

void TClientDataSet::CancelUpdates() {
    CheckActive();
    Cancel();
    QVector<TRow> kept;
    for (TRow& row : FRows) {
        if (row.Row.Status == TUpdateStatus::usInserted)
            continue;
        if (row.Row.Status == TUpdateStatus::usModified)
            row.Row.Values = row.Row.Original;
        row.Row.Status = TUpdateStatus::usUnmodified;
        row.Row.Original.clear();
        kept.append(row);
    }
    for (TPacketRow gone : FDeleted) {
        gone.Values = gone.Original;
        gone.Status = TUpdateStatus::usUnmodified;
        gone.Original.clear();
        TRow row;
        row.Id = FNextId++;
        row.Row = gone;
        kept.append(row);
    }
    FDeleted.clear();
    FRows = kept;
    FPendingIds.clear();
    LocalReload();
}

void TClientDataSet::LocalReload() { Reload(); }

int TClientDataSet::ApplyUpdates(int maxErrors) {
    CheckActive();
    CheckBrowseMode();
    if (!FProvider || !FProvider->DataSet())
        DatabaseError(QStringLiteral("Missing data provider or data packet"));
    FUpdateError.clear();
    // The log in the order of the changes.
    struct TChange {
        qint64 Seq;
        qint64 RowId; // 0 for a deleted row
        int DeletedIndex;
    };
    QVector<TChange> changes;
    for (qint64 id : FPendingIds)
        changes.append({FRows[StorageIndexOfId(id)].Row.Seq, id, -1});
    for (int i = 0; i < FDeleted.size(); ++i)
        changes.append({FDeleted[i].Seq, 0, i});
    std::sort(changes.begin(), changes.end(), [](const TChange& a, const TChange& b) { return a.Seq < b.Seq; });

    const int autoIncSlot = [&] {
        for (int i = 0; i < FFieldDefs.size(); ++i)
            if (FFieldDefs[i].DataType == TFieldType::ftAutoInc)
                return i;
        return -1;
    }();
    // What became of each change; the log learns of it only once the rows
    // are committed, so a failure leaves memory and store as they were.
    enum class TResult { Written, Cancelled, Refreshed };
    struct TOutcome {
        TChange Change;
        TResult Result;
        qint64 SourceId = 0;
        QVector<QVariant> Values; // written, or as stored now (refreshed)
        bool Stored = true;       // refreshed: the row still exists
    };
    QVector<TOutcome> outcomes;
    auto applyOutcomes = [&] {
        QVector<int> goneDeletes;
        // A row written as it stood changes no view; one the store gave a
        // value takes its place by its order; a change taken back rebuilds it.
        QVector<qint64> placed;
        bool rebuild = false;
        for (const TOutcome& outcome : outcomes) {
            const TChange& change = outcome.Change;
            TPacketRow* row = change.DeletedIndex >= 0 ? &FDeleted[change.DeletedIndex]
                                                       : &FRows[StorageIndexOfId(change.RowId)].Row;
            const TUpdateStatus status = row->Status;
            if (change.DeletedIndex >= 0)
                goneDeletes << change.DeletedIndex;
            else
                FPendingIds.remove(change.RowId);
            if (outcome.Result == TResult::Written) {
                if (status != TUpdateStatus::usDeleted) {
                    if (row->Values != outcome.Values)
                        placed << change.RowId;
                    row->SourceId = outcome.SourceId;
                    row->Values = outcome.Values;
                    row->Status = TUpdateStatus::usUnmodified;
                    row->Original.clear();
                }
                continue;
            }
            rebuild = true;
            // Taken back in memory: an insert goes; a modified or deleted row
            // is as it was stored, or as it is stored now (refreshed).
            if (status == TUpdateStatus::usInserted || !outcome.Stored) {
                if (status != TUpdateStatus::usDeleted)
                    FRows.remove(StorageIndexOfId(change.RowId));
                continue;
            }
            TPacketRow back = *row;
            back.Values = outcome.Result == TResult::Refreshed ? outcome.Values : row->Original;
            back.Values.resize(FFieldDefs.size());
            back.Status = TUpdateStatus::usUnmodified;
            back.Original.clear();
            if (status == TUpdateStatus::usDeleted) {
                TRow restored;
                restored.Id = FNextId++;
                restored.Row = back;
                FRows.append(restored);
            } else {
                *row = back;
            }
        }
        std::sort(goneDeletes.begin(), goneDeletes.end());
        for (int i = int(goneDeletes.size()) - 1; i >= 0; --i)
            FDeleted.remove(goneDeletes[i]);
        if (rebuild) {
            LocalReload();
        } else if (!placed.isEmpty()) {
            for (qint64 id : placed)
                PlaceRow(StorageIndexOfId(id));
            ViewChanged();
        }
    };

    TTransactionScope transaction(FProvider->DataSet()->Database());
    int errors = 0;
    try {
        bool stop = false;
        for (const TChange& change : changes) {
            if (stop)
                break;
            const TPacketRow& row =
                change.DeletedIndex >= 0 ? FDeleted[change.DeletedIndex] : FRows[StorageIndexOfId(change.RowId)].Row;
            const TUpdateKind kind = row.Status == TUpdateStatus::usInserted  ? TUpdateKind::ukInsert
                                     : row.Status == TUpdateStatus::usDeleted ? TUpdateKind::ukDelete
                                                                              : TUpdateKind::ukModify;
            QVector<QVariant> values = row.Values;
            for (int attempt = 0;; ++attempt) {
                try {
                    TOutcome outcome{change, TResult::Written, row.SourceId, values};
                    switch (kind) {
                    case TUpdateKind::ukInsert:
                        outcome.SourceId = FProvider->InsertRow(FFieldDefs, values);
                        if (autoIncSlot >= 0 && (!values[autoIncSlot].isValid() || values[autoIncSlot].isNull()))
                            outcome.Values[autoIncSlot] = int(outcome.SourceId);
                        break;
                    case TUpdateKind::ukModify:
                        FProvider->UpdateRow(row.SourceId, FFieldDefs, values, row.Original);
                        break;
                    case TUpdateKind::ukDelete: FProvider->DeleteRow(row.SourceId); break;
                    }
                    outcomes << outcome;
                    break;
                } catch (const EDatabaseError& error) {
                    if (FUpdateError.isEmpty())
                        FUpdateError = error.Message();
                    // Without a hook the safe default: stop, keep the change, tell the caller.
                    if (!OnReconcileError)
                        throw;
                    TReconcileError info;
                    info.UpdateKind = kind;
                    info.Message = error.Message();
                    info.Defs = FFieldDefs;
                    info.Values = values;
                    info.Original = row.Original;
                    const TReconcileAction action = OnReconcileError(this, info);
                    if (action == TReconcileAction::raCorrect && attempt == 0) {
                        values = info.Values;
                        continue;
                    }
                    if (action == TReconcileAction::raCancel) {
                        outcomes << TOutcome{change, TResult::Cancelled, 0, {}};
                        break;
                    }
                    if (action == TReconcileAction::raRefresh) {
                        TOutcome outcome{change, TResult::Refreshed, 0, {}};
                        if (kind != TUpdateKind::ukInsert)
                            outcome.Stored = FProvider->ReadRow(row.SourceId, outcome.Values);
                        outcomes << outcome;
                        break;
                    }
                    ++errors;
                    stop = action == TReconcileAction::raAbort || (maxErrors >= 0 && errors > maxErrors);
                    break; // skip: the change stays in the log
                }
            }
        }
    } catch (...) {
        // Inside the caller's transaction the rows written so far stay
        // written until the caller decides, so the log must know them.
        if (!transaction.Owns())
            applyOutcomes();
        throw;
    }
    transaction.Commit();
    applyOutcomes();
    return errors;
}
