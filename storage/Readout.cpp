#include "Readout.h"

#include "UMessDaten.h"
#include "core/Daten.h"
#include "link/Link.h"
#include "link/Operations.h"
#include "link/Protocol.h"

#include <QCoreApplication>

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

enum class Outcome { Complete, CountFailed, RecordMissing, WriteFailed, Stopped };

// Count, then one record step per stored record. The file is open around it.
Outcome readRecords(int plant, const View& view) {
    using namespace Kommunikation;
    if (!ReadStoredCount(plant))
        return Outcome::CountFailed;
    const int count = StoredCount;
    call(view.setPanel3, QString::number(Daten::Anlage[size_t(plant)].Anzahl + count));
    if (view.showProgress)
        view.showProgress(count);
    Outcome outcome = Outcome::Complete;
    bool writeFailed = false;
    for (int i = 0; i < count; ++i) {
        // A step that got no reply ends the loop even when the link refused the request
        // without a time-out (another exchange waiting): asking again would only repeat it.
        if (!RecordStep(plant, view, &writeFailed)) {
            outcome = Outcome::RecordMissing;
            break;
        }
        if (writeFailed) {
            outcome = Outcome::WriteFailed;
            break;
        }
        if (view.stopRequested && view.stopRequested() && i + 1 < count) {
            outcome = Outcome::Stopped;
            break;
        }
    }
    call(view.hideProgress);
    return outcome;
}

} // namespace

bool RecordStep(int plant, const View& view, bool* writeFailed) {
    using namespace Kommunikation;
    if (!ReadStoredRecord(plant))
        return false;
    call(view.stepProgress);
    const QString time = MeasurementFile::RecordTimeText(StoredDay, StoredMonth, StoredYear,
                                                         StoredHour, StoredMinute);
    if (!MeasurementFile::AppendMeasurementRecord(plant, time, StoredRecord) && writeFailed)
        *writeFailed = true;
    return true;
}

bool SaveStoredRecords(int plant, const View& view) {
    if (!MeasurementFile::OpenMeasurementFile(plant)) {
        call(view.message, Texts::tr("Speicherdatei kann nicht geöffnet werden !"));
        return false;
    }
    const Outcome outcome = readRecords(plant, view);
    if (outcome == Outcome::CountFailed)
        call(
            view.message,
            Texts::tr(
                "Anzahl der Speicherdaten kann nicht ausgelesen werden !\rKommunikationsfehler !"));
    else if (outcome == Outcome::RecordMissing)
        call(view.message,
             Texts::tr("TIMEOUT, bei der seriellen Kommunikation!\rBitte Kabel und PC- "
                       "Einstellung überprüfen!\rBitte Kabel und PC- Einstellung "
                       "überprüfen!"));
    // Every line is in the file; a failing close can only lose the count or the last
    // line's commit to the device.
    const bool closed = MeasurementFile::CloseMeasurementFile(plant);
    call(view.setPanel3, QString());
    if (outcome == Outcome::WriteFailed || !closed)
        call(view.message,
             Texts::tr(
                 "Daten wurden nicht korrekt gespeichert!!\rBitte Speichermedium überprüfen !!"));
    return outcome == Outcome::Complete && closed;
}

bool BackupStoredRecords(int plant, const View& view) {
    if (!Daten::isPlantAddress(plant))
        return true;
    const tAnlageParameter& anlage = Daten::Anlage[size_t(plant)];
    if (!anlage.Present || !anlage.SwitchedOn)
        return true;
    if (!MeasurementFile::OpenMeasurementFile(plant))
        return false;
    const Outcome outcome = readRecords(plant, view);
    const bool closed = MeasurementFile::CloseMeasurementFile(plant);
    call(view.setPanel3, QString());
    return outcome == Outcome::Complete && closed;
}

} // namespace Readout
