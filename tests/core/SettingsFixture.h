#pragma once
// Both roots of the settings store start empty for every test; test mode
// keeps them in a test folder, away from a real user's settings.

#include "BvSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

inline void ClearSettingsRoots() {
    QFile::remove(TBvSettings::RootFileName(true));
    QFile::remove(TBvSettings::RootFileName(false));
    QFile::remove(TBvSettings::SystemMachineFileName());
}

// Writes a settings file as a person editing it would.
inline void WriteSettingsFile(const QString& fileName, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QFile file(fileName);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

inline void WriteRootFile(bool user, const QString& text) {
    WriteSettingsFile(TBvSettings::RootFileName(user), text.toUtf8());
}

inline QByteArray SettingsFileBytes(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QString RootFileText(bool user) { return QString::fromUtf8(SettingsFileBytes(TBvSettings::RootFileName(user))); }

inline void ConfigureTavlo(TBvSettings& settings) {
    settings.SectionName = "Software";
    settings.ProducerName = "Brovik";
    settings.ProductName = "Tavlo";
    settings.ProductVersion = "4.0";
}
