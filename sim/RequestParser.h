// Cuts the byte stream that reaches a controller into request frames. The line has no
// framing of its own, so a frame is recognised by its address byte, its command letter
// and the number of digits that letter takes.
#pragma once

#include <QByteArray>
#include <QList>

namespace sim {

struct RequestFrame {
    quint8 address = 0; // 1..32
    char letter = 0;
    QByteArray digits;    // the parameter digits, 0, 4, 6 or 8 of them
    QByteArray raw;       // address byte, letter, digits
    qint64 endOffset = 0; // stream offset just behind the frame's last byte
};

class RequestParser {
public:
    // Number of parameter digits the command takes, or -1 for a letter that is no command.
    static int digitCount(char letter);

    // Appends the bytes and returns every frame that is now complete, oldest first.
    QList<RequestFrame> feed(const QByteArray& bytes);

    // Bytes that were skipped because they did not start a valid frame.
    qint64 skippedBytes() const { return m_skipped; }
    void reset();

private:
    QByteArray m_buffer;
    qint64 m_offset = 0; // stream offset of m_buffer[0]
    qint64 m_skipped = 0;
};

} // namespace sim
