// The country data module on the seed of the application database and an
// empty patient database, reached through the mediator as at start-up:
// locale names, separators, the translated wording, colour bands, the
// country choice with its pick lists, and typed risk values.

#include "Application.h"
#include "BuildMediatorDM.h"
#include "BvDictionary.h"
#include "Edition.h"
#include "FormatSettings.h"
#include "ModalAnswer.h"
#include "ModelFixture.h"
#include "MorlenSettings.h"
#include "TableStore.h"
#include "TestDatabase.h"
#include "SettingsWarningFM.h"
#include "TestMain.h"
#include "TvConvertField.h"
#include "TvPickList.h"
#include "TvWorkCountryDM.h"

#include <QLabel>
#include <QTest>

namespace {

// The wording's texts with Danish translations, as a translator adds them.
const QString DanishDictionary = QString::fromUtf8(
    "language 0 en/us \"English\"\n"
    "language 1 en/gb \"English (United Kingdom)\"\n"
    "language 2 da/dk \"Dansk\"\n"
    "text \"Examination\"\n"
    "da/dk \"Undersøgelse\"\n"
    "text \"Treatment goal\"\n"
    "da/dk \"Behandlingsmål\"\n"
    "text \"Absolute risk\"\n"
    "da/dk \"Absolut risiko\"\n"
    "text \"Risk estimation for the next %s years.\"\n"
    "da/dk \"Risikovurdering for de næste %s år.\"\n"
    "text \"Risks\"\n"
    "da/dk \"Risici\"\n"
    "text \"Measures to follow\"\n"
    "da/dk \"Tiltag\"\n"
    "text \"Unable to calculate the risk. The age must be between %s and %s years!\"\n"
    "da/dk \"Risikoen kan ikke beregnes. Alderen skal være mellem %s og %s år!\"\n"
    "text \"Invalid patient id\"\n"
    "da/dk \"Ugyldigt patient-id\"\n"
    "text \"Risk not used in calculation.\"\n"
    "da/dk \"Risikoen indgår ikke i beregningen.\"\n"
    "text \"SNotValidNumber\"\n"
    "da/dk \"Værdien er ikke et gyldigt tal.\"\n");

QStringList Wording(const TBuildCountryDataModule& country) {
    return {country.ExaminationTitle(), country.TreatmentTitle(), country.AbsoluteRiskTitle(),
            country.PredictionTitle(),  country.RisksTitle(),     country.MeasuresTitle(),
            country.AgeRangeMessage(),  country.InvalidIdMessage(), country.NotUsedMessage(),
            country.EmptyComposeText()};
}

// A row of risk values being typed: Risk id and the value.
std::unique_ptr<TClientDataSet> ValueRow(int riskId, double value) {
    auto row = MemoryTable({{"Risk id", TFieldType::ftInteger}, {"Examination", TFieldType::ftFloat}},
                           {{riskId, value}});
    row->Edit();
    return row;
}

} // namespace

class TestCountryDM : public QObject {
    Q_OBJECT
    std::unique_ptr<TSeedDatabase> FSeed;
    std::unique_ptr<TMediatorDataModule> FMediator;
    QStringList FShown; // what the application's error display showed
    QChar FSavedSeparator;

    void Exec(const QString& sql) { FMediator->Database->ExecSql(sql); }
    void UseDanishDictionary() {
        FMediator->MainDictionary->LoadFromText(DanishDictionary, "test dictionary");
        FMediator->MainDictionary->SetCurrentLanguage(2);
    }

private slots:
    void initTestCase() {
        TApplication::OnException = [this](const QString& text) { FShown << text; };
        SetEdition(TEdition::Combined);
        FSeed = std::make_unique<TSeedDatabase>("CountrySeed");
        FMediator = std::make_unique<TMediatorDataModule>();
    }
    // Every test starts on the seed as it was built, with the installed dictionary in English.
    void init() {
        FShown.clear();
        FSavedSeparator = FormatSettings().DecimalSeparator;
        SetEdition(TEdition::Combined);
        SetApplicationTitle(QString());
        FMediator->Database->Close();
        FSeed->Reset();
        FMediator->ConnectDatabases("CountrySeedAlias", true);
        FMediator->PatientDatabase->ExecSql("DELETE FROM Doctors");
        FMediator->MainDictionary->SetFileName(ApplicationDirectory() + "Tavlo.mld");
        FMediator->MainDictionary->SetCurrentLanguage(1);
    }
    void cleanup() {
        QVERIFY2(FShown.isEmpty(), qPrintable(FShown.join('\n')));
        FormatSettings().DecimalSeparator = FSavedSeparator;
        SetEdition(TEdition::Combined);
    }
    void cleanupTestCase() {
        FMediator.reset();
        FSeed.reset();
        TApplication::OnException = nullptr;
    }

    void localeName_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("riskId");
        QTest::addColumn<QString>("name");
        QTest::newRow("the country's name") << "en/gb" << 1 << "Systolic BP";
        QTest::newRow("the other country's name") << "da/dk" << 1 << "Blodtryk";
        QTest::newRow("named only for another country") << "da/dk" << 50 << "(Uric acid)";
        QTest::newRow("named for this country") << "en/gb" << 50 << "Urate";
        QTest::newRow("no locale name") << "en/gb" << 51 << "(Lipoprotein a)";
        QTest::newRow("no risk factor") << "en/gb" << 999 << "999?";
    }
    void localeName() {
        QFETCH(QString, language);
        QFETCH(int, riskId);
        QFETCH(QString, name);
        Exec("INSERT INTO Risks (\"Risk id\", Name, Obsolete, \"Group\", Type) VALUES (50, 'Uric acid', 0, 1, 1)");
        Exec("INSERT INTO Risks (\"Risk id\", Name, Obsolete, \"Group\", Type) VALUES (51, 'Lipoprotein a', 0, 1, 1)");
        Exec("INSERT INTO Names (\"Country id\", \"Risk id\", Type, Name) VALUES (1, 50, 1, 'Urate')");
        TTvWorkCountryDataModule country;
        country.SelectLanguage(language);
        QCOMPARE(country.LocaleName(riskId), name);
        QCOMPARE(country.RiskName(riskId), name);

        // The module's own risk table and any other risk table compute it so.
        if (riskId != 999) {
            QVERIFY(country.Risks->Locate("Risk id", riskId));
            QCOMPARE(country.Risks->FieldByName("Locale name")->AsString(), name);
        }
        TMlRiskTable other; // as the calculation module's risk table
        other.SetDatabaseName(FMediator->Database->DatabaseName());
        other.SetTableName("Risks");
        new TAutoIncField(&other, "Risk id");
        new TStringField(&other, "Locale name", 25, TFieldKind::fkCalculated);
        other.OnCalcFields = [&](TDataSet* dataSet) { country.FillLocaleName(dataSet); };
        country.FillLocaleName(&other); // closed: nothing to fill
        other.Open();
        if (riskId != 999) {
            QVERIFY(other.Locate("Risk id", riskId));
            QCOMPARE(other.FieldByName("Locale name")->AsString(), name);
        }

        country.NamesLookup->Close();
        QCOMPARE(country.LocaleName(riskId), QString());
    }

    // Active and Visible are those of the current model in the mediator's CalcRisks.
    void riskColumnsFollowTheModel() {
        Exec("UPDATE Risks_P SET Active = 0, Visible = 0 WHERE \"Risk id\" = 1 AND CalcID = 2");
        FMediator->CalcRisks->Refresh();
        TTvWorkCountryDataModule country;
        for (int calcId : {1, 2, 1}) {
            FMediator->CalcRisks->SetFilter("CalcID = " + QString::number(calcId));
            QVERIFY(country.Risks->Locate("Risk id", 1));
            QCOMPARE(country.Risks->FieldByName("Active")->AsBoolean(), calcId == 1);
            QCOMPARE(country.Risks->FieldByName("Visible")->AsBoolean(), calcId == 1);
            QCOMPARE(country.Risks->IsExamRisk(), calcId == 1);
            QVERIFY(country.Risks->Locate("Risk id", 4));
            QCOMPARE(country.Risks->FieldByName("Active")->AsBoolean(), false); // only feeds BMI
            QCOMPARE(country.Risks->FieldByName("Visible")->AsBoolean(), true);
        }
    }

    void decimalSeparator_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("pickText"); // cholesterol 5.5 in the pick list
        QTest::newRow("comma") << "," << QChar(',') << "5,5";
        QTest::newRow("point") << "." << QChar('.') << "5.5";
        // The lists keep the separator they had rather than write the character 0.
        QTest::newRow("empty") << "" << QChar(0) << "5.5";
        QTest::newRow("null") << "NULL" << QChar(0) << "5.5";
    }
    void decimalSeparator() {
        QFETCH(QString, stored);
        QFETCH(QChar, separator);
        QFETCH(QString, pickText);
        Exec("UPDATE Country SET \"Separator name\" = " + (stored == "NULL" ? stored : "'" + stored + "'") +
             " WHERE \"Country id\" = 2");
        TDecimalSeparatorScope process('.');
        TTvWorkCountryDataModule country;
        QCOMPARE(country.PickList()->Separator(), QChar('.')); // the separator current at creation
        country.SelectLanguage("da/dk");
        QCOMPARE(country.DecimalSeparatorChar(), separator);
        QCOMPARE(country.PickList()->Separator(), pickText.at(1));
        QVERIFY(country.PickValues(2)->contains(pickText));
    }

    void predictionTitle_data() {
        QTest::addColumn<int>("years");
        QTest::addColumn<bool>("danish");
        QTest::addColumn<QString>("title");
        QTest::newRow("untranslated") << 10 << false << "Risk estimation for the next 10 years.";
        QTest::newRow("untranslated, 5 years") << 5 << false << "Risk estimation for the next 5 years.";
        QTest::newRow("Danish") << 10 << true << "Risikovurdering for de næste 10 år.";
    }
    void predictionTitle() {
        QFETCH(int, years);
        QFETCH(bool, danish);
        QFETCH(QString, title);
        Exec("UPDATE Country SET PredictionYears = " + QString::number(years));
        if (danish)
            UseDanishDictionary();
        TTvWorkCountryDataModule country;
        country.SelectLanguage(danish ? "da/dk" : "en/gb");
        QCOMPARE(country.PredictionTitle(), title);
    }

    void wordingIsTranslated() {
        TTvWorkCountryDataModule country;
        country.SelectLanguage("en/gb");
        const QStringList english{"Examination", "Treatment goal", "Absolute risk",
                                  "Risk estimation for the next 10 years.", "Risks", "Measures to follow",
                                  "Unable to calculate the risk. The age must be between %s and %s years!",
                                  "Invalid patient id", "Risk not used in calculation.", ""};
        QCOMPARE(Wording(country), english);
        UseDanishDictionary();
        QCOMPARE(Wording(country), QStringList({"Undersøgelse", "Behandlingsmål", "Absolut risiko",
                                                "Risikovurdering for de næste 10 år.", "Risici", "Tiltag",
                                                "Risikoen kan ikke beregnes. Alderen skal være mellem %s og %s år!",
                                                "Ugyldigt patient-id", "Risikoen indgår ikke i beregningen.", ""}));
        FMediator->MainDictionary->SetCurrentLanguage(0); // the primary language is never translated
        QCOMPARE(Wording(country), english);
    }

    void colorBand_data() {
        QTest::addColumn<double>("risk");
        QTest::addColumn<int>("max");
        QTest::newRow("below the first") << 0.0 << 1;
        QTest::newRow("the first's end") << 1.0 << 1;
        QTest::newRow("inside the second") << 4.0 << 5;
        QTest::newRow("the second's end") << 5.0 << 5;
        QTest::newRow("just above an end") << 5.4 << 10; // not rounded to 5
        QTest::newRow("above every band") << 11.0 << 10;
    }
    void colorBand() {
        QFETCH(double, risk);
        QFETCH(int, max);
        Exec("DELETE FROM Colors WHERE \"Country id\" = 1");
        // Stored out of order: the bands count by Max.
        Exec("INSERT INTO Colors (\"Country id\", Max, Text, Color) VALUES (1, 10, 'Ten', 10)");
        Exec("INSERT INTO Colors (\"Country id\", Max, Text, Color) VALUES (1, 1, 'One', 1)");
        Exec("INSERT INTO Colors (\"Country id\", Max, Text, Color) VALUES (1, 5, 'Five', 5)");
        TTvWorkCountryDataModule country;
        country.SelectLanguage("en/gb");
        const std::optional<TColorBand> band = country.ColorBand(risk);
        QVERIFY(band);
        QCOMPARE(band->Max, max);
        QCOMPARE(band->Color, max);
        QCOMPARE(band->Text, max == 1 ? QString("One") : max == 5 ? QString("Five") : QString("Ten"));

        // The other country keeps its own bands; a country without any has none.
        country.SelectLanguage("da/dk");
        QCOMPARE(country.ColorBand(4)->Text, QString("Lav til moderat risiko"));
        Exec("DELETE FROM Colors WHERE \"Country id\" = 2");
        country.Colors->Refresh();
        QVERIFY(!country.ColorBand(4));
    }

    void selectLanguage_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("changes");
        QTest::newRow("exact") << "da/dk" << "Danmark" << 1;
        QTest::newRow("other case") << "DA/Dk" << "Danmark" << 1;
        QTest::newRow("unknown code") << "xx/yy" << "United Kingdom" << 0;
        QTest::newRow("empty code") << "" << "United Kingdom" << 0;
    }
    void selectLanguage() {
        QFETCH(QString, code);
        QFETCH(QString, chosen);
        QFETCH(int, changes);
        TTvWorkCountryDataModule country;
        country.SelectLanguage("en/gb");
        QList<QObject*> senders;
        country.OnCountryChange = [&](QObject* sender) { senders << sender; };
        country.SelectLanguage(code);
        QCOMPARE(country.Country->FieldByName("Name")->AsString(), chosen);
        QCOMPARE(country.CountryId(), chosen == "Danmark" ? 2 : 1);
        QCOMPARE(senders, QList<QObject*>(changes, static_cast<QObject*>(&country)));
    }

    void countryChoice_data() {
        QTest::addColumn<int>("edition");
        QTest::addColumn<QString>("title");
        QTest::newRow("prevention") << int(TEdition::Prevention) << "Tavlo - Hjerte-kar-risiko";
        QTest::newRow("diabetes") << int(TEdition::Diabetes) << "edition title";
        QTest::newRow("combined") << int(TEdition::Combined) << "edition title";
    }
    void countryChoice() {
        QFETCH(int, edition);
        QFETCH(QString, title);
        SetEdition(TEdition(edition));
        SetApplicationTitle("edition title");
        TTvWorkCountryDataModule country;
        // Creating the module chooses nothing: the work window chooses by language.
        QCOMPARE(country.PickList()->Count(), 0);
        QCOMPARE(ApplicationTitle(), QString("edition title"));

        QStringList seen; // what the work window finds when it is told
        country.OnCountryChange = [&](QObject*) {
            FormatSettings().DecimalSeparator = country.DecimalSeparatorChar(); // as the work window does
            seen << ApplicationTitle() << QString(country.PickList()->Separator())
                 << country.PickValues(3)->join('|');
        };
        country.SelectLanguage("da/dk");
        QCOMPARE(seen, QStringList({title, ",", "Aldrig|Tidligere|Nuværende"}));
        QCOMPARE(country.PickList()->Count(), 11);
        QCOMPARE(country.Names->SelectType(), 2);
        QCOMPARE(country.Names->RecordCount(), 11);
        QCOMPARE(country.ValueText(3, 1), QString("Tidligere"));
        QCOMPARE(country.ValueText(19, 1.5), QString("1,5"));
        QVERIFY(!country.PickValues(999));
        QCOMPARE(country.ValueText(999, 2.25), QString("2,25"));
        QCOMPARE(country.AboutMessage(), QString("Brovik"));
        QVERIFY(country.Compose->Active());
        QCOMPARE(country.Compose->PhysicalTableName(), QString("Compose_P"));
        QCOMPARE(FirstCountryDataModule(), &country);

        seen.clear();
        country.SelectLanguage("en/gb");
        QCOMPARE(seen, QStringList({edition == int(TEdition::Prevention) ? "Tavlo - Cardiovascular risk" : title,
                                    ".", "Never|Former|Current"}));
    }

    // The definitions before the faulty one are loaded, the faulty one up to
    // its fault; the work window is not told of a country half chosen.
    void faultyPickListDefinition() {
        Exec("UPDATE Names SET Name = '(1;2;1)x' WHERE \"Country id\" = 2 AND \"Risk id\" = 4 AND Type = 2");
        TTvWorkCountryDataModule country;
        int changes = 0;
        country.OnCountryChange = [&](QObject*) { ++changes; };
        QCOMPARE(ErrorOf([&] { country.SelectLanguage("da/dk"); }), QString("4: Comma expected"));
        QCOMPARE(changes, 0);
        QCOMPARE(country.PickList()->Count(), 4);
        QCOMPARE(country.PickList()->Item(2).Values, QStringList({"Aldrig", "Tidligere", "Nuværende"}));
        QCOMPARE(country.PickList()->Item(3).RiskId(), 4);
        QCOMPARE(country.PickList()->Item(3).Values, QStringList({"1", "2"}));
        QCOMPARE(country.PickList()->Separator(), QChar(','));
    }

    void textToField_data() {
        QTest::addColumn<int>("riskId");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("answer"); // the button pressed; empty: no question
        QTest::addColumn<double>("stored");  // -1: unchanged and the edit cancelled
        QTest::newRow("inside the limits") << 1 << "140" << "" << 140.0;
        QTest::newRow("on the upper limit") << 1 << "250" << "" << 250.0;
        QTest::newRow("with the unit") << 1 << "150 mmHg" << "" << 150.0;
        QTest::newRow("above, answered No") << 1 << "260" << "No" << -1.0;
        QTest::newRow("below, answered No") << 1 << "60" << "No" << -1.0;
        QTest::newRow("above, answered Yes") << 1 << "260" << "Yes" << 260.0;
        QTest::newRow("a named choice") << 3 << "current" << "" << 2.0;
        QTest::newRow("decimal point of the country") << 19 << "1.5" << "" << 1.5;
        QTest::newRow("without pick list") << 999 << "7.25" << "" << 7.25;
    }
    void textToField() {
        QFETCH(int, riskId);
        QFETCH(QString, text);
        QFETCH(QString, answer);
        QFETCH(double, stored);
        TTvWorkCountryDataModule country;
        country.SelectLanguage("en/gb");
        FormatSettings().DecimalSeparator = '.';
        auto row = ValueRow(riskId, 100);
        TField* field = row->FieldByName("Examination");
        TModalAnswer question(TModalAnswer::Click(answer.isEmpty() ? "Yes" : answer));
        country.TextToField(text, riskId, field);
        QCOMPARE(question.Shown, !answer.isEmpty());
        if (stored < 0) {
            QCOMPARE(row->State(), TDataSetState::dsBrowse);
            QCOMPARE(field->AsFloat(), 100.0);
        } else {
            QCOMPARE(row->State(), TDataSetState::dsEdit);
            QCOMPARE(field->AsFloat(), stored);
        }
    }

    // A risk field the journal converts: typed in its display unit, stored in
    // the store unit, the limits asked about in the display unit.
    void textToConvertingField() {
        TTvWorkCountryDataModule country;
        country.SelectLanguage("en/gb");
        FormatSettings().DecimalSeparator = '.';
        TClientDataSet exam;
        new TIntegerField(&exam, "Risk id");
        auto* value = new TTvRiskField(&exam, "Examination");
        auto* category = new TStringField(&exam, "StoreCategory", 30, TFieldKind::fkCalculated);
        auto* store = new TStringField(&exam, "StoreUnit", 15, TFieldKind::fkCalculated);
        auto* display = new TStringField(&exam, "DisplayUnit", 15, TFieldKind::fkCalculated);
        auto* type = new TSmallintField(&exam, "RiskType", TFieldKind::fkCalculated);
        exam.OnCalcFields = [&](TDataSet*) {
            category->SetAsString("Cholesterol");
            store->SetAsString("mmol/L");
            display->SetAsString("mg/dL");
            type->SetAsInteger(1);
        };
        value->SetConverter(FMediator->UnitConverter);
        value->SetConvertActive(true);
        value->SetStoreCategoryField(category);
        value->SetStoreUnitField(store);
        value->SetDisplayUnitField(display);
        value->SetRiskUnitTypeField(type);
        exam.CreateDataSet({{"Risk id", TFieldType::ftInteger}, {"Examination", TFieldType::ftFloat}});
        exam.Append();
        exam.FieldByName("Risk id")->SetAsInteger(2);
        QVERIFY(value->IsConvertActive());

        country.TextToField("386.7", 2, value);
        QVERIFY(qAbs(value->AsFloat() - 10.0) < 1e-9);

        QString asked;
        TModalAnswer question([&](QWidget* window) {
            if (auto* warning = qobject_cast<TSettingsWarningForm*>(window))
                asked = warning->WarningLabel->text();
            TModalAnswer::Click("No")(window);
        });
        country.TextToField("1000", 2, value); // 25.9 mmol/L, above 20
        QVERIFY(question.Shown);
        QCOMPARE(asked, QString("Cholesterol must be below 773.4. Change risk value anyway?"));
        QCOMPARE(exam.State(), TDataSetState::dsBrowse); // the new row is given up
    }

    void textThatIsNoNumber_data() {
        QTest::addColumn<int>("riskId");
        QTest::addColumn<bool>("danish");
        QTest::addColumn<QString>("message");
        QTest::newRow("pick list, translated") << 2 << true << "Værdien er ikke et gyldigt tal.";
        QTest::newRow("no pick list, translated") << 999 << true << "Værdien er ikke et gyldigt tal.";
        // Without a translation the key would say nothing to the user.
        QTest::newRow("pick list, untranslated") << 2 << false << "'abc' is not a valid floating point value";
        QTest::newRow("no pick list, untranslated") << 999 << false << "'abc' is not a valid floating point value";
    }
    void textThatIsNoNumber() {
        QFETCH(int, riskId);
        QFETCH(bool, danish);
        QFETCH(QString, message);
        if (danish)
            UseDanishDictionary();
        TTvWorkCountryDataModule country;
        country.SelectLanguage("en/gb");
        auto row = ValueRow(riskId, 100);
        TField* field = row->FieldByName("Examination");
        bool converting = false;
        try {
            country.TextToField("abc", riskId, field);
        } catch (const EConvertError& e) {
            converting = true;
            QCOMPARE(e.Message(), message);
        }
        QVERIFY(converting);
        QCOMPARE(field->AsFloat(), 100.0);
        QCOMPARE(row->State(), TDataSetState::dsEdit);
    }

    void doctorNames() {
        FMediator->PatientDatabase->ExecSql("INSERT INTO Doctors (Name) VALUES ('Lind')");
        FMediator->PatientDatabase->ExecSql("INSERT INTO Doctors (Name) VALUES ('Berg')");
        TTvWorkCountryDataModule country;
        QStringList names{"left over"};
        country.DoctorNames(names);
        QCOMPARE(names, QStringList({"Lind", "Berg"}));

        // The settings dialog adds a doctor through a table of its own.
        TTable dialogDoctors;
        dialogDoctors.SetDatabaseName(FMediator->PatientDatabase->DatabaseName());
        dialogDoctors.SetTableName("Doctors");
        dialogDoctors.Open();
        dialogDoctors.Append();
        dialogDoctors.FieldByName("Name")->SetAsString("Moe");
        dialogDoctors.Post();
        country.DoctorNames(names);
        QCOMPARE(names, QStringList({"Lind", "Berg", "Moe"}));
    }
};

TAVLO_TEST(TestCountryDM);
#include "tst_CountryDM.moc"
