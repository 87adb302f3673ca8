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
#include <cmath>
#include <vector>

namespace {

const char* const FooterName = "o2Footer";
const char* const AutoMaximumProperty = "o2AutoMaximum";
// The tick count an axis had before an automatic maximum chose its own nice one.
const char* const FixedTickCountProperty = "o2FixedTickCount";
// Marks the hidden axis of the bars shown for a view.
const char* const ViewAxisProperty = "o2ViewAxis";
// The largest value of the data behind a series, whatever part of it the series shows.
const char* const DataMaximumProperty = "o2DataMaximum";

// One pixel: Qt's raster engine strokes a wider dashed or dotted pen by building and
// filling its outline, a hundred times slower than a line of one pixel, and the picture
// must be drawn the same on screen and on paper (where one pixel of the chart's layout
// prints 0.26 mm wide).
constexpr int LineWidth = 1;

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
        const QVariant known = s->property(DataMaximumProperty);
        if (known.isValid()) {
            max = std::max(max, known.toDouble());
        } else if (auto* line = qobject_cast<QXYSeries*>(s)) {
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

// The column of the plot that x falls into: -1 before the view, `columns` after it.
struct ColumnOf {
    double xMin, xMax, phase, perX;
    qint64 columns;
    qint64 operator()(double x) const {
        if (x < xMin)
            return -1;
        if (x > xMax)
            return columns;
        return std::clamp<qint64>(qint64(std::floor(phase + (x - xMin) * perX)), 0, columns - 1);
    }
};

} // namespace

int PlotPixels::columns() const {
    const double phase = left - std::floor(left);
    return std::max(1, int(std::ceil(phase + width)));
}

QList<QPointF> DecimatedPoints(const QList<QPointF>& points, double xMin, double xMax,
                               int columns) {
    return DecimatedPoints(points, xMin, xMax, PlotPixels{0, double(columns)});
}

QList<QPointF> DecimatedPoints(const QList<QPointF>& points, double xMin, double xMax,
                               const PlotPixels& plot) {
    if (points.isEmpty() || !(plot.width > 0) || !(xMax > xMin))
        return points;
    const auto byX = [](const QPointF& p, double x) { return p.x() < x; };
    const auto xBelow = [](double x, const QPointF& p) { return x < p.x(); };
    qsizetype first = std::lower_bound(points.cbegin(), points.cend(), xMin, byX) - points.cbegin();
    qsizetype end =
        std::upper_bound(points.cbegin(), points.cend(), xMax, xBelow) - points.cbegin();
    if (first > 0)
        --first;
    if (end < points.size())
        ++end;
    const int columns = plot.columns();
    const ColumnOf columnOf{xMin, xMax, plot.left - std::floor(plot.left),
                            plot.width / (xMax - xMin), columns};
    QList<QPointF> out;
    out.reserve(std::min<qsizetype>(end - first, 4 * qsizetype(columns) + 8));
    qsizetype i = first;
    while (i < end) {
        const qint64 column = columnOf(points[i].x());
        qsizetype last = i;
        qsizetype low = i;
        qsizetype high = i;
        while (last + 1 < end && columnOf(points[last + 1].x()) == column) {
            ++last;
            if (points[last].y() < points[low].y())
                low = last;
            if (points[last].y() > points[high].y())
                high = last;
        }
        qsizetype keep[4] = {i, std::min(low, high), std::max(low, high), last};
        for (int k = 0; k < 4; ++k) {
            if (k == 0 || keep[k] != keep[k - 1])
                out << points[keep[k]];
        }
        i = last + 1;
    }
    return out;
}

BarView BarsInView(const QList<QPointF>& points, double xMin, double xMax, int columns) {
    BarView view;
    const qsizetype n = points.size();
    if (!(xMax > xMin))
        xMax = xMin + 1;
    // The bars that reach into the view. The chart sets the bars of several series side by
    // side inside the width of a position, so a bar reaches up to half a position away.
    const double half = 0.5;
    const qsizetype k0 = std::max<qsizetype>(0, qsizetype(std::ceil(xMin - half)));
    const qsizetype k1 = std::min<qsizetype>(n - 1, qsizetype(std::floor(xMax + half)));
    if (columns < 1 || xMax - xMin <= columns) {
        for (qsizetype k = k0; k <= k1; ++k)
            view.values << points[k].y();
        view.axisMin = xMin - double(k0);
        view.axisMax = xMax - double(k0);
        return view;
    }
    const double width = (xMax - xMin) / columns;
    std::vector<double> high(size_t(columns), 0.0);
    std::vector<bool> seen(size_t(columns), false);
    for (qsizetype k = k0; k <= k1; ++k) {
        const double y = points[k].y();
        const qint64 from = std::clamp<qint64>(
            qint64(std::floor((double(k) - half - xMin) / width)), 0, columns - 1);
        const qint64 to = std::clamp<qint64>(qint64(std::floor((double(k) + half - xMin) / width)),
                                             0, columns - 1);
        for (qint64 c = from; c <= to; ++c) {
            if (!seen[size_t(c)] || y > high[size_t(c)])
                high[size_t(c)] = y;
            seen[size_t(c)] = true;
        }
    }
    view.values = QList<double>(high.begin(), high.end());
    view.axisMin = -0.5;
    view.axisMax = columns - 0.5;
    view.barWidth = 1.0;
    return view;
}

QtChartTarget::QtChartTarget(QChart* chart) : m_chart(chart) {}

QValueAxis* QtChartTarget::axisOf(QChart* chart, Axis a) {
    const Qt::Alignment align = alignmentOf(a);
    const Qt::Orientation orientation = a == Bottom ? Qt::Horizontal : Qt::Vertical;
    for (QAbstractAxis* x : chart->axes(orientation)) {
        if (x->alignment() == align && !x->property(ViewAxisProperty).toBool()) {
            if (auto* v = qobject_cast<QValueAxis*>(x))
                return v;
        }
    }
    auto* axis = new QValueAxis;
    chart->addAxis(axis, align);
    return axis;
}

QValueAxis* QtChartTarget::viewAxisOf(QChart* chart) {
    for (QAbstractAxis* x : chart->axes(Qt::Horizontal)) {
        if (x->property(ViewAxisProperty).toBool())
            return static_cast<QValueAxis*>(x);
    }
    auto* axis = new QValueAxis;
    axis->setProperty(ViewAxisProperty, true);
    axis->setVisible(false);
    chart->addAxis(axis, Qt::AlignBottom);
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
        if (!x->property(FixedTickCountProperty).isValid())
            x->setProperty(FixedTickCountProperty, x->tickCount());
        // The nice numbers start from the same tick count every time, not from the last
        // choice they made.
        x->setTickCount(x->property(FixedTickCountProperty).toInt());
        x->setRange(min, max);
        x->applyNiceNumbers();
        x->setMin(min);
        // Whole-number labels over a short range would repeat themselves (0 1 1 2 2 3):
        // one tick per whole number then.
        const double span = x->max() - x->min();
        if (x->labelFormat() == printfFormat(QStringLiteral("#")) && x->tickCount() > 1 &&
            span / (x->tickCount() - 1) < 1)
            x->setTickCount(std::max(2, int(std::round(span)) + 1));
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
    // The nice numbers of an automatic maximum chose their own tick count: a fixed range
    // gets its own back.
    const QVariant ticks = x->property(FixedTickCountProperty);
    if (ticks.isValid())
        x->setTickCount(ticks.toInt());
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
        pen.setWidth(LineWidth);
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

void TChartSeries::markDataMaximum(int i) {
    const ChartSeriesData& d = *m_data.AllSeries()[size_t(i)];
    double max = 0;
    for (const QPointF& p : d.points)
        max = std::max(max, p.y());
    m_series[size_t(i)]->setProperty(DataMaximumProperty, max);
}

void TChartSeries::fill(int i) {
    const ChartSeriesData& d = *m_data.AllSeries()[size_t(i)];
    m_view[size_t(i)] = View{};
    markDataMaximum(i);
    if (auto* line = qobject_cast<QLineSeries*>(m_series[size_t(i)].data())) {
        line->replace(d.points);
    } else if (auto* bars = qobject_cast<QBarSeries*>(m_series[size_t(i)].data())) {
        QBarSet* set = bars->barSets().value(0);
        if (!set)
            return;
        bars->setBarWidth(BarView::BarWidth);
        if (QChart* chart = bars->chart()) {
            QValueAxis* view = QtChartTarget::viewAxisOf(chart);
            if (bars->attachedAxes().contains(view)) {
                bars->detachAxis(view);
                bars->attachAxis(QtChartTarget::axisOf(chart, ChartTarget::Bottom));
            }
        }
        set->remove(0, set->count());
        QList<qreal> values;
        values.reserve(d.points.size());
        for (const QPointF& p : d.points)
            values << p.y();
        set->append(values);
    }
}

// Cuts series i to what `columns` columns show of the bottom range of `chart`; the series
// may be attached there already or about to be.
void TChartSeries::fitTo(int i, QChart* chart, const PlotPixels& plot) {
    QAbstractSeries* s = m_series[size_t(i)].data();
    const ChartSeriesData& d = *m_data.AllSeries()[size_t(i)];
    QValueAxis* bottom = QtChartTarget::axisOf(chart, ChartTarget::Bottom);
    const View wanted{true, bottom->min(), bottom->max(), plot, m_generation};
    View& shown = m_view[size_t(i)];
    const bool same = shown.on && shown.xMin == wanted.xMin && shown.xMax == wanted.xMax &&
                      shown.plot == wanted.plot && shown.generation == wanted.generation;
    if (!shown.on || shown.generation != m_generation)
        markDataMaximum(i);
    if (auto* line = qobject_cast<QLineSeries*>(s)) {
        if (!same)
            line->replace(DecimatedPoints(d.points, wanted.xMin, wanted.xMax, plot));
    } else if (auto* bars = qobject_cast<QBarSeries*>(s)) {
        QValueAxis* view = QtChartTarget::viewAxisOf(chart);
        if (bars->chart() == chart && bars->attachedAxes().contains(bottom)) {
            bars->detachAxis(bottom);
            bars->attachAxis(view);
        }
        const int columns = std::max(1, int(std::ceil(plot.width)));
        const BarView v = BarsInView(d.points, wanted.xMin, wanted.xMax, columns);
        // The view axis is the chart's: another series may have moved it since.
        view->setRange(v.axisMin, v.axisMax);
        QBarSet* set = bars->barSets().value(0);
        if (!same && set) {
            bars->setBarWidth(v.barWidth);
            set->remove(0, set->count());
            set->append(v.values);
        }
    }
    shown = wanted;
}

void TChartSeries::AttachToView(int i, QChart* chart, const PlotPixels& plot) {
    if (i < 0 || i >= 9 || !chart)
        return;
    ensure(i);
    QAbstractSeries* s = m_series[size_t(i)].data();
    if (s->chart() && s->chart() != chart) {
        // removeSeries hands the series back without destroying it.
        s->chart()->removeSeries(s);
        s->setParent(nullptr);
    }
    fitTo(i, chart, plot);
    if (s->chart() == chart)
        return;
    chart->addSeries(s);
    const ChartSeriesData& d = *m_data.AllSeries()[size_t(i)];
    s->attachAxis(qobject_cast<QBarSeries*>(s) ? QtChartTarget::viewAxisOf(chart)
                                               : QtChartTarget::axisOf(chart, ChartTarget::Bottom));
    s->attachAxis(QtChartTarget::axisOf(chart, axisFor(d.axis)));
}

void TChartSeries::FitView(QChart* chart, const PlotPixels& plot) {
    if (!chart)
        return;
    for (int i = 0; i < 9; ++i) {
        if (m_series[size_t(i)] && m_series[size_t(i)]->chart() == chart)
            fitTo(i, chart, plot);
    }
}

void TChartSeries::FitView(QChart* chart, int columns) {
    FitView(chart, PlotPixels{0, double(std::max(1, columns))});
}

int TChartSeries::DataCount(const QAbstractSeries* s) const {
    for (int i = 0; i < 9; ++i) {
        if (s && m_series[size_t(i)].data() == s)
            return int(m_data.AllSeries()[size_t(i)]->points.size());
    }
    return -1;
}

void TChartSeries::Update() {
    ++m_generation;
    for (int i = 0; i < 9; ++i) {
        QAbstractSeries* s = m_series[size_t(i)].data();
        if (!s)
            continue;
        // A view stays a view (of the new points); all else takes all points.
        if (m_view[size_t(i)].on && s->chart())
            fitTo(i, s->chart(), m_view[size_t(i)].plot);
        else
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
        if (s && s->chart() && s->chart() != chart) {
            // removeSeries hands the series back without destroying it.
            s->chart()->removeSeries(s);
            s->setParent(nullptr);
        }
        if (s && m_view[size_t(i)].on)
            fill(i); // all points again, and bars back on the bottom axis
        if (!chart || (s && s->chart() == chart))
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
