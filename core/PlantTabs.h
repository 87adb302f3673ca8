// Plant tab strips: one tab per plant slot, captioned with the displayed plant number.
// Filling or selecting a tab from code fires no change signal, so a window's change
// handler runs only when the user picks a tab.
#pragma once

class QTabBar;

// Removes all tabs, then adds `count` tabs captioned DisplayOffset + 1 .. DisplayOffset +
// count; the first tab is selected.
void FillPlantTabs(QTabBar* tabs, int count);
// Selects tab `index` (0-based) without a change signal; an index out of range changes
// nothing.
void SelectPlantTab(QTabBar* tabs, int index);
