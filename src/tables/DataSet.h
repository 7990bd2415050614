#pragma once
// The dataset core: fields, the cursor, states and events, filters, orders,
// master-detail links, searches, and the data-source link through which
// views follow a dataset. Storage is left to the subclasses (TTable reads
// SQLite rows on demand, TMemoryDataSet keeps rows in memory).

#include "Component.h"
#include "DateTime.h"
#include "Exceptions.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

class TDataSet;
class TDatabase;
class TDataSource;
class TDataLink;
class TField;
class TFilterExpr;

// Errors of the table store; the message is the engine's.
class EDatabaseError : public Exception {
public:
    using Exception::Exception;
};

// Exactly the text the patient entry compares with.
inline const QString KeyViolationMessage = QStringLiteral("Key violation.");

enum class TFieldType { ftUnknown, ftString, ftSmallint, ftInteger, ftAutoInc, ftFloat, ftBoolean, ftDateTime, ftMemo };
enum class TFieldKind { fkData, fkCalculated, fkLookup };
enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };
enum class TDataEvent { deFieldChange, deRecordChange, deDataSetChange, deDataSetScroll, deLayoutChange, deUpdateRecord, deUpdateState, deCheckBrowseMode };

enum TLocateOption { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = int;
enum TFilterOption { foCaseInsensitive = 1 };
using TFilterOptions = int;

QString FieldTypeName(TFieldType type);
bool IsNumericType(TFieldType type);
bool IsTextType(TFieldType type);
// The plain text of a stored value of that kind (what AsString gives, no display format).
QString FieldValueText(TFieldType type, const QVariant& value);

// A column of a stored table or a result.
struct TFieldDef {
    QString Name;
    TFieldType DataType = TFieldType::ftString;
    int Size = 0; // text n: at most n characters; 0 elsewhere
    bool Required = false;
};
using TFieldDefs = QVector<TFieldDef>;
int IndexOfFieldDef(const TFieldDefs& defs, const QString& name); // -1 when absent

// "a;b;c" → {"a","b","c"} (blanks around names trimmed, empty parts dropped).
QStringList SplitFieldNames(const QString& names);
// The key values of Locate and its kin as a list: a list as given, else the
// one value.
QVariantList KeyList(const QVariant& keyValues, int count);
bool SameName(const QString& a, const QString& b); // table and column names ignore case
QString QuoteName(const QString& name);             // "name with blanks" for SQL

// One row as the dataset holds it: the store's identity of the row (rowid of
// a stored table, a running number in memory), the data values in field-def
// order, and the calculated and lookup values.
struct TRecordBuffer {
    qint64 Id = 0;
    QVector<QVariant> Data;
    QVector<QVariant> Calc;
};

using TDataSetNotifyEvent = std::function<void(TDataSet* DataSet)>;
using TFieldNotifyEvent = std::function<void(TField* Sender)>;
using TFieldGetTextEvent = std::function<void(TField* Sender, QString& Text, bool DisplayText)>;
using TFieldSetTextEvent = std::function<void(TField* Sender, const QString& Text)>;

// A field of a dataset. Created by the dataset from its columns (through the
// virtual CreateField factory) or by the owner before opening ("persistent"
// fields: then only those fields exist). Subclasses refine the text forms by
// overriding GetText/SetText.
class TField : public TComponent {
    Q_OBJECT
public:
    TField(TDataSet* dataSet, const QString& fieldName, TFieldType type, int size = 0,
           TFieldKind kind = TFieldKind::fkData);
    ~TField() override;

    TDataSet* DataSet() const { return FDataSet; }
    const QString& FieldName() const { return FFieldName; }
    TFieldType DataType() const { return FDataType; }
    TFieldKind FieldKind() const { return FFieldKind; }
    void SetFieldKind(TFieldKind kind) { FFieldKind = kind; }
    int Size() const { return FSize; }
    void SetSize(int size) { FSize = size; }
    int Index() const; // position among the dataset's fields
    void SetIndex(int index);
    bool Calculated() const { return FFieldKind == TFieldKind::fkCalculated; }
    bool Lookup() const { return FFieldKind == TFieldKind::fkLookup; }

    QString DisplayLabel() const { return FDisplayLabel.isEmpty() ? FFieldName : FDisplayLabel; }
    void SetDisplayLabel(const QString& label) { FDisplayLabel = label; }
    int DisplayWidth() const { return FDisplayWidth > 0 ? FDisplayWidth : (FSize > 0 ? FSize : 10); }
    void SetDisplayWidth(int width) { FDisplayWidth = width; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible) { FVisible = visible; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool readOnly) { FReadOnly = readOnly; }
    bool Required() const { return FRequired; }
    void SetRequired(bool required) { FRequired = required; }
    const QString& EditMask() const { return FEditMask; }
    void SetEditMask(const QString& mask) { FEditMask = mask; }
    virtual bool CanModify() const;

    // Lookup fields: the LookupResultField of the LookupDataSet row whose
    // LookupKeyFields equal this row's KeyFields.
    TDataSet* LookupDataSet() const { return FLookupDataSet; }
    void SetLookupDataSet(TDataSet* dataSet) { FLookupDataSet = dataSet; }
    QString KeyFields, LookupKeyFields, LookupResultField;

    // Values. Null is an invalid QVariant.
    QVariant Value() const;
    void SetValue(const QVariant& value);
    bool IsNull() const { return !Value().isValid() || Value().isNull(); }
    void Clear() { SetValue(QVariant()); }
    QString AsString() const;
    void SetAsString(const QString& text);
    int AsInteger() const;
    void SetAsInteger(int value) { SetValue(value); }
    double AsFloat() const;
    void SetAsFloat(double value) { SetValue(value); }
    TDateTime AsDateTime() const;
    void SetAsDateTime(TDateTime value) { SetValue(value); }
    bool AsBoolean() const;
    void SetAsBoolean(bool value) { SetValue(value); }
    QVariant OldValue() const; // the value before the current edit

    // Text forms: OnGetText/OnSetText when assigned, else the virtual forms.
    QString DisplayText() const;
    QString Text() const;
    void SetText(const QString& text);

    TFieldGetTextEvent OnGetText;
    TFieldSetTextEvent OnSetText;
    TFieldNotifyEvent OnChange;
    TFieldNotifyEvent OnValidate;

    // Converts a value to this field's kind (EConvertError when it cannot).
    QVariant Coerce(const QVariant& value) const;

protected:
    virtual QString GetText(bool displayText) const;
    virtual void SetTextValue(const QString& text);

private:
    friend class TDataSet;
    TDataSet* FDataSet;
    QString FFieldName;
    TFieldType FDataType;
    TFieldKind FFieldKind;
    int FSize;
    int FFieldNo = -1; // slot in the record's Data (data fields) or Calc
    QString FDisplayLabel;
    int FDisplayWidth = 0;
    bool FVisible = true;
    bool FReadOnly = false;
    bool FRequired = false;
    QString FEditMask;
    QPointer<TDataSet> FLookupDataSet;
};

class TStringField : public TField {
    Q_OBJECT
public:
    TStringField(TDataSet* dataSet, const QString& name, int size = 20, TFieldKind kind = TFieldKind::fkData)
        : TField(dataSet, name, TFieldType::ftString, size, kind) {}
};
class TMemoField : public TField {
    Q_OBJECT
public:
    TMemoField(TDataSet* dataSet, const QString& name, TFieldKind kind = TFieldKind::fkData)
        : TField(dataSet, name, TFieldType::ftMemo, 0, kind) {}
};
class TIntegerField : public TField {
    Q_OBJECT
public:
    TIntegerField(TDataSet* dataSet, const QString& name, TFieldKind kind = TFieldKind::fkData,
                  TFieldType type = TFieldType::ftInteger)
        : TField(dataSet, name, type, 0, kind) {}
};
class TSmallintField : public TIntegerField {
    Q_OBJECT
public:
    TSmallintField(TDataSet* dataSet, const QString& name, TFieldKind kind = TFieldKind::fkData)
        : TIntegerField(dataSet, name, kind, TFieldType::ftSmallint) {}
};
// Assigned by the store on insert; read-only for the user.
class TAutoIncField : public TIntegerField {
    Q_OBJECT
public:
    TAutoIncField(TDataSet* dataSet, const QString& name)
        : TIntegerField(dataSet, name, TFieldKind::fkData, TFieldType::ftAutoInc) {}
};
class TFloatField : public TField {
    Q_OBJECT
public:
    TFloatField(TDataSet* dataSet, const QString& name, TFieldKind kind = TFieldKind::fkData)
        : TField(dataSet, name, TFieldType::ftFloat, 0, kind) {}
    QString DisplayFormat; // FormatFloat pattern for the display text; empty = general form
    QString EditFormat;

protected:
    QString GetText(bool displayText) const override;
};
class TBooleanField : public TField {
    Q_OBJECT
public:
    TBooleanField(TDataSet* dataSet, const QString& name, TFieldKind kind = TFieldKind::fkData)
        : TField(dataSet, name, TFieldType::ftBoolean, 0, kind) {}
    QString DisplayValues = QStringLiteral("True;False");

protected:
    QString GetText(bool displayText) const override;
    void SetTextValue(const QString& text) override;
};
class TDateTimeField : public TField {
    Q_OBJECT
public:
    TDateTimeField(TDataSet* dataSet, const QString& name, TFieldKind kind = TFieldKind::fkData)
        : TField(dataSet, name, TFieldType::ftDateTime, 0, kind) {}
    QString DisplayFormat; // FormatDateTime pattern; empty = short date (and time when set)

protected:
    QString GetText(bool displayText) const override;
    void SetTextValue(const QString& text) override;
};

// Creates the field class of a kind (the default factory of datasets).
TField* CreateFieldOfType(TDataSet* dataSet, const TFieldDef& def, TFieldKind kind = TFieldKind::fkData);

// The link between a dataset and its views. A view (or a detail dataset)
// subclasses TDataLink and attaches to a TDataSource.
class TDataLink {
public:
    virtual ~TDataLink();
    TDataSource* DataSource() const { return FDataSource; }
    void SetDataSource(TDataSource* source);
    TDataSet* DataSet() const;
    bool Active() const;

protected:
    friend class TDataSource;
    virtual void ActiveChanged() {}
    virtual void RecordChanged(TField* /*field*/) {}
    virtual void DataSetChanged() { RecordChanged(nullptr); }
    virtual void DataSetScrolled() { DataSetChanged(); }
    virtual void EditingChanged() {}
    virtual void LayoutChanged() { DataSetChanged(); }
    virtual void UpdateData() {}
    virtual void CheckBrowseMode() {}

private:
    TDataSource* FDataSource = nullptr;
    bool FLinkActive = false;
};

using TDataChangeEvent = std::function<void(QObject* Sender, TField* Field)>;

class TDataSource : public TComponent {
    Q_OBJECT
public:
    explicit TDataSource(QObject* owner = nullptr) : TComponent(owner) {}
    ~TDataSource() override;
    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* dataSet);
    TDataSetState State() const;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    void Edit(); // puts the dataset in edit mode when it can be modified

    TDataChangeEvent OnDataChange;  // record changed (field = the changed field) or scrolled (none)
    TNotifyEvent OnStateChange;
    TNotifyEvent OnUpdateData;

private:
    friend class TDataSet;
    friend class TDataLink;
    void DataEvent(TDataEvent event, TField* field);
    TDataSet* FDataSet = nullptr;
    QList<TDataLink*> FLinks;
    bool FEnabled = true;
};

// The master side of a detail dataset.
class TMasterDataLink : public TDataLink {
public:
    explicit TMasterDataLink(TDataSet* detail) : FDetail(detail) {}
    QString FieldNames; // master fields, "a;b"
    QList<TField*> Fields() const;

protected:
    void ActiveChanged() override;
    void DataSetChanged() override;
    void DataSetScrolled() override;
    void RecordChanged(TField* field) override;
    void CheckBrowseMode() override;
    void LayoutChanged() override { DataSetChanged(); }

private:
    TDataSet* FDetail;
};

class TDataSet : public TComponent {
    Q_OBJECT
public:
    explicit TDataSet(QObject* owner = nullptr);
    ~TDataSet() override;

    // Opening and closing.
    bool Active() const { return FState != TDataSetState::dsInactive; }
    virtual void SetActive(bool active);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return FState; }
    virtual bool CanModify() const { return !FReadOnly; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool readOnly) { FReadOnly = readOnly; }

    // The cursor. RecNo is 1-based, 0 when there is no row.
    void First();
    void Last();
    void Next();
    void Prior();
    int MoveBy(int distance);
    bool Bof() const { return FBof; }
    bool Eof() const { return FEof; }
    bool IsEmpty() const { return RecordCount() == 0; }
    int RecordCount() const;
    int RecNo() const;
    void SetRecNo(int recNo);
    void Refresh(); // re-reads the rows, keeping the current one

    // A bookmark names a row; it stays valid while the row exists.
    using TBookmark = QVariant;
    TBookmark GetBookmark() const;
    void GotoBookmark(const TBookmark& bookmark); // EDatabaseError when the row is gone
    bool BookmarkValid(const TBookmark& bookmark) const;

    // Editing.
    void Edit();
    void Insert();
    void Append();
    virtual void Post();
    void Cancel();
    void Delete();
    void CheckBrowseMode(); // posts a pending edit (or cancels an unmodified insert)
    bool Modified() const { return FModified; }
    // Whether a field change during an edit recomputes the calculated and
    // lookup fields at once; when off they follow only as rows are read.
    bool AutoCalcFields() const { return FAutoCalcFields; }
    void SetAutoCalcFields(bool value) { FAutoCalcFields = value; }

    // Suspending the views (nests).
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return FDisableCount > 0; }

    // Fields.
    const QList<TField*>& Fields() const { return FFields; }
    int FieldCount() const { return int(FFields.size()); }
    TField* FieldAt(int index) const { return FFields.at(index); }
    TField* FieldByName(const QString& name) const; // EDatabaseError naming the field
    TField* FindField(const QString& name) const;   // nullptr when absent
    QVariant FieldValues(const QString& names) const; // one value, or a list for "a;b"
    void SetFieldValues(const QString& name, const QVariant& value) { FieldByName(name)->SetValue(value); }
    const TFieldDefs& FieldDefs() const { return FFieldDefs; }
    void GetFieldNames(QStringList& list) const;

    // Searches.
    virtual bool Locate(const QString& keyFields, const QVariant& keyValues, TLocateOptions options = 0);
    QVariant Lookup(const QString& keyFields, const QVariant& keyValues, const QString& resultFields);
    bool FindKey(const QVariantList& keyValues);     // exact, on the leading order fields
    void FindNearest(const QVariantList& keyValues); // first row not below the key, else the last

    // Orders: IndexFieldNames ("a;b") or IndexName (a stored index); setting
    // one clears the other.
    QString IndexFieldNames() const { return FIndexFieldNames; }
    void SetIndexFieldNames(const QString& names);
    QString IndexName() const { return FIndexName; }
    void SetIndexName(const QString& name);
    QStringList OrderFieldNames() const; // resolved fields of the current order

    // Filters.
    QString Filter() const { return FFilterText; }
    void SetFilter(const QString& text); // EDatabaseError when malformed
    bool Filtered() const { return FFiltered; }
    void SetFiltered(bool filtered);
    TFilterOptions FilterOptions() const { return FFilterOptions; }
    void SetFilterOptions(TFilterOptions options);

    // Master-detail: only rows whose leading order fields equal the master
    // fields are visible; new rows take them.
    TDataSource* MasterSource() const { return FMasterLink->DataSource(); }
    void SetMasterSource(TDataSource* source);
    QString MasterFields() const { return FMasterLink->FieldNames; }
    void SetMasterFields(const QString& names);

    // Events.
    TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
    TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
    TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
    TDataSetNotifyEvent BeforeRefresh, AfterRefresh;
    TDataSetNotifyEvent OnNewRecord, OnCalcFields;

    // Reads fields of another row without moving the cursor or raising
    // events (the grid adapter): the fields show row `index` inside `fn`.
    void WithRecord(int index, const std::function<void()>& fn);
    int ActiveIndex() const { return FRecIndex; } // 0-based, -1 when none
    int InsertIndex() const; // where an inserted row shows, -1 when not inserting

    // Internal, used by fields and links.
    QVariant GetFieldValue(const TField* field) const;
    void SetFieldValue(TField* field, const QVariant& value);
    QVariant GetOldValue(const TField* field) const;
    void DataEvent(TDataEvent event, TField* field = nullptr);
    void MasterChanged();

    // The database under the rows changed. After a rollback the rows are
    // read again, so none shows (or later writes through) a row taken back;
    // after a close the dataset closes, so it never writes another file's
    // rows by stale row identities.
    virtual void DatabaseRolledBack();
    virtual void DatabaseClosed() { Close(); }

protected:
    // --- What a storage subclass provides ---
    // Fill FFieldDefs (the fields and the filter are bound to them next).
    virtual void InternalInitFieldDefs() = 0;
    // Load the visible rows (order, range, filter).
    virtual void InternalOpen() = 0;
    virtual void InternalClose() = 0;
    virtual int InternalRecordCount() const = 0;
    virtual void InternalGetRow(int index, TRecordBuffer& buffer) = 0; // Id and Data
    // Writes the row; returns its index in the visible rows after the
    // write, or -1 when it is no longer visible.
    virtual int InternalPost(TRecordBuffer& buffer, bool inserting, int insertIndex) = 0;
    virtual void InternalDelete(int index) = 0;
    // Re-read the visible rows (order, range or filter changed, refresh).
    virtual void InternalReload() = 0;
    // Refresh: read the rows again from where they come from.
    virtual void InternalRefresh() { InternalReload(); }
    virtual int IndexOfId(qint64 id) const = 0; // -1 when not visible
    virtual QStringList IndexFieldsOfName(const QString& indexName) const;
    // A search the storage can do faster than a scan: return true and the
    // index (or -1) when handled.
    virtual bool InternalLocate(const QStringList& /*fields*/, const QVariantList& /*values*/,
                                TLocateOptions /*options*/, int& /*index*/) { return false; }
    virtual bool InternalFindNearest(const QStringList& /*fields*/, const QVariantList& /*values*/,
                                     int& /*index*/) { return false; }
    // Fills a new row: raises OnNewRecord; a subclass may add its own values.
    virtual void DoOnNewRecord() { FireEvent(OnNewRecord); }
    virtual void FilterChanged() { if (Active()) Reload(); }
    virtual void OrderChanged() { if (Active()) Reload(); }

    // --- Helpers for subclasses ---
    // Creates the fields from FFieldDefs unless persistent fields exist.
    void BindFields();
    virtual TField* CreateField(const TFieldDef& def); // the field factory
    TFilterExpr* ActiveFilter() const; // nullptr when not filtering
    bool FilterAccepts(const TRecordBuffer& buffer) const;
    // Range of a detail: the detail field names and the master's values
    // (empty when there is no master link); `empty` when the master has no
    // row, so the detail shows nothing.
    bool MasterRange(QStringList& fields, QVariantList& values) const;
    QStringList MasterRangeFields() const; // the detail fields of MasterRange alone
    void Reload(bool refresh = false); // re-reads the rows, keeping the current one where it can
    // The storage placed changed rows in the view itself: stays on the
    // current row where it can and tells the views, reading nothing.
    void ViewChanged();
    // Locate in two halves: the search (raises on a faulty search) and the
    // move to the found row with its scroll events.
    int LocateIndex(const QString& keyFields, const QVariant& keyValues, TLocateOptions options);
    void BeginLocatedScroll(); // BeforeScroll
    void EndLocatedScroll(int index); // the move, its scroll event and AfterScroll
    // What Locate compares: the fields, the wanted values as the fields hold
    // them, and the options.
    struct TLocateKey {
        QList<TField*> Fields;
        QVector<int> Slots; // data slots; -1 for a calculated or lookup field
        QVariantList Wanted;
        bool CaseInsensitive = false, Partial = false;
        bool DataOnly = true;
        bool Matches(const QVariantList& have) const;      // values in field order
        bool MatchesData(const QVector<QVariant>& data) const; // a row's data (DataOnly)
    };
    TLocateKey LocateKey(const QStringList& names, const QVariantList& values, TLocateOptions options) const;
    int DataIndexOfField(const QString& name) const; // slot in Data, -1
    int CalcFieldCount() const { return FCalcCount; }
    void CheckActive() const;
    // Compares two data values of one kind: <0, 0, >0; null first.
    static int CompareValues(const QVariant& a, const QVariant& b, bool caseInsensitive = false);
    QString ErrorPrefix() const;
    [[noreturn]] void DatabaseError(const QString& message) const;

    TFieldDefs FFieldDefs;

private:
    friend class TField;
    friend class TMasterDataLink;
    void LoadCurrent();
    void ComputeCalcFields(TRecordBuffer& buffer);
    void MoveTo(int index, bool fireScroll);
    void PrepareFilter();
    void ChangeFilter(bool filtered, TFilterOptions options);
    void FireEvent(const TDataSetNotifyEvent& event) { if (event) event(this); }
    void SetState(TDataSetState state);
    void InitNewRecord();
    void ValidateRequired();
    void ClampCursor();
    int ScanLocate(const QStringList& fields, const QVariantList& values, TLocateOptions options);
    // The first row of the view matching an exact key whose fields include
    // the leading order fields, by a binary search on those; false when the
    // order does not serve the key (the caller then searches otherwise).
    bool OrderedLocate(const TLocateKey& key, int& index);
    void Resync(bool hadRow, qint64 id);
    QList<TField*> ResolveFields(const QStringList& names) const;

    TDataSetState FState = TDataSetState::dsInactive;
    QList<TField*> FFields;
    bool FPersistentFields = false;
    bool FCreatingDefaults = false;
    int FCalcCount = 0;
    QVariantList FLastMasterValues;
    QList<TDataSource*> FDataSources;
    TRecordBuffer FBuffer;    // the current row (or the row being edited)
    TRecordBuffer FOldBuffer; // the row before the edit
    bool FBufferValid = false;
    int FRecIndex = -1;
    int FInsertIndex = -1;
    bool FBof = true, FEof = true;
    bool FModified = false;
    bool FReadOnly = false;
    bool FInCalc = false;
    bool FAutoCalcFields = true;
    int FDisableCount = 0;
    bool FPendingEnable = false;
    QString FIndexFieldNames, FIndexName;
    mutable QString FSplitOrderText, FSplitMasterText; // the texts split last
    mutable QStringList FSplitOrder, FSplitMaster;
    mutable QList<QPointer<TField>> FMasterFields; // of FMasterFieldsOf, by FSplitMaster
    mutable QPointer<TDataSet> FMasterFieldsOf;
    QString FFilterText;
    bool FFiltered = false;
    TFilterOptions FFilterOptions = 0;
    std::shared_ptr<TFilterExpr> FFilterExpr;
    std::unique_ptr<TMasterDataLink> FMasterLink;
    friend class TDataSource;
};

// Sets a dataset's view suspension for a scope.
class TDisableControlsScope {
public:
    explicit TDisableControlsScope(TDataSet* dataSet) : FDataSet(dataSet) { FDataSet->DisableControls(); }
    ~TDisableControlsScope() { FDataSet->EnableControls(); }
    TDisableControlsScope(const TDisableControlsScope&) = delete;
    TDisableControlsScope& operator=(const TDisableControlsScope&) = delete;

private:
    TDataSet* FDataSet;
};

// A transaction for a scope: the operation commits explicitly; leaving the
// scope any other way rolls back. Inside a transaction the caller started,
// the scope joins it and leaves commit and rollback to that caller.
class TTransactionScope {
public:
    explicit TTransactionScope(TDatabase* database);
    ~TTransactionScope();
    void Commit();
    bool Owns() const { return FOwn; } // started here and not ended yet
    TTransactionScope(const TTransactionScope&) = delete;
    TTransactionScope& operator=(const TTransactionScope&) = delete;

private:
    TDatabase* FDatabase;
    bool FOwn;
};
