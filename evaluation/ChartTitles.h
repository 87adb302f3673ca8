// The titles of a drawn chart again in the language in force, for a window that stays open
// over a language switch: series names, bar labels and axis titles. Ranges, zoom and
// points stay as they are.
#pragma once

class QChart;
class TChartSeries;
class TMessDaten;

void RetranslateChartTitles(TMessDaten& data, TChartSeries& series, QChart* chart);
