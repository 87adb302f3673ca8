#include "sim/FaultInjector.h"

#include "sim/ReplyWriter.h"

#include <algorithm>

namespace sim {

const QList<FaultKind>& faultKinds() {
    static const QList<FaultKind> kinds = {
        {"drop", &Faults::dropRate, "Fraction of replies dropped."},
        {"garble", &Faults::garbleRate, "Fraction of replies with a spoilt numeric field."},
        {"noise", &Faults::noiseRate, "Fraction of replies preceded by noise."},
        {"letter-noise", &Faults::letterNoiseRate,
         "Fraction of replies preceded by noise with reply letters and digits."},
        {"garble-any", &Faults::garbleAnyRate,
         "Fraction of replies with any one byte spoilt (letter and separators included)."},
        {"truncate", &Faults::truncateRate, "Fraction of replies cut short and never completed."},
        {"double", &Faults::doubleRate,
         "Fraction of replies that arrive together with a reply of another kind."},
        {"unusual", &Faults::unusualRate,
         "Fraction of replies in valid but unusual forms (';' after the letter, leading blanks, "
         "signs, fan field 10, year 2000 or 2099)."},
    };
    return kinds;
}

namespace {

// The number of ';' a reply must hold before the PC decodes it; 0 for the clock text.
int needs(char letter) {
    switch (letter) {
    case 'B':
    case 'r':
        return 1;
    case 'S':
        return 2;
    case 'R':
        return 9;
    case 'c':
        return 11;
    case 'G':
        return 15;
    default:
        return 0;
    }
}

// The fields after the letter as [from, to) spans, empty fields left out.
QList<QPair<int, int>> fieldSpans(const QByteArray& reply) {
    QList<QPair<int, int>> spans;
    int start = 1;
    for (int i = 1; i < reply.size(); ++i) {
        if (reply.at(i) == ';') {
            if (i > start)
                spans.append({start, i});
            start = i + 1;
        }
    }
    return spans;
}

} // namespace

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

QByteArray FaultInjector::letterNoise() {
    static const QByteArray letters("BRScGrT");
    static const QByteArray others("0123456789;;\r\n -");
    const int n = 1 + int(m_rng.bounded(5));
    QByteArray out;
    for (int i = 0; i < n; ++i)
        out += others.at(int(m_rng.bounded(quint32(others.size()))));
    out[int(m_rng.bounded(quint32(n)))] = letters.at(int(m_rng.bounded(quint32(letters.size()))));
    return out;
}

QByteArray FaultInjector::garbleAny(const QByteArray& reply) {
    if (reply.isEmpty())
        return reply;
    QList<int> candidates;
    if (reply.at(0) == 'T') {
        for (int i = 0; i < reply.size(); ++i)
            candidates.append(i);
    } else {
        candidates.append(0);
        for (int i = 1; i < reply.size(); ++i)
            if (reply.at(i) == ';')
                candidates.append(i);
        const QList<QPair<int, int>> spans = fieldSpans(reply);
        for (int f : ReplyWriter::numericFields(reply.at(0), int(spans.size())))
            for (int i = spans.at(f).first; i < spans.at(f).second; ++i)
                candidates.append(i);
    }
    static const char junk[] = "x#?~";
    QByteArray out = reply;
    out[candidates.at(int(m_rng.bounded(quint32(candidates.size()))))] = junk[m_rng.bounded(4)];
    return out;
}

QByteArray FaultInjector::truncate(const QByteArray& reply) {
    if (reply.size() <= 1)
        return reply;
    const int need = needs(reply.at(0));
    int limit = 0; // the cut keeps bytes [0, limit), limit >= 1
    if (need == 0) {
        limit = int(std::min<qsizetype>(reply.size(), ReplyWriter::kClockTextLength) - 1);
    } else {
        int seen = 0;
        for (int i = 1; i < reply.size() && limit == 0; ++i)
            if (reply.at(i) == ';' && ++seen == need)
                limit = i;
        if (limit == 0)
            limit = int(reply.size());
    }
    return reply.left(1 + int(m_rng.bounded(quint32(std::max(1, limit)))));
}

QByteArray FaultInjector::unusual(const QByteArray& reply) {
    const char letter = reply.isEmpty() ? 0 : reply.at(0);
    if (needs(letter) == 0)
        return reply; // the clock text has one form only
    const QList<QPair<int, int>> spans = fieldSpans(reply);
    const QList<int> numeric = ReplyWriter::numericFields(letter, int(spans.size()));
    // Some of the forms, drawn again until the text differs from the plain one.
    enum { AfterLetter = 1, DoubleSep = 2, Blanks = 4, Signs = 8, Fan = 16 };
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QByteArray out = unusualForms(reply, spans, numeric, int(m_rng.bounded(32u)));
        if (out != reply)
            return out;
    }
    return unusualForms(reply, spans, numeric, AfterLetter);
}

QByteArray FaultInjector::unusualForms(const QByteArray& reply, const QList<QPair<int, int>>& spans,
                                       const QList<int>& numeric, int forms) {
    enum { AfterLetter = 1, DoubleSep = 2, Blanks = 4, Signs = 8, Fan = 16 };
    const char letter = reply.at(0);
    QByteArray out(1, letter);
    if (forms & AfterLetter)
        out += ';';
    for (int f = 0; f < spans.size(); ++f) {
        QByteArray field = reply.mid(spans.at(f).first, spans.at(f).second - spans.at(f).first);
        if (numeric.contains(f)) {
            if ((forms & Signs) && !field.startsWith('-') && m_rng.bounded(2u))
                field.prepend('+');
            if ((forms & Blanks) && m_rng.bounded(2u))
                field.prepend(QByteArray(1 + int(m_rng.bounded(3u)), ' '));
        } else if (letter == 'c' && (forms & Fan)) {
            // The fan runs when the field starts with '1'.
            field = field.startsWith('1') ? QByteArray("10") : QByteArray("01");
        }
        out += field + ';';
        if ((forms & DoubleSep) && m_rng.bounded(3u) == 0)
            out += ';';
    }
    return out;
}

bool FaultInjector::unusualYear(int* year) {
    if (!chance(m_faults.unusualRate))
        return false;
    *year = m_rng.bounded(2u) ? 2099 : 2000;
    return true;
}

FaultOutcome FaultInjector::apply(const QByteArray& reply, const QList<QByteArray>& extras) {
    FaultOutcome o;
    if (chance(m_faults.dropRate)) {
        o.dropped = true;
        return o;
    }
    QByteArray bytes = reply;
    if (chance(m_faults.unusualRate)) {
        const QByteArray odd = unusual(bytes);
        o.unusual = odd != bytes;
        bytes = odd;
    }
    if (chance(m_faults.garbleRate)) {
        bytes = garble(bytes);
        o.garbled = true;
    }
    if (chance(m_faults.garbleAnyRate)) {
        bytes = garbleAny(bytes);
        o.garbled = true;
    }
    if (chance(m_faults.truncateRate)) {
        bytes = truncate(bytes);
        o.truncated = true;
    }
    if (chance(m_faults.doubleRate)) {
        // Another kind only: the same letter in front would leave its code standing when
        // this reply fails to decode.
        QList<QByteArray> others;
        for (const QByteArray& e : extras)
            if (!e.isEmpty() && !reply.isEmpty() && e.at(0) != reply.at(0))
                others.append(e);
        if (!others.isEmpty()) {
            bytes.prepend(others.at(int(m_rng.bounded(quint32(others.size())))));
            o.doubled = true;
        }
    }
    if (chance(m_faults.noiseRate)) {
        bytes.prepend(noise());
        o.noisy = true;
    }
    if (chance(m_faults.letterNoiseRate)) {
        bytes.prepend(letterNoise());
        o.letterNoise = true;
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
