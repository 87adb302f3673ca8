// The measurement series on a QChart: nine series with the data's points on the axes the
// data names, the chart settings applied, and series that survive being moved, detached
// and the destruction of the chart that showed them.
#include "core/Daten.h"
#include "core/Regional.h"
#include "evaluation/TMessDaten.h"
#include "evaluation/UChartSeries.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLineSeries>
#include <QTemporaryDir>
#include <QValueAxis>
#include <QtTest>
#include <memory>

namespace {

QStringList fileLines() {
    return {QStringLiteral("Firmen- Name"),
            QStringLiteral("* Text *"),
            QStringLiteral("* Text *"),
            QString(),
            QStringLiteral("Anlagen- Name: Nord"),
            QStringLiteral("Datei  - Name: D:\\Nord_09-12-2026.CSV"),
            QStringLiteral("Miete 4"),
            QStringLiteral("Erste Datensicherung : 09.12.2026"),
            QStringLiteral(" ;Speicherzeit;T5;T4;T3;T2;T1;RefMarke; O2[vol%];Betriebsart;"
                           "Luefterlaufzeit;LuefterZyklen"),
            QStringLiteral(
                "1;09.12.2026  14:30;   58;   62;   60;   51;   45;   36; 20,9;3;  125;   48;"),
            QStringLiteral(
                "2;09.12.2026  15:30;   59;   63;   61;   53;   47;   31; 18,7;3;  730;   50;"),
            QStringLiteral(
                "3;10.12.2026  08:00;   40;   41;   42;   43;   44;    0;  5,5;0;  731;   51;")};
}

} // namespace

class TestChartSeries : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<TMessDaten> data;

private slots:
    void init() {
        ResetProcessState();
        Regional::setLocaleOverride(QLocale(QLocale::German, QLocale::Germany));
        const QString path = dir.filePath(QStringLiteral("Nord.CSV"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(fileLines().join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
        f.close();
        data = std::make_unique<TMessDaten>();
        QCOMPARE(data->LoadFile(path), TMessDaten::LoadResult::Valid);
        QVERIFY(data->FillSeries(false, nullptr));
    }
    void cleanup() {
        data.reset();
        Regional::clearLocaleOverride();
    }

    // Every series shows the data's points at the same positions, on its own axis.
    void seriesFollowTheData() {
        TChartSeries series(*data);
        QChart chart;
        series.AttachSeries(&chart);
        QCOMPARE(chart.series().size(), 9);
        const auto all = data->AllSeries();
        for (int i = 0; i < 9; ++i) {
            QAbstractSeries* s = series.Series(i);
            QCOMPARE(s->name(), all[size_t(i)]->title);
            QList<double> shown;
            if (QLineSeries* line = series.LineSeries(i)) {
                for (const QPointF& p : line->points())
                    shown << p.y();
            } else {
                QBarSet* set = series.BarSet(i);
                QVERIFY(set);
                for (int k = 0; k < set->count(); ++k)
                    shown << set->at(k);
            }
            QList<double> expected;
            for (const QPointF& p : all[size_t(i)]->points)
                expected << p.y();
            QCOMPARE(shown, expected);
            const ChartTarget::Axis side = all[size_t(i)]->axis == ChartSeriesData::RightAxis
                                               ? ChartTarget::Right
                                               : ChartTarget::Left;
            QVERIFY(s->attachedAxes().contains(QtChartTarget::axisOf(&chart, side)));
            QVERIFY(s->attachedAxes().contains(QtChartTarget::axisOf(&chart, ChartTarget::Bottom)));
        }
        QVERIFY(qobject_cast<QBarSeries*>(series.Series(7)));
        QCOMPARE(series.LineSeries(1)->pen().style(), Qt::DotLine);
        QCOMPARE(series.LineSeries(0)->pen().color(), QColor(128, 0, 0));
    }

    void chartSettings_data() {
        QTest::addColumn<bool>("fanMode");
        QTest::addColumn<double>("leftMax");
        QTest::addColumn<double>("rightMax");
        QTest::addColumn<double>("bottomMax");
        QTest::addColumn<QString>("leftTitle");
        // Fan data: the maxima follow the run times (up to 731) and cycles (up to 51).
        QTest::newRow("environment") << false << 100.0 << 25.0 << 3.0 << "T[°C]";
        QTest::newRow("fan") << true << 731.0 << 51.0 << 3.5 << "t/min";
    }
    void chartSettings() {
        QFETCH(bool, fanMode);
        QFETCH(double, leftMax);
        QFETCH(double, rightMax);
        QFETCH(double, bottomMax);
        QFETCH(QString, leftTitle);
        data->FanMode = fanMode;
        TChartSeries series(*data);
        QChart chart;
        series.AttachSeries(&chart);
        series.SetupChart(&chart);
        QValueAxis* left = QtChartTarget::axisOf(&chart, ChartTarget::Left);
        QValueAxis* right = QtChartTarget::axisOf(&chart, ChartTarget::Right);
        QValueAxis* bottom = QtChartTarget::axisOf(&chart, ChartTarget::Bottom);
        QCOMPARE(left->min(), 0.0);
        QCOMPARE(right->min(), 0.0);
        if (fanMode) {
            QVERIFY(left->max() >= leftMax);
            QVERIFY(right->max() >= rightMax);
        } else {
            QCOMPARE(left->max(), leftMax);
            QCOMPARE(right->max(), rightMax);
        }
        QCOMPARE(bottom->min(), 0.7);
        QCOMPARE(bottom->max(), bottomMax);
        QCOMPARE(left->titleText(), leftTitle);
        QCOMPARE(bottom->titleText(), QStringLiteral("Messwert- Nr"));
        QCOMPARE(bottom->labelFormat(), QStringLiteral("%.0f"));
        QVERIFY(chart.title().contains(QStringLiteral("Nord")));
        QCOMPARE(QtChartTarget::footerOf(&chart), QStringLiteral(" D:\\Nord_09-12-2026.CSV"));
        QVERIFY(chart.legend()->isVisible());

        // A zoom moved the vertical ranges; resetting brings back the data's ranges.
        left->setRange(10, 20);
        series.ResetAxes(&chart);
        QCOMPARE(left->min(), 0.0);
        QVERIFY(left->max() >= leftMax);
    }

    // Attaching elsewhere moves the series; detaching or a destroyed chart loses nothing.
    void seriesOutliveCharts() {
        TChartSeries series(*data);
        QChart first;
        series.AttachSeries(&first);
        QPointer<QAbstractSeries> kept = series.Series(0);
        {
            QChart report;
            series.AttachSeries(&report);
            QVERIFY(first.series().isEmpty());
            QCOMPARE(report.series().size(), 9);
            QCOMPARE(series.Series(0), kept.data());
        }
        // The report chart took its series with it; they come back from the data.
        series.AttachSeries(&first);
        QCOMPARE(first.series().size(), 9);
        QCOMPARE(series.LineSeries(0)->count(), data->PointCount + 1);
        series.AttachSeries(nullptr);
        QVERIFY(first.series().isEmpty());
        QCOMPARE(series.LineSeries(0)->count(), data->PointCount + 1);

        // A refill reaches the series.
        QVERIFY(data->FillSeries(true, nullptr));
        series.Update();
        QCOMPARE(series.LineSeries(6)->count(), data->PointCount + 1);
        QCOMPARE(series.BarSet(8)->count(), data->PointCount + 1);
    }
};

QTEST_MAIN(TestChartSeries)
#include "tst_chartSeries.moc"
