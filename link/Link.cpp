#include "link/Link.h"

#include "core/IniFile.h"
#include "core/ProcessState.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "link/LinkLog.h"
#include "link/Operations.h"
#include "link/Protocol.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHostAddress>
#include <algorithm>

namespace Kommunikation {

uint8_t LinkLayer = 0;
uint16_t ComNumber = 1;
QString NetAddress;
int32_t NetPort = DefaultNetPort;
uint8_t BaudIndex = 0;
bool LinkOpen = false;
bool TimeoutFlag = false;
uint16_t BaseTimeout = SerialBaseTimeout;
uint16_t LongTimeout = SerialBaseTimeout + 300;
uint16_t RecordTimeout = SerialBaseTimeout + 600;

namespace {

Link* s_current = nullptr;

ProcessState::Registrar reg(&resetLinkState);

const QString PortKeyPrefix = QStringLiteral("PORT");

uint16_t PlusMs(uint16_t base, int ms) {
    return uint16_t(std::min(int(base) + ms, 65535));
}

// The socket error as the platform's socket layer numbers it, so that the number in the
// error report means the same on every installation.
int SocketErrorNumber(QAbstractSocket::SocketError e) {
    switch (e) {
    case QAbstractSocket::ConnectionRefusedError:
        return 10061;
    case QAbstractSocket::RemoteHostClosedError:
        return 10054;
    case QAbstractSocket::HostNotFoundError:
        return 11001;
    case QAbstractSocket::SocketAccessError:
        return 10013;
    case QAbstractSocket::SocketResourceError:
        return 10055;
    case QAbstractSocket::SocketTimeoutError:
        return 10060;
    case QAbstractSocket::NetworkError:
        return 10051;
    case QAbstractSocket::AddressInUseError:
        return 10048;
    case QAbstractSocket::SocketAddressNotAvailableError:
        return 10049;
    case QAbstractSocket::UnsupportedSocketOperationError:
        return 10045;
    default:
        return 10000 + int(e);
    }
}

} // namespace

void resetLinkState() {
    LinkLayer = 0;
    ComNumber = 1;
    NetAddress.clear();
    NetPort = DefaultNetPort;
    BaudIndex = 0;
    LinkOpen = false;
    TimeoutFlag = false;
    BaseTimeout = SerialBaseTimeout;
    LongTimeout = SerialBaseTimeout + 300;
    RecordTimeout = SerialBaseTimeout + 600;
}

int BaudRate(int baudIndex) {
    switch (baudIndex) {
    case 1:
        return 4800;
    case 2:
        return 9600;
    case 3:
        return 19200;
    default:
        return 2400;
    }
}

uint8_t ReadBaudIndex() {
    const IniFile installation(ProgramDir::installationIniPath());
    const int v = installation.readInteger(Keys::Com, Keys::Baud, 0);
    // Out-of-range values stay out of range (and so mean 2400) instead of wrapping.
    return v >= 0 && v <= 255 ? uint8_t(v) : 0;
}

QString SerialPortName(int number) {
#ifdef Q_OS_WIN
    return QStringLiteral("COM") + QString::number(number);
#else
    const QString key = PortKeyPrefix + QString::number(number);
    QString device;
    if (Settings::isOpen())
        device = Settings::file().readString(Keys::Com, key, QString()).trimmed();
    if (device.isEmpty()) {
        const IniFile installation(ProgramDir::installationIniPath());
        device = installation.readString(Keys::Com, key, QString()).trimmed();
    }
    if (!device.isEmpty())
        return device;
    return QStringLiteral("/dev/ttyS") + QString::number(number - 1);
#endif
}

bool PortExists(const QString& device) {
    QSerialPort port(device);
    if (port.open(QIODevice::ReadWrite)) {
        port.close();
        return true;
    }
    return port.error() == QSerialPort::PermissionError;
}

bool IsNumericIP(const QString& host) {
    if (host.size() > 15 || host.startsWith(QLatin1Char('.')))
        return false;
    int dots = 0;
    int group = 0;
    int digits = 0;
    for (int i = 0; i < host.size(); ++i) {
        const QChar c = host.at(i);
        if (c == QLatin1Char('.')) {
            ++dots;
            if (i + 1 >= host.size() || host.at(i + 1) < QLatin1Char('0') ||
                host.at(i + 1) > QLatin1Char('9'))
                return false;
            group = 0;
            digits = 0;
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            group = group * 10 + (c.unicode() - '0');
            ++digits;
            if (group > 255 || digits > 3)
                return false;
        } else {
            return false;
        }
    }
    return dots >= 3;
}

void WaitMs(int ms) {
    if (ms <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(ms);
    loop.exec();
}

Link::Link(QObject* parent) : QObject(parent) {
    Timeout1.setTimerType(Qt::PreciseTimer);
    connect(&Timeout1, &QTimer::timeout, this, &Link::Timeout1Timer);
    connect(&ComPort1, &QSerialPort::readyRead, this,
            [this] { ComPort1TriggerAvail(ComPort1.bytesAvailable()); });
    connect(&ClientSocket1, &QTcpSocket::readyRead, this, &Link::ClientSocket1Read);
    connect(&ClientSocket1, &QTcpSocket::connected, this, &Link::ClientSocket1Connect);
    connect(&ClientSocket1, &QTcpSocket::disconnected, this, &Link::ClientSocket1Disconnect);
    connect(&ClientSocket1, &QTcpSocket::errorOccurred, this, &Link::ClientSocket1Error);
    // Queued: the port is closed after its own error signal has returned.
    connect(&ComPort1, &QSerialPort::errorOccurred, this, &Link::ComPort1Error,
            Qt::QueuedConnection);
    Reconnect1.setInterval(ReconnectIntervalMs);
    connect(&Reconnect1, &QTimer::timeout, this, &Link::Reconnect1Timer);
    s_current = this;
    SetFrameSink([this](uint8_t address, const QByteArray& text) { SendFrame(address, text); });
}

Link::~Link() {
    // The members go after this body; none of their last signals may reach a half-gone link.
    ClientSocket1.disconnect(this);
    ComPort1.disconnect(this);
    Timeout1.disconnect(this);
    Reconnect1.disconnect(this);
    ClientSocket1.abort();
    if (s_current == this) {
        s_current = nullptr;
        SetFrameSink(nullptr);
        LinkOpen = false;
    }
    // A wait on this link's reply timer would never end otherwise.
    EndReplyWait();
}

Link* Link::current() {
    return s_current;
}

void Link::setStatus(const char* source, const QString& suffix) {
    m_statusSource = source;
    m_statusSuffix = suffix;
    const QString text = status();
    qCDebug(lcLink) << "status" << text;
    emit statusText(text);
}

QString Link::status() const {
    return m_statusSource ? tr(m_statusSource) + m_statusSuffix : QString();
}

void Link::ReadLinkSettings() {
    IniFile& f = Settings::file();
    const int layer = f.readInteger(Keys::Com, Keys::Layer, 0);
    ComNumber = uint16_t(f.readInteger(Keys::Com, Keys::ComPort, 1));
    NetAddress = f.readString(Keys::Com, Keys::NetAdr, QString());
    NetPort = f.readInteger(Keys::Com, Keys::NetPort, DefaultNetPort);
    BaudIndex = ReadBaudIndex();
    // Judged on the number as written, so that 257 does not become 1 in eight bits.
    LinkLayer = (layer == 1 && !NetAddress.isEmpty()) ? 1 : 0;
    OpenLink();
}

void Link::closeClient(int ms) {
    setStatus(QT_TR_NOOP("Schliesse Verbindung...."));
    emit stopPollTimer();
    LinkOpen = false;
    WaitMs(ms);
    ClientSocket1.close();
    if (ClientSocket1.state() != QAbstractSocket::UnconnectedState)
        ClientSocket1.abort();
}

void Link::SchliesseSocketVerbindung(int ms) {
    if (LinkLayer != 1 || !LinkOpen)
        return;
    closeClient(ms);
}

void Link::OpenLink() {
    Reconnect1.stop();
    m_quietTry = false;
    if (ComPort1.isOpen()) {
        emit stopPollTimer();
        ComPort1.close();
    }
    const QAbstractSocket::SocketState client = ClientSocket1.state();
    if (client != QAbstractSocket::UnconnectedState) {
        if (LinkLayer == 1 && LinkOpen)
            SchliesseSocketVerbindung(500);
        else if (client == QAbstractSocket::ConnectedState && LinkOpen)
            closeClient(500); // the setup switched to the serial line: close it all the same
        else
            ClientSocket1.abort(); // still connecting: nothing was sent, nothing to wait for
    }
    ComPort1.setPortName(SerialPortName(ComNumber));

    if (LinkLayer == 1 && !NetAddress.isEmpty()) {
        LinkOpen = false;
        // Reported before connecting, so that an error raised at once is not overwritten.
        setStatus(QT_TR_NOOP("Baue Netzwerkverbindung auf......"));
        connectClient();
        LongTimeout = PlusMs(BaseTimeout, 300);
        RecordTimeout = PlusMs(BaseTimeout, 600);
        return;
    }

    LinkLayer = 0;
    if (openSerialPort()) {
        setStatus(QT_TR_NOOP("Serielle Verbindung auf :"),
                  QStringLiteral("COM") + QString::number(ComNumber));
        emit startPollTimer();
        LinkOpen = true;
    } else {
        emit information(
            tr("Fehler beim Öffnen der seriellen Schnittstelle !\rBitte überprüfen!!"));
        setStatus(QT_TR_NOOP("Keine Verbindung\rBitte Kabel und PC- Einstellung überprüfen!"));
        LinkOpen = false;
        armReconnect();
    }
    BaseTimeout = SerialBaseTimeout;
    LongTimeout = SerialBaseTimeout + 300;
    RecordTimeout = SerialBaseTimeout + 600;
}

void Link::connectClient() {
    const quint16 port = quint16(std::clamp(NetPort, 0, 65535));
    if (IsNumericIP(NetAddress)) {
        m_clientAddress = NetAddress;
        m_clientHost.clear();
        const QHostAddress address(NetAddress);
        if (address.isNull())
            ClientSocket1.connectToHost(NetAddress, port); // fails as an unknown host
        else
            ClientSocket1.connectToHost(address, port);
    } else {
        m_clientAddress.clear();
        m_clientHost = NetAddress;
        ClientSocket1.connectToHost(NetAddress, port);
    }
}

bool Link::openSerialPort() {
    ComPort1.setBaudRate(BaudRate(BaudIndex));
    ComPort1.setDataBits(QSerialPort::Data8);
    ComPort1.setParity(QSerialPort::NoParity);
    ComPort1.setStopBits(QSerialPort::OneStop);
    ComPort1.setFlowControl(QSerialPort::NoFlowControl);
    if (PortExists(ComPort1.portName()))
        ComPort1.open(QIODevice::ReadWrite);
    if (!ComPort1.isOpen())
        return false;
    // Pseudo-terminals refuse the modem lines; that is no reason to give up the port.
    ComPort1.setDataTerminalReady(true);
    ComPort1.setRequestToSend(true);
    ComPort1.clearError();
    return true;
}

void Link::setReconnecting(bool on) {
    m_reconnect = on;
    if (!on)
        Reconnect1.stop();
    else if (!LinkOpen)
        armReconnect();
}

void Link::armReconnect() {
    if (m_reconnect && !Reconnect1.isActive())
        Reconnect1.start();
}

void Link::Reconnect1Timer() {
    if (LinkOpen || !m_reconnect) {
        Reconnect1.stop();
        return;
    }
    TryReconnect();
}

void Link::TryReconnect() {
    if (LinkOpen)
        return;
    // A try opens and closes the line; inside an exchange's wait it waits for the next tick.
    if (IsWaiting())
        return;
    if (LinkLayer == 1) {
        if (NetAddress.isEmpty() || ClientSocket1.state() != QAbstractSocket::UnconnectedState)
            return;
        qCDebug(lcLink) << "reconnect try" << NetAddress << NetPort;
        m_quietTry = true;
        connectClient();
        return;
    }
    if (ComPort1.isOpen())
        return;
    ComPort1.setPortName(SerialPortName(ComNumber));
    if (!openSerialPort())
        return;
    qCDebug(lcLink) << "serial line back" << ComPort1.portName();
    Reconnect1.stop();
    setStatus(QT_TR_NOOP("Serielle Verbindung auf :"),
              QStringLiteral("COM") + QString::number(ComNumber));
    LinkOpen = true;
    emit startPollTimer();
    emit connected();
}

void Link::SendFrame(uint8_t address, const QByteArray& text) {
    if (!LinkOpen)
        return;
    if (LinkLayer == 1) {
        // Handed to the system at once rather than on the next pass of the event loop: the
        // controller is idle until the request is on the wire.
        if (ClientSocket1.state() == QAbstractSocket::ConnectedState) {
            ClientSocket1.write(QByteArray(1, char(address)) + text);
            ClientSocket1.flush();
        }
    } else if (ComPort1.isOpen()) {
        ComPort1.write(QByteArray(1, char(address)) + text);
        ComPort1.flush();
    }
}

void Link::StartReplyTimer(int ms) {
    TimeoutFlag = false;
    Timeout1.start(ms);
}

void Link::StopReplyTimer() {
    Timeout1.stop();
}

void Link::Timeout1Timer() {
    TimeoutFlag = true;
    WakeReplyWait();
}

void Link::ComPort1TriggerAvail(qint64 count) {
    if (count <= 0)
        return;
    ReceiveText(ComPort1.read(count));
}

void Link::ClientSocket1Read() {
    ReceiveText(ClientSocket1.readAll());
}

void Link::ClientSocket1Connect() {
    m_quietTry = false;
    Reconnect1.stop();
    ClientSocket1.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    setStatus(QT_TR_NOOP("Netzwerkverbindung zu :"), NetAddress);
    LinkOpen = true;
    emit startPollTimer();
    emit enableMainWindow();
    emit connected();
}

void Link::ClientSocket1Disconnect() {
    // A close of our own has taken the link down first; only a lost one is tried again.
    const bool lost = LinkOpen;
    setStatus(QT_TR_NOOP("Netzwerkverbindung ist inaktiv !"));
    emit stopPollTimer();
    LinkOpen = false;
    if (lost)
        armReconnect();
}

void Link::ClientSocket1Error(QAbstractSocket::SocketError error) {
    // A gateway that hangs up is a disconnect, which its own event reports.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    qCDebug(lcLink) << "socket error" << error << ClientSocket1.errorString();
    LinkOpen = false;
    emit stopPollTimer();
    armReconnect();
    // A reconnect try that fails leaves the report of the first failure standing.
    if (m_quietTry) {
        m_quietTry = false;
        return;
    }
    setStatus(QT_TR_NOOP("Fehler beim Öffnen der Netzerkverbindung!\rBitte Kabel und PC- "
                         "Einstellung überprüfen!"));
    emit enableMainWindow();
    emit errorReport(tr("Asynchroner Socket-Fehler %d")
                         .replace(QStringLiteral("%d"), QString::number(SocketErrorNumber(error))));
}

void Link::ComPort1Error(QSerialPort::SerialPortError error) {
    // A vanished device (an adapter pulled) reports a resource error; a line whose far end
    // hung up (a pseudo-terminal) a read error at every readiness of the line, on and on.
    // Every later exchange would time out on either.
    if ((error != QSerialPort::ResourceError && error != QSerialPort::ReadError) ||
        !ComPort1.isOpen())
        return;
    qCDebug(lcLink) << "serial line lost" << ComPort1.portName() << ComPort1.errorString();
    emit stopPollTimer();
    LinkOpen = false;
    ComPort1.close();
    ComPort1.clearError();
    setStatus(QT_TR_NOOP("Serielle Verbindung verloren"));
    armReconnect();
}

} // namespace Kommunikation
