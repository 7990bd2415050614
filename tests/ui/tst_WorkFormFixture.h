#pragma once
// The work window on the seed databases, as the program starts it: the
// mediator, the material module with the product's modules, the window
// created and shown. Every test starts from the seed with the patients it
// writes itself and empty settings.

#include "../journal/JournalFixture.h"
#include "Application.h"
#include "BvSettings.h"
#include "BvUtils.h"
#include "FormatSettings.h"
#include "MorlenSettings.h"
#include "TvWorkFM.h"
#include "TvWorkMaterialDM.h"

#include <QApplication>
#include <QFile>
#include <QTest>

struct TWorkFixture {
    std::unique_ptr<TSeedDatabase> Seed;
    std::unique_ptr<TMediatorDataModule> Mediator;
    std::unique_ptr<TTvWorkMaterialDataModule> Material;
    TFormPtr<TTvWorkForm> Form;
    QStringList Errors;
    TFormatSettings SavedFormats;

    void Start(const QString& name) {
        SetEdition(TEdition::Combined);
        SavedFormats = FormatSettings();
        Seed = std::make_unique<TSeedDatabase>(name);
        Mediator = std::make_unique<TMediatorDataModule>();
    }
    // The databases as the seed made them, the settings empty, the
    // patients of the test written, the window not yet made.
    TPatientRows Reset() {
        Close();
        QFile::remove(TBvSettings::RootFileName(true));
        QFile::remove(TBvSettings::RootFileName(false));
        Mediator->Database->Close();
        Mediator->PatientDatabase->Close();
        Seed->Reset();
        Mediator->ConnectDatabases(Seed->Name() + "Alias", true);
        for (const char* table : {"Patient", "Journal", "Base", "Exam"})
            Mediator->PatientDatabase->ExecSql(QStringLiteral("DELETE FROM \"%1\"").arg(table));
        Errors.clear();
        TApplication::OnException = [this](const QString& text) { Errors << text; };
        return TPatientRows{Mediator->PatientDatabase};
    }
    TTvWorkForm* Open(const QString& language = QStringLiteral("en/gb")) {
        Settings()->SetDefaultLanguage(language);
        Material = std::make_unique<TTvWorkMaterialDataModule>();
        Material->CreateModules();
        Form.reset(CreateForm<TTvWorkForm>(Material.get()));
        Form->show();
        QApplication::setActiveWindow(Form.get());
        (void)QTest::qWaitForWindowActive(Form.get());
        return Form.get();
    }
    void Close() {
        if (Form) {
            // Whatever a test left unposted goes with the window.
            if (Material && Material->JournalData && IsEditing(Material->JournalData->Patient))
                Material->JournalData->Patient->Cancel();
        }
        Form.reset();
        Material.reset();
        // The country's formats stay with this window's tests.
        FormatSettings() = SavedFormats;
    }
    void Stop() {
        Close();
        TApplication::OnException = {};
        Mediator.reset();
        Seed.reset();
    }
    TMlTable* Patient() const { return Material->JournalData->Patient; }
    QString Current(const QString& field) const { return Patient()->FieldByName(field)->AsString(); }
    int StoredCount(const QString& where = QStringLiteral("1 = 1"), const QVariantList& params = {}) const {
        return TPatientRows{Mediator->PatientDatabase}.Count("SELECT COUNT(*) FROM Patient WHERE " + where, params);
    }
};

// Lets queued focus moves and repaints happen.
inline void Settle() {
    for (int i = 0; i < 3; ++i)
        QTest::qWait(5);
}
