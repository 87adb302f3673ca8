// Stand-in for the plant controllers and the network gateway in front of them: answers
// request frames on TCP (the gateway), a pseudo-terminal or a tty exactly as a controller
// would, with switchable line faults. Used by the tests and the demo.
//
// How these controllers behave where the PC cannot tell:
// - Safety mode (4) watches the O2 control only: in mode 3 a fan that has run longer than
//   MaxOn or rested longer than MaxOff minutes hands over to the fixed safety times. A mode
//   command ('o', 'e', 'T', 'q') or a new pile ('F') ends it; nothing else does.
// - A full memory (1000 records) drops its oldest record for each new one.
// - Set commands with values outside what the setup offers (storage interval 1..1440, times
//   1..300, O2 thresholds 0..210 tenths) and impossible dates or times change nothing.
// - Clocks are plain local times without zone or daylight saving; all plants' clocks run
//   at the time factor and each is set on its own by 'D' and 'Z'.
// - A plant that is present but switched off still answers everything and still measures;
//   its pile cools towards the air and its fan stays off.
#pragma once

#include "sim/FaultInjector.h"
#include "sim/PlantModel.h"
#include "sim/RequestParser.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>

class QTcpServer;

namespace sim {

struct Stats {
    qint64 requests = 0;         // frames received, for any address
    qint64 replies = 0;          // replies put on the line
    qint64 dropped = 0;          // replies the fault injector swallowed
    qint64 garbled = 0;          // replies sent with a spoilt field
    qint64 recordsHandedOut = 0; // records taken out of a memory by 'G'
    qint64 recordsLost = 0;      // of those, the ones whose reply never went out
    qint64 connectionsCut = 0;   // gateway connections ended by the simulator
    // The records lost split by cause: the fault injector swallowed the reply, the reply
    // was still queued (or half sent) when its line went away, or an override kept it silent.
    qint64 recordsDropped = 0;
    qint64 recordsCut = 0;
    qint64 recordsSilenced = 0;
    qint64 recordsGarbled = 0;      // records whose reply went out with a spoilt field
    qint64 connectionsAccepted = 0; // gateway connections the PC opened
    // The meaner kinds: replies affected, and the records whose reply was cut short (lost
    // on the wire, like the dropped ones) or went out behind noise with a reply letter.
    qint64 letterNoise = 0;
    qint64 truncated = 0;
    qint64 doubled = 0;
    qint64 unusual = 0;
    qint64 recordsTruncated = 0;
    qint64 recordsNoisy = 0;
};

// What became of a record that 'G' took out of a memory.
enum class RecordFate {
    Sent,      // its reply went out whole
    Garbled,   // its reply went out whole with a spoilt field
    Dropped,   // the fault injector swallowed its reply
    Cut,       // its reply was still queued or half sent when the line went away
    Silenced,  // a reply override kept the plant silent
    Truncated, // its reply was cut short and never completed
    Noisy,     // its reply went out whole behind noise with a reply letter, which may take it
};

struct HandedOutRecord {
    int address = 0;
    StoredRecord record;
    RecordFate fate = RecordFate::Sent;
};

class Channel;
class Session;

class Simulator : public QObject {
    Q_OBJECT
public:
    explicit Simulator(QObject* parent = nullptr);
    ~Simulator() override;

    void setSeed(quint32 seed);
    void setTimeFactor(double simulatedMinutesPerRealSecond); // 0 = clock stands still
    PlantState& plant(int address);                           // 1..32
    void addStoredRecords(int address, int count);            // pre-fill the memory (max 1000 kept)
    int storedRecordCount(int address) const;
    Faults& faults();
    bool listenTcp(quint16 port = 0, const QHostAddress& host = QHostAddress::LocalHost);
    quint16 tcpPort() const;
    QString openPty();                      // own pseudo-terminal; returns the slave path
    bool openSerial(const QString& device); // an existing tty (one end of a socat pair)
    void dropConnections();                 // cut the gateway connection now
    void close();                           // stop serving everything
    // Test hook per plant and request letter: the exact reply bytes to send instead of the
    // normal reply; an empty QByteArray means "stay silent" for that command. The command
    // still takes effect (a 'G' still hands out its record), and an absent plant stays
    // silent whatever is set.
    void setReplyOverride(int address, char requestLetter, const QByteArray& reply);
    void clearReplyOverrides();
    QList<QByteArray> frames() const; // every request frame received, address byte first
    void clearFrames();
    Stats stats() const;
    // Keeps every record handed out from now on, with its fate, so that a test can tell a
    // record in a file from one the controllers never sent. Off by default: a long-running
    // simulator would otherwise grow without end.
    void keepRecordLog(bool on);
    const QList<HandedOutRecord>& recordLog() const { return m_recordLog; }

    // Beyond the shared contract: deterministic time for tests and the program.
    void advanceMinutes(int minutes);      // move every clock and pile on at once
    void setClock(const QDateTime& clock); // set every controller clock
    // Puts a switched-on pile at the given age (temperatures, run time, cycles) without
    // running through it minute by minute; used to start the demo with mature piles.
    void setPileAge(int address, qint64 ageMinutes);

signals:
    void frameReceived(const QByteArray& frame);
    void replySent(const QByteArray& reply); // a reply as queued for the line, after faults

private:
    void syncTime();
    Session* addSession(Channel* channel);
    void removeSession(Session* s);
    void onReceived(Session* s, const QByteArray& bytes);
    void handleFrame(Session* s, const RequestFrame& f, double arrivedAt);
    QByteArray execute(const RequestFrame& f, StoredRecord* taken, bool* tookRecord);
    void loseQueued(Session* s);
    void setFate(qint64 serial, RecordFate fate);
    bool setValues(PlantState& p, const RequestFrame& f);

    PlantModel m_model;
    FaultInjector m_faults;
    Stats m_stats;
    QList<QByteArray> m_frames;
    QHash<quint32, QByteArray> m_overrides; // key: address << 8 | letter
    bool m_keepRecordLog = false;
    qint64 m_recordLogFirst = 0; // serial of m_recordLog's first entry
    QList<HandedOutRecord> m_recordLog;
    QTcpServer* m_server = nullptr;
    QList<Session*> m_sessions;
    QElapsedTimer m_real;
    qint64 m_lastSyncNs = 0;
    double m_timeFactor = 0;
    double m_pendingSeconds = 0;
};

} // namespace sim
