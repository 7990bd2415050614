#include "Conversions.h"
#include "TestLocale.h"
#include "TestMain.h"
#include "TvConvertField.h"
#include "UnitsFixture.h"

#include <QTest>

namespace {

// A value table like the journal's: the stored value and, beside it, the unit
// data of its risk factor.
struct TValueTable {
    std::unique_ptr<TClientDataSet> Rules =
        RuleTable({"Cholesterol|mmol/L|mg/dL|38.67", "Mass|kg|lb|2.20462262", "Mass|kg|g|1000"});
    TUnitConverter Converter;
    TClientDataSet Values;
    TTvRiskField* Value;
    TField *Category, *StoreUnit, *DisplayUnit, *Decimals, *RiskType;

    TValueTable() {
        Converter.SetDataSet(Rules.get());
        Converter.SetActive(true);
        Value = new TTvRiskField(&Values, "Examination");
        Value->SetName("ExamExaminationView");
        Category = new TStringField(&Values, "StoreCategory", 30);
        StoreUnit = new TStringField(&Values, "StoreUnit", 15);
        DisplayUnit = new TStringField(&Values, "DisplayUnit", 15);
        Decimals = new TIntegerField(&Values, "DisplayDecimals");
        RiskType = new TSmallintField(&Values, "RiskType");
        Value->SetConverter(&Converter);
        Value->SetConvertActive(true);
        Value->SetStoreCategoryField(Category);
        Value->SetStoreUnitField(StoreUnit);
        Value->SetDisplayUnitField(DisplayUnit);
        Value->SetDisplayDecimalsField(Decimals);
        Value->SetRiskUnitTypeField(RiskType);
        Values.CreateDataSet({{"Examination", TFieldType::ftFloat},
                              {"StoreCategory", TFieldType::ftString, 30},
                              {"StoreUnit", TFieldType::ftString, 15},
                              {"DisplayUnit", TFieldType::ftString, 15},
                              {"DisplayDecimals", TFieldType::ftInteger},
                              {"RiskType", TFieldType::ftSmallint}});
    }

    // One row, left in edit mode so that texts can be typed into it.
    void Row(const QString& category, const QString& storeUnit, const QString& displayUnit, const QVariant& decimals,
             const QVariant& stored, const QVariant& riskType = 1) {
        Values.Append();
        Category->SetAsString(category);
        StoreUnit->SetAsString(storeUnit);
        DisplayUnit->SetAsString(displayUnit);
        Decimals->SetValue(decimals);
        RiskType->SetValue(riskType);
        Value->SetValue(stored);
        Values.Post();
        Values.Edit();
    }
};

const QString Unassigned = QStringLiteral("Display, Decimals, Category og Store field not assigned.");

} // namespace

class TestConvertField : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { FormatSettings() = TFormatSettings(); }

    void getText_data() {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("storeUnit");
        QTest::addColumn<QString>("displayUnit");
        QTest::addColumn<QVariant>("decimals");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("expected");

        const QString c = "Cholesterol", mmol = "mmol/L";
        QTest::newRow("one decimal cuts") << c << mmol << mmol << QVariant(1) << QVariant(5.678) << QChar('.') << "5.6";
        QTest::newRow("cut, not rounded") << c << mmol << mmol << QVariant(1) << QVariant(5.99) << QChar('.') << "5.9";
        QTest::newRow("no decimals") << c << mmol << mmol << QVariant(0) << QVariant(5.678) << QChar('.') << "5";
        QTest::newRow("never padded") << c << mmol << mmol << QVariant(3) << QVariant(1.5) << QChar('.') << "1.5";
        QTest::newRow("null shows 0") << c << mmol << mmol << QVariant(1) << QVariant() << QChar('.') << "0";
        QTest::newRow("decimals empty reads 0") << c << mmol << mmol << QVariant() << QVariant(5.678) << QChar('.')
                                                << "5";
        QTest::newRow("negative decimals keep all") << c << mmol << mmol << QVariant(-1) << QVariant(5.678)
                                                    << QChar('.') << "5.678";
        QTest::newRow("display unit") << c << mmol << "mg/dL" << QVariant(2) << QVariant(5.0) << QChar('.')
                                      << "193.35";
        QTest::newRow("no display unit: store unit") << c << mmol << "" << QVariant(1) << QVariant(5.678)
                                                     << QChar('.') << "5.6";
        QTest::newRow("country separator") << c << mmol << mmol << QVariant(2) << QVariant(5.678) << QChar(',')
                                           << "5,67";
        QTest::newRow("mass in lb") << "Mass" << "kg" << "lb" << QVariant(1) << QVariant(70.0) << QChar('.')
                                    << "154.3";
        QTest::newRow("bridge lb to g") << "Mass" << "lb" << "g" << QVariant(0) << QVariant(2.20462262)
                                        << QChar('.') << "1000";
    }

    void getText() {
        QFETCH(QString, category);
        QFETCH(QString, storeUnit);
        QFETCH(QString, displayUnit);
        QFETCH(QVariant, decimals);
        QFETCH(QVariant, stored);
        QFETCH(QChar, separator);
        QFETCH(QString, expected);
        TDecimalSeparatorScope scope(separator);
        InEveryLocale([&] {
            TValueTable t;
            t.Row(category, storeUnit, displayUnit, decimals, stored);
            QCOMPARE(t.Value->DisplayText(), expected);
            QCOMPARE(t.Value->Text(), expected);
            // Reading the text converts nothing in the store.
            QCOMPARE(t.Value->Value(), stored.isValid() ? QVariant(stored.toDouble()) : QVariant());
        });
    }

    void notConverted_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("risk type 2") << "type2";
        QTest::newRow("risk type empty") << "typeNull";
        QTest::newRow("store category empty") << "noCategory";
        QTest::newRow("store unit empty") << "noUnit";
        QTest::newRow("conversion off") << "off";
        QTest::newRow("no converter") << "noConverter";
        QTest::newRow("store unit link not set") << "noUnitLink";
    }

    void notConverted() {
        QFETCH(QString, mode);
        TValueTable t;
        t.Row(mode == "noCategory" ? "" : "Cholesterol", mode == "noUnit" ? "" : "mmol/L", "mg/dL", 1, 5.678,
              mode == "type2" ? QVariant(2) : mode == "typeNull" ? QVariant() : QVariant(1));
        if (mode == "off")
            t.Value->SetConvertActive(false);
        if (mode == "noConverter")
            t.Value->SetConverter(nullptr);
        if (mode == "noUnitLink")
            t.Value->SetStoreUnitField(nullptr);
        QVERIFY(!t.Value->IsConvertActive());

        // The platform's float text, and the typed text parsed as a plain float.
        QCOMPARE(t.Value->DisplayText(), QStringLiteral("5.678"));
        t.Value->SetText("7.25");
        QCOMPARE(t.Value->AsFloat(), 7.25);

        // The journal's handlers take over the texts of such factors.
        QString typed;
        bool display = false;
        t.Value->OnDeactiveGetText = [&](TField* sender, QString& text, bool displayText) {
            display = displayText;
            text = "[" + FloatToStr(sender->AsFloat()) + "]";
        };
        t.Value->OnDeactiveSetText = [&](TField*, const QString& text) { typed = text; };
        QCOMPARE(t.Value->DisplayText(), QStringLiteral("[7.25]"));
        QVERIFY(display);
        QCOMPARE(t.Value->Text(), QStringLiteral("[7.25]"));
        QVERIFY(!display);
        t.Value->SetText("12 mg/dL");
        QCOMPARE(typed, QStringLiteral("12 mg/dL"));
        QCOMPARE(t.Value->AsFloat(), 7.25);
    }

    void setText_data() {
        QTest::addColumn<QString>("displayUnit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QChar>("decimal");
        QTest::addColumn<QChar>("thousands");
        QTest::addColumn<double>("expected");

        const QString mmol = "mmol/L", mg = "mg/dL";
        QTest::newRow("from the display unit") << mg << "12" << QChar('.') << QChar(',') << 12 / 38.67;
        QTest::newRow("typed unit") << mmol << "12 mg/dL" << QChar('.') << QChar(',') << 12 / 38.67;
        QTest::newRow("typed unit without blank") << mmol << "12mg/dL" << QChar('.') << QChar(',') << 12 / 38.67;
        QTest::newRow("typed unit case ignored") << mg << "7 MMOL/L" << QChar('.') << QChar(',') << 7.0;
        QTest::newRow("blanks around") << mmol << "  5.5  " << QChar('.') << QChar(',') << 5.5;
        QTest::newRow("negative") << mmol << "-3" << QChar('.') << QChar(',') << -3.0;
        QTest::newRow("empty stores 0") << mg << "" << QChar('.') << QChar(',') << 0.0;
        QTest::newRow("blank stores 0") << mg << "   " << QChar('.') << QChar(',') << 0.0;
        QTest::newRow("thousands separator stores 0") << mmol << "1,200" << QChar('.') << QChar(',') << 0.0;
        QTest::newRow("minus inside stores 0") << mmol << "1-2" << QChar('.') << QChar(',') << 0.0;
        QTest::newRow("unit alone stores 0") << mmol << "mg/dL" << QChar('.') << QChar(',') << 0.0;
        QTest::newRow("comma country") << mmol << "5,5" << QChar(',') << QChar('.') << 5.5;
        QTest::newRow("comma country, point is thousands") << mmol << "1.200" << QChar(',') << QChar('.') << 0.0;
    }

    void setText() {
        QFETCH(QString, displayUnit);
        QFETCH(QString, typed);
        QFETCH(QChar, decimal);
        QFETCH(QChar, thousands);
        QFETCH(double, expected);
        TSeparatorsScope scope(decimal, thousands);
        InEveryLocale([&] {
            TValueTable t;
            t.Row("Cholesterol", "mmol/L", displayUnit, 2, 4.0);
            t.Value->SetText(typed);
            QVERIFY2(qAbs(t.Value->AsFloat() - expected) < 1e-12,
                     qPrintable(QString::number(t.Value->AsFloat(), 'g', 17)));
            t.Values.Post();
            QVERIFY(qAbs(t.Value->AsFloat() - expected) < 1e-12);
        });
    }

    // A risk's `Default` is data with a point; typed into the field under a
    // comma country it read as 1 with the unit ".5", or as 0.
    void storeTextIsDataWithAPoint_data() {
        QTest::addColumn<QString>("dataText");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("HDL") << "1.5" << QVariant(1.5);
        QTest::newRow("whole") << "130" << QVariant(130.0);
        QTest::newRow("blanks around") << " 0.25 " << QVariant(0.25);
        QTest::newRow("empty clears") << "" << QVariant();
    }
    void storeTextIsDataWithAPoint() {
        QFETCH(QString, dataText);
        QFETCH(QVariant, stored);
        TSeparatorsScope scope(',', '.');
        InEveryLocale([&] {
            TValueTable t;
            // Shown in mg/dL: the default is in the store unit all the same.
            t.Row("Cholesterol", "mmol/L", "mg/dL", 2, 4.0);
            QCOMPARE(ErrorOf([&] { t.Value->SetStoreText(dataText); }), QString("no error"));
            QCOMPARE(t.Value->Value(), stored);
            t.Values.Post();
            QCOMPARE(t.Value->Value(), stored);
        });
    }
    void storeTextRefusesWhatIsNoNumber() {
        TSeparatorsScope scope(',', '.');
        TValueTable t;
        t.Row("Cholesterol", "mmol/L", "mmol/L", 2, 4.0);
        QCOMPARE(ErrorOf([&] { t.Value->SetStoreText("1,5"); }), QString("'1,5' is not a valid floating point value"));
        QCOMPARE(t.Value->AsFloat(), 4.0);
    }

    void failures_data() {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("getMessage");
        QTest::addColumn<QString>("setMessage");
        QTest::newRow("unit with no rule") << "Cholesterol" << "12 kg" << "no error"
                                           << "Cannot convert between kg and mmol/L.";
        QTest::newRow("category not held") << "Glucose" << "12" << "Category not found." << "Category not found.";
    }

    void failures() {
        QFETCH(QString, category);
        QFETCH(QString, typed);
        QFETCH(QString, getMessage);
        QFETCH(QString, setMessage);
        TValueTable t;
        t.Row(category, "mmol/L", "mmol/L", 1, 4.0);
        QCOMPARE(ErrorOf([&] { t.Value->DisplayText(); }), getMessage);
        QCOMPARE(ErrorOf([&] { t.Value->SetText(typed); }), setMessage);
        QCOMPARE(t.Value->AsFloat(), 4.0); // a failed set-text stores nothing
    }

    void formulaRulesThroughTheField() {
        TValueTable t;
        t.Converter.AddUnit("Length", "cm", "inch", "Result := X / 2.54");
        t.Row("Length", "cm", "inch", 1, 180.0);
        QCOMPARE(t.Value->DisplayText(), QStringLiteral("70.8"));
        // Typing in the display unit needs the rule back, which is missing.
        QCOMPARE(ErrorOf([&] { t.Value->SetText("70"); }), QStringLiteral("Cannot convert between inch and cm."));
        QCOMPARE(t.Value->AsFloat(), 180.0);
        t.Converter.AddUnit("Length", "inch", "cm", "Result := X * 2.54");
        t.Value->SetText("70");
        QCOMPARE(t.Value->AsFloat(), 177.8);
    }

    void events() {
        TValueTable t;
        t.Row("Cholesterol", "mmol/L", "mmol/L", 1, 5.678);
        QStringList before;
        t.Value->OnAlwaysGetText = [](TField*, QString& text, bool) { text += " *"; };
        t.Value->OnAlwaysSetText = [&](TField*, const QString& text) { before << text; };
        QCOMPARE(t.Value->DisplayText(), QStringLiteral("5.6 *"));
        t.Value->SetText("6.25");
        QCOMPARE(before, QStringList{"5.6 *"}); // the text before the change
        QCOMPARE(t.Value->AsFloat(), 6.25);

        // Called for factors that are not converted as well.
        t.RiskType->SetAsInteger(2);
        QCOMPARE(t.Value->DisplayText(), QStringLiteral("6.25 *"));
        t.Value->SetText("3");
        QCOMPARE(before.last(), QStringLiteral("6.25 *"));
        QCOMPARE(t.Value->AsFloat(), 3.0);
    }

    // The layer that asks the user whether an implausible value is kept sees
    // the value in the store unit; a No keeps the stored value.
    void checkValue() {
        TValueTable t;
        t.Row("Cholesterol", "mmol/L", "mg/dL", 1, 4.0);
        double seen = 0;
        bool keep = false;
        TCustomConvertFloatField* asking = nullptr;
        t.Value->OnCheckValue = [&](TCustomConvertFloatField* sender, double value) {
            seen = value;
            asking = sender;
            return keep;
        };
        bool aborted = false;
        try {
            t.Value->SetText("386.7");
        } catch (const EAbort&) {
            aborted = true;
        }
        QVERIFY(aborted);
        QCOMPARE(asking, t.Value);
        QCOMPARE(seen, 10.0);
        QCOMPARE(t.Value->AsFloat(), 4.0);
        keep = true;
        t.Value->SetText("386.7");
        QCOMPARE(t.Value->AsFloat(), 10.0);
        // A limit in the store unit, as the question shows it.
        QCOMPARE(t.Value->ToDisplayUnit(2), 77.34);
    }

    void linksNotAssigned_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("named") << "BaseExaminationView" << "BaseExaminationView: " + Unassigned;
        QTest::newRow("unnamed") << "" << Unassigned;
    }

    void linksNotAssigned() {
        QFETCH(QString, name);
        QFETCH(QString, message);
        TUnitConverter converter;
        TTvRiskField field(nullptr, "Examination");
        field.SetName(name);
        field.SetConverter(&converter);
        field.SetConvertActive(true);
        QCOMPARE(ErrorOf([&] { field.StoreCategory(); }), message);
        QCOMPARE(ErrorOf([&] { field.StoreUnit(); }), message);
        QCOMPARE(ErrorOf([&] { field.DisplayUnit(); }), message); // falls back on the store unit
        QCOMPARE(field.DisplayDecimals(), 0);
        // Not converted, so reading the text does not fail.
        QVERIFY(!field.IsConvertActive());
        QCOMPARE(ErrorOf([&] { field.DisplayText(); }), QStringLiteral("no error"));
    }

    void destroyedPartnersAreForgotten() {
        TValueTable t;
        t.Row("Cholesterol", "mmol/L", "mg/dL", 2, 5.0);
        auto* converter = new TUnitConverter;
        converter->AddUnit("Cholesterol", "mmol/L", "mg/dL", "10");
        t.Value->SetConverter(converter);
        QCOMPARE(t.Value->DisplayText(), QStringLiteral("50"));
        delete converter;
        QVERIFY(!t.Value->Converter());
        QCOMPARE(t.Value->DisplayText(), QStringLiteral("5"));

        TTvConvertFloatField field(nullptr, "Value");
        auto* unit = new TStringField(nullptr, "StoreUnit");
        field.SetStoreUnitField(unit);
        QCOMPARE(field.StoreUnitField(), unit);
        delete unit;
        QVERIFY(!field.StoreUnitField());
    }

    // The journal fills the unit data in calculated fields of the row.
    void calculatedSiblings() {
        auto rules = RuleTable({"Cholesterol|mmol/L|mg/dL|38.67"});
        TUnitConverter converter;
        converter.SetDataSet(rules.get());
        converter.SetActive(true);
        TClientDataSet exam;
        new TIntegerField(&exam, "Risk id");
        auto* value = new TTvRiskField(&exam, "Examination");
        auto* category = new TStringField(&exam, "StoreCategory", 30, TFieldKind::fkCalculated);
        auto* store = new TStringField(&exam, "StoreUnit", 15, TFieldKind::fkCalculated);
        auto* display = new TStringField(&exam, "DisplayUnit", 15, TFieldKind::fkCalculated);
        auto* decimals = new TIntegerField(&exam, "DisplayDecimals", TFieldKind::fkCalculated);
        auto* type = new TSmallintField(&exam, "RiskType", TFieldKind::fkCalculated);
        exam.OnCalcFields = [&](TDataSet* ds) {
            const bool cholesterol = ds->FieldByName("Risk id")->AsInteger() == 3;
            category->SetAsString(cholesterol ? "Cholesterol" : "");
            store->SetAsString(cholesterol ? "mmol/L" : "");
            display->SetAsString(cholesterol ? "mg/dL" : "");
            decimals->SetAsInteger(0);
            type->SetAsInteger(1);
        };
        value->SetConverter(&converter);
        value->SetConvertActive(true);
        value->SetStoreCategoryField(category);
        value->SetStoreUnitField(store);
        value->SetDisplayUnitField(display);
        value->SetDisplayDecimalsField(decimals);
        value->SetRiskUnitTypeField(type);
        exam.CreateDataSet({{"Risk id", TFieldType::ftInteger}, {"Examination", TFieldType::ftFloat}});

        exam.Append();
        exam.FieldByName("Risk id")->SetAsInteger(3);
        value->SetText("232");
        exam.Post();
        QVERIFY(qAbs(value->AsFloat() - 232 / 38.67) < 1e-12);
        QCOMPARE(value->DisplayText(), QStringLiteral("232"));

        exam.Append();
        exam.FieldByName("Risk id")->SetAsInteger(9);
        value->SetText("1.5");
        exam.Post();
        QCOMPARE(value->AsFloat(), 1.5);
        QCOMPARE(value->DisplayText(), QStringLiteral("1.5"));
    }
};

TAVLO_TEST(TestConvertField);
#include "tst_TvConvertField.moc"
