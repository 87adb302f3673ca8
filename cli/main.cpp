// o2aerolis-cli [--dir DIR] [--json] COMMAND [ARGS]
#include "cli/Cli.h"
#include "core/Win1252.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>

#ifdef O2_CLI_REPORTS
#include "cli/CliReport.h"
#include "core/Language.h"

#include <QApplication>
#endif

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    std::unique_ptr<QCoreApplication> app;
#ifdef O2_CLI_REPORTS
    Cli::SetReportCommand(Cli::Report);
    if (Cli::NeedsGui(args)) {
        // A report shows no window: it draws offscreen, so that neither a missing nor an
        // unreachable display makes it abort. A platform the user names is kept.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    }
#endif
    if (!app)
        app = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("o2aerolis-cli"));
#ifdef O2_CLI_REPORTS
    // The catalogues live in the window library: the tool that links it answers in the
    // language chosen in the program's "Sprache" menu, the core-only tool in German.
    Cli::SetLanguageHook([] { Language::apply(Language::stored()); });
    Language::apply(Language::stored());
#endif
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!Win1252::available()) {
        err << "This Qt build has no Windows-1252 codec (ICU missing).\n";
        return Cli::Failed;
    }
    return Cli::Run(QCoreApplication::arguments().mid(1), out, err);
}
