// The tool's commands that read measurement files and no controller: what they share with
// each other (the settings as the windows read them, the file load with the windows'
// messages) and the series command.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

class TMessDaten;

namespace Cli {

// The settings file of the program directory opened, and its display settings taken, as
// the evaluation windows find them. Nothing is written.
void OpenSettingsForFiles();

// Loads `path` into `data`. On failure the message the windows show goes to `err` and the
// result is Failed, otherwise Ok.
int LoadMeasurementFile(TMessDaten& data, const QString& path, QTextStream& err);

// A message of the program with its "\r" line breaks as the terminal's.
QString PlainText(QString text);

// series FILE [--per-day]: the header fields and the nine series as a fill leaves them.
int Series(const QStringList& args, bool json, QTextStream& out, QTextStream& err);

// hygiene FILE: the hygienisation overview as the protocol viewer shows it.
int HygieneOverview(const QStringList& args, bool json, QTextStream& out, QTextStream& err);

// Runs `name` when it is a file command (series, hygiene, report) and sets `rc`; false for any
// other command. These open no link and run no teach-in.
bool RunFileCommand(const QString& name, const QStringList& args, bool json, QTextStream& out,
                    QTextStream& err, int* rc);
// The lines of the usage text for the file commands.
QString FileCommandsUsage();

} // namespace Cli
