// The measurement log report: a page header with the title, the three company lines and the
// plant and file names, a column header, one detail line per record, a summary band with a
// chart and a page footer, laid out on Letter paper. Filled by the offline readout window
// (from its table) and by the protocol viewer (from a measurement file), and, with sample
// values, by the report header dialog.
#pragma once

#include "report/BandReport.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QChart;
class QDateTime;
class QLineSeries;
class QWidget;
struct MeasurementRecord;

class TFQRKompForm : public QObject {
    Q_OBJECT
public:
    // The printed texts of one detail line. Temperatures in the order T1 (100 cm, under
    // "T5[°C]") .. T5 (0 cm, under "T1[°C]"); the operating mode is not printed.
    struct LogRow {
        QString nr; // empty: the row number
        QString dat;
        QString t[5];
        QString o2;
        QString zeit;
        QString zyklen;
        QString refDepth;
    };
    // Fills `out` for row `row` (1, 2, ...) and answers whether that row exists.
    using RowSource = std::function<bool(int row, LogRow& out)>;

    explicit TFQRKompForm(QObject* parent = nullptr);
    ~TFQRKompForm() override;

    Report::BandReport& report() { return m_report; }

    // The header values.
    void setHeaderLines(const QString& titel, const QString& zeile2, const QString& zeile3);
    // QRKopf1..3 from section "Firma" of the settings file, with its defaults.
    void loadHeaderLines();
    void setPlant(const QString& anlName, const QString& dateiName);
    void setComments(const QString& k1, const QString& k2);
    // The temperature titles in °F when `imperial`; QRLabel6 := `refCaption` when
    // `showRefDepth`, otherwise QRLabel6 and QRLabel7 are emptied.
    void setUnits(bool imperial, bool showRefDepth, const QString& refCaption);

    // Rows through one callback; replaces the report's row request and the detail labels'
    // print callbacks. The row counter restarts at every rendering.
    void setRowSource(RowSource source);
    // The cells of the offline readout table for one record: "%4d" temperatures (°F when
    // `imperial`), O2 in tenths, "%5d" run time and cycles, the reference depth (inches
    // when `imperial`) only when `showRefDepth`, date + two blanks + hh:mm.
    static LogRow recordRow(const MeasurementRecord& rec, const QDateTime& stored, bool imperial,
                            bool showRefDepth);

    // The summary band's chart (one line series, left axis 0..100).
    QChart* chart() const { return m_chart.get(); }
    QLineSeries* series() const { return m_series; }
    // The report then ends after the last row.
    void removeSummary() { m_report.summary.enabled = false; }

    // Element captions by name (QRKopf1, AnlName, QRTemp1, QRLabel6, ...).
    bool setCaption(const QString& name, const QString& text) {
        return m_report.setText(name, text);
    }
    QString caption(const QString& name) const { return m_report.text(name); }

    void preview(QWidget* parent = nullptr) { m_report.preview(parent); }
    bool print(QWidget* parent = nullptr) { return m_report.print(parent); }
    bool exportPdf(const QString& path) { return m_report.exportPdf(path); }

private:
    void buildLayout();

    Report::BandReport m_report;
    std::unique_ptr<QChart> m_chart;
    QLineSeries* m_series = nullptr;
    RowSource m_source;
    LogRow m_row;
    int m_counter = 0;
};
