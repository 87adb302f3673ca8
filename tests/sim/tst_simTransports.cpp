// The simulator behind each of its transports, and the program with its options.
#include "SimClient.h"
#include "sim/Simulator.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QStandardPaths>
#include <QtTest>

using sim::Simulator;

namespace {
void presentPlant(Simulator& s) {
    s.plant(1).present = true;
    s.plant(1).mode = 2;
}

bool exchangeOverSerial(QSerialPort& port, const QByteArray& request, const QByteArray& reply) {
    QByteArray got;
    QObject::connect(&port, &QSerialPort::readyRead, &port, [&] { got += port.readAll(); });
    port.write(request);
    (void)QTest::qWaitFor([&] { return got.size() >= reply.size(); }, 3000);
    QObject::disconnect(&port, &QSerialPort::readyRead, &port, nullptr);
    return got == reply;
}
} // namespace

class TestSimTransports : public QObject {
    Q_OBJECT
private slots:
    void ownPseudoTerminal() {
        Simulator s;
        presentPlant(s);
        const QString path = s.openPty();
        QVERIFY(path.startsWith(QLatin1String("/dev/")));
        // The PC may open and close its end any number of times.
        for (int round = 0; round < 2; ++round) {
            QSerialPort port(path);
            QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));
            QVERIFY(exchangeOverSerial(port,
                                       "\x01"
                                       "B"
                                       "\x01"
                                       "S",
                                       "B2;S0;0;"));
        }
    }

    void existingTty() {
        const QString socat = QStandardPaths::findExecutable(QStringLiteral("socat"));
        if (socat.isEmpty())
            QSKIP("socat is not installed");
        QProcess pair;
        pair.start(socat, {QStringLiteral("-d"), QStringLiteral("-d"),
                           QStringLiteral("pty,raw,echo=0"), QStringLiteral("pty,raw,echo=0")});
        QStringList ends;
        QByteArray log;
        QTRY_VERIFY_WITH_TIMEOUT(
            (
                log += pair.readAllStandardError(),
                ends =
                    [&] {
                        QStringList out;
                        const QRegularExpression re(QStringLiteral("PTY is (\\S+)"));
                        for (auto it = re.globalMatch(QString::fromLocal8Bit(log)); it.hasNext();)
                            out << it.next().captured(1);
                        return out;
                    }(),
                ends.size() == 2),
            5000);
        Simulator s;
        presentPlant(s);
        QVERIFY(s.openSerial(ends.at(0)));
        QSerialPort port(ends.at(1));
        QVERIFY(port.open(QIODevice::ReadWrite));
        QVERIFY(exchangeOverSerial(port,
                                   "\x01"
                                   "B",
                                   "B2;"));
        s.close();
        pair.terminate();
        pair.waitForFinished(3000);
    }

#ifdef O2_SIM_PROGRAM
    void program_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("requests");
        QTest::addColumn<QByteArray>("replies");
        QTest::newRow("plant words")
            << QStringList{"--plant", "1:on,storing,mode=2,records=3", "--plant", "5:off"}
            << QByteArray("\x01"
                          "r"
                          "\x01"
                          "B"
                          "\x05"
                          "S"
                          "\x03"
                          "B"
                          "\x01"
                          "S")
            << QByteArray("r3;B2;S0;0;S1;1;");
        QTest::newRow("running plants") << QStringList{"--plants", "2-3", "--time-factor", "0"}
                                        << QByteArray("\x01"
                                                      "B"
                                                      "\x03"
                                                      "S"
                                                      "\x02"
                                                      "r")
                                        << QByteArray("S1;1;r0;");
        QTest::newRow("faults") << QStringList{"--plants", "1",      "--latency", "20",   "--split",
                                               "2",        "--baud", "19200",     "--log"}
                                << QByteArray("\x01"
                                              "B")
                                << QByteArray("B3;");
    }
    void program() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, requests);
        QFETCH(QByteArray, replies);
        QProcess p;
        p.start(QStringLiteral(O2_SIM_PROGRAM), QStringList{"--port", "0"} + args);
        QTRY_VERIFY_WITH_TIMEOUT(p.canReadLine(), 5000);
        const QByteArray line = p.readLine().trimmed();
        QVERIFY2(line.startsWith("port "), line.constData());
        SimClient c;
        QVERIFY(c.connectTo(quint16(line.mid(5).toUInt())));
        QCOMPARE(c.exchange(requests, int(replies.size())), replies);
        p.terminate();
        QTRY_COMPARE_WITH_TIMEOUT(p.state(), QProcess::NotRunning, 5000);
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
    }

    void programPty() {
        QProcess p;
        p.start(QStringLiteral(O2_SIM_PROGRAM), {"--pty", "--plants", "4"});
        QTRY_VERIFY_WITH_TIMEOUT(p.canReadLine(), 5000);
        const QByteArray line = p.readLine().trimmed();
        QVERIFY2(line.startsWith("pty /dev/"), line.constData());
        QSerialPort port(QString::fromLocal8Bit(line.mid(4)));
        QVERIFY(port.open(QIODevice::ReadWrite));
        QVERIFY(exchangeOverSerial(port,
                                   "\x04"
                                   "S",
                                   "S1;1;"));
        p.terminate();
        QTRY_COMPARE_WITH_TIMEOUT(p.state(), QProcess::NotRunning, 5000);
        QCOMPARE(p.exitCode(), 0);
    }

    void programRefusesBadOptions_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("address 33") << QStringList{"--plant", "33:on"};
        QTest::newRow("unknown word") << QStringList{"--plant", "1:hot"};
        QTest::newRow("records beyond the memory") << QStringList{"--plant", "1:records=1001"};
        QTest::newRow("drop above 1") << QStringList{"--drop", "1.5"};
        QTest::newRow("bad range") << QStringList{"--plants", "4-2"};
    }
    void programRefusesBadOptions() {
        QFETCH(QStringList, args);
        QProcess p;
        p.start(QStringLiteral(O2_SIM_PROGRAM), QStringList{"--port", "0"} + args);
        QTRY_COMPARE_WITH_TIMEOUT(p.state(), QProcess::NotRunning, 5000);
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(p.readAllStandardOutput().isEmpty());
    }
#endif
};

QTEST_GUILESS_MAIN(TestSimTransports)
#include "tst_simTransports.moc"
