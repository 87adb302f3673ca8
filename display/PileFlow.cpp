#include "display/PileFlow.h"

#include "core/Daten.h"
#include "core/Settings.h"
#include "evaluation/TMessDaten.h"
#include "link/Operations.h"
#include "storage/UMessDaten.h"

#include <QDir>
#include <QFileInfo>

using namespace Kommunikation;

namespace PileFlow {

namespace {
bool valid(int plant) {
    return Daten::isPlantAddress(plant);
}

// Re-sends the mode and starts the pile; the plant entry tells the outcome.
bool sendStart(int plant, const QDate& today, const QTime& now) {
    tAnlageParameter& a = Daten::Anlage[plant];
    SendDate(plant, today);
    SendTime(plant, now);
    if (!SetOperatingMode(plant, a.Mode)) {
        a.Present = true;
        a.SwitchedOn = 0;
        return false;
    }
    if (!StartPile(plant)) {
        a.SwitchedOn = 0;
        return false;
    }
    return true;
}
} // namespace

bool ModeChangeAllowed(int plant) {
    return valid(plant) && Daten::Anlage[plant].Present && Daten::Anlage[plant].SwitchedOn;
}

bool PileStartAllowed(int plant) {
    return valid(plant) && Daten::Anlage[plant].Present && !Daten::Anlage[plant].SwitchedOn;
}

bool ChangeMode(int plant, int tabIndex) {
    if (!ModeChangeAllowed(plant))
        return false;
    tAnlageParameter& a = Daten::Anlage[plant];
    const uint8_t oldMode = a.Mode;
    const uint8_t oldStoring = a.Storing;
    const bool ok =
        tabIndex >= ModeFanOff && tabIndex <= ModeO2Control && SetOperatingMode(plant, tabIndex);
    if (!ok) {
        a.Present = true;
        a.SwitchedOn = 1;
        a.Mode = oldMode;
        a.Storing = oldStoring;
        return false;
    }
    MeasurementRecord& live = Daten::LiveStatus[plant];
    live.Mode = a.Mode;
    if (a.Mode == ModeFanOff)
        live.FanOn = false;
    else if (a.Mode == ModeFanOn)
        live.FanOn = true;
    return true;
}

bool StartNewPile(int plant, const QDate& today, const QTime& now) {
    // A pile whose file name and count cannot be kept would fill the controller unseen.
    if (!PileStartAllowed(plant) || !Settings::CheckWritable())
        return false;
    if (!sendStart(plant, today, now))
        return false;
    MeasurementFile::NewMeasurementFile(plant, today);
    return true;
}

bool AdoptFile(int plant, const TMessDaten& file, const QString& path) {
    if (!valid(plant))
        return false;
    tAnlageParameter& a = Daten::Anlage[plant];
    const QFileInfo info(path);
    // The header writes one blank after "Anlagen- Name:", and the reader keeps it. Taken over
    // as it is, every continued pile would add a blank to the name and turn it into a '-' at
    // the front of the next file name.
    a.Name = file.PlantName.startsWith(QLatin1Char(' ')) ? file.PlantName.mid(1) : file.PlantName;
    a.Komm = file.Comment;
    a.Datei = QDir::toNativeSeparators(info.absoluteFilePath());
    a.Pfad = QDir::toNativeSeparators(info.absolutePath());
    if (!a.Pfad.endsWith(QDir::separator()))
        a.Pfad += QDir::separator();
    a.Anzahl = file.LineCount;
    IniFile& ini = Settings::file();
    const QString section = Keys::plantSection(plant);
    bool ok = ini.writeString(section, Keys::Name, a.Name);
    ok = ini.writeString(section, Keys::Komm, a.Komm) && ok;
    ok = ini.writeString(section, Keys::Datei, a.Datei) && ok;
    ok = ini.writeString(section, Keys::Pfad, a.Pfad) && ok;
    ok = ini.writeInteger(section, Keys::Anzahl, a.Anzahl) && ok;
    return Daten::SavePlantSettings(plant) && ok;
}

bool ContinuePile(int plant, const QDate& today, const QTime& now) {
    if (!PileStartAllowed(plant) || !Settings::CheckWritable())
        return false;
    return sendStart(plant, today, now);
}

bool EndPile(int plant) {
    if (!valid(plant))
        return false;
    tAnlageParameter& a = Daten::Anlage[plant];
    // A garbled 'S' reply clears the flags while it is decoded; a switch-off that failed
    // leaves the entry as it was, so the pile menu, the poll and the readout still see the
    // running pile.
    const tAnlageParameter before = a;
    if (!SwitchPlantOff(plant)) {
        a = before;
        return false;
    }
    Daten::LiveStatus[plant].Valid = false;
    a.SwitchedOn = 0;
    a.Datei.clear();
    a.Anzahl = 0;
    // The settings file says so too: a section that names a file is a running pile to the
    // health check, which reads no controller.
    Settings::file().writeString(Keys::plantSection(plant), Keys::Datei, QString());
    return true;
}

} // namespace PileFlow
