// What the live display shows, without widgets: row texts, panel values, the controls of
// the three plant states, the heartbeat and the daily readout schedule.
#include "core/Daten.h"
#include "core/KompUtils.h"
#include "core/Regional.h"
#include "core/Settings.h"
#include "display/AnzeigeLogic.h"

#include <QtTest>

class TestAnzeigeLogic : public QObject {
    Q_OBJECT

    static MeasurementRecord record(int t, int mode, int refDepth) {
        MeasurementRecord r;
        r.Valid = true;
        r.T1 = r.T2 = r.T3 = r.T4 = r.T5 = t;
        r.O2 = 123;
        r.RefDepth = refDepth;
        r.FanOn = true;
        r.Mode = uint8_t(mode);
        r.RunTime = 456;
        r.Cycles = 7;
        return r;
    }

private slots:
    void init() {
        ResetProcessState();
        Regional::setLocaleOverride(QLocale::c());
    }
    void cleanup() { Regional::clearLocaleOverride(); }

    void rowTexts_data() {
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("imperial");
        QTest::addColumn<bool>("showRef");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("cells"); // "<null>" = not written
        const QString n = QStringLiteral("<null>");
        QTest::newRow("metric") << true << false << true << 2
                                << QStringList{"EIN", "12,3", "Intervall", "456", "7", "100"};
        QTest::newRow("imperial depth")
            << true << true << true << 3
            << QStringList{"EIN", "12,3", "O2-Regelung", "456", "7", "39"};
        QTest::newRow("no reference depth")
            << true << false << false << 0
            << QStringList{"EIN", "12,3", "Manuell- AUS", "456", "7", n};
        QTest::newRow("safety mode")
            << true << false << true << 4
            << QStringList{"EIN", "12,3", "Steuerbetrieb", "456", "7", "100"};
        QTest::newRow("unknown mode")
            << true << false << true << 9 << QStringList{"EIN", "12,3", n, "456", "7", "100"};
        // An invalid status shows "---" even in the reference column that is otherwise
        // never written.
        QTest::newRow("invalid") << false << false << false << 2
                                 << QStringList{"---", "---", "---", "---", "---", "---"};
    }
    void rowTexts() {
        QFETCH(bool, valid);
        QFETCH(bool, imperial);
        QFETCH(bool, showRef);
        QFETCH(int, mode);
        QFETCH(QStringList, cells);
        KompUtils::ImperialUnits = imperial;
        KompUtils::ShowRefDepth = showRef;
        MeasurementRecord r = record(55, mode, 100);
        r.Valid = valid;
        const auto got = Anzeige::PlantRowTexts(r);
        for (int c = 0; c < 6; ++c) {
            const QString want = cells[c] == QStringLiteral("<null>") ? QString() : cells[c];
            QCOMPARE(got[size_t(c)].isNull(), want.isNull());
            QCOMPARE(got[size_t(c)], want);
        }
    }

    void panelUnits_data() {
        QTest::addColumn<bool>("imperial");
        QTest::addColumn<int>("celsius");
        QTest::addColumn<int>("depth");
        QTest::addColumn<int>("shownT");
        QTest::addColumn<int>("shownDepth");
        QTest::newRow("metric") << false << 55 << 100 << 55 << 100;
        QTest::newRow("55 C") << true << 55 << 100 << 131 << 39;
        QTest::newRow("-1 C truncates") << true << -1 << 25 << 31 << 9;
    }
    void panelUnits() {
        QFETCH(bool, imperial);
        QFETCH(int, celsius);
        QFETCH(int, depth);
        KompUtils::ImperialUnits = imperial;
        const Anzeige::PanelValues v = Anzeige::PanelFor(record(celsius, 2, depth));
        QVERIFY(!v.blank);
        for (int t : v.temperature)
            QTEST(t, "shownT");
        QTEST(v.refDepth, "shownDepth");
        QCOMPARE(v.o2, 12.3);
        QCOMPARE(v.modeTab, 2);
    }

    void panelSafetyAndInvalid() {
        Anzeige::PanelValues v = Anzeige::PanelFor(record(50, 4, 50));
        QVERIFY(v.safetyMode);
        QCOMPARE(v.modeTab, -1); // no tab for mode 4: the tabs keep their selection
        MeasurementRecord r = record(50, 1, 50);
        r.Valid = false;
        v = Anzeige::PanelFor(r);
        QVERIFY(v.blank && !v.fanOn);
        QCOMPARE(v.refDepth, 0);
    }

    void controls_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("pileName");
        QTest::addColumn<QList<bool>>("enabled"); // new, continue, end, options, lamp
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("count");
        QTest::newRow("absent") << false << false << "KEINE ANLAGE ANGESCHLOSSEN!!"
                                << QList<bool>{false, false, false, false, false} << ""
                                << "";
        QTest::newRow("off") << true << false << "Angeschlossene ANLAGE ist abgeschaltet!!"
                             << QList<bool>{true, true, false, true, true} << "/d/f.CSV"
                             << "42";
        QTest::newRow("running") << true << true << "Miete7"
                                 << QList<bool>{false, false, true, true, true} << "/d/f.CSV"
                                 << "42";
    }
    void controls() {
        QFETCH(bool, present);
        QFETCH(bool, on);
        QFETCH(QList<bool>, enabled);
        tAnlageParameter p;
        p.Present = present;
        p.SwitchedOn = on;
        p.Storing = 1;
        p.Name = QStringLiteral("Miete7");
        p.Datei = QStringLiteral("/d/f.CSV");
        p.Anzahl = 42;
        const Anzeige::PlantControls c = Anzeige::ControlsFor(p);
        QCOMPARE(c.newPile, enabled[0]);
        QCOMPARE(c.continuePile, enabled[1]);
        QCOMPARE(c.endPile, enabled[2]);
        QCOMPARE(c.options, enabled[3]);
        QCOMPARE(c.storingLamp, enabled[4]);
        QTEST(c.pileName, "pileName");
        QTEST(c.fileText, "file");
        QTEST(c.countText, "count");
    }

    void heartbeatCycles() {
        int h = 0;
        QList<int> seen;
        for (int i = 0; i < 12; ++i)
            seen << (h = Anzeige::NextHeartbeat(h));
        QCOMPARE(seen, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2}));
    }

    void backupSchedule_data() {
        QTest::addColumn<QTime>("setAt");
        QTest::addColumn<int>("runsAfterDays"); // the first run is due this many days on
        QTest::newRow("exactly on the hour") << QTime(6, 0, 0) << 0;
        QTest::newRow("one second late") << QTime(6, 0, 1) << 1;
    }
    void backupSchedule() {
        QFETCH(QTime, setAt);
        QFETCH(int, runsAfterDays);
        const QDateTime set(QDate(2026, 3, 2), setAt);
        Settings::ReadoutHour = 6;
        Settings::ComputeBackupDue(set);
        QCOMPARE(Anzeige::BackupDueAt(set), runsAfterDays == 0);
        const QDateTime due(QDate(2026, 3, 2).addDays(runsAfterDays), QTime(6, 0));
        QVERIFY(!Anzeige::BackupDueAt(due.addSecs(-1)));
        QVERIFY(Anzeige::BackupDueAt(due));
    }

    // Run under TZ=Europe/Berlin: the clocks go forward on 29 March 2026 and back on 25 October.
    // Each readout keeps the clock hour on its calendar date, however long the day.
    void scheduleAcrossClockChanges_data() {
        QTest::addColumn<int>("hour");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QList<QDateTime>>("dues");
        const QDate spring(2026, 3, 29);
        const QDate autumn(2026, 10, 25);
        auto at = [](QDate d, int h) { return QDateTime(d, QTime(h, 0)); };
        QTest::newRow("14, started on the spring day")
            << 14 << QDateTime(spring, QTime(1, 0))
            << QList<QDateTime>{at(spring, 14), at(spring.addDays(1), 14),
                                at(spring.addDays(2), 14)};
        QTest::newRow("14, started the day before spring")
            << 14 << QDateTime(spring.addDays(-1), QTime(20, 0))
            << QList<QDateTime>{at(spring, 14), at(spring.addDays(1), 14)};
        QTest::newRow("24, started on the autumn day")
            << 24 << QDateTime(autumn, QTime(10, 0))
            << QList<QDateTime>{at(autumn.addDays(1), 0), at(autumn.addDays(2), 0)};
        QTest::newRow("24, started the day before autumn")
            << 24 << QDateTime(autumn.addDays(-1), QTime(10, 0))
            << QList<QDateTime>{at(autumn, 0), at(autumn.addDays(1), 0), at(autumn.addDays(2), 0)};
        QTest::newRow("14, started on the autumn day")
            << 14 << QDateTime(autumn, QTime(1, 0))
            << QList<QDateTime>{at(autumn, 14), at(autumn.addDays(1), 14)};
        // 02:00 does not exist on the spring day: that readout runs when the clock shows 03:00.
        QTest::newRow("2, across spring")
            << 2 << QDateTime(spring.addDays(-1), QTime(5, 0))
            << QList<QDateTime>{at(spring, 3), at(spring.addDays(1), 2), at(spring.addDays(2), 2)};
        QTest::newRow("1, across spring")
            << 1 << QDateTime(spring.addDays(-1), QTime(5, 0))
            << QList<QDateTime>{at(spring, 1), at(spring.addDays(1), 1)};
    }
    void scheduleAcrossClockChanges() {
        QFETCH(int, hour);
        QFETCH(QDateTime, start);
        QFETCH(QList<QDateTime>, dues);
        QCOMPARE(QDateTime(QDate(2026, 3, 29), QTime(12, 0)).offsetFromUtc(), 7200);
        QCOMPARE(QDateTime(QDate(2026, 3, 28), QTime(12, 0)).offsetFromUtc(), 3600);
        Settings::ReadoutHour = hour;
        Settings::ComputeBackupDue(start);
        for (const QDateTime& due : dues) {
            QCOMPARE(Settings::BackupDue, due);
            QVERIFY(!Anzeige::BackupDueAt(due.addSecs(-1)));
            QVERIFY(Anzeige::BackupDueAt(due));
            Anzeige::AdvanceBackupDue();
        }
    }

    // A due time two days old is caught up by one run per tick, then waits for tomorrow.
    void missedDaysCatchUpOneATick() {
        const QDateTime now(QDate(2026, 3, 4), QTime(9, 0));
        Settings::ReadoutHour = 6;
        Settings::ComputeBackupDue(now.addDays(-2).addSecs(-4 * 3600));
        int runs = 0;
        for (int tick = 0; tick < 5; ++tick) {
            if (Anzeige::BackupDueAt(now)) {
                ++runs;
                Anzeige::AdvanceBackupDue();
            }
        }
        QCOMPARE(runs, 3); // 2nd, 3rd and 4th of March
        QCOMPARE(Settings::BackupDue, QDateTime(QDate(2026, 3, 5), QTime(6, 0)));
        Settings::ReadoutHour = 0;
        Settings::ComputeBackupDue(now);
        QVERIFY(!Anzeige::BackupDueAt(now.addDays(3)));
    }
};

QTEST_GUILESS_MAIN(TestAnzeigeLogic)
#include "tst_anzeigeLogic.moc"
