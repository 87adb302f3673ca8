// The graph window with a large measurement file: how long a click on a series box takes
// until the chart is drawn again (the refresh rule: all series off, the axes of the sheet,
// the ticked series back on, then one paint of the chart), on both sheets and after a zoom.
// Runs offscreen with the raster engine, the engine the printout uses too.
//
// Prints, per case, the best and the median of the runs in milliseconds (goal: under 200 ms
// for 100,000 records), with one pan step and one PDF export of a zoomed view, and the
// one-value-per-day box, which reads the series again from the file's lines.
//
//   bench_graph [--records N] [--runs N]
#include "core/Daten.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "evaluation/UGraphik.h"
#include "storage/UMessDaten.h"

#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// A file as the writer lays it down: the nine header lines and `records` record lines,
// one every 15 minutes, with plausible values.
bool generate(const QString& path, int records) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray out = "Firmen- Name\r\n* Text *\r\n* Text *\r\n\r\nAnlagen- Name: Bench\r\n"
                     "Datei  - Name: Bench.CSV\r\nBenchmark\r\n"
                     "Erste Datensicherung : 01.01.2024\r\n"
                     " ;Speicherzeit;T5;T4;T3;T2;T1;RefMarke; O2[vol%];Betriebsart;"
                     "Luefterlaufzeit;LuefterZyklen\r\n";
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
        r.RunTime = int(rng.bounded(15));
        r.Cycles = int(rng.bounded(4));
        out += MeasurementFile::RecordLine(i, t.toString(QStringLiteral("dd.MM.yyyy  hh:mm")), r)
                   .toLatin1() +
               "\r\n";
        t = t.addSecs(15 * 60);
    }
    return f.write(out) == out.size();
}

struct Timing {
    double best = 0;
    double median = 0;
};

// Clicks `box` `runs` times (ticking and unticking it in turn) and times each click with
// the paint of the chart that follows.
Timing clickAndPaint(TFGraphForm& form, QCheckBox* box, int runs) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        box->click();
        form.Chart1View()->viewport()->repaint();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return Timing{ms.front(), ms[ms.size() / 2]};
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser cl;
    cl.addHelpOption();
    QCommandLineOption recordsOpt(QStringLiteral("records"), QStringLiteral("record lines"),
                                  QStringLiteral("N"), QStringLiteral("100000"));
    QCommandLineOption runsOpt(QStringLiteral("runs"), QStringLiteral("clicks per case"),
                               QStringLiteral("N"), QStringLiteral("3"));
    cl.addOptions({recordsOpt, runsOpt});
    cl.process(app);
    const int records = cl.value(recordsOpt).toInt();
    const int runs = std::max(1, cl.value(runsOpt).toInt());

    QTemporaryDir dir;
    ProgramDir::setOverride(dir.path());
    {
        // All values: the one-value-per-day box is ticked by default.
        QFile ini(ProgramDir::iniPath());
        if (!ini.open(QIODevice::WriteOnly) || ini.write("[COM]\r\nWRT=0\r\n") < 0)
            return 1;
    }
    Settings::open(ProgramDir::iniPath());
    const QString path = dir.filePath(QStringLiteral("Bench.CSV"));
    if (records < 1 || !generate(path, records)) {
        std::fprintf(stderr, "bench_graph: cannot write %s\n", qPrintable(path));
        return 1;
    }

    TFGraphForm form;
    form.setFileChooser([path](QWidget*, const QString&) { return path; });
    form.showNormal();
    form.resize(1280, 800);
    QCoreApplication::processEvents();
    QElapsedTimer open;
    open.start();
    form.OpenButtonClick();
    form.Chart1View()->viewport()->repaint();
    const double openMs = double(open.nsecsElapsed()) / 1e6;
    if (form.data().PointCount != records) {
        std::fprintf(stderr, "bench_graph: the file gave %d points\n", form.data().PointCount);
        return 1;
    }

    std::printf("measurement file: %d records, %.1f MB; chart %dx%d px, %d runs per case\n",
                records, double(QFile(path).size()) / 1e6, form.Chart1View()->width(),
                form.Chart1View()->height(), runs);
    std::printf("%-46s %10s %10s\n", "case", "best [ms]", "median [ms]");
    std::printf("%-46s %10.1f\n", "open the file (load, fill, first paint)", openMs);
    auto row = [](const char* name, const Timing& t) {
        std::printf("%-46s %10.1f %10.1f\n", name, t.best, t.median);
        std::fflush(stdout);
    };
    row("box click, environment sheet (7 lines)",
        clickAndPaint(form, form.Check(TFGraphForm::T3), runs));
    form.ZoomTo(form.data().PointCount * 0.4, form.data().PointCount * 0.5, 0, 100, 0, 25);
    row("box click, environment sheet, zoomed",
        clickAndPaint(form, form.Check(TFGraphForm::T3), runs));
    {
        std::vector<double> ms;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer timer;
            timer.start();
            form.PanBy(i % 2 ? -50 : 50);
            form.Chart1View()->viewport()->repaint();
            ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        std::sort(ms.begin(), ms.end());
        row("pan by 50 points, environment sheet, zoomed", Timing{ms.front(), ms[ms.size() / 2]});
    }
    {
        QElapsedTimer timer;
        timer.start();
        const bool written = form.ExportPdf(dir.filePath(QStringLiteral("Bench.pdf")));
        std::printf("%-46s %10.1f%s\n", "PDF export, environment sheet, zoomed",
                    double(timer.nsecsElapsed()) / 1e6, written ? "" : " (failed)");
    }
    form.UndoZoom();
    form.PageControl1()->setCurrentIndex(1);
    row("box click, fan sheet (2 bar series)",
        clickAndPaint(form, form.Check(TFGraphForm::Zyklen), runs));
    form.ZoomTo(form.data().PointCount * 0.4, form.data().PointCount * 0.5, 0, 100, 0, 25);
    row("box click, fan sheet, zoomed", clickAndPaint(form, form.Check(TFGraphForm::Zyklen), runs));
    form.PageControl1()->setCurrentIndex(0);
    // This box reads the series again from the file's lines (all values, one per day).
    row("box click, 1Wert/Tag (series read again)",
        clickAndPaint(form, form.Check(TFGraphForm::Wert), runs));
    return 0;
}
