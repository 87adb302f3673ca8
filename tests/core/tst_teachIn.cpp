// Teach-in and the status poll against the simulated controllers over TCP.
#include "core/Daten.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "core/TeachIn.h"
#include "link/Link.h"
#include "link/Operations.h"
#include "link/Protocol.h"
#include "sim/Simulator.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace Kommunikation;

class TestTeachIn : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<sim::Simulator> simulator;
    std::unique_ptr<Link> link;
    std::unique_ptr<TeachInPoll> poll;

    // Present plants; every other address stays silent.
    void startSimulator(const QList<int>& on, const QList<int>& off = {}) {
        simulator = std::make_unique<sim::Simulator>();
        simulator->setSeed(7);
        for (int a : on) {
            sim::PlantState& p = simulator->plant(a);
            p.present = true;
            p.switchedOn = true;
            p.storing = true;
        }
        for (int a : off)
            simulator->plant(a).present = true;
        QVERIFY(simulator->listenTcp(0));
    }

    void connectLink() {
        Settings::file().writeInteger(Keys::Com, Keys::Layer, 1);
        Settings::file().writeString(Keys::Com, Keys::NetAdr, QStringLiteral("127.0.0.1"));
        Settings::file().writeInteger(Keys::Com, Keys::NetPort, simulator->tcpPort());
        link = std::make_unique<Link>();
        poll = std::make_unique<TeachInPoll>();
        QSignalSpy up(link.get(), &Link::connected);
        // Short waits keep a teach-in over 32 addresses quick; the simulator answers at once.
        BaseTimeout = 25;
        link->ReadLinkSettings();
        QVERIFY(up.wait(5000));
    }

    // All frames the simulator saw since the last clear, as readable text.
    QStringList frames() const {
        QStringList out;
        for (const QByteArray& f : simulator->frames())
            out << QString::number(quint8(f.at(0))) + QString::fromLatin1(f.mid(1));
        return out;
    }

    // Runs the teach-in and waits until its closing status request to plant 1 (present and
    // on in these cases) has reached the simulator, so that later frames stand alone.
    // One poll tick, then time for its reply to come in as it would before the next tick.
    void tick() {
        poll->LeseTimerTimer();
        QTest::qWait(15);
    }

    void teachInAndSettle() {
        poll->TeachIn();
        poll->StopTimer(); // the test steps the poll by hand
        QTRY_VERIFY(!frames().isEmpty() && frames().last() == QStringLiteral("1c"));
        QTRY_COMPARE(int(ReplyCode), int(CmdReadStatus));
        simulator->clearFrames();
    }

private slots:
    void init() {
        ResetProcessState();
        dir = std::make_unique<QTemporaryDir>();
        ProgramDir::setOverride(dir->path());
        Settings::open(ProgramDir::iniPath());
    }
    void cleanup() {
        poll.reset();
        link.reset();
        simulator.reset();
        Settings::close();
    }

    void noPlantAnswers() {
        startSimulator({});
        Settings::file().writeString(QStringLiteral("4"), Keys::Datei, QStringLiteral("x.CSV"));
        Settings::file().writeInteger(QStringLiteral("4"), Keys::Anzahl, 9);
        connectLink();
        poll->TeachIn();
        QVERIFY(!poll->TeachInPending);
        QCOMPARE(Daten::SelectedPlant, 1);
        for (int p = 1; p <= 32; ++p) {
            QVERIFY(!Daten::Anlage[p].Present);
            QVERIFY(Daten::Anlage[p].Datei.isEmpty());
            QCOMPARE(Daten::Anlage[p].Anzahl, 0);
        }
        // The file keeps what it had: the table is cleared in memory only.
        QCOMPARE(Settings::file().readInteger(QStringLiteral("4"), Keys::Anzahl, 0), 9);
        QVERIFY(poll->LeseTimer.isActive());
        simulator->clearFrames();
        for (int i = 0; i < 40; ++i)
            poll->LeseTimerTimer();
        QTest::qWait(50);
        QVERIFY(simulator->frames().isEmpty());
    }

    void probesSelectAndMakeConsistent() {
        startSimulator({3, 7}, {9});
        simulator->plant(7).mode = 4;
        // Plant 3 runs a pile but has no file yet; plant 9 is off but still names one.
        Settings::file().writeString(QStringLiteral("9"), Keys::Datei, QStringLiteral("old.CSV"));
        Settings::file().writeInteger(QStringLiteral("9"), Keys::Anzahl, 12);
        Settings::file().writeString(QStringLiteral("3"), Keys::Name, QStringLiteral("Nord"));
        connectLink();
        QSignalSpy started(poll.get(), &TeachInPoll::teachInStarted);
        QSignalSpy progress(poll.get(), &TeachInPoll::teachInProgress);
        simulator->clearFrames();
        poll->TeachIn();
        QCOMPARE(started.count(), 1);
        QCOMPARE(progress.count(), 32);
        QCOMPARE(Daten::SelectedPlant, 3);
        QVERIFY(Daten::Anlage[3].Present && Daten::Anlage[7].Present && Daten::Anlage[9].Present);
        QVERIFY(!Daten::Anlage[9].SwitchedOn);
        // Safety mode is shown as O2 control, and nothing is sent to the plant for it.
        QCOMPARE(int(Daten::Anlage[7].Mode), 3);
        const QStringList toSeven = frames().filter(QRegularExpression(QStringLiteral("^7\\D")));
        QCOMPARE(toSeven, (QStringList{QStringLiteral("7B"), QStringLiteral("7S")}));
        // A new file name for the running pile, written to the settings file.
        QVERIFY(Daten::Anlage[3].Datei.contains(QStringLiteral("Nord_")));
        QCOMPARE(Settings::file().readString(QStringLiteral("3"), Keys::Datei, QString()),
                 Daten::Anlage[3].Datei);
        // The switched-off plant loses its file in memory, not in the settings file.
        QVERIFY(Daten::Anlage[9].Datei.isEmpty());
        QCOMPARE(Daten::Anlage[9].Anzahl, 0);
        QCOMPARE(Settings::file().readString(QStringLiteral("9"), Keys::Datei, QString()),
                 QStringLiteral("old.CSV"));
        QCOMPARE(Settings::file().readInteger(QStringLiteral("9"), Keys::Anzahl, 0), 12);
        // The teach-in ends with the first poll request, to plant 1 (absent: nothing sent).
        QCOMPARE(poll->PollPosition, 1);
    }

    void pollCycle() {
        startSimulator({1, 2});
        connectLink();
        teachInAndSettle();
        // First tick: evaluates plant 1 (no request went to it yet) and asks plant 2.
        poll->LeseTimerTimer();
        QCOMPARE(poll->PollPosition, 2);
        QTRY_COMPARE(frames(), QStringList{QStringLiteral("2c")});
        QTRY_COMPARE(int(ReplyCode), int(CmdReadStatus));
        poll->LeseTimerTimer();
        QVERIFY(Daten::LiveStatus[2].Valid);
        QCOMPARE(Daten::LiveStatus[2].MissedPolls, 0);
        QCOMPARE(poll->PollPosition, 3);
        // Plant 2 stops answering: four more polls keep its values, the fifth clears them.
        simulator->setReplyOverride(2, 'c', QByteArray());
        for (int miss = 1; miss <= 5; ++miss) {
            while (poll->PollPosition != 2)
                tick();
            poll->LeseTimerTimer(); // evaluates plant 2
            QCOMPARE(Daten::LiveStatus[2].Valid, miss < 5);
        }
        QCOMPARE(Daten::LiveStatus[2].MissedPolls, 4);
        // One good reply makes it valid again.
        simulator->clearReplyOverrides();
        while (poll->PollPosition != 2)
            tick();
        QTRY_COMPARE(int(ReplyCode), int(CmdReadStatus));
        poll->LeseTimerTimer();
        QVERIFY(Daten::LiveStatus[2].Valid);
    }

    // Replies carry no address: a late reply of plant 1 counts for plant 2 when it arrives
    // after the request to plant 2 and plant 2's own reply does not come.
    void lateReplyCountsForTheNextPlant() {
        startSimulator({1, 2});
        connectLink();
        teachInAndSettle();
        simulator->setReplyOverride(2, 'c', QByteArray());
        simulator->faults().latencyMs = 60;
        while (poll->PollPosition != 32)
            poll->LeseTimerTimer();
        QTest::qWait(100);
        poll->LeseTimerTimer(); // evaluates 32, asks plant 1 (reply arrives late)
        poll->LeseTimerTimer(); // evaluates 1 too early (missed), asks plant 2
        QVERIFY(!Daten::LiveStatus[1].Valid || Daten::LiveStatus[1].MissedPolls > 0);
        QTRY_COMPARE(int(ReplyCode), int(CmdReadStatus)); // plant 1's reply, after 2's request
        poll->LeseTimerTimer();                           // evaluates plant 2
        QVERIFY(Daten::LiveStatus[2].Valid);
        QCOMPARE(Daten::LiveStatus[2].MissedPolls, 0);
    }

    // A teach-in asked for while another exchange waits (a connect event inside a setup
    // read) stays pending and runs after that wait: no plant is reported absent because its
    // probes were refused.
    void teachInWaitsForARunningExchange() {
        startSimulator({1, 2});
        connectLink();
        teachInAndSettle();
        simulator->setReplyOverride(1, 'R', QByteArray());
        bool pendingInside = false;
        QTimer::singleShot(10, poll.get(), [&] {
            poll->TeachInPending = true;
            poll->TeachIn();
            pendingInside = poll->TeachInPending && !poll->isRunning();
        });
        QVERIFY(!ReadSetup(1));
        QVERIFY(pendingInside);
        QTRY_VERIFY(!poll->TeachInPending);
        QVERIFY(Daten::Anlage[1].Present && Daten::Anlage[2].Present);
        QVERIFY(Daten::Anlage[1].SwitchedOn && Daten::Anlage[2].SwitchedOn);
    }

    // The poll never sends while an exchange waits for its reply.
    void pollWaitsForARunningExchange() {
        startSimulator({1, 2});
        connectLink();
        teachInAndSettle();
        simulator->setReplyOverride(1, 'R', QByteArray());
        QTimer::singleShot(10, poll.get(), [&] { poll->LeseTimerTimer(); });
        QVERIFY(!ReadSetup(1));
        QCOMPARE(frames(), (QStringList{QStringLiteral("1R"), QStringLiteral("1R")}));
    }
};

QTEST_GUILESS_MAIN(TestTeachIn)
#include "tst_teachIn.moc"
