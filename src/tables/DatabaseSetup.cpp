#include "DatabaseSetup.h"

#include "DBTables.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

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

static void RemoveDatabaseFiles(const QString& fileName) {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(fileName + QLatin1String(suffix));
}

static QString FirstLine(const QString& statement) {
    return statement.trimmed().section('\n', 0, 0).trimmed();
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

    if (!QDir().mkpath(QFileInfo(fileName).absolutePath()))
        fail(QStringLiteral("the folder cannot be made"));
    // Built under another name; a half-made file from an interrupted start is dropped.
    const QString building = fileName + QStringLiteral(".creating");
    RemoveDatabaseFiles(building);

    static int counter = 0;
    const QString connection = QStringLiteral("tavlo-setup-%1").arg(++counter);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(building);
        if (!db.open())
            error = db.lastError().text();
        else if (!db.transaction())
            error = db.lastError().text();
        else {
            for (const QString& statement : statements) {
                QSqlQuery query(db);
                if (!query.exec(statement)) {
                    error = QStringLiteral("%1 (%2)").arg(query.lastError().text(), FirstLine(statement));
                    break;
                }
            }
            if (error.isEmpty() && !db.commit())
                error = db.lastError().text();
            if (!error.isEmpty())
                db.rollback();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (error.isEmpty() && !QFile::rename(building, fileName))
        error = QStringLiteral("the file cannot be renamed");
    if (!error.isEmpty()) {
        RemoveDatabaseFiles(building);
        fail(error);
    }
    return true;
}

QStringList CreateMissingDatabases() {
    QStringList created;
    const struct {
        const QString& Alias;
        const QString& Script;
    } databases[] = {{ApplicationAliasName, ApplicationSeedName}, {PatientAliasName, PatientSeedName}};
    for (const auto& db : databases) {
        const QString file = Session().AliasFileName(db.Alias);
        if (CreateDatabaseFile(file, SeedFileName(db.Script)))
            created << file;
    }
    return created;
}
