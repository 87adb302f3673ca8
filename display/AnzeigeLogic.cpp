#include "display/AnzeigeLogic.h"

#include "core/KompUtils.h"
#include "core/Regional.h"
#include "core/Settings.h"

#include <QCoreApplication>

namespace Anzeige {

namespace {
QString tr(const char* text) {
    return QCoreApplication::translate("TFAnzeige", text);
}
const QString NoValue = QStringLiteral("---");
} // namespace

QString ModeText(int mode) {
    switch (mode) {
    case ModeFanOff:
        return tr("Manuell- AUS");
    case ModeFanOn:
        return tr("Manuell- EIN");
    case ModeInterval:
        return tr("Intervall");
    case ModeO2Control:
        return tr("O2-Regelung");
    case ModeSafety:
        return tr("Steuerbetrieb");
    default:
        return QString();
    }
}

std::array<QString, 6> PlantRowTexts(const MeasurementRecord& s) {
    std::array<QString, 6> cells;
    if (!s.Valid) {
        cells.fill(NoValue);
        return cells;
    }
    cells[0] = s.FanOn ? tr("EIN") : tr("AUS");
    cells[1] = Regional::formatReal(s.O2 / 10.0, 1);
    cells[2] = ModeText(s.Mode);
    cells[3] = QString::number(s.RunTime);
    cells[4] = QString::number(s.Cycles);
    if (KompUtils::ShowRefDepth)
        cells[5] =
            QString::number(KompUtils::ImperialUnits ? KompUtils::CmToIn(s.RefDepth) : s.RefDepth);
    return cells;
}

PanelValues PanelFor(const MeasurementRecord& s) {
    PanelValues v;
    if (!s.Valid)
        return v;
    v.blank = false;
    for (int k = 1; k <= 5; ++k) {
        const int t = s.temperature(k);
        v.temperature[size_t(k - 1)] = KompUtils::ImperialUnits ? KompUtils::CToF(t) : t;
    }
    v.refDepth = KompUtils::ImperialUnits ? KompUtils::CmToIn(s.RefDepth) : s.RefDepth;
    v.o2 = s.O2 / 10.0;
    v.runTime = s.RunTime;
    v.cycles = s.Cycles;
    v.fanOn = s.FanOn;
    v.safetyMode = s.Mode >= ModeSafety;
    v.modeTab = s.Mode < ModeSafety ? int(s.Mode) : -1;
    return v;
}

PlantState StateOf(const tAnlageParameter& p) {
    if (!p.Present)
        return PlantState::Absent;
    return p.SwitchedOn ? PlantState::Running : PlantState::Off;
}

PlantControls ControlsFor(const tAnlageParameter& p) {
    PlantControls c;
    switch (StateOf(p)) {
    case PlantState::Absent:
        c.pileName = tr("KEINE ANLAGE ANGESCHLOSSEN!!");
        return c;
    case PlantState::Off:
        c.newPile = true;
        c.continuePile = true;
        c.pileName = tr("Angeschlossene ANLAGE ist abgeschaltet!!");
        break;
    case PlantState::Running:
        c.endPile = true;
        c.pileName = p.Name;
        break;
    }
    c.storingLamp = p.Storing != 0;
    c.options = true;
    c.fileText = p.Datei;
    c.countText = QString::number(p.Anzahl);
    return c;
}

int NextHeartbeat(int counter) {
    return counter >= 10 || counter < 0 ? 1 : counter + 1;
}

bool BackupDueAt(const QDateTime& now) {
    return Settings::BackupEnabled && Settings::BackupDue.isValid() && now >= Settings::BackupDue;
}

void AdvanceBackupDue() {
    Settings::BackupDue = Settings::NextBackupDue(Settings::BackupDue, Settings::ReadoutHour);
}

QString BackupHeading(const QDateTime& now) {
    return tr("Sicherung am ") + Regional::formatDate(now.date()) + QLatin1Char(' ') +
           Regional::formatTime(now.time());
}

} // namespace Anzeige
