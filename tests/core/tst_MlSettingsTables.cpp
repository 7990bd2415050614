#include "MorlenSettings.h"
#include "SettingsFixture.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QTest>

namespace {

// The shared definitions and the general row as the application database has them.
struct TLimitTables : TTestDatabase {
    TMlRiskTable Risks;
    TMlTable General;
    TLimitTables() {
        Create("Risks", {{"Risk id", TFieldType::ftAutoInc}, {"Name", TFieldType::ftString, 50},
                         {"Min", TFieldType::ftFloat}, {"Max", TFieldType::ftFloat}});
        Create("General", {{"Version", TFieldType::ftInteger}, {"Absolute min", TFieldType::ftFloat},
                           {"Absolute max", TFieldType::ftFloat}});
        Exec("INSERT INTO Risks VALUES (1, 'Blood pressure', 70, 250)");
        Exec("INSERT INTO Risks VALUES (2, 'Cholesterol', NULL, 20)");
        Exec("INSERT INTO Risks VALUES (3, 'Smoking', NULL, NULL)");
        Exec("INSERT INTO General VALUES (1, NULL, 40)");
        for (TMlTable* t : {static_cast<TMlTable*>(&Risks), &General}) {
            t->SetDatabaseName(Name());
            t->SetTableName(t == &Risks ? "Risks" : "General");
        }
        Risks.SetFilter(QString());
        Risks.SetFiltered(true); // as the mediator has it
    }
};

std::optional<double> Opt(const QVariant& v) { return v.isValid() ? std::optional<double>(v.toDouble()) : std::nullopt; }

} // namespace

class TestMlSettingsTables : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsRoots(); }

    void riskLimitsFromTheRiskTable_data() {
        QTest::addColumn<int>("riskId");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QVariant>("min");
        QTest::addColumn<QVariant>("max");
        QTest::addColumn<double>("inside");
        QTest::newRow("both limits") << 1 << true << QVariant(70.0) << QVariant(250.0) << 100.0;
        QTest::newRow("Max only") << 2 << true << QVariant() << QVariant(20.0) << -5.0;
        QTest::newRow("no limits") << 3 << true << QVariant() << QVariant() << 1e9;
        QTest::newRow("no such row") << 9 << false << QVariant() << QVariant() << 1e9;
    }
    void riskLimitsFromTheRiskTable() {
        QFETCH(int, riskId);
        QFETCH(bool, found);
        QFETCH(QVariant, min);
        QFETCH(QVariant, max);
        QFETCH(double, inside);
        TLimitTables db;
        TMlSettings settings;
        ConfigureTavlo(settings);
        settings.SetRiskTable(&db.Risks);
        QCOMPARE(settings.RiskTable(), &db.Risks);
        QVERIFY(!settings.RiskLimits(1)); // closed: nothing to check against
        db.Risks.Open();
        const std::optional<TValueLimits> limits = settings.RiskLimits(riskId);
        QCOMPARE(limits.has_value(), found);
        if (found) {
            QCOMPARE(limits->Min, Opt(min));
            QCOMPARE(limits->Max, Opt(max));
            QCOMPARE(db.Risks.RiskId(), riskId); // the exact search moved the table
        }
        // Inside the limits nothing is asked.
        QCOMPARE(settings.CheckRiskValue(riskId, nullptr, nullptr, inside), 6);
    }

    void absoluteLimitsFromTheGeneralRow() {
        TLimitTables db;
        TMlSettings settings;
        ConfigureTavlo(settings);
        settings.SetGeneralTable(&db.General);
        QCOMPARE(settings.GeneralTable(), &db.General);
        QCOMPARE(settings.CheckAbsoluteRisk(90), 0); // General closed
        db.General.Open();
        QCOMPARE(settings.CheckAbsoluteRisk(20), 0);
        QCOMPARE(settings.CheckAbsoluteRisk(40.5), 6);
        const std::optional<TValueLimits> limits = settings.AbsoluteLimits();
        QVERIFY(limits && !limits->Min && limits->Max == 40.0);
    }

    void destroyedTablesGiveNoLimits() {
        TMlSettings settings;
        {
            TLimitTables db;
            settings.SetRiskTable(&db.Risks);
            settings.SetGeneralTable(&db.General);
            db.Risks.Open();
            db.General.Open();
            QVERIFY(settings.RiskLimits(1));
        }
        QVERIFY(!settings.RiskLimits(1));
        QVERIFY(!settings.AbsoluteLimits());
        QCOMPARE(settings.CheckAbsoluteRisk(90), 0);
    }
};
TAVLO_TEST(TestMlSettingsTables);

#include "tst_MlSettingsTables.moc"
