// Stored-record readout through the controller operations, against the simulator running
// as a child process and paced like a 9600 baud line, over TCP on 127.0.0.1.
//
// Prints the wall time, the wire-time lower bound for the bytes exchanged (request and reply
// bytes at 10 bits each), their ratio (goal <= 1.05) and the CPU time this process used
// while it waited (goal < 2 % of the wall time).
//
//   bench_readout [--records N] [--baud B] [--sim PATH]
#include "core/Daten.h"
#include "link/UKommunikation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <sys/resource.h>

using namespace Kommunikation;

namespace {

#ifndef O2_SIM_PROGRAM
#define O2_SIM_PROGRAM "o2aerolis-sim"
#endif

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Bytes of one reply as the simulator logs it: printable characters stand for themselves,
// every other byte is written as <xx>.
qint64 loggedBytes(const QByteArray& shown) {
    qint64 n = 0;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown.at(i) == '<' && i + 3 < shown.size() && shown.at(i + 3) == '>')
            i += 3;
        ++n;
    }
    return n;
}

int fail(const char* what) {
    std::fprintf(stderr, "bench_readout: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser cl;
    const QCommandLineOption recordsOpt("records", "Stored records to read (1..1000).", "N",
                                        "1000");
    const QCommandLineOption baudOpt("baud", "Line speed the simulator paces at.", "B", "9600");
    const QCommandLineOption simOpt("sim", "The simulator program.", "PATH", O2_SIM_PROGRAM);
    cl.addOptions({recordsOpt, baudOpt, simOpt});
    cl.addHelpOption();
    cl.process(app);
    const int records = cl.value(recordsOpt).toInt();
    const int baud = cl.value(baudOpt).toInt();
    if (records < 1 || records > 1000 || baud <= 0)
        return fail("bad --records or --baud");

    const int plant = 1;
    QProcess sim;
    sim.setProgram(cl.value(simOpt));
    sim.setArguments({"--port", "0", "--baud", QString::number(baud), "--time-factor", "0",
                      "--plant", QStringLiteral("%1:on,storing,records=%2").arg(plant).arg(records),
                      "--log"});
    // The log goes to a file, so that reading it costs this process nothing while it waits.
    QTemporaryDir dir;
    const QString logPath = dir.filePath("sim.log");
    sim.setStandardErrorFile(logPath);
    sim.start();
    if (!sim.waitForStarted(5000))
        return fail("cannot start the simulator");
    QByteArray out;
    while (!out.contains('\n') && sim.waitForReadyRead(5000))
        out += sim.readAllStandardOutput();
    if (!out.startsWith("port "))
        return fail("the simulator printed no port");

    Link link;
    LinkLayer = 1;
    NetAddress = QStringLiteral("127.0.0.1");
    NetPort = out.mid(5).trimmed().toInt();
    {
        QEventLoop wait;
        QObject::connect(&link, &Link::connected, &wait, &QEventLoop::quit);
        QObject::connect(&link, &Link::errorReport, &wait, &QEventLoop::quit);
        QTimer::singleShot(5000, &wait, &QEventLoop::quit);
        link.OpenLink();
        wait.exec();
    }
    if (!LinkOpen)
        return fail("no connection to the simulator");
    Daten::Anlage[plant].Present = true;
    QFile logFile(logPath);
    if (!logFile.open(QIODevice::ReadOnly))
        return fail("cannot read the simulator log");
    logFile.seek(logFile.size()); // the log so far holds nothing of the readout

    QElapsedTimer wall;
    const double cpu0 = cpuSeconds();
    wall.start();
    int read = 0;
    if (ReadStoredCount(plant)) {
        for (int i = 0; i < StoredCount; ++i) {
            if (!ReadStoredRecord(plant))
                break;
            ++read;
        }
    }
    const qint64 wallNs = wall.nsecsElapsed();
    const double cpu = cpuSeconds() - cpu0;
    const int requests = 1 + read + (read < records ? 1 : 0);

    sim.terminate();
    sim.waitForFinished(5000);
    qint64 replyBytes = 0;
    for (const QByteArray& line : logFile.readAll().split('\n'))
        if (line.startsWith("> "))
            replyBytes += loggedBytes(line.mid(2));
    const qint64 requestBytes = 2LL * requests; // address byte and letter

    const double wallS = double(wallNs) / 1e9;
    const double wireS = double(requestBytes + replyBytes) * 10.0 / baud;
    std::printf("records read        %d of %d\n", read, records);
    std::printf("bytes on the wire   %lld (requests %lld, replies %lld)\n",
                static_cast<long long>(requestBytes + replyBytes),
                static_cast<long long>(requestBytes), static_cast<long long>(replyBytes));
    std::printf("wall time           %.3f s\n", wallS);
    std::printf("wire-time bound     %.3f s at %d baud\n", wireS, baud);
    std::printf("wall / wire         %.4f (goal <= 1.05)\n", wireS > 0 ? wallS / wireS : 0.0);
    std::printf("CPU while waiting   %.3f s = %.2f %% of wall (goal < 2 %%)\n", cpu,
                wallS > 0 ? 100.0 * cpu / wallS : 0.0);
    return read == records ? 0 : 1;
}
