#include "cli/CliHealth.h"

#include "cli/Cli.h"
#include "cli/CliFiles.h"
#include "core/Daten.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "storage/BackupState.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace Cli {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("Cli", text);
}

QJsonValue orNull(const QString& text) {
    return text.isEmpty() ? QJsonValue() : QJsonValue(text);
}

} // namespace

int Health(const QStringList& args, bool json, QTextStream& out, QTextStream& err) {
    if (!args.isEmpty()) {
        err << tr("health [--json]") << '\n' << UsageText();
        return Usage;
    }
    // A check pointed at the wrong directory must not report all is well.
    if (!QFileInfo(ProgramDir::iniPath()).isFile()) {
        err << tr("Einstellungsdatei nicht gefunden: %1").arg(ProgramDir::iniPath()) << '\n';
        return Usage;
    }
    OpenSettingsForFiles();
    const IniFile& ini = Settings::file();
    const int hours = BackupState::AlarmHours(ini);
    const QDateTime at = BackupState::now();
    bool late = false;
    bool urgent = false;
    QJsonArray piles;
    for (int p = 1; p <= KompUtils::MaxPlants; ++p) {
        // Read only: another process may be working with the settings file meanwhile.
        Daten::LoadPlantSettings(p, false);
        const tAnlageParameter& a = Daten::Anlage[size_t(p)];
        // The settings file's record of a running pile: its section names the pile's file.
        if (a.Datei.isEmpty())
            continue;
        const BackupState::Entry e = BackupState::Read(ini, p, at, hours);
        late = late || e.late;
        urgent = urgent || e.urgent;
        const QString time =
            e.time.isValid() ? e.time.toString(BackupState::TimeFormat) : QString();
        const QString lastRecord = BackupState::LastRecordText(a.Datei);
        if (json) {
            piles.append(
                QJsonObject{{"address", p},
                            {"number", KompUtils::DisplayNumber(p)},
                            {"name", a.Name},
                            {"file", a.Datei},
                            {"lastReadout", orNull(time)},
                            {"lastReadoutOk", e.known ? QJsonValue(e.ok) : QJsonValue()},
                            {"stored", e.stored >= 0 ? QJsonValue(e.stored) : QJsonValue()},
                            {"lastRecord", orNull(lastRecord)},
                            {"late", e.late},
                            {"urgent", e.urgent}});
            continue;
        }
        // The words a script looks for, the same in every language, as watch's journal lines.
        const QString none = QStringLiteral("-");
        const QString result = !e.known ? none
                               : e.ok   ? QStringLiteral("OK")
                                        : QStringLiteral("FEHLER");
        const QString state = e.urgent ? QStringLiteral("DRINGEND")
                              : e.late ? QStringLiteral("ÜBERFÄLLIG")
                                       : QStringLiteral("OK");
        out << KompUtils::DisplayNumber(p) << '\t' << a.Name << '\t' << a.Datei << '\t'
            << (time.isEmpty() ? none : time) << '\t' << result << '\t'
            << (e.stored >= 0 ? QString::number(e.stored) : none) << '\t'
            << (lastRecord.isEmpty() ? none : lastRecord) << '\t' << state << '\n';
    }
    if (json)
        out << QJsonDocument(QJsonObject{{"alarmHours", hours}, {"piles", piles}})
                   .toJson(QJsonDocument::Indented);
    Settings::close();
    if (urgent)
        return HealthUrgent;
    return late ? int(HealthLate) : int(Ok);
}

} // namespace Cli
