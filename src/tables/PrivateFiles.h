#pragma once
// Patient data is private: the folder that holds it is open to its owner
// alone (0700), and so is every database, journal, WAL and export file
// (0600). Files are created with those rights, whatever the process's umask;
// at start the existing ones are checked and any that others could read are
// tightened, and the caller says so once.

#include <QFileDevice>
#include <QString>
#include <QStringList>

inline constexpr QFileDevice::Permissions PrivateFolderPermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
inline constexpr QFileDevice::Permissions PrivateFilePermissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// The folder and any missing parents; the folder itself private. False when
// it cannot be made.
bool MakePrivateFolder(const QString& path);

// An empty file open to its owner alone, made before anything writes into it
// (SQLite takes an empty file for an empty database and gives its journal
// and WAL the rights of the database file). False when it exists already or
// cannot be made.
bool CreatePrivateFile(const QString& fileName);

// Takes the rights of group and others from each existing path. One line for
// each path that had any: the path, followed by "(cannot be changed)" in the
// user's language when its rights could not be taken (a file of another
// user).
QStringList TightenPrivate(const QStringList& paths);

// The one notice, in the user's language, of what TightenPrivate changed;
// empty when nothing.
QString TightenedNotice(const QStringList& tightened);
