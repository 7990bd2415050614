#pragma once
// The engine on Qt Sql and SQLite: the session (aliases, engine
// configuration, process passwords), named databases, stored tables read row
// by row on demand, local SQL queries and the batch copy.

#include "DBClient.h"
#include "DataSet.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <memory>

class TDatabase;

// The engine's configuration: one alias file in the user's data folder.
// Sections named like "\SYSTEM\FORMATS\NUMBER" are configuration sections;
// every other section is an alias with its parameters (PATH, DATABASE NAME).
class TSession {
public:
    QString AliasFile() const; // written with the default aliases at first use
    void GetAliasNames(QStringList& list);
    bool AliasExists(const QString& alias);
    void GetAliasParams(const QString& alias, QStringList& list); // EDatabaseError when unknown
    QString AliasPath(const QString& alias);
    // The database file an alias names.
    QString AliasFileName(const QString& alias);
    void AddAlias(const QString& alias, const QStringList& params); // replaces an existing one
    void DeleteAlias(const QString& alias);
    void GetConfigParams(const QString& path, QStringList& list);
    void SetConfigParams(const QString& path, const QStringList& list);
    // Forgets what was read, so the next call reads the alias file again.
    void Reload();

    // Passwords registered for the whole process (used by connections whose
    // parameters carry none).
    void AddPassword(const QString& password);
    void RemoveAllPasswords() { FPasswords.clear(); }
    const QStringList& Passwords() const { return FPasswords; }

private:
    void Load();
    void Save();
    struct TSection {
        QString Name;
        QStringList Lines; // name=value
    };
    TSection* FindSection(const QString& name);
    bool FLoaded = false;
    QList<TSection> FSections;
    QStringList FPasswords;
};
TSession& Session();

// The default alias file's content; the export database lies beside the program.
inline const QString ApplicationAliasName = QStringLiteral("TavloCalc");
inline const QString PatientAliasName = QStringLiteral("TavloPatients");
inline const QString ExportAliasName = QStringLiteral("TavloExp");

// A named database bound to an engine alias. Tables and queries find it by
// DatabaseName. Parameters are name=value lines ("PASSWORD=..."); SQLite
// files carry no password, so it is accepted and kept only.
class TDatabase : public TComponent {
    Q_OBJECT
public:
    explicit TDatabase(QObject* owner = nullptr);
    ~TDatabase() override;

    QString DatabaseName() const { return FDatabaseName; }
    void SetDatabaseName(const QString& name);
    QString AliasName() const { return FAliasName; }
    void SetAliasName(const QString& alias);
    QStringList Params; // name=value
    QString ParamValue(const QString& name) const;
    void SetParamValue(const QString& name, const QString& value);
    bool LoginPrompt = false; // there is never a login dialog

    void Open();
    void Close();
    bool Connected() const { return FConnected; }
    void SetConnected(bool connected) { connected ? Open() : Close(); }
    QString FileName() const { return FFileName; }

    // A user operation that writes many rows is one transaction.
    void StartTransaction();
    void Commit();
    void Rollback();
    bool InTransaction() const { return FInTransaction; }

    static TDatabase* Find(const QString& databaseName); // nullptr when none
    // The database of a name: a TDatabase of that name, else one made for an
    // alias of that name. EDatabaseError when neither exists.
    static TDatabase* ByName(const QString& databaseName);

    // Engine internals for tables and queries.
    QSqlDatabase Connection() const;
    QString StoredTableName(const QString& tableName); // the stored spelling, empty when absent
    bool TableExists(const QString& tableName) { return !StoredTableName(tableName).isEmpty(); }
    void GetTableNames(QStringList& list);
    TFieldDefs ColumnsOf(const QString& tableName); // EDatabaseError naming a missing table
    QVector<TIndexDef> IndexesOf(const QString& tableName);
    void ExecSql(const QString& sql, const QVariantList& params = {});
    QSqlQuery& Prepared(const QString& sql); // cached prepared statement
    void SchemaChanged(); // forget cached columns after a table was created or dropped
    // An open dataset of any kind holds rows by the connection's row
    // identities: a rollback re-reads it and closing the database closes it
    // (TDataSet::DatabaseRolledBack, DatabaseClosed). Datasets gone or
    // closed leave the list when the next one joins.
    void AttachDataSet(TDataSet* dataSet);
    int AttachedCount() const { return int(FDataSets.size()); }
    // Statements executed on this connection since it was made (a debug
    // counter for the benches).
    qint64 StatementCount() const { return FStatementCount; }
    void CountStatement() { ++FStatementCount; }
    // The read transaction held for the reads until the event loop (see
    // the implementation); WritesFollow ends it in every database.
    void HoldReadSnapshot();
    void ReleaseReadSnapshot();
    static void WritesFollow();
    // Changes when a table is created or dropped and when the database closes.
    int SchemaGeneration() const { return FSchemaGeneration; }

private:
    void FinishStatements();
    void LoadSchema();
    bool FSchemaLoaded = false;
    std::unique_ptr<QSqlQuery> FSnapshotQuery;
    bool FSnapshotHeld = false;
    QString FDatabaseName, FAliasName, FFileName, FConnectionName;
    bool FConnected = false;
    bool FInTransaction = false;
    qint64 FStatementCount = 0;
    int FSchemaGeneration = 0;
    QHash<QString, TFieldDefs> FColumns;
    QHash<QString, QVector<TIndexDef>> FIndexes;
    QHash<QString, QString> FStoredNames;
    QHash<QString, QSqlQuery> FPrepared;
    QList<QPointer<TDataSet>> FDataSets;
};

// Raises the store's error for a failed statement; a unique key gives
// exactly "Key violation.".
[[noreturn]] void RaiseSqlError(const QSqlError& error, const QString& what);

// A stored table. Rows are read with an indexed query of the visible range
// (master link, filter, order) and fetched in pages as the cursor reaches
// them, so a detail holds only its master's rows and a large table is not
// read whole. Post and delete write one row.
class TTable : public TDataSet {
    Q_OBJECT
public:
    explicit TTable(QObject* owner = nullptr) : TDataSet(owner) {}
    QString DatabaseName() const { return FDatabaseName; }
    void SetDatabaseName(const QString& name);
    QString TableName() const { return FTableName; }
    void SetTableName(const QString& name);
    TDatabase* Database() const; // EDatabaseError when none of that name
    bool Exists() const;

    // Creating, emptying and dropping the stored table.
    void CreateTable(const TFieldDefs& defs, const QVector<TIndexDef>& indexes = {});
    void EmptyTable();
    void DeleteTable();
    QVector<TIndexDef> IndexDefs() const;

    // For the provider and the batch copy.
    // Every visible row, whole; with key fields only the rows of that key,
    // read by an indexed query.
    TDataPacket ReadPacket(const QString& keyFields = QString(), const QVariant& keyValues = QVariant());
    qint64 InsertRow(const TFieldDefs& defs, const QVector<QVariant>& values);
    void UpdateRow(qint64 id, const TFieldDefs& defs, const QVector<QVariant>& values);
    void DeleteRow(qint64 id);
    bool ReadStoredRow(qint64 id, QVector<QVariant>& values); // false when gone
    // The stored rows (rowids) whose fields match the values as Locate
    // matches them, in `order`, each handed to `each` until it returns
    // false. False when the search cannot be put in SQL: a field that is not
    // stored, or a text with letters beyond ASCII under a case or partial
    // option (SQLite folds the case of ASCII letters alone).
    bool LocateRowIds(const QStringList& fields, const QVariantList& values, TLocateOptions options,
                      const QStringList& order, const std::function<bool(qint64)>& each);
    // The stored rows (rowids) of an SQL condition on the columns.
    bool SelectRowIds(const QString& condition, const QVariantList& params, const std::function<bool(qint64)>& each);
    qint64 HighestRowId(); // 0 for an empty table

protected:
    void InternalInitFieldDefs() override;
    void InternalOpen() override;
    void InternalClose() override;
    int InternalRecordCount() const override { return int(FIds.size()); }
    void InternalGetRow(int index, TRecordBuffer& buffer) override;
    int InternalPost(TRecordBuffer& buffer, bool inserting, int insertIndex) override;
    void InternalDelete(int index) override;
    void InternalReload() override;
    int IndexOfId(qint64 id) const override;
    QStringList IndexFieldsOfName(const QString& indexName) const override;
    bool InternalLocate(const QStringList& fields, const QVariantList& values, TLocateOptions options,
                        int& index) override;

private:
    void CheckInactive() const;
    const QString& StoredName(); // resolved for the current TableName
    void BuildWhere(QString& where, QVariantList& params, bool& memoryFilter, QStringList* rangeFields = nullptr) const;
    QString SelectList() const;
    void ReadRow(const QSqlQuery& query, QVector<QVariant>& values) const;
    void FetchPage(int index);
    QVector<QVariant> FetchById(qint64 id);
    int PlaceId(qint64 id, const QVector<QVariant>& values); // insert into FIds in order
    bool InRange(const QVector<QVariant>& values) const;

    QString FDatabaseName, FTableName, FStoredName;
    mutable QPointer<TDatabase> FDatabase;
    QVector<qint64> FIds;
    QHash<qint64, QVector<QVariant>> FCache;
    mutable QHash<qint64, int> FIdIndex;
    mutable bool FIdIndexValid = false;
    QVector<int> FOrderSlots;
    QString QuotedColumn(int slot) const;
    // The columns and indexes of the stored table as last read, with the
    // texts of its statements, for the schema generation they belong to.
    TFieldDefs FDefs;
    QStringList FQuotedNames;
    QString FSelectList, FQuotedTable, FDefsOf;
    int FDefsGeneration = -1;
    QString FPacketSql, FPacketWhere, FPacketTable; // the last packet statement and what it was made of
    QStringList FPacketOrder;
    bool FPacketByRowid = false;
    int FPacketGeneration = -1;
    mutable QVector<TIndexDef> FIndexes;
    mutable QString FIndexesOf;
    mutable int FIndexesGeneration = -1;
};

// A parameter of a local SQL statement.
class TParam {
public:
    QString Name;
    QVariant Value;
    bool Bound = false; // set by the caller (else taken from the master row)
    void SetValue(const QVariant& value) { Value = value; Bound = true; }
    void SetAsString(const QString& v) { SetValue(v); }
    void SetAsInteger(int v) { SetValue(v); }
    void SetAsFloat(double v) { SetValue(v); }
    void SetAsDateTime(TDateTime v) { SetValue(v); }
    void SetAsBoolean(bool v) { SetValue(v); }
    void Clear() { Value = QVariant(); Bound = false; }
};

class TParams {
public:
    int Count() const { return int(FItems.size()); }
    TParam& Items(int index) { return FItems[index]; }
    TParam* FindParam(const QString& name);
    TParam& ParamByName(const QString& name); // EDatabaseError naming it
    void Rebuild(const QStringList& names);  // keeps values of names kept
    void ClearValues();

private:
    QList<TParam> FItems;
};

// Local SQL over one database: the statement lines are the system's local
// SQL; they are translated to SQLite in one place (LocalSql.h).
class TQuery : public TMemoryDataSet {
    Q_OBJECT
public:
    explicit TQuery(QObject* owner = nullptr);
    ~TQuery() override;
    QString DatabaseName() const { return FDatabaseName; }
    void SetDatabaseName(const QString& name);
    QStringList SQL() const { return FSQL; }
    void SetSQL(const QStringList& lines);
    void SetSQLText(const QString& text) { SetSQL(QStringList{text}); }
    TParams& Params();
    TParam& ParamByName(const QString& name) { return Params().ParamByName(name); }
    // Parameters not set by the caller take the same-named field of this
    // source's current row; the query runs again when that row changes.
    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    void ExecSQL();
    int RowsAffected() const { return FRowsAffected; }
    bool CanModify() const override { return false; }

protected:
    void InternalInitFieldDefs() override;
    void InternalOpen() override;
    void InternalRefresh() override;

private:
    class TParamLink;
    void Prepare();
    QSqlQuery Execute();
    QString FDatabaseName;
    QStringList FSQL;
    TParams FParams;
    bool FPrepared = false;
    QString FSqliteText;
    QStringList FParamOrder, FTables;
    int FRowsAffected = 0;
    QSqlQuery FOpenQuery;
    std::unique_ptr<TParamLink> FParamLink;
};

// Appends every visible row (filter and range apply) of the source to the
// destination table, by field name, in one transaction.
class TBatchMove : public TComponent {
    Q_OBJECT
public:
    explicit TBatchMove(QObject* owner = nullptr) : TComponent(owner) {}
    TDataSet* Source = nullptr;
    TTable* Destination = nullptr;
    void Execute();
    int MovedCount() const { return FMovedCount; }

private:
    int FMovedCount = 0;
};
