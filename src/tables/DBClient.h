#pragma once
// In-memory datasets: TMemoryDataSet keeps its rows in memory and orders,
// ranges and filters them there; TClientDataSet adds data packets (a whole
// table's content as one value), a change log and the write-back of the
// changes through a TDataSetProvider to a stored table, row by row.

#include "DataSet.h"

#include <QHash>
#include <QSet>

class TTable;

struct TIndexDef {
    QString Name;
    QString Fields; // "a;b"
    bool Unique = false;
};

enum class TUpdateStatus { usUnmodified, usModified, usInserted, usDeleted };

struct TPacketRow {
    qint64 SourceId = 0; // the stored row (rowid); 0 for a row not stored yet
    QVector<QVariant> Values;
    TUpdateStatus Status = TUpdateStatus::usUnmodified;
    QVector<QVariant> Original; // values as stored, for a modified row
    qint64 Seq = 0;             // order of the change in the log
};

// Its members move as plain bytes: a growing list of rows is moved, not copied.
Q_DECLARE_TYPEINFO(TPacketRow, Q_RELOCATABLE_TYPE);

// A table's content as one value (implicitly shared: copying is cheap).
struct TDataPacket {
    TFieldDefs Defs;
    QVector<TIndexDef> Indexes;
    QVector<TPacketRow> Rows;    // storage order; includes changes not written back
    QVector<TPacketRow> Deleted; // deleted rows not yet written back
    bool IsEmpty() const { return Defs.isEmpty(); }
};

class TMemoryDataSet : public TDataSet {
    Q_OBJECT
public:
    explicit TMemoryDataSet(QObject* owner = nullptr) : TDataSet(owner) {}
    const QVector<TIndexDef>& IndexDefs() const { return FIndexDefs; }
    void SetIndexDefs(const QVector<TIndexDef>& defs) { FIndexDefs = defs; }
    // A row's place in storage order (the order of its data packet), -1 for
    // an unknown bookmark; and the bookmark of the row at such a place, so a
    // copy loaded from this dataset's packet can find the same row.
    int StorageIndexOf(const TBookmark& bookmark) const;
    TBookmark BookmarkAtStorageIndex(int index) const;
    // The stored row (rowid) of the row at a place in storage order; 0 for a
    // row not stored yet or an unknown place.
    qint64 SourceIdAtStorageIndex(int index) const;

protected:
    struct TRow {
        qint64 Id = 0;
        TPacketRow Row;
    };
    int InternalRecordCount() const override { return int(FView.size()); }
    void InternalGetRow(int index, TRecordBuffer& buffer) override;
    int InternalPost(TRecordBuffer& buffer, bool inserting, int insertIndex) override;
    void InternalDelete(int index) override;
    void InternalReload() override { RebuildView(); }
    void InternalClose() override;
    int IndexOfId(qint64 id) const override;
    QStringList IndexFieldsOfName(const QString& indexName) const override;
    // Change-log hooks.
    virtual void RowChanged(TRow& /*row*/, bool /*inserting*/) {}
    virtual void RowDeleted(TRow& /*row*/) {}

    void RebuildView(); // range, filter, order
    // The rows (storage indexes) that may be visible, when a storage can
    // name fewer than all; each is checked all the same.
    virtual bool ViewCandidates(QVector<int>& /*rows*/) { return false; }
    void PlaceRow(int at); // the view after one row changed
    void LoadRows(const QVector<TPacketRow>& rows);
    int StorageIndexOfId(qint64 id) const;
    int StorageIndexOfSourceId(qint64 sourceId) const; // -1 when no row holds that stored row
    int ViewIndexOfStorage(int at) const;              // -1 when the view does not show it

    struct TViewRule;
    TViewRule ViewRule() const;
    bool Visible(const TViewRule& rule, const QVector<QVariant>& values) const;
    bool ViewLess(const TViewRule& rule, int a, int b) const;

    QVector<TRow> FRows; // storage order
    QVector<int> FView;  // visible rows in order, as indexes into FRows
    QVector<TIndexDef> FIndexDefs;
    qint64 FNextId = 1;
};

enum class TUpdateKind { ukModify, ukInsert, ukDelete };
// Skip keeps the change in the log; Abort stops the write-back; Correct
// writes the values as edited; Cancel takes the change back; Refresh takes it
// back and shows the row as it is stored now.
enum class TReconcileAction { raSkip, raAbort, raCorrect, raCancel, raRefresh };

// What the update-error hook sees of a row that could not be written back.
struct TReconcileError {
    TUpdateKind UpdateKind = TUpdateKind::ukModify;
    QString Message;
    TFieldDefs Defs;
    QVector<QVariant> Values;   // the row's values; the "correct" action writes these
    QVector<QVariant> Original; // the values as they were stored
};
using TReconcileErrorEvent = std::function<TReconcileAction(TDataSet* DataSet, TReconcileError& Error)>;

// Hands the content of a stored table to an in-memory dataset and writes the
// in-memory changes back to it.
class TDataSetProvider : public TComponent {
    Q_OBJECT
public:
    explicit TDataSetProvider(QObject* owner = nullptr) : TComponent(owner) {}
    // Out of line: TTable is only declared here, so the header stands alone.
    TTable* DataSet() const;
    void SetDataSet(TTable* table);
    TDataPacket GetData(); // opens the table when closed; its visible rows
    int FetchCount() const { return FFetchCount; } // how often GetData read the table
    qint64 InsertRow(const TFieldDefs& defs, const QVector<QVariant>& values);
    void UpdateRow(qint64 id, const TFieldDefs& defs, const QVector<QVariant>& values, const QVector<QVariant>& original);
    void DeleteRow(qint64 id);
    // The row as it is stored now; false when it is gone.
    bool ReadRow(qint64 id, QVector<QVariant>& values);

private:
    QPointer<TTable> FDataSet;
    int FFetchCount = 0;
};

class TClientDataSet : public TMemoryDataSet {
    Q_OBJECT
public:
    explicit TClientDataSet(QObject* owner = nullptr) : TMemoryDataSet(owner) {}

    TDataSetProvider* Provider() const { return FProvider; }
    void SetProvider(TDataSetProvider* provider) { FProvider = provider; }

    // The content with the changes not written back; loading it opens the
    // dataset on it.
    TDataPacket Data() const;
    void SetData(const TDataPacket& packet);
    // An empty in-memory table of these columns.
    void CreateDataSet(const TFieldDefs& defs);

    int ChangeCount() const;
    void MergeChangeLog(); // the changes count as stored
    void CancelUpdates();  // back to the stored values
    // Writes the changes back in the order they were made, in one
    // transaction; stops when more than maxErrors rows fail (-1: never).
    // Without an OnReconcileError hook the first failure is raised with the
    // engine's message and nothing is written. Returns the number of failed
    // rows; they stay in the change log.
    int ApplyUpdates(int maxErrors);
    // The engine's message of the first row the last ApplyUpdates could not write.
    const QString& UpdateError() const { return FUpdateError; }
    TReconcileErrorEvent OnReconcileError;

protected:
    void InternalInitFieldDefs() override;
    void InternalOpen() override;
    void InternalClose() override;
    void InternalRefresh() override;
    void RowChanged(TRow& row, bool inserting) override;
    void RowDeleted(TRow& row) override;

private:
    TDataPacket FPending; // set by SetData for the next open
    bool FHasPending = false;
    void LocalReload(); // re-sorts and re-filters without fetching
    void CountPending();
    QSet<qint64> FPendingIds; // rows inserted or modified and not written back
    QVector<TPacketRow> FDeleted;
    QString FUpdateError;
    qint64 FSeq = 0;
    QPointer<TDataSetProvider> FProvider;
};
