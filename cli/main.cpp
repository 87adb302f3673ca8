// o2aerolis-cli [--dir DIR] [--json] COMMAND [ARGS]
#include "cli/Cli.h"
#include "core/Win1252.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("o2aerolis-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!Win1252::available()) {
        err << "This Qt build has no Windows-1252 codec (ICU missing).\n";
        return Cli::Failed;
    }
    return Cli::Run(app.arguments().mid(1), out, err);
}
