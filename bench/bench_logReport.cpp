// Building and exporting the measurement log of a 1000-row readout as PDF (goal: under 1 s).
// Prints the time of each run and the best and median of them.
//
//   bench_logReport [--rows N] [--runs N] [--pdf PATH]   (--pdf keeps the last export)
#include "core/Daten.h"
#include "storage/UQRKompForm.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({"rows", "rows in the report", "N", "1000"});
    parser.addOption({"runs", "repetitions", "N", "5"});
    parser.addOption({"pdf", "keep the PDF here", "PATH"});
    parser.process(app);
    const int rows = std::max(0, parser.value("rows").toInt());
    const int runs = std::max(1, parser.value("runs").toInt());

    QTemporaryDir dir;
    const QString pdf = parser.isSet("pdf") ? parser.value("pdf") : dir.filePath("log.pdf");
    const QDateTime start(QDate(2026, 12, 1), QTime(0, 0));
    std::vector<double> ms;
    int pages = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer t;
        t.start();
        TFQRKompForm rep;
        rep.setHeaderLines("Firmen- Name", "* Text *", "* Text *");
        rep.setPlant("Miete 1", "M1.csv");
        rep.setUnits(false, true, "s 55°C[cm]");
        rep.removeSummary();
        rep.setRowSource([&](int row, TFQRKompForm::LogRow& out) {
            if (row > rows)
                return false;
            MeasurementRecord r;
            r.T1 = 50 + row % 20;
            r.T2 = 48;
            r.T3 = 45;
            r.T4 = 40;
            r.T5 = 20;
            r.O2 = 150 + row % 50;
            r.RunTime = row * 3;
            r.Cycles = row;
            r.RefDepth = 60;
            out = TFQRKompForm::recordRow(r, start.addSecs(qint64(row) * 900), false, true);
            return true;
        });
        if (!rep.exportPdf(pdf)) {
            std::fprintf(stderr, "export failed\n");
            return 1;
        }
        pages = rep.report().pagesPrinted();
        ms.push_back(t.nsecsElapsed() / 1e6);
        std::printf("run %d: %.1f ms\n", run + 1, ms.back());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("rows %d, pages %d, PDF %lld bytes\n", rows, pages,
                static_cast<long long>(QFileInfo(pdf).size()));
    std::printf("best %.1f ms, median %.1f ms (goal < 1000 ms)\n", ms.front(), ms[ms.size() / 2]);
    return 0;
}
