// The tool's report command: the printouts of the protocol viewer and the graph window
// written as PDF without a window, through the same fill as the windows' own.
#pragma once

#include <QStringList>
#include <QTextStream>

namespace Cli {

// report log|quality|graph FILE --pdf OUT [options]; needs a QApplication.
int Report(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace Cli
