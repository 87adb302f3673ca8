// The command-line service tool: the program's link, teach-in, poll, operations, settings
// file and measurement files driven from the command line, so that a plant handled by the
// tool looks to the program exactly as if the program had handled it.
#pragma once

#include "core/DirLock.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <functional>

namespace Cli {

// Busy: another process works the link and files of the program directory.
enum ExitCode { Ok = 0, Failed = 1, Usage = 2, NoLink = 3, Busy = DirLock::BusyExit };

// Runs one command line (without the program name). Text goes to `out`, messages to `err`.
int Run(const QStringList& args, QTextStream& out, QTextStream& err);

QString UsageText();
// The usage line(s) of one command, for its usage errors; the whole text for an unknown one.
QString CommandUsage(const QString& name);
// COMMAND --help: the command's usage and what it does.
QString CommandHelp(const QString& name);

// The commands that work on files only, without the link or a teach-in. The report
// command draws and so lives with the windows' library: the tool's main registers it when
// it is built with that library.
using FileCommand = std::function<int(const QStringList& args, QTextStream& out, QTextStream& err)>;
void SetReportCommand(FileCommand command);
// Called after the tool resets the process-wide state before a command, which also drops
// the translators: the tool's main sets the language chosen in the program here.
void SetLanguageHook(std::function<void()> apply);
// ResetProcessState(), then the language hook.
void ResetForCommand();
// True when `args` (without the program name) run a command that needs the GUI application.
bool NeedsGui(const QStringList& args);

} // namespace Cli
