// CPU of the whole program with the live display open: the main program (link, teach-in,
// 500 ms poll) against a running simulator, the live display opened from "PC &Anzeige"
// once the teach-in is over, then the process's own CPU time over the measured seconds.
//   bench_display --dir DIR [--seconds N]      (DIR holds the O2_Aerolis.ini to use)
// tools/cpu_display.sh starts the simulator and this program under Xvfb.
#include "core/Daten.h"
#include "core/MainProgram.h"
#include "core/ProgramDir.h"
#include "core/UiApplication.h"
#include "display/UAnzeige.h"

#include <QAction>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {
double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}
} // namespace

int main(int argc, char** argv) {
    UiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    QString error;
    if (!ProgramDir::takeDirOption(args, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    int seconds = 60;
    const int at = int(args.indexOf(QStringLiteral("--seconds")));
    if (at > 0 && at + 1 < args.size())
        seconds = qMax(1, args.at(at + 1).toInt());

    MainProgram program;
    QObject::connect(&program.poll(), &TeachInPoll::teachInFinished, &app, [&] {
        QTimer::singleShot(0, &app, [&] {
            // The display runs modally; the measurement runs inside its event loop.
            QTimer::singleShot(3000, &app, [&] {
                const double before = cpuSeconds();
                QElapsedTimer wall;
                wall.start();
                auto* stop = new QTimer(&app);
                stop->setSingleShot(true);
                QObject::connect(stop, &QTimer::timeout, &app, [&, before, wall] {
                    const double cpu = cpuSeconds() - before;
                    const double s = wall.elapsed() / 1000.0;
                    std::printf(
                        "live display open, %d plants present: CPU %.2f s over %.1f s = "
                        "%.2f %% of one core\n",
                        int(std::count_if(Daten::Anlage.begin() + 1, Daten::Anlage.end(),
                                          [](const tAnlageParameter& a) { return a.Present; })),
                        cpu, s, 100 * cpu / s);
                    std::fflush(stdout);
                    if (TFAnzeige* w = TFAnzeige::instance())
                        w->close();
                    program.window().close();
                });
                stop->start(seconds * 1000);
            });
            program.window().menuItem(QStringLiteral("PCAnzeigeItem"))->trigger();
        });
    });
    QObject::connect(&program.window(), &TFMain::closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    return app.exec();
}
