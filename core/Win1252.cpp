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
    QStringEncoder enc(Name, QStringConverter::Flag::Default);
    if (!enc.isValid())
        return text.toLatin1();
    QByteArray out = enc.encode(text);
    return out;
}

} // namespace Win1252
