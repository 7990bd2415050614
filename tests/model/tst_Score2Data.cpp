// The shipped SCORE2 models: the rows in the seed are what tools/score2
// generates, and the seed's formulas, coefficients and baselines, run by
// the calculation's rules, give the published SCORE2 risk; the composed
// texts compile in both countries and variants and say what they should.

#include "../../tools/score2/Score2Sql.h"
#include "Conversions.h"
#include "FormatSettings.h"
#include "MorlenTables.h"
#include "Score2Reference.h"
#include "TableStore.h"
#include "TestDatabase.h"
#include "TestLocale.h"
#include "TestMain.h"
#include "TvExprList.h"
#include "TvPickList.h"

#include <QFile>
#include <QTest>
#include <cmath>
#include <map>

namespace {

using Score2Reference::Region;
using Score2Reference::Sex;

QString Variant(bool diabetes) { return diabetes ? QStringLiteral("_D") : QStringLiteral("_P"); }

std::unique_ptr<TQuery> Query(const QString& db, const QStringList& sql, const QVariantList& params = {}) {
    auto query = std::make_unique<TQuery>();
    query->SetDatabaseName(db);
    query->SetSQL(sql);
    for (int i = 0; i < params.size(); ++i)
        query->ParamByName("P" + QString::number(i)).SetValue(params[i]);
    query->Open();
    return query;
}

// One patient at one examination: base values by risk id, and examination
// values with their goals.
struct TPatient {
    int Age = 60;
    int Group = 0;
    std::map<int, double> Base;
    std::map<int, std::pair<double, double>> Exam;
};

// The model functions and the summing of the calculation, by its rules,
// over the seed's tables of one model and variant.
class TModelBench {
public:
    TModelBench(const QString& db, int calcId, bool diabetes) {
        auto risks = Query(db, {"SELECT \"Risk id\", Name FROM Risks"});
        for (risks->First(); !risks->Eof(); risks->Next())
            FIds[risks->FieldByName("Name")->AsString().toLower()] = risks->FieldByName("Risk id")->AsInteger();
        auto values = Query(db, {"SELECT \"Risk id\", Type, Value FROM Values" + Variant(diabetes),
                                 "WHERE CalcID = :P0 ORDER BY \"Risk id\", Type, \"Value id\""},
                            {calcId});
        for (values->First(); !values->Eof(); values->Next())
            FValues[{values->FieldByName("Risk id")->AsInteger(), values->FieldByName("Type")->AsInteger()}]
                << values->FieldByName("Value")->AsFloat();
        auto baseline = Query(db, {"SELECT \"Group\", Age, Value FROM Baseline" + Variant(diabetes),
                                   "WHERE CalcID = :P0 ORDER BY \"Group\", Age"},
                              {calcId});
        for (baseline->First(); !baseline->Eof(); baseline->Next())
            FBaseline[{baseline->FieldByName("Group")->AsInteger(), baseline->FieldByName("Age")->AsFloat()}] =
                baseline->FieldByName("Value")->AsFloat();
        Register();
        FRisks = Query(db, {"SELECT m.\"Risk id\", r.\"Name\" AS \"Locale name\", r.\"Color\", r.\"Group\",",
                            "r.\"Obsolete\", m.\"Active\", m.\"Expression\", m.\"Adjust\"",
                            "FROM \"Risks" + Variant(diabetes) + "\" m JOIN \"Risks\" r ON r.\"Risk id\" = m.\"Risk id\"",
                            "WHERE m.\"CalcID\" = :P0 ORDER BY m.\"Risk id\""},
                       {calcId});
        Formulas.Load(FRisks.get(), "Expression");
    }

    TBvExprSource Source;
    TExprList Formulas{&Source};
    TPatient Patient;
    TPickList* Picks = nullptr; // Translate's texts, when a country is chosen
    int PredictionYears = 10;
    double ExaminationRisk = 0, TreatmentRisk = 0;

    double Measure(int riskId) const {
        if (auto base = Patient.Base.find(riskId); base != Patient.Base.end())
            return base->second;
        auto exam = Patient.Exam.find(riskId);
        if (exam == Patient.Exam.end())
            return -1;
        return FUseTreatment ? exam->second.second : exam->second.first;
    }
    double Coefficient(int riskId, int kind) const {
        auto it = FValues.find({riskId, kind});
        if (it == FValues.end() || Patient.Group >= it->second.size())
            return 0;
        return it->second[Patient.Group];
    }
    // The first baseline row of the group at or above the age.
    double BaselineValue(double age) const {
        auto it = FBaseline.lower_bound({Patient.Group, age});
        return it == FBaseline.end() || it->first.first != Patient.Group ? 0 : it->second;
    }
    std::pair<double, double> AgeLimits() const {
        auto first = FBaseline.lower_bound({Patient.Group, -1e9});
        auto last = std::prev(FBaseline.lower_bound({Patient.Group + 1, -1e9}));
        return {first->first.second, last->first.second};
    }

    // Both risks in percent, as the calculation sums and scales them.
    void Calculate() {
        ExaminationRisk = TreatmentRisk = 0;
        double examSum = 0, treatSum = 0;
        for (int i = 0; i < Formulas.Count(); ++i) {
            TExprItem& item = Formulas[i];
            FUseTreatment = false;
            double t = item.Expr().Evaluate().AsNumber();
            examSum += t;
            if (item.Group == 1) {
                FUseTreatment = true;
                t = item.Expr().Evaluate().AsNumber();
                auto exam = Patient.Exam.find(item.RiskId());
                if (exam != Patient.Exam.end() && exam->second.first - exam->second.second > 0)
                    t += (exam->second.first - exam->second.second) * Coefficient(item.RiskId(), 3);
            }
            treatSum += t;
        }
        const double s0 = BaselineValue(Patient.Age), s1 = BaselineValue(Patient.Age + PredictionYears);
        const double ratio = s0 > 0 ? s1 / s0 : 0;
        ExaminationRisk = (1 - std::pow(ratio, std::exp(examSum))) * 100;
        TreatmentRisk = (1 - std::pow(ratio, std::exp(treatSum))) * 100;
    }

private:
    int Id(TVarList& p) const {
        auto it = FIds.find(p[0].AsString().toLower());
        return it == FIds.end() ? -1 : it->second;
    }
    double Read(int riskId, bool treatment) {
        const bool saved = FUseTreatment;
        FUseTreatment = treatment;
        const double value = Measure(riskId);
        FUseTreatment = saved;
        return value;
    }
    void Register() {
        TFuncList& f = Source.FuncList();
        f.AddFunc("Examination", 1, [this](TVarList& p, TVarItem& r) { r.SetNumber(Read(Id(p), false)); });
        f.AddFunc("Treatment", 1, [this](TVarList& p, TVarItem& r) { r.SetNumber(Read(Id(p), true)); });
        f.AddFunc("Translate", 2, [this](TVarList& p, TVarItem& r) {
            const TPickItem* item = Picks ? Picks->FindByRiskId(Id(p)) : nullptr;
            r.SetString(item ? item->ValueToText(p[1].AsNumber()) : FloatToStr(p[1].AsNumber()));
        });
        f.AddFunc("Prediction", 0, [this](TVarList&, TVarItem& r) { r.SetNumber(PredictionYears); });
        f.AddFunc("ExaminationRisk", 0, [this](TVarList&, TVarItem& r) { r.SetNumber(double(Round(ExaminationRisk))); });
        f.AddFunc("TreatmentRisk", 0, [this](TVarList&, TVarItem& r) { r.SetNumber(double(Round(TreatmentRisk))); });
        f.AddFunc("Measure", 1, [this](TVarList& p, TVarItem& r) { r.SetNumber(Measure(Id(p))); });
        f.AddFunc("Beta", 1, [this](TVarList& p, TVarItem& r) { r.SetNumber(Coefficient(Id(p), 1)); });
        f.AddFunc("Const", 1, [this](TVarList& p, TVarItem& r) { r.SetNumber(Coefficient(Id(p), 2)); });
        f.AddFunc("Inter", 1, [this](TVarList& p, TVarItem& r) { r.SetNumber(Coefficient(Id(p), 3)); });
        f.AddFunc("Calc", 1, [this](TVarList& p, TVarItem& r) {
            const int id = Id(p);
            r.SetNumber(Coefficient(id, 1) * (Measure(id) - Coefficient(id, 2)));
        });
        f.AddFunc("Adjust", 1, [this](TVarList& p, TVarItem& r) {
            const int id = Id(p);
            r.SetNumber(std::min(Read(id, false), Coefficient(id, 2)));
        });
        f.AddFunc("Age", 0, [this](TVarList&, TVarItem& r) { r.SetNumber(Patient.Age); });
        f.AddFunc("Coefficient", 2, [this](TVarList& p, TVarItem& r) {
            r.SetNumber(Coefficient(Id(p), int(p[1].AsInteger())));
        });
    }

    std::map<QString, int> FIds;
    std::map<std::pair<int, int>, QList<double>> FValues;
    std::map<std::pair<int, double>, double> FBaseline;
    std::unique_ptr<TQuery> FRisks;
    bool FUseTreatment = false;
};

// A patient of the reference at an examination: every SCORE2 factor
// measured, the factors outside the model set to something that would show
// if it counted.
TPatient PatientOf(const Score2Reference::Patient& p, bool diabetesRow) {
    TPatient patient;
    patient.Age = int(p.age);
    patient.Group = int(p.sex);
    patient.Base = {{5, double(p.sex)}, {6, 1}, {8, 182}, {9, 0}};
    if (diabetesRow)
        patient.Base[7] = p.diabetes ? 1 : 0;
    patient.Exam = {{1, {p.sbp, p.sbp}}, {2, {p.tc, p.tc}}, {3, {p.smoker ? 2.0 : 1.0, p.smoker ? 2.0 : 1.0}},
                    {4, {96, 80}}, {19, {p.hdl, p.hdl}}, {33, {29, 25}}};
    return patient;
}

const QString& SeedText() {
    static const QString text = [] {
        QFile file(QStringLiteral(TAVLO_SOURCE_DIR "/data/TavloCalc.sql"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }();
    return text;
}

} // namespace

class TestScore2Data : public QObject {
    Q_OBJECT
    std::unique_ptr<TSeedDatabase> FSeed;
private slots:
    void initTestCase() { FSeed = std::make_unique<TSeedDatabase>("Score2Seed"); }
    void cleanupTestCase() { FSeed.reset(); }

    // Rerunning the generator changes nothing: the seed holds its block once
    // and character for character.
    void shippedRowsAreTheGeneratorsOutput() {
        const QString seed = SeedText();
        QVERIFY(!seed.isEmpty());
        const QString begin = QString::fromUtf8(Score2::BeginMarker), end = QString::fromUtf8(Score2::EndMarker);
        QCOMPARE(seed.count(begin), 1);
        QCOMPARE(seed.count(end), 1);
        const qsizetype from = seed.indexOf(begin);
        const qsizetype to = seed.indexOf('\n', seed.indexOf(end)) + 1;
        const QStringList shipped = seed.mid(from, to - from).split('\n');
        const QStringList generated = QString::fromStdString(Score2::GeneratedSql()).split('\n');
        for (int i = 0; i < std::min(shipped.size(), generated.size()); ++i)
            QVERIFY2(shipped[i] == generated[i], qPrintable(QString("line %1 of the block:\n%2\nshould be\n%3")
                                                                .arg(i + 1).arg(shipped[i], generated[i])));
        QCOMPARE(shipped.size(), generated.size());
    }

    void modelsAndCountries() {
        auto models = Query(FSeed->Name(), {"SELECT CalcID, Description FROM CalcModel ORDER BY CalcID"});
        QStringList rows;
        for (models->First(); !models->Eof(); models->Next())
            rows << models->FieldByName("CalcID")->AsString() + " " + models->FieldByName("Description")->AsString();
        QCOMPARE(rows, QStringList({"1 SCORE2, low-risk region", "2 SCORE2, moderate-risk region",
                                    "3 SCORE2, high-risk region", "4 SCORE2, very-high-risk region"}));
        // The United Kingdom and Denmark are low-risk countries.
        auto countries = Query(FSeed->Name(), {"SELECT DISTINCT CalcID FROM Country"});
        QCOMPARE(countries->RecordCount(), 1);
        QCOMPARE(countries->FieldByName("CalcID")->AsInteger(), 1);
    }

    // The seed's rows run by the calculation's rules give SCORE2's published
    // risk for every age from 40 to 69, at the examination values and at the
    // goals; the diabetes variant gives the diabetic's risk whether or not
    // the patient's diabetes row is seen.
    void riskIsPublishedScore2_data() {
        QTest::addColumn<int>("calcId");
        QTest::addColumn<bool>("diabetesModel");
        QTest::addColumn<int>("sex");
        for (int calcId : {1, 2, 3, 4})
            for (bool diabetes : {false, true})
                for (int sex : {0, 1})
                    QTest::addRow("model %d%s %s", calcId, diabetes ? " diabetes" : "", sex ? "women" : "men")
                        << calcId << diabetes << sex;
    }
    void riskIsPublishedScore2() {
        QFETCH(int, calcId);
        QFETCH(bool, diabetesModel);
        QFETCH(int, sex);
        TModelBench bench(FSeed->Name(), calcId, diabetesModel);
        QCOMPARE(bench.Formulas.Count(), 9); // weight and height only feed BMI
        const Region region = Region(calcId);
        double worst = 0;
        QString where;
        for (int age = 40; age <= 69; ++age)
            for (double sbp : {105.0, 150.0})
                for (double tc : {4.1, 7.3})
                    for (double hdl : {0.9, 1.7})
                        for (bool smoker : {false, true})
                            for (bool diabetes : {false, true}) {
                                Score2Reference::Patient p{Sex(sex), double(age), sbp, tc, hdl, smoker, diabetes};
                                // In the diabetes variant the patient's diabetes row may be hidden.
                                bench.Patient = PatientOf(p, !diabetesModel || diabetes);
                                if (diabetesModel)
                                    p.diabetes = true;
                                // goals: 20 mmHg and 1 mmol/L lower, HDL 0.3 higher, stopped smoking
                                bench.Patient.Exam[1].second = sbp - 20;
                                bench.Patient.Exam[2].second = tc - 1;
                                bench.Patient.Exam[19].second = hdl + 0.3;
                                bench.Patient.Exam[3].second = 0;
                                Score2Reference::Patient goal = p;
                                goal.sbp -= 20;
                                goal.tc -= 1;
                                goal.hdl += 0.3;
                                goal.smoker = false;
                                bench.Calculate();
                                for (auto [got, want] : {std::pair{bench.ExaminationRisk, TenYearRisk(p, region)},
                                                         std::pair{bench.TreatmentRisk, TenYearRisk(goal, region)}}) {
                                    if (std::fabs(got / 100 - want) > worst) {
                                        worst = std::fabs(got / 100 - want);
                                        where = QString("age %1 sbp %2 tc %3 hdl %4 smoker %5 diabetes %6: %7 for %8")
                                                    .arg(age).arg(sbp).arg(tc).arg(hdl).arg(smoker).arg(diabetes)
                                                    .arg(got / 100, 0, 'g', 17).arg(want, 0, 'g', 17);
                                    }
                                }
                            }
        QVERIFY2(worst <= 1e-9, qPrintable(where));
        // 10 years ahead stays in the table from 40 to 69, SCORE2's ages.
        bench.Patient.Group = sex;
        const auto [low, high] = bench.AgeLimits();
        QCOMPARE(low, 40.0);
        QCOMPARE(int(high - 10), 69);
    }

    // A value the patient does not have counts as absent: the factor is at
    // its centre and adds nothing, and a goal that was never set keeps the
    // measured value, so it shows no benefit.
    void missingValuesAddNothing_data() {
        QTest::addColumn<bool>("diabetesModel");
        QTest::addColumn<QList<int>>("removedExam"); // risk ids without an examination row
        QTest::addColumn<int>("goalLeftEmpty");     // a risk id whose goal reads 0
        QTest::addColumn<bool>("diabetesRow");
        QTest::addColumn<double>("sbp");
        QTest::addColumn<double>("tc");
        QTest::addColumn<double>("hdl");
        QTest::addColumn<bool>("smoker");
        QTest::addColumn<bool>("diabetes");
        QTest::newRow("no blood pressure") << false << QList<int>{1} << 0 << true << 120.0 << 7.0 << 1.0 << true << false;
        QTest::newRow("no lipids") << false << QList<int>{2, 19} << 0 << true << 160.0 << 6.0 << 1.3 << false << true;
        QTest::newRow("smoking not recorded") << false << QList<int>{3} << 0 << true << 140.0 << 5.0 << 1.2 << false << false;
        QTest::newRow("hidden diabetes row") << false << QList<int>{} << 0 << false << 140.0 << 5.0 << 1.2 << true << false;
        QTest::newRow("diabetes model, row hidden") << true << QList<int>{} << 0 << false << 140.0 << 5.0 << 1.2 << true << true;
        QTest::newRow("empty blood pressure goal") << false << QList<int>{} << 1 << true << 150.0 << 5.0 << 1.2 << false << false;
        QTest::newRow("empty HDL goal") << true << QList<int>{} << 19 << true << 150.0 << 5.0 << 1.2 << false << true;
    }
    void missingValuesAddNothing() {
        QFETCH(bool, diabetesModel);
        QFETCH(QList<int>, removedExam);
        QFETCH(int, goalLeftEmpty);
        QFETCH(bool, diabetesRow);
        QFETCH(double, sbp);
        QFETCH(double, tc);
        QFETCH(double, hdl);
        QFETCH(bool, smoker);
        QFETCH(bool, diabetes);
        TModelBench bench(FSeed->Name(), 1, diabetesModel);
        const Score2Reference::Patient p{Sex::Female, 58, sbp, tc, hdl, smoker, diabetes};
        bench.Patient = PatientOf(p, diabetesRow);
        for (int id : removedExam)
            bench.Patient.Exam.erase(id);
        if (goalLeftEmpty)
            bench.Patient.Exam[goalLeftEmpty].second = 0;
        bench.Calculate();
        const double want = TenYearRisk(p, Region::Low) * 100;
        QVERIFY2(std::fabs(bench.ExaminationRisk - want) < 1e-7, qPrintable(QString::number(bench.ExaminationRisk)));
        QVERIFY2(std::fabs(bench.TreatmentRisk - want) < 1e-7, qPrintable(QString::number(bench.TreatmentRisk)));
    }

    // Every composed text of both countries and variants compiles and reads
    // as its kind asks; the advice and guideline texts say what the model
    // does not cover for the patient, and the advice figure is the relative
    // change that reaching the goal makes.
    void composedTexts_data() {
        QTest::addColumn<int>("countryId");
        QTest::addColumn<bool>("diabetesModel");
        for (int country : {1, 2})
            for (bool diabetes : {false, true})
                QTest::addRow("%s%s", country == 1 ? "United Kingdom" : "Danmark", diabetes ? " diabetes" : "")
                    << country << diabetes;
    }
    void composedTexts() {
        QFETCH(int, countryId);
        QFETCH(bool, diabetesModel);
        const bool english = countryId == 1;

        TMlCountryTable country;
        country.SetDatabaseName(FSeed->Name());
        country.SetTableName("Country");
        country.SetIndexFieldNames("Country id");
        country.Open();
        QVERIFY(country.Locate("Country id", countryId));
        const QChar separator = country.FieldByName("Separator name")->AsString().at(0);
        TDataSource countrySource;
        countrySource.SetDataSet(&country);
        TMlNameTable names;
        names.SetDatabaseName(FSeed->Name());
        names.SetTableName("Names");
        names.SetIndexFieldNames("Country id;Risk id;Type");
        names.SetMasterSource(&countrySource);
        names.SetMasterFields("Country id");
        names.Open();
        TMlRiskTable risks;
        risks.SetDatabaseName(FSeed->Name());
        risks.SetTableName("Risks");
        risks.Open();
        TPickList picks;
        picks.SetSeparator(separator);
        picks.Load(&names, &risks);
        QCOMPARE(picks.FindByRiskId(5)->Values,
                 english ? QStringList({"Male", "Female"}) : QStringList({"Mand", "Kvinde"}));
        TDecimalSeparatorScope process(separator);

        TModelBench bench(FSeed->Name(), 1, diabetesModel);
        bench.Picks = &picks;
        auto compose = Query(FSeed->Name(), {"SELECT Name, Type, Expression FROM Compose" + Variant(diabetesModel),
                                             "WHERE \"Country id\" = :P0 ORDER BY \"Compose id\""},
                             {countryId});
        struct TText {
            QString Name;
            int Type;
            std::unique_ptr<TMorlenExpr> Expr;
        };
        std::vector<TText> texts;
        for (compose->First(); !compose->Eof(); compose->Next()) {
            TText text{compose->FieldByName("Name")->AsString(), compose->FieldByName("Type")->AsInteger(),
                       std::make_unique<TMorlenExpr>()};
            text.Expr->SetSource(&bench.Source);
            text.Expr->SetExpressionText(compose->FieldByName("Expression")->AsString());
            try {
                text.Expr->Compile();
            } catch (const Exception& e) {
                QFAIL(qPrintable(text.Name + ": " + e.Message()));
            }
            texts.push_back(std::move(text));
        }
        QCOMPARE(int(texts.size()), 9);

        auto evaluate = [&](const TText& text) {
            try {
                return text.Expr->Evaluate().GetNode();
            } catch (const Exception& e) {
                QTest::qFail(qPrintable(text.Name + ": " + e.Message()), __FILE__, __LINE__);
                return TDataNode();
            }
        };
        auto textOf = [&](const QString& name) {
            for (const TText& text : texts)
                if (text.Name == name)
                    return evaluate(text).ToText();
            QTest::qFail(qPrintable("no composed text " + name), __FILE__, __LINE__);
            return QString();
        };

        // Group buttons: men 0, women 1.
        QStringList buttons;
        for (const TText& text : texts)
            if (text.Type == 1)
                buttons << text.Name + "=" + evaluate(text).ToText();
        QCOMPARE(buttons, english ? QStringList({"Men=0", "Women=1"}) : QStringList({"Mænd=0", "Kvinder=1"}));

        // Every advice and guideline text reads as text for very different patients.
        struct TCase {
            Score2Reference::Patient p;
            bool previousHeartDisease;
            QList<int> removed;
            std::map<int, double> goals;
        };
        const QList<TCase> cases = {
            {{Sex::Male, 45, 150, 6.5, 1.0, true, false}, false, {}, {{1, 130}, {2, 5}, {3, 0}, {19, 1.2}}},
            {{Sex::Female, 66, 172, 7.8, 0.9, true, true}, true, {}, {}},
            {{Sex::Male, 72, 135, 5.0, 1.4, false, false}, false, {1, 2, 3, 19}, {}},
            {{Sex::Female, 52, 118, 4.2, 2.2, false, false}, false, {}, {}},
        };
        for (const TCase& c : cases) {
            bench.Patient = PatientOf(c.p, true);
            bench.Patient.Base[9] = c.previousHeartDisease ? 1 : 0;
            for (int id : c.removed)
                bench.Patient.Exam.erase(id);
            for (auto [id, goal] : c.goals)
                bench.Patient.Exam[id].second = goal;
            bench.Calculate();
            for (const TText& text : texts) {
                if (text.Type == 1)
                    continue;
                const TDataNode value = evaluate(text);
                QCOMPARE(value.Type, dtString);
                QVERIFY2(value.Text.size() > 60, qPrintable(text.Name + ": " + value.Text));
                if (c.previousHeartDisease)
                    QVERIFY2(value.Text.contains(english ? "very high risk" : "meget høj risiko"), qPrintable(text.Name));
            }
            const bool diabetic = c.p.diabetes || diabetesModel;
            for (const QString name : {english ? "All goals" : "Alle mål",
                                        english ? "Risk category (ESC 2021)" : "Risikokategori (ESC 2021)"})
                QCOMPARE(textOf(name).contains("HbA1c"), diabetic);
            if (c.p.age > 69)
                QVERIFY(textOf(english ? "Risk category (ESC 2021)" : "Risikokategori (ESC 2021)").contains("SCORE2-OP"));
        }

        // Blood pressure from 160 to 130 at 55: the relative change of the
        // whole-percent risk under the hazard ratio the reference gives.
        Score2Reference::Patient p{Sex::Male, 55, 160, 6, 1.2, false, diabetesModel};
        bench.Patient = PatientOf(p, true);
        bench.Patient.Exam[1].second = 130;
        bench.Calculate();
        Score2Reference::Patient goal = p;
        goal.sbp = 130;
        const double hr = std::log(1 - TenYearRisk(goal, Region::Low)) / std::log(1 - TenYearRisk(p, Region::Low));
        const double r = double(Round(TenYearRisk(p, Region::Low) * 100)) / 100;
        const QString cut = FormatNumber(100 * (r - 1 + std::pow(1 - r, hr)) / r, 0);
        const QString advice = textOf(english ? "Blood pressure" : "Blodtryk");
        QVERIFY2(advice.contains(english ? "lowers the estimated risk by about " + cut + " %"
                                         : "falder den beregnede risiko med omkring " + cut + " %"),
                 qPrintable(advice));
        QVERIFY2(advice.contains(english ? "goal of 130 mmHg" : "målet på 130 mmHg"), qPrintable(advice));

        // The category from a whole percent: under 50 the thresholds 2.5 and
        // 7.5 are settled, from 50 a rounded 5 lies on the border.
        const QString category = english ? "Risk category (ESC 2021)" : "Risikokategori (ESC 2021)";
        bench.Patient = PatientOf({Sex::Male, 45, 120, 6, 1.3, false, false}, true);
        bench.Patient.Base.erase(7);
        struct TBand {
            int age;
            double risk;
            QString says;
        };
        const QList<TBand> bands = {
            {45, 2.4, english ? "is at low to moderate risk" : "har lav til moderat risiko"},
            {45, 2.6, english ? "is at high risk" : "har høj risiko"},
            {45, 7.6, english ? "is at very high risk" : "har meget høj risiko"},
            {55, 4.4, english ? "is at low to moderate risk" : "har lav til moderat risiko"},
            {55, 5.2, english ? "border between low to moderate and high" : "grænsen mellem lav til moderat og høj"},
            {55, 7.0, english ? "is at high risk" : "har høj risiko"},
            {55, 10.4, english ? "border between high and very high" : "grænsen mellem høj og meget høj"},
            {55, 12.0, english ? "is at very high risk" : "har meget høj risiko"},
        };
        for (const TBand& band : bands) {
            bench.Patient.Age = band.age;
            bench.ExaminationRisk = band.risk;
            const QString says = textOf(category);
            QVERIFY2(says.contains(band.says), qPrintable(QString::number(band.risk) + ": " + says));
        }
        bench.PredictionYears = 5;
        QVERIFY(textOf(category).contains(english ? "10 years" : "10 år"));
    }

    // The chart's bands follow the categories for ages 50 to 69.
    void colourBandsFollowTheCategories() {
        auto colors = Query(FSeed->Name(), {"SELECT \"Country id\", Max, Text FROM Colors ORDER BY 1, 2"});
        QStringList rows;
        for (colors->First(); !colors->Eof(); colors->Next())
            rows << colors->FieldByName("Country id")->AsString() + " " + colors->FieldByName("Max")->AsString() + " " +
                        colors->FieldByName("Text")->AsString();
        QCOMPARE(rows, QStringList({"1 5 Low to moderate risk", "1 10 High risk", "1 100 Very high risk",
                                    "2 5 Lav til moderat risiko", QString::fromUtf8("2 10 Høj risiko"),
                                    QString::fromUtf8("2 100 Meget høj risiko")}));
    }
};

TAVLO_TEST(TestScore2Data);
#include "tst_Score2Data.moc"
