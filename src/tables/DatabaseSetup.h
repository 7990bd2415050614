#pragma once
// First start: the two databases are made in the user's data folder, at the
// files their engine aliases name, from the SQL scripts beside the program
// (the application database with its seed, the patient database empty).
// An existing file is used as it is. Each script runs as one transaction in a
// file of its own next to the target, which takes the target's name only
// once it is complete: a failed or interrupted creation leaves nothing under
// the target's name.

#include <QString>
#include <QStringList>

inline const QString ApplicationSeedName = QStringLiteral("TavloCalc.sql");
inline const QString PatientSeedName = QStringLiteral("TavloPatients.sql");

// The script of that name beside the executable (or in its data folder).
QString SeedFileName(const QString& scriptName);

// The statements of a script: split after each line ending in ";" outside
// quoted texts and names, comment lines between statements dropped,
// transaction statements left out (the caller runs the whole script as one
// transaction).
QStringList SplitSqlScript(const QString& text);

// Creates the database file from the script unless the file exists. True
// when it was created. EDatabaseError naming the file and the failing
// statement's error when the script cannot be read or run.
bool CreateDatabaseFile(const QString& fileName, const QString& scriptFileName);

// Both databases at the files of the aliases TavloCalc and TavloPatients;
// the names of the files it created.
QStringList CreateMissingDatabases();
