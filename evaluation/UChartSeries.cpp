#include "evaluation/UChartSeries.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFont>
#include <QFontMetrics>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <algorithm>

namespace {

const char* const FooterName = "o2Footer";
const char* const AutoMaximumProperty = "o2AutoMaximum";

Qt::Alignment alignmentOf(ChartTarget::Axis a) {
    switch (a) {
    case ChartTarget::Left:
        return Qt::AlignLeft;
    case ChartTarget::Right:
        return Qt::AlignRight;
    case ChartTarget::Bottom:
        break;
    }
    return Qt::AlignBottom;
}

// "#" pictures: whole numbers; digits after '.' give the decimals.
QString printfFormat(const QString& picture) {
    const qsizetype dot = picture.indexOf(QLatin1Char('.'));
    const qsizetype decimals = dot < 0 ? 0 : picture.size() - dot - 1;
    return QStringLiteral("%.%1f").arg(decimals);
}

Qt::PenStyle penStyle(ChartSeriesData::Style s) {
    switch (s) {
    case ChartSeriesData::Solid:
        return Qt::SolidLine;
    case ChartSeriesData::Dot:
        return Qt::DotLine;
    case ChartSeriesData::Dash:
        return Qt::DashLine;
    case ChartSeriesData::DashDot:
        return Qt::DashDotLine;
    case ChartSeriesData::DashDotDot:
        return Qt::DashDotDotLine;
    }
    return Qt::SolidLine;
}

QGraphicsSimpleTextItem* footerItem(QChart* chart) {
    for (QGraphicsItem* item : chart->childItems()) {
        if (item->data(0).toString() == QLatin1String(FooterName))
            return static_cast<QGraphicsSimpleTextItem*>(item);
    }
    return nullptr;
}

void placeFooter(QChart* chart) {
    QGraphicsSimpleTextItem* footer = footerItem(chart);
    if (!footer)
        return;
    const QRectF r = chart->rect();
    const QRectF b = footer->boundingRect();
    footer->setPos(r.left() + (r.width() - b.width()) / 2, r.bottom() - b.height() - 4);
}

// The largest value of the series attached to `axis`.
double dataMaximum(QChart* chart, QValueAxis* axis, double min) {
    double max = min;
    for (QAbstractSeries* s : chart->series()) {
        if (!s->attachedAxes().contains(axis))
            continue;
        if (auto* line = qobject_cast<QXYSeries*>(s)) {
            for (const QPointF& p : line->points())
                max = std::max(max, p.y());
        } else if (auto* bars = qobject_cast<QAbstractBarSeries*>(s)) {
            for (QBarSet* set : bars->barSets()) {
                for (int i = 0; i < set->count(); ++i)
                    max = std::max(max, set->at(i));
            }
        }
    }
    return max;
}

ChartTarget::Axis axisFor(ChartSeriesData::Axis a) {
    return a == ChartSeriesData::RightAxis ? ChartTarget::Right : ChartTarget::Left;
}

} // namespace

QtChartTarget::QtChartTarget(QChart* chart) : m_chart(chart) {}

QValueAxis* QtChartTarget::axisOf(QChart* chart, Axis a) {
    const Qt::Alignment align = alignmentOf(a);
    const Qt::Orientation orientation = a == Bottom ? Qt::Horizontal : Qt::Vertical;
    for (QAbstractAxis* x : chart->axes(orientation)) {
        if (x->alignment() == align) {
            if (auto* v = qobject_cast<QValueAxis*>(x))
                return v;
        }
    }
    auto* axis = new QValueAxis;
    chart->addAxis(axis, align);
    return axis;
}

QValueAxis* QtChartTarget::axis(Axis a) const {
    return axisOf(m_chart, a);
}

QString QtChartTarget::footerOf(QChart* chart) {
    const QGraphicsSimpleTextItem* footer = footerItem(chart);
    return footer ? footer->text() : QString();
}

void QtChartTarget::updateAutoMaxima() {
    for (Axis a : {Left, Right, Bottom}) {
        QValueAxis* x = axis(a);
        if (!x->property(AutoMaximumProperty).toBool())
            continue;
        const double min = x->min();
        double max = dataMaximum(m_chart, x, min);
        if (max <= min)
            max = min + 1;
        x->setRange(min, max);
        x->applyNiceNumbers();
        x->setMin(min);
        x->setProperty(AutoMaximumProperty, true);
    }
}

// The chart facility draws in two dimensions only and always clips to the plot area.
void QtChartTarget::setView3D(bool) {}
void QtChartTarget::setClipPoints(bool) {}

void QtChartTarget::setTitle(const QStringList& lines) {
    QStringList escaped;
    for (const QString& l : lines)
        escaped << l.toHtmlEscaped();
    m_chart->setTitle(escaped.join(QStringLiteral("<br>")));
    m_chart->setTitleBrush(Qt::black);
}

void QtChartTarget::setFooter(const QString& text) {
    QGraphicsSimpleTextItem* footer = footerItem(m_chart);
    if (!footer) {
        footer = new QGraphicsSimpleTextItem(m_chart);
        footer->setData(0, QLatin1String(FooterName));
        footer->setBrush(Qt::black);
        QMargins m = m_chart->margins();
        m.setBottom(m.bottom() + QFontMetrics(footer->font()).height() + 4);
        m_chart->setMargins(m);
        QChart* chart = m_chart;
        QObject::connect(chart, &QChart::geometryChanged, chart, [chart] { placeFooter(chart); });
    }
    footer->setText(text);
    placeFooter(m_chart);
}

void QtChartTarget::setLegendVisible(bool on) {
    m_chart->legend()->setVisible(on);
}

void QtChartTarget::setAxisRange(Axis a, double min, double max) {
    QValueAxis* x = axis(a);
    x->setProperty(AutoMaximumProperty, false);
    x->setRange(min, max);
}

void QtChartTarget::setAxisAutoMaximum(Axis a, double min) {
    QValueAxis* x = axis(a);
    x->setMin(min);
    x->setProperty(AutoMaximumProperty, true);
    updateAutoMaxima();
}

void QtChartTarget::setAxisMinimum(Axis a, double min) {
    axis(a)->setMin(min);
}

void QtChartTarget::setAxisMaximum(Axis a, double max) {
    QValueAxis* x = axis(a);
    x->setProperty(AutoMaximumProperty, false);
    x->setMax(max);
}

void QtChartTarget::setAxisLabelFormat(Axis a, const QString& picture) {
    axis(a)->setLabelFormat(printfFormat(picture));
}

void QtChartTarget::setAxisTitle(Axis a, const QString& title) {
    axis(a)->setTitleText(title);
}

TChartSeries::TChartSeries(const TMessDaten& data) : m_data(data) {}

TChartSeries::~TChartSeries() {
    for (QPointer<QAbstractSeries>& s : m_series) {
        if (!s)
            continue;
        if (QChart* chart = s->chart())
            chart->removeSeries(s);
        delete s.data();
    }
}

void TChartSeries::ensure(int i) {
    if (m_series[size_t(i)])
        return;
    const ChartSeriesData& d = *m_data.AllSeries()[size_t(i)];
    const QColor colour(d.colour.r, d.colour.g, d.colour.b);
    if (d.kind == ChartSeriesData::Line) {
        auto* line = new QLineSeries;
        QPen pen(colour);
        pen.setStyle(penStyle(d.style));
        pen.setWidth(2);
        line->setPen(pen);
        line->setPointLabelsVisible(d.showMarks);
        line->setPointLabelsFormat(QStringLiteral("@yPoint"));
        m_series[size_t(i)] = line;
    } else {
        auto* bars = new QBarSeries;
        auto* set = new QBarSet(d.title);
        set->setColor(colour);
        set->setBorderColor(colour);
        bars->append(set);
        bars->setLabelsVisible(d.showMarks);
        m_series[size_t(i)] = bars;
    }
    m_series[size_t(i)]->setName(d.title);
    fill(i);
}

void TChartSeries::fill(int i) {
    const ChartSeriesData& d = *m_data.AllSeries()[size_t(i)];
    if (auto* line = qobject_cast<QLineSeries*>(m_series[size_t(i)].data())) {
        line->replace(d.points);
    } else if (auto* bars = qobject_cast<QBarSeries*>(m_series[size_t(i)].data())) {
        QBarSet* set = bars->barSets().value(0);
        if (!set)
            return;
        set->remove(0, set->count());
        QList<qreal> values;
        values.reserve(d.points.size());
        for (const QPointF& p : d.points)
            values << p.y();
        set->append(values);
    }
}

void TChartSeries::Update() {
    for (int i = 0; i < 9; ++i) {
        if (m_series[size_t(i)])
            fill(i);
    }
    for (const QPointer<QAbstractSeries>& s : m_series) {
        if (s && s->chart()) {
            QtChartTarget(s->chart()).updateAutoMaxima();
            break;
        }
    }
}

void TChartSeries::SetupChart(QChart* chart) const {
    QtChartTarget target(chart);
    m_data.SetupChart(target);
}

void TChartSeries::SetAxes(QChart* chart) const {
    QtChartTarget target(chart);
    m_data.SetAxes(target);
}

void TChartSeries::ResetAxes(QChart* chart) const {
    QtChartTarget target(chart);
    m_data.ResetAxes(target);
}

void TChartSeries::AttachSeries(QChart* chart) {
    for (int i = 0; i < 9; ++i) {
        QAbstractSeries* s = m_series[size_t(i)].data();
        if (!s && !chart)
            continue;
        if (s && s->chart() == chart)
            continue;
        if (s && s->chart()) {
            // removeSeries hands the series back without destroying it.
            s->chart()->removeSeries(s);
            s->setParent(nullptr);
        }
        if (!chart)
            continue;
        ensure(i);
        s = m_series[size_t(i)].data();
        chart->addSeries(s);
        const ChartSeriesData& d = *m_data.AllSeries()[size_t(i)];
        s->attachAxis(QtChartTarget::axisOf(chart, ChartTarget::Bottom));
        s->attachAxis(QtChartTarget::axisOf(chart, axisFor(d.axis)));
    }
    if (chart)
        QtChartTarget(chart).updateAutoMaxima();
}

QAbstractSeries* TChartSeries::Series(int i) {
    if (i < 0 || i >= 9)
        return nullptr;
    ensure(i);
    return m_series[size_t(i)].data();
}

QLineSeries* TChartSeries::LineSeries(int i) {
    return qobject_cast<QLineSeries*>(Series(i));
}

QBarSet* TChartSeries::BarSet(int i) {
    auto* bars = qobject_cast<QBarSeries*>(Series(i));
    return bars ? bars->barSets().value(0) : nullptr;
}
