// o2aerolis-sim: the controllers and their gateway as a program, for the demo and for
// tests that want the simulator in a process of its own.
#include "sim/PlantOptions.h"
#include "sim/Simulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

// SIGTERM and SIGINT end the event loop from the loop itself, so everything closes cleanly.
void quitOnSignals(QCoreApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [&app] {
        char c;
        [[maybe_unused]] const ssize_t n = ::read(g_signalPipe[0], &c, 1);
        app.quit();
    });
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
}

QString tr(const char* text) {
    return QCoreApplication::translate("o2aerolis-sim", text);
}

QString printable(const QByteArray& bytes) {
    QString out;
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x21 && b < 0x7f)
            out += QLatin1Char(ch);
        else
            out += QStringLiteral("<%1>").arg(b, 2, 16, QLatin1Char('0'));
    }
    return out;
}

int fail(const QString& message) {
    std::fprintf(stderr, "o2aerolis-sim: %s\n", qPrintable(message));
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("o2aerolis-sim"));

    QCommandLineParser cl;
    cl.setApplicationDescription(
        tr("Stands in for the plant controllers and their network gateway."));
    cl.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"),
                                  tr("Serve the gateway on 127.0.0.1:PORT (0 = a free port, "
                                     "printed as 'port N'). Default 8000."),
                                  QStringLiteral("PORT"), QStringLiteral("8000"));
    const QCommandLineOption host(QStringLiteral("host"), tr("Address to listen on."),
                                  QStringLiteral("ADDR"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption pty(QStringLiteral("pty"),
                                 tr("Open a pseudo-terminal instead (printed as 'pty PATH')."));
    const QCommandLineOption serial(QStringLiteral("serial"), tr("Serve an existing tty."),
                                    QStringLiteral("DEV"));
    const QCommandLineOption plant(
        QStringLiteral("plant"),
        tr("A plant, e.g. 1:on,storing,mode=3,records=120,age=3,interval=15; 'off' = present "
           "but switched off. Repeatable; plants not named are absent."),
        QStringLiteral("PLANT"));
    const QCommandLineOption plants(QStringLiteral("plants"),
                                    tr("Present, switched-on, storing plants, e.g. 1-4."),
                                    QStringLiteral("LIST"));
    const QCommandLineOption factor(QStringLiteral("time-factor"),
                                    tr("Simulated minutes per real second (default 1/60 = real "
                                       "time)."),
                                    QStringLiteral("F"));
    const QCommandLineOption seed(QStringLiteral("seed"), tr("Random seed."), QStringLiteral("N"),
                                  QStringLiteral("1"));
    const QCommandLineOption start(QStringLiteral("start"),
                                   tr("Controller clocks at start, yyyy-MM-ddTHH:mm:ss "
                                      "(default: now)."),
                                   QStringLiteral("TIME"));
    const QCommandLineOption drop(QStringLiteral("drop"), tr("Fraction of replies dropped."),
                                  QStringLiteral("F"));
    const QCommandLineOption garble(QStringLiteral("garble"),
                                    tr("Fraction of replies with a spoilt field."),
                                    QStringLiteral("F"));
    const QCommandLineOption noise(
        QStringLiteral("noise"), tr("Fraction of replies preceded by noise."), QStringLiteral("F"));
    const QCommandLineOption split(QStringLiteral("split"), tr("Send replies in N pieces."),
                                   QStringLiteral("N"));
    const QCommandLineOption splitDelay(QStringLiteral("split-delay"),
                                        tr("Milliseconds between pieces."), QStringLiteral("MS"));
    const QCommandLineOption latency(
        QStringLiteral("latency"), tr("Milliseconds before a reply starts."), QStringLiteral("MS"));
    const QCommandLineOption baud(QStringLiteral("baud"),
                                  tr("Pace the bytes like a serial line at B baud."),
                                  QStringLiteral("B"));
    const QCommandLineOption closeAfter(QStringLiteral("close-after"),
                                        tr("Cut a gateway connection after N requests."),
                                        QStringLiteral("N"));
    const QCommandLineOption log(QStringLiteral("log"), tr("Log every frame and reply to stderr."));
    cl.addOptions({port, host, pty, serial, plant, plants, factor, seed, start, drop, garble, noise,
                   split, splitDelay, latency, baud, closeAfter, log});
    // The other fault kinds, each by its name.
    QList<QPair<QCommandLineOption, double sim::Faults::*>> kinds;
    for (const sim::FaultKind& k : sim::faultKinds()) {
        const QString name = QLatin1String(k.name);
        if (name == drop.names().first() || name == garble.names().first() ||
            name == noise.names().first())
            continue;
        kinds.append({QCommandLineOption(name, tr(k.help), QStringLiteral("F")), k.rate});
        cl.addOption(kinds.last().first);
    }
    cl.process(app);

    sim::Simulator sim;
    bool ok = true;
    sim.setSeed(cl.value(seed).toUInt(&ok));
    if (!ok)
        return fail(tr("bad --seed"));
    if (cl.isSet(start)) {
        const QDateTime t = QDateTime::fromString(cl.value(start), Qt::ISODate);
        if (!t.isValid())
            return fail(tr("bad --start"));
        sim.setClock(t);
    }

    auto real = [&](const QCommandLineOption& o, double lo, double hi, double* out) {
        if (!cl.isSet(o))
            return true;
        bool good = false;
        *out = cl.value(o).toDouble(&good);
        return good && *out >= lo && *out <= hi;
    };
    auto whole = [&](const QCommandLineOption& o, int lo, int hi, int* out) {
        if (!cl.isSet(o))
            return true;
        bool good = false;
        *out = cl.value(o).toInt(&good);
        return good && *out >= lo && *out <= hi;
    };
    sim::Faults& f = sim.faults();
    double timeFactor = 1.0 / 60.0;
    if (!real(factor, 0, 1e6, &timeFactor) || !real(drop, 0, 1, &f.dropRate) ||
        !real(garble, 0, 1, &f.garbleRate) || !real(noise, 0, 1, &f.noiseRate) ||
        !whole(split, 0, 1000, &f.splitPieces) || !whole(splitDelay, 0, 60000, &f.splitDelayMs) ||
        !whole(latency, 0, 60000, &f.latencyMs) || !whole(baud, 0, 10000000, &f.baud) ||
        !whole(closeAfter, 0, 1 << 30, &f.closeAfterRequests))
        return fail(tr("bad option value (see --help)"));
    for (const auto& [option, rate] : kinds)
        if (!real(option, 0, 1, &(f.*rate)))
            return fail(tr("bad --%1").arg(option.names().first()));

    QString error;
    if (cl.isSet(plants) && !sim::applyRunningPlants(sim, cl.value(plants), &error))
        return fail(error);
    for (const QString& option : cl.values(plant))
        if (!sim::applyPlantOption(sim, option, &error))
            return fail(error);
    sim.setTimeFactor(timeFactor);

    if (cl.isSet(log)) {
        QObject::connect(&sim, &sim::Simulator::frameReceived, [](const QByteArray& frame) {
            std::fprintf(stderr, "< %02d %s\n", static_cast<unsigned char>(frame.at(0)),
                         qPrintable(printable(frame.mid(1))));
        });
        QObject::connect(&sim, &sim::Simulator::replySent, [](const QByteArray& reply) {
            std::fprintf(stderr, "> %s\n", qPrintable(printable(reply)));
        });
    }

    if (cl.isSet(pty)) {
        const QString path = sim.openPty();
        if (path.isEmpty())
            return fail(tr("cannot open a pseudo-terminal"));
        std::printf("pty %s\n", qPrintable(path));
    } else if (cl.isSet(serial)) {
        if (!sim.openSerial(cl.value(serial)))
            return fail(tr("cannot open %1").arg(cl.value(serial)));
        std::printf("serial %s\n", qPrintable(cl.value(serial)));
    } else {
        int portNumber = 8000;
        const QHostAddress address(cl.value(host));
        if (!whole(port, 0, 65535, &portNumber) || address.isNull())
            return fail(tr("bad --port or --host"));
        if (!sim.listenTcp(quint16(portNumber), address))
            return fail(tr("cannot listen on %1:%2").arg(address.toString()).arg(portNumber));
        std::printf("port %u\n", unsigned(sim.tcpPort()));
    }
    std::fflush(stdout);

    quitOnSignals(app);
    const int rc = app.exec();
    sim.close();
    return rc;
}
