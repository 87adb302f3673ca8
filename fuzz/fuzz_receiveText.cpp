// Arbitrary received text in arbitrary pieces: the reply parser never crashes, never lets
// the buffer grow past its bound, and leaves ReplyCode at a code some reply can set.
//
// Input layout: byte 0 picks the plant the replies are stored for (RequestAddress), byte 1
// the number n (0..7) of piece-size bytes that follow; the sizes are used in turn to cut the
// rest of the input into arrivals.
#include "core/Daten.h"
#include "link/Protocol.h"

#include <cstdint>

namespace {

bool KnownCode(uint8_t code) {
    switch (code) {
    case 0:
    case Kommunikation::CmdReadMode:
    case Kommunikation::CmdReadSetup:
    case Kommunikation::CmdReadCount:
    case Kommunikation::CmdReadState:
    case Kommunikation::CmdReadStatus:
    case Kommunikation::CmdReadRecord:
    case Kommunikation::CmdReadClock:
        return true;
    default:
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    ResetProcessState();
    Kommunikation::RequestAddress = uint8_t(data[0] % (Daten::MaxPlants + 1));
    const size_t n = data[1] % 8;
    size_t pos = 2;
    if (size < pos + n)
        return 0;
    const uint8_t* sizes = data + pos;
    pos += n;
    size_t turn = 0;
    while (pos < size) {
        size_t piece = n == 0 ? size - pos : size_t(sizes[turn++ % n]) + 1;
        if (piece > size - pos)
            piece = size - pos;
        Kommunikation::ReceiveText(
            QByteArray(reinterpret_cast<const char*>(data + pos), qsizetype(piece)));
        pos += piece;
        if (!KnownCode(Kommunikation::ReplyCode))
            __builtin_trap();
        if (Kommunikation::ReceiveBuffer.size() > Kommunikation::MaxReceiveBuffer)
            __builtin_trap();
        if (Kommunikation::ClockText.size() != 0 &&
            Kommunikation::ClockText.size() != Kommunikation::ClockTextLength)
            __builtin_trap();
    }
    return 0;
}
