// What a bad line or a flaky gateway does to the replies on their way to the PC. Every
// decision comes from one seeded random stream, so a seed repeats a run byte for byte.
#pragma once

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>

namespace sim {

struct Faults {
    double dropRate = 0;   // fraction of replies not sent at all
    double garbleRate = 0; // fraction of replies with one field made non-numeric
    double noiseRate = 0; // fraction of replies preceded by noise bytes (CR, LF, ';', digits, junk)
    int splitPieces = 0;  // 0 = off; else replies go out in up to this many pieces
    int splitDelayMs = 0; // delay between pieces
    int latencyMs = 0;    // delay before a reply starts
    int baud = 0;         // 0 = unpaced; else bytes paced at 10 bits per byte (requests too)
    int closeAfterRequests = 0; // 0 = never; else cut the TCP connection after N requests
                                // (once the reply to the N-th has gone out)
};

// One piece of output: sent no earlier than delayMs after the previous piece of the same
// reply has gone out (for the first piece: after the request has arrived).
struct OutputPiece {
    QByteArray bytes;
    int delayMs = 0;
};

struct FaultOutcome {
    bool dropped = false;
    bool garbled = false;
    bool noisy = false;
    QList<OutputPiece> pieces; // empty when dropped
};

class FaultInjector {
public:
    void setSeed(quint32 seed);
    Faults& faults() { return m_faults; }
    const Faults& faults() const { return m_faults; }

    FaultOutcome apply(const QByteArray& reply);

    // Makes one numeric field of the reply non-numeric; the letter and every ';' stay, so
    // the PC sees a complete reply that fails to convert.
    QByteArray garble(const QByteArray& reply);
    QByteArray noise();

private:
    bool chance(double rate);
    Faults m_faults;
    QRandomGenerator m_rng{1};
};

} // namespace sim
