#include "BackupState.h"

#include "core/Daten.h"
#include "core/KompUtils.h"
#include "core/ProcessState.h"
#include "core/Settings.h"

#include <QCoreApplication>
#include <QFile>

namespace BackupState {

namespace {

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(BackupState)
};

std::function<QDateTime()>& clock() {
    static std::function<QDateTime()> c;
    return c;
}

ProcessState::Registrar reg(&resetState);

} // namespace

void setClock(std::function<QDateTime()> c) {
    clock() = std::move(c);
}

QDateTime now() {
    return clock() ? clock()() : QDateTime::currentDateTime();
}

int AlarmHours(const IniFile& ini) {
    const int hours = ini.readInteger(Keys::Com, AlarmKey, DefaultAlarmHours);
    return hours < 0 ? DefaultAlarmHours : hours;
}

Entry Read(const IniFile& ini, int plant, const QDateTime& at, int alarmHours) {
    Entry e;
    const QString section = Keys::plantSection(plant);
    e.known = ini.valueExists(section, LastKey) || ini.valueExists(section, OkKey) ||
              ini.valueExists(section, StoredKey);
    if (!e.known)
        return e;
    e.time = QDateTime::fromString(ini.readString(section, LastKey, QString()), TimeFormat);
    e.ok = ini.readBool(section, OkKey, false);
    e.stored = ini.readInteger(section, StoredKey, -1);
    const bool stale =
        !e.time.isValid() || (alarmHours > 0 && e.time.secsTo(at) > qint64(alarmHours) * 3600);
    e.late = !e.ok || stale;
    e.urgent = e.stored >= UrgentStored;
    return e;
}

bool Record(int plant, bool ok, int storedAtStart) {
    if (!Daten::isPlantAddress(plant))
        return false;
    IniFile& ini = Settings::file();
    const QString section = Keys::plantSection(plant);
    bool written = ini.writeString(section, LastKey, now().toString(TimeFormat));
    written = ini.writeBool(section, OkKey, ok) && written;
    if (storedAtStart >= 0)
        written = ini.writeInteger(section, StoredKey, storedAtStart) && written;
    emit notifier().recorded(plant);
    return written;
}

QList<Alarm> RunningAlarms() {
    QList<Alarm> alarms;
    if (!Settings::isOpen())
        return alarms;
    const IniFile& ini = Settings::file();
    const int hours = AlarmHours(ini);
    const QDateTime at = now();
    for (int p = 1; p <= KompUtils::PlantCount; ++p) {
        const tAnlageParameter& a = Daten::Anlage[size_t(p)];
        if (!a.Present || !a.SwitchedOn)
            continue;
        const Entry e = Read(ini, p, at, hours);
        if (e.late || e.urgent)
            alarms.append({p, e.urgent});
    }
    return alarms;
}

bool AnyUrgent(const QList<Alarm>& alarms) {
    for (const Alarm& a : alarms)
        if (a.urgent)
            return true;
    return false;
}

QString AlarmText(const QList<Alarm>& alarms) {
    if (alarms.isEmpty())
        return QString();
    QStringList numbers;
    for (const Alarm& a : alarms)
        numbers << QString::number(KompUtils::DisplayNumber(a.plant));
    return Texts::tr("Sicherung überfällig: Anl %1").arg(numbers.join(QStringLiteral(", ")));
}

QString LastRecordText(const QString& path) {
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly))
        return QString();
    // A record line is well under 200 bytes; the end of the file is enough.
    constexpr qint64 Tail = 4096;
    const qint64 size = f.size();
    if (size > Tail)
        f.seek(size - Tail);
    QList<QByteArray> lines = f.read(Tail).split('\n');
    // A last line without its line end is a cut record, not yet a whole one.
    lines.removeLast();
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        const QList<QByteArray> fields = lines.at(i).trimmed().split(';');
        bool number = false;
        fields.at(0).trimmed().toInt(&number);
        if (number && fields.size() > 2)
            return QString::fromLatin1(fields.at(1).trimmed());
    }
    return QString();
}

Notifier& notifier() {
    static Notifier n;
    return n;
}

void resetState() {
    clock() = {};
}

} // namespace BackupState
