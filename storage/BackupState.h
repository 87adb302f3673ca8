// Each plant's last readout as its settings section keeps it (time, result, and how many
// records the controller held when it began), and the rules that make a pile's readout late
// or urgent, so that a failing or stale readout is seen before the controller's memory
// runs over. The windows, the command-line tool's health check and watch share them.
#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class IniFile;

namespace BackupState {

// Keys of the plant's section and of section "COM".
inline const QString LastKey = QStringLiteral("LetzteSicherung");
inline const QString OkKey = QStringLiteral("SicherungOK");
inline const QString StoredKey = QStringLiteral("Speicherstand");
inline const QString AlarmKey = QStringLiteral("SICHERUNGSALARM");
// "dd.MM.yyyy hh:mm:ss", the same in every region.
inline const QString TimeFormat = QStringLiteral("dd.MM.yyyy hh:mm:ss");

constexpr int DefaultAlarmHours = 36;
// A controller keeps at most 1000 records; from 900 on a readout that fails or comes a
// little late loses records.
constexpr int UrgentStored = 900;

// The clock the rules and the time stamps use; unset: the system clock (tests move it).
void setClock(std::function<QDateTime()> clock);
QDateTime now();

// The plant's last readout as the settings file has it.
struct Entry {
    bool known = false; // any of the three keys present
    QDateTime time;     // invalid when absent or unreadable
    bool ok = false;
    int stored = -1; // records in the controller at its start; -1 unknown
    bool late = false;
    bool urgent = false;
};

// SICHERUNGSALARM hours: default 36, 0 = the age rule is off; a negative or unreadable
// value reads as the default.
int AlarmHours(const IniFile& ini);

// Reads and judges the entry of `plant`. Late: the last readout failed, or it is older than
// `alarmHours` (when not 0), or its time cannot be read. Urgent: the controller held
// UrgentStored records or more when it began.
Entry Read(const IniFile& ini, int plant, const QDateTime& at, int alarmHours);

// Writes time (now()), result and, when `storedAtStart` >= 0, the stored count to the
// plant's section of the program's settings file, then tells notifier(). False when a
// write did not reach the file.
bool Record(int plant, bool ok, int storedAtStart);

// A plant that needs looking at: its address, and whether it is urgent.
struct Alarm {
    int plant = 0;
    bool urgent = false;
};
// Every plant whose pile runs (Present and SwitchedOn) and whose readout is late or
// urgent, judged from the program's settings file at now().
QList<Alarm> RunningAlarms();
bool AnyUrgent(const QList<Alarm>& alarms);
// "Sicherung überfällig: Anl 3, 7" with display numbers; empty for no alarm.
QString AlarmText(const QList<Alarm>& alarms);

// The time text of the last whole record line of a measurement file ("dd.mm.yyyy  hh:mm"
// as the file has it); empty when the file cannot be read or holds no record. Reads only
// the file's end.
QString LastRecordText(const QString& path);

// Signals every Record(), so that windows show the news at once.
class Notifier : public QObject {
    Q_OBJECT
signals:
    void recorded(int plant);
};
Notifier& notifier();

void resetState();

} // namespace BackupState
