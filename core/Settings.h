// The settings file O2_Aerolis.ini as the program uses it: one open settings-file object for
// the whole run, every section and key name, and the program settings read at start-up.
#pragma once

#include "core/IniFile.h"

#include <QDateTime>
#include <functional>
#include <memory>

namespace Keys {
// Section "COM"
inline const QString Com = QStringLiteral("COM");
inline const QString Layer = QStringLiteral("LAYER");
inline const QString ComPort = QStringLiteral("COM");
inline const QString NetAdr = QStringLiteral("NETADR");
inline const QString NetPort = QStringLiteral("NETPORT");
inline const QString Timeout = QStringLiteral("TIMEOUT");
inline const QString DispOffset = QStringLiteral("DISPOFFSET");
inline const QString ReadoutHour = QStringLiteral("ZEIT"); // only ever the readout hour
inline const QString Metric = QStringLiteral("Metric");
inline const QString RefTemp = QStringLiteral("REFTEMP");
inline const QString ShowRef = QStringLiteral("SHOWREF");
inline const QString QualityGraph = QStringLiteral("GGRAPH");
inline const QString QualityPerDay = QStringLiteral("GTAG");
inline const QString LogGraph = QStringLiteral("PGRAPH");
inline const QString LogPerDay = QStringLiteral("PTAG");
inline const QString QualityHygiene = QStringLiteral("PHYG");
// Curves of the graph window.
inline const QString GraphT1 = QStringLiteral("T1");
inline const QString GraphT2 = QStringLiteral("T2");
inline const QString GraphT3 = QStringLiteral("T3");
inline const QString GraphT4 = QStringLiteral("T4");
inline const QString GraphT5 = QStringLiteral("T5");
inline const QString GraphT55 = QStringLiteral("T55");
inline const QString GraphO2 = QStringLiteral("O2");
inline const QString GraphPerDay = QStringLiteral("WRT");
// The fan-run-time box of the graph window. Older installations stored it under "ZEIT",
// the key of the readout hour, so that using the graph window changed the readout hour;
// it has a key of its own.
inline const QString GraphFanRunTime = QStringLiteral("LZEIT");
inline const QString GraphCycles = QStringLiteral("ZYKL");
// Installation.ini, section "COM": the serial baud index.
inline const QString Baud = QStringLiteral("BAUD");
// Section "Form": main window position.
inline const QString Form = QStringLiteral("Form");
inline const QString Left = QStringLiteral("Left");
inline const QString Top = QStringLiteral("Top");
inline const QString Width = QStringLiteral("Width");
inline const QString Height = QStringLiteral("Height");
inline const QString State = QStringLiteral("State");
// Section "Firma": company lines of files and printouts.
inline const QString Firma = QStringLiteral("Firma");
inline const QString Titel = QStringLiteral("Titel");
inline const QString Zeile2 = QStringLiteral("Zeile2");
inline const QString Zeile3 = QStringLiteral("Zeile3");
// Per-plant sections "1" .. "32".
inline const QString Name = QStringLiteral("Name");
inline const QString Komm = QStringLiteral("Komm");
inline const QString Datei = QStringLiteral("Datei");
inline const QString Pfad = QStringLiteral("Pfad");
inline const QString Anzahl = QStringLiteral("Anzahl");
inline QString plantSection(int address) {
    return QString::number(address);
}
} // namespace Keys

namespace Settings {

// The program's settings-file object; open() replaces it, close() releases it.
IniFile& file();
bool isOpen();
void open(const QString& path);
void close();

// Shown a write to the settings file that failed, as "Einstellungen konnten nicht
// gespeichert werden: <reason>": once, until a write succeeds again, so that the keys of one
// change do not each bring a message. The program shows a box, the tool prints the text.
void setWriteFailureHandler(std::function<void(const QString& message)> handler);
// Writes that failed since the program started; a caller compares it before and after a
// step to tell a settings failure from others.
int WriteFailures();
// False when the settings file cannot be written now, reported as above each time (it is
// asked before an action that must not go ahead unsaved). Changes nothing in the file.
bool CheckWritable();

// Program settings held in memory.
inline int ReadoutHour = 0; // 0 = no daily readout, 1..24
inline bool BackupEnabled = false;
inline QDateTime BackupDue;

// The readout time on a calendar day in local time: the day's date at the clock hour, or the
// midnight that ends the day for hour 24.
QDateTime ReadoutTimeOn(const QDate& day, int readoutHour);
// When the next daily readout is due, from `now`.
QDateTime BackupDueFor(int readoutHour, const QDateTime& now);
// The readout after the one due at `due`: the next calendar day at the same clock hour.
QDateTime NextBackupDue(const QDateTime& due, int readoutHour);
void ComputeBackupDue(const QDateTime& now = QDateTime::currentDateTime());

// Reads DISPOFFSET, ZEIT (outside 0..24 reads as 0), Metric, REFTEMP, SHOWREF into the display and
// program settings and rebuilds the reference caption.
void LoadDisplaySettings();

void resetState();

} // namespace Settings
