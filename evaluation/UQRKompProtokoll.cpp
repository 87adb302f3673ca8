#include "evaluation/UQRKompProtokoll.h"

#include <QChart>
#include <QFont>
#include <QGraphicsScene>
#include <QPainter>

using Report::Align;
using Report::Element;
using Report::Rule;

namespace {

// Font sizes are given in points; the report layer takes pixels of a 96 dpi screen.
constexpr double px(double pt) {
    return pt * 96.0 / 72.0;
}

// The layout of this report is written in points.
Element label(const QString& name, double x, double y, const QString& text, double width = 0,
              double pt = 10, bool bold = false, Align align = Align::Left) {
    return Report::label(name, x, y, text, width, align, px(pt), bold);
}

// A text that wraps inside its box: the report layer draws single lines only.
Element wrapped(const QString& name, double x, double y, double width, double height,
                const QString& text, double pt) {
    Element e;
    e.name = name;
    e.field = Report::Field::Chart;
    e.x = x;
    e.y = y;
    e.width = width;
    e.height = height;
    e.text = text;
    e.paint = [text, pt](QPainter& p, const QRectF& box) {
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(pt);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    };
    return e;
}

const double kHygieneColumns[] = {2.0, 42.0, 88.0, 112.0, 141.0, 170.0};
constexpr double kHygieneLine = 4.0;

} // namespace

TFQRKompProtokoll::TFQRKompProtokoll(QObject* parent) : QObject(parent) {
    buildLayout();
}

TFQRKompProtokoll::~TFQRKompProtokoll() = default;

void TFQRKompProtokoll::buildLayout() {
    Report::BandReport& r = m_report;
    r.pageSize = QPageSize(QPageSize::Letter);
    r.orientation = QPageLayout::Portrait;
    r.margin = 10;
    r.fontFamily = QStringLiteral("Arial");
    r.fontPixelSize = px(10);
    r.printIfEmpty = false;
    r.title = tr("Humivo Protokoll Gütegemeinschaft");

    r.pageHeader.height = 36.7;
    r.pageHeader.frame = Report::FrameTop | Report::FrameLeft | Report::FrameRight;
    r.pageHeader.elements = {
        label(QStringLiteral("QRLabel1"), 10.6, 2.0,
              tr("Temperatur- Protokoll Eigenuntersuchung von Kompost"), 0, 14, true),
        label(QStringLiteral("QRLabel2"), 2.1, 8.5, tr("Betrieb:"), 28.3, 10, true),
        label(QStringLiteral("QRKopf1"), 2.0, 12.6, QStringLiteral("QRKopf1"), 144.9, 14),
        label(QStringLiteral("QRKopf2"), 4.2, 19.1, QStringLiteral("QRKopf2"), 182.8),
        label(QStringLiteral("QRKopf3"), 4.2, 23.3, QStringLiteral("QRKopf3"), 182.8),
        label(QStringLiteral("QRLabel3"), 2.1, 29.6, tr("Mieten-Nr:"), 19.8, 10, true),
        label(QStringLiteral("AnlName"), 21.8, 29.8, QStringLiteral("AnlName")),
    };

    r.columnHeader.height = 14.9;
    r.columnHeader.frame = Report::FrameAll;
    for (double x : {29.8, 86.9, 144.1})
        r.columnHeader.rules.append(Rule{x, false});
    // The three value columns part only under their group title, from 4.2 mm down: the
    // report layer's rules run over the full or the lower half only, so these are drawn.
    Element valueRules;
    valueRules.name = QStringLiteral("QRShape1");
    valueRules.field = Report::Field::Chart;
    valueRules.x = 0;
    valueRules.y = 4.2;
    valueRules.width = 195.8;
    valueRules.height = 14.9 - 4.2;
    valueRules.paint = [](QPainter& p, const QRectF& box) {
        const double dpm = box.width() / 195.8;
        QPen pen(Qt::black);
        pen.setWidthF(0.2 * dpm);
        p.setPen(pen);
        for (double x : {48.8, 67.9})
            p.drawLine(QPointF(box.left() + x * dpm, box.top()),
                       QPointF(box.left() + x * dpm, box.bottom()));
    };
    r.columnHeader.elements = {
        label(QStringLiteral("QRLabel4"), 2.0, 6.9, tr("Datum"), 24.1, 10, true),
        label(QStringLiteral("QRLabel5"), 48.6, 1.7, tr("Messwerte"), 19.8, 10, true),
        label(QStringLiteral("QRTemp1"), 31.8, 6.9, tr("Rand "), 16.2, 10, true),
        label(QStringLiteral("QRTemp2"), 50.9, 6.9, tr("Kern "), 15.5, 10, true),
        label(QStringLiteral("QRTemp3"), 69.8, 6.9, tr("Basis "), 15.2, 10, true),
        wrapped(QStringLiteral("QRLabel6"), 89.4, 2.1, 53.2, 10.8,
                tr("Bemerkung über Behandlungen und Witterung ( z.B. Umsetzen, Bewässern, "
                   "Wetter, Aussentemperatur)"),
                8),
        label(QStringLiteral("QRLabel7"), 146.1, 4.2, tr("Prüfer/ Unterschrift"), 36.8, 10, true),
        valueRules,
    };

    r.detail.height = 5.3;
    r.detail.frame = Report::FrameAll;
    r.detail.fontPixelSize = px(9);
    for (double x : {29.8, 48.8, 67.9, 86.9, 144.1})
        r.detail.rules.append(Rule{x, false});
    r.detail.elements = {
        label(QStringLiteral("QRDat"), 2.0, 0, QStringLiteral("QRDat"), 0, 9),
        label(QStringLiteral("QR55Gr"), 31.8, 0, QStringLiteral("QR55Gr"), 15.6, 9, false,
              Align::Right),
        label(QStringLiteral("QRT1"), 50.8, 0, QStringLiteral("QRT1"), 15.6, 9, false,
              Align::Right),
        label(QStringLiteral("QRT5"), 69.8, 0, QStringLiteral("QRT5"), 15.6, 9, false,
              Align::Right),
    };

    m_chart = std::make_unique<QChart>();
    m_chart->legend()->hide();

    r.pageFooter.height = 10.6;
    r.pageFooter.frame = Report::FrameAll;
    Element printedAt = label(QStringLiteral("QRSysData1"), 33.7, 2.0, QString());
    printedAt.field = Report::Field::PrintDateTime;
    Element pageNr = label(QStringLiteral("QRSysData2"), 171.3, 2.0, QString());
    pageNr.field = Report::Field::PageNumber;
    r.pageFooter.elements = {
        label(QStringLiteral("QRLabel8"), 2.1, 2.1, tr("Druckdatum/-zeit :"), 28.6),
        printedAt,
        label(QStringLiteral("QRLabel9"), 152.4, 2.1, tr("Seitennr. :"), 17.2),
        pageNr,
    };
    layoutSummary();
}

void TFQRKompProtokoll::layoutSummary() {
    Report::Band& s = m_report.summary;
    s.frame = Report::NoFrame;
    s.elements.clear();
    double top = 0;
    if (m_withHygiene) {
        s.elements += m_hygieneElements;
        top = HygieneHeight;
    }
    if (m_withChart) {
        Element chartArea;
        chartArea.name = QStringLiteral("QRChart1");
        chartArea.field = Report::Field::Chart;
        chartArea.x = 0;
        chartArea.y = top;
        chartArea.width = 188.2;
        chartArea.height = 122.0;
        chartArea.paint = [this](QPainter& p, const QRectF& target) {
            // Laid out at screen size, then scaled into the target: the chart keeps the
            // proportions of its fonts and stays vector output.
            const QSizeF screen(188.2 * 96 / 25.4, 122.0 * 96 / 25.4);
            QGraphicsScene scene;
            scene.addItem(m_chart.get());
            m_chart->resize(screen);
            scene.setSceneRect(QRectF(QPointF(0, 0), screen));
            scene.render(&p, target, scene.sceneRect());
            scene.removeItem(m_chart.get());
        };
        s.elements.append(chartArea);
    }
    s.height = top + (m_withChart ? ChartBandHeight : 0);
    s.enabled = m_withChart || m_withHygiene;
}

void TFQRKompProtokoll::removeChart() {
    m_withChart = false;
    layoutSummary();
}

void TFQRKompProtokoll::setHygiene(const Hygiene::Overview& overview) {
    using Hygiene::Texts;
    m_hygieneElements.clear();
    m_hygieneElements.append(
        label(QStringLiteral("HygTitel"), 2.0, 2.0, Texts::title(), 0, 10, true));
    const QStringList headings = Texts::headings();
    for (int c = 0; c < headings.size(); ++c)
        m_hygieneElements.append(label(QStringLiteral("HygKopf%1").arg(c), kHygieneColumns[c], 7.0,
                                       headings.at(c), 0, 9, true));
    int line = 0;
    for (const Hygiene::Result& r : overview.results) {
        for (Hygiene::Sensor s : Hygiene::Sensors) {
            const QStringList cells = Texts::cells(r, s);
            for (int c = 0; c < cells.size(); ++c)
                m_hygieneElements.append(label(QStringLiteral("Hyg%1_%2").arg(line).arg(c),
                                               kHygieneColumns[c], 11.5 + line * kHygieneLine,
                                               cells.at(c), 0, 9));
            ++line;
        }
    }
    double y = 11.5 + line * kHygieneLine + 0.5;
    m_hygieneElements.append(
        wrapped(QStringLiteral("HygFuehler"), 2.0, y, 184.0, 7.0, Texts::sensorsNote(), 8));
    y += 7.5;
    m_hygieneElements.append(
        label(QStringLiteral("HygLuecken"), 2.0, y, Texts::gaps(overview.gaps), 0, 8));
    y += 3.8;
    m_hygieneElements.append(label(QStringLiteral("HygHinweis"), 2.0, y, Texts::note(), 0, 8));
    m_withHygiene = true;
    layoutSummary();
}

void TFQRKompProtokoll::setHeaderLines(const QString& kopf1, const QString& kopf2,
                                       const QString& kopf3) {
    m_report.setText(QStringLiteral("QRKopf1"), kopf1);
    m_report.setText(QStringLiteral("QRKopf2"), kopf2);
    m_report.setText(QStringLiteral("QRKopf3"), kopf3);
}

void TFQRKompProtokoll::setPlantName(const QString& name) {
    m_report.setText(QStringLiteral("AnlName"), name);
}

void TFQRKompProtokoll::setUnits(bool imperial, bool showRefDepth) {
    const QString rand = m_report.text(QStringLiteral("QRTemp1"));
    if (showRefDepth)
        m_report.setText(QStringLiteral("QRTemp1"),
                         rand + (imperial ? QStringLiteral("[in]") : QStringLiteral("[cm]")));
    else
        m_report.setText(QStringLiteral("QRTemp1"), QString());
    const QString unit = imperial ? QStringLiteral("[°F]") : QStringLiteral("[°C]");
    for (const QString& name : {QStringLiteral("QRTemp2"), QStringLiteral("QRTemp3")})
        m_report.setText(name, m_report.text(name) + unit);
}

void TFQRKompProtokoll::setRowSource(RowSource source) {
    m_source = std::move(source);
    m_report.beforePrint = [this] { m_counter = 0; };
    m_report.needData = [this] {
        if (!m_source)
            return false;
        ++m_counter;
        m_row = ProtokollRow();
        if (!m_source(m_counter, m_row)) {
            m_counter = 0;
            return false;
        }
        return true;
    };
    m_report.setPrint(QStringLiteral("QRDat"), [this] { return m_row.dat; });
    m_report.setPrint(QStringLiteral("QR55Gr"), [this] { return m_row.rand; });
    m_report.setPrint(QStringLiteral("QRT1"), [this] { return m_row.kern; });
    m_report.setPrint(QStringLiteral("QRT5"), [this] { return m_row.basis; });
}
