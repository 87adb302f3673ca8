// How a measurement file fills its printouts: the measurement log, the quality-association
// protocol and the graph report. The protocol viewer and the graph window call these for
// their preview, print and PDF, and the command-line tool calls them to write the same
// printouts without a window, so that both give the same pages for the same file.
#pragma once

#include <QString>
#include <array>

class QChart;
class TChartSeries;
class TFQRGraphForm;
class TFQRKompForm;
class TFQRKompProtokoll;
class TMessDaten;
struct ChartSeriesData;

namespace Reports {

// The display settings a printout follows.
struct Display {
    bool imperial = false;
    bool showRefDepth = true;
    QString refCaption;
    // As the settings file gave them (ImperialUnits, ShowRefDepth, RefCaption).
    static Display current();
};

// The options of the protocol viewer's printouts.
struct ProtocolOptions {
    bool perDay = false;  // "1 Wert/ Tag"
    bool graph = false;   // "Grafik drucken"
    bool hygiene = false; // the hygienisation band; the quality-association protocol only
};

// A series value as printed: at least four characters, right-aligned, rounded to
// `decimals`, with the user's decimal separator; "-*-" when the series holds no value at
// `position`.
QString ValueText(const ChartSeriesData& series, int position, int decimals);

// Fill the report from the loaded file: header, headings, rows, FillSeries with the
// report's chart, and the graph or no summary. `series` must be the chart series of `data`;
// with the graph they stay attached to the report's chart until the caller detaches them
// (AttachSeries(nullptr)) after printing. False when a time stamp could not be read
// (data.ErrorText() says which); the report must not be printed then. PointCount tells the
// number of rows either way.
bool fillLog(TFQRKompForm& report, TMessDaten& data, TChartSeries& series,
             const ProtocolOptions& options, const Display& display);
bool fillQuality(TFQRKompProtokoll& report, TMessDaten& data, TChartSeries& series,
                 const ProtocolOptions& options, const Display& display);

// Which of the nine series (TMessDaten::AllSeries() order) the graph's boxes tick.
using SeriesChoice = std::array<bool, 9>;

// Attaches the ticked series of the data's active sheet (FanMode) to `chart`, in series
// order, bound to its axes; a series shown elsewhere moves here.
void attachGraphSeries(QChart* chart, const TMessDaten& data, TChartSeries& series,
                       const SeriesChoice& ticked);
// Takes every series off `chart` without destroying it.
void detachAll(QChart* chart);

// Builds on `chart` what the graph window shows right after opening the loaded file with
// "1Wert/Tag" as `perDay` and then choosing the sheet: the series filled, the chart set up,
// the ticked series of the sheet attached. `chart` should have been made as the window's
// chart is (newGraphChart). False when a time stamp could not be read.
bool showGraph(QChart* chart, TMessDaten& data, TChartSeries& series, bool perDay, bool fanSheet,
               const SeriesChoice& ticked);
// A chart as the graph window makes its own: white, flat, with a legend and its axes.
QChart* newGraphChart();

// Fill the graph report from the chart the user looks at: header, legend, axes with their
// current ranges (a zoomed or panned view prints as shown), title, footer, and the ticked
// series, which leave `shown` for the report's chart until the caller attaches them back.
void fillGraph(TFQRGraphForm& report, const TMessDaten& data, TChartSeries& series, QChart* shown,
               const SeriesChoice& ticked);

} // namespace Reports
