#include "sim/FaultInjector.h"

#include "sim/ReplyWriter.h"

#include <algorithm>

namespace sim {

void FaultInjector::setSeed(quint32 seed) {
    m_rng.seed(seed ^ 0xA5A5F00Du);
}

bool FaultInjector::chance(double rate) {
    if (rate <= 0)
        return false;
    return m_rng.generateDouble() < rate;
}

QByteArray FaultInjector::noise() {
    // Line noise as the PC may see it: line ends, stray separators, digits and junk, but
    // never a reply letter, which would start a reply of its own.
    static const QByteArray alphabet("\r\n;;0123456789 .:-#*?~\x7f\xff\x00", 25);
    const int n = 1 + int(m_rng.bounded(6));
    QByteArray out;
    for (int i = 0; i < n; ++i)
        out += alphabet.at(int(m_rng.bounded(quint32(alphabet.size()))));
    return out;
}

QByteArray FaultInjector::garble(const QByteArray& reply) {
    if (reply.isEmpty())
        return reply;
    QByteArray out = reply;
    static const char junk[] = "x#?~";
    const char bad = junk[m_rng.bounded(4)];
    if (reply.at(0) == 'T' || !reply.contains(';')) {
        // The clock text has no fields: spoil one of its digits instead.
        QList<int> digits;
        for (int i = 1; i < out.size(); ++i)
            if (out.at(i) >= '0' && out.at(i) <= '9')
                digits.append(i);
        if (!digits.isEmpty())
            out[digits.at(int(m_rng.bounded(quint32(digits.size()))))] = bad;
        return out;
    }
    // Field spans after the letter.
    QList<QPair<int, int>> spans;
    int start = 1;
    for (int i = 1; i < out.size(); ++i) {
        if (out.at(i) == ';') {
            if (i > start)
                spans.append({start, i});
            start = i + 1;
        }
    }
    QList<int> candidates = ReplyWriter::numericFields(out.at(0), int(spans.size()));
    if (candidates.isEmpty())
        return out;
    const auto [from, to] = spans.at(candidates.at(int(m_rng.bounded(quint32(candidates.size())))));
    out[from + int(m_rng.bounded(quint32(to - from)))] = bad;
    return out;
}

FaultOutcome FaultInjector::apply(const QByteArray& reply) {
    FaultOutcome o;
    if (chance(m_faults.dropRate)) {
        o.dropped = true;
        return o;
    }
    QByteArray bytes = reply;
    if (chance(m_faults.garbleRate)) {
        bytes = garble(bytes);
        o.garbled = true;
    }
    if (chance(m_faults.noiseRate)) {
        bytes.prepend(noise());
        o.noisy = true;
    }
    const int pieces = std::clamp<int>(m_faults.splitPieces, 1, std::max<int>(1, bytes.size()));
    // Cut points strictly inside the text, all different, so each piece holds a byte.
    QList<int> cuts;
    while (cuts.size() < pieces - 1) {
        const int c = 1 + int(m_rng.bounded(quint32(bytes.size() - 1)));
        if (!cuts.contains(c))
            cuts.append(c);
    }
    std::sort(cuts.begin(), cuts.end());
    int from = 0;
    cuts.append(int(bytes.size()));
    for (int i = 0; i < cuts.size(); ++i) {
        OutputPiece piece;
        piece.bytes = bytes.mid(from, cuts.at(i) - from);
        piece.delayMs =
            i == 0 ? std::max(0, m_faults.latencyMs) : std::max(0, m_faults.splitDelayMs);
        o.pieces.append(piece);
        from = cuts.at(i);
    }
    return o;
}

} // namespace sim
