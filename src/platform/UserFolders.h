#pragma once
// Points HOME and every XDG folder the program reads or writes (settings,
// aliases, data, the machine's configuration) into one folder: tests,
// benchmarks and headless checks never touch a real user's files.

#include <QString>

void PointUserFoldersInto(const QString& root);
