#include "core/Win1252.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <stdexcept>

namespace Win1252 {

namespace {
constexpr const char* Name = "windows-1252";
}

bool available() {
    QStringEncoder enc(Name);
    QStringDecoder dec(Name);
    return enc.isValid() && dec.isValid();
}

void requireAvailable() {
    if (!available())
        throw std::runtime_error("This Qt build has no Windows-1252 codec (ICU missing).");
}

QString decode(const QByteArray& bytes) {
    QStringDecoder dec(Name);
    if (!dec.isValid())
        return QString::fromLatin1(bytes);
    return dec.decode(bytes);
}

QByteArray encode(const QString& text) {
    // Done here rather than by the codec: its substitute for a character it cannot hold is
    // 0x1A (Ctrl-Z), which some Windows readers take for the end of the file.
    static const char16_t High[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += char(c);
            continue;
        }
        // The five bytes the code page leaves undefined decode to their C1 code points;
        // they go back to the same byte.
        char byte = '?';
        for (int k = 0; k < 32; ++k) {
            if (High[k] == c) {
                byte = char(0x80 + k);
                break;
            }
        }
        out += byte;
        // A character outside the basic plane is one '?', not two.
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text.at(i + 1).unicode()))
            ++i;
    }
    return out;
}

} // namespace Win1252
