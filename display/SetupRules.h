// The window-free rules of the controller setup and readout-hour dialogs: the O2 threshold
// linking, the field value <-> tenths conversion, the change marks and the readout hour.
// Kept out of the windows so that the core tests and other front ends share them.
#pragma once

#include "core/Daten.h"
#include "link/Operations.h"

#include <functional>

namespace SetupRules {

// O2 thresholds in tenths of vol%, as the controller holds them.
inline constexpr int O2Min = 0;
inline constexpr int O2Max = 210;
// The off value stays at least this far above the on value.
inline constexpr int O2Gap = 2;

struct O2Pair {
    int on = 0;
    int off = 0;
    bool operator==(const O2Pair& o) const { return on == o.on && off == o.off; }
};

// A shown value in vol% as tenths, to the nearest whole tenth (0.3 -> 3, 20.8 -> 208).
int toTenths(double shownVolPercent);
double fromTenths(int tenths);

// The pair after the user (or the program) set the on value, resp. the off value, with the
// other field following and each follow-up running the other field's rule in turn. Both
// values stay within O2Min..O2Max; when a clamp keeps the gap from being reached, the
// field that was not clamped gives way, so the result always keeps the gap.
O2Pair afterOnChange(O2Pair p);
O2Pair afterOffChange(O2Pair p);
// How a loaded set is shown: the off value as loaded, the on value lowered below it where
// needed (and when that would fall below 0.0: on 0.0, off 0.2).
O2Pair shownFromLoaded(int loadedOn, int loadedOff);

using Kommunikation::SetupChanges;
bool anyChange(const SetupChanges& marks);

// Stop and start of the poll (and refresh) ticks of the window that opened a dialog.
// Empty functions mean the program's poll (TeachInPoll::current()).
struct TimerControl {
    std::function<void()> stop;
    std::function<void()> start;
    void stopTimer() const;
    void startTimer() const;
};

// The readout hour chosen in the readout-hour dialog (-1: no button down). A different hour
// within 0..24 becomes ReadoutHour, is written to "ZEIT" and the next readout is scheduled
// anew; anything else changes nothing. True when the hour changed.
bool ApplyReadoutHour(int hour);

} // namespace SetupRules
