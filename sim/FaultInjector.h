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
    // The meaner kinds, each a fraction of replies like the rates above:
    double letterNoiseRate = 0; // noise before the reply that holds reply letters and digits
    double garbleAnyRate = 0;   // one byte spoilt anywhere: the letter, a ';' or a number
    double truncateRate = 0;    // the reply cut short before its last needed ';', never completed
    double doubleRate = 0;      // a whole reply of another kind in the same arrival, in front
    double unusualRate = 0;     // valid but unusual forms: ';' after the letter, ";;", leading
                                // blanks, '+' signs, a fan field "10"; for 'G' also a record
                                // stamped in the year 2000 or 2099
};

// The fault kinds by the names the simulator's and the soak's options use.
struct FaultKind {
    const char* name;
    double Faults::*rate;
    const char* help;
};
const QList<FaultKind>& faultKinds();

// One piece of output: sent no earlier than delayMs after the previous piece of the same
// reply has gone out (for the first piece: after the request has arrived).
struct OutputPiece {
    QByteArray bytes;
    int delayMs = 0;
};

struct FaultOutcome {
    bool dropped = false;
    bool garbled = false; // a field spoilt ("garble") or any byte spoilt ("garble-any")
    bool noisy = false;
    bool letterNoise = false; // the noise in front holds a reply letter: it may take the reply
    bool truncated = false;   // the reply can never complete
    bool doubled = false;
    bool unusual = false;
    QList<OutputPiece> pieces; // empty when dropped
};

class FaultInjector {
public:
    void setSeed(quint32 seed);
    Faults& faults() { return m_faults; }
    const Faults& faults() const { return m_faults; }

    // `extras`: whole replies the plant could give now, of which "double" puts one of
    // another kind in front of this reply.
    FaultOutcome apply(const QByteArray& reply, const QList<QByteArray>& extras = {});

    // Makes one numeric field of the reply non-numeric; the letter and every ';' stay, so
    // the PC sees a complete reply that fails to convert.
    QByteArray garble(const QByteArray& reply);
    QByteArray noise();
    // Noise with reply letters among digits and separators; short, so a letter in it never
    // reaches past the reply's third field (all numeric): it can spoil a reply, never make
    // a false one out of it.
    QByteArray letterNoise();
    // Replaces one byte of the letter, the separators or a numeric field by junk; text
    // fields ('c' fan state, 'G' date and time) are left, as the PC cannot check them.
    QByteArray garbleAny(const QByteArray& reply);
    // Cuts the reply so that it holds fewer ';' than it needs (the clock text: fewer than
    // 30 characters); at least the letter stays.
    QByteArray truncate(const QByteArray& reply);
    // The same values in a valid but unusual form.
    QByteArray unusual(const QByteArray& reply);
    // For a record's reply: whether this one is stamped in an unusual year, and which.
    bool unusualYear(int* year);

private:
    bool chance(double rate);
    QByteArray unusualForms(const QByteArray& reply, const QList<QPair<int, int>>& spans,
                            const QList<int>& numeric, int forms);
    Faults m_faults;
    QRandomGenerator m_rng{1};
};

} // namespace sim
