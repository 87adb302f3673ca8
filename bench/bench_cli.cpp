// The command-line tool's wall time for one-plant commands, against the simulator running as
// a child process with one present plant and the 31 other addresses silent, over TCP on
// 127.0.0.1 with the settings file's TIMEOUT=300 (the absent plants' probes would cost
// 2 x 300 ms each).
//
// Prints the wall time of each whole command, from the tool's start to its end (goal under
// 1 s for clock N and readout N with 10 records); --teach-in adds `plants`, which still
// teaches in all 32 addresses, for comparison.
//
//   bench_cli [--plant N] [--records R] [--baud B] [--runs K] [--teach-in] [--cli PATH]
//             [--sim PATH]
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

#ifndef O2_SIM_PROGRAM
#define O2_SIM_PROGRAM "o2aerolis-sim"
#endif
#ifndef O2_CLI_PROGRAM
#define O2_CLI_PROGRAM "o2aerolis-cli"
#endif

int fail(const char* what) {
    std::fprintf(stderr, "bench_cli: %s\n", what);
    return 1;
}

// One run of the tool; the wall time in seconds, negative when it failed.
double timeCommand(const QString& cli, const QString& dir, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer wall;
    wall.start();
    p.start(cli, QStringList{QStringLiteral("--dir"), dir} + args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return -1;
    return double(wall.nsecsElapsed()) / 1e9;
}

// Starts the simulator with the one plant and writes the settings file that points at it.
bool startSimulator(QProcess& sim, const QString& program, const QString& baud, int plant,
                    int records, const QString& dir) {
    sim.setProgram(program);
    sim.setArguments({"--port", "0", "--baud", baud, "--time-factor", "0", "--plant",
                      QStringLiteral("%1:on,storing,records=%2").arg(plant).arg(records)});
    sim.setStandardErrorFile(QProcess::nullDevice());
    sim.start();
    if (!sim.waitForStarted(5000))
        return false;
    QByteArray out;
    while (!out.contains('\n') && sim.waitForReadyRead(5000))
        out += sim.readAllStandardOutput();
    if (!out.startsWith("port "))
        return false;
    QFile ini(QDir(dir).filePath("O2_Aerolis.ini"));
    if (!ini.open(QIODevice::WriteOnly))
        return false;
    ini.write("[COM]\r\nLAYER=1\r\nNETADR=127.0.0.1\r\nNETPORT=" + out.mid(5).trimmed() +
              "\r\nTIMEOUT=300\r\n");
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser cl;
    const QCommandLineOption plantOpt("plant", "The one present plant (address 1..32).", "N", "3");
    const QCommandLineOption recordsOpt("records", "Stored records per readout.", "R", "10");
    const QCommandLineOption baudOpt("baud", "Line speed the simulator paces at.", "B", "9600");
    const QCommandLineOption runsOpt("runs", "Runs of each command.", "K", "3");
    const QCommandLineOption teachOpt("teach-in", "Time `plants` (the full teach-in) too.");
    const QCommandLineOption cliOpt("cli", "The command-line tool.", "PATH", O2_CLI_PROGRAM);
    const QCommandLineOption simOpt("sim", "The simulator program.", "PATH", O2_SIM_PROGRAM);
    cl.addOptions({plantOpt, recordsOpt, baudOpt, runsOpt, teachOpt, cliOpt, simOpt});
    cl.addHelpOption();
    cl.process(app);
    const int plant = cl.value(plantOpt).toInt();
    const int records = cl.value(recordsOpt).toInt();
    const int runs = cl.value(runsOpt).toInt();
    if (plant < 1 || plant > 32 || records < 0 || records > 1000 || runs < 1)
        return fail("bad --plant, --records or --runs");

    const QString simProgram = cl.value(simOpt);
    const QString baud = cl.value(baudOpt);
    QTemporaryDir dir;
    const QString cli = cl.value(cliOpt);
    const QString n = QString::number(plant);
    struct Case {
        const char* name;
        QStringList args;
    };
    QList<Case> cases = {{"clock N", {"clock", n}}, {"readout N", {"readout", n}}};
    if (cl.isSet(teachOpt))
        cases.append(Case{"plants (teach-in)", {"plants"}});
    std::printf("one present plant (%d), 31 silent addresses, TCP, TIMEOUT=300, %d records "
                "per readout; goal for clock N and readout N: under 1 s\n",
                plant, records);
    int rc = 0;
    QProcess sim;
    for (const Case& c : cases) {
        QList<double> times;
        for (int k = 0; k < runs; ++k) {
            // A fresh simulator for every run, so that each readout finds its records.
            const double t = startSimulator(sim, simProgram, baud, plant, records, dir.path())
                                 ? timeCommand(cli, dir.path(), c.args)
                                 : -1;
            sim.terminate();
            sim.waitForFinished(5000);
            if (t < 0) {
                std::fprintf(stderr, "bench_cli: %s failed\n", c.name);
                rc = 1;
                break;
            }
            times << t;
        }
        if (times.isEmpty())
            continue;
        std::sort(times.begin(), times.end());
        std::printf("%-18s median %.3f s  min %.3f s  max %.3f s  (%lld runs)\n", c.name,
                    times.at(times.size() / 2), times.first(), times.last(),
                    static_cast<long long>(times.size()));
    }
    return rc;
}
