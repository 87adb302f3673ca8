// A gateway that keeps the connection but stops answering (half-open TCP). The program's
// link and poll: the replies' time-outs end every wait, the plant's live values go, the link
// still counts as up until the gateway really goes, then the status line says so. The
// command-line tool's watch: the readout in progress ends as failed with the records read
// so far whole in the file, the tool goes on polling, and it still ends at once when told to.
#include "core/Daten.h"
#include "core/IniFile.h"
#include "core/Settings.h"
#include "core/TeachIn.h"
#include "link/UKommunikation.h"
#include "sim/Simulator.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestHalfOpen : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;

    static QByteArray readAll(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", userSettings.path().toLocal8Bit()); }

    void programPollOnSilentGateway() {
        using namespace Kommunikation;
        ResetProcessState();
        KompUtils::PlantCount = 2; // a poll round of a second
        QTemporaryDir dir;
        Settings::open(dir.filePath(QStringLiteral("O2_Aerolis.ini")));
        sim::Simulator simulator;
        sim::PlantState& p = simulator.plant(2);
        p.present = p.switchedOn = true;
        QVERIFY(simulator.listenTcp(0));
        Link link;
        TeachInPoll poll;
        connect(&link, &Link::startPollTimer, &poll, &TeachInPoll::StartTimer);
        connect(&link, &Link::stopPollTimer, &poll, &TeachInPoll::StopTimer);
        QSignalSpy status(&link, &Link::statusText);
        LinkLayer = 1;
        NetAddress = QStringLiteral("127.0.0.1");
        NetPort = simulator.tcpPort();
        link.OpenLink();
        QTRY_VERIFY(LinkOpen);
        poll.TeachInPending = true;
        poll.TeachIn();
        QVERIFY(Daten::Anlage[2].Present);
        QTRY_VERIFY_WITH_TIMEOUT(Daten::LiveStatus[2].Valid, 5000);

        simulator.faults().dropRate = 1; // silent, the connection stays
        const qsizetype before = simulator.frames().size();
        QTRY_VERIFY_WITH_TIMEOUT(!Daten::LiveStatus[2].Valid, 15000);
        // Still polling, and the link still counts as up: nothing has told it otherwise.
        QTRY_VERIFY_WITH_TIMEOUT(simulator.frames().size() > before + 10, 10000);
        QVERIFY(LinkOpen);
        QCOMPARE(link.status(), QStringLiteral("Netzwerkverbindung zu :127.0.0.1"));
        // An exchange run now ends by its time-out.
        QVERIFY(!ReadSetup(2));
        QVERIFY(TimeoutFlag);

        simulator.dropConnections();
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (const QList<QVariant>& s : status)
                    if (s.at(0).toString() == QStringLiteral("Netzwerkverbindung ist inaktiv !"))
                        return true;
                return false;
            }(),
            5000);
        poll.StopTimer();
        Settings::close();
        KompUtils::PlantCount = KompUtils::MaxPlants;
    }

    void gatewayFallsSilentMidReadout_data() {
        QTest::addColumn<bool>("fromStart");
        QTest::newRow("silent mid-readout") << false;
        QTest::newRow("silent from the connect on") << true;
    }
    void gatewayFallsSilentMidReadout() {
        QFETCH(bool, fromStart);
        QTemporaryDir dir;
        sim::Simulator simulator;
        simulator.setClock(QDateTime(QDate(2026, 3, 1), QTime(6, 0)));
        sim::PlantState& p = simulator.plant(2);
        p.present = p.switchedOn = p.storing = true;
        simulator.addStoredRecords(2, 400);
        // Paced like a 9600-baud line a record takes some 50 ms, so the readout is still
        // running when the gateway falls silent.
        simulator.faults().baud = 9600;
        simulator.faults().dropRate = fromStart ? 1 : 0; // silent, the connection stays
        QVERIFY(simulator.listenTcp(0));
        {
            QFile f(dir.filePath(QStringLiteral("O2_Aerolis.ini")));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[COM]\r\nLAYER=1\r\nNETADR=127.0.0.1\r\nNETPORT=" +
                    QByteArray::number(simulator.tcpPort()) + "\r\nTIMEOUT=80\r\n");
        }
        QProcess tool;
        tool.start(QStringLiteral(O2_CLI),
                   {QStringLiteral("--dir"), dir.path(), QStringLiteral("watch"),
                    QStringLiteral("--at-start"), QStringLiteral("--every"), QStringLiteral("3")});
        QVERIFY(tool.waitForStarted(5000));
        QString file;
        if (!fromStart) {
            QTRY_VERIFY_WITH_TIMEOUT(
                !(file =
                      IniFile(dir.filePath("O2_Aerolis.ini")).readString("2", "Datei", QString()))
                     .isEmpty(),
                20000);
            QTRY_VERIFY_WITH_TIMEOUT(readAll(file).count('\n') >= 9 + 10, 20000);
            simulator.faults().dropRate = 1;
        }
        QByteArray out;
        const auto shows = [&](const char* text) {
            out += tool.readAllStandardOutput();
            return out.contains(text);
        };
        if (fromStart) {
            // The teach-in's 64 probes of 32 plants all run into their time-outs, and the
            // readout that waits for the teach-in comes.
            QTRY_VERIFY_WITH_TIMEOUT(shows("Sicherung am "), 30000);
            QVERIFY(simulator.frames().size() >= 64);
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(shows("Fehler beim sichern!"), 20000);
            // Still polling the plant: no wait hangs on the silent gateway.
            const qsizetype before = simulator.frames().size();
            QTRY_VERIFY_WITH_TIMEOUT(simulator.frames().size() > before + 4, 10000);
        }
        // Running still; whether it has also connected anew is its own choice.
        QCOMPARE(tool.state(), QProcess::Running);
        QVERIFY(simulator.stats().connectionsAccepted >= 1);

        tool.terminate();
        QTRY_VERIFY_WITH_TIMEOUT(tool.state() == QProcess::NotRunning, 5000);
        QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tool.exitCode(), 0);
        if (!fromStart) {
            const QByteArray bytes = readAll(file);
            QVERIFY(bytes.endsWith("\r\n"));
            const int records = int(bytes.count('\n')) - 9;
            QVERIFY(records >= 10 && records < 400);
            QCOMPARE(IniFile(dir.filePath("O2_Aerolis.ini")).readInteger("2", "Anzahl", -1),
                     records);
        }
    }
};

QTEST_GUILESS_MAIN(TestHalfOpen)
#include "tst_halfOpen.moc"
