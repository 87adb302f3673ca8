// The temperature protocol for the compost quality association's own monitoring: one line
// per record with the reference-mark depth ("Rand"), the core and the base temperature,
// and empty remark and inspector columns that the operator fills in by hand. Letter paper,
// portrait. Optionally the graph and the hygienisation overview follow the last row.
#pragma once

#include "evaluation/Hygiene.h"
#include "report/BandReport.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QChart;
class QWidget;

class TFQRKompProtokoll : public QObject {
    Q_OBJECT
public:
    // The printed texts of one detail line.
    struct ProtokollRow {
        QString dat;
        QString rand;
        QString kern;
        QString basis;
    };
    // Fills `out` for row `row` (1, 2, ...) and answers whether that row exists.
    using RowSource = std::function<bool(int row, ProtokollRow& out)>;

    explicit TFQRKompProtokoll(QObject* parent = nullptr);
    ~TFQRKompProtokoll() override;

    Report::BandReport& report() { return m_report; }

    void setHeaderLines(const QString& kopf1, const QString& kopf2, const QString& kopf3);
    void setPlantName(const QString& name);
    // Appends the units to the headings; "Rand" is emptied when the mark is not shown.
    void setUnits(bool imperial, bool showRefDepth);

    // Rows through one callback; the row counter restarts at every rendering.
    void setRowSource(RowSource source);

    // The summary band's chart; without it the band ends the report after the last row.
    QChart* chart() const { return m_chart.get(); }
    void removeChart();
    // The overview after the last row (before the graph, when there is one).
    void setHygiene(const Hygiene::Overview& overview);

    bool setCaption(const QString& name, const QString& text) {
        return m_report.setText(name, text);
    }
    QString caption(const QString& name) const { return m_report.text(name); }

    void preview(QWidget* parent = nullptr) { m_report.preview(parent); }
    bool print(QWidget* parent = nullptr) { return m_report.print(parent); }
    bool exportPdf(const QString& path) { return m_report.exportPdf(path); }

    static constexpr double ChartBandHeight = 132.0;
    // With the graph both stay within one page below the headers.
    static constexpr double HygieneHeight = 64.0;

private:
    void buildLayout();
    void layoutSummary();

    Report::BandReport m_report;
    std::unique_ptr<QChart> m_chart;
    bool m_withChart = true;
    bool m_withHygiene = false;
    QVector<Report::Element> m_hygieneElements;
    RowSource m_source;
    ProtokollRow m_row;
    int m_counter = 0;
};
