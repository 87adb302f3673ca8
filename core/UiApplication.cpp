#include "core/UiApplication.h"

#include "core/DirLock.h"
#include "core/Language.h"
#include "core/Messages.h"

#include <QIcon>
#include <cstdio>
#include <cstring>
#include <exception>

static void initArtwork() {
    Q_INIT_RESOURCE(o2aerolis);
}

namespace {
int openErrorBoxes = 0;
} // namespace

UiApplication::UiApplication(int& argc, char** argv) : QApplication(argc, argv) {
    initResources();
    setOrganizationName(QStringLiteral("O2-Humivo"));
    setApplicationDisplayName(tr("Network Composting control"));
    setWindowIcon(QIcon(QStringLiteral(":/o2aerolis/icon.png")));
}

bool UiApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        reportUncaught(QString::fromUtf8(e.what()));
    } catch (...) {
        reportUncaught(tr("Unbekannter Fehler."));
    }
    return false;
}

void UiApplication::reportUncaught(const QString& text) {
    if (openErrorBoxes > 0) {
        qWarning("%s", qPrintable(text));
        return;
    }
    ++openErrorBoxes;
    try {
        Messages::error(text);
    } catch (...) {
    }
    --openErrorBoxes;
}

bool UiApplication::displayAvailable(int argc, char** argv, QString* why) {
#ifdef Q_OS_LINUX
    if (!qEnvironmentVariableIsEmpty("DISPLAY") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
        !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    }
    if (why)
        *why = QStringLiteral("No display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                              "Start the program from a desktop session, or run it under Xvfb:\n"
                              "  xvfb-run -a o2aerolis");
    return false;
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    Q_UNUSED(why);
    return true;
#endif
}

bool UiApplication::takeProgramDir(DirLock& lock) {
    if (lock.acquire())
        return true;
    Language::apply(Language::stored());
    std::fprintf(stderr, "%s\n", qPrintable(lock.refusal()));
    Messages::error(lock.refusal());
    return false;
}

void UiApplication::initResources() {
    static bool done = false;
    if (done)
        return;
    done = true;
    initArtwork();
}
