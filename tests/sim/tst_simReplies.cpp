// Every command of the simulated controllers, answered over a real gateway connection.
#include "SimClient.h"
#include "sim/Simulator.h"

#include <QtTest>

#include <memory>

using sim::Simulator;

class TestSimReplies : public QObject {
    Q_OBJECT
    std::unique_ptr<Simulator> sim;
    std::unique_ptr<SimClient> client;

    // Plant 3 holds the values of the protocol's example replies; plant 1 only answers,
    // so a reply from it proves that everything sent before it stayed silent.
    void setUpPlants() {
        sim->setClock(QDateTime(QDate(2010, 3, 7), QTime(14, 30, 5)));
        sim::PlantState& p = sim->plant(3);
        p.present = p.switchedOn = p.storing = true;
        p.temperature = {51.2, 49.8, 45.5, 40.1, 21.0};
        p.o2 = 18.7;
        p.fanOn = true;
        p.runTime = 125;
        p.cycles = 37;
        sim::StoredRecord r;
        r.t = {512, 498, 455, 401, 210};
        r.o2 = 187;
        r.mode = 3;
        r.time = QDateTime(QDate(2010, 3, 7), QTime(14, 30), Qt::UTC);
        r.runTime = 125;
        r.cycles = 37;
        p.memory.push_back(r);
        r.t = {-15, 9, 0, 1000, -3};
        r.o2 = 5;
        r.mode = 4;
        r.time = QDateTime(QDate(2009, 12, 1), QTime(0, 5), Qt::UTC);
        r.runTime = 123456;
        r.cycles = 0;
        p.memory.push_back(r);
        sim->plant(1).present = true;
    }

private slots:
    void init() {
        sim = std::make_unique<Simulator>();
        QVERIFY(sim->listenTcp(0));
        setUpPlants();
        client = std::make_unique<SimClient>();
        QVERIFY(client->connectTo(sim->tcpPort()));
    }
    void cleanup() {
        client.reset();
        sim.reset();
    }

    void replyText_data() {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("reply");
        const QByteArray setupDefault = "R15;30;60;50;70;10;20;120;60;";
        QTest::newRow("B mode") << QByteArray("\x03"
                                              "B")
                                << QByteArray("B3;");
        QTest::newRow("R setup") << QByteArray("\x03"
                                               "R")
                                 << setupDefault;
        QTest::newRow("S state") << QByteArray("\x03"
                                               "S")
                                 << QByteArray("S1;1;");
        QTest::newRow("c status") << QByteArray("\x03"
                                                "c")
                                  << QByteArray("c512;498;455;401;210;187;3;1;0;125;37;");
        QTest::newRow("r count") << QByteArray("\x03"
                                               "r")
                                 << QByteArray("r2;");
        QTest::newRow("G oldest record")
            << QByteArray("\x03"
                          "G")
            << QByteArray("G512;498;455;401;210;187;3;0;30;14;07;03;10;125;37;");
        QTest::newRow("6 clock text") << QByteArray("\x03"
                                                    "6")
                                      << QByteArray("T Datum 07.03.10 Zeit 14:30:05");
        QTest::newRow("I") << QByteArray("\x03"
                                         "I1440"
                                         "\x03"
                                         "R")
                           << QByteArray("R1440;30;60;50;70;10;20;120;60;");
        QTest::newRow("p") << QByteArray("\x03"
                                         "p00450205"
                                         "\x03"
                                         "R")
                           << QByteArray("R15;30;60;45;205;10;20;120;60;");
        QTest::newRow("E O n N") << QByteArray("\x03"
                                               "E0005"
                                               "\x03"
                                               "O0007"
                                               "\x03"
                                               "n00110022"
                                               "\x03"
                                               "N02000250"
                                               "\x03"
                                               "R")
                                 << QByteArray("R15;5;7;50;70;11;22;200;250;");
        QTest::newRow("values out of range refused") << QByteArray("\x03"
                                                                   "I0000"
                                                                   "\x03"
                                                                   "I1441"
                                                                   "\x03"
                                                                   "E0301"
                                                                   "\x03"
                                                                   "n00000010"
                                                                   "\x03"
                                                                   "N03010010"
                                                                   "\x03"
                                                                   "p00500211"
                                                                   "\x03"
                                                                   "R")
                                                     << setupDefault;
        QTest::newRow("D Z") << QByteArray("\x03"
                                           "D311209"
                                           "\x03"
                                           "Z235907"
                                           "\x03"
                                           "6")
                             << QByteArray("T Datum 31.12.09 Zeit 23:59:07");
        QTest::newRow("impossible date and time refused")
            << QByteArray("\x03"
                          "D300209"
                          "\x03"
                          "Z246000"
                          "\x03"
                          "6")
            << QByteArray("T Datum 07.03.10 Zeit 14:30:05");
        QTest::newRow("e fan on") << QByteArray("\x03"
                                                "e"
                                                "\x03"
                                                "B")
                                  << QByteArray("B1;");
        QTest::newRow("o fan off") << QByteArray("\x03"
                                                 "o"
                                                 "\x03"
                                                 "c")
                                   << QByteArray("c512;498;455;401;210;187;0;0;0;125;37;");
        QTest::newRow("T interval") << QByteArray("\x03"
                                                  "T"
                                                  "\x03"
                                                  "B")
                                    << QByteArray("B2;");
        QTest::newRow("q O2 control") << QByteArray("\x03"
                                                    "o"
                                                    "\x03"
                                                    "q"
                                                    "\x03"
                                                    "B")
                                      << QByteArray("B3;");
        QTest::newRow("A off, not storing, memory kept") << QByteArray("\x03"
                                                                       "A"
                                                                       "\x03"
                                                                       "S"
                                                                       "\x03"
                                                                       "r")
                                                         << QByteArray("S0;0;r2;");
        QTest::newRow("F new pile") << QByteArray("\x03"
                                                  "A"
                                                  "\x03"
                                                  "F"
                                                  "\x03"
                                                  "S"
                                                  "\x03"
                                                  "r")
                                    << QByteArray("S1;1;r0;");
        QTest::newRow("absent plants stay silent") << QByteArray("\x04"
                                                                 "B"
                                                                 "\x04"
                                                                 "c"
                                                                 "\x20"
                                                                 "S"
                                                                 "\x01"
                                                                 "B")
                                                   << QByteArray("B3;");
        QTest::newRow("no reply to set commands") << QByteArray("\x03"
                                                                "I0015"
                                                                "\x03"
                                                                "D070310"
                                                                "\x03"
                                                                "q"
                                                                "\x01"
                                                                "B")
                                                  << QByteArray("B3;");
    }
    void replyText() {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, reply);
        QCOMPARE(client->exchange(request, int(reply.size())), reply);
        // Nothing more was sent: the next reply is plant 1's.
        QCOMPARE(client->exchange("\x01"
                                  "S",
                                  5),
                 QByteArray("S0;0;"));
    }

    void memoryOldestFirstAndGone() {
        const QByteArray oldest = "G512;498;455;401;210;187;3;0;30;14;07;03;10;125;37;";
        const QByteArray next = "G-15;9;0;1000;-3;5;4;0;05;00;01;12;09;123456;0;";
        QCOMPARE(client->exchange("\x03"
                                  "G",
                                  int(oldest.size())),
                 oldest);
        QCOMPARE(client->exchange("\x03"
                                  "G",
                                  int(next.size())),
                 next);
        // An empty memory gets no reply at all.
        QCOMPARE(client->exchange("\x03"
                                  "G"
                                  "\x03"
                                  "r",
                                  3),
                 QByteArray("r0;"));
        QCOMPARE(sim->stats().recordsHandedOut, 2);
        QCOMPARE(sim->stats().recordsLost, 0);
    }

    void memoryKeepsTheNewestThousand() {
        sim->plant(3).memory.clear();
        sim->addStoredRecords(3, 400);
        const QDateTime firstOfTheLast = sim->plant(3).memory.at(200).time;
        sim->addStoredRecords(3, 800);
        QCOMPARE(sim->storedRecordCount(3), 1000);
        QCOMPARE(client->exchange("\x03"
                                  "r",
                                  6),
                 QByteArray("r1000;"));
        QCOMPARE(sim->plant(3).memory.front().time, firstOfTheLast);
        // Records keep being stored into a full memory, the oldest giving way.
        sim->plant(3).storageInterval = 1;
        sim->advanceMinutes(5);
        QCOMPARE(sim->storedRecordCount(3), 1000);
        QCOMPARE(sim->plant(3).memory.back().time, sim->plant(3).clock);
    }

    void storesEveryInterval() {
        sim->plant(3).memory.clear();
        QCOMPARE(client->exchange("\x03"
                                  "I0010"
                                  "\x03"
                                  "r",
                                  3),
                 QByteArray("r0;"));
        sim->advanceMinutes(35);
        QCOMPARE(client->exchange("\x03"
                                  "r",
                                  3),
                 QByteArray("r3;"));
        client->send("\x03"
                     "G");
        QTRY_COMPARE(client->received.count(';'), 15);
        QVERIFY2(client->received.contains(";40;14;07;03;10;"), client->received.constData());
        client->received.clear();
        // Not storing: the memory stays as it is.
        sim->plant(3).storing = false;
        sim->advanceMinutes(60);
        QCOMPARE(sim->storedRecordCount(3), 2);
    }

    void overrides() {
        sim->setReplyOverride(3, 'S', "S1;0;");
        sim->setReplyOverride(3, 'B', QByteArray());
        sim->setReplyOverride(3, 'G', "G;x;");
        sim->setReplyOverride(4, 'B', "B1;"); // absent plant: stays silent
        const QByteArray replies = "S1;0;G;x;r1;";
        QCOMPARE(client->exchange("\x03"
                                  "S"
                                  "\x03"
                                  "B"
                                  "\x04"
                                  "B"
                                  "\x03"
                                  "G"
                                  "\x03"
                                  "r",
                                  int(replies.size())),
                 replies);
        sim->clearReplyOverrides();
        QCOMPARE(client->exchange("\x03"
                                  "B",
                                  3),
                 QByteArray("B3;"));
    }

    void framesAreLogged() {
        QSignalSpy spy(sim.get(), &Simulator::frameReceived);
        client->send("\x04"
                     "B"
                     "junk"
                     "\x03"
                     "p00450205"
                     "\x01"
                     "B");
        QCOMPARE(client->take(3), QByteArray("B3;"));
        const QList<QByteArray> expected{"\x04"
                                         "B",
                                         "\x03"
                                         "p00450205",
                                         "\x01"
                                         "B"};
        QCOMPARE(sim->frames(), expected);
        QCOMPARE(spy.count(), 3);
        QCOMPARE(sim->stats().requests, 3);
        QCOMPARE(sim->stats().replies, 1);
        sim->clearFrames();
        QVERIFY(sim->frames().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSimReplies)
#include "tst_simReplies.moc"
