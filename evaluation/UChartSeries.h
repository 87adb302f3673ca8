// The measurement series of a TMessDaten as QtCharts series, and a QChart as the target of
// its chart settings. The series reader stays plain data in the core (the reports read it
// by position, the fuzz target runs without a GUI); the graph window, the protocol viewer
// and the printed charts show it through this binding.
#pragma once

#include "evaluation/TMessDaten.h"

#include <QList>
#include <QPointF>
#include <QPointer>
#include <array>

class QAbstractSeries;
class QBarSeries;
class QBarSet;
class QChart;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QValueAxis;

// Where a chart's plot lies on the pixels it is drawn on: its left border and its width in
// device pixels. Column c of the plot is the device's pixel column floor(left) + c, so that
// what is cut per column is what one pixel column shows.
struct PlotPixels {
    double left = 0;
    double width = 0;
    int columns() const; // the pixel columns the plot touches, at least 1
    bool operator==(const PlotPixels& o) const { return left == o.left && width == o.width; }
};

// The points of `points` (x rising) that draw the same line over xMin..xMax on the plot's
// pixel columns: per column the first, lowest, highest and last point in their order, and
// the nearest point outside each end, so that the line still runs on to the border. With
// fewer points than columns every point in view stays.
QList<QPointF> DecimatedPoints(const QList<QPointF>& points, double xMin, double xMax,
                               const PlotPixels& plot);
// The same for `columns` whole columns.
QList<QPointF> DecimatedPoints(const QList<QPointF>& points, double xMin, double xMax, int columns);

// The bars of `points` (bar k at x = k, BarWidth wide) that draw the same picture over
// xMin..xMax on `columns` pixel columns, as values on an axis of their own. Where the bars
// in view are no denser than the columns, they are the bars themselves (the axis shifted by
// the first one); where they are denser, one bar per column, as high as the highest bar
// that falls into it (the bars grow from 0, so that is what the column shows).
struct BarView {
    static constexpr double BarWidth = 0.5; // of a position, as the chart draws bars
    QList<double> values;
    double axisMin = 0;
    double axisMax = 1;
    double barWidth = BarWidth;
};
BarView BarsInView(const QList<QPointF>& points, double xMin, double xMax, int columns);

// Applies the settings of a ChartTarget to a QChart: a left and a right value axis for the
// vertical values, a value axis at the bottom for the point positions, title, legend and a
// footer line under the plot. The axes are created on first use and belong to the chart.
class QtChartTarget : public ChartTarget {
public:
    explicit QtChartTarget(QChart* chart);

    // The chart's axis at that place (created and added when missing).
    QValueAxis* axis(Axis a) const;
    static QValueAxis* axisOf(QChart* chart, Axis a);
    // The hidden horizontal axis that bars shown for a view are placed on (BarsInView);
    // created when missing, never returned by axisOf.
    static QValueAxis* viewAxisOf(QChart* chart);
    // The footer text of the chart, "" when none was set.
    static QString footerOf(QChart* chart);
    // An automatic maximum follows the series attached to the axis: call after attaching
    // or refilling them.
    void updateAutoMaxima();

    void setView3D(bool on) override;
    void setClipPoints(bool on) override;
    void setTitle(const QStringList& lines) override;
    void setFooter(const QString& text) override;
    void setLegendVisible(bool on) override;
    void setAxisRange(Axis a, double min, double max) override;
    void setAxisAutoMaximum(Axis a, double min) override;
    void setAxisMinimum(Axis a, double min) override;
    void setAxisMaximum(Axis a, double max) override;
    void setAxisLabelFormat(Axis a, const QString& picture) override;
    void setAxisTitle(Axis a, const QString& title) override;

private:
    QChart* m_chart;
};

// The nine chart series of one TMessDaten, in its order (T 100cm .. T 0cm, reference mark,
// O2 as lines; run time and cycles as bars). A series lives as long as this object: it is
// shown by a chart only while attached, attaching to another chart moves it there, and a
// series that a destroyed chart took with it is made again from the data on the next use.
//
// A series either holds all points of the data (AttachSeries, the printed protocols) or
// only what a chart's plot area can draw of its current horizontal range (AttachToView,
// FitView: the graph window and its printout). A long file has far more points than the
// plot has pixel columns, and the chart facility spends its time per point, not per pixel.
class TChartSeries {
public:
    explicit TChartSeries(const TMessDaten& data);
    ~TChartSeries();
    TChartSeries(const TChartSeries&) = delete;
    TChartSeries& operator=(const TChartSeries&) = delete;

    // Takes the points of the data's series again (after FillSeries).
    void Update();

    // The settings of the data (titles, legend, axes) on `chart`.
    void SetupChart(QChart* chart) const;
    void SetAxes(QChart* chart) const;
    void ResetAxes(QChart* chart) const;
    // Attaches all nine series to `chart`, bound to its axes, with all their points;
    // nullptr detaches them from whatever chart holds them.
    void AttachSeries(QChart* chart);

    // Attaches series i to `chart` (moving it from any other), cut to what the plot's
    // pixel columns show of the chart's bottom range (DecimatedPoints, BarsInView) before
    // the chart sees it. Call updateAutoMaxima once after attaching a set.
    void AttachToView(int i, QChart* chart, const PlotPixels& plot);
    // Cuts every series of ours on `chart` again to its bottom range and plot: after a
    // zoom, a pan or a resize, or after someone else attached them with all points.
    // Series already cut to that view are left alone.
    void FitView(QChart* chart, const PlotPixels& plot);
    // The same on `columns` whole columns (a printout's plot).
    void FitView(QChart* chart, int columns);
    // The number of points of the data behind a series of ours (the placeholder at
    // position 0 included), whatever part of them it shows; -1 for a foreign series.
    int DataCount(const QAbstractSeries* s) const;

    // Series i (0..8) as drawn.
    QAbstractSeries* Series(int i);
    QLineSeries* LineSeries(int i); // 0..6, else nullptr
    QBarSet* BarSet(int i);         // 7..8, else nullptr

private:
    // What a series holds when it shows a view.
    struct View {
        bool on = false;
        double xMin = 0;
        double xMax = 0;
        PlotPixels plot;
        quint64 generation = 0;
    };

    void ensure(int i);
    void fill(int i);
    void fitTo(int i, QChart* chart, const PlotPixels& plot);
    void markDataMaximum(int i);

    const TMessDaten& m_data;
    std::array<QPointer<QAbstractSeries>, 9> m_series;
    std::array<View, 9> m_view{};
    quint64 m_generation = 1; // counts the fills, so that a view knows it is stale
};
