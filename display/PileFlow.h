// The controller side of the live display's mode and pile flows for one plant: which
// command is possible in which plant state, and the sequences of controller operations with
// what they leave in the plant table and the settings file. The window asks its questions,
// opens its dialogs and pauses its timers around these; nothing here shows anything.
#pragma once

#include <QDate>
#include <QString>
#include <QTime>

class TMessDaten;

namespace PileFlow {

// A mode tab may be chosen only while a pile runs on a present plant.
bool ModeChangeAllowed(int plant);
// New and continued piles start only on a present plant without a running pile.
bool PileStartAllowed(int plant);

// Sends the mode of tab `tabIndex` (0..3; anything else counts as failure). On success the
// live status takes over the mode the controller reported, and the fan state for modes 0
// and 1; on failure the plant entry is put back as it was (present, switched on, its mode
// and storing flag). Returns the success.
bool ChangeMode(int plant, int tabIndex);

// Date, time, the plant's current mode again and the pile start; on success a new file name
// is formed. Any failure leaves the plant without a running pile. Returns the success.
// Nothing is sent when the settings file cannot be written (Settings::CheckWritable).
bool StartNewPile(int plant, const QDate& today = QDate::currentDate(),
                  const QTime& now = QTime::currentTime());

// Takes over name, comment, file, directory and record count from a loaded, valid file and
// writes them to the plant's settings section. False when a settings write failed.
bool AdoptFile(int plant, const TMessDaten& file, const QString& path);

// Date, time, the current mode again and the pile start, keeping the adopted file; true
// when the pile runs afterwards. Nothing is sent when the settings cannot be written.
bool ContinuePile(int plant, const QDate& today = QDate::currentDate(),
                  const QTime& now = QTime::currentTime());

// Switches the plant off; on success its live status is no longer valid and it has no pile
// and no file, and its settings section names no file any more; on failure the plant entry is
// put back as it was. Returns the success.
bool EndPile(int plant);

} // namespace PileFlow
