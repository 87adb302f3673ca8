// A process that does nothing but change the settings file, round after round, so that a
// test can kill it at any moment of a write. Round r gives each of the keys K1..K4 of
// section "Soak" the value written by value(r), one write per key, K1 first; it prints
// "ready" once before the first write.
//
//   crash_iniWriter FILE FIRST-ROUND
#include "core/IniFile.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    IniFile ini(args.at(1));
    bool ok = false;
    qint64 round = args.at(2).toLongLong(&ok);
    if (!ok)
        return 2;
    std::printf("ready\n");
    std::fflush(stdout);
    for (;; ++round) {
        for (int k = 1; k <= 4; ++k) {
            // The value's length changes with the round, so that the file grows and shrinks
            // and a torn write would show as a cut or a mix of two lengths.
            const QString value = QStringLiteral("%1:%2").arg(round).arg(
                QString(int(round % 97) * 20, QLatin1Char('a' + k)));
            if (!ini.writeString(QStringLiteral("Soak"), QStringLiteral("K%1").arg(k), value))
                return 1;
        }
    }
}
