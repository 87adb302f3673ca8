// The simulated plants over simulated days: how the pile heats, how the fan follows each
// operating mode, and when the controller falls back to its safety mode.
#include "sim/PlantModel.h"

#include <QtTest>

using sim::PlantModel;
using sim::PlantState;

namespace {
PlantState& runningPile(PlantModel& m, int address) {
    PlantState& p = m.plant(address);
    p.present = true;
    p.clock = QDateTime(QDate(2026, 12, 9), QTime(8, 0), Qt::UTC);
    m.startPile(address);
    return p;
}

// Fan state minute by minute, as '1' and '0'.
QByteArray fanTrace(PlantModel& m, int address, int minutes) {
    QByteArray trace;
    for (int i = 0; i < minutes; ++i) {
        m.advanceSeconds(60);
        trace += m.plant(address).fanOn ? '1' : '0';
    }
    return trace;
}
} // namespace

class TestPlantModel : public QObject {
    Q_OBJECT
private slots:
    void pileHeatsUp() {
        PlantModel m;
        PlantState& p = runningPile(m, 1);
        QVERIFY(p.temperature[0] < 25); // a new pile starts low
        m.advanceSeconds(qint64(4) * 24 * 3600);
        const double ambient = PlantModel::ambientAt(p.clock);
        for (int s = 0; s < 4; ++s)
            QVERIFY2(p.temperature[s] > p.temperature[s + 1] + 1,
                     qPrintable(QStringLiteral("sensor %1 not hotter than the one above").arg(s)));
        QVERIFY2(p.temperature[0] >= 55 && p.temperature[0] <= 70,
                 qPrintable(QString::number(p.temperature[0])));
        QVERIFY(p.temperature[2] >= 50);
        QVERIFY(qAbs(p.temperature[4] - ambient) < 8); // the surface stays near the air
        // Still thermophilic a week later, not yet on the way back to the air.
        m.advanceSeconds(qint64(7) * 24 * 3600);
        QVERIFY(p.temperature[0] >= 55);
        QVERIFY(p.cycles > 0 && p.runTime > 0);
    }

    void o2FallsAtRestAndRisesWithTheFan() {
        PlantModel m;
        PlantState& p = runningPile(m, 2);
        m.advanceSeconds(qint64(2) * 24 * 3600);
        int rises = 0, falls = 0, onMinutes = 0, switchOns = 0;
        bool wasOn = p.fanOn;
        const int runTime = p.runTime, cycles = p.cycles;
        for (int i = 0; i < 600; ++i) {
            const double before = p.o2;
            m.advanceSeconds(60);
            if (p.fanOn) {
                rises += p.o2 > before;
                ++onMinutes;
            } else {
                falls += p.o2 < before;
            }
            switchOns += p.fanOn && !wasOn;
            wasOn = p.fanOn;
            // O2 control keeps the gas between its thresholds, give or take a minute's move.
            QVERIFY(p.wireO2() > p.o2On - 30 && p.wireO2() < p.o2Off + 40);
        }
        QVERIFY(switchOns >= 10);
        QVERIFY(rises >= onMinutes * 9 / 10);
        QVERIFY(falls >= (600 - onMinutes) * 8 / 10);
        QCOMPARE(p.runTime - runTime, onMinutes);
        QCOMPARE(p.cycles - cycles, switchOns);
        QCOMPARE(p.mode, 3);
    }

    void fanFollowsTheMode_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("trace");
        QTest::newRow("0 off") << 0 << QByteArray("0000000000000000");
        QTest::newRow("1 on") << 1 << QByteArray("1111111111111111");
        // Interval 3 on / 4 off, beginning with the on phase.
        QTest::newRow("2 interval") << 2 << QByteArray("1110000111000011");
    }
    void fanFollowsTheMode() {
        QFETCH(int, mode);
        QFETCH(QByteArray, trace);
        PlantModel m;
        PlantState& p = runningPile(m, 3);
        p.intervalOn = 3;
        p.intervalOff = 4;
        m.setMode(3, mode);
        QCOMPARE(fanTrace(m, 3, int(trace.size())), trace);
        QCOMPARE(p.runTime, int(trace.count('1')));
    }

    void safetyModeAfterMaxOn() {
        PlantModel m;
        PlantState& p = runningPile(m, 4);
        p.o2Off = 210; // above air: O2 control would never stop the fan
        p.o2 = 3.0;
        p.maxOn = 5;
        p.safetyOn = 2;
        p.safetyOff = 3;
        // Minute 1 switches on; after more than 5 minutes on the controller takes over.
        QCOMPARE(fanTrace(m, 4, 5), QByteArray("11111"));
        QCOMPARE(p.mode, 3);
        QCOMPARE(fanTrace(m, 4, 1), QByteArray("1"));
        QCOMPARE(p.mode, 4);
        QCOMPARE(fanTrace(m, 4, 10), QByteArray("0001100011"));
        // Only a mode command brings O2 control back.
        m.setMode(4, 3);
        QCOMPARE(p.mode, 3);
    }

    void safetyModeAfterMaxOff() {
        PlantModel m;
        PlantState& p = runningPile(m, 5);
        p.o2On = 0; // the fan would never start
        p.maxOff = 7;
        p.safetyOn = 2;
        p.safetyOff = 30;
        QCOMPARE(fanTrace(m, 5, 8), QByteArray("00000000"));
        QCOMPARE(p.mode, 4);
        QCOMPARE(fanTrace(m, 5, 3), QByteArray("110"));
        // A new pile also ends the safety mode.
        m.startPile(5);
        QCOMPARE(p.mode, 3);
    }

    void switchedOffPileRestsAndStoresNothing() {
        PlantModel m;
        PlantState& p = runningPile(m, 6);
        m.setMode(6, 1);
        m.advanceSeconds(3 * 3600);
        QVERIFY(!p.memory.empty());
        const size_t stored = p.memory.size();
        const int runTime = p.runTime;
        m.switchOff(6);
        m.advanceSeconds(3 * 3600);
        QVERIFY(!p.fanOn);
        QCOMPARE(p.runTime, runTime);
        QCOMPARE(p.memory.size(), stored);
    }

    void sameSeedSameRun() {
        PlantModel a, b, c;
        c.setSeed(2);
        for (PlantModel* m : {&a, &b, &c})
            runningPile(*m, 7);
        // However the time is sliced, the same seed gives the same pile.
        a.advanceSeconds(3 * 24 * 3600);
        for (int i = 0; i < 3 * 24; ++i)
            b.advanceSeconds(3600);
        c.advanceSeconds(3 * 24 * 3600);
        QCOMPARE(a.plant(7).temperature, b.plant(7).temperature);
        QCOMPARE(a.plant(7).cycles, b.plant(7).cycles);
        QVERIFY(a.plant(7).temperature != c.plant(7).temperature);
    }
};

QTEST_GUILESS_MAIN(TestPlantModel)
#include "tst_plantModel.moc"
