// The setup dialog's O2 linking and tenths conversion, and the readout-hour choice, without
// windows.
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "display/SetupRules.h"

#include <QTemporaryDir>
#include <QtTest>

using SetupRules::O2Pair;

class TestSetupRules : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;

private slots:
    void init() {
        ResetProcessState();
        dir = std::make_unique<QTemporaryDir>();
        ProgramDir::setOverride(dir->path());
        Settings::open(ProgramDir::iniPath());
    }
    void cleanup() { Settings::close(); }

    void tenths_data() {
        QTest::addColumn<double>("shown");
        QTest::addColumn<int>("tenths");
        QTest::newRow("0.3") << 0.3 << 3;
        QTest::newRow("12.2") << 12.2 << 122;
        QTest::newRow("20.8") << 20.8 << 208;
        QTest::newRow("21.0") << 21.0 << 210;
        QTest::newRow("0.0") << 0.0 << 0;
    }
    void tenths() {
        QFETCH(double, shown);
        QFETCH(int, tenths);
        QCOMPARE(SetupRules::toTenths(shown), tenths);
        QCOMPARE(SetupRules::toTenths(SetupRules::fromTenths(tenths)), tenths);
    }

    void linking_data() {
        QTest::addColumn<QString>("rule"); // which field was set
        QTest::addColumn<int>("on");
        QTest::addColumn<int>("off");
        QTest::addColumn<int>("shownOn");
        QTest::addColumn<int>("shownOff");
        QTest::newRow("on, gap kept") << "on" << 50 << 70 << 50 << 70;
        QTest::newRow("on, exactly the gap") << "on" << 68 << 70 << 68 << 70;
        QTest::newRow("on raised past off") << "on" << 122 << 70 << 122 << 124;
        QTest::newRow("on to 21.0") << "on" << 210 << 70 << 208 << 210;
        QTest::newRow("on to 21.0, off at 21.0") << "on" << 210 << 210 << 208 << 210;
        QTest::newRow("on above range") << "on" << 400 << 70 << 208 << 210;
        QTest::newRow("off lowered below on") << "off" << 50 << 45 << 43 << 45;
        QTest::newRow("off to 0.1") << "off" << 50 << 1 << 0 << 2;
        QTest::newRow("off to 0.1, on at 0.0") << "off" << 0 << 1 << 0 << 2;
        QTest::newRow("off to 0.0") << "off" << 0 << 0 << 0 << 2;
        QTest::newRow("loaded too close") << "loaded" << 50 << 51 << 49 << 51;
        QTest::newRow("loaded equal") << "loaded" << 50 << 50 << 48 << 50;
        QTest::newRow("loaded near zero") << "loaded" << 3 << 1 << 0 << 2;
        QTest::newRow("loaded fine") << "loaded" << 30 << 80 << 30 << 80;
        QTest::newRow("loaded out of range") << "loaded" << -5 << 999 << 0 << 210;
    }
    void linking() {
        QFETCH(QString, rule);
        QFETCH(int, on);
        QFETCH(int, off);
        QFETCH(int, shownOn);
        QFETCH(int, shownOff);
        const O2Pair p = rule == QLatin1String("on")    ? SetupRules::afterOnChange({on, off})
                         : rule == QLatin1String("off") ? SetupRules::afterOffChange({on, off})
                                                        : SetupRules::shownFromLoaded(on, off);
        QCOMPARE(p.on, shownOn);
        QCOMPARE(p.off, shownOff);
    }

    void readoutHour_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("after");
        QTest::newRow("24h") << 6 << 24 << true << 24;
        QTest::newRow("OFF") << 6 << 0 << true << 0;
        QTest::newRow("same hour") << 6 << 6 << false << 6;
        QTest::newRow("no button down") << 6 << -1 << false << 6;
        QTest::newRow("beyond 24") << 6 << 25 << false << 6;
    }
    void readoutHour() {
        QFETCH(int, before);
        QFETCH(int, chosen);
        QFETCH(bool, changed);
        QFETCH(int, after);
        Settings::ReadoutHour = before;
        Settings::ComputeBackupDue();
        const QDateTime dueBefore = Settings::BackupDue;
        QCOMPARE(SetupRules::ApplyReadoutHour(chosen), changed);
        QCOMPARE(Settings::ReadoutHour, after);
        const int stored = Settings::file().readInteger(Keys::Com, Keys::ReadoutHour, -1);
        QCOMPARE(stored, changed ? after : -1);
        QCOMPARE(Settings::BackupEnabled, after != 0);
        if (!changed)
            QCOMPARE(Settings::BackupDue, dueBefore);
        else if (after == 24)
            QCOMPARE(Settings::BackupDue, QDateTime(QDate::currentDate().addDays(1), QTime(0, 0)));
    }
};

QTEST_GUILESS_MAIN(TestSetupRules)
#include "tst_setupRules.moc"
