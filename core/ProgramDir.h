// The program directory: where O2_Aerolis.ini, Installation.ini and KompLogo.BMP live and
// where measurement files go by default.
#pragma once

#include <QString>

namespace ProgramDir {

// `--dir DIR` from the command line; an empty text goes back to the rule below.
void setOverride(const QString& dir);
// The override, else the executable's directory when it is writable (portable install),
// else the per-user application data directory (created when missing).
QString path();
// path() with a trailing native separator, as the plant table keeps directories.
QString pathWithSeparator();
QString iniPath();
QString installationIniPath();

// Takes `--dir DIR` / `--dir=DIR` out of argv-style arguments and applies it.
// Returns false with a message when the option has no value.
bool takeDirOption(QStringList& args, QString* error);

} // namespace ProgramDir
