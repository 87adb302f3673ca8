#include "core/Settings.h"

#include "core/KompUtils.h"
#include "core/ProcessState.h"

namespace Settings {

namespace {
std::unique_ptr<IniFile>& current() {
    static std::unique_ptr<IniFile> f;
    return f;
}
ProcessState::Registrar reg(&resetState);
} // namespace

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
