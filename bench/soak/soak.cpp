// o2soak: the fault soak. The simulated controllers run in this process behind a gateway
// that drops, garbles, splits and delays replies, puts noise between them and cuts its
// connection now and then; the command-line tool's watch runs as a child process against it
// over TCP on 127.0.0.1, polling and reading out, for a number of simulated days. Then the
// faults stop, the controllers' memories are read empty, the tool is asked to end, and every
// record line in the measurement files is matched field for field against the records the
// controllers handed out.
//
// A crash of the tool is a child that ends by a signal or on its own; a hang is a child that
// sends nothing for --hang seconds or runs no readout for a long time. Either is counted,
// and the tool is started again. Every reply wait the tool runs is traced (o2.link.wait) and
// compared with its time-out.
//
//   o2soak [--days N] [--plants N] [--seed N] [--time-factor F] [--interval MIN]
//          [--every S] [--cut-every S] [--timeout MS] [--drop F] [--garble F] [--noise F]
//          [--letter-noise F] [--garble-any F] [--truncate F] [--double F] [--unusual F]
//          [--split N] [--split-delay MS] [--hang S] [--overrun MS] [--keep DIR] [--quiet]
//
// Exit code 0 when every must-be-zero figure is 0 and the records add up, 1 otherwise.
#include "FileCheck.h"

#include "core/IniFile.h"
#include "sim/Simulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <memory>

#ifndef O2_CLI_PROGRAM
#define O2_CLI_PROGRAM "o2aerolis-cli"
#endif

namespace {

struct Options {
    int days = 7;
    int plants = 16;
    quint32 seed = 1;
    double timeFactor = 24; // simulated minutes per real second: a day in a minute
    int interval = 30;      // storage interval of the controllers, minutes
    int every = 5;          // the tool reads out every so many seconds
    int cutEvery = 30;      // the gateway cuts its connection about this often, seconds
    int timeout = 100;      // TIMEOUT of the settings file, ms
    double drop = 0.05, garble = 0.02, noise = 0.05;
    double letterNoise = 0, garbleAny = 0, truncate = 0, doubled = 0, unusual = 0;
    int split = 3, splitDelay = 2;
    int hang = 20;     // seconds without a frame from the tool
    int overrun = 150; // ms a wait may outlast its time-out (a loaded machine)
    QString keep;      // copy the files here at the end
    QString log;       // the tool's output, for a closer look
    bool quiet = false;
    QString cli = QStringLiteral(O2_CLI_PROGRAM);
};

struct WaitFigures {
    qint64 waits = 0, timeouts = 0, lateReplies = 0, refused = 0, overruns = 0;
    qint64 longestOverrun = 0; // ms past the time-out
    QString worst;             // the trace line of the longest overrun
};

class Soak : public QObject {
public:
    explicit Soak(const Options& o) : m_o(o), m_rng(o.seed) {}

    int run();

private:
    void startTool();
    void onToolFinished(int code, QProcess::ExitStatus status);
    void onStdout();
    void onStderr();
    void onSecond();
    void scheduleCut();
    void beginDrain();
    void finish();
    int report();
    void say(const QString& text) {
        if (!m_o.quiet)
            std::fprintf(stderr, "o2soak: %s\n", qPrintable(text));
    }
    double simulatedDays() { return m_start.secsTo(m_sim.plant(1).clock) / 86400.0; }

    Options m_o;
    QRandomGenerator m_rng;
    QTemporaryDir m_dir;
    sim::Simulator m_sim;
    std::unique_ptr<QProcess> m_tool;
    QDateTime m_start;
    QElapsedTimer m_real, m_lastFrame, m_lastReadout;
    QTimer m_second, m_cut;
    QByteArray m_outBuf, m_errBuf;
    enum class Phase { Soak, Drain, Stopping, Done } m_phase = Phase::Soak;
    int m_starts = 0, m_crashes = 0, m_hangs = 0;
    qint64 m_readouts = 0, m_plantReadouts = 0, m_plantReadoutsFailed = 0;
    qint64 m_otherMessages = 0;
    QString m_lastOther;
    WaitFigures m_w;
    QString m_endState; // how the last tool run ended
    QFile m_logFile;
    void logLine(const QByteArray& text) {
        if (m_logFile.isOpen())
            m_logFile.write(QByteArray::number(m_real.elapsed()) + ' ' + text + '\n');
    }
    qint64 m_drainStart = 0, m_drainDeadline = 0;
};

int Soak::run() {
    if (!m_dir.isValid())
        return 2;
    m_sim.setSeed(m_o.seed);
    m_start = QDateTime(QDate(2026, 3, 1), QTime(6, 0), Qt::UTC);
    m_sim.setClock(m_start);
    for (int a = 1; a <= m_o.plants; ++a) {
        sim::PlantState& p = m_sim.plant(a);
        p.present = p.switchedOn = p.storing = true;
        p.storageInterval = m_o.interval;
        m_sim.setPileAge(a, qint64(a) * 360); // piles of different ages
    }
    m_sim.keepRecordLog(true);
    sim::Faults& f = m_sim.faults();
    f.dropRate = m_o.drop;
    f.garbleRate = m_o.garble;
    f.noiseRate = m_o.noise;
    f.letterNoiseRate = m_o.letterNoise;
    f.garbleAnyRate = m_o.garbleAny;
    f.truncateRate = m_o.truncate;
    f.doubleRate = m_o.doubled;
    f.unusualRate = m_o.unusual;
    f.splitPieces = m_o.split;
    f.splitDelayMs = m_o.splitDelay;
    if (!m_sim.listenTcp(0))
        return 2;
    connect(&m_sim, &sim::Simulator::frameReceived, this, [this] { m_lastFrame.start(); });

    IniFile ini(m_dir.filePath(QStringLiteral("O2_Aerolis.ini")));
    ini.writeInteger(QStringLiteral("COM"), QStringLiteral("LAYER"), 1);
    ini.writeString(QStringLiteral("COM"), QStringLiteral("NETADR"), QStringLiteral("127.0.0.1"));
    ini.writeInteger(QStringLiteral("COM"), QStringLiteral("NETPORT"), m_sim.tcpPort());
    ini.writeInteger(QStringLiteral("COM"), QStringLiteral("TIMEOUT"), m_o.timeout);

    if (!m_o.log.isEmpty()) {
        m_logFile.setFileName(m_o.log);
        if (!m_logFile.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 2;
    }
    m_real.start();
    m_sim.setTimeFactor(m_o.timeFactor);
    startTool();
    connect(&m_second, &QTimer::timeout, this, &Soak::onSecond);
    m_second.start(1000);
    m_cut.setSingleShot(true);
    connect(&m_cut, &QTimer::timeout, this, [this] {
        m_sim.dropConnections();
        scheduleCut();
    });
    scheduleCut();
    QCoreApplication::exec();
    return report();
}

void Soak::scheduleCut() {
    if (m_o.cutEvery <= 0 || m_phase != Phase::Soak)
        return;
    // Anywhere between half and one and a half of the interval, so cuts meet the tool in
    // every state: polling, teaching in, mid-readout, mid-reply.
    const int ms = m_o.cutEvery * 500 + int(m_rng.bounded(quint32(m_o.cutEvery * 1000)));
    m_cut.start(ms);
}

void Soak::startTool() {
    m_tool = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("o2.link.wait.debug=true"));
    env.insert(QStringLiteral("QT_MESSAGE_PATTERN"), QStringLiteral("%{message}"));
    m_tool->setProcessEnvironment(env);
    connect(m_tool.get(), &QProcess::readyReadStandardOutput, this, &Soak::onStdout);
    connect(m_tool.get(), &QProcess::readyReadStandardError, this, &Soak::onStderr);
    connect(m_tool.get(), &QProcess::finished, this, &Soak::onToolFinished);
    connect(m_tool.get(), &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart)
            return;
        std::fprintf(stderr, "o2soak: cannot start %s\n", qPrintable(m_o.cli));
        ++m_crashes;
        m_phase = Phase::Done;
        QCoreApplication::quit();
    });
    m_tool->start(m_o.cli, {QStringLiteral("--dir"), m_dir.path(), QStringLiteral("watch"),
                            QStringLiteral("--every"), QString::number(m_o.every)});
    ++m_starts;
    m_lastFrame.start();
    m_lastReadout.start();
}

void Soak::onToolFinished(int code, QProcess::ExitStatus status) {
    onStdout();
    onStderr();
    m_endState = status == QProcess::CrashExit ? QStringLiteral("killed by a signal")
                                               : QStringLiteral("exit code %1").arg(code);
    if (m_phase == Phase::Stopping) {
        if (status != QProcess::NormalExit || code != 0)
            ++m_crashes;
        m_phase = Phase::Done;
        QCoreApplication::quit();
        return;
    }
    if (m_tool->property("killedAsHung").toBool()) {
        // Counted as a hang already.
    } else {
        ++m_crashes;
        say(QStringLiteral("the tool ended by itself (%1) on simulated day %2")
                .arg(m_endState)
                .arg(simulatedDays(), 0, 'f', 2));
    }
    m_tool.release()->deleteLater();
    QTimer::singleShot(500, this, [this] { startTool(); });
}

void Soak::onStdout() {
    if (!m_tool)
        return;
    m_outBuf += m_tool->readAllStandardOutput();
    qsizetype nl;
    while ((nl = m_outBuf.indexOf('\n')) >= 0) {
        const QByteArray line = m_outBuf.left(nl);
        m_outBuf.remove(0, nl + 1);
        logLine(line);
        const QList<QByteArray> f = line.split('\t');
        if (f.size() == 4) {
            ++m_plantReadouts;
            if (!f.at(1).contains("OK"))
                ++m_plantReadoutsFailed;
        } else if (!line.trimmed().isEmpty()) {
            ++m_readouts; // the readout's title line
            m_lastReadout.start();
        }
    }
}

void Soak::onStderr() {
    if (!m_tool)
        return;
    m_errBuf += m_tool->readAllStandardError();
    static const QRegularExpression wait(QStringLiteral(
        "wait cmd=(\\d+) address=(\\d+) replied=(\\d) timeout=(\\d) elapsed=(\\d+) limit=(\\d+)"));
    qsizetype nl;
    while ((nl = m_errBuf.indexOf('\n')) >= 0) {
        const QString line = QString::fromLocal8Bit(m_errBuf.left(nl));
        logLine(m_errBuf.left(nl));
        m_errBuf.remove(0, nl + 1);
        const auto m = wait.match(line);
        if (m.hasMatch()) {
            ++m_w.waits;
            const bool replied = m.captured(3) == QLatin1String("1");
            const bool timedOut = m.captured(4) == QLatin1String("1");
            if (timedOut)
                ++m_w.timeouts;
            if (replied && timedOut)
                ++m_w.lateReplies;
            const qint64 over = m.captured(5).toLongLong() - m.captured(6).toLongLong();
            if (over > m_w.longestOverrun) {
                m_w.longestOverrun = over;
                m_w.worst = line;
            }
            if (over > m_o.overrun)
                ++m_w.overruns;
        } else if (line.contains(QLatin1String("wait refused"))) {
            ++m_w.refused;
        } else if (!line.trimmed().isEmpty()) {
            ++m_otherMessages;
            m_lastOther = line;
        }
    }
}

void Soak::onSecond() {
    if (m_phase == Phase::Done)
        return;
    const bool running = m_tool && m_tool->state() == QProcess::Running;
    const qint64 quietMs = m_lastFrame.elapsed();
    // Outside a readout the poll alone asks for a status twice a second, and a readout is
    // due every few seconds.
    const qint64 readoutLimitMs = qMax<qint64>(120, 12LL * m_o.every) * 1000;
    if (running && m_phase != Phase::Stopping &&
        (quietMs > m_o.hang * 1000LL || m_lastReadout.elapsed() > readoutLimitMs)) {
        ++m_hangs;
        say(QStringLiteral("the tool hangs (%1 s without a frame, %2 s without a readout) on "
                           "simulated day %3; killed")
                .arg(quietMs / 1000)
                .arg(m_lastReadout.elapsed() / 1000)
                .arg(simulatedDays(), 0, 'f', 2));
        m_tool->setProperty("killedAsHung", true);
        m_tool->kill();
        return;
    }
    if (m_phase == Phase::Stopping && m_lastFrame.elapsed() > 30000 && running) {
        ++m_hangs;
        say(QStringLiteral("the tool does not end after SIGTERM; killed"));
        m_tool->kill();
        return;
    }
    if (m_phase == Phase::Soak) {
        if (int(m_real.elapsed() / 1000) % 15 == 0)
            say(QStringLiteral("simulated day %1, %2 records handed out, %3 readouts")
                    .arg(simulatedDays(), 0, 'f', 2)
                    .arg(m_sim.stats().recordsHandedOut)
                    .arg(m_readouts));
        if (simulatedDays() >= m_o.days)
            beginDrain();
        return;
    }
    if (m_phase == Phase::Drain) {
        int left = 0;
        for (int a = 1; a <= m_o.plants; ++a)
            left += m_sim.storedRecordCount(a);
        if (left == 0 || m_real.elapsed() > m_drainDeadline)
            finish();
        else if ((m_real.elapsed() - m_drainStart) % 20000 < 1000)
            m_sim.dropConnections();
    }
}

void Soak::beginDrain() {
    // The faults end and the clocks stop, so that the memories can be read empty.
    say(QStringLiteral("%1 simulated days done; reading the memories empty").arg(m_o.days));
    m_phase = Phase::Drain;
    m_cut.stop();
    m_sim.setTimeFactor(0);
    m_sim.faults() = sim::Faults{};
    m_drainStart = m_real.elapsed();
    m_drainDeadline = m_drainStart + 120000;
    // A plant that missed its probe at the last connect stays unread until the next one
    // (as in the program): one more connect, now without faults, teaches every plant in.
    m_sim.dropConnections();
}

void Soak::finish() {
    m_phase = Phase::Stopping;
    m_lastFrame.start();
    if (m_tool && m_tool->state() == QProcess::Running) {
        m_tool->terminate(); // the record on the wire is written, then the file is closed
    } else {
        m_phase = Phase::Done;
        QCoreApplication::quit();
    }
}

void line(const char* label, qint64 value) {
    std::printf("  %-58s %lld\n", label, static_cast<long long>(value));
}

int Soak::report() {
    m_second.stop();
    const double days = simulatedDays();
    const qint64 realSeconds = m_real.elapsed() / 1000;
    const sim::Stats st = m_sim.stats();
    const filecheck::HandedOut handed(m_sim.recordLog());
    const QList<sim::HandedOutRecord>& log = handed.log();
    const IniFile ini(m_dir.filePath(QStringLiteral("O2_Aerolis.ini")));

    QHash<QString, int> plantOfFile;
    for (int a = 1; a <= sim::kPlantCount; ++a) {
        const QString file = ini.readString(QString::number(a), QStringLiteral("Datei"), {});
        if (!file.isEmpty())
            plantOfFile.insert(QFileInfo(file).absoluteFilePath(), a);
    }
    qint64 files = 0, foreignFiles = 0, fragmentFiles = 0, badLines = 0, numbering = 0,
           countMismatch = 0, inFiles = 0, invented = 0, duplicated = 0;
    QList<int> seen(log.size(), 0);
    QStringList problems;
    const QDir dir(m_dir.path());
    for (const QFileInfo& fi :
         dir.entryInfoList({QStringLiteral("*.CSV"), QStringLiteral("*.csv")}, QDir::Files)) {
        ++files;
        const filecheck::ParsedFile p = filecheck::parseFile(fi.absoluteFilePath());
        const int plant = plantOfFile.value(fi.absoluteFilePath(), 0);
        for (const QString& why : p.problems)
            problems << fi.fileName() + QStringLiteral(": ") + why;
        if (!p.wholeLines || !p.headerOk)
            ++fragmentFiles;
        badLines += p.badLines;
        if (plant == 0)
            ++foreignFiles;
        if (!filecheck::numberedInOrder(p.records))
            ++numbering;
        const int last = p.records.isEmpty() ? 0 : p.records.last().number;
        if (plant != 0 &&
            ini.readInteger(QString::number(plant), QStringLiteral("Anzahl"), -1) != last) {
            ++countMismatch;
            problems << fi.fileName() + QStringLiteral(": Anzahl is not the last record number");
        }
        for (const filecheck::FileRecord& r : p.records) {
            ++inFiles;
            const int i = plant == 0 ? -1 : handed.find(plant, r);
            if (i < 0)
                ++invented;
            else if (seen[i]++ > 0)
                ++duplicated;
        }
    }

    qint64 filed = 0, sentNotFiled = 0, garbledLost = 0, dropped = 0, cut = 0, silenced = 0,
           truncated = 0, noisyFiled = 0, noisyLost = 0, filedAgainstFate = 0;
    for (qsizetype i = 0; i < log.size(); ++i) {
        const bool inFile = seen[i] > 0;
        switch (log.at(i).fate) {
        case sim::RecordFate::Sent:
            inFile ? ++filed : ++sentNotFiled;
            break;
        case sim::RecordFate::Garbled:
            inFile ? ++filedAgainstFate : ++garbledLost;
            break;
        case sim::RecordFate::Dropped:
            inFile ? ++filedAgainstFate : ++dropped;
            break;
        case sim::RecordFate::Cut:
            inFile ? ++filedAgainstFate : ++cut;
            break;
        case sim::RecordFate::Silenced:
            inFile ? ++filedAgainstFate : ++silenced;
            break;
        case sim::RecordFate::Truncated:
            inFile ? ++filedAgainstFate : ++truncated;
            break;
        case sim::RecordFate::Noisy:
            // Noise with a reply letter may take the reply with it, or not.
            inFile ? ++noisyFiled : ++noisyLost;
            break;
        }
    }
    qint64 left = 0, overwritten = 0;
    for (int a = 1; a <= sim::kPlantCount; ++a) {
        left += m_sim.storedRecordCount(a);
        overwritten += m_sim.plant(a).overwritten;
    }
    const qint64 lostOnWire = st.recordsLost;
    const bool wireAddsUp = lostOnWire == st.recordsDropped + st.recordsCut + st.recordsSilenced +
                                              st.recordsTruncated &&
                            st.recordsDropped == dropped && st.recordsCut == cut &&
                            st.recordsSilenced == silenced && st.recordsTruncated == truncated &&
                            st.recordsGarbled == garbledLost;
    const bool balance = st.recordsHandedOut == log.size() &&
                         st.recordsHandedOut == filed + noisyFiled + lostOnWire + garbledLost +
                                                    noisyLost + sentNotFiled + filedAgainstFate;

    std::printf("o2soak: %d plants, %.2f simulated days, seed %u, time factor %g, storage "
                "interval %d min, readout every %d s, TIMEOUT %d ms, %lld s real time\n",
                m_o.plants, days, m_o.seed, m_o.timeFactor, m_o.interval, m_o.every, m_o.timeout,
                static_cast<long long>(realSeconds));
    std::printf("  faults: drop %g, garble %g, noise %g, split %d pieces %d ms apart, gateway "
                "cut every %d s (0.5x..1.5x)\n",
                m_o.drop, m_o.garble, m_o.noise, m_o.split, m_o.splitDelay, m_o.cutEvery);
    std::printf("  faults: letter-noise %g, garble-any %g, truncate %g, double %g, unusual %g\n",
                m_o.letterNoise, m_o.garbleAny, m_o.truncate, m_o.doubled, m_o.unusual);
    line("exchanges (requests the controllers received)", st.requests);
    line("reply waits of the program", m_w.waits);
    line("  of them ended by time-out", m_w.timeouts);
    line("  of them a reply and the time-out in the same pass", m_w.lateReplies);
    line("  refused because another wait was running", m_w.refused);
    line("  longest overrun of a time-out (ms)", m_w.longestOverrun);
    line("  waits that overran their time-out by more than the limit", m_w.overruns);
    line("replies dropped by the gateway", st.dropped);
    line("replies garbled", st.garbled);
    line("replies behind noise with a reply letter", st.letterNoise);
    line("replies cut short for good", st.truncated);
    line("replies with another reply in front", st.doubled);
    line("replies and records in unusual valid forms", st.unusual);
    line("connections cut", st.connectionsCut);
    line("reconnects", st.connectionsAccepted - m_starts);
    line("readouts (all plants)", m_readouts);
    line("plant readouts", m_plantReadouts);
    line("  of them not OK", m_plantReadoutsFailed);
    line("records handed out by the simulator", st.recordsHandedOut);
    line("records in the files", inFiles);
    line("records lost on the wire (simulator's count)", lostOnWire);
    line("  'G' replies dropped", st.recordsDropped);
    line("  'G' replies cut off with the connection", st.recordsCut);
    line("  'G' replies kept silent", st.recordsSilenced);
    line("  'G' replies cut short for good", st.recordsTruncated);
    line("records rejected by the program as garbled", garbledLost);
    line("records behind letter noise, in a file", noisyFiled);
    line("records behind letter noise, taken by it", noisyLost);
    line("records sent whole but not in a file", sentNotFiled);
    line("records in a file that the simulator never sent", invented);
    line("records in the files more than once", duplicated);
    line("records in a file although their reply was lost", filedAgainstFate);
    line("records still in the controllers", left);
    line("records pushed out of a full memory", overwritten);
    line("measurement files", files);
    line("  of no plant", foreignFiles);
    line("  not ending in a whole line or without header", fragmentFiles);
    line("  lines that are no record line", badLines);
    line("  files numbered out of order", numbering);
    line("  files whose Anzahl is not the last number", countMismatch);
    line("crashes", m_crashes);
    line("hangs", m_hangs);
    std::printf("  handed out %lld = in files %lld + behind letter noise %lld (filed %lld, taken "
                "%lld) + lost on the wire %lld + garbled %lld + sent but not filed %lld + filed "
                "against fate %lld: %s\n",
                static_cast<long long>(st.recordsHandedOut), static_cast<long long>(filed),
                static_cast<long long>(noisyFiled + noisyLost), static_cast<long long>(noisyFiled),
                static_cast<long long>(noisyLost), static_cast<long long>(lostOnWire),
                static_cast<long long>(garbledLost), static_cast<long long>(sentNotFiled),
                static_cast<long long>(filedAgainstFate), balance ? "adds up" : "DOES NOT ADD UP");
    std::printf("  lost on the wire %lld = dropped %lld + cut %lld + silent %lld + cut short "
                "%lld: %s\n",
                static_cast<long long>(lostOnWire), static_cast<long long>(st.recordsDropped),
                static_cast<long long>(st.recordsCut), static_cast<long long>(st.recordsSilenced),
                static_cast<long long>(st.recordsTruncated),
                wireAddsUp ? "adds up" : "DOES NOT ADD UP");
    if (m_otherMessages > 0)
        std::printf("  other messages of the tool: %lld, the last: %s\n",
                    static_cast<long long>(m_otherMessages), qPrintable(m_lastOther));
    for (const QString& p : problems.mid(0, 20))
        std::printf("  problem: %s\n", qPrintable(p));
    if (m_w.overruns > 0)
        std::printf("  worst wait: %s\n", qPrintable(m_w.worst));

    const bool pass = balance && wireAddsUp && m_crashes == 0 && m_hangs == 0 && invented == 0 &&
                      duplicated == 0 && filedAgainstFate == 0 && sentNotFiled == 0 &&
                      m_w.overruns == 0 && left == 0 && overwritten == 0 && foreignFiles == 0 &&
                      fragmentFiles == 0 && badLines == 0 && numbering == 0 && countMismatch == 0 &&
                      days >= m_o.days && filed > 0;
    std::printf("o2soak: %s\n", pass ? "PASS" : "FAIL");
    std::fflush(stdout);
    if (!m_o.keep.isEmpty()) {
        QDir().mkpath(m_o.keep);
        for (const QFileInfo& fi : dir.entryInfoList(QDir::Files))
            QFile::copy(fi.absoluteFilePath(), QDir(m_o.keep).filePath(fi.fileName()));
    }
    return pass ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser cl;
    cl.setApplicationDescription(QStringLiteral("Fault soak of the command-line tool's watch."));
    cl.addHelpOption();
    Options o;
    struct Num {
        const char* name;
        double* real;
        int* whole;
        double lo, hi;
    };
    double seed = 1;
    const Num nums[] = {
        {"days", nullptr, &o.days, 0, 365},
        {"plants", nullptr, &o.plants, 1, 32},
        {"seed", &seed, nullptr, 0, 4294967295.0},
        {"time-factor", &o.timeFactor, nullptr, 0.001, 10000},
        {"interval", nullptr, &o.interval, 1, 1440},
        {"every", nullptr, &o.every, 1, 3600},
        {"cut-every", nullptr, &o.cutEvery, 0, 86400},
        {"timeout", nullptr, &o.timeout, 10, 60000},
        {"drop", &o.drop, nullptr, 0, 1},
        {"garble", &o.garble, nullptr, 0, 1},
        {"noise", &o.noise, nullptr, 0, 1},
        {"letter-noise", &o.letterNoise, nullptr, 0, 1},
        {"garble-any", &o.garbleAny, nullptr, 0, 1},
        {"truncate", &o.truncate, nullptr, 0, 1},
        {"double", &o.doubled, nullptr, 0, 1},
        {"unusual", &o.unusual, nullptr, 0, 1},
        {"split", nullptr, &o.split, 0, 100},
        {"split-delay", nullptr, &o.splitDelay, 0, 1000},
        {"hang", nullptr, &o.hang, 1, 3600},
        {"overrun", nullptr, &o.overrun, 0, 60000},
    };
    for (const Num& n : nums)
        cl.addOption(
            QCommandLineOption(QLatin1String(n.name), QLatin1String(n.name), QStringLiteral("N")));
    const QCommandLineOption keep(QStringLiteral("keep"), QStringLiteral("Copy the files here."),
                                  QStringLiteral("DIR"));
    const QCommandLineOption logOption(QStringLiteral("log"),
                                       QStringLiteral("Write the tool's output to FILE."),
                                       QStringLiteral("FILE"));
    const QCommandLineOption quiet(QStringLiteral("quiet"), QStringLiteral("No progress lines."));
    const QCommandLineOption cli(QStringLiteral("cli"), QStringLiteral("The tool to soak."),
                                 QStringLiteral("PATH"));
    cl.addOptions({keep, logOption, quiet, cli});
    cl.process(app);
    for (const Num& n : nums) {
        if (!cl.isSet(QLatin1String(n.name)))
            continue;
        bool ok = false;
        const double v = cl.value(QLatin1String(n.name)).toDouble(&ok);
        if (!ok || v < n.lo || v > n.hi || (n.whole && v != int(v))) {
            std::fprintf(stderr, "o2soak: bad --%s\n", n.name);
            return 2;
        }
        if (n.real)
            *n.real = v;
        else
            *n.whole = int(v);
    }
    o.seed = quint32(seed);
    o.keep = cl.value(keep);
    o.log = cl.value(logOption);
    o.quiet = cl.isSet(quiet);
    if (cl.isSet(cli))
        o.cli = cl.value(cli);
    Soak soak(o);
    return soak.run();
}
