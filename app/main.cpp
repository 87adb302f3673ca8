// The program entry: the application, the main window, the event loop.
#include "core/DirLock.h"
#include "core/MainProgram.h"
#include "core/ProgramDir.h"
#include "core/UiApplication.h"
#include "core/Win1252.h"

#include <cstdio>
#include <exception>
#include <memory>

int main(int argc, char** argv) {
    QString why;
    if (!UiApplication::displayAvailable(argc, argv, &why)) {
        std::fprintf(stderr, "%s\n", qPrintable(why));
        return 1;
    }
    UiApplication app(argc, argv);

    QStringList args = QCoreApplication::arguments();
    QString error;
    if (!ProgramDir::takeDirOption(args, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    try {
        Win1252::requireAvailable();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }

    // One process at a time on the link and the files of the program directory; the lock is
    // held until the end of main.
    DirLock lock(ProgramDir::path());
    if (!UiApplication::takeProgramDir(lock))
        return DirLock::BusyExit;

    // The main window with the controller link and the poll it owns; its start-up opens the
    // link (and on the serial line runs the teach-in).
    std::unique_ptr<MainProgram> program;
    try {
        program = std::make_unique<MainProgram>();
    } catch (const std::exception& e) {
        // Outside the event loop nothing else catches it, and without its main window the
        // program cannot go on.
        UiApplication::reportUncaught(QString::fromUtf8(e.what()));
        return 1;
    }

    // --- Busy window seam: the one TFAktiv of the run is created here, hidden.

    QObject::connect(&program->window(), &TFMain::closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    return app.exec();
}
