// The chart wrapper on the product's modules and the shipped SCORE2 model:
// the bars and their bands (chosen by the 10-year risk whatever the
// period), the pie's shares, the progress of a factor and of the absolute
// risk (the journal copy put back, also after an error), the number grid,
// the composed texts, the progress axis, and the charts as a user sees them.

#include "ChartFixture.h"
#include "Application.h"
#include "BvDictionary.h"
#include "Conversions.h"
#include "FormatSettings.h"
#include "TestErrors.h"
#include "TestGrab.h"
#include "TestLocale.h"
#include "TestMain.h"
#include "TvExprList.h"
#include "WinColor.h"

#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QTableWidget>
#include <QTest>
#include <QValueAxis>

namespace {

QStringList DateTexts(TDataSet* journal) {
    QStringList dates;
    for (int i = 0; i < journal->RecordCount(); ++i)
        journal->WithRecord(i, [&] { dates << journal->FieldByName("Date")->DisplayText(); });
    return dates;
}

QList<double> Values(const TChartList& list) {
    QList<double> values;
    for (const TChartItem& item : list.Items())
        values << item.Value;
    return values;
}

bool SameValues(const QList<double>& a, const QList<double>& b) {
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i)
        if (qAbs(a[i] - b[i]) > 1e-9)
            return false;
    return true;
}

QString Describe(const QList<double>& values) {
    QStringList texts;
    for (double v : values)
        texts << QString::number(v, 'g', 10);
    return texts.join(", ");
}

// The grid's column whose heading starts so, -1 when none.
int ColumnOf(QTableWidget* grid, const QString& start) {
    for (int c = 1; c < grid->columnCount(); ++c)
        if (grid->item(0, c) && grid->item(0, c)->text().startsWith(start))
            return c;
    return -1;
}

QString Cell(QTableWidget* grid, int row, int column) {
    QTableWidgetItem* item = column >= 0 ? grid->item(row, column) : nullptr;
    return item ? item->text() : QString();
}

} // namespace

class TestChartWrap : public QObject {
    Q_OBJECT
    std::unique_ptr<TSeedDatabase> FSeed;
    std::unique_ptr<TMediatorDataModule> FMediator;

    TPatientRows Rows() { return TPatientRows{FMediator->PatientDatabase}; }
    void ExecApplication(const QString& sql, const QVariantList& params = {}) { FMediator->Database->ExecSql(sql, params); }
    void SetBands(const QList<std::tuple<int, QString, int>>& bands) {
        ExecApplication("DELETE FROM Colors WHERE \"Country id\" = 1");
        for (const auto& [max, text, color] : bands)
            ExecApplication("INSERT INTO Colors (\"Country id\", Max, Text, Color) VALUES (1, ?, ?, ?)", {max, text, color});
    }
    int InsertCompose(const QString& name, const QString& expression) {
        int id = 0;
        for (const char* table : {"Compose_P", "Compose_D"}) {
            ExecApplication(QStringLiteral("INSERT INTO %1 (\"Country id\", Name, Type, Expression) VALUES (1, ?, 2, ?)")
                                .arg(QLatin1String(table)),
                            {name, expression});
            QSqlQuery q(FMediator->Database->Connection());
            q.exec(QStringLiteral("SELECT max(\"Compose id\") FROM %1").arg(QLatin1String(table)));
            q.next();
            id = q.value(0).toInt();
        }
        return id; // the same in both: the tables are filled alike
    }

private slots:
    void initTestCase() {
        SetEdition(TEdition::Combined);
        FSeed = std::make_unique<TSeedDatabase>("ChartSeed");
        FMediator = std::make_unique<TMediatorDataModule>();
    }
    void init() {
        SetEdition(TEdition::Combined);
        FMediator->Database->Close();
        FMediator->PatientDatabase->Close();
        FSeed->Reset();
        FMediator->ConnectDatabases("ChartSeedAlias", true);
        FMediator->DiabetesSwitch->SetDiabetes(false);
        for (const char* table : {"Patient", "Journal", "Base", "Exam"})
            FMediator->PatientDatabase->ExecSql(QStringLiteral("DELETE FROM \"%1\"").arg(table));
        LastFillHadItems = false;
    }
    void cleanup() {
        SetEdition(TEdition::Combined);
        FMediator->DiabetesSwitch->SetDiabetes(false);
    }
    void cleanupTestCase() {
        FMediator.reset();
        FSeed.reset();
    }

    // The band is the first whose Max is not below the risk, compared as a
    // float; the treatment bar has its own band.
    void barBands_data() {
        QTest::addColumn<double>("examination");
        QTest::addColumn<QString>("examinationBand");
        QTest::addColumn<double>("treatment");
        QTest::addColumn<QString>("treatmentBand");
        QTest::newRow("12 % between 10 and 20") << 12.0 << "High" << 4.0 << "Low";
        QTest::newRow("at a limit") << 5.0 << "Low" << 10.0 << "Moderate";
        QTest::newRow("just above a limit") << 5.01 << "Moderate" << 10.2 << "High";
        QTest::newRow("no risk") << 0.0 << "Low" << 0.0 << "Low";
        QTest::newRow("above every band: the last") << 35.0 << "High" << 20.0 << "High";
    }
    void barBands() {
        QFETCH(double, examination);
        QFETCH(QString, examinationBand);
        QFETCH(double, treatment);
        QFETCH(QString, treatmentBand);
        SetBands({{5, "Low", 0x008000}, {10, "Moderate", 0x0080FF}, {20, "High", 0x0000FF}});
        const QHash<QString, QColor> colors{{"Low", QColor(0, 128, 0)}, {"Moderate", QColor(255, 128, 0)},
                                            {"High", QColor(255, 0, 0)}};
        TChartWorld world;
        world.Calculation->SetPredictionYears(10);
        world.Calculation->ExaminationRisk = examination;
        world.Calculation->TreatmentRisk = treatment;
        QBarSet exam("old"), goal("old");
        exam.append({1, 2, 3});
        world.Wrap->FillBars(&exam, &goal);
        QCOMPARE(exam.count(), 1);
        QCOMPARE(exam.at(0), examination);
        QCOMPARE(exam.label(), examinationBand);
        QCOMPARE(exam.color(), colors[examinationBand]);
        QCOMPARE(exam.property("captions").toStringList(), QStringList{"Examination"});
        QCOMPARE(goal.count(), 1);
        QCOMPARE(goal.at(0), treatment);
        QCOMPARE(goal.label(), treatmentBand);
        QCOMPARE(goal.color(), colors[treatmentBand]);
        QCOMPARE(goal.property("captions").toStringList(), QStringList{"Treatment goal"});
    }

    // A 5-year prediction draws the 5-year risks in the bands of the
    // 10-year risks, and the period and the results come back.
    void fiveYearPeriodUsesTenYearBand() {
        TPatientRows rows = Rows();
        SamplePatient(rows);
        double r10 = 0, t10 = 0, r5 = 0, t5 = 0;
        {
            TChartWorld probe;
            probe.Calculation->SetPredictionYears(10);
            probe.Calculation->Recalculate();
            r10 = probe.Calculation->ExaminationRisk;
            t10 = probe.Calculation->TreatmentRisk;
            probe.Calculation->SetPredictionYears(5);
            probe.Calculation->Recalculate();
            r5 = probe.Calculation->ExaminationRisk;
            t5 = probe.Calculation->TreatmentRisk;
        }
        // Bands that part the periods: each 5-year risk lies a band below
        // its 10-year risk.
        const int goalLimit = int(std::ceil(t5));
        const int examLimit = int(std::ceil(r5));
        QVERIFY2(goalLimit < t10 && t10 <= examLimit && examLimit < r10,
                 qPrintable(QString("r5 %1 t5 %2 r10 %3 t10 %4").arg(r5).arg(t5).arg(r10).arg(t10)));
        SetBands({{goalLimit, "Goal's 5-year band", 0x00FF00}, {examLimit, "Goal's 10-year band", 0x0080FF},
                  {100, "Examination's 10-year band", 0x0000FF}});
        TChartWorld world;
        world.Calculation->SetPredictionYears(5);
        world.Calculation->Recalculate();
        QBarSet exam(""), goal("");
        world.Wrap->FillBars(&exam, &goal);
        QCOMPARE(exam.at(0), r5);
        QCOMPARE(goal.at(0), t5);
        QCOMPARE(exam.label(), QString("Examination's 10-year band"));
        QCOMPARE(exam.color(), QColor(255, 0, 0));
        QCOMPARE(goal.label(), QString("Goal's 10-year band"));
        QCOMPARE(goal.color(), QColor(255, 128, 0));
        QCOMPARE(world.Calculation->PredictionYears(), 5);
        QCOMPARE(world.Calculation->ExaminationRisk, r5);
        QCOMPARE(world.Calculation->TreatmentRisk, t5);
    }

    // A 10-year calculation that fails for the band still gives the user's
    // period back, recalculated, and the failure reaches the caller.
    void barPeriodRestoredAfterError() {
        TPatientRows rows = Rows();
        SamplePatient(rows);
        TChartWorld world;
        world.Calculation->SetPredictionYears(5);
        world.Calculation->Recalculate();
        const double r5 = world.Calculation->ExaminationRisk;
        world.Calculation->OnCalculated = [&](QObject*) {
            if (world.Calculation->PredictionYears() == 10)
                throw Exception("no 10-year baseline");
        };
        QBarSet exam(""), goal("");
        QCOMPARE(ErrorOf([&] { world.Wrap->FillBars(&exam, &goal); }), QString("no 10-year baseline"));
        QCOMPARE(world.Calculation->PredictionYears(), 5);
        QCOMPARE(world.Calculation->ExaminationRisk, r5);
    }

    // The pie holds the treatable factors' positive shares of the positive
    // sum, in list order, with their names and colours.
    void pieShares() {
        TPatientRows rows = Rows();
        SamplePatient(rows);
        TChartWorld world;
        world.Wrap->CollectPie();
        const TChartList& pie = world.Wrap->PieList;
        QStringList captions;
        double total = 0;
        for (const TChartItem& item : pie.Items()) {
            captions << item.Caption;
            QVERIFY(item.Value > 0);
            total += item.Value;
        }
        // The smoker's blood pressure, cholesterol and smoking raise the
        // risk; an HDL below the reference too.
        TTvWorkCountryDataModule* country = world.Material.CountryData;
        QCOMPARE(captions, QStringList({country->LocaleName(1), country->LocaleName(2), country->LocaleName(3),
                                        country->LocaleName(19)}));
        QVERIFY(total <= 100 + 1e-9);
        QCOMPARE(pie.Item(0).Color, 255);
        QCOMPARE(pie.Item(2).Color, 8421504);
        QCOMPARE(world.Calculation->UseTreatment, false);

        QPieSeries series;
        series.append("old", 1);
        world.Wrap->FillPie(&series);
        QVERIFY(LastFillHadItems);
        QCOMPARE(series.count(), pie.Count());
        for (int i = 0; i < pie.Count(); ++i) {
            QCOMPARE(series.slices()[i]->label(), pie.Item(i).Caption);
            QCOMPARE(series.slices()[i]->value(), pie.Item(i).Value);
            QCOMPARE(series.slices()[i]->color(), ColorFromWin(pie.Item(i).Color));
        }
    }

    // Every contribution 0 or negative (a non-smoker with good values), or
    // no positive sum at all: no items, and the report is told.
    void pieWithoutPositiveContributions() {
        TPatientRows rows = Rows();
        rows.Patient(5, EncodeDate(1961, 3, 1), "0005");
        rows.Base(5, 5, 1);
        rows.Base(5, 7, 0);
        rows.Journal(50, 5, EncodeDate(2024, 1, 1));
        rows.Exam(50, 1, 100, 100);
        rows.Exam(50, 2, 3.5, 3.5);
        rows.Exam(50, 3, 0, 0);
        rows.Exam(50, 19, 2.5, 2.5);
        TChartWorld world;
        world.Show(5);
        QVERIFY(world.Calculation->Calculated);
        world.Wrap->CollectPie();
        QCOMPARE(world.Wrap->PieList.Count(), 0);
        QPieSeries series;
        series.append("old", 1);
        LastFillHadItems = true;
        world.Wrap->FillPie(&series);
        QVERIFY(!LastFillHadItems);
        QCOMPARE(series.count(), 0);

        // No positive sum: every share is 0.
        TPatientRows more = Rows();
        SamplePatient(more);
        world.Show(1);
        world.Calculation->PositiveExamSum = 0;
        world.Wrap->CollectPie();
        QCOMPARE(world.Wrap->PieList.Count(), 0);
    }

    // In the Diabetes edition a factor whose formula read "XSmoking" last
    // is left out of the pie; elsewhere it stays.
    void pieDiabetesEditionSkipsXSmoking_data() {
        QTest::addColumn<int>("edition");
        QTest::addColumn<bool>("smokingShown");
        QTest::newRow("Combined") << int(TEdition::Combined) << true;
        QTest::newRow("Diabetes") << int(TEdition::Diabetes) << false;
    }
    void pieDiabetesEditionSkipsXSmoking() {
        QFETCH(int, edition);
        QFETCH(bool, smokingShown);
        SetEdition(TEdition(edition));
        for (const char* table : {"Risks_P", "Risks_D"})
            ExecApplication(QStringLiteral("UPDATE %1 SET Expression = Expression || char(13, 10) || "
                                           "'Unused := Examination(''XSmoking'')' WHERE \"Risk id\" = 3")
                                .arg(QLatin1String(table)));
        TPatientRows rows = Rows();
        SamplePatient(rows);
        TChartWorld world;
        world.Wrap->CollectPie();
        QStringList captions;
        for (const TChartItem& item : world.Wrap->PieList.Items())
            captions << item.Caption;
        QVERIFY2(captions.contains(world.Material.CountryData->LocaleName(1)), qPrintable(captions.join(", ")));
        QCOMPARE(captions.contains(world.Material.CountryData->LocaleName(3)), smokingShown);
    }

    // One factor over the examinations: a missing value (-1) and an
    // examination without the factor show 0, a converted factor shows its
    // display unit, a pick-list factor its stored value; the copy comes
    // back to its examination with its filter.
    void progressSingleRisk_data() {
        QTest::addColumn<int>("patient");
        QTest::addColumn<int>("riskId");
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<QList<double>>("goals");
        QTest::newRow("missing and absent values") << 2 << 1 << QList<double>{160, 0, 0} << QList<double>{130, 0, 0};
        QTest::newRow("in the display unit mg/dL")
            << 1 << 2 << QList<double>{278.4, 251.3, 216.5} << QList<double>{193.3, 193.3, 174.0};
        QTest::newRow("a pick-list factor") << 1 << 3 << QList<double>{2, 2, 1} << QList<double>{0, 0, 0};
    }
    void progressSingleRisk() {
        QFETCH(int, patient);
        QFETCH(int, riskId);
        QFETCH(QList<double>, values);
        QFETCH(QList<double>, goals);
        ExecApplication("UPDATE Names SET Name = 'mg/dL' WHERE \"Country id\" = 1 AND \"Risk id\" = 2 AND Type = 3");
        TPatientRows rows = Rows();
        SamplePatient(rows);
        rows.Patient(2, EncodeDate(1958, 6, 1), "0002");
        rows.Base(2, 5, 0);
        rows.Journal(20, 2, EncodeDate(2022, 1, 1));
        rows.Journal(21, 2, EncodeDate(2023, 1, 1));
        rows.Journal(22, 2, EncodeDate(2024, 1, 1));
        rows.Exam(20, 1, 160, 130);
        rows.Exam(21, 1, -1, -1);
        rows.Exam(22, 2, 6, 5);
        InEveryLocale([&] {
            TChartWorld world;
            const int middle = patient == 1 ? 11 : 21;
            world.Show(patient, middle);
            TMlTable* exam = world.Copy()->Exam;
            const QString filter = exam->Filter();
            const bool filtered = exam->Filtered();
            const double risk = world.Calculation->ExaminationRisk;
            world.Wrap->ProgressRiskId = riskId;
            world.Wrap->SingleRisk = true;
            world.Wrap->CollectProgress();
            QVERIFY2(SameValues(Values(world.Wrap->ProgressList), values),
                     qPrintable(Describe(Values(world.Wrap->ProgressList))));
            QVERIFY2(SameValues(Values(world.Wrap->ProgressGoalList), goals),
                     qPrintable(Describe(Values(world.Wrap->ProgressGoalList))));
            const QStringList dates = DateTexts(world.Copy()->Journal);
            for (const TChartList* list : {&world.Wrap->ProgressList, &world.Wrap->ProgressGoalList})
                for (int i = 0; i < list->Count(); ++i) {
                    QCOMPARE(list->Item(i).Caption, dates[i]);
                    QCOMPARE(list->Item(i).Color, int(0x80000000u));
                }
            QCOMPARE(world.CopyJournalId(), middle);
            QCOMPARE(exam->Filter(), filter);
            QCOMPARE(exam->Filtered(), filtered);
            QCOMPARE(world.Calculation->ExaminationRisk, risk);
        });
    }

    // In the Prevention edition the copy shows only the model's values by
    // a filter of its own: the progress of one factor leaves it in place.
    void progressKeepsModelFilter() {
        SetEdition(TEdition::Prevention);
        TPatientRows rows = Rows();
        SamplePatient(rows);
        TChartWorld world;
        world.Show(1, 12);
        TMlTable* exam = world.Copy()->Exam;
        const QString filter = exam->Filter();
        QVERIFY2(exam->Filtered() && filter.contains("[Risk id]"), qPrintable(filter));
        world.Wrap->ProgressRiskId = 1;
        world.Wrap->SingleRisk = true;
        world.Wrap->CollectProgress();
        QVERIFY(SameValues(Values(world.Wrap->ProgressList), {165, 152, 138}));
        QCOMPARE(exam->Filter(), filter);
        QVERIFY(exam->Filtered());
        QCOMPARE(world.CopyJournalId(), 12);
    }

    // The absolute risk over the examinations is each examination's own
    // calculation; nothing happens while no risk is chosen.
    void progressAbsoluteRisk() {
        TPatientRows rows = Rows();
        SamplePatient(rows);
        TChartWorld world;
        QList<double> risks, goals;
        for (int journal : {10, 11, 12}) {
            world.Show(1, journal);
            risks << world.Calculation->ExaminationRisk;
            goals << world.Calculation->TreatmentRisk;
        }
        QVERIFY(risks[0] > risks[2]);
        world.Show(1, 11);
        world.Wrap->ProgressRiskId = 1;
        world.Wrap->SingleRisk = false;
        world.Wrap->CollectProgress();
        QVERIFY2(SameValues(Values(world.Wrap->ProgressList), risks), qPrintable(Describe(Values(world.Wrap->ProgressList))));
        QVERIFY(SameValues(Values(world.Wrap->ProgressGoalList), goals));
        QCOMPARE(world.CopyJournalId(), 11);
        QCOMPARE(world.Calculation->ExaminationRisk, risks[1]);

        world.Wrap->ProgressRiskId = -1;
        world.Wrap->ProgressList.Clear();
        TChartWrap::AddChartItem(world.Wrap->ProgressList, "kept", 0, 1);
        world.Wrap->CollectProgress();
        QCOMPARE(world.Wrap->ProgressList.Count(), 1);
        QCOMPARE(world.Wrap->ProgressList.Item(0).Caption, QString("kept"));
    }

    // A failure while walking the examinations reaches the caller, and the
    // copy is back on its examination, recalculated, with its filter.
    void progressRestoredAfterError_data() {
        QTest::addColumn<bool>("single");
        QTest::newRow("one factor") << true;
        QTest::newRow("absolute risk") << false;
    }
    void progressRestoredAfterError() {
        QFETCH(bool, single);
        TPatientRows rows = Rows();
        SamplePatient(rows);
        TChartWorld world;
        world.Show(1, 11);
        TMlTable* journal = world.Copy()->Journal;
        TMlTable* exam = world.Copy()->Exam;
        const QString filter = exam->Filter();
        const bool filtered = exam->Filtered();
        const double risk = world.Calculation->ExaminationRisk;
        QList<int> calculatedAt;
        world.Calculation->OnCalculated = [&](QObject*) { calculatedAt << world.CopyJournalId(); };
        const TDataSetNotifyEvent scrolled = journal->AfterScroll;
        journal->AfterScroll = [&](TDataSet* d) {
            if (scrolled)
                scrolled(d);
            if (world.CopyJournalId() == 12)
                throw Exception("the last examination cannot be read");
        };
        world.Wrap->ProgressRiskId = 1;
        world.Wrap->SingleRisk = single;
        const QString error = ErrorOf([&] { world.Wrap->CollectProgress(); });
        journal->AfterScroll = scrolled;
        QCOMPARE(error, QString("the last examination cannot be read"));
        QCOMPARE(world.CopyJournalId(), 11);
        QVERIFY(!calculatedAt.isEmpty());
        QCOMPARE(calculatedAt.last(), 11);
        QCOMPARE(world.Calculation->ExaminationRisk, risk);
        QCOMPARE(exam->Filter(), filter);
        QCOMPARE(exam->Filtered(), filtered);
    }

    // The progress series take the lists, the goal line only when the goals
    // show; the titles are the country's.
    void fillProgress_data() {
        QTest::addColumn<bool>("showGoals");
        QTest::newRow("goals shown") << true;
        QTest::newRow("goals hidden") << false;
    }
    void fillProgress() {
        QFETCH(bool, showGoals);
        TChartWorld world;
        TChartWrap::AddChartItem(world.Wrap->ProgressList, "01-02-2024", ProgressItemColor, 150);
        TChartWrap::AddChartItem(world.Wrap->ProgressList, "03-04-2025", ProgressItemColor, 140);
        TChartWrap::AddChartItem(world.Wrap->ProgressGoalList, "01-02-2024", ProgressItemColor, 130);
        TChartWrap::AddChartItem(world.Wrap->ProgressGoalList, "03-04-2025", ProgressItemColor, 125);
        world.Wrap->ShowGoals = showGoals;
        QLineSeries exam, goal;
        goal.append(7, 7);
        world.Wrap->FillProgress(&exam, &goal);
        QCOMPARE(exam.points(), QList<QPointF>({{0, 150}, {1, 140}}));
        QCOMPARE(exam.property("captions").toStringList(), QStringList({"01-02-2024", "03-04-2025"}));
        QCOMPARE(goal.points(), showGoals ? QList<QPointF>({{0, 130}, {1, 125}}) : QList<QPointF>());
        QCOMPARE(exam.name(), QString("Examination"));
        QCOMPARE(goal.name(), QString("Treatment goal"));
        // The default colour value leaves the line's own pen.
        QVERIFY(exam.pointConfiguration(0).isEmpty());
    }

    // Without goals the axis fits the points; with goals it runs from the
    // smallest value to 1.08 times the largest, set in the order that never
    // puts the minimum above the maximum.
    void scaleProgressAxis_data() {
        QTest::addColumn<bool>("showGoals");
        QTest::addColumn<double>("currentMin");
        QTest::addColumn<double>("currentMax");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("goals, range moves up") << true << 0.0 << 10.0 << 40.0 << 64.8 << QStringList{"max", "min"};
        QTest::newRow("goals, range moves down") << true << 100.0 << 200.0 << 3.0 << 8.64 << QStringList{"min", "max"};
        QTest::newRow("automatic") << false << 0.0 << 1.0 << 40.0 << 60.0 << QStringList();
    }
    void scaleProgressAxis() {
        QFETCH(bool, showGoals);
        QFETCH(double, currentMin);
        QFETCH(double, currentMax);
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(QStringList, order);
        TChartWorld world;
        QChart chart;
        auto* exam = new QLineSeries;
        auto* goal = new QLineSeries;
        if (currentMin < 50) {
            exam->append({{0, 50}, {1, 60}});
            goal->append({{0, 40}, {1, 55}});
        } else {
            exam->append({{0, 5}, {1, 8}});
            goal->append({{0, 3}, {1, 4}});
        }
        chart.addSeries(exam);
        chart.addSeries(goal);
        auto* axis = new QValueAxis;
        chart.addAxis(axis, Qt::AlignLeft);
        exam->attachAxis(axis);
        goal->attachAxis(axis);
        axis->setRange(currentMin, currentMax);
        QStringList seen;
        bool crossed = false;
        connect(axis, &QValueAxis::minChanged, this, [&] {
            seen << "min";
            crossed |= axis->min() > axis->max();
        });
        connect(axis, &QValueAxis::maxChanged, this, [&] {
            seen << "max";
            crossed |= axis->min() > axis->max();
        });
        world.Wrap->ShowGoals = showGoals;
        world.Wrap->ScaleProgressAxis(&chart);
        QVERIFY(!crossed);
        if (showGoals) {
            QCOMPARE(seen, order);
            QCOMPARE(axis->min(), min);
            QVERIFY(qAbs(axis->max() - max) < 1e-9);
        } else {
            QVERIFY(axis->min() <= 40 && axis->min() > 30);
            QVERIFY(axis->max() >= 60 && axis->max() < 70);
        }
    }

    // Row 0 the model's examination risks, each heading taking the unit of
    // its values; one row per examination with its date and texts, a
    // transferred value with its mark; the copy comes back.
    void numberGrid() {
        TPatientRows rows = Rows();
        SamplePatient(rows);
        rows.Patient(3, EncodeDate(1970, 5, 3), "0003");
        TChartWorld world;
        world.Show(1, 11);
        QTableWidget grid;
        world.Wrap->FillNumberGrid(&grid);
        QCOMPARE(grid.rowCount(), 4);
        const int pressure = ColumnOf(&grid, "Systolic BP");
        const int cholesterol = ColumnOf(&grid, "Cholesterol");
        const int smoking = ColumnOf(&grid, "Smoking");
        const int hdl = ColumnOf(&grid, "HDL");
        QVERIFY(pressure > 0 && cholesterol > 0 && smoking > 0 && hdl > 0);
        QCOMPARE(Cell(&grid, 0, pressure), QString("Systolic BP (mmHg)"));
        QCOMPARE(Cell(&grid, 0, cholesterol), QString("Cholesterol (mmol/L)"));
        QCOMPARE(Cell(&grid, 0, smoking), QString("Smoking"));
        QCOMPARE(QStringList({Cell(&grid, 1, 0), Cell(&grid, 2, 0), Cell(&grid, 3, 0)}), DateTexts(world.Copy()->Journal));
        QCOMPARE(Cell(&grid, 1, pressure), QString("165"));
        QCOMPARE(Cell(&grid, 2, cholesterol), QString("6.5"));
        QCOMPARE(Cell(&grid, 3, smoking), QString("Former"));
        QCOMPARE(Cell(&grid, 2, hdl), QString("1.1"));
        QCOMPARE(Cell(&grid, 3, hdl), QString("1.1 *"));
        const int columns = grid.columnCount();
        QCOMPARE(world.CopyJournalId(), 11);

        // Without examinations: the heading row alone.
        world.Show(3);
        world.Wrap->FillNumberGrid(&grid);
        QCOMPARE(grid.rowCount(), 1);
        QCOMPARE(grid.columnCount(), columns);
        QCOMPARE(Cell(&grid, 0, ColumnOf(&grid, "Systolic")), QString("Systolic BP"));
    }

    // A composed text is its formula's value on the calculation; an id the
    // country does not have is an empty text; a failing one names itself.
    void composedTexts() {
        TPatientRows rows = Rows();
        SamplePatient(rows);
        TChartWorld world;
        const TDataNode missing = world.Wrap->EvaluateCompose(999999);
        QCOMPARE(missing.Type, dtString);
        QCOMPARE(missing.Text, QString());

        QSqlQuery q(FMediator->Database->Connection());
        q.exec("SELECT \"Compose id\" FROM Compose_P WHERE \"Country id\" = 1 AND Name = 'Men'");
        QVERIFY(q.next());
        const TDataNode men = world.Wrap->EvaluateCompose(q.value(0).toInt());
        QCOMPARE(men.Type, dtNumber);
        QCOMPARE(men.Number, 0.0);
        q.exec("SELECT \"Compose id\" FROM Compose_P WHERE \"Country id\" = 1 AND Name = 'All goals'");
        QVERIFY(q.next());
        const TDataNode all = world.Wrap->EvaluateCompose(q.value(0).toInt());
        QVERIFY2(all.Text.startsWith("Estimated risk of a fatal or non-fatal heart attack or stroke within 10 years: "),
                 qPrintable(all.Text));
    }

    void composeError_data() {
        QTest::addColumn<QString>("expression");
        QTest::newRow("does not compile") << "Result := NoSuchFunction(1)";
        QTest::newRow("fails at run time") << "Result := Examination(1, 2, 3)";
    }
    void composeError() {
        QFETCH(QString, expression);
        const int id = InsertCompose("Broken advice", expression);
        TChartWorld world;
        const QString cause = ErrorOf([&] {
            TMorlenExpr expr;
            expr.SetSource(world.Calculation->ExprSource());
            expr.SetExpressionText(expression);
            expr.Compile();
            expr.Evaluate().GetNode();
        });
        QVERIFY(cause != "no error");
        QCOMPARE(ErrorOf([&] { world.Wrap->EvaluateCompose(id); }), "Compose error Broken advice: " + cause);
    }

    void nntText_data() {
        QTest::addColumn<double>("nnt");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("text");
        QTest::newRow("a number") << 20.0 << "." << "20";
        QTest::newRow("none") << 0.0 << "." << "-";
        QTest::newRow("decimal comma") << 2.5 << "," << "2,5";
    }
    void nntText() {
        QFETCH(double, nnt);
        QFETCH(QString, separator);
        QFETCH(QString, text);
        TChartWorld world;
        TDecimalSeparatorScope scope(separator[0]);
        world.Calculation->NNT = nnt;
        QLabel label("old");
        world.Wrap->NNTText(&label);
        QCOMPARE(label.text(), text);
    }

    // FillSeries empties the series first and tells whether anything was drawn.
    void fillSeries() {
        TChartList list;
        TChartWrap::AddChartItem(list, "A", 0x0000FF, 3);
        TChartWrap::AddChartItem(list, "B", 0xFF0000, 4.5);
        QCOMPARE(list.Item(1).Caption, QString("B"));
        QCOMPARE(list.Item(1).Color, 0xFF0000);
        QCOMPARE(list.Item(1).Value, 4.5);
        QBarSet bars("bars");
        bars.append(9);
        TChartWrap::FillSeries(list, &bars);
        QVERIFY(LastFillHadItems);
        QCOMPARE(bars.count(), 2);
        QCOMPARE(bars.at(1), 4.5);
        QCOMPARE(bars.property("captions").toStringList(), QStringList({"A", "B"}));
        QCOMPARE(bars.color(), QColor(255, 0, 0));
        QLineSeries line;
        TChartWrap::FillSeries(TChartList(), &line);
        QVERIFY(!LastFillHadItems);
        TChartWrap::FillSeries(list, &line);
        QCOMPARE(line.points(), QList<QPointF>({{0, 3}, {1, 4.5}}));
        QCOMPARE(line.pointConfiguration(1).value(QXYSeries::PointConfiguration::Color).value<QColor>(), QColor(0, 0, 255));
        TChartWrap::FillSeries(TChartList(), &line);
        QCOMPARE(line.count(), 0);
    }

    void windowsColors_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QColor>("color");
        QTest::newRow("red") << 0x0000FF << QColor(255, 0, 0);
        QTest::newRow("blue") << 0xFF0000 << QColor(0, 0, 255);
        QTest::newRow("orange") << 0x0080FF << QColor(255, 128, 0);
        QTest::newRow("system colour: none") << int(0x80000000u) << QColor();
        QTest::newRow("default: none") << 0x20000000 << QColor();
    }
    void windowsColors() {
        QFETCH(int, value);
        QFETCH(QColor, color);
        QCOMPARE(ColorFromWin(value), color);
    }

    // The four charts of a sample patient as the result pages show them,
    // in English and Danish (QT_SCALE_FACTOR=2 for the 200 % pictures).
    void grabCharts_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("dictionaryLanguage");
        QTest::newRow("English") << "en/gb" << "en" << 1;
        QTest::newRow("Danish") << "da/dk" << "da" << 2;
    }
    void grabCharts() {
        QFETCH(QString, language);
        QFETCH(QString, name);
        QFETCH(int, dictionaryLanguage);
        TPatientRows rows = Rows();
        SamplePatient(rows);
        // The dictionary as the user's language choice sets it.
        FMediator->MainDictionary->SetFileName(ApplicationDirectory() + "Tavlo.mld");
        FMediator->MainDictionary->SetCurrentLanguage(dictionaryLanguage);
        struct TEnglishAgain {
            TMediatorDataModule* Mediator;
            ~TEnglishAgain() { Mediator->MainDictionary->SetCurrentLanguage(1); }
        } english{FMediator.get()};
        TChartWorld world(language);
        TDecimalSeparatorScope scope(world.Material.CountryData->DecimalSeparatorChar());
        world.Show(1, 11);
        const QString suffix = name + (qApp->devicePixelRatio() > 1.5 ? "-200" : "");
        auto show = [&](QChart* chart, const QString& what) {
            QChartView view(chart);
            view.setRenderHint(QPainter::Antialiasing);
            view.resize(640, 420);
            view.show();
            QVERIFY(QTest::qWaitForWindowExposed(&view));
            GrabWindow(&view, "chart-" + what + "-" + suffix);
        };

        auto* exam = new QBarSet("");
        auto* goal = new QBarSet("");
        world.Wrap->FillBars(exam, goal);
        QChart* bars = ChartLook::BarChart(exam, goal, world.Material.CountryData->AbsoluteRiskTitle() + " (%)");
        QCOMPARE(bars->legend()->markers().size(), 2);
        QCOMPARE(bars->legend()->markers()[0]->label(), exam->label());
        show(bars, "bars");
        delete exam;
        delete goal;

        auto* pie = new QPieSeries;
        world.Wrap->CollectPie();
        world.Wrap->FillPie(pie);
        QVERIFY(LastFillHadItems);
        show(ChartLook::PieChart(pie), "pie");

        world.Wrap->ProgressRiskId = 1;
        world.Wrap->ShowGoals = true;
        for (bool single : {false, true}) {
            world.Wrap->SingleRisk = single;
            world.Wrap->CollectProgress();
            auto* line = new QLineSeries;
            auto* goals = new QLineSeries;
            world.Wrap->FillProgress(line, goals);
            const QString title = single ? world.Material.CountryData->LocaleName(1) + " (mmHg)"
                                         : world.Material.CountryData->AbsoluteRiskTitle() + " (%)";
            QChart* chart = ChartLook::ProgressChart(line, goals, title);
            world.Wrap->ScaleProgressAxis(chart);
            QCOMPARE(chart->series().size(), 2);
            show(chart, single ? "progress-risk" : "progress-absolute");
        }

        QTableWidget grid;
        world.Wrap->FillNumberGrid(&grid);
        grid.horizontalHeader()->hide();
        grid.verticalHeader()->hide();
        grid.resizeColumnsToContents();
        grid.resize(640, 160);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        GrabWindow(&grid, "chart-numbers-" + suffix);
    }
};

TAVLO_TEST(TestChartWrap);

#include "tst_ChartWrap.moc"
