#include "sim/Simulator.h"

#include "sim/OutputScheduler.h"
#include "sim/ReplyWriter.h"
#include "sim/Transports.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <cmath>

namespace sim {

namespace {
// A long-running program keeps a bounded history of frames.
constexpr qsizetype kFrameHistory = 100000;
// One lazy catch-up moves the piles by at most this much; beyond it only the clocks jump
// (a huge time factor left idle would otherwise stall the next request).
constexpr qint64 kMaxCatchUpSeconds = 60LL * 24 * 3600;
} // namespace

// One line to the PC: a gateway connection, the pty or the tty.
class Session : public QObject {
public:
    Session(Channel* c, QObject* parent) : QObject(parent), channel(c) {
        channel->setParent(this);
        out = new OutputScheduler([this](const QByteArray& b) { channel->write(b); }, this);
    }
    Channel* channel;
    OutputScheduler* out;
    RequestParser parser;
    qint64 received = 0; // bytes so far
    int requests = 0;
    bool cutPending = false;
};

Simulator::Simulator(QObject* parent) : QObject(parent) {
    m_real.start();
    const QDateTime now = QDateTime::currentDateTime();
    setClock(
        QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second())));
    setSeed(1);
}

Simulator::~Simulator() {
    close();
}

void Simulator::setSeed(quint32 seed) {
    m_model.setSeed(seed);
    m_faults.setSeed(seed);
}

void Simulator::setTimeFactor(double factor) {
    syncTime();
    m_timeFactor = std::max(0.0, factor);
}

void Simulator::syncTime() {
    const qint64 ns = m_real.nsecsElapsed();
    const double realSeconds = (ns - m_lastSyncNs) / 1e9;
    m_lastSyncNs = ns;
    if (m_timeFactor <= 0)
        return;
    m_pendingSeconds += realSeconds * m_timeFactor * 60.0;
    const double whole = std::floor(m_pendingSeconds);
    m_pendingSeconds -= whole;
    qint64 seconds = qint64(whole);
    if (seconds > kMaxCatchUpSeconds) {
        const qint64 skipped = seconds - kMaxCatchUpSeconds;
        for (int a = 1; a <= kPlantCount; ++a)
            m_model.plant(a).clock = m_model.plant(a).clock.addSecs(skipped);
        seconds = kMaxCatchUpSeconds;
    }
    m_model.advanceSeconds(seconds);
}

void Simulator::advanceMinutes(int minutes) {
    syncTime();
    m_model.advanceSeconds(qint64(std::max(0, minutes)) * 60);
}

void Simulator::setClock(const QDateTime& clock) {
    // Controller clocks know no time zones or daylight saving: keep them as plain UTC.
    const QDateTime plain(clock.date(), clock.time(), Qt::UTC);
    for (int a = 1; a <= kPlantCount; ++a)
        m_model.plant(a).clock = plain;
}

PlantState& Simulator::plant(int address) {
    syncTime();
    return m_model.plant(address);
}

void Simulator::addStoredRecords(int address, int count) {
    syncTime();
    m_model.addStoredRecords(address, count);
}

int Simulator::storedRecordCount(int address) const {
    const_cast<Simulator*>(this)->syncTime();
    return int(m_model.plant(address).memory.size());
}

void Simulator::setPileAge(int address, qint64 ageMinutes) {
    syncTime();
    m_model.ageRunningPile(address, ageMinutes);
}

Faults& Simulator::faults() {
    return m_faults.faults();
}

bool Simulator::listenTcp(quint16 port, const QHostAddress& host) {
    if (!m_server) {
        m_server = new QTcpServer(this);
        connect(m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = m_server->nextPendingConnection())
                addSession(new TcpChannel(s));
        });
    }
    if (m_server->isListening())
        m_server->close();
    return m_server->listen(host, port);
}

quint16 Simulator::tcpPort() const {
    return m_server && m_server->isListening() ? m_server->serverPort() : 0;
}

QString Simulator::openPty() {
    QString error;
    PtyChannel* pty = PtyChannel::open(&error);
    if (!pty) {
        qWarning("o2sim: no pseudo-terminal: %s", qPrintable(error));
        return {};
    }
    const QString path = pty->slavePath();
    addSession(pty);
    return path;
}

bool Simulator::openSerial(const QString& device) {
    QString error;
    SerialChannel* port = SerialChannel::open(device, faults().baud, &error);
    if (!port) {
        qWarning("o2sim: cannot open %s: %s", qPrintable(device), qPrintable(error));
        return false;
    }
    addSession(port);
    return true;
}

Session* Simulator::addSession(Channel* channel) {
    auto* s = new Session(channel, this);
    m_sessions.append(s);
    if (channel->kind() == Channel::Kind::Tcp)
        ++m_stats.connectionsAccepted;
    connect(channel, &Channel::received, s, [this, s](const QByteArray& b) { onReceived(s, b); });
    connect(channel, &Channel::closed, s, [this, s] { removeSession(s); });
    connect(s->out, &OutputScheduler::becameIdle, s, [this, s] {
        if (s->cutPending) {
            s->cutPending = false;
            ++m_stats.connectionsCut;
            s->channel->cut(false);
        }
    });
    return s;
}

void Simulator::removeSession(Session* s) {
    if (!m_sessions.removeOne(s))
        return;
    loseQueued(s); // replies that never made it onto the line
    s->deleteLater();
}

void Simulator::dropConnections() {
    const QList<Session*> all = m_sessions;
    for (Session* s : all) {
        if (s->channel->kind() != Channel::Kind::Tcp)
            continue;
        ++m_stats.connectionsCut;
        loseQueued(s);
        s->channel->cut(true);
        removeSession(s);
    }
}

void Simulator::close() {
    if (m_server)
        m_server->close();
    const QList<Session*> all = m_sessions;
    for (Session* s : all) {
        loseQueued(s);
        s->channel->cut(true);
        removeSession(s);
    }
}

void Simulator::setReplyOverride(int address, char letter, const QByteArray& reply) {
    m_overrides.insert(quint32(address) << 8 | quint8(letter), reply);
}

void Simulator::clearReplyOverrides() {
    m_overrides.clear();
}

QList<QByteArray> Simulator::frames() const {
    return m_frames;
}
void Simulator::clearFrames() {
    m_frames.clear();
}
Stats Simulator::stats() const {
    return m_stats;
}

void Simulator::keepRecordLog(bool on) {
    m_keepRecordLog = on;
    m_recordLog.clear();
    m_recordLogFirst = m_stats.recordsHandedOut;
}

void Simulator::setFate(qint64 serial, RecordFate fate) {
    const qint64 i = serial - m_recordLogFirst;
    if (m_keepRecordLog && i >= 0 && i < m_recordLog.size())
        m_recordLog[i].fate = fate;
}

void Simulator::loseQueued(Session* s) {
    QList<qint64> records;
    const int lost = s->out->clear(&records);
    m_stats.recordsLost += lost;
    m_stats.recordsCut += lost;
    for (qint64 serial : records)
        setFate(serial, RecordFate::Cut);
}

void Simulator::onReceived(Session* s, const QByteArray& bytes) {
    s->out->setBaud(faults().baud);
    const double chunkStart = s->out->now();
    const double chunkEnd = s->out->requestArrived(bytes.size());
    const qint64 chunkOffset = s->received;
    s->received += bytes.size();
    const double byteTime = faults().baud > 0 ? 10000.0 / faults().baud : 0.0;
    const double lineStart = chunkEnd - bytes.size() * byteTime;
    for (const RequestFrame& f : s->parser.feed(bytes)) {
        // The frame's last byte arrived over the (paced) line at:
        const double arrived =
            byteTime > 0 ? lineStart + (f.endOffset - chunkOffset) * byteTime : chunkStart;
        handleFrame(s, f, arrived);
        if (!m_sessions.contains(s))
            return; // the session ended while handling
    }
}

void Simulator::handleFrame(Session* s, const RequestFrame& f, double arrivedAt) {
    ++m_stats.requests;
    m_frames.append(f.raw);
    if (m_frames.size() > kFrameHistory)
        m_frames.removeFirst();
    emit frameReceived(f.raw);
    syncTime();

    ++s->requests;
    const int closeAfter = faults().closeAfterRequests;
    if (closeAfter > 0 && s->channel->kind() == Channel::Kind::Tcp && s->requests >= closeAfter)
        s->cutPending = true;

    if (m_model.plant(f.address).present) {
        bool tookRecord = false;
        StoredRecord taken;
        QByteArray reply = execute(f, &taken, &tookRecord);
        int year = 0;
        if (tookRecord && m_faults.unusualYear(&year)) {
            // A controller whose clock stood at the turn of a century: the record keeps its
            // day and time (29 February falls back to the leap year 2000).
            QDate d(year, taken.time.date().month(), taken.time.date().day());
            if (!d.isValid())
                d = QDate(2000, taken.time.date().month(), taken.time.date().day());
            taken.time = QDateTime(d, taken.time.time(), Qt::UTC);
            reply = ReplyWriter::stored(taken);
            ++m_stats.unusual;
        }
        const auto it = m_overrides.constFind(quint32(f.address) << 8 | quint8(f.letter));
        if (it != m_overrides.constEnd())
            reply = *it;
        qint64 serial = -1;
        if (tookRecord) {
            serial = m_stats.recordsHandedOut++;
            if (m_keepRecordLog)
                m_recordLog.append({f.address, taken, RecordFate::Sent});
        }
        if (!reply.isEmpty()) {
            const PlantState& p = m_model.plant(f.address);
            const FaultOutcome o = m_faults.apply(
                reply, {ReplyWriter::mode(p), ReplyWriter::state(p), ReplyWriter::status(p)});
            if (o.dropped) {
                ++m_stats.dropped;
                if (tookRecord) {
                    ++m_stats.recordsLost;
                    ++m_stats.recordsDropped;
                    setFate(serial, RecordFate::Dropped);
                }
            } else {
                ++m_stats.replies;
                if (o.garbled)
                    ++m_stats.garbled;
                m_stats.letterNoise += o.letterNoise;
                m_stats.truncated += o.truncated;
                m_stats.doubled += o.doubled;
                m_stats.unusual += o.unusual;
                if (tookRecord && o.truncated) {
                    // Lost for certain, whatever else befell it; not counted again if the
                    // line goes away before it is out.
                    ++m_stats.recordsLost;
                    ++m_stats.recordsTruncated;
                    setFate(serial, RecordFate::Truncated);
                    serial = -1;
                } else if (tookRecord && o.garbled) {
                    ++m_stats.recordsGarbled;
                    setFate(serial, RecordFate::Garbled);
                } else if (tookRecord && o.letterNoise) {
                    ++m_stats.recordsNoisy;
                    setFate(serial, RecordFate::Noisy);
                }
                QByteArray all;
                for (const OutputPiece& p : o.pieces)
                    all += p.bytes;
                emit replySent(all);
                s->out->setBaud(faults().baud);
                s->out->enqueue(o.pieces, arrivedAt, serial);
                return; // a pending cut follows when the line is idle
            }
        } else if (tookRecord) {
            ++m_stats.recordsLost;
            ++m_stats.recordsSilenced;
            setFate(serial, RecordFate::Silenced);
        }
    }
    if (s->cutPending && s->out->idle()) {
        s->cutPending = false;
        ++m_stats.connectionsCut;
        s->channel->cut(false);
    }
}

bool Simulator::setValues(PlantState& p, const RequestFrame& f) {
    auto num = [&f](int from, int len) { return f.digits.mid(from, len).toInt(); };
    auto inRange = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
    // Values a controller cannot work with are refused as a whole: the frame changes nothing.
    switch (f.letter) {
    case 'I':
        if (!inRange(num(0, 4), 1, 1440))
            return false;
        p.storageInterval = num(0, 4);
        return true;
    case 'E':
        if (!inRange(num(0, 4), 1, 300))
            return false;
        p.intervalOn = num(0, 4);
        return true;
    case 'O':
        if (!inRange(num(0, 4), 1, 300))
            return false;
        p.intervalOff = num(0, 4);
        return true;
    case 'n':
        if (!inRange(num(0, 4), 1, 300) || !inRange(num(4, 4), 1, 300))
            return false;
        p.safetyOn = num(0, 4);
        p.safetyOff = num(4, 4);
        return true;
    case 'N':
        if (!inRange(num(0, 4), 1, 300) || !inRange(num(4, 4), 1, 300))
            return false;
        p.maxOn = num(0, 4);
        p.maxOff = num(4, 4);
        return true;
    case 'p':
        if (!inRange(num(0, 4), 0, 210) || !inRange(num(4, 4), 0, 210))
            return false;
        p.o2On = num(0, 4);
        p.o2Off = num(4, 4);
        return true;
    case 'Z': {
        const QTime t(num(0, 2), num(2, 2), num(4, 2));
        if (!t.isValid())
            return false;
        p.clock = QDateTime(p.clock.date(), t, Qt::UTC);
        return true;
    }
    case 'D': {
        const QDate d(2000 + num(4, 2), num(2, 2), num(0, 2));
        if (!d.isValid())
            return false;
        p.clock = QDateTime(d, p.clock.time(), Qt::UTC);
        return true;
    }
    default:
        return false;
    }
}

QByteArray Simulator::execute(const RequestFrame& f, StoredRecord* taken, bool* tookRecord) {
    PlantState& p = m_model.plant(f.address);
    switch (f.letter) {
    case 'B':
        return ReplyWriter::mode(p);
    case 'R':
        return ReplyWriter::setup(p);
    case 'S':
        return ReplyWriter::state(p);
    case 'c':
        return ReplyWriter::status(p);
    case 'r':
        return ReplyWriter::storedCount(p);
    case '6':
        return ReplyWriter::clock(p.clock);
    case 'G': {
        if (!m_model.takeOldestRecord(f.address, taken))
            return {}; // an empty memory has nothing to say
        *tookRecord = true;
        return ReplyWriter::stored(*taken);
    }
    case 'o':
        m_model.setMode(f.address, 0);
        return {};
    case 'e':
        m_model.setMode(f.address, 1);
        return {};
    case 'T':
        m_model.setMode(f.address, 2);
        return {};
    case 'q':
        m_model.setMode(f.address, 3);
        return {};
    case 'A':
        m_model.switchOff(f.address);
        return {};
    case 'F':
        m_model.startPile(f.address);
        return {};
    default:
        setValues(p, f);
        return {};
    }
}

} // namespace sim
