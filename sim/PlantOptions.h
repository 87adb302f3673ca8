// The program's plant descriptions: "1:on,storing,mode=3,records=120" and "1-4".
#pragma once

#include <QString>

namespace sim {

class Simulator;

// Addresses: "3", "1-4", "1,3,5-7". Returns false (and says why) on anything else.
bool parseAddressList(const QString& text, QList<int>* addresses, QString* error);

// Applies one --plant description. Words: on, off (present but switched off), storing,
// mode=0..4, records=0..1000, age=DAYS (pile age), interval=1..1440 (storage interval).
bool applyPlantOption(Simulator& sim, const QString& option, QString* error);

// --plants: present, switched on and storing.
bool applyRunningPlants(Simulator& sim, const QString& addresses, QString* error);

} // namespace sim
