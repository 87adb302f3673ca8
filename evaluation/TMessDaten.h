// A measurement file read back into the nine series that the protocol viewer, the graph
// window and their printouts show, with one date-time label per point and the texts of the
// file header. Everything here is plain data: the chart windows turn the series into chart
// series of their own and apply the chart settings through a ChartTarget.
#pragma once

#include <QCoreApplication>
#include <QDate>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <array>

struct SeriesColour {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const SeriesColour& o) const { return r == o.r && g == o.g && b == o.b; }
};

// One series: how it is drawn and its points. Point k has x = k; point 0 is a placeholder
// of value 0 that every fill adds, data point k (1 .. PointCount) sits at position k.
struct ChartSeriesData {
    enum Kind { Line, Bar };
    enum Axis { LeftAxis, RightAxis };
    enum Style { Solid, Dot, Dash, DashDot, DashDotDot };

    QString title;
    Kind kind = Line;
    Axis axis = LeftAxis;
    QString valueFormat; // picture: '#' an optional digit, '.' the decimal separator
    SeriesColour colour;
    Style style = Solid;
    bool showMarks = false; // value marks at the points

    QList<QPointF> points;

    // False when the series holds no point at `position`.
    bool valueAt(int position, double* y) const;
};

// The settings of a chart that the series reader lays down: what a chart window or a
// printed chart implements on top of its chart facility. Axis label formats are pictures
// ("#": whole numbers).
class ChartTarget {
public:
    enum Axis { Left, Right, Bottom };
    virtual ~ChartTarget() = default;

    virtual void setView3D(bool on) = 0;
    virtual void setClipPoints(bool on) = 0;
    virtual void setTitle(const QStringList& lines) = 0; // drawn in black
    virtual void setFooter(const QString& text) = 0;     // drawn in black
    virtual void setLegendVisible(bool on) = 0;
    // A fixed range.
    virtual void setAxisRange(Axis axis, double min, double max) = 0;
    // Fixed minimum, the maximum follows the data.
    virtual void setAxisAutoMaximum(Axis axis, double min) = 0;
    // One end only, the other stays as it is (the bottom axis after a zoom or a pan).
    virtual void setAxisMinimum(Axis axis, double min) = 0;
    virtual void setAxisMaximum(Axis axis, double max) = 0;
    virtual void setAxisLabelFormat(Axis axis, const QString& picture) = 0;
    virtual void setAxisTitle(Axis axis, const QString& title) = 0;
};

// A ChartTarget that only remembers what it was told: for the core, tests and any code
// that wants the settings as values.
class ChartLayout : public ChartTarget {
public:
    struct AxisLayout {
        double min = 0;
        double max = 0;
        bool autoMaximum = false;
        QString labelFormat;
        QString title;
    };

    bool view3D = true;
    bool clipPoints = false;
    QStringList title;
    QString footer;
    bool legendVisible = false;
    std::array<AxisLayout, 3> axes{}; // by ChartTarget::Axis

    const AxisLayout& axis(Axis a) const { return axes[size_t(a)]; }

    void setView3D(bool on) override { view3D = on; }
    void setClipPoints(bool on) override { clipPoints = on; }
    void setTitle(const QStringList& lines) override { title = lines; }
    void setFooter(const QString& text) override { footer = text; }
    void setLegendVisible(bool on) override { legendVisible = on; }
    void setAxisRange(Axis a, double min, double max) override;
    void setAxisAutoMaximum(Axis a, double min) override;
    void setAxisMinimum(Axis a, double min) override { axes[size_t(a)].min = min; }
    void setAxisMaximum(Axis a, double max) override;
    void setAxisLabelFormat(Axis a, const QString& p) override { axes[size_t(a)].labelFormat = p; }
    void setAxisTitle(Axis a, const QString& t) override { axes[size_t(a)].title = t; }
};

class TMessDaten {
    Q_DECLARE_TR_FUNCTIONS(TMessDaten)

public:
    enum class LoadResult {
        Valid,         // a measurement file of either header layout
        NotRecognised, // readable, but not a measurement file
        ReadError      // could not be read; ErrorText() holds the system's reason
    };

    // The series titles follow ImperialUnits and RefCaption as they are now.
    TMessDaten();

    LoadResult LoadFile(const QString& path);
    // Rebuilds the nine series and Labels from Lines and then sets up `chart` (when given).
    // False when a time stamp cannot be read: the fill stops at that line, the points made
    // before it stay (PointCount counts them), the chart is left alone and ErrorText() says
    // which text it was.
    bool FillSeries(bool oneValuePerDay, ChartTarget* chart);
    void SetupChart(ChartTarget& chart) const;
    void SetAxes(ChartTarget& chart) const;
    void ResetAxes(ChartTarget& chart) const;
    // The series titles and, on `chart` when given, the axis titles again in the language in
    // force, for a window that stays open over a language switch; ranges and points stay.
    void RetranslateTitles(ChartTarget* chart);

    QString ErrorText() const { return m_errorText; }

    // The nine series in the order T 100cm .. T 0cm, reference mark, O2, run time, cycles.
    std::array<ChartSeriesData*, 9> AllSeries();
    std::array<const ChartSeriesData*, 9> AllSeries() const;

    bool O2AsStored = true; // O2 in vol% (current header); false: tenths (older header)
    bool FanMode = false;   // fan data (run time, cycles) instead of environment data
    QString PlantName;
    QString Comment;
    QString FirstBackupLine;
    QString FileName;
    std::array<QString, 3> TitleLines;
    // Counted in int: a file of many years' records may exceed 65535 lines.
    int LineCount = 0;
    int PointCount = 0;
    bool FileValid = false;
    QStringList Lines;
    QStringList Labels;
    // Index 0 unused: TSeries[1] is the sensor at 100 cm, TSeries[5] the one at 0 cm.
    std::array<ChartSeriesData, 6> TSeries;
    ChartSeriesData RefSeries;
    ChartSeriesData O2Series;
    ChartSeriesData RunTimeSeries;
    ChartSeriesData CyclesSeries;

private:
    void setSeriesTitles();
    void setSideAxisTitles(ChartTarget& chart) const;
    bool processLine(const QString& line);
    void addPlaceholders();

    QString m_errorText;
    // Label parts kept for one fill: the date text of the last label and the separator.
    QDate m_labelDate;
    QString m_labelDateText;
    QChar m_timeSeparator;
};
