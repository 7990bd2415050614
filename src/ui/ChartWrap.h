#pragma once
// The chart wrapper turns the results of a calculation module into what the
// result pages and the printed report draw: the two bars of the absolute
// risk in the colours of their risk bands, the pie of the risk factors'
// contributions, the progress of one risk factor or of the absolute risk
// over the examinations, the table of every examination value, the NNT
// text and the country's composed texts. It reads only the calculation
// module and the calculation's own journal (JournalCopy), which it may
// recalculate while it walks the examinations; it always puts the copy
// back on its examination and recalculates, also after an error.

#include "BvExprNode.h"

#include <QString>
#include <QVector>

class QBarSet;
class QChart;
class QLabel;
class QLineSeries;
class QPieSeries;
class QTableWidget;
class TTvWorkCalculateDataModule;

struct TChartItem {
    QString Caption;
    double Value = 0;
    int Color = 0; // a Windows colour value, $00BBGGRR
};

// Chart items in insertion order.
class TChartList {
public:
    int Count() const { return int(FItems.size()); }
    const TChartItem& Item(int index) const { return FItems.at(index); }
    const QVector<TChartItem>& Items() const { return FItems; }
    void Add(const TChartItem& item) { FItems.append(item); }
    void Clear() { FItems.clear(); }

private:
    QVector<TChartItem> FItems;
};

// Whether the list last drawn into a series by FillSeries had an item (the
// report prints the pie only then).
extern bool LastFillHadItems;

// The colour of the progress points: the line series keep their own pens.
inline constexpr int ProgressItemColor = int(0x80000000u);

class TChartWrap {
public:
    // The calculation is not owned.
    explicit TChartWrap(TTvWorkCalculateDataModule* calculation);

    TTvWorkCalculateDataModule* Calculation;
    TChartList PieList;
    TChartList ProgressList;
    TChartList ProgressGoalList;
    // The progress chart draws the treatment-goal line too.
    bool ShowGoals = false;
    // The risk factor shown over time; -1 or 0: none.
    int ProgressRiskId = -1;
    // The progress shows one factor's values rather than the absolute risk.
    bool SingleRisk = false;

    // The value of the country's composed text of that id; an empty text
    // when the country has none. A failure is passed on as
    // "Compose error <name>: <message>".
    TDataNode EvaluateCompose(int composeId);
    // The NNT as a plain float text, "-" when it is 0.
    void NNTText(QLabel* label);
    // One bar each: the examination risk and the treatment risk, captioned
    // with the country's titles, coloured by the bands of their 10-year
    // risks; each series takes its band's text as title and its colour.
    void FillBars(QBarSet* examinationSeries, QBarSet* goalSeries);
    // The shares in percent of the treatable factors' positive contributions.
    void CollectPie();
    void FillPie(QPieSeries* series);
    // One item per examination, of the factor ProgressRiskId (SingleRisk)
    // or of the absolute risk; nothing while ProgressRiskId <= 0.
    void CollectProgress();
    void FillProgress(QLineSeries* examinationSeries, QLineSeries* goalSeries);
    // The left axis of the progress chart: automatic unless the goals show,
    // then fitted to both lines.
    void ScaleProgressAxis(QChart* chart);
    // Row 0 the headings (the examination risks the model uses), then one
    // row per examination: its date and its values' texts.
    void FillNumberGrid(QTableWidget* grid);

    static void AddChartItem(TChartList& list, const QString& caption, int color, double value);
    // Each clears the series, sets LastFillHadItems and adds every item in
    // order. The captions of bars and line points are kept on the series as
    // the property "captions" (a QStringList), for the category axis.
    static void FillSeries(const TChartList& list, QBarSet* series);
    static void FillSeries(const TChartList& list, QPieSeries* series);
    static void FillSeries(const TChartList& list, QLineSeries* series);

private:
    // The risk the band is chosen by: the 10-year risk of the examination
    // (or of the treatment), calculated for it when the period is another.
    double TenYearRisk(bool treatment);
    void AddBar(QBarSet* series, const QString& caption, double value, double bandRisk);
    void CollectSingleRisk();
    void CollectAbsoluteRisk();
};

// The charts as the result pages and the report show them: antialiased, in
// the application font, axes labelled in percent, values written in the
// program's number format.
namespace ChartLook {
// The two bars side by side, each above its caption, the band texts in the legend.
QChart* BarChart(QBarSet* examinationSeries, QBarSet* goalSeries, const QString& axisTitle = QStringLiteral("%"));
// Slices labelled with the factor and its share.
QChart* PieChart(QPieSeries* series);
// The lines over the examinations' dates; the goal line only when it has points.
QChart* ProgressChart(QLineSeries* examinationSeries, QLineSeries* goalSeries, const QString& axisTitle);
// A number in the program's format with the given decimals, and " %".
QString PercentText(double value, int decimals = 1);
} // namespace ChartLook
