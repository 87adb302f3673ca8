// The hygienisation overview computed from measurement files: the three temperature/time
// combinations for the core and the coolest sensor, runs split by a cooler reading, a gap
// or a clock set back, and every record used whatever the one-value-per-day choice.
#include "Fixture.h"

#include "core/Daten.h"
#include "core/KompUtils.h"
#include "core/Regional.h"
#include "evaluation/Hygiene.h"
#include "evaluation/TMessDaten.h"

#include <QTemporaryDir>
#include <QtTest>

using Fixture::Temps;

class TestHygiene : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    std::array<Hygiene::Result, 3> evaluate(const QStringList& records) {
        const QString path = dir.filePath(QStringLiteral("h.csv"));
        if (!Fixture::write(path, Fixture::header() + records))
            return {};
        TMessDaten data;
        if (data.LoadFile(path) != TMessDaten::LoadResult::Valid)
            return {};
        // The window's series stay as they are: the overview works on a copy.
        data.FillSeries(true, nullptr);
        const int pointsPerDay = data.PointCount;
        const auto results = Hygiene::Evaluate(Hygiene::SamplesOf(data));
        data.FillSeries(true, nullptr);
        if (data.PointCount != pointsPerDay)
            return {};
        return results;
    }

private slots:
    void init() {
        ResetProcessState();
        Regional::setLocaleOverride(QLocale(QLocale::German, QLocale::Germany));
    }
    void cleanup() { Regional::clearLocaleOverride(); }

    void combinations_data() {
        QTest::addColumn<int>("hours");
        QTest::addColumn<int>("coreTemp");
        QTest::addColumn<int>("lowestTemp");
        QTest::addColumn<int>("dipAt");   // hour of one cooler reading, -1 none
        QTest::addColumn<int>("gapFrom"); // first hour without records, -1 none
        QTest::addColumn<int>("gapHours");
        QTest::addColumn<bool>("imperial");
        QTest::addColumn<QString>("core"); // reached per combination 55/14, 60/6, 65/3
        QTest::addColumn<QString>("lowest");
        QTest::addColumn<double>("coreDays55");

        QTest::newRow("56 °C for 15 days") << 360 << 56 << 56 << -1 << -1 << 0 << false << "+--"
                                           << "+--" << 15.0;
        QTest::newRow("in °F on screen") << 360 << 61 << 61 << -1 << -1 << 0 << true << "++-"
                                         << "++-" << 15.0;
        QTest::newRow("exactly 55 °C for exactly 14 days")
            << 336 << 55 << 55 << -1 << -1 << 0 << false << "+--"
            << "+--" << 14.0;
        QTest::newRow("a day short") << 312 << 66 << 66 << -1 << -1 << 0 << false << "-++"
                                     << "-++" << 13.0;
        QTest::newRow("one reading below splits the run")
            << 360 << 56 << 56 << 200 << -1 << 0 << false << "---"
            << "---" << 8.1;
        QTest::newRow("the base sensor stays cooler")
            << 360 << 66 << 56 << -1 << -1 << 0 << false << "+++"
            << "+--" << 15.0;
        QTest::newRow("two days without records")
            << 408 << 56 << 56 << -1 << 200 << 48 << false << "---"
            << "---" << 8.1;
        QTest::newRow("never hot") << 360 << 40 << 40 << -1 << -1 << 0 << false << "---"
                                   << "---" << -1.0;
    }
    void combinations() {
        QFETCH(int, hours);
        QFETCH(int, coreTemp);
        QFETCH(int, lowestTemp);
        QFETCH(int, dipAt);
        QFETCH(int, gapFrom);
        QFETCH(int, gapHours);
        QFETCH(bool, imperial);
        QFETCH(QString, core);
        QFETCH(QString, lowest);
        QFETCH(double, coreDays55);
        KompUtils::ImperialUnits = imperial;
        const auto results = evaluate(Fixture::records(hours, 4, [&](int h) {
            Temps v;
            v.t[0] = coreTemp;
            v.t[1] = v.t[2] = v.t[3] = std::max(coreTemp, lowestTemp);
            v.t[4] = lowestTemp;
            // Not at the end of a day: one value per day would never see it.
            if (h == dipAt)
                v.t[0] = v.t[4] = 54;
            v.skip = gapFrom >= 0 && h >= gapFrom && h < gapFrom + gapHours;
            return v;
        }));
        QString gotCore, gotLowest;
        for (const Hygiene::Result& r : results) {
            gotCore += r.core.reached ? '+' : '-';
            gotLowest += r.lowest.reached ? '+' : '-';
        }
        QCOMPARE(gotCore, core);
        QCOMPARE(gotLowest, lowest);
        const Hygiene::Run& run = results[0].core;
        QCOMPARE(run.found, coreDays55 >= 0);
        if (run.found)
            QCOMPARE(std::floor(run.seconds / 8640.0) / 10.0, coreDays55);
    }

    void periodBounds() {
        const auto results = evaluate(Fixture::records(360, 4, [](int h) {
            Temps v;
            if (h < 24 || h >= 352)
                v.t[0] = 50;
            return v;
        }));
        const Hygiene::Run& run = results[0].core;
        QCOMPARE(run.start, QDateTime(QDate(2026, 3, 2), QTime(0, 0)));
        QCOMPARE(run.end, QDateTime(QDate(2026, 3, 15), QTime(12, 0)));
        QVERIFY(!run.reached);
        QCOMPARE(Hygiene::Texts::stamp(run.start), QStringLiteral("02.03.2026  00:00"));
    }

    void clockSetBack() {
        QList<Hygiene::Sample> s;
        const QDateTime t0(QDate(2026, 3, 1), QTime(0, 0));
        for (int d = 0; d <= 10; ++d)
            s.append({t0.addDays(d), 66, 66});
        // The controller's clock went back a week: the days after it are not added on.
        for (int d = 3; d <= 10; ++d)
            s.append({t0.addDays(d), 66, 66});
        const Hygiene::Run run = Hygiene::LongestRun(s, Hygiene::Sensor::Core, 55, 14);
        QCOMPARE(run.seconds, qint64(10) * 24 * 3600);
        QVERIFY(!run.reached);
    }

    void notValidGivesNothing() {
        TMessDaten data;
        QVERIFY(Hygiene::SamplesOf(data).isEmpty());
        const auto results = Hygiene::Evaluate({});
        for (const Hygiene::Result& r : results) {
            QVERIFY(!r.core.found);
            QVERIFY(!r.lowest.reached);
        }
    }
};

QTEST_GUILESS_MAIN(TestHygiene)
#include "tst_hygiene.moc"
