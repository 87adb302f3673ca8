#include "core/Daten.h"

#include "core/ProcessState.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"

int MeasurementRecord::temperature(int sensor) const {
    switch (sensor) {
    case 1:
        return T1;
    case 2:
        return T2;
    case 3:
        return T3;
    case 4:
        return T4;
    case 5:
        return T5;
    default:
        return 0;
    }
}

bool MeasurementRecord::operator==(const MeasurementRecord& o) const {
    return Valid == o.Valid && T1 == o.T1 && T2 == o.T2 && T3 == o.T3 && T4 == o.T4 && T5 == o.T5 &&
           O2 == o.O2 && RefDepth == o.RefDepth && FanOn == o.FanOn && Mode == o.Mode &&
           Aux16 == o.Aux16 && RunTime == o.RunTime && Cycles == o.Cycles &&
           MissedPolls == o.MissedPolls;
}

namespace Daten {

void ResetPlantTables() {
    for (int p = 1; p <= KompUtils::PlantCount && p <= MaxPlants; ++p) {
        LiveStatus[p] = MeasurementRecord{};
        Anlage[p].Present = false;
        Anlage[p].SwitchedOn = 0;
    }
}

void LoadPlantSettings(int address) {
    if (!isPlantAddress(address))
        return;
    const IniFile& ini = Settings::file();
    // Sections are named by the address, never by the displayed number.
    const QString section = Keys::plantSection(address);
    tAnlageParameter& a = Anlage[address];
    a.Name =
        ini.readString(section, Keys::Name, QStringLiteral("Anl-Nr") + QString::number(address));
    a.Komm = ini.readString(section, Keys::Komm, QString());
    a.Datei = ini.readString(section, Keys::Datei, QString());
    a.Pfad = ini.readString(section, Keys::Pfad, QString());
    if (a.Pfad.isEmpty())
        a.Pfad = ProgramDir::pathWithSeparator();
    a.Anzahl = ini.readInteger(section, Keys::Anzahl, 0);
}

bool SavePlantSettings(int address) {
    if (!isPlantAddress(address))
        return false;
    IniFile& ini = Settings::file();
    const QString section = Keys::plantSection(address);
    const tAnlageParameter& a = Anlage[address];
    bool ok = ini.writeString(section, Keys::Name, a.Name);
    ok = ini.writeString(section, Keys::Pfad, a.Pfad) && ok;
    ok = ini.writeString(section, Keys::Komm, a.Komm) && ok;
    return ok;
}

void resetState() {
    Anlage.fill(tAnlageParameter{});
    LiveStatus.fill(MeasurementRecord{});
    SetupValues = tSetupValues{};
    SelectedPlant = 1;
}

} // namespace Daten

void ResetProcessState() {
    KompUtils::resetState();
    Daten::resetState();
    ProcessState::runResetHooks();
}
