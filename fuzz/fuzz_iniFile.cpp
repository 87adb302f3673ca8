// Arbitrary bytes as a settings file: reading and writing never crash, and a write keeps
// the value readable.
#include "core/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.ini"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    IniFile ini(path);
    for (const QString& s : ini.sections())
        for (const QString& k : ini.keys(s))
            (void)ini.readFloat(s, k, 0.0);
    ini.writeString(QStringLiteral("COM"), QStringLiteral("ZEIT"), QStringLiteral("7"));
    if (ini.readInteger(QStringLiteral("COM"), QStringLiteral("ZEIT"), 0) != 7)
        __builtin_trap();
    return 0;
}
