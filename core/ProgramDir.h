// The program directory: where O2_Aerolis.ini, Installation.ini and KompLogo.BMP live and
// where measurement files go by default.
#pragma once

#include <QString>

namespace ProgramDir {

// `--dir DIR` from the command line; an empty text goes back to the rule below.
void setOverride(const QString& dir);
// The override, else the executable's directory when it is writable (portable install),
// else the per-user application data directory. The directory is created when missing, so
// the first start of a freshly installed program can write its settings file.
QString path();
// path() with a trailing native separator, as the plant table keeps directories.
QString pathWithSeparator();
QString iniPath();
QString installationIniPath();

// The rule of path() without the override, for an executable in `exeDir`.
QString pathForExecutableDir(const QString& exeDir);
// The per-user application data directory of this program. It does not depend on the
// running executable's application or organisation name, so the program and the
// command-line tool share one directory.
QString userDataPath();
// True when `exeDir` is the bin directory of an installed program (a prefix whose
// share/applications holds the program's desktop entry), which is never the program's own
// directory even for a user who may write to it (root and /usr/bin).
bool isInstalledBinDir(const QString& exeDir);

// Takes `--dir DIR` / `--dir=DIR` out of argv-style arguments and applies it.
// Returns false with a message when the option has no value.
bool takeDirOption(QStringList& args, QString* error);

} // namespace ProgramDir
