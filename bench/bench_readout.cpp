// Stored-record readout against the simulator running as a child process and paced like a
// 9600 baud line, over TCP on 127.0.0.1.
//
// Prints the wall time, the wire-time lower bound for the bytes exchanged (request and reply
// bytes at 10 bits each), their ratio (goal <= 1.01 for the readout) and the CPU time this
// process used while it waited (goal < 2 % of the wall time).
//
// --mode readout (default): the readout as the program runs it, every record appended to a
//     measurement file and committed to the device before the next request. Also prints
//     where the time between two requests goes: the reply wait (request, wire, decode) and
//     the record's append to the file (the line written, with whatever wait for a commit to
//     the device the program does before it asks for the next record).
// --mode link: the controller operations alone, nothing written.
// --mode plain: a blocking socket that only sends the requests and counts the reply fields;
//     the floor that the simulator's pacing leaves.
// --dir: where the measurement file goes (default a temporary directory).
//
//   bench_readout [--records N] [--baud B] [--mode readout|link|plain] [--dir PATH] [--sim PATH]
#include "core/Daten.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "link/UKommunikation.h"
#include "storage/Readout.h"
#include "storage/UMessDaten.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

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

// Mean and the 50th / 90th percentile of a list of durations, in milliseconds.
void printSpread(const char* what, std::vector<double> ms) {
    if (ms.empty())
        return;
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double v : ms)
        sum += v;
    std::printf("  %-22s mean %.3f ms  median %.3f  p90 %.3f  max %.3f\n", what,
                sum / double(ms.size()), ms[ms.size() / 2], ms[ms.size() * 9 / 10], ms.back());
}

// One request of two bytes; then reads until the reply's `fields` separators are in.
bool plainExchange(QTcpSocket& s, char letter, int fields) {
    const char request[2] = {1, letter};
    s.write(request, 2);
    s.flush();
    int seen = 0;
    while (seen < fields) {
        if (!s.bytesAvailable() && !s.waitForReadyRead(2000))
            return false;
        seen += int(s.readAll().count(';'));
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser cl;
    const QCommandLineOption recordsOpt("records", "Stored records to read (1..1000).", "N",
                                        "1000");
    const QCommandLineOption baudOpt("baud", "Line speed the simulator paces at.", "B", "9600");
    const QCommandLineOption modeOpt("mode", "readout, link or plain.", "M", "readout");
    const QCommandLineOption dirOpt("dir", "Directory of the measurement file.", "PATH");
    const QCommandLineOption simOpt("sim", "The simulator program.", "PATH", O2_SIM_PROGRAM);
    cl.addOptions({recordsOpt, baudOpt, modeOpt, dirOpt, simOpt});
    cl.addHelpOption();
    cl.process(app);
    const int records = cl.value(recordsOpt).toInt();
    const int baud = cl.value(baudOpt).toInt();
    const QString mode = cl.value(modeOpt);
    if (records < 1 || records > 1000 || baud <= 0)
        return fail("bad --records or --baud");
    if (mode != "readout" && mode != "link" && mode != "plain")
        return fail("bad --mode");

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
    const quint16 port = quint16(out.mid(5).trimmed().toInt());

    // The measurement file and the settings file that keeps its count.
    QTemporaryDir fileDir(cl.isSet(dirOpt) ? QDir(cl.value(dirOpt)).filePath("bench-XXXXXX")
                                           : QDir::tempPath() + "/bench-XXXXXX");
    if (mode == "readout") {
        if (!fileDir.isValid())
            return fail("cannot make the file directory");
        ProgramDir::setOverride(fileDir.path());
        Settings::open(ProgramDir::iniPath());
        tAnlageParameter& a = Daten::Anlage[plant];
        a.SwitchedOn = 1;
        a.Name = QStringLiteral("Bench");
        a.Pfad = QDir::toNativeSeparators(fileDir.path());
        MeasurementFile::NewMeasurementFile(plant);
    }

    Link link;
    QTcpSocket plain;
    if (mode == "plain") {
        plain.connectToHost(QHostAddress::LocalHost, port);
        if (!plain.waitForConnected(5000))
            return fail("no connection to the simulator");
        plain.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    } else {
        LinkLayer = 1;
        NetAddress = QStringLiteral("127.0.0.1");
        NetPort = port;
        QEventLoop wait;
        QObject::connect(&link, &Link::connected, &wait, &QEventLoop::quit);
        QObject::connect(&link, &Link::errorReport, &wait, &QEventLoop::quit);
        QTimer::singleShot(5000, &wait, &QEventLoop::quit);
        link.OpenLink();
        wait.exec();
        if (!LinkOpen)
            return fail("no connection to the simulator");
        Daten::Anlage[plant].Present = true;
    }
    QFile logFile(logPath);
    if (!logFile.open(QIODevice::ReadOnly))
        return fail("cannot read the simulator log");
    logFile.seek(logFile.size()); // the log so far holds nothing of the readout

    QElapsedTimer wall;
    // Moments of one readout, in ms from the start: reply decoded, line committed.
    std::vector<double> decoded, committed;
    decoded.reserve(size_t(records));
    committed.reserve(size_t(records));
    double countDone = 0;
    const double cpu0 = cpuSeconds();
    wall.start();
    auto now = [&wall] { return double(wall.nsecsElapsed()) / 1e6; };
    int read = 0;
    bool countRead = false;
    if (mode == "readout") {
        Readout::View view;
        view.showProgress = [&](int) {
            countRead = true;
            countDone = now();
        };
        view.stepProgress = [&] { decoded.push_back(now()); };
        view.stopRequested = [&] {
            committed.push_back(now());
            return false;
        };
        Readout::SaveStoredRecords(plant, view);
        read = int(committed.size());
    } else if (mode == "link") {
        countRead = ReadStoredCount(plant);
        for (int i = 0; countRead && i < StoredCount; ++i) {
            if (!ReadStoredRecord(plant))
                break;
            ++read;
        }
    } else {
        countRead = plainExchange(plain, 'r', 1);
        for (int i = 0; countRead && i < records; ++i) {
            if (!plainExchange(plain, 'G', 15))
                break;
            ++read;
        }
    }
    const qint64 wallNs = wall.nsecsElapsed();
    const double cpu = cpuSeconds() - cpu0;
    const int requests = (countRead ? 1 : 0) + read + (countRead && read < records ? 1 : 0);
    // The readout's last step (the record loop's end, the file's close) counts as well.
    if (mode == "readout")
        Settings::close();

    sim.terminate();
    sim.waitForFinished(5000);
    qint64 replyBytes = 0;
    for (const QByteArray& line : logFile.readAll().split('\n'))
        if (line.startsWith("> "))
            replyBytes += loggedBytes(line.mid(2));
    const qint64 requestBytes = 2LL * requests; // address byte and letter

    const double wallS = double(wallNs) / 1e9;
    const double wireS = double(requestBytes + replyBytes) * 10.0 / baud;
    std::printf("mode                %s\n", qPrintable(mode));
    std::printf("records read        %d of %d\n", read, records);
    std::printf("bytes on the wire   %lld (requests %lld, replies %lld)\n",
                static_cast<long long>(requestBytes + replyBytes),
                static_cast<long long>(requestBytes), static_cast<long long>(replyBytes));
    std::printf("wall time           %.3f s\n", wallS);
    std::printf("wire-time bound     %.3f s at %d baud\n", wireS, baud);
    std::printf("wall / wire         %.4f (goal <= 1.01)\n", wireS > 0 ? wallS / wireS : 0.0);
    std::printf("over the bound      %.3f ms per request\n",
                requests > 0 ? (wallS - wireS) * 1e3 / requests : 0.0);
    std::printf("CPU while waiting   %.3f s = %.2f %% of wall (goal < 2 %%)\n", cpu,
                wallS > 0 ? 100.0 * cpu / wallS : 0.0);
    if (mode == "readout" && !committed.empty()) {
        std::vector<double> wait, file;
        for (size_t i = 0; i < committed.size(); ++i) {
            wait.push_back(decoded[i] - (i == 0 ? countDone : committed[i - 1]));
            file.push_back(committed[i] - decoded[i]);
        }
        std::printf("between two requests\n");
        printSpread("reply wait", wait);
        printSpread("record appended", file);
    }
    return read == records ? 0 : 1;
}
