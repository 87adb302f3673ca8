// The link transport: choosing and opening the link from the settings, the time-out table,
// the state texts of the serial line and of the gateway connection, and frames on the wire.
// The far end is the simulator, on real TCP and on a real pseudo-terminal.
#include "SocatPair.h"
#include "core/Daten.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "link/UKommunikation.h"
#include "sim/Simulator.h"

#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace Kommunikation;

namespace {

const QString Refused =
    QStringLiteral("Fehler beim Öffnen der Netzerkverbindung!\rBitte Kabel und PC- Einstellung "
                   "überprüfen!");
const QString NoSerial =
    QStringLiteral("Keine Verbindung\rBitte Kabel und PC- Einstellung überprüfen!");
const QString Connecting = QStringLiteral("Baue Netzwerkverbindung auf......");
const QString Inactive = QStringLiteral("Netzwerkverbindung ist inaktiv !");
const QString Closing = QStringLiteral("Schliesse Verbindung....");

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QStringList texts(const QSignalSpy& spy) {
    QStringList out;
    for (const QList<QVariant>& args : spy)
        out << args.at(0).toString();
    return out;
}

// A local port on which nothing listens.
quint16 closedPort() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

} // namespace

class TestLink : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<sim::Simulator> sim;
    std::unique_ptr<Link> link;

    QString iniPath() const { return dir->filePath(QStringLiteral("O2_Aerolis.ini")); }
    QString installationPath() const { return dir->filePath(QStringLiteral("Installation.ini")); }

    void openSettings(const QByteArray& com) {
        writeFile(iniPath(), "[COM]\r\n" + com);
        Settings::open(iniPath());
    }

    void connectTcp() {
        QVERIFY(sim->listenTcp(0));
        LinkLayer = 1;
        NetAddress = QStringLiteral("127.0.0.1");
        NetPort = sim->tcpPort();
        link->OpenLink();
        QTRY_VERIFY(LinkOpen);
    }

private slots:
    void init() {
        ResetProcessState();
        dir = std::make_unique<QTemporaryDir>();
        ProgramDir::setOverride(dir->path());
        Settings::open(iniPath());
        sim = std::make_unique<sim::Simulator>();
        link = std::make_unique<Link>();
    }
    void cleanup() {
        link.reset();
        sim.reset();
        Settings::close();
        ProgramDir::setOverride(QString());
        dir.reset();
    }

    void isNumericIP_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("numeric");
        QTest::newRow("192.168.0.10") << "192.168.0.10" << true;
        QTest::newRow("10.1.2.3") << "10.1.2.3" << true;
        QTest::newRow("two dots") << "192.168.0" << false;
        QTest::newRow("group 256") << "192.168.0.256" << false;
        QTest::newRow("group of four digits") << "1.2.3.0001" << false;
        QTest::newRow("host name") << "host1" << false;
        QTest::newRow("more than three dots") << "1.2.3.4.5" << true;
        QTest::newRow("leading dot") << ".1.2.3" << false;
        QTest::newRow("trailing dot") << "1.2.3.4." << false;
        QTest::newRow("two dots in a row") << "1.2..3.4" << false;
        QTest::newRow("longer than 15") << "100.100.100.1000" << false;
        QTest::newRow("300.1.1.1") << "300.1.1.1" << false;
        QTest::newRow("blank inside") << "1.2.3. 4" << false;
        QTest::newRow("empty") << "" << false;
    }
    void isNumericIP() {
        QFETCH(QString, host);
        QFETCH(bool, numeric);
        QCOMPARE(IsNumericIP(host), numeric);
    }

    // A numeric NETADR goes to the client as an address, anything else as a host name.
    void addressOrHostName_data() {
        QTest::addColumn<QString>("netAddress");
        QTest::addColumn<bool>("asAddress");
        QTest::newRow("10.1.2.3") << "10.1.2.3" << true;
        QTest::newRow("gateway1") << "gateway1" << false;
        QTest::newRow("300.1.1.1") << "300.1.1.1" << false;
    }
    void addressOrHostName() {
        QFETCH(QString, netAddress);
        QFETCH(bool, asAddress);
        LinkLayer = 1;
        NetAddress = netAddress;
        NetPort = closedPort();
        link->OpenLink();
        QCOMPARE(link->clientAddress(), asAddress ? netAddress : QString());
        QCOMPARE(link->clientHost(), asAddress ? QString() : netAddress);
        QCOMPARE(link->status(), Connecting);
        QVERIFY(!LinkOpen);
        link->ClientSocket1.abort();
    }

    // TIMEOUT counts on the network link only; the serial line has fixed time-outs.
    void timeouts_data() {
        QTest::addColumn<int>("layer");
        QTest::addColumn<int>("timeout");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("serial, TIMEOUT 500") << 0 << 500 << QList<int>{300, 600, 900};
        QTest::newRow("TCP, TIMEOUT 500") << 1 << 500 << QList<int>{500, 800, 1100};
        QTest::newRow("TCP, TIMEOUT 300") << 1 << 300 << QList<int>{300, 600, 900};
        QTest::newRow("TCP, TIMEOUT 600") << 1 << 600 << QList<int>{600, 900, 1200};
    }
    void timeouts() {
        QFETCH(int, layer);
        QFETCH(int, timeout);
        QFETCH(QList<int>, expected);
        QCOMPARE((QList<int>{BaseTimeout, LongTimeout, RecordTimeout}),
                 (QList<int>{300, 600, 900}));
        openSettings("PORT1=" + dir->filePath("none").toUtf8() + "\r\n");
        LinkLayer = uint8_t(layer);
        NetAddress = QStringLiteral("127.0.0.1");
        NetPort = closedPort();
        BaseTimeout = uint16_t(timeout);
        link->OpenLink();
        QCOMPARE((QList<int>{BaseTimeout, LongTimeout, RecordTimeout}), expected);
    }

    // Which link the settings choose, and what it reports once open.
    void readLinkSettings_data() {
        QTest::addColumn<QByteArray>("com"); // section "COM" without the PORT key
        QTest::addColumn<int>("layer");
        QTest::addColumn<QString>("status");
        QTest::newRow("serial by default")
            << QByteArray() << 0 << QStringLiteral("Serielle Verbindung auf :COM1");
        QTest::newRow("LAYER 1 without NETADR")
            << QByteArray("LAYER=1\r\n") << 0 << QStringLiteral("Serielle Verbindung auf :COM1");
        QTest::newRow("LAYER 2") << QByteArray("LAYER=2\r\nNETADR=127.0.0.1\r\n") << 0
                                 << QStringLiteral("Serielle Verbindung auf :COM1");
        QTest::newRow("LAYER 257") << QByteArray("LAYER=257\r\nNETADR=127.0.0.1\r\n") << 0
                                   << QStringLiteral("Serielle Verbindung auf :COM1");
        QTest::newRow("COM 3") << QByteArray("COM=3\r\n") << 0
                               << QStringLiteral("Serielle Verbindung auf :COM3");
        QTest::newRow("TCP") << QByteArray("LAYER=1\r\nNETADR=127.0.0.1\r\n") << 1
                             << QStringLiteral("Netzwerkverbindung zu :127.0.0.1");
    }
    void readLinkSettings() {
        QFETCH(QByteArray, com);
        QFETCH(int, layer);
        QFETCH(QString, status);
        QVERIFY(sim->listenTcp(0));
        const QString pty = sim->openPty();
        QVERIFY(!pty.isEmpty());
        const QByteArray port = com.contains("COM=3") ? "PORT3=" : "PORT1=";
        openSettings(com + port + pty.toUtf8() +
                     "\r\nNETPORT=" + QByteArray::number(sim->tcpPort()) + "\r\n");
        QSignalSpy poll(link.get(), &Link::startPollTimer);
        link->ReadLinkSettings();
        QTRY_VERIFY(LinkOpen);
        QCOMPARE(int(LinkLayer), layer);
        QCOMPARE(link->status(), status);
        QCOMPARE(poll.size(), 1);
        QCOMPARE(link->ComPort1.isOpen(), layer == 0);
        // The link carries frames either way.
        sim->plant(4).present = true;
        Daten::Anlage[4].Present = true;
        QVERIFY(ReadSetup(4));
    }

    // The baud rate from the installation file; PORT<n> from either file.
    void serialSettings_data() {
        QTest::addColumn<QByteArray>("installation");
        QTest::addColumn<bool>("portInSettings");
        QTest::addColumn<int>("baud");
        QTest::newRow("no Installation.ini") << QByteArray() << true << 2400;
        QTest::newRow("BAUD 1") << QByteArray("[COM]\r\nBAUD=1\r\n") << true << 4800;
        QTest::newRow("BAUD 2") << QByteArray("[COM]\r\nBAUD=2\r\n") << true << 9600;
        QTest::newRow("BAUD 3") << QByteArray("[COM]\r\nBAUD=3\r\n") << true << 19200;
        QTest::newRow("BAUD 7") << QByteArray("[COM]\r\nBAUD=7\r\n") << true << 2400;
        QTest::newRow("BAUD 259") << QByteArray("[COM]\r\nBAUD=259\r\n") << true << 2400;
        QTest::newRow("BAUD unreadable") << QByteArray("[COM]\r\nBAUD=fast\r\n") << true << 2400;
        QTest::newRow("PORT1 only in Installation.ini")
            << QByteArray("[COM]\r\nBAUD=2\r\n") << false << 9600;
    }
    void serialSettings() {
        QFETCH(QByteArray, installation);
        QFETCH(bool, portInSettings);
        QFETCH(int, baud);
        const QString pty = sim->openPty();
        QVERIFY(!pty.isEmpty());
        const QByteArray portLine = "PORT1=" + pty.toUtf8() + "\r\n";
        if (!installation.isEmpty() || !portInSettings)
            writeFile(installationPath(), installation + (portInSettings ? "" : portLine));
        openSettings(portInSettings ? portLine : QByteArray());
        link->ReadLinkSettings();
        QVERIFY(LinkOpen);
        QVERIFY(link->ComPort1.isOpen());
        QCOMPARE(link->ComPort1.baudRate(), baud);
        QCOMPARE(link->ComPort1.dataBits(), QSerialPort::Data8);
        QCOMPARE(link->ComPort1.parity(), QSerialPort::NoParity);
        QCOMPARE(link->ComPort1.stopBits(), QSerialPort::OneStop);
        QCOMPARE(link->ComPort1.flowControl(), QSerialPort::NoFlowControl);
    }

    void serialPortNames() {
        QCOMPARE(SerialPortName(1), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(SerialPortName(8), QStringLiteral("/dev/ttyS7"));
        openSettings("port2=/dev/ttyUSB0\r\n");
        QCOMPARE(SerialPortName(2), QStringLiteral("/dev/ttyUSB0"));
    }

    void serialOpenFails() {
        openSettings("PORT1=" + dir->filePath("no-such-tty").toUtf8() + "\r\n");
        QSignalSpy info(link.get(), &Link::information);
        QSignalSpy poll(link.get(), &Link::startPollTimer);
        link->ReadLinkSettings();
        QVERIFY(!LinkOpen);
        QCOMPARE(texts(info), QStringList{QStringLiteral(
                                  "Fehler beim Öffnen der seriellen Schnittstelle !\rBitte "
                                  "überprüfen!!")});
        QCOMPARE(link->status(), NoSerial);
        QCOMPARE(poll.size(), 0);
        // Frames go nowhere, and a wait ends by its time-out.
        Daten::Anlage[1].Present = true;
        QVERIFY(!ReadSetup(1));
        QVERIFY(TimeoutFlag);
    }

    void tcpConnects() {
        QVERIFY(sim->listenTcp(0));
        QSignalSpy status(link.get(), &Link::statusText);
        QSignalSpy poll(link.get(), &Link::startPollTimer);
        QSignalSpy enable(link.get(), &Link::enableMainWindow);
        QSignalSpy connected(link.get(), &Link::connected);
        LinkLayer = 1;
        NetAddress = QStringLiteral("127.0.0.1");
        NetPort = sim->tcpPort();
        link->OpenLink();
        QVERIFY(!LinkOpen);
        // A frame written while connecting is dropped.
        SendRequest(3, CmdFanOn);
        QTRY_COMPARE(connected.size(), 1);
        QVERIFY(LinkOpen);
        QCOMPARE(texts(status),
                 (QStringList{Connecting, QStringLiteral("Netzwerkverbindung zu :127.0.0.1")}));
        QCOMPARE(poll.size(), 1);
        QCOMPARE(enable.size(), 1);
        SendRequest(3, CmdFanOff);
        QTRY_COMPARE(sim->frames().size(), 1);
        QCOMPARE(sim->frames().first(), QByteArray("\x03o"));
    }

    void tcpRefused() {
        QSignalSpy status(link.get(), &Link::statusText);
        QSignalSpy errors(link.get(), &Link::errorReport);
        QSignalSpy stop(link.get(), &Link::stopPollTimer);
        QSignalSpy enable(link.get(), &Link::enableMainWindow);
        QSignalSpy connected(link.get(), &Link::connected);
        LinkLayer = 1;
        NetAddress = QStringLiteral("127.0.0.1");
        NetPort = closedPort();
        link->OpenLink();
        QTRY_COMPARE(errors.size(), 1);
        QCOMPARE(texts(errors), QStringList{QStringLiteral("Asynchroner Socket-Fehler 10061")});
        QCOMPARE(texts(status), (QStringList{Connecting, Refused}));
        QCOMPARE(stop.size(), 1);
        QCOMPARE(enable.size(), 1);
        QCOMPARE(connected.size(), 0);
        QVERIFY(!LinkOpen);
    }

    // The gateway hangs up: a disconnect, not an error.
    void tcpLost() {
        connectTcp();
        QSignalSpy status(link.get(), &Link::statusText);
        QSignalSpy errors(link.get(), &Link::errorReport);
        QSignalSpy stop(link.get(), &Link::stopPollTimer);
        sim->dropConnections();
        QTRY_VERIFY(!LinkOpen);
        QCOMPARE(texts(status), QStringList{Inactive});
        QCOMPARE(stop.size(), 1);
        QCOMPARE(errors.size(), 0);
        // No automatic reconnection.
        QVERIFY(!AwaitReply(50, 1, CmdReadMode));
        QVERIFY(!LinkOpen);
    }

    void tcpClosed() {
        connectTcp();
        QSignalSpy status(link.get(), &Link::statusText);
        QSignalSpy stop(link.get(), &Link::stopPollTimer);
        bool openDuringWait = true;
        QTimer::singleShot(0, [&] { openDuringWait = LinkOpen; });
        link->SchliesseSocketVerbindung(30);
        QVERIFY(!openDuringWait);
        QVERIFY(!LinkOpen);
        QCOMPARE(link->ClientSocket1.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(texts(status).first(), Closing);
        QVERIFY(stop.size() >= 1);
        // Closing again, or closing the serial line this way, does nothing.
        status.clear();
        link->SchliesseSocketVerbindung(30);
        QCOMPARE(status.size(), 0);
    }

    // A second OpenLink while the first connection is still being made leaves exactly one
    // connection, to the gateway now chosen.
    void reopenWhileConnecting() {
        QTcpServer first;
        QVERIFY(first.listen(QHostAddress::LocalHost, 0));
        QVERIFY(sim->listenTcp(0));
        LinkLayer = 1;
        NetAddress = QStringLiteral("127.0.0.1");
        NetPort = first.serverPort();
        link->OpenLink();
        NetPort = sim->tcpPort();
        link->OpenLink();
        QTRY_VERIFY(LinkOpen);
        QCOMPARE(link->ClientSocket1.peerPort(), sim->tcpPort());
        // Whatever reached the first gateway has been closed again.
        while (QTcpSocket* s = first.nextPendingConnection()) {
            if (s->state() == QAbstractSocket::ConnectedState)
                QVERIFY(s->waitForDisconnected(2000));
        }
    }

    // The PC setup switches to the serial line while the gateway connection is up.
    void switchToSerialClosesTcp() {
        connectTcp();
        const QString pty = sim->openPty();
        QVERIFY(!pty.isEmpty());
        openSettings("PORT1=" + pty.toUtf8() + "\r\n");
        LinkLayer = 0;
        link->OpenLink();
        QCOMPARE(link->ClientSocket1.state(), QAbstractSocket::UnconnectedState);
        QVERIFY(LinkOpen);
        QCOMPARE(link->status(), QStringLiteral("Serielle Verbindung auf :COM1"));
        sim->plant(2).present = true;
        QVERIFY(ProbePlant(2));
        QCOMPARE(sim->frames().size(), 2);
    }

    // The serial line with the address byte and the text written one after the other, over
    // a socat pseudo-terminal pair: the simulator on one end, the link on the other.
    void serialOverSocatPair() {
        const QString socat = QStandardPaths::findExecutable(QStringLiteral("socat"));
        if (socat.isEmpty())
            QSKIP("socat is not installed");
        QProcess pair;
        pair.setProgram(socat);
        pair.setArguments({"-d", "-d", "pty,raw,echo=0", "pty,raw,echo=0"});
        pair.start();
        QVERIFY(pair.waitForStarted());
        QStringList ptys;
        QByteArray log;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                log += pair.readAllStandardError();
                ptys.clear();
                for (const QByteArray& line : log.split('\n')) {
                    const int at = int(line.indexOf("PTY is "));
                    if (at >= 0)
                        ptys << QString::fromLocal8Bit(line.mid(at + 7).trimmed());
                }
                return ptys.size() == 2;
            }(),
            5000);
        QVERIFY(sim->openSerial(ptys.at(0)));
        openSettings("PORT5=" + ptys.at(1).toUtf8() + "\r\nCOM=5\r\n");
        writeFile(installationPath(), "[COM]\r\nBAUD=3\r\n");
        link->ReadLinkSettings();
        QVERIFY(LinkOpen);
        QCOMPARE(link->status(), QStringLiteral("Serielle Verbindung auf :COM5"));
        QCOMPARE(link->ComPort1.baudRate(), 19200);
        sim->plant(32).present = true;
        sim->plant(32).switchedOn = true;
        QVERIFY(ProbePlant(32));
        QVERIFY(Daten::Anlage[32].Present);
        QCOMPARE(int(Daten::Anlage[32].SwitchedOn), 1);
        tSetupValues values;
        values.SafetyOn = 10;
        values.SafetyOff = 20;
        SetupChanges changed;
        changed.SafetyTimes = true;
        WriteSetup(32, values, changed);
        QTRY_COMPARE(sim->frames().size(), 3);
        QCOMPARE(sim->frames().at(2), QByteArray(" n00100020"));
        link.reset();
        sim.reset();
        pair.terminate();
        QVERIFY(pair.waitForFinished(5000));
    }

    // The far end of the serial line goes away (an adapter pulled): the port is closed with
    // its own status text; when the line is back under the same name the link opens it
    // again by itself and raises the connect event, and exchanges work again.
    void serialLostAndBack() {
        if (!SocatPair::available())
            QSKIP("socat is not installed");
        SocatPair pair(dir->filePath(QStringLiteral("plc")), dir->filePath(QStringLiteral("pc")));
        QVERIFY(pair.start());
        QVERIFY(sim->openSerial(pair.a()));
        sim->plant(3).present = true;
        openSettings("PORT4=" + pair.b().toUtf8() + "\r\nCOM=4\r\n");
        link->Reconnect1.setInterval(100);
        link->setReconnecting(true);
        link->ReadLinkSettings();
        QVERIFY(LinkOpen);
        QVERIFY(ProbePlant(3));
        QSignalSpy status(link.get(), &Link::statusText);
        QSignalSpy stop(link.get(), &Link::stopPollTimer);
        QSignalSpy info(link.get(), &Link::information);
        QSignalSpy connected(link.get(), &Link::connected);

        pair.stop();
        sim->close();
        QTRY_COMPARE_WITH_TIMEOUT(link->status(), QStringLiteral("Serielle Verbindung verloren"),
                                  5000);
        QVERIFY(!LinkOpen);
        QVERIFY(!link->ComPort1.isOpen());
        QVERIFY(stop.size() >= 1);
        QVERIFY(!ProbePlant(3));
        // The tries while the line is gone are quiet.
        QTest::qWait(350);
        QCOMPARE(info.size(), 0);
        QCOMPARE(connected.size(), 0);
        QCOMPARE(link->status(), QStringLiteral("Serielle Verbindung verloren"));

        // The link may be back while the pair is still being set up (events run there).
        QVERIFY(pair.start());
        QVERIFY(sim->openSerial(pair.a()));
        QTRY_VERIFY_WITH_TIMEOUT(connected.size() >= 1, 5000);
        QVERIFY(LinkOpen);
        QCOMPARE(link->status(), QStringLiteral("Serielle Verbindung auf :COM4"));
        QVERIFY(ProbePlant(3));
        QCOMPARE(info.size(), 0);
    }

    // The gateway stops and starts again on its port: the link connects again by itself,
    // with no error report for the refused tries in between.
    void tcpGatewayGoneAndBack() {
        connectTcp();
        const quint16 port = sim->tcpPort();
        sim->plant(7).present = true;
        link->Reconnect1.setInterval(100);
        link->setReconnecting(true);
        QSignalSpy errors(link.get(), &Link::errorReport);
        QSignalSpy connected(link.get(), &Link::connected);
        sim->close();
        QTRY_VERIFY(!LinkOpen);
        QCOMPARE(link->status(), Inactive);
        QTest::qWait(350); // a few refused tries
        QCOMPARE(errors.size(), 0);
        QCOMPARE(connected.size(), 0);
        QVERIFY(sim->listenTcp(port));
        QTRY_VERIFY_WITH_TIMEOUT(connected.size() >= 1, 5000);
        QVERIFY(LinkOpen);
        QCOMPARE(link->status(), QStringLiteral("Netzwerkverbindung zu :127.0.0.1"));
        QVERIFY(ProbePlant(7));
        QCOMPARE(errors.size(), 0);
    }

    // No try is made while an exchange waits for its reply; the next tick after it does.
    void noReconnectInsideAWait() {
        connectTcp();
        const quint16 port = sim->tcpPort();
        link->Reconnect1.setInterval(50);
        link->setReconnecting(true);
        sim->close();
        QTRY_VERIFY(!LinkOpen);
        QVERIFY(sim->listenTcp(port));
        QSignalSpy connected(link.get(), &Link::connected);
        bool triedInWait = false;
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, this, [&] {
            if (IsWaiting() && link->ClientSocket1.state() != QAbstractSocket::UnconnectedState)
                triedInWait = true;
        });
        watcher.start(10);
        QVERIFY(!AwaitReply(400, 1, CmdReadMode));
        QVERIFY(!triedInWait);
        QCOMPARE(connected.size(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(connected.size() >= 1, 5000);
    }

    void waitMsRunsEvents() {
        bool fired = false;
        QTimer::singleShot(0, [&] { fired = true; });
        QElapsedTimer t;
        t.start();
        WaitMs(40);
        QVERIFY(fired);
        QVERIFY(t.elapsed() >= 40);
    }
};

QTEST_GUILESS_MAIN(TestLink)
#include "tst_link.moc"
