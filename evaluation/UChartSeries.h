// The measurement series of a TMessDaten as QtCharts series, and a QChart as the target of
// its chart settings. The series reader stays plain data in the core (the reports read it
// by position, the fuzz target runs without a GUI); the graph window, the protocol viewer
// and the printed charts show it through this binding.
#pragma once

#include "evaluation/TMessDaten.h"

#include <QPointer>
#include <array>

class QAbstractSeries;
class QBarSeries;
class QBarSet;
class QChart;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QValueAxis;

// Applies the settings of a ChartTarget to a QChart: a left and a right value axis for the
// vertical values, a value axis at the bottom for the point positions, title, legend and a
// footer line under the plot. The axes are created on first use and belong to the chart.
class QtChartTarget : public ChartTarget {
public:
    explicit QtChartTarget(QChart* chart);

    // The chart's axis at that place (created and added when missing).
    QValueAxis* axis(Axis a) const;
    static QValueAxis* axisOf(QChart* chart, Axis a);
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
    // Attaches all nine series to `chart`, bound to its axes; nullptr detaches them from
    // whatever chart holds them.
    void AttachSeries(QChart* chart);

    // Series i (0..8) as drawn.
    QAbstractSeries* Series(int i);
    QLineSeries* LineSeries(int i); // 0..6, else nullptr
    QBarSet* BarSet(int i);         // 7..8, else nullptr

private:
    void ensure(int i);
    void fill(int i);

    const TMessDaten& m_data;
    std::array<QPointer<QAbstractSeries>, 9> m_series;
};
