// The series cut to a chart's view: a long line keeps, per pixel column, what the column
// shows of it, so that the drawn picture is the one of all points; bars keep their places
// and, where denser than the columns, the height of the highest bar in each column.
#include "evaluation/UChartSeries.h"

#include <QChart>
#include <QGraphicsScene>
#include <QImage>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QRandomGenerator>
#include <QValueAxis>
#include <QtTest>

#include <algorithm>
#include <cmath>

namespace {

// Point k at x = k (0 .. n - 1): noise between 40 and 70, one spike of 99 at `spike` and one
// dip to 0 right after it.
QList<QPointF> noisy(int n, int spike) {
    QRandomGenerator rng(11);
    QList<QPointF> points;
    points.reserve(n);
    for (int k = 0; k < n; ++k) {
        double y = 40 + rng.bounded(30.0);
        if (k == spike)
            y = 99;
        else if (k == spike + 1)
            y = 0;
        points << QPointF(k, y);
    }
    return points;
}

struct Envelope {
    double low = 0;
    double high = 0;
    bool any = false;
    void add(double y) {
        low = any ? std::min(low, y) : y;
        high = any ? std::max(high, y) : y;
        any = true;
    }
};

// Per column of the view, the lowest and highest y of the points in it.
QList<Envelope> envelopes(const QList<QPointF>& points, double xMin, double xMax, int columns) {
    QList<Envelope> result(columns);
    const double width = (xMax - xMin) / columns;
    for (const QPointF& p : points) {
        if (p.x() < xMin || p.x() > xMax)
            continue;
        const int c = std::min(columns - 1, int(std::floor((p.x() - xMin) / width)));
        result[c].add(p.y());
    }
    return result;
}

// Draws `points` as a black one-pixel line without antialiasing over xMin..xMax and 0..100,
// and gives per pixel column of the plot the top and bottom row of the line.
struct Drawn {
    QList<int> top;
    QList<int> bottom;
};
Drawn draw(const QList<QPointF>& points, double xMin, double xMax, QRectF* plot = nullptr) {
    QChart chart;
    chart.legend()->hide();
    auto* x = new QValueAxis;
    auto* y = new QValueAxis;
    for (QValueAxis* a : {x, y}) {
        a->setGridLineVisible(false);
        a->setLabelsVisible(false);
    }
    chart.addAxis(x, Qt::AlignBottom);
    chart.addAxis(y, Qt::AlignLeft);
    x->setRange(xMin, xMax);
    y->setRange(0, 100);
    auto* line = new QLineSeries;
    line->setPen(QPen(Qt::black, 1));
    line->replace(points);
    chart.addSeries(line);
    line->attachAxis(x);
    line->attachAxis(y);
    QGraphicsScene scene;
    scene.addItem(&chart);
    // A plot border inside a pixel, as a chart's layout gives it.
    chart.setPos(0.4, 0);
    chart.resize(900, 400);
    scene.setSceneRect(0, 0, 900, 400);
    QImage image(900, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        scene.render(&p);
    }
    scene.removeItem(&chart);
    const QRectF onImage = chart.mapRectToScene(chart.plotArea());
    const QRect area = onImage.toAlignedRect().adjusted(2, 2, -2, -2);
    if (plot)
        *plot = onImage;
    Drawn d;
    for (int px = area.left(); px <= area.right(); ++px) {
        int top = -1;
        int bottom = -1;
        for (int py = area.top(); py <= area.bottom(); ++py) {
            if (qRed(image.pixel(px, py)) < 128) {
                if (top < 0)
                    top = py;
                bottom = py;
            }
        }
        d.top << top;
        d.bottom << bottom;
    }
    return d;
}

// Where the plot of the chart that draw() lays out lies on the image's pixels.
PlotPixels drawnPlot() {
    QRectF plot;
    draw({QPointF(0, 0), QPointF(1, 1)}, 0, 1, &plot);
    return PlotPixels{plot.left(), plot.width()};
}

} // namespace

class TestChartView : public QObject {
    Q_OBJECT

private slots:
    void linesKeepWhatEachColumnShows_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<double>("xMin");
        QTest::addColumn<double>("xMax");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("spike");
        QTest::newRow("100,000 points, all in view") << 100000 << 0.7 << 99999.0 << 1200 << 54321;
        QTest::newRow("zoomed, borders between points")
            << 100000 << 40000.4 << 46000.6 << 800 << 43210;
        QTest::newRow("spike at the first point in view")
            << 50000 << 20000.0 << 30000.0 << 500 << 20000;
        QTest::newRow("spike at the last point in view")
            << 50000 << 20000.0 << 30000.0 << 500 << 29999;
        QTest::newRow("one column") << 1000 << 0.0 << 999.0 << 1 << 500;
        QTest::newRow("fewer points than columns") << 1000 << 100.5 << 300.5 << 600 << 200;
    }
    void linesKeepWhatEachColumnShows() {
        QFETCH(int, n);
        QFETCH(double, xMin);
        QFETCH(double, xMax);
        QFETCH(int, columns);
        QFETCH(int, spike);
        const QList<QPointF> all = noisy(n, spike);
        const QList<QPointF> cut = DecimatedPoints(all, xMin, xMax, columns);

        // Points of the data, in their order, at most four per column and one beyond each
        // border.
        QVERIFY(cut.size() <= 4 * columns + 2);
        for (qsizetype i = 0; i < cut.size(); ++i) {
            const int k = int(cut[i].x());
            QVERIFY(k >= 0 && k < n && all[k] == cut[i]);
            QVERIFY(i == 0 || cut[i].x() > cut[i - 1].x());
        }
        QCOMPARE(cut.first().x(), std::max(0.0, std::ceil(xMin) - 1));
        QCOMPARE(cut.last().x(), std::min(double(n - 1), std::floor(xMax) + 1));

        // Every column keeps its lowest and highest point: the spike and the dip included.
        const QList<Envelope> want = envelopes(all, xMin, xMax, columns);
        const QList<Envelope> got = envelopes(cut, xMin, xMax, columns);
        for (int c = 0; c < columns; ++c) {
            QCOMPARE(got[c].any, want[c].any);
            QCOMPARE(got[c].low, want[c].low);
            QCOMPARE(got[c].high, want[c].high);
        }
        QVERIFY(cut.contains(all[spike]));
        if (spike + 1 <= xMax)
            QVERIFY(cut.contains(all[spike + 1]));

        // With no more points in view than columns nothing is left out.
        if (xMax - xMin <= columns) {
            const qsizetype from = qsizetype(std::ceil(xMin)) - 1;
            QCOMPARE(cut, all.mid(from, cut.size()));
            QCOMPARE(cut.size(), qsizetype(std::floor(xMax)) + 2 - from);
        }
    }

    // Drawn as a chart draws them, the cut points give the picture of all points: per
    // pixel column the line reaches the same top and bottom rows, but for the odd column
    // where the rasterizer rounds a point right at a pixel border into its neighbour
    // (columns cut without regard to the pixels differ in a quarter of them).
    void linesDrawTheSamePicture_data() {
        QTest::addColumn<double>("xMin");
        QTest::addColumn<double>("xMax");
        QTest::newRow("all 100,000 points") << 0.7 << 100000.0;
        QTest::newRow("zoomed") << 43000.3 << 47500.8;
    }
    void linesDrawTheSamePicture() {
        QFETCH(double, xMin);
        QFETCH(double, xMax);
        const QList<QPointF> all = noisy(100001, 45000);
        const PlotPixels plot = drawnPlot();
        QVERIFY(plot.columns() > 500);
        const Drawn full = draw(all, xMin, xMax);
        const QList<QPointF> cut = DecimatedPoints(all, xMin, xMax, plot);
        QVERIFY(cut.size() < all.size() / 4);
        const Drawn shown = draw(cut, xMin, xMax);
        QCOMPARE(shown.top.size(), full.top.size());
        auto near = [](const QList<int>& rows, qsizetype px, int row) {
            for (qsizetype q = std::max<qsizetype>(0, px - 1);
                 q <= std::min<qsizetype>(rows.size() - 1, px + 1); ++q) {
                if (std::abs(rows[q] - row) <= 1)
                    return true;
            }
            return false;
        };
        int differ = 0;
        for (qsizetype px = 0; px < full.top.size(); ++px) {
            if (!near(full.top, px, shown.top[px]) || !near(full.bottom, px, shown.bottom[px])) {
                ++differ;
            }
        }
        QVERIFY2(differ * 100 <= full.top.size(), qPrintable(QString::number(differ)));
    }

    void barsKeepTheirPlacesAndHeights_data() {
        QTest::addColumn<double>("xMin");
        QTest::addColumn<double>("xMax");
        QTest::addColumn<int>("columns");
        QTest::newRow("denser than the columns") << 0.7 << 100000.5 << 1000;
        QTest::newRow("zoomed, still denser") << 44000.2 << 46000.9 << 700;
        QTest::newRow("zoomed, sparser") << 44990.6 << 45010.5 << 700;
    }
    void barsKeepTheirPlacesAndHeights() {
        QFETCH(double, xMin);
        QFETCH(double, xMax);
        QFETCH(int, columns);
        const int spike = 45000;
        const QList<QPointF> all = noisy(100001, spike);
        const BarView view = BarsInView(all, xMin, xMax, columns);
        // Where a value sits on the bars' own axis, as a position of the view.
        const double scale = (xMax - xMin) / (view.axisMax - view.axisMin);
        auto positionOf = [&](qsizetype j) { return xMin + (j - view.axisMin) * scale; };
        if (xMax - xMin <= columns) {
            // The bars themselves at their own positions, every one that reaches into view.
            QCOMPARE(view.barWidth, BarView::BarWidth);
            QCOMPARE(scale, 1.0);
            for (qsizetype j = 0; j < view.values.size(); ++j) {
                const int k = int(std::lround(positionOf(j)));
                QCOMPARE(positionOf(j), double(k));
                QCOMPARE(view.values[j], all[k].y());
            }
            QVERIFY(positionOf(0) <= xMin + 0.5);
            QVERIFY(positionOf(view.values.size() - 1) >= xMax - 0.5);
            return;
        }
        // One bar per column, filling it, as high as its highest bar.
        QCOMPARE(view.values.size(), qsizetype(columns));
        QCOMPARE(view.barWidth, 1.0);
        const double width = (xMax - xMin) / columns;
        for (qsizetype c = 0; c < view.values.size(); ++c) {
            QVERIFY(qAbs(positionOf(c) - (xMin + (c + 0.5) * width)) < 1e-6 * width);
            double highest = -1;
            for (qsizetype k = qsizetype(std::ceil(xMin + c * width - 0.5));
                 k <= qsizetype(std::floor(xMin + (c + 1) * width + 0.5)); ++k) {
                if (k >= 0 && k < all.size())
                    highest = std::max(highest, all[k].y());
            }
            QCOMPARE(view.values[c], highest);
        }
        QCOMPARE(*std::max_element(view.values.cbegin(), view.values.cend()), 99.0);
    }
};

QTEST_MAIN(TestChartView)
#include "tst_chartView.moc"
