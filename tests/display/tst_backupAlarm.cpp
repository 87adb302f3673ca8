// Late and urgent readouts as the windows show them: the main window's status line panel,
// the line above the live display's grid and its "Speicherstatus" grid after a failed
// daily readout, and the offline readout window, against the simulated controllers.
#include "../ui/UiTestSupport.h"
#include "DisplayTestSupport.h"

#include "core/Language.h"
#include "core/ProgramDir.h"
#include "core/Regional.h"
#include "core/UMain.h"
#include "display/UAnzeige.h"
#include "storage/BackupAlarmLabel.h"
#include "storage/BackupState.h"
#include "storage/UDatenLesen1.h"

#include <QLabel>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>

class TestBackupAlarm : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    std::unique_ptr<QTemporaryDir> dir;

    static QString cell(QTableWidget* g, int row, int col) {
        QTableWidgetItem* i = g->item(row, col);
        return i ? i->text() : QStringLiteral("<none>");
    }
    // What the user sees of a line: its text while it is shown, else nothing.
    static QString seen(const QLabel* l) { return l->isVisible() ? l->text() : QString(); }
    // The colour in the middle of the line's left margin, where no letter is drawn.
    static QColor background(QLabel* l) {
        const QImage img = l->grab().toImage();
        return img.pixelColor(2, img.height() / 2);
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
        ProgramDir::setOverride(QString());
    }

    // The daily readout fails for plant 2 (its count never comes) or finds 950 records in
    // it: both windows name the plant, red when urgent, and a failure brings the results
    // to the front. The next day's readout succeeds and the lines go away.
    void dailyReadout_data() {
        QTest::addColumn<bool>("countFails");
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("urgent");
        QTest::newRow("count fails") << true << 3 << false;
        QTest::newRow("950 stored") << false << 950 << true;
    }
    void dailyReadout() {
        QFETCH(bool, countFails);
        QFETCH(int, stored);
        QFETCH(bool, urgent);
        DisplayTest::Plants plants;
        plants.plant(1, true);
        plants.plant(2, true);
        QVERIFY(plants.start());
        plants.poll->StopTimer();
        plants.sim.addStoredRecords(1, 3);
        plants.sim.addStoredRecords(2, stored);
        if (countFails)
            plants.sim.setReplyOverride(2, 'r', QByteArray());

        TFMain main;
        QVERIFY(main.BackupPanel()->isHidden());
        QDateTime clock(QDate(2026, 12, 10), QTime(6, 0));
        BackupState::setClock([&clock] { return clock; });
        Settings::ReadoutHour = 6;
        Settings::ComputeBackupDue(clock);
        TFAnzeige w;
        w.Now = [&clock] { return clock; };
        w.show();
        QVERIFY(w.BackupAlarm()->isHidden());
        w.DispTimerOnTimer();

        const QString named = QStringLiteral("Sicherung überfällig: Anl 2");
        QCOMPARE(seen(main.BackupPanel()), named);
        QCOMPARE(seen(w.BackupAlarm()), named);
        QCOMPARE(cell(w.StatusAnzeige(), 1, 1), QStringLiteral("Ergebnis OK !"));
        QCOMPARE(cell(w.StatusAnzeige(), 2, 1), countFails ? QStringLiteral("Fehler beim sichern!")
                                                           : QStringLiteral("Ergebnis OK !"));
        QCOMPARE(w.StatusAnzeige()->isVisible(), countFails);
        const QColor back = background(w.BackupAlarm());
        QCOMPARE(back.red() > 150 && back.green() < 80, urgent);
        QCOMPARE(background(main.BackupPanel()), back);

        plants.sim.clearReplyOverrides();
        clock = clock.addDays(1);
        w.DispTimerOnTimer();
        QCOMPARE(cell(w.StatusAnzeige(), 2, 1), QStringLiteral("Ergebnis OK !"));
        QCOMPARE(seen(main.BackupPanel()), QString());
        QCOMPARE(seen(w.BackupAlarm()), QString());
    }

    // Without any readout the hours pass on the windows' own refresh.
    void lateByTheClockAlone() {
        DisplayTest::Plants plants;
        plants.plant(3, true);
        QVERIFY(plants.start());
        plants.poll->StopTimer();
        QDateTime clock(QDate(2026, 12, 10), QTime(6, 0));
        BackupState::setClock([&clock] { return clock; });
        QVERIFY(BackupState::Record(3, true, 20));
        TFMain main;
        QCOMPARE(seen(main.BackupPanel()), QString());
        clock = clock.addSecs(36 * 3600 + 60);
        main.BackupPanel()->refresh();
        QCOMPARE(seen(main.BackupPanel()), QStringLiteral("Sicherung überfällig: Anl 3"));
    }

    // The offline readout window opens on the late plants, an urgent one first, their tabs
    // in red, and names them.
    void offlineWindowOffersLatePlantsFirst() {
        DisplayTest::Plants plants;
        for (int a : {1, 2, 5})
            plants.plant(a, true);
        QVERIFY(plants.start());
        plants.poll->StopTimer();
        QVERIFY(BackupState::Record(2, false, 10));
        QVERIFY(BackupState::Record(5, true, 950));
        TFDatenLesen1 w;
        w.show();
        QCOMPARE(w.TabControl1()->currentIndex(), 4);
        QCOMPARE(w.MieteName()->text(), QStringLiteral("Anl-Nr5"));
        QCOMPARE(w.TabControl1()->tabTextColor(1), QColor(198, 40, 40));
        QCOMPARE(w.TabControl1()->tabTextColor(4), QColor(198, 40, 40));
        QVERIFY(w.TabControl1()->tabTextColor(0) != QColor(198, 40, 40));
        QCOMPARE(seen(w.BackupAlarm()), QStringLiteral("Sicherung überfällig: Anl 2, 5"));
    }

    // The line follows a language switch.
    void translated_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("text");
        QTest::newRow("en") << Language::English << "Backup overdue: plant 2, 4";
        QTest::newRow("fr") << Language::French << "Sauvegarde en retard : install. 2, 4";
    }
    void translated() {
        QFETCH(QString, language);
        QFETCH(QString, text);
        for (int a : {2, 4}) {
            Daten::Anlage[size_t(a)].Present = true;
            Daten::Anlage[size_t(a)].SwitchedOn = 1;
            QVERIFY(BackupState::Record(a, false, 10));
        }
        TFMain main;
        QVERIFY(Language::apply(language));
        QCoreApplication::processEvents();
        QCOMPARE(seen(main.BackupPanel()), text);
        QVERIFY(Language::apply(Language::German));
        QCoreApplication::processEvents();
        QCOMPARE(seen(main.BackupPanel()), QStringLiteral("Sicherung überfällig: Anl 2, 4"));
    }

    // A readout in the offline window is remembered like the daily one.
    void offlineReadoutRemembered_data() {
        QTest::addColumn<bool>("countFails");
        QTest::newRow("all read") << false;
        QTest::newRow("count fails") << true;
    }
    void offlineReadoutRemembered() {
        QFETCH(bool, countFails);
        DisplayTest::Plants plants;
        plants.plant(2, true);
        QVERIFY(plants.start());
        plants.poll->StopTimer();
        plants.sim.addStoredRecords(2, 4);
        if (countFails)
            plants.sim.setReplyOverride(2, 'r', QByteArray());
        TFDatenLesen1 w;
        w.show();
        w.TabControl1()->setCurrentIndex(1);
        DisplayTest::BoxScript boxes;
        w.DatenAuslesen();
        const IniFile& ini = Settings::file();
        QCOMPARE(ini.readString("2", BackupState::OkKey, {}),
                 countFails ? QStringLiteral("0") : QStringLiteral("1"));
        QCOMPARE(ini.readString("2", BackupState::StoredKey, {}),
                 countFails ? QString() : QStringLiteral("4"));
        QCOMPARE(seen(w.BackupAlarm()),
                 countFails ? QStringLiteral("Sicherung überfällig: Anl 2") : QString());
    }
};

QTEST_MAIN(TestBackupAlarm)
#include "tst_backupAlarm.moc"
