// The line faults of the simulator, each switched on alone, seen by a plain TCP client.
#include "SimClient.h"
#include "sim/ReplyWriter.h"
#include "sim/Simulator.h"

#include <QtTest>

#include <memory>

using sim::Simulator;

class TestSimFaults : public QObject {
    Q_OBJECT
    std::unique_ptr<Simulator> sim;
    std::unique_ptr<SimClient> client;

    static void setUpPlant(Simulator& s) {
        s.setClock(QDateTime(QDate(2026, 12, 9), QTime(14, 30, 0)));
        sim::PlantState& p = s.plant(1);
        p.present = p.switchedOn = p.storing = true;
        s.setPileAge(1, 3 * 24 * 60);
    }
    // Waits until the simulator has handled `count` frames in all.
    bool handled(int count) {
        return QTest::qWaitFor([&] { return sim->frames().size() >= count; }, 3000);
    }

private slots:
    void init() {
        sim = std::make_unique<Simulator>();
        QVERIFY(sim->listenTcp(0));
        setUpPlant(*sim);
        client = std::make_unique<SimClient>();
        QVERIFY(client->connectTo(sim->tcpPort()));
    }
    void cleanup() {
        client.reset();
        sim.reset();
    }

    void dropEveryReply() {
        sim->addStoredRecords(1, 2);
        sim->faults().dropRate = 1;
        client->send("\x01"
                     "B"
                     "\x01"
                     "G");
        QVERIFY(handled(2));
        sim->faults().dropRate = 0;
        QCOMPARE(client->exchange("\x01"
                                  "S",
                                  5),
                 QByteArray("S1;1;"));
        const sim::Stats st = sim->stats();
        QCOMPARE(st.dropped, 2);
        QCOMPARE(st.replies, 1);
        QCOMPARE(st.recordsHandedOut, 1);
        QCOMPARE(st.recordsLost, 1);
        QCOMPARE(sim->storedRecordCount(1), 1);
    }

    void dropSomeReplies() {
        sim->faults().dropRate = 0.5;
        const int n = 200;
        QByteArray requests;
        for (int i = 0; i < n; ++i)
            requests += "\x01"
                        "B";
        client->send(requests);
        QVERIFY(handled(n));
        const sim::Stats st = sim->stats();
        QCOMPARE(st.dropped + st.replies, qint64(n));
        QVERIFY2(st.dropped > n / 4 && st.dropped < 3 * n / 4,
                 qPrintable(QString::number(st.dropped)));
        QTRY_COMPARE(client->received, QByteArray("B3;").repeated(int(st.replies)));
    }

    void garble_data() {
        QTest::addColumn<QByteArray>("request");
        QTest::newRow("B") << QByteArray("\x01"
                                         "B");
        QTest::newRow("R") << QByteArray("\x01"
                                         "R");
        QTest::newRow("S") << QByteArray("\x01"
                                         "S");
        QTest::newRow("c") << QByteArray("\x01"
                                         "c");
        QTest::newRow("r") << QByteArray("\x01"
                                         "r");
        QTest::newRow("G") << QByteArray("\x01"
                                         "G");
        QTest::newRow("T") << QByteArray("\x01"
                                         "6");
    }
    void garble() {
        QFETCH(QByteArray, request);
        sim->addStoredRecords(1, 1);
        const sim::PlantState& p = sim->plant(1);
        namespace W = sim::ReplyWriter;
        const QHash<char, QByteArray> clean{
            {'B', W::mode(p)},       {'R', W::setup(p)},       {'S', W::state(p)},
            {'c', W::status(p)},     {'r', W::storedCount(p)}, {'G', W::stored(p.memory.front())},
            {'6', W::clock(p.clock)}};
        const QByteArray expected = clean.value(request.at(1));
        sim->faults().garbleRate = 1;
        const QByteArray bad = client->exchange(request, int(expected.size()));
        QCOMPARE(bad.size(), expected.size());
        QCOMPARE(bad.count(';'), expected.count(';'));
        QCOMPARE(bad.at(0), expected.at(0));
        int differing = -1;
        for (int i = 0; i < bad.size(); ++i) {
            if (bad.at(i) != expected.at(i)) {
                QCOMPARE(differing, -1);
                differing = i;
            }
        }
        QVERIFY(differing > 0);
        const char ch = bad.at(differing);
        QVERIFY(!(ch >= '0' && ch <= '9') && ch != '-' && ch != ';');
        if (expected.contains(';')) {
            // The spoilt field is one the PC converts as a number.
            const int field = int(bad.left(differing).count(';'));
            QVERIFY(sim::ReplyWriter::numericFields(bad.at(0), 99).contains(field));
        }
        QCOMPARE(sim->stats().garbled, 1);
    }

    void noiseBeforeReplies() {
        sim->faults().noiseRate = 1;
        const QByteArray reply = sim::ReplyWriter::setup(sim->plant(1));
        for (int i = 0; i < 20; ++i) {
            client->send("\x01"
                         "R");
            QTRY_VERIFY(client->received.endsWith(reply));
            const QByteArray noise = client->received.chopped(reply.size());
            QVERIFY(!noise.isEmpty());
            for (char letter : QByteArray("BRScGrT"))
                QVERIFY2(!noise.contains(letter), noise.toHex().constData());
            client->received.clear();
        }
    }

    void splitIntoPieces() {
        sim->faults().splitPieces = 4;
        sim->faults().splitDelayMs = 25;
        const QByteArray reply = sim::ReplyWriter::setup(sim->plant(1));
        QElapsedTimer t;
        t.start();
        QCOMPARE(client->exchange("\x01"
                                  "R",
                                  int(reply.size())),
                 reply);
        QVERIFY(t.elapsed() >= 3 * 25 - 2);
        QVERIFY(client->chunks >= 2);
    }

    void latency() {
        sim->faults().latencyMs = 150;
        QElapsedTimer t;
        t.start();
        QCOMPARE(client->exchange("\x01"
                                  "B",
                                  3),
                 QByteArray("B3;"));
        QVERIFY(t.elapsed() >= 148);
    }

    void bytesPacedAtTheBaudRate() {
        sim->faults().baud = 2400; // 4.17 ms a byte
        const QByteArray request = "\x01"
                                   "p00450205"
                                   "\x01"
                                   "R";
        const QByteArray reply = "R15;30;60;45;205;10;20;120;60;";
        QElapsedTimer t;
        t.start();
        QCOMPARE(client->exchange(request, int(reply.size())), reply);
        const double bound = (request.size() + reply.size()) * 10 * 1000.0 / 2400;
        QVERIFY2(t.elapsed() >= bound - 2, qPrintable(QString::number(t.elapsed())));
        QVERIFY(client->chunks >= 3);
    }

    void cutAfterRequests() {
        sim->faults().closeAfterRequests = 3;
        QSignalSpy gone(&client->socket, &QTcpSocket::disconnected);
        QCOMPARE(client->exchange("\x01"
                                  "B"
                                  "\x01"
                                  "B"
                                  "\x01"
                                  "S",
                                  11),
                 QByteArray("B3;B3;S1;1;"));
        QTRY_COMPARE(gone.count(), 1);
        QCOMPARE(sim->stats().connectionsCut, 1);
        // A new connection counts afresh.
        SimClient again;
        QVERIFY(again.connectTo(sim->tcpPort()));
        QCOMPARE(again.exchange("\x01"
                                "B",
                                3),
                 QByteArray("B3;"));
        QCOMPARE(again.socket.state(), QAbstractSocket::ConnectedState);
    }

    void dropConnectionsNow() {
        QSignalSpy gone(&client->socket, &QTcpSocket::disconnected);
        QCOMPARE(client->exchange("\x01"
                                  "B",
                                  3),
                 QByteArray("B3;"));
        // A record whose reply is still waiting on the line goes down with the connection.
        sim->addStoredRecords(1, 2);
        sim->faults().latencyMs = 5000;
        client->send("\x01"
                     "G");
        QVERIFY(handled(2));
        sim->dropConnections();
        QTRY_COMPARE(gone.count(), 1);
        const sim::Stats st = sim->stats();
        QCOMPARE(st.connectionsCut, 1);
        QCOMPARE(st.recordsHandedOut, 1);
        QCOMPARE(st.recordsLost, 1);
        QCOMPARE(sim->storedRecordCount(1), 1);
    }

    void sameSeedSameBytes() {
        auto run = [](quint32 seed) {
            Simulator s;
            s.setSeed(seed);
            setUpPlant(s);
            s.addStoredRecords(1, 30);
            s.advanceMinutes(600);
            s.faults().garbleRate = 0.3;
            s.faults().noiseRate = 0.3;
            s.faults().dropRate = 0.1;
            s.faults().splitPieces = 3;
            if (!s.listenTcp(0))
                return QByteArray();
            SimClient c;
            if (!c.connectTo(s.tcpPort()))
                return QByteArray();
            QByteArray expected;
            QObject::connect(&s, &Simulator::replySent,
                             [&expected](const QByteArray& r) { expected += r; });
            QByteArray requests;
            for (int i = 0; i < 10; ++i)
                requests += "\x01"
                            "c"
                            "\x01"
                            "G"
                            "\x01"
                            "6"
                            "\x01"
                            "R";
            c.send(requests);
            (void)QTest::qWaitFor([&] { return s.frames().size() == 40; }, 3000);
            (void)QTest::qWaitFor([&] { return c.received.size() == expected.size(); }, 3000);
            return c.received == expected ? c.received : QByteArray();
        };
        const QByteArray a = run(7);
        QVERIFY(!a.isEmpty());
        QCOMPARE(run(7), a);
        QVERIFY(run(8) != a);
    }
};

QTEST_GUILESS_MAIN(TestSimFaults)
#include "tst_simFaults.moc"
