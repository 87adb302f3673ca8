// The controller operations against the simulator, over real TCP on 127.0.0.1: requests on
// the wire, attempts, time-outs and what lands in the plant table.
#include "core/Daten.h"
#include "link/UKommunikation.h"
#include "sim/Simulator.h"

#include <QElapsedTimer>
#include <QtTest>
#include <functional>
#include <memory>

using namespace Kommunikation;

namespace {

// How a test plant looks on both sides before the operation runs.
struct PlantSetup {
    bool simPresent = true;
    bool simOn = false;
    bool simStoring = false;
    int simMode = 3;
    bool tablePresent = true;
    bool tableOn = false;
};

} // namespace

Q_DECLARE_METATYPE(PlantSetup)
Q_DECLARE_METATYPE(Kommunikation::SetupChanges)

class TestOperations : public QObject {
    Q_OBJECT
    std::unique_ptr<sim::Simulator> sim;
    std::unique_ptr<Link> link;
    static constexpr int Plant = 7;

    // The command letters the simulator received, in order, for every address.
    QByteArray letters() const {
        QByteArray out;
        for (const QByteArray& f : sim->frames())
            out += f.mid(1, 1);
        return out;
    }

    void setUp(const PlantSetup& s) {
        sim::PlantState& p = sim->plant(Plant);
        p.present = s.simPresent;
        p.switchedOn = s.simOn;
        p.storing = s.simStoring;
        p.mode = s.simMode;
        Daten::Anlage[Plant].Present = s.tablePresent;
        Daten::Anlage[Plant].SwitchedOn = s.tableOn;
    }

private slots:
    void init() {
        ResetProcessState();
        sim = std::make_unique<sim::Simulator>();
        QVERIFY(sim->listenTcp(0));
        link = std::make_unique<Link>();
        LinkLayer = 1;
        NetAddress = QStringLiteral("127.0.0.1");
        NetPort = sim->tcpPort();
        link->OpenLink();
        QTRY_VERIFY(LinkOpen);
    }
    void cleanup() {
        link.reset();
        sim.reset();
    }

    void probePlant_data() {
        QTest::addColumn<PlantSetup>("setup");
        QTest::addColumn<QByteArray>("silent"); // letters the simulator does not answer
        QTest::addColumn<bool>("result");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<int>("mode");
        PlantSetup running;
        running.simOn = running.simStoring = true;
        running.simMode = 2;
        QTest::newRow("present") << running << QByteArray() << true << QByteArray("BS") << 2;
        QTest::newRow("answers only B")
            << running << QByteArray("S") << false << QByteArray("BSS") << 2;
        PlantSetup absent;
        absent.simPresent = false;
        QTest::newRow("never answers") << absent << QByteArray() << false << QByteArray("BB") << 0;
    }
    void probePlant() {
        QFETCH(PlantSetup, setup);
        QFETCH(QByteArray, silent);
        QFETCH(bool, result);
        QFETCH(QByteArray, sent);
        QFETCH(int, mode);
        setUp(setup);
        for (char c : silent)
            sim->setReplyOverride(Plant, c, QByteArray());
        Daten::Anlage[Plant].Storing = 1;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(ProbePlant(Plant), result);
        const tAnlageParameter& p = Daten::Anlage[Plant];
        QCOMPARE(p.Present, result);
        QCOMPARE(int(p.Mode), mode);
        QCOMPARE(int(p.SwitchedOn), result ? 1 : 0);
        QCOMPARE(int(p.Storing), result ? 1 : 0);
        QCOMPARE(letters(), sent);
        // Every unanswered request costs its full time-out.
        const int unanswered = int(sent.size()) - (result ? 2 : (silent.isEmpty() ? 0 : 1));
        QVERIFY(clock.elapsed() >= unanswered * BaseTimeout);
    }

    void setOperatingMode_data() {
        QTest::addColumn<PlantSetup>("setup");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<bool>("present");
        PlantSetup s;
        s.simMode = 1;
        QTest::newRow("fan off") << s << 0 << true << QByteArray("oBS") << true;
        QTest::newRow("fan on") << s << 1 << true << QByteArray("eBS") << true;
        QTest::newRow("interval") << s << 2 << true << QByteArray("TBS") << true;
        QTest::newRow("O2 control") << s << 3 << true << QByteArray("qBS") << true;
        QTest::newRow("safety mode asks for O2 control")
            << s << 4 << true << QByteArray("qBS") << true;
        QTest::newRow("mode 5") << s << 5 << false << QByteArray() << true;
        PlantSetup absent = s;
        absent.tablePresent = false;
        QTest::newRow("absent plant") << absent << 0 << true << QByteArray() << false;
        PlantSetup gone = s;
        gone.simPresent = false;
        QTest::newRow("no longer answers") << gone << 2 << false << QByteArray("TBBTBB") << false;
    }
    void setOperatingMode() {
        QFETCH(PlantSetup, setup);
        QFETCH(int, mode);
        QFETCH(bool, result);
        QFETCH(QByteArray, sent);
        QFETCH(bool, present);
        setUp(setup);
        QCOMPARE(SetOperatingMode(Plant, mode), result);
        QCOMPARE(Daten::Anlage[Plant].Present, present);
        if (result && present)
            QCOMPARE(int(Daten::Anlage[Plant].Mode), mode == 4 ? 3 : mode);
        if (sent.isEmpty()) // a wrongly sent frame would arrive before this one
            QVERIFY(!AwaitReply(50, Plant + 1, CmdReadMode));
        QCOMPARE(letters(), sent.isEmpty() ? QByteArray("B") : sent);
    }

    void switchPlantOff_data() {
        QTest::addColumn<PlantSetup>("setup");
        QTest::addColumn<QByteArray>("stateReply"); // null: the simulator's own
        QTest::addColumn<bool>("result");
        QTest::addColumn<QByteArray>("sent");
        PlantSetup on;
        on.simOn = on.simStoring = true;
        on.tableOn = true;
        QTest::newRow("switches off") << on << QByteArray() << true << QByteArray("AS");
        QTest::newRow("still on after the first")
            << on << QByteArray("S1;1;") << false << QByteArray("ASAS");
        QTest::newRow("no state reply") << on << QByteArray("") << false << QByteArray("ASAS");
        QTest::newRow("malformed state reply")
            << on << QByteArray("Sx;0;") << false << QByteArray("ASAS");
        PlantSetup off;
        QTest::newRow("already off") << off << QByteArray() << true << QByteArray();
        PlantSetup absent = on;
        absent.tablePresent = false;
        QTest::newRow("absent") << absent << QByteArray() << true << QByteArray();
    }
    void switchPlantOff() {
        QFETCH(PlantSetup, setup);
        QFETCH(QByteArray, stateReply);
        QFETCH(bool, result);
        QFETCH(QByteArray, sent);
        setUp(setup);
        if (!stateReply.isNull())
            sim->setReplyOverride(Plant, 'S', stateReply);
        Daten::Anlage[Plant].Datei = QStringLiteral("/data/pile.csv");
        Daten::Anlage[Plant].Anzahl = 12;
        QCOMPARE(SwitchPlantOff(Plant), result);
        QCOMPARE(Daten::Anlage[Plant].Datei.isEmpty(), result);
        QCOMPARE(Daten::Anlage[Plant].Anzahl, result ? 0 : 12);
        if (sent.isEmpty())
            QVERIFY(!AwaitReply(50, Plant + 1, CmdReadMode));
        QCOMPARE(letters(), sent.isEmpty() ? QByteArray("B") : sent);
    }

    void startPile_data() {
        QTest::addColumn<QByteArray>("stateReply"); // null: the simulator's own
        QTest::addColumn<bool>("result");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("starts") << QByteArray() << true << QByteArray("FS");
        QTest::newRow("on but not storing") << QByteArray("S0;1;") << false << QByteArray("FS");
        QTest::newRow("storing but not on") << QByteArray("S1;0;") << false << QByteArray("FS");
        QTest::newRow("no state reply") << QByteArray("") << false << QByteArray("FSFS");
        QTest::newRow("malformed state reply")
            << QByteArray("S1;x;") << false << QByteArray("FSFS");
    }
    void startPile() {
        QFETCH(QByteArray, stateReply);
        QFETCH(bool, result);
        QFETCH(QByteArray, sent);
        setUp(PlantSetup{});
        if (!stateReply.isNull())
            sim->setReplyOverride(Plant, 'S', stateReply);
        QCOMPARE(StartPile(Plant), result);
        QCOMPARE(letters(), sent);
        QCOMPARE(sim->plant(Plant).switchedOn, true);
    }

    void readStoredCount_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("countReply"); // null: the simulator's own
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("count");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("memory of 25") << true << QByteArray() << true << 25 << QByteArray("r");
        QTest::newRow("0") << true << QByteArray("r0;") << true << 0 << QByteArray("r");
        QTest::newRow("1000") << true << QByteArray("r1000;") << true << 1000 << QByteArray("r");
        QTest::newRow("1001") << true << QByteArray("r1001;") << false << 0 << QByteArray("r");
        QTest::newRow("-1") << true << QByteArray("r-1;") << false << 0 << QByteArray("r");
        QTest::newRow("not a number")
            << true << QByteArray("rx;") << false << 0 << QByteArray("rr");
        QTest::newRow("no reply") << true << QByteArray("") << false << 0 << QByteArray("rr");
        QTest::newRow("absent keeps the count")
            << false << QByteArray() << false << 7 << QByteArray();
    }
    void readStoredCount() {
        QFETCH(bool, present);
        QFETCH(QByteArray, countReply);
        QFETCH(bool, result);
        QFETCH(int, count);
        QFETCH(QByteArray, sent);
        PlantSetup s;
        s.tablePresent = present;
        setUp(s);
        sim->addStoredRecords(Plant, 25);
        if (!countReply.isNull())
            sim->setReplyOverride(Plant, 'r', countReply);
        StoredCount = 7;
        QCOMPARE(ReadStoredCount(Plant), result);
        QCOMPARE(int(StoredCount), count);
        QCOMPARE(letters(), sent);
    }

    // A readout as the stored-record readout runs it: the count, then one 'G' per record.
    void readStoredRecords() {
        setUp(PlantSetup{});
        sim->addStoredRecords(Plant, 3);
        QVERIFY(ReadStoredCount(Plant));
        QCOMPARE(int(StoredCount), 3);
        for (int i = 0; i < 3; ++i) {
            StoredRecord.Valid = false;
            QVERIFY(ReadStoredRecord(Plant));
            QVERIFY(StoredRecord.Valid);
            QVERIFY(!TimeoutFlag);
            QCOMPARE(StoredYear.size(), 4);
        }
        // An empty memory stays silent: one try, ended by the time-out.
        QVERIFY(!ReadStoredRecord(Plant));
        QVERIFY(TimeoutFlag);
        QCOMPARE(letters(), QByteArray("rGGGG"));
    }

    void readSetup() {
        setUp(PlantSetup{});
        sim::PlantState& p = sim->plant(Plant);
        p.storageInterval = 20;
        p.o2On = 45;
        p.maxOff = 90;
        QVERIFY(ReadSetup(Plant));
        QVERIFY(Daten::SetupValues.Valid);
        QCOMPARE(Daten::SetupValues.StorageInterval, 20);
        QCOMPARE(Daten::SetupValues.O2On, 45);
        QCOMPARE(Daten::SetupValues.MaxOff, 90);

        sim->setReplyOverride(Plant, 'R', QByteArray());
        QVERIFY(!ReadSetup(Plant));
        QVERIFY(!Daten::SetupValues.Valid);
        QCOMPARE(letters(), QByteArray("RRR"));
    }

    void readSetupOfAbsentPlant() {
        PlantSetup s;
        s.tablePresent = false;
        setUp(s);
        Daten::SetupValues.Valid = true;
        Daten::SetupValues.O2On = 33;
        QVERIFY(!ReadSetup(Plant));
        QVERIFY(Daten::SetupValues.Valid);
        QCOMPARE(Daten::SetupValues.O2On, 33);
        QVERIFY(!AwaitReply(50, Plant + 1, CmdReadMode));
        QCOMPARE(letters(), QByteArray("B"));
    }

    void writeSetup_data() {
        QTest::addColumn<SetupChanges>("changed");
        QTest::addColumn<QByteArrayList>("frames");
        SetupChanges safety;
        safety.SafetyTimes = true;
        QTest::newRow("only the safety times") << safety << QByteArrayList{"n00110022"};
        SetupChanges all{true, true, true, true, true, true};
        QTest::newRow("all in order") << all << QByteArrayList{"I0020", "p00450205", "E0031",
                                                               "O0062", "n00110022", "N01300070"};
        QTest::newRow("nothing") << SetupChanges{} << QByteArrayList{};
    }
    void writeSetup() {
        QFETCH(SetupChanges, changed);
        QFETCH(QByteArrayList, frames);
        setUp(PlantSetup{});
        tSetupValues v;
        v.StorageInterval = 20;
        v.O2On = 45;
        v.O2Off = 205;
        v.IntervalOn = 31;
        v.IntervalOff = 62;
        v.SafetyOn = 11;
        v.SafetyOff = 22;
        v.MaxOn = 130;
        v.MaxOff = 70;
        WriteSetup(Plant, v, changed);
        // A 'B' behind the frames shows when everything before it has arrived.
        QVERIFY(AwaitReply(BaseTimeout, Plant, CmdReadMode));
        QByteArrayList got;
        for (const QByteArray& f : sim->frames()) {
            QCOMPARE(int(f.at(0)), Plant);
            got << f.mid(1);
        }
        QCOMPARE(got, frames + QByteArrayList{"B"});
        if (changed.SafetyTimes) {
            QCOMPARE(sim->plant(Plant).safetyOn, 11);
            QCOMPARE(sim->plant(Plant).safetyOff, 22);
        }
    }

    void sendDateAndTime() {
        setUp(PlantSetup{});
        SendDate(Plant, QDate(2009, 12, 31));
        SendTime(Plant, QTime(23, 59, 7));
        QTRY_COMPARE(sim->frames().size(), 2);
        QCOMPARE(sim->frames().at(0), QByteArray("\x07"
                                                 "D311209"));
        QCOMPARE(sim->frames().at(1), QByteArray("\x07"
                                                 "Z235907"));
    }

    void readClockText() {
        setUp(PlantSetup{});
        sim->setClock(QDateTime(QDate(2010, 3, 7), QTime(14, 30), Qt::UTC));
        QVERIFY(ReadClockText(Plant));
        QCOMPARE(ClockText.size(), ClockTextLength);
        QVERIFY(ClockText.startsWith('T'));
        const QString first = ClockText;
        sim->setReplyOverride(Plant, '6', QByteArray());
        QVERIFY(!ReadClockText(Plant));
        QCOMPARE(ClockText, first);
        QCOMPARE(letters(), QByteArray("666"));
    }

    // A reply of another kind is decoded into its own results and does not end the wait.
    void otherReplyDuringWait_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("result");
        QTest::newRow("other kind only") << QByteArray("B2;") << false;
        QTest::newRow("other kind, then the awaited one") << QByteArray("B2;S1;1;") << true;
        QTest::newRow("noise, then the awaited one") << QByteArray("\r\n;07;S1;1;") << true;
    }
    void otherReplyDuringWait() {
        QFETCH(QByteArray, reply);
        QFETCH(bool, result);
        setUp(PlantSetup{});
        sim->setReplyOverride(Plant, 'S', reply);
        QCOMPARE(AwaitReply(BaseTimeout, Plant, CmdReadState), result);
        QCOMPARE(TimeoutFlag, !result);
        QCOMPARE(int(Daten::Anlage[Plant].Mode), reply.startsWith('B') ? 2 : 0);
    }

    // An exchange started while another waits fails at once, sends nothing and changes
    // nothing; the outer wait still gets its reply.
    void nestedExchangeFails_data() {
        QTest::addColumn<int>("op");
        const char* names[] = {"AwaitReply",       "ProbePlant",       "ReadSetup",
                               "SetOperatingMode", "SwitchPlantOff",   "StartPile",
                               "ReadStoredCount",  "ReadStoredRecord", "ReadClockText"};
        for (int i = 0; i < 9; ++i)
            QTest::newRow(names[i]) << i;
    }
    void nestedExchangeFails() {
        QFETCH(int, op);
        const std::function<bool(int)> ops[] = {
            [](int a) { return AwaitReply(BaseTimeout, a, CmdReadMode); },
            [](int a) { return ProbePlant(a); },
            [](int a) { return ReadSetup(a); },
            [](int a) { return SetOperatingMode(a, 1); },
            [](int a) { return SwitchPlantOff(a); },
            [](int a) { return StartPile(a); },
            [](int a) { return ReadStoredCount(a); },
            [](int a) { return ReadStoredRecord(a); },
            [](int a) { return ReadClockText(a); },
        };
        setUp(PlantSetup{});
        const int other = 9;
        sim->plant(other).present = true;
        sim->plant(other).switchedOn = true;
        tAnlageParameter& inner = Daten::Anlage[other];
        inner.Present = true;
        inner.SwitchedOn = 1;
        inner.Datei = QStringLiteral("/data/other.csv");
        sim->faults().latencyMs = 150;

        bool innerResult = true;
        bool ran = false;
        QElapsedTimer innerTime;
        qint64 innerMs = -1;
        // Started once the outer request is on the wire, so the outer wait is surely running.
        QObject context;
        connect(
            sim.get(), &sim::Simulator::frameReceived, &context,
            [&] {
                if (ran)
                    return;
                ran = true;
                QVERIFY(IsWaiting());
                innerTime.start();
                innerResult = ops[op](other);
                innerMs = innerTime.elapsed();
            },
            Qt::QueuedConnection);
        QVERIFY(ReadSetup(Plant));
        QVERIFY(ran);
        QVERIFY(!innerResult);
        QVERIFY(innerMs < BaseTimeout); // it did not wait
        QVERIFY(inner.Present);
        QCOMPARE(int(inner.SwitchedOn), 1);
        QCOMPARE(inner.Datei, QStringLiteral("/data/other.csv"));
        QCOMPARE(letters(), QByteArray("R"));
    }

    // The gateway goes away in the middle of an exchange: the wait ends by its time-out and
    // the status line says the network link is down.
    void gatewayPulledMidExchange_data() {
        QTest::addColumn<bool>("closeAll");
        QTest::newRow("connection cut") << false;
        QTest::newRow("gateway gone") << true;
    }
    void gatewayPulledMidExchange() {
        QFETCH(bool, closeAll);
        setUp(PlantSetup{});
        sim->faults().latencyMs = 200;
        QSignalSpy status(link.get(), &Link::statusText);
        QObject context;
        connect(
            sim.get(), &sim::Simulator::frameReceived, &context,
            [&] {
                if (closeAll)
                    sim->close();
                else
                    sim->dropConnections();
            },
            Qt::QueuedConnection);
        QVERIFY(!ReadSetup(Plant));
        QVERIFY(TimeoutFlag);
        QVERIFY(!LinkOpen);
        QCOMPARE(link->status(), QStringLiteral("Netzwerkverbindung ist inaktiv !"));
        QCOMPARE(status.size(), 1);
        // With the link down nothing is sent and every wait ends by time-out.
        QVERIFY(!ProbePlant(Plant));
        QCOMPARE(letters(), QByteArray("R"));
    }
};

QTEST_GUILESS_MAIN(TestOperations)
#include "tst_operations.moc"
