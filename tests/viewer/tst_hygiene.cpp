// The hygienisation overview computed from measurement files: the three temperature/time
// combinations for the core, the coldest sensor inside the material and the surface; runs
// split by a cooler reading, a hole in the record or a clock set back; durations between
// clock readings whatever the PC's daylight-saving time; every record used whatever the
// one-value-per-day choice. Runs under TZ=Europe/Berlin.
#include "Fixture.h"

#include "core/Daten.h"
#include "core/KompUtils.h"
#include "core/Regional.h"
#include "evaluation/Hygiene.h"
#include "evaluation/TMessDaten.h"

#include <QTemporaryDir>
#include <QtTest>
#include <ctime>

using Fixture::Temps;

namespace {

// A record `minutes` after the start of a hand-made file.
struct At {
    qint64 minutes = 0;
    Temps temps;
};

QList<At> hourly(int hours, qint64 fromMinute, int temp) {
    QList<At> out;
    for (int h = 0; h <= hours; ++h) {
        At a{fromMinute + qint64(h) * 60, Temps()};
        for (int& t : a.temps.t)
            t = temp;
        out << a;
    }
    return out;
}

} // namespace

Q_DECLARE_METATYPE(At)

class TestHygiene : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    Hygiene::Overview evaluateLines(const QStringList& records) {
        const QString path = dir.filePath(QStringLiteral("h.csv"));
        if (!Fixture::write(path, Fixture::header() + records))
            return {};
        TMessDaten data;
        if (data.LoadFile(path) != TMessDaten::LoadResult::Valid)
            return {};
        // The window's series stay as they are: the overview works on a copy.
        data.FillSeries(true, nullptr);
        const int pointsPerDay = data.PointCount;
        const auto overview = Hygiene::Evaluate(Hygiene::SamplesOf(data));
        data.FillSeries(true, nullptr);
        if (data.PointCount != pointsPerDay)
            return {};
        return overview;
    }
    Hygiene::Overview evaluate(const QDateTime& start, const QList<At>& records) {
        QStringList lines;
        for (const At& a : records)
            lines << Fixture::line(int(lines.size()) + 1, start.addSecs(a.minutes * 60), a.temps);
        return evaluateLines(lines);
    }
    static QString reachedFlags(const Hygiene::Overview& o, Hygiene::Sensor s) {
        QString out;
        for (const Hygiene::Result& r : o.results)
            out += r.run(s).reached ? '+' : '-';
        return out;
    }

private slots:
    void initTestCase() {
        if (qEnvironmentVariableIsEmpty("TZ")) {
            qputenv("TZ", "Europe/Berlin");
            tzset();
        }
        // The clock-reading cases mean something only where the PC changes its offset.
        const QDateTime before(QDate(2026, 10, 24), QTime(12, 0));
        QCOMPARE(before.secsTo(QDateTime(QDate(2026, 10, 25), QTime(12, 0))), qint64(25 * 3600));
    }
    void init() {
        ResetProcessState();
        Regional::setLocaleOverride(QLocale(QLocale::German, QLocale::Germany));
    }
    void cleanup() { Regional::clearLocaleOverride(); }

    void combinationsShown() {
        const auto o = Hygiene::Evaluate({});
        QStringList shown;
        for (const Hygiene::Result& r : o.results)
            for (Hygiene::Sensor s : Hygiene::Sensors)
                shown << Hygiene::Texts::cells(r, s).mid(0, 2).join(QLatin1Char('|'));
        QCOMPARE(shown, QStringList({"55 °C / 14 Tage|Kern", "|kältester Fühler 25–100 cm",
                                     "|Oberfläche 0 cm (nur Info)", "65 °C / 7 Tage|Kern",
                                     "|kältester Fühler 25–100 cm", "|Oberfläche 0 cm (nur Info)",
                                     "60 °C / 7 Tage|Kern",
                                     "nur geschlossene Anlagen|kältester Fühler 25–100 cm",
                                     "|Oberfläche 0 cm (nur Info)"}));
        QVERIFY(o.results[2].requirement.closedPlantsOnly);
        QVERIFY(!o.results[0].requirement.closedPlantsOnly);
        QVERIFY(!o.results[1].requirement.closedPlantsOnly);
    }

    void combinations_data() {
        QTest::addColumn<int>("hours");
        QTest::addColumn<int>("coreTemp");    // 100 cm
        QTest::addColumn<int>("innerTemp");   // 75, 50 and 25 cm
        QTest::addColumn<int>("surfaceTemp"); // 0 cm
        QTest::addColumn<int>("dipAt");       // hour of one cooler reading, -1 none
        QTest::addColumn<int>("gapFrom");     // first hour without records, -1 none
        QTest::addColumn<int>("gapHours");
        QTest::addColumn<bool>("imperial");
        // Reached per combination 55/14, 65/7, 60/7.
        QTest::addColumn<QString>("core");
        QTest::addColumn<QString>("coldest");
        QTest::addColumn<QString>("surface");
        QTest::addColumn<double>("coreDays55");

        QTest::newRow("56 °C for 15 days")
            << 360 << 56 << 56 << 56 << -1 << -1 << 0 << false << "+--"
            << "+--"
            << "+--" << 15.0;
        QTest::newRow("61 °C, in °F on screen")
            << 360 << 61 << 61 << 61 << -1 << -1 << 0 << true << "+-+"
            << "+-+"
            << "+-+" << 15.0;
        QTest::newRow("exactly 55 °C for exactly 14 days")
            << 336 << 55 << 55 << 55 << -1 << -1 << 0 << false << "+--"
            << "+--"
            << "+--" << 14.0;
        QTest::newRow("exactly 65 °C for exactly 7 days")
            << 168 << 65 << 65 << 65 << -1 << -1 << 0 << false << "-++"
            << "-++"
            << "-++" << 7.0;
        QTest::newRow("66 °C four hours short of 7 days")
            << 164 << 66 << 66 << 66 << -1 << -1 << 0 << false << "---"
            << "---"
            << "---" << 6.8;
        QTest::newRow("62 °C for 8 days: closed plants only")
            << 192 << 62 << 62 << 62 << -1 << -1 << 0 << false << "--+"
            << "--+"
            << "--+" << 8.0;
        QTest::newRow("one reading below splits the run")
            << 360 << 56 << 56 << 56 << 200 << -1 << 0 << false << "---"
            << "---"
            << "---" << 8.1;
        QTest::newRow("the surface stays cool: not the coldest line")
            << 360 << 66 << 66 << 40 << -1 << -1 << 0 << false << "+++"
            << "+++"
            << "---" << 15.0;
        QTest::newRow("the 25 cm sensor stays cooler")
            << 360 << 66 << 56 << 66 << -1 << -1 << 0 << false << "+++"
            << "+--"
            << "+++" << 15.0;
        QTest::newRow("two days without records")
            << 408 << 56 << 56 << 56 << -1 << 200 << 48 << false << "---"
            << "---"
            << "---" << 8.1;
        QTest::newRow("never hot") << 360 << 40 << 40 << 40 << -1 << -1 << 0 << false << "---"
                                   << "---"
                                   << "---" << -1.0;
    }
    void combinations() {
        QFETCH(int, hours);
        QFETCH(int, coreTemp);
        QFETCH(int, innerTemp);
        QFETCH(int, surfaceTemp);
        QFETCH(int, dipAt);
        QFETCH(int, gapFrom);
        QFETCH(int, gapHours);
        QFETCH(bool, imperial);
        QFETCH(QString, core);
        QFETCH(QString, coldest);
        QFETCH(QString, surface);
        QFETCH(double, coreDays55);
        KompUtils::ImperialUnits = imperial;
        const auto o = evaluateLines(Fixture::records(hours, 4, [&](int h) {
            Temps v;
            v.t[0] = coreTemp;
            v.t[1] = v.t[2] = std::max(coreTemp, innerTemp);
            v.t[3] = innerTemp;
            v.t[4] = surfaceTemp;
            // Not at the end of a day: one value per day would never see it.
            if (h == dipAt)
                v.t[0] = v.t[3] = v.t[4] = 54;
            v.skip = gapFrom >= 0 && h >= gapFrom && h < gapFrom + gapHours;
            return v;
        }));
        QVERIFY(o.any);
        QCOMPARE(reachedFlags(o, Hygiene::Sensor::Core), core);
        QCOMPARE(reachedFlags(o, Hygiene::Sensor::Coldest), coldest);
        QCOMPARE(reachedFlags(o, Hygiene::Sensor::Surface), surface);
        QCOMPARE(o.gaps, gapFrom >= 0 ? 1 : 0);
        const Hygiene::Run& run = o.results[0].core;
        QCOMPARE(run.found, coreDays55 >= 0);
        if (run.found)
            QCOMPARE(std::floor(run.seconds / 8640.0) / 10.0, coreDays55);
    }

    // A hole in the record: a spacing longer than twice the file's median spacing.
    void holes_data() {
        QTest::addColumn<QList<At>>("records");
        QTest::addColumn<int>("gaps");
        QTest::addColumn<qint64>("coreMinutes65"); // the longest run at 65 °C
        QTest::addColumn<QString>("duration65");

        // 39 hourly records at 66 °C, two holes of 23.5 hours: about 36 hours measured.
        QTest::newRow("two holes of 23.5 h") << hourly(12, 0, 66) + hourly(12, 12 * 60 + 1410, 66) +
                                                    hourly(12, 2 * (12 * 60 + 1410), 66)
                                             << 2 << qint64(12 * 60) << "0,5 Tage";
        QTest::newRow("twice the spacing is no hole")
            << hourly(40, 0, 66) + hourly(40, 42 * 60, 66) << 0 << qint64(82 * 60) << "3,4 Tage";
        QTest::newRow("a minute more is one") << hourly(40, 0, 66) + hourly(50, 42 * 60 + 1, 66)
                                              << 1 << qint64(50 * 60) << "2,0 Tage";
        QTest::newRow("a hole while cool still counts")
            << hourly(10, 0, 40) + hourly(10, 15 * 60, 40) + hourly(20, 26 * 60, 66) << 1
            << qint64(20 * 60) << "0,8 Tage";
        QTest::newRow("records every 4 hours: a 6 h spacing is no hole")
            << QList<At>{{0, {{66, 66, 66, 66, 66}}},
                         {240, {{66, 66, 66, 66, 66}}},
                         {480, {{66, 66, 66, 66, 66}}},
                         {840, {{66, 66, 66, 66, 66}}},
                         {1080, {{66, 66, 66, 66, 66}}}}
            << 0 << qint64(1080) << "0,7 Tage";
    }
    void holes() {
        QFETCH(QList<At>, records);
        QFETCH(int, gaps);
        QFETCH(qint64, coreMinutes65);
        QFETCH(QString, duration65);
        const auto o = evaluate(QDateTime(QDate(2026, 3, 1), QTime(0, 0)), records);
        QVERIFY(o.any);
        QCOMPARE(o.gaps, gaps);
        const Hygiene::Run& run = o.results[1].core;
        QCOMPARE(run.seconds, coreMinutes65 * 60);
        QCOMPARE(Hygiene::Texts::duration(run), duration65);
        QVERIFY(!run.reached);
        QCOMPARE(
            Hygiene::Texts::gaps(o.gaps),
            QStringLiteral("Lücken in der Aufzeichnung (länger als 2 × Median-Messabstand): %1")
                .arg(gaps));
    }

    // The controller's time stamps are clock readings: a change of the PC's offset between
    // two of them adds or takes no hour.
    void clockReadings_data() {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<int>("hours");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<bool>("reached");
        QTest::addColumn<QString>("end");
        QTest::newRow("13 d 23 h across the autumn change")
            << QDateTime(QDate(2026, 10, 19), QTime(0, 0)) << 335 << "13,9 Tage" << false
            << "01.11.2026  23:00";
        QTest::newRow("14 d across the spring change")
            << QDateTime(QDate(2026, 3, 22), QTime(0, 0)) << 336 << "14,0 Tage" << true
            << "05.04.2026  00:00";
    }
    void clockReadings() {
        QFETCH(QDateTime, start);
        QFETCH(int, hours);
        QFETCH(QString, duration);
        QFETCH(bool, reached);
        QFETCH(QString, end);
        // The file's stamps are written as the clock shows them, every hour of the day
        // (02:00 on the spring day too).
        QStringList lines;
        for (int h = 0; h <= hours; ++h) {
            const QDateTime at = QDateTime(start.date(), start.time(), Qt::UTC).addSecs(h * 3600);
            lines << Fixture::line(h + 1, at, Temps());
        }
        const auto o = evaluateLines(lines);
        const Hygiene::Run& run = o.results[0].core;
        QCOMPARE(run.seconds, qint64(hours) * 3600);
        QCOMPARE(Hygiene::Texts::duration(run), duration);
        QCOMPARE(run.reached, reached);
        QCOMPARE(Hygiene::Texts::stamp(run.end), end);
        QCOMPARE(o.gaps, 0);
    }

    void periodBounds() {
        const auto o = evaluateLines(Fixture::records(360, 4, [](int h) {
            Temps v;
            if (h < 24 || h >= 352)
                v.t[0] = 50;
            return v;
        }));
        const Hygiene::Run& run = o.results[0].core;
        QCOMPARE(Hygiene::Texts::stamp(run.start), QStringLiteral("02.03.2026  00:00"));
        QCOMPARE(Hygiene::Texts::stamp(run.end), QStringLiteral("15.03.2026  12:00"));
        QVERIFY(!run.reached);
    }

    // The controller's clock went back a week: the days after it are not added on, and a
    // step back is no hole.
    void clockSetBack() {
        const auto o = evaluate(QDateTime(QDate(2026, 3, 1), QTime(0, 0)),
                                hourly(240, 0, 66) + hourly(190, 3 * 24 * 60, 66));
        QCOMPARE(o.results[0].core.seconds, qint64(240) * 3600);
        QVERIFY(!o.results[0].core.reached);
        QVERIFY(o.results[1].core.reached);
        QCOMPARE(o.gaps, 0);
    }

    void notValidGivesNothing() {
        TMessDaten data;
        QVERIFY(Hygiene::SamplesOf(data).isEmpty());
        const auto o = Hygiene::Evaluate({});
        QVERIFY(!o.any);
        QCOMPARE(o.gaps, 0);
        for (const Hygiene::Result& r : o.results) {
            QVERIFY(!r.core.found);
            QVERIFY(!r.coldest.reached);
            QVERIFY(!r.surface.found);
        }
    }
};

QTEST_GUILESS_MAIN(TestHygiene)
#include "tst_hygiene.moc"
