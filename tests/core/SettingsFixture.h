#pragma once
// Both roots of the settings store start empty for every test; test mode
// keeps them in a test folder, away from a real user's settings.

#include "BvSettings.h"

#include <QFile>
#include <QTextStream>

inline void ClearSettingsRoots() {
    QFile::remove(TBvSettings::RootFileName(true));
    QFile::remove(TBvSettings::RootFileName(false));
}

// Writes a root file as a person editing it would.
inline void WriteRootFile(bool user, const QString& text) {
    QFile file(TBvSettings::RootFileName(user));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text.toUtf8());
}

inline QString RootFileText(bool user) {
    QFile file(TBvSettings::RootFileName(user));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

inline void ConfigureTavlo(TBvSettings& settings) {
    settings.SectionName = "Software";
    settings.ProducerName = "Brovik";
    settings.ProductName = "Tavlo";
    settings.ProductVersion = "4.0";
}
