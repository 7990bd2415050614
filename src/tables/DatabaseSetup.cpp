#include "DatabaseSetup.h"

#include "DBTables.h"
#include "PrivateFiles.h"

#include "DateTime.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <iterator>

QString SeedFileName(const QString& scriptName) {
    const QDir dir(QCoreApplication::applicationDirPath());
    const QString beside = dir.filePath(scriptName);
    if (QFileInfo::exists(beside))
        return beside;
    const QString inData = dir.filePath(QStringLiteral("data/") + scriptName);
    return QFileInfo::exists(inData) ? inData : beside;
}

static bool IsTransactionStatement(const QString& statement) {
    QString s = statement.simplified().toUpper();
    if (s.endsWith(';'))
        s.chop(1);
    s = s.trimmed();
    return s == "BEGIN" || s == "BEGIN TRANSACTION" || s == "COMMIT" || s == "COMMIT TRANSACTION" || s == "END" ||
           s == "END TRANSACTION";
}

QStringList SplitSqlScript(const QString& text) {
    QStringList statements;
    QStringList current;
    QString all = text;
    all.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    // A quoted text or name may span lines, and a line of it may end with a
    // semicolon: only a semicolon outside quotes ends a statement.
    QChar quote;
    for (const QString& line : all.split('\n')) {
        const QString trimmed = line.trimmed();
        if (current.isEmpty() && (trimmed.isEmpty() || trimmed.startsWith(QLatin1String("--"))))
            continue;
        current << line;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const QChar c = line.at(i);
            if (quote.isNull() && c == '-' && line.mid(i, 2) == QLatin1String("--"))
                break; // the rest of the line is a comment
            if (quote.isNull() && (c == '\'' || c == '"'))
                quote = c;
            else if (c == quote)
                quote = QChar(); // a doubled quote closes and opens again
        }
        if (quote.isNull() && trimmed.endsWith(';')) {
            const QString statement = current.join('\n');
            current.clear();
            if (!IsTransactionStatement(statement))
                statements << statement;
        }
    }
    if (!current.join(QString()).trimmed().isEmpty())
        statements << current.join('\n'); // a last statement without its semicolon
    return statements;
}

QStringList DatabaseFiles(const QString& fileName) {
    QStringList files;
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        files << fileName + QLatin1String(suffix);
    return files;
}

static void RemoveDatabaseFiles(const QString& fileName) {
    for (const QString& file : DatabaseFiles(fileName))
        QFile::remove(file);
}

static QString FirstLine(const QString& statement) {
    return statement.trimmed().section('\n', 0, 0).trimmed();
}

// Runs work on a connection of its own to the file; the connection is gone
// afterwards, so the program's own connection finds the file free.
static void WithConnection(const QString& fileName, const std::function<void(QSqlDatabase&)>& work) {
    static int counter = 0;
    const QString connection = QStringLiteral("tavlo-setup-%1").arg(++counter);
    std::exception_ptr failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(fileName);
        try {
            if (!db.open())
                throw EDatabaseError(db.lastError().text());
            work(db);
        } catch (...) {
            failure = std::current_exception();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (failure)
        std::rethrow_exception(failure);
}

static QSqlQuery Exec(QSqlDatabase& db, const QString& sql, const QVariantList& values = {}) {
    QSqlQuery query(db);
    bool ok = query.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    ok = ok && query.exec();
    if (!ok)
        throw EDatabaseError(QStringLiteral("%1 (%2)").arg(query.lastError().text(), FirstLine(sql)));
    return query;
}

static QVariant Scalar(QSqlDatabase& db, const QString& sql, const QVariantList& values = {}) {
    QSqlQuery query = Exec(db, sql, values);
    return query.next() ? query.value(0) : QVariant();
}

// Runs work as one transaction: all of it, or nothing when it throws.
static void InTransaction(QSqlDatabase& db, const std::function<void()>& work) {
    if (!db.transaction())
        throw EDatabaseError(db.lastError().text());
    try {
        work();
        if (!db.commit())
            throw EDatabaseError(db.lastError().text());
    } catch (...) {
        db.rollback();
        throw;
    }
}

bool CreateDatabaseFile(const QString& fileName, const QString& scriptFileName) {
    if (QFileInfo::exists(fileName))
        return false;
    auto fail = [&](const QString& reason) {
        throw EDatabaseError(QStringLiteral("Cannot create database '%1': %2").arg(QDir::toNativeSeparators(fileName), reason));
    };
    QFile script(scriptFileName);
    if (!script.open(QIODevice::ReadOnly | QIODevice::Text))
        fail(QStringLiteral("the script '%1' cannot be read").arg(QDir::toNativeSeparators(scriptFileName)));
    QTextStream in(&script);
    in.setEncoding(QStringConverter::Utf8);
    const QStringList statements = SplitSqlScript(in.readAll());
    script.close();

    if (!MakePrivateFolder(QFileInfo(fileName).absolutePath()))
        fail(QStringLiteral("the folder cannot be made"));
    // Built under another name; a half-made file from an interrupted start is
    // dropped. The file is private before SQLite writes a byte into it.
    const QString building = fileName + QStringLiteral(".creating");
    RemoveDatabaseFiles(building);
    if (!CreatePrivateFile(building))
        fail(QStringLiteral("the file cannot be made"));
    QString error;
    try {
        WithConnection(building, [&](QSqlDatabase& db) {
            InTransaction(db, [&] {
                for (const QString& statement : statements)
                    Exec(db, statement);
            });
        });
    } catch (const EDatabaseError& e) {
        error = e.Message();
    }
    if (error.isEmpty() && !QFile::rename(building, fileName))
        error = QStringLiteral("the file cannot be renamed");
    if (!error.isEmpty()) {
        RemoveDatabaseFiles(building);
        fail(error);
    }
    return true;
}

// ---------------------------------------------------------------- migration

namespace {

struct TColumn {
    QString Name, Type, Default; // Default: the SQL text of the default, null when none
    bool NotNull = false;
    int Pk = 0;
    QString Declaration; // replaces the declaration made of the above when set
    QString Source;      // the expression the rows are copied from; the column when empty
    bool AsShownText = false; // a number is copied as the text the program showed for it
};

QList<TColumn> ColumnsOf(QSqlDatabase& db, const QString& table) {
    QList<TColumn> columns;
    QSqlQuery query = Exec(db, QStringLiteral("PRAGMA table_info(%1)").arg(QuoteName(table)));
    while (query.next()) {
        TColumn column;
        column.Name = query.value(1).toString();
        column.Type = query.value(2).toString();
        column.NotNull = query.value(3).toInt() != 0;
        column.Default = query.value(4).isNull() ? QString() : query.value(4).toString();
        column.Pk = query.value(5).toInt();
        columns << column;
    }
    return columns;
}

QStringList TablesOf(QSqlDatabase& db) {
    QStringList tables;
    QSqlQuery query = Exec(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                                              "'sqlite_%' ORDER BY name"));
    while (query.next())
        tables << query.value(0).toString();
    return tables;
}

// The table made again with changed column declarations, the way SQLite
// allows: a new table beside it, every row copied, the old one dropped and
// the new one renamed; then its indexes and its numbering as they were (the
// patient database keeps examination number 1 for the template even without
// a row). A row count that differs stops the migration.
void RebuildTable(QSqlDatabase& db, const QString& table, const std::function<void(TColumn&)>& change) {
    QList<TColumn> columns = ColumnsOf(db, table);
    const QString created =
        Scalar(db, QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?"), {table}).toString();
    const bool autoIncrement = created.contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive);
    QStringList keys;
    for (const TColumn& column : columns)
        if (column.Pk > 0)
            keys << QuoteName(column.Name);
    QStringList declarations, names, sources;
    for (TColumn& column : columns) {
        change(column);
        QString declaration = column.Declaration;
        if (declaration.isEmpty()) {
            declaration = column.Type;
            if (column.Pk > 0 && keys.size() == 1)
                declaration += autoIncrement ? QStringLiteral(" PRIMARY KEY AUTOINCREMENT") : QStringLiteral(" PRIMARY KEY");
            if (column.NotNull)
                declaration += QStringLiteral(" NOT NULL");
            if (!column.Default.isNull())
                declaration += QStringLiteral(" DEFAULT ") + column.Default;
        }
        declarations << QuoteName(column.Name) + ' ' + declaration;
        names << QuoteName(column.Name);
        sources << (column.Source.isEmpty() ? QuoteName(column.Name) : column.Source);
    }
    if (keys.size() > 1)
        declarations << QStringLiteral("PRIMARY KEY (%1)").arg(keys.join(','));

    QStringList indexes;
    QSqlQuery indexQuery = Exec(db, QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index' AND tbl_name = ? "
                                                   "AND sql IS NOT NULL"),
                                {table});
    while (indexQuery.next())
        indexes << indexQuery.value(0).toString();
    const QVariant sequence =
        autoIncrement ? Scalar(db, QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?"), {table}) : QVariant();
    const qint64 rows = Scalar(db, QStringLiteral("SELECT count(*) FROM %1").arg(QuoteName(table))).toLongLong();

    // A table without a key keeps its row identities too, so that rows can
    // be matched after the copy.
    if (keys.isEmpty()) {
        names.prepend(QStringLiteral("rowid"));
        sources.prepend(QStringLiteral("rowid"));
    }
    const QString building = table + QStringLiteral(" (migrating)");
    Exec(db, QStringLiteral("CREATE TABLE %1 (%2)").arg(QuoteName(building), declarations.join(", ")));
    Exec(db, QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %4")
                 .arg(QuoteName(building), names.join(", "), sources.join(", "), QuoteName(table)));
    // SQLite writes a real number as text its own way ("1000.0"); the program
    // showed it as Qt does ("1000"), and that text is what the user knows.
    for (const TColumn& column : columns) {
        if (!column.AsShownText)
            continue;
        QSqlQuery numbers = Exec(db, QStringLiteral("SELECT rowid, %1 FROM %2 WHERE typeof(%1) = 'real'")
                                         .arg(QuoteName(column.Name), QuoteName(table)));
        while (numbers.next())
            Exec(db, QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?").arg(QuoteName(building), QuoteName(column.Name)),
                 {numbers.value(1).toString(), numbers.value(0)});
    }
    const qint64 copied = Scalar(db, QStringLiteral("SELECT count(*) FROM %1").arg(QuoteName(building))).toLongLong();
    if (copied != rows)
        throw EDatabaseError(QStringLiteral("the table '%1' has %2 rows, its copy %3").arg(table).arg(rows).arg(copied));
    Exec(db, QStringLiteral("DROP TABLE %1").arg(QuoteName(table)));
    Exec(db, QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(QuoteName(building), QuoteName(table)));
    for (const QString& index : indexes)
        Exec(db, index);
    if (autoIncrement)
        Exec(db, QStringLiteral("DELETE FROM sqlite_sequence WHERE name = ?"), {table});
    if (!sequence.isNull()) {
        Exec(db, QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES (?, max(?, (SELECT ifnull(max(rowid), 0) "
                                "FROM %1)))")
                     .arg(QuoteName(table)),
             {table, sequence});
    }
}

QString BirthDateText(const QVariant& value) {
    return ToQDate(value.toDouble()).toString(Qt::ISODate);
}

// Version 1. Long texts are TEXT: SQLite gave the MEMO columns numeric
// affinity and stored "007" as 7; what an old file altered so stays altered,
// but nothing written from now on is. The patient key has no NULL part,
// which SQLite counts as distinct from every other: a patient needs a birth
// date, and a missing sequence id becomes the empty one. Two patients that
// would then share a key are named and the file is left alone; no patient
// is merged or dropped. The archive's search by name ignoring case gets its
// index.
void MigrateToVersion1(QSqlDatabase& db) {
    const auto is = [](const QString& name, const char* expected) {
        return name.compare(QLatin1String(expected), Qt::CaseInsensitive) == 0;
    };
    const QStringList tables = TablesOf(db);
    if (tables.contains(QStringLiteral("Patient"), Qt::CaseInsensitive)) {
        const QVariant undated =
            Scalar(db, QStringLiteral("SELECT \"Patient id\" FROM \"Patient\" WHERE \"Birth date\" IS NULL ORDER BY 1"));
        if (!undated.isNull())
            throw EDatabaseError(QStringLiteral("the patient %1 has no birth date, which the patient key needs")
                                     .arg(undated.toString()));
        // Only a NULL sequence id can meet its twin here: the key refused any
        // other pair.
        QSqlQuery twins = Exec(db, QStringLiteral(
                                       "SELECT a.\"Patient id\", b.\"Patient id\", a.\"Birth date\" FROM \"Patient\" a "
                                       "JOIN \"Patient\" b ON a.\"Birth date\" = b.\"Birth date\" AND "
                                       "ifnull(a.\"Sequence id\", '') = ifnull(b.\"Sequence id\", '') AND "
                                       "a.\"Patient id\" < b.\"Patient id\" ORDER BY 1, 2 LIMIT 1"));
        if (twins.next())
            throw EDatabaseError(QStringLiteral("the patients %1 and %2 have the same birth date %3 and no sequence id, "
                                                "which the patient key does not allow; give one of them a sequence id")
                                     .arg(twins.value(0).toString(), twins.value(1).toString(),
                                          BirthDateText(twins.value(2))));
    }
    for (const QString& table : tables) {
        const bool patient = is(table, "Patient");
        const auto changes = [&](const TColumn& column) {
            return is(column.Type, "MEMO") || (patient && (is(column.Name, "Birth date") || is(column.Name, "Sequence id")));
        };
        const QList<TColumn> columns = ColumnsOf(db, table);
        if (std::none_of(columns.begin(), columns.end(), changes))
            continue;
        RebuildTable(db, table, [&](TColumn& column) {
            if (is(column.Type, "MEMO")) {
                column.Type = QStringLiteral("TEXT");
                column.AsShownText = true;
            }
            if (patient && is(column.Name, "Birth date"))
                column.NotNull = true;
            if (patient && is(column.Name, "Sequence id")) {
                column.Declaration = QStringLiteral("%1 NOT NULL ON CONFLICT REPLACE DEFAULT ''").arg(column.Type);
                column.Source = QStringLiteral("ifnull(%1, '')").arg(QuoteName(column.Name));
            }
        });
    }
    if (tables.contains(QStringLiteral("Patient"), Qt::CaseInsensitive))
        Exec(db, QStringLiteral("CREATE INDEX IF NOT EXISTS \"IX_Patient_LastName_NoCase\" ON \"Patient\"(\"Last name\" "
                                "COLLATE NOCASE,\"First name\" COLLATE NOCASE)"));
}

// Step i brings a file of version i to version i + 1.
using TMigration = void (*)(QSqlDatabase&);
const TMigration Migrations[] = {MigrateToVersion1};

} // namespace

const int SchemaVersion = int(std::size(Migrations));

int DatabaseFileVersion(const QString& fileName) {
    int version = 0;
    WithConnection(fileName, [&](QSqlDatabase& db) {
        version = Scalar(db, QStringLiteral("PRAGMA user_version")).toInt();
    });
    return version;
}

bool UpgradeDatabaseFile(const QString& fileName) {
    const QString shown = QDir::toNativeSeparators(fileName);
    if (!QFileInfo::exists(fileName))
        throw EDatabaseError(QStringLiteral("Cannot open database '%1': the file does not exist").arg(shown));
    bool migrated = false;
    try {
        WithConnection(fileName, [&](QSqlDatabase& db) {
            InTransaction(db, [&] {
                const int version = Scalar(db, QStringLiteral("PRAGMA user_version")).toInt();
                if (version > SchemaVersion)
                    throw EDatabaseError(
                        QStringLiteral("it was made by a newer version of the program (schema version %1; this "
                                       "program knows versions up to %2)")
                            .arg(version)
                            .arg(SchemaVersion));
                for (int step = version; step < SchemaVersion; ++step)
                    Migrations[step](db);
                if (version < SchemaVersion) {
                    Exec(db, QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion));
                    migrated = true;
                }
            });
        });
    } catch (const EDatabaseError& error) {
        throw EDatabaseError(QStringLiteral("Cannot use database '%1': %2").arg(shown, error.Message()));
    }
    return migrated;
}

TDatabaseFileState PrepareDatabaseFile(const QString& fileName, const QString& scriptFileName) {
    TDatabaseFileState state;
    // A new file makes its folder private on the way, with nothing in it yet
    // to report. An existing one is made private before a migration writes
    // beside it, since its journal takes its rights.
    if (!QFileInfo::exists(fileName)) {
        state.Created = CreateDatabaseFile(fileName, scriptFileName);
        return state;
    }
    state.Tightened = TightenPrivate(QStringList(QFileInfo(fileName).absolutePath()) + DatabaseFiles(fileName));
    UpgradeDatabaseFile(fileName);
    return state;
}

QStringList CreateMissingDatabases(QStringList* tightened) {
    QStringList created;
    const struct {
        const QString& Alias;
        const QString& Script;
    } databases[] = {{ApplicationAliasName, ApplicationSeedName}, {PatientAliasName, PatientSeedName}};
    for (const auto& db : databases) {
        const QString file = Session().AliasFileName(db.Alias);
        const TDatabaseFileState state = PrepareDatabaseFile(file, SeedFileName(db.Script));
        if (state.Created)
            created << file;
        if (tightened)
            *tightened << state.Tightened;
    }
    return created;
}
