// The graph report: the file's title lines, plant and file names and comments in a framed
// page header, the graph in a detail band printed once, and a page footer with the print
// date and page number, on A4 landscape. The graph window fills it with the chart it shows,
// axis ranges included, so that a zoomed or panned view prints as it is on screen.
#pragma once

#include "report/BandReport.h"

#include <QObject>
#include <memory>

class QChart;
class QWidget;
class TMessDaten;

class TFQRGraphForm : public QObject {
    Q_OBJECT
public:
    explicit TFQRGraphForm(QObject* parent = nullptr);
    ~TFQRGraphForm() override;

    Report::BandReport& report() { return m_report; }
    // The report's own chart (QRChart1), drawn into the detail band.
    QChart* chart() const { return m_chart.get(); }

    // QRKopf1..3, AnlName, DateiName, QRKomment1..2 from the loaded file.
    void setHeader(const TMessDaten& data);
    // Takes legend, the left, right and bottom axes with their current ranges, the title
    // and the footer of `source`. Series are not copied: the caller attaches them.
    void copyChart(QChart* source);

    // The columns of the chart's plot area on paper, for series cut to a view: the chart
    // laid out at its print size, each pixel of that layout printed as PrintColumnsPerPixel
    // columns. Ask after the series are attached (the legend takes its room).
    static constexpr int PrintColumnsPerPixel = 4;
    int plotColumns();

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
    bool m_moreData = true;
};
