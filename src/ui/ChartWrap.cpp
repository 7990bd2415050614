#include "ChartWrap.h"

#include "Conversions.h"
#include "DataSet.h"
#include "Edition.h"
#include "FormatSettings.h"
#include "MorlenTables.h"
#include "TvConvertField.h"
#include "TvExprList.h"
#include "TvWorkCalculateDM.h"
#include "TvWorkCountryDM.h"
#include "WinColor.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsSimpleTextItem>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QPieSeries>
#include <QPieSlice>
#include <QStackedBarSeries>
#include <QTableWidget>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

bool LastFillHadItems = false;

namespace {

const char* const CaptionsProperty = "captions";

// Puts the journal copy back on its examination and recalculates when the
// walk is over, however it ends.
class TJournalWalk {
public:
    explicit TJournalWalk(TTvWorkCalculateDataModule* calculation)
        : FCalculation(calculation), FJournal(calculation->JournalCopy()->Journal) {
        if (FJournal->Active() && !FJournal->IsEmpty())
            FMark = FJournal->GetBookmark();
    }
    // After a failure of the walk: put back what can be, and let the
    // walk's own failure be the one reported.
    ~TJournalWalk() {
        if (FDone)
            return;
        try {
            if (FMark.isValid() && FJournal->BookmarkValid(FMark))
                FJournal->GotoBookmark(FMark);
        } catch (...) {
        }
        try {
            FCalculation->Recalculate();
        } catch (...) {
        }
    }
    // At the end of a walk that did not fail, so that a failure of the
    // restore itself reaches the caller.
    void Finish() {
        FDone = true;
        Restore();
    }

private:
    void Restore() {
        if (FMark.isValid() && FJournal->BookmarkValid(FMark))
            FJournal->GotoBookmark(FMark);
        FCalculation->Recalculate();
    }

    TTvWorkCalculateDataModule* FCalculation;
    TMlTable* FJournal;
    TDataSet::TBookmark FMark;
    bool FDone = false;
};

QString DateText(TDataSet* journal) { return journal->FieldByName(QStringLiteral("Date"))->DisplayText(); }

// A value of the progress: 0 for a missing value (-1), the displayed number
// (so in the display unit) when the field converts, else the stored number.
double ProgressValue(TField* field) {
    if (field->IsNull())
        return 0;
    const double stored = field->AsFloat();
    if (stored == -1)
        return 0;
    auto* converting = qobject_cast<TCustomConvertFloatField*>(field);
    if (converting && converting->IsConvertActive())
        return StrToFloat(converting->Text());
    return stored;
}

// Sets the range so that no moment has the minimum above the maximum (an
// axis' own range change passes through one when the range moves up):
// maximum first when the new minimum is not below the current one.
void SetAxisRange(QValueAxis* axis, double minimum, double maximum) {
    if (minimum >= axis->min()) {
        axis->setMax(maximum);
        axis->setMin(minimum);
    } else {
        axis->setMin(minimum);
        axis->setMax(maximum);
    }
}

// 1, 2 or 5 times a power of ten, at least the given step.
double NiceStep(double rough) {
    if (!(rough > 0))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= rough)
            return factor * power;
    return 10 * power;
}

QStringList Captions(const TChartList& list) {
    QStringList captions;
    for (const TChartItem& item : list.Items())
        captions << item.Caption;
    return captions;
}

} // namespace

TChartWrap::TChartWrap(TTvWorkCalculateDataModule* calculation) : Calculation(calculation) {}

// ------------------------------------------------------------ composed texts

TDataNode TChartWrap::EvaluateCompose(int composeId) {
    TMlComposeTable* compose = Calculation->CountryData->Compose;
    compose->SetFiltered(false);
    if (!compose->Locate(QStringLiteral("Compose id"), composeId))
        return TDataNode::FromString(Calculation->CountryData->EmptyComposeText());
    const QString name = compose->FieldByName(QStringLiteral("Name"))->AsString();
    try {
        TMorlenExpr expr;
        expr.SetSource(Calculation->ExprSource());
        expr.SetExpression(compose->Lines());
        expr.Compile();
        return expr.Evaluate().GetNode();
    } catch (...) {
        RaisePrefixed(QStringLiteral("Compose error ") + name + QStringLiteral(": "));
    }
}

void TChartWrap::NNTText(QLabel* label) {
    const double nnt = Calculation->NNT;
    label->setText(nnt != 0 ? FloatToStr(nnt) : QStringLiteral("-"));
}

// -------------------------------------------------------------------- bars

double TChartWrap::TenYearRisk(bool treatment) {
    const int years = Calculation->PredictionYears();
    if (years == 10)
        return treatment ? Calculation->TreatmentRisk : Calculation->ExaminationRisk;
    Calculation->SetPredictionYears(10);
    double risk = 0;
    try {
        Calculation->Recalculate();
        risk = treatment ? Calculation->TreatmentRisk : Calculation->ExaminationRisk;
    } catch (...) {
        // The user's period comes back whatever happened.
        Calculation->SetPredictionYears(years);
        Calculation->Recalculate();
        throw;
    }
    Calculation->SetPredictionYears(years);
    Calculation->Recalculate();
    return risk;
}

void TChartWrap::AddBar(QBarSet* series, const QString& caption, double value, double bandRisk) {
    series->append(value);
    series->setProperty(CaptionsProperty, QStringList{caption});
    const std::optional<TColorBand> band = Calculation->CountryData->ColorBand(bandRisk);
    if (!band) {
        // A country without bands: the bar keeps the chart's colour and
        // the legend says what the bar is.
        series->setLabel(caption);
        return;
    }
    series->setLabel(band->Text);
    if (const QColor color = ColorFromWin(band->Color); color.isValid())
        series->setColor(color);
}

void TChartWrap::FillBars(QBarSet* examinationSeries, QBarSet* goalSeries) {
    examinationSeries->remove(0, examinationSeries->count());
    goalSeries->remove(0, goalSeries->count());
    TTvWorkCountryDataModule* country = Calculation->CountryData;
    const double examination = Calculation->ExaminationRisk;
    AddBar(examinationSeries, country->ExaminationTitle(), examination, TenYearRisk(false));
    // Read after the examination bar: its band may have recalculated.
    const double treatment = Calculation->TreatmentRisk;
    AddBar(goalSeries, country->TreatmentTitle(), treatment, TenYearRisk(true));
}

// --------------------------------------------------------------------- pie

void TChartWrap::CollectPie() {
    PieList.Clear();
    TExprList* list = Calculation->ExprList();
    if (!list)
        return;
    const bool diabetes = IsDiabetesEdition();
    const double sum = Calculation->PositiveExamSum;
    for (int i = 0; i < list->Count(); ++i) {
        TExprItem& item = list->Item(i);
        Calculation->UseTreatment = false;
        if (item.Group != 1)
            continue;
        const double value = item.Expr().Evaluate().AsNumber();
        const double share = sum != 0 ? value * 100 / sum : 0;
        if (diabetes && item.Expr().LastStringConst() == QLatin1String("XSmoking"))
            continue;
        if (share > 0)
            AddChartItem(PieList, item.Name, item.Color, share);
    }
}

void TChartWrap::FillPie(QPieSeries* series) { FillSeries(PieList, series); }

// ---------------------------------------------------------------- progress

void TChartWrap::CollectProgress() {
    if (ProgressRiskId <= 0)
        return;
    TJournalWalk walk(Calculation);
    if (SingleRisk)
        CollectSingleRisk();
    else
        CollectAbsoluteRisk();
    walk.Finish();
}

void TChartWrap::CollectSingleRisk() {
    ProgressList.Clear();
    ProgressGoalList.Clear();
    TJournalDataModuleBase* copy = Calculation->JournalCopy();
    TMlTable* journal = copy->Journal;
    TMlTable* exam = copy->Exam;
    copy->HideTransferMark = true;
    // The copy mirrors the journal's own filter of the values (the model's
    // risks in the Prevention edition): it comes back afterwards, not off.
    const QString filter = exam->Filter();
    const bool filtered = exam->Filtered();
    auto restore = [&] {
        exam->SetFilter(filter);
        exam->SetFiltered(filtered);
    };
    try {
        exam->SetFilter(QStringLiteral("[Risk id] = ") + QString::number(ProgressRiskId));
        exam->SetFiltered(true);
        TField* examination = exam->FieldByName(QStringLiteral("Examination"));
        TField* treatment = exam->FieldByName(QStringLiteral("Treatment"));
        for (journal->First(); !journal->Eof(); journal->Next()) {
            const bool has = exam->Active() && !exam->IsEmpty();
            const QString date = DateText(journal);
            AddChartItem(ProgressList, date, ProgressItemColor, has ? ProgressValue(examination) : 0);
            AddChartItem(ProgressGoalList, date, ProgressItemColor, has ? ProgressValue(treatment) : 0);
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

void TChartWrap::CollectAbsoluteRisk() {
    ProgressList.Clear();
    ProgressGoalList.Clear();
    TMlTable* journal = Calculation->JournalCopy()->Journal;
    for (journal->First(); !journal->Eof(); journal->Next()) {
        Calculation->Recalculate();
        const QString date = DateText(journal);
        AddChartItem(ProgressList, date, ProgressItemColor, Calculation->ExaminationRisk);
        AddChartItem(ProgressGoalList, date, ProgressItemColor, Calculation->TreatmentRisk);
    }
}

void TChartWrap::FillProgress(QLineSeries* examinationSeries, QLineSeries* goalSeries) {
    examinationSeries->clear();
    goalSeries->clear();
    FillSeries(ProgressList, examinationSeries);
    if (ShowGoals)
        FillSeries(ProgressGoalList, goalSeries);
    else
        goalSeries->setProperty(CaptionsProperty, QStringList());
    examinationSeries->setName(Calculation->CountryData->ExaminationTitle());
    goalSeries->setName(Calculation->CountryData->TreatmentTitle());
}

void TChartWrap::ScaleProgressAxis(QChart* chart) {
    const QList<QAbstractAxis*> axes = chart->axes(Qt::Vertical);
    QValueAxis* axis = axes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(axes.first());
    if (!axis)
        return;
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    int lines = 0;
    for (QAbstractSeries* s : chart->series()) {
        auto* line = qobject_cast<QLineSeries*>(s);
        if (!line || lines == 2)
            continue;
        ++lines;
        for (const QPointF& p : line->points()) {
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
    }
    if (low > high)
        return; // no points: the axis stays as it is
    if (!ShowGoals) {
        // Automatic: the range of the points, widened to round steps.
        if (low == high) {
            low -= 1;
            high += 1;
        }
        const double step = NiceStep((high - low) / 5);
        const double niceLow = std::floor(low / step) * step;
        const double niceHigh = std::ceil(high / step) * step;
        SetAxisRange(axis, niceLow, niceHigh);
        axis->setTickType(QValueAxis::TicksFixed);
        axis->setTickCount(std::clamp(int(std::lround((niceHigh - niceLow) / step)) + 1, 2, 11));
        return;
    }
    SetAxisRange(axis, low, 1.08 * high);
    // The range ends at the values themselves; the labels stay at round numbers.
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(NiceStep((axis->max() - axis->min()) / 6));
}

// ------------------------------------------------------------- number grid

void TChartWrap::FillNumberGrid(QTableWidget* grid) {
    TJournalDataModuleBase* copy = Calculation->JournalCopy();
    copy->HideTransferMark = false;
    TJournalWalk walk(Calculation);
    TMlTable* journal = copy->Journal;
    TMlTable* exam = copy->Exam;

    // The examination risks of the country that the current model uses.
    TMlRiskTable* risks = Calculation->CountryData->Risks;
    QVector<int> ids;
    QStringList names;
    for (int i = 0; i < risks->RecordCount(); ++i)
        risks->WithRecord(i, [&] {
            if (IsExamRisk(risks)) {
                ids << risks->FieldByName(QStringLiteral("Risk id"))->AsInteger();
                names << risks->FieldByName(QStringLiteral("Locale name"))->AsString();
            }
        });
    QStringList headings;
    for (int i = 0; i < ids.size(); ++i)
        if (Calculation->IsRiskEnabled(ids[i]))
            headings << names[i];

    grid->clear();
    grid->setRowCount(journal->RecordCount() + 1);
    grid->setColumnCount(int(headings.size()) + 1);
    auto set = [grid](int row, int column, const QString& text) {
        grid->setItem(row, column, new QTableWidgetItem(text));
    };
    set(0, 0, QString());
    for (int c = 0; c < headings.size(); ++c)
        set(0, c + 1, headings[c]);
    auto boldHeadings = [grid] {
        for (int c = 0; c < grid->columnCount(); ++c)
            if (QTableWidgetItem* item = grid->item(0, c)) {
                QFont font = grid->font();
                font.setBold(true);
                item->setFont(font);
            }
    };

    int row = 1;
    TField* examination = exam->FieldByName(QStringLiteral("Examination"));
    TField* localeName = exam->FieldByName(QStringLiteral("Locale name"));
    for (journal->First(); !journal->Eof(); journal->Next(), ++row) {
        set(row, 0, DateText(journal));
        const int count = exam->Active() ? exam->RecordCount() : 0;
        for (int i = 0; i < count; ++i)
            exam->WithRecord(i, [&] {
                const QString name = localeName->AsString();
                for (int c = 0; c < headings.size(); ++c) {
                    const QString& heading = headings[c];
                    if (name.size() < heading.size() ||
                        QStringView(name).left(heading.size()).compare(heading, Qt::CaseInsensitive) != 0)
                        continue;
                    if (name.size() > heading.size()) {
                        // The row's name carries the unit.
                        headings[c] = name;
                        set(0, c + 1, name);
                    }
                    // The shown text: a transferred value carries its mark.
                    set(row, c + 1, examination->DisplayText());
                    break;
                }
            });
    }
    boldHeadings();
    walk.Finish();
}

// ------------------------------------------------------------------ series

void TChartWrap::AddChartItem(TChartList& list, const QString& caption, int color, double value) {
    list.Add(TChartItem{caption, value, color});
}

void TChartWrap::FillSeries(const TChartList& list, QBarSet* series) {
    series->remove(0, series->count());
    LastFillHadItems = list.Count() > 0;
    for (const TChartItem& item : list.Items())
        series->append(item.Value);
    series->setProperty(CaptionsProperty, Captions(list));
    if (!list.Items().isEmpty())
        if (const QColor color = ColorFromWin(list.Item(0).Color); color.isValid())
            series->setColor(color);
}

void TChartWrap::FillSeries(const TChartList& list, QPieSeries* series) {
    series->clear();
    LastFillHadItems = list.Count() > 0;
    for (const TChartItem& item : list.Items()) {
        QPieSlice* slice = series->append(item.Caption, item.Value);
        if (const QColor color = ColorFromWin(item.Color); color.isValid())
            slice->setColor(color);
    }
}

void TChartWrap::FillSeries(const TChartList& list, QLineSeries* series) {
    series->clear();
    LastFillHadItems = list.Count() > 0;
    for (int i = 0; i < list.Count(); ++i) {
        series->append(i, list.Item(i).Value);
        if (const QColor color = ColorFromWin(list.Item(i).Color); color.isValid())
            series->setPointConfiguration(i, QXYSeries::PointConfiguration::Color, color);
    }
    series->setProperty(CaptionsProperty, Captions(list));
}

// -------------------------------------------------------------------- look

namespace ChartLook {

namespace {

void Prepare(QChart* chart) {
    chart->setFont(QApplication::font());
    chart->setTitleFont(QApplication::font());
    chart->legend()->setFont(QApplication::font());
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    // Axis numbers in the program's decimal separator: a locale is chosen
    // for its separator only, never the desktop's.
    chart->setLocalizeNumbers(true);
    chart->setLocale(FormatSettings().DecimalSeparator == QLatin1Char(',') ? QLocale(QLocale::Danish, QLocale::Denmark)
                                                                         : QLocale::c());
}

QValueAxis* PercentAxis(QChart* chart, const QString& title) {
    auto* axis = new QValueAxis(chart);
    axis->setTitleText(title);
    axis->setLabelsFont(QApplication::font());
    axis->setTitleFont(QApplication::font());
    axis->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(axis, Qt::AlignLeft);
    return axis;
}

QStringList CaptionsOf(const QObject* series) { return series->property(CaptionsProperty).toStringList(); }

} // namespace

QString PercentText(double value, int decimals) { return FloatToStrFixed(value, decimals) + QStringLiteral(" %"); }

QChart* BarChart(QBarSet* examinationSeries, QBarSet* goalSeries, const QString& axisTitle) {
    auto* chart = new QChart;
    Prepare(chart);
    // Each bar stands above its own caption: the two sets are stacked
    // over two categories, each set holding its value in its own one.
    auto* bars = new QStackedBarSeries(chart);
    QStringList categories;
    const QList<QBarSet*> sets{examinationSeries, goalSeries};
    double top = 0;
    for (int s = 0; s < sets.size(); ++s) {
        auto* shown = new QBarSet(sets[s]->label());
        shown->setColor(sets[s]->color());
        shown->setBorderColor(sets[s]->color().darker(130));
        shown->setLabelFont(QApplication::font());
        for (int c = 0; c < sets.size(); ++c)
            shown->append(c == s && sets[s]->count() > 0 ? sets[s]->at(0) : 0.0);
        const QStringList captions = CaptionsOf(sets[s]);
        categories << (captions.isEmpty() ? QString() : captions.first());
        if (sets[s]->count() > 0)
            top = std::max(top, sets[s]->at(0));
        bars->append(shown);
    }
    bars->setBarWidth(0.6);
    chart->addSeries(bars);
    auto* x = new QBarCategoryAxis(chart);
    x->append(categories);
    x->setLabelsFont(QApplication::font());
    chart->addAxis(x, Qt::AlignBottom);
    bars->attachAxis(x);
    QValueAxis* y = PercentAxis(chart, axisTitle);
    y->setRange(0, std::max(10.0, top * 1.2));
    y->applyNiceNumbers();
    bars->attachAxis(y);

    // The risk written on each bar, in the program's number format; placed
    // again whenever the plot area changes.
    QList<QGraphicsSimpleTextItem*> labels;
    for (int s = 0; s < sets.size(); ++s) {
        auto* text = new QGraphicsSimpleTextItem(chart);
        text->setText(sets[s]->count() > 0 ? PercentText(sets[s]->at(0)) : QString());
        QFont font = QApplication::font();
        font.setBold(true);
        text->setFont(font);
        text->setZValue(10);
        labels << text;
    }
    QList<double> values;
    for (QBarSet* set : sets)
        values << (set->count() > 0 ? set->at(0) : 0.0);
    auto place = [chart, bars, labels, values] {
        for (int s = 0; s < labels.size(); ++s) {
            const QPointF top = chart->mapToPosition(QPointF(s, values[s]), bars);
            const QRectF box = labels[s]->boundingRect();
            labels[s]->setPos(top.x() - box.width() / 2, top.y() - box.height() - 2);
        }
    };
    QObject::connect(chart, &QChart::plotAreaChanged, chart, place);
    place();
    return chart;
}

QChart* PieChart(QPieSeries* series) {
    auto* chart = new QChart;
    Prepare(chart);
    series->setPieSize(0.62);
    for (QPieSlice* slice : series->slices()) {
        slice->setLabel(slice->label() + QStringLiteral(": ") + PercentText(slice->value(), 0));
        slice->setLabelVisible(true);
        slice->setLabelFont(QApplication::font());
        slice->setBorderColor(Qt::white);
    }
    chart->addSeries(series);
    // The slices carry their names; a legend would only repeat them.
    chart->legend()->hide();
    return chart;
}

QChart* ProgressChart(QLineSeries* examinationSeries, QLineSeries* goalSeries, const QString& axisTitle) {
    auto* chart = new QChart;
    Prepare(chart);
    auto* x = new QCategoryAxis(chart);
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    x->setLabelsFont(QApplication::font());
    const QStringList dates = CaptionsOf(examinationSeries);
    for (int i = 0; i < dates.size(); ++i)
        x->append(dates[i], i);
    x->setRange(-0.3, std::max<qsizetype>(1, dates.size() - 1) + 0.3);
    chart->addAxis(x, Qt::AlignBottom);
    QValueAxis* y = PercentAxis(chart, axisTitle);
    // The examination line in a strong blue, the goal line dashed in green:
    // told apart in print without colour too.
    const QList<std::pair<QLineSeries*, QPen>> lines{
        {examinationSeries, QPen(QColor(0, 70, 160), 2.5)},
        {goalSeries, QPen(QColor(0, 140, 60), 2.5, Qt::DashLine)}};
    for (const auto& [line, pen] : lines) {
        if (line->count() == 0)
            continue;
        chart->addSeries(line);
        line->attachAxis(x);
        line->attachAxis(y);
        line->setPointsVisible(true);
        line->setPen(pen);
        line->setColor(pen.color());
    }
    return chart;
}

} // namespace ChartLook
