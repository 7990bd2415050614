#include "DBTables.h"

#include "DataFilter.h"
#include "LocalSql.h"
#include "PrivateFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <utility>

// ---------------------------------------------------------------- values

static bool IsNullValue(const QVariant& v) { return !v.isValid() || v.isNull(); }

static QVariant FromSql(TFieldType type, const QVariant& v) {
    if (IsNullValue(v))
        return QVariant();
    const int held = v.metaType().id();
    switch (type) {
    case TFieldType::ftFloat:
    case TFieldType::ftDateTime:
        if (held == QMetaType::Double)
            return v; // as the driver gives it: nothing to convert
        break;
    case TFieldType::ftString:
    case TFieldType::ftMemo:
        if (held == QMetaType::QString)
            return v;
        break;
    default: break;
    }
    switch (type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc: return QVariant(int(v.toLongLong()));
    case TFieldType::ftFloat: return QVariant(v.toDouble());
    case TFieldType::ftBoolean:
        if (v.metaType().id() == QMetaType::QString) {
            const QString t = v.toString().trimmed().toLower();
            return QVariant(t == "true" || t == "t" || t == "1" || t == "yes");
        }
        return QVariant(v.toLongLong() != 0);
    case TFieldType::ftDateTime:
        if (v.metaType().id() == QMetaType::QString) {
            bool ok = false;
            const double number = v.toString().toDouble(&ok);
            if (ok)
                return number;
            const QDateTime dt = QDateTime::fromString(v.toString(), Qt::ISODate);
            return dt.isValid() ? QVariant(DateTimeOf(dt)) : QVariant();
        }
        return QVariant(v.toDouble());
    default: return QVariant(v.toString());
    }
}

static QVariant ToSql(TFieldType type, const QVariant& v) {
    if (IsNullValue(v))
        return QVariant();
    switch (type) {
    case TFieldType::ftBoolean: return QVariant(v.toBool() ? 1 : 0);
    case TFieldType::ftDateTime:
    case TFieldType::ftFloat: return QVariant(v.toDouble());
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc: return QVariant(v.toLongLong());
    default: return QVariant(v.toString());
    }
}

// A bound value of unknown kind (parameters): logical and date values as the store keeps them.
static QVariant ToSqlAny(const QVariant& v) {
    if (IsNullValue(v))
        return QVariant();
    switch (v.metaType().id()) {
    case QMetaType::Bool: return v.toBool() ? 1 : 0;
    case QMetaType::QDate: return DateOf(v.toDate());
    case QMetaType::QDateTime: return DateTimeOf(v.toDateTime());
    default: return v;
    }
}

void RaiseSqlError(const QSqlError& error, const QString& what) {
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    const QString code = error.nativeErrorCode();
    if (text.contains(QLatin1String("UNIQUE constraint failed"), Qt::CaseInsensitive) ||
        text.contains(QLatin1String("PRIMARY KEY must be unique"), Qt::CaseInsensitive) || code == "2067" || code == "1555")
        throw EDatabaseError(KeyViolationMessage);
    const QString notNull = QStringLiteral("NOT NULL constraint failed: ");
    if (text.startsWith(notNull, Qt::CaseInsensitive)) {
        QString column = text.mid(notNull.size());
        column = column.mid(column.indexOf('.') + 1);
        throw EDatabaseError(QStringLiteral("Field '%1' must have a value").arg(column));
    }
    const QString noTable = QStringLiteral("no such table: ");
    if (text.startsWith(noTable, Qt::CaseInsensitive))
        throw EDatabaseError(QStringLiteral("Table '%1' does not exist").arg(text.mid(noTable.size())));
    const QString noColumn = QStringLiteral("no such column: ");
    if (text.startsWith(noColumn, Qt::CaseInsensitive))
        throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(text.mid(noColumn.size())));
    throw EDatabaseError(what.isEmpty() ? text : what + QStringLiteral(": ") + text);
}

static void Bind(QSqlQuery& query, const QVariantList& params) {
    for (int i = 0; i < params.size(); ++i)
        query.bindValue(i, params[i]);
}

static void Exec(QSqlQuery& query, const QString& what) {
    if (!query.exec())
        RaiseSqlError(query.lastError(), what);
}

// ---------------------------------------------------------------- session

TSession& Session() {
    static TSession session;
    return session;
}

QString TSession::AliasFile() const {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/Aliases.cfg");
}

void TSession::Reload() {
    FLoaded = false;
    FSections.clear();
}

void TSession::Load() {
    if (FLoaded)
        return;
    FSections.clear();
    QFile file(AliasFile());
    if (!file.exists()) {
        const QString folder = QFileInfo(AliasFile()).absolutePath();
        MakePrivateFolder(folder);
        FSections = {
            {ApplicationAliasName, {"TYPE=SQLITE", "PATH=" + folder, "DATABASE NAME=TavloCalc.db"}},
            {PatientAliasName, {"TYPE=SQLITE", "PATH=" + folder, "DATABASE NAME=TavloPatients.db"}},
            {ExportAliasName,
             {"TYPE=SQLITE", "PATH=" + QCoreApplication::applicationDirPath(), "DATABASE NAME=Export.mdb"}},
            {QStringLiteral("\\SYSTEM\\FORMATS\\NUMBER"), {"DECIMALSEPARATOR=.", "THOUSANDSEPARATOR=,"}},
        };
        FLoaded = true;
        Save();
        return;
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw EDatabaseError(QStringLiteral("Cannot read the alias file '%1'").arg(AliasFile()));
    QTextStream in(&file);
    TSection* current = nullptr;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(';'))
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            FSections.append({line.mid(1, line.size() - 2).trimmed(), {}});
            current = &FSections.last();
        } else if (current) {
            current->Lines << line;
        }
    }
    FLoaded = true;
}

void TSession::Save() {
    MakePrivateFolder(QFileInfo(AliasFile()).absolutePath());
    // Written beside and then put in place, so a crash while writing never
    // leaves a cut alias file behind.
    QSaveFile file(AliasFile());
    if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        QTextStream out(&file);
        for (const TSection& section : FSections) {
            out << '[' << section.Name << "]\n";
            for (const QString& line : section.Lines)
                out << line << '\n';
            out << '\n';
        }
        out.flush();
        if (out.status() == QTextStream::Ok && file.commit())
            return;
    }
    throw EDatabaseError(QStringLiteral("Cannot write the alias file '%1'").arg(AliasFile()));
}

TSession::TSection* TSession::FindSection(const QString& name) {
    Load();
    for (TSection& section : FSections)
        if (SameName(section.Name, name))
            return &section;
    return nullptr;
}

void TSession::GetAliasNames(QStringList& list) {
    Load();
    list.clear();
    for (const TSection& section : FSections)
        if (!section.Name.startsWith('\\'))
            list << section.Name;
}

bool TSession::AliasExists(const QString& alias) {
    return !alias.startsWith('\\') && !alias.isEmpty() && FindSection(alias);
}

void TSession::GetAliasParams(const QString& alias, QStringList& list) {
    TSection* section = AliasExists(alias) ? FindSection(alias) : nullptr;
    if (!section)
        throw EDatabaseError(QStringLiteral("Alias '%1' does not exist").arg(alias));
    list = section->Lines;
}

static QString ValueOf(const QStringList& lines, const QString& name) {
    for (const QString& line : lines) {
        const int eq = int(line.indexOf('='));
        if (eq > 0 && SameName(line.left(eq).trimmed(), name))
            return line.mid(eq + 1).trimmed();
    }
    return QString();
}

QString TSession::AliasPath(const QString& alias) {
    QStringList params;
    GetAliasParams(alias, params);
    return ValueOf(params, QStringLiteral("PATH"));
}

QString TSession::AliasFileName(const QString& alias) {
    QStringList params;
    GetAliasParams(alias, params);
    QString name = ValueOf(params, QStringLiteral("DATABASE NAME"));
    if (name.isEmpty())
        name = alias + QStringLiteral(".db");
    return QDir(ValueOf(params, QStringLiteral("PATH"))).filePath(name);
}

void TSession::AddAlias(const QString& alias, const QStringList& params) {
    if (TSection* section = FindSection(alias))
        section->Lines = params;
    else
        FSections.append({alias, params});
    Save();
}

void TSession::DeleteAlias(const QString& alias) {
    Load();
    for (int i = 0; i < FSections.size(); ++i)
        if (SameName(FSections[i].Name, alias)) {
            FSections.removeAt(i);
            break;
        }
    Save();
}

void TSession::GetConfigParams(const QString& path, QStringList& list) {
    TSection* section = FindSection(path);
    list = section ? section->Lines : QStringList();
}

void TSession::SetConfigParams(const QString& path, const QStringList& list) {
    if (TSection* section = FindSection(path))
        section->Lines = list;
    else
        FSections.append({path, list});
    Save();
}

void TSession::AddPassword(const QString& password) {
    if (!FPasswords.contains(password))
        FPasswords << password;
}

// ---------------------------------------------------------------- database

static QList<TDatabase*>& Databases() {
    static QList<TDatabase*> list;
    return list;
}

TDatabase::TDatabase(QObject* owner) : TComponent(owner) { Databases().append(this); }

TDatabase::~TDatabase() {
    // Freeing the database closes no table: their handlers belong to owners
    // that may be half gone already. A table left open finds no database of
    // this name and fails when it next reads.
    FDataSets.clear();
    try {
        Close();
    } catch (...) {
    }
    Databases().removeOne(this);
}

void TDatabase::SetDatabaseName(const QString& name) {
    if (FConnected)
        throw EDatabaseError(QStringLiteral("Cannot perform this operation on an open database"));
    FDatabaseName = name;
}

void TDatabase::SetAliasName(const QString& alias) {
    if (FConnected)
        throw EDatabaseError(QStringLiteral("Cannot perform this operation on an open database"));
    FAliasName = alias;
}

QString TDatabase::ParamValue(const QString& name) const { return ValueOf(Params, name); }

void TDatabase::SetParamValue(const QString& name, const QString& value) {
    for (QString& line : Params) {
        const int eq = int(line.indexOf('='));
        if (eq > 0 && SameName(line.left(eq).trimmed(), name)) {
            line = name + '=' + value;
            return;
        }
    }
    Params << name + '=' + value;
}

TDatabase* TDatabase::Find(const QString& databaseName) {
    for (TDatabase* db : Databases())
        if (SameName(db->FDatabaseName, databaseName))
            return db;
    return nullptr;
}

TDatabase* TDatabase::ByName(const QString& databaseName) {
    if (TDatabase* db = Find(databaseName))
        return db;
    if (Session().AliasExists(databaseName)) {
        // A dataset may name an alias directly; it gets a connection of its own.
        auto* db = new TDatabase(QCoreApplication::instance());
        db->FDatabaseName = databaseName;
        db->FAliasName = databaseName;
        return db;
    }
    throw EDatabaseError(QStringLiteral("Unknown database '%1'").arg(databaseName));
}

void TDatabase::Open() {
    if (FConnected)
        return;
    const QString alias = FAliasName.isEmpty() ? FDatabaseName : FAliasName;
    if (!Session().AliasExists(alias))
        throw EDatabaseError(QStringLiteral("Alias '%1' does not exist").arg(alias));
    const QString file = Session().AliasFileName(alias);
    if (!QFileInfo::exists(file)) {
        if (ParamValue(QStringLiteral("CREATE")).compare("TRUE", Qt::CaseInsensitive) != 0)
            throw EDatabaseError(QStringLiteral("Cannot open database '%1': the file '%2' does not exist")
                                     .arg(FDatabaseName.isEmpty() ? alias : FDatabaseName, file));
        // A created database holds patient data (an export): private from
        // its first byte; SQLite gives its journal and WAL the same rights.
        CreatePrivateFile(file);
    }
    static int counter = 0;
    FConnectionName = QStringLiteral("tavlo-db-%1").arg(++counter);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), FConnectionName);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        bool ok = db.open();
        QString message = db.lastError().text();
        if (ok) {
            // Every file in WAL mode; FULL makes each commit reach the disk,
            // so a posted row survives a crash of the program or the machine.
            QSqlQuery q(db);
            ok = q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) && q.next() &&
                 q.value(0).toString().compare("wal", Qt::CaseInsensitive) == 0 &&
                 q.exec(QStringLiteral("PRAGMA synchronous=FULL")) &&
                 q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
            if (!ok)
                message = q.lastError().text();
        }
        if (!ok) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(FConnectionName);
            throw EDatabaseError(QStringLiteral("Cannot open database '%1': %2")
                                     .arg(FDatabaseName.isEmpty() ? alias : FDatabaseName, message));
        }
    }
    FFileName = file;
    FConnected = true;
}

void TDatabase::AttachDataSet(TDataSet* dataSet) {
    FDataSets.removeIf([](const QPointer<TDataSet>& d) { return !d || !d->Active(); });
    if (!FDataSets.contains(dataSet))
        FDataSets.append(dataSet);
}

void TDatabase::Close() {
    if (!FConnected)
        return;
    const QList<QPointer<TDataSet>> dataSets = std::exchange(FDataSets, {});
    for (const QPointer<TDataSet>& dataSet : dataSets)
        if (dataSet && dataSet->Active())
            dataSet->DatabaseClosed();
    ReleaseReadSnapshot();
    FSnapshotQuery.reset();
    FPrepared.clear();
    FColumns.clear();
    FIndexes.clear();
    FStoredNames.clear();
    ++FSchemaGeneration;
    FSchemaLoaded = false;
    {
        QSqlDatabase db = QSqlDatabase::database(FConnectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(FConnectionName);
    FConnected = false;
    FInTransaction = false;
}

QSqlDatabase TDatabase::Connection() const {
    if (!FConnected)
        throw EDatabaseError(QStringLiteral("Database '%1' is not connected").arg(FDatabaseName));
    return QSqlDatabase::database(FConnectionName, false);
}

void TDatabase::StartTransaction() {
    WritesFollow();
    if (FInTransaction)
        throw EDatabaseError(QStringLiteral("A transaction is already active"));
    if (!Connection().transaction())
        RaiseSqlError(Connection().lastError(), QStringLiteral("Cannot start a transaction"));
    FInTransaction = true;
}

// Statements still reading would hold a commit or rollback back; reset,
// they stay prepared for the next use.
void TDatabase::FinishStatements() {
    for (QSqlQuery& query : FPrepared)
        query.finish();
}

void TDatabase::Commit() {
    if (!FInTransaction)
        return;
    FinishStatements();
    if (!Connection().commit())
        RaiseSqlError(Connection().lastError(), QStringLiteral("Cannot commit"));
    FInTransaction = false;
    WritesFollow();
}

void TDatabase::Rollback() {
    if (!FInTransaction)
        return;
    FinishStatements();
    WritesFollow();
    const bool ok = Connection().rollback();
    const QSqlError error = Connection().lastError();
    FInTransaction = false;
    if (!ok)
        RaiseSqlError(error, QStringLiteral("Cannot roll back"));
    // Rows written inside the transaction are gone and their row identities
    // free again: every open dataset reads its rows anew. One that fails
    // does not keep the others from following; its error is raised after.
    std::exception_ptr failure;
    const QList<QPointer<TDataSet>> dataSets = FDataSets;
    for (const QPointer<TDataSet>& dataSet : dataSets) {
        if (!dataSet || !dataSet->Active())
            continue;
        try {
            dataSet->DatabaseRolledBack();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    }
    if (failure)
        std::rethrow_exception(failure);
}

TTransactionScope::TTransactionScope(TDatabase* database)
    : FDatabase(database), FOwn(!database->InTransaction()) {
    if (FOwn)
        FDatabase->StartTransaction();
}

TTransactionScope::~TTransactionScope() {
    if (!FOwn)
        return;
    try {
        FDatabase->Rollback();
    } catch (...) {
        // Leaving by an error already: that error is the one to report.
    }
}

void TTransactionScope::Commit() {
    if (!FOwn)
        return;
    FDatabase->Commit();
    FOwn = false;
}

QSqlQuery& TDatabase::Prepared(const QString& sql) {
    if (sql.startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive))
        HoldReadSnapshot();
    else
        WritesFollow();
    auto it = FPrepared.find(sql);
    if (it == FPrepared.end()) {
        QSqlQuery query(Connection());
        query.setForwardOnly(true);
        if (!query.prepare(sql))
            RaiseSqlError(query.lastError(), QString());
        it = FPrepared.insert(sql, query);
    }
    ++FStatementCount;
    return *it;
}

// SQLite begins and ends a read transaction around every statement that
// finds none, each costing the file locks of the store. A read holds one
// instead until control returns to the event loop, so the reads of one user
// operation (a master move and every detail following it) share it. It ends
// before any write or transaction of any database of the process, so no
// write waits on it and every later read sees what was written.
void TDatabase::HoldReadSnapshot() {
    if (FSnapshotHeld || FInTransaction || !FConnected)
        return;
    if (!FSnapshotQuery) {
        FSnapshotQuery = std::make_unique<QSqlQuery>(Connection());
        FSnapshotQuery->setForwardOnly(true);
        if (!FSnapshotQuery->prepare(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
            FSnapshotQuery.reset();
            return;
        }
    }
    ++FStatementCount;
    if (!FSnapshotQuery->exec() || !FSnapshotQuery->next()) {
        FSnapshotQuery->finish();
        return;
    }
    FSnapshotHeld = true;
    QTimer::singleShot(0, this, [this] { ReleaseReadSnapshot(); });
}

void TDatabase::ReleaseReadSnapshot() {
    if (!FSnapshotHeld)
        return;
    FSnapshotQuery->finish();
    FSnapshotHeld = false;
}

void TDatabase::WritesFollow() {
    for (TDatabase* db : Databases())
        db->ReleaseReadSnapshot();
}

void TDatabase::ExecSql(const QString& sql, const QVariantList& params) {
    WritesFollow();
    QSqlQuery query(Connection());
    if (!query.prepare(sql))
        RaiseSqlError(query.lastError(), QString());
    Bind(query, params);
    ++FStatementCount;
    Exec(query, QString());
}

void TDatabase::SchemaChanged() {
    ++FSchemaGeneration;
    FSchemaLoaded = false;
    FColumns.clear();
    FIndexes.clear();
    FStoredNames.clear();
    FPrepared.clear();
}

QString TDatabase::StoredTableName(const QString& tableName) {
    const QString key = tableName.toLower();
    auto it = FStoredNames.find(key);
    if (it == FStoredNames.end() && !FSchemaLoaded) {
        LoadSchema();
        it = FStoredNames.find(key);
    }
    if (it != FStoredNames.end())
        return *it;
    QSqlQuery& q = Prepared(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type IN ('table','view') AND name = ? COLLATE NOCASE"));
    q.bindValue(0, tableName);
    Exec(q, QString());
    const QString stored = q.next() ? q.value(0).toString() : QString();
    q.finish();
    if (!stored.isEmpty())
        FStoredNames.insert(key, stored);
    return stored;
}

void TDatabase::GetTableNames(QStringList& list) {
    list.clear();
    QSqlQuery q(Connection());
    ++FStatementCount;
    if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY name")))
        RaiseSqlError(q.lastError(), QString());
    while (q.next())
        list << q.value(0).toString();
}

// A NOT NULL column with a default is filled by the store when a row leaves
// it out, so only one without a default is required.
static TFieldDef DefFromDeclared(const QString& name, const QString& declared, bool notNull, bool hasDefault,
                                 bool rowidAlias) {
    TFieldDef def;
    def.Name = name;
    def.Required = notNull && !hasDefault;
    const QString type = declared.trimmed().toUpper();
    const int paren = int(type.indexOf('('));
    const QString base = (paren >= 0 ? type.left(paren) : type).trimmed();
    const int size = paren >= 0 ? type.mid(paren + 1, type.indexOf(')') - paren - 1).toInt() : 0;
    if (rowidAlias)
        def.DataType = TFieldType::ftAutoInc;
    else if (base == "SMALLINT")
        def.DataType = TFieldType::ftSmallint;
    else if (base == "INTEGER" || base == "INT" || base == "BIGINT")
        def.DataType = TFieldType::ftInteger;
    else if (base == "FLOAT" || base == "REAL" || base == "DOUBLE" || base == "NUMERIC")
        def.DataType = TFieldType::ftFloat;
    else if (base == "BOOLEAN" || base == "LOGICAL" || base == "BOOL")
        def.DataType = TFieldType::ftBoolean;
    else if (base == "DATETIME" || base == "DATE" || base == "TIMESTAMP")
        def.DataType = TFieldType::ftDateTime;
    else if ((base == "VARCHAR" || base == "CHAR" || base == "TEXT") && size > 0) {
        def.DataType = TFieldType::ftString;
        def.Size = size;
    } else
        def.DataType = TFieldType::ftMemo;
    if (def.DataType == TFieldType::ftAutoInc)
        def.Required = false;
    return def;
}

static QString DeclaredType(const TFieldDef& def) {
    QString type;
    switch (def.DataType) {
    case TFieldType::ftAutoInc: return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case TFieldType::ftInteger: type = QStringLiteral("INTEGER"); break;
    case TFieldType::ftSmallint: type = QStringLiteral("SMALLINT"); break;
    case TFieldType::ftFloat: type = QStringLiteral("FLOAT"); break;
    case TFieldType::ftBoolean: type = QStringLiteral("BOOLEAN"); break;
    case TFieldType::ftDateTime: type = QStringLiteral("DATETIME"); break;
    case TFieldType::ftString: type = QStringLiteral("VARCHAR(%1)").arg(def.Size > 0 ? def.Size : 255); break;
    default: type = QStringLiteral("TEXT"); break;
    }
    return def.Required ? type + QStringLiteral(" NOT NULL") : type;
}

namespace {
struct TColumnInfo {
    QString Name, Type;
    bool NotNull, HasDefault;
    int Pk;
};

// A one-column INTEGER primary key is the rowid: the auto-increment field.
TFieldDefs DefsOfColumns(const QVector<TColumnInfo>& columns) {
    int pkCount = 0;
    for (const TColumnInfo& c : columns)
        if (c.Pk > 0)
            ++pkCount;
    TFieldDefs defs;
    for (const TColumnInfo& c : columns)
        defs << DefFromDeclared(c.Name, c.Type, c.NotNull, c.HasDefault,
                                c.Pk > 0 && pkCount == 1 && c.Type.trimmed().compare("INTEGER", Qt::CaseInsensitive) == 0);
    return defs;
}

// Index names are per table in the system, per database in SQLite.
QString SystemIndexName(const QString& stored, const QString& name) {
    const QString prefix = stored + ':';
    return name.startsWith(prefix, Qt::CaseInsensitive) ? name.mid(prefix.size()) : name;
}
} // namespace

// The names, columns and indexes of every table read in two statements, the
// first time any is needed: a dataset opening on a table asks the store
// nothing more. A table created later is still found by its name.
void TDatabase::LoadSchema() {
    if (FSchemaLoaded)
        return;
    FSchemaLoaded = true;
    QHash<QString, QString> names;
    QHash<QString, QVector<TColumnInfo>> columns;
    QHash<QString, QVector<TIndexDef>> indexes;
    {
        QSqlQuery q(Connection());
        q.setForwardOnly(true);
        ++FStatementCount;
        if (!q.exec(QStringLiteral("SELECT m.name, p.name, p.type, p.\"notnull\", p.dflt_value, p.pk "
                                   "FROM sqlite_master m, pragma_table_info(m.name) p "
                                   "WHERE m.type IN ('table','view')")))
            return; // a view that no longer compiles: each table is read on its own
        while (q.next()) {
            const QString table = q.value(0).toString();
            names.insert(table.toLower(), table);
            columns[table.toLower()].append({q.value(1).toString(), q.value(2).toString(), q.value(3).toInt() != 0,
                                             !q.value(4).isNull(), q.value(5).toInt()});
        }
    }
    {
        QSqlQuery q(Connection());
        q.setForwardOnly(true);
        ++FStatementCount;
        if (!q.exec(QStringLiteral("SELECT m.name, il.name, il.\"unique\", ii.name "
                                   "FROM sqlite_master m, pragma_index_list(m.name) il, pragma_index_info(il.name) ii "
                                   "WHERE m.type = 'table'")))
            return;
        while (q.next()) {
            const QString table = q.value(0).toString();
            QVector<TIndexDef>& list = indexes[table.toLower()];
            const QString name = SystemIndexName(table, q.value(1).toString());
            if (list.isEmpty() || list.last().Name != name)
                list.append({name, QString(), q.value(2).toInt() != 0});
            TIndexDef& def = list.last();
            def.Fields += (def.Fields.isEmpty() ? QString() : QStringLiteral(";")) + q.value(3).toString();
        }
    }
    for (auto it = names.cbegin(); it != names.cend(); ++it) {
        FStoredNames.insert(it.key(), it.value());
        FColumns.insert(it.key(), DefsOfColumns(columns.value(it.key())));
        FIndexes.insert(it.key(), indexes.value(it.key()));
    }
}

TFieldDefs TDatabase::ColumnsOf(const QString& tableName) {
    const QString stored = StoredTableName(tableName);
    if (stored.isEmpty())
        throw EDatabaseError(QStringLiteral("Table '%1' does not exist in database '%2'").arg(tableName, FDatabaseName));
    auto it = FColumns.find(stored.toLower());
    if (it != FColumns.end())
        return *it;
    QSqlQuery q(Connection());
    ++FStatementCount;
    if (!q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(QuoteName(stored))))
        RaiseSqlError(q.lastError(), QString());
    QVector<TColumnInfo> columns;
    while (q.next())
        columns.append({q.value(1).toString(), q.value(2).toString(), q.value(3).toInt() != 0, !q.value(4).isNull(),
                        q.value(5).toInt()});
    const TFieldDefs defs = DefsOfColumns(columns);
    FColumns.insert(stored.toLower(), defs);
    return defs;
}

// Read once per table; a created or dropped table forgets them (SchemaChanged).
QVector<TIndexDef> TDatabase::IndexesOf(const QString& tableName) {
    const QString stored = StoredTableName(tableName);
    QVector<TIndexDef> result;
    if (stored.isEmpty())
        return result;
    auto cached = FIndexes.constFind(stored.toLower());
    if (cached != FIndexes.constEnd())
        return *cached;
    QSqlQuery q(Connection());
    ++FStatementCount;
    if (!q.exec(QStringLiteral("PRAGMA index_list(%1)").arg(QuoteName(stored))))
        RaiseSqlError(q.lastError(), QString());
    QVector<TIndexDef> raw;
    while (q.next())
        raw.append({q.value(1).toString(), QString(), q.value(2).toInt() != 0});
    for (TIndexDef& def : raw) {
        QSqlQuery info(Connection());
        ++FStatementCount;
        if (!info.exec(QStringLiteral("PRAGMA index_info(%1)").arg(QuoteName(def.Name))))
            continue;
        QStringList fields;
        while (info.next())
            fields << info.value(2).toString();
        def.Fields = fields.join(';');
        def.Name = SystemIndexName(stored, def.Name);
        result << def;
    }
    FIndexes.insert(stored.toLower(), result);
    return result;
}

// ---------------------------------------------------------------- table

void TTable::CheckInactive() const {
    if (Active())
        DatabaseError(QStringLiteral("Cannot perform this operation on an open dataset"));
}

// A new name forgets the stored spelling of the old one, so no write
// reaches the table the dataset named before.
void TTable::SetDatabaseName(const QString& name) {
    CheckInactive();
    FDatabaseName = name;
    FDatabase = nullptr;
    FStoredName.clear();
}

void TTable::SetTableName(const QString& name) {
    CheckInactive();
    FTableName = name;
    FStoredName.clear();
}

const QString& TTable::StoredName() {
    if (FStoredName.isEmpty())
        InternalInitFieldDefs();
    return FStoredName;
}

TDatabase* TTable::Database() const {
    if (!FDatabase)
        FDatabase = TDatabase::ByName(FDatabaseName);
    if (!FDatabase->Connected())
        FDatabase->Open();
    return FDatabase;
}

bool TTable::Exists() const { return Database()->TableExists(FTableName); }

void TTable::CreateTable(const TFieldDefs& defs, const QVector<TIndexDef>& indexes) {
    CheckInactive();
    TDatabase* db = Database();
    QStringList columns;
    for (const TFieldDef& def : defs)
        columns << QuoteName(def.Name) + ' ' + DeclaredType(def);
    db->ExecSql(QStringLiteral("CREATE TABLE %1 (%2)").arg(QuoteName(FTableName), columns.join(", ")));
    for (const TIndexDef& index : indexes) {
        QStringList fields;
        for (const QString& f : SplitFieldNames(index.Fields))
            fields << QuoteName(f);
        db->ExecSql(QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                        .arg(index.Unique ? "UNIQUE " : "", QuoteName(FTableName + ':' + index.Name),
                             QuoteName(FTableName), fields.join(", ")));
    }
    db->SchemaChanged();
}

void TTable::EmptyTable() {
    Database()->ExecSql(QStringLiteral("DELETE FROM %1").arg(QuoteName(FTableName)));
    if (Active())
        Refresh();
}

void TTable::DeleteTable() {
    CheckInactive();
    Database()->ExecSql(QStringLiteral("DROP TABLE %1").arg(QuoteName(FTableName)));
    Database()->SchemaChanged();
}

QVector<TIndexDef> TTable::IndexDefs() const {
    TDatabase* db = Database();
    if (FStoredName.isEmpty() || FIndexesGeneration != db->SchemaGeneration() || FIndexesOf != FStoredName) {
        FIndexes = db->IndexesOf(FStoredName.isEmpty() ? FTableName : FStoredName);
        FIndexesOf = FStoredName;
        FIndexesGeneration = db->SchemaGeneration();
    }
    return FIndexes;
}

QStringList TTable::IndexFieldsOfName(const QString& indexName) const {
    for (const TIndexDef& def : IndexDefs())
        if (SameName(def.Name, indexName))
            return SplitFieldNames(def.Fields);
    return TDataSet::IndexFieldsOfName(indexName);
}

// A detail reads its source's columns on every master move: they are kept
// until the table is renamed or the database's schema changes.
void TTable::InternalInitFieldDefs() {
    TDatabase* db = Database();
    if (!FStoredName.isEmpty() && FDefsGeneration == db->SchemaGeneration() && FDefsOf == FStoredName) {
        FFieldDefs = FDefs;
        return;
    }
    FStoredName = db->StoredTableName(FTableName);
    if (FStoredName.isEmpty())
        DatabaseError(QStringLiteral("Table '%1' does not exist in database '%2'").arg(FTableName, FDatabaseName));
    FFieldDefs = FDefs = db->ColumnsOf(FStoredName);
    FQuotedNames.clear();
    for (const TFieldDef& def : FFieldDefs)
        FQuotedNames << QuoteName(def.Name);
    FSelectList = FQuotedNames.join(QStringLiteral(", "));
    FQuotedTable = QuoteName(FStoredName);
    FDefsOf = FStoredName;
    FDefsGeneration = db->SchemaGeneration();
}

QString TTable::QuotedColumn(int slot) const {
    return slot < FQuotedNames.size() && FDefsOf == FStoredName ? FQuotedNames[slot] : QuoteName(FFieldDefs[slot].Name);
}

void TTable::InternalOpen() {
    Database()->AttachDataSet(this);
    InternalReload();
}

void TTable::InternalClose() {
    FIds.clear();
    FCache.clear();
    FIdIndex.clear();
    FIdIndexValid = false;
}

QString TTable::SelectList() const {
    if (FDefsOf == FStoredName && FQuotedNames.size() == FFieldDefs.size())
        return FSelectList;
    QStringList names;
    for (const TFieldDef& def : FFieldDefs)
        names << QuoteName(def.Name);
    return names.join(", ");
}

void TTable::ReadRow(const QSqlQuery& query, QVector<QVariant>& values) const {
    values.resize(FFieldDefs.size());
    for (int i = 0; i < FFieldDefs.size(); ++i)
        values[i] = FromSql(FFieldDefs[i].DataType, query.value(i + 1));
}

void TTable::BuildWhere(QString& where, QVariantList& params, bool& memoryFilter, QStringList* rangeFields) const {
    QStringList conditions;
    QStringList fields;
    QVariantList values;
    const bool ranged = MasterRange(fields, values);
    if (rangeFields)
        *rangeFields = ranged ? fields : QStringList();
    if (ranged)
        for (int i = 0; i < fields.size(); ++i) {
            const int slot = DataIndexOfField(fields[i]);
            if (slot < 0)
                DatabaseError(QStringLiteral("Field '%1' not found").arg(fields[i]));
            if (IsNullValue(values[i]))
                conditions << QStringLiteral("0"); // no master row: nothing is visible
            else {
                conditions << QuotedColumn(slot) + QStringLiteral(" = ?");
                params << ToSql(FFieldDefs[slot].DataType, values[i]);
            }
        }
    memoryFilter = false;
    if (const TFilterExpr* filter = ActiveFilter()) {
        bool exact = true;
        conditions << filter->ToSql(params, exact);
        memoryFilter = !exact;
    }
    where = conditions.isEmpty() ? QString() : QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
}

static QString OrderBy(const QStringList& fields) {
    QStringList parts;
    for (const QString& f : fields)
        parts << QuoteName(f);
    parts << QStringLiteral("rowid");
    return QStringLiteral(" ORDER BY ") + parts.join(", ");
}

void TTable::InternalReload() {
    FIds.clear();
    FCache.clear();
    FIdIndexValid = false;
    const QStringList order = OrderFieldNames();
    FOrderSlots.clear();
    for (const QString& name : order) {
        const int slot = DataIndexOfField(name);
        if (slot < 0)
            DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
        FOrderSlots << slot;
    }
    TDatabase* db = Database();
    QString where;
    QVariantList params;
    bool memoryFilter = false;
    BuildWhere(where, params, memoryFilter);
    const QString from = QStringLiteral(" FROM ") + QuoteName(FStoredName) + where + OrderBy(order);
    // A small range (a detail's rows) is read whole in one query; beyond
    // that only the row identities are read, the rows follow in pages.
    constexpr int Whole = 1000;
    QString sql = QStringLiteral("SELECT rowid, ") + SelectList() + from;
    if (!memoryFilter)
        sql += QStringLiteral(" LIMIT %1").arg(Whole + 1);
    QSqlQuery& q = db->Prepared(sql);
    Bind(q, params);
    Exec(q, QString());
    QVector<QVariant> values;
    TRecordBuffer probe;
    bool more = false;
    while (q.next()) {
        if (!memoryFilter && FIds.size() == Whole) {
            more = true;
            break;
        }
        const qint64 id = q.value(0).toLongLong();
        ReadRow(q, values);
        if (memoryFilter) {
            probe.Data = values;
            if (!FilterAccepts(probe))
                continue;
        }
        FIds << id;
        FCache.insert(id, values);
    }
    q.finish();
    if (more) {
        QSqlQuery& keys = db->Prepared(QStringLiteral("SELECT rowid") + from);
        Bind(keys, params);
        Exec(keys, QString());
        FIds.clear();
        while (keys.next())
            FIds << keys.value(0).toLongLong();
        keys.finish();
    }
}

void TTable::FetchPage(int index) {
    constexpr int Page = 128;
    if (FCache.size() > 16 * 1024)
        FCache.clear();
    const int from = qMax(0, index - Page / 4);
    const int to = qMin(int(FIds.size()), from + Page);
    QVariantList ids;
    for (int i = from; i < to; ++i)
        if (!FCache.contains(FIds[i]))
            ids << FIds[i];
    if (ids.isEmpty())
        return;
    QStringList marks;
    for (int i = 0; i < ids.size(); ++i)
        marks << QStringLiteral("?");
    QSqlQuery& q = Database()->Prepared(QStringLiteral("SELECT rowid, ") + SelectList() + QStringLiteral(" FROM ") +
                                        QuoteName(FStoredName) + QStringLiteral(" WHERE rowid IN (") +
                                        marks.join(',') + ')');
    Bind(q, ids);
    Exec(q, QString());
    QVector<QVariant> values;
    while (q.next()) {
        ReadRow(q, values);
        FCache.insert(q.value(0).toLongLong(), values);
    }
    q.finish();
    // A row gone from the store leaves the view instead of showing empty.
    QSet<qint64> gone;
    for (const QVariant& id : ids)
        if (!FCache.contains(id.toLongLong()))
            gone.insert(id.toLongLong());
    if (!gone.isEmpty()) {
        FIds.removeIf([&](qint64 id) { return gone.contains(id); });
        FIdIndexValid = false;
    }
}

bool TTable::ReadStoredRow(qint64 id, QVector<QVariant>& values) {
    if (!Active())
        InternalInitFieldDefs();
    QSqlQuery& q = Database()->Prepared(QStringLiteral("SELECT rowid, ") + SelectList() + QStringLiteral(" FROM ") +
                                        QuoteName(FStoredName) + QStringLiteral(" WHERE rowid = ?"));
    q.bindValue(0, id);
    Exec(q, QString());
    const bool found = q.next();
    if (found)
        ReadRow(q, values);
    q.finish();
    return found;
}

qint64 TTable::HighestRowId() {
    QSqlQuery& q = Database()->Prepared(QStringLiteral("SELECT max(rowid) FROM ") + QuoteName(StoredName()));
    Exec(q, QString());
    const qint64 highest = q.next() ? q.value(0).toLongLong() : 0;
    q.finish();
    return highest;
}

QVector<QVariant> TTable::FetchById(qint64 id) {
    QVector<QVariant> values;
    if (!ReadStoredRow(id, values))
        DatabaseError(QStringLiteral("Record not found"));
    return values;
}

void TTable::InternalGetRow(int index, TRecordBuffer& buffer) {
    auto it = FCache.constFind(FIds[index]);
    if (it == FCache.constEnd()) {
        FetchPage(index); // drops rows another dataset deleted meanwhile
        if (index >= FIds.size()) {
            buffer.Id = 0;
            buffer.Data = QVector<QVariant>(FFieldDefs.size());
            return;
        }
        it = FCache.constFind(FIds[index]);
    }
    buffer.Id = FIds[index];
    buffer.Data = it != FCache.constEnd() ? *it : QVector<QVariant>(FFieldDefs.size());
}

int TTable::IndexOfId(qint64 id) const {
    if (!FIdIndexValid) {
        FIdIndex.clear();
        FIdIndex.reserve(FIds.size());
        for (int i = 0; i < FIds.size(); ++i)
            FIdIndex.insert(FIds[i], i);
        FIdIndexValid = true;
    }
    return FIdIndex.value(id, -1);
}

bool TTable::InRange(const QVector<QVariant>& values) const {
    QStringList fields;
    QVariantList wanted;
    if (!MasterRange(fields, wanted))
        return true;
    for (int i = 0; i < fields.size(); ++i) {
        const int slot = DataIndexOfField(fields[i]);
        if (IsNullValue(wanted[i]) || IsNullValue(values.value(slot)) || CompareValues(values.value(slot), wanted[i]) != 0)
            return false;
    }
    return true;
}

int TTable::PlaceId(qint64 id, const QVector<QVariant>& values) {
    auto less = [&](const QVector<QVariant>& a, qint64 aid, const QVector<QVariant>& b, qint64 bid) {
        for (int slot : FOrderSlots) {
            const int c = CompareValues(a.value(slot), b.value(slot));
            if (c != 0)
                return c < 0;
        }
        return aid < bid;
    };
    int lo = 0, hi = int(FIds.size());
    TRecordBuffer row;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        InternalGetRow(mid, row);
        if (less(row.Data, row.Id, values, id))
            lo = mid + 1;
        else
            hi = mid;
    }
    FIds.insert(lo, id);
    FCache.insert(id, values);
    FIdIndexValid = false;
    return lo;
}

qint64 TTable::InsertRow(const TFieldDefs& defs, const QVector<QVariant>& values) {
    const QString stored = StoredName();
    QStringList columns, marks;
    QVariantList params;
    for (int i = 0; i < defs.size(); ++i) {
        if (IsNullValue(values.value(i)))
            continue;
        columns << QuoteName(defs[i].Name);
        marks << QStringLiteral("?");
        params << ToSql(defs[i].DataType, values[i]);
    }
    const QString sql = columns.isEmpty()
                            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(QuoteName(stored))
                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(QuoteName(stored), columns.join(", "), marks.join(", "));
    QSqlQuery& q = Database()->Prepared(sql);
    Bind(q, params);
    Exec(q, QString());
    const qint64 id = q.lastInsertId().toLongLong();
    q.finish();
    return id;
}

void TTable::UpdateRow(qint64 id, const TFieldDefs& defs, const QVector<QVariant>& values) {
    const QString stored = StoredName();
    QStringList sets;
    QVariantList params;
    for (int i = 0; i < defs.size(); ++i) {
        sets << QuoteName(defs[i].Name) + QStringLiteral(" = ?");
        params << ToSql(defs[i].DataType, values.value(i));
    }
    if (sets.isEmpty())
        return;
    params << id;
    QSqlQuery& q = Database()->Prepared(
        QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(QuoteName(stored), sets.join(", ")));
    Bind(q, params);
    Exec(q, QString());
    const int affected = q.numRowsAffected();
    q.finish();
    if (affected == 0)
        DatabaseError(QStringLiteral("Record not found"));
}

void TTable::DeleteRow(qint64 id) {
    const QString stored = StoredName();
    QSqlQuery& q = Database()->Prepared(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(QuoteName(stored)));
    q.bindValue(0, id);
    Exec(q, QString());
    const int affected = q.numRowsAffected();
    q.finish();
    if (affected == 0)
        DatabaseError(QStringLiteral("Record not found"));
}

int TTable::InternalPost(TRecordBuffer& buffer, bool inserting, int /*insertIndex*/) {
    qint64 id = buffer.Id;
    if (inserting) {
        id = InsertRow(FFieldDefs, buffer.Data);
    } else {
        const QVector<QVariant> stored = FCache.contains(id) ? FCache.value(id) : FetchById(id);
        TFieldDefs defs;
        QVector<QVariant> changed;
        for (int i = 0; i < FFieldDefs.size(); ++i)
            if (buffer.Data.value(i) != stored.value(i) || IsNullValue(buffer.Data.value(i)) != IsNullValue(stored.value(i))) {
                defs << FFieldDefs[i];
                changed << buffer.Data.value(i);
            }
        UpdateRow(id, defs, changed);
        const int at = IndexOfId(id);
        if (at >= 0) {
            FIds.remove(at);
            FIdIndexValid = false;
        }
    }
    const QVector<QVariant> values = FetchById(id);
    buffer.Id = id;
    TRecordBuffer probe;
    probe.Data = values;
    if (!InRange(values) || !FilterAccepts(probe)) {
        FCache.remove(id);
        return -1;
    }
    return PlaceId(id, values);
}

void TTable::InternalDelete(int index) {
    const qint64 id = FIds[index];
    DeleteRow(id);
    FIds.remove(index);
    FCache.remove(id);
    FIdIndexValid = false;
}

bool TTable::InternalLocate(const QStringList& fields, const QVariantList& values, TLocateOptions options, int& index) {
    // Small ranges are in memory already; a scan is cheaper than a query.
    if (FIds.size() <= 1000)
        return false;
    index = -1;
    return LocateRowIds(fields, values, options, OrderFieldNames(), [&](qint64 id) {
        index = IndexOfId(id);
        return index < 0;
    });
}

bool TTable::LocateRowIds(const QStringList& fields, const QVariantList& values, TLocateOptions options,
                          const QStringList& order, const std::function<bool(qint64)>& each) {
    const QString stored = StoredName();
    if (!Active())
        InternalInitFieldDefs(); // a closed source table answers for its in-memory dataset
    QStringList conditions;
    QVariantList params;
    for (int i = 0; i < fields.size(); ++i) {
        const int slot = DataIndexOfField(fields[i]);
        if (slot < 0)
            return false; // calculated or lookup: the scan handles it
        const TFieldType type = FFieldDefs[slot].DataType;
        const QVariant v = FindField(fields[i]) ? FindField(fields[i])->Coerce(values.value(i)) : values.value(i);
        const QString column = QuoteName(FFieldDefs[slot].Name);
        if (IsTextType(type) && options != 0 && !IsNullValue(v)) {
            // SQLite folds the case of ASCII letters alone: a text with any
            // other letter (æøå) is searched by the scan, as before.
            const QString text = v.toString();
            if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x80; }))
                return false;
            const bool ci = options & loCaseInsensitive;
            if (!(options & loPartialKey)) {
                conditions << column + QStringLiteral(" = ? COLLATE NOCASE");
                params << text;
            } else if (ci) {
                // LIKE ignores ASCII case and can run on a COLLATE NOCASE index.
                QString pattern = text;
                pattern.replace('\\', QStringLiteral("\\\\")).replace('%', QStringLiteral("\\%")).replace('_', QStringLiteral("\\_"));
                conditions << column + QStringLiteral(" LIKE ? ESCAPE '\\'");
                params << pattern + '%';
            } else {
                conditions << QStringLiteral("substr(%1, 1, %2) = ?").arg(column).arg(text.size());
                params << text;
            }
            continue;
        }
        if (IsNullValue(v))
            conditions << column + QStringLiteral(" IS NULL");
        else {
            conditions << column + QStringLiteral(" = ?");
            params << ToSql(type, v);
        }
    }
    QSqlQuery& q = Database()->Prepared(QStringLiteral("SELECT rowid FROM ") + QuoteName(stored) +
                                        QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND ")) +
                                        OrderBy(order));
    Bind(q, params);
    Exec(q, QString());
    while (q.next())
        if (!each(q.value(0).toLongLong()))
            break;
    q.finish();
    return true;
}

bool TTable::SelectRowIds(const QString& condition, const QVariantList& params,
                          const std::function<bool(qint64)>& each) {
    const QString stored = StoredName();
    QSqlQuery& q = Database()->Prepared(QStringLiteral("SELECT rowid FROM ") + QuoteName(stored) +
                                        QStringLiteral(" WHERE ") + condition);
    Bind(q, params);
    Exec(q, QString());
    while (q.next())
        if (!each(q.value(0).toLongLong()))
            break;
    q.finish();
    return true;
}

// A closed table reads the packet without opening: an open one would read
// its rows a second time and follow its master on its own. A filter needs
// the binding of an open table.
TDataPacket TTable::ReadPacket(const QString& keyFields, const QVariant& keyValues) {
    if (Active())
        CheckBrowseMode();
    else if (Filtered() && !Filter().trimmed().isEmpty())
        Open();
    else
        InternalInitFieldDefs();
    TDataPacket packet;
    packet.Defs = FFieldDefs;
    packet.Indexes = IndexDefs();
    QString where;
    QVariantList params;
    bool memoryFilter = false;
    QStringList fixed; // fields every row read holds the same value of
    BuildWhere(where, params, memoryFilter, &fixed);
    const QStringList keys = SplitFieldNames(keyFields);
    const QVariantList values = keys.isEmpty() ? QVariantList() : KeyList(keyValues, int(keys.size()));
    if (values.size() != keys.size())
        DatabaseError(QStringLiteral("%1 key values given for the key '%2'").arg(values.size()).arg(keyFields));
    for (int i = 0; i < keys.size(); ++i) {
        const int slot = DataIndexOfField(keys[i]);
        if (slot < 0)
            DatabaseError(QStringLiteral("Field '%1' not found").arg(keys[i]));
        const QVariant v = FindField(keys[i]) ? FindField(keys[i])->Coerce(values[i]) : values[i];
        where += where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ");
        if (IsNullValue(v))
            where += QuotedColumn(slot) + QStringLiteral(" IS NULL");
        else {
            where += QuotedColumn(slot) + QStringLiteral(" = ?");
            params << ToSql(FFieldDefs[slot].DataType, v);
        }
        fixed << keys[i];
    }
    // An order on fields the condition fixes is the rowid's alone: the rows
    // are put in it here, so the store reads them by its index unsorted.
    const QStringList order = OrderFieldNames();
    const bool byRowid = std::all_of(order.begin(), order.end(), [&](const QString& name) {
        return std::any_of(fixed.begin(), fixed.end(), [&](const QString& f) { return SameName(f, name); });
    });
    // A detail runs the same statement on every master move.
    if (where != FPacketWhere || byRowid != FPacketByRowid || order != FPacketOrder ||
        FPacketGeneration != FDefsGeneration || FPacketTable != FStoredName) {
        FPacketSql = QStringLiteral("SELECT rowid, ") + SelectList() + QStringLiteral(" FROM ") + FQuotedTable + where +
                     (byRowid ? QString() : OrderBy(order));
        FPacketWhere = where;
        FPacketByRowid = byRowid;
        FPacketOrder = order;
        FPacketGeneration = FDefsGeneration;
        FPacketTable = FStoredName;
    }
    QSqlQuery& q = Database()->Prepared(FPacketSql);
    Bind(q, params);
    Exec(q, QString());
    TRecordBuffer probe;
    while (q.next()) {
        TPacketRow row;
        row.SourceId = q.value(0).toLongLong();
        ReadRow(q, row.Values);
        if (memoryFilter) {
            probe.Data = row.Values;
            if (!FilterAccepts(probe))
                continue;
        }
        packet.Rows.append(std::move(row));
    }
    q.finish();
    if (byRowid && !std::is_sorted(packet.Rows.begin(), packet.Rows.end(),
                                   [](const TPacketRow& a, const TPacketRow& b) { return a.SourceId < b.SourceId; }))
        std::sort(packet.Rows.begin(), packet.Rows.end(),
                  [](const TPacketRow& a, const TPacketRow& b) { return a.SourceId < b.SourceId; });
    return packet;
}

// ---------------------------------------------------------------- params and queries

TParam* TParams::FindParam(const QString& name) {
    for (TParam& param : FItems)
        if (SameName(param.Name, name))
            return &param;
    return nullptr;
}

TParam& TParams::ParamByName(const QString& name) {
    TParam* param = FindParam(name);
    if (!param)
        throw EDatabaseError(QStringLiteral("Parameter '%1' not found").arg(name));
    return *param;
}

void TParams::Rebuild(const QStringList& names) {
    QList<TParam> items;
    for (const QString& name : names) {
        bool seen = false;
        for (const TParam& p : items)
            seen = seen || SameName(p.Name, name);
        if (seen)
            continue;
        TParam param;
        param.Name = name;
        if (TParam* old = FindParam(name))
            param = *old;
        items << param;
    }
    FItems = items;
}

void TParams::ClearValues() {
    for (TParam& param : FItems)
        param.Clear();
}

class TQuery::TParamLink : public TDataLink {
public:
    explicit TParamLink(TQuery* query) : FQuery(query) {}

protected:
    void ActiveChanged() override { Changed(); }
    void DataSetChanged() override { Changed(); }
    void DataSetScrolled() override { Changed(); }
    void RecordChanged(TField* field) override {
        if (!field)
            Changed();
    }

private:
    void Changed() {
        if (FQuery->Active() && DataSource())
            FQuery->Refresh();
    }
    TQuery* FQuery;
};

TQuery::TQuery(QObject* owner) : TMemoryDataSet(owner), FParamLink(std::make_unique<TParamLink>(this)) {}
TQuery::~TQuery() { FParamLink->SetDataSource(nullptr); }

void TQuery::SetDatabaseName(const QString& name) {
    if (Active())
        DatabaseError(QStringLiteral("Cannot perform this operation on an open dataset"));
    FDatabaseName = name;
}

void TQuery::SetSQL(const QStringList& lines) {
    Close();
    FSQL = lines;
    FPrepared = false;
    Prepare();
}

void TQuery::Prepare() {
    if (FPrepared)
        return;
    const TTranslatedSql translated = TranslateLocalSql(FSQL.join('\n'));
    FSqliteText = translated.Text;
    FParamOrder = translated.ParamNames;
    FTables = translated.Tables;
    FParams.Rebuild(FParamOrder);
    FPrepared = true;
}

TParams& TQuery::Params() { return FParams; }

TDataSource* TQuery::DataSource() const { return FParamLink->DataSource(); }
void TQuery::SetDataSource(TDataSource* source) {
    if (source && source->DataSet() == this)
        DatabaseError(QStringLiteral("Circular datalinks are not allowed"));
    FParamLink->SetDataSource(source);
}

QSqlQuery TQuery::Execute() {
    Prepare();
    TDatabase* db = TDatabase::ByName(FDatabaseName);
    if (!db->Connected())
        db->Open();
    if (FSqliteText.trimmed().startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive))
        db->HoldReadSnapshot();
    else
        TDatabase::WritesFollow();
    QSqlQuery query(db->Connection());
    query.setForwardOnly(true);
    db->CountStatement();
    if (!query.prepare(FSqliteText))
        RaiseSqlError(query.lastError(), QString());
    TDataSet* master = FParamLink->Active() ? FParamLink->DataSet() : nullptr;
    for (int i = 0; i < FParamOrder.size(); ++i) {
        TParam* param = FParams.FindParam(FParamOrder[i]);
        QVariant value;
        if (param && param->Bound)
            value = ToSqlAny(param->Value);
        else if (TField* field = master ? master->FindField(FParamOrder[i]) : nullptr)
            value = ToSql(field->DataType(), field->Value());
        else if (!FParamLink->DataSource())
            DatabaseError(QStringLiteral("No value for parameter '%1'").arg(FParamOrder[i]));
        query.bindValue(i, value);
    }
    Exec(query, QString());
    return query;
}

void TQuery::InternalInitFieldDefs() {
    FOpenQuery = Execute();
    TDatabase* db = TDatabase::ByName(FDatabaseName);
    QList<TFieldDefs> tableDefs;
    for (const QString& table : FTables)
        if (db->TableExists(table))
            tableDefs << db->ColumnsOf(table);
    const QSqlRecord record = FOpenQuery.record();
    for (int i = 0; i < record.count(); ++i) {
        TFieldDef def;
        def.Name = record.fieldName(i);
        bool found = false;
        for (const TFieldDefs& defs : tableDefs) {
            const int at = IndexOfFieldDef(defs, def.Name);
            if (at >= 0) {
                def.DataType = defs[at].DataType;
                def.Size = defs[at].Size;
                found = true;
                break;
            }
        }
        if (!found) {
            const int type = record.field(i).metaType().id();
            def.DataType = type == QMetaType::Int || type == QMetaType::LongLong ? TFieldType::ftInteger
                           : type == QMetaType::Double                          ? TFieldType::ftFloat
                           : type == QMetaType::Bool                            ? TFieldType::ftBoolean
                                                                                : TFieldType::ftMemo;
        }
        // A second column of the same name (a join) is named like the engine does.
        QString name = def.Name;
        for (int n = 1; IndexOfFieldDef(FFieldDefs, name) >= 0; ++n)
            name = def.Name + '_' + QString::number(n);
        def.Name = name;
        FFieldDefs << def;
    }
}

void TQuery::InternalOpen() {
    TDatabase::ByName(FDatabaseName)->AttachDataSet(this);
    QVector<TPacketRow> rows;
    while (FOpenQuery.next()) {
        TPacketRow row;
        row.Values.resize(FFieldDefs.size());
        for (int i = 0; i < FFieldDefs.size(); ++i)
            row.Values[i] = FromSql(FFieldDefs[i].DataType, FOpenQuery.value(i));
        rows.append(std::move(row));
    }
    FOpenQuery = QSqlQuery();
    LoadRows(rows);
}

void TQuery::InternalRefresh() {
    FOpenQuery = Execute();
    InternalOpen();
}

void TQuery::ExecSQL() {
    Close();
    QSqlQuery query = Execute();
    FRowsAffected = query.numRowsAffected();
    if (!TranslateLocalSql(FSQL.join('\n')).IsSelect)
        TDatabase::ByName(FDatabaseName)->SchemaChanged();
}

// ---------------------------------------------------------------- batch copy

void TBatchMove::Execute() {
    if (!Source || !Destination)
        throw EDatabaseError(QStringLiteral("Batch copy needs a source and a destination"));
    if (!Source->Active())
        Source->Open();
    Source->CheckBrowseMode();
    TDatabase* db = Destination->Database();
    const TFieldDefs defs = db->ColumnsOf(Destination->TableName());
    QList<TField*> sources;
    for (const TFieldDef& def : defs)
        sources << Source->FindField(def.Name);
    FMovedCount = 0;
    {
        TTransactionScope transaction(db);
        QVector<QVariant> values(defs.size());
        const int count = Source->RecordCount();
        for (int i = 0; i < count; ++i) {
            Source->WithRecord(i, [&] {
                for (int k = 0; k < defs.size(); ++k)
                    values[k] = sources[k] ? sources[k]->Value() : QVariant();
            });
            Destination->InsertRow(defs, values);
            ++FMovedCount;
        }
        transaction.Commit();
    }
    if (Destination->Active())
        Destination->Refresh();
}
