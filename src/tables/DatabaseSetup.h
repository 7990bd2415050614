#pragma once
// First start: the two databases are made in the user's data folder, at the
// files their engine aliases name, from the SQL scripts beside the program
// (the application database with its seed, the patient database empty).
// Each script runs as one transaction in a file of its own next to the
// target, which takes the target's name only once it is complete: a failed
// or interrupted creation leaves nothing under the target's name.
//
// Every later start uses the existing file. Its schema version
// (PRAGMA user_version, set by the script) tells what it holds: an older
// file is migrated in one transaction that keeps every row, a newer one is
// refused. The folder and the files are private to the user (PrivateFiles.h).

#include <QString>
#include <QStringList>

inline const QString ApplicationSeedName = QStringLiteral("TavloCalc.sql");
inline const QString PatientSeedName = QStringLiteral("TavloPatients.sql");

// The schema version this program reads and writes; the scripts make files
// of this version.
extern const int SchemaVersion;

// The script of that name beside the executable (or in its data folder).
QString SeedFileName(const QString& scriptName);

// The statements of a script: split after each line ending in ";" outside
// quoted texts and names, comment lines between statements dropped,
// transaction statements left out (the caller runs the whole script as one
// transaction).
QStringList SplitSqlScript(const QString& text);

// The database file and the journal, WAL and shared-memory files SQLite
// keeps beside it.
QStringList DatabaseFiles(const QString& fileName);

// Creates the database file from the script unless the file exists, in a
// private folder and private itself. True when it was created.
// EDatabaseError naming the file and the failing statement's error when the
// script cannot be read or run.
bool CreateDatabaseFile(const QString& fileName, const QString& scriptFileName);

// The schema version the file carries.
int DatabaseFileVersion(const QString& fileName);

// Brings an existing file to SchemaVersion: true when it migrated it, false
// when it was current. EDatabaseError naming the file when it is newer than
// the program or a migration step refuses its rows; the file is then as it
// was.
bool UpgradeDatabaseFile(const QString& fileName);

struct TDatabaseFileState {
    bool Created = false;
    QStringList Tightened; // lines for TightenedNotice
};

// What a start does with a database file before opening it: a missing one
// created from the script (private, in a private folder); an existing one
// made private (the rights it had to take reported in Tightened) and then
// upgraded.
TDatabaseFileState PrepareDatabaseFile(const QString& fileName, const QString& scriptFileName);

// Both databases prepared at the files of the aliases TavloCalc and
// TavloPatients; the names of the files it created. Tightened rights are
// added to *tightened when given.
QStringList CreateMissingDatabases(QStringList* tightened = nullptr);
