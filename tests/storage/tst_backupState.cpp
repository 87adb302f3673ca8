// Each plant's last readout in its settings section, written by every readout against the
// simulated controllers, and the late and urgent rules on an injected clock.
#include "core/Daten.h"
#include "core/KompUtils.h"
#include "core/ProgramDir.h"
#include "core/Regional.h"
#include "core/Settings.h"
#include "link/Link.h"
#include "link/Protocol.h"
#include "sim/Simulator.h"
#include "storage/BackupState.h"
#include "storage/Readout.h"
#include "storage/UMessDaten.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace Kommunikation;

namespace {
const int Plant = 3;
const QDateTime Start(QDate(2026, 3, 27), QTime(6, 0));
} // namespace

class TestBackupState : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    QDateTime clock;

    QString key(const QString& name) const {
        return Settings::file().readString(QString::number(Plant), name, QStringLiteral("<none>"));
    }
    void runningPile(int plant) {
        Daten::Anlage[size_t(plant)].Present = true;
        Daten::Anlage[size_t(plant)].SwitchedOn = 1;
    }
    QList<int> alarmed(bool urgentOnly = false) const {
        QList<int> out;
        for (const BackupState::Alarm& a : BackupState::RunningAlarms())
            if (!urgentOnly || a.urgent)
                out << a.plant;
        return out;
    }

private slots:
    void init() {
        ResetProcessState();
        Regional::setLocaleOverride(QLocale(QLocale::German, QLocale::Germany));
        dir = std::make_unique<QTemporaryDir>();
        ProgramDir::setOverride(dir->path());
        Settings::open(ProgramDir::iniPath());
        clock = Start;
        BackupState::setClock([this] { return clock; });
    }
    void cleanup() {
        Settings::close();
        Regional::clearLocaleOverride();
    }

    // The age rule runs on SICHERUNGSALARM hours of the injected clock; a failed readout
    // is late at once, whatever the hours; 0 switches the age rule off.
    void lateAndUrgent_data() {
        QTest::addColumn<QString>("alarm"); // "" = key absent
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("minutesLater");
        QTest::addColumn<bool>("late");
        QTest::addColumn<bool>("urgent");
        QTest::newRow("default, just done") << "" << true << 20 << 0 << false << false;
        QTest::newRow("default, 36 h") << "" << true << 20 << 36 * 60 << false << false;
        QTest::newRow("default, 36 h 1 min") << "" << true << 20 << 36 * 60 + 1 << true << false;
        QTest::newRow("failed, at once") << "" << false << 20 << 0 << true << false;
        QTest::newRow("12 h, 12 h 1 min") << "12" << true << 20 << 12 * 60 + 1 << true << false;
        QTest::newRow("off, ten days") << "0" << true << 20 << 10 * 24 * 60 << false << false;
        QTest::newRow("off, failed") << "0" << false << 20 << 0 << true << false;
        QTest::newRow("negative reads as 36") << "-5" << true << 20 << 37 * 60 << true << false;
        QTest::newRow("unreadable reads as 36") << "x" << true << 20 << 35 * 60 << false << false;
        QTest::newRow("899 stored") << "" << true << 899 << 0 << false << false;
        QTest::newRow("900 stored") << "" << true << 900 << 0 << false << true;
        QTest::newRow("950 stored, failed") << "" << false << 950 << 0 << true << true;
    }
    void lateAndUrgent() {
        QFETCH(QString, alarm);
        QFETCH(bool, ok);
        QFETCH(int, stored);
        QFETCH(int, minutesLater);
        QFETCH(bool, late);
        QFETCH(bool, urgent);
        if (!alarm.isEmpty())
            Settings::file().writeString(Keys::Com, BackupState::AlarmKey, alarm);
        runningPile(Plant);
        QVERIFY(BackupState::Record(Plant, ok, stored));
        clock = clock.addSecs(qint64(minutesLater) * 60);
        const BackupState::Entry e = BackupState::Read(Settings::file(), Plant, clock,
                                                       BackupState::AlarmHours(Settings::file()));
        QCOMPARE(e.late, late);
        QCOMPARE(e.urgent, urgent);
        QCOMPARE(alarmed(), (late || urgent) ? QList<int>{Plant} : QList<int>{});
    }

    // Only running piles count; a plant never read out is not late; the text names the
    // displayed numbers in address order.
    void runningPilesOnly() {
        KompUtils::DisplayOffset = 10;
        for (int p : {2, 5, 7})
            QVERIFY(BackupState::Record(p, false, 10));
        runningPile(2);
        runningPile(7);
        runningPile(9);                  // never read out
        Daten::Anlage[5].Present = true; // no pile
        QCOMPARE(alarmed(), QList<int>({2, 7}));
        QCOMPARE(BackupState::AlarmText(BackupState::RunningAlarms()),
                 QStringLiteral("Sicherung überfällig: Anl 12, 17"));
        QCOMPARE(BackupState::AlarmText({}), QString());
        // Settings as an earlier readout wrote them by hand: a time nobody can read is late.
        Settings::file().writeString(QStringLiteral("9"), BackupState::OkKey, QStringLiteral("1"));
        Settings::file().writeString(QStringLiteral("9"), BackupState::LastKey,
                                     QStringLiteral("gestern"));
        QCOMPARE(alarmed(), QList<int>({2, 7, 9}));
    }

    // The last record line of a file; a cut last line and header lines are no record.
    void lastRecordText_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        const QByteArray header = "Titel\r\nDatei  - Name: x.CSV\r\nNr;Datum;T5;T4\r\n";
        QTest::newRow("two records")
            << header + "1;27.03.2026  06:00;  50;\r\n2;27.03.2026  06:15;  51;\r\n"
            << "27.03.2026  06:15";
        QTest::newRow("cut last line") << header + "1;27.03.2026  06:00;  50;\r\n2;27.03.2026  06:1"
                                       << "27.03.2026  06:00";
        QTest::newRow("header only") << header << "";
        QTest::newRow("empty") << QByteArray() << "";
    }
    void lastRecordText() {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        const QString path = dir->filePath(QStringLiteral("x.CSV"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        QCOMPARE(BackupState::LastRecordText(path), expected);
        QCOMPARE(BackupState::LastRecordText(dir->filePath(QStringLiteral("none.CSV"))), QString());
    }

    // Every readout leaves its time, result and the controller's count in the plant's
    // section; a count that could not be read keeps the last one known.
    void writtenAfterReadout_data() {
        QTest::addColumn<bool>("backup");
        QTest::addColumn<bool>("countFails");
        QTest::newRow("daily, 950 stored") << true << false;
        QTest::newRow("interactive, 950 stored") << false << false;
        QTest::newRow("daily, count fails") << true << true;
        QTest::newRow("interactive, count fails") << false << true;
    }
    void writtenAfterReadout() {
        QFETCH(bool, backup);
        QFETCH(bool, countFails);
        sim::Simulator simulator;
        simulator.setSeed(3);
        simulator.setTimeFactor(0);
        QVERIFY(simulator.listenTcp(0));
        sim::PlantState& p = simulator.plant(Plant);
        p.present = p.switchedOn = p.storing = true;
        simulator.addStoredRecords(Plant, 950);
        Settings::file().writeInteger(Keys::Com, Keys::Layer, 1);
        Settings::file().writeString(Keys::Com, Keys::NetAdr, QStringLiteral("127.0.0.1"));
        Settings::file().writeInteger(Keys::Com, Keys::NetPort, simulator.tcpPort());
        // An earlier readout's count, and a key of someone else's that stays.
        Settings::file().writeInteger(QString::number(Plant), BackupState::StoredKey, 12);
        Settings::file().writeString(QString::number(Plant), QStringLiteral("Fremd"),
                                     QStringLiteral("bleibt"));
        Link link;
        QSignalSpy up(&link, &Link::connected);
        BaseTimeout = 40;
        link.ReadLinkSettings();
        QVERIFY(up.wait(5000));
        RecordTimeout = 80;
        tAnlageParameter& a = Daten::Anlage[Plant];
        a.Present = true;
        a.SwitchedOn = 1;
        a.Pfad = QDir::toNativeSeparators(dir->path());
        if (countFails)
            simulator.setReplyOverride(Plant, 'r', QByteArray());

        const bool ok = backup ? Readout::BackupStoredRecords(Plant, Readout::View{})
                               : Readout::SaveStoredRecords(Plant, Readout::View{});
        QCOMPARE(ok, !countFails);
        QCOMPARE(key(BackupState::LastKey), QStringLiteral("27.03.2026 06:00:00"));
        QCOMPARE(key(BackupState::OkKey), countFails ? QStringLiteral("0") : QStringLiteral("1"));
        QCOMPARE(key(BackupState::StoredKey),
                 countFails ? QStringLiteral("12") : QStringLiteral("950"));
        QCOMPARE(key(QStringLiteral("Fremd")), QStringLiteral("bleibt"));
        // 950 records were waiting: urgent even though all of them are in the file now.
        QCOMPARE(alarmed(true), countFails ? QList<int>{} : QList<int>{Plant});
        QCOMPARE(alarmed(), QList<int>{Plant});
    }

    // A file that cannot be opened is a failed readout too.
    void openFailureRecorded() {
        tAnlageParameter& a = Daten::Anlage[Plant];
        a.Present = true;
        a.SwitchedOn = 1;
        a.Datei = dir->filePath(QStringLiteral("fehlt/x.CSV"));
        QVERIFY(!Readout::BackupStoredRecords(Plant, Readout::View{}));
        QCOMPARE(key(BackupState::OkKey), QStringLiteral("0"));
        QCOMPARE(key(BackupState::StoredKey), QStringLiteral("<none>"));
        QCOMPARE(alarmed(), QList<int>{Plant});
    }
};

QTEST_GUILESS_MAIN(TestBackupState)
#include "tst_backupState.moc"
