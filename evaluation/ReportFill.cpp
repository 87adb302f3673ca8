#include "evaluation/ReportFill.h"

#include "core/KompUtils.h"
#include "core/Regional.h"
#include "evaluation/Hygiene.h"
#include "evaluation/TMessDaten.h"
#include "evaluation/UChartSeries.h"
#include "evaluation/UQRGraphForm.h"
#include "evaluation/UQRKompProtokoll.h"
#include "storage/UQRKompForm.h"

#include <QChart>
#include <QLegend>
#include <QValueAxis>

namespace Reports {

namespace {

QString whole(const ChartSeriesData& s, int k) {
    return ValueText(s, k, 0);
}

QString tenths(const ChartSeriesData& s, int k) {
    return ValueText(s, k, 1);
}

// Every row k takes position k of the series and label k-1.
bool rowExists(const TMessDaten& d, int k) {
    return k >= 1 && k <= d.PointCount;
}

QString rowLabel(const TMessDaten& d, int k) {
    return k - 1 < d.Labels.size() ? d.Labels.at(k - 1) : QString();
}

// The series of the graph that a printout attaches, then the rest taken off again.
void attachOnly(QChart* chart, TChartSeries& series, QList<int> wanted) {
    // The report's own series go; its axes stay for ours.
    for (QAbstractSeries* s : chart->series())
        chart->removeSeries(s);
    series.AttachSeries(chart);
    for (int i = 0; i < 9; ++i) {
        if (wanted.contains(i))
            continue;
        QAbstractSeries* s = series.Series(i);
        if (s && s->chart() == chart) {
            chart->removeSeries(s);
            s->setParent(nullptr);
        }
    }
    QtChartTarget(chart).updateAutoMaxima();
}

// 0..4 the temperatures, 5 the reference mark, 6 O2 (7 and 8 are the fan bars).
constexpr int RefSeriesIndex = 5;
constexpr int FirstFanSeries = 7;

} // namespace

Display Display::current() {
    Display d;
    d.imperial = KompUtils::ImperialUnits;
    d.showRefDepth = KompUtils::ShowRefDepth;
    d.refCaption = KompUtils::RefCaption;
    return d;
}

QString ValueText(const ChartSeriesData& series, int position, int decimals) {
    double v = 0;
    if (!series.valueAt(position, &v))
        return QStringLiteral("-*-");
    QString text = QString::asprintf("%4.*f", decimals, v);
    return text.replace(QLatin1Char('.'), Regional::decimalSeparator());
}

bool fillLog(TFQRKompForm& report, TMessDaten& data, TChartSeries& series,
             const ProtocolOptions& options, const Display& display) {
    const TMessDaten& d = data;
    const bool showRef = display.showRefDepth;
    report.setHeaderLines(d.TitleLines[0], d.TitleLines[1], d.TitleLines[2]);
    report.setPlant(d.PlantName, d.FileName);
    report.setComments(d.Comment, d.FirstBackupLine);
    report.setUnits(display.imperial, showRef, display.refCaption);
    report.setRowSource([&d, showRef](int k, TFQRKompForm::LogRow& r) {
        if (!rowExists(d, k))
            return false;
        r.nr = QString::number(k);
        r.dat = rowLabel(d, k);
        for (int i = 0; i < 5; ++i)
            r.t[i] = whole(d.TSeries[size_t(i + 1)], k);
        r.o2 = tenths(d.O2Series, k);
        r.zeit = whole(d.RunTimeSeries, k);
        r.zyklen = whole(d.CyclesSeries, k);
        r.refDepth = showRef ? whole(d.RefSeries, k) : QString();
        return true;
    });

    QtChartTarget target(report.chart());
    if (!data.FillSeries(options.perDay, &target))
        return false;
    series.Update();
    if (options.graph) {
        QList<int> wanted{0, 1, 2, 3, 4, 6};
        if (showRef)
            wanted << RefSeriesIndex;
        attachOnly(report.chart(), series, wanted);
    } else {
        report.removeSummary();
    }
    return true;
}

bool fillQuality(TFQRKompProtokoll& report, TMessDaten& data, TChartSeries& series,
                 const ProtocolOptions& options, const Display& display) {
    const TMessDaten& d = data;
    const bool showRef = display.showRefDepth;
    report.setHeaderLines(d.TitleLines[0], d.TitleLines[1], d.TitleLines[2]);
    report.setPlantName(d.PlantName);
    report.setUnits(display.imperial, showRef);
    report.setRowSource([&d, showRef](int k, TFQRKompProtokoll::ProtokollRow& r) {
        if (!rowExists(d, k))
            return false;
        r.dat = rowLabel(d, k);
        r.rand = showRef ? whole(d.RefSeries, k) : QString();
        r.kern = whole(d.TSeries[1], k);
        r.basis = whole(d.TSeries[5], k);
        return true;
    });

    QtChartTarget target(report.chart());
    if (!data.FillSeries(options.perDay, &target))
        return false;
    series.Update();
    if (options.graph) {
        QList<int> wanted{0, 4};
        if (showRef)
            wanted << RefSeriesIndex;
        attachOnly(report.chart(), series, wanted);
    } else {
        report.removeChart();
    }
    if (options.hygiene)
        report.setHygiene(Hygiene::Evaluate(Hygiene::SamplesOf(d)));
    return true;
}

void attachGraphSeries(QChart* chart, const TMessDaten& data, TChartSeries& series,
                       const SeriesChoice& ticked) {
    QValueAxis* bottom = QtChartTarget::axisOf(chart, ChartTarget::Bottom);
    const auto all = data.AllSeries();
    for (int i = 0; i < int(ticked.size()); ++i) {
        const bool fanSeries = i >= FirstFanSeries;
        if (!ticked[size_t(i)] || fanSeries != data.FanMode)
            continue;
        QAbstractSeries* s = series.Series(i);
        if (!s)
            continue;
        if (QChart* other = s->chart()) {
            other->removeSeries(s);
            s->setParent(nullptr);
        }
        chart->addSeries(s);
        s->attachAxis(bottom);
        const bool right = all[size_t(i)]->axis == ChartSeriesData::RightAxis;
        s->attachAxis(QtChartTarget::axisOf(chart, right ? ChartTarget::Right : ChartTarget::Left));
    }
    QtChartTarget(chart).updateAutoMaxima();
}

void detachAll(QChart* chart) {
    for (QAbstractSeries* s : chart->series()) {
        // removeSeries hands the series back without destroying it.
        chart->removeSeries(s);
        s->setParent(nullptr);
    }
}

QChart* newGraphChart() {
    auto* chart = new QChart;
    chart->setBackgroundBrush(Qt::white);
    chart->setDropShadowEnabled(false);
    chart->legend()->setVisible(true);
    for (ChartTarget::Axis a : {ChartTarget::Left, ChartTarget::Right, ChartTarget::Bottom})
        QtChartTarget::axisOf(chart, a);
    return chart;
}

bool showGraph(QChart* chart, TMessDaten& data, TChartSeries& series, bool perDay, bool fanSheet,
               const SeriesChoice& ticked) {
    QtChartTarget target(chart);
    // The window sets its empty chart up when it is created, opens on the environment
    // sheet, and a sheet change only lays the axes of the other sheet over the same fill.
    data.FanMode = false;
    data.SetupChart(target);
    const bool filled = data.FillSeries(perDay, &target);
    series.Update();
    if (!filled)
        return false;
    for (bool fan : {false, true}) {
        if (fan && !fanSheet)
            break;
        data.FanMode = fan;
        detachAll(chart);
        data.SetAxes(target);
        attachGraphSeries(chart, data, series, ticked);
    }
    return true;
}

void fillGraph(TFQRGraphForm& report, const TMessDaten& data, TChartSeries& series, QChart* shown,
               const SeriesChoice& ticked) {
    report.setHeader(data);
    report.copyChart(shown);
    attachGraphSeries(report.chart(), data, series, ticked);
    // The copied ranges stand: the print shows the view as it is on screen.
    for (ChartTarget::Axis a : {ChartTarget::Left, ChartTarget::Right, ChartTarget::Bottom}) {
        QValueAxis* src = QtChartTarget::axisOf(shown, a);
        QtChartTarget::axisOf(report.chart(), a)->setRange(src->min(), src->max());
    }
    // Only what the printed plot can draw of that range, as on screen.
    series.FitView(report.chart(), report.plotColumns());
}

} // namespace Reports
