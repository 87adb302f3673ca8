#include "Readout.h"

#include "BackupState.h"
#include "UMessDaten.h"
#include "core/Daten.h"
#include "core/Regional.h"
#include "core/Settings.h"
#include "link/Link.h"
#include "link/Operations.h"
#include "link/Protocol.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace Readout {

namespace {

// The readout's messages, translated under the context "Readout".
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(Readout)
};

void call(const std::function<void()>& f) {
    if (f)
        f();
}

void call(const std::function<void(const QString&)>& f, const QString& text) {
    if (f)
        f(text);
}

enum class Outcome { Complete, CountFailed, NoRoom, RecordMissing, WriteFailed, Stopped };

struct Result {
    Outcome outcome = Outcome::Complete;
    QString text;       // NoRoom: the message
    QString rescueFile; // WriteFailed: where the record went, empty when nowhere
    int stored = -1;    // the count the controller reported, -1 when it could not be read
};

// Count, then one record step per stored record. The file is open around it.
Result readRecords(int plant, const View& view) {
    using namespace Kommunikation;
    Result result;
    if (!ReadStoredCount(plant)) {
        result.outcome = Outcome::CountFailed;
        return result;
    }
    const int count = StoredCount;
    result.stored = count;
    // A record asked for has left the controller: none is asked for that the file could
    // not take.
    if (!RoomForRecords(count, &result.text)) {
        result.outcome = Outcome::NoRoom;
        return result;
    }
    call(view.setPanel3, QString::number(Daten::Anlage[size_t(plant)].Anzahl + count));
    if (view.showProgress)
        view.showProgress(count);
    bool writeFailed = false;
    for (int i = 0; i < count; ++i) {
        // A step that got no reply ends the loop even when the link refused the request
        // without a time-out (another exchange waiting): asking again would only repeat it.
        if (!RecordStep(plant, view, &writeFailed, &result.rescueFile)) {
            result.outcome = Outcome::RecordMissing;
            break;
        }
        if (writeFailed) {
            result.outcome = Outcome::WriteFailed;
            break;
        }
        if (view.stopRequested && view.stopRequested() && i + 1 < count) {
            result.outcome = Outcome::Stopped;
            break;
        }
    }
    call(view.hideProgress);
    return result;
}

QString notSavedText(const Result& r) {
    QString text =
        Texts::tr("Daten wurden nicht korrekt gespeichert!!\rBitte Speichermedium überprüfen !!");
    if (r.outcome == Outcome::WriteFailed)
        text += QLatin1Char('\r') + RescuedText(r.rescueFile);
    return text;
}

} // namespace

bool RecordStep(int plant, const View& view, bool* writeFailed, QString* rescueFile) {
    using namespace Kommunikation;
    if (!ReadStoredRecord(plant))
        return false;
    call(view.stepProgress);
    const QString time = MeasurementFile::RecordTimeText(StoredDay, StoredMonth, StoredYear,
                                                         StoredHour, StoredMinute);
    if (!MeasurementFile::AppendMeasurementRecord(plant, time, StoredRecord)) {
        // The record exists nowhere else any more: the controller has handed it out.
        const QString rescued = MeasurementFile::RescueRecord(plant, time, StoredRecord);
        if (rescueFile)
            *rescueFile = rescued;
        if (writeFailed)
            *writeFailed = true;
    }
    return true;
}

QString SettingsNotSavedText() {
    return Texts::tr("Messwerte wurden in der Speicherdatei gespeichert,\raber die Einstellungen "
                     "konnten nicht gespeichert werden !!\rBitte Schreibrechte der "
                     "Einstellungsdatei überprüfen !!");
}

bool CloseAfterReadout(int plant, bool* settingsFailed) {
    const int failures = Settings::WriteFailures();
    const bool closed = MeasurementFile::CloseMeasurementFile(plant);
    if (settingsFailed)
        *settingsFailed = Settings::WriteFailures() != failures;
    return closed;
}

bool RoomForRecords(int count, QString* text) {
    qint64 freeBytes = -1;
    if (MeasurementFile::HasRoomFor(count, &freeBytes))
        return true;
    if (text) {
        const QString file = Daten::isPlantAddress(MeasurementFile::OpenPlant())
                                 ? Daten::Anlage[MeasurementFile::OpenPlant()].Datei
                                 : QString();
        const QString where = QDir::toNativeSeparators(QFileInfo(file).absolutePath());
        const QString size = Regional::effectiveLocale().formattedDataSize(
            freeBytes, 1, QLocale::DataSizeTraditionalFormat);
        *text = Texts::tr("Nicht genug Platz für %1 Messwerte auf %2 (%3 frei)!\rBitte "
                          "Speichermedium überprüfen !!")
                    .arg(count)
                    .arg(where, size);
    }
    return false;
}

QString RescuedText(const QString& rescueFile) {
    return rescueFile.isEmpty()
               ? Texts::tr("Der zuletzt gelesene Messwert konnte nirgends gespeichert werden.")
               : Texts::tr("Der zuletzt gelesene Messwert steht in %1")
                     .arg(QDir::toNativeSeparators(rescueFile));
}

bool SaveStoredRecords(int plant, const View& view) {
    if (!MeasurementFile::OpenMeasurementFile(plant)) {
        BackupState::Record(plant, false, -1);
        call(view.message, Texts::tr("Speicherdatei kann nicht geöffnet werden !"));
        return false;
    }
    const Result result = readRecords(plant, view);
    const Outcome outcome = result.outcome;
    if (outcome == Outcome::NoRoom)
        call(view.message, result.text);
    else if (outcome == Outcome::CountFailed)
        call(
            view.message,
            Texts::tr(
                "Anzahl der Speicherdaten kann nicht ausgelesen werden !\rKommunikationsfehler !"));
    else if (outcome == Outcome::RecordMissing)
        call(view.message,
             Texts::tr("TIMEOUT, bei der seriellen Kommunikation!\rBitte Kabel und PC- "
                       "Einstellung überprüfen!\rBitte Kabel und PC- Einstellung "
                       "überprüfen!"));
    // Every line already reached the disk; a failing close can only lose the count.
    bool settingsFailed = false;
    const bool closed = CloseAfterReadout(plant, &settingsFailed);
    call(view.setPanel3, QString());
    const bool ok = outcome == Outcome::Complete && closed;
    BackupState::Record(plant, ok, result.stored);
    if (outcome != Outcome::WriteFailed && settingsFailed)
        call(view.message, SettingsNotSavedText());
    else if (outcome == Outcome::WriteFailed || !closed)
        call(view.message, notSavedText(result));
    return ok;
}

bool BackupStoredRecords(int plant, const View& view) {
    if (!Daten::isPlantAddress(plant))
        return true;
    const tAnlageParameter& anlage = Daten::Anlage[size_t(plant)];
    if (!anlage.Present || !anlage.SwitchedOn)
        return true;
    if (!MeasurementFile::OpenMeasurementFile(plant)) {
        BackupState::Record(plant, false, -1);
        return false;
    }
    const Result result = readRecords(plant, view);
    const bool closed = MeasurementFile::CloseMeasurementFile(plant);
    call(view.setPanel3, QString());
    if (result.outcome == Outcome::NoRoom)
        call(view.notice, result.text);
    else if (result.outcome == Outcome::WriteFailed)
        call(view.notice, notSavedText(result));
    const bool ok = result.outcome == Outcome::Complete && closed;
    BackupState::Record(plant, ok, result.stored);
    return ok;
}

} // namespace Readout
