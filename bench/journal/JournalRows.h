#pragma once
// The bench's patient database: the program's own schema made by its
// loader from the seed script beside the executable, filled with generated
// patients, examinations and values by bare queries in one transaction.
// Kept in /tmp/tavlo-bench-journal under a name of the script's hash and
// the generator's version, so a rerun reuses it.

#include <QString>

inline constexpr int BenchPatients = 100000;
inline constexpr int ExamsPerPatient = 10;
// Examination values per examination and base values per patient, by risk id.
inline constexpr int BenchExamRisks[] = {1, 2, 3, 4};
inline constexpr int BenchBaseRisks[] = {7, 8};

// The cached file, made when missing.
QString JournalBenchDatabase();
