#include "core/Daten.h"

#include "core/ProcessState.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QSet>
#include <QStringList>
#include <algorithm>

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

namespace {

struct PathNotices {
    QStringList pending;
    QSet<QString> told; // "section/key=old path", told once per run
};
PathNotices& notices() {
    static PathNotices n;
    return n;
}

// A path only a Windows installation writes: a drive letter or a backslash.
bool isWindowsPath(const QString& path) {
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    return false; // native here
#else
    return path.contains(QLatin1Char('\\')) ||
           (path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter());
#endif
}

QString lastName(const QString& path) {
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    QString name = path.mid(cut + 1);
    if (name.size() >= 2 && name.at(1) == QLatin1Char(':')) // "D:name"
        name = name.mid(2);
    return name;
}

// The stored path as this installation takes it; *migrated when it was a Windows path.
QString hostPath(const QString& stored, bool directory, bool* migrated) {
    *migrated = false;
    if (stored.isEmpty())
        return stored;
    const QString programDir = ProgramDir::pathWithSeparator();
    if (isWindowsPath(stored)) {
        *migrated = true;
        return directory ? programDir : programDir + lastName(stored);
    }
    if (QDir::isRelativePath(stored)) {
        QString p = QDir::toNativeSeparators(QDir::cleanPath(programDir + stored));
        if (directory && !p.endsWith(QDir::separator()))
            p += QDir::separator();
        return p;
    }
    return stored;
}

// Takes a stored path over for this installation, noting and writing back a Windows one
// when `writeBack`.
QString takeOver(const QString& section, const QString& key, const QString& stored, bool directory,
                 bool writeBack) {
    bool migrated = false;
    const QString p = hostPath(stored, directory, &migrated);
    if (!migrated || !writeBack)
        return p;
    Settings::file().writeString(section, key, p);
    PathNotices& n = notices();
    const QString id = section + QLatin1Char('/') + key + QLatin1Char('=') + stored;
    if (!n.told.contains(id)) {
        n.told.insert(id);
        n.pending << stored + QStringLiteral(" -> ") + p;
    }
    return p;
}

} // namespace

QString TakePathNotices() {
    PathNotices& n = notices();
    if (n.pending.isEmpty())
        return QString();
    const QString text =
        QCoreApplication::translate("Daten", "Pfade einer Windows-Installation übernommen: %1")
            .arg(n.pending.join(QStringLiteral("; ")));
    n.pending.clear();
    return text;
}

void LoadPlantSettings(int address, bool writeBack) {
    if (!isPlantAddress(address))
        return;
    IniFile& ini = Settings::file();
    // Sections are named by the address, never by the displayed number.
    const QString section = Keys::plantSection(address);
    tAnlageParameter& a = Anlage[address];
    a.Name =
        ini.readString(section, Keys::Name, QStringLiteral("Anl-Nr") + QString::number(address));
    a.Komm = ini.readString(section, Keys::Komm, QString());
    a.Datei = takeOver(section, Keys::Datei, ini.readString(section, Keys::Datei, QString()), false,
                       writeBack);
    a.Pfad = takeOver(section, Keys::Pfad, ini.readString(section, Keys::Pfad, QString()), true,
                      writeBack);
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
    notices() = PathNotices{};
}

} // namespace Daten

void ResetProcessState() {
    KompUtils::resetState();
    Daten::resetState();
    ProcessState::runResetHooks();
}
