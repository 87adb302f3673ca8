// The measurement file of a pile: its name, its nine header lines and its record lines, and
// the one file handle through which a readout appends to it. The files are Windows-1252
// text with CR LF line ends, the layout the existing installations write and read.
//
// A readout runs Open -> Append ... -> Close on the user-interface thread; at most one file
// is open at a time. A record line is either on disk whole or not at all, and a plant's
// Anzahl always counts the record lines that reached the file.
#pragma once

#include <QDate>
#include <QString>
#include <functional>

struct MeasurementRecord;

namespace MeasurementFile {

// The characters a plant name may consist of in a file name (and that the naming dialog
// lets through): digits, ASCII letters, '_', '-' and backspace (so the edit key works).
extern const QString AllowedNameChars;
bool IsAllowedNameChar(QChar c);

// "dd.mm.yyyy  hh:mm" from the date and time texts of a stored record, each as received.
QString RecordTimeText(const QString& day, const QString& month, const QString& year,
                       const QString& hour, const QString& minute);

// Plant name + "_" + date in the short date format, every character outside
// AllowedNameChars, and every control character (the backspace too), replaced by '-'.
QString FileStem(const QString& plantName, const QDate& date);

// The nine header lines (without line ends) of a new file for `plant`.
QStringList HeaderLines(int plant, const QDate& date);
// The record line (without line end): number, time text and the values of `record`.
QString RecordLine(int number, const QString& timeText, const MeasurementRecord& record);

// Forms a new file name for the plant (its directory gains a trailing separator), sets
// Anzahl to 0 and writes "Anzahl" = 0 and then "Datei" to the plant's settings section.
// Creates nothing on disk. False when the address is invalid or a settings write failed
// (the plant record is updated all the same).
bool NewMeasurementFile(int plant, const QDate& today = QDate::currentDate());

// Makes the plant's file the open file, positioned at its end; a file that does not exist
// is created with its header. Anzahl becomes at least the number of the file's last record
// line, and a record line cut short at the file's end is taken back. False when the file cannot be
// opened or created; nothing is left open then and a new file whose header could not be written
// whole is removed again.
bool OpenMeasurementFile(int plant, const QDate& today = QDate::currentDate());

// Appends record number Anzahl + 1 and commits it to the storage device. On success Anzahl
// is increased; when the line could not be written the file is left as it was before the
// call (no partial line) and Anzahl is unchanged.
bool AppendMeasurementRecord(int plant, const QString& timeText, const MeasurementRecord& record);

// Closes the open file (committing it to the storage device) and writes the plant's Anzahl
// to its settings section. False when the file reported an error on closing or the count
// could not be written.
bool CloseMeasurementFile(int plant);

// The most bytes a record line takes, its line end included.
constexpr qint64 MaxRecordLineBytes = 120;
// Kept free beyond the records of a readout: the settings file is rewritten whole at its end.
constexpr qint64 SpaceMargin = 64 * 1024;

// Whether the file system of the open file has room for `records` more record lines and
// the margin. `freeBytes` gets its free space, -1 when it cannot be told (then true: a file
// system that says nothing is not refused). True when no file is open or it is no regular
// file.
bool HasRoomFor(qint64 records, qint64* freeBytes = nullptr);
// Replaces the free space of a directory's file system as HasRoomFor() sees it; an empty
// function goes back to the file system's own figure.
void SetFreeSpaceProbe(std::function<qint64(const QString& dir)> probe);

// The rescue file of `plant` for `today` in the program directory:
// <Name>_<date>_Rettung.CSV.
QString RescueFileName(int plant, const QDate& today = QDate::currentDate());
// Appends the record line that could not be written to the plant's file (with the number
// it would have had there, Anzahl + 1, which stays unchanged) to the rescue file, in the
// measurement file's line format. Returns the rescue file's path, empty when that write
// failed too.
QString RescueRecord(int plant, const QString& timeText, const MeasurementRecord& record,
                     const QDate& today = QDate::currentDate());

// The plant whose file is open, 0 when none.
int OpenPlant();

// The record lines appended by this process so far. A readout's records are the growth of
// this figure, not of Anzahl: opening a file may raise Anzahl to the file's last record.
qint64 RecordsWritten();

void resetState();

} // namespace MeasurementFile
