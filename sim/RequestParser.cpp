#include "sim/RequestParser.h"

namespace sim {

int RequestParser::digitCount(char letter) {
    switch (letter) {
    case 'B':
    case 'R':
    case 'e':
    case 'o':
    case 'T':
    case 'q':
    case 'A':
    case 'r':
    case 'F':
    case 'S':
    case 'c':
    case 'G':
    case '6':
        return 0;
    case 'I':
    case 'E':
    case 'O':
        return 4;
    case 'Z':
    case 'D':
        return 6;
    case 'n':
    case 'N':
    case 'p':
        return 8;
    default:
        return -1;
    }
}

void RequestParser::reset() {
    m_offset += m_buffer.size();
    m_buffer.clear();
}

QList<RequestFrame> RequestParser::feed(const QByteArray& bytes) {
    m_buffer.append(bytes);
    QList<RequestFrame> frames;
    qsizetype pos = 0;
    auto skip = [&] {
        ++pos;
        ++m_skipped;
    };
    while (pos < m_buffer.size()) {
        const auto address = static_cast<quint8>(m_buffer.at(pos));
        if (address < 1 || address > 32) {
            skip();
            continue;
        }
        if (pos + 1 >= m_buffer.size())
            break; // the letter has not arrived yet
        const char letter = m_buffer.at(pos + 1);
        const int digits = digitCount(letter);
        if (digits < 0) {
            skip();
            continue;
        }
        // Check the digits that are there; a non-digit means this was no frame start.
        const qsizetype available = std::min<qsizetype>(digits, m_buffer.size() - pos - 2);
        bool bad = false;
        for (qsizetype i = 0; i < available && !bad; ++i) {
            const char ch = m_buffer.at(pos + 2 + i);
            bad = ch < '0' || ch > '9';
        }
        if (bad) {
            skip();
            continue;
        }
        if (available < digits)
            break; // wait for the rest of the digits
        RequestFrame f;
        f.address = address;
        f.letter = letter;
        f.digits = m_buffer.mid(pos + 2, digits);
        f.raw = m_buffer.mid(pos, 2 + digits);
        pos += 2 + digits;
        f.endOffset = m_offset + pos;
        frames.append(f);
    }
    m_buffer.remove(0, pos);
    m_offset += pos;
    return frames;
}

} // namespace sim
