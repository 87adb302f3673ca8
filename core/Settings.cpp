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

QDateTime BackupDueFor(int readoutHour, const QDateTime& now) {
    QDate date = now.date();
    const QTime timeOfDay = now.time();
    // 24 means midnight at the end of the day.
    const int tSecs = readoutHour >= 24 ? 24 * 3600 : readoutHour * 3600;
    if (timeOfDay.msecsSinceStartOfDay() > tSecs * 1000)
        date = date.addDays(1);
    return QDateTime(date, QTime(0, 0)).addSecs(tSecs);
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
