#pragma once
// The chart wrapper's world: the product's material module on the seed of
// the application database (the shipped SCORE2 models, bands and composed
// texts) and a patient database the tests fill, set up as the work window
// sets it up, with one wrapper on the work window's calculation.

#include "../journal/JournalFixture.h"
#include "ChartWrap.h"
#include "TvWorkCalculateDM.h"
#include "TvWorkMaterialDM.h"

#include <memory>

struct TChartWorld {
    TTvWorkMaterialDataModule Material;
    TTvWorkCalculateDataModule* Calculation = nullptr;
    std::unique_ptr<TChartWrap> Wrap;

    explicit TChartWorld(const QString& language = QStringLiteral("en/gb")) {
        Material.CreateModules();
        Calculation = Material.WorkCalculation();
        Material.CountryData->SelectLanguage(language);
        Calculation->InitPredictionYears();
        Calculation->LoadFormulas();
        Calculation->AutoCalculate = true;
        Material.JournalData->JournalChanged(nullptr);
        Wrap = std::make_unique<TChartWrap>(Calculation);
    }
    TJournalDataModuleBase* Copy() const { return Calculation->JournalCopy(); }
    TMlTable* WorkJournal() const { return Material.JournalData->Journal; }
    // The work journal on that patient and examination; the copy follows.
    void Show(int patientId, int journalId = 0) {
        Material.JournalData->Patient->Locate(QStringLiteral("Patient id"), patientId);
        if (journalId)
            WorkJournal()->Locate(QStringLiteral("Journal id"), journalId);
        Material.JournalData->JournalChanged(nullptr);
    }
    int CopyJournalId() const { return Copy()->Journal->FieldByName(QStringLiteral("Journal id"))->AsInteger(); }
};

// Patient 1: a woman born 1961 who smokes, three examinations (10, 11, 12)
// that improve; HDL of the last is transferred from the one before.
inline void SamplePatient(TPatientRows& rows) {
    rows.Patient(1, EncodeDate(1961, 3, 1), "0001");
    rows.Base(1, 5, 1); // female
    rows.Base(1, 7, 0); // no diabetes
    rows.Journal(10, 1, EncodeDate(2023, 3, 1));
    rows.Journal(11, 1, EncodeDate(2024, 3, 5));
    rows.Journal(12, 1, EncodeDate(2025, 3, 10));
    rows.Exam(10, 1, 165, 130);
    rows.Exam(10, 2, 7.2, 5);
    rows.Exam(10, 3, 2, 0);
    rows.Exam(10, 19, 1.0, 1.0);
    rows.Exam(11, 1, 152, 130);
    rows.Exam(11, 2, 6.5, 5);
    rows.Exam(11, 3, 2, 0);
    rows.Exam(11, 19, 1.1, 1.1);
    rows.Exam(12, 1, 138, 125);
    rows.Exam(12, 2, 5.6, 4.5);
    rows.Exam(12, 3, 1, 0);
    rows.Exam(12, 19, 1.1, 1.1, true);
}
