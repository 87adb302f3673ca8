// The process-wide tables: the plant table, the live status of every plant and the setup
// value set of the controller read last. Every part of the program reads and writes them
// directly on the user-interface thread; ResetProcessState() puts all process-wide state
// back to program start (tests call it between cases).
#pragma once

#include "core/KompUtils.h"

#include <QString>
#include <array>
#include <cstdint>

// One set of measured values: a live status, a status reply or a stored record.
struct MeasurementRecord {
    bool Valid = false;
    int32_t T1 = 0;         // whole °C at 100 cm
    int32_t T2 = 0;         // 75 cm
    int32_t T3 = 0;         // 50 cm
    int32_t T4 = 0;         // 25 cm
    int32_t T5 = 0;         // 0 cm, the surface
    int32_t O2 = 0;         // tenths of vol%
    int32_t RefDepth = 100; // cm
    bool FanOn = false;
    uint8_t Mode = 0;
    uint16_t Aux16 = 255;
    int32_t RunTime = 0; // fan run time, minutes
    int32_t Cycles = 0;  // fan switching cycles
    uint16_t MissedPolls = 0;

    int temperature(int sensor) const; // sensor 1..5
    bool operator==(const MeasurementRecord& o) const;
};

// One entry of the plant table, indexed by plant address 1..32.
struct tAnlageParameter {
    bool Present = false;
    uint8_t SwitchedOn = 0;
    uint8_t Storing = 0;
    QString Name;
    QString Komm;
    QString Datei; // full path of the current measurement file; empty when none
    QString Pfad;  // directory for the plant's measurement files
    uint8_t Mode = 0;
    int32_t Anzahl = 0; // records written to Datei so far
};

// Setup value set of one controller ('R' reply), times in minutes, O2 in tenths of vol%.
struct tSetupValues {
    bool Valid = false;
    int32_t StorageInterval = 0;
    int32_t O2On = 0;
    int32_t O2Off = 0;
    int32_t SafetyOn = 0;
    int32_t SafetyOff = 0;
    int32_t IntervalOn = 0;
    int32_t IntervalOff = 0;
    int32_t MaxOn = 0;
    int32_t MaxOff = 0;
};

// Operating modes of a controller.
enum OperatingMode : uint8_t {
    ModeFanOff = 0,
    ModeFanOn = 1,
    ModeInterval = 2,
    ModeO2Control = 3,
    ModeSafety = 4 // "Steuerbetrieb", entered by the controller itself
};

namespace Daten {

using KompUtils::MaxPlants;

// Index 0 is unused so that plant address p is entry p.
inline std::array<tAnlageParameter, MaxPlants + 1> Anlage{};
inline std::array<MeasurementRecord, MaxPlants + 1> LiveStatus{};
inline tSetupValues SetupValues{};
// The plant the live display and its dialogs work on.
inline int SelectedPlant = 1;

inline bool isPlantAddress(int address) {
    return address >= 1 && address <= MaxPlants;
}

// Live values back to their reset values; Present and SwitchedOn cleared. Storing, Mode,
// the texts and Anzahl stay as they are.
void ResetPlantTables();

// Reads the plant's section of the settings file into Anlage[address]; a missing section
// or key gives the defaults ("Anl-Nr" + address, empty texts, count 0). An empty "Pfad"
// becomes the program directory in memory only. Addresses outside 1..32 are ignored.
// A "Datei" or "Pfad" written by a Windows installation (a drive letter or backslashes) is
// taken as its file name in the program directory (or as the program directory), where a
// migrating user copies the measurement files; the new path is written back and noted for
// TakePathNotices (unless `writeBack` is false: a reader beside a running program changes
// nothing). A relative path is taken relative to the program directory.
void LoadPlantSettings(int address, bool writeBack = true);
// The paths taken over so since the last call, one text for the status line ("" = none).
// Each is told once per run.
QString TakePathNotices();
// Writes "Name", "Pfad" and "Komm" (in this order) of Anlage[address] to its section.
// False when the address is not a plant address or a write did not reach the file.
bool SavePlantSettings(int address);

void resetState();

} // namespace Daten

// Everything process-wide back to program start: tables, protocol results, link state and
// display settings.
void ResetProcessState();
