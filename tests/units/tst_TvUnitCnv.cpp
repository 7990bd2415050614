#include "TestDatabase.h"
#include "TestLocale.h"
#include "TestMain.h"
#include "UnitsFixture.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

class TestUnitConverter : public QObject {
    Q_OBJECT

    std::unique_ptr<TClientDataSet> FRules;
    std::unique_ptr<TUnitConverter> FConverter;

    TUnitConverter* Load(const QStringList& rules) {
        FRules = RuleTable(rules);
        FConverter = std::make_unique<TUnitConverter>();
        FConverter->SetDataSet(FRules.get());
        FConverter->SetActive(true);
        return FConverter.get();
    }

    double Convert(const QString& category, const QString& from, const QString& to, double value) {
        TUnitCategory* found = FConverter->CategoryByName(category);
        if (!found)
            throw EUnitConvertError(QStringLiteral("no category ") + category);
        return found->Convert(from, to, value);
    }

private slots:
    void cleanup() {
        FConverter.reset();
        FRules.reset();
        FormatSettings() = TFormatSettings();
    }

    void convert_data() {
        QTest::addColumn<QStringList>("rules");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QChar>("separator");

        const QStringList single{"C|A|B|38.67"};
        QTest::newRow("factor forwards") << single << "A" << "B" << 5.0 << 193.35 << QChar('.');
        QTest::newRow("factor backwards") << single << "B" << "A" << 193.35 << 5.0 << QChar('.');
        QTest::newRow("unit name case ignored") << single << "b" << "a" << 193.35 << 5.0 << QChar('.');
        // The factor is always written with a point, whatever the country's separator.
        QTest::newRow("factor under a comma locale") << single << "A" << "B" << 5.0 << 193.35 << QChar(',');
        QTest::newRow("same unit, no rule for it") << single << "kg" << "KG" << 7.5 << 7.5 << QChar('.');
        QTest::newRow("bridge B to C through A")
            << QStringList{"C|A|B|2", "C|A|C|3"} << "B" << "C" << 4.0 << 6.0 << QChar('.');
        // A formula rule into B does not accept B, so D→B is the first bridge candidate.
        QTest::newRow("formula into the source unit is no bridge")
            << QStringList{"C|A|B|Result := X", "C|D|B|2", "C|D|E|3"} << "B" << "E" << 4.0 << 6.0 << QChar('.');
        QTest::newRow("formula forwards")
            << QStringList{"C|A|B|Result := X * 2 + 1"} << "A" << "B" << 3.0 << 7.0 << QChar('.');
        QTest::newRow("first matching rule wins")
            << QStringList{"C|A|B|2", "C|A|B|10"} << "A" << "B" << 3.0 << 6.0 << QChar('.');
        QTest::newRow("formula for the way back")
            << QStringList{"C|A|B|Result := X * 2 + 1", "C|B|A|Result := (X - 1) / 2"} << "B" << "A" << 7.0
            << 3.0 << QChar('.');
    }

    void convert() {
        QFETCH(QStringList, rules);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(double, value);
        QFETCH(double, expected);
        QFETCH(QChar, separator);
        TDecimalSeparatorScope scope(separator);
        InEveryLocale([&] {
            Load(rules);
            double result = 0;
            QCOMPARE(ErrorOf([&] { result = Convert("C", from, to, value); }), QStringLiteral("no error"));
            QCOMPARE(result, expected);
        });
    }

    void convertFails_data() {
        QTest::addColumn<QStringList>("rules");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("message");

        // The first rule accepting A (A→B) is not read backwards: no bridge.
        QTest::newRow("no bridge A to C") << QStringList{"C|A|B|2", "C|B|C|3"} << "A" << "C"
                                          << "Cannot convert between A and C.";
        QTest::newRow("formula one way only") << QStringList{"C|A|B|Result := X * 2 + 1"} << "B" << "A"
                                              << "Cannot convert between B and A.";
        QTest::newRow("comma is a formula") << QStringList{"C|A|B|2,5"} << "A" << "B" << "Assignment expected";
        QTest::newRow("unknown unit keeps the caller's spelling")
            << QStringList{"C|A|B|2"} << "a" << "xY" << "Cannot convert between a and xY.";
        // Only the first rule that accepts B is a bridge candidate, and B→D is
        // not a factor read backwards, although A→B would have served.
        QTest::newRow("only the first accepting rule bridges")
            << QStringList{"C|B|D|5", "C|A|B|2", "C|A|C|3"} << "B" << "C" << "Cannot convert between B and C.";
        QTest::newRow("zero factor backwards") << QStringList{"C|A|B|0"} << "B" << "A"
                                               << "Floating point division by zero";
        QTest::newRow("formula leaving a text") << QStringList{"C|A|B|Result := 'x'"} << "A" << "B"
                                                << "Variabel 'Result' isn't a number type";
    }

    void convertFails() {
        QFETCH(QStringList, rules);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, message);
        Load(rules);
        QCOMPARE(ErrorOf([&] { Convert("C", from, to, 1); }), message);
    }

    // A formula is compiled for every conversion: X is there before parsing
    // and the evaluator serves rule after rule.
    void formulaEvaluatorIsReused() {
        Load({"Length|cm|inch|Result := X / 2.54", "Length|inch|cm|Result := X * 2.54"});
        QCOMPARE(Convert("length", "cm", "inch", 254), 100.0);
        QCOMPARE(Convert("length", "inch", "cm", 10), 25.4);
        QVERIFY(FConverter->UnitExpr()->XItem());
        QCOMPARE(FConverter->UnitExpr()->XItem()->Name, QStringLiteral("X"));
    }

    void categoriesInFirstSeenOrder() {
        Load({"Mass|kg|lb|2.2", "Length|cm|inch|Result := X / 2.54", "MASS|g|kg|0.001", "Pressure|mmHg|kPa|0.13"});
        QCOMPARE(FConverter->CategoryCount(), 3);
        QCOMPARE(FConverter->Categories(0)->Name(), QStringLiteral("Mass"));
        QCOMPARE(FConverter->Categories(1)->Name(), QStringLiteral("Length"));
        QCOMPARE(FConverter->Categories(2)->Name(), QStringLiteral("Pressure"));
        TUnitCategory* mass = FConverter->CategoryByName("mAsS");
        QCOMPARE(mass, FConverter->Categories(0));
        QCOMPARE(mass->Count(), 2);
        QCOMPARE(mass->Items(1)->FromUnit(), QStringLiteral("g"));
        QVERIFY(mass->Items(0)->IsFactor());
        QVERIFY(!FConverter->CategoryByName("Length")->Items(0)->IsFactor());
        QVERIFY(!FConverter->CategoryByName("Glucose"));
        // g to lb: through kg? The first rule accepting g is g→kg, read forwards: no bridge.
        QCOMPARE(ErrorOf([&] { Convert("Mass", "g", "lb", 1000); }), QStringLiteral("Cannot convert between g and lb."));
    }

    void activation() {
        FRules = RuleTable({"Mass|kg|lb|2.2", "Length|m|cm|100"});
        TUnitConverter converter;
        converter.SetDataSet(FRules.get());
        QCOMPARE(converter.CategoryCount(), 0); // inactive: nothing loaded

        // An open dataset is read from its first row, whatever the current one.
        FRules->Last();
        converter.SetActive(true);
        QCOMPARE(converter.CategoryCount(), 2);

        // Rules are not reread when the table changes, nor on setting the same value.
        FRules->Append();
        FRules->FieldByName("Category")->SetAsString("Pressure");
        FRules->FieldByName("FromUnit")->SetAsString("mmHg");
        FRules->FieldByName("ToUnit")->SetAsString("kPa");
        FRules->FieldByName("Expression")->SetAsString("0.13");
        FRules->Post();
        converter.SetActive(true);
        QCOMPARE(converter.CategoryCount(), 2);

        converter.SetActive(false);
        QCOMPARE(converter.CategoryCount(), 0);

        converter.SetActive(true);
        QCOMPARE(converter.CategoryCount(), 3);

        // Another dataset reloads.
        auto other = RuleTable({"Pressure|mmHg|kPa|0.13"});
        converter.SetDataSet(other.get());
        QCOMPARE(converter.CategoryCount(), 1);
        QCOMPARE(converter.Categories(0)->Name(), QStringLiteral("Pressure"));
        converter.SetDataSet(nullptr);
        QCOMPARE(converter.CategoryCount(), 0);
    }

    // A rule table without the rule columns refuses activation and leaves no
    // half-loaded rules behind; activating again retries.
    void failedLoadStaysInactive() {
        auto wrong = std::make_unique<TClientDataSet>();
        wrong->CreateDataSet({{"Category", TFieldType::ftString, 30}});
        wrong->Append();
        wrong->FieldAt(0)->SetAsString("Mass");
        wrong->Post();
        TUnitConverter converter;
        converter.SetDataSet(wrong.get());
        QVERIFY(ErrorOf([&] { converter.SetActive(true); }) != QStringLiteral("no error"));
        QVERIFY(!converter.Active());
        QCOMPARE(converter.CategoryCount(), 0);

        FRules = RuleTable({"Mass|kg|lb|2.2"});
        converter.SetDataSet(FRules.get());
        converter.SetActive(true);
        QCOMPARE(converter.CategoryCount(), 1);
    }

    void rulesLeaveTheirOwners() {
        TUnitConverter converter;
        converter.AddUnit("Mass", "kg", "lb", "2.2");
        TUnitItem* gram = converter.AddUnit("mass", "g", "kg", "0.001");
        TUnitCategory* empty = new TUnitCategory(&converter, "Empty");
        QCOMPARE(empty->Convert("x", "X", 3), 3.0); // itself, even without rules
        QCOMPARE(converter.CategoryCount(), 2);
        delete gram;
        QCOMPARE(converter.CategoryByName("Mass")->Count(), 1);
        delete empty;
        QCOMPARE(converter.CategoryCount(), 1);
        converter.Clear();
        QCOMPARE(converter.CategoryCount(), 0);
    }

    // The shipped rules of the application database's seed.
    void seededRules_data() {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        QTest::newRow("cholesterol") << "Cholesterol" << "mmol/L" << "mg/dL" << 5.0 << 193.35;
        QTest::newRow("cholesterol back") << "cholesterol" << "mg/dL" << "mmol/L" << 193.35 << 5.0;
        QTest::newRow("pressure") << "Pressure" << "mmHg" << "kPa" << 120.0 << 15.99864;
        QTest::newRow("pressure back") << "Pressure" << "kPa" << "mmHg" << 15.99864 << 120.0;
        QTest::newRow("mass") << "Mass" << "kg" << "lb" << 70.0 << 154.3235834;
        QTest::newRow("mass back") << "Mass" << "lb" << "kg" << 154.3235834 << 70.0;
        QTest::newRow("length") << "Length" << "cm" << "inch" << 177.8 << 70.0;
        QTest::newRow("length back") << "Length" << "inch" << "cm" << 70.0 << 177.8;
    }

    void seededRules() {
        QFETCH(QString, category);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(double, value);
        QFETCH(double, expected);

        QFile seed(QStringLiteral(TAVLO_SOURCE_DIR "/data/TavloCalc.sql"));
        QVERIFY(seed.open(QIODevice::ReadOnly | QIODevice::Text));
        const QString sql = QString::fromUtf8(seed.readAll());
        const QRegularExpression create(QStringLiteral("CREATE TABLE \"UNITCNV\"[^;]*;"));
        const QRegularExpression insert(QStringLiteral("^INSERT INTO \"UNITCNV\".*;$"),
                                        QRegularExpression::MultilineOption);
        TTestDatabase db;
        db.Exec(create.match(sql).captured());
        int rows = 0;
        for (auto it = insert.globalMatch(sql); it.hasNext(); ++rows)
            db.Exec(it.next().captured());
        QVERIFY(rows >= 5);

        TTable table;
        table.SetDatabaseName(db.Name());
        table.SetTableName("UnitCnv");
        TUnitConverter converter;
        converter.SetDataSet(&table);
        converter.SetActive(true); // opens the closed table
        QVERIFY(table.Active());
        QCOMPARE(converter.CategoryCount(), 4);
        TUnitCategory* found = converter.CategoryByName(category);
        QVERIFY(found);
        double result = 0;
        QCOMPARE(ErrorOf([&] { result = found->Convert(from, to, value); }), QStringLiteral("no error"));
        QVERIFY2(qAbs(result - expected) < 1e-9 * qMax(1.0, qAbs(expected)),
                 qPrintable(QString::number(result, 'g', 17)));
    }
};

TAVLO_TEST(TestUnitConverter);
#include "tst_TvUnitCnv.moc"
