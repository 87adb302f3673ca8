// The link transport: exactly one link at a time, the serial line or a TCP connection to the
// network gateway. It writes request frames, feeds every arrival to the reply parser, owns
// the reply timer the operations wait on, and reports the link state. The core shows no
// windows, so the state texts, messages and requests to the main window leave as signals.
#pragma once

#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QTcpSocket>
#include <QTimer>
#include <cstdint>

namespace Kommunikation {

// Link settings and state, process-wide; ResetProcessState() puts them back to program start.
extern uint8_t LinkLayer;  // 0 = serial line, 1 = TCP
extern uint16_t ComNumber; // 1 = COM1
extern QString NetAddress; // gateway host name or dotted IPv4 address
extern int32_t NetPort;
extern uint8_t BaudIndex;      // 0 = 2400, 1 = 4800, 2 = 9600, 3 = 19200; anything else 2400
extern bool LinkOpen;          // frames are written only while true
extern bool TimeoutFlag;       // set when the reply timer fires, cleared when a wait starts
extern uint16_t BaseTimeout;   // ms
extern uint16_t LongTimeout;   // ms: setup read, clock text
extern uint16_t RecordTimeout; // ms: one stored record

inline constexpr int SerialBaseTimeout = 300;
inline constexpr int DefaultNetPort = 8000;

// Baud rate for a baud index.
int BaudRate(int baudIndex);
// The installation's baud index (Installation.ini, section "COM", key "BAUD"); 0 when the
// file or the key is missing or unreadable.
uint8_t ReadBaudIndex();
// The device of serial port n: "COMn" on Windows; elsewhere /dev/ttyS<n-1> unless section
// "COM" of the settings file (or, failing that, of Installation.ini) has a key "PORT<n>".
QString SerialPortName(int number);
// A port exists when it can be opened for reading and writing (it is closed again at once)
// or when the open is refused because another program holds it.
bool PortExists(const QString& device);

bool IsNumericIP(const QString& host);
// Returns after ms milliseconds, with the events of the program running meanwhile.
void WaitMs(int ms);

void resetLinkState();

class Link : public QObject {
    Q_OBJECT
public:
    // The newest link becomes current() and the protocol's frame sink.
    explicit Link(QObject* parent = nullptr);
    ~Link() override;

    // The link the operations use; nullptr when none exists.
    static Link* current();

    QSerialPort ComPort1;
    QTcpSocket ClientSocket1;
    QTimer Timeout1;
    // Opens a link that is down again, every ReconnectIntervalMs while enabled.
    QTimer Reconnect1;
    static constexpr int ReconnectIntervalMs = 3000;

    void ReadLinkSettings();
    void OpenLink();
    void SendFrame(uint8_t address, const QByteArray& text);
    void SchliesseSocketVerbindung(int ms);
    void StartReplyTimer(int ms);
    void StopReplyTimer();

    // A link that is lost (or could not be opened) is opened again by Reconnect1: quietly,
    // never while an exchange waits, and `connected` is raised once it stands, on either
    // link. Off until enabled; disabling also stops a pending try.
    void setReconnecting(bool on);
    bool reconnecting() const { return m_reconnect; }
    // One quiet try to open the lost link now, whether or not reconnecting is on: nothing
    // while the link is open or connecting or an exchange waits.
    void TryReconnect();

    // What the TCP client was given by the last OpenLink: a numeric address or a host name
    // to be resolved (the other one is empty).
    QString clientAddress() const { return m_clientAddress; }
    QString clientHost() const { return m_clientHost; }
    // The last status-line text, in the language in force now: a window that shows it sets
    // it again after a language switch.
    QString status() const;

signals:
    void statusText(const QString& text);
    // An information box with one OK button.
    void information(const QString& text);
    // The general error report of an error no handler caught.
    void errorReport(const QString& text);
    void startPollTimer();
    void stopPollTimer();
    void enableMainWindow();
    // The TCP connection is up, or a lost link of either kind stands again; the teach-in
    // starts here.
    void connected();

private slots:
    void ComPort1TriggerAvail(qint64 count);
    void ClientSocket1Read();
    void ClientSocket1Connect();
    void ClientSocket1Disconnect();
    void ClientSocket1Error(QAbstractSocket::SocketError error);
    void ComPort1Error(QSerialPort::SerialPortError error);
    void Timeout1Timer();
    void Reconnect1Timer();

private:
    // `source` is a QT_TR_NOOP text, kept untranslated so that status() can follow a
    // language switch; `suffix` is data (a port, an address).
    void setStatus(const char* source, const QString& suffix = QString());
    void closeClient(int ms);
    // Opens ComPort1 with the installation's line settings; true when it is open.
    bool openSerialPort();
    void connectClient();
    void armReconnect();

    bool m_reconnect = false;
    bool m_quietTry = false; // a reconnect try is under way: its failure is no news

    QString m_clientAddress;
    QString m_clientHost;
    const char* m_statusSource = nullptr;
    QString m_statusSuffix;
};

} // namespace Kommunikation
