#pragma once
// The model tables: the diabetes switch, the cached write-through table that
// follows it, the table copy, and the typed tables of the model and wording.
//
//   TMlSwitch      Suffix1/Suffix2 and the current variant (Diabetes); pushes
//                  Diabetes and Frozen to every registered table in
//                  registration order; CurrentSuffix for variant names in SQL.
//   TMlTable       an in-memory table over one stored table (its source),
//                  writing every post and delete straight back. When it is
//                  DiabetesDependant and has a Switch it reads TableName +
//                  suffix of its own Diabetes and keeps one packet per variant,
//                  so switching back reads nothing. Frozen keeps every change
//                  in memory and numbers new rows itself. A detail that is not
//                  switchable reads only its master's rows from the store.
//   CopyTable      content and position of one in-memory table into another.
//   typed tables   TMlCountryTable, TMlRiskTable, TMlBaselineTable,
//                  TMlTypeTable (selection by kind) and its TMlComposeTable,
//                  TMlNameTable, TMlValueTable; IsBaseRisk, IsExamRisk.

#include "DBTables.h"

#include <QList>
#include <QPointer>
#include <QStringList>

class TMlTable;
class TTable;

class TMlSwitch : public TComponent {
    Q_OBJECT
public:
    explicit TMlSwitch(QObject* AOwner = nullptr) : TComponent(AOwner) {}
    ~TMlSwitch() override;

    QString Suffix1() const { return FSuffix1; }
    void SetSuffix1(const QString& suffix) { FSuffix1 = suffix; }
    QString Suffix2() const { return FSuffix2; }
    void SetSuffix2(const QString& suffix) { FSuffix2 = suffix; }
    // Suffix2 in the diabetes variant, else Suffix1.
    QString CurrentSuffix() const { return FDiabetes ? FSuffix2 : FSuffix1; }

    bool Diabetes() const { return FDiabetes; }
    void SetDiabetes(bool value);
    bool Frozen() const { return FFrozen; }
    void SetFrozen(bool value);

    // The number of registered tables; writing it changes nothing.
    int VisibleTables() const { return int(FTables.size()); }
    void SetVisibleTables(int /*value*/) {}
    const QList<TMlTable*>& Tables() const { return FTables; }

private:
    friend class TMlTable;
    QString FSuffix1, FSuffix2;
    bool FDiabetes = false;
    bool FFrozen = false;
    QList<TMlTable*> FTables;
};

class TMlTable : public TClientDataSet {
    Q_OBJECT
public:
    explicit TMlTable(QObject* AOwner = nullptr);
    ~TMlTable() override;

    void SetActive(bool value) override;

    // Base name of the stored table; the source table gets the physical name.
    QString TableName() const { return FTableName; }
    void SetTableName(const QString& name);
    QString DatabaseName() const;
    void SetDatabaseName(const QString& name);
    TMlSwitch* Switch() const { return FSwitch; }
    void SetSwitch(TMlSwitch* value);
    bool Diabetes() const { return FDiabetes; }
    void SetDiabetes(bool value);
    bool DiabetesDependant() const { return FDiabetesDependant; }
    void SetDiabetesDependant(bool value) { FDiabetesDependant = value; }
    bool Frozen() const { return FFrozen; }
    void SetFrozen(bool value);
    // A design flag; nothing consults it.
    bool Freezable() const { return FFreezable; }
    void SetFreezable(bool value) { FFreezable = value; }

    // DiabetesDependant, with a Switch whose suffixes are not both empty.
    bool Switchable() const;
    // TableName plus the suffix of this table's own variant when switchable.
    QString PhysicalTableName() const;
    TTable* SourceTable() const { return FSource; }
    TDataSetProvider* SourceProvider() const { return FProvider; }
    bool HasCachedPacket(bool diabetes) const { return !FPackets[diabetes ? 1 : 0].IsEmpty(); }
    int LastAutoIncValue() const { return FLastAutoInc; }

    // Up to this many rows a post or delete refreshes the whole table from the
    // store; beyond it only the written row is read back.
    static constexpr int WholeRefreshRows = 1000;

    // Opens on this packet as it is, without consulting the cached packets
    // (SetData on a switchable table would reopen on its cache instead).
    void LoadPacket(const TDataPacket& packet);

    // An error during the search reads as "not found"; a pending post that
    // fails raises its error, and so does a scroll hook once the cursor
    // stands on the found row.
    bool Locate(const QString& keyFields, const QVariant& keyValues, TLocateOptions options = 0) override;
    // Posts in memory, writes back unless frozen, and stays on an inserted row.
    // AfterPost is raised after the write-back. A row the store refuses is
    // taken back in memory and the store's error is raised.
    void Post() override;
    void DatabaseRolledBack() override;
    void DatabaseClosed() override;

protected:
    void InternalInitFieldDefs() override;
    void InternalRefresh() override;
    void InternalReload() override;
    void InternalDelete(int index) override;
    int InternalPost(TRecordBuffer& buffer, bool inserting, int insertIndex) override;
    bool InternalLocate(const QStringList& fields, const QVariantList& values, TLocateOptions options,
                        int& index) override;
    bool ViewCandidates(QVector<int>& rows) override;

private:
    friend class TMlSwitch;
    bool FirstFieldIsAutoInc() const;
    void ComputeLastAutoInc();
    bool RangedFetch() const;
    bool StoreAnswers() const;
    void PrepareSource();
    void FetchFromSource(const QVariantList* range = nullptr); // the master's key when known
    void RememberRange();
    void WriteBack();
    void GotoLastStored();
    void RereadCurrentRow();
    int HighestId(); // of the rows held and the stored rows
    void AttachToDatabase();

    TTable* FSource = nullptr;
    TDataSetProvider* FProvider = nullptr;
    QString FTableName;
    QPointer<TMlSwitch> FSwitch;
    bool FDiabetes = false;
    bool FDiabetesDependant = false;
    bool FFrozen = false;
    bool FFreezable = false;
    bool FLoadingPacket = false; // LoadPacket: an ordinary open on a given packet
    bool FLoadingCache = false;  // opening on a cached packet
    TDataPacket FPackets[2]; // per variant: [0] non-diabetes, [1] diabetes
    int FLastAutoInc = 0;
    QVariantList FFetchedRange; // the master's key of the rows held (ranged fetch)
    bool FRangeHeld = false;    // the rows held are one master's range
    qint64 FPostedId = 0;       // memory identity of the row inserted last
};

// Loads the data packet of `source` into `target` and moves the target to the
// source's current row; on failure the source is refreshed and the copy is
// tried once more, and a second failure is raised.
void CopyTable(TClientDataSet* target, TClientDataSet* source);
// The same restricted to the source's rows whose key fields ("a;b") hold the
// key values; a source writing through to the store reads only those rows
// from it. The target stands on the source's current row when that row is
// among them, else on its first.
void CopyTable(TClientDataSet* target, TClientDataSet* source, const QString& keyFields, const QVariant& keyValues);

// Any dataset with the columns Group, Visible and Obsolete.
bool IsBaseRisk(TDataSet* dataSet); // Group = 2, visible, not obsolete
bool IsExamRisk(TDataSet* dataSet); // Group = 1, visible, not obsolete

class TMlCountryTable : public TMlTable {
    Q_OBJECT
public:
    using TMlTable::TMlTable;
    int CountryId() const;
    // To the first row whose ISOLanguage is the code, ignoring case; stays
    // put when there is none.
    bool LocateLanguage(const QString& code);
};

class TMlRiskTable : public TMlTable {
    Q_OBJECT
public:
    using TMlTable::TMlTable;
    int RiskId() const;
    // The Risk id of the row named so (ignoring case), -1 when there is none.
    int RiskIdByName(const QString& name);
    bool IsBaseRisk() { return ::IsBaseRisk(this); }
    bool IsExamRisk() { return ::IsExamRisk(this); }
};

// Ordered by Group;Age.
class TMlBaselineTable : public TMlTable {
    Q_OBJECT
public:
    using TMlTable::TMlTable;
    // Value of the first row whose key is not below (group, age): an age
    // between two rows takes the value of the next higher age.
    double BaselineValue(int group, double age);
    // Whether the table reaches the age for the group.
    bool AgeCovered(int group, double age);
    // The first row's age and the last row's age minus the period, both
    // truncated; the cursor stays on the last row.
    void AgeLimits(double period, int& minAge, int& maxAge);
};

// Tables holding several kinds of rows; SelectType picks one kind (-1: all).
class TMlTypeTable : public TMlTable {
    Q_OBJECT
public:
    using TMlTable::TMlTable;
    QString SelectName() const { return FSelectName; }
    void SetSelectName(const QString& name) { FSelectName = name; }
    int SelectType() const { return FSelectType; }
    void SetSelectType(int value);

protected:
    void DoOnNewRecord() override;

private:
    QString FSelectName = QStringLiteral("Type");
    int FSelectType = -1;
};

class TMlComposeTable : public TMlTypeTable {
    Q_OBJECT
public:
    using TMlTypeTable::TMlTypeTable;
    // The row's Expression split into lines (one list, refilled on each call).
    const QStringList& Lines();

private:
    QStringList FLines;
};

class TMlNameTable : public TMlTypeTable {
    Q_OBJECT
public:
    using TMlTypeTable::TMlTypeTable;
    // The row's Name column (the component's own name is TComponent::Name).
    QString Name() const;
};

class TMlValueTable : public TMlTypeTable {
    Q_OBJECT
public:
    using TMlTypeTable::TMlTypeTable;
    double Value() const;
};
