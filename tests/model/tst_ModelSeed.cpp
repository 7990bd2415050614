// The seed of the application database and the lists agree: every pick-list
// definition of every country parses, and every formula of both model
// variants and every calculation model compiles and yields a number.

#include "Conversions.h"
#include "DatabaseSetup.h"
#include "ModelFixture.h"
#include "TableStore.h"
#include "TestDatabase.h"
#include "TestLocale.h"
#include "TestMain.h"
#include "TvExprList.h"
#include "TvPickList.h"

#include <QTest>

namespace {

// The model functions of the calculation, by name and number of arguments;
// numbers are 0 and texts empty here, which is all a compile and a first run need.
void AddModelFunctions(TBvExprSource& source) {
    const QList<QPair<QString, int>> functions = {
        {"Examination", 1}, {"Treatment", 1}, {"Translate", 2}, {"Prediction", 0},
        {"ExaminationRisk", 0}, {"TreatmentRisk", 0}, {"Measure", 1}, {"Beta", 1},
        {"Const", 1}, {"Inter", 1}, {"Calc", 1}, {"Adjust", 1}, {"Age", 0}, {"Coefficient", 2}};
    for (const auto& [name, count] : functions) {
        const bool text = name == "Translate";
        source.FuncList().AddFunc(name, count, [text](TVarList&, TVarItem& r) {
            if (text)
                r.SetString(QString());
            else
                r.SetNumber(0);
        });
    }
}

} // namespace

class TestModelSeed : public QObject {
    Q_OBJECT
    std::unique_ptr<TSeedDatabase> FSeed;
private slots:
    void initTestCase() { FSeed = std::make_unique<TSeedDatabase>("ModelSeed"); }
    void init() { FSeed->Reset(); }
    void cleanupTestCase() { FSeed.reset(); }

    void everyPickListDefinitionParses() {
        TMlCountryTable country;
        country.SetDatabaseName("ModelSeed");
        country.SetTableName("Country");
        country.SetIndexFieldNames("Country id");
        country.Open();
        TDataSource countrySource;
        countrySource.SetDataSet(&country);
        TMlNameTable names;
        names.SetDatabaseName("ModelSeed");
        names.SetTableName("Names");
        names.SetIndexFieldNames("Country id;Risk id;Type");
        names.SetMasterSource(&countrySource);
        names.SetMasterFields("Country id");
        names.Open();
        TMlRiskTable risks;
        risks.SetDatabaseName("ModelSeed");
        risks.SetTableName("Risks");
        risks.Open();

        QCOMPARE(country.RecordCount(), 2);
        for (country.First(); !country.Eof(); country.Next()) {
            const QString countryName = country.FieldByName("Name")->AsString();
            const QChar separator = country.FieldByName("Separator name")->AsString().at(0);
            names.SetSelectType(-1);
            int definitions = 0;
            for (names.First(); !names.Eof(); names.Next())
                definitions += names.FieldByName("Type")->AsInteger() == 2 ? 1 : 0;
            QVERIFY(definitions > 0);

            TPickList list;
            list.SetSeparator(separator);
            list.Load(&names, &risks);
            QVERIFY2(list.Count() == definitions, qPrintable(countryName));
            for (int i = 0; i < list.Count(); ++i) {
                const TPickItem& item = list[i];
                const QString what = countryName + " risk " + QString::number(item.RiskId());
                QVERIFY2(!item.Values.isEmpty(), qPrintable(what));
                QVERIFY2(item.Values.size() == item.Source.size(), qPrintable(what));
                QVERIFY2(item.RiskType == 1 || item.RiskType == 2, qPrintable(what));
                // Every choice reads back as its value, and every value shows as its text.
                TDecimalSeparatorScope process(separator);
                for (int k = 0; k < item.Values.size(); ++k) {
                    const double value = StrToFloat(item.Source[k], separator);
                    QVERIFY2(item.ValueToText(value) == item.Values[k], qPrintable(what + " " + item.Values[k]));
                    QVERIFY2(item.TextToValue(item.Values[k]) == value, qPrintable(what + " " + item.Values[k]));
                }
            }

            const TPickItem* hdl = list.FindByRiskId(19);
            QVERIFY(hdl);
            QCOMPARE(hdl->Values.size(), 26);
            QCOMPARE(hdl->Values.last(), QString("3") + separator + "0");
            QCOMPARE(hdl->Decimals, 1);
            QCOMPARE(hdl->StoreUnit, QString("mmol/L"));
            QCOMPARE(list.FindByRiskId(33)->StoreUnit, QString("kg/m²"));
            const TPickItem* smoking = list.FindByRiskId(3);
            QCOMPARE(smoking->RiskType, 2);
            QCOMPARE(smoking->StoreUnit, QString());
            QCOMPARE(smoking->Source, QStringList({"0", "1", "2"}));
            if (separator == ',')
                QCOMPARE(smoking->Values, QStringList({"Aldrig", "Tidligere", "Nuværende"}));
            else
                QCOMPARE(smoking->Values, QStringList({"Never", "Former", "Current"}));
        }
    }

    // A risk's `Default` is data with a point: under the comma of Denmark and
    // a Danish C library locale it is still the seed's number, within Min..Max.
    void everyRiskDefaultReadsAsData() {
        TMlRiskTable risks;
        risks.SetDatabaseName("ModelSeed");
        risks.SetTableName("Risks");
        risks.Open();
        QVERIFY(risks.RecordCount() >= 10);
        TDecimalSeparatorScope process(',');
        InEveryLocale([&] {
            for (risks.First(); !risks.Eof(); risks.Next()) {
                const QString what = "risk " + risks.FieldByName("Risk id")->AsString();
                double value = 0;
                QVERIFY2(TryDataToFloat(risks.FieldByName("Default")->AsString(), value), qPrintable(what));
                QVERIFY2(value >= risks.FieldByName("Min")->AsFloat(), qPrintable(what));
                QVERIFY2(value <= risks.FieldByName("Max")->AsFloat(), qPrintable(what));
                if (risks.FieldByName("Risk id")->AsInteger() == 19)
                    QCOMPARE(value, 1.5);
            }
        });
    }

    void everyFormulaCompiles_data() {
        QTest::addColumn<QString>("variant");
        QTest::addColumn<int>("calcId");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QList<int>>("inactive"); // weight and height only feed BMI; both variants weigh diabetes
        for (const QString variant : {"Risks_P", "Risks_D"})
            for (int calcId : {1, 2, 3, 4})
                for (const QString field : {"Expression", "Adjust"})
                    QTest::newRow(qPrintable(QString("%1 model %2 %3").arg(variant).arg(calcId).arg(field)))
                        << variant << calcId << field
                        << QList<int>{4, 8};
    }
    void everyFormulaCompiles() {
        QFETCH(QString, variant);
        QFETCH(int, calcId);
        QFETCH(QString, field);
        QFETCH(QList<int>, inactive);
        TQuery risks;
        risks.SetDatabaseName("ModelSeed");
        risks.SetSQL({"SELECT m.\"Risk id\", r.\"Name\" AS \"Locale name\", r.\"Color\", r.\"Group\",",
                      "r.\"Obsolete\", m.\"Active\", m.\"Expression\", m.\"Adjust\"",
                      "FROM \"" + variant + "\" m JOIN \"Risks\" r ON r.\"Risk id\" = m.\"Risk id\"",
                      "WHERE m.\"CalcID\" = :CalcID"});
        risks.ParamByName("CalcID").SetValue(calcId);
        risks.Open();
        QList<int> active;
        QStringList formulas;
        for (risks.First(); !risks.Eof(); risks.Next())
            if (risks.FieldByName("Active")->AsBoolean() && !risks.FieldByName("Obsolete")->AsBoolean()) {
                active << risks.FieldByName("Risk id")->AsInteger();
                formulas << risks.FieldByName(field)->AsString();
            }
        QCOMPARE(active.size() + inactive.size(), risks.RecordCount());
        for (int id : inactive)
            QVERIFY(!active.contains(id));

        TBvExprSource source;
        AddModelFunctions(source);
        TExprList list(&source);
        list.Load(&risks, field);
        QCOMPARE(list.Count(), active.size());
        for (int i = 0; i < list.Count(); ++i) {
            QCOMPARE(list[i].RiskId(), active[i]);
            // An empty Adjust memo means the factor has no automatic goal.
            if (field == "Expression" || !formulas[i].isEmpty())
                QCOMPARE(list[i].Expr().Evaluate().Type(), dtNumber);
        }
        if (field == "Expression")
            for (int i = 0; i < list.Count(); ++i)
                QVERIFY2(!formulas[i].isEmpty(), qPrintable(list[i].Name));
    }
};

TAVLO_TEST(TestModelSeed);
#include "tst_ModelSeed.moc"
