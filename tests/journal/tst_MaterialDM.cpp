// The material data module creates the work window's modules through its
// factories in slot order and links them in the order the work window
// relies on; the product's module calculates the journal's patient.

#include "Application.h"
#include "JournalFixture.h"
#include "TestMain.h"
#include "../model/Score2Reference.h"
#include "TvWorkCalculateDM.h"
#include "TvWorkMaterialDM.h"

#include <QTest>

namespace {

// The product's material module with the stand-in calculation, logging
// each step as it runs and what was in place at that moment.
class TRecordingMaterial : public TTvWorkMaterialDataModule {
public:
    QStringList Steps;
    TRecordingCalculation* Made = nullptr;

protected:
    TTvWorkCountryDataModule* CreateCountryData() override {
        Steps << "country";
        return TTvWorkMaterialDataModule::CreateCountryData();
    }
    TXTvWorkJournalDataModule* CreateJournalData() override {
        Steps << QString("journal, country made: %1").arg(CountryData != nullptr);
        return TTvWorkMaterialDataModule::CreateJournalData();
    }
    TJournalCalculation* CreateCalculateData() override {
        Steps << QString("calculation, journal made: %1").arg(JournalData != nullptr);
        Made = new TRecordingCalculation();
        return Made;
    }
    void SetCalculationCountry() override {
        Steps << QString("country to calculation: journal linked %1, copy's country %2, report shares %3")
                     .arg(JournalData->Calculation() == CalculateData)
                     .arg(Made->Copy->CountryData == CountryData)
                     .arg(ReportCalculateData == CalculateData);
    }
    void LinkModelToCountry() override { Steps << "model follows country"; }
};

} // namespace

class TestMaterialDM : public QObject {
    Q_OBJECT
    std::unique_ptr<TSeedDatabase> FSeed;
    std::unique_ptr<TMediatorDataModule> FMediator;

private slots:
    void initTestCase() {
        SetEdition(TEdition::Combined);
        FSeed = std::make_unique<TSeedDatabase>("MaterialSeed");
        FMediator = std::make_unique<TMediatorDataModule>();
    }
    void init() {
        SetEdition(TEdition::Combined);
        FMediator->Database->Close();
        FMediator->PatientDatabase->Close();
        FSeed->Reset();
        FMediator->ConnectDatabases("MaterialSeedAlias", true);
        for (const char* table : {"Patient", "Journal", "Base", "Exam"})
            FMediator->PatientDatabase->ExecSql(QStringLiteral("DELETE FROM \"%1\"").arg(table));
    }
    void cleanup() { SetEdition(TEdition::Combined); }
    void cleanupTestCase() {
        FMediator.reset();
        FSeed.reset();
    }

    void wiringOrder_data() {
        QTest::addColumn<int>("edition");
        QTest::addColumn<bool>("modelStep");
        QTest::newRow("Combined") << int(TEdition::Combined) << false;
        QTest::newRow("Prevention") << int(TEdition::Prevention) << true;
    }
    void wiringOrder() {
        QFETCH(int, edition);
        QFETCH(bool, modelStep);
        SetEdition(TEdition(edition));
        TRecordingMaterial material;
        material.CreateModules();
        QStringList expected{"country", "journal, country made: 1", "calculation, journal made: 1",
                             "country to calculation: journal linked 1, copy's country 1, report shares 1"};
        if (modelStep)
            expected << "model follows country";
        QCOMPARE(material.Steps, expected);
        QCOMPARE(material.JournalData->CountryData, material.CountryData);
        QVERIFY(qobject_cast<TTvWorkJournalDataModule*>(material.JournalData));
    }

    // The handlers reach the modules; the journal's changes reach the calculation.
    void handlersAndCalculation() {
        TPatientRows rows{FMediator->PatientDatabase};
        rows.Patient(1, EncodeDate(1950, 3, 1), "0001");
        rows.Patient(2, EncodeDate(1960, 4, 2), "0002");
        TRecordingMaterial material;
        material.CreateModules();
        QStringList seen;
        material.SetOnJournalChange([&](TDataSet*) { seen << "journal"; });
        material.SetOnPatientScroll([&](TDataSet*) { seen << "patient"; });
        material.SetOnCountryChange([&](QObject*) { seen << "country"; });
        material.Made->Log->clear();
        material.JournalData->Patient->Next();
        material.CountryData->SelectLanguage("da/dk");
        QCOMPARE(seen, QStringList({"journal", "patient", "country"}));
        QCOMPARE(*material.Made->Log, QStringList({"AssignFrom", "Recalculate"}));
        QCOMPARE(material.Made->Copy->Patient->FieldByName("Patient id")->AsInteger(), 2);
    }

    // The product's module makes the real calculation, with the product's
    // journal as its copy: a patient typed into the journal is calculated by
    // the shipped SCORE2 model exactly as the published equations give it.
    void productsCalculation() {
        TPatientRows rows{FMediator->PatientDatabase};
        rows.Patient(1, EncodeDate(1961, 3, 1), "0001");
        rows.Journal(2, 1, Date());
        rows.Base(1, 5, 1); // Sex: female
        rows.Base(1, 7, 0); // no diabetes (hidden by the journal's filter)
        rows.Exam(2, 1, 150, 130); // blood pressure, goal
        rows.Exam(2, 2, 6.5, 5);   // cholesterol
        rows.Exam(2, 3, 2, 0);     // current smoker, goal to stop
        rows.Exam(2, 19, 1.1, 1.1); // HDL
        TTvWorkMaterialDataModule material;
        material.CreateModules();
        TTvWorkCalculateDataModule* calculation = material.WorkCalculation();
        QVERIFY(calculation);
        QCOMPARE(material.ReportCalculateData, material.CalculateData);
        QCOMPARE(material.JournalData->Calculation(), material.CalculateData);
        QCOMPARE(calculation->JournalCopy()->CountryData, material.CountryData);
        material.CountryData->SelectLanguage("en/gb");
        // As the work window does once it is set up.
        calculation->InitPredictionYears();
        calculation->LoadFormulas();
        calculation->AutoCalculate = true;
        material.JournalData->JournalChanged(nullptr);

        QVERIFY(calculation->Calculated);
        QCOMPARE(calculation->GetGroup(), 1);
        using namespace Score2Reference;
        Patient patient{Sex::Female, double(material.JournalData->GetAge()), 150, 6.5, 1.1, true, false};
        QVERIFY(qAbs(calculation->ExaminationRisk - 100 * TenYearRisk(patient, Region::Low)) < 0.01);
        Patient goals{Sex::Female, patient.age, 130, 5, 1.1, false, false};
        QVERIFY(qAbs(calculation->TreatmentRisk - 100 * TenYearRisk(goals, Region::Low)) < 0.01);
    }

    // Prevention edition: the calculation's model follows the country, and
    // the journal shows the model's values at once.
    void preventionModelFollowsCountry() {
        SetEdition(TEdition::Prevention);
        TTvWorkMaterialDataModule material;
        material.CreateModules();
        TTvWorkCalculateDataModule* calculation = material.WorkCalculation();
        QCOMPARE(calculation->CalcModel->MasterSource(), material.CountryData->CountrySource);
        QCOMPARE(calculation->ModelId(), material.CountryData->Country->FieldByName("CalcID")->AsInteger());
        TMlTable* base = material.JournalData->Base;
        QVERIFY(base->Filtered());
        QVERIFY(base->Filter().contains("[Risk id] = 7"));
        QVERIFY(material.JournalData->Exam->Filter().contains("[Risk id] = 1"));
    }
};

TAVLO_TEST(TestMaterialDM);

#include "tst_MaterialDM.moc"
