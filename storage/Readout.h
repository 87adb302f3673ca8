// Reading the records stored in a controller into the plant's measurement file: the count
// request, one record request per stored record, each record appended as it arrives. No
// windows here: the caller hands in a View that shows the progress, the status bar total
// and the messages, so the live display, the offline readout window and the command-line
// tool share one readout.
#pragma once

#include <QString>
#include <functional>

namespace Readout {

// What a readout shows while it runs; the caller (live display, offline readout window,
// command-line tool) supplies it. Every member may be empty.
struct View {
    std::function<void(int maximum)> showProgress; // busy window over the caller's window
    std::function<void()> stepProgress;            // one record read
    std::function<void()> hideProgress;
    std::function<void(const QString&)> setPanel3; // status bar panel 3 ("" = empty)
    std::function<void(const QString&)> message;   // an information box (SaveStoredRecords)
    // Why a silent readout (BackupStoredRecords) failed, where the caller can say so
    // without a box (the command-line tool's stderr): no room, a rescued record.
    std::function<void(const QString&)> notice;
    // Asked after every record written: true ends the readout there, with the records read
    // so far in the file and its count saved (the command-line tool's SIGTERM).
    std::function<bool()> stopRequested;
};

// The record step shared by every readout: one 'G' wait; on success the progress steps and
// the line is appended. When it could not be written, writeFailed is set and the record
// goes to the rescue file (its path in rescueFile, left empty when that failed too).
// False = no reply.
bool RecordStep(int plant, const View& view, bool* writeFailed, QString* rescueFile = nullptr);

// Before the first record is asked for: true when the open file's file system has room for
// `count` records; else false with the message in `text`.
bool RoomForRecords(int count, QString* text);
// The line of the failure message that says where a record that could not be written went.
QString RescuedText(const QString& rescueFile);

// Interactive readout of `plant` (the live display passes SelectedPlant), with messages.
bool SaveStoredRecords(int plant, const View& view);

// What a readout says when every record reached the file but the settings file could not
// take the new count: the other failure than a lost record, so said in other words.
QString SettingsNotSavedText();
// Closes the plant's file after a readout: false when the count could not be saved, with
// *settingsFailed telling whether the settings file or the measurement file failed.
bool CloseAfterReadout(int plant, bool* settingsFailed);

// Silent readout of `plant` (daily backup); true at once for an absent or switched-off plant.
bool BackupStoredRecords(int plant, const View& view);

} // namespace Readout
