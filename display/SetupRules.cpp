#include "display/SetupRules.h"

#include "core/Settings.h"
#include "core/TeachIn.h"

#include <algorithm>
#include <cmath>

namespace SetupRules {

namespace {
int clampO2(int tenths) {
    return std::clamp(tenths, O2Min, O2Max);
}

// One field's rule: the other field follows when the gap is broken. The chain goes on only
// while a field really changes (setting the text a field already shows raises nothing) or
// while a clamp has left the gap broken; either way it ends within two steps.
O2Pair applyRules(O2Pair p, bool onChanged) {
    for (int step = 0; step < 4; ++step) {
        if (onChanged) {
            if (p.off > p.on + O2Gap)
                break;
            const int off = clampO2(p.on + O2Gap);
            const bool moved = off != p.off;
            p.off = off;
            if (!moved && p.off - p.on >= O2Gap)
                break;
        } else {
            if (p.off - O2Gap > p.on)
                break;
            const int on = clampO2(p.off - O2Gap);
            const bool moved = on != p.on;
            p.on = on;
            if (!moved && p.off - p.on >= O2Gap)
                break;
        }
        onChanged = !onChanged;
    }
    return p;
}
} // namespace

int toTenths(double shownVolPercent) {
    return int(std::lround(shownVolPercent * 10.0));
}

double fromTenths(int tenths) {
    return tenths / 10.0;
}

O2Pair afterOnChange(O2Pair p) {
    return applyRules({clampO2(p.on), clampO2(p.off)}, true);
}

O2Pair afterOffChange(O2Pair p) {
    return applyRules({clampO2(p.on), clampO2(p.off)}, false);
}

O2Pair shownFromLoaded(int loadedOn, int loadedOff) {
    // The fields are filled on value first, off value last: the off value's rule decides.
    return afterOffChange({loadedOn, loadedOff});
}

bool anyChange(const SetupChanges& m) {
    return m.StorageInterval || m.O2Thresholds || m.IntervalOn || m.IntervalOff || m.SafetyTimes ||
           m.MaxTimes;
}

void TimerControl::stopTimer() const {
    if (stop)
        stop();
    else if (TeachInPoll* p = TeachInPoll::current())
        p->StopTimer();
}

void TimerControl::startTimer() const {
    if (start)
        start();
    else if (TeachInPoll* p = TeachInPoll::current())
        p->StartTimer();
}

bool ApplyReadoutHour(int hour) {
    if (hour < 0 || hour > 24 || hour == Settings::ReadoutHour)
        return false;
    Settings::ReadoutHour = hour;
    Settings::file().writeInteger(Keys::Com, Keys::ReadoutHour, hour);
    Settings::ComputeBackupDue();
    return true;
}

} // namespace SetupRules
