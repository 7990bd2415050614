// The material data module creates the work window's modules through its
// factories in slot order and links them in the order the work window
// relies on; without a calculation the journal works on its own.

#include "Application.h"
#include "JournalFixture.h"
#include "TestMain.h"
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

    // Until the calculation exists the product's module makes none: the
    // journal still keeps the patients, without a recalculation.
    void withoutCalculation() {
        TTvWorkMaterialDataModule material;
        material.CreateModules();
        QVERIFY(material.CountryData);
        QVERIFY(material.JournalData);
        QVERIFY(!material.CalculateData);
        QVERIFY(!material.ReportCalculateData);
        QVERIFY(!material.JournalData->Calculation());
        material.CountryData->SelectLanguage("en/gb");
        TMlTable* patient = material.JournalData->Patient;
        patient->Insert();
        patient->FieldByName("Birth date")->SetAsDateTime(EncodeDate(1955, 5, 5));
        patient->FieldByName("Sequence id")->SetAsString("0001");
        patient->Post();
        material.JournalData->Journal->Insert();
        TPatientRows rows{FMediator->PatientDatabase};
        QCOMPARE(rows.Count("SELECT COUNT(*) FROM Base"), 4);
        QCOMPARE(rows.Count("SELECT COUNT(*) FROM Journal"), 1);
        QCOMPARE(rows.Count("SELECT COUNT(*) FROM Exam"), 0); // no model, no values to transfer
    }
};

TAVLO_TEST(TestMaterialDM);

#include "tst_MaterialDM.moc"
