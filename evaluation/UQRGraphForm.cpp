#include "evaluation/UQRGraphForm.h"

#include "evaluation/TMessDaten.h"
#include "evaluation/UChartSeries.h"

#include <QChart>
#include <QFont>
#include <QGraphicsScene>
#include <QLegend>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

using Report::Align;
using Report::Element;
using Report::label;

namespace {

// The chart area in the detail band, in mm.
constexpr double ChartWidth = 275.2;
constexpr double ChartHeight = 122.0;

// The chart is laid out at screen size, then scaled into the band.
QSizeF layoutSize() {
    return QSizeF(ChartWidth * 96 / 25.4, ChartHeight * 96 / 25.4);
}

void copyAxis(QChart* from, QChart* to, ChartTarget::Axis a) {
    QValueAxis* src = QtChartTarget::axisOf(from, a);
    QValueAxis* dst = QtChartTarget::axisOf(to, a);
    dst->setRange(src->min(), src->max());
    dst->setLabelFormat(src->labelFormat());
    dst->setTitleText(src->titleText());
    dst->setTickCount(src->tickCount());
    dst->setMinorTickCount(src->minorTickCount());
    dst->setVisible(src->isVisible());
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    dst->setLabelsFont(f);
    dst->setTitleFont(f);
}

} // namespace

TFQRGraphForm::TFQRGraphForm(QObject* parent) : QObject(parent) {
    buildLayout();
}

TFQRGraphForm::~TFQRGraphForm() {
    // The series belong to the graph window's data: hand them back before the chart goes.
    for (QAbstractSeries* s : m_chart->series()) {
        m_chart->removeSeries(s);
        s->setParent(nullptr);
    }
}

void TFQRGraphForm::buildLayout() {
    Report::BandReport& r = m_report;
    r.pageSize = QPageSize(QPageSize::A4);
    r.orientation = QPageLayout::Landscape;
    r.margin = 10;
    r.fontFamily = QStringLiteral("Arial");
    r.fontPixelSize = 13; // 10 pt
    r.printIfEmpty = false;
    r.title = tr("AEROLIS Messprotokoll");

    r.pageHeader.height = 46.0;
    r.pageHeader.frame = Report::FrameAll;
    Element title = label(QStringLiteral("QRLabel1"), 45.0, 0, tr("AEROLIS Messprotokoll"), 0,
                          Align::Center, 16);
    r.pageHeader.elements = {
        title,
        label(QStringLiteral("QRKopf1"), 2.0, 6.3, QString(), 184.5, Align::Left, 19),
        label(QStringLiteral("QRKopf2"), 4.4, 12.8, QString(), 182.1),
        label(QStringLiteral("QRKopf3"), 4.4, 16.8, QString(), 182.1),
        label(QStringLiteral("QRLabel9"), 2.2, 25.6, tr("Anlagen- Name :"), 28.2, Align::Left, 0,
              true),
        label(QStringLiteral("AnlName"), 33.4, 25.5, QString()),
        label(QStringLiteral("QRLabel10"), 2.2, 29.5, tr("Datei- Name :"), 28.2, Align::Left, 0,
              true),
        label(QStringLiteral("DateiName"), 33.4, 30.1, QString()),
        label(QStringLiteral("QRKomment1"), 33.4, 35.4, QString(), 242.1),
        label(QStringLiteral("QRKomment2"), 33.4, 40.7, QString(), 242.1),
    };

    r.detail.height = 132.3;
    r.detail.frame = Report::NoFrame;
    Element chartArea;
    chartArea.name = QStringLiteral("QRChart1");
    chartArea.field = Report::Field::Chart;
    chartArea.x = 2.6;
    chartArea.y = 2.6;
    chartArea.width = ChartWidth;
    chartArea.height = ChartHeight;
    chartArea.paint = [this](QPainter& p, const QRectF& target) {
        // Laid out at screen size, then scaled into the target: the chart keeps the
        // proportions of its fonts and stays vector output.
        const QSizeF screen = layoutSize();
        QGraphicsScene scene;
        scene.addItem(m_chart.get());
        m_chart->resize(screen);
        scene.setSceneRect(QRectF(QPointF(0, 0), screen));
        scene.render(&p, target, scene.sceneRect());
        scene.removeItem(m_chart.get());
    };
    r.detail.elements = {chartArea};

    // One detail band per report: the answers alternate, starting with yes.
    r.beforePrint = [this] { m_moreData = true; };
    r.needData = [this] {
        const bool more = m_moreData;
        m_moreData = !m_moreData;
        return more;
    };

    r.pageFooter.height = 10.6;
    r.pageFooter.frame = Report::FrameAll;
    Element printedAt = label(QStringLiteral("QRSysData1"), 33.4, 1.7, QString());
    printedAt.field = Report::Field::PrintDateTime;
    Element pageNr = label(QStringLiteral("QRSysData2"), 171.0, 1.7, QString());
    pageNr.field = Report::Field::PageNumber;
    r.pageFooter.elements = {
        label(QStringLiteral("QRLabel2"), 2.2, 2.2, tr("Druckdatum/-zeit :"), 28.7),
        printedAt,
        label(QStringLiteral("QRLabel3"), 152.6, 2.2, tr("Seitennr. :"), 17.2),
        pageNr,
    };

    m_chart = std::make_unique<QChart>();
    m_chart->setBackgroundBrush(Qt::white);
    m_chart->setDropShadowEnabled(false);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    m_chart->setTitleFont(f);
    m_chart->legend()->setFont(f);
}

int TFQRGraphForm::plotColumns() {
    m_chart->resize(layoutSize());
    return std::max(1, int(std::ceil(m_chart->plotArea().width() * PrintColumnsPerPixel)));
}

void TFQRGraphForm::setHeader(const TMessDaten& d) {
    m_report.setText(QStringLiteral("QRKopf1"), d.TitleLines[0]);
    m_report.setText(QStringLiteral("QRKopf2"), d.TitleLines[1]);
    m_report.setText(QStringLiteral("QRKopf3"), d.TitleLines[2]);
    m_report.setText(QStringLiteral("AnlName"), d.PlantName);
    m_report.setText(QStringLiteral("DateiName"), d.FileName);
    m_report.setText(QStringLiteral("QRKomment1"), d.Comment);
    m_report.setText(QStringLiteral("QRKomment2"), d.FirstBackupLine);
}

void TFQRGraphForm::copyChart(QChart* source) {
    for (QAbstractSeries* s : m_chart->series()) {
        m_chart->removeSeries(s);
        s->setParent(nullptr);
    }
    m_chart->legend()->setVisible(source->legend()->isVisible());
    m_chart->legend()->setAlignment(source->legend()->alignment());
    for (ChartTarget::Axis a : {ChartTarget::Left, ChartTarget::Right, ChartTarget::Bottom})
        copyAxis(source, m_chart.get(), a);
    m_chart->setTitle(source->title());
    m_chart->setTitleBrush(source->titleBrush());
    QtChartTarget(m_chart.get()).setFooter(QtChartTarget::footerOf(source));
}
