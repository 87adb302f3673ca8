// What the live display shows, worked out without widgets: the texts of a plant's grid row,
// the values of the detail panel, the menu and label state that follows a plant's state,
// the heartbeat and the schedule of the daily automatic readout.
#pragma once

#include "core/Daten.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>

namespace Anzeige {

// The grid text of an operating mode; a null QString for a value that has none (the cell
// is then left as it is).
QString ModeText(int mode);

// Columns 1..6 of a plant's grid row (index 0 = column 1). An entry that is a null QString
// is not written: the mode column for an unknown mode, and the reference-depth column while
// ShowRefDepth is off. An invalid status gives "---" in all six.
std::array<QString, 6> PlantRowTexts(const MeasurementRecord& status);

// The detail panel for one live status, in the units on screen.
struct PanelValues {
    bool blank = true;                // status not valid: displays off, gauge 0, no fan
    std::array<int, 5> temperature{}; // T1 (100 cm) .. T5 (0 cm)
    int refDepth = 0;                 // gauge value
    double o2 = 0;                    // vol%
    int runTime = 0;                  // minutes
    int cycles = 0;
    bool fanOn = false;
    bool safetyMode = false; // "Steuerbetrieb" lamp
    int modeTab = -1;        // tab to select; -1 = keep the selection
};
PanelValues PanelFor(const MeasurementRecord& status);

// The three states of a plant as the live display sees it.
enum class PlantState { Absent, Off, Running };
PlantState StateOf(const tAnlageParameter& plant);

// Menu items, lamp, label and status bar for the selected plant.
struct PlantControls {
    bool newPile = false;
    bool continuePile = false;
    bool endPile = false;
    bool storingLamp = false;
    bool options = false; // "Einstell&werte" and "&Zeit/Datum setzen"
    QString pileName;     // MieteName
    QString fileText;     // status panel 1
    QString countText;    // status panel 3
};
PlantControls ControlsFor(const tAnlageParameter& plant);

// 1, 2, .., 10, 1, ..: the heartbeat after `counter`.
int NextHeartbeat(int counter);

// True when the daily readout is enabled and its due time has come at `now`.
bool BackupDueAt(const QDateTime& now);
// One day on from the old due time (not from now), so missed days are caught up one a tick.
void AdvanceBackupDue();

// "Sicherung am " and the date and time of `now` in the user's conventions.
QString BackupHeading(const QDateTime& now);

} // namespace Anzeige
