#pragma once
// The bench's databases: made by the program's own loader from the seed
// scripts beside the executable, so they have exactly the program's schema,
// then filled with generated rows by bare queries in one transaction. Each is
// kept in the temporary folder under a name made of the script's content
// hash and the generator's version: a rerun reuses it, a changed script or
// generator makes it anew and removes the stale one.

#include <QString>

// Patients 1..patients in storage order, each with a few examinations
// (Journal), their values (Exam) and the patient's base values (Base).
// Birth date and sequence id are unique together; names are common Danish
// ones, except RareLastName, which only the last RarePatients carry.
QString PatientDatabase(int patients);

// The application database with its seed, plus model rows in the variant
// tables the calculation module switches (Values_P/_D, Baseline_P/_D).
QString ApplicationDatabase();

inline const QString RareLastName = QStringLiteral("Wichmann-Thorsen");
constexpr int RarePatients = 3;
// A last name that many patients carry.
inline const QString CommonLastName = QStringLiteral("Hansen");

// Base values (Base rows per patient) and examination values (Exam rows per
// examination) by risk id; 7 is the diabetes base value.
inline constexpr int BaseRisks[] = {7, 19, 33};
inline constexpr int ExamRisks[] = {1, 2, 3, 4, 6, 8, 9};
