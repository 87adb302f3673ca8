#include "core/Settings.h"

#include "core/KompUtils.h"
#include "core/ProcessState.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>

namespace Settings {

namespace {
std::unique_ptr<IniFile>& current() {
    static std::unique_ptr<IniFile> f;
    return f;
}
// Failed writes to the settings file and how they reach the user.
struct WriteReports {
    std::function<void(const QString&)> handler;
    bool shown = false; // since the last write that succeeded
    int failures = 0;
};
WriteReports& reports() {
    static WriteReports r;
    return r;
}
void report(const QString& reason) {
    if (reports().handler)
        reports().handler(QCoreApplication::translate(
                              "Settings", "Einstellungen konnten nicht gespeichert werden: %1")
                              .arg(reason));
}
// The reason with the file it is about, as QSaveFile does not always name it.
QString withFileName(const QString& reason) {
    const QString name = QDir::toNativeSeparators(file().fileName());
    if (reason.contains(file().fileName()) || reason.contains(name))
        return reason;
    return name + QStringLiteral(": ") + reason;
}
void noteWrite(bool ok, const QString& reason) {
    WriteReports& r = reports();
    if (ok) {
        r.shown = false;
        return;
    }
    ++r.failures;
    if (r.shown)
        return;
    r.shown = true;
    report(withFileName(reason));
}
ProcessState::Registrar reg(&resetState);
} // namespace

void setWriteFailureHandler(std::function<void(const QString&)> handler) {
    reports().handler = std::move(handler);
    reports().shown = false;
}

int WriteFailures() {
    return reports().failures;
}

bool CheckWritable() {
    // The write the next change would make, without its commit.
    QSaveFile probe(file().fileName());
    const bool ok = isOpen() && probe.open(QIODevice::WriteOnly);
    const QString reason = probe.errorString();
    probe.cancelWriting();
    // Asked before an action, so said every time it fails; the writes of the same action
    // then say nothing more.
    reports().shown = !ok;
    if (!ok)
        report(withFileName(reason));
    return ok;
}

IniFile& file() {
    if (!current())
        current() = std::make_unique<IniFile>(QString());
    return *current();
}

bool isOpen() {
    return current() && !current()->fileName().isEmpty();
}

void open(const QString& path) {
    current() = std::make_unique<IniFile>(path);
    current()->setWriteObserver(&noteWrite);
    reports().shown = false;
}

void close() {
    current().reset();
}

QDateTime ReadoutTimeOn(const QDate& day, int readoutHour) {
    // 24 means midnight at the end of the day. The clock hour is set on the calendar date, so
    // a day of 23 or 25 hours keeps the hour the user chose.
    if (readoutHour >= 24)
        return QDateTime(day.addDays(1), QTime(0, 0));
    const int h = qMax(readoutHour, 0);
    QDateTime t(day, QTime(h, 0));
    // An hour the clock jumps over (02:00 when summer time starts) is read out as soon as the
    // clock has jumped: from the last whole hour before the gap, the hours in between on.
    for (int back = 1; !t.isValid() && back <= 3; ++back) {
        const QDate before = h - back < 0 ? day.addDays(-1) : day;
        t = QDateTime(before, QTime((h - back + 24) % 24, 0)).addSecs(back * 3600);
    }
    return t;
}

QDateTime BackupDueFor(int readoutHour, const QDateTime& now) {
    const QDateTime today = ReadoutTimeOn(now.date(), readoutHour);
    return now > today ? ReadoutTimeOn(now.date().addDays(1), readoutHour) : today;
}

QDateTime NextBackupDue(const QDateTime& due, int readoutHour) {
    // The day a due time belongs to: for hour 24 that is the day before its midnight.
    const QDate day = readoutHour >= 24 ? due.date().addDays(-1) : due.date();
    return ReadoutTimeOn(day.addDays(1), readoutHour);
}

void ComputeBackupDue(const QDateTime& now) {
    BackupEnabled = ReadoutHour != 0;
    BackupDue = BackupDueFor(ReadoutHour, now);
}

void LoadDisplaySettings() {
    IniFile& f = file();
    KompUtils::PlantCount = KompUtils::MaxPlants;
    KompUtils::DisplayOffset = f.readInteger(Keys::Com, Keys::DispOffset, 1) - 1;
    ReadoutHour = f.readInteger(Keys::Com, Keys::ReadoutHour, 0);
    if (ReadoutHour < 0 || ReadoutHour > 24)
        ReadoutHour = 0; // an hour no clock shows: no daily readout, as when the key is absent
    KompUtils::ImperialUnits = f.readBool(Keys::Com, Keys::Metric, false);
    KompUtils::RefTemp = f.readFloat(Keys::Com, Keys::RefTemp, 55.0);
    KompUtils::ShowRefDepth = f.readBool(Keys::Com, Keys::ShowRef, true);
    KompUtils::MakeRefCaption();
}

void resetState() {
    ReadoutHour = 0;
    BackupEnabled = false;
    BackupDue = QDateTime();
}

} // namespace Settings
