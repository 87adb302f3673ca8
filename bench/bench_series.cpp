// A measurement file of many records read back into the nine series: LoadFile + FillSeries
// with all values and with one value per day, side by side with the same file parsed by
// Python's csv module into nine lists of floats. Each figure comes from a process of its
// own, so that its peak memory is its own.
//
// Prints, per reader, the best time of three runs and the peak resident memory, and the
// ratio to the Python figure (goal: ours at least 5 times faster, under 0.3 s).
//
//   bench_series [--records N] [--generate FILE]
#include "core/Daten.h"
#include "core/KompUtils.h"
#include "evaluation/TMessDaten.h"
#include "storage/UMessDaten.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

long peakKiB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// A file as the writer lays it down: the nine header lines and `records` record lines,
// one every 15 minutes, with plausible values.
bool generate(const QString& path, int records) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QStringList header = {
        QStringLiteral("Firmen- Name"),
        QStringLiteral("* Text *"),
        QStringLiteral("* Text *"),
        QString(),
        QStringLiteral("Anlagen- Name: Bench"),
        QStringLiteral("Datei  - Name: ") + path,
        QStringLiteral("Benchmark"),
        QStringLiteral("Erste Datensicherung : 01.01.2024"),
        QStringLiteral(" ;Speicherzeit;T5;T4;T3;T2;T1;RefMarke; O2[vol%];Betriebsart;"
                       "Luefterlaufzeit;LuefterZyklen")};
    QByteArray out;
    for (const QString& l : header)
        out += l.toLatin1() + "\r\n";
    QRandomGenerator rng(42);
    QDateTime t(QDate(2024, 1, 1), QTime(0, 0));
    for (int i = 1; i <= records; ++i) {
        MeasurementRecord r;
        r.T1 = 40 + int(rng.bounded(30));
        r.T2 = 40 + int(rng.bounded(30));
        r.T3 = 35 + int(rng.bounded(30));
        r.T4 = 30 + int(rng.bounded(30));
        r.T5 = 20 + int(rng.bounded(30));
        r.RefDepth = int(rng.bounded(100));
        r.O2 = int(rng.bounded(210));
        r.Mode = 3;
        r.RunTime = i / 3;
        r.Cycles = i / 20;
        const QString time = t.toString(QStringLiteral("dd.MM.yyyy  hh:mm"));
        out += MeasurementFile::RecordLine(i, time, r).toLatin1() + "\r\n";
        t = t.addSecs(15 * 60);
        if (out.size() > (1 << 20)) {
            if (f.write(out) != out.size())
                return false;
            out.clear();
        }
    }
    return f.write(out) == out.size();
}

// One reader in this process: the best of three runs and the peak memory.
int measure(const QString& path, bool perDay) {
    double best = 1e9;
    int points = 0;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        TMessDaten m;
        if (m.LoadFile(path) != TMessDaten::LoadResult::Valid || !m.FillSeries(perDay, nullptr))
            return 1;
        best = std::min(best, double(timer.nsecsElapsed()) / 1e9);
        points = m.PointCount;
    }
    std::printf("%.4f %ld %d\n", best, peakKiB(), points);
    return 0;
}

const char* const PythonReader = R"(
import csv, resource, sys, time
def num(s):
    try:
        return float(s.strip().replace(',', '.'))
    except ValueError:
        return 0.0
best = 1e9
for run in range(3):
    t0 = time.perf_counter()
    cols = [[] for _ in range(9)]
    with open(sys.argv[1], newline='', encoding='cp1252') as f:
        rows = csv.reader(f, delimiter=';')
        for i, row in enumerate(rows):
            if i < 9 or len(row) < 12:
                continue
            for k, field in enumerate((2, 3, 4, 5, 6, 7, 8, 10, 11)):
                cols[k].append(num(row[field]))
    best = min(best, time.perf_counter() - t0)
print('%.4f %d %d' % (best, resource.getrusage(resource.RUSAGE_SELF).ru_maxrss, len(cols[0])))
)";

struct Figures {
    double seconds = 0;
    long peak = 0;
    int points = 0;
    bool ok = false;
};

Figures runChild(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    Figures f;
    if (!p.waitForFinished(600000) || p.exitCode() != 0)
        return f;
    const QList<QByteArray> w = p.readAllStandardOutput().trimmed().split(' ');
    if (w.size() != 3)
        return f;
    f.seconds = w[0].toDouble();
    f.peak = w[1].toLong();
    f.points = w[2].toInt();
    f.ok = true;
    return f;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser cl;
    cl.addHelpOption();
    QCommandLineOption recordsOpt(QStringLiteral("records"), QStringLiteral("record lines"),
                                  QStringLiteral("N"), QStringLiteral("100000"));
    QCommandLineOption measureOpt(QStringLiteral("measure"),
                                  QStringLiteral("(internal) read FILE in this process"),
                                  QStringLiteral("FILE"));
    QCommandLineOption perDayOpt(QStringLiteral("per-day"),
                                 QStringLiteral("(internal) one value per day"));
    QCommandLineOption generateOpt(QStringLiteral("generate"),
                                   QStringLiteral("only write the measurement file to FILE"),
                                   QStringLiteral("FILE"));
    cl.addOptions({recordsOpt, measureOpt, perDayOpt, generateOpt});
    cl.process(app);

    if (cl.isSet(generateOpt))
        return generate(cl.value(generateOpt), cl.value(recordsOpt).toInt()) ? 0 : 1;

    if (cl.isSet(measureOpt))
        return measure(cl.value(measureOpt), cl.isSet(perDayOpt));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Bench.CSV"));
    const int records = cl.value(recordsOpt).toInt();
    if (records < 1 || !generate(path, records)) {
        std::fprintf(stderr, "bench_series: cannot write %s\n", qPrintable(path));
        return 1;
    }
    const QString self = QCoreApplication::applicationFilePath();
    const Figures all = runChild(self, {QStringLiteral("--measure"), path});
    const Figures day =
        runChild(self, {QStringLiteral("--measure"), path, QStringLiteral("--per-day")});
    const Figures py = runChild(QStringLiteral("python3"),
                                {QStringLiteral("-c"), QString::fromUtf8(PythonReader), path});
    if (!all.ok || !day.ok) {
        std::fprintf(stderr, "bench_series: the series reader failed\n");
        return 1;
    }
    std::printf("measurement file: %d records, %.1f MB\n", records,
                double(QFile(path).size()) / 1e6);
    std::printf("%-34s %10s %12s %10s %10s\n", "reader", "time [s]", "peak [MiB]", "points",
                "vs python");
    auto row = [&](const char* name, const Figures& f) {
        std::printf("%-34s %10.3f %12.1f %10d %9.1fx\n", name, f.seconds, double(f.peak) / 1024.0,
                    f.points, py.ok && f.seconds > 0 ? py.seconds / f.seconds : 0.0);
    };
    row("LoadFile + FillSeries, all values", all);
    row("LoadFile + FillSeries, per day", day);
    if (py.ok)
        std::printf("%-34s %10.3f %12.1f %10d %10s\n", "python3 csv, nine float lists", py.seconds,
                    double(py.peak) / 1024.0, py.points, "1.0x");
    else
        std::printf("python3 csv: not available\n");
    const bool goal = all.seconds < 0.3 && py.ok && py.seconds >= 5 * all.seconds;
    std::printf("goal (all values < 0.3 s and >= 5x python): %s\n", goal ? "met" : "NOT met");
    return 0;
}
