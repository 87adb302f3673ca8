// Program settings: the daily readout time, the window position, regional conventions.
#include "core/Daten.h"
#include "core/Regional.h"
#include "core/Settings.h"
#include "core/Strings.h"

#include <QTemporaryDir>
#include <QtTest>

class TestSettings : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void init() {
        ResetProcessState();
        Regional::clearLocaleOverride();
    }

    void backupDue_data() {
        QTest::addColumn<int>("hour");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("due");
        const QDate d(2026, 3, 14);
        QTest::newRow("24 at 23:30")
            << 24 << QDateTime(d, QTime(23, 30)) << QDateTime(d.addDays(1), QTime(0, 0));
        QTest::newRow("14 at 14:00:00")
            << 14 << QDateTime(d, QTime(14, 0)) << QDateTime(d, QTime(14, 0));
        QTest::newRow("14 at 14:00:01")
            << 14 << QDateTime(d, QTime(14, 0, 1)) << QDateTime(d.addDays(1), QTime(14, 0));
        QTest::newRow("3 in the morning")
            << 3 << QDateTime(d, QTime(1, 0)) << QDateTime(d, QTime(3, 0));
        // Under TZ=Europe/Berlin: 29 March has 23 hours, 25 October 25.
        QTest::newRow("14 on the spring day") << 14 << QDateTime(QDate(2026, 3, 29), QTime(1, 0))
                                              << QDateTime(QDate(2026, 3, 29), QTime(14, 0));
        QTest::newRow("24 on the autumn day") << 24 << QDateTime(QDate(2026, 10, 25), QTime(10, 0))
                                              << QDateTime(QDate(2026, 10, 26), QTime(0, 0));
        QTest::newRow("14 on the autumn day") << 14 << QDateTime(QDate(2026, 10, 25), QTime(1, 0))
                                              << QDateTime(QDate(2026, 10, 25), QTime(14, 0));
        QTest::newRow("year end") << 2 << QDateTime(QDate(2026, 12, 31), QTime(5, 0))
                                  << QDateTime(QDate(2027, 1, 1), QTime(2, 0));
    }
    void backupDue() {
        QFETCH(int, hour);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, due);
        Settings::ReadoutHour = hour;
        Settings::ComputeBackupDue(now);
        QVERIFY(Settings::BackupEnabled);
        QCOMPARE(Settings::BackupDue, due);
        Settings::ReadoutHour = 0;
        Settings::ComputeBackupDue(now);
        QVERIFY(!Settings::BackupEnabled);
    }

    // A ZEIT no clock shows reads as no daily readout.
    void readoutHourFromFile_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("hour");
        QTest::newRow("-1") << QByteArray("-1") << 0;
        QTest::newRow("25") << QByteArray("25") << 0;
        QTest::newRow("1000") << QByteArray("1000") << 0;
        QTest::newRow("0") << QByteArray("0") << 0;
        QTest::newRow("1") << QByteArray("1") << 1;
        QTest::newRow("24") << QByteArray("24") << 24;
    }
    void readoutHourFromFile() {
        QFETCH(QByteArray, value);
        QFETCH(int, hour);
        const QString path = dir.filePath(QStringLiteral("zeit.ini"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("[COM]\r\nZEIT=" + value + "\r\n");
        f.close();
        Settings::open(path);
        Settings::LoadDisplaySettings();
        QCOMPARE(Settings::ReadoutHour, hour);
        Settings::ComputeBackupDue(QDateTime(QDate(2026, 3, 14), QTime(12, 0)));
        QCOMPARE(Settings::BackupEnabled, hour != 0);
        Settings::close();
    }

    void formPosition_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("no section") << QByteArray("[COM]\r\n") << false << QRect();
        QTest::newRow("Width 5000 on 1920")
            << QByteArray("[Form]\r\nLeft=300\r\nWidth=5000\r\n") << true << QRect(0, 0, 1920, 768);
        QTest::newRow("beyond the right edge")
            << QByteArray("[Form]\r\nLeft=1800\r\nTop=50\r\nWidth=453\r\nHeight=380\r\n") << true
            << QRect(1920 - 453, 50, 453, 380);
        QTest::newRow("negative stays")
            << QByteArray("[Form]\r\nLeft=-20\r\nTop=-5\r\n") << true << QRect(-20, -5, 1024, 768);
    }
    void formPosition() {
        QFETCH(QByteArray, ini);
        QFETCH(bool, present);
        QFETCH(QRect, rect);
        const QString path = dir.filePath(QStringLiteral("form.ini"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(ini);
        f.close();
        IniFile file(path);
        Strings::FormPosition pos;
        QCOMPARE(Strings::ReadFormPosition(file, Keys::Form, QSize(1920, 1080), &pos), present);
        if (present)
            QCOMPARE(QRect(pos.Left, pos.Top, pos.Width, pos.Height), rect);
    }

    // A settings file that cannot be written is told with its reason: once for a run of
    // failed writes, again after one succeeded, and every time an action asks beforehand.
    void writeFailuresAreTold() {
        QStringList told;
        Settings::setWriteFailureHandler([&](const QString& text) { told << text; });
        const QString sub = dir.filePath(QStringLiteral("later"));
        Settings::open(sub + QStringLiteral("/O2_Aerolis.ini"));
        const int before = Settings::WriteFailures();
        QVERIFY(!Settings::file().writeInteger("COM", "ZEIT", 3));
        QVERIFY(!Settings::file().writeInteger("COM", "LAYER", 1));
        QCOMPARE(told.size(), 1);
        QVERIFY2(
            told[0].startsWith(QStringLiteral("Einstellungen konnten nicht gespeichert werden: ")),
            qPrintable(told[0]));
        QVERIFY(told[0].contains(sub));
        QCOMPARE(Settings::WriteFailures(), before + 2);
        QVERIFY(!Settings::CheckWritable());
        QVERIFY(!Settings::CheckWritable());
        QCOMPARE(told.size(), 3);
        QVERIFY(!Settings::file().writeInteger("COM", "ZEIT", 4));
        QCOMPARE(told.size(), 3);
        QCOMPARE(Settings::WriteFailures(), before + 3); // the checks are no writes

        QVERIFY(QDir().mkpath(sub));
        QVERIFY(Settings::CheckWritable());
        QVERIFY(Settings::file().writeInteger("COM", "ZEIT", 5));
        // The check left no file behind.
        QCOMPARE(QDir(sub).entryList(QDir::Files), QStringList{"O2_Aerolis.ini"});
        QVERIFY(QDir(sub).removeRecursively());
        QVERIFY(!Settings::file().writeInteger("COM", "ZEIT", 6));
        QCOMPARE(told.size(), 4);
        Settings::setWriteFailureHandler(nullptr);
        Settings::close();
    }

    void displaySettingsDefaults() {
        Settings::open(dir.filePath(QStringLiteral("none.ini")));
        Settings::LoadDisplaySettings();
        QCOMPARE(KompUtils::DisplayOffset, 0);
        QCOMPARE(Settings::ReadoutHour, 0);
        QCOMPARE(KompUtils::RefTemp, 55.0);
        QVERIFY(KompUtils::ShowRefDepth);
        QVERIFY(!KompUtils::ImperialUnits);
        QCOMPARE(KompUtils::RefCaption, QStringLiteral("s 55°C[cm]"));
        Settings::close();
    }

    void regionalConventions_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QChar>("decimal");
        QTest::newRow("C locale means German") << QLocale::c() << "07.03.2010" << QChar(',');
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << "07.03.2010"
                                << QChar(',');
        QTest::newRow("US, year widened")
            << QLocale(QLocale::English, QLocale::UnitedStates) << "3/7/2010" << QChar('.');
    }
    void regionalConventions() {
        QFETCH(QLocale, locale);
        QFETCH(QString, date);
        QFETCH(QChar, decimal);
        Regional::setLocaleOverride(locale);
        QCOMPARE(Regional::formatDate(QDate(2010, 3, 7)), date);
        QCOMPARE(Regional::decimalSeparator(), decimal);
        QCOMPARE(Regional::timeSeparator(), QChar(':'));
        QCOMPARE(Regional::formatTime(QTime(9, 5, 0)), QStringLiteral("09:05:00"));
        Regional::clearLocaleOverride();
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
