// The live display window: its rows and panel against the simulated controllers, units and
// reference depth, the plant states, the safety mode, the daily readout on an injected
// clock, and screenshots for a look by eye.
#include "../ui/UiTestSupport.h"
#include "DisplayTestSupport.h"

#include "core/KompUtils.h"
#include "core/ProgramDir.h"
#include "core/Regional.h"
#include "display/DisplayWidgets.h"
#include "display/UAnzeige.h"
#include "link/Operations.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>

class TestAnzeige : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    std::unique_ptr<QTemporaryDir> dir;

    static QString cell(QTableWidget* g, int row, int col) {
        QTableWidgetItem* i = g->item(row, col);
        return i ? i->text() : QStringLiteral("<none>");
    }
    static QStringList row(TFAnzeige& w, int r) {
        QStringList out;
        for (int c = 1; c <= 6; ++c)
            out << cell(w.BPAnzGrid(), r, c);
        return out;
    }
    static MeasurementRecord status(int t, int mode) {
        MeasurementRecord r;
        r.Valid = true;
        r.T1 = t;
        r.T2 = t;
        r.T3 = t;
        r.T4 = t;
        r.T5 = -1;
        r.O2 = 205;
        r.RefDepth = 100;
        r.FanOn = true;
        r.Mode = uint8_t(mode);
        r.RunTime = 90;
        r.Cycles = 3;
        return r;
    }

private slots:
    void initTestCase() { UiTest::isolateUserSettings(userSettings); }
    void init() {
        ResetProcessState();
        Regional::setLocaleOverride(QLocale::c());
        dir = std::make_unique<QTemporaryDir>();
        ProgramDir::setOverride(dir->path());
        Settings::open(ProgramDir::iniPath());
    }
    void cleanup() {
        Regional::clearLocaleOverride();
        Settings::close();
    }

    // Opened on a plant with no valid status (switched off, here), the panel's displays show
    // no digits: each looks as it does once a shown value has been blanked, not like a 0.
    void panelBlankWhenOpenedWithoutValidStatus() {
        DisplayTest::Plants plants;
        plants.plant(2, false);
        KompUtils::PlantCount = 2;
        QVERIFY(plants.start());
        Daten::SelectedPlant = 2;
        TFAnzeige w;
        w.show();
        w.FormActivate();
        QTest::qWait(200);
        for (LedDisplay* led : {w.TAnz(1), w.TAnz(5), w.O2Anz(), w.ZyklenAnz(), w.LaufzeitAnz()}) {
            const QImage opened = led->grab().toImage();
            led->setValue(0);
            const QImage zero = led->grab().toImage();
            led->blank();
            const QImage blanked = led->grab().toImage();
            QVERIFY(zero != blanked);
            QVERIFY2(opened == blanked, qPrintable(led->objectName()));
        }
    }

    // Rows and panel follow the controllers' values within two ticks of a poll; a plant
    // that stops answering shows "---" and a blanked panel.
    void followsTheControllers() {
        DisplayTest::Plants plants;
        sim::PlantState& p = plants.plant(2, true);
        p.temperature = {70, 60, 50, 40, 30};
        p.o2 = 12.3;
        p.mode = 2;
        p.fanOn = true;
        p.runTime = 123;
        p.cycles = 7;
        plants.plant(1, true);
        KompUtils::PlantCount = 2; // a poll cycle of one second instead of sixteen
        QVERIFY(plants.start());
        Daten::SelectedPlant = 2;
        TFAnzeige w;
        w.show();
        w.FormActivate();
        QVERIFY(w.DispTimer.isActive() && plants.poll->LeseTimer.isActive());
        QCOMPARE(w.MieteName()->text(), Daten::Anlage[2].Name);
        const QStringList want{"EIN", "12,3", "Intervall", "123", "7", "62"};
        QTRY_COMPARE_WITH_TIMEOUT(row(w, 2), want, 5000);
        QCOMPARE(w.TAnz(1)->text(), QStringLiteral("70"));
        QCOMPARE(w.TAnz(5)->text(), QStringLiteral("30"));
        QCOMPARE(w.O2Anz()->text(), QStringLiteral("12.3"));
        QCOMPARE(w.LaufzeitAnz()->text(), QStringLiteral("123"));
        QCOMPARE(w.T55Anz()->value(), 62);
        QVERIFY(w.Luft1()->isVisible());
        QCOMPARE(w.BetriebsArtTab()->currentIndex(), 2);
        QVERIFY(w.Heartbeat() >= 1 && w.Heartbeat() <= 10);

        plants.sim.plant(2).present = false;
        const QStringList gone(6, QStringLiteral("---"));
        QTRY_COMPARE_WITH_TIMEOUT(row(w, 2), gone, 15000);
        QTRY_VERIFY(w.TAnz(1)->isBlank() && w.O2Anz()->isBlank() && w.ZyklenAnz()->isBlank());
        QCOMPARE(w.T55Anz()->value(), 0);
        QVERIFY(!w.Luft1()->isVisible());
        w.close();
        QVERIFY(!w.DispTimer.isActive());
    }

    // However the window is left, the poll goes on as before it opened: the next opening
    // shows what the controller holds now, not what it held when the window closed.
    void leavingKeepsThePoll_data() {
        QTest::addColumn<QString>("way");
        QTest::newRow("close button") << QStringLiteral("close");
        QTest::newRow("Escape") << QStringLiteral("escape");
        QTest::newRow("Ende") << QStringLiteral("ende");
    }
    void leavingKeepsThePoll() {
        QFETCH(QString, way);
        DisplayTest::Plants plants;
        plants.plant(1, true).temperature = {40, 41, 42, 43, 44};
        plants.plant(2, true);
        KompUtils::PlantCount = 2;
        QVERIFY(plants.start());
        Daten::SelectedPlant = 1;
        {
            TFAnzeige w;
            w.show();
            w.FormActivate();
            QTRY_COMPARE_WITH_TIMEOUT(w.TAnz(1)->text(), QStringLiteral("40"), 5000);
            if (way == QLatin1String("close"))
                w.close();
            else if (way == QLatin1String("escape"))
                QTest::keyClick(&w, Qt::Key_Escape);
            else
                w.menuItem(QStringLiteral("Ende1"))->trigger();
            QVERIFY(!w.isVisible());
            QVERIFY(!w.DispTimer.isActive());
        }
        plants.sim.plant(1).temperature = {66, 41, 42, 43, 44};
        plants.sim.clearFrames();
        // Two rounds of the poll over both plants.
        QTRY_VERIFY_WITH_TIMEOUT(plants.letters(1).size() >= 2, 5000);
        TFAnzeige again;
        again.show();
        again.FormActivate(); // shows the plant's latest values before the next tick
        QCOMPARE(again.TAnz(1)->text(), QStringLiteral("66"));
    }

    // While the window waits for a controller, Escape leaves it open, as the close button does.
    void escapeWhileWaiting() {
        DisplayTest::Plants plants;
        plants.plant(1, true);
        KompUtils::PlantCount = 1;
        QVERIFY(plants.start());
        Daten::SelectedPlant = 1;
        TFAnzeige w;
        w.show();
        w.FormActivate();
        plants.sim.faults().latencyMs = 15;
        bool busyAtKey = false;
        QTimer::singleShot(0, &w, [&] {
            busyAtKey = w.isBusy();
            QTest::keyClick(&w, Qt::Key_Escape);
        });
        const int before = w.BetriebsArtTab()->currentIndex();
        w.BetriebsArtTab()->setCurrentIndex((before + 1) % 4);
        QVERIFY(busyAtKey);
        QVERIFY(w.isVisible());
        QVERIFY(!w.isBusy());
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
    }

    void unitsAndReferenceDepth_data() {
        QTest::addColumn<bool>("imperial");
        QTest::addColumn<bool>("showRef");
        QTest::addColumn<QString>("t55");
        QTest::addColumn<QString>("t0");
        QTest::addColumn<QString>("depth"); // column 6
        QTest::addColumn<QString>("unit");
        QTest::newRow("metric") << false << true << "55"
                                << "-1"
                                << "100"
                                << "°C";
        QTest::newRow("imperial") << true << true << "131"
                                  << "31"
                                  << "39"
                                  << "°F";
        QTest::newRow("no reference depth") << false << false << "55"
                                            << "-1"
                                            << ""
                                            << "°C";
    }
    void unitsAndReferenceDepth() {
        QFETCH(bool, imperial);
        QFETCH(bool, showRef);
        KompUtils::ImperialUnits = imperial;
        KompUtils::ShowRefDepth = showRef;
        KompUtils::MakeRefCaption();
        Daten::Anlage[1].Present = true;
        Daten::LiveStatus[1] = status(55, 1);
        TFAnzeige w;
        w.FormActivate();
        w.DispTimerOnTimer();
        QTEST(w.TAnz(1)->text(), "t55");
        QTEST(w.TAnz(5)->text(), "t0");
        QTEST(w.TAnz(1)->unit(), "unit");
        QTEST(cell(w.BPAnzGrid(), 1, 6), "depth");
        QCOMPARE(cell(w.BPAnzGrid(), 0, 6), showRef ? KompUtils::RefCaption : QString());
        QCOMPARE(w.T55Anz()->isHidden(), !showRef);
        if (showRef) {
            QCOMPARE(w.T55Anz()->maximum(), imperial ? 39 : 100);
            QCOMPARE(w.T55Anz()->value(), imperial ? 39 : 100);
        } else {
            // "---" from an invalid status stays: the column is never written again.
            Daten::LiveStatus[1].Valid = false;
            w.DispTimerOnTimer();
            Daten::LiveStatus[1] = status(55, 1);
            w.DispTimerOnTimer();
            QCOMPARE(cell(w.BPAnzGrid(), 1, 6), QStringLiteral("---"));
            QCOMPARE(cell(w.BPAnzGrid(), 1, 1), QStringLiteral("EIN"));
        }
    }

    // Mode 4 lights the lamp and shows in the grid, the tabs stay where they were.
    void safetyMode() {
        Daten::Anlage[1].Present = true;
        Daten::Anlage[1].SwitchedOn = 1;
        Daten::LiveStatus[1] = status(60, 2);
        TFAnzeige w;
        w.FormActivate();
        w.DispTimerOnTimer();
        QCOMPARE(w.BetriebsArtTab()->currentIndex(), 2);
        QVERIFY(!w.SteuerLED()->isLit());
        Daten::LiveStatus[1].Mode = 4;
        w.DispTimerOnTimer();
        QVERIFY(w.SteuerLED()->isLit());
        QCOMPARE(cell(w.BPAnzGrid(), 1, 3), QStringLiteral("Steuerbetrieb"));
        QCOMPARE(w.BetriebsArtTab()->currentIndex(), 2);
    }

    void plantStates_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<bool>>("items"); // neu, fortführen, beenden
        QTest::addColumn<QString>("panel1");
        QTest::newRow("absent") << false << false << "KEINE ANLAGE ANGESCHLOSSEN!!"
                                << QList<bool>{false, false, false} << "";
        QTest::newRow("no pile") << true << false << "Angeschlossene ANLAGE ist abgeschaltet!!"
                                 << QList<bool>{true, true, false} << "/x/M_1.CSV";
        QTest::newRow("pile") << true << true << "Kompost3" << QList<bool>{false, false, true}
                              << "/x/M_1.CSV";
    }
    void plantStates() {
        QFETCH(bool, present);
        QFETCH(bool, on);
        QFETCH(QList<bool>, items);
        tAnlageParameter& a = Daten::Anlage[3];
        a.Present = present;
        a.SwitchedOn = on;
        a.Storing = 1;
        a.Name = QStringLiteral("Kompost3");
        a.Datei = QStringLiteral("/x/M_1.CSV");
        a.Anzahl = 17;
        TFAnzeige w;
        w.FormActivate();
        // The user picks the tab of plant 3.
        w.TabControl1()->setCurrentIndex(2);
        QCOMPARE(Daten::SelectedPlant, 3);
        QTEST(w.MieteName()->text(), "name");
        QCOMPARE(w.menuItem(QStringLiteral("Mieteneustarten1"))->isEnabled(), items[0]);
        QCOMPARE(w.menuItem(QStringLiteral("Mietefortfuehren1"))->isEnabled(), items[1]);
        QCOMPARE(w.menuItem(QStringLiteral("Mietebeenden1"))->isEnabled(), items[2]);
        QCOMPARE(w.MEMLabel()->isLit(), present);
        QTEST(w.StatusPanel(1)->text(), "panel1");
        QCOMPARE(w.StatusPanel(3)->text(), present ? QStringLiteral("17") : QString());
        // The setup and clock dialogs need a plant that answers; the offline readout is
        // always offered.
        QCOMPARE(w.menuItem(QStringLiteral("Zeiten1"))->isEnabled(), present);
        QCOMPARE(w.menuItem(QStringLiteral("Datumsetzen1"))->isEnabled(), present);
        QVERIFY(w.menuItem(QStringLiteral("OfflineDatenauslesen1"))->isEnabled());
    }

    void dailyReadout_data() {
        QTest::addColumn<QTime>("setAt");
        QTest::addColumn<int>("runsAtSetTime");
        QTest::newRow("06:00:00") << QTime(6, 0, 0) << 1;
        QTest::newRow("06:00:01") << QTime(6, 0, 1) << 0;
    }
    void dailyReadout() {
        QFETCH(QTime, setAt);
        QFETCH(int, runsAtSetTime);
        QDateTime clock(QDate(2026, 5, 11), setAt);
        Settings::ReadoutHour = 6;
        Settings::ComputeBackupDue(clock);
        TFAnzeige w;
        w.Now = [&clock] { return clock; };
        w.DispTimerOnTimer();
        const QString heading = cell(w.StatusAnzeige(), 0, 1);
        QCOMPARE(heading.startsWith(QStringLiteral("Sicherung am ")), runsAtSetTime == 1);
        if (runsAtSetTime == 0) {
            clock = QDateTime(QDate(2026, 5, 12), QTime(5, 59, 59));
            w.DispTimerOnTimer();
            QCOMPARE(cell(w.StatusAnzeige(), 0, 1), QStringLiteral("Speicherstatus"));
            clock = clock.addSecs(1);
            w.DispTimerOnTimer();
        }
        QCOMPARE(cell(w.StatusAnzeige(), 0, 1), QStringLiteral("Sicherung am ") +
                                                    Regional::formatDate(clock.date()) + " " +
                                                    Regional::formatTime(clock.time()));
        // Absent plants have nothing to read: every row reports success.
        QCOMPARE(cell(w.StatusAnzeige(), 32, 1), QStringLiteral("Ergebnis OK !"));
        QVERIFY(w.StatusAnzeige()->isHidden()); // not brought to the front
        QCOMPARE(Settings::BackupDue,
                 QDateTime(QDate(2026, 5, 12 + (1 - runsAtSetTime)), QTime(6, 0)));
        QVERIFY(w.DispTimer.isActive() && !w.isBusy());
    }

    // A due time two days old runs on two consecutive ticks, then not again.
    void missedDaysAgainstController() {
        DisplayTest::Plants plants;
        plants.plant(1, true);
        QVERIFY(plants.start());
        plants.sim.addStoredRecords(1, 2);
        const QDateTime now(QDate(2026, 5, 13), QTime(7, 0));
        Settings::ReadoutHour = 6;
        Settings::ComputeBackupDue(now.addDays(-1).addSecs(-3600)); // due 12 May 06:00
        TFAnzeige w;
        w.Now = [&now] { return now; };
        plants.sim.clearFrames();
        int runs = 0;
        for (int tick = 0; tick < 3; ++tick) {
            const QDateTime before = Settings::BackupDue;
            w.DispTimerOnTimer();
            runs += Settings::BackupDue != before;
        }
        QCOMPARE(runs, 2);
        QCOMPARE(cell(w.StatusAnzeige(), 1, 1), QStringLiteral("Ergebnis OK !"));
        QCOMPARE(plants.letters(1).count(QLatin1Char('r')), 2);
        QCOMPARE(plants.letters(1).count(QLatin1Char('G')), 2);
        QCOMPARE(Daten::Anlage[1].Anzahl, 2);
    }

    // A tick inside another exchange's wait (the clock dialog reads with the ticks running)
    // or inside the readout itself, even after a dialog has stopped and restarted the ticks
    // around a refused exchange, starts no readout: the due one runs on the next tick after
    // them, reads every record and advances the due time once.
    void dailyReadoutNotInsideAWait_data() {
        QTest::addColumn<bool>("insideReadout");
        QTest::newRow("clock read waits") << false;
        QTest::newRow("readout runs, dialog restarts ticks") << true;
    }
    void dailyReadoutNotInsideAWait() {
        QFETCH(bool, insideReadout);
        DisplayTest::Plants plants;
        plants.plant(1, true);
        QVERIFY(plants.start());
        plants.sim.addStoredRecords(1, 3);
        const QDateTime now(QDate(2026, 5, 13), QTime(7, 0));
        Settings::ReadoutHour = 6;
        Settings::ComputeBackupDue(now.addSecs(-3600)); // due today 06:00
        const QDateTime due = Settings::BackupDue;
        TFAnzeige w;
        w.Now = [&now] { return now; };
        bool ticked = false, ticksHeld = false;
        connect(&plants.sim, &sim::Simulator::frameReceived, this, [&](const QByteArray& f) {
            if (ticked || f.size() < 2 || f.at(1) != (insideReadout ? 'G' : '6'))
                return;
            ticked = true;
            if (insideReadout) {
                // The setup dialog's plant switch: ticks stopped, a read that is refused,
                // ticks started again.
                w.StopTimer();
                QVERIFY(!Kommunikation::ReadSetup(1));
                w.StartTimer();
                ticksHeld = !w.DispTimer.isActive() && !plants.poll->LeseTimer.isActive();
            }
            w.DispTimerOnTimer();
        });
        if (insideReadout) {
            w.DispTimerOnTimer();
            QVERIFY(ticksHeld);
        } else {
            QVERIFY(Kommunikation::ReadClockText(1));
            QCOMPARE(Settings::BackupDue, due); // not spent inside the wait
            QCOMPARE(Daten::Anlage[1].Anzahl, 0);
            w.DispTimerOnTimer();
        }
        QVERIFY(ticked);
        QCOMPARE(cell(w.StatusAnzeige(), 1, 1), QStringLiteral("Ergebnis OK !"));
        QCOMPARE(Settings::BackupDue, due.addDays(1));
        QCOMPARE(Daten::Anlage[1].Anzahl, 3);
        QCOMPARE(plants.letters(1).count(QLatin1Char('r')), 1);
        QVERIFY(w.DispTimer.isActive() && !w.isBusy());
    }

    void storageStatusToggles() {
        TFAnzeige w;
        w.show();
        QVERIFY(w.StatusAnzeige()->isHidden());
        w.menuItem(QStringLiteral("Speicherstatus1"))->trigger();
        QVERIFY(w.StatusAnzeige()->isVisible());
        QCOMPARE(w.StatusAnzeige()->geometry(), w.BPAnzGrid()->geometry());
        QTest::mouseClick(w.StatusAnzeige()->viewport(), Qt::LeftButton);
        QVERIFY(w.StatusAnzeige()->isHidden());
    }

    void heartbeatAndResize() {
        TFAnzeige w;
        w.show();
        QCOMPARE(w.size(), QSize(TFAnzeige::DesignWidth, TFAnzeige::DesignHeight));
        const QRect design = w.BPAnzGrid()->geometry();
        for (int i = 0; i < 10; ++i)
            w.DispTimerOnTimer();
        QCOMPARE(w.Progressbar1()->value(), 10);
        w.DispTimerOnTimer();
        QCOMPARE(w.Progressbar1()->value(), 1);
        w.resize(2 * TFAnzeige::DesignWidth, 2 * TFAnzeige::DesignHeight);
        QTRY_VERIFY(w.BPAnzGrid()->width() > 2 * design.width() - 4);
        QVERIFY(qAbs(w.BPAnzGrid()->x() - 2 * design.x()) <= 2);
        QVERIFY(w.minimumSize() == QSize(TFAnzeige::DesignWidth, TFAnzeige::DesignHeight));
    }

    // Pictures for a look by eye, written only when O2_SCREENSHOT_DIR names a directory.
    void screenshots() {
        const QString out = qEnvironmentVariable("O2_SCREENSHOT_DIR");
        if (out.isEmpty())
            QSKIP("O2_SCREENSHOT_DIR not set");
        DisplayTest::Plants plants;
        for (int a = 1; a <= 6; ++a) {
            sim::PlantState& p = plants.plant(a, a != 4);
            p.mode = a % 4;
        }
        plants.sim.setPileAge(1, 6 * 24 * 60);
        plants.sim.setPileAge(2, 2 * 24 * 60);
        plants.sim.setPileAge(3, 12 * 24 * 60);
        QVERIFY(plants.start());
        auto shoot = [&](const QString& name, const QSize& size, int plantInSafety) {
            TFAnzeige w;
            w.resize(size);
            w.show();
            w.FormActivate();
            QTest::qWait(100);
            for (int a = 1; a <= 6; ++a)
                plants.poll->LeseTimerTimer(), QTest::qWait(60);
            QTRY_VERIFY_WITH_TIMEOUT(Daten::LiveStatus[1].Valid, 5000);
            if (plantInSafety)
                Daten::LiveStatus[1].Mode = 4, Daten::LiveStatus[1].FanOn = true;
            w.DispTimerOnTimer();
            QVERIFY(w.grab().save(out + "/" + name + ".png"));
        };
        shoot(QStringLiteral("display-design"), {TFAnzeige::DesignWidth, TFAnzeige::DesignHeight},
              0);
        shoot(QStringLiteral("display-maximised"), {1920, 1080}, 0);
        shoot(QStringLiteral("display-safety"), {TFAnzeige::DesignWidth, TFAnzeige::DesignHeight},
              1);
        KompUtils::ImperialUnits = true;
        KompUtils::MakeRefCaption();
        shoot(QStringLiteral("display-imperial"), {TFAnzeige::DesignWidth, TFAnzeige::DesignHeight},
              0);
    }
};

QTEST_MAIN(TestAnzeige)
#include "tst_anzeige.moc"
